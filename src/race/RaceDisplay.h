#pragma once
// The race as the player watches it: the board and panel of the main window, and the commentary,
// questions and notices in the message windows.

#include <array>
#include <string>
#include <vector>

#include "race/RaceState.h"
#include "weekend/EntryTables.h"

namespace karven {

class Shell;
struct Control;
struct GpRecord;

class RaceDisplay final : public RaceObserver {
public:
    // `entries`: the grid's entries in grid order (element 0 unused), named as the race names them.
    RaceDisplay(Shell& shell, const RaceWeekend& weekend, int gp, std::vector<EntryRecord> entries);

    bool ConfirmStart(const RaceState& race) override;
    void Picture(const RaceState& race, int kind, int variant) override;
    void Event(const RaceState& race, RaceEvent event, int k, int j) override;
    RaceNotes* Noting() override;

    // The grid's entries as the race names them, in grid order (element 0 unused).
    const std::vector<EntryRecord>& Entries() const { return entries_; }
    // The entry of the car in position k, named as the race names it.
    const EntryRecord& Entry(const RaceState& race, int k) const { return entries_[race.car[k].id]; }
    // imgTenki(1..3): fine, cloudy, rain.
    void ShowWeather(const RaceState& race); // the picture, the chance of rain, and their spoken name
    void LoadWeatherPictures();

private:
    void WriteRows(const RaceState& race, int from, int to);
    void WriteTime(const RaceState& race, int k);
    void StartBoard(const RaceState& race);
    void ShowLap(const RaceState& race);
    void LapTitle(int lap);
    // "k位", the names of the car in position `of`, an empty line; then `tail`; shown.
    void CaptionComment(const RaceState& race, int k, int of, const char* message);
    template <class... A> void CarComment(const RaceState& race, int k, const char* message, const A&... values);
    void Comment();
    void ShowPicture(int kind, int variant);
    void CatchUp(const RaceState& race);

    Shell& shell_;
    const RaceWeekend& weekend_;
    const GpRecord& gp_;
    int N_;
    std::vector<EntryRecord> entries_;
    std::vector<std::string> colorPaths_; // by car id
    std::vector<char> mine_;              // by car id: a car of the team the player runs
    std::string appPath_;
    Control* imgAnime_;
    Control* lblKousui_;
    std::array<Control*, 4> imgTenki_;
    RaceNotes notes_; // what the board owes since the player skipped
};

// The shell's switches and the season's settings for Grand Prix n with this many entered cars.
RaceSetup SetupOf(const Shell& shell, int n, int entryCount);

} // namespace karven
