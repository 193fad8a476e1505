#include "platform/SafePath.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace platform {

namespace {

bool isControl(char16_t c)
{
    return c < 0x20 || (c >= 0x7f && c <= 0x9f);
}

} // namespace

PathRefusal SafePath::checkName(const QString& name)
{
    if (name.isEmpty())
        return PathRefusal::EmptyName;
    // Checked before encoding: a name of a million characters is refused without copying it.
    if (name.size() > kMaximumNameBytes)
        return PathRefusal::TooLong;
    for (const QChar c : name) {
        if (c == u'/' || c == u'\\')
            return PathRefusal::Separator;
        if (isControl(c.unicode()))
            return PathRefusal::ControlCharacter;
    }
    if (!name.isValidUtf16())
        return PathRefusal::ControlCharacter;
    // Other leading dots only hide a file, and two dots inside a name lead nowhere.
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return PathRefusal::DotName;
    if (QFile::encodeName(name).size() > kMaximumNameBytes)
        return PathRefusal::TooLong;
    return PathRefusal::None;
}

PathRefusal SafePath::check(const QString& folder, const QString& name)
{
    if (folder.isEmpty())
        return PathRefusal::NoFolder;
    const PathRefusal byName = checkName(name);
    if (byName != PathRefusal::None)
        return byName;
    const QString path = folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
    // isSymLink looks at the entry itself, so a dangling link is caught too: writing through it
    // would create its target. Any other entry of one name (no separator, not "." or "..") is an
    // entry of folder itself, wherever folder lies: only a link can lead outside, and resolving the
    // two paths would cost a look-up of every folder on the way for each file a save touches.
    if (QFileInfo(path).isSymLink())
        return PathRefusal::Link;
    return PathRefusal::None;
}

std::optional<QString> SafePath::filePath(const QString& folder, const QString& name)
{
    const PathRefusal refusal = check(folder, name);
    if (refusal != PathRefusal::None) {
        // QDebug quotes and escapes the name, so a hostile one cannot forge log lines.
        qWarning().nospace() << "file name refused (" << qPrintable(describe(refusal)) << "): " << name
                             << " in " << folder;
        return std::nullopt;
    }
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

std::optional<QString> SafePath::filePathBelow(const QString& folder, const QString& relativePath)
{
    const QStringList parts = relativePath.split(u'/', Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return std::nullopt;
    QString path = folder;
    for (const QString& part : parts) {
        const std::optional<QString> next = filePath(path, part);
        if (!next)
            return std::nullopt;
        path = *next;
    }
    return path;
}

QString SafePath::describe(PathRefusal refusal)
{
    switch (refusal) {
    case PathRefusal::None:
        return QStringLiteral("accepted");
    case PathRefusal::NoFolder:
        return QStringLiteral("no folder to put it in");
    case PathRefusal::EmptyName:
        return QStringLiteral("empty name");
    case PathRefusal::TooLong:
        return QStringLiteral("name too long");
    case PathRefusal::Separator:
        return QStringLiteral("name holds a path separator");
    case PathRefusal::DotName:
        return QStringLiteral("name is \".\" or \"..\"");
    case PathRefusal::ControlCharacter:
        return QStringLiteral("name holds a control character");
    case PathRefusal::Link:
        return QStringLiteral("the file is a symbolic link");
    case PathRefusal::Outside:
        return QStringLiteral("the file lies outside its folder");
    }
    return QString();
}

bool SafePath::isSameFile(const QString& a, const QString& b)
{
    struct stat first{};
    struct stat second{};
    return ::stat(QFile::encodeName(a).constData(), &first) == 0 &&
           ::stat(QFile::encodeName(b).constData(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

} // namespace platform
