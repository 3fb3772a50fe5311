// The English catalogue: every entry translated, its placeholders the same, no Japanese left in
// it; and the Japanese texts come through untouched.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "season/Translate.h"
#include "support/Language.h"

namespace karven {
namespace {

struct Entry {
    int line = 0;
    std::string id, plural;
    std::vector<std::string> translations;
    bool obsolete = false;
    bool fuzzy = false; // msgfmt leaves such an entry out: the game would show the Japanese
};

std::string Unquote(const std::string& quoted) {
    std::string out;
    for (size_t i = 1; i + 1 < quoted.size(); ++i) {
        if (quoted[i] != '\\') {
            out += quoted[i];
            continue;
        }
        char c = quoted[++i];
        out += c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c;
    }
    return out;
}

std::vector<Entry> ReadCatalogue(const std::string& path) {
    std::ifstream in(path);
    std::vector<Entry> entries;
    std::string line, *last = nullptr;
    int n = 0;
    bool fuzzy = false;
    while (std::getline(in, line)) {
        ++n;
        if (line.starts_with("#,") && line.find("fuzzy") != std::string::npos) fuzzy = true;
        if (line.starts_with("#~")) {
            if (!entries.empty()) entries.back().obsolete = true;
            continue;
        }
        if (line.empty() || line[0] == '#') continue;
        size_t quote = line.find('"');
        std::string keyword = line.substr(0, line.find(' '));
        std::string value = quote == std::string::npos ? "" : Unquote(line.substr(quote));
        if (keyword == "msgid") {
            entries.push_back({n, value, "", {}, false, fuzzy});
            fuzzy = false;
            last = &entries.back().id;
        } else if (keyword == "msgid_plural") {
            entries.back().plural = value;
            last = &entries.back().plural;
        } else if (keyword.starts_with("msgstr")) {
            entries.back().translations.push_back(value);
            last = &entries.back().translations.back();
        } else if (line[0] == '"' && last) {
            *last += value;
        }
    }
    return entries;
}

std::multiset<std::string> Placeholders(const std::string& text) {
    static const std::regex placeholder(R"(\{[1-9]\})");
    std::multiset<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), placeholder); it != std::sregex_iterator(); ++it)
        found.insert(it->str());
    return found;
}

// The names of the languages stay in their own language in either; the characters a line may not
// start or end with and a font's name are no words at all.
const std::set<std::string> SameInEnglish = {
    "日本語", "言語 / Language", "IPAゴシック", "、。，．,！？!?）)」』】〕…・",
    "、。，．,.！？!?）)」』】〕・…ー～ーぁぃぅぇぉっゃゅょゎァィゥェォッャュョヮヵヶ%％"};

TEST(Catalogue, EveryEntryHasEnglishWithTheSamePlaceholders) {
    std::vector<Entry> entries = ReadCatalogue(std::string(KARVEN_PO_DIR) + "en.po");
    ASSERT_GT(entries.size(), 100u);
    for (const Entry& e : entries) {
        if (e.id.empty() || e.obsolete) continue; // the header
        SCOPED_TRACE("en.po line " + std::to_string(e.line) + ": " + e.id);
        ASSERT_FALSE(e.translations.empty());
        EXPECT_FALSE(e.fuzzy) << "a fuzzy entry is left out of the catalogue";
        for (const std::string& english : e.translations) {
            EXPECT_FALSE(english.empty()) << "no English";
            // The language menu's caption names each language in itself, in either.
            std::string words = english;
            const std::string menu = "言語 / Language";
            for (size_t at; (at = words.find(menu)) != std::string::npos;) words.erase(at, menu.size());
            if (!SameInEnglish.contains(e.id)) EXPECT_FALSE(HasJapanese(words)) << english;
            // A plural form may leave the count out ("one lap"), never add or lose another value.
            std::multiset<std::string> want = Placeholders(e.id), got = Placeholders(english);
            if (!e.plural.empty()) {
                want.erase("{1}");
                got.erase("{1}");
            }
            EXPECT_EQ(got, want) << english;
            if (e.id.find("\r\n") != std::string::npos)
                EXPECT_NE(english.find("\r\n"), std::string::npos) << "a message of lines keeps its line breaks";
        }
    }
}

TEST(Catalogue, JapaneseIsTheSourceAndEnglishIsLookedUp) {
    LanguageScope japanese(Language::Japanese);
    const char* text = "決勝をスタートしてよろしいですか？";
    EXPECT_EQ(Tr(text), text) << "Japanese is never looked up";
    EXPECT_EQ(TrF("第{1}戦 {2} ＧＰ 決勝", 3, "モナコ"), "第3戦 モナコ ＧＰ 決勝");
    {
        LanguageScope english(Language::English);
        EXPECT_EQ(TrF("第{1}戦 {2} ＧＰ 決勝", 3, "Monaco"), "Round 3 Monaco GP Race");
        EXPECT_FALSE(HasJapanese(Tr(text)));
        EXPECT_EQ(std::string(Tr("a text the catalogue does not hold")), "a text the catalogue does not hold");
    }
    EXPECT_EQ(Tr(text), text);
}

TEST(Catalogue, OneJapaneseTextOfTwoMeaningsHasAnEnglishForEach) {
    const char* winner = C_("the winner", "優勝");
    {
        LanguageScope japanese(Language::Japanese);
        EXPECT_STREQ(Tr(winner), "優勝") << "the context is never shown";
        EXPECT_STREQ(Tr("優勝"), "優勝");
    }
    LanguageScope english(Language::English);
    EXPECT_STREQ(Tr("優勝"), "Wins") << "a count of wins";
    EXPECT_STREQ(Tr(winner), "Winner");
    EXPECT_STREQ(English(winner), "Winner");
    EXPECT_STREQ(Tr(C_("count", "ＧＰ")), "Grands Prix");
    EXPECT_STREQ(Tr("ＧＰ"), "GP");
    EXPECT_STREQ(Tr(C_("a context the catalogue lacks", "優勝")), "優勝") << "the text alone, as for any text it lacks";
}

TEST(Catalogue, FillLeavesWhatIsNotAPlaceholder) {
    EXPECT_EQ(Fill("{1}-{2}", {"a", "b"}), "a-b");
    EXPECT_EQ(Fill("{2}{1}", {"a", "b"}), "ba");
    EXPECT_EQ(Fill("{3} {0} {x} {", {"a"}), "{3} {0} {x} {") << "a value that is not given stays visible";
}

} // namespace
} // namespace karven
