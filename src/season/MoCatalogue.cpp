#include "season/MoCatalogue.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>

namespace karven {

namespace {
constexpr uint32_t Magic = 0x950412de;

// The expression parsed and evaluated at once, C's precedence and associativity, for one n.
class PluralExpression {
public:
    PluralExpression(std::string_view text, unsigned long n) : text_(text), n_(n) {}
    bool Evaluate(unsigned long& value) {
        value = Conditional();
        Space();
        return ok_ && at_ == text_.size();
    }

private:
    std::string_view text_;
    size_t at_ = 0;
    unsigned long n_;
    bool ok_ = true;

    void Space() {
        while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\n')) ++at_;
    }
    bool Take(std::string_view token) {
        Space();
        if (text_.substr(at_, token.size()) != token) return false;
        // "<" is not "<=", "!" is not "!=", "=" alone is nothing.
        if (token.size() == 1 && at_ + 1 < text_.size() && text_[at_ + 1] == '=' && std::strchr("<>!", token[0]))
            return false;
        at_ += token.size();
        return true;
    }
    unsigned long Conditional() {
        unsigned long test = Or();
        if (!Take("?")) return test;
        unsigned long yes = Conditional();
        if (!Take(":")) ok_ = false;
        unsigned long no = Conditional();
        return test ? yes : no;
    }
    unsigned long Or() {
        unsigned long v = And();
        while (Take("||")) {
            unsigned long r = And();
            v = v || r;
        }
        return v;
    }
    unsigned long And() {
        unsigned long v = Equality();
        while (Take("&&")) {
            unsigned long r = Equality();
            v = v && r;
        }
        return v;
    }
    unsigned long Equality() {
        unsigned long v = Relation();
        for (;;) {
            if (Take("==")) v = v == Relation();
            else if (Take("!=")) v = v != Relation();
            else return v;
        }
    }
    unsigned long Relation() {
        unsigned long v = Sum();
        for (;;) {
            if (Take("<=")) v = v <= Sum();
            else if (Take(">=")) v = v >= Sum();
            else if (Take("<")) v = v < Sum();
            else if (Take(">")) v = v > Sum();
            else return v;
        }
    }
    unsigned long Sum() {
        unsigned long v = Product();
        for (;;) {
            if (Take("+")) v += Product();
            else if (Take("-")) v -= Product();
            else return v;
        }
    }
    unsigned long Product() {
        unsigned long v = Unary();
        for (;;) {
            if (Take("*")) {
                v *= Unary();
            } else if (Take("/") || Take("%")) {
                bool divide = text_[at_ - 1] == '/';
                unsigned long r = Unary();
                if (r == 0) {
                    ok_ = false;
                    return 0;
                }
                v = divide ? v / r : v % r;
            } else {
                return v;
            }
        }
    }
    unsigned long Unary() {
        if (Take("!")) return !Unary();
        Space();
        if (Take("(")) {
            unsigned long v = Conditional();
            if (!Take(")")) ok_ = false;
            return v;
        }
        if (at_ < text_.size() && text_[at_] == 'n') {
            ++at_;
            return n_;
        }
        if (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9') {
            unsigned long v = 0;
            while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9') v = v * 10 + unsigned(text_[at_++] - '0');
            return v;
        }
        ok_ = false;
        return 0;
    }
};
} // namespace

unsigned long EvaluatePlural(std::string_view expression, unsigned long n) {
    unsigned long value = 0;
    return PluralExpression(expression, n).Evaluate(value) ? value : 0;
}

bool MoCatalogue::Load(const std::string& path) {
    originals_.clear();
    bytes_.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto word = [&bytes](size_t at, bool swap, uint32_t& value) {
        if (at > bytes.size() || bytes.size() - at < 4) return false;
        uint32_t v;
        std::memcpy(&v, bytes.data() + at, 4);
        value = swap ? __builtin_bswap32(v) : v;
        return true;
    };
    uint32_t magic = 0;
    if (!word(0, false, magic)) return false;
    const bool swap = magic != Magic;
    if (swap && __builtin_bswap32(magic) != Magic) return false;
    uint32_t revision, count, originals, translations;
    if (!word(4, swap, revision) || !word(8, swap, count) || !word(12, swap, originals) || !word(16, swap, translations))
        return false;
    if ((revision >> 16) > 1) return false; // a major revision this reader does not know
    // A string: its length and offset in a table; NUL-terminated within the file.
    auto string = [&](uint32_t table, uint32_t i, size_t& offset, size_t& size) {
        uint32_t length, at;
        if (!word(size_t(table) + 8 * size_t(i), swap, length) || !word(size_t(table) + 8 * size_t(i) + 4, swap, at))
            return false;
        if (size_t(at) > bytes.size() || bytes.size() - at <= length || bytes[size_t(at) + length] != '\0') return false;
        offset = at;
        size = length;
        return true;
    };
    std::vector<Entry> entries;
    entries.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        Entry e;
        if (!string(originals, i, e.original, e.originalSize) || !string(translations, i, e.translation, e.translationSize))
            return false;
        entries.push_back(e);
    }
    bytes_ = std::move(bytes);
    originals_ = std::move(entries);
    // Looked up as gettext does, by the original up to its first NUL (a counted entry's singular).
    std::stable_sort(originals_.begin(), originals_.end(), [this](const Entry& a, const Entry& b) {
        return std::strcmp(bytes_.data() + a.original, bytes_.data() + b.original) < 0;
    });
    if (const Entry* header = Lookup(""))
        ReadHeader(std::string_view(bytes_.data() + header->translation, header->translationSize));
    return true;
}

// "Plural-Forms: nplurals=2; plural=(n != 1);"
void MoCatalogue::ReadHeader(std::string_view header) {
    size_t line = header.find("Plural-Forms:");
    if (line == std::string_view::npos) return;
    std::string_view forms = header.substr(line, header.find('\n', line) - line);
    size_t plural = forms.find("plural=");
    size_t nplurals = forms.find("nplurals=");
    if (plural == std::string_view::npos || nplurals == std::string_view::npos) return;
    // "nplurals=" holds "plural=" too: the expression is the one not preceded by "n".
    while (plural != std::string_view::npos && plural > 0 && forms[plural - 1] == 'n') plural = forms.find("plural=", plural + 1);
    if (plural == std::string_view::npos) return;
    int count = 0;
    for (size_t i = nplurals + 9; i < forms.size() && forms[i] >= '0' && forms[i] <= '9'; ++i) count = count * 10 + (forms[i] - '0');
    std::string_view expression = forms.substr(plural + 7);
    expression = expression.substr(0, expression.find(';'));
    if (count < 1) return;
    plurals_ = count;
    plural_ = std::string(expression);
}

const MoCatalogue::Entry* MoCatalogue::Lookup(const char* original) const {
    auto it = std::lower_bound(originals_.begin(), originals_.end(), original, [this](const Entry& e, const char* key) {
        return std::strcmp(bytes_.data() + e.original, key) < 0;
    });
    if (it == originals_.end() || std::strcmp(bytes_.data() + it->original, original) != 0) return nullptr;
    return &*it;
}

const char* MoCatalogue::Find(const char* original) const {
    const Entry* e = Lookup(original);
    return e ? bytes_.data() + e->translation : nullptr;
}

const char* MoCatalogue::FindPlural(const char* original, unsigned long count) const {
    const Entry* e = Lookup(original);
    if (!e) return nullptr;
    unsigned long form = EvaluatePlural(plural_, count);
    if (form >= unsigned(plurals_)) form = 0;
    // The forms follow each other, NUL-separated; a catalogue with fewer gives its first.
    const char* text = bytes_.data() + e->translation;
    const char* end = text + e->translationSize;
    const char* at = text;
    for (unsigned long i = 0; i < form; ++i) {
        at += std::strlen(at) + 1;
        if (at >= end) return text;
    }
    return at;
}

std::vector<std::string> MoCatalogue::Originals() const {
    std::vector<std::string> out;
    for (const Entry& e : originals_) out.emplace_back(bytes_.data() + e.original);
    return out;
}

bool MoCatalogue::Counted(size_t index) const {
    return index < originals_.size() && std::strlen(bytes_.data() + originals_[index].original) < originals_[index].originalSize;
}

} // namespace karven
