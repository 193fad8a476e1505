#include "publishing/EmailCodeRecipients.h"

#include "platform/Format.h"
#include "publishing/MailMessage.h"

#include <QRegularExpression>

EmailAddressList EmailCodeRecipients::split(const QString& typed)
{
    static const QRegularExpression separators(QStringLiteral("[,;\\r\\n\\x{2028}\\x{2029}]"));
    EmailAddressList list;
    for (const QString& piece : typed.split(separators)) {
        const QString address = piece.trimmed();
        if (address.isEmpty())
            continue;
        if (MailMessage::isValidAddress(address))
            list.addresses.append(address);
        else
            list.refused.append(address);
    }
    return list;
}

int EmailCodeRecipients::count(const EmailReviewValues& values)
{
    return int(values.to.addresses.size() + values.cc.addresses.size() + values.bcc.addresses.size());
}

const QString& EmailCodeRecipients::compatibilityNote()
{
    static const QString note = QStringLiteral(
        "Note compatibility of HTML emails vary by mail client, always send a copy to yourself first "
        "to test out the look and feel.");
    return note;
}

QString EmailCodeRecipients::reviewText(const EmailReviewValues& values)
{
    QString lines;
    const auto add = [&lines](const char* format, const QStringList& entries) {
        for (const QString& entry : entries)
            lines = platform::formatText(QLatin1String(format), {lines, entry});
    };
    add("%@To:  %@\n", values.to.addresses);
    add("%@CC:  %@\n", values.cc.addresses);
    add("%@BCC: %@\n", values.bcc.addresses);
    // A mistyped address is shown, so the user sees who will not get the message.
    add("%@Refused (not sent):  %@\n", values.to.refused + values.cc.refused + values.bcc.refused);

    const QString total = QString::number(count(values));
    if (!values.to.addresses.isEmpty())
        return platform::formatText(
            QStringLiteral(
                "%@\n\nFrom: %@\n\nSubject: %@\n\nTotal Number of Recipients: %@\n\nThe sender, %@ (%@), "
                "will also receive a copy of this email\n\n%@"),
            {compatibilityNote(), values.senderAddress, values.subject, total, values.senderName,
             values.senderAddress, lines});
    return platform::formatText(
        QStringLiteral(
            "%@\n\nFrom: %@\n\nSubject: %@\n\nTotal Number of Recipients: %@\n\nThere are NO RECIPIENTS "
            "specified in the To: field, %@ will be populated in the To: field for this email.\n\nThe "
            "sender, %@ (%@), will also receive a copy of this email\n\n%@"),
        {compatibilityNote(), values.senderAddress, values.subject, total, values.senderAddress,
         values.senderName, values.senderAddress, lines});
}

QString EmailCodeRecipients::missingSettings(const QString& senderAddress, const QString& server)
{
    if (senderAddress.isEmpty())
        return QStringLiteral("Sender Mail is missing");
    if (server.isEmpty())
        return QStringLiteral("\nSender Mail Server is missing");
    return QString();
}
