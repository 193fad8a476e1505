// The addresses of an HTML e-mail as the user typed them, and the review text shown before it goes.
#pragma once
#include <QString>
#include <QStringList>

struct EmailAddressList
{
    // Valid addresses in the order typed.
    QStringList addresses;
    // Pieces that are no address; listed in the review, never sent.
    QStringList refused;
};

struct EmailReviewValues
{
    QString senderAddress;
    QString senderName;
    QString subject;
    EmailAddressList to;
    EmailAddressList cc;
    EmailAddressList bcc;
};

class EmailCodeRecipients
{
public:
    EmailCodeRecipients() = delete;

    // Split at commas, semicolons and line breaks, each piece trimmed, empty pieces dropped.
    static EmailAddressList split(const QString& typed);

    // The addresses that are sent to, over all three lists.
    static int count(const EmailReviewValues& values);

    static const QString& compatibilityNote();
    // The review: note, sender, subject, count, who gets the message, the recipient lines.
    static QString reviewText(const EmailReviewValues& values);

    // What the settings check found missing; empty when the settings are complete enough to try.
    static QString missingSettings(const QString& senderAddress, const QString& server);
};
