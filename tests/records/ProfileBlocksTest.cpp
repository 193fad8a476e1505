// The text a record form turns into: the field block in write order, the page title, the file
// name the naming fields propose, and the stored date and integer forms.
#include "records/ProfileBlocks.h"
#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {

using Kind = ProfileBlocks::Kind;

class ProfileBlocksTest : public ::testing::Test
{
protected:
    ProfileBlocksTest() : m_kept(edition()) {}
    ~ProfileBlocksTest() override { edition() = m_kept; }

private:
    EditionSettings m_kept;
};

// Every key of the kind with an empty value.
QVariantMap emptyForm(Kind kind)
{
    QVariantMap values;
    for (const QString& key : ProfileBlocks::fieldKeys(kind))
        values.insert(key, QString());
    return values;
}

TEST_F(ProfileBlocksTest, AnEmptyFormWritesEveryPairInOrderAndATitleOfBlanks)
{
    struct Row
    {
        Kind kind;
        int pairs;
        const char* title;
    };
    for (const Row& row : {Row{Kind::Pet, 16, "   "}, Row{Kind::Human, 11, " "}}) {
        const QString block = ProfileBlocks::fieldBlock(row.kind, emptyForm(row.kind));
        QString expected;
        for (const QString& key : ProfileBlocks::fieldKeys(row.kind))
            expected += QStringLiteral("\n\n<!====") + key + QStringLiteral("STARTSTRING----") + key +
                        QStringLiteral("ENDSTRING====>");
        EXPECT_EQ(block, expected);
        EXPECT_EQ(block.count(QStringLiteral("STARTSTRING--")), row.pairs);
        EXPECT_EQ(ProfileBlocks::pageTitle(row.kind, emptyForm(row.kind)), QLatin1String(row.title));
        // A form that lost a key still writes its pair, empty.
        EXPECT_EQ(ProfileBlocks::fieldBlock(row.kind, {}), expected);
    }
    EXPECT_EQ(ProfileBlocks::petFieldKeys().constFirst(), QStringLiteral("Owner First Name"));
    EXPECT_EQ(ProfileBlocks::petFieldKeys().constLast(), QStringLiteral("Pet Birth Date"));
    EXPECT_EQ(ProfileBlocks::humanFieldKeys().at(6), QStringLiteral("Pet Chart Number"));
}

TEST_F(ProfileBlocksTest, TitlesKeepTheBlanksOfEmptyParts)
{
    QVariantMap values = emptyForm(Kind::Pet);
    values.insert(QStringLiteral("Owner First Name"), QStringLiteral("Ann"));
    values.insert(QStringLiteral("Pet Name"), QStringLiteral("Rex"));
    values.insert(QStringLiteral("Pet Breed"), QStringLiteral("Collie"));
    EXPECT_EQ(ProfileBlocks::pageTitle(Kind::Pet, values), QStringLiteral("Ann  Rex Collie"));
    values.insert(QStringLiteral("Owner Last Name"), QStringLiteral("Lee"));
    EXPECT_EQ(ProfileBlocks::pageTitle(Kind::Human, values), QStringLiteral("Ann Lee"));
}

TEST_F(ProfileBlocksTest, StoredValuesReadBackFromThePage)
{
    QVariantMap values = emptyForm(Kind::Pet);
    values.insert(QStringLiteral("Birth Date Status"), QStringLiteral("1"));
    values.insert(QStringLiteral("Pet Birth Date"), ProfileBlocks::dateString(QDate(2014, 3, 4)));
    values.insert(QStringLiteral("Notes"), QStringLiteral("a > b & c\nsecond --NotesENDSTRING====> line"));
    values.insert(QStringLiteral("Owner Address"), QString::fromUtf8("Straße 5\nKöln"));
    const QString page =
        QStringLiteral("<html><body></body></html>") + ProfileBlocks::fieldBlock(Kind::Pet, values);
    for (const QString& key : ProfileBlocks::petFieldKeys()) {
        SCOPED_TRACE(key.toStdString());
        EXPECT_EQ(DataCentre::grabMiddleString(DataCentre::generateStartString(key),
                                               DataCentre::generateEndString(key), page),
                  values.value(key).toString());
    }
    EXPECT_TRUE(page.contains(QStringLiteral("Birth Date StatusSTARTSTRING--1--")));
    EXPECT_TRUE(page.contains(QStringLiteral("Pet Birth DateSTARTSTRING--Mar 04 2014--")));
}

TEST_F(ProfileBlocksTest, DatesAreEnglishWhateverTheLocale)
{
    const QLocale kept;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(ProfileBlocks::dateString(QDate(2014, 3, 4)), QStringLiteral("Mar 04 2014"));
    EXPECT_EQ(ProfileBlocks::dateString(QDate(2021, 12, 31)), QStringLiteral("Dec 31 2021"));
    EXPECT_EQ(ProfileBlocks::parseDate(QStringLiteral("Mar 04 2014")), QDate(2014, 3, 4));
    EXPECT_FALSE(ProfileBlocks::parseDate(QStringLiteral("März 04 2014")).isValid());
    EXPECT_FALSE(ProfileBlocks::parseDate(QString()).isValid());
    QLocale::setDefault(kept);
}

TEST_F(ProfileBlocksTest, StoredIntegersTakeTheLeadingNumber)
{
    const std::pair<const char*, int> rows[] = {{"1", 1},      {"0", 0},  {"", 0},
                                                {"2 cats", 2}, {"x1", 0}, {" 3", 3}};
    for (const auto& [text, value] : rows)
        EXPECT_EQ(ProfileBlocks::storedInt(QLatin1String(text)), value) << text;
}

TEST_F(ProfileBlocksTest, NamingFieldsProposeACleanFileName)
{
    struct Row
    {
        bool freeForm;
        Kind kind;
        const char* petName;
        const char* first;
        const char* last;
        const char* chart;
        const char* proposed;
    };
    const Row rows[] = {
        {false, Kind::Pet, "Rex!", "Ann", "", "", "Rex"},
        {false, Kind::Pet, "Mr. Paws 2", "", "", "", "MrPaws2"},
        {false, Kind::Human, "Rex", "Ann", "Lee", "42", "AnnLee42"},
        {false, Kind::Human, "", "Ann", "", "", "Ann"},
        {false, Kind::Human, "", "../..", "/etc", "", "etc"},
        {true, Kind::Human, "", "Zoë", "Lee", "42", "ZoëLee42"},
        {true, Kind::Pet, "Rex Jr", "", "", "", "RexJr"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.proposed);
        edition().gFreeFormFileNamesFlag = row.freeForm;
        QVariantMap values = emptyForm(row.kind);
        values.insert(QStringLiteral("Pet Name"), QString::fromUtf8(row.petName));
        values.insert(QStringLiteral("Owner First Name"), QString::fromUtf8(row.first));
        values.insert(QStringLiteral("Owner Last Name"), QString::fromUtf8(row.last));
        values.insert(QStringLiteral("Pet Chart Number"), QString::fromUtf8(row.chart));
        EXPECT_EQ(ProfileBlocks::proposedFileName(row.kind, values), QString::fromUtf8(row.proposed));
    }
}

} // namespace
