// Snapshots of a folder tree for tests that must show a flow changed nothing it should not: every
// entry with its kind, and for files and links their size, modification time and inode.
#pragma once
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>
#include <string>
#include <sys/stat.h>

namespace sandboxsnapshot {

// What identifies one entry on disk: its kind, and for files and links their size, modification
// time (nanoseconds) and inode, so that a rewrite, a replacement and a touch all show.
inline QString entryStamp(const QString& path)
{
    struct stat st;
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return QStringLiteral("gone");
    if (S_ISDIR(st.st_mode))
        return QStringLiteral("dir");
    return QStringLiteral("%1 %2 size=%3 mtime=%4.%5 inode=%6")
        .arg(S_ISLNK(st.st_mode) ? QStringLiteral("link") : QStringLiteral("file"))
        .arg(st.st_mode & 07777, 0, 8)
        .arg(qint64(st.st_size))
        .arg(qint64(st.st_mtim.tv_sec))
        .arg(qint64(st.st_mtim.tv_nsec))
        .arg(quint64(st.st_ino));
}

// Every entry below root, links not followed.
inline QMap<QString, QString> snapshot(const QString& root)
{
    QMap<QString, QString> entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        entries.insert(path, entryStamp(path));
    }
    return entries;
}

// The differences between two snapshots, leaving out the paths allowed to change; one line each.
inline std::string changes(const QMap<QString, QString>& before, const QMap<QString, QString>& after,
                           const std::function<bool(const QString&)>& allowed)
{
    QStringList found;
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        if (allowed(it.key()))
            continue;
        if (!after.contains(it.key()))
            found << QStringLiteral("removed ") + it.key();
        else if (after.value(it.key()) != it.value())
            found << QStringLiteral("changed ") + it.key() + QStringLiteral(": ") + it.value() +
                         QStringLiteral(" -> ") + after.value(it.key());
    }
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        if (!before.contains(it.key()) && !allowed(it.key()))
            found << QStringLiteral("created ") + it.key();
    }
    return found.join(u'\n').toStdString();
}

inline bool isBelow(const QString& path, const QString& folder)
{
    return path == folder || path.startsWith(folder + u'/');
}

} // namespace sandboxsnapshot
