#include "publishing/MailSender.h"

#include "publishing/CurlSession.h"
#include "publishing/MailMessage.h"
#include "publishing/UploadConnectionSettings.h"

namespace {

const QString kSentLine = QStringLiteral("HTML Email Sent!\n");

QList<MailMessage::Mailbox> mailboxes(const QStringList& addresses)
{
    QList<MailMessage::Mailbox> list;
    for (const QString& address : addresses)
        list.append({QString(), address});
    return list;
}

// The addresses as given, trimmed, empty entries dropped (a list typed "a@x, b@x," splits into three).
QStringList cleaned(const QStringList& addresses)
{
    QStringList out;
    for (const QString& address : addresses) {
        const QString trimmed = address.trimmed();
        if (!trimmed.isEmpty())
            out.append(trimmed);
    }
    return out;
}

void addOnce(QStringList& list, const QString& address)
{
    if (!list.contains(address, Qt::CaseInsensitive))
        list.append(address);
}

} // namespace

MailSendResult MailSender::send(const QString& htmlPath, const QString& subject, const QStringList& toGiven,
                                const QStringList& ccGiven, const QStringList& bccGiven, bool coder)
{
    MailSendResult result;
    m_lastMessage.clear();
    const auto fail = [&result](const QString& text) {
        result.log += text + u'\n';
        return result;
    };

    const QStringList to = cleaned(toGiven);
    const QStringList cc = cleaned(ccGiven);
    const QStringList bcc = cleaned(bccGiven);
    if (to.size() + cc.size() + bcc.size() > kMaxRecipients)
        return fail(QStringLiteral("A message can go to at most %1 addresses.").arg(kMaxRecipients));
    for (const QString& address : bcc) {
        if (!MailMessage::isValidAddress(address))
            return fail(QStringLiteral("\"%1\" is not a valid e-mail address.").arg(address));
    }
    MailMessage message;
    if (!message.setHtmlFile(htmlPath, !coder))
        return fail(message.errorText());
    message.setFrom({m_settings.senderName, m_settings.senderAddress});
    message.setTo(to.isEmpty()
                      ? QList<MailMessage::Mailbox>{{m_settings.senderName, m_settings.senderAddress}}
                      : mailboxes(to));
    message.setCc(mailboxes(cc));
    message.setSubject(subject);
    QByteArray bytes;
    if (!message.build(bytes))
        return fail(message.errorText());

    const QByteArray host = UploadConnectionSettings::urlHost(m_settings.server);
    if (host.isEmpty())
        return fail(QStringLiteral("\"%1\" is not a server name.").arg(m_settings.server));
    if (MailMessage::hasControlCharacter(m_settings.login()))
        return fail(QStringLiteral("The SMTP user name holds a line break."));

    QStringList recipients;
    for (const QString& address : to.isEmpty() ? QStringList{m_settings.senderAddress} : to)
        addOnce(recipients, address);
    for (const QString& address : cc + bcc)
        addOnce(recipients, address);
    addOnce(recipients, m_settings.senderAddress);
    result.recipients = recipients;
    m_lastMessage = bytes;

    CurlSession session;
    if (!m_settings.password.isEmpty())
        session.setCredentials(m_settings.login(), m_settings.password);
    session.setTimeLimits(m_timeLimitMs, m_timeLimitMs);
    session.setTotalTimeLimit(m_timeLimitMs * 5);
    // STARTTLS is required, never skipped when the server lacks it; SSL is TLS from the first byte.
    if (m_settings.ssl() || m_settings.tls())
        session.requireTls(m_caFile, QString());
    const QByteArray url = (m_settings.ssl() ? "smtps://" : "smtp://") + host + ':' +
                           QByteArray::number(m_settings.effectivePort());
    QList<QByteArray> envelope;
    for (const QString& address : recipients)
        envelope.append(address.toLatin1());
    // The server accepting the data is what counts: a connection that fails to close after that has
    // still delivered the mail, and a resend would deliver it twice.
    result.sent = session.sendMail(url, m_settings.senderAddress.toLatin1(), envelope, bytes);
    if (!result.sent)
        result.log += session.errorText() + u'\n';
    result.log += session.trace();
    if (result.sent)
        result.log += kSentLine;
    if (!m_settings.password.isEmpty())
        result.log.replace(m_settings.password, QStringLiteral("****"));
    return result;
}
