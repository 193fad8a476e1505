#include "platform/FileTree.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace platform {

QStringList copyTree(const QString& folder, const QString& target, bool keepExisting)
{
    if (!QDir().mkpath(target))
        return {target};
    QStringList failures;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo entry(it.next());
        if (entry.isSymLink())
            continue;
        const QString relative = QDir(folder).relativeFilePath(entry.filePath());
        const QString copy = QDir(target).filePath(relative);
        if (entry.isDir()) {
            if (!QDir().mkpath(copy))
                failures.append(relative);
            continue;
        }
        const QFileInfo there(copy);
        if (keepExisting && (there.exists() || there.isSymLink()))
            continue;
        if (!QFile::copy(entry.filePath(), copy))
            failures.append(relative);
    }
    return failures;
}

} // namespace platform
