#pragma once
// The game's window platform on Qt: modal forms through the binder, message box, file dialog.

#include "shell/Platform.h"
#include "ui/Binder.h"

namespace karven::ui {

class QtPlatform : public Platform {
public:
    explicit QtPlatform(Binder& binder) : binder_(binder) {}

    void ShowWarning(const std::string& text) override;
    std::string ChooseFile(FileDialogMode mode, const std::string& filter, const std::string& fileName) override;
    PictureState CheckPicture(const std::string& path) override;
    std::string AppPath() override;
    void EndProgram() override;
    void ShowAnalysis(Analysis analysis, Shell& shell) override;

    // True once EndProgram was called, also before the event loop ran.
    bool Ended() const { return ended_; }

protected:
    void RunModal(Form& form) override;

private:
    Binder& binder_;
    bool ended_ = false;
};

// "desc|pattern|desc|pattern|" into Qt's "desc (pattern);;desc (pattern)".
QString ToQtFilter(const std::string& filter);
// The extension of the filter's first pattern ("*.krv" gives ".krv"); empty when it has none.
QString FilterExtension(const std::string& filter);

} // namespace karven::ui
