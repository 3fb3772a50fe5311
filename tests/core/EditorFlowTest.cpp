#include <gtest/gtest.h>

#include <algorithm>

#include "EditorTestSeason.h"
#include "shell/MainState.h"
#include "support/TempDir.h"

using namespace karven;
using namespace karven::test;

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
    SetMainState(main, 1);
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
