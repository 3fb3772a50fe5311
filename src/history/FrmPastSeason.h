#pragma once
// 過去のシーズン: a season of the history as it closed, view by view: the drivers' and the
// constructors' standings, its races, the market's moves, and its results table.

#include <vector>

#include "season/History.h"
#include "shell/Form.h"
#include "standings/Seiseki.h"

namespace karven {

class Shell;

class FrmPastSeason : public Form {
public:
    enum class View { Drivers, Constructors, Races, Moves };
    FrmPastSeason(Shell& shell, int number);
    void Load() override;

    void Show(View view);
    void Page(int step);

private:
    const ArchivedSeason* Current() const;
    void OpenPage();

    Shell& shell_;
    int number_;
    size_t at_ = 0;
    View view_ = View::Drivers;
    std::vector<ArchivedSeason> seasons_;
};

// The results table of a closed season, as the season results window draws it.
SeisekiTable ArchivedSeiseki(const ArchivedSeason& season);

} // namespace karven
