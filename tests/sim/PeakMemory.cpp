// Peak memory of karven-sim on the largest season it can hold: what it keeps must not grow with
// the seasons and runs it plays, but for the history of the seasons it closed; and a season file
// with a long history opens and saves in at most three times its size and 50 MB.
//
//   karven_peak_memory --sim PATH --work DIR
//
// Makes a season of 999 drivers from Karven.sin beside karven-sim, then plays it for a number of
// seasons and of title-odds runs, and for twice or four times as many: each stays below the
// limit, and the longer one needs no more than a little more memory. Then makes histories of
// 1,000 and 4,000 seasons of the default season (a short career's seasons over and over), one
// whose season names 3,000,000 drivers and one whose own drivers have names of 250,000
// characters, and opens and saves each; and plays a whole season of names of 50,000 characters.
// Exit status 0 when all hold.
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <iostream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "season/SeasonFile.h"

using namespace karven;

namespace {

constexpr long LimitKb = 200 * 1024; // what a full career or a million odds runs may take
constexpr long GrowthKb = 16 * 1024; // the noise of the allocator, far below a season's races
// The history of a closed season: its results, standings and moves; a 999-driver season's is
// about 45 KB in memory.
constexpr long HistoryKbPerSeason = 64;

// Runs the program with its output thrown away; the peak resident memory in KB, or -1 on failure.
long PeakKb(const std::vector<std::string>& command) {
    pid_t pid = fork();
    if (pid == 0) {
        int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        std::vector<char*> argv;
        for (const std::string& word : command) argv.push_back(const_cast<char*>(word.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    struct rusage usage {};
    if (pid < 0 || wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return usage.ru_maxrss;
}

bool MakeLargestSeason(const std::string& folder, const std::string& path) {
    struct Quiet : LoadDialogue {
        void Notice(const std::string&) override {}
        bool Confirm(const std::string&) override { return true; }
    } dialogue;
    Season season;
    if (!LoadInitialData(season, folder, dialogue)) return false;
    for (int d = int(season.DrvTable.size()); d <= MaxDrvCount; ++d) {
        DrvRecord driver = NewDrvRecord(d);
        driver.DrvNm = "控え" + std::to_string(d);
        season.DrvTable.push_back(driver);
    }
    season.DrvCount = std::to_string(MaxDrvCount);
    return WriteSeasonFile(season, path);
}

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The file with its closed seasons told `times` times over.
bool Repeated(const std::string& career, int times, const std::string& path) {
    const std::string bytes = FileBytes(career);
    const std::string mark = "#KARVEN-HISTORY-1#,";
    size_t at = bytes.find(mark);
    if (at == std::string::npos) return false;
    size_t body = bytes.find("\r\n", at) + 2;
    size_t end = bytes.find("\r\n#KARVEN-", body);
    end = end == std::string::npos ? bytes.size() : end + 2;
    long lines = std::stol(bytes.substr(at + mark.size()));
    std::ofstream out(path, std::ios::binary);
    out << bytes.substr(0, at) << mark << lines * times << "\r\n";
    for (int i = 0; i < times; ++i) out << bytes.substr(body, end - body);
    out << bytes.substr(end);
    return bool(out);
}

// A closed season that names an absurd number of drivers on one line.
bool OneLongLine(const std::string& career, const std::string& path) {
    const std::string bytes = FileBytes(career);
    size_t at = bytes.find("\r\n#KARVEN-HISTORY-"); // past the format mark
    if (at == std::string::npos) return false;
    at += 2;
    std::ofstream out(path, std::ios::binary);
    out << bytes.substr(0, at) << "#KARVEN-HISTORY-1#,6\r\nS,1,,1,0,0,0\r\nN";
    for (int n = 0; n < 3000000; ++n) out << ",driver" << n;
    out << "\r\nE\r\nD\r\nC\r\nV\r\n";
    return bool(out);
}

// The season's own part made large: every driver of the table named with `chars` characters.
bool LongNames(const std::string& folder, int chars, const std::string& path) {
    struct Quiet : LoadDialogue {
        void Notice(const std::string&) override {}
        bool Confirm(const std::string&) override { return true; }
    } dialogue;
    Season season;
    if (!LoadInitialData(season, folder, dialogue)) return false;
    for (size_t d = 1; d < season.DrvTable.size(); ++d) {
        std::string name;
        while (int(name.size()) < 3 * chars) name += "長"; // three bytes in UTF-8, two in the file
        season.DrvTable[d].DrvNm = name;
    }
    return WriteSeasonFile(season, path);
}

long FileKb(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? long(st.st_size / 1024) : -1;
}

// Opens each file and saves it again: at most three times its size and 50 MB, the bytes unchanged.
int OpenAndSave(const std::string& sim, const std::string& work) {
    const std::string career = work + "/career.krv";
    if (PeakKb({sim, "--seed", "1", "--quiet", "--seasons", "20", "--save", career}) < 0) {
        std::cerr << "peak memory: no career to repeat\n";
        return 1;
    }
    int failures = 0;
    struct File {
        std::string path;
        bool made;
        bool played = false; // its whole calendar played before the save
    };
    const std::string folder = sim.substr(0, sim.rfind('/') + 1);
    const std::vector<File> files = {
        {work + "/history-1000.krv", Repeated(career, 50, work + "/history-1000.krv")},
        {work + "/history-4000.krv", Repeated(career, 200, work + "/history-4000.krv")},
        {work + "/long-line.krv", OneLongLine(career, work + "/long-line.krv")},
        // A season's part of 20 MB: its names read and checked without the season held twice.
        {work + "/long-names.krv", LongNames(folder, 250000, work + "/long-names.krv")},
        // Names of 50,000 characters played through a season: the records of its races name
        // them again and again, but hold each once.
        {work + "/long-names-played.krv", LongNames(folder, 50000, work + "/long-names-played.krv"), true},
    };
    for (const auto& [path, made, played] : files) {
        const std::string saved = work + "/saved.krv";
        long peak = made ? PeakKb({sim, "--season", path, "--gps", played ? "all" : "0", "--seed", "1", "--quiet",
                                   "--save", saved})
                         : -1;
        long sizeKb = FileKb(path), limitKb = 3 * sizeKb + 50 * 1024;
        std::cout << "peak memory, " << (played ? "playing and saving " : "opening and saving ")
                  << path.substr(work.size() + 1) << " (" << sizeKb / 1024 << " MB): " << peak / 1024 << " MB\n";
        if (peak < 0 || peak > limitKb || (!played && FileBytes(saved) != FileBytes(path))) {
            std::cerr << "peak memory: " << path << " takes more than " << limitKb / 1024
                      << " MB or does not save as it was\n";
            ++failures;
        }
        std::remove(path.c_str());
        std::remove(saved.c_str());
    }
    std::remove(career.c_str());
    return failures;
}

} // namespace

int main(int argc, char** argv) {
    std::string sim, work;
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string option = argv[i];
        if (option == "--sim") sim = argv[i + 1];
        else if (option == "--work") work = argv[i + 1];
    }
    if (sim.empty() || work.empty()) {
        std::cerr << "usage: karven_peak_memory --sim PATH --work DIR\n";
        return 2;
    }
    const std::string season = work + "/largest.krv";
    if (!MakeLargestSeason(sim.substr(0, sim.rfind('/') + 1), season)) {
        std::cerr << "peak memory: no season of 999 drivers\n";
        return 1;
    }

    struct Case {
        const char* what;
        std::vector<std::string> shorter, longer;
        long moreSeasons = 0; // seasons the longer run closes beyond the shorter
        long limitKb = LimitKb;
    };
    const std::vector<Case> cases = {
        // Saved at the end: a career of a thousand seasons saves in under 100 MB.
        {"seasons", {"--seasons", "250", "--save", season + ".250"}, {"--seasons", "1000", "--save", season + ".1000"}, 750,
         100 * 1024},
        {"seasons as JSON", {"--seasons", "10", "--json"}, {"--seasons", "40", "--json"}, 30},
        {"odds", {"--odds", "2000", "--threads", "2"}, {"--odds", "8000", "--threads", "2"}},
    };
    int failures = 0;
    for (const Case& c : cases) {
        long peaks[2];
        for (int i = 0; i < 2; ++i) {
            std::vector<std::string> command = {sim, "--season", season, "--seed", "1", "--quiet"};
            const std::vector<std::string>& more = i == 0 ? c.shorter : c.longer;
            command.insert(command.end(), more.begin(), more.end());
            peaks[i] = PeakKb(command);
        }
        std::cout << "peak memory, " << c.what << ": " << peaks[0] / 1024 << " MB, then " << peaks[1] / 1024
                  << " MB\n";
        long growth = GrowthKb + c.moreSeasons * HistoryKbPerSeason;
        bool ok = peaks[0] > 0 && peaks[1] > 0 && peaks[1] < c.limitKb && peaks[1] - peaks[0] < growth;
        if (!ok) {
            std::cerr << "peak memory: " << c.what << " grows or exceeds " << c.limitKb / 1024 << " MB\n";
            ++failures;
        }
    }
    for (const char* saved : {".250", ".1000"}) std::remove((season + saved).c_str());
    failures += OpenAndSave(sim, work);
    return failures == 0 ? 0 : 1;
}
