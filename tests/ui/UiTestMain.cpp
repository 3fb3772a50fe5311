// The Qt tests share one application object; the font is fixed so grabs look the same anywhere.
#include <QApplication>
#include <QFontDatabase>
#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    // Headless unless a test run asks for a real display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (QFontDatabase::families().contains("IPAGothic")) {
        QFont font("IPAGothic");
        font.setPointSize(10);
        app.setFont(font);
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
