#include "management/FrmHeadquarters.h"

#include <cmath>

#include "history/HistoryLayout.h"
#include "management/Field.h"
#include "management/Management.h"
#include "season/Translate.h"
#include "shell/Grades.h"
#include "shell/Platform.h"
#include "shell/Shell.h"
#include "weekend/CourseFactor.h"

namespace karven::management {

using namespace history;

namespace {
constexpr int Width = 1000;
constexpr int Column = (Width - 3 * Margin) / 2;
constexpr int Right = 2 * Margin + Column;
constexpr int Bottom = 540;

constexpr const char* ProgrammeNames[Programmes] = {"スピード", "空力", "信頼性"};
constexpr const char* CourseNames[] = {"超速", "速", "普通", "難", "超難"};
constexpr const char* TyreOrders[] = {"ピットイン：その都度たずねる", "ピットイン：ルールどおり", "ピットイン：合わないタイヤのときだけ"};
constexpr const char* RainOrders[] = {"雨のタイヤ：その都度たずねる", "雨のタイヤ：ルールどおり", "雨のタイヤ：天気に合わせる"};

Control& Heading(Form& form, const char* name, Rect rect, const char* text) {
    Control& c = form.Add(ControlKind::Label, name, rect, text);
    c.style.bold = true;
    return c;
}

std::string Signed(double quality) {
    const long hundredths = std::lround(quality * 100);
    return (hundredths >= 0 ? "+" : "−") + FormatPlain(int(std::labs(hundredths))) + "%";
}

const std::string& Rating(const TimRecord& t, int r) { return r == 0 ? t.Speed : r == 1 ? t.Aero : t.Stability; }

std::string DealLine(const SponsorDeal& d) {
    return TrF("{1}　年間 {2}　達成ボーナス {3}", DealText(d), MoneyText(d.money), MoneyText(d.bonus));
}

// The level of the steps nearest to a spending.
int LevelOf(Money spend) {
    int best = 0;
    for (int i = 0; i < int(std::size(SpendLevels)); ++i)
        if (std::llabs(Money(std::llround(SpendLevels[i] * MoneyUnit)) - spend) <
            std::llabs(Money(std::llround(SpendLevels[best] * MoneyUnit)) - spend))
            best = i;
    return best;
}
} // namespace

FrmHeadquarters::FrmHeadquarters(Shell& shell) : Form(FormName, "本部"), shell_(shell) {
    geometry = {0, 0, Width, Bottom + ButtonHeight + Margin};
    Control& title = Add(ControlKind::Label, "lblTitle", {Margin, 10, Width - 2 * Margin, 28});
    title.style.fontSize = 14;
    title.style.bold = true;
    Add(ControlKind::Label, "lblMoney", {Margin, 42, Width - 2 * Margin, 26});

    Heading(*this, "lblDevelopment", {Margin, 76, Column, 24}, "開発プログラム（1戦あたりの予算）");
    for (int r = 0; r < Programmes; ++r) {
        const int top = 104 + r * 34;
        Add(ControlKind::Label, "lblProgramme", r, {Margin, top + 4, 300, 24});
        Control& less = Add(ControlKind::Button, "cmdLess", r, {Margin + 304, top, 36, ButtonHeight}, "−");
        less.toolTip = TrF("{1}の開発予算を減らします。", Tr(ProgrammeNames[r]));
        Control& spend = Add(ControlKind::Label, "lblSpend", r, {Margin + 344, top + 4, 96, 24});
        spend.style.align = Align::Center;
        Control& more = Add(ControlKind::Button, "cmdMore", r, {Margin + 444, top, 36, ButtonHeight}, "+");
        more.toolTip = TrF("{1}の開発予算を増やします。", Tr(ProgrammeNames[r]));
        less.onClick = [this, r] { Step(r, -1); };
        more.onClick = [this, r] { Step(r, +1); };
    }
    Add(ControlKind::Label, "lblDevelopmentHint", {Margin, 206, Column, 40},
        "予算が多いほど進歩しますが、増やすほど効き目は小さくなります。進歩は数戦後に表れます。")
        .style.wrap = true;

    Heading(*this, "lblSponsor", {Margin, 254, Column, 24}, "スポンサー");
    Control& offers = Add(ControlKind::Table, "tblOffers", {Margin, 280, Column, 104});
    offers.columns = {{"目標", 0}, {"年間", 96, Align::Right}, {"ボーナス", 96, Align::Right}};
    offers.style.fontSize = 10;
    AddButton(*this, "cmdSponsor", "このスポンサーと契約", Margin, 390, 'S', 220);
    (*this)("cmdSponsor").onClick = [this] {
        if (TakeOffer(shell_.season, (*this)("tblOffers").listIndex)) Show();
    };

    Heading(*this, "lblOrders", {Margin, 432, Column, 24}, "レースの指示（その都度たずねない判断）");
    Add(ControlKind::Button, "cmdTyres", {Margin, 458, Column, ButtonHeight}).accessKey = 'P';
    Add(ControlKind::Button, "cmdRain", {Margin, 494, Column, ButtonHeight}).accessKey = 'R';
    (*this)("cmdTyres").onClick = [this] {
        ManagementState& m = shell_.season.history.management;
        m.tyres = TyreOrder((int(m.tyres) + 1) % 3);
        Show();
    };
    (*this)("cmdRain").onClick = [this] {
        ManagementState& m = shell_.season.history.management;
        m.rain = RainOrder((int(m.rain) + 1) % 3);
        Show();
    };

    Heading(*this, "lblBooksTitle", {Right, 76, Column, 24}, "今シーズンの収支");
    Control& books = Add(ControlKind::Table, "tblBooks", {Right, 104, Column, 190});
    books.columns = {{"戦", 40, Align::Right}, {"収入", 0, Align::Right}, {"支出", 0, Align::Right},
                     {"うち開発", 0, Align::Right}, {"資金", 0, Align::Right}};
    books.style.fontSize = 10;
    Heading(*this, "lblContractsTitle", {Right, 302, Column, 24}, "ドライバーの契約");
    Control& contracts = Add(ControlKind::Table, "tblContracts", {Right, 328, Column, 100});
    contracts.columns = {{"ドライバー", 0}, {"年俸", 110, Align::Right}, {"残り", 80, Align::Right}};
    contracts.style.fontSize = 10;
    Control& next = Add(ControlKind::Label, "lblNext", {Right, 440, Column, 84});
    next.style.wrap = true;

    AddClose(*this, Bottom);
    defaultButton = "cmdClose";
    Show();
}

void FrmHeadquarters::Load() {
    Place(shell_.main.geometry.left, shell_.main.geometry.top);
    focusRequest = (*this)("cmdSponsor").enabled ? "cmdSponsor" : "cmdClose";
}

void FrmHeadquarters::Step(int programme, int by) {
    const int team = TeamInCharge(shell_.season);
    if (!Running(shell_.season) || team == 0) return;
    const Money now = shell_.season.history.management.teams[size_t(team)].spend[size_t(programme)];
    const int level = std::clamp(LevelOf(now) + by, 0, int(std::size(SpendLevels)) - 1);
    SetSpend(shell_.season, programme, Money(std::llround(SpendLevels[level] * MoneyUnit)));
    Show();
}

void FrmHeadquarters::Show() {
    const Season& season = shell_.season;
    const int team = TeamInCharge(season);
    const bool running = Running(season) && team != 0;
    for (const char* name : {"cmdSponsor", "cmdTyres", "cmdRain"}) (*this)(name).enabled = running;
    for (int r = 0; r < Programmes; ++r) (*this)("cmdLess", r).enabled = (*this)("cmdMore", r).enabled = running;
    if (!running) {
        (*this)("lblTitle").text = Tr("本部");
        (*this)("lblMoney").text = Tr("監督モードでチームを選ぶと、チームの資金と開発を任されます。");
        return;
    }
    const ManagementState& m = season.history.management;
    const ManagedTeam& books = m.teams[size_t(team)];
    const TimRecord& record = season.TimTable[size_t(team)];
    (*this)("lblTitle").text = TrF("本部：{1}", record.TimNm);
    std::string money = TrF("資金 {1}　今シーズンの収入 {2}　支出 {3}", MoneyText(books.cash), MoneyText(books.account.In()),
                            MoneyText(books.account.Out()));
    if (books.cash < 0) money += std::string("　") + Tr("赤字です：利息がかかり、シーズンを赤字で終えると目標未達成とされます。");
    (*this)("lblMoney").text = money;
    (*this)("lblMoney").textColor = books.cash < 0 ? 0xC00000 : DefaultColor;

    for (int r = 0; r < Programmes; ++r) {
        const Scale scale = r == 2 ? Scale::High : Scale::Low;
        (*this)("lblProgramme", r).text = TrF("{1}　評価 {2}　今季の進歩 {3}", Tr(ProgrammeNames[r]),
                                              GradeLetter(Rating(record, r), scale), Signed(books.season[size_t(r)]));
        (*this)("lblSpend", r).text = MoneyText(books.spend[size_t(r)]);
    }

    Control& offers = (*this)("tblOffers");
    offers.rows.clear();
    if (!books.offers.empty()) {
        for (const SponsorDeal& d : books.offers) offers.rows.push_back({DealText(d), MoneyText(d.money), MoneyText(d.bonus)});
        offers.listIndex = std::clamp(offers.listIndex, 0, int(offers.rows.size()) - 1);
    } else {
        offers.rows.push_back(books.sponsored ? std::vector<std::string>{DealText(books.sponsor) + " " + Tr("（契約中）"),
                                                                         MoneyText(books.sponsor.money), MoneyText(books.sponsor.bonus)}
                                              : std::vector<std::string>{Tr("スポンサーなし"), "", ""});
        offers.listIndex = -1;
    }
    (*this)("cmdSponsor").enabled = !books.offers.empty();
    (*this)("cmdSponsor").toolTip = DealLine(books.sponsored ? books.sponsor : SponsorDeal{});

    (*this)("cmdTyres").text = Tr(TyreOrders[int(m.tyres)]);
    (*this)("cmdRain").text = Tr(RainOrders[int(m.rain)]);

    Control& table = (*this)("tblBooks");
    table.rows.clear();
    Money cash = books.cash;
    for (const Account& a : books.races) cash -= a.In() - a.Out();
    for (size_t i = 0; i < books.races.size(); ++i) {
        const Account& a = books.races[i];
        cash += a.In() - a.Out();
        table.rows.push_back({FormatPlain(int(i) + 1), MoneyText(a.In()), MoneyText(a.Out()),
                              MoneyText(a.spending[spending::Development]), MoneyText(cash)});
    }
    if (table.rows.empty()) table.rows.push_back({"", Tr("まだレースはありません。"), "", "", ""});

    Control& contracts = (*this)("tblContracts");
    contracts.rows.clear();
    for (const Contract& c : m.contracts)
        if (c.TimNm == record.TimNm) contracts.rows.push_back({c.DrvNm, MoneyText(c.salary), TrF("{1}シーズン", FormatPlain(c.seasons))});

    const int gp = ReadCount(season.Sis.EndGp) + 1;
    std::string next;
    if (gp >= 1 && gp < int(season.GpTable.size()) && gp <= GpCount(season)) {
        const GpRecord& g = season.GpTable[size_t(gp)];
        const int course = ReadCount(g.CourseType);
        const std::string courseName = course >= 1 && course <= 5 ? Tr(CourseNames[course - 1]) : g.CourseType;
        // What the machine's speed costs a lap there against the fastest machine of the field.
        double best = CourseFactor(g.CourseType, record.Speed);
        for (size_t t = 1; t < season.TimTable.size(); ++t) best = std::min(best, CourseFactor(g.CourseType, season.TimTable[t].Speed));
        const double lost = CourseFactor(g.CourseType, record.Speed) - best;
        next = TrF("次戦：第{1}戦 {2}（コース：{3}）", FormatPlain(gp), g.GpNm, courseName) + "\r\n" +
               (lost > 0 ? TrF("スピードの差で、1周あたり最速のマシンより {1} 秒遅れる見込みです。", Format0_00(lost))
                         : Tr("スピードでは、最速のマシンに負けない見込みです。"));
    } else {
        next = Tr("今シーズンのレースは終わりました。ストーブリーグで契約を結び直します。");
    }
    (*this)("lblNext").text = next;
}

void ShowHeadquarters(Shell& shell) {
    FrmHeadquarters form(shell);
    shell.platform.ShowModal(form);
}

} // namespace karven::management
