#include "window/WebsiteSettings.h"

#include "platform/SafePath.h"
#include "platform/TextEncoding.h"

#include <QBuffer>
#include <QFile>
#include <QStringDecoder>

namespace {

const QString kTitleStart = QStringLiteral("##WEBSITE_TITLE_START##");
const QString kTitleEnd = QStringLiteral("##WEBSITE_TITLE_END##");
const QString kDescriptionStart = QStringLiteral("##WEBSITE_DESCRIPTION_START##");
const QString kDescriptionEnd = QStringLiteral("##WEBSITE_DESCRIPTION_END##");
// A settings file holds two short lines; anything larger is not one.
constexpr qint64 kMaximumSettingsBytes = 1024 * 1024;

QString between(const QString& text, const QString& start, const QString& end)
{
    const qsizetype from = text.indexOf(start);
    if (from < 0)
        return QString();
    const qsizetype begin = from + start.size();
    const qsizetype to = text.indexOf(end, begin);
    return to < 0 ? QString() : text.mid(begin, to - begin);
}

QByteArray pngBytes(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, "PNG") ? bytes : QByteArray();
}

} // namespace

QByteArray WebsiteSettings::siteSettingsBytes(const QString& title, const QString& description)
{
    // A line feed inside a value would break the two-line layout.
    const auto oneLine = [](QString value) { return value.replace(u'\r', u' ').replace(u'\n', u' '); };
    return (kTitleStart + oneLine(title) + kTitleEnd + u'\n' + kDescriptionStart + oneLine(description) +
            kDescriptionEnd)
        .toUtf8();
}

WebsiteSettings::SiteText WebsiteSettings::parseSiteSettings(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes);
    return {between(text, kTitleStart, kTitleEnd), between(text, kDescriptionStart, kDescriptionEnd)};
}

WebsiteSettings::SiteText WebsiteSettings::readSiteSettings(const QString& folder)
{
    const std::optional<QString> path = platform::SafePath::filePath(folder, settingsFileName());
    if (!path)
        return {};
    QFile file(*path);
    if (file.size() > kMaximumSettingsBytes || !file.open(QIODevice::ReadOnly))
        return {};
    return parseSiteSettings(file.read(kMaximumSettingsBytes));
}

bool WebsiteSettings::writeSiteSettings(const QString& folder, const QString& title, const QString& description)
{
    const std::optional<QString> path = platform::SafePath::filePath(folder, settingsFileName());
    return path && platform::writeFileAtomically(*path, siteSettingsBytes(title, description));
}

bool WebsiteSettings::writeFavicons(const QString& folder, const QImage& image)
{
    if (image.isNull())
        return false;
    const std::optional<QString> original = platform::SafePath::filePath(folder, originalFaviconFileName());
    const std::optional<QString> icon = platform::SafePath::filePath(folder, faviconFileName());
    if (!original || !icon)
        return false;
    const QImage scaled =
        image.scaled(kFaviconSize, kFaviconSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QByteArray originalBytes = pngBytes(image);
    const QByteArray iconBytes = pngBytes(scaled);
    if (originalBytes.isEmpty() || iconBytes.isEmpty())
        return false;
    return platform::writeFileAtomically(*original, originalBytes) &&
           platform::writeFileAtomically(*icon, iconBytes);
}

QImage WebsiteSettings::readFavicon(const QString& folder)
{
    const std::optional<QString> path = platform::SafePath::filePath(folder, originalFaviconFileName());
    if (!path || !QFile::exists(*path))
        return {};
    QImage image;
    image.load(*path, "PNG");
    return image;
}
