// Shared set-up of the window tests: the edition's working folders and the user defaults inside a
// test's own folder, and the page archiver the save flow needs.
#pragma once
#include "editions/EditionSettings.h"
#include "platform/UserDefaults.h"
#include "publishing/DocumentArchiverInstall.h"

#include <QDir>
#include <QTemporaryDir>

inline void useWorkFoldersIn(const QTemporaryDir& root)
{
    EditionSettings& e = edition();
    e.gTempFolderPath = root.filePath(QStringLiteral("work"));
    e.gReceivedPagesFolderName = QStringLiteral("0000Received_Pages");
    e.gTempSaveFolderPath =
        QDir(e.gTempFolderPath).filePath(QStringLiteral("0000Received_Pages/tempSave000000"));
    QDir().mkpath(e.gTempSaveFolderPath);
    platform::UserDefaults::standard().useStoreFile(root.filePath(QStringLiteral("defaults.ini")));
    DocumentArchiverInstall::install();
}
