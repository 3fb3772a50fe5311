#pragma once
// A compiled gettext catalogue (.mo) read by the game itself, for where the C library's gettext
// finds nothing (Emscripten's is a stub). Looks texts up as dgettext and dngettext do: contexts
// are part of the original ("context\004text"), plural forms chosen by the catalogue's own
// Plural-Forms expression.

#include <string>
#include <string_view>
#include <vector>

namespace karven {

class MoCatalogue {
public:
    // False, and the catalogue empty, when the file is missing or not a catalogue.
    bool Load(const std::string& path);
    bool Loaded() const { return !originals_.empty(); }

    // The translation, or nullptr where the catalogue has none. For a counted entry, its first form.
    const char* Find(const char* original) const;
    // The form for `count`, or nullptr where the catalogue has none.
    const char* FindPlural(const char* original, unsigned long count) const;
    // Every original of the catalogue, the header's "" included, in the catalogue's order.
    std::vector<std::string> Originals() const;
    // Whether the original counts (has a plural original after its NUL).
    bool Counted(size_t index) const;

private:
    std::string bytes_;
    // Offsets into bytes_: each original (up to its first NUL) and its translations (NUL-separated).
    struct Entry {
        size_t original, originalSize, translation, translationSize;
    };
    std::vector<Entry> originals_;
    std::string plural_ = "n != 1"; // gettext's default without a header
    int plurals_ = 2;

    const Entry* Lookup(const char* original) const;
    void ReadHeader(std::string_view header);
};

// The value of a Plural-Forms expression (C syntax over n) for n; 0 where it cannot be read.
unsigned long EvaluatePlural(std::string_view expression, unsigned long n);

} // namespace karven
