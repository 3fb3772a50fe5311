// The season's teams, drivers and calendar out to spreadsheets and back: what a player edits comes
// in as the editors would take it, what he leaves alone stays byte for byte, and a bad file changes
// nothing and says where it is bad.
#include <gtest/gtest.h>

#include <filesystem>

#include "editors/GpSet.h"
#include "exchange/ExchangeFiles.h"
#include "exchange/Results.h"
#include "exchange/SeasonCsv.h"
#include "race/RaceState.h"
#include "race/SilentWeekend.h"
#include "season/Cp932.h"
#include "season/Numbers.h"
#include "season/SeasonFile.h"
#include "shell/Random.h"
#include "support/LoadSeason.h"
#include "support/TempDir.h"

using namespace karven;
using namespace karven::test;

namespace {

SeasonCsvFiles Exported(const Season& s) { return {TeamsToCsv(s), DriversToCsv(s), CalendarToCsv(s)}; }

std::string SavedBytes(const Season& s) {
    TempDir dir;
    EXPECT_TRUE(WriteSeasonFile(s, dir / "s.krv"));
    return ReadBytes(dir / "s.krv");
}

// A file as a spreadsheet might save it: UTF-8 with its mark, CR LF.
std::string Csv(std::initializer_list<std::string> lines) {
    std::string text = "\xEF\xBB\xBF";
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

// The import, which must succeed.
ImportSummary Import(Season& s, const SeasonCsvFiles& files) {
    ImportRefusal refusal;
    ImportSummary summary;
    EXPECT_TRUE(ImportSeasonCsv(s, files, refusal, &summary)) << RefusalText(refusal);
    return summary;
}

// The lines of an exported file, header first, without the mark and the line ends.
std::vector<std::string> Lines(const std::string& csv) {
    std::vector<std::string> lines;
    for (size_t at = 3; at < csv.size();) {
        size_t end = csv.find("\r\n", at);
        lines.push_back(csv.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string csv = "\xEF\xBB\xBF";
    for (const std::string& line : lines) csv += line + "\r\n";
    return csv;
}

std::string LineOf(const std::string& csv, int n) { return Lines(csv).at(n); }

std::string ReplaceLine(const std::string& csv, int n, const std::string& line) {
    std::vector<std::string> lines = Lines(csv);
    lines.at(n) = line;
    return Joined(lines);
}

std::vector<std::string> RoundTripSeasons() {
    std::vector<std::string> paths{std::string(KARVEN_BIN_DIR) + InitialDataFile};
    for (const char* folder : {"", "../odd/"})
        for (const auto& entry : std::filesystem::directory_iterator(std::string(KARVEN_GOLDEN_DIR) + folder))
            if (entry.path().extension() == ".krv") paths.push_back(entry.path().string());
    return paths;
}

} // namespace

TEST(SeasonCsv, ExportThenImportGivesBackTheSameSeasonFileByteForByte) {
    for (const std::string& path : RoundTripSeasons()) {
        SCOPED_TRACE(path);
        Season before = LoadSeason(path);
        Season after = before;
        Import(after, Exported(before));
        // A Grand Prix's number is its place, as the calendar editor and the file write it.
        for (size_t g = 1; g < before.GpTable.size(); ++g) before.GpTable[g].GpNo = Format00(int(g));
        EXPECT_TRUE(after == before);
        EXPECT_EQ(SavedBytes(after), SavedBytes(before));
    }
}

TEST(SeasonCsv, ExportShowsWhatTheEditorsShow) {
    Season s = DefaultSeason();
    const std::string teams = TeamsToCsv(s), drivers = DriversToCsv(s), calendar = CalendarToCsv(s);
    for (const std::string* file : {&teams, &drivers, &calendar}) EXPECT_TRUE(file->starts_with("\xEF\xBB\xBF"));
    EXPECT_EQ(LineOf(teams, 0), "TimNm,ColorNo,Speed,Aero,Stability");
    EXPECT_EQ(LineOf(teams, 1), "ブルーホーク・カイザー,0003,A,A,B"); // stability 4 shows "B"
    EXPECT_EQ(LineOf(drivers, 0), "DrvNm,TimNm,Technique,Roughness,Block,Stability");
    EXPECT_EQ(LineOf(drivers, 1), "アレク・ヴァンデル,ブルーホーク・カイザー,S,A,A,B");
    EXPECT_EQ(LineOf(drivers, 33), "ルカ・ベネッリーニ,,B,B,C,B"); // no seat
    EXPECT_EQ(LineOf(calendar, 0), "GpNm,CourseType");
    EXPECT_EQ(LineOf(calendar, 5), "モナコ,超難");
    EXPECT_EQ(LineOf(calendar, 9), "ドイツ,超速");
}

TEST(SeasonCsv, ThePlayersEditsComeInAsTheEditorsWouldWriteThem) {
    Season s = DefaultSeason();
    // Half a season played: careers and results to keep.
    s.Sis.EndGp = "3";
    s.DrvTable[1].CareerWins = "2";
    s.DrvTable[1].Result[1] = "1";
    s.DrvTable[2].CareerPoints = "14";
    s.TimTable[1].Points = "24";
    const Season before = s;

    std::string drivers = DriversToCsv(s);
    drivers = ReplaceLine(drivers, 1, "アレク・ヴァンデル,ブルーホーク・カイザー,a,Ｃ,A,B"); // other grades, any case or width
    drivers = ReplaceLine(drivers, 2, "\"Mak,abe\",ブルーホーク・カイザー,A,B,B,A");       // renamed: a new driver
    drivers += "新人,,E,E,E,E\r\n";
    Import(s, {std::nullopt, drivers, std::nullopt});

    ASSERT_EQ(s.DrvCount, "41");
    const DrvRecord& kept = s.DrvTable[1];
    EXPECT_EQ(kept.Technique, "1");
    EXPECT_EQ(kept.Roughness, "3");
    EXPECT_EQ(kept.CareerWins, "2");
    EXPECT_EQ(kept.Result[1], "1");
    const DrvRecord& renamed = s.DrvTable[2];
    EXPECT_EQ(renamed.DrvNm, "Mak，abe"); // through the editors' replacement
    EXPECT_EQ(renamed.CareerPoints, "0");
    EXPECT_EQ(renamed.TimNo, "01");
    EXPECT_EQ(renamed.Technique, "1");
    const DrvRecord& added = s.DrvTable[41];
    EXPECT_EQ(added.DrvNo, "41");
    EXPECT_EQ(added.TimNo, "");
    EXPECT_EQ(added.Technique, "5");
    EXPECT_EQ(added.Stability, "1");
    EXPECT_EQ(s.TimTable, before.TimTable);
    EXPECT_EQ(s.GpTable, before.GpTable);
    EXPECT_EQ(s.Sis, before.Sis);
}

TEST(SeasonCsv, DriversMatchByNameWhereverTheyStandAndNamesakesInTurn) {
    Season s = DefaultSeason();
    s.DrvTable[3].DrvNm = s.DrvTable[5].DrvNm = "同名";
    s.DrvTable[3].CareerWins = "3";
    s.DrvTable[5].CareerWins = "5";
    s.DrvTable[40].CareerGp = "9";
    std::vector<std::string> lines = Lines(DriversToCsv(s));
    // The last driver moved to the top: his career moves with him, and numbers follow places.
    lines.insert(lines.begin() + 1, lines.back());
    lines.pop_back();
    std::string drivers = Joined(lines);
    Import(s, {std::nullopt, drivers, std::nullopt});
    EXPECT_EQ(s.DrvTable[1].DrvNm, "カルロス・メンディーア");
    EXPECT_EQ(s.DrvTable[1].CareerGp, "9");
    EXPECT_EQ(s.DrvTable[1].DrvNo, "01");
    EXPECT_EQ(s.DrvTable[4].CareerWins, "3"); // the first 同名 of the file is the season's first
    EXPECT_EQ(s.DrvTable[6].CareerWins, "5");
    EXPECT_EQ(s.DrvTable[6].DrvNo, "06");
}

TEST(SeasonCsv, TeamsKeepTheirPointsAndDriversWhenMovedOrRenamedInTheirRow) {
    Season s = DefaultSeason();
    s.TimTable[1].Points = "30";
    s.TimTable[2].Points = "20";
    std::vector<std::string> lines = Lines(TeamsToCsv(s));
    lines[1] = "ブルーホーク・ニューエンジン" + lines[1].substr(lines[1].find(',')); // renamed in its row
    std::swap(lines[2], lines[3]);                                                 // moved
    lines[4] = "New,7,e,e,e";                                                      // made over in its row
    lines.erase(lines.begin() + 5);                                                // gone
    Import(s, {Joined(lines), std::nullopt, std::nullopt});

    EXPECT_EQ(s.TimTable[1].TimNm, "ブルーホーク・ニューエンジン");
    EXPECT_EQ(s.TimTable[1].Points, "30");
    EXPECT_EQ(s.TimTable[3].TimNm, "レッドフォックス・ヴォルタ");
    EXPECT_EQ(s.TimTable[3].TimNo, "03");
    EXPECT_EQ(s.TimTable[3].Points, "20");
    EXPECT_EQ(s.TimTable[4].ColorNo, "0007"); // as a spreadsheet writes "0007" back
    EXPECT_EQ(s.TimTable[4].Speed + s.TimTable[4].Stability, "51");
    EXPECT_EQ(s.TimCount, "15");
    // Without drivers.csv the drivers follow their teams; the team gone takes their seats with it.
    EXPECT_EQ(s.DrvTable[1].TimNo, "01");
    EXPECT_EQ(s.DrvTable[3].TimNo, "03");
    EXPECT_EQ(s.DrvTable[5].TimNo, "02");
    EXPECT_EQ(s.DrvTable[7].TimNo, "04");
    EXPECT_EQ(s.DrvTable[9].TimNo, "");
    EXPECT_EQ(s.DrvTable[10].TimNo, "");
    EXPECT_EQ(s.DrvTable[11].TimNo, "05");
    // 30 drivers keep a seat, enough for the 26 qualifiers.
    EXPECT_EQ(s.Sis.NinCount, "26");

    // drivers.csv written before the teams were renamed still names their old names.
    Season t = DefaultSeason();
    Import(t, {Joined(lines), DriversToCsv(t), std::nullopt});
    EXPECT_EQ(t.DrvTable, s.DrvTable);
}

TEST(SeasonCsv, NinCountIsLoweredToTheSeatedDriversAsTheEditorsLowerIt) {
    Season s = DefaultSeason();
    std::string drivers = DriversToCsv(s);
    for (int line = 1; line <= 10; ++line) {
        std::string row = LineOf(drivers, line);
        size_t a = row.find(','), b = row.find(',', a + 1);
        drivers = ReplaceLine(drivers, line, row.substr(0, a + 1) + row.substr(b)); // no seat
    }
    Import(s, {std::nullopt, drivers, std::nullopt});
    EXPECT_EQ(s.Sis.NinCount, "22");
}

TEST(SeasonCsv, ACalendarOfNamesAndCourseWordsInAnyColumnOrder) {
    Season s = DefaultSeason();
    s.Sis.EndGp = "16"; // the season is over: a Grand Prix added makes one more to run
    const Season before = s;
    std::string calendar = Csv({"CourseType,GpNm,メモ"});
    for (int g = 1; g <= 16; ++g)
        calendar += CourseTypeText(s.GpTable[g].CourseType) + "," + s.GpTable[g].GpNm + ",\r\n";
    calendar += "超速,\"ナイト\r\nレース\",追加\r\n";
    Import(s, {std::nullopt, std::nullopt, calendar});
    ASSERT_EQ(s.Sis.GpCount, "17");
    EXPECT_EQ(s.GpTable[17].GpNo, "17");
    EXPECT_EQ(s.GpTable[17].GpNm, "ナイト レース"); // a line break inside a name becomes a space
    EXPECT_EQ(s.GpTable[17].CourseType, "1");
    for (int g = 1; g <= 16; ++g) EXPECT_EQ(s.GpTable[g], before.GpTable[g]);
}

// Names a spreadsheet would run as formulas: no file of the game hands one over bare, and the
// season's own files bring every one of them back as it was.
TEST(SeasonCsv, FormulaLikeNamesNeverReachASpreadsheetBare) {
    Season s = DefaultSeason();
    const std::vector<std::string> risky{"=cmd|' /C calc'!A0", "+SUM(1+1)", "@SUM(A1)", "-2+3"};
    s.TimTable[1].TimNm = risky[0] + "・V10";
    s.DrvTable[1].DrvNm = risky[1];
    s.DrvTable[2].DrvNm = risky[2];
    s.GpTable[1].GpNm = risky[3];
    GameRandom random(6);
    ASSERT_TRUE(PlayGrandPrix(s, random, {}));
    std::vector<ExchangeFile> files = ResultCsvFiles(s);
    const std::vector<ExchangeFile> own = SeasonCsvExport(s);
    files.insert(files.end(), own.begin(), own.end());
    ASSERT_GE(files.size(), 7u);
    for (const auto& [name, text] : files) {
        for (const std::string& r : risky)
            for (const std::string& bare : {"," + r, "\n" + r, ",\"" + r, "\n\"" + r, "\xBF" + r})
                EXPECT_EQ(text.find(bare), std::string::npos) << name << " holds " << r << " bare";
    }
    Season back = s;
    Import(back, Exported(s));
    EXPECT_EQ(SavedBytes(back), SavedBytes(s));
}
