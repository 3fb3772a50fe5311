#pragma once
// The syllables names are made of. They are names, never texts to translate: the catalogue's
// extraction leaves this file out (scripts/extract-texts).

#include <vector>

namespace karven::world {

// Syllables that start a name, that run on in it, and that end it.
inline const std::vector<const char*> KanaStart = {
    "ア", "イ", "エ", "オ", "カ", "キ", "ク", "ケ", "コ", "サ", "シ", "セ", "ソ", "タ", "テ", "ト", "ナ", "ニ", "ノ",
    "ハ", "ヒ", "フ", "ヘ", "ホ", "マ", "ミ", "モ", "ヤ", "ユ", "ヨ", "ラ", "リ", "ル", "レ", "ロ", "ヴァ", "ガ", "ギ",
    "グ", "ゴ", "ザ", "ジ", "ダ", "ド", "バ", "ビ", "ブ", "ベ", "ボ", "パ", "ピ", "ペ", "ファ", "フィ", "ティ", "ディ"};
inline const std::vector<const char*> KanaMiddle = {
    "ア", "イ", "ウ", "エ", "オ", "カ", "キ", "ク", "コ", "サ", "シ", "ス", "セ", "タ", "チ", "ト", "ナ", "ニ", "ネ",
    "ノ", "マ", "ミ", "ム", "メ", "ラ", "リ", "ル", "レ", "ロ", "ヴィ", "ガ", "ゴ", "ジ", "ダ", "ド", "バ", "ベ", "ボ",
    "ッテ", "ッカ", "ン", "ー"};
inline const std::vector<const char*> KanaEnd = {"ア", "オ", "ン", "ル", "ロ", "ス", "ト", "ノ", "ネ", "リ", "ラ", "ド", "ク", "ミ", "ヤ", "ナ"};

inline const std::vector<const char*> LatinStart = {
    "Al", "Bel", "Cor", "Dar", "Ed", "Fal", "Gar", "Hal", "Il", "Jor", "Kal", "Lor", "Mar", "Nor", "Or", "Pel",
    "Quen", "Ros", "Sal", "Tor", "Ul", "Val", "Wen", "Yor", "Zan", "Bran", "Cal", "Dev", "Fen", "Ger", "Lan", "Mir"};
inline const std::vector<const char*> LatinMiddle = {"a", "e", "i", "o", "u", "an", "en", "in", "ar", "er", "or", "el",
                                              "al", "ic", "ov", "ad", "eth", "ia", "io"};
inline const std::vector<const char*> LatinEnd = {"n", "s", "r", "l", "x", "k", "d", "t", "o", "as", "en", "is",
                                           "ek", "ov", "ard", "ian", "on", "us", "el", "ine"};

} // namespace karven::world
