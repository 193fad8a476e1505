// Which files of a page's image folder go up when a website is published.
#include "editions/DataCentre.h"

#include "platform/SafePath.h"
#include "platform/StringRules.h"

#include <QFileInfo>

bool DataCentre::shouldUploadThisImage(const QString& imagePath)
{
    const QString name = platform::lastPathComponent(imagePath);
    // The form's submit buttons are drawn by the page's own code on the server.
    if (name == QLatin1String("submit.png") || name == QLatin1String("submit@2x.png"))
        return false;
    if (name.contains(QLatin1String("@2x")))
        return true;
    // A full-size copy the page never links to once its double-resolution twin exists.
    if (name.contains(QLatin1String("o.")) && isThere2xImage(imagePath))
        return false;
    return true;
}

bool DataCentre::isThere2xImage(const QString& imagePath)
{
    const QString name = platform::lastPathComponent(imagePath);
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot <= 0)
        return false;
    const QString stem = name.left(dot);
    // Only the "o" the page writer puts before the extension marks a full-size copy; other letters
    // "o" belong to the image's own name.
    if (!stem.endsWith(u'o'))
        return false;
    const QString twin = stem.chopped(1) + QStringLiteral("@2x") + name.mid(dot);
    const std::optional<QString> path =
        platform::SafePath::filePath(platform::stringByDeletingLastPathComponent(imagePath), twin);
    return path && QFileInfo(*path).isFile();
}
