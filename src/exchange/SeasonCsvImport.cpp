#include <map>

#include "editors/GpSet.h"
#include "editors/SisSet.h"
#include "exchange/Csv.h"
#include "exchange/CsvSheet.h"
#include "exchange/SeasonColumns.h"
#include "exchange/SeasonCsv.h"
#include "season/Translate.h"
#include "season/Utf8.h"
#include "shell/SeasonText.h"
#include "shell/Shell.h"

namespace karven {

using namespace exchange;

namespace {
[[noreturn]] void Refuse(const Sheet& sheet, int line, std::string column, std::string what) {
    exchange::Refuse(sheet.file, line, std::move(column), std::move(what));
}

// A name from a file: as the season stores it when it is one of the season's own, otherwise as
// the editors would take it typed. A character the season file cannot hold at all refuses it
// rather than turning into "？" unseen.
std::string TakeName(const Sheet& sheet, const csv::Record& row, const char* column, bool stored) {
    const std::string& raw = sheet.Value(row, column);
    if (stored) return raw;
    std::string bad = UnsavableCharacter(raw);
    if (!bad.empty())
        Refuse(sheet, row.line, column,
               TrF("「{1}」（{2}）は、\r\nシーズンファイルに保存できない文字です！", bad, CodePointText(bad)));
    return Trim(FileSafeName(raw));
}

// The grade letter a value gives: either case, half or full width.
std::string LetterOf(std::string_view value) {
    if (value.size() == 1 && value[0] >= 'a' && value[0] <= 'z') return std::string(1, char(value[0] - 'a' + 'A'));
    // Full-width Ａ..Ｚ (EF BC A1..BA) and ａ..ｚ (EF BD 81..9A).
    if (value.size() == 3 && (unsigned char)value[0] == 0xEF) {
        unsigned char b1 = value[1], b2 = value[2];
        if (b1 == 0xBC && b2 >= 0xA1 && b2 <= 0xBA) return std::string(1, char('A' + b2 - 0xA1));
        if (b1 == 0xBD && b2 >= 0x81 && b2 <= 0x9A) return std::string(1, char('A' + b2 - 0x81));
    }
    return std::string(value);
}

// A grade: kept as stored while its letter is the one shown, else taken from the letter.
template <class Record>
void TakeGrade(const Sheet& sheet, const csv::Record& row, const GradeColumn<Record>& g, Record& record,
               const Record* before) {
    const std::string& value = sheet.Value(row, g.name);
    std::string letter = LetterOf(value);
    if (before && letter == GradeLetter(before->*g.field, g.scale)) {
        record.*g.field = before->*g.field;
        return;
    }
    const char* range = Tr(g.scale == Scale::Technique ? "S～E" : "A～E");
    if (letter.size() != 1 || !((letter[0] >= 'A' && letter[0] <= 'E') || (letter == "S" && g.scale == Scale::Technique))) {
        if (value.empty()) Refuse(sheet, row.line, g.name, TrF("評価（{1}）が入っていません！", range));
        Refuse(sheet, row.line, g.name, TrF("「{1}」は、{2} の評価ではありません！", value, range));
    }
    int code = letter[0] == 'S' ? 64 : letter[0];
    record.*g.field = FormatPlain(g.scale == Scale::High ? 70 - code : code - 64);
}

std::string TakeColor(const Sheet& sheet, const csv::Record& row, const TimRecord* before) {
    const std::string& value = sheet.Value(row, "ColorNo");
    if (before && value == before->ColorNo) return value;
    // Spreadsheets read "0007" as the number 7 and write it back so.
    if (value.empty() || value.size() > 4 || value.find_first_not_of("0123456789") != std::string::npos)
        Refuse(sheet, row.line, "ColorNo",
               TrF("「{1}」は、マシンカラーの番号\r\n（0000～9999）ではありません！", value));
    return Format0000(std::stoi(value));
}

// Matches each name to the next record of that name the season has not given away yet: the
// second "New" of the file is the season's second "New". 0 where none is left.
template <class Record>
std::vector<int> MatchByName(const std::vector<std::string>& names, const std::vector<Record>& table, int held,
                             std::string Record::*name) {
    std::map<std::string, std::vector<int>> free;
    for (int i = held; i >= 1; --i) free[table[i].*name].push_back(i);
    std::vector<int> match(names.size(), 0);
    for (size_t r = 0; r < names.size(); ++r) {
        auto it = free.find(names[r]);
        if (it == free.end() || it->second.empty()) continue;
        match[r] = it->second.back();
        it->second.pop_back();
    }
    return match;
}

// Whether the text is the name of one of the records the season holds.
template <class Record>
bool IsStoredName(const std::string& text, const std::vector<Record>& table, int held, std::string Record::*name) {
    for (int i = 1; i <= held; ++i)
        if (table[i].*name == text) return true;
    return false;
}

// A table of at most `most` rows, and never none where the season has some (its editor keeps one).
void CheckRows(const Sheet& sheet, int most, int held, const std::string& tooMany, const char* none) {
    if (sheet.rows.size() > size_t(most)) Refuse(sheet, sheet.rows[most].line, "", tooMany);
    if (sheet.rows.empty() && held > 0) Refuse(sheet, 0, "", none);
}

// The names of the rows, each as the season stores it or as the editors would take it.
template <class Record>
std::vector<std::string> TakeNames(const Sheet& sheet, const char* column, const std::vector<Record>& table, int held,
                                   std::string Record::*name) {
    std::vector<std::string> names;
    for (const csv::Record& row : sheet.rows)
        names.push_back(TakeName(sheet, row, column, IsStoredName(sheet.Value(row, column), table, held, name)));
    return names;
}

class Import {
public:
    Import(const Season& before, ImportSummary& summary) : before_(before), next_(before), summary_(summary) {
        teamMap_.resize(HeldTeams(before) + 1);
        for (size_t t = 0; t < teamMap_.size(); ++t) teamMap_[t] = int(t);
        for (std::vector<int>* from : {&driverFrom_, &teamFrom_}) {
            from->resize(from == &driverFrom_ ? before.DrvTable.size() : before.TimTable.size());
            for (size_t i = 0; i < from->size(); ++i) (*from)[i] = int(i);
        }
    }

    void Teams(const Sheet& sheet);
    void Drivers(const Sheet& sheet);
    void SeatsFollowTeams();
    void Calendar(const Sheet& sheet);
    // The season imported, its world and principal following its tables.
    Season& Result() {
        FollowTableEdits(next_, before_.DrvTable, before_.TimTable, driverFrom_, teamFrom_);
        return next_;
    }

private:
    // The team a driver had, 0 for none; a team beyond the count held is none, as the editors hold it.
    int OldTeamOf(const DrvRecord& driver) const {
        const TimRecord* team = TeamOf(before_, driver);
        int t = team ? int(team - &before_.TimTable[0]) : 0;
        return t < int(teamMap_.size()) ? t : 0;
    }
    // The seat a driver keeps when his team is shown as it was: his team where it went; a number
    // that named no team stays while it still names none.
    std::string SeatFollowing(const DrvRecord& driver) const;
    int FindTeam(const std::string& name) const;

    const Season& before_;
    Season next_;
    ImportSummary& summary_;
    std::vector<int> teamMap_; // [old team] = its place in the new table, 0 gone
    // [new driver or team] = where it stood in the season before, 0 new
    std::vector<int> driverFrom_, teamFrom_;
};

void Import::Teams(const Sheet& sheet) {
    const int held = HeldTeams(before_);
    const auto& rows = sheet.rows;
    CheckRows(sheet, MaxTimCount, held, TrF("チーム数は、\r\n最大 {1} チームです！", MaxTimCount),
              Tr("チームが 1 つもありません！"));
    std::vector<std::string> names = TakeNames(sheet, "TimNm", before_.TimTable, held, &TimRecord::TimNm);
    for (size_t r = 0; r < rows.size(); ++r) {
        // The team editor's boxes hold so many characters each; a name already stored keeps its own.
        if (IsStoredName(names[r], before_.TimTable, held, &TimRecord::TimNm)) continue;
        const std::string_view name = names[r];
        const size_t dot = name.find("・");
        if (Utf8Length(name.substr(0, dot)) > size_t(NameLength))
            Refuse(sheet, rows[r].line, "TimNm", TrF("チーム名は {1} 文字までです！", NameLength));
        if (dot != std::string::npos && Utf8Length(name.substr(dot + std::string_view("・").size())) > size_t(NameLength))
            Refuse(sheet, rows[r].line, "TimNm", TrF("エンジン名は {1} 文字までです！", NameLength));
    }
    // A team renamed in its own row stays the same team: its points and its drivers stay with it.
    std::vector<int> match = MatchByName(names, before_.TimTable, held, &TimRecord::TimNm);
    std::vector<bool> taken(held + 1, false);
    for (int m : match) taken[m] = true;
    for (size_t r = 0; r < rows.size(); ++r)
        if (!match[r] && int(r) + 1 <= held && !taken[r + 1]) match[r] = int(r) + 1, taken[r + 1] = true;

    std::vector<TimRecord> table(rows.size() + 1);
    std::fill(teamMap_.begin(), teamMap_.end(), 0);
    for (size_t r = 0; r < rows.size(); ++r) {
        const int n = int(r) + 1;
        const TimRecord* old = match[r] ? &before_.TimTable[match[r]] : nullptr;
        TimRecord& team = table[n];
        team = old ? *old : NewTimRecord(n);
        team.TimNo = Format00(n);
        team.TimNm = names[r];
        team.ColorNo = TakeColor(sheet, rows[r], old);
        for (const auto& g : TeamGrades) TakeGrade(sheet, rows[r], g, team, old);
        if (old) teamMap_[match[r]] = n;
        else ++summary_.newTeams;
    }
    teamFrom_.assign(match.begin(), match.end());
    teamFrom_.insert(teamFrom_.begin(), 0);
    next_.TimTable = std::move(table);
    if (int(rows.size()) != held) next_.TimCount = FormatPlain(int(rows.size()));
    summary_.teams = int(rows.size());
}

std::string Import::SeatFollowing(const DrvRecord& driver) const {
    if (int old = OldTeamOf(driver)) return teamMap_[old] ? Format00(teamMap_[old]) : "";
    return TeamOf(next_, driver) ? "" : driver.TimNo;
}

int Import::FindTeam(const std::string& name) const {
    std::string safe = Trim(FileSafeName(name));
    for (const std::string& wanted : {name, safe})
        for (size_t t = 1; t < next_.TimTable.size(); ++t)
            if (next_.TimTable[t].TimNm == wanted) return int(t);
    return 0;
}

void Import::SeatsFollowTeams() {
    for (size_t d = 1; d < next_.DrvTable.size(); ++d) next_.DrvTable[d].TimNo = SeatFollowing(before_.DrvTable[d]);
}

void Import::Drivers(const Sheet& sheet) {
    const int held = HeldDrivers(before_);
    const auto& rows = sheet.rows;
    CheckRows(sheet, MaxDrvCount, held, TrF("ドライバー数は、\r\n最大 {1} 人です！", MaxDrvCount),
              Tr("ドライバーが 1 人もいません！"));
    std::vector<std::string> names = TakeNames(sheet, "DrvNm", before_.DrvTable, held, &DrvRecord::DrvNm);
    std::vector<int> match = MatchByName(names, before_.DrvTable, held, &DrvRecord::DrvNm);
    for (size_t r = 0; r < rows.size(); ++r) {
        // A new driver without a name could be told apart from nobody: not in the standings, not
        // as a champion of the history. One the season holds so keeps his, as the editor left it.
        if (names[r].empty() && !match[r]) Refuse(sheet, rows[r].line, "DrvNm", Tr("ドライバー名が入っていません！"));
        if (Utf8Length(names[r]) > size_t(NameLength) && !match[r])
            Refuse(sheet, rows[r].line, "DrvNm", TrF("ドライバー名は {1} 文字までです！", NameLength));
    }

    // Two seats a team, as the team editor offers; a team the season already gave more keeps them.
    const size_t teams = next_.TimTable.size();
    std::vector<int> seatsBefore(teams, 0), seats(teams, 0);
    for (int d = 1; d <= held; ++d)
        if (int old = OldTeamOf(before_.DrvTable[d]); old && teamMap_[old]) ++seatsBefore[teamMap_[old]];

    std::vector<DrvRecord> table(rows.size() + 1);
    for (size_t r = 0; r < rows.size(); ++r) {
        const int n = int(r) + 1;
        const csv::Record& row = rows[r];
        const DrvRecord* old = match[r] ? &before_.DrvTable[match[r]] : nullptr;
        DrvRecord& driver = table[n];
        driver = old ? *old : NewDrvRecord(n);
        driver.DrvNo = Format00(n);
        driver.DrvNm = names[r];
        for (const auto& g : DriverGrades) TakeGrade(sheet, row, g, driver, old);

        const std::string& team = sheet.Value(row, "TimNm");
        if (old && team == ShownTeam(before_, *old)) {
            driver.TimNo = SeatFollowing(*old);
        } else if (team.empty()) {
            driver.TimNo.clear();
        } else if (int t = FindTeam(team)) {
            driver.TimNo = Format00(t);
        } else {
            Refuse(sheet, row.line, "TimNm", TrF("「{1}」という\r\nチームはありません！", team));
        }
        if (const TimRecord* seat = TeamOf(next_, driver)) {
            size_t t = size_t(seat - &next_.TimTable[0]);
            if (++seats[t] > std::max(2, seatsBefore[t]))
                Refuse(sheet, row.line, "TimNm", TrF("「{1}」のドライバーは、\r\n2 人までです！", seat->TimNm));
        }
        if (!old) ++summary_.newDrivers;
    }
    driverFrom_.assign(match.begin(), match.end());
    driverFrom_.insert(driverFrom_.begin(), 0);
    next_.DrvTable = std::move(table);
    if (int(rows.size()) != held) next_.DrvCount = FormatPlain(int(rows.size()));
    summary_.drivers = int(rows.size());
}

void Import::Calendar(const Sheet& sheet) {
    const int held = HeldGps(before_);
    const auto& rows = sheet.rows;
    if (rows.size() > size_t(MaxGpCount)) Refuse(sheet, rows[MaxGpCount].line, "", TrF("ＧＰ数は、\r\n最大 {1} GPです！", MaxGpCount));

    std::vector<GpRecord> table(rows.size() + 1);
    for (size_t r = 0; r < rows.size(); ++r) {
        const int n = int(r) + 1;
        const csv::Record& row = rows[r];
        // A Grand Prix is its place in the calendar: the results of that place stay with it.
        const GpRecord* old = n <= held ? &before_.GpTable[n] : nullptr;
        GpRecord& gp = table[n];
        gp.GpNo = Format00(n);
        bool stored = old && sheet.Value(row, "GpNm") == old->GpNm;
        gp.GpNm = TakeName(sheet, row, "GpNm", stored);
        if (!stored && Utf8Length(gp.GpNm) > size_t(NameLength))
            Refuse(sheet, row.line, "GpNm", TrF("ＧＰ名は {1} 文字までです！", NameLength));
        const std::string& course = sheet.Value(row, "CourseType");
        const std::string code = CourseTypeText(course, CourseTypeWay::ToCode);
        if (old && (course == CourseTypeText(old->CourseType) || code == old->CourseType)) {
            gp.CourseType = old->CourseType;
        } else {
            gp.CourseType = code;
            if (gp.CourseType.empty())
                Refuse(sheet, row.line, "CourseType",
                       TrF("「{1}」は、コース\r\n（超速・速・普通・難・超難）ではありません！", course));
        }
    }
    if (rows.empty() && held > 0) Refuse(sheet, 0, "", Tr("グランプリが 1 つもありません！"));
    // As in the calendar editor: a Grand Prix run keeps its place, and the next one stays to be run.
    const int run = ReadCount(before_.Sis.EndGp);
    const int least = std::min(held, run + 1);
    if (int(rows.size()) < least)
        Refuse(sheet, 0, "",
               TrF("終了したＧＰが {1} 戦あるため、\r\n日程は最低 {2} 戦必要です！", run, least));
    next_.GpTable = std::move(table);
    if (int(rows.size()) != held) next_.Sis.GpCount = FormatPlain(int(rows.size()));
    summary_.gps = int(rows.size());
}
} // namespace

std::string RefusalText(const ImportRefusal& refusal) {
    // The file and its line first, the column on a line of its own: message windows are narrow.
    const ImportRefusal& r = refusal;
    if (r.line > 0 && !r.column.empty()) return TrF("{1} の {2} 行目、\r\n{3} 列：\r\n{4}", r.file, r.line, r.column, r.what);
    if (r.line > 0) return TrF("{1} の {2} 行目：\r\n{3}", r.file, r.line, r.what);
    if (!r.column.empty()) return TrF("{1} の {2} 列：\r\n{3}", r.file, r.column, r.what);
    return TrF("{1}：\r\n{2}", r.file, r.what);
}

std::string ImportSummaryText(const ImportSummary& s) {
    // Each table: kept for want of its file, or its count and how many of them are new.
    auto part = [](const char* kept, const char* counted, int count, int added, const char* file) {
        if (count < 0) return TrF(kept, file);
        std::string text = TrF(counted, count);
        if (added > 0) text += TrF("（うち新規 {1}）", added);
        return text;
    };
    return Tr("インポートしました。") + std::string(CrLf) +
           part("チーム：{1} がないため、そのまま", "チーム：{1} チーム", s.teams, s.newTeams, TeamsCsv) + CrLf +
           part("ドライバー：{1} がないため、そのまま", "ドライバー：{1} 人", s.drivers, s.newDrivers, DriversCsv) + CrLf +
           part("グランプリ：{1} がないため、そのまま", "グランプリ：{1} ＧＰ", s.gps, 0, CalendarCsv);
}

bool ImportSeasonCsv(Season& season, const SeasonCsvFiles& files, ImportRefusal& refusal, ImportSummary* summary) {
    ImportSummary counted;
    try {
        // Every file is read before any is applied, so the first fault in file order is the one told.
        std::optional<Sheet> teams, drivers, calendar;
        if (files.teams) teams = ReadSheet(TeamsCsv, *files.teams, {"TimNm", "ColorNo", "Speed", "Aero", "Stability"});
        if (files.drivers)
            drivers = ReadSheet(DriversCsv, *files.drivers, {"DrvNm", "TimNm", "Technique", "Roughness", "Block", "Stability"});
        if (files.calendar) calendar = ReadSheet(CalendarCsv, *files.calendar, {"GpNm", "CourseType"});

        Import import(season, counted);
        if (teams) import.Teams(*teams);
        if (drivers) import.Drivers(*drivers);
        else if (teams) import.SeatsFollowTeams();
        if (calendar) import.Calendar(*calendar);

        Season& next = import.Result();
        // The team and driver editors never leave more qualifiers than seated drivers; an import
        // that changes neither table changes nothing.
        if (next.TimTable != season.TimTable || next.DrvTable != season.DrvTable) FitNinCount(next);
        season = std::move(next);
    } catch (const Refused& refused) {
        refusal = refused.refusal;
        return false;
    }
    if (summary) *summary = counted;
    return true;
}

} // namespace karven
