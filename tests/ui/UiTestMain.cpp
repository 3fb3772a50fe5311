// The Qt tests share one application object; the font is fixed so grabs look the same anywhere.
#include <QApplication>
#include <QFontDatabase>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    // Headless unless a test run asks for a real display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Settings and autosaves of the tests stay out of the player's own folders.
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toUtf8());
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName("karven");
    QCoreApplication::setApplicationName("karven");
    if (QFontDatabase::families().contains("IPAGothic")) {
        QFont font("IPAGothic");
        font.setPointSize(10);
        app.setFont(font);
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
