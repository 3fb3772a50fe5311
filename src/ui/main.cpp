// KARVEN: the game window.

#include <QApplication>
#include <QFontDatabase>
#include <QMainWindow>

#include "app/Game.h"
#include "shell/Random.h"
#include "ui/Binder.h"
#include "ui/QtPlatform.h"

namespace {
// The texts are Japanese whatever the locale, so the font is chosen rather than left to it.
void ChooseJapaneseFont(QApplication& app) {
    const QStringList families = QFontDatabase::families();
    for (const char* name : {"IPAGothic", "IPAゴシック", "Noto Sans CJK JP"}) {
        if (families.contains(QString::fromUtf8(name))) {
            QFont font(QString::fromUtf8(name));
            font.setPointSize(10);
            app.setFont(font);
            return;
        }
    }
}
} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // QSettings and the data folders: ~/.config/karven/, ~/.local/share/karven/.
    QCoreApplication::setOrganizationName("karven");
    QCoreApplication::setApplicationName("karven");
    ChooseJapaneseFont(app);
    // The game's catalogue beside the program; the language the player chose, or at the very first
    // start the system's: Japanese for a Japanese desktop, English for any other.
    // (The system's language is read first: the catalogue sets LANGUAGE, which Qt would read too.)
    const karven::Language language = karven::ui::StartLanguage();
    karven::OpenCatalogue((QCoreApplication::applicationDirPath() + "/locale").toStdString());
    karven::SetLanguage(language);

    karven::ui::Binder binder;
    karven::ui::QtPlatform platform(binder);
    platform.LanguageChosen(karven::CurrentLanguage()); // Qt's own dialogs in it too
    karven::GameRandom random;
    karven::Game game(platform, random);
    binder.BindMain(game.shell.main);

    if (!game.StartUp() || platform.Ended()) return 0;
    binder.RefreshAll();
    binder.ShowMain();
    game.OfferToContinue();
    if (platform.Ended()) return 0;
    binder.RefreshAll();
    return app.exec();
}
