// Our own reader of the compiled catalogue, used where the C library has no gettext, answers
// exactly as gettext does for every message of the built catalogue: texts, contexts, and the
// plural forms over a range of counts.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <libintl.h>

#include "season/MoCatalogue.h"
#include "support/Language.h"
#include "support/TempDir.h"

namespace karven {
namespace {

const std::string BuiltCatalogue = std::string(KARVEN_BIN_DIR) + "locale/en/LC_MESSAGES/karven.mo";

// gettext's answer, and the reader's with the same fallbacks Translate gives it.
std::string ByGettext(const std::string& id) { return dgettext("karven", id.c_str()); }
std::string ByReader(const MoCatalogue& mo, const std::string& id) {
    const char* found = mo.Find(id.c_str());
    return found ? found : id;
}

const std::vector<unsigned long>& Counts() {
    static const std::vector<unsigned long> counts = [] {
        std::vector<unsigned long> c;
        for (unsigned long n = 0; n <= 120; ++n) c.push_back(n);
        for (unsigned long n : {1000ul, 1001ul, 100000ul, 4294967295ul}) c.push_back(n);
        return c;
    }();
    return counts;
}

TEST(MoCatalogue, AnswersAsGettextForEveryMessage) {
    LanguageScope english(Language::English); // opens the catalogue for gettext
    MoCatalogue mo;
    ASSERT_TRUE(mo.Load(BuiltCatalogue));
    const std::vector<std::string> originals = mo.Originals();
    ASSERT_GT(originals.size(), 700u);
    ASSERT_EQ(ByGettext("テクニック"), "Technique") << "gettext finds the catalogue";
    size_t contexts = 0, counted = 0;
    for (size_t i = 0; i < originals.size(); ++i) {
        const std::string& id = originals[i];
        if (id.empty()) continue; // the header, never asked for
        contexts += id.find('\004') != std::string::npos;
        EXPECT_EQ(ByReader(mo, id), ByGettext(id)) << id;
        counted += mo.Counted(i);
        // Counted or not, asked with a count as TrN asks.
        for (unsigned long n : Counts()) {
            const char* found = mo.FindPlural(id.c_str(), n);
            ASSERT_NE(found, nullptr) << id;
            EXPECT_STREQ(found, dngettext("karven", id.c_str(), id.c_str(), n)) << id << " for " << n;
        }
    }
    EXPECT_GE(contexts, 8u) << "the catalogue's contexts";
    EXPECT_GE(counted, 6u) << "the catalogue's counted texts";
    // What the catalogue lacks: nothing from the reader, the text itself from gettext.
    for (const char* missing : {"a text the catalogue does not hold", "決勝\004ＧＰ", "テクニッ"}) {
        EXPECT_EQ(mo.Find(missing), nullptr) << missing;
        EXPECT_EQ(mo.FindPlural(missing, 2), nullptr) << missing;
        EXPECT_EQ(ByGettext(missing), missing);
    }
}

TEST(MoCatalogue, TranslateGivesTheReadersEnglish) {
    // Through Tr and TrN the desktop asks gettext; the reader's answers are the same texts.
    LanguageScope english(Language::English);
    MoCatalogue mo;
    ASSERT_TRUE(mo.Load(BuiltCatalogue));
    EXPECT_STREQ(Tr(C_("the winner", "優勝")), mo.Find("the winner\004優勝"));
    EXPECT_EQ(TrN("{1}勝", 1), Fill(mo.FindPlural("{1}勝", 1), {"1"}));
    EXPECT_EQ(TrN("{1}勝", 3), Fill(mo.FindPlural("{1}勝", 3), {"3"}));
    EXPECT_NE(TrN("{1}勝", 1), TrN("{1}勝", 2).replace(0, 1, "1")) << "one win and two wins take their own forms";
}

// The catalogue with every number written the other way round, as a big-endian machine writes it.
std::string Swapped(std::string bytes) {
    auto get = [&bytes](size_t at) {
        uint32_t v;
        std::memcpy(&v, bytes.data() + at, 4);
        return v;
    };
    auto swap = [&bytes, &get](size_t at) {
        uint32_t v = __builtin_bswap32(get(at));
        std::memcpy(bytes.data() + at, &v, 4);
    };
    const uint32_t count = get(8), originals = get(12), translations = get(16), hashSize = get(20), hash = get(24);
    for (size_t at = 0; at < 28; at += 4) swap(at);
    for (uint32_t i = 0; i < 2 * count; ++i) swap(originals + 4 * i), swap(translations + 4 * i);
    for (uint32_t i = 0; i < hashSize; ++i) swap(hash + 4 * i);
    return bytes;
}

TEST(MoCatalogue, ReadsEitherByteOrderAndRefusesWhatIsNoCatalogue) {
    test::TempDir dir;
    const std::string bytes = test::ReadBytes(BuiltCatalogue);
    ASSERT_GT(bytes.size(), 1000u);
    MoCatalogue little, big;
    ASSERT_TRUE(little.Load(BuiltCatalogue));
    test::WriteBytes(dir / "big.mo", Swapped(bytes));
    ASSERT_TRUE(big.Load(dir / "big.mo"));
    for (const std::string& id : little.Originals()) {
        EXPECT_STREQ(big.Find(id.c_str()), little.Find(id.c_str())) << id;
        EXPECT_STREQ(big.FindPlural(id.c_str(), 2), little.FindPlural(id.c_str(), 2)) << id;
    }

    // Cut anywhere in its tables or strings, or not a catalogue at all: refused whole, nothing found.
    for (size_t size : {size_t(0), size_t(3), size_t(27), size_t(100), bytes.size() / 2, bytes.size() - 1}) {
        test::WriteBytes(dir / "cut.mo", bytes.substr(0, size));
        MoCatalogue cut;
        EXPECT_FALSE(cut.Load(dir / "cut.mo")) << size;
        EXPECT_FALSE(cut.Loaded());
        EXPECT_EQ(cut.Find("テクニック"), nullptr);
    }
    std::string offsetOut = bytes;
    const uint32_t far = 0x7fffffff;
    std::memcpy(offsetOut.data() + 12, &far, 4); // the originals' table beyond the file
    test::WriteBytes(dir / "far.mo", offsetOut);
    MoCatalogue farOff;
    EXPECT_FALSE(farOff.Load(dir / "far.mo"));
    MoCatalogue none;
    EXPECT_FALSE(none.Load(dir / "no such file.mo"));
    EXPECT_FALSE(none.Load(std::string(KARVEN_BIN_DIR) + "Karven.sin"));
}

TEST(MoCatalogue, PluralFormsOfOtherLanguagesEvaluateAsC) {
    // The Plural-Forms expressions gettext's manual gives, against the same expressions in C++.
    struct Case {
        const char* expression;
        unsigned long (*c)(unsigned long n);
    };
    const Case cases[] = {
        {"(n != 1)", [](unsigned long n) -> unsigned long { return n != 1; }},
        {"0", [](unsigned long) -> unsigned long { return 0; }},
        {"n>1", [](unsigned long n) -> unsigned long { return n > 1; }},
        {"n%10==1 && n%100!=11 ? 0 : n != 0 ? 1 : 2",
         [](unsigned long n) -> unsigned long { return n % 10 == 1 && n % 100 != 11 ? 0 : n != 0 ? 1 : 2; }},
        {"n==1 ? 0 : n==2 ? 1 : 2", [](unsigned long n) -> unsigned long { return n == 1 ? 0 : n == 2 ? 1 : 2; }},
        {"n%10==1 && n%100!=11 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || n%100>=20) ? 1 : 2",
         [](unsigned long n) -> unsigned long {
             return n % 10 == 1 && n % 100 != 11 ? 0 : n % 10 >= 2 && n % 10 <= 4 && (n % 100 < 10 || n % 100 >= 20) ? 1 : 2;
         }},
        {"(n==1) ? 0 : (n>=2 && n<=4) ? 1 : 2",
         [](unsigned long n) -> unsigned long { return (n == 1) ? 0 : (n >= 2 && n <= 4) ? 1 : 2; }},
        {"n%100==1 ? 0 : n%100==2 ? 1 : n%100==3 || n%100==4 ? 2 : 3",
         [](unsigned long n) -> unsigned long { return n % 100 == 1 ? 0 : n % 100 == 2 ? 1 : n % 100 == 3 || n % 100 == 4 ? 2 : 3; }},
        {"n==0 ? 0 : n==1 ? 1 : n==2 ? 2 : n%100>=3 && n%100<=10 ? 3 : n%100>=11 ? 4 : 5",
         [](unsigned long n) -> unsigned long {
             return n == 0 ? 0 : n == 1 ? 1 : n == 2 ? 2 : n % 100 >= 3 && n % 100 <= 10 ? 3 : n % 100 >= 11 ? 4 : 5;
         }},
        {"!(n - 1) + 2 * (n / 3) - n % 4 + (n <= 5) - (n >= 7)",
         [](unsigned long n) -> unsigned long { return !(n - 1) + 2 * (n / 3) - n % 4 + (n <= 5) - (n >= 7); }},
    };
    for (const Case& c : cases)
        for (unsigned long n = 0; n < 1000; ++n) ASSERT_EQ(EvaluatePlural(c.expression, n), c.c(n)) << c.expression << " n=" << n;
    // What is no expression gives the first form, as a catalogue without a header would have.
    for (const char* bad : {"", "n +", "(n", "n ? 1", "n / 0", "x", "n = 1", "1 2"}) EXPECT_EQ(EvaluatePlural(bad, 5), 0u) << bad;
}

} // namespace
} // namespace karven
