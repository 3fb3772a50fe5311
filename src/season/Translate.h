#pragma once
// One catalogue for every text of the game. The Japanese texts are the message ids; English comes
// from po/en.po, compiled to karven.mo, through the C library's gettext (our own reader of the
// catalogue where the C library has none, in the browser). Japanese is the default
// and is never looked up, so its texts are exactly the ones written here.

#include <charconv>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>

#include "season/SharedText.h"

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
// A text that needs its own English in one place ("優勝" a count of wins, or the winner's name): the
// catalogue's context and the text, in gettext's own form "context\004text", for Tr and the captions.
#define C_(context, japanese) context "\004" japanese

// A template with numbered placeholders {1}, {2}, …: translated whole, so that each language keeps
// its own word order, then filled.
// A value of a template: a text, or a whole number written in ASCII digits in place (no allocation,
// the commentary fills hundreds of templates a race).
class FillValue {
public:
    FillValue(const std::string& s) : view_(s) {}
    FillValue(std::string_view s) : view_(s) {}
    FillValue(const char* s) : view_(s) {}
    FillValue(const SharedText& s) : view_(s.str()) {}
    template <class N, class = std::enable_if_t<std::is_integral_v<N>>> FillValue(N n) {
        view_ = std::string_view(digits_, size_t(std::to_chars(digits_, digits_ + sizeof digits_, n).ptr - digits_));
    }
    FillValue(const FillValue&) = delete;
    FillValue& operator=(const FillValue&) = delete;
    std::string_view View() const { return view_; }

private:
    char digits_[24];
    std::string_view view_;
};

// `out` becomes the template filled; its capacity is kept.
void FillInto(std::string& out, std::string_view text, const FillValue* values, size_t count);
std::string Fill(std::string_view text, std::initializer_list<std::string_view> values);

// The template in the current language, filled into `out`.
template <class... A> void TrFInto(std::string& out, const char* japanese, const A&... values) {
    if constexpr (sizeof...(A) == 0) {
        FillInto(out, Tr(japanese), nullptr, 0);
    } else {
        const FillValue filled[] = {values...};
        FillInto(out, Tr(japanese), filled, sizeof...(A));
    }
}
template <class... A> std::string TrF(const char* japanese, const A&... values) {
    std::string out;
    TrFInto(out, japanese, values...);
    return out;
}
// Counted: the language's form for one or for many ({1} is the count).
std::string TrN(const char* japanese, long count);

} // namespace karven
