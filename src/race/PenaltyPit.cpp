#include "race/PenaltyPit.h"

#include "race/Anime.h"
#include "race/Board.h"
#include "race/RaceState.h"
#include "season/Numbers.h"
#include "shell/Random.h"
#include "shell/Shell.h"

namespace karven {

namespace {
constexpr int MaxPenalties = 2;
constexpr int PitLaneReasonFrom = 20;
constexpr double PenaltySeconds = 35;
constexpr double PitSeconds = 26;
constexpr int WrongTyreLaps = 8;
constexpr int ChanceLaps = 12;
constexpr int CertainLaps = 15;


} // namespace

void PenaltyStep(RaceState& race, int k) {
    if (!race.evePen || race.PenCount >= MaxPenalties) return;
    Shell& shell = race.shell;
    EntryRecord& car = race.table[k];
    int s = race.Numbers(k).penalty;
    int r1 = shell.random.Roll(s);
    int r2 = shell.random.Roll(s);
    if (r1 != 1 || r2 != 1) return;

    std::string& text = shell.MsgText;
    ShowAnime(race, 5);
    text.clear();
    AppendCaption(text, k, car);
    text += race.lap >= PitLaneReasonFrom ? "ピットレーン速度違反による" : "フライングによる";
    text += CrLf;
    text += "ペナルティが出ました！！";
    Comment(race);

    ShowAnime(race, 6);
    text.clear();
    AppendCaption(text, k, car);
    text += "ペナルティピットイン！！";
    Comment(race);

    SetTime(race, k, race.Numbers(k).time + PenaltySeconds);
    SetPenLap(race, k, true);
    int j = DropBack(race, k);

    ShowAnime(race, 7);
    text.clear();
    AppendNames(text, race.table[j]);
    text += CrLf;
    AppendInt(text, j);
    text += "位で";
    text += CrLf;
    text += "ピットアウトです！！";
    Comment(race);
    ++race.PenCount;
}

void PitStep(RaceState& race, int k) {
    if (!race.evePit || race.Numbers(k).penLap) return;
    Shell& shell = race.shell;
    EntryRecord& car = race.table[k];
    CarNumbers& n = race.Numbers(k);
    int tyreLaps = n.tyreLaps;
    int d = 0;
    if (tyreLaps >= WrongTyreLaps && OnWrongTyres(race, n)) d = shell.random.Roll(2);
    if (tyreLaps >= ChanceLaps) d = shell.random.Roll(3);
    if (tyreLaps >= CertainLaps) d = 1;
    if (d != 1) return;

    std::string& text = shell.MsgText;
    ShowAnime(race, 6);
    text.clear();
    AppendCaption(text, k, car);
    text += "ピットインです！！";
    Comment(race);

    double pitTime = 8 + 5 * shell.random.Next();
    SetTime(race, k, n.time + PitSeconds);
    SetTyreLaps(race, k, 0);
    car.PitCount = FormatPlain(ReadNumber(car.PitCount) + 1);
    // With c = 1 a driver who stops in the lap the weather turned fits the tyres of the weather before.
    int c = shell.random.Roll(n.drvStability);
    bool rainBefore = race.PrevTenkou == 3;
    if (race.Tenkou != 3) SetRainTyre(race, k, c == 1 && rainBefore);
    else SetRainTyre(race, k, !(c == 1 && !rainBefore));
    int j = DropBack(race, k);

    ShowAnime(race, 7);
    text.clear();
    AppendNames(text, race.table[j]);
    text += "ピットタイム ";
    text += Format0_0(pitTime);
    text += " 秒";
    text += CrLf;
    text += CrLf;
    AppendInt(text, j);
    text += "位";
    text += CrLf;
    text += "ピットアウトです！！";
    Comment(race);
}

} // namespace karven
