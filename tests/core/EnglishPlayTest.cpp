// The game in English: the English default season, the commentary of qualifying and race, the
// market's announcements and the main window read in English; back in Japanese, all is as before.
#include <gtest/gtest.h>

#include <set>

#include "app/Game.h"
#include "exchange/SeasonCsv.h"
#include "shell/Language.h"
#include "shell/MainState.h"
#include "shell/Random.h"
#include "support/Language.h"
#include "support/LoadSeason.h"
#include "support/ScriptedPlatform.h"

using namespace karven;
using namespace karven::test;

namespace {

struct EnglishGame : ::testing::Test {
    LanguageScope english{Language::English};
    ScriptedPlatform platform;
    GameRandom random{7};
    Game game{platform, random};
    FrmKarvenRace& main = game.shell.main;

    EnglishGame() {
        platform.appPath = KARVEN_BIN_DIR;
        EXPECT_TRUE(game.StartUp());
    }

    bool AnyTextHas(const std::string& part) const {
        for (const ShownWindow& w : platform.shown)
            if (w.text.find(part) != std::string::npos) return true;
        return false;
    }

    // Every window shown so far: its caption and its message in English.
    void ExpectAllShownInEnglish() const {
        for (const ShownWindow& w : platform.shown) {
            EXPECT_FALSE(HasJapanese(w.caption)) << w.form << ": " << w.caption;
            EXPECT_FALSE(HasJapanese(w.text)) << w.form << ": " << w.text;
        }
    }
};

} // namespace

TEST_F(EnglishGame, StartsWithTheSeasonInLatinLetters) {
    ASSERT_GT(game.season.DrvTable.size(), 20u);
    for (size_t d = 1; d < game.season.DrvTable.size(); ++d) EXPECT_FALSE(HasJapanese(game.season.DrvTable[d].DrvNm));
    for (size_t t = 1; t < game.season.TimTable.size(); ++t) EXPECT_FALSE(HasJapanese(game.season.TimTable[t].TimNm));
    for (size_t g = 1; g < game.season.GpTable.size(); ++g) EXPECT_FALSE(HasJapanese(game.season.GpTable[g].GpNm));
}

// The same season but for its names, so that a seed plays the same races in both.
TEST(EnglishSeason, IsTheDefaultSeasonWithOtherNames) {
    auto withoutNames = [](Season s) {
        for (GpRecord& g : s.GpTable) g.GpNm.clear();
        for (TimRecord& t : s.TimTable) t.TimNm.clear();
        for (DrvRecord& d : s.DrvTable) d.DrvNm.clear();
        return s;
    };
    Season japanese = DefaultSeason();
    Season english = LoadSeason(std::string(KARVEN_BIN_DIR) + EnglishInitialDataFile);
    EXPECT_EQ(withoutNames(english), withoutNames(japanese));
    std::set<std::string> drivers;
    for (const DrvRecord& d : english.DrvTable) drivers.insert(d.DrvNm);
    EXPECT_EQ(drivers.size(), english.DrvTable.size()) << "every driver has a name of his own";
    for (size_t t = 1; t < english.TimTable.size(); ++t)
        EXPECT_EQ(english.TimTable[t].TimNm.find("・") != std::string::npos,
                  japanese.TimTable[t].TimNm.find("・") != std::string::npos)
            << "a team and its engine are told apart as in Japanese";
}

TEST_F(EnglishGame, QualifyingAndRacesAreToldInEnglish) {
    for (int gp = 1; gp <= 3; ++gp) {
        main.Click("cmdYosen");
        main.Click("cmdKesyou");
    }
    ASSERT_EQ(game.season.Sis.EndGp, "3");
    ExpectAllShownInEnglish();
    EXPECT_TRUE(AnyTextHas("Start the qualifying?"));
    EXPECT_TRUE(AnyTextHas("Pole position\r\n"));
    EXPECT_TRUE(AnyTextHas("Round 3\r\n"));
    EXPECT_TRUE(AnyTextHas("The race is on!!"));
    EXPECT_TRUE(AnyTextHas("Lap 2\r\n"));
    EXPECT_TRUE(AnyTextHas("The race is over."));
    EXPECT_FALSE(HasJapanese(main("lblTitle").text)) << main("lblTitle").text;
    EXPECT_NE(main("lblTitle").text.find("Race result"), std::string::npos) << main("lblTitle").text;
    for (int k = 1; k <= 6; ++k) EXPECT_FALSE(HasJapanese(main.lblT(k).text)) << main.lblT(k).text;

    // The board's title follows a change of language: the race's result, not an earlier title.
    ChooseLanguage(game.shell, Language::Japanese);
    EXPECT_EQ(main("lblTitle").text, "第3戦 " + game.season.GpTable[3].GpNm + " ＧＰ 決勝結果");
    EXPECT_EQ(main.lblT(2).text, "ドライバー");
}

TEST_F(EnglishGame, TheMarketAnnouncesInEnglish) {
    game.season.Sis.EndGp = game.season.Sis.GpCount;
    SetMainState(main, CommandState::SeasonOver);
    platform.script.push_back([&](Form& market) {
        EXPECT_FALSE(HasJapanese(market.caption)) << market.caption;
        market.Click("cmdStart");
        platform.Answer({true});
        market.Click("cmdOK");
    });
    main.Click("cmdOffSis");
    EXPECT_EQ(main.commandState, CommandState::BetweenGps) << "the market was confirmed";
    ExpectAllShownInEnglish();
    EXPECT_TRUE(AnyTextHas("Open the\r\ntransfer market?"));
    EXPECT_TRUE(AnyTextHas("signs for") || AnyTextHas("stays with"));
}

TEST_F(EnglishGame, TheMainWindowSwitchesLanguageAndBack) {
    const std::set<std::string> languageNames = {"日本語", "言語 / Language"};
    for (const Control& c : main.Controls()) {
        if (languageNames.contains(c.text)) continue;
        EXPECT_FALSE(HasJapanese(c.text)) << c.name << ": " << c.text;
        EXPECT_FALSE(HasJapanese(c.toolTip)) << c.name << ": " << c.toolTip;
    }
    EXPECT_EQ(main("cmdYosen").text, "Qualifying");
    EXPECT_EQ(main("cmdYosen").toolTip,
              "Runs the qualifying of the next Grand Prix, which sets the starting grid. (key Y)");

    ChooseLanguage(game.shell, Language::Japanese);
    EXPECT_EQ(main("cmdYosen").text, "予選");
    EXPECT_EQ(main("cmdYosen").toolTip, "次のグランプリの予選を行い、決勝のスターティンググリッドを決めます。（キー Y）");
    EXPECT_EQ(main("File").text, "ﾌｧｲﾙ");
    EXPECT_TRUE(main("Help_Language", 1).checked);

    ChooseLanguage(game.shell, Language::English);
    EXPECT_EQ(main("File").text, "File");
    EXPECT_TRUE(main("Help_Language", 2).checked);
}

// A calendar written in English reads back in English and in Japanese, and the other way round.
TEST(EnglishSeason, CourseTypesOfTheCalendarReadBackInEitherLanguage) {
    Season japanese = DefaultSeason();
    std::string englishCalendar, japaneseCalendar = CalendarToCsv(japanese);
    {
        LanguageScope english(Language::English);
        englishCalendar = CalendarToCsv(japanese);
    }
    EXPECT_NE(englishCalendar.find("Very technical"), std::string::npos);
    EXPECT_EQ(japaneseCalendar.find("Very technical"), std::string::npos);
    for (Language language : {Language::Japanese, Language::English}) {
        LanguageScope scope(language);
        for (const std::string& calendar : {englishCalendar, japaneseCalendar}) {
            Season s = japanese;
            for (size_t g = 1; g < s.GpTable.size(); ++g) s.GpTable[g].CourseType = "3";
            ImportRefusal refusal;
            ASSERT_TRUE(ImportSeasonCsv(s, {std::nullopt, std::nullopt, calendar}, refusal)) << RefusalText(refusal);
            EXPECT_EQ(s, japanese);
        }
    }
}
