// A season from the input, opened, played for one Grand Prix (and the market once the season is
// over) and saved, as a player answering every window with its default button would.
#include "FuzzSupport.h"
#include "app/Game.h"
#include "offseason/FrmKarvenOff.h"
#include "season/Numbers.h"
#include "season/SeasonFile.h"
#include "season/Utf8.h"
#include "shell/Form.h"
#include "shell/Platform.h"
#include "shell/Random.h"
#include "shell/SeasonFiles.h"

using namespace karven;
using namespace karven::fuzz;

namespace {
class FuzzPlatform final : public Platform {
public:
    std::string file; // what the file dialog answers
    int warnings = 0;

    void ShowWarning(const std::string&) override { ++warnings; }
    std::string ChooseFile(FileDialogMode, const std::string&, const std::string&) override { return file; }
    PictureState CheckPicture(const std::string&) override { return PictureState::Loaded; }
    std::string AppPath() override { return ScratchFolder() + "/"; }
    void EndProgram() override {}

protected:
    void RunModal(Form& form) override {
        if (form.Name() == FrmKarvenOff::FormName) {
            form.Click("cmdStart");
            form.Click("cmdOK");
        } else if (!form.defaultButton.empty()) {
            form.Click(form.defaultButton);
        }
        if (!form.IsClosed()) form.QueryClose();
        form.Close();
    }
};

bool AllValidUtf8(const Season& s) {
    bool valid = Utf8IsValid(s.Sis.GpCount + s.Sis.SyuCount + s.Sis.NinCount + s.Sis.EndGp + s.DrvCount + s.TimCount);
    for (const GpRecord& g : s.GpTable) valid = valid && Utf8IsValid(g.GpNo + g.GpNm + g.CourseType);
    for (const TimRecord& t : s.TimTable)
        valid = valid && Utf8IsValid(t.TimNo + t.TimNm + t.ColorNo + t.Speed + t.Aero + t.Stability + t.Points);
    for (const DrvRecord& d : s.DrvTable) {
        std::string all = d.DrvNo + d.TimNo + d.DrvNm + d.Technique + d.Roughness + d.Block + d.Stability + d.CareerGp +
                          d.CareerWc + d.CareerWins + d.CareerPp + d.CareerFl + d.CareerBest + d.CareerPoints;
        for (const std::string& r : d.Result) all += r;
        valid = valid && Utf8IsValid(all);
    }
    return valid;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzPlatform platform;
    GameRandom random(20261208);
    Game game(platform, random);
    Shell& shell = game.shell;
    game.season = Sentinel();
    SeasonSaved(shell, ""); // nothing unsaved: Open goes straight to the file

    platform.file = WriteInput(data, size);
    OpenSeasonFile(shell);
    if (platform.warnings > 0) {
        Require(game.season == Sentinel(), "a failed open leaves the season untouched");
        return 0;
    }
    CheckAccepted(game.season);

    const int gps = ReadCount(game.season.Sis.GpCount);
    const int before = ReadCount(game.season.Sis.EndGp);
    shell.main.Click("cmdYosen");
    shell.main.Click("cmdKesyou");
    const int after = ReadCount(game.season.Sis.EndGp);
    Require(after == before || after == before + 1, "a Grand Prix moves the season on by one");
    Require(after <= gps, "no Grand Prix beyond the calendar");
    if (after > before && after == gps) Require(shell.main("cmdOffSis").enabled, "the last race ends the season");
    if (shell.main("cmdOffSis").enabled) {
        shell.main.Click("cmdOffSis");
        Require(ReadCount(game.season.Sis.EndGp) == 0, "the market starts a new season");
    }
    Require(AllValidUtf8(game.season), "every value played is text");

    platform.file = ScratchFolder() + "/played.krv";
    SaveSeasonFile(shell);
    Require(platform.warnings == 0, "a played season saves");
    Season back;
    Require(ReadSeasonFile(back, platform.file), "a played season reads back");
    Season expected = game.season;
    for (int g = 1; g < int(expected.GpTable.size()); ++g) expected.GpTable[g].GpNo = Format00(g);
    Require(back == expected, "a played season reads back equal");
    return 0;
}
