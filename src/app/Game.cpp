#include "app/Game.h"

#include <random>

#include "editors/DrvSet.h"
#include "editors/SisSet.h"
#include "editors/TimSet.h"
#include "exchange/ExchangeCommands.h"
#include "history/FrmSeasonSummary.h"
#include "history/HistoryWindows.h"
#include "management/FrmHeadquarters.h"
#include "odds/FrmPoints.h"
#include "odds/FrmOdds.h"
#include "odds/FrmRaceAnalysis.h"
#include "offseason/Market.h"
#include "offseason/NewSeason.h"
#include "principal/Board.h"
#include "principal/Calls.h"
#include "principal/FrmPrincipal.h"
#include "race/Race.h"
#include "season/Numbers.h"
#include "session/Autosave.h"
#include "session/Continue.h"
#include "session/FrmAutosaves.h"
#include "shell/FrmGuide.h"
#include "shell/FrmMain.h"
#include "shell/Language.h"
#include "shell/MainState.h"
#include "shell/Platform.h"
#include "shell/SeasonFiles.h"
#include "shell/StartUp.h"
#include "standings/DrvSei.h"
#include "standings/RankingGrid.h"
#include "standings/Seiseki.h"
#include "standings/Summaries.h"
#include "weekend/Qualifying.h"
#include "world/Changes.h"
#include "world/WorldCommands.h"
#include "world/WorldMarket.h"

namespace karven {

Game::Game(Platform& platform, Random& random) : shell(season, platform, random) {
    SetRaceCalls(std::make_unique<principal::AskedCalls>(shell));
    marketCalls = [this](principal::RookieLookup rookie) -> std::unique_ptr<MarketCalls> {
        return std::make_unique<principal::AskedMarket>(shell, std::move(rookie));
    };
    WireMainWindow();
    // The main window lives as long as the game: its captions in the language of the day.
    shell.main.Localize();
    ShowLanguageChoice(shell);
    ShowTextSizeChoice(shell);
    ShowLetterKeysChoice(shell);
}

bool Game::StartUp() {
    bool started = karven::StartUp(shell);
    FollowRaceRecords(shell);
    world::ShowWorldChoice(shell);
    principal::ShowPrincipal(shell);
    ShowSeasonCaption(shell);
    return started;
}

void Game::OfferToContinue() {
    OfferLastSeason(shell);
    FollowRaceRecords(shell);
    world::ShowWorldChoice(shell);
    principal::ShowPrincipal(shell);
    ShowSeasonCaption(shell);
}

void Game::OpenNewestAutosave() {
    Command(
        [this] {
            std::vector<std::string> saves = ListAutosaves(shell.platform.AutosaveFolder());
            if (!saves.empty()) OpenAutosaveFile(shell, saves.front());
        },
        false)();
}

void Game::SetRaceCalls(std::unique_ptr<RaceCalls> calls) {
    raceCalls_ = std::move(calls);
    weekend.calls = raceCalls_.get();
}

std::string Game::JudgeTheSeason() {
    std::optional<PrincipalSeason> judged = principal::Judge(season);
    principal::SetTarget(season);
    if (!season.history.principal.InCharge()) management::Rest(season); // dismissed: the money rests with him
    if (!judged) return "";
    return principal::VerdictMessage(*judged, management::BooksOf(season, judged->season, judged->TimNm));
}

std::optional<RaceOutcome> Game::PlayRace() {
    const std::vector<double> before = management::PointsBefore(season);
    std::optional<RaceOutcome> outcome = RunKesyou(shell, weekend);
    if (outcome) {
        management::BookRace(season, before, managePolicy);
        if (shell.platform.Announces()) shell.main.Announce(RaceSummary(season, int(ReadNumber(season.Sis.EndGp))));
    }
    return outcome;
}

void Game::RunMarket() {
    size_t closed = season.history.seasons.size();
    Season was;
    was.DrvTable = season.DrvTable;
    was.TimTable = season.TimTable;
    world::WorldMarket world(shell);
    if (management::Running(season)) world.beforeRanking = management::BeforeRanking;
    std::unique_ptr<MarketCalls> calls = marketCalls([&world](int d) { return world.Rookie(d); });
    ShowOff(shell, season.history.world.enabled ? &world : nullptr, calls.get());
    // A confirmed market closed the season: its books, a word on it, then the grid turns to the next.
    if (season.history.seasons.size() > closed) {
        auto* team = dynamic_cast<principal::TeamMarket*>(calls.get());
        management::CloseSeason(season, managePolicy, team ? team->signings : std::vector<Contract>{});
        std::string verdict = JudgeTheSeason();
        ShowSeasonSummary(shell, world::OffSeasonChanges(season), verdict);
        if (shell.platform.Announces()) shell.main.Announce(MovesSummary(was, season));
    }
}

void Game::FollowPrincipal() {
    if (!season.history.principal.InCharge()) {
        management::Rest(season);
        return;
    }
    if (!season.history.world.enabled) world::EnableWorld(season, WorldSeed());
    management::Start(season);
}

uint64_t Game::WorldSeed() {
    if (worldSeed) return *worldSeed;
    // The world's chance is its own: never a draw of the rules' generator.
    std::random_device device;
    return (uint64_t(device()) << 32) ^ device();
}

namespace {
// The season as a command found it, to tell whether it changed. The closed seasons, and what the
// world did in them, only grow or go as a whole in a command: their count and the last of each
// tell, so a long history is not copied for every race.
struct Before {
    Season rest;
    size_t closed = 0, facts = 0;
    std::optional<ArchivedSeason> last;
    std::optional<WorldSeason> lastFacts;
};

// Runs `look` on the season without its closed seasons and the world's record of them.
template <class Look> auto WithoutTheHistory(Season& season, Look look) {
    std::vector<ArchivedSeason> closed = std::move(season.history.seasons);
    std::vector<WorldSeason> facts = std::move(season.history.world.seasons);
    season.history.seasons.clear();
    season.history.world.seasons.clear();
    auto result = look(season);
    season.history.seasons = std::move(closed);
    season.history.world.seasons = std::move(facts);
    return result;
}

template <class T> std::optional<T> LastOf(const std::vector<T>& v) { return v.empty() ? std::nullopt : std::optional<T>(v.back()); }

Before Snapshot(Season& season) {
    Before b;
    b.rest = WithoutTheHistory(season, [](const Season& s) { return s; });
    b.closed = season.history.seasons.size();
    b.facts = season.history.world.seasons.size();
    b.last = LastOf(season.history.seasons);
    b.lastFacts = LastOf(season.history.world.seasons);
    return b;
}

bool Changed(const Before& b, Season& season) {
    return season.history.seasons.size() != b.closed || season.history.world.seasons.size() != b.facts ||
           LastOf(season.history.seasons) != b.last || LastOf(season.history.world.seasons) != b.lastFacts ||
           WithoutTheHistory(season, [&](const Season& s) { return s != b.rest; });
}
} // namespace

std::function<void()> Game::Command(std::function<void()> run, bool keep) {
    return [this, run = std::move(run), keep] {
        std::optional<Before> before;
        if (keep) before = Snapshot(season);
        run();
        management::Follow(season); // an editor may have renamed, added or deleted a team
        if (keep && Changed(*before, season)) Autosave(shell);
        ShowSeasonCaption(shell);
        FollowRaceRecords(shell);
        world::ShowWorldChoice(shell);
        principal::ShowPrincipal(shell);
    };
}

void Game::EndAfterAsking() {
    if (!ConfirmDiscard(shell)) return;
    shell.main.Close();
    shell.platform.EndProgram();
}

void Game::WireMainWindow() {
    FrmKarvenRace& main = shell.main;
    Platform& platform = shell.platform;
    constexpr bool Keep = true;

    main("cmdYosen").onClick = Command([this] { RunQualifying(shell, weekend); }, !Keep);
    main("cmdKesyou").onClick = Command([this] { PlayRace(); }, Keep);
    main("File_open").onClick = Command([this] { OpenSeasonFile(shell); }, !Keep);
    main("File_autosave").onClick = Command([this] { OpenAutosave(shell); }, !Keep);
    main("File_update").onClick = Command([this] { SaveSeasonFile(shell); }, !Keep);
    main("File_save").onClick = Command([this] { SaveSeasonInPlace(shell); }, !Keep);
    main("File_import").onClick = Command([this] { RunCsvImport(shell); }, Keep);
    main("File_export").onClick = [this] { RunCsvExport(shell); };
    main("File_results").onClick = [this] { RunResultsExport(shell); };
    main("File_End").onClick = [this] { EndAfterAsking(); };
    main("cmdEnd").onClick = [this] { EndAfterAsking(); };
    main.onQueryClose = [this] { EndAfterAsking(); };
    for (int i = 31; i <= 33; ++i) {
        main(EventItemName(i), i).onClick = [this, i] { ToggleEvent(shell, i); };
    }
    main("Eve_Auto").onClick = [this] { ToggleAutoAdvance(shell); };
    main("Eve_Repeat").onClick = [this] { RepeatLastComment(shell); };
    for (int i = 1; i <= 3; ++i) main("Eve_Delay", i).onClick = [this, i] { ChooseAutoPace(shell, i); };
    main("cmdStart").onClick = Command(
        [this] {
            NewSeason(shell);
            principal::SetTarget(season); // the board looks at the season afresh
            management::NewSeason(season);
        },
        Keep);
    main("cmdDrvRank").onClick = [this] { ShowDrvRanking(shell); };
    main("cmdTimRank").onClick = [this] { ShowTimRanking(shell); };
    main("cmdSeiseki").onClick = [this] { ShowSeiseki(shell); };
    main("cmdDrvSei").onClick = [this] { ShowDrvSei(shell, "01"); };
    main("cmdOffSis").onClick = Command([this] { RunMarket(); }, Keep);
    // After an editor the commands follow the season: a Grand Prix added to a finished season can be run.
    main("Set_Sis", 21).onClick = Command([this] { ShowSisSet(shell); FollowSeason(shell); }, Keep);
    main("Set_Tim", 22).onClick = Command([this] { ShowTimSet(shell); FollowSeason(shell); }, Keep);
    main("Set_Drv", 23).onClick = Command([this] { ShowDrvSet(shell); FollowSeason(shell); }, Keep);
    main("Set_World").onClick = Command([this] { world::ToggleWorld(shell, WorldSeed()); }, Keep);
    main("Set_Principal").onClick = Command(
        [this] {
            principal::ChoosePrincipal(shell);
            FollowPrincipal();
        },
        Keep);
    main("Set_HQ").onClick = Command([this] { management::ShowHeadquarters(shell); }, Keep);
    main("Ana_Odds").onClick = [this] { ShowOdds(shell); };
    main("Ana_Points").onClick = [this] { ShowPoints(shell); };
    main("Ana_Race").onClick = [this] { ShowRaceAnalysis(shell); };
    main("cmdRaceAna").onClick = [this] { ShowRaceAnalysis(shell); };
    // 記録: every state. Only a season's name changes there, which the title then shows as unsaved.
    main("Rec_Champions").onClick = Command([this] { ShowChampions(shell); }, !Keep);
    main("Rec_Past").onClick = [this] { ShowPastSeason(shell); };
    main("Rec_AllTime").onClick = [this] { ShowAllTimeRecords(shell); };
    main("Rec_Driver").onClick = [this] { ShowDriverPage(shell); };
    main("Rec_Team").onClick = [this] { ShowTeamPage(shell); };
    main("Rec_Principal").onClick = [this] { principal::ShowPrincipalPage(shell); };
    shell.ShowDriverRecord = [this](const std::string& name) { ShowDriverPage(shell, name); };
    main("Help_Howto").onClick = [this] { ShowGuide(shell); };
    main("Help_Language", 1).onClick = [this] { ChooseLanguage(shell, Language::Japanese); };
    main("Help_Language", 2).onClick = [this] { ChooseLanguage(shell, Language::English); };
    for (int i = 1; i <= int(std::size(TextSizes)); ++i)
        main("Help_TextSize", i).onClick = [this, i] { ChooseTextSize(shell, TextSizes[i - 1]); };
    main("Help_AltKeys").onClick = [this] { ChooseLetterKeysNeedAlt(shell, !shell.platform.LetterKeysNeedAlt()); };
    main("Help_Ver").onClick = [&platform] {
        FrmMain title;
        platform.ShowModal(title);
    };
}

} // namespace karven
