#include "base/settings_location.h"

#include <QCoreApplication>
#include <QStandardPaths>

QString settingsFilePath() {
#ifdef Q_OS_WIN
    return QCoreApplication::applicationDirPath() + QStringLiteral("/TRV5200.ini");
#else
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/TRV5200/TRV5200.ini");
#endif
}

QString configFolderPath() {
#ifdef Q_OS_WIN
    return QCoreApplication::applicationDirPath() + QStringLiteral("/Config");
#else
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/Config");
#endif
}
