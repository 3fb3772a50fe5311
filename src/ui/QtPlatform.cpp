#include "ui/QtPlatform.h"

#include <QAbstractFileIconProvider>
#include <QApplication>
#include <cmath>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QImageReader>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QSettings>
#include <QSplitter>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyle>
#include <QThread>
#include <QTreeView>

#include "ui/FormView.h"
#include "ui/LetterKeys.h"

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

QString FilterExtension(const std::string& filter) {
    QStringList parts = QString::fromStdString(filter).split('|');
    if (parts.size() < 2) return {};
    QString pattern = parts[1].split(';').first();
    return pattern.startsWith("*.") && pattern.size() > 2 && !pattern.mid(1).contains('*') ? pattern.mid(1) : QString();
}

namespace {
const char* const LastFolderKey = "files/lastFolder";
const char* const ExchangeFolderKey = "files/exchangeFolder";
const char* const LastSeasonKey = "files/lastSeason";

// Icons and type names by the name alone: Qt's own provider asks the MIME database, which reads
// a file's first bytes when its name says nothing, and reading some special files never returns.
class NameOnlyIconProvider : public QAbstractFileIconProvider {
public:
    QIcon icon(IconType type) const override {
        return QApplication::style()->standardIcon(type == Folder ? QStyle::SP_DirIcon : QStyle::SP_FileIcon);
    }
    QIcon icon(const QFileInfo& info) const override { return icon(info.isDir() ? Folder : File); }
    QString type(const QFileInfo& info) const override {
        if (info.isDir()) return QString::fromUtf8(Tr("フォルダー"));
        QString suffix = info.suffix();
        return suffix.isEmpty() ? QString::fromUtf8(Tr("ファイル")) : ToQt(TrF("{1} ファイル", suffix.toUpper().toStdString()));
    }
};

// Qt's own dialog opens too small for its columns: sizes, types and dates come out elided.
void ShowWhole(QFileDialog& dialog) {
    dialog.resize(dialog.size().expandedTo(QSize(780, 480)));
    if (auto* files = dialog.findChild<QTreeView*>("treeView")) {
        QHeaderView* header = files->header();
        header->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int c = 1; c < header->count(); ++c) header->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    }
    if (auto* places = dialog.findChild<QSplitter*>("splitter")) places->setSizes({160, 620});
}
} // namespace

QString StartFolder() {
    QString folder = QSettings().value(LastFolderKey).toString();
    if (!folder.isEmpty() && QFileInfo(folder).isDir()) return folder;
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

void PrepareFileDialog(QFileDialog& dialog, FileDialogMode mode, const std::string& fileName) {
    static NameOnlyIconProvider icons;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontUseCustomDirectoryIcons);
    dialog.setIconProvider(&icons);
    dialog.setAcceptMode(mode == FileDialogMode::Open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(mode == FileDialogMode::Open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QString()); // the game adds ".krv" itself
    dialog.setDirectory(StartFolder());
    // The name last used, in the folder last used successfully: a failed save's folder is not revisited.
    if (!fileName.empty()) dialog.selectFile(QFileInfo(QString::fromStdString(fileName)).fileName());
}

void PrepareFolderDialog(QFileDialog& dialog, const std::string& caption) {
    static NameOnlyIconProvider icons;
    dialog.setWindowTitle(ToQt(caption));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontUseCustomDirectoryIcons);
    dialog.setIconProvider(&icons);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::Directory);
    // The files the game exchanges show in the folders, so the player sees which folder holds them.
    dialog.setNameFilter("CSV / HTML (*.csv *.html)");
    QString last = QSettings().value(ExchangeFolderKey).toString();
    dialog.setDirectory(!last.isEmpty() && QFileInfo(last).isDir() ? last : StartFolder());
}

void RememberExchangeFolder(const QString& folder) { QSettings().setValue(ExchangeFolderKey, folder); }

namespace {
// A file dialog gone (chosen or cancelled), the keyboard is back on a control of the window under it.
struct FocusBack {
    Binder& binder;
    ~FocusBack() {
        if (binder.MainView() && binder.TakesInput(binder.MainWindow())) binder.MainView()->ReturnFocus();
    }
};
} // namespace

std::string QtPlatform::ChooseFolder(const std::string& caption, FolderUse /*use*/) {
    FocusBack back{binder_};
    QFileDialog dialog(binder_.MainWindow());
    PrepareFolderDialog(dialog, caption);
    ShowWhole(dialog);
    binder_.RefreshAll();
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return "";
    QString chosen = dialog.selectedFiles().first();
    RememberExchangeFolder(chosen);
    return chosen.toStdString();
}

std::string QtPlatform::ChooseFile(FileDialogMode mode, const std::string& filter, const std::string& fileName) {
    FocusBack back{binder_};
    QFileDialog dialog(binder_.MainWindow());
    dialog.setNameFilter(ToQtFilter(filter));
    PrepareFileDialog(dialog, mode, fileName);
    ShowWhole(dialog);
    binder_.RefreshAll();
    const QString extension = mode == FileDialogMode::Save ? FilterExtension(filter) : QString();
    for (;;) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return "";
        QString chosen = dialog.selectedFiles().first();
        // The dialog asked about the name as typed; the file written is the one with the extension.
        QString written = chosen + extension;
        if (extension.isEmpty() || chosen.endsWith(extension) || !QFileInfo::exists(written))
            return chosen.toStdString();
        QMessageBox ask(QMessageBox::Warning, dialog.windowTitle(),
                        ToQt(TrF("{1} は既に存在します。\n上書きしますか？", QFileInfo(written).fileName().toStdString())),
                        QMessageBox::Yes | QMessageBox::No, &dialog);
        ask.setDefaultButton(QMessageBox::No);
        if (ask.exec() == QMessageBox::Yes) return chosen.toStdString();
    }
}

PictureState QtPlatform::CheckPicture(const std::string& path) {
    QString file = QString::fromStdString(path);
    if (!QFileInfo(file).isFile()) return PictureState::Missing;
    QImageReader reader(file);
    reader.setDecideFormatFromContent(true);
    return reader.read().isNull() ? PictureState::Unreadable : PictureState::Loaded;
}

std::vector<uint32_t> QtPlatform::PicturePixels(const std::string& path) {
    // Any picture the toolkit reads, not only the game's own bitmaps.
    QImageReader reader(QString::fromStdString(path));
    reader.setDecideFormatFromContent(true);
    const QImage image = reader.read();
    std::vector<uint32_t> pixels;
    pixels.reserve(size_t(image.width()) * size_t(image.height()));
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) pixels.push_back(image.pixel(x, y) & 0xFFFFFF);
    return pixels;
}

std::string QtPlatform::AppPath() {
    return (QCoreApplication::applicationDirPath() + "/").toStdString();
}

std::string QtPlatform::AutosaveFolder() {
    QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return data.isEmpty() ? std::string() : (data + "/karven/autosave").toStdString();
}

void QtPlatform::ShowStatus(const std::string& text) {
    if (QMainWindow* main = binder_.MainWindow()) main->statusBar()->showMessage(ToQt(text));
}

std::string QtPlatform::LastSeasonFile() { return QSettings().value(LastSeasonKey).toString().toStdString(); }

void QtPlatform::RememberSeasonFile(const std::string& path) {
    QSettings().setValue(LastSeasonKey, QFileInfo(QString::fromStdString(path)).absoluteFilePath());
    QSettings().setValue(LastFolderKey, QFileInfo(QString::fromStdString(path)).absolutePath());
}

namespace {
const char* const LanguageKey = "language";
} // namespace

Language StartLanguage() {
    QString chosen = QSettings().value(LanguageKey).toString();
    if (!chosen.isEmpty()) return LanguageOfCode(chosen.toStdString());
    return QLocale::system().language() == QLocale::Japanese ? Language::Japanese : Language::English;
}

int QtPlatform::TextSize() { return int(std::lround(binder_.TextScale() * 100)); }

void QtPlatform::SetTextSize(int percent) { binder_.SetTextScale(percent / 100.0); }

bool QtPlatform::LetterKeysNeedAlt() { return LettersNeedAlt(); }

void QtPlatform::SetLetterKeysNeedAlt(bool on) { SetLettersNeedAlt(on); }

void QtPlatform::LanguageChosen(Language language) {
    QSettings().setValue(LanguageKey, LanguageCode(language));
    if (qtTexts_) QCoreApplication::removeTranslator(qtTexts_.get());
    qtTexts_.reset();
    if (language == Language::Japanese) {
        auto texts = std::make_unique<QTranslator>();
        if (texts->load("qtbase_ja", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            QCoreApplication::installTranslator(texts.get());
            qtTexts_ = std::move(texts);
        }
    }
    binder_.RefreshAll();
}

void QtPlatform::EndProgram() {
    ended_ = true;
    binder_.Shutdown();
    // Before any loop runs, exit() would make every later loop return at once; main looks at
    // Ended() instead.
    if (QThread::currentThread()->loopLevel() > 0) QCoreApplication::exit(0);
}

} // namespace karven::ui
