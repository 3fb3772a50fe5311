#pragma once
// One catalogue for every text of the game. The Japanese texts are the message ids; English comes
// from po/en.po, compiled to karven.mo, through the C library's gettext. Japanese is the default
// and is never looked up, so its texts are exactly the ones written here.

#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>

namespace karven {

enum class Language { Japanese, English };

// Where the compiled catalogues lie ("<AppPath>locale"). Once, before any thread starts.
void OpenCatalogue(const std::string& localeFolder);
void SetLanguage(Language language);
Language CurrentLanguage();
// "ja" or "en", and back; an unknown code gives Japanese.
const char* LanguageCode(Language language);
Language LanguageOfCode(std::string_view code);

// The text in the current language.
const char* Tr(const char* japanese);
// The English of a text whatever the language of the day (for what is read back in either).
const char* English(const char* japanese);
// Marks a text for the catalogue that is translated later, where it is shown (a window's own
// captions, translated by Form::Localize).
constexpr const char* N_(const char* japanese) { return japanese; }
// Marks a counted text, given to TrN later.
constexpr const char* NN_(const char* japanese) { return japanese; }

// A template with numbered placeholders {1}, {2}, …: translated whole, so that each language keeps
// its own word order, then filled.
std::string Fill(std::string_view text, std::initializer_list<std::string_view> values);
namespace detail {
inline std::string_view View(const std::string& s) { return s; }
inline std::string_view View(std::string_view s) { return s; }
inline std::string_view View(const char* s) { return s; }
// Numbers as plain ASCII digits; kept alive by the caller's temporary.
template <class N, class = std::enable_if_t<std::is_arithmetic_v<N>>> std::string View(N n) {
    return std::to_string(n);
}
} // namespace detail
template <class... A> std::string TrF(const char* japanese, const A&... values) {
    return Fill(Tr(japanese), {std::string_view(detail::View(values))...});
}
// Counted: the language's form for one or for many ({1} is the count).
std::string TrN(const char* japanese, long count);

} // namespace karven
