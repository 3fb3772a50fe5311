#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>

#include "season/Cp932.h"
#include "season/Numbers.h"
#include "season/SeasonFile.h"
#include "season/ValueReader.h"

namespace karven {

namespace {
// A full season is a few hundred kilobytes; anything far bigger is not a season file. The limit
// leaves room for a season near 16 MiB to open again after a season of results has grown it.
constexpr std::streamoff MaxFileBytes = 32 * 1024 * 1024;

// Sections begin with these marks; a mark out of place means every later value would be shifted.
constexpr const char* SisMark = "<SIS>";
constexpr const char* GpMark = "<GP>";
constexpr const char* DrvMark = "<DRV>";
constexpr const char* TimMark = "<TIM>";

bool ReadBytes(const std::string& path, std::string& bytes, std::streamoff maxBytes) {
    // A pipe or a device would block or never end; only a plain file is a season.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    in.seekg(0, std::ios::end);
    std::streamoff size = in.tellg();
    if (size < 0 || size > maxBytes) return false;
    in.seekg(0, std::ios::beg);
    bytes.assign(size_t(size), '\0');
    return size == 0 || bool(in.read(bytes.data(), size));
}

bool ReadText(const std::string& path, std::string& text, std::streamoff maxBytes) {
    std::string bytes;
    return ReadBytes(path, bytes, maxBytes) && DecodeCp932(bytes, text);
}

// Reads a count and checks that the program can hold it.
bool TakeCount(ValueReader& values, std::string& field, int max, int& count) {
    if (!values.Next(field)) return false;
    count = ReadCount(field);
    return count >= 0 && count <= max;
}

bool TakeMark(ValueReader& values, const char* mark) {
    std::string value;
    return values.Next(value) && value == mark;
}

bool Parse(std::string_view text, bool oldLayout, Season& season) {
    ValueReader values(text);
    auto take = [&](std::string& field) { return values.Next(field); };
    auto takeAll = [&](std::initializer_list<std::string*> fields) {
        for (std::string* f : fields)
            if (!take(*f)) return false;
        return true;
    };

    // The current layout opens with its format mark and an empty line.
    if (!oldLayout && !(TakeMark(values, FormatMark) && TakeMark(values, ""))) return false;
    if (!TakeMark(values, SisMark)) return false;
    SisSettings& sis = season.Sis;
    int gpCount = 0;
    if (!TakeCount(values, sis.GpCount, MaxGpCount, gpCount)) return false;
    if (!takeAll({&sis.SyuCount, &sis.NinCount, &sis.EndGp})) return false;
    if (ReadCount(sis.SyuCount) > MaxSyuCount) return false; // a race that would never end
    int endGp = ReadCount(sis.EndGp);
    if (endGp < 0 || endGp > gpCount) return false;

    if (!TakeMark(values, GpMark)) return false;
    season.GpTable.assign(gpCount + 1, GpRecord{});
    for (int i = 1; i <= gpCount; ++i) {
        GpRecord& g = season.GpTable[i];
        if (!takeAll({&g.GpNo, &g.GpNm, &g.CourseType})) return false;
    }

    if (!TakeMark(values, DrvMark)) return false;
    int drvCount = 0;
    if (!TakeCount(values, season.DrvCount, MaxDrvCount, drvCount)) return false;
    season.DrvTable.assign(drvCount + 1, DrvRecord{});
    for (int i = 1; i <= drvCount; ++i) {
        DrvRecord& d = season.DrvTable[i];
        if (!takeAll({&d.DrvNo, &d.TimNo, &d.DrvNm, &d.Technique, &d.Roughness, &d.Block, &d.Stability, &d.CareerGp,
                      &d.CareerWc, &d.CareerWins, &d.CareerPp, &d.CareerFl, &d.CareerBest, &d.CareerPoints}))
            return false;
        for (int k = 1; k <= ResultSlots; ++k)
            if (!take(d.Result[k])) return false;
    }

    if (!TakeMark(values, TimMark)) return false;
    int timCount = 0;
    if (!TakeCount(values, season.TimCount, MaxTimCount, timCount)) return false;
    season.TimTable.assign(timCount + 1, TimRecord{});
    for (int i = 1; i <= timCount; ++i) {
        TimRecord& t = season.TimTable[i];
        if (oldLayout) {
            if (!takeAll({&t.TimNo, &t.TimNm, &t.Speed, &t.Aero, &t.Stability, &t.Points})) return false;
            t.ColorNo = "0000";
        } else if (!takeAll({&t.TimNo, &t.TimNm, &t.ColorNo, &t.Speed, &t.Aero, &t.Stability, &t.Points})) {
            return false;
        }
    }
    // Results and seats are booked by number: two drivers or teams under one number would share them.
    RestoreNumbers(season);
    return true; // anything after the last team is ignored
}

bool ReadLayout(Season& season, const std::string& path, bool oldLayout,
                std::streamoff maxBytes = MaxFileBytes) {
    std::string text;
    if (!ReadText(path, text, maxBytes)) return false;
    Season fresh;
    if (!Parse(text, oldLayout, fresh)) return false;
    season = std::move(fresh);
    return true;
}
} // namespace

bool ReadSeasonFile(Season& season, const std::string& path) { return ReadLayout(season, path, false); }

bool ReadSeasonFileOfAnySize(Season& season, const std::string& path) {
    return ReadLayout(season, path, false, std::numeric_limits<std::streamoff>::max());
}

bool ReadOldSeasonFile(Season& season, const std::string& path) { return ReadLayout(season, path, true); }

int LoadSeasonFile(Season& season, const std::string& path, LoadDialogue& dialogue) {
    // The first value tells the layout; it is plain ASCII in every season file, so it is read
    // before the rest is decoded: a picture or a text of another program is no season at all.
    std::string bytes, first;
    if (!ReadBytes(path, bytes, MaxFileBytes)) return LoadFailed;
    ValueReader values(bytes);
    values.Next(first);

    if (first == FormatMark) return ReadSeasonFile(season, path) ? LoadOk : LoadFailed;
    if (first == "<SIS>") {
        dialogue.Notice("このファイルは、\r\n旧バージョンの形式です。");
        if (!dialogue.Confirm("最新バージョンの\r\n形式に変換してよろしいですか？")) return LoadDeclined;
        return ReadOldSeasonFile(season, path) ? LoadOk : LoadFailed;
    }
    if (first.starts_with(FormatMarkFamily))
        dialogue.Notice("このファイルは、\r\n新バージョン形式のため、\r\n読み込むことができません！\r\n");
    else
        dialogue.Notice("このファイルは、\r\nKARVEN のシーズンファイルではありません。");
    return LoadDeclined;
}

bool LoadInitialData(Season& season, const std::string& appPath, LoadDialogue& dialogue) {
    return LoadSeasonFile(season, appPath + InitialDataFile, dialogue) != LoadFailed;
}

} // namespace karven
