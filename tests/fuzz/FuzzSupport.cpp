#include "FuzzSupport.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <unistd.h>

#include "season/Numbers.h"
#include "season/PrincipalFile.h"
#include "season/WorldFile.h"
#include "season/SeasonFile.h"

namespace karven::fuzz {

namespace {
bool HoldsLineBreak(const std::string& value) {
    return value.find_first_of("\r\n") != std::string::npos;
}

bool AnyLineBreak(const Season& s) {
    for (const std::string* v :
         {&s.Sis.GpCount, &s.Sis.SyuCount, &s.Sis.NinCount, &s.Sis.EndGp, &s.DrvCount, &s.TimCount})
        if (HoldsLineBreak(*v)) return true;
    for (const GpRecord& g : s.GpTable)
        if (HoldsLineBreak(g.GpNm) || HoldsLineBreak(g.CourseType)) return true;
    for (const TimRecord& t : s.TimTable)
        for (const std::string* v : {&t.TimNm, &t.ColorNo, &t.Speed, &t.Aero, &t.Stability, &t.Points})
            if (HoldsLineBreak(*v)) return true;
    for (const DrvRecord& d : s.DrvTable) {
        for (const std::string* v :
             {&d.TimNo, &d.DrvNm, &d.Technique, &d.Roughness, &d.Block, &d.Stability, &d.CareerGp,
              &d.CareerWc, &d.CareerWins, &d.CareerPp, &d.CareerFl, &d.CareerBest, &d.CareerPoints})
            if (HoldsLineBreak(*v)) return true;
        for (const std::string& r : d.Result)
            if (HoldsLineBreak(r)) return true;
    }
    return false;
}
} // namespace

const std::string& ScratchFolder() {
    static const std::string folder = [] {
        std::string base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        std::string pattern = base + "/karven-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data())) std::abort();
        return pattern;
    }();
    return folder;
}

std::string WriteInput(const uint8_t* data, size_t size) {
    std::string path = ScratchFolder() + "/input.krv";
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data), size);
    return path;
}

const Season& Sentinel() {
    static const Season season = [] {
        Season s;
        s.Sis = {"2", "20", "2", "1"};
        s.GpTable.push_back({"01", "センチネル", "4"});
        s.GpTable.push_back({"02", "番兵", "1"});
        s.TimTable.push_back({"01", "見張り・V10", "0007", "1", "2", "5", "10"});
        for (int d = 1; d <= 2; ++d) {
            DrvRecord driver = NewDrvRecord(d);
            driver.TimNo = "01";
            driver.Result[1] = std::to_string(d);
            s.DrvTable.push_back(driver);
        }
        s.DrvCount = "2";
        s.TimCount = "1";
        return s;
    }();
    return season;
}

void Require(bool condition, const char* property) {
    if (condition) return;
    std::fprintf(stderr, "property failed: %s\n", property);
    std::abort();
}

void CheckAccepted(const Season& s) {
    int gps = ReadCount(s.Sis.GpCount), drivers = ReadCount(s.DrvCount), teams = ReadCount(s.TimCount);
    Require(gps >= 0 && gps <= MaxGpCount && int(s.GpTable.size()) == gps + 1, "GpCount matches its table");
    Require(drivers >= 0 && drivers <= MaxDrvCount && int(s.DrvTable.size()) == drivers + 1,
            "DrvCount matches its table");
    Require(teams >= 0 && teams <= MaxTimCount && int(s.TimTable.size()) == teams + 1,
            "TimCount matches its table");
    int endGp = ReadCount(s.Sis.EndGp);
    Require(endGp >= 0 && endGp <= gps, "EndGp within the calendar");
    Require(ReadCount(s.Sis.SyuCount) <= MaxSyuCount, "a race that ends");
    for (int d = 1; d <= drivers; ++d)
        Require(s.DrvTable[d].DrvNo == Format00(d), "DrvNo equals its position");
    for (int t = 1; t <= teams; ++t) Require(s.TimTable[t].TimNo == Format00(t), "TimNo equals its position");

    Require(!AnyLineBreak(s), "a line break read is replaced");

    // The modes beside the rules hold only what fits the season they came with.
    const PrincipalState& p = s.history.principal;
    if (!p.Empty()) Require(PrincipalFits(p, s), "a principal fits his season");
    const WorldState& w = s.history.world;
    if (!w.Empty()) {
        Require(WorldFitsHistory(w, s.history.seasons), "the world has turned at the history's seasons");
        const std::vector<size_t> met = WorldDriverIndex(w, s);
        const size_t records = w.drivers.empty() ? 0 : w.drivers.size() - 1;
        Require(size_t(std::count_if(met.begin(), met.end(), [](size_t k) { return k > 0; })) == records,
                "every record of the world's drivers is a driver of the season");
    }

    const std::string saved = ScratchFolder() + "/saved.krv";
    Require(WriteSeasonFile(s, saved), "an accepted season saves");
    Season back;
    Require(ReadSeasonFile(back, saved), "a saved season reads back");
    Season expected = s;
    for (int g = 1; g <= gps; ++g) expected.GpTable[g].GpNo = Format00(g); // the writer numbers them
    Require(back == expected, "a saved season reads back equal");
}

void CheckTail(const Season& season, const uint8_t* data, size_t size, bool oldLayout) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::string path = ScratchFolder() + "/other-tail.krv";
    ReadNotes notes;
    Season again;
    std::ofstream(path, std::ios::binary | std::ios::trunc) << input;
    Require(oldLayout ? ReadOldSeasonFile(again, path, &notes) : ReadSeasonFile(again, path, &notes), "reads again");
    Require(notes.historyAt <= size, "the history begins within the input");
    if (notes.historyAt == size) return; // the last value may run to the end: more bytes would lengthen it
    for (const char* other : {"", "\xFF\x81,\"\r\n<TIM>\r\n99\r\n", "#KARVEN-HISTORY-1#,1\r\nS,\x81\r\n"}) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << input.substr(0, notes.historyAt) << other;
        Require(oldLayout ? ReadOldSeasonFile(again, path) : ReadSeasonFile(again, path), "another tail reads");
        again.history = season.history;
        Require(again == season, "another tail reads as the same season");
    }
}

void CheckAdditionsKept(const Season& season, const ReadNotes& notes, size_t size) {
    const std::string path = ScratchFolder() + "/additions.krv";
    Require(WriteSeasonFile(season, path), "an accepted season saves");
    std::ifstream in(path, std::ios::binary);
    const std::string saved((std::istreambuf_iterator<char>(in)), {});
    Season back;
    ReadNotes again;
    Require(ReadSeasonFile(back, path, &again), "a saved season reads back");
    Require(saved.size() - again.historyAt == size - notes.historyAt, "a save keeps every byte after the last team");
    Require(saved.ends_with(season.history.kept), "what was not understood is written back as it came");
    Require(back.history == season.history, "what was understood reads back equal");
    Require(again.historyUnreadable == notes.historyUnreadable, "the player is told again exactly when he was told");
}

} // namespace karven::fuzz
