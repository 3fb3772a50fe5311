#include "season/Translate.h"

#include <atomic>
#include <cstdlib>
#include <cstring>

// Emscripten's C library answers every gettext with the text it was given: the catalogue is read
// by our own reader there, the desktop keeps the C library's.
#ifdef __EMSCRIPTEN__
#define KARVEN_OWN_CATALOGUE 1
#include "season/MoCatalogue.h"
#else
#include <libintl.h>
#include <locale.h>
#endif

namespace karven {

namespace {
constexpr const char* Domain = "karven";
std::atomic<Language> current{Language::Japanese};
#ifdef KARVEN_OWN_CATALOGUE
MoCatalogue catalogue;

const char* dgettext(const char*, const char* text) {
    const char* found = catalogue.Find(text);
    return found ? found : text;
}
const char* dngettext(const char*, const char* text, const char* plural, unsigned long n) {
    const char* found = catalogue.FindPlural(text, n);
    return found ? found : n == 1 ? text : plural;
}
#endif
} // namespace

void OpenCatalogue(const std::string& localeFolder) {
#ifdef KARVEN_OWN_CATALOGUE
    catalogue.Load(localeFolder + "/en/LC_MESSAGES/" + Domain + ".mo");
#else
    // gettext looks nothing up in the "C" locale; C.UTF-8 is always there and lets LANGUAGE choose.
    const char* messages = setlocale(LC_MESSAGES, nullptr);
    if (!messages || std::string_view(messages) == "C" || std::string_view(messages) == "POSIX")
        setlocale(LC_MESSAGES, "C.UTF-8");
    // The only catalogue there is; Japanese never asks for one.
    setenv("LANGUAGE", "en", 1);
    bindtextdomain(Domain, localeFolder.c_str());
    bind_textdomain_codeset(Domain, "UTF-8");
#endif
}

void SetLanguage(Language language) { current = language; }
Language CurrentLanguage() { return current; }

const char* LanguageCode(Language language) { return language == Language::English ? "en" : "ja"; }
Language LanguageOfCode(std::string_view code) { return code == "en" ? Language::English : Language::Japanese; }

namespace {
// A text marked with C_ is shown without its context, in Japanese and where it has no English.
const char* WithoutContext(const char* text) {
    const char* mark = std::strchr(text, '\004');
    return mark ? mark + 1 : text;
}

const char* Lookup(const char* japanese) {
    const char* found = dgettext(Domain, japanese);
    return found == japanese ? WithoutContext(japanese) : found;
}
} // namespace

const char* Tr(const char* japanese) {
    if (!japanese || !*japanese) return japanese;
    if (current == Language::Japanese) return WithoutContext(japanese);
    return Lookup(japanese);
}

const char* English(const char* japanese) {
    if (!japanese || !*japanese) return japanese;
    return Lookup(japanese);
}

namespace {
// {1}..{9}: the values in order; anything else, a value not given too, as it stands.
template <class ValueAt> void FillWith(std::string& out, std::string_view text, size_t count, ValueAt at) {
    out.clear();
    // Room for the template and every value at once, rather than growing with each piece.
    size_t room = text.size();
    for (size_t n = 0; n < count; ++n) room += std::string_view(at(n)).size();
    out.reserve(room);
    size_t done = 0;
    for (size_t i = text.find('{'); i != std::string_view::npos && i + 2 < text.size(); i = text.find('{', i + 1)) {
        size_t n = size_t(text[i + 1] - '1');
        if (text[i + 2] != '}' || text[i + 1] < '1' || text[i + 1] > '9' || n >= count) continue;
        out.append(text, done, i - done);
        out += at(n);
        done = i + 3;
        i += 2;
    }
    out.append(text, done);
}
} // namespace

void FillInto(std::string& out, std::string_view text, const FillValue* values, size_t count) {
    FillWith(out, text, count, [values](size_t n) { return values[n].View(); });
}

std::string Fill(std::string_view text, std::initializer_list<std::string_view> values) {
    std::string out;
    FillWith(out, text, values.size(), [&values](size_t n) { return values.begin()[n]; });
    return out;
}

std::string TrN(const char* japanese, long count) {
    const char* text = japanese;
    if (current == Language::English)
        text = dngettext(Domain, japanese, japanese, static_cast<unsigned long>(count < 0 ? -count : count));
    return Fill(text, {std::to_string(count)});
}

} // namespace karven
