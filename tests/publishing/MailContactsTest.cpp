// Contacts from vCard files and the stored recipient texts: the cards the fixtures hold, the
// personalization records they make, the import into the contacts folder, and the append rule of
// contacts added to a stored list.
#include "platform/UserDefaults.h"
#include "publishing/MailContactBook.h"
#include "publishing/MailRecipientLists.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray fixture(const char* name)
{
    QFile file(QStringLiteral(QUIB_FIXTURES_DIR "/contacts/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(MailContacts, FoldedCardWithTwoAddressesAndNoPhoneGivesTwoRecords)
{
    const QList<MailContact> cards = MailContactBook::parse(fixture("folded-two-addresses-no-phone.vcf"));
    ASSERT_EQ(cards.size(), 1);
    const MailContact& card = cards.first();
    EXPECT_EQ(card.organization, QStringLiteral("Nordvik Instruments AB")) << "folded line joined";
    EXPECT_EQ(card.title, QStringLiteral("Dr."));
    EXPECT_EQ(card.jobTitle, QStringLiteral("Head of Acoustics"));
    ASSERT_EQ(card.addresses.size(), 2);
    EXPECT_EQ(card.addresses.at(0).street, QStringLiteral("Storgatan 12, Plan 3")) << "escaped comma";
    EXPECT_EQ(card.addresses.at(0).state, QStringLiteral("Västra Götaland"));

    const QList<QVariantMap> records = MailContactBook::personalizationRecords(card, {0, 1});
    ASSERT_EQ(records.size(), 2);
    EXPECT_EQ(records.at(0).value(QStringLiteral("Address_Number")).toString(), QStringLiteral("0"));
    EXPECT_EQ(records.at(1).value(QStringLiteral("Address_Number")).toString(), QStringLiteral("1"));
    for (const QVariantMap& record : records) {
        EXPECT_EQ(record.value(QStringLiteral("[FIRST_NAME]")).toString(), QStringLiteral("Astrid"));
        EXPECT_EQ(record.value(QStringLiteral("[LAST_NAME]")).toString(), QStringLiteral("Lindqvist"));
        EXPECT_EQ(record.value(QStringLiteral("[EMAIL]")).toString(),
                  QStringLiteral("astrid.lindqvist@nordvik.example"));
        EXPECT_TRUE(record.contains(QStringLiteral("[PHONE]")));
        EXPECT_EQ(record.value(QStringLiteral("[PHONE]")).toString(), QString());
        EXPECT_EQ(record.value(QStringLiteral("[UNIQUE_CONTACT_ID]")),
                  records.at(0).value(QStringLiteral("[UNIQUE_CONTACT_ID]")));
    }
    EXPECT_EQ(records.at(0).value(QStringLiteral("[COUNTRY]")).toString(), QStringLiteral("Sweden"));
    EXPECT_FALSE(records.at(1).contains(QStringLiteral("[COUNTRY]")))
        << "an address without a country has none";
    EXPECT_FALSE(records.at(1).contains(QStringLiteral("[STATE]")));
    EXPECT_EQ(records.at(1).value(QStringLiteral("[CITY]")).toString(), QStringLiteral("Mölndal"));
    // Picked in the other order, the numbers follow the picking.
    EXPECT_EQ(
        MailContactBook::personalizationRecords(card, {1}).first().value(QStringLiteral("[CITY]")).toString(),
        QStringLiteral("Mölndal"));
}

TEST(MailContacts, UniqueIdIsAShortDecimalOfTheUidDistinctPerCard)
{
    const QList<MailContact> cards =
        MailContactBook::parse(fixture("two-people-v4.vcf") + fixture("folded-two-addresses-no-phone.vcf"));
    ASSERT_EQ(cards.size(), 3);
    QStringList ids;
    for (const MailContact& card : cards) {
        const QString id = card.uniqueId();
        EXPECT_FALSE(id.isEmpty());
        EXPECT_LE(id.size(), 10);
        EXPECT_TRUE(std::all_of(id.cbegin(), id.cend(), [](QChar c) { return c.isDigit(); }))
            << id.toStdString();
        ids.append(id);
    }
    ids.removeDuplicates();
    EXPECT_EQ(ids.size(), 3);
    EXPECT_EQ(cards.at(0).phones, QStringList{QStringLiteral("+48-600-123-456")});
    EXPECT_EQ(cards.at(0).lastName, QStringLiteral("Wróbel"));
    // The same UID gives the same token in another file.
    MailContact again;
    again.uid = cards.at(0).uid;
    EXPECT_EQ(again.uniqueId(), cards.at(0).uniqueId());
}

TEST(MailContacts, ImportKeepsCopiesInTheContactsFolderAndRefusesWhatIsNoCard)
{
    QTemporaryDir dir;
    MailContactBook::setFolder(dir.filePath(QStringLiteral("Contacts")));
    const QString source = dir.filePath(QStringLiteral("source"));
    QDir().mkpath(source);
    for (const char* name : {"folded-two-addresses-no-phone.vcf", "two-people-v4.vcf"}) {
        QFile out(source + u'/' + QLatin1String(name));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(fixture(name));
    }
    QFile junk(source + QStringLiteral("/junk.vcf"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a card at all");
    junk.close();

    QStringList errors;
    EXPECT_EQ(MailContactBook::importPaths({source}, &errors), 3);
    EXPECT_EQ(errors.size(), 1);
    // Imported twice, the file is kept twice under another name rather than replaced.
    EXPECT_EQ(MailContactBook::importPaths({source + QStringLiteral("/two-people-v4.vcf")}), 2);
    const QList<MailContact> all = MailContactBook::contacts();
    ASSERT_EQ(all.size(), 5);
    EXPECT_EQ(all.first().displayName(), QStringLiteral("Astrid Lindqvist"));
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("Contacts/two-people-v4-2.vcf"))));
    MailContactBook::setFolder(QString());
}

TEST(MailRecipientLists, ContactsAreAppendedWithTheirCommas)
{
    const struct
    {
        const char* stored;
        QStringList added;
        const char* result;
    } rows[] = {
        {"", {QStringLiteral("a@x.org"), QStringLiteral("b@x.org")}, "a@x.org,b@x.org,"},
        {"a@x.org,b@x.org,", {QStringLiteral("c@x.org")}, "a@x.org,b@x.org,c@x.org,"},
        {"a@x.org", {QStringLiteral("c@x.org")}, "a@x.org,c@x.org,"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(MailRecipientLists::appended(QString::fromUtf8(row.stored), row.added),
                  QLatin1String(row.result));
}

TEST(MailRecipientLists, TitlesUseTheCalendarYear)
{
    // 30 December 2024 falls in the first week of 2025: a week-based year would say 2025.
    const QDateTime lateDecember(QDate(2024, 12, 30), QTime(15, 7));
    EXPECT_EQ(MailRecipientLists::listTitle(lateDecember), QStringLiteral("Dec 30 2024 03:07 PM"));
}

} // namespace
