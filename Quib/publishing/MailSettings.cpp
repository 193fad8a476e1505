#include "publishing/MailSettings.h"

#include "platform/UserDefaults.h"

namespace {

constexpr int kSubmissionPort = 587;
constexpr int kImplicitTlsPort = 465;

int portNumber(const QString& text)
{
    bool ok = false;
    const int port = text.trimmed().toInt(&ok);
    return ok && port > 0 && port < 65536 ? port : 0;
}

} // namespace

int MailSettings::effectivePort() const
{
    if (port > 0 && port < 65536)
        return port;
    return ssl() ? kImplicitTlsPort : kSubmissionPort;
}

platform::SecretKey MailSettings::secretKey() const
{
    return platform::SecretKey{QStringLiteral("SMTP"), login(), server.trimmed(), effectivePort()};
}

platform::SecretKey MailSettings::secretKeyFor(const QString& senderAddress, const QString& userName,
                                               const QString& server, const QString& portText,
                                               const QString& connectionType)
{
    MailSettings settings;
    settings.senderAddress = senderAddress;
    settings.userName = userName;
    settings.server = server;
    settings.port = portNumber(portText);
    settings.connectionType = connectionType;
    return settings.secretKey();
}

MailSettings MailSettings::fromUserDefaults()
{
    const platform::UserDefaults& defaults = platform::UserDefaults::standard();
    MailSettings settings;
    settings.senderAddress = defaults.stringForKey(QStringLiteral("mailAddress")).trimmed();
    settings.senderName = defaults.stringForKey(QStringLiteral("mailName"));
    settings.server = defaults.stringForKey(QStringLiteral("mailSMTPServer")).trimmed();
    settings.userName = defaults.stringForKey(QStringLiteral("mailSMTPUsername"));
    settings.port = portNumber(defaults.stringForKey(QStringLiteral("mailPortnumber")));
    settings.connectionType = defaults.stringForKey(QStringLiteral("connectionType"));
    settings.password = platform::SecretStore::current()
                            .read(settings.secretKey())
                            .value_or(defaults.stringForKey(QStringLiteral("mailPassword")));
    return settings;
}
