#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <fstream>
#include <iconv.h>
#include <iterator>
#include <string>

#include "season/Cp932.h"
#include "season/Cp932Table.h"

using namespace karven;

// The browser build's code page 932 is our table: it must convert every code exactly as iconv
// does on the desktop, what iconv refuses included, or a season saved in one reads otherwise in the other.
namespace {
class Iconv {
public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Iconv() {
        if (Ok()) iconv_close(cd_);
    }
    bool Ok() const { return cd_ != (iconv_t)-1; }
    // The whole input or nothing, as the game converts a file.
    bool operator()(std::string_view input, std::string& output) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char buffer[64];
        char* in = const_cast<char*>(input.data());
        size_t inLeft = input.size();
        char* out = buffer;
        size_t outLeft = sizeof buffer;
        if (iconv(cd_, &in, &inLeft, &out, &outLeft) == (size_t)-1) return false;
        if (iconv(cd_, nullptr, nullptr, &out, &outLeft) == (size_t)-1) return false;
        output.assign(buffer, size_t(out - buffer));
        return true;
    }

private:
    iconv_t cd_;
};

std::string Utf8Of(uint32_t c) {
    std::string s;
    if (c < 0x80) {
        s += char(c);
    } else if (c < 0x800) {
        s += char(0xC0 | (c >> 6));
        s += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += char(0xE0 | (c >> 12));
        s += char(0x80 | ((c >> 6) & 0x3F));
        s += char(0x80 | (c & 0x3F));
    } else {
        s += char(0xF0 | (c >> 18));
        s += char(0x80 | ((c >> 12) & 0x3F));
        s += char(0x80 | ((c >> 6) & 0x3F));
        s += char(0x80 | (c & 0x3F));
    }
    return s;
}

void ExpectSameDecoding(Iconv& iconv, std::string_view bytes, int& read, int& refused) {
    std::string viaIconv, viaTable = "untouched";
    const bool ok = iconv(bytes, viaIconv);
    ASSERT_EQ(DecodeCp932Table(bytes, viaTable), ok) << testing::PrintToString(std::string(bytes));
    if (ok) {
        ASSERT_EQ(viaTable, viaIconv) << testing::PrintToString(std::string(bytes));
        ++read;
    } else {
        ++refused;
    }
}
} // namespace

TEST(Cp932Table, ReadsEveryCodeAsIconvDoes) {
    Iconv iconv("UTF-8", "CP932");
    ASSERT_TRUE(iconv.Ok());
    int read = 0, refused = 0;
    for (unsigned a = 0; a < 256; ++a) {
        const char one[] = {char(a)};
        ExpectSameDecoding(iconv, std::string_view(one, 1), read, refused);
        for (unsigned b = 0; b < 256; ++b) {
            const char two[] = {char(a), char(b)};
            ExpectSameDecoding(iconv, std::string_view(two, 2), read, refused);
            // A lead byte before a pair: the pair must not swallow the wrong byte.
            const char three[] = {char(0x81), char(a), char(b)};
            ExpectSameDecoding(iconv, std::string_view(three, 3), read, refused);
        }
    }
    // Both outcomes occur in number: the comparison has seen characters and refusals alike.
    EXPECT_GT(read, 60000);
    EXPECT_GT(refused, 30000);
}

TEST(Cp932Table, WritesEveryCharacterAsIconvDoes) {
    Iconv iconv("CP932", "UTF-8");
    ASSERT_TRUE(iconv.Ok());
    int written = 0, refused = 0, nothing = 0;
    for (uint32_t c = 0; c <= 0x10FFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) continue; // not UTF-8
        const std::string text = Utf8Of(c);
        std::string viaIconv, viaTable = "untouched";
        // What iconv writes as no bytes at all (the tag characters) the table refuses: it would
        // not read back.
        const bool writesNothing = iconv(text, viaIconv) && viaIconv.empty();
        const bool ok = iconv(text, viaIconv) && !writesNothing;
        ASSERT_EQ(EncodeCp932Table(text, viaTable), ok) << std::hex << c;
        if (writesNothing) ++nothing;
        if (!ok) {
            ++refused;
            continue;
        }
        ASSERT_EQ(viaTable, viaIconv) << std::hex << c;
        ++written;
    }
    EXPECT_GT(written, 7000);
    EXPECT_GT(refused, 1000000);
    EXPECT_EQ(nothing, 0x80) << "iconv writes the 128 tag characters as nothing";
}

// The tag characters, alone or within a text, refused by both converters as any character the
// code page lacks: an editor then shows "？" for them and a season holding one is refused before
// it is written, instead of failing its read-back check.
TEST(Cp932Table, TagCharactersAreRefusedByBothConverters) {
    for (uint32_t c : {0xE0000u, 0xE0001u, 0xE0020u, 0xE0067u, 0xE007Fu}) {
        std::string bytes = "untouched";
        for (const std::string& text : {Utf8Of(c), "英" + Utf8Of(c) + "国", "England" + Utf8Of(c)}) {
            EXPECT_FALSE(CanEncodeCp932(text)) << std::hex << c;
            EXPECT_FALSE(EncodeCp932(text, bytes)) << std::hex << c;
            EXPECT_FALSE(EncodeCp932Table(text, bytes)) << std::hex << c;
        }
        EXPECT_EQ(bytes, "untouched");
    }
    // Their neighbours are no tags, but nor are they in the code page.
    EXPECT_FALSE(CanEncodeCp932(Utf8Of(0xDFFFF)));
    EXPECT_FALSE(CanEncodeCp932(Utf8Of(0xE0080)));
    EXPECT_TRUE(CanEncodeCp932("英国 England"));
}

TEST(Cp932Table, RefusesWhatIsNotUtf8AndCarriesWholeTexts) {
    std::string bytes = "untouched";
    for (const char* bad : {"\xC0\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE3\x81", "\x80", "\xFF"})
        EXPECT_FALSE(EncodeCp932Table(bad, bytes)) << testing::PrintToString(std::string(bad));
    EXPECT_EQ(bytes, "untouched");
    // The default season, both ways: a whole file reads and writes back as iconv has it.
    std::ifstream file(KARVEN_BIN_DIR "Karven.sin", std::ios::binary);
    ASSERT_TRUE(file) << "Karven.sin beside the programs";
    const std::string season((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::string text, viaIconv, written;
    ASSERT_TRUE(DecodeCp932Table(season, text));
    ASSERT_TRUE(DecodeCp932(season, viaIconv));
    EXPECT_EQ(text, viaIconv);
    ASSERT_TRUE(EncodeCp932Table(text, written));
    EXPECT_EQ(written, season);
}
