// The game's file dialogs: they start where the last season was opened or saved, and never read a
// file to draw the list (a special file can block such a read for good).
#include <QAbstractFileIconProvider>
#include <QDir>
#include <QFile>
#include <QMimeDatabase>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "GameUnderTest.h"
#include "ModalDriver.h"
#include "ui/Binder.h"
#include "ui/QtPlatform.h"

using namespace karven;

TEST(FileDialog, StartsInTheFolderOfTheLastSeasonOpenedOrSaved) {
    QTemporaryDir dir;
    ui::Binder binder;
    ui::QtPlatform platform(binder);
    QDir(dir.path()).mkpath("seasons");
    platform.RememberSeasonFile((dir.path() + "/seasons/a.krv").toStdString());
    QFileDialog dialog;
    ui::PrepareFileDialog(dialog, FileDialogMode::Save, "/proc/failed.krv");
    EXPECT_EQ(dialog.directory().absolutePath(), dir.path() + "/seasons");
    // A failed save's folder is not where the next dialog opens; its name is offered again.
    EXPECT_EQ(QFileInfo(dialog.selectedFiles().value(0)).fileName(), "failed.krv");

    // A remembered folder that has gone: the documents folder.
    QDir(dir.path() + "/seasons").removeRecursively();
    EXPECT_EQ(ui::StartFolder(), QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

TEST(FileDialog, FileTypesComeFromNamesNotContents) {
    QTemporaryDir dir;
    QFile pdf(dir.path() + "/report");
    ASSERT_TRUE(pdf.open(QIODevice::WriteOnly));
    pdf.write("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n1 0 obj\n<< >>\nendobj\n");
    pdf.close();
    // Qt's own lookup reads the file to tell it is a PDF; the dialog's must not.
    ASSERT_EQ(QMimeDatabase().mimeTypeForFile(pdf.fileName()).name(), "application/pdf");

    QFileDialog dialog;
    ui::PrepareFileDialog(dialog, FileDialogMode::Open, "");
    ASSERT_NE(dialog.iconProvider(), nullptr);
    QString type = dialog.iconProvider()->type(QFileInfo(pdf.fileName()));
    EXPECT_FALSE(type.contains("PDF", Qt::CaseInsensitive)) << type.toStdString();
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
}

TEST(FileDialog, TheExchangeFolderDialogChoosesFoldersAndStartsWhereTheLastOneWasChosen) {
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("csv");
    ui::RememberExchangeFolder(dir.path() + "/csv");
    QFileDialog dialog;
    ui::PrepareFolderDialog(dialog, "インポートするフォルダー");
    EXPECT_EQ(dialog.windowTitle(), "インポートするフォルダー");
    EXPECT_EQ(dialog.fileMode(), QFileDialog::Directory);
    EXPECT_TRUE(dialog.nameFilters().join(";").contains("*.csv"));
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_NE(dialog.iconProvider(), nullptr); // names only, never contents
    EXPECT_EQ(dialog.directory().absolutePath(), dir.path() + "/csv");
    // A folder that has gone is not where the next one starts.
    QDir(dir.path() + "/csv").removeRecursively();
    QFileDialog again;
    ui::PrepareFolderDialog(again, "x");
    EXPECT_NE(again.directory().absolutePath(), dir.path() + "/csv");
}

TEST(FileDialog, AfterTheDialogTheKeyboardIsOnAControlOfTheMainWindow) {
    test::GameUnderTest g(2);
    g.Start();
    test::Activate(g.window);
    g.window.setFocus(); // as after a menu: the window itself, no control
    test::WhenModal([](QWidget& dialog) { test::PressKey(dialog, Qt::Key_Escape); });
    g.game.shell.main.Click("File_open");
    QApplication::processEvents();
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    EXPECT_EQ(focus->window(), &g.window);
    EXPECT_NE(focus, &g.window) << "a control has it, not the bare window";
}
