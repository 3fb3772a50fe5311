#pragma once
// レース分析: how a Grand Prix of the season unfolded, from its lap records: the lap chart, the
// gaps to the leader and the race report, for the race chosen in the drop-down (the race run last
// at first). It never changes the season.

#include "shell/Form.h"
#include "shell/TabPages.h"

namespace karven {

class Shell;

class FrmRaceAnalysis : public Form {
public:
    explicit FrmRaceAnalysis(Shell& shell);

private:
    void ShowRace(int index);
    void FitGaps(); // the gap chart's scale to the cars checked

    Shell& shell_;
    TabPages pages_;
    int shown_ = -1;
};

// Modal over the main window.
void ShowRaceAnalysis(Shell& shell);

} // namespace karven
