#include "principal/Calls.h"

#include <algorithm>

#include "management/Management.h"
#include "principal/Board.h"
#include "principal/FrmCall.h"
#include "principal/Forecast.h"
#include "principal/Unseen.h"
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

int LastLap(const RaceState& race) { return std::min(race.setup.syuCount, MaxSyuCount); }

// A gap in Time, as the race compares Times: a car behind with less Time may attack the car ahead.
std::string AheadText(const RaceCar& car, const RaceCar& ahead) {
    if (car.time < ahead.time) return TrF("前の車よりタイムが {1} 秒少ない（仕掛けられます）", Format0_00(ahead.time - car.time));
    return TrF("前の車とのタイム差 {1} 秒", Format0_00(car.time - ahead.time));
}
std::string BehindText(const RaceCar& car, const RaceCar& behind) {
    if (behind.time < car.time) return TrF("後ろの車のほうがタイムが {1} 秒少ない（仕掛けられます）", Format0_00(car.time - behind.time));
    return TrF("後ろの車とのタイム差 {1} 秒", Format0_00(behind.time - car.time));
}

// The chance of rain, how it moved this lap, and what the race's own weather rule makes of it.
std::string ForecastText(const RaceState& race) {
    if (!race.setup.eveTen) return "";
    const int change = race.Kousui - race.PrevKousui;
    std::string trend = change > 0 ? "+" + FormatPlain(change) : change < 0 ? "−" + FormatPlain(-change) : "±0";
    std::string text = TrF("降水確率 {1}%（この周 {2}）", FormatPlain(race.Kousui), trend) + CrLf;
    const int left = LastLap(race) - race.lap;
    RainForecast f = ForecastRain(race.Kousui, left);
    auto percent = [](double p) { return FormatPlain(RoundHalfEven(p * 100)); };
    if (race.Tenkou == 3)
        text += TrF("次の周も雨 {1}%　ゴールまで降り続く {2}%", percent(f.nextLap), percent(f.beforeFlag)) + CrLf;
    else
        text += TrF("次の周に雨 {1}%　ゴールまでに雨 {2}%", percent(f.nextLap), percent(f.beforeFlag)) + CrLf;
    return text;
}

// Where the car stands: the weather and what it may do, its place, its Time, the Time to the
// running cars around it, its tyres.
std::string Situation(const Season& season, const RaceState& race, int k) {
    const RaceCar& car = race.car[size_t(k)];
    std::string text = TrF("{1}周目　天気は {2}", FormatPlain(race.lap), WeatherText(race.Tenkou)) + CrLf;
    text += ForecastText(race);
    text += TrF("{1}位　{2}", FormatPlain(k), DriverName(season, car)) + CrLf;
    text += TrF("タイム {1}", Format0_00(car.time)) + CrLf;
    // Retired cars stand behind the running ones: no Time to them means anything.
    if (k > 1 && !race.car[size_t(k - 1)].retired) text += AheadText(car, race.car[size_t(k - 1)]) + CrLf;
    if (k < race.Cars() && !race.car[size_t(k + 1)].retired) text += BehindText(car, race.car[size_t(k + 1)]) + CrLf;
    text += TrF("{1}（{2}周）", TyreText(car.rainTyre), FormatPlain(car.tyreLaps)) + CrLf;
    return text;
}
} // namespace

bool TeamCalls::Runs(const RaceState& race, int k) const {
    int team = TeamInCharge(season_);
    return team != 0 && race.car[size_t(k)].team == team;
}

AskedCalls::AskedCalls(Shell& shell) : TeamCalls(shell.season), shell_(shell) {}

// Under スキップ or オート実況 nobody is there to answer; on the last lap coming in cannot help.
// 次の判断まで asks him all the same.
bool AskedCalls::Answers(const RaceState& race) const {
    if (race.lap >= LastLap(race)) return false;
    return shell_.PlayToDecision || (!shell_.SkipRequested && shell_.AutoAdvanceMs <= 0);
}

bool AskedCalls::AskAbout(const RaceState& race, Call call) {
    // Played on to this call: what he did not see comes first.
    if (shell_.PlayToDecision) call.summary = UnseenSince(race, TeamInCharge(shell_.season), shell_.raceSeen);
    const bool answer = Ask(shell_, call);
    shell_.raceSeen = SeenNow(race);
    return answer;
}

// The principal's standing orders answer for him; "ask me" leaves the call to him.
bool AskedCalls::PitIn(RaceState& race, int k, bool rules) {
    const ManagementState& m = shell_.season.history.management;
    if (management::Running(shell_.season) && m.tyres != TyreOrder::Ask)
        return m.tyres == TyreOrder::Rules ? rules : OnWrongTyres(race, race.car[size_t(k)]);
    if (!Answers(race)) return rules;
    return AskAbout(race, {"ピットイン", Situation(shell_.season, race, k) + CrLf + Tr("ピットインしますか？"),
                           "ピットイン", "ステイアウト", rules, ""});
}

bool AskedCalls::RainTyres(RaceState& race, int k, bool rules) {
    const ManagementState& m = shell_.season.history.management;
    if (management::Running(shell_.season) && m.rain != RainOrder::Ask) return m.rain == RainOrder::Rules ? rules : race.Tenkou == 3;
    if (!Answers(race)) return rules;
    return AskAbout(race, {"タイヤ", Situation(shell_.season, race, k) + CrLf + Tr("どちらのタイヤを履きますか？"),
                           "レインタイヤ", "ドライタイヤ", rules, ""});
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
