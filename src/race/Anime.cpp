#include "race/Anime.h"

#include "race/RaceState.h"
#include "shell/Random.h"

namespace karven {

namespace {
struct Kind {
    const char* base;
    int variants;
};
constexpr Kind Kinds[] = {{"sta", 5}, {"go", 5},    {"run", 10},    {"ret", 5},
                          {"pen", 1}, {"pitin", 1}, {"pitout", 1}, {"iku", 10}};
} // namespace

void ShowAnime(RaceState& race, int kind) {
    if (kind < 1 || kind > 8) return;
    int variant = race.random.Roll(Kinds[kind - 1].variants);
    if (race.observer.watching) race.observer.Picture(race, kind, variant);
}

void AppendAnimeName(std::string& name, int kind, int variant) {
    if (kind < 1 || kind > 8) return;
    name += Kinds[kind - 1].base;
    if (variant < 10) name += '0';
    name += std::to_string(variant);
}

} // namespace karven
