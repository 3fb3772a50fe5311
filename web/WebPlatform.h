#pragma once
// The browser's platform services and the C++ half of the page's binder: forms go to the page as
// JSON, the player's clicks and keys come back as events. The core's blocking ShowModal waits on
// the next event through Asyncify, so the rules run as written, one thread, in the page.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "shell/Platform.h"

namespace karven {
class Form;
}

namespace karven::web {

class WebPlatform : public Platform {
public:
    void BindMain(Form& main) { main_ = &main; }
    // The main window is drawn from here on: not behind the title window, before start-up has set
    // its view, as the desktop shows it only after start-up.
    void ShowMain() { mainShown_ = true; }
    // Waits for the player's next event and runs its handler; false once the program has ended.
    bool RunOnce();
    // Every window drawn from its form again.
    void RefreshAll();
    bool Ended() const { return ended_; }
    // Once the program has ended: the page tells the player so and offers a new start, from the
    // rules' start-up or from the newest autosave.
    void ShowEnded();
    // Whether the season holds work the player has not saved: the page asks before it is left.
    std::function<bool()> unsavedWork;

    void ShowWarning(const std::string& text) override;
    std::string ChooseFile(FileDialogMode mode, const std::string& filter, const std::string& fileName) override;
    // A season opened from the player's disk is saved again as a download of the same name.
    std::string SaveInPlacePath(const std::string& seasonFile) override;
    PictureState CheckPicture(const std::string& path) override;
    std::string AppPath() override { return "/karven/"; }
    void EndProgram() override { ended_ = true; }
    void ShowStatus(const std::string& text) override;
    // Remembered by the page for the next visit; the page's own texts follow it.
    void LanguageChosen(Language language) override;
    int TextSize() override;
    void SetTextSize(int percent) override;
    bool LetterKeysNeedAlt() override;
    void SetLetterKeysNeedAlt(bool on) override;
    // Kept in the browser's IndexedDB, shared by the game's tabs: the page loads the folder before
    // the program starts and stores each autosave written there (autosaves.js).
    std::string AutosaveFolder() override { return "/autosave"; }
    // For an export, a folder whose files go to the player as downloads; for an import, a fresh
    // folder holding the CSV files the player picks.
    std::string ChooseFolder(const std::string& caption, FolderUse use) override;
    // The job goes to a Web Worker of the page's (background.js); its answers come back as events.
    void StartBackground(BackgroundJob job) override;
    void StopBackground() override;

protected:
    void RunModal(Form& form) override;

private:
    Form* main_ = nullptr;
    bool mainShown_ = false;
    std::vector<Form*> running_; // the modal windows, innermost last
    bool ended_ = false;
    // The event's form: only the innermost modal window, or the main window when none runs, takes input.
    Form* Target(const std::string& name);
    void Dispatch(const std::string& event);
    // "background\tjob\tanswer" or "background-failed\tjob": true when the event was one.
    bool HearBackground(const std::string& event);
    std::optional<BackgroundJob> background_;
    int backgroundId_ = 0; // the page's number of the job running, 0 none
    // Season files the game wrote into the download folder go to the player as downloads.
    void HandOverDownloads();
    // The autosave folder's names when it was last written back to the browser's storage.
    std::vector<std::string> storedAutosaves_;
    void StoreAutosaves();
};

} // namespace karven::web
