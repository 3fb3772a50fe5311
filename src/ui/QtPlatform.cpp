#include "ui/QtPlatform.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageReader>
#include <QMessageBox>
#include <QThread>

#include "ui/FormView.h"
#include "ui/analysis/Analysis.h"

namespace karven::ui {

QString ToQtFilter(const std::string& filter) {
    QStringList parts = QString::fromStdString(filter).split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty() && parts[i + 1].isEmpty()) continue;
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        // A description that already names its patterns, as the game's does, is shown as it is.
        QString shown = "(" + patterns + ")";
        filters << (parts[i].endsWith(shown) ? parts[i] : parts[i] + " " + shown);
    }
    return filters.join(";;");
}

void QtPlatform::RunModal(Form& form) {
    if (ended_) return;
    binder_.RunDialog(form);
}

void QtPlatform::ShowWarning(const std::string& text) {
    QMessageBox box(QMessageBox::Warning, "KARVEN", ToQt(text), QMessageBox::Ok, binder_.MainWindow());
    box.exec();
}

std::string QtPlatform::ChooseFile(FileDialogMode mode, const std::string& filter, const std::string& fileName) {
    QFileDialog dialog(binder_.MainWindow());
    dialog.setNameFilter(ToQtFilter(filter));
    dialog.setAcceptMode(mode == FileDialogMode::Open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(mode == FileDialogMode::Open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QString()); // the game adds ".krv" itself
    if (!fileName.empty()) dialog.selectFile(QString::fromStdString(fileName));
    binder_.RefreshAll();
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return "";
    return dialog.selectedFiles().first().toStdString();
}

PictureState QtPlatform::CheckPicture(const std::string& path) {
    QString file = QString::fromStdString(path);
    if (!QFileInfo(file).isFile()) return PictureState::Missing;
    QImageReader reader(file);
    reader.setDecideFormatFromContent(true);
    return reader.read().isNull() ? PictureState::Unreadable : PictureState::Loaded;
}

std::string QtPlatform::AppPath() {
    return (QCoreApplication::applicationDirPath() + "/").toStdString();
}

void QtPlatform::ShowAnalysis(Analysis analysis, Shell& shell) {
    if (ended_) return;
    binder_.RefreshAll();
    if (analysis == Analysis::Odds) ShowOddsWindow(shell, binder_.MainWindow());
    else ShowPointsWindow(shell, binder_.MainWindow());
}

void QtPlatform::EndProgram() {
    ended_ = true;
    binder_.Shutdown();
    // Before any loop runs, exit() would make every later loop return at once; main looks at
    // Ended() instead.
    if (QThread::currentThread()->loopLevel() > 0) QCoreApplication::exit(0);
}

} // namespace karven::ui
