// Old-format profile pages converted in place to field markers (once, in the encodings pages come
// in), the page titles read from any page, and the opener converting such a page before it reads
// the record.
#include "DocumentFlowTestSupport.h"

#include "document/Person.h"
#include "editions/DataCentre.h"
#include "model/DRVText.h"
#include "platform/StringRules.h"
#include "platform/TextEncoding.h"

#include <QDate>
#include <QLocale>

namespace {

using documentflowtest::readBytes;
using documentflowtest::writeBytes;

const QString kRest = QStringLiteral("<html>\n<body><p>Page</p></body>\n</html>\n");

QString header(const QStringList& values, const QString& closing = QStringLiteral("\n-->"))
{
    return QStringLiteral("<!--\n") + values.join(u'\n') + closing;
}

QString field(const QString& text, const QString& key)
{
    return DataCentre::grabMiddleString(DataCentre::generateStartString(key), DataCentre::generateEndString(key),
                                        text);
}

QString today()
{
    return QLocale(QLocale::English, QLocale::UnitedStates)
        .toString(QDate::currentDate(), QStringLiteral("MMM dd yyyy"));
}

class ProfileMigrationTest : public ::testing::Test
{
protected:
    ProfileMigrationTest() : m_edition(QStringLiteral("Cardell")) {}

    QString pageFile(const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(QStringLiteral("page%1.html").arg(++m_count));
        EXPECT_TRUE(writeBytes(path, bytes));
        return path;
    }

    ScopedEdition m_edition;
    QTemporaryDir m_dir;
    int m_count = 0;
};

} // namespace

TEST_F(ProfileMigrationTest, AnOldPageIsConvertedOnceToMarkersAndTitled)
{
    const QStringList values{QStringLiteral("Ann"),         QStringLiteral("Lee"),
                             QStringLiteral("42"),          QStringLiteral("7 years"),
                             QStringLiteral("1"),           QStringLiteral("Mar 04 2014"),
                             QStringLiteral("555-0100"),    QStringLiteral("ann@example.org")};
    const QString original = header(values) + u'\n' + kRest;
    const QString path = pageFile(original.toLatin1());
    ASSERT_TRUE(DataCentre::oldZorprofileFlag(original));

    EXPECT_EQ(DataCentre::convertOldProfilePage(path, original), std::optional<QString>(QStringLiteral("Ann Lee 42")));
    const QString converted = platform::readPageTextFile(path).value_or(QString());
    EXPECT_FALSE(DataCentre::oldZorprofileFlag(converted));
    EXPECT_TRUE(converted.startsWith(u'\n' + kRest)) << qPrintable(converted);
    const struct
    {
        const char* key;
        QString value;
    } fields[] = {
        {"Owner First Name", QStringLiteral("Ann")},
        {"Owner Last Name", QStringLiteral("Lee")},
        {"Owner Email", QStringLiteral("ann@example.org")},
        {"Owner Home Phone Number", QStringLiteral("555-0100")},
        {"Pet Chart Number", QStringLiteral("42")},
        {"Pet Sex", QStringLiteral("1")},
        {"Birth Date Status", QStringLiteral("1")},
        {"Notes", QStringLiteral("Additional data from profile (transferred on %1), please review and update:\n"
                                 "Age: 7 years\nBirth Date: Mar 04 2014")
                      .arg(today())},
    };
    for (const auto& f : fields)
        EXPECT_EQ(field(converted, QLatin1String(f.key)), f.value) << f.key;

    // Met again (the next open or scan), the page is left as it is.
    const QByteArray once = readBytes(path);
    EXPECT_EQ(DataCentre::convertOldProfilePage(path, converted), std::nullopt);
    EXPECT_EQ(readBytes(path), once);
    EXPECT_EQ(converted.count(DataCentre::generateStartString(QStringLiteral("Notes"))), 1);
}

// Header variants: the record read, the title made, and the file left readable in its encoding.
TEST_F(ProfileMigrationTest, HeaderVariantsGiveTheirRecordAndTitle)
{
    const struct
    {
        const char* name;
        QString header;
        bool utf16;
        QString title;
        QString firstName;
        QString chart;
        QString email;
    } rows[] = {
        {"null chart gives no trailing blank",
         header({QStringLiteral("Ann"), QStringLiteral("Lee"), QStringLiteral("(null)"), QStringLiteral("(null)"),
                 QStringLiteral("1"), QStringLiteral("x"), QStringLiteral("5"), QStringLiteral("a@b.example")}),
         false, QStringLiteral("Ann Lee"), QStringLiteral("Ann"), QString(), QStringLiteral("a@b.example")},
        {"closer on the last value line, CR LF line ends",
         QStringLiteral("<!--\r\nBo\r\nEk\r\n7\r\n2 years\r\n0\r\n(null)\r\n(null)\r\nbo@ek.example-->"), false,
         QStringLiteral("Bo Ek 7"), QStringLiteral("Bo"), QStringLiteral("7"), QStringLiteral("bo@ek.example")},
        {"short header leaves the rest empty", header({QStringLiteral("Cy")}), false, QStringLiteral("Cy "),
         QStringLiteral("Cy"), QString(), QString()},
        {"non-ASCII record in a UTF-16 page",
         header({QStringLiteral("Zoë"), QStringLiteral("Łukasz"), QStringLiteral("9"), QStringLiteral("(null)"),
                 QStringLiteral("2"), QStringLiteral("(null)"), QStringLiteral("(null)"), QStringLiteral("z@ł.example")}),
         true, QStringLiteral("Zoë Łukasz 9"), QStringLiteral("Zoë"), QStringLiteral("9"),
         QStringLiteral("z@ł.example")},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QString text = row.header + u'\n' + kRest;
        const QString path = pageFile(row.utf16 ? *platform::encodeText(text, platform::TextEncoding::UTF16)
                                                : text.toUtf8());
        const Person person = DataCentre::grabOldZorprofileData(text);
        EXPECT_EQ(person.firstName, row.firstName);
        EXPECT_EQ(person.chartNumber, row.chart);
        EXPECT_EQ(person.email, row.email);
        EXPECT_EQ(DataCentre::convertOldProfilePage(path, text), std::optional<QString>(row.title));
        const std::optional<QString> converted = platform::readPageTextFile(path);
        ASSERT_TRUE(converted);
        EXPECT_EQ(field(*converted, QStringLiteral("Owner First Name")), row.firstName);
        EXPECT_EQ(field(*converted, QStringLiteral("Owner Email")), row.email);
        EXPECT_EQ(field(*converted, QStringLiteral("Pet Chart Number")), row.chart);
        EXPECT_TRUE(converted->contains(kRest));
    }
}

TEST_F(ProfileMigrationTest, PagesThatAreNoOldRecordStayAsTheyAre)
{
    const QString rows[] = {
        // An opened comment that never closes is no record: the whole page would be lost with it.
        QStringLiteral("<!--\nAnn\nLee\n42\n") + kRest,
        QStringLiteral("<!-- Welcome -->\n") + kRest,
        QStringLiteral("<!--\t\n") + kRest + QStringLiteral("-->"),
        kRest,
    };
    for (const QString& text : rows) {
        SCOPED_TRACE(text.toStdString());
        const QString path = pageFile(text.toUtf8());
        EXPECT_FALSE(DataCentre::oldZorprofileFlag(text));
        EXPECT_EQ(DataCentre::convertOldProfilePage(path, text), std::nullopt);
        EXPECT_EQ(readBytes(path), text.toUtf8());
    }

    // Outside the record editions a page opening with a whole comment keeps it.
    const QString commented = header({QStringLiteral("Licence"), QStringLiteral("terms")}) + u'\n' + kRest;
    ASSERT_TRUE(DataCentre::oldZorprofileFlag(commented));
    edition().gProfileFieldNames.clear();
    const QString path = pageFile(commented.toUtf8());
    EXPECT_EQ(DataCentre::convertOldProfilePage(path, commented), std::nullopt);
    EXPECT_EQ(readBytes(path), commented.toUtf8());
}

TEST_F(ProfileMigrationTest, NotesCarryTheCalendarYearAtTheTurnOfTheYear)
{
    Person person;
    person.age = QStringLiteral("3");
    person.birthDate = QStringLiteral("May 2020");
    // 30 December 2024 lies in the first week of 2025.
    const QString block = DataCentre::convertZorprofileDataToNew(person, QDate(2024, 12, 30));
    EXPECT_EQ(field(block, QStringLiteral("Notes")),
              QStringLiteral("Additional data from profile (transferred on Dec 30 2024), please review and "
                             "update:\nAge: 3\nBirth Date: May 2020"));
    EXPECT_TRUE(block.startsWith(QStringLiteral("\n\n") + DataCentre::generateStartString(QStringLiteral("Owner First Name"))));
}

TEST_F(ProfileMigrationTest, PageTitlesOfAnyPage)
{
    const struct
    {
        const char* name;
        QString text;
        QString title;
    } rows[] = {
        {"marker", QStringLiteral("<p>\n<!--PAGETITLESTART==About us==PAGETITLEEND-->\n"), QStringLiteral("About us")},
        {"marker wins over a first-line comment",
         QStringLiteral("<!--Old-->\n<!--PAGETITLESTART==New==PAGETITLEEND-->\n"), QStringLiteral("New")},
        {"null marker", QStringLiteral("<!--PAGETITLESTART==(null)==PAGETITLEEND-->\n"), QString()},
        {"first-line comment keeps its blanks", QStringLiteral("<!-- Welcome -->\n<html></html>"),
         QStringLiteral(" Welcome ")},
        {"first-line comment after blank lines", QStringLiteral("\n\n  <!--Home-->\r\n<html>"), QStringLiteral("Home")},
        {"null first-line comment", QStringLiteral("<!--(null)-->\n"), QString()},
        {"empty comment", QStringLiteral("<!---->\n"), QString()},
        {"old record opener", QStringLiteral("<!--\nAnn\n-->\n"), QString()},
        {"comment not closed on its line", QStringLiteral("<!--PAGETITLESTART==About us\n<body>"), QString()},
        {"plain page", QStringLiteral("<html><body></body></html>"), QString()},
        {"empty text", QString(), QString()},
    };
    for (const auto& row : rows)
        EXPECT_EQ(DataCentre::grabPageTitle(row.text), row.title) << row.name;

    // An edition that reads no title markers has no titles, though the page keeps its own marker.
    edition().gPageTitleMarkerFlag = false;
    for (const auto& row : rows)
        EXPECT_EQ(DataCentre::grabPageTitle(row.text), QString()) << row.name;
    EXPECT_EQ(DataCentre::storedPageTitle(rows[0].text), QStringLiteral("About us"));
    EXPECT_EQ(DataCentre::storedPageTitle(rows[3].text), QString());
}

namespace {

class ProfileMigrationOpenTest : public documentflowtest::DocumentFlowTest
{
protected:
    // The record fields and titles of a profile edition on a page edition's writer.
    ProfileMigrationOpenTest()
    {
        edition().gPageTitleMarkerFlag = true;
        edition().gProfileFieldNames = {QStringLiteral("Owner First Name"), QStringLiteral("Pet Sex")};
    }
};

} // namespace

// The opener converts the page before it reads the record, so the first open already shows it; the
// page's graphics are untouched.
TEST_F(ProfileMigrationOpenTest, OpeningAnOldPageReadsTheConvertedRecord)
{
    const QString path = filePath(QStringLiteral("Rex.") + edition().gDocumentExtension);
    {
        DRVDocument page;
        auto* box = new DRVText(&page);
        page.insertGraphics({box}, {0});
        box->setTextType(QStringLiteral("Text"));
        box->setBounds(QRectF(20, 30, 200, 40));
        box->updateTextString(QStringLiteral("Rex"));
        ASSERT_TRUE(page.saveDocumentTo(path)) << qPrintable(page.lastFileErrorText());
    }
    // The saved page given an old record in front.
    const QString unpacked = filePath(QStringLiteral("unpacked"));
    ASSERT_TRUE(DocumentArchiver::unzipDocument(path, unpacked));
    const QString pagePath = QDir(unpacked).filePath(QStringLiteral("Rex.html"));
    const std::optional<QString> saved = platform::readPageTextFile(pagePath);
    ASSERT_TRUE(saved);
    const QString old = header({QStringLiteral("Ann"), QStringLiteral("Lee"), QStringLiteral("42"),
                                QStringLiteral("7 years"), QStringLiteral("2"), QStringLiteral("Mar 04 2014"),
                                QStringLiteral("555-0100"), QStringLiteral("ann@example.org")}) +
                        u'\n' + *saved;
    ASSERT_TRUE(writeBytes(pagePath, old.toUtf8()));
    ASSERT_TRUE(QFile::remove(path));
    // A page without pictures has an empty picture folder beside it.
    ASSERT_TRUE(QDir().mkpath(QDir(unpacked).filePath(QStringLiteral("Rex"))));
    QString error;
    ASSERT_TRUE(DocumentArchiver::zipDocument(QDir(unpacked).filePath(QStringLiteral("Rex")), path, &error))
        << qPrintable(error);

    for (int opening = 0; opening < 2; ++opening) {
        SCOPED_TRACE(opening);
        std::unique_ptr<DRVDocument> document = open(path);
        ASSERT_TRUE(document);
        EXPECT_EQ(document->pageOfficialName(), QStringLiteral("Ann Lee 42"));
        EXPECT_EQ(document->profileDictionary().value(QStringLiteral("Owner First Name")).toString(),
                  QStringLiteral("Ann"));
        EXPECT_EQ(document->profileDictionary().value(QStringLiteral("Pet Sex")).toString(), QStringLiteral("2"));
        EXPECT_EQ(document->graphics().size(), 1);
        const QString working = platform::readPageTextFile(document->pagePath()).value_or(QString());
        EXPECT_FALSE(DataCentre::oldZorprofileFlag(working));
        EXPECT_EQ(working.count(DataCentre::generateStartString(QStringLiteral("Owner First Name"))), 1);
    }
}
