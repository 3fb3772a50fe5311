#pragma once
// 通算記録: the top ten of every record over the history and the season in progress.

#include <vector>

#include "history/Records.h"
#include "shell/Form.h"

namespace karven {

class Shell;

class FrmAllTime : public Form {
public:
    explicit FrmAllTime(Shell& shell);
    void Load() override;

    // The tables in the order of the list: the category, whether it ranks teams, its entries.
    struct Table {
        std::string category;
        bool teams = false;
        std::vector<RankedEntry> entries;
    };
    const std::vector<Table>& Tables() const { return tables_; }

private:
    void ShowChosen();
    void OpenPage();

    Shell& shell_;
    std::vector<Table> tables_;
};

// Every table of the window, computed from the seasons on record.
std::vector<FrmAllTime::Table> AllTimeTables(const std::vector<ArchivedSeason>& seasons);

} // namespace karven
