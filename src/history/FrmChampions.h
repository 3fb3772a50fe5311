#pragma once
// 歴代チャンピオン: one row per season closed, the season in progress last.

#include <vector>

#include "season/History.h"
#include "shell/Form.h"

namespace karven {

class Shell;

class FrmChampions : public Form {
public:
    explicit FrmChampions(Shell& shell);
    void Load() override;

    // The rows of the table, for a season list that ends with the one in progress when it has begun.
    static std::vector<std::vector<std::string>> Rows(const std::vector<ArchivedSeason>& seasons, size_t archived);

private:
    void Fill();
    int Chosen() const;

    Shell& shell_;
    std::vector<ArchivedSeason> seasons_;
};

} // namespace karven
