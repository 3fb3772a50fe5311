#pragma once
// What the game logic needs of a window platform. The Qt front end, the scripted test platform
// and karven-sim's automatic platform implement it.

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "season/Translate.h"

namespace karven {

class Form;
class Shell;

enum class PictureState { Loaded, Missing, Unreadable };
enum class FileDialogMode { Open, Save };
enum class FolderUse { Read, Write };

// Work too long to do between two of the player's keys (the title odds), done beside the windows.
struct BackgroundJob {
    using Tell = std::function<void(const std::string& answer)>;
    // All the work needs, as text: a platform may hand it to a worker of its own (the browser's).
    std::string request;
    // Does the work from the request, telling each answer as it comes (the last one final), and
    // stops soon after `stop` is set. It may run on another thread: it must touch nothing else.
    std::function<void(const std::string& request, const Tell& tell, const std::atomic<bool>& stop)> work;
    Tell heard;                   // each answer, on the windows' thread; the windows are drawn again after it
    std::function<void()> failed; // the platform could not do the work (its worker would not load)
};

class Platform {
public:
    virtual ~Platform() = default;

    // Shows the form modally and returns when it has closed. Runs the form's Load first.
    void ShowModal(Form& form);

    // Platform message box with the warning icon and the title "KARVEN".
    virtual void ShowWarning(const std::string& text) = 0;
    // filter in the "description|pattern|" form; returns the chosen path, "" when cancelled.
    virtual std::string ChooseFile(FileDialogMode mode, const std::string& filter,
                                   const std::string& fileName) = 0;
    // A folder for the files the game exchanges with spreadsheets and browsers; the caption says
    // what it is for, `use` whether the game reads from it or writes into it. "" when cancelled,
    // and where the platform has no folders to offer.
    virtual std::string ChooseFolder(const std::string& /*caption*/, FolderUse /*use*/) { return {}; }
    virtual PictureState CheckPicture(const std::string& path) = 0;
    // The pixels of a picture, 0xRRGGBB row by row (the charts take a machine's colour from them);
    // none where it cannot be read. Every platform reads the game's own bitmaps.
    virtual std::vector<uint32_t> PicturePixels(const std::string& path);
    // The program's folder, ending with the path separator.
    virtual std::string AppPath() = 0;
    // Ends the program after the current handler returns.
    virtual void EndProgram() = 0;
    // Starts the job, ending the one before; its answers reach `heard` while the windows wait for
    // the player. Without a thread to spare, the work is done here and now.
    virtual void StartBackground(BackgroundJob job);
    // Ends the job: no answer of it is heard afterwards.
    virtual void StopBackground() {}
    // The player's own folder for the game's autosaves; "" where the platform keeps none.
    virtual std::string AutosaveFolder() { return {}; }
    // A short note in the main window's status line, for what needs no answer.
    virtual void ShowStatus(const std::string&) {}
    // Whether a window's announcements reach anyone (spoken or shown): where they reach nobody,
    // the game need not put their words together.
    virtual bool Announces() { return true; }
    // The player chose the game's language: remembered for the next start.
    virtual void LanguageChosen(Language) {}
    // A season file opened or saved successfully: the file dialogs start in its folder next time.
    virtual void RememberSeasonFile(const std::string&) {}
    // The season file last opened or saved, for the offer to go on with it at the next start; ""
    // where the platform keeps none.
    virtual std::string LastSeasonFile() { return {}; }
    // Where 上書き保存 writes the season that came from or was saved to `seasonFile`: the file
    // itself, or where the platform hands a saved file over to the player.
    virtual std::string SaveInPlacePath(const std::string& seasonFile) { return seasonFile; }
    // How large every window's text and controls are drawn, in percent (100 to 200); remembered
    // for the next start. A platform that cannot enlarge keeps 100.
    virtual int TextSize() { return 100; }
    virtual void SetTextSize(int /*percent*/) {}
    // The keys that press a command with one letter need Alt with them, so that a letter typed
    // where the player meant to write never starts anything; remembered for the next start.
    virtual bool LetterKeysNeedAlt() { return false; }
    virtual void SetLetterKeysNeedAlt(bool /*on*/) {}

protected:
    virtual void RunModal(Form& form) = 0;
};

// The platform's path separator, which the relative names of data files use.
constexpr char PathSeparator = '/';

} // namespace karven
