#include <fstream>
#include <iterator>

#include "season/Cp932.h"
#include "season/Numbers.h"
#include "season/SeasonFile.h"
#include "season/ValueReader.h"

namespace karven {

namespace {
// A full season is a few hundred kilobytes; anything far bigger is not a season file.
constexpr std::streamoff MaxFileBytes = 16 * 1024 * 1024;

bool ReadText(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    in.seekg(0, std::ios::end);
    std::streamoff size = in.tellg();
    if (size < 0 || size > MaxFileBytes) return false;
    in.seekg(0, std::ios::beg);
    std::string bytes(size_t(size), '\0');
    if (size > 0 && !in.read(bytes.data(), size)) return false;
    return DecodeCp932(bytes, text);
}

// Reads a count and checks that the program can hold it.
bool TakeCount(ValueReader& values, std::string& field, int max, int& count) {
    if (!values.Next(field)) return false;
    count = ReadCount(field);
    return count >= 0 && count <= max;
}

bool Parse(std::string_view text, bool oldLayout, Season& season) {
    ValueReader values(text);
    std::string ignored;
    auto take = [&](std::string& field) { return values.Next(field); };
    auto takeAll = [&](std::initializer_list<std::string*> fields) {
        for (std::string* f : fields)
            if (!take(*f)) return false;
        return true;
    };

    for (int i = 0; i < (oldLayout ? 1 : 3); ++i)
        if (!take(ignored)) return false; // format mark, empty line, "<SIS>"

    SisSettings& sis = season.Sis;
    int gpCount = 0;
    if (!TakeCount(values, sis.GpCount, MaxGpCount, gpCount)) return false;
    if (!takeAll({&sis.SyuCount, &sis.NinCount, &sis.EndGp})) return false;
    int endGp = ReadCount(sis.EndGp);
    if (endGp < 0 || endGp > gpCount) return false;

    if (!take(ignored)) return false; // "<GP>"
    season.GpTable.assign(gpCount + 1, GpRecord{});
    for (int i = 1; i <= gpCount; ++i) {
        GpRecord& g = season.GpTable[i];
        if (!takeAll({&g.GpNo, &g.GpNm, &g.CourseType})) return false;
    }

    if (!take(ignored)) return false; // "<DRV>"
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

    if (!take(ignored)) return false; // "<TIM>"
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
    return true; // anything after the last team is ignored
}

bool ReadLayout(Season& season, const std::string& path, bool oldLayout) {
    std::string text;
    if (!ReadText(path, text)) return false;
    Season fresh;
    if (!Parse(text, oldLayout, fresh)) return false;
    season = std::move(fresh);
    return true;
}
} // namespace

bool ReadSeasonFile(Season& season, const std::string& path) { return ReadLayout(season, path, false); }

bool ReadOldSeasonFile(Season& season, const std::string& path) { return ReadLayout(season, path, true); }

int LoadSeasonFile(Season& season, const std::string& path, LoadDialogue& dialogue) {
    std::string text, first;
    if (!ReadText(path, text)) return LoadFailed;
    ValueReader values(text);
    if (!values.Next(first)) return LoadFailed;

    if (first == FormatMark) return ReadSeasonFile(season, path) ? LoadOk : LoadFailed;
    if (first == "<SIS>") {
        dialogue.Notice("このファイルは、\r\n旧バージョンの形式です。");
        if (!dialogue.Confirm("最新バージョンの\r\n形式に変換してよろしいですか？")) return LoadDeclined;
        return ReadOldSeasonFile(season, path) ? LoadOk : LoadFailed;
    }
    dialogue.Notice("このファイルは、\r\n新バージョン形式のため、\r\n読み込むことができません！\r\n");
    return LoadDeclined;
}

bool LoadInitialData(Season& season, const std::string& appPath, LoadDialogue& dialogue) {
    return LoadSeasonFile(season, appPath + InitialDataFile, dialogue) != LoadFailed;
}

} // namespace karven
