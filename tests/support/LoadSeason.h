#pragma once
// Seasons from files for tests that only need them loaded: every question answered OK.

#include <gtest/gtest.h>
#include <string>

#include "season/SeasonFile.h"

namespace karven::test {

struct AcceptingDialogue : LoadDialogue {
    void Notice(const std::string&) override {}
    bool Confirm(const std::string&) override { return true; }
};

inline Season LoadSeason(const std::string& path) {
    Season s;
    AcceptingDialogue dialogue;
    EXPECT_EQ(LoadSeasonFile(s, path, dialogue), LoadOk) << path;
    return s;
}

// Karven.sin as the build puts it beside the programs.
inline Season DefaultSeason() { return LoadSeason(std::string(KARVEN_BIN_DIR) + InitialDataFile); }

} // namespace karven::test
