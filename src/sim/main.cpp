// karven-sim: loads a season and plays its Grands Prix without windows, every window answered at once.

#include <CLI/CLI.hpp>
#include <iostream>
#include <optional>
#include <sstream>
#include <thread>

#include "app/Game.h"
#include "odds/ChampionshipOdds.h"
#include "race/Race.h"
#include "season/Numbers.h"
#include "season/SeasonFile.h"
#include "shell/MainState.h"
#include "shell/Random.h"
#include "shell/SeasonFiles.h"
#include "sim/AutoPlatform.h"
#include "sim/Market.h"
#include "sim/Odds.h"
#include "sim/SeasonJson.h"
#include "sim/Summary.h"
#include "weekend/Qualifying.h"

using namespace karven;

namespace {

enum ExitCode { ExitOk = 0, ExitFailed = 1, ExitUsage = 2, ExitNotLoaded = 3 };

struct Options {
    std::string season;
    bool json = false;
    bool quiet = false;
    std::string save;
    std::string gps = "0";
    std::optional<uint64_t> seed;
    bool noPit = false;
    bool noPen = false;
    bool noWeather = false;
    bool market = false;
    int seasons = 0;
    int odds = 0;
    int threads = 0;
};

// "all" or a whole number of Grands Prix; -1 for anything else.
int ParseGpCount(const std::string& text) {
    if (text == "all") return MaxGpCount;
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 4)
        return -1;
    return std::stoi(text);
}

// Plays up to `gps` Grands Prix of the current season; false when one could not be run.
bool PlayGrandsPrix(Game& game, int gps, int seasonNo, sim::Json& races) {
    const SisSettings& sis = game.season.Sis;
    for (int i = 0; i < gps && ReadNumber(sis.EndGp) < ReadNumber(sis.GpCount); ++i) {
        if (!RunQualifying(game.shell, game.weekend)) return false;
        std::optional<RaceOutcome> outcome = RunKesyou(game.shell, game.weekend);
        if (!outcome) return false;
        sim::Json race = sim::RaceToJson(game.season, game.weekend, *outcome);
        race["season"] = seasonNo;
        races.push_back(race);
    }
    return true;
}

bool SeasonOver(const Season& season) {
    return ReadNumber(season.Sis.EndGp) >= ReadNumber(season.Sis.GpCount);
}

int Play(const Options& options) {
    sim::AutoPlatform platform(sim::AutoPlatform::ExecutableFolder(), options.quiet ? nullptr : &std::cerr);
    GameRandom random(options.seed);
    Game game(platform, random);
    Shell& shell = game.shell;

    std::string path = options.season.empty() ? platform.AppPath() + InitialDataFile : options.season;
    int code = LoadSeasonFile(shell, path);
    if (code == LoadFailed) {
        std::cerr << "データの読込に失敗しました！\n";
        return ExitFailed;
    }
    if (code == LoadDeclined) return ExitNotLoaded;
    SetMainState(shell.main, SeasonOver(game.season) ? 4 : 2); // as File/Open leaves it

    int gps = ParseGpCount(options.gps);
    if (gps < 0) {
        std::cerr << "--gps: a number of Grands Prix or \"all\"\n";
        return ExitUsage;
    }
    if (options.noPit) shell.EvePit = "0";
    if (options.noPen) shell.EvePen = "0";
    if (options.noWeather) shell.EveTen = "0";

    sim::Json races = sim::Json::array();
    sim::Json markets = sim::Json::array();
    sim::Json seasons = sim::Json::array();
    std::ostringstream marketText;
    // The standings of the season just over, then its market.
    auto closeSeason = [&] {
        seasons.push_back(sim::StandingsToJson(game.season));
        sim::Json closed = sim::SeasonToJson(game.season); // what the market judged, for checking it
        markets.push_back(sim::RunMarket(game, platform));
        if (markets.back().is_object()) markets.back()["season"] = std::move(closed);
        sim::PrintMarket(marketText, markets.back());
    };

    if (options.seasons > 0) {
        for (int n = 1; n <= options.seasons; ++n) {
            if (!PlayGrandsPrix(game, MaxGpCount, n, races) || !SeasonOver(game.season)) {
                std::cerr << "第" << ReadCount(game.season.Sis.EndGp) + 1 << "戦を開催できません。\n";
                break;
            }
            closeSeason();
        }
    } else {
        PlayGrandsPrix(game, gps, 1, races);
        if (options.market && SeasonOver(game.season)) closeSeason();
    }

    sim::Json odds;
    if (options.odds > 0) {
        int threads = options.threads > 0 ? options.threads : int(std::max(1u, std::thread::hardware_concurrency()));
        uint64_t seed = options.seed ? *options.seed : uint64_t(random.Next() * 0x1.0p53);
        EventSwitches switches{shell.EvePit == "1", shell.EvePen == "1", shell.EveTen == "1"};
        OddsResult result = ChampionshipOdds(game.season, options.odds, threads, seed, switches);
        odds = sim::OddsToJson(result);
        if (!options.json) sim::PrintOdds(marketText, result);
    }

    if (options.json) {
        sim::Json out = sim::SeasonToJson(game.season);
        out["races"] = races;
        out["standings"] = sim::StandingsToJson(game.season);
        out["market"] = markets;
        out["seasons"] = seasons;
        if (options.odds > 0) out["odds"] = odds;
        std::cout << out.dump(2) << "\n";
    } else {
        std::cout << marketText.str();
        sim::PrintSummary(std::cout, game.season);
    }

    if (!options.save.empty() && !WriteSeasonFile(game.season, options.save)) {
        std::cerr << "データ保存に失敗しました！\n";
        return ExitFailed;
    }
    return ExitOk;
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"KARVEN without windows: loads a season, plays Grands Prix, prints the season."};
    Options options;
    app.add_option("--season", options.season,
                   "season file to load (default: Karven.sin beside the program)");
    app.add_flag("--json", options.json, "print the whole season as JSON");
    app.add_flag("--quiet", options.quiet, "do not echo message windows to stderr");
    app.add_option("--save", options.save, "write the season to this file at the end");
    CLI::Option* gps =
        app.add_option("--gps", options.gps, "Grands Prix to play: a number or \"all\" (default 0)");
    app.add_flag("--market", options.market,
                 "after the Grands Prix, if the season is over, run the transfer market");
    app.add_option("--seasons", options.seasons, "play this many whole seasons, each ending with its market")
        ->check(CLI::Range(1, 100000))
        ->excludes(gps);
    app.add_option("--odds", options.odds, "then play the rest of the season this many times and print the title odds")
        ->check(CLI::Range(1, 10000000));
    app.add_option("--threads", options.threads, "threads for --odds (default: one per core)")->check(CLI::Range(1, 256));
    app.add_option("--seed", options.seed, "seed for a reproducible run");
    app.add_flag("--no-pit", options.noPit, "no pit stops");
    app.add_flag("--no-pen", options.noPen, "no penalties");
    app.add_flag("--no-weather", options.noWeather, "no weather changes");
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return ExitUsage;
    }
    return Play(options);
}
