#pragma once
// The イベント menu's switches: pit stops, penalties and weather changes, each on or off. Set for
// the game being played and never saved.

namespace karven {

struct EventSwitches {
    bool pit = true, pen = true, weather = true;
};

} // namespace karven
