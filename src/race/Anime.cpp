#include "race/Anime.h"

#include "race/RaceState.h"
#include "shell/Form.h"
#include "shell/Platform.h"
#include "shell/Random.h"
#include "shell/Shell.h"

namespace karven {

void ShowAnime(RaceState& race, int kind) {
    struct Kind {
        const char* base;
        int variants;
    };
    static constexpr Kind Kinds[] = {{"sta", 5}, {"go", 5},    {"run", 10},    {"ret", 5},
                                     {"pen", 1}, {"pitin", 1}, {"pitout", 1}, {"iku", 10}};
    if (kind < 1 || kind > 8) return;
    const Kind& k = Kinds[kind - 1];
    int variant = race.shell.random.Roll(k.variants);
    std::string& picture = race.imgAnime->picture;
    picture = race.animePath;
    picture += k.base;
    if (variant < 10) picture += '0';
    AppendInt(picture, variant);
    picture += ".bmp";
}

void LoadWeatherPictures(RaceState& race) {
    static constexpr const char* Files[] = {"hare.bmp", "kumori.bmp", "ame.bmp"};
    for (int i = 1; i <= 3; ++i) {
        std::string& picture = race.imgTenki[i]->picture;
        picture = race.appPath;
        picture += "img";
        picture += PathSeparator;
        picture += "tenkou";
        picture += PathSeparator;
        picture += Files[i - 1];
    }
}

void ShowWeather(RaceState& race) {
    race.imgTenki[0]->picture = race.imgTenki[race.Tenkou]->picture;
    race.lblKousui->text.clear();
    AppendInt(race.lblKousui->text, race.Kousui);
}

} // namespace karven
