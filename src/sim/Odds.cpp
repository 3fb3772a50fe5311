#include "sim/Odds.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "odds/ChampionshipOdds.h"
#include "season/Numbers.h"
#include "season/Translate.h"

namespace karven::sim {

namespace {
// A whole number as a JSON integer while one holds it, as today's output has it.
Json Whole(double value) {
    if (std::fabs(value) < 0x1p63) return (long long)value;
    return value;
}

// printf's "%6.1f", however many digits the value has.
std::string Fixed1(double value) {
    int n = std::snprintf(nullptr, 0, "%6.1f", value);
    std::string text(size_t(n) + 1, '\0');
    std::snprintf(text.data(), text.size(), "%6.1f", value);
    text.pop_back();
    return text;
}

Json EntryToJson(const OddsEntry& e, bool driver) {
    Json j;
    j[driver ? "DrvNo" : "TimNo"] = e.No;
    j[driver ? "DrvNm" : "TimNm"] = e.Nm;
    j["title"] = e.title;
    j["p1"] = e.place[1];
    j["p2"] = e.place[2];
    j["p3"] = e.place[3];
    j["meanPoints"] = e.meanPoints;
    j["p5Points"] = Whole(e.p5Points);
    j["p95Points"] = Whole(e.p95Points);
    if (driver) j["crowned"] = e.crowned;
    return j;
}

std::string Percent(double p) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%5.1f%%", 100 * p);
    return buffer;
}

void PrintTable(std::ostream& out, const char* heading, std::vector<OddsEntry> entries, bool driver) {
    std::stable_sort(entries.begin(), entries.end(), [](const OddsEntry& a, const OddsEntry& b) {
        return a.title != b.title ? a.title > b.title : a.meanPoints > b.meanPoints;
    });
    out << Tr(heading) << Tr("\n  タイトル   2位    3位   平均P (5%-95%)") << (driver ? Tr("  王座") : "") << "\n";
    for (const OddsEntry& e : entries) {
        std::string points = Fixed1(e.meanPoints) + " (" + FormatPlain(e.p5Points) + "-" + FormatPlain(e.p95Points) + ")";
        out << "  " << Percent(e.title) << " " << Percent(e.place[2]) << " " << Percent(e.place[3]) << " " << points;
        if (driver) out << " " << Percent(e.crowned);
        out << "  " << e.Nm << "\n";
    }
}
} // namespace

Json OddsToJson(const OddsResult& odds) {
    Json drivers = Json::array(), teams = Json::array();
    for (const OddsEntry& e : odds.drivers) drivers.push_back(EntryToJson(e, true));
    for (const OddsEntry& e : odds.teams) teams.push_back(EntryToJson(e, false));
    return {{"runs", odds.runs}, {"drivers", drivers}, {"teams", teams}};
}

void PrintOdds(std::ostream& out, const OddsResult& odds) {
    out << TrF("チャンピオン予想 ({1} 回の試算)\n", odds.runs);
    PrintTable(out, "ドライバー", odds.drivers, true);
    PrintTable(out, "コンストラクター", odds.teams, false);
    out << "\n";
}

} // namespace karven::sim
