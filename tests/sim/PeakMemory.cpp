// Peak memory of karven-sim on the largest season it can hold: what it keeps must not grow with
// the seasons and runs it plays, but for the history of the seasons it closed.
//
//   karven_peak_memory --sim PATH --work DIR
//
// Makes a season of 999 drivers from Karven.sin beside karven-sim, then plays it for a number of
// seasons and of title-odds runs, and for twice or four times as many: each stays below the
// limit, and the longer one needs no more than a little more memory. Exit status 0 when all hold.
#include <cstdio>
#include <fcntl.h>
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
    };
    const std::vector<Case> cases = {
        {"seasons", {"--seasons", "250"}, {"--seasons", "1000"}, 750},
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
        bool ok = peaks[0] > 0 && peaks[1] > 0 && peaks[1] < LimitKb && peaks[1] - peaks[0] < growth;
        if (!ok) {
            std::cerr << "peak memory: " << c.what << " grows or exceeds " << LimitKb / 1024 << " MB\n";
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
