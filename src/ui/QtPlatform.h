#pragma once
// The game's window platform on Qt: modal forms through the binder, message box, file dialog.

#include <QFileDialog>
#include <QTranslator>
#include <memory>

#include "shell/Platform.h"
#include "ui/BackgroundWork.h"
#include "ui/Binder.h"

namespace karven::ui {

class QtPlatform : public Platform {
public:
    explicit QtPlatform(Binder& binder) : binder_(binder), background_([&binder] { binder.RefreshAll(); }) {}

    void ShowWarning(const std::string& text) override;
    std::string ChooseFile(FileDialogMode mode, const std::string& filter, const std::string& fileName) override;
    std::string ChooseFolder(const std::string& caption, FolderUse use) override;
    PictureState CheckPicture(const std::string& path) override;
    std::vector<uint32_t> PicturePixels(const std::string& path) override;
    std::string AppPath() override;
    void EndProgram() override;
    void StartBackground(BackgroundJob job) override { background_.Start(std::move(job)); }
    void StopBackground() override { background_.Stop(); }
    std::string AutosaveFolder() override;
    void ShowStatus(const std::string& text) override;
    void RememberSeasonFile(const std::string& path) override;
    std::string LastSeasonFile() override;
    void LanguageChosen(Language language) override;
    int TextSize() override;
    void SetTextSize(int percent) override;
    bool LetterKeysNeedAlt() override;
    void SetLetterKeysNeedAlt(bool on) override;

    // True once EndProgram was called, also before the event loop ran.
    bool Ended() const { return ended_; }

protected:
    void RunModal(Form& form) override;

private:
    Binder& binder_;
    std::unique_ptr<QTranslator> qtTexts_; // Qt's own dialogs in Japanese
    bool ended_ = false;
    BackgroundWork background_;
};

// "desc|pattern|desc|pattern|" into Qt's "desc (pattern);;desc (pattern)".
QString ToQtFilter(const std::string& filter);
// The language to start in: the one chosen last, or at the first start English unless the
// system's language is Japanese.
Language StartLanguage();

// The game's file dialogs: they start in the folder of the last season file opened or saved
// (else the documents folder) and never read a file's contents to draw the list, which could
// block for good on a special file such as /proc/kmsg.
void PrepareFileDialog(QFileDialog& dialog, FileDialogMode mode, const std::string& fileName);
// The folder dialog of the exchange files: folders, with the exchange files in them shown, drawn
// as the file dialogs are, starting in the folder chosen last (else where the file dialogs start).
void PrepareFolderDialog(QFileDialog& dialog, const std::string& caption);
// The folder chosen in it, so the next one starts there.
void RememberExchangeFolder(const QString& folder);
// Where the file dialogs start: the remembered folder while it exists, else the documents folder.
QString StartFolder();

// The extension of the filter's first pattern ("*.krv" gives ".krv"); empty when it has none.
QString FilterExtension(const std::string& filter);

} // namespace karven::ui
