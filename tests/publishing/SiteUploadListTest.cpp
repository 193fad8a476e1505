// The upload filter of page image folders and the list a whole website publishes: pages in list
// order each followed by its filtered images, "favicon.ico" last; and the page copies re-encoded in
// the charset each page names.
#include "editions/DataCentre.h"
#include "publishing/SiteUploadList.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << qPrintable(path);
    file.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct FilterCase
{
    const char* beside; // other files in the folder, comma-separated
    const char* name;
    bool uploaded;
    bool hasTwin;
};

class UploadFilterTest : public ::testing::TestWithParam<FilterCase>
{
protected:
    QTemporaryDir dir;
};

TEST_P(UploadFilterTest, DecidesByNameAndTwin)
{
    const FilterCase& c = GetParam();
    for (const QString& other : QString::fromLatin1(c.beside).split(u',', Qt::SkipEmptyParts))
        writeFile(dir.filePath(other), "x");
    const QString path = dir.filePath(QString::fromLatin1(c.name));
    writeFile(path, "x");
    EXPECT_EQ(DataCentre::shouldUploadThisImage(path), c.uploaded);
    EXPECT_EQ(DataCentre::isThere2xImage(path), c.hasTwin);
}

INSTANTIATE_TEST_SUITE_P(
    Names, UploadFilterTest,
    ::testing::Values(
        // The form's submit buttons never go.
        FilterCase{"", "submit.png", false, false}, FilterCase{"", "submit@2x.png", false, false},
        // Double-resolution files always go.
        FilterCase{"image3o.png", "image3@2x.png", true, false},
        // A full-size copy stays home when its twin is there, goes when it is not.
        FilterCase{"image3@2x.png", "image3o.png", false, true}, FilterCase{"", "image4o.png", true, false},
        FilterCase{"image3@2x.png", "image3.png", true, false},
        // Only the "o" before the extension is the copy's mark: other letters "o" stay in the name.
        FilterCase{"logo@2x.png", "logoo.png", false, true}, FilterCase{"lg@2x.png", "logoo.png", true, false},
        FilterCase{"photo@2x.jpg", "photoo.jpg", false, true},
        // A twin of another extension is another picture.
        FilterCase{"image5@2x.jpg", "image5o.png", true, false},
        // A folder of that name is no twin.
        FilterCase{"image6@2x.png/inner", "image6o.png", true, false}));

// A project: its folder (favicon), the working copy with three pages and their image folders, and
// the copies folder.
class SiteUploadListTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        project = dir.filePath(QStringLiteral("My Site"));
        working = dir.filePath(QStringLiteral("working"));
        copies = dir.filePath(QStringLiteral("run"));
        for (const char* stem : {"index", "about", "contact"})
            writeFile(QDir(working).filePath(QLatin1String(stem) + QStringLiteral(".html")), "<html></html>");
        // The index page's folder, made out of name order.
        for (const char* name : {"submit.png", "image3o.png", "image3@2x.png", "image1@2x.png", "background.PNG",
                                 "image2o.jpg"})
            writeFile(QDir(working).filePath(QStringLiteral("index/") + QLatin1String(name)), "x");
        writeFile(QDir(working).filePath(QStringLiteral("index/.hidden")), "x");
        writeFile(QDir(working).filePath(QStringLiteral("index/fonts/Actor.ttf")), "x");
        // The contact form's folder: its submit buttons only.
        writeFile(QDir(working).filePath(QStringLiteral("contact/submit@2x.png")), "x");
        writeFile(QDir(project).filePath(QStringLiteral("favicon.ico")), "ico");
    }

    SiteUploadList::Input input(bool withImages) const
    {
        SiteUploadList::Input in;
        in.pages = {{QStringLiteral("index.html"), QStringLiteral("index.html")},
                    {QStringLiteral("about.html"), QStringLiteral("about.php")},
                    {QStringLiteral("contact.html"), QStringLiteral("contact.html")}};
        in.pageFolder = working;
        in.copyFolder = copies;
        in.projectFolder = project;
        in.withImages = withImages;
        return in;
    }

    // "remoteFolder|remoteFileName|local path relative to the test folder" per item.
    QStringList describe(const QList<UploadItem>& items) const
    {
        QStringList lines;
        for (const UploadItem& item : items)
            lines.append(item.remoteFolder() + u'|' + item.remoteFileName() + u'|' +
                         QDir(dir.path()).relativeFilePath(item.localPath()));
        return lines;
    }

    QTemporaryDir dir;
    QString project;
    QString working;
    QString copies;
};

TEST_F(SiteUploadListTest, WithImagesSendsEachPageThenItsFilteredImagesByNameAndTheFaviconLast)
{
    const SiteUploadList::Result result = SiteUploadList::build(input(true));
    EXPECT_EQ(describe(result.items), QStringList({
                                          QStringLiteral("|index.html|run/index.html"),
                                          QStringLiteral("index|background.PNG|working/index/background.PNG"),
                                          QStringLiteral("index|image1@2x.png|working/index/image1@2x.png"),
                                          QStringLiteral("index|image2o.jpg|working/index/image2o.jpg"),
                                          QStringLiteral("index|image3@2x.png|working/index/image3@2x.png"),
                                          QStringLiteral("|about.php|run/about.html"),
                                          QStringLiteral("|contact.html|run/contact.html"),
                                          QStringLiteral("|favicon.ico|My Site/favicon.ico"),
                                      }));
    ASSERT_EQ(result.copies.size(), 3);
    EXPECT_EQ(result.copies.at(1).source, QDir(working).filePath(QStringLiteral("about.html")));
    EXPECT_EQ(result.copies.at(1).target, QDir(copies).filePath(QStringLiteral("about.html")));
    EXPECT_TRUE(result.refusedPages.isEmpty());
}

TEST_F(SiteUploadListTest, QuickRefreshSendsThePagesAndTheFaviconOnly)
{
    const SiteUploadList::Result result = SiteUploadList::build(input(false));
    EXPECT_EQ(describe(result.items), QStringList({QStringLiteral("|index.html|run/index.html"),
                                                   QStringLiteral("|about.php|run/about.html"),
                                                   QStringLiteral("|contact.html|run/contact.html"),
                                                   QStringLiteral("|favicon.ico|My Site/favicon.ico")}));
}

TEST_F(SiteUploadListTest, WithoutFaviconOrCopiesToWriteTheListEndsWithTheLastPage)
{
    QFile::remove(QDir(project).filePath(QStringLiteral("favicon.ico")));
    SiteUploadList::Input in = input(false);
    in.copiesWritten = true;
    const SiteUploadList::Result result = SiteUploadList::build(in);
    ASSERT_EQ(result.items.size(), 3);
    EXPECT_EQ(result.items.constLast().remoteFileName(), QStringLiteral("contact.html"));
    EXPECT_TRUE(result.copies.isEmpty());
}

TEST_F(SiteUploadListTest, APageUnderANumberedWorkingNameSendsItsImagesUnderItsOwnName)
{
    writeFile(QDir(working).filePath(QStringLiteral("index4.html")), "<html></html>");
    writeFile(QDir(working).filePath(QStringLiteral("index4/image1@2x.png")), "x");
    SiteUploadList::Input in = input(true);
    in.pages = {{QStringLiteral("index4.html"), QStringLiteral("index.html")}};
    const SiteUploadList::Result result = SiteUploadList::build(in);
    EXPECT_EQ(describe(result.items), QStringList({QStringLiteral("|index.html|run/index4.html"),
                                                   QStringLiteral("index|image1@2x.png|working/index4/image1@2x.png"),
                                                   QStringLiteral("|favicon.ico|My Site/favicon.ico")}));
}

TEST_F(SiteUploadListTest, APageNameThatLeavesTheFolderIsRefusedAndNotListed)
{
    SiteUploadList::Input in = input(true);
    in.pages.append({QStringLiteral("../outside.html"), QStringLiteral("outside.html")});
    writeFile(dir.filePath(QStringLiteral("outside.html")), "<html></html>");
    const SiteUploadList::Result result = SiteUploadList::build(in);
    EXPECT_EQ(result.refusedPages, QStringList{QStringLiteral("../outside.html")});
    for (const UploadItem& item : result.items)
        EXPECT_NE(item.remoteFileName(), QStringLiteral("outside.html"));
}

struct CopyCase
{
    const char* fileName;
    const char* charsetLine; // "" for a page without one
    const char* text;        // UTF-8
    QByteArray expectedBody; // the bytes the body text becomes; empty when the copy is refused
};

class PageCopyTest : public ::testing::TestWithParam<CopyCase>
{
protected:
    QTemporaryDir dir;
};

TEST_P(PageCopyTest, WritesThePageInTheEncodingItNames)
{
    const CopyCase& c = GetParam();
    const QString source = dir.filePath(QStringLiteral("working/") + QLatin1String(c.fileName));
    const QString target = dir.filePath(QStringLiteral("run/") + QLatin1String(c.fileName));
    QByteArray page = "<html><head>\n";
    if (*c.charsetLine)
        page += QByteArray("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=") + c.charsetLine +
                "\"/> \n";
    page += QByteArray("</head><body>") + c.text + "</body></html>\n";
    writeFile(source, page);

    const QString failed = SiteUploadList::writeCopies({{source, target}});
    if (c.expectedBody.isEmpty()) {
        EXPECT_EQ(failed, source);
        EXPECT_FALSE(QFile::exists(target));
        return;
    }
    EXPECT_TRUE(failed.isEmpty());
    const QByteArray bytes = readFile(target);
    EXPECT_TRUE(bytes.contains(c.expectedBody)) << bytes.toHex().constData();
}

INSTANTIATE_TEST_SUITE_P(
    Charsets, PageCopyTest,
    ::testing::Values(
        CopyCase{"ru.html", "windows-1251", "Привет", QByteArray("\xCF\xF0\xE8\xE2\xE5\xF2")},
        CopyCase{"ru-setting.html", "Win-1251", "Привет", QByteArray("\xCF\xF0\xE8\xE2\xE5\xF2")},
        // Text code page 1251 cannot hold is refused, never written lossy.
        CopyCase{"zh.html", "windows-1251", "中", QByteArray()},
        CopyCase{"utf16.html", "UTF-16", "é", QByteArray("\xE9\x00", 2)},
        CopyCase{"plain.html", "", "é", QByteArray("\xC3\xA9")},
        // PHP runs UTF-8 files only, whatever the page names.
        CopyCase{"form.php", "UTF-16", "é", QByteArray("<body>\xC3\xA9")}));

TEST(PageCopyStartTest, AUTF16CopyStartsWithItsByteOrderMark)
{
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("page.html"));
    writeFile(source, "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-16\"/> \nA");
    const QString target = dir.filePath(QStringLiteral("copy/page.html"));
    EXPECT_TRUE(SiteUploadList::writeCopies({{source, target}}).isEmpty());
    EXPECT_TRUE(readFile(target).startsWith(QByteArray("\xFF\xFE<\x00", 4)));
}

TEST(PageCopyStartTest, AMissingPageIsReportedAndLaterCopiesAreNotMade)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("gone.html"));
    const QString present = dir.filePath(QStringLiteral("here.html"));
    writeFile(present, "<html></html>");
    EXPECT_EQ(SiteUploadList::writeCopies({{missing, dir.filePath(QStringLiteral("c/gone.html"))},
                                           {present, dir.filePath(QStringLiteral("c/here.html"))}}),
              missing);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("c/here.html"))));
}

} // namespace
