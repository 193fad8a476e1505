// The stored recipients of the e-mail editions: the current To, Cc and Bcc texts
// ("toFieldArrayStringMail", "ccFieldArrayStringMail", "bccFieldArrayStringMail", comma-separated
// as typed) and the saved recipient lists ("savedMailingListArrayMail", records of "toMailingList",
// "ccMailingList", "bccMailingList" and "mailingListTitle", in the order saved).
#pragma once
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariantList>

class MailRecipientLists
{
public:
    MailRecipientLists() = delete;

    static const QString kToKey;
    static const QString kCcKey;
    static const QString kBccKey;
    static const QString kSavedListsKey;

    // Stored lists are user data; a settings file edited by hand cannot make them unbounded.
    static constexpr int kMaxSavedLists = 1000;
    static constexpr int kMaxTextLength = 100000;

    // stored with each address added, each followed by ",": after stored as it is when it ends in
    // ",", after a "," otherwise, alone when stored is empty.
    static QString appended(const QString& stored, const QStringList& addresses);
    // A list's default name: "Dec 10 2026 03:15 AM" (US month names, calendar year).
    static QString listTitle(const QDateTime& when);

    static QVariantList savedLists();
    static void setSavedLists(const QVariantList& lists);
    // Appends one record; existing records are never replaced.
    static void appendSavedList(const QString& to, const QString& cc, const QString& bcc,
                                const QString& title);
    static QVariantMap record(const QString& to, const QString& cc, const QString& bcc, const QString& title);
};
