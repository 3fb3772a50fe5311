// A window's captions follow the language of the day each time it is shown; the texts the logic
// wrote itself are left as they are.
#include <gtest/gtest.h>

#include "season/Translate.h"
#include "shell/Form.h"

using namespace karven;

namespace {
struct Localize : ::testing::Test {
    static void SetUpTestSuite() { OpenCatalogue(std::string(KARVEN_BIN_DIR) + "locale"); }
    void TearDown() override { SetLanguage(Language::Japanese); }
};
} // namespace

TEST_F(Localize, CaptionsFollowTheLanguageAndTheLogicsOwnTextsStay) {
    const std::string skip = "スキップ", market = "ストーブリーグ";
    const std::string skipEn = English(skip.c_str()), marketEn = English(market.c_str());
    ASSERT_NE(skipEn, skip) << "the catalogue is there";

    Form form("test", market);
    Control& button = form.Add(ControlKind::Button, "cmdSkip", {0, 0, 80, 24}, skip);
    Control& label = form.Add(ControlKind::Label, "lblMsg", {0, 30, 80, 24}, skip);

    form.Localize();
    EXPECT_EQ(button.text, skip);
    label.text = "第1戦"; // the logic's own text, already in the language of the day
    form.Localize();
    EXPECT_EQ(button.text, skip) << "shown again in the same language";
    EXPECT_EQ(label.text, "第1戦");

    SetLanguage(Language::English);
    form.Localize();
    EXPECT_EQ(form.caption, marketEn);
    EXPECT_EQ(button.text, skipEn);
    EXPECT_EQ(label.text, "第1戦") << "the logic's text is not translated";
    form.Localize();
    EXPECT_EQ(button.text, skipEn) << "shown again in English";

    // The logic puts back the caption the label was translated from in Japanese, before English
    // was chosen: it is the caption again and reads in the language of the day.
    label.text = skip;
    form.Localize();
    EXPECT_EQ(label.text, skipEn);
    button.text = "x";
    SetLanguage(Language::Japanese);
    form.Localize();
    EXPECT_EQ(button.text, "x");
    SetLanguage(Language::English);
    button.text = skipEn;
    form.Localize();
    EXPECT_EQ(button.text, skipEn);
    SetLanguage(Language::Japanese);
    form.Localize();
    EXPECT_EQ(button.text, skip);
    EXPECT_EQ(form.caption, market);
}

// A tool tip is made once per language, key and text it is made of; whatever was written over it
// shows the tip again, as when it was made every time.
TEST_F(Localize, ToolTipsFollowTheLanguageTheKeyAndTheirText) {
    const std::string skip = "スキップ", market = "ストーブリーグ";
    const std::string skipEn = English(skip.c_str()), marketEn = English(market.c_str());
    Form form("test");
    Control& button = form.Add(ControlKind::Button, "cmdSkip", {0, 0, 80, 24}, "x");
    button.toolTip = skip;

    form.Localize();
    EXPECT_EQ(button.toolTip, skip);
    SetLanguage(Language::English);
    form.Localize();
    EXPECT_EQ(button.toolTip, skipEn);
    button.shortcut = "S";
    form.Localize();
    EXPECT_EQ(button.toolTip, ToolTipText(button));
    EXPECT_NE(button.toolTip.find('S'), std::string::npos) << button.toolTip;
    button.toolTip = "written over";
    form.Localize();
    EXPECT_EQ(button.toolTip, ToolTipText(button)) << "the tip shows again";
    button.toolTipSource = market; // a tip of another text
    form.Localize();
    EXPECT_NE(button.toolTip.find(marketEn), std::string::npos) << button.toolTip;
    SetLanguage(Language::Japanese);
    button.shortcut.clear();
    form.Localize();
    EXPECT_EQ(button.toolTip, market);
}
