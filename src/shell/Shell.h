#pragma once
// What every window's logic shares: the season, the platform services, chance, the message
// buffer, the event switches and the main window.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "season/Season.h"
#include "shell/EventSwitches.h"
#include "shell/FrmKarvenRace.h"

namespace karven {

struct Season;
class Platform;
class Random;
class FrmMsgOk;
class FrmMsgOkCancel;
class FrmKarvenMsg;

class Shell {
public:
    Shell(Season& season, Platform& platform, Random& random);
    ~Shell();

    Season& season;
    Platform& platform;
    Random& random;

    std::string MsgText;     // what the next message window shows; lines end with CR LF
    std::string LastComment; // what the last commentary window told, for a player who asks again
    int16_t MsgResult = -1;  // answer of the question window: -1 OK, 0 Cancel

    EventSwitches events; // never saved

    // Comforts beside the rules. While a qualifying or a race shows, its windows offer スキップ:
    // the rest is played without windows and the player lands on the final board.
    bool SkipOffered = false;
    bool SkipRequested = false;
    // 次の判断まで, offered beside スキップ to a team principal: the rest plays without windows as
    // under スキップ, but his own calls are still asked, each with what passed unseen since he last
    // looked at the race.
    bool PlayToDecision = false;
    struct RaceSeen {
        int laps = 0;           // laps complete when he last looked
        size_t retirements = 0; // retirements the race had recorded by then
    } raceSeen;
    // オート実況: commentary windows close by themselves after this many milliseconds; 0 off.
    int AutoAdvanceMs = 0;

    FrmKarvenRace main;

    // A driver's page of the history, season by season; the career records window links to it.
    std::function<void(const std::string& DrvNm)> ShowDriverRecord;

    // The season file last opened or saved ("" for the initial season) and the season as it stood
    // then: whatever differs from it is work the player has not saved.
    std::string SeasonFile;
    Season SavedSeason;

    // The message windows, kept so that a race's hundreds of comments do not rebuild them.
    FrmMsgOk& msgOk();
    FrmMsgOkCancel& msgOkCancel();
    FrmKarvenMsg& msgComment();

private:
    std::unique_ptr<FrmMsgOk> msgOk_;
    std::unique_ptr<FrmMsgOkCancel> msgOkCancel_;
    std::unique_ptr<FrmKarvenMsg> msgComment_;
};

inline const char* const CrLf = "\r\n";

} // namespace karven
