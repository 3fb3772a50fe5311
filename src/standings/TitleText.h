#pragma once
// The title race in words, in the language of the day: the completion a contender needs and why
// the others cannot win.

#include <cstdint>
#include <string>
#include <vector>

namespace karven {

struct TitleField;
struct TitleChance;

// A rival the completion has to hold, and the most he may take.
struct HeldRival {
    int unit = 0;
    std::string Nm;
    int64_t cap = 0;
};

// "第14戦から全勝し、ピエール・ダルモンが毎戦5位以下なら": what the contender does in the witness and
// what the rivals who could catch him do there.
std::string WitnessText(const TitleField& field, const TitleChance& chance, const std::vector<HeldRival>& held);
// "最高の結果でも…に 12 点届かない" and the like.
std::string NoSeatText();
std::string NoPointsText();
std::string OutOfReachText(const std::string& rival, double shortBy);
std::string CannotHoldAllText(const std::vector<std::string>& rivals, double shortBy);
std::string ChampionText();

} // namespace karven
