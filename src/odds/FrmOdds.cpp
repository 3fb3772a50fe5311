#include "odds/FrmOdds.h"

#include <algorithm>
#include <memory>
#include <random>
#include <thread>

#include "odds/AnalysisView.h"
#include "odds/MachinePalette.h"
#include "season/Numbers.h"
#include "season/Season.h"
#include "season/SeasonFile.h"
#include "season/Translate.h"
#include "shell/Chart.h"
#include "shell/Platform.h"
#include "shell/Shell.h"
#include "standings/Rankings.h"

namespace karven {

namespace {
using Words = OddsWords;
constexpr int Width = 720, Height = 640;
constexpr int Places = 3; // a winner, or the first three
constexpr uint32_t FailedColour = 0xB00000;

// No Grand Prix left: the title is decided and the final standings show.
bool Decided(const Season& season) { return ReadCount(season.Sis.EndGp) >= ReadCount(season.Sis.GpCount); }

// The chances as bars, best on top, in the machines' colours; for drivers the crown's beside.
std::shared_ptr<Chart> OddsBars(Shell& shell, const std::vector<OddsEntry>& entries, bool drivers) {
    auto chart = std::make_shared<Chart>();
    chart->barSets.push_back(Tr(Words::TitleSet));
    if (drivers) chart->barSets.push_back(Tr(Words::CrownSet));
    chart->x.top = 100;
    chart->x.step = 20;
    chart->x.unit = "%";
    chart->legendTip = Tr(drivers ? Words::DriversTip : Words::TeamsTip);
    MachinePalette palette(shell);
    const Season& season = shell.season;
    for (const OddsEntry& e : OddsShown(entries, drivers)) {
        ChartLine& line = chart->lines.emplace_back();
        line.name = e.Nm;
        std::string colorNo;
        if (drivers && e.index > 0 && e.index < int(season.DrvTable.size())) {
            if (const TimRecord* team = TeamOf(season, season.DrvTable[size_t(e.index)])) colorNo = team->ColorNo;
        } else if (!drivers && e.index > 0 && e.index < int(season.TimTable.size())) {
            colorNo = season.TimTable[size_t(e.index)].ColorNo;
        }
        line.colour = colorNo.empty() ? 0x787878 : palette.Of(colorNo);
        line.values.push_back(OddsPercent(e.title));
        if (drivers) line.values.push_back(OddsPercent(e.crowned));
    }
    chart->info = chart->BarsInWords();
    return chart;
}

Control& TableOf(Form& form, const char* name, Rect rect, std::initializer_list<Control::Column> columns) {
    Control& table = form.Add(ControlKind::Table, name, rect);
    table.columns = columns;
    return table;
}
} // namespace

FrmOdds::FrmOdds(Shell& shell)
    : Form("frmOdds", Words::Title), shell_(shell),
      pages_(*this, "oddsTabs", {8, Decided(shell.season) ? 76 : 144, Width - 16, 30}) {
    geometry = {0, 0, Width, Height};
    const Season& season = shell.season;
    const int endGp = ReadCount(season.Sis.EndGp), gps = ReadCount(season.Sis.GpCount);
    const bool decided = Decided(season);
    Control& heading = Add(ControlKind::Label, "lblOddsHeading", {12, 8, Width - 24, 28},
                           decided ? TrF(Words::HeadingDecided, endGp) : TrF(Words::HeadingOpen, endGp, gps - endGp));
    heading.style.bold = true;
    heading.style.fontSize = 12;
    Add(ControlKind::Label, "oddsStatus", {12, 42, 330, 26}, decided ? Words::StatusDecided : Words::StatusCounting);
    Control& bar = Add(ControlKind::Progress, "oddsBar", {350, 46, Width - 470, 18});
    bar.toolTip = Words::BarTip;
    bar.maximum = AnswerWithinMs;
    bar.spoken = Words::BarName;
    Control& stop = Add(ControlKind::Button, "oddsStop", {Width - 108, 40, 96, 30}, Words::Stop);
    stop.toolTip = Words::StopTip;
    stop.onClick = [this] { Stop(); };

    const int top = pages_.Tabs().rect.top + 34;
    if (decided) BuildDecided(top);
    else BuildOpen(top);

    Control& note = Add(ControlKind::Label, "analysisNote", {12, Height - 88, Width - 140, 46}, decided ? Words::NoteDecided : Words::NoteOpen);
    note.style.wrap = true;
    Control& close = Add(ControlKind::Button, "analysisClose", {Width - 108, Height - 42, 96, 30}, "閉じる");
    close.toolTip = "ウィンドウを閉じます（Esc）。";
    close.onClick = [this] { Leave(); };
    defaultButton = cancelButton = "analysisClose";
    if (decided) {
        focusRequest = "oddsDrivers";
        return;
    }
    Start();
}

FrmOdds::~FrmOdds() {
    if (counting_) shell_.platform.StopBackground();
}

void FrmOdds::BuildDecided(int top) {
    (*this)("oddsBar").visible = false;
    (*this)("oddsStop").visible = false;
    const Rect area{8, top, Width - 16, Height - 96 - top};
    for (int p = 0; p < 2; ++p) pages_.AddPage(Words::Pages[p].title, Words::Pages[p].tip);
    Control& drivers = pages_.Put(0, TableOf(*this, "oddsDrivers", area,
                                             {{Words::DriverHeadings[0], 52, Align::Right}, {Words::DriverHeadings[1], 0, Align::Left},
                                              {Words::DriverHeadings[2], 0, Align::Left}, {Words::DriverHeadings[3], 80, Align::Right}}));
    for (const DriverStanding& d : DriverStandings(shell_.season))
        drivers.rows.push_back({std::to_string(d.rank), d.DrvNm, d.TimNm, d.Points});
    Control& teams = pages_.Put(1, TableOf(*this, "oddsTeams", area,
                                           {{Words::TeamHeadings[0], 52, Align::Right}, {Words::TeamHeadings[1], 0, Align::Left},
                                            {Words::TeamHeadings[2], 80, Align::Right}}));
    for (const TeamStanding& t : TeamStandings(shell_.season)) teams.rows.push_back({std::to_string(t.rank), t.TimNm, t.Points});
    for (Control* table : {&drivers, &teams}) {
        table->toolTip = Words::FinalTip;
        table->listIndex = table->rows.empty() ? -1 : 0; // the champion
    }
    drivers.spoken = Words::Pages[0].title;
    teams.spoken = Words::Pages[1].title;
}

void FrmOdds::BuildOpen(int top) {
    const Season& season = shell_.season;
    Control& caption = Add(ControlKind::Label, "lblWhatIf", {12, 78, 56, 26}, Words::WhatIf);
    Control& gp = Add(ControlKind::ComboBox, "whatIfGp", {70, 76, 200, 28});
    gp.style.typed = false;
    gp.toolTip = Words::WhatIfGpTip;
    gp.labelledBy = caption.Key();
    for (int g : WhatIfGps(season)) gp.items.push_back(TrF(Words::WhatIfGp, g, season.GpTable[size_t(g)].GpNm));
    gp.listIndex = gp.items.empty() ? -1 : 0;
    if (!gp.items.empty()) gp.text = gp.items[0];
    const std::vector<int> drivers = WhatIfDrivers(season);
    for (int p = 1; p <= Places; ++p) {
        Control& place = Add(ControlKind::ComboBox, "whatIfPlace", p, {276 + (p - 1) * 146, 76, 140, 28});
        place.style.typed = false;
        place.toolTip = TrF(Words::WhatIfPlaceTip, p);
        place.spoken = TrF(Words::WhatIfPlaceNone, p);
        place.items.push_back(place.spoken);
        for (int d : drivers) place.items.push_back(season.DrvTable[size_t(d)].DrvNm);
        place.listIndex = 0;
        place.text = place.items[0];
    }
    Control& list = Add(ControlKind::Label, "whatIfList", {12, 110, Width - 232, 28});
    list.style.wrap = true;
    list.text = WhatIfText(season, fixed_);
    auto [fixText, fixKey] = SplitAccessKey(Tr(Words::Fix));
    Control& fix = Add(ControlKind::Button, "whatIfFix", {Width - 212, 108, 96, 30}, fixText);
    fix.accessKey = fixKey;
    fix.toolTip = Words::FixTip;
    fix.onClick = [this] { Fix(); };
    auto [clearText, clearKey] = SplitAccessKey(Tr(Words::Clear));
    Control& clear = Add(ControlKind::Button, "whatIfClear", {Width - 108, 108, 96, 30}, clearText);
    clear.accessKey = clearKey;
    clear.toolTip = Words::ClearTip;
    clear.onClick = [this] { Clear(); };
    if (gp.items.empty()) { // no Grand Prix left to fix
        for (Control* c : {&gp, &fix, &clear}) c->enabled = false;
        for (int p = 1; p <= Places; ++p) (*this)("whatIfPlace", p).enabled = false;
    }

    for (const AnalysisPage& page : Words::Pages) pages_.AddPage(page.title, page.tip);
    const Rect area{8, top, Width - 16, Height - 96 - top};
    for (int p = 0; p < 2; ++p) {
        Control& chart = pages_.Put(p, Add(ControlKind::Chart, Words::Pages[p].key, area));
        chart.toolTip = p == 0 ? Words::DriversTip : Words::TeamsTip;
        chart.spoken = Words::Pages[p].title;
    }
    auto [kindText, kindKey] = SplitAccessKey(Tr(Words::TitleRacePicker));
    Control& kindLabel = pages_.Put(2, Add(ControlKind::Label, "lblTitleRaceKind", {14, top + 6, 150, 26}, kindText));
    kindLabel.accessKey = kindKey;
    Control& kind = pages_.Put(2, Add(ControlKind::ComboBox, "titleRaceKind", {168, top + 4, 220, 28}));
    kind.style.typed = false;
    kind.labelledBy = kindLabel.Key();
    kind.toolTip = Words::TitleRacePickerTip;
    for (const char* name : Words::TitleRaceNames) kind.items.push_back(Tr(name));
    kind.listIndex = 0;
    kind.text = kind.items[0];
    kind.onClick = [this] { ShowTitleRace(); };
    Control& table = pages_.Put(2, Add(ControlKind::Table, "titleRace", {14, top + 38, Width - 28, area.height - 44}));
    table.toolTip = Words::TitleRaceTip;
    table.spoken = Words::Pages[2].title;
    const int widths[] = {0, 64, 84, 64, 0};
    for (size_t c = 0; c < std::size(Words::TitleRaceHeadings); ++c) {
        const bool number = std::find(std::begin(Words::TitleRaceNumberColumns), std::end(Words::TitleRaceNumberColumns), int(c)) != std::end(Words::TitleRaceNumberColumns);
        table.columns.push_back({Words::TitleRaceHeadings[c], widths[c], number ? Align::Right : Align::Left});
    }
}

void FrmOdds::Start() {
    judged_.clear();
    for (Title title : {Title::Drivers, Title::Crowned, Title::Teams}) judged_.push_back(JudgeTitle(shell_.season, title, fixed_));
    ShowTitleRace();
    partial_.reset();
    ShowOdds(nullptr);
    Control& status = (*this)("oddsStatus");
    status.text = Tr(Words::StatusCounting);
    status.textColor = DefaultColor;
    (*this)("oddsBar").value = 0;
    (*this)("oddsStop").enabled = true;

    OddsRequest request;
    if (!SeasonFileBytes(shell_.season, request.season)) return Failed(Tr(Words::NoSeason));
    request.switches = shell_.events;
    request.seed = (uint64_t(std::random_device{}()) << 32) ^ std::random_device{}();
    request.runs = MaxRuns;
    request.threads = int(std::max(1u, std::thread::hardware_concurrency()));
    request.stopAfterMs = AnswerWithinMs;
    request.fixed = fixed_;
    request_ = OddsRequestText(request);
    counting_ = true;
    BackgroundJob job;
    job.request = request_;
    job.work = CountOdds;
    job.heard = [this](const std::string& answer) { Heard(answer); };
    job.failed = [this] { Failed(Tr(Words::NoCounter)); };
    shell_.platform.StartBackground(std::move(job));
}

void FrmOdds::Heard(const std::string& text) {
    OddsAnswer answer;
    if (!counting_ || !ReadOddsAnswer(text, answer)) return;
    if (answer.state == OddsAnswer::State::Unreadable) return Failed(Tr(Words::NoSeason));
    Control& bar = (*this)("oddsBar");
    if (answer.state == OddsAnswer::State::Final) {
        counting_ = false;
        return Finish(answer.odds);
    }
    partial_ = answer.odds;
    bar.value = std::min(answer.elapsedMs, bar.maximum);
    (*this)("oddsStatus").text = TrF(Words::Counting, answer.odds.runs);
    ShowOdds(&*partial_);
}

void FrmOdds::Finish(const std::optional<OddsResult>& odds) {
    counting_ = false;
    Control& bar = (*this)("oddsBar");
    bar.value = bar.maximum;
    (*this)("oddsStop").enabled = false;
    const OddsResult none;
    const OddsResult& shown = odds ? *odds : none;
    (*this)("oddsStatus").text = TrF(Words::Counted, shown.runs);
    ShowOdds(&shown);
    Announce((*this)("oddsStatus").text);
}

// The odds could not be played (to the end): the figures of the blocks done stand, with the reason.
void FrmOdds::Failed(const std::string& why) {
    if (counting_) shell_.platform.StopBackground();
    counting_ = false;
    const std::optional<OddsResult> partial = partial_;
    Control& bar = (*this)("oddsBar");
    const int reached = bar.value;
    Finish(partial);
    bar.value = reached; // not drawn as done
    Control& status = (*this)("oddsStatus");
    status.text = partial ? TrF("試算が途中で止まりました：{1}。{2} 回の試算による予想", why, partial->runs)
                          : TrF("予想を計算できませんでした：{1}。", why);
    status.textColor = FailedColour;
    announcements.clear();
    Announce(status.text);
}

// 中止: the figures of the blocks finished stand.
void FrmOdds::Stop() {
    if (!counting_) return;
    shell_.platform.StopBackground();
    counting_ = false;
    Finish(partial_);
}

void FrmOdds::Leave() {
    if (counting_) shell_.platform.StopBackground();
    counting_ = false;
    Close();
}

void FrmOdds::Fix() {
    FixedResult fix;
    const std::vector<int> gps = WhatIfGps(shell_.season), drivers = WhatIfDrivers(shell_.season);
    const int gp = (*this)("whatIfGp").listIndex;
    if (gp < 0 || gp >= int(gps.size())) return;
    fix.gp = gps[size_t(gp)];
    for (int p = 1; p <= Places; ++p) {
        const int chosen = (*this)("whatIfPlace", p).listIndex;
        if (chosen <= 0 || chosen > int(drivers.size())) break; // places are fixed from the first down
        fix.drivers.push_back(drivers[size_t(chosen - 1)]);
    }
    const std::string problem = AddWhatIf(shell_.season, fixed_, fix);
    if (!problem.empty()) {
        (*this)("whatIfList").text = problem;
        return;
    }
    (*this)("whatIfList").text = WhatIfText(shell_.season, fixed_);
    Start();
}

void FrmOdds::Clear() {
    for (int p = 1; p <= Places; ++p) {
        Control& place = (*this)("whatIfPlace", p);
        place.listIndex = 0;
        place.text = place.items[0];
    }
    if (fixed_.empty()) return;
    fixed_.clear();
    (*this)("whatIfList").text = WhatIfText(shell_.season, fixed_);
    Start();
}

void FrmOdds::ShowOdds(const OddsResult* odds) {
    static const OddsResult none;
    const OddsResult& shown = odds ? *odds : none;
    (*this)(Words::Pages[0].key).chart = OddsBars(shell_, shown.drivers, true);
    (*this)(Words::Pages[1].key).chart = OddsBars(shell_, shown.teams, false);
}

void FrmOdds::ShowTitleRace() {
    const int kind = std::clamp((*this)("titleRaceKind").listIndex, 0, 2);
    Control& table = (*this)("titleRace");
    table.rows.clear();
    if (size_t(kind) >= judged_.size()) return;
    for (const TitleChance* c : TitleRaceRows(judged_[size_t(kind)]))
        table.rows.push_back({c->Nm, FormatPlain(c->points), Tr(TitleStatusName(c->status)),
                              c->magicNumber > 0 ? std::to_string(c->magicNumber) : std::string(), c->text});
    table.listIndex = -1;
}

void ShowOdds(Shell& shell) {
    FrmOdds form(shell);
    shell.platform.ShowModal(form);
}

} // namespace karven
