#include "shell/FrmKarvenRace.h"

namespace karven {

namespace {
struct Column {
    int left;
    int width;
    Align align;
};
// lbl1..lbl6: No, driver, team, Time, PIT, TIR; the colour swatch sits between No and driver.
// The driver column holds the longest names of the default season whole.
constexpr Column Columns[7] = {{0, 0, Align::Left},     {12, 34, Align::Center}, {86, 170, Align::Left},
                               {260, 186, Align::Left}, {450, 64, Align::Right}, {518, 34, Align::Center},
                               {556, 34, Align::Center}};
constexpr int SwatchLeft = 50;
constexpr int SwatchWidth = 32;
constexpr int PanelLeft = 604;
constexpr int PanelWidth = 296;
// The message windows sit against the right edge; this column keeps them off the grid and the panel.
constexpr int MessageColumnLeft = PanelLeft + PanelWidth + 10;
constexpr int MessageColumnWidth = 340;

Control& AddMenuItem(Form& form, const char* menu, const char* name, int index, const char* caption, char key,
                     const char* toolTip = "") {
    Control& item = form.Add(ControlKind::MenuItem, name, index, {}, caption);
    item.parent = menu;
    item.accessKey = key;
    item.toolTip = toolTip;
    return item;
}

// The command buttons: the rules' caption, the key that presses it beside the caption, what it does.
struct Command {
    const char* name;
    const char* caption;
    const char* key; // "" none: End quits at once, so no single key does
    const char* toolTip;
    int gapBefore;   // gaps separate the weekend, the championship, the off-season and the end
};
constexpr Command Commands[] = {
    {"cmdStart", "新シーズン", "T", "今シーズンの成績を消去して、新しいシーズンを始めます。", 0},
    {"cmdYosen", "予選", "Y", "次のグランプリの予選を行い、決勝のスターティンググリッドを決めます。", 0},
    {"cmdKesyou", "決勝", "K", "予選の順にスタートし、決勝レースを実況付きで進めます。", 0},
    // Beside the rules: the race just run, lap by lap.
    {"cmdRaceAna", "レース分析", "A", "終わった決勝の順位の移り変わり・タイム差・結果のまとめを見ます。", 0},
    {"cmdDrvRank", "ﾄﾞﾗｲﾊﾞｰｽﾞﾗﾝｷﾝｸﾞ", "D", "ドライバーのポイント順位を一覧に表示します。", 20},
    {"cmdTimRank", "ｺﾝｽﾄﾗｸﾀｰｽﾞﾗﾝｷﾝｸﾞ", "C", "チーム（コンストラクター）のポイント順位を一覧に表示します。", 0},
    {"cmdSeiseki", "シーズン成績表", "R", "グランプリごとの順位とポイントの一覧を開きます。", 0},
    {"cmdDrvSei", "個人成績表", "P", "ドライバーごとの通算成績（優勝・ＰＰ・ＦＬなど）を開きます。", 0},
    {"cmdOffSis", "ストーブリーグ", "L", "シーズン終了後の移籍交渉で、来シーズンのシートを決めます。", 20},
    {"cmdEnd", "End", "", "ゲームを終了します。", 20},
};

void AddSeparator(Form& form, const char* menu, const char* name) {
    form.Add(ControlKind::Separator, name, {}).parent = menu;
}
} // namespace

FrmKarvenRace::FrmKarvenRace() : Form("frmkarvenrace", "KARVEN") {
    geometry = {0, 0, MessageColumnLeft + MessageColumnWidth, GridTop + GridRows * GridRowHeight + 14};
    columnStarts = {PanelLeft, MessageColumnLeft}; // the grid, the commands and race panel, the commentary

    // Menus, in menu order.
    Add(ControlKind::Menu, "File", {}, "ﾌｧｲﾙ").accessKey = 'F';
    AddMenuItem(*this, "File", "File_open", -1, "開く", 'O', "シーズンファイル（.krv）を開きます。");
    AddMenuItem(*this, "File", "File_autosave", -1, "自動保存から開く", 'A',
                "レースやストーブリーグのたびに自動で保存されたシーズンを開きます。");
    AddMenuItem(*this, "File", "File_update", -1, "保存", 'S', "シーズンをファイルに保存します。");
    // Beside the rules: the season saved again where it came from, without a dialog.
    AddMenuItem(*this, "File", "File_save", -1, "上書き保存", 'W',
                "開いた（保存した）ファイルに、そのまま保存します。まだファイルがなければ、保存先を尋ねます。")
        .shortcut = "Ctrl+S";
    // Beside the rules: the season to and from spreadsheets, the results out.
    AddSeparator(*this, "File", "File_Sen2");
    AddMenuItem(*this, "File", "File_import", -1, "インポート", 'I',
                "表計算ソフトで編集した teams.csv・drivers.csv・calendar.csv から、チーム・ドライバー・日程を読み込みます。");
    AddMenuItem(*this, "File", "File_export", -1, "エクスポート", 'E',
                "チーム・ドライバー・日程を、表計算ソフトで開ける CSV ファイルに書き出します。");
    AddMenuItem(*this, "File", "File_results", -1, "成績をエクスポート", 'R',
                "順位表・成績表・レース結果・記録を CSV に、シーズンレポートを HTML に書き出します。");
    AddSeparator(*this, "File", "File_Sen1");
    AddMenuItem(*this, "File", "File_End", -1, "終了", 'X', "ゲームを終了します。");
    Add(ControlKind::Menu, "Set", {}, "設定").accessKey = 'S';
    AddMenuItem(*this, "Set", "Set_Sis", 21, "ｼｰｽﾞﾝ", 'S', "予選通過人数・周回数・グランプリ数と日程を設定します。");
    AddMenuItem(*this, "Set", "Set_Tim", 22, "ﾁｰﾑ", 'T', "チームの名前・性能・カラー・ドライバーを設定します。");
    AddMenuItem(*this, "Set", "Set_Drv", 23, "ﾄﾞﾗｲﾊﾞｰ", 'D', "ドライバーの名前と能力を設定します。");
    // Beside the rules: a world that changes from one season to the next.
    AddSeparator(*this, "Set", "Set_Sen1");
    AddMenuItem(*this, "Set", "Set_World", -1, "ワールドの変化", 'W',
                "オフシーズンごとに、ドライバーが年を取って成長・衰え・引退し、新人がデビューし、マシンの性能が変わります。"
                "オフのときは、ルールどおり何も変わりません。");
    // Beside the rules: one team run by the player.
    AddMenuItem(*this, "Set", "Set_Principal", -1, "監督モード", 'M',
                "チームをひとつ選んで監督になり、決勝のピットインとタイヤ、ストーブリーグの残留とオファーを自分で決めます。");
    AddMenuItem(*this, "Set", "Set_HQ", -1, "本部", 'H',
                "監督のチームの資金・開発・スポンサー・契約・レースの指示を見て決めます。")
        .enabled = false;
    Add(ControlKind::Menu, "Eve", {}, "ｲﾍﾞﾝﾄ").accessKey = 'E';
    AddMenuItem(*this, "Eve", "Eve_Pit", 31, "ﾋﾟｯﾄｲﾝ", 'P', "決勝でピットインが起こります。");
    AddMenuItem(*this, "Eve", "Eve_Pen", 32, "ﾍﾟﾅﾙﾃｨ", 'N', "決勝でペナルティが出ます。");
    AddMenuItem(*this, "Eve", "Eve_Ten", 33, "天候変化", 'W', "決勝中に天気が変わります。");
    // Beside the rules: commentary that moves on by itself, at a pace the player picks.
    AddSeparator(*this, "Eve", "Eve_Sen1");
    AddMenuItem(*this, "Eve", "Eve_Auto", -1, "オート実況", 'A',
                "実況とお知らせが、選んだ間隔でひとりでに進みます。質問は答えを待ちます。"
                "監督モードの判断は、オート実況のあいだはルールどおりに決まります。");
    // Beside the rules: the last commentary told again, for a player who listens.
    AddMenuItem(*this, "Eve", "Eve_Repeat", -1, "直前の実況", 'L', "最後の実況をもう一度読み上げ、ステータス行に表示します。")
        .shortcut = "Ctrl+R";
    Control& pace = Add(ControlKind::Menu, "Eve_Pace", {}, "実況の間隔");
    pace.parent = "Eve";
    pace.accessKey = 'I';
    const char* paces[] = {"0.3 秒", "1 秒", "2 秒"};
    for (int i = 1; i <= 3; ++i)
        AddMenuItem(*this, "Eve_Pace", "Eve_Delay", i, paces[i - 1], char('0' + i), "オート実況で次へ進むまでの時間です。")
            .group = "Eve_Pace";
    (*this)("Eve_Delay", 2).checked = true;
    Add(ControlKind::Menu, "Ana", {}, "分析").accessKey = 'A';
    AddMenuItem(*this, "Ana", "Ana_Odds", -1, "チャンピオン予想", 'O', "残りのレースを何度も試算して、タイトルの行方を予想します。");
    AddMenuItem(*this, "Ana", "Ana_Points", -1, "ポイント推移", 'P', "グランプリごとのポイントの積み上がりをグラフで見ます。");
    AddMenuItem(*this, "Ana", "Ana_Race", -1, "レース分析", 'R',
                "今シーズンの決勝を、ラップチャート・トップとの差・レースレポートで振り返ります。");
    // Beside the rules: the seasons of the history and the records of all of them.
    Add(ControlKind::Menu, "Rec", {}, "記録").accessKey = 'R';
    AddMenuItem(*this, "Rec", "Rec_Champions", -1, "歴代チャンピオン", 'C', "歴代のチャンピオンを一覧で見ます。");
    AddMenuItem(*this, "Rec", "Rec_Past", -1, "過去のシーズン", 'P', "過去のシーズンの順位・レース・移籍・成績表を見ます。");
    AddMenuItem(*this, "Rec", "Rec_AllTime", -1, "通算記録", 'A', "通算の優勝数やタイトル数などのランキングを見ます。");
    AddSeparator(*this, "Rec", "Rec_Sen1");
    AddMenuItem(*this, "Rec", "Rec_Driver", -1, "ドライバー", 'D', "ドライバーごとにシーズン別の成績を見ます。");
    AddMenuItem(*this, "Rec", "Rec_Team", -1, "チーム", 'T', "チームごとにシーズン別の成績を見ます。");
    AddMenuItem(*this, "Rec", "Rec_Principal", -1, "監督", 'M', "監督としての成績（目標・結果・解任）を見ます。");
    Add(ControlKind::Menu, "Help", {}, "ﾍﾙﾌﾟ").accessKey = 'H';
    AddMenuItem(*this, "Help", "Help_Howto", -1, "遊び方", 'G', "ゲームの進め方・コマンド・キー操作の説明を開きます。");
    AddMenuItem(*this, "Help", "Help_help", -1, "ﾍﾙﾌﾟ", 'H');
    // Each language named in itself.
    Control& language = Add(ControlKind::Menu, "Help_Lang", {}, "言語 / Language");
    language.parent = "Help";
    language.accessKey = 'L';
    AddMenuItem(*this, "Help_Lang", "Help_Language", 1, "日本語", 'J').group = "Help_Lang";
    AddMenuItem(*this, "Help_Lang", "Help_Language", 2, "English", 'E').group = "Help_Lang";
    // Beside the rules: every window larger, for a player who needs larger text.
    Control& size = Add(ControlKind::Menu, "Help_Size", {}, "文字の大きさ");
    size.parent = "Help";
    size.accessKey = 'T';
    static constexpr const char* SizeCaptions[] = {"100%", "125%", "150%", "175%", "200%"};
    static_assert(std::size(SizeCaptions) == std::size(TextSizes));
    for (int i = 1; i <= int(std::size(TextSizes)); ++i)
        AddMenuItem(*this, "Help_Size", "Help_TextSize", i, SizeCaptions[i - 1], char('0' + i),
                    "すべてのウィンドウの文字と部品を大きくします。画面に収まらないウィンドウはスクロールします。")
            .group = "Help_Size";
    // Beside the rules: letters typed where the player meant to write never start a command.
    AddMenuItem(*this, "Help", "Help_AltKeys", -1, "文字キーにAltを使う", 'K',
                "コマンドを1文字のキーで押すときに Alt を添えます。文字を打つつもりのキーで何かが始まることがなくなります。");
    AddSeparator(*this, "Help", "Help_Sen1");
    AddMenuItem(*this, "Help", "Help_Ver", -1, "ﾊﾞｰｼﾞｮﾝ", 'V', "タイトルとバージョンを表示します。");

    // Title line and grid.
    Control& title = Add(ControlKind::Label, "lblTitle", {12, 12, 610, 30}, "KARVEN");
    title.style.fontSize = 15;
    title.style.bold = true;
    for (int c = 1; c <= 6; ++c) {
        Control& h = Add(ControlKind::Label, "lblT" + std::to_string(c), {Columns[c].left, GridTop - 24,
                                                                         Columns[c].width, 20});
        h.style.align = Columns[c].align;
        h.style.bold = true;
        heading_[c] = &h;
    }
    for (int k = 1; k <= GridRows; ++k) {
        int top = GridTop + (k - 1) * GridRowHeight;
        for (int c = 1; c <= 6; ++c) {
            Control& cell = Add(ControlKind::Label, "lbl" + std::to_string(c), k,
                                {Columns[c].left, top, Columns[c].width, GridRowHeight - 1});
            cell.style.align = Columns[c].align;
            if (k % 2 == 0) cell.style.backColor = 0xEEF2F8;
            grid_[c][k] = &cell;
        }
        swatch_[k] = &Add(ControlKind::Picture, "imgCo", k, {SwatchLeft, top + 3, SwatchWidth, GridRowHeight - 7});
        swatch_[k]->spoken = "マシンカラー";
    }
    LabelTable& table = labelTables.emplace_back();
    table.name = "grid";
    table.title = &title;
    table.spoken = "順位表";
    for (int c = 1; c <= 6; ++c) table.columns.emplace_back().heading = heading_[c];
    for (int k = 1; k <= GridRows; ++k) {
        auto& row = table.cells.emplace_back();
        for (int c = 1; c <= 6; ++c) row.push_back(grid_[c][k]);
    }

    // Where the notices and the commentary appear.
    Control& messages = Add(ControlKind::Label, "lblMsgBox",
                            {MessageColumnLeft, 12, MessageColumnWidth - 12, geometry.height - 24}, "KARVEN");
    messages.style.border = true;
    messages.style.align = Align::Center;
    messages.style.fontSize = 22;
    messages.style.bold = true;
    messages.style.backColor = 0xF4F6FA;
    messages.textColor = 0xD0D6E2;

    // Command buttons (button view); a letter presses each, and N whichever the season expects next.
    int top = 24;
    for (const Command& command : Commands) {
        top += command.gapBefore;
        Control& button = Add(ControlKind::Button, command.name, {PanelLeft + 24, top, PanelWidth - 48, 42},
                              command.caption);
        button.toolTip = command.toolTip;
        if (*command.key) {
            keyButtons.push_back({command.key, command.name});
            button.shortcut = command.key;
            button.toolTipSource = command.toolTip;
            button.toolTip = ToolTipText(button);
        }
        top += 52;
    }
    keyButtons.push_back({NextKey, ""}); // SetMainState names the command
    Control& next = Add(ControlKind::Label, "lblNext", {PanelLeft + 24, top + 4, PanelWidth - 48, 22});
    next.style.align = Align::Center;
    next.textColor = 0x606878;
    // The team the player runs, with its colour and the board's target.
    Control& colour = Add(ControlKind::Picture, "imgPrincipal", {PanelLeft + 24, top + 40, 28, 16});
    colour.visible = false;
    colour.spoken = "監督のチームのマシンカラー";
    Control& principal = Add(ControlKind::Label, "lblPrincipal", {PanelLeft + 58, top + 34, PanelWidth - 82, 44});
    principal.visible = false;
    principal.style.bold = true;

    // Race panel (race view): weather, rain probability and the animation.
    int panel = PanelLeft;
    Add(ControlKind::Picture, "imgTitle", {panel + 8, 12, PanelWidth - 16, 40}).spoken = "KARVEN";
    Control& tenkiBox = Add(ControlKind::Label, "lblTenkiBox", {panel, 60, PanelWidth, 168});
    tenkiBox.style.border = true;
    Add(ControlKind::Label, "lblTenki", {panel + 12, 68, 120, 22}, "天気").style.bold = true;
    Add(ControlKind::Picture, "imgTenki", 0, {panel + 12, 94, 120, 90}).spoken = "天気";
    static constexpr const char* Weathers[] = {"晴れ", "くもり", "雨"};
    for (int i = 1; i <= 3; ++i) {
        Control& weather = Add(ControlKind::Picture, "imgTenki", i, {panel + 12, 94, 120, 90});
        weather.visible = false;
        weather.spoken = Weathers[i - 1];
    }
    Add(ControlKind::Label, "lblKakuritulbl", {panel + 148, 68, 136, 22}, "降水確率").style.bold = true;
    Control& kousui = Add(ControlKind::Label, "lblKousui", {panel + 148, 100, 136, 52});
    kousui.style.fontSize = 28;
    kousui.style.bold = true;
    kousui.style.align = Align::Center;
    Control& scale = Add(ControlKind::Label, "lblKakuritu", {panel + 148, 160, 136, 22}, "晴 0⇔100 雨");
    scale.style.align = Align::Center;
    Control& box = Add(ControlKind::Label, "lblBox", {panel, 240, PanelWidth, 236});
    box.style.border = true;
    Add(ControlKind::Picture, "imgAnime", {panel + 8, 248, PanelWidth - 16, 220}).spoken = "レースの様子";

    defaultButton.clear();
    cancelButton.clear();
}

void FrmKarvenRace::SpanTeamColumn(bool span) {
    const int spanned = Columns[3].left + Columns[3].width - Columns[2].left;
    for (int k = 1; k <= GridRows; ++k) {
        lbl(2, k).rect.width = span ? spanned : Columns[2].width;
        lbl(3, k).visible = !span;
    }
}

} // namespace karven
