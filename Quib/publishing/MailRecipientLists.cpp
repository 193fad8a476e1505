#include "publishing/MailRecipientLists.h"

#include "platform/UserDefaults.h"

#include <QLocale>

const QString MailRecipientLists::kToKey = QStringLiteral("toFieldArrayStringMail");
const QString MailRecipientLists::kCcKey = QStringLiteral("ccFieldArrayStringMail");
const QString MailRecipientLists::kBccKey = QStringLiteral("bccFieldArrayStringMail");
const QString MailRecipientLists::kSavedListsKey = QStringLiteral("savedMailingListArrayMail");

QString MailRecipientLists::appended(const QString& stored, const QStringList& addresses)
{
    QString addition;
    for (const QString& address : addresses)
        addition += address + u',';
    if (stored.isEmpty())
        return addition;
    return stored.endsWith(u',') ? stored + addition : stored + u',' + addition;
}

QString MailRecipientLists::listTitle(const QDateTime& when)
{
    // "yyyy", the calendar year: a week-based year names the next year in the last days of December.
    return QLocale(QLocale::English, QLocale::UnitedStates)
        .toString(when, QStringLiteral("MMM dd yyyy hh:mm AP"));
}

QVariantList MailRecipientLists::savedLists()
{
    QVariantList lists = platform::UserDefaults::standard().objectForKey(kSavedListsKey).toList();
    if (lists.size() > kMaxSavedLists)
        lists = lists.mid(0, kMaxSavedLists);
    return lists;
}

void MailRecipientLists::setSavedLists(const QVariantList& lists)
{
    platform::UserDefaults::standard().setObject(kSavedListsKey, lists);
}

QVariantMap MailRecipientLists::record(const QString& to, const QString& cc, const QString& bcc,
                                       const QString& title)
{
    return {{QStringLiteral("toMailingList"), to.left(kMaxTextLength)},
            {QStringLiteral("ccMailingList"), cc.left(kMaxTextLength)},
            {QStringLiteral("bccMailingList"), bcc.left(kMaxTextLength)},
            {QStringLiteral("mailingListTitle"), title.left(kMaxTextLength)}};
}

void MailRecipientLists::appendSavedList(const QString& to, const QString& cc, const QString& bcc,
                                         const QString& title)
{
    QVariantList lists = savedLists();
    lists.append(record(to, cc, bcc, title));
    setSavedLists(lists);
}
