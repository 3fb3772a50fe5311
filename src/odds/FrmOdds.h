#pragma once
// チャンピオン予想: the rest of the season played out many times beside the window, the title
// odds as bars as the figures come in, the exact title race, and a what-if that fixes the first
// places of coming Grands Prix. Once no Grand Prix is left, the final standings instead. It never
// changes the season.

#include <optional>
#include <vector>

#include "odds/OddsCount.h"
#include "shell/Form.h"
#include "shell/TabPages.h"
#include "standings/TitleRace.h"

namespace karven {

class Shell;

class FrmOdds : public Form {
public:
    explicit FrmOdds(Shell& shell);
    ~FrmOdds() override;
    void QueryClose() override { Leave(); }
    // The request of the odds counted last ("" none) and whether they are still being counted.
    const std::string& Request() const { return request_; }
    bool Counting() const { return counting_; }

    static constexpr int MaxRuns = 20000;
    static constexpr int AnswerWithinMs = 2000; // the player waits about this long; fewer runs if need be

private:
    void BuildOpen(int top);
    void BuildDecided(int top);
    void Start();   // the odds of the future fixed so far
    void Heard(const std::string& answer);
    void Finish(const std::optional<OddsResult>& odds);
    void Failed(const std::string& why);
    void Stop();
    void Leave();
    void Fix();
    void Clear();
    void ShowOdds(const OddsResult* odds);
    void ShowTitleRace();

    Shell& shell_;
    TabPages pages_;
    std::vector<FixedResult> fixed_;
    std::vector<TitleRace> judged_; // the title race of the fixed future, by Title
    std::string request_;
    bool counting_ = false;
    std::optional<OddsResult> partial_; // the figures so far
};

// Modal over the main window.
void ShowOdds(Shell& shell);

} // namespace karven
