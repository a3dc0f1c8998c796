#include "app/core/DataFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString chooseDataFolder(const QString& programFolder, const QString& userFolder) {
    const bool buildTree = QFileInfo::exists(QDir(programFolder).filePath(QStringLiteral("CMakeCache.txt")));
    if (!programFolder.isEmpty() && QFileInfo(programFolder).isWritable() && !buildTree)
        return programFolder;
    return userFolder;
}

QString chooseDataFolder() {
    const QString folder = chooseDataFolder(QCoreApplication::applicationDirPath(),
                                            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    QDir().mkpath(folder);
    return folder;
}

QString findHelpFolder() {
    const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/help");
    if (QFileInfo(beside).isDir())
        return beside;
    return QStringLiteral(QUILLEX_SOURCE_DIR "/help");
}
