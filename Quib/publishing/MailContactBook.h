// The contacts of the e-mail and personalization editions. Linux has no shared address book, so users
// import vCard files (versions 3 and 4, one card or many per file, or a folder of them) into the
// application's data folder, and the pickers list what was imported. Everything read here comes from
// outside: file sizes, card counts and value lengths are bounded, and imported copies are named
// through SafePath.
#pragma once
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

struct MailContactAddress
{
    QString street;
    QString city;
    QString state;
    QString zipCode;
    QString country;
    QString label; // the TYPE given ("home", "work"), for the picker

    QString summary() const;
};

struct MailContact
{
    QString uid;
    QString firstName;
    QString lastName;
    QString organization;
    QString title;    // the name's prefix ("Dr.")
    QString jobTitle; // TITLE
    QStringList emails;
    QStringList phones;
    QList<MailContactAddress> addresses;

    QString displayName() const;
    // A short decimal token from the card's UID (from its name and addresses when it has none):
    // the same card always gives the same token, and it is safe in a file name.
    QString uniqueId() const;
};

class MailContactBook
{
public:
    MailContactBook() = delete;

    static constexpr qint64 kMaxFileBytes = 5 * 1024 * 1024;
    static constexpr int kMaxCards = 5000;
    static constexpr int kMaxFiles = 500;
    static constexpr int kMaxValueLength = 1000;
    static constexpr int kMaxValuesPerCard = 50;

    // Cards of vCard text (versions 3 and 4; folded lines, escapes, groups, TYPE parameters).
    static QList<MailContact> parse(const QByteArray& text);

    // Where imported cards are kept: <application data>/Contacts, or the folder tests set.
    static QString folder();
    static void setFolder(const QString& folder);

    // Copies each .vcf file given (a folder gives the .vcf files inside it) into folder(); returns
    // the number of cards imported. errors lists what was refused and why.
    static int importPaths(const QStringList& paths, QStringList* errors = nullptr);
    // Every imported card, sorted by name.
    static QList<MailContact> contacts();

    // One personalization record per selected address (indexes into contact.addresses, in the order
    // picked): the person's values, then the address parts it has, and "Address_Number".
    static QList<QVariantMap> personalizationRecords(const MailContact& contact,
                                                     const QList<int>& addressIndexes);

    // The records the mail merge uses next (gPersonalizationRecords).
    static QList<QVariantMap> currentRecords();
    static void setCurrentRecords(const QList<QVariantMap>& records);
};
