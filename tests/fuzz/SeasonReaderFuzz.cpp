// The current-layout reader, and LoadSeasonFile choosing between the readers.
#include "FuzzSupport.h"
#include "season/SeasonFile.h"

using namespace karven;
using namespace karven::fuzz;

namespace {
// Answers the old-layout question by the input's last byte, so both answers are tried.
struct Dialogue : LoadDialogue {
    bool ok = true;
    void Notice(const std::string&) override {}
    bool Confirm(const std::string&) override { return ok; }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = WriteInput(data, size);

    Season season = Sentinel();
    ReadNotes notes;
    if (ReadSeasonFile(season, path, &notes)) {
        CheckAccepted(season);
        CheckTail(season, data, size, false);
        CheckAdditionsKept(season, notes, size);
    } else {
        Require(season == Sentinel(), "a failed read leaves the season untouched");
    }

    Season loaded = Sentinel();
    Dialogue dialogue;
    dialogue.ok = size > 0 && (data[size - 1] & 1);
    int code = LoadSeasonFile(loaded, path, dialogue);
    Require(code == LoadOk || code == LoadFailed || code == LoadDeclined, "a known load code");
    if (code == LoadOk)
        CheckAccepted(loaded);
    else
        Require(loaded == Sentinel(), "a failed or declined load leaves the season untouched");
    return 0;
}
