#pragma once
// karven-sim's platform: every window is acknowledged with its default button at once;
// message windows may be echoed to a stream so a person can read a whole race.

#include <functional>
#include <map>
#include <ostream>
#include <string>

#include "shell/Platform.h"

namespace karven::sim {

class AutoPlatform final : public Platform {
public:
    // echo: where message texts go, or nullptr for none.
    AutoPlatform(std::string appPath, std::ostream* echo) : appPath_(std::move(appPath)), echo_(echo) {}

    void ShowWarning(const std::string& text) override;
    std::string ChooseFile(FileDialogMode, const std::string&, const std::string&) override { return ""; }
    PictureState CheckPicture(const std::string&) override { return PictureState::Loaded; }
    std::string AppPath() override { return appPath_; }
    void EndProgram() override { ended_ = true; }
    bool Announces() override { return false; } // never echoed
    bool Ended() const { return ended_; }

    // The folder of the running executable, with a trailing separator.
    static std::string ExecutableFolder();

    // Answers the windows of that name with `responder` instead of their default button.
    void Answer(const std::string& formName, std::function<void(Form&)> responder) {
        responders_[formName] = std::move(responder);
    }
    // Between these calls a qualifying, a race or a market runs: unless their texts are echoed,
    // their windows are skipped where skipping changes nothing else.
    void SkipUnreadWindows(bool on) { skipUnread_ = on; }

protected:
    void RunModal(Form& form) override;

private:
    void Echo(const std::string& text);

    std::string appPath_;
    std::ostream* echo_;
    bool ended_ = false;
    bool skipUnread_ = false;
    std::map<std::string, std::function<void(Form&)>> responders_;
};

} // namespace karven::sim
