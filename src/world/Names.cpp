#include "world/Names.h"

#include <cstdint>
#include <vector>

namespace karven::world {

namespace {
// Syllables that start a name, that run on in it, and that end it.
const std::vector<const char*> KanaStart = {
    "ア", "イ", "エ", "オ", "カ", "キ", "ク", "ケ", "コ", "サ", "シ", "セ", "ソ", "タ", "テ", "ト", "ナ", "ニ", "ノ",
    "ハ", "ヒ", "フ", "ヘ", "ホ", "マ", "ミ", "モ", "ヤ", "ユ", "ヨ", "ラ", "リ", "ル", "レ", "ロ", "ヴァ", "ガ", "ギ",
    "グ", "ゴ", "ザ", "ジ", "ダ", "ド", "バ", "ビ", "ブ", "ベ", "ボ", "パ", "ピ", "ペ", "ファ", "フィ", "ティ", "ディ"};
const std::vector<const char*> KanaMiddle = {
    "ア", "イ", "ウ", "エ", "オ", "カ", "キ", "ク", "コ", "サ", "シ", "ス", "セ", "タ", "チ", "ト", "ナ", "ニ", "ネ",
    "ノ", "マ", "ミ", "ム", "メ", "ラ", "リ", "ル", "レ", "ロ", "ヴィ", "ガ", "ゴ", "ジ", "ダ", "ド", "バ", "ベ", "ボ",
    "ッテ", "ッカ", "ン", "ー"};
const std::vector<const char*> KanaEnd = {"ア", "オ", "ン", "ル", "ロ", "ス", "ト", "ノ", "ネ", "リ", "ラ", "ド", "ク", "ミ", "ヤ", "ナ"};

const std::vector<const char*> LatinStart = {
    "Al", "Bel", "Cor", "Dar", "Ed", "Fal", "Gar", "Hal", "Il", "Jor", "Kal", "Lor", "Mar", "Nor", "Or", "Pel",
    "Quen", "Ros", "Sal", "Tor", "Ul", "Val", "Wen", "Yor", "Zan", "Bran", "Cal", "Dev", "Fen", "Ger", "Lan", "Mir"};
const std::vector<const char*> LatinMiddle = {"a", "e", "i", "o", "u", "an", "en", "in", "ar", "er", "or", "el",
                                              "al", "ic", "ov", "ad", "eth", "ia", "io"};
const std::vector<const char*> LatinEnd = {"n", "s", "r", "l", "x", "k", "d", "t", "o", "as", "en", "is",
                                           "ek", "ov", "ard", "ian", "on", "us", "el", "ine"};

const char* Pick(const std::vector<const char*>& from, Draws& draws) {
    return from[size_t(draws.WholeBetween(0, int(from.size()) - 1))];
}

std::string Word(const std::vector<const char*>& start, const std::vector<const char*>& middle,
                 const std::vector<const char*>& end, int middles, Draws& draws) {
    std::string word = Pick(start, draws);
    for (int i = 0; i < middles; ++i) word += Pick(middle, draws);
    return word + Pick(end, draws);
}

std::string Candidate(Script script, Draws& draws) {
    if (script == Script::Katakana)
        return Word(KanaStart, KanaMiddle, KanaEnd, draws.WholeBetween(0, 1), draws) + "・" +
               Word(KanaStart, KanaMiddle, KanaEnd, draws.WholeBetween(1, 2), draws);
    return Word(LatinStart, LatinMiddle, LatinEnd, draws.WholeBetween(0, 1), draws) + " " +
           Word(LatinStart, LatinMiddle, LatinEnd, draws.WholeBetween(1, 2), draws);
}
} // namespace

Script ScriptOf(const std::vector<std::string>& names) {
    size_t latin = 0;
    for (const std::string& name : names) {
        bool ascii = !name.empty();
        for (unsigned char c : name) ascii = ascii && c < 0x80;
        latin += ascii;
    }
    return 2 * latin > names.size() ? Script::Latin : Script::Katakana;
}

std::string NewName(Script script, const std::set<std::string>& taken, Draws& draws) {
    for (int attempt = 0;; ++attempt) {
        std::string name = Candidate(script, draws);
        // After many meetings of the same syllables, a number tells the newcomer apart.
        if (attempt >= 64) name += " " + std::to_string(attempt);
        if (!taken.count(name)) return name;
    }
}

} // namespace karven::world
