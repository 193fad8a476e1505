// One HTML e-mail sent over SMTP with the sender's settings. The envelope: every To, Cc and Bcc
// address once, and always the sender (a blind copy of what went out); an empty To list sends to
// the sender. Runs synchronously on the calling thread, so callers put it on a worker.
#pragma once
#include "publishing/MailSettings.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

struct MailSendResult
{
    bool sent = false;
    // What went wrong, then the SMTP conversation; "HTML Email Sent!" ends a sent one. Passwords
    // never appear in it.
    QString log;
    // The envelope recipients, in the order given to the server.
    QStringList recipients;
};

class MailSender
{
public:
    // One message goes to at most this many addresses; larger mailings are for a mailing service.
    static constexpr int kMaxRecipients = 500;

    explicit MailSender(const MailSettings& settings) : m_settings(settings) {}

    // Trusted authorities beside the system's (tests pass their own).
    void setCaFile(const QString& path) { m_caFile = path; }
    void setTimeLimitMs(int ms) { m_timeLimitMs = ms; }

    // coder: the page's text as it stands; otherwise its local images go along as related parts.
    MailSendResult send(const QString& htmlPath, const QString& subject, const QStringList& to,
                        const QStringList& cc, const QStringList& bcc, bool coder);

    // The message of the last send that got as far as building one.
    QByteArray lastMessage() const { return m_lastMessage; }

private:
    MailSettings m_settings;
    QString m_caFile;
    int m_timeLimitMs = 60000;
    QByteArray m_lastMessage;
};
