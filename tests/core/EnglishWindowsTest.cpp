// The import messages, the season report and the history windows in English from the catalogue,
// while Japanese gives exactly the texts it always gave.
#include <gtest/gtest.h>

#include <functional>
#include <regex>

#include "app/Game.h"
#include "exchange/SeasonCsv.h"
#include "exchange/SeasonReport.h"
#include "history/Archive.h"
#include "history/FrmChampions.h"
#include "history/FrmPastSeason.h"
#include "history/FrmSeasonSummary.h"
#include "season/Translate.h"
#include "standings/DrvSei.h"
#include "support/LoadSeason.h"
#include "support/ScriptedPlatform.h"

using namespace karven;

namespace {

// Kana, CJK ideographs, CJK punctuation and full-width forms: what an English text never holds.
bool HasJapanese(const std::string& text) {
    for (size_t i = 0; i < text.size();) {
        unsigned char c = text[i];
        int extra = c < 0x80 ? 0 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : 3;
        char32_t code = extra == 0 ? c : c & (0x3F >> extra);
        for (int k = 1; k <= extra && i + k < text.size(); ++k) code = (code << 6) | (text[i + k] & 0x3F);
        if ((code >= 0x3000 && code <= 0x30FF) || (code >= 0x4E00 && code <= 0x9FFF) || (code >= 0xFF00 && code <= 0xFFEF))
            return true;
        i += extra + 1;
    }
    return false;
}

struct InEnglish : ::testing::Test {
    static void SetUpTestSuite() { OpenCatalogue(std::string(KARVEN_BIN_DIR) + "locale"); }
    void TearDown() override { SetLanguage(Language::Japanese); }

    // What the call gives in Japanese, then in English.
    static std::pair<std::string, std::string> Both(const std::function<std::string()>& make) {
        SetLanguage(Language::Japanese);
        std::string ja = make();
        SetLanguage(Language::English);
        std::string en = make();
        SetLanguage(Language::Japanese);
        return {ja, en};
    }
};

std::string Refusal(const SeasonCsvFiles& files) {
    Season season = test::DefaultSeason();
    ImportRefusal refusal;
    EXPECT_FALSE(ImportSeasonCsv(season, files, refusal));
    return RefusalText(refusal);
}

} // namespace

TEST_F(InEnglish, AnImportRefusalNamesTheFileLineAndColumnInEnglish) {
    const std::string drivers = "DrvNm,TimNm,Technique,Roughness,Block,Stability\r\nA,,S,A,A,A\r\nB,,S,F,A,A\r\n";
    auto [ja, en] = Both([&] { return Refusal({std::nullopt, drivers, std::nullopt}); });
    EXPECT_EQ(ja, "drivers.csv の 3 行目、\r\nRoughness 列：\r\n「F」は、A～E の評価ではありません！");
    EXPECT_FALSE(HasJapanese(en)) << en;
    for (const char* piece : {"drivers.csv", "line 3", "column Roughness", "\"F\"", "A to E"})
        EXPECT_NE(en.find(piece), std::string::npos) << piece << " in " << en;

    // Faults found before any row is read: the encoding, a missing column, a row too wide.
    const std::string teams = "TimNm,ColorNo,Speed,Aero,Stability\r\n";
    for (const std::string& file : {std::string("\xFF\xFE" "T\0", 4), std::string("TimNm,Speed\r\n"),
                                    teams + "T,0001,A,A,A,X\r\n", std::string("\0\0\0", 3)}) {
        auto [jaText, enText] = Both([&] { return Refusal({file, std::nullopt, std::nullopt}); });
        EXPECT_TRUE(jaText.starts_with("teams.csv")) << jaText;
        EXPECT_TRUE(HasJapanese(jaText)) << jaText;
        EXPECT_TRUE(enText.starts_with("teams.csv")) << enText;
        EXPECT_FALSE(HasJapanese(enText)) << enText;
    }
}

TEST_F(InEnglish, TheImportSummaryCountsInEnglish) {
    ImportSummary summary;
    summary.teams = 3;
    summary.newTeams = 1;
    summary.drivers = -1;
    summary.gps = 12;
    auto [ja, en] = Both([&] { return ImportSummaryText(summary); });
    EXPECT_EQ(ja, "インポートしました。\r\nチーム：3 チーム（うち新規 1）\r\n"
                  "ドライバー：drivers.csv がないため、そのまま\r\nグランプリ：12 ＧＰ");
    EXPECT_FALSE(HasJapanese(en)) << en;
    for (const char* piece : {"3", "1 new", "drivers.csv", "12"}) EXPECT_NE(en.find(piece), std::string::npos) << en;
}

TEST_F(InEnglish, TheSeasonReportIsWrittenInEnglishWithItsLanguageTagged) {
    Season season = test::DefaultSeason();
    for (int d = 1; d <= 6; ++d) season.DrvTable[d].Result[1] = std::to_string(d);
    season.Sis.EndGp = "1";
    ArchiveSeason(season, SeasonSoFar(season));
    auto [ja, en] = Both([&] { return SeasonReport(season); });
    EXPECT_NE(ja.find("<html lang=\"ja\">"), std::string::npos);
    EXPECT_NE(ja.find("<h2>ドライバーズランキング</h2>"), std::string::npos);
    EXPECT_NE(en.find("<html lang=\"en\">"), std::string::npos);
    EXPECT_NE(en.find("<h1>KARVEN season report</h1>"), std::string::npos);
    // Every heading, column heading, caption and note is English; names are the season's own.
    std::regex fixed(R"(<(h1|h2|h3|th|figcaption|footer)[^>]*>([^<]*)<|<p class="note">([^<]*)<)");
    int seen = 0;
    for (auto it = std::sregex_iterator(en.begin(), en.end(), fixed); it != std::sregex_iterator(); ++it, ++seen)
        EXPECT_FALSE(HasJapanese(it->str(2) + it->str(3))) << it->str();
    EXPECT_GT(seen, 20);
}

TEST_F(InEnglish, APastSeasonShowsItsTitleStateAndTableHeadingsInEnglish) {
    test::ScriptedPlatform platform;
    platform.appPath = KARVEN_BIN_DIR;
    platform.fallback = [](Form& f) { f.Click(f.defaultButton); };
    GameRandom random{3};
    Game game{platform, random};
    ASSERT_TRUE(game.StartUp());
    game.shell.main.Click("cmdYosen");
    game.shell.main.Click("cmdKesyou");

    auto open = [&](FrmPastSeason::View view) {
        FrmPastSeason form(game.shell, 1);
        form.Localize();
        form.Open();
        form.Show(view);
        std::string shown = form.caption + "|" + form("lblSeason").text;
        for (const Control::Column& c : form("tblRec").columns) shown += "|" + c.heading;
        return shown;
    };
    auto [ja, en] = Both([&] { return open(FrmPastSeason::View::Drivers); });
    EXPECT_EQ(ja, "過去のシーズン|第1期（進行中）|順位|ドライバー|チーム|ポイント|優勝");
    EXPECT_EQ(en, "Past seasons|Season 1 (in progress)|Pos.|Driver|Team|Points|Wins") << "a count of wins";
    // The same 優勝 over the winners' names.
    auto [jaRaces, enRaces] = Both([&] { return open(FrmPastSeason::View::Races); });
    EXPECT_TRUE(jaRaces.ends_with("|戦|グランプリ|ポールポジション|優勝|ファステストラップ")) << jaRaces;
    EXPECT_TRUE(enRaces.ends_with("|Rd.|Grand Prix|Pole position|Winner|Fastest lap")) << enRaces;
    for (FrmPastSeason::View view : {FrmPastSeason::View::Constructors, FrmPastSeason::View::Races, FrmPastSeason::View::Moves}) {
        auto [jaView, enView] = Both([&] { return open(view); });
        EXPECT_TRUE(HasJapanese(jaView)) << jaView;
        EXPECT_FALSE(HasJapanese(enView)) << enView;
    }
}

TEST_F(InEnglish, CountsReadAsCountsAndButtonsAsWhatTheyDo) {
    test::ScriptedPlatform platform;
    platform.appPath = KARVEN_BIN_DIR;
    GameRandom random{3};
    Game game{platform, random};
    ASSERT_TRUE(game.StartUp());
    auto captions = [&](Form& form, std::initializer_list<std::pair<const char*, int>> controls) {
        form.Localize();
        std::string shown;
        for (const auto& [name, index] : controls) shown += form(name, index).text + "|";
        return shown;
    };
    auto [ja, en] = Both([&] {
        FrmKarvenDrvSei records(game.shell);
        return captions(records, {{"lblCaption", 1}, {"lblCaption", 2}, {"lblCaption", 3}, {"lblCaption", 4},
                                  {"lblCaption", 5}, {"lblCaption", 6}});
    });
    EXPECT_EQ(ja, "ＧＰ|チャンピオン|優勝|ＰＰ|ＦＬ|獲得ポイント|") << "the rules' own captions";
    EXPECT_EQ(en, "Grands Prix|Titles|Wins|Poles|Fastest laps|Points|");
    auto [jaNames, enNames] = Both([&] {
        FrmPastSeason past(game.shell, 1);
        FrmChampions champions(game.shell);
        return captions(past, {{"cmdPage", -1}}) + captions(champions, {{"cmdName", -1}, {"lblName", -1}});
    });
    EXPECT_EQ(jaNames, "選んだ名前の記録|名前を付ける|選んだ期の名前：|");
    EXPECT_EQ(enNames, "View record|Set name|Season name:|");
    auto [jaTotal, enTotal] = Both([] { return TrN("合計（タイトル {1}）", 1) + "|" + TrN("合計（タイトル {1}）", 2); });
    EXPECT_EQ(jaTotal, "合計（タイトル 1）|合計（タイトル 2）");
    EXPECT_EQ(enTotal, "Total (1 title)|Total (2 titles)");
}

TEST_F(InEnglish, TheSeasonFactsPutCountsAndNamesInEnglishOrder) {
    Season season = test::DefaultSeason();
    for (int gp = 1; gp <= 2; ++gp)
        for (int d = 1; d <= 6; ++d) season.DrvTable[d].Result[gp] = std::to_string(d);
    season.Sis.EndGp = "2";
    ArchivedSeason closed = SeasonSoFar(season);
    closed.number = 1;
    const std::string winner = season.DrvTable[1].DrvNm;
    auto [ja, en] = Both([&] { return FactsOf(closed).winsLeader + "|" + FactsOf(closed).title; });
    EXPECT_EQ(ja, winner + "（2勝）|第1期");
    EXPECT_EQ(en, winner + " (2 wins)|Season 1");
}
