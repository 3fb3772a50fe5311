// The title odds in a Web Worker: the season as the game saves it, read back, and the rest of it
// played many times as ChampionshipOdds plays it on one thread, block by block, the figures so far
// posted to the page after each block. The page ends the worker to cancel.

#include <emscripten.h>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "JsonText.h"
#include "odds/AnalysisView.h"
#include "odds/ChampionshipOdds.h"
#include "season/Season.h"
#include "season/SeasonFile.h"

namespace {
EM_JS(void, Post, (const char* json), { postMessage(JSON.parse(UTF8ToString(json))); });

using karven::web::JsonArray;
using karven::web::JsonNumbers;
using karven::web::JsonObject;

std::string EntriesJson(const std::vector<karven::OddsEntry>& entries) {
    std::vector<std::string> items;
    for (const karven::OddsEntry& e : entries)
        items.push_back(JsonObject()
                            .Num("index", e.index)
                            .Str("No", e.No)
                            .Str("Nm", e.Nm)
                            .Num("title", e.title)
                            .Raw("place", JsonNumbers(std::vector<double>(e.place, e.place + 4)))
                            .Num("meanPoints", e.meanPoints)
                            .Num("p5Points", e.p5Points)
                            .Num("p95Points", e.p95Points)
                            .Num("crowned", e.crowned)
                            .Text());
    return JsonArray(items);
}

// The odds, every entry, and the bars the charts show (as indexes into the entries).
std::string ResultJson(const char* type, const karven::OddsResult& odds) {
    auto shown = [](const std::vector<karven::OddsEntry>& entries, bool drivers) {
        std::vector<int> indexes;
        for (const karven::OddsEntry& e : karven::OddsShown(entries, drivers)) indexes.push_back(e.index);
        return JsonNumbers(indexes);
    };
    return JsonObject()
        .Str("type", type)
        .Num("runs", odds.runs)
        .Raw("drivers", EntriesJson(odds.drivers))
        .Raw("teams", EntriesJson(odds.teams))
        .Raw("shownDrivers", shown(odds.drivers, true))
        .Raw("shownTeams", shown(odds.teams, false))
        .Text();
}
} // namespace

// `fixed`: "gp:d,d,d;gp:d"; `stopAfterMs` 0 for no time limit; the seed in decimal digits.
extern "C" EMSCRIPTEN_KEEPALIVE void RunOdds(const char* path, int pit, int pen, int ten, const char* seedText, int runs,
                                             double stopAfterMs, const char* fixedText) {
    karven::Season season;
    if (!karven::ReadSeasonFile(season, path)) {
        Post(R"({"type":"error"})");
        return;
    }
    std::vector<karven::FixedResult> fixed;
    for (const char* p = fixedText; *p;) {
        karven::FixedResult& f = fixed.emplace_back();
        char* end = nullptr;
        f.gp = int(std::strtol(p, &end, 10));
        p = end;
        while (*p == ':' || *p == ',') {
            f.drivers.push_back(int(std::strtol(p + 1, &end, 10)));
            p = end;
        }
        if (*p == ';') ++p;
        else if (*p) break;
    }
    karven::OddsProgress progress;
    const double started = emscripten_get_now();
    progress.partial = [&](const karven::OddsResult& partial) {
        Post(ResultJson("partial", partial).c_str());
        if (stopAfterMs > 0 && emscripten_get_now() - started >= stopAfterMs) progress.cancel = true;
    };
    const uint64_t seed = std::strtoull(seedText, nullptr, 10);
    const karven::EventSwitches switches{pit != 0, pen != 0, ten != 0};
    const karven::OddsResult result = karven::ChampionshipOdds(season, runs, 1, seed, switches, &progress, fixed);
    Post(ResultJson("done", result).c_str());
}
