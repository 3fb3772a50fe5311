#include "race/RaceState.h"

#include <charconv>

#include "season/Numbers.h"
#include "season/Season.h"
#include "shell/MessageWindows.h"
#include "shell/Platform.h"
#include "shell/Shell.h"

namespace karven {

RaceState::RaceState(Shell& shell, RaceWeekend& weekend, int gp)
    : shell(shell), season(shell.season), main(shell.main), table(weekend.KesyouTable), gp(season.GpTable[gp]), N(gp),
      // A stored NinCount above the entered drivers races with those that entered.
      nin(std::max(0, std::min(ReadCount(season.Sis.NinCount), weekend.EntryCount))),
      syuCount(ReadCount(season.Sis.SyuCount)), syuValue(ReadNumber(season.Sis.SyuCount)), evePit(shell.EvePit == "1"),
      evePen(shell.EvePen == "1"), eveTen(shell.EveTen == "1"), appPath(shell.platform.AppPath()),
      lblTitle(&shell.main("lblTitle")), imgAnime(&shell.main("imgAnime")), lblKousui(&shell.main("lblKousui")),
      imgTenki{&shell.main("imgTenki", 0), &shell.main("imgTenki", 1), &shell.main("imgTenki", 2),
               &shell.main("imgTenki", 3)} {}

const char* WeatherText(int tenkou) {
    switch (tenkou) {
    case 1: return "晴れ";
    case 2: return "くもり";
    default: return "雨";
    }
}

int TenkouOf(int kousui) { return kousui <= 30 ? 1 : kousui <= 60 ? 2 : 3; }

bool OnWrongTyres(const RaceState& race, const EntryRecord& car) {
    double tyre = ReadNumber(car.RainTyre);
    return (tyre == 1 && race.Tenkou != 3) || (tyre == 0 && race.Tenkou == 3);
}

void AppendInt(std::string& text, long long value) {
    char buffer[24];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    text.append(buffer, result.ptr);
}

void AppendCaption(std::string& text, int position, const EntryRecord& car) {
    AppendInt(text, position);
    text += "位";
    text += CrLf;
    text += car.DrvNm;
    text += CrLf;
    text += "（";
    text += car.TimNm;
    text += "）";
    text += CrLf;
    text += CrLf;
}

void Comment(RaceState& race) { ShowComment(race.shell); }

} // namespace karven
