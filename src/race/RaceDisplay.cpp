#include "race/RaceDisplay.h"

#include <algorithm>
#include <charconv>

#include "race/Anime.h"
#include "season/Numbers.h"
#include "season/Season.h"
#include "season/Translate.h"
#include "shell/Grid.h"
#include "shell/MainState.h"
#include "shell/MessageWindows.h"
#include "shell/Platform.h"
#include "shell/Shell.h"

namespace karven {

namespace {
void AppendInt(std::string& text, long long value) {
    char buffer[24];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    text.append(buffer, result.ptr);
}


std::string DataPath(const std::string& appPath, const char* folder) {
    std::string path = appPath;
    path += "img";
    path += PathSeparator;
    path += folder;
    path += PathSeparator;
    return path;
}
} // namespace

RaceDisplay::RaceDisplay(Shell& shell, const RaceWeekend& weekend, int gp, std::vector<EntryRecord> entries)
    : shell_(shell), weekend_(weekend), gp_(shell.season.GpTable[gp]), N_(gp), entries_(std::move(entries)),
      appPath_(shell.platform.AppPath()), imgAnime_(&shell.main("imgAnime")),
      lblKousui_(&shell.main("lblKousui")),
      imgTenki_{&shell.main("imgTenki", 0), &shell.main("imgTenki", 1), &shell.main("imgTenki", 2),
                &shell.main("imgTenki", 3)},
      notes_(GridRows) {
    const std::string colorFolder = ColorFolder(shell);
    colorPaths_.resize(entries_.size());
    mine_.resize(entries_.size());
    for (size_t i = 1; i < entries_.size(); ++i) mine_[i] = shell.season.history.principal.Runs(entries_[i].TimNo);
    for (size_t i = 1; i < entries_.size(); ++i) WriteColorPath(colorPaths_[i], colorFolder, entries_[i].ColorNo);
}

// Titles through SetTitle, so that a change of language writes them again.
void RaceDisplay::LapTitle(int lap) {
    SetTitle(shell_.main, [n = N_, name = gp_.GpNm, lap] { return TrF("第{1}戦 {2} ＧＰ {3}周目", n, name, lap); });
}

void RaceDisplay::Comment() { ShowComment(shell_); }

// The template's {1} is the place k, {2} and {3} the driver and the team of the car at place of.
void RaceDisplay::CaptionComment(const RaceState& race, int k, int of, const char* message) {
    const EntryRecord& car = Entry(race, of);
    TrFInto(shell_.MsgText, message, k, car.DrvNm, car.TimNm);
    Comment();
}

// {1} and {2} are the driver and the team of the car at place k, {3} and on the values.
template <class... A> void RaceDisplay::CarComment(const RaceState& race, int k, const char* message, const A&... values) {
    const EntryRecord& car = Entry(race, k);
    TrFInto(shell_.MsgText, message, car.DrvNm, car.TimNm, values...);
    Comment();
}

bool RaceDisplay::ConfirmStart(const RaceState& race) {
    std::string& text = shell_.MsgText;
    text = TrF("第{1}戦", N_) + CrLf;
    std::string caption = CourseCaption(gp_.CourseType);
    if (!caption.empty()) text += caption + CrLf;
    text += TrF("{1} ＧＰ", gp_.GpNm) + CrLf;
    if (race.setup.eveTen) text += TrF("天候は {1} 降水確率は {2}%", WeatherText(race.Tenkou), race.Kousui) + CrLf;
    text += CrLf;
    text += Tr("決勝をスタートしてよろしいですか？");
    return AskOkCancel(shell_) != 0;
}

void RaceDisplay::Picture(const RaceState&, int kind, int variant) {
    if (shell_.SkipRequested) { // drawn when the race ends, as the last one clicking would have left
        notes_.Picture(kind, variant);
        return;
    }
    ShowPicture(kind, variant);
}

void RaceDisplay::ShowPicture(int kind, int variant) {
    std::string& picture = imgAnime_->picture;
    picture = appPath_;
    picture += "img";
    picture += PathSeparator;
    picture += "anime";
    picture += PathSeparator;
    AppendAnimeName(picture, kind, variant);
    picture += ".bmp";
}

void RaceDisplay::WriteTime(const RaceState& race, int k) {
    if (k < 1 || k > GridRows) return; // cars beyond the grid's rows still race, unseen
    WriteFormat0_00(shell_.main.lbl(4, k).text, race.car[k].time);
}

void RaceDisplay::WriteRows(const RaceState& race, int from, int to) {
    if (from > to) std::swap(from, to);
    FrmKarvenRace& main = shell_.main;
    for (int k = std::max(from, 1); k <= std::min(to, GridRows); ++k) {
        const RaceCar& car = race.car[k];
        const EntryRecord& entry = entries_[car.id];
        main.lbl(2, k).text = entry.DrvNm;
        main.lbl(3, k).text = entry.TimNm;
        WriteTime(race, k);
        std::string& pit = main.lbl(5, k).text;
        pit.clear();
        AppendInt(pit, car.pitCount);
        std::string& tyre = main.lbl(6, k).text;
        if (car.rainTyre) tyre.assign(1, 'R');
        else tyre.clear();
        main.imgCo(k).picture = colorPaths_[car.id];
        MarkRow(main, k, mine_[car.id]);
    }
}

void RaceDisplay::StartBoard(const RaceState& race) {
    FrmKarvenRace& main = shell_.main;
    const char* tyreMark = race.Tenkou == 3 ? "R" : "";
    const std::string blank = ColorFilePath(shell_, "", 0);
    for (int k = 1; k <= std::min(weekend_.EntryCount, GridRows); ++k) {
        if (k <= race.Cars()) {
            main.lbl(5, k).text = "0";
            main.lbl(6, k).text = tyreMark;
        } else {
            for (int c = 1; c <= 6; ++c) main.lbl(c, k).text.clear();
            main.imgCo(k).picture = blank;
            MarkRow(main, k, false);
        }
    }
    if (race.setup.eveTen) LoadWeatherPictures();
    shell_.SkipOffered = true;
    shell_.SkipRequested = shell_.PlayToDecision = false;
    shell_.raceSeen = {};
    shell_.MsgText = TrF("第{1}戦", N_) + CrLf + TrF("{1} ＧＰ", gp_.GpNm) + CrLf + CrLf + Tr("決勝スタート！！");
    ShowOk(shell_);
}

void RaceDisplay::LoadWeatherPictures() {
    static constexpr const char* Files[] = {"hare.bmp", "kumori.bmp", "ame.bmp"};
    const std::string folder = DataPath(appPath_, "tenkou");
    for (int i = 1; i <= 3; ++i) imgTenki_[i]->picture = folder + Files[i - 1];
}

void RaceDisplay::ShowWeather(const RaceState& race) {
    imgTenki_[0]->picture = imgTenki_[race.Tenkou]->picture;
    lblKousui_->text.clear();
    AppendInt(lblKousui_->text, race.Kousui);
    imgTenki_[0]->spoken = TrF("{1}、降水確率 {2}%", WeatherText(race.Tenkou), race.Kousui);
}

void RaceDisplay::ShowLap(const RaceState& race) {
    shell_.raceSeen = {race.lap - 1, race.laps ? race.laps->retirements.size() : 0};
    LapTitle(race.lap);
    if (race.setup.eveTen) ShowWeather(race);
    std::string& text = shell_.MsgText;
    TrFInto(text, "{1}周目", race.lap);
    text += CrLf;
    if (race.setup.eveTen) {
        text += CrLf;
        text += TrF("天気は {1}", WeatherText(race.Tenkou));
    }
    Comment();
}

RaceNotes* RaceDisplay::Noting() { return shell_.SkipRequested ? &notes_ : nullptr; }

// The board as clicking through would have left it: every row and Time that changed, the lap, the weather.
void RaceDisplay::CatchUp(const RaceState& race) {
    for (int p = 1; p <= std::min(race.Cars(), GridRows); ++p) {
        if (notes_.rowOwed[size_t(p)]) WriteRows(race, p, p);
        else if (notes_.timeOwed[size_t(p)]) WriteTime(race, p);
    }
    if (notes_.weatherOwed) LapTitle(race.lap);
    if (notes_.pictureKind != 0) {
        ShowPicture(notes_.pictureKind, notes_.pictureVariant);
        notes_.pictureKind = 0;
    }
    if (notes_.weatherOwed && race.setup.eveTen) ShowWeather(race);
}

void RaceDisplay::Event(const RaceState& race, RaceEvent event, int k, int j) {
    std::string& text = shell_.MsgText;
    FrmKarvenRace& main = shell_.main;
    if (event == RaceEvent::Finished) {
        if (shell_.SkipRequested) CatchUp(race);
        shell_.SkipOffered = shell_.SkipRequested = shell_.PlayToDecision = false;
    } else if (shell_.SkipRequested && event != RaceEvent::SeasonOver && event != RaceEvent::Booked) {
        notes_.Note(event, k, j);
        return;
    }
    switch (event) {
    case RaceEvent::SetUp:
        SetTitle(main, [n = N_, name = gp_.GpNm] { return TrF("第{1}戦 {2} ＧＰ 決勝", n, name); });
        SetRaceView(main, RaceView::RacePanel);
        SetGridHeader(main, 3);
        break;
    case RaceEvent::Started: StartBoard(race); break;
    case RaceEvent::Lap: ShowLap(race); break;
    case RaceEvent::Moved: WriteRows(race, k, j); break;
    case RaceEvent::LapTime: WriteTime(race, k); break;
    case RaceEvent::FastestLap: CaptionComment(race, k, k, "{1}位\r\n{2}\r\n（{3}）\r\n\r\nＦＬが出ました！！"); break;
    case RaceEvent::Retired: CaptionComment(race, k, j, "{1}位\r\n{2}\r\n（{3}）\r\n\r\nリタイアだあ！！"); break;
    case RaceEvent::JumpStart:
        CaptionComment(race, k, k, "{1}位\r\n{2}\r\n（{3}）\r\n\r\nスタートでジャンプアップだあ！");
        break;
    case RaceEvent::AttackInside: CaptionComment(race, k, k, "{1}位\r\n{2}\r\n（{3}）\r\n\r\nインからいったー！！"); break;
    case RaceEvent::AttackOutside:
        CaptionComment(race, k, k, "{1}位\r\n{2}\r\n（{3}）\r\n\r\nアウトからいったー！！");
        break;
    case RaceEvent::Blocked:
        WriteTime(race, k);
        CarComment(race, k - 1, "しかし！！\r\n{1}\r\n（{2}）\r\n\r\nブロックしたあ！！");
        break;
    case RaceEvent::Passed: CaptionComment(race, k - 1, k, "{1}位\r\n{2}\r\n（{3}）\r\n\r\nを抜いたあ！！"); break;
    case RaceEvent::Penalty:
        CaptionComment(race, k, k,
                       race.lap >= 20 ? "{1}位\r\n{2}\r\n（{3}）\r\n\r\nピットレーン速度違反による\r\nペナルティが出ました！！"
                                      : "{1}位\r\n{2}\r\n（{3}）\r\n\r\nフライングによる\r\nペナルティが出ました！！");
        break;
    case RaceEvent::PenaltyPitIn:
        CaptionComment(race, k, k, "{1}位\r\n{2}\r\n（{3}）\r\n\r\nペナルティピットイン！！");
        break;
    case RaceEvent::PenaltyPitOut: CarComment(race, j, "{1}\r\n（{2}）\r\n\r\n{3}位で\r\nピットアウトです！！", j); break;
    case RaceEvent::PitIn: CaptionComment(race, k, k, "{1}位\r\n{2}\r\n（{3}）\r\n\r\nピットインです！！"); break;
    case RaceEvent::PitOut:
        CarComment(race, j, "{1}\r\n（{2}）\r\nピットタイム {3} 秒\r\n\r\n{4}位\r\nピットアウトです！！",
                   Format0_0(race.pitTime), j);
        break;
    case RaceEvent::Finished:
        text = Tr("レースが終了しました。");
        ShowOk(shell_);
        SetRaceView(main, RaceView::Commands);
        SetMainState(main, CommandState::BetweenGps);
        break;
    case RaceEvent::SeasonOver:
        text = Tr("すべての日程が終了しました。");
        ShowOk(shell_);
        SetRaceView(main, RaceView::Commands);
        SetMainState(main, CommandState::SeasonOver);
        break;
    case RaceEvent::Booked:
        SetTitle(main, [n = shell_.season.Sis.EndGp, name = gp_.GpNm] { return TrF("第{1}戦 {2} ＧＰ 決勝結果", n, name); });
        for (int p = 1; p <= std::min(race.Cars(), GridRows); ++p)
            if (race.HoldsFastestLap(race.car[p])) main.lbl(1, p).text = "FL";
        break;
    }
}

RaceSetup SetupOf(const Shell& shell, int n, int entryCount) {
    return SetupOf(shell.season, n, entryCount, shell.events);
}

} // namespace karven
