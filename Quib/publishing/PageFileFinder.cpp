#include "publishing/PageFileFinder.h"

#include "platform/StringRules.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

QString PageFileFinder::pageFileIn(const QString& folder, const QString& baseName,
                                   const QStringList& extensions)
{
    if (!baseName.isEmpty()) {
        for (const QString& extension : extensions) {
            const QString path =
                platform::stringByAppendingPathComponent(folder, baseName + u'.' + extension);
            if (QFileInfo(path).isFile())
                return path;
        }
    }
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseSensitive) < 0;
    });
    for (const QString& name : names) {
        if (extensions.contains(platform::pathExtension(name)))
            return platform::stringByAppendingPathComponent(folder, name);
    }
    return QString();
}
