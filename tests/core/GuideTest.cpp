// 遊び方 against the main window itself: every command with its key, every key, every menu with
// all it holds, in both languages.
#include <gtest/gtest.h>

#include <string>

#include "shell/FrmGuide.h"
#include "shell/FrmKarvenRace.h"
#include "support/Language.h"

using namespace karven;

namespace {
// The text of the table row whose first cell is `first`, "" when there is none.
std::string RowOf(const std::string& guide, const std::string& first) {
    size_t at = guide.find("<tr><td>" + first + "</td>");
    if (at == std::string::npos) return "";
    return guide.substr(at, guide.find("</tr>", at) - at);
}
} // namespace

TEST(Guide, NamesEveryCommandKeyAndMenuOfTheMainWindow) {
    for (Language language : {Language::Japanese, Language::English}) {
        LanguageScope scope(language);
        FrmKarvenRace main;
        main.Localize();
        const std::string guide = GuideText("/karven/");
        const std::string keys = RowOf(guide, "T Y K A D C R P L");
        ASSERT_FALSE(keys.empty()) << "the row of the commands' letters";
        int commands = 0;
        for (const Control& c : main.Controls()) {
            if (c.kind != ControlKind::Button) continue;
            ++commands;
            std::string key;
            for (const auto& [k, button] : main.keyButtons)
                if (button == c.name) key = k;
            EXPECT_NE(RowOf(guide, c.text).find("<td align=\"center\">" + key + "</td>"), std::string::npos)
                << c.name << " " << c.text << " with its key " << key;
            if (!key.empty()) {
                EXPECT_NE(keys.find(key), std::string::npos) << key;
            }
        }
        EXPECT_EQ(commands, int(std::size(FrmKarvenRace::CommandButtons)));
        EXPECT_FALSE(RowOf(guide, NextKey).empty());

        int menus = 0;
        for (const Control& menu : main.Controls()) {
            if (menu.kind != ControlKind::Menu || !menu.parent.empty()) continue;
            ++menus;
            const std::string row = RowOf(guide, menu.text);
            EXPECT_FALSE(row.empty()) << menu.text;
            for (const Control& item : main.Controls()) {
                if (item.parent != menu.name || item.kind == ControlKind::Separator || item.name == "Help_help")
                    continue; // the rules' own item, which does nothing
                EXPECT_NE(row.find(item.text), std::string::npos) << menu.text << " → " << item.text;
            }
        }
        EXPECT_EQ(menus, 6);
    }
}
