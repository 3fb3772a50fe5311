#pragma once
// A season file's bytes opened as the game opens them, and saved again straight after: what a
// damaged or odd file comes to.

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "season/SeasonFile.h"
#include "support/TempDir.h"

namespace karven::test {

struct Reopened {
    Season season;
    ReadNotes notes;
    std::vector<std::string> notices; // what the player was told as the file opened
    std::string resaved;              // the bytes a save writes straight after
};

inline Reopened Reopen(const std::string& bytes) {
    struct Told : LoadDialogue {
        std::vector<std::string> notices;
        void Notice(const std::string& text) override { notices.push_back(text); }
        bool Confirm(const std::string&) override { return true; }
    } told;
    TempDir dir;
    WriteBytes(dir / "in.krv", bytes);
    Reopened r;
    EXPECT_TRUE(ReadSeasonFile(r.season, dir / "in.krv", &r.notes));
    Season loaded;
    EXPECT_EQ(LoadSeasonFile(loaded, dir / "in.krv", told), LoadOk);
    r.notices = told.notices;
    EXPECT_TRUE(WriteSeasonFile(loaded, dir / "out.krv"));
    r.resaved = ReadBytes(dir / "out.krv");
    return r;
}

// The season saved, then opened again.
inline Reopened SavedAndReopened(const Season& season) {
    TempDir dir;
    EXPECT_TRUE(WriteSeasonFile(season, dir / "saved.krv"));
    return Reopen(ReadBytes(dir / "saved.krv"));
}

} // namespace karven::test
