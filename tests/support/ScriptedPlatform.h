#pragma once
// A platform for tests: every modal window goes to a responder that looks at it and clicks,
// file dialogs and pictures answer from lists, and everything shown is logged.

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "shell/Form.h"
#include "shell/Platform.h"
#include "shell/Random.h"

namespace karven::test {

struct ShownWindow {
    std::string form;    // the form's name
    std::string caption; // its caption when shown
    std::string text;    // lblMsg of a message window, "" otherwise
};

class ScriptedPlatform : public Platform {
public:
    using Responder = std::function<void(Form&)>;

    // Responders for the next windows, in order; when none is queued, `fallback` answers.
    std::deque<Responder> script;
    // Presses the default button (OK, ▼).
    Responder fallback = [](Form& f) { f.Click(f.defaultButton); };

    std::vector<ShownWindow> shown;
    std::vector<std::string> warnings;
    std::deque<std::string> fileAnswers; // "" cancels
    std::vector<FileDialogMode> fileDialogs;
    std::deque<std::string> folderAnswers; // "" cancels
    std::vector<std::string> folderDialogs; // their captions
    std::vector<FolderUse> folderUses;       // and what each was for
    std::map<std::string, PictureState> pictures; // files not listed are `otherPictures`
    PictureState otherPictures = PictureState::Loaded;
    std::string appPath = "/opt/karven/";
    bool ended = false;
    std::string autosaveFolder; // "" keeps none
    std::vector<std::string> statuses;
    std::vector<std::string> remembered;
    // The background job started last, kept for the test to run (or not): nothing runs by itself.
    std::optional<BackgroundJob> background;
    int backgroundStops = 0;

    void ShowWarning(const std::string& text) override { warnings.push_back(text); }
    std::string ChooseFile(FileDialogMode mode, const std::string& filter, const std::string& fileName) override;
    std::string ChooseFolder(const std::string& caption, FolderUse use) override;
    PictureState CheckPicture(const std::string& path) override;
    std::string AppPath() override { return appPath; }
    void EndProgram() override { ended = true; }
    std::string AutosaveFolder() override { return autosaveFolder; }
    void ShowStatus(const std::string& text) override { statuses.push_back(text); }
    void RememberSeasonFile(const std::string& path) override { remembered.push_back(path); }
    std::string lastSeasonFile; // "" remembers none
    std::string LastSeasonFile() override { return lastSeasonFile; }
    void StartBackground(BackgroundJob job) override { background = std::move(job); }
    void StopBackground() override {
        background.reset();
        ++backgroundStops;
    }

    // Queues answers to the next question windows: true OK, false Cancel.
    void Answer(std::initializer_list<bool> answers);
    // Texts of the message windows shown so far.
    std::vector<std::string> Texts() const;

protected:
    void RunModal(Form& form) override;
};

// Returns the given numbers in order, then `after` forever.
class ScriptedRandom : public Random {
public:
    explicit ScriptedRandom(std::vector<double> values = {}, double after = 0.5)
        : values_(values.begin(), values.end()), after_(after) {}
    void Reseed() override { ++reseeds; }
    void Push(std::initializer_list<double> values) { values_.insert(values_.end(), values); }
    // What every draw gives once the scripted ones are used up.
    void After(double value) { after_ = value; }
    size_t Remaining() const { return values_.size(); }
    int draws = 0;
    int reseeds = 0;

protected:
    // One value at a time, so that every draw is counted and comes from the script.
    void Refill() override;

private:
    std::deque<double> values_;
    double after_;
    double served_ = 0;
};

// r that makes Roll(x) come out as `roll` (1-based).
double RollValue(int roll, int x);

} // namespace karven::test
