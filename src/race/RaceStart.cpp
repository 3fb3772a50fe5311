#include "race/RaceStart.h"

#include <algorithm>

#include "race/Anime.h"
#include "race/RaceState.h"
#include "season/Season.h"
#include "season/Utf8.h"
#include "shell/Grid.h"
#include "shell/MainState.h"
#include "shell/MessageWindows.h"
#include "shell/Random.h"
#include "shell/Shell.h"

namespace karven {

namespace {
// "第N戦"
void AppendRound(std::string& text, int n) {
    text += "第";
    AppendInt(text, n);
    text += "戦";
}
} // namespace

bool ConfirmStart(RaceState& race) {
    Shell& shell = race.shell;
    if (race.eveTen) {
        race.Kousui = int(shell.random.Next() * 100);
        race.Tenkou = TenkouOf(race.Kousui);
    } else {
        race.Kousui = 0;
        race.Tenkou = 1;
    }
    std::string& text = shell.MsgText;
    text.clear();
    AppendRound(text, race.N);
    text += CrLf;
    std::string caption = CourseCaption(race.gp.CourseType);
    if (!caption.empty()) {
        text += caption;
        text += CrLf;
    }
    text += race.gp.GpNm;
    text += " ＧＰ";
    text += CrLf;
    if (race.eveTen) {
        text += "天候は ";
        text += WeatherText(race.Tenkou);
        text += " 降水確率は ";
        AppendInt(text, race.Kousui);
        text += "%";
        text += CrLf;
    }
    text += CrLf;
    text += "決勝をスタートしてよろしいですか？";
    return AskOkCancel(shell) != 0;
}

// "第N戦 <GpNm> ＧＰ " at the head of the title line; the caller adds what the grid shows.
static std::string& StartTitle(RaceState& race) {
    std::string& title = race.lblTitle->text;
    title.clear();
    AppendRound(title, race.N);
    title += " ";
    title += race.gp.GpNm;
    title += " ＧＰ ";
    return title;
}

void SetUpRace(RaceState& race, const RaceWeekend& weekend) {
    Shell& shell = race.shell;
    FrmKarvenRace& main = race.main;
    StartTitle(race) += "決勝";
    SetRaceView(main, 2);
    SetGridHeader(main, 3);
    ShowAnime(race, 1);

    const char* tyreMark = race.Tenkou == 3 ? "R" : "";
    const std::string blank = ColorFilePath(shell, "", 0);
    for (int k = 1; k <= std::min(weekend.EntryCount, GridRows); ++k) {
        if (k <= race.nin) {
            main.lbl(5, k).text = "0";
            main.lbl(6, k).text = tyreMark;
        } else {
            for (int c = 1; c <= 6; ++c) main.lbl(c, k).text.clear();
            main.imgCo(k).picture = blank;
        }
    }

    std::vector<EntryRecord>& table = race.table;
    table.assign(race.nin + 1, EntryRecord{});
    for (int k = 1; k <= race.nin; ++k) {
        EntryRecord& car = table[k] = weekend.YosenResultTable[k];
        car.RainTyre = race.Tenkou == 3 ? "1" : "0";
        car.TimNm = TextBefore(car.TimNm, "・");
    }
    // Fields with their own buffers move by handing the buffer over; short texts would be copied,
    // and the laps move cars through the table hundreds of times.
    for (EntryRecord& car : table)
        for (std::string* field : {&car.TimNo, &car.TimNm, &car.ColorNo, &car.Speed, &car.Aero, &car.TimStability,
                                   &car.DrvNo, &car.DrvNm, &car.Technique, &car.Roughness, &car.Block,
                                   &car.DrvStability, &car.Retired, &car.PitCount, &car.RainTyre, &car.TyreLaps,
                                   &car.Time, &car.PenLap})
            field->reserve(16);
    PrepareCars(race);

    if (race.eveTen) LoadWeatherPictures(race);

    std::string& text = shell.MsgText;
    text.clear();
    AppendRound(text, race.N);
    text += CrLf;
    text += race.gp.GpNm;
    text += " ＧＰ";
    text += CrLf;
    text += CrLf;
    text += "決勝スタート！！";
    ShowOk(shell);
    ShowAnime(race, 2);
}

void TopOfLap(RaceState& race, int lap) {
    Shell& shell = race.shell;
    std::string& title = StartTitle(race);
    AppendInt(title, lap);
    title += "周目";

    race.PrevTenkou = race.Tenkou;
    if (race.eveTen) {
        int d = shell.random.Roll(2);
        int m = shell.random.Roll(10);
        if (d == 1) {
            race.Kousui -= m;
            if (race.Kousui < 1) race.Kousui = 0;
        } else {
            race.Kousui += m;
            if (race.Kousui > 99) race.Kousui = 100;
        }
        race.Tenkou = TenkouOf(race.Kousui);
        ShowWeather(race);
    }
    ShowAnime(race, 3);

    std::string& text = shell.MsgText;
    text.clear();
    AppendInt(text, lap);
    text += "周目";
    text += CrLf;
    if (race.eveTen) {
        text += CrLf;
        text += "天気は ";
        text += WeatherText(race.Tenkou);
    }
    Comment(race);
}

} // namespace karven
