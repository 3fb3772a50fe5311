#pragma once
// A name the season's records repeat race after race. A short one is kept inline, as a string is;
// a long one is kept once however many records hold it, so a season whose names run to thousands
// of characters does not grow by its names with every race it records.

#include <memory>
#include <string>
#include <string_view>

namespace karven {

class SharedText {
public:
    // Longer texts than this are shared: below it a copy costs no more than sharing would.
    static constexpr size_t SharedFrom = 256;

    SharedText() = default;
    SharedText(std::string text);
    SharedText(const char* text) : SharedText(std::string(text)) {}
    SharedText(std::string_view text) : SharedText(std::string(text)) {}

    const std::string& str() const { return shared_ ? *shared_ : own_; }
    operator const std::string&() const { return str(); }
    operator std::string_view() const { return str(); }

    bool empty() const { return str().empty(); }
    size_t size() const { return str().size(); }
    const char* c_str() const { return str().c_str(); }
    // Whether this text is the very one another holds, not merely equal to it.
    bool SameAs(const SharedText& other) const { return shared_ && shared_ == other.shared_; }

    friend bool operator==(const SharedText& a, const SharedText& b) { return a.SameAs(b) || a.str() == b.str(); }
    friend bool operator==(const SharedText& a, const std::string& b) { return a.str() == b; }
    friend bool operator==(const SharedText& a, const char* b) { return a.str() == b; }
    friend std::string operator+(const std::string& a, const SharedText& b) { return a + b.str(); }
    friend std::string operator+(const SharedText& a, const std::string& b) { return a.str() + b; }
    friend std::string operator+(const char* a, const SharedText& b) { return a + b.str(); }
    friend std::string operator+(const SharedText& a, const char* b) { return a.str() + b; }

private:
    std::string own_;
    std::shared_ptr<const std::string> shared_;
};

} // namespace karven
