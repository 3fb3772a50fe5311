#include "season/Cp932.h"

#include "season/Utf8.h"

// Emscripten's C library converts Shift_JIS but not code page 932: the browser build takes our table.
#if defined(__EMSCRIPTEN__)
#define KARVEN_CP932_ICONV 0
#include "season/Cp932Table.h"
#else
#define KARVEN_CP932_ICONV 1
#include <cerrno>
#include <iconv.h>
#endif

namespace karven {

namespace {
#if KARVEN_CP932_ICONV
// `estimate`: the output's likely size; it grows when the text needs more.
bool Convert(const char* to, const char* from, std::string_view input, std::string& output, size_t estimate) {
    iconv_t cd = iconv_open(to, from);
    if (cd == (iconv_t)-1) return false;
    std::string out;
    out.resize(estimate + 16);
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    size_t done = 0;
    bool ok = true;
    while (inLeft > 0) {
        char* outPtr = out.data() + done;
        size_t outLeft = out.size() - done;
        size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        done = out.size() - outLeft;
        if (result != (size_t)-1) break;
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        ok = false; // EILSEQ or EINVAL: not representable, or cut off in the middle of a character
        break;
    }
    iconv_close(cd);
    if (!ok) return false;
    out.resize(done);
    // A long text keeps no more memory than it needs.
    if (out.capacity() > done + done / 4 + 4096) out.shrink_to_fit();
    output = std::move(out);
    return true;
}
#endif

struct Twin {
    const char* from;
    const char* to;
};
// The yen sign and the overline would encode as the ASCII backslash and tilde; their full-width
// forms read back as what the player sees.
constexpr Twin Twins[] = {
    {"\u301C", "\uFF5E"}, {"\u2016", "\u2225"}, {"\u2212", "\uFF0D"},
    {"\u00A2", "\uFFE0"}, {"\u00A3", "\uFFE1"}, {"\u00AC", "\uFFE2"},
    {"\u2014", "\u2015"}, {"\u00A5", "\uFFE5"}, {"\u203E", "\uFFE3"},
};

// The tag characters U+E0000 to U+E007F (F3 A0 80 80 to F3 A0 81 BF): iconv writes them as
// nothing at all, so a text holding one would not read back. The code page cannot hold them.
bool HoldsTag(std::string_view utf8) {
    for (size_t i = utf8.find('\xF3'); i != std::string_view::npos && i + 2 < utf8.size(); i = utf8.find('\xF3', i + 1))
        if (utf8[i + 1] == '\xA0' && (utf8[i + 2] == '\x80' || utf8[i + 2] == '\x81')) return true;
    return false;
}
bool HoldsTwin(std::string_view utf8) {
    for (const Twin& twin : Twins)
        if (utf8.find(twin.from) != std::string_view::npos) return true;
    return false;
}
} // namespace

bool DecodeCp932(std::string_view bytes, std::string& utf8) {
    if (bytes.find('\0') != std::string_view::npos) return false;
#if KARVEN_CP932_ICONV
    // A character of two bytes takes three in UTF-8; one of the single-byte katakana, three.
    return Convert("UTF-8", "CP932", bytes, utf8, bytes.size() + bytes.size() / 2);
#else
    return DecodeCp932Table(bytes, utf8);
#endif
}

bool EncodeCp932(std::string_view utf8, std::string& bytes) {
    // A NUL would not read back: the reader refuses it.
    if (!Utf8IsValid(utf8) || utf8.find('\0') != std::string_view::npos || HoldsTag(utf8)) return false;
    // Copied only when a twin is there to replace.
    std::string forms;
    if (HoldsTwin(utf8)) forms = ToCp932Forms(utf8);
    const std::string_view text = forms.empty() ? utf8 : std::string_view(forms);
#if KARVEN_CP932_ICONV
    return Convert("CP932", "UTF-8", text, bytes, text.size()); // never more bytes than in UTF-8
#else
    return EncodeCp932Table(text, bytes);
#endif
}

bool CanEncodeCp932(std::string_view utf8) {
    std::string bytes;
    return EncodeCp932(utf8, bytes);
}

std::string ToCp932Forms(std::string_view utf8) {
    std::string text(utf8);
    for (const Twin& twin : Twins)
        if (text.find(twin.from) != std::string::npos) text = ReplaceAll(text, twin.from, twin.to);
    return text;
}

} // namespace karven
