// The sender's SMTP settings as a send uses them: read from the user defaults ("mailAddress",
// "mailName", "mailSMTPServer", "mailSMTPUsername", "mailPortnumber", "connectionType"), the password
// from the secret store. An older version kept the password as typed under "mailPassword"; it is read
// there only while the store has none.
#pragma once
#include "platform/SecretStore.h"

#include <QString>

struct MailSettings
{
    QString senderAddress;
    QString senderName;
    QString server;
    QString userName; // as stored; login() falls back to the address
    QString password;
    int port = 0;           // as stored; 0 when missing or not a number
    QString connectionType; // "STARTTLS", "SSL" or "None"; anything else is STARTTLS

    // "SSL": TLS from the first byte (smtps). "None": plain. Anything else: STARTTLS, required.
    bool ssl() const { return connectionType == QLatin1String("SSL"); }
    bool tls() const { return !ssl() && connectionType != QLatin1String("None"); }
    QString login() const { return userName.isEmpty() ? senderAddress : userName; }
    // The stored port, else 465 for SSL and 587 (submission) for the others.
    int effectivePort() const;

    // The account the password is filed under.
    platform::SecretKey secretKey() const;
    static platform::SecretKey secretKeyFor(const QString& senderAddress, const QString& userName,
                                            const QString& server, const QString& portText,
                                            const QString& connectionType);

    static MailSettings fromUserDefaults();
};
