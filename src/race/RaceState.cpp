#include "race/RaceState.h"

#include <charconv>

#include "season/Numbers.h"
#include "season/Season.h"
#include "shell/Grid.h"
#include "weekend/CourseFactor.h"
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
               &shell.main("imgTenki", 3)} {
    animePath = appPath;
    animePath += "img";
    animePath += PathSeparator;
    animePath += "anime";
    animePath += PathSeparator;
}

void PrepareCars(RaceState& race) {
    const std::string colorPrefix = ColorFilePath(race.shell, "", 1);
    const std::string colorSuffix = ".dat";
    race.cars.assign(race.nin + 1, CarNumbers{});
    race.carOf.resize(race.nin + 1);
    for (int k = 0; k <= race.nin; ++k) {
        race.carOf[k] = k;
        if (k == 0) continue;
        const EntryRecord& car = race.table[k];
        CarNumbers& n = race.cars[k];
        n.courseFactor = CourseFactor(race.gp.CourseType, car.Speed);
        n.aero = ReadNumber(car.Aero);
        n.technique = ReadNumber(car.Technique);
        n.roughness = ReadNumber(car.Roughness);
        n.block = ReadNumber(car.Block);
        n.drvStability = ReadNumber(car.DrvStability);
        n.reliability = RoundHalfEven(n.drvStability + ReadNumber(car.TimStability));
        n.penalty = RoundHalfEven(n.technique + n.roughness + n.block + n.drvStability);
        n.time = ReadNumber(car.Time);
        n.tyreLaps = ReadCount(car.TyreLaps);
        n.retired = car.Retired != "0";
        n.rainTyre = car.RainTyre == "1";
        n.penLap = car.PenLap != "0";
        // ColorFilePath(ColorNo, 1), without asking the platform for its folder 32 times.
        n.colorPath.assign(colorPrefix, 0, colorPrefix.size() - colorSuffix.size());
        n.colorPath += car.ColorNo;
        n.colorPath += colorSuffix;
    }
}

void SetTime(RaceState& race, int k, double value) {
    EntryRecord& car = race.table[k];
    race.Numbers(k).time = AssignFormat0_00(car.Time, value);
}

void SetTyreLaps(RaceState& race, int k, int laps) {
    race.Numbers(k).tyreLaps = laps;
    std::string& text = race.table[k].TyreLaps;
    if (laps >= 0 && laps < 10) {
        text.assign(1, char('0' + laps)); // every running car, every lap
        return;
    }
    text.clear();
    AppendInt(text, laps);
}

const char* WeatherText(int tenkou) {
    switch (tenkou) {
    case 1: return "晴れ";
    case 2: return "くもり";
    default: return "雨";
    }
}

int TenkouOf(int kousui) { return kousui <= 30 ? 1 : kousui <= 60 ? 2 : 3; }

bool OnWrongTyres(const RaceState& race, const CarNumbers& car) {
    // The race itself writes RainTyre, always "0" or "1".
    return race.Tenkou == 3 ? !car.rainTyre : car.rainTyre;
}

void SetRetired(RaceState& race, int k) {
    race.Numbers(k).retired = true;
    race.table[k].Retired.assign(1, '1');
}

void SetRainTyre(RaceState& race, int k, bool rain) {
    race.Numbers(k).rainTyre = rain;
    race.table[k].RainTyre.assign(1, rain ? '1' : '0');
}

void SetPenLap(RaceState& race, int k, bool pen) {
    race.Numbers(k).penLap = pen;
    race.table[k].PenLap.assign(1, pen ? '1' : '0');
}

void AppendInt(std::string& text, long long value) {
    char buffer[24];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    text.append(buffer, result.ptr);
}

void AppendNames(std::string& text, const EntryRecord& car) {
    text += car.DrvNm;
    text += CrLf;
    text += "（";
    text += car.TimNm;
    text += "）";
    text += CrLf;
}

void AppendCaption(std::string& text, int position, const EntryRecord& car) {
    AppendInt(text, position);
    text += "位";
    text += CrLf;
    AppendNames(text, car);
    text += CrLf;
}

void Comment(RaceState& race) { ShowComment(race.shell); }

} // namespace karven
