#pragma once
// The analysis windows in the browser: what each shows, put together here from the core's data and
// handed to the page (analysis.js) as JSON; the page's choices come back as events and are answered
// the same way. The odds themselves are played in a Web Worker (OddsWorker.cpp) on the season's bytes.

#include <string>
#include <vector>

#include "shell/Platform.h"
#include "standings/TitleField.h"

namespace karven {
class Shell;
}

namespace karven::web {

class AnalysisSession {
public:
    AnalysisSession(Analysis kind, Shell& shell) : kind_(kind), shell_(shell) {}
    // The window as it opens.
    std::string Open();
    // An event of the window, its fields after "analysis": the update to draw, "" for none.
    std::string Handle(const std::vector<std::string>& fields);

    // Where the season is written for the odds worker.
    static constexpr const char* SeasonPath = "/tmp/odds-season.krv";

private:
    std::string OddsWindow();
    std::string OddsUpdate(const std::string& problem);

    Analysis kind_;
    Shell& shell_;
    std::vector<FixedResult> fixed_;
};

} // namespace karven::web
