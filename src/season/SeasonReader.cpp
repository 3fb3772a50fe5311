#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "season/Cp932.h"
#include "season/HistoryFile.h"
#include "season/Numbers.h"
#include "season/SeasonFile.h"
#include "season/Translate.h"
#include "season/Utf8.h"
#include "season/ValueReader.h"

namespace karven {

namespace {
// Sections begin with these marks; a mark out of place means every later value would be shifted.
constexpr const char* SisMark = "<SIS>";
constexpr const char* GpMark = "<GP>";
constexpr const char* DrvMark = "<DRV>";
constexpr const char* TimMark = "<TIM>";

constexpr const char* HistoryNotice =
    "このファイルのシーズンデータの後にある記録の一部を、読み込めませんでした。\r\n"
    "読み込めなかった部分は、そのまま残して保存します。\r\nシーズンデータは読み込まれました。";
constexpr const char* DroppedNotice =
    "このファイルのシーズンデータの後の部分が大きすぎるため、\r\n上限（{1} MB）を超える {2} MB "
    "を読み込みませんでした。\r\nこのまま上書き保存すると、その部分は失われます。\r\nシーズンデータは読み込まれました。";
constexpr const char* LineBreaksNotice = "このファイルの値に含まれていた改行を、\r\n空白に置き換えて読み込みました。";

// The file's bytes, as many as the program reads: the season up to its last team line, and at
// most MaxAdditionBytes after it. `size` is the whole file's.
bool ReadBytes(const std::string& path, std::string& bytes, uint64_t& size) {
    // A pipe or a device would block or never end; only a plain file is a season.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    in.seekg(0, std::ios::end);
    std::streamoff end = in.tellg();
    if (end < 0) return false;
    size = uint64_t(end);
    size_t read = size_t(std::min<uint64_t>(size, MaxSeasonFileBytes + MaxAdditionBytes));
    in.seekg(0, std::ios::beg);
    bytes.assign(read, '\0');
    return read == 0 || bool(in.read(bytes.data(), std::streamsize(read)));
}

// A byte that reads as itself: ASCII, but NUL, which no season holds.
bool PlainAscii(char c) { return (unsigned char)c >= 1 && (unsigned char)c < 0x80; }

// A value's code page 932 bytes as UTF-8, held in no more room than it needs: a season keeps
// every value for the whole game.
bool DecodeValue(const std::string& bytes, std::string& value) {
    if (std::all_of(bytes.begin(), bytes.end(), PlainAscii)) {
        value = bytes; // ASCII reads as itself
        return true;
    }
    if (!DecodeCp932(bytes, value)) return false;
    if (value.capacity() > value.size() + value.size() / 4 + 32) value.shrink_to_fit();
    return true;
}

// Whether bytes are code page 932 text, decoded a line at a time so no copy of the whole is made.
bool IsCp932(std::string_view bytes) {
    std::string scratch;
    for (size_t at = 0; at < bytes.size();) {
        size_t end = bytes.find('\n', at);
        end = end == std::string_view::npos ? bytes.size() : end + 1;
        std::string_view line = bytes.substr(at, end - at);
        if (!std::all_of(line.begin(), line.end(), PlainAscii) &&
            !DecodeCp932(line, scratch))
            return false;
        at = end;
    }
    return true;
}

// Takes the values of one season file, as the rules read them, into a season: each value is
// decoded from code page 932 on its own. Every byte that shapes the file (a comma, a quote, a
// line end, a space, a digit, a mark) is ASCII, which no code page 932 character contains, so
// the values found in the bytes are the values of the decoded text.
class Parser {
public:
    using Check = std::function<bool(const std::string&)>;
    explicit Parser(std::string_view bytes, const Check* check = nullptr) : values_(bytes), check_(check) {}

    // `used`: the reading goes on to use the value (a count), so it is kept whatever its length.
    bool Take(std::string& field, bool used = false) {
        if (!values_.Next(raw_) || !DecodeValue(raw_, field)) return false;
        // Only a quoted value holds a line break; the file cannot carry it on a save.
        if (field.find_first_of("\r\n") != std::string::npos) {
            field = Trim(LineBreaksToSpaces(field));
            lineBreaksReplaced_ = true;
        }
        if (check_) {
            if (!(*check_)(field)) return false;
            // A longer value than a mark is a name, which the reading never uses: its room is given
            // back. A count is read as the game reads numbers, from however long a value.
            if (!used && field.size() > Kept) std::string().swap(field);
        }
        return true;
    }
    bool TakeAll(std::initializer_list<std::string*> fields, bool used = false) {
        for (std::string* f : fields)
            if (!Take(*f, used)) return false;
        return true;
    }
    // One line of exactly these values: a value missing or extra would shift every later one.
    bool TakeLine(std::initializer_list<std::string*> fields) {
        size_t taken = 0;
        for (std::string* f : fields)
            if (!Take(*f) || values_.EndedLine() != (++taken == fields.size())) return false;
        return true;
    }
    bool TakeMark(const char* mark) {
        std::string value;
        return Take(value) && value == mark;
    }
    // Reads a count and checks that the program can hold it.
    bool TakeCount(std::string& field, int max, int& count) {
        if (!Take(field, true)) return false;
        count = ReadCount(field);
        return count >= 0 && count <= max;
    }

    bool LineBreaksReplaced() const { return lineBreaksReplaced_; }
    size_t Offset() const { return values_.Offset(); }
    bool EndedLine() const { return values_.EndedLine(); }

private:
    static constexpr size_t Kept = 32;
    ValueReader values_;
    const Check* check_;
    std::string raw_;
    bool lineBreaksReplaced_ = false;
};

// Fills the season from the text; `end` becomes the offset just after the last team line.
bool Parse(std::string_view text, bool oldLayout, Season& season, size_t& end, bool& lineBreaksReplaced,
           const Parser::Check* check = nullptr) {
    Parser in(text, check);

    // The current layout opens with its format mark and an empty line.
    if (!oldLayout && !(in.TakeMark(FormatMark) && in.TakeMark(""))) return false;
    if (!in.TakeMark(SisMark)) return false;
    SisSettings& sis = season.Sis;
    int gpCount = 0;
    if (!in.TakeCount(sis.GpCount, MaxGpCount, gpCount)) return false;
    if (!in.TakeAll({&sis.SyuCount, &sis.NinCount, &sis.EndGp}, true)) return false;
    if (ReadCount(sis.SyuCount) > MaxSyuCount) return false; // a race that would never end
    int endGp = ReadCount(sis.EndGp);
    if (endGp < 0 || endGp > gpCount) return false;

    if (!in.TakeMark(GpMark)) return false;
    season.GpTable.assign(gpCount + 1, GpRecord{});
    for (int i = 1; i <= gpCount; ++i) {
        GpRecord& g = season.GpTable[i];
        if (!in.TakeAll({&g.GpNo, &g.GpNm, &g.CourseType})) return false;
    }

    if (!in.TakeMark(DrvMark)) return false;
    int drvCount = 0;
    if (!in.TakeCount(season.DrvCount, MaxDrvCount, drvCount)) return false;
    season.DrvTable.assign(drvCount + 1, DrvRecord{});
    for (int i = 1; i <= drvCount; ++i) {
        DrvRecord& d = season.DrvTable[i];
        if (!in.TakeAll({&d.DrvNo, &d.TimNo, &d.DrvNm, &d.Technique, &d.Roughness, &d.Block, &d.Stability,
                         &d.CareerGp, &d.CareerWc, &d.CareerWins, &d.CareerPp, &d.CareerFl, &d.CareerBest,
                         &d.CareerPoints}))
            return false;
        for (int k = 1; k <= ResultSlots; ++k)
            if (!in.Take(d.Result[k])) return false;
    }

    // No mark follows the teams to show a shift, so each of their lines is checked.
    if (!in.TakeMark(TimMark) || !in.EndedLine()) return false;
    int timCount = 0;
    if (!in.TakeCount(season.TimCount, MaxTimCount, timCount) || !in.EndedLine()) return false;
    season.TimTable.assign(timCount + 1, TimRecord{});
    for (int i = 1; i <= timCount; ++i) {
        TimRecord& t = season.TimTable[i];
        if (oldLayout) {
            if (!in.TakeLine({&t.TimNo, &t.TimNm, &t.Speed, &t.Aero, &t.Stability, &t.Points})) return false;
            t.ColorNo = "0000";
        } else if (!in.TakeLine({&t.TimNo, &t.TimNm, &t.ColorNo, &t.Speed, &t.Aero, &t.Stability, &t.Points})) {
            return false;
        }
    }
    // Results and seats are booked by number: two drivers or teams under one number would share them.
    RestoreNumbers(season);
    end = in.Offset();
    lineBreaksReplaced = in.LineBreaksReplaced();
    return true;
}

bool ParseBytes(const std::string& bytes, uint64_t fileSize, bool oldLayout, Season& season, ReadNotes* notes) {
    // Read value by value from the bytes themselves; then the whole of the season's part, up to
    // where its last team line ends, must be code page 932, the bytes between values too.
    Season fresh;
    size_t end = 0;
    bool lineBreaksReplaced = false;
    if (!Parse(bytes, oldLayout, fresh, end, lineBreaksReplaced) || end > MaxSeasonFileBytes) return false;
    if (!IsCp932(std::string_view(bytes).substr(0, end))) return false;
    // What follows the last team is read up to its limit; the rest stays on the disk, unread.
    const uint64_t after = fileSize - end;
    std::string_view tail = std::string_view(bytes).substr(end, MaxAdditionBytes);
    bool historyRead = ReadHistory(tail, fresh, after > MaxAdditionBytes);
    season = std::move(fresh);
    if (notes) {
        notes->lineBreaksReplaced = lineBreaksReplaced;
        notes->droppedBytes = after > MaxAdditionBytes ? after - MaxAdditionBytes : 0;
        notes->historyUnreadable = !historyRead;
        notes->historyAt = end;
    }
    return true;
}

bool ReadLayout(Season& season, const std::string& path, bool oldLayout, ReadNotes* notes) {
    std::string bytes;
    uint64_t size = 0;
    return ReadBytes(path, bytes, size) && ParseBytes(bytes, size, oldLayout, season, notes);
}

// Megabytes for the player, to a tenth, rounded up: a byte dropped is never shown as none.
std::string Megabytes(uint64_t bytes) {
    return FormatPlain(std::ceil(double(bytes) / (1024 * 1024) * 10) / 10);
}
} // namespace

bool ReadSeasonBytes(Season& season, const std::string& bytes, ReadNotes* notes) {
    return ParseBytes(bytes, bytes.size(), false, season, notes);
}

bool ReadSeasonBytesAs(const std::string& bytes, const std::function<bool(const std::string&)>& check) {
    Season scratch;
    size_t end = 0;
    bool lineBreaksReplaced = false;
    return Parse(bytes, false, scratch, end, lineBreaksReplaced, &check) && end == bytes.size() &&
           end <= MaxSeasonFileBytes && IsCp932(bytes);
}

bool ReadSeasonFile(Season& season, const std::string& path, ReadNotes* notes) {
    return ReadLayout(season, path, false, notes);
}

bool ReadOldSeasonFile(Season& season, const std::string& path, ReadNotes* notes) {
    return ReadLayout(season, path, true, notes);
}

int LoadSeasonFile(Season& season, const std::string& path, LoadDialogue& dialogue) {
    // The first value tells the layout; it is plain ASCII in every season file, so it is read
    // before the rest is decoded: a picture or a text of another program is no season at all.
    std::string bytes, first;
    uint64_t size = 0;
    if (!ReadBytes(path, bytes, size)) return LoadFailed;
    ValueReader values(bytes);
    values.Next(first);

    ReadNotes notes;
    bool read = false;
    if (first == FormatMark) {
        read = ParseBytes(bytes, size, false, season, &notes);
    } else if (first == SisMark) {
        dialogue.Notice(Tr("このファイルは、\r\n旧バージョンの形式です。"));
        if (!dialogue.Confirm(Tr("最新バージョンの\r\n形式に変換してよろしいですか？"))) return LoadDeclined;
        read = ParseBytes(bytes, size, true, season, &notes);
    } else if (first.starts_with(FormatMarkFamily)) {
        dialogue.Notice(Tr("このファイルは、\r\n新バージョン形式のため、\r\n読み込むことができません！\r\n"));
        return LoadDeclined;
    } else {
        dialogue.Refused(Tr("このファイルは、\r\nKARVEN のシーズンファイルではありません。"));
        return LoadFailed;
    }
    if (!read) return LoadFailed;
    if (notes.lineBreaksReplaced) dialogue.Notice(Tr(LineBreaksNotice));
    if (notes.historyUnreadable) dialogue.Notice(Tr(HistoryNotice));
    if (notes.droppedBytes > 0)
        dialogue.Notice(TrF(DroppedNotice, Megabytes(MaxAdditionBytes), Megabytes(notes.droppedBytes)));
    return LoadOk;
}

bool LoadInitialData(Season& season, const std::string& appPath, LoadDialogue& dialogue) {
    const char* file = CurrentLanguage() == Language::English ? EnglishInitialDataFile : InitialDataFile;
    return LoadSeasonFile(season, appPath + file, dialogue) != LoadFailed;
}

} // namespace karven
