#include "race/LapLoop.h"

#include <cmath>

#include "race/Anime.h"
#include "race/Board.h"
#include "race/PenaltyPit.h"
#include "race/RaceStart.h"
#include "race/RaceState.h"
#include "season/Numbers.h"
#include "season/Season.h"
#include "shell/FrmKarvenRace.h"
#include "shell/Random.h"
#include "shell/Shell.h"

namespace karven {

namespace {

// The lap time's random terms are single precision; never let the rounding reach 1.
double SingleR(Random& random) {
    float r = float(random.Next());
    return r < 1.0f ? r : std::nextafter(1.0f, 0.0f);
}

// Whether the rolls retire the car at this race distance.
bool Breaks(RaceState& race, int s) {
    Random& random = race.shell.random;
    int r1 = random.Roll(s);
    int r2 = random.Roll(s);
    int r3 = random.Roll(s);
    if (race.syuValue == 5) return (random.Roll(2) == 1) & (r1 == 1);
    if (race.syuValue == 10) return r1 == 1 && r2 == 1;
    if (race.syuValue == 20) return (random.Roll(5) <= 3) & (r1 == 1 && r2 == 1);
    if (race.syuValue == 40) return r1 == 1 && r2 == 1 && r3 == 1;
    return false;
}
} // namespace

bool ReliabilityStep(RaceState& race, int k) {
    if (!Breaks(race, race.Numbers(k).reliability)) return true;
    int j = Retire(race, k);
    ShowAnime(race, 4);
    std::string& text = race.shell.MsgText;
    text.clear();
    AppendCaption(text, k, race.table[j]);
    text += "リタイアだあ！！";
    Comment(race);
    return !race.Numbers(k).retired;
}

void LapTimeStep(RaceState& race, int k) {
    EntryRecord& car = race.table[k];
    CarNumbers& n = race.Numbers(k);
    double t = n.courseFactor;
    if (n.rainTyre && race.Tenkou != 3) t += 5;
    if (!n.rainTyre && race.Tenkou == 3) t += 10;
    t += SingleR(race.shell.random) * n.aero;
    t += SingleR(race.shell.random) * n.technique;
    SetTime(race, k, n.time + t);
    if (k <= GridRows) race.main.lbl(4, k).text = car.Time;
    if (race.FlTime > t) {
        race.FlTime = t;
        race.FlDrvNo = car.DrvNo;
        std::string& text = race.shell.MsgText;
        text.clear();
        AppendCaption(text, k, car);
        text += "ＦＬが出ました！！";
        Comment(race);
    }
}

void JumpStartStep(RaceState& race, int k) {
    Random& random = race.shell.random;
    EntryRecord& car = race.table[k];
    const CarNumbers& n = race.Numbers(k);
    if (random.Roll(n.technique) != 1) return;
    if (random.Roll(n.roughness) == 1) return;
    ShowAnime(race, 8);
    std::string& text = race.shell.MsgText;
    text.clear();
    AppendCaption(text, k, car);
    text += "スタートでジャンプアップだあ！";
    Comment(race);
    int g = random.Roll(5);
    if (k - g < 1) g = k - 1;
    Jump(race, k, g);
}

void OvertakingStep(RaceState& race, int k) {
    Random& random = race.shell.random;
    EntryRecord& a = race.table[k - 1];
    EntryRecord& b = race.table[k];
    CarNumbers& na = race.Numbers(k - 1);
    bool wrong = OnWrongTyres(race, na);
    CarNumbers& nb = race.Numbers(k);
    int attack = wrong ? 1 : random.Roll(nb.roughness);
    if (attack != 1 || !(na.time > nb.time)) return;

    ShowAnime(race, 8);
    std::string& text = race.shell.MsgText;
    text.clear();
    AppendCaption(text, k, b);
    text += random.Roll(2) == 1 ? "インからいったー！！" : "アウトからいったー！！";
    Comment(race);

    int block = wrong ? 2 : random.Roll(na.block);
    text.clear();
    if (block == 1) {
        text += "しかし！！";
        text += CrLf;
        AppendNames(text, a);
        text += CrLf;
        text += "ブロックしたあ！！";
        b.Time = a.Time;
        nb.time = na.time;
        if (k <= GridRows) race.main.lbl(4, k).text = b.Time;
    } else {
        AppendCaption(text, k - 1, a);
        text += "を抜いたあ！！";
        Swap(race, k);
    }
    Comment(race);
}

void RunLaps(RaceState& race) {
    for (int lap = 1; lap <= race.syuCount; ++lap) {
        race.lap = lap;
        TopOfLap(race, lap);
        for (int k = 1; k <= race.nin; ++k) {
            if (race.Numbers(k).retired) continue;
            SetTyreLaps(race, k, race.Numbers(k).tyreLaps + 1);
            if (race.Numbers(k).penLap) SetPenLap(race, k, false);
            // A step that moves the car hands the rest of the lap to the car that now stands in k.
            PenaltyStep(race, k);
            if (race.Numbers(k).retired) continue;
            PitStep(race, k);
            if (race.Numbers(k).retired || race.Numbers(k).penLap) continue;
            if (!ReliabilityStep(race, k)) continue;
            if (race.Numbers(k).penLap) continue;
            LapTimeStep(race, k);
            if (k >= 2) {
                if (lap == 1) JumpStartStep(race, k);
                else OvertakingStep(race, k);
            }
        }
    }
}

} // namespace karven
