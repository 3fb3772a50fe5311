#include "race/RaceDisplay.h"

#include <algorithm>
#include <charconv>

#include "race/Anime.h"
#include "season/Numbers.h"
#include "season/Season.h"
#include "shell/Grid.h"
#include "shell/MainState.h"
#include "shell/MessageWindows.h"
#include "shell/Platform.h"
#include "shell/Shell.h"
#include "weekend/CourseFactor.h"

namespace karven {

namespace {
void AppendInt(std::string& text, long long value) {
    char buffer[24];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    text.append(buffer, result.ptr);
}

// The driver and the team on lines of their own.
void AppendNames(std::string& text, const EntryRecord& car) {
    text += car.DrvNm;
    text += CrLf;
    text += "（";
    text += car.TimNm;
    text += "）";
    text += CrLf;
}

// "第N戦"
void AppendRound(std::string& text, int n) {
    text += "第";
    AppendInt(text, n);
    text += "戦";
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
      appPath_(shell.platform.AppPath()), lblTitle_(&shell.main("lblTitle")), imgAnime_(&shell.main("imgAnime")),
      lblKousui_(&shell.main("lblKousui")),
      imgTenki_{&shell.main("imgTenki", 0), &shell.main("imgTenki", 1), &shell.main("imgTenki", 2),
                &shell.main("imgTenki", 3)} {
    // ColorFilePath(ColorNo, 1), without asking the platform for its folder for every car.
    const std::string colorPrefix = ColorFilePath(shell, "", 1);
    const std::string colorSuffix = ".dat";
    colorPaths_.resize(entries_.size());
    for (size_t i = 1; i < entries_.size(); ++i) {
        colorPaths_[i].assign(colorPrefix, 0, colorPrefix.size() - colorSuffix.size());
        colorPaths_[i] += entries_[i].ColorNo;
        colorPaths_[i] += colorSuffix;
    }
}

std::string& RaceDisplay::Title() {
    std::string& title = lblTitle_->text;
    title.clear();
    AppendRound(title, N_);
    title += " ";
    title += gp_.GpNm;
    title += " ＧＰ ";
    return title;
}

void RaceDisplay::Comment() { ShowComment(shell_); }

void RaceDisplay::CaptionComment(const RaceState& race, int k, int of, const char* tail) {
    std::string& text = shell_.MsgText;
    text.clear();
    AppendInt(text, k);
    text += "位";
    text += CrLf;
    AppendNames(text, Entry(race, of));
    text += CrLf;
    text += tail;
    Comment();
}

bool RaceDisplay::ConfirmStart(const RaceState& race) {
    std::string& text = shell_.MsgText;
    text.clear();
    AppendRound(text, N_);
    text += CrLf;
    std::string caption = CourseCaption(gp_.CourseType);
    if (!caption.empty()) {
        text += caption;
        text += CrLf;
    }
    text += gp_.GpNm;
    text += " ＧＰ";
    text += CrLf;
    if (race.setup.eveTen) {
        text += "天候は ";
        text += WeatherText(race.Tenkou);
        text += " 降水確率は ";
        AppendInt(text, race.Kousui);
        text += "%";
        text += CrLf;
    }
    text += CrLf;
    text += "決勝をスタートしてよろしいですか？";
    return AskOkCancel(shell_) != 0;
}

void RaceDisplay::Picture(const RaceState&, int kind, int variant) {
    if (shell_.SkipRequested) { // drawn when the race ends, as the last one clicking would have left
        pictureOwed_ = {kind, variant};
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
        }
    }
    if (race.setup.eveTen) LoadWeatherPictures();
    shell_.SkipOffered = true;
    shell_.SkipRequested = false;
    std::string& text = shell_.MsgText;
    text.clear();
    AppendRound(text, N_);
    text += CrLf;
    text += gp_.GpNm;
    text += " ＧＰ";
    text += CrLf;
    text += CrLf;
    text += "決勝スタート！！";
    ShowOk(shell_);
}

void RaceDisplay::LoadWeatherPictures() {
    static constexpr const char* Files[] = {"hare.bmp", "kumori.bmp", "ame.bmp"};
    const std::string folder = DataPath(appPath_, "tenkou");
    for (int i = 1; i <= 3; ++i) imgTenki_[i]->picture = folder + Files[i - 1];
}

void RaceDisplay::ShowLap(const RaceState& race) {
    std::string& title = Title();
    AppendInt(title, race.lap);
    title += "周目";
    if (race.setup.eveTen) {
        imgTenki_[0]->picture = imgTenki_[race.Tenkou]->picture;
        lblKousui_->text.clear();
        AppendInt(lblKousui_->text, race.Kousui);
    }
    std::string& text = shell_.MsgText;
    text.clear();
    AppendInt(text, race.lap);
    text += "周目";
    text += CrLf;
    if (race.setup.eveTen) {
        text += CrLf;
        text += "天気は ";
        text += WeatherText(race.Tenkou);
    }
    Comment();
}

void RaceDisplay::Note(RaceEvent event, int k, int j) {
    rowOwed_.resize(GridRows + 1);
    timeOwed_.resize(GridRows + 1);
    if (event == RaceEvent::Moved)
        for (int p = std::max(1, std::min(k, j)); p <= std::min(GridRows, std::max(k, j)); ++p) rowOwed_[p] = 1;
    if ((event == RaceEvent::LapTime || event == RaceEvent::Blocked) && k >= 1 && k <= GridRows) timeOwed_[k] = 1;
    if (event == RaceEvent::Lap) weatherOwed_ = true;
}

// The board as clicking through would have left it: every row and Time that changed, the lap, the weather.
void RaceDisplay::CatchUp(const RaceState& race) {
    rowOwed_.resize(GridRows + 1);
    timeOwed_.resize(GridRows + 1);
    for (int p = 1; p <= std::min(race.Cars(), GridRows); ++p) {
        if (rowOwed_[p]) WriteRows(race, p, p);
        else if (timeOwed_[p]) WriteTime(race, p);
    }
    if (weatherOwed_) {
        std::string& title = Title();
        AppendInt(title, race.lap);
        title += "周目";
    }
    if (pictureOwed_.first != 0) {
        ShowPicture(pictureOwed_.first, pictureOwed_.second);
        pictureOwed_ = {};
    }
    if (weatherOwed_ && race.setup.eveTen) {
        imgTenki_[0]->picture = imgTenki_[race.Tenkou]->picture;
        lblKousui_->text.clear();
        AppendInt(lblKousui_->text, race.Kousui);
    }
}

void RaceDisplay::Event(const RaceState& race, RaceEvent event, int k, int j) {
    std::string& text = shell_.MsgText;
    FrmKarvenRace& main = shell_.main;
    if (event == RaceEvent::Finished) {
        if (shell_.SkipRequested) CatchUp(race);
        shell_.SkipOffered = shell_.SkipRequested = false;
    } else if (shell_.SkipRequested && event != RaceEvent::SeasonOver && event != RaceEvent::Booked) {
        Note(event, k, j);
        return;
    }
    switch (event) {
    case RaceEvent::SetUp:
        Title() += "決勝";
        SetRaceView(main, 2);
        SetGridHeader(main, 3);
        break;
    case RaceEvent::Started: StartBoard(race); break;
    case RaceEvent::Lap: ShowLap(race); break;
    case RaceEvent::Moved: WriteRows(race, k, j); break;
    case RaceEvent::LapTime: WriteTime(race, k); break;
    case RaceEvent::FastestLap: CaptionComment(race, k, k, "ＦＬが出ました！！"); break;
    case RaceEvent::Retired: CaptionComment(race, k, j, "リタイアだあ！！"); break;
    case RaceEvent::JumpStart: CaptionComment(race, k, k, "スタートでジャンプアップだあ！"); break;
    case RaceEvent::AttackInside: CaptionComment(race, k, k, "インからいったー！！"); break;
    case RaceEvent::AttackOutside: CaptionComment(race, k, k, "アウトからいったー！！"); break;
    case RaceEvent::Blocked:
        WriteTime(race, k);
        text.clear();
        text += "しかし！！";
        text += CrLf;
        AppendNames(text, Entry(race, k - 1));
        text += CrLf;
        text += "ブロックしたあ！！";
        Comment();
        break;
    case RaceEvent::Passed: CaptionComment(race, k - 1, k, "を抜いたあ！！"); break;
    case RaceEvent::Penalty: {
        const char* reason = race.lap >= 20 ? "ピットレーン速度違反による" : "フライングによる";
        CaptionComment(race, k, k, (std::string(reason) + CrLf + "ペナルティが出ました！！").c_str());
        break;
    }
    case RaceEvent::PenaltyPitIn: CaptionComment(race, k, k, "ペナルティピットイン！！"); break;
    case RaceEvent::PenaltyPitOut:
        text.clear();
        AppendNames(text, Entry(race, j));
        text += CrLf;
        AppendInt(text, j);
        text += "位で";
        text += CrLf;
        text += "ピットアウトです！！";
        Comment();
        break;
    case RaceEvent::PitIn: CaptionComment(race, k, k, "ピットインです！！"); break;
    case RaceEvent::PitOut:
        text.clear();
        AppendNames(text, Entry(race, j));
        text += "ピットタイム ";
        text += Format0_0(race.pitTime);
        text += " 秒";
        text += CrLf;
        text += CrLf;
        AppendInt(text, j);
        text += "位";
        text += CrLf;
        text += "ピットアウトです！！";
        Comment();
        break;
    case RaceEvent::Finished:
        text = "レースが終了しました。";
        ShowOk(shell_);
        SetRaceView(main, 1);
        SetMainState(main, 2);
        break;
    case RaceEvent::SeasonOver:
        text = "すべての日程が終了しました。";
        ShowOk(shell_);
        SetRaceView(main, 1);
        SetMainState(main, 4);
        break;
    case RaceEvent::Booked:
        lblTitle_->text = "第" + shell_.season.Sis.EndGp + "戦 " + gp_.GpNm + " ＧＰ 決勝結果";
        for (int p = 1; p <= std::min(race.Cars(), GridRows); ++p)
            if (race.HoldsFastestLap(race.car[p])) main.lbl(1, p).text = "FL";
        break;
    }
}

EntryRecord RaceDisplay::Record(const RaceState& race, int k) const {
    const RaceCar& car = race.car[k];
    EntryRecord e = entries_[car.id];
    e.Retired = car.retired ? "1" : "0";
    e.PitCount = std::to_string(car.pitCount);
    e.RainTyre = car.rainTyre ? "1" : "0";
    e.TyreLaps = std::to_string(car.tyreLaps);
    e.Time = Format0_00(car.time);
    e.PenLap = car.penLap ? "1" : "0";
    return e;
}

std::vector<RaceCar> GridOf(const std::vector<EntryRecord>& entries, const std::string& courseType) {
    std::vector<RaceCar> grid(entries.size());
    for (size_t i = 1; i < entries.size(); ++i) {
        const EntryRecord& e = entries[i];
        RaceCar& c = grid[i];
        c.id = int(i);
        c.driver = ReadCount(e.DrvNo);
        c.team = ReadCount(e.TimNo);
        c.courseFactor = CourseFactor(courseType, e.Speed);
        c.aero = ReadNumber(e.Aero);
        c.technique = ReadNumber(e.Technique);
        c.roughness = ReadNumber(e.Roughness);
        c.block = ReadNumber(e.Block);
        c.drvStability = ReadNumber(e.DrvStability);
        c.reliability = RoundHalfEven(c.drvStability + ReadNumber(e.TimStability));
        c.penalty = RoundHalfEven(c.technique + c.roughness + c.block + c.drvStability);
        c.time = ReadNumber(e.Time);
        c.tyreLaps = ReadCount(e.TyreLaps);
        c.pitCount = ReadCount(e.PitCount);
        c.retired = e.Retired != "0";
        c.rainTyre = e.RainTyre == "1";
        c.penLap = e.PenLap != "0";
    }
    return grid;
}

RaceSetup SetupOf(const Shell& shell, int n, int entryCount) {
    return SetupOf(shell.season, n, entryCount, {shell.EvePit == "1", shell.EvePen == "1", shell.EveTen == "1"});
}

} // namespace karven
