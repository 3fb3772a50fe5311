#pragma once
// The title odds as work done beside the windows: what to count and what came of it, as text that
// crosses to a thread or to the browser's worker and back, and the counting itself.

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "odds/ChampionshipOdds.h"

namespace karven {

struct OddsRequest {
    std::string season; // the season file's bytes
    EventSwitches switches;
    uint64_t seed = 0;
    int runs = 0;
    int threads = 1;
    int stopAfterMs = 0; // answer with the runs played by then; 0 no limit
    std::vector<FixedResult> fixed;
};

struct OddsAnswer {
    enum class State { Partial, Final, Unreadable }; // Unreadable: the season did not read back
    State state = State::Final;
    int elapsedMs = 0;
    OddsResult odds;
};

std::string OddsRequestText(const OddsRequest& request);
bool ReadOddsRequest(const std::string& text, OddsRequest& request);
std::string OddsAnswerText(const OddsAnswer& answer);
bool ReadOddsAnswer(const std::string& text, OddsAnswer& answer);

// Plays the request's odds, telling the figures block by block and at the end (the runs played
// when `stop` was set or the time was up).
void CountOdds(const std::string& request, const std::function<void(const std::string&)>& tell,
               const std::atomic<bool>& stop);

} // namespace karven
