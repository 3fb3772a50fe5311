#include "standings/TitleText.h"

#include <algorithm>

#include "season/Numbers.h"
#include "season/Translate.h"
#include "standings/TitleField.h"
#include "standings/TitleRace.h"

namespace karven {

namespace {
std::string Joined(const std::vector<std::string>& parts) {
    std::string out;
    for (size_t i = 0; i < parts.size(); ++i) out += (i ? Tr("、") : "") + parts[i];
    return out;
}

// The places a unit's cars take in a race of the witness, best first (running cars only).
std::vector<int> PlacesOf(const TitleField& f, const WitnessRace& race, int unit) {
    std::vector<int> places;
    for (size_t k = 0; k < race.order.size(); ++k) {
        if (race.retiredFrom && int(k) + 1 >= race.retiredFrom) break;
        int d = race.order[k];
        for (int c = 0; c < f.Cars(); ++c)
            if (f.entrantDriver[c] == d && f.entrantUnit[c] == unit) places.push_back(int(k) + 1);
    }
    return places;
}

// The contender's own part, either to go on ("…し") or to end the sentence ("…すれば").
std::string OwnPart(const TitleField& f, const TitleChance& chance, bool goesOn) {
    if (chance.witness.empty()) return goesOn ? Tr("確定した結果のまま") : Tr("確定した結果のままなら");
    int first = chance.witness.front().gp;
    int n = int(chance.witness.size());
    std::vector<std::vector<int>> places;
    for (const WitnessRace& race : chance.witness) places.push_back(PlacesOf(f, race, chance.unit));
    bool same = std::all_of(places.begin(), places.end(), [&](const std::vector<int>& p) { return p == places[0]; });
    if (same && places[0] == std::vector<int>{1}) {
        if (n == 1) return goesOn ? TrF("第{1}戦で優勝し", first) : TrF("第{1}戦で優勝すれば", first);
        return goesOn ? TrF("第{1}戦から全勝し", first) : TrF("第{1}戦から全勝すれば", first);
    }
    if (same && places[0] == std::vector<int>{1, 2})
        return goesOn ? TrF("第{1}戦から毎戦1-2フィニッシュし", first) : TrF("第{1}戦から毎戦1-2フィニッシュすれば", first);
    // Otherwise in runs of races alike: "第9戦2位、第10戦から全勝".
    std::vector<std::string> each;
    for (size_t r = 0; r < places.size();) {
        size_t end = r;
        while (end + 1 < places.size() && places[end + 1] == places[r]) ++end;
        int from = chance.witness[r].gp, to = chance.witness[end].gp;
        std::string place = places[r].empty() ? std::string("-") : TrF("{1}位", places[r][0]);
        if (end == r) each.push_back(TrF("第{1}戦{2}", from, place));
        else if (end + 1 == places.size() && places[r] == std::vector<int>{1}) each.push_back(TrF("第{1}戦から全勝", from));
        else each.push_back(TrF("第{1}〜{2}戦は毎戦{3}", from, to, place));
        r = end + 1;
    }
    return goesOn ? TrF("{1}で", Joined(each)) : TrF("{1}なら", Joined(each));
}

std::string RivalPart(const TitleField& f, const TitleChance& chance, const HeldRival& rival) {
    int best = 0;
    bool retiredAll = !chance.witness.empty();
    for (const WitnessRace& race : chance.witness) {
        std::vector<int> p = PlacesOf(f, race, rival.unit);
        if (!p.empty() && (best == 0 || p[0] < best)) best = p[0];
        if (!race.retiredFrom) retiredAll = false;
    }
    int scoring = 0; // the best he scores in the witness
    if (best) scoring = f.scale[best];
    if (!best || scoring == 0) return retiredAll ? TrF("{1}が毎戦リタイア", rival.Nm) : TrF("{1}が無得点", rival.Nm);
    // "5位以下" is a promise only when it holds him below what he may take.
    int64_t perRace = 0;
    for (int k = best; k < best + f.cars[rival.unit] && k < int(f.scale.size()); ++k) perRace += f.scale[k];
    if (perRace * int64_t(chance.witness.size()) <= rival.cap) return TrF("{1}が毎戦{2}位以下", rival.Nm, best);
    return TrF("{1}の得点が{2}点以下", rival.Nm, rival.cap);
}
} // namespace

std::string WitnessText(const TitleField& field, const TitleChance& chance, const std::vector<HeldRival>& held) {
    constexpr size_t Named = 3;
    if (held.empty()) return OwnPart(field, chance, false);
    std::vector<std::string> parts;
    for (size_t i = 0; i < held.size() && i < Named; ++i) parts.push_back(RivalPart(field, chance, held[i]));
    if (held.size() > Named) parts.push_back(TrF("ほか{1}者も抑えられる", int(held.size() - Named)));
    return TrF("{1}、{2}なら", OwnPart(field, chance, true), Joined(parts));
}

std::string NoSeatText() { return Tr("シートがなく、評価ポイントを得られない"); }
std::string NoPointsText() { return Tr("ポイントを獲得できない"); }
std::string ChampionText() { return Tr("タイトル決定"); }

std::string OutOfReachText(const std::string& rival, double shortBy) {
    if (shortBy <= 0) return TrF("最高の結果でも{1}と同点までで、同点では{1}が上位", rival);
    return TrF("最高の結果でも{1}に{2}点届かない", rival, FormatPlain(shortBy));
}

std::string CannotHoldAllText(const std::vector<std::string>& rivals, double shortBy) {
    return TrF("最高の結果でも{1}の全員は抑えられない（あと{2}点足りない）", Joined(rivals), FormatPlain(shortBy));
}

} // namespace karven
