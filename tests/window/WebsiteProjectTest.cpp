// The rules of a website project folder on their own: page widths and titles, the page order file,
// listing order, new page names and their checks, page links.
#include "WindowTestSupport.h"

#include "editions/EditionSettings.h"
#include "window/WebsiteProject.h"

#include <QDir>
#include <QFile>
#include <QSet>

namespace {

class WebsiteRules : public WindowTest
{
protected:
    WebsiteRules()
    {
        EditionSettings& e = edition();
        e.gDocumentExtension = QStringLiteral("quibpage");
        e.gBaseTemplateFileName = QStringLiteral("basetemplate.quibpage");
        e.gPageBaseName = QStringLiteral("page");
        e.gFreeFormFileNamesFlag = false;
    }

    static std::function<bool(const QString&)> takenAmong(const QStringList& files)
    {
        const QSet<QString> set(files.begin(), files.end());
        return [set](const QString& name) { return set.contains(name); };
    }

    static PageRecord record(const QString& name)
    {
        PageRecord r;
        r.pageName = name;
        r.documentName = name;
        return r;
    }

    static QStringList names(const QList<PageRecord>& records)
    {
        QStringList out;
        for (const PageRecord& r : records)
            out << r.documentName;
        return out;
    }
};

} // namespace

TEST_F(WebsiteRules, PageWidthIsTheLastViewportLine)
{
    const QString marker = QStringLiteral("<meta name='viewport' content='width=");
    const struct
    {
        const char* name;
        QString text;
        const char* width;
    } rows[] = {
        {"one line", marker + QStringLiteral("1250'>"), "1250"},
        {"indented among other lines",
         QStringLiteral("<html>\n   ") + marker + QStringLiteral("980'>\n<body>"), "980"},
        {"the last one wins", marker + QStringLiteral("320'>\n") + marker + QStringLiteral("768'>"), "768"},
        {"no number reads as 0", marker + QStringLiteral("device-width'>"), "0"},
        {"no viewport line", QStringLiteral("<html><body>width=500</body></html>"), ""},
        {"empty text", QString(), ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(WebsiteProject::grabPageWidth(row.text), QString::fromLatin1(row.width)) << row.name;
}

TEST_F(WebsiteRules, PageTitleNeedsBothEndsOfItsMarker)
{
    EXPECT_EQ(
        WebsiteProject::grabPageTitle(QStringLiteral("<p>\n<!--PAGETITLESTART==About us==PAGETITLEEND-->\n")),
        QStringLiteral("About us"));
    // A marker cut short gives nothing rather than the rest of the page.
    EXPECT_EQ(WebsiteProject::grabPageTitle(QStringLiteral("<!--PAGETITLESTART==About us\n<body>")),
              QString());
    EXPECT_EQ(WebsiteProject::grabPageTitle(QStringLiteral("<body>")), QString());
}

TEST_F(WebsiteRules, OrderFileIsAsciiLinesOrUtf16WithAByteOrderMark)
{
    EXPECT_EQ(WebsiteProject::pageOrderIndexBytes(
                  {QStringLiteral("basetemplate.jxw"), QStringLiteral("1.jxw"), QStringLiteral("2.jxw")}),
              QByteArray("basetemplate.jxw,0\n1.jxw,1\n2.jxw,2\n"));
    EXPECT_EQ(WebsiteProject::pageOrderIndexBytes({}), QByteArray());

    const QStringList accented{QStringLiteral("zeta.quibpage"), QStringLiteral("caf\u00e9.quibpage"),
                               QStringLiteral("alpha.quibpage")};
    const QByteArray bytes = WebsiteProject::pageOrderIndexBytes(accented);
    ASSERT_GE(bytes.size(), 2);
    EXPECT_EQ(bytes.left(2), QByteArray("\xff\xfe", 2));
    const auto parsed = WebsiteProject::parsePageOrderIndex(bytes);
    ASSERT_TRUE(parsed.has_value());
    ASSERT_EQ(parsed->size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(parsed->at(i).first, accented.at(i));
        EXPECT_EQ(parsed->at(i).second, i);
    }
}

TEST_F(WebsiteRules, OrderFileReaderSkipsLinesItCannotUse)
{
    const auto parsed = WebsiteProject::parsePageOrderIndex(
        QByteArray("\r\n  b.quibpage,1\r\nno comma here\n,7\na,b.quibpage,2\nc.quibpage,x\n\n"));
    ASSERT_TRUE(parsed.has_value());
    const QList<QPair<QString, int>> expected{{QStringLiteral("b.quibpage"), 1},
                                              {QStringLiteral("a,b.quibpage"), 2},
                                              {QStringLiteral("c.quibpage"), 0}};
    EXPECT_EQ(*parsed, expected);
    EXPECT_TRUE(WebsiteProject::parsePageOrderIndex(QByteArray())->isEmpty());
}

TEST_F(WebsiteRules, PageOrderPutsTheBaseTemplateFirstAndUnnamedPagesLast)
{
    const QList<PageRecord> scan{
        record(QStringLiteral("a.quibpage")), record(QStringLiteral("basetemplate.quibpage")),
        record(QStringLiteral("new.quibpage")), record(QStringLiteral("c.quibpage"))};
    const QString base = QStringLiteral("basetemplate.quibpage");
    const QList<QPair<QString, int>> order{{QStringLiteral("c.quibpage"), 0},
                                           {QStringLiteral("a.quibpage"), 1},
                                           {QStringLiteral("basetemplate.quibpage"), 5},
                                           {QStringLiteral("gone.quibpage"), 2}};
    const QList<PageRecord> sorted = WebsiteProject::applyPageOrder(scan, order, base);
    EXPECT_EQ(names(sorted), (QStringList{base, QStringLiteral("c.quibpage"), QStringLiteral("a.quibpage"),
                                          QStringLiteral("new.quibpage")}));
    EXPECT_EQ(sorted.at(0).pageNumber, 5);
    EXPECT_EQ(sorted.at(1).pageNumber, 0);

    // Without the file the scan order stands and becomes the positions.
    const QList<PageRecord> fallback = WebsiteProject::applyPageOrder(scan, std::nullopt, QString());
    EXPECT_EQ(names(fallback), names(scan));
    for (int i = 0; i < fallback.size(); ++i)
        EXPECT_EQ(fallback.at(i).pageNumber, i);

    // An empty file loses no page.
    EXPECT_EQ(names(WebsiteProject::applyPageOrder(scan, QList<QPair<QString, int>>{}, QString())),
              names(scan));
}

TEST_F(WebsiteRules, DefaultPageNames)
{
    const struct
    {
        const char* name;
        const char* prefix;
        int tiles;
        QStringList files;
        const char* proposal;
    } rows[] = {
        {"three pages",
         "",
         3,
         {QStringLiteral("page1.quibpage"), QStringLiteral("page2.quibpage"),
          QStringLiteral("page3.quibpage")},
         "page4"},
        {"a gap left by a deleted page",
         "",
         3,
         {QStringLiteral("page1.quibpage"), QStringLiteral("page2.quibpage"),
          QStringLiteral("page4.quibpage")},
         "page3"},
        {"the device prefix", "ipad_", 0, {}, "ipad_page1"},
        // Each candidate is tested under every kind of page, so a form page's name is never proposed
        // and neither is the edition's page that the second pass used to miss.
        {"a form page and a page share the count",
         "",
         2,
         {QStringLiteral("page2.quibpage"), QStringLiteral("page3.selvaro")},
         "page4"},
        {"a responsive template page", "", 1, {QStringLiteral("page2.zqv")}, "page1"},
        {"a responsive template page in the way",
         "",
         1,
         {QStringLiteral("page1.quibpage"), QStringLiteral("page2.zqv")},
         "page3"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(WebsiteProject::defaultPageName(QString::fromLatin1(row.prefix), QStringLiteral("page"),
                                                  row.tiles, takenAmong(row.files)),
                  QString::fromLatin1(row.proposal))
            << row.name;
    }
}

TEST_F(WebsiteRules, NewFileNameChecksInTheirOrder)
{
    using P = WebsiteProject::NameProblem;
    const QStringList project{QStringLiteral("page2.quibpage"), QStringLiteral("contact.quibpage"),
                              QStringLiteral("order.selvaro")};
    const struct
    {
        const char* name;
        bool freeForm;
        QString fileName;
        P problem;
        const char* title;
    } rows[] = {
        {"empty", false, QString(), P::Empty, "File Name Is Empty"},
        {"an existing page", false, QStringLiteral("page2.quibpage"), P::Conflict, "File Name Conflict"},
        {"a form page over a page", false, QStringLiteral("contact.selvaro"), P::TakenAsPage,
         "Please Rename"},
        {"a page over a form page", false, QStringLiteral("order.quibpage"), P::TakenAsOtherKind,
         "Please Rename"},
        {"a space", false, QStringLiteral("my page.quibpage"), P::Characters, "File Name Characters"},
        {"a space in free-form names", true, QStringLiteral("my page.quibpage"), P::Characters,
         "File Name Characters"},
        {"an accent", false, QStringLiteral("caf\u00e9.quibpage"), P::Characters, "File Name Characters"},
        {"an accent in free-form names", true, QStringLiteral("caf\u00e9.quibpage"), P::None, ""},
        {"letters, digits, underscore and hyphen", false, QStringLiteral("my_page-2.quibpage"), P::None, ""},
        {"letters, digits, underscore and hyphen in free-form names", true,
         QStringLiteral("my_page-2.quibpage"), P::None, ""},
        {"longer than a file name may be", true, QString(300, u'a') + QStringLiteral(".quibpage"),
         P::Characters, "File Name Characters"},
    };
    for (const auto& row : rows) {
        edition().gFreeFormFileNamesFlag = row.freeForm;
        const P problem = WebsiteProject::checkNewFileName(row.fileName, takenAmong(project));
        EXPECT_EQ(problem, row.problem) << row.name;
        EXPECT_EQ(WebsiteProject::alertTextFor(problem, row.fileName).first, QString::fromLatin1(row.title))
            << row.name;
    }
    EXPECT_EQ(WebsiteProject::alertTextFor(P::Conflict, QStringLiteral("page2.quibpage")).second,
              QStringLiteral("Sorry a file named \"page2\" already exists at this location."));
}

TEST_F(WebsiteRules, PageLinks)
{
    const struct
    {
        const char* base;
        const char* page;
        const char* link;
    } rows[] = {
        {"", "about.quibpage", "/about.html"},
        {"https://example.org", "about.quibpage", "https://example.org/about.html"},
        {"https://example.org/", "about.quibpage", "https://example.org/about.html"},
        {"https://example.org/site//", "about.quibpage", "https://example.org/site/about.html"},
        {"https://example.org", "contact.selvaro", "https://example.org/contact.php"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(WebsiteProject::pageLink(QString::fromLatin1(row.base), QString::fromLatin1(row.page)),
                  QString::fromLatin1(row.link))
            << row.base << " " << row.page;
}

TEST_F(WebsiteRules, ListingOrderBreaksTiesByName)
{
    const QDateTime older(QDate(2026, 1, 1), QTime(9, 0));
    const QDateTime newer(QDate(2026, 3, 1), QTime(9, 0));
    const QHash<QString, QDateTime> dates{{QStringLiteral("b.quibpage"), older},
                                          {QStringLiteral("c.quibpage"), newer},
                                          {QStringLiteral("a.quibpage"), older},
                                          {QStringLiteral("d.quibpage"), newer}};
    const auto dateOf = [&](const QString& name) { return dates.value(name); };
    const QStringList scan{QStringLiteral("d.quibpage"), QStringLiteral("b.quibpage"),
                           QStringLiteral("a.quibpage"), QStringLiteral("c.quibpage")};
    EXPECT_EQ(WebsiteProject::sortPageNames(scan, QStringLiteral("modDate"), dateOf),
              (QStringList{QStringLiteral("c.quibpage"), QStringLiteral("d.quibpage"),
                           QStringLiteral("a.quibpage"), QStringLiteral("b.quibpage")}));
    const QStringList byName{QStringLiteral("a.quibpage"), QStringLiteral("b.quibpage"),
                             QStringLiteral("c.quibpage"), QStringLiteral("d.quibpage")};
    EXPECT_EQ(WebsiteProject::sortPageNames(scan, QStringLiteral("fileName"), dateOf), byName);
    EXPECT_EQ(WebsiteProject::sortPageNames(scan, QString(), dateOf), byName);
}

TEST_F(WebsiteRules, ListingTakesOnlyPageDocuments)
{
    QTemporaryDir folder;
    for (const char* name : {"contact.quibpage", "about.quibpage", "notes.txt", "form.selvaro", "order.index",
                             "site.quibs", "other.zx", ".quibpage"}) {
        QFile file(folder.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QDir().mkdir(folder.filePath(QStringLiteral("folder.quibpage")));
    EXPECT_EQ(WebsiteProject::listPageDocuments(folder.path(), QStringLiteral("fileName")),
              (QStringList{QStringLiteral("about.quibpage"), QStringLiteral("contact.quibpage"),
                           QStringLiteral("form.selvaro")}));
    EXPECT_TRUE(
        WebsiteProject::listPageDocuments(folder.filePath(QStringLiteral("missing")), QString()).isEmpty());
}

TEST_F(WebsiteRules, KeepingBothPagesFindsAFreeName)
{
    EXPECT_EQ(WebsiteProject::freeDocumentName(
                  QStringLiteral("about.quibpage"),
                  takenAmong({QStringLiteral("about.quibpage"), QStringLiteral("about2.selvaro")})),
              QStringLiteral("about3.quibpage"));
    EXPECT_EQ(WebsiteProject::workingFolderName(QStringLiteral("/home/u/My Web Site/")),
              QStringLiteral("MyWebSite"));
}
