#include "race/Anime.h"

#include "race/RaceState.h"
#include "shell/Random.h"

namespace karven {

namespace {
constexpr const char* Bases[] = {"sta", "go", "run", "ret", "pen", "pitin", "pitout", "iku"};
} // namespace

void ShowAnime(RaceState& race, int kind) {
    if (kind < 1 || kind > 8) return;
    int variant = race.random.Roll(AnimeVariants(kind));
    if (race.observer.watching) race.observer.Picture(race, kind, variant);
}

void AppendAnimeName(std::string& name, int kind, int variant) {
    if (kind < 1 || kind > 8) return;
    name += Bases[kind - 1];
    if (variant < 10) name += '0';
    name += std::to_string(variant);
}

} // namespace karven
