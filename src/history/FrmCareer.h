#pragma once
// A driver's or a team's page: everyone on record in a list, and the chosen one's seasons with
// their totals.

#include <string>
#include <utility>
#include <vector>

#include "season/History.h"
#include "shell/Form.h"

namespace karven {

class Shell;

class FrmCareer : public Form {
public:
    enum class Kind { Driver, Team };
    FrmCareer(Shell& shell, Kind kind, const std::string& name);
    void Load() override;

private:
    void ShowChosen();
    // A driver's age and ratings in a season, as the world kept them ("" without the world).
    std::pair<std::string, std::string> RatingsOf(const std::string& DrvNm, const ArchivedSeason& season, bool now) const;

    Shell& shell_;
    Kind kind_;
    std::string first_;
    std::vector<ArchivedSeason> seasons_;
    std::vector<std::string> names_;
    bool showsRatings_ = false;
};

} // namespace karven
