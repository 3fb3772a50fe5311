#include "world/FrmNews.h"

#include "history/HistoryLayout.h"
#include "season/Numbers.h"
#include "season/Translate.h"
#include "shell/Platform.h"
#include "shell/Shell.h"
#include "world/Ratings.h"

namespace karven::world {

using namespace history;

namespace {
constexpr int Width = 640;
constexpr int HeadingHeight = 24;
constexpr int TableHeight = 150;
constexpr int RetiredTop = 48;
constexpr int RookiesTop = RetiredTop + HeadingHeight + TableHeight + 12;
constexpr int ButtonsTop = RookiesTop + HeadingHeight + TableHeight + 12;

void Heading(Form& form, const char* name, int top, const std::string& text) {
    Control& h = form.Add(ControlKind::Label, name, {Margin, top, Width - 2 * Margin, HeadingHeight - 2}, text);
    h.style.bold = true;
    h.style.fontSize = 11;
}
} // namespace

FrmNews::FrmNews(Shell& shell, const Season& season, const MarketNews& news)
    : Form(FormName, "オフシーズンのニュース"), shell_(shell) {
    geometry = {0, 0, Width, ButtonsTop + ButtonHeight + Margin};
    Control& title = Add(ControlKind::Label, "lblTitle", {Margin, 10, Width - 2 * Margin, 28}, "オフシーズンのニュース");
    title.style.fontSize = 15;
    title.style.bold = true;
    title.style.align = Align::Center;

    Heading(*this, "lblRetired", RetiredTop, TrN("引退するドライバー（{1} 人）", long(news.retiring.size())));
    Control& retired = Add(ControlKind::Table, "tblRetired", {Margin, RetiredTop + HeadingHeight, Width - 2 * Margin, TableHeight});
    retired.style.fontSize = 10;
    retired.columns = {{"ドライバー", 0}, {"年齢", 56, Align::Right}, {"出走", 56, Align::Right},
                       {"優勝", 56, Align::Right}, {"タイトル", 72, Align::Right}};
    const WorldState& w = season.history.world;
    const std::vector<size_t> known = WorldDriverIndex(w, season);
    for (int k : news.retiring) {
        if (k >= int(season.DrvTable.size()) || !known[size_t(k)]) continue;
        const DrvRecord& d = season.DrvTable[k];
        retired.rows.push_back({d.DrvNm, Num(w.drivers[known[size_t(k)]].age), Num(ReadCount(d.CareerGp)),
                                Num(ReadCount(d.CareerWins)), Num(ReadCount(d.CareerWc))});
    }
    if (retired.rows.empty()) retired.rows.push_back({Tr("引退するドライバーはいません。"), "", "", "", ""});

    Heading(*this, "lblRookies", RookiesTop, TrN("デビューする新人（{1} 人）", long(news.rookies.size())));
    Control& rookies = Add(ControlKind::Table, "tblRookies", {Margin, RookiesTop + HeadingHeight, Width - 2 * Margin, TableHeight});
    rookies.style.fontSize = 10;
    rookies.columns = {{"ドライバー", 0},          {"年齢", 56, Align::Right},     {"テクニック", 84, Align::Center},
                       {"荒さ", 56, Align::Center}, {"ブロック", 72, Align::Center}, {"安定性", 64, Align::Center}};
    for (const WorldDriver& r : news.rookies) {
        std::vector<std::string> row = {r.DrvNm, Num(r.age)};
        for (int k = 0; k < rating::Drivers; ++k) row.push_back(DriverLetter(k, r.whole[size_t(k)]));
        rookies.rows.push_back(row);
    }
    if (rookies.rows.empty()) rookies.rows.push_back({Tr("新人のデビューはありません。"), "", "", "", "", ""});

    Add(ControlKind::Button, "cmdOK", {Width - Margin - ButtonWidth, ButtonsTop, ButtonWidth, ButtonHeight}, "OK").onClick =
        [this] { Close(); };
    defaultButton = cancelButton = "cmdOK";
}

void FrmNews::Load() {
    Place(shell_.main.geometry.left, shell_.main.geometry.top);
    focusRequest = "cmdOK";
}

void ShowNews(Shell& shell, const MarketNews& news) {
    FrmNews form(shell, shell.season, news);
    shell.platform.ShowModal(form);
}

} // namespace karven::world
