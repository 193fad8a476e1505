#include "publishing/UploadConnectionSettings.h"

#include "platform/UserDefaults.h"
#include "publishing/UploadFTPS.h"

#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>

UploadConnectionSettings UploadConnectionSettings::fromUserDefaults()
{
    UploadFTPS upload;
    upload.grabCurrentSettings();
    UploadConnectionSettings settings = upload.connectionSettings();
    settings.baseURL = platform::UserDefaults::standard().stringForKey(QStringLiteral("baseurl"));
    return settings;
}

QString UploadConnectionSettings::defaultKnownHostsFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
           QStringLiteral("/known_hosts");
}

QString UploadConnectionSettings::URLCheck(const QString& text)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*://"));
    if (text.size() < 5 || scheme.match(text).hasMatch())
        return text;
    return QStringLiteral("http://") + text;
}

QByteArray UploadConnectionSettings::urlHost(const QString& server)
{
    static const QRegularExpression ipv6(QStringLiteral("^[0-9A-Fa-f:.]+$"));
    static const QRegularExpression hostName(QStringLiteral("^[A-Za-z0-9._-]+$"));
    QString host = server.trimmed();
    if (host.startsWith(u'[') && host.endsWith(u']'))
        host = host.mid(1, host.size() - 2);
    if (host.contains(u':'))
        return ipv6.match(host).hasMatch() ? '[' + host.toLatin1() + ']' : QByteArray();
    const QByteArray ace = QUrl::toAce(host);
    return hostName.match(QString::fromLatin1(ace)).hasMatch() ? ace : QByteArray();
}

bool UploadConnectionSettings::remoteSegments(const QString& path, QStringList& segments, QString* errorText)
{
    segments.clear();
    for (const QString& segment : path.split(u'/', Qt::SkipEmptyParts)) {
        const bool control = std::any_of(segment.cbegin(), segment.cend(), [](QChar c) {
            return c.category() == QChar::Other_Control || c == QChar(0x2028) || c == QChar(0x2029);
        });
        if (control || segment == QLatin1String(".") || segment == QLatin1String("..")) {
            if (errorText)
                *errorText =
                    control ? QStringLiteral("The remote name \"%1\" holds a control character.")
                                  .arg(QString(segment).replace(
                                      QRegularExpression(QStringLiteral("[\\x00-\\x1f\\x7f]")),
                                      QStringLiteral("?")))
                            : QStringLiteral("The remote name \"%1\" is not a folder name.").arg(segment);
            segments.clear();
            return false;
        }
        segments.append(segment);
    }
    return true;
}
