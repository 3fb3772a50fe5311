#pragma once
// Grabs land in the build folder for a person to look at.

#include <QDir>
#include <QString>

namespace karven::test {

inline QString ScreenPath(const char* name) {
    QString dir = QString(KARVEN_BIN_DIR) + "../screens/";
    QDir().mkpath(dir);
    return dir + name;
}

} // namespace karven::test
