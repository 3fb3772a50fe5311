#include <cstdio>
#include <filesystem>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "season/Cp932.h"
#include "season/Numbers.h"
#include "season/SeasonFile.h"
#include "season/Utf8.h"

namespace karven {

namespace {
// Appends one value as the reader will read it back, or returns false when the format cannot carry it.
bool AppendValue(std::string& line, const std::string& raw) {
    std::string value = Trim(raw); // the reader trims every value
    if (value.find_first_of("\r\n") != std::string::npos) return false;
    if (value.find(',') != std::string::npos) {
        if (value.find('"') != std::string::npos) return false;
        line += '"' + value + '"';
        return true;
    }
    if (!value.empty() && value.front() == '"') return false;
    line += value;
    return true;
}

bool AppendLine(std::string& text, std::initializer_list<const std::string*> values) {
    bool first = true;
    for (const std::string* v : values) {
        if (!first) text += ',';
        first = false;
        if (!AppendValue(text, *v)) return false;
    }
    text += "\r\n";
    return true;
}

bool Compose(const Season& season, std::string& text) {
    const SisSettings& sis = season.Sis;
    text = std::string(FormatMark) + "\r\n\r\n<SIS>\r\n";
    if (!AppendLine(text, {&sis.GpCount, &sis.SyuCount, &sis.NinCount, &sis.EndGp})) return false;
    text += "<GP>\r\n";
    for (size_t i = 1; i < season.GpTable.size(); ++i) {
        const GpRecord& g = season.GpTable[i];
        std::string no = Format00(int(i));
        if (!AppendLine(text, {&no, &g.GpNm, &g.CourseType})) return false;
    }
    text += "<DRV>\r\n";
    if (!AppendLine(text, {&season.DrvCount})) return false;
    for (size_t i = 1; i < season.DrvTable.size(); ++i) {
        const DrvRecord& d = season.DrvTable[i];
        if (!AppendLine(text, {&d.DrvNo, &d.TimNo, &d.DrvNm, &d.Technique, &d.Roughness, &d.Block, &d.Stability,
                               &d.CareerGp, &d.CareerWc, &d.CareerWins, &d.CareerPp, &d.CareerFl, &d.CareerBest,
                               &d.CareerPoints}))
            return false;
        text.resize(text.size() - 2); // the results continue the same line
        for (int k = 1; k <= ResultSlots; ++k) {
            text += ',';
            if (!AppendValue(text, d.Result[k])) return false;
        }
        text += "\r\n";
    }
    text += "<TIM>\r\n";
    if (!AppendLine(text, {&season.TimCount})) return false;
    for (size_t i = 1; i < season.TimTable.size(); ++i) {
        const TimRecord& t = season.TimTable[i];
        if (!AppendLine(text, {&t.TimNo, &t.TimNm, &t.ColorNo, &t.Speed, &t.Aero, &t.Stability, &t.Points}))
            return false;
    }
    return true;
}

// The season as a correct save reads back: trimmed values, code page forms, GpNo = position.
Season AsReadBack(const Season& season) {
    Season s = season;
    auto fix = [](std::string& v) { v = ToCp932Forms(Trim(v)); };
    for (std::string* v : {&s.Sis.GpCount, &s.Sis.SyuCount, &s.Sis.NinCount, &s.Sis.EndGp, &s.DrvCount, &s.TimCount})
        fix(*v);
    for (size_t i = 1; i < s.GpTable.size(); ++i) {
        GpRecord& g = s.GpTable[i];
        g.GpNo = Format00(int(i));
        fix(g.GpNm);
        fix(g.CourseType);
    }
    for (size_t i = 1; i < s.DrvTable.size(); ++i) {
        DrvRecord& d = s.DrvTable[i];
        for (std::string* v : {&d.DrvNo, &d.TimNo, &d.DrvNm, &d.Technique, &d.Roughness, &d.Block, &d.Stability,
                               &d.CareerGp, &d.CareerWc, &d.CareerWins, &d.CareerPp, &d.CareerFl, &d.CareerBest,
                               &d.CareerPoints})
            fix(*v);
        for (int k = 1; k <= ResultSlots; ++k) fix(d.Result[k]);
        d.Result[0].clear();
    }
    for (size_t i = 1; i < s.TimTable.size(); ++i) {
        TimRecord& t = s.TimTable[i];
        for (std::string* v : {&t.TimNo, &t.TimNm, &t.ColorNo, &t.Speed, &t.Aero, &t.Stability, &t.Points}) fix(*v);
    }
    s.GpTable[0] = {};
    s.DrvTable[0] = {};
    s.TimTable[0] = {};
    return s;
}

bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) return false;
        done += size_t(n);
    }
    return ::fsync(fd) == 0;
}
} // namespace

bool WriteSeasonFile(const Season& season, const std::string& path) {
    std::string text, bytes;
    if (!Compose(season, text) || !EncodeCp932(text, bytes)) return false;

    // Write beside the target and rename over it, so a failed save leaves the old file whole.
    std::string temp = path + ".XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0) return false;
    bool ok = WriteAll(fd, bytes);
    ok = ::close(fd) == 0 && ok;
    if (ok) {
        ::chmod(temp.c_str(), 0644);
        Season readBack;
        ok = ReadSeasonFile(readBack, temp) && readBack == AsReadBack(season);
    }
    if (ok) ok = std::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) std::remove(temp.c_str());
    return ok;
}

} // namespace karven
