#include <gtest/gtest.h>

#include <algorithm>

#include "EditorTestSeason.h"
#include "shell/MainState.h"
#include "support/TempDir.h"

using namespace karven;
using namespace karven::test;

using Texts = std::vector<std::string>;

namespace {
bool AnyStartsWith(const std::vector<std::string>& texts, const std::string& start) {
    return std::any_of(texts.begin(), texts.end(),
                       [&](const std::string& t) { return t.rfind(start, 0) == 0; });
}
} // namespace

// Settings and calendar edited in the game, saved, reopened; the next weekend runs on them.
TEST(EditorFlow, EditedSeasonSavesReopensAndRaces) {
    EditorWorld w(EditorSeason(3, 3, 8)); // six seated drivers, grid "20", ten laps
    FrmKarvenRace& main = w.shell.main;
    SetMainState(main, CommandState::SeasonStart);
    w.platform.script.push_back([](Form& f) {
        while (f("lblNin").text != "4") f.Click("cmdNinDn");
        f.Click("cmdSyuDn");
        f.Click("cmdGp");
        f.Click("cmdOK");
    });
    w.platform.script.push_back([](Form& f) {
        auto& calendar = dynamic_cast<FrmKarvenGpSet&>(f);
        calendar("lstGp").listIndex = 0;
        calendar.Click("lstGp");
        Control& name = calendar("txtGp");
        name.text = "モナコ,MC";
        name.onChange();
        name.onLostFocus();
        calendar.Click("cmdUp");
        calendar.Click("cmdAdd");
        calendar.Click("cmdOK");
    });
    main.Click("Set_Sis", 21);
    ASSERT_TRUE(w.platform.script.empty());
    EXPECT_EQ(w.season.Sis, (SisSettings{"4", "5", "4", "0"}));
    EXPECT_EQ(w.season.GpTable[1], (GpRecord{"01", "モナコ，MC", "2"}));
    Season edited = w.season;

    TempDir dir;
    w.platform.fileAnswers = {dir / "edited.krv", dir / "edited.krv"};
    main.Click("File_update");
    w.season.GpTable[1].GpNm = "書き換え";
    w.season.Sis.NinCount = "6";
    w.platform.script.push_back([](Form& ask) { ask.Click("cmdDiscard"); }); // the changes just made
    main.Click("File_open");
    EXPECT_TRUE(w.platform.warnings.empty());
    EXPECT_EQ(w.season, edited);

    w.platform.shown.clear();
    main.Click("cmdYosen");
    EXPECT_EQ(main("lblTitle").text, "第1戦 モナコ，MC ＧＰ 予選結果");
    main.Click("cmdKesyou");
    int started = 0;
    for (size_t d = 1; d < w.season.DrvTable.size(); ++d) started += !w.season.DrvTable[d].Result[1].empty();
    EXPECT_EQ(started, 4);
    auto texts = w.platform.Texts();
    EXPECT_TRUE(AnyStartsWith(texts, "5周目"));
    EXPECT_FALSE(AnyStartsWith(texts, "6周目"));
    EXPECT_EQ(w.season.Sis.EndGp, "1");
}

// Teams and drivers edited in the game, saved, read back the same byte for byte; the next
// weekend races the new field.
TEST(EditorFlow, EditedTeamsAndDriversSaveReopenAndRace) {
    EditorWorld w(EditorSeason(3, 3, 8)); // Driver07 and Driver08 without a seat
    FrmKarvenRace& main = w.shell.main;
    SetMainState(main, CommandState::BetweenGps);
    w.platform.script.push_back([](Form& f) {
        auto pick = [&](int line) {
            f("lstTim").listIndex = line;
            f.Click("lstTim");
        };
        pick(0);
        TypeInto(f("txtTimNm"), "紅蓮");
        TypeInto(f("txtEngNm"), "雷電");
        f.Click("cmdUp", 0);
        f.Click("cmdDn", 3);
        TypeInto(f("cboDrv", 2), "Driver03"); // from team 02
        f.Click("cmdAdd");
        TypeInto(f("txtTimNm"), "新チーム");
        TypeInto(f("cboDrv", 1), "Driver07");
        TypeInto(f("cboDrv", 2), "Driver08");
        f.Click("cmdOK");
    });
    main.Click("Set_Tim", 22);
    w.platform.script.push_back([](Form& f) {
        f("lstDrv").listIndex = 6;
        f.Click("lstDrv");
        TypeInto(f("txtDrvNm"), "新星");
        f.Click("cmdUp", 1);
        f.Click("cmdAdd");
        f.Click("cmdOK");
    });
    main.Click("Set_Drv", 23);
    ASSERT_TRUE(w.platform.script.empty());
    EXPECT_EQ(w.season.TimCount, "4");
    EXPECT_EQ(w.season.TimTable[1], (TimRecord{"01", "紅蓮・雷電", "0002", "4", "5", "1", "0"}));
    EXPECT_EQ(w.season.TimTable[4].TimNm, "新チーム・New"); // the engine box still held "New"
    EXPECT_EQ(w.season.DrvCount, "9");
    EXPECT_EQ(w.season.DrvTable[7].DrvNm + w.season.DrvTable[7].TimNo + w.season.DrvTable[7].Technique,
              "新星044");
    EXPECT_EQ(w.season.DrvTable[2].TimNo + w.season.DrvTable[3].TimNo, "01");
    Season edited = w.season;

    TempDir dir;
    w.platform.fileAnswers = {dir / "teams.krv", dir / "teams.krv", dir / "again.krv"};
    main.Click("File_update");
    w.season.TimTable[1].TimNm = "書き換え";
    w.platform.script.push_back([](Form& ask) { ask.Click("cmdDiscard"); });
    main.Click("File_open");
    EXPECT_TRUE(w.platform.warnings.empty());
    EXPECT_EQ(w.season, edited);
    main.Click("File_update");
    EXPECT_EQ(ReadBytes(dir / "again.krv"), ReadBytes(dir / "teams.krv"));

    w.season.Sis.NinCount = "7";
    w.platform.shown.clear();
    main.Click("cmdYosen");
    main.Click("cmdKesyou");
    Texts starters;
    for (size_t d = 1; d < w.season.DrvTable.size(); ++d)
        if (!w.season.DrvTable[d].Result[1].empty()) starters.push_back(w.season.DrvTable[d].DrvNm);
    EXPECT_EQ(starters.size(), 7u);
    Texts texts = w.platform.Texts();
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const std::string& t) {
        return t.find("新星") != std::string::npos && t.find("新チーム") != std::string::npos;
    }));
}
