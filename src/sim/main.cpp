// karven-sim: loads a season and plays its Grands Prix without windows, every window answered at once.

#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>
#include <thread>

#include "app/Game.h"
#include "exchange/ExchangeFiles.h"
#include "exchange/Results.h"
#include "odds/ChampionshipOdds.h"
#include "race/Race.h"
#include "season/Numbers.h"
#include "season/SeasonFile.h"
#include "season/Translate.h"
#include "season/Utf8.h"
#include "shell/MainState.h"
#include "shell/Random.h"
#include "shell/SeasonFiles.h"
#include "sim/AutoPlatform.h"
#include "history/Records.h"
#include "sim/HistoryJson.h"
#include "sim/JsonOutput.h"
#include "sim/LapsJson.h"
#include "sim/Market.h"
#include "odds/FixedFinish.h"
#include "sim/Odds.h"
#include "sim/TitleRaceJson.h"
#include "sim/SeasonJson.h"
#include "sim/Summary.h"
#include "sim/WorldJson.h"
#include "weekend/Qualifying.h"
#include "principal/Board.h"
#include "principal/Calls.h"
#include "principal/Market.h"
#include "sim/ManagementJson.h"
#include "sim/PrincipalJson.h"
#include "world/Turn.h"

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
    std::vector<FixedResult> fixes; // --fix: first places of coming Grands Prix, for the odds
    int threads = 0;
    std::string lang = "ja";
    std::string importCsv;
    std::string exportCsv;
    std::string exportResults;
    bool world = false;
    std::string manage; // --manage: the TimNo of the team run by the policy
    std::string managePolicy = "sensible";
};

// A message window's text on a terminal: its CR LF line breaks as the terminal's.
std::string ForTerminal(const std::string& text) { return ReplaceAll(text, "\r\n", "\n"); }

// The season's three CSV files of the folder, before anything is played; false when refused.
bool ImportCsv(Game& game, const Options& options) {
    FolderImport result = ImportSeasonFolder(game.season, options.importCsv);
    switch (result.outcome) {
    case FolderImport::Outcome::ReadFailed:
        std::cerr << TrF("インポートに失敗しました！\n{1}\n{2}\n", result.path, result.why);
        return false;
    case FolderImport::Outcome::NoFiles:
        std::cerr << TrF("--import-csv: {1} に teams.csv・drivers.csv・calendar.csv がありません\n", options.importCsv);
        return false;
    case FolderImport::Outcome::Refused:
        std::cerr << ForTerminal(RefusalText(result.refusal)) << Tr("\nインポートを中止しました。\n");
        return false;
    case FolderImport::Outcome::Imported: break;
    }
    if (!options.quiet) std::cerr << ForTerminal(ImportSummaryText(result.summary)) << "\n";
    return true;
}

// The files into the folder, made when missing; false with a message when one could not be written.
bool ExportTo(const std::string& folder, const std::vector<ExchangeFile>& files) {
    std::string path, why;
    std::vector<std::string> written;
    if (WriteFolder(folder, files, true, path, why, &written)) return true;
    std::cerr << TrF("エクスポートに失敗しました！\n{1}\n{2}\n", path, why);
    if (std::string more = ForTerminal(WrittenAnyway(written)); !more.empty()) std::cerr << more.substr(1) << "\n";
    return false;
}

// A seed as the option has always read it (digits, or C's 0x and 0 prefixes), except what would
// not give the seed that was written: an empty text, a minus sign, more than 64 bits.
std::optional<uint64_t> ParseSeed(const std::string& text) {
    size_t first = text.find_first_not_of(" \t\n\v\f\r");
    if (first == std::string::npos || text[first] == '-') return std::nullopt;
    errno = 0;
    char* end = nullptr;
    uint64_t seed = std::strtoull(text.c_str(), &end, 0);
    if (errno == ERANGE || end != text.c_str() + text.size() || end == text.c_str() + first) return std::nullopt;
    return seed;
}

// "all" or a whole number of Grands Prix; -1 for anything else.
int ParseGpCount(const std::string& text) {
    if (text == "all") return MaxGpCount;
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 4)
        return -1;
    return std::stoi(text);
}

bool SeasonOver(const Season& season) {
    // The whole count the calendar was sized by: a count of "2.5" holds two Grands Prix.
    return ReadCount(season.Sis.EndGp) >= ReadCount(season.Sis.GpCount);
}

// What --json prints beyond the season at the end: these grow with every race and season.
struct JsonLog {
    sim::SpooledArray races, markets, seasons, books;
    bool Good() const { return races.Good() && markets.Good() && seasons.Good() && books.Good(); }
};

int Play(const Options& options) {
    sim::AutoPlatform platform(sim::AutoPlatform::ExecutableFolder(), options.quiet ? nullptr : &std::cerr);
    OpenCatalogue(platform.AppPath() + "locale");
    SetLanguage(LanguageOfCode(options.lang));
    GameRandom random(options.seed);
    Game game(platform, random);
    Shell& shell = game.shell;

    // The English game starts from the same season with its names in Latin letters.
    const char* initial = CurrentLanguage() == Language::English ? EnglishInitialDataFile : InitialDataFile;
    std::string path = options.season.empty() ? platform.AppPath() + initial : options.season;
    int code = LoadSeasonFile(shell, path);
    if (code == LoadFailed) {
        std::cerr << Tr("データの読込に失敗しました！\n");
        return ExitFailed;
    }
    if (code == LoadDeclined) return ExitNotLoaded;
    SetMainState(shell.main, SeasonOver(game.season) ? CommandState::SeasonOver : CommandState::BetweenGps); // as File/Open leaves it

    int gps = ParseGpCount(options.gps);
    if (gps < 0) {
        std::cerr << "--gps: a number of Grands Prix or \"all\"\n";
        return ExitUsage;
    }
    if (!options.importCsv.empty()) {
        if (!ImportCsv(game, options)) return ExitFailed;
        SetMainState(shell.main, SeasonOver(game.season) ? CommandState::SeasonOver : CommandState::BetweenGps);
    }
    // The living world: on for this run, or on already in the season file.
    if (options.world && !game.season.history.world.enabled)
        world::EnableWorld(game.season, options.seed ? sim::WorldSeedOf(*options.seed) : game.WorldSeed());
    // The team principal: the team taken, its calls made by the policy; a dismissed principal takes
    // it again at once, so a career runs to its end.
    // The management runs with the principal, and the living world with it.
    const bool sensible = options.managePolicy == "sensible", reckless = options.managePolicy == "reckless";
    if (options.seed) game.worldSeed = sim::WorldSeedOf(*options.seed);
    std::string managed, managedName; // the team the option names
    auto takeCharge = [&] {
        if (!game.season.history.principal.InCharge()) principal::TakeCharge(game.season, managed);
        game.FollowPrincipal();
    };
    if (!options.manage.empty()) {
        // The number read as the game reads every number: "3" and "03" name the same team.
        const int wanted = ReadCount(options.manage);
        for (size_t t = 1; t < game.season.TimTable.size() && managed.empty(); ++t)
            if (ReadCount(game.season.TimTable[t].TimNo) == wanted) {
                managed = game.season.TimTable[t].TimNo;
                managedName = game.season.TimTable[t].TimNm;
            }
        if (managed.empty()) {
            std::cerr << "--manage: the season has no team " << options.manage << "\n";
            return ExitUsage;
        }
        // A season run by another team's principal is handed over, as the game's own window does.
        const PrincipalState& before = game.season.history.principal;
        if (before.InCharge() && before.TimNo != managed) {
            std::cerr << "--manage: the principal leaves team " << before.TimNo << " (" << before.TimNm << ") for team "
                      << managed << " (" << managedName << ")\n";
            principal::TakeCharge(game.season, managed);
        }
        takeCharge();
        using principal::PolicyCalls;
        using principal::PolicyMarket;
        game.SetRaceCalls(std::make_unique<PolicyCalls>(
            game.season, sensible ? PolicyCalls::Policy::Sensible : PolicyCalls::Policy::Rules));
        const PolicyMarket::Policy market = sensible ? PolicyMarket::Policy::Sensible
                                            : reckless ? PolicyMarket::Policy::Reckless
                                                       : PolicyMarket::Policy::Rules;
        game.marketCalls = [&game, market](principal::RookieLookup rookie) -> std::unique_ptr<MarketCalls> {
            return std::make_unique<PolicyMarket>(game.season, market, std::move(rookie));
        };
        game.managePolicy = sensible ? management::Policy::Sensible
                          : reckless ? management::Policy::Reckless
                                     : management::Policy::Game;
    }
    if (options.noPit) shell.events.pit = false;
    if (options.noPen) shell.events.pen = false;
    if (options.noWeather) shell.events.weather = false;

    std::unique_ptr<JsonLog> log = options.json ? std::make_unique<JsonLog>() : nullptr;
    if (log && !log->Good()) {
        std::cerr << "karven-sim: no temporary file for the JSON output\n";
        return ExitFailed;
    }
    // Plays up to `count` Grands Prix of the current season; false when one could not be run.
    auto playGrandsPrix = [&](int count, int seasonNo) {
        for (int i = 0; i < count && !SeasonOver(game.season); ++i) {
            platform.SkipUnreadWindows(true);
            const bool qualified = RunQualifying(shell, game.weekend);
            std::optional<RaceOutcome> outcome = qualified ? game.PlayRace() : std::nullopt;
            platform.SkipUnreadWindows(false);
            if (!outcome) return false;
            if (!log) continue;
            sim::Json race = sim::RaceToJson(game.season, game.weekend, *outcome);
            race["season"] = seasonNo;
            const auto& laps = game.season.history.laps;
            if (!laps.empty() && laps.back().gp == outcome->gp) sim::AddLaps(race, laps.back());
            log->races.Push(race);
        }
        return true;
    };
    // The standings of the season just over, then its market; false when the market does not open.
    auto closeSeason = [&] {
        sim::Json standings, closed;
        if (log) {
            standings = sim::StandingsToJson(game.season);
            closed = sim::SeasonToJson(game.season); // what the market judged, for checking it
        }
        const bool managed = management::Running(game.season);
        sim::Json market = sim::RunMarket(game, platform);
        if (market.is_null()) {
            std::cerr << Tr("ストーブリーグを開催できません。\n");
            return false;
        }
        if (!log) {
            sim::PrintMarket(std::cout, market);
            return true;
        }
        log->seasons.Push(standings);
        if (managed && !game.season.history.seasons.empty())
            log->books.Push({{"season", game.season.history.seasons.back().number},
                             {"teams", sim::ClosedBooksToJson(game.season.history.management,
                                                              game.season.history.seasons.back().number)}});
        market["season"] = std::move(closed);
        log->markets.Push(market);
        return true;
    };

    if (options.seasons > 0) {
        for (int n = 1; n <= options.seasons; ++n) {
            if (!playGrandsPrix(MaxGpCount, n) || !SeasonOver(game.season)) {
                std::cerr << TrF("第{1}戦を開催できません。\n", ReadCount(game.season.Sis.EndGp) + 1);
                break;
            }
            if (!closeSeason()) break;
            if (!options.manage.empty()) takeCharge();
        }
    } else {
        playGrandsPrix(gps, 1);
        if (options.market && SeasonOver(game.season)) closeSeason();
    }

    for (const FixedResult& fix : options.fixes) {
        std::string problem = FixProblem(game.season, fix);
        if (problem.empty()) continue;
        std::cerr << "--fix: " << problem << "\n";
        return ExitUsage;
    }
    sim::Json odds;
    if (options.odds > 0) {
        int threads = options.threads > 0 ? options.threads : int(std::max(1u, std::thread::hardware_concurrency()));
        uint64_t seed = options.seed ? *options.seed : uint64_t(random.Next() * 0x1.0p53);
        EventSwitches switches = shell.events;
        OddsResult result = ChampionshipOdds(game.season, options.odds, threads, seed, switches, nullptr, options.fixes);
        if (log) odds = sim::OddsToJson(result);
        else sim::PrintOdds(std::cout, result);
    }

    if (log) {
        if (!log->Good()) {
            std::cerr << "karven-sim: the temporary file of the JSON output could not be written\n";
            return ExitFailed;
        }
        sim::TopLevelWriter out(std::cout);
        const sim::Json season = sim::SeasonToJson(game.season);
        for (const auto& [name, value] : season.items()) out.Member(name, value);
        out.Member("races", log->races);
        out.Member("standings", sim::StandingsToJson(game.season));
        out.Member("titleRace", sim::TitleRaceToJson(game.season, options.fixes));
        out.Member("market", log->markets);
        out.Member("seasons", log->seasons);
        if (options.odds > 0) out.Member("odds", odds);
        // The history, season by season as it grows, and the records over it and this season.
        sim::SpooledArray history;
        for (const ArchivedSeason& closed : game.season.history.seasons)
            history.Push(sim::WithWorld(sim::ArchivedSeasonToJson(closed), game.season.history.world, closed.number));
        out.Member("history", history);
        if (game.season.history.world.enabled) out.Member("world", sim::WorldToJson(game.season));
        if (!game.season.history.principal.Empty()) out.Member("principal", sim::PrincipalToJson(game.season));
        if (!game.season.history.management.Empty()) {
            out.Member("management", sim::ManagementToJson(game.season));
            out.Member("books", log->books);
        }
        out.Member("records", sim::RecordsToJson(SeasonsOnRecord(game.season)));
        // How each race of the season in progress unfolded, those read from its file included.
        sim::Json raceRecords = sim::Json::array();
        for (const RaceLaps& laps : game.season.history.laps) raceRecords.push_back(sim::RaceRecordToJson(game.season, laps));
        out.Member("raceRecords", raceRecords);
        out.Close();
    } else {
        sim::PrintSummary(std::cout, game.season);
    }

    if (!options.save.empty() && !WriteSeasonFile(game.season, options.save)) {
        std::cerr << Tr("データ保存に失敗しました！\n");
        return ExitFailed;
    }
    if (!options.exportCsv.empty() && !ExportTo(options.exportCsv, SeasonCsvExport(game.season))) return ExitFailed;
    if (!options.exportResults.empty() && !ExportTo(options.exportResults, ResultFiles(game.season))) return ExitFailed;
    return ExitOk;
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"KARVEN without windows: loads a season, plays Grands Prix, prints the season."};
    Options options;
    CLI::Option* season = app.add_option("--season", options.season,
                                         "season file to load (default: Karven.sin beside the program)");
    app.add_flag("--json", options.json, "print the whole season as JSON");
    app.add_flag("--quiet", options.quiet, "do not echo message windows to stderr");
    CLI::Option* save = app.add_option("--save", options.save, "write the season to this file at the end");
    app.add_option("--lang", options.lang, "the language of every text: ja (default) or en")
        ->check(CLI::IsMember({"ja", "en"}));
    CLI::Option* gps =
        app.add_option("--gps", options.gps, "Grands Prix to play: a number or \"all\" (default 0)");
    app.add_flag("--market", options.market,
                 "after the Grands Prix, if the season is over, run the transfer market");
    app.add_option("--seasons", options.seasons, "play this many whole seasons, each ending with its market")
        ->check(CLI::Range(1, 100000))
        ->excludes(gps);
    CLI::Option* oddsOption = app.add_option("--odds", options.odds, "then play the rest of the season this many times and print the title odds")
        ->check(CLI::Range(1, 10000000));
    std::vector<std::string> fixTexts;
    app.add_option("--fix", fixTexts, "with --odds: GP:DRVNO[,DRVNO...] fixes the first places of a coming Grand Prix")
        ->needs(oddsOption);
    app.add_option("--threads", options.threads, "threads for --odds (default: one per core)")->check(CLI::Range(1, 256));
    std::string seedText;
    CLI::Option* seed = app.add_option("--seed", seedText, "seed for a reproducible run: 0 .. 18446744073709551615");
    CLI::Option* importCsv = app.add_option("--import-csv", options.importCsv,
        "before playing, read teams.csv, drivers.csv and calendar.csv of this folder into the season");
    CLI::Option* exportCsv = app.add_option("--export-csv", options.exportCsv,
        "at the end, write the season's teams.csv, drivers.csv and calendar.csv into this folder");
    CLI::Option* exportResults = app.add_option("--export-results", options.exportResults,
        "at the end, write the standings, results and records as CSV and the season report as HTML into this folder");
    app.add_flag("--world", options.world,
                 "the living world: drivers age, develop and retire, rookies arrive, machines change at each market");
    CLI::Option* manage = app.add_option("--manage", options.manage,
        "team principal mode: run the team of this TimNo, its race calls and market choices made by --manage-policy");
    app.add_option("--manage-policy", options.managePolicy,
                   "sensible (default: pit only on the wrong tyres, the weather's tyres, keep and approach by rank, "
                   "spend what can be spared on the machine, the sponsor worth most), rules (every call as the rules' own "
                   "roll, the money as the game runs every other team) or reckless (spend everything, sign the dearest)")
        ->check(CLI::IsMember({"sensible", "rules", "reckless"}))
        ->needs(manage);
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
    // An option given with nothing in it would quietly do what leaving it out does.
    if (season->count() > 0 && options.season.empty()) {
        std::cerr << "--season: a season file\n";
        return ExitUsage;
    }
    if (save->count() > 0 && options.save.empty()) {
        std::cerr << "--save: a file to write the season to\n";
        return ExitUsage;
    }
    if (manage->count() > 0 && options.manage.empty()) {
        std::cerr << "--manage: the number of a team\n";
        return ExitUsage;
    }
    for (auto [option, text] : {std::pair{importCsv, &options.importCsv}, std::pair{exportCsv, &options.exportCsv},
                                std::pair{exportResults, &options.exportResults}}) {
        if (option->count() > 0 && text->empty()) {
            std::cerr << option->get_name() << ": a folder\n";
            return ExitUsage;
        }
    }
    for (const std::string& text : fixTexts) {
        FixedResult fix;
        if (!sim::ReadFix(text, fix)) {
            std::cerr << "--fix: GP:DRVNO[,DRVNO...], for example 14:5 or 14:5,3\n";
            return ExitUsage;
        }
        for (const FixedResult& earlier : options.fixes)
            if (earlier.gp == fix.gp) {
                std::cerr << "--fix: GP " << fix.gp << " fixed twice\n";
                return ExitUsage;
            }
        options.fixes.push_back(std::move(fix));
    }
    if (seed->count() > 0) {
        options.seed = ParseSeed(seedText);
        if (!options.seed) {
            std::cerr << "--seed: a whole number from 0 to 18446744073709551615\n";
            return ExitUsage;
        }
    }
    try {
        return Play(options);
    } catch (const std::exception& e) {
        // Nothing should throw; if something does, say so rather than abort.
        std::cerr << "karven-sim: " << e.what() << "\n";
        return ExitFailed;
    }
}
