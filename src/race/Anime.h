#pragma once
// The race's animation frames: the rules draw which variant shows; the watcher shows it.

#include <string>

namespace karven {

struct RaceState;

// 1 start set-up, 2 go, 3 lap, 4 retirement, 5 penalty, 6 pit-in, 7 pit-out, 8 attack or jump start.
void ShowAnime(RaceState& race, int kind);
// How many variants a picture of this kind has; the rules roll among them.
constexpr int AnimeVariants(int kind) {
    constexpr int Variants[] = {5, 5, 10, 5, 1, 1, 1, 10};
    return kind >= 1 && kind <= 8 ? Variants[kind - 1] : 0;
}
// "sta03": the picture's name below img/anime, without ".bmp"; "" for an unknown kind.
void AppendAnimeName(std::string& name, int kind, int variant);

} // namespace karven
