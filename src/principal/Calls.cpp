#include "principal/Calls.h"

#include "principal/Board.h"
#include "principal/FrmCall.h"
#include "race/RaceState.h"
#include "season/Numbers.h"
#include "season/Season.h"
#include "season/Translate.h"
#include "shell/Shell.h"

namespace karven::principal {

namespace {
constexpr const char* CrLf = "\r\n";

std::string DriverName(const Season& season, const RaceCar& car) {
    return car.driver >= 1 && car.driver < int(season.DrvTable.size()) ? season.DrvTable[size_t(car.driver)].DrvNm : "";
}

std::string TyreText(bool rain) { return Tr(rain ? "レインタイヤ" : "ドライタイヤ"); }

// Where the car stands: the weather, its place, its Time, the gaps to the cars around it, its tyres.
std::string Situation(const Season& season, const RaceState& race, int k) {
    const RaceCar& car = race.car[size_t(k)];
    std::string text = TrF("{1}周目　天気は {2}", FormatPlain(race.lap), WeatherText(race.Tenkou)) + CrLf;
    text += TrF("{1}位　{2}", FormatPlain(k), DriverName(season, car)) + CrLf;
    text += TrF("タイム {1}", Format0_00(car.time)) + CrLf;
    if (k > 1) text += TrF("前の車との差 {1} 秒", Format0_00(car.time - race.car[size_t(k - 1)].time)) + CrLf;
    if (k < race.Cars()) text += TrF("後ろの車との差 {1} 秒", Format0_00(race.car[size_t(k + 1)].time - car.time)) + CrLf;
    text += TrF("{1}（{2}周）", TyreText(car.rainTyre), FormatPlain(car.tyreLaps)) + CrLf;
    return text;
}
} // namespace

bool TeamCalls::Runs(const RaceState& race, int k) const {
    int team = TeamInCharge(season_);
    return team != 0 && race.car[size_t(k)].team == team;
}

AskedCalls::AskedCalls(Shell& shell) : TeamCalls(shell.season), shell_(shell) {}

bool AskedCalls::Answers() const { return !shell_.SkipRequested && shell_.AutoAdvanceMs <= 0; }

bool AskedCalls::PitIn(RaceState& race, int k, bool rules) {
    if (!Answers()) return rules;
    Call call{"ピットイン", Situation(shell_.season, race, k) + CrLf + Tr("ピットインしますか？"), "ピットイン",
              "ステイアウト", rules};
    return Ask(shell_, call);
}

bool AskedCalls::RainTyres(RaceState& race, int k, bool rules) {
    if (!Answers()) return rules;
    Call call{"タイヤ", Situation(shell_.season, race, k) + CrLf + Tr("どちらのタイヤを履きますか？"),
              "レインタイヤ", "ドライタイヤ", rules};
    return Ask(shell_, call);
}

bool PolicyCalls::PitIn(RaceState& race, int k, bool rules) {
    if (policy_ == Policy::Rules) return rules;
    return OnWrongTyres(race, race.car[size_t(k)]);
}

bool PolicyCalls::RainTyres(RaceState& race, int, bool rules) {
    if (policy_ == Policy::Rules) return rules;
    return race.Tenkou == 3;
}

} // namespace karven::principal
