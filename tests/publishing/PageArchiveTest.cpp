// Page documents written and read back: exact member lists checked with Info-ZIP, byte-identical
// round trips, and saves that fail without touching the previous document.
#include "publishing/ArchiveTestSupport.h"
#include "publishing/PageFileFinder.h"
#include "publishing/UploadFTPS.h"
#include "publishing/ZipArchive.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace archivetest;

namespace {

class PageArchiveTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        copyTree(QStringLiteral(QUIB_FIXTURES_DIR "/archive"), dir.path());
        QFile::remove(path(QStringLiteral("README.md")));
        QDir().mkpath(path(QStringLiteral("Home/empty"))); // empty folders survive too
    }
    void TearDown() override { ZipArchive::setWriteInterruptForTesting({}); }
    QString path(const QString& relative) const { return dir.path() + u'/' + relative; }

    QTemporaryDir dir;
};

TEST_F(PageArchiveTest, LayoutAPutsThePageFolderContentsAtTheTopAndRoundTrips)
{
    if (!haveUnzip())
        return;
    UploadFTPS upload;
    const QString archive = path(QStringLiteral("Home.quib"));
    ASSERT_TRUE(upload.zipDocument(path(QStringLiteral("Home")), archive))
        << upload.lastErrorText().toStdString();

    EXPECT_EQ(unzipList(archive), QStringList({"empty/", "images/", "images/image1.png", "style.css",
                                               "Home.html", "Home.png", "Home@2x.png"}));
    EXPECT_TRUE(unzipTestPasses(archive));

    const QString out = path(QStringLiteral("opened"));
    ASSERT_TRUE(upload.unzipDocument(archive, out)) << upload.lastErrorText().toStdString();
    QMap<QString, QByteArray> expected = snapshot(path(QStringLiteral("Home")));
    for (const char* side : {"Home.html", "Home.png", "Home@2x.png"})
        expected.insert(side, readBytes(path(side)));
    EXPECT_EQ(snapshot(out), expected);
}

TEST_F(PageArchiveTest, LayoutBKeepsThePageFolderAndBothPageFiles)
{
    if (!haveUnzip())
        return;
    writeBytes(path(QStringLiteral("Home.php")), "<?php echo 1; ?>\n");
    UploadFTPS upload;
    const QString archive = path(QStringLiteral("Home.zip"));
    ASSERT_TRUE(upload.zipDocument_mailchimp(path(QStringLiteral("Home/")), archive));

    EXPECT_EQ(unzipList(archive),
              QStringList({"Home/", "Home/empty/", "Home/images/", "Home/images/image1.png", "Home/style.css",
                           "Home.html", "Home.php", "Home.png", "Home@2x.png"}));
    EXPECT_TRUE(unzipTestPasses(archive));

    const QString out = path(QStringLiteral("received"));
    ASSERT_TRUE(upload.unzipDocument(archive, out));
    const QMap<QString, QByteArray> result = snapshot(out);
    QMap<QString, QByteArray> expected;
    for (auto it = result.cbegin(); it != result.cend(); ++it)
        expected.insert(it.key(), it.key().endsWith(u'/') ? QByteArray() : readBytes(path(it.key())));
    EXPECT_EQ(result, expected);
    EXPECT_EQ(result.size(), 9);
}

TEST_F(PageArchiveTest, FormDocumentCarriesThePhpPageOnly)
{
    if (!haveUnzip())
        return;
    writeBytes(path(QStringLiteral("Home.php")), "<?php echo 1; ?>\n");
    UploadFTPS upload;
    const QString archive = path(QStringLiteral("Home.selvaro"));
    ASSERT_TRUE(upload.zipDocument(path(QStringLiteral("Home")), archive));
    const QStringList members = unzipList(archive);
    EXPECT_TRUE(members.contains(QStringLiteral("Home.php")));
    EXPECT_FALSE(members.contains(QStringLiteral("Home.html")));
}

TEST_F(PageArchiveTest, MissingSideFilesAreLeftOutAndNonAsciiNamesAreUtf8)
{
    if (!haveUnzip())
        return;
    QFile::remove(path(QStringLiteral("Home.png")));
    QFile::remove(path(QStringLiteral("Home@2x.png")));
    QFile::remove(path(QStringLiteral("Home.html")));
    writeBytes(path(QStringLiteral("Home/images/Grüße.png")), "x");
    UploadFTPS upload;
    const QString archive = path(QStringLiteral("Home.quib"));
    ASSERT_TRUE(upload.zipDocument(path(QStringLiteral("Home")), archive));
    EXPECT_EQ(unzipList(archive),
              QStringList({"empty/", "images/", "images/Grüße.png", "images/image1.png", "style.css"}));
    ASSERT_TRUE(upload.unzipDocument(archive, path(QStringLiteral("out"))));
    EXPECT_EQ(readBytes(path(QStringLiteral("out/images/Grüße.png"))), QByteArray("x"));
}

TEST_F(PageArchiveTest, MissingPageFolderWritesNothing)
{
    UploadFTPS upload;
    EXPECT_FALSE(upload.zipDocument(path(QStringLiteral("Nope")), path(QStringLiteral("Nope.quib"))));
    EXPECT_FALSE(
        upload.zipDocument_mailchimp(path(QStringLiteral("Nope")), path(QStringLiteral("Nope.zip"))));
    EXPECT_FALSE(upload.lastErrorText().isEmpty());
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("Nope.quib"))));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("Nope.zip"))));
}

TEST_F(PageArchiveTest, EmptyArchiveUnzipsAndCreatesTheTarget)
{
    QDir().mkpath(path(QStringLiteral("Blank")));
    UploadFTPS upload;
    const QString archive = path(QStringLiteral("Blank.quib"));
    ASSERT_TRUE(upload.zipDocument(path(QStringLiteral("Blank")), archive));
    EXPECT_EQ(readBytes(archive).left(4), QByteArray("PK\x05\x06"));
    ASSERT_TRUE(upload.unzipDocument(archive, path(QStringLiteral("a/b"))));
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("a/b"))).isDir());
}

TEST_F(PageArchiveTest, SaveInterruptedPartWayLeavesThePreviousDocument)
{
    if (!haveUnzip())
        return;
    const QString archive = path(QStringLiteral("Home.quib"));
    writeBytes(archive, "the previous document");
    // Enough data that the write reports progress before it ends.
    QByteArray noise;
    for (qint64 i = 0; i < 300000; ++i)
        noise.append(char((i * 7919) % 251));
    writeBytes(path(QStringLiteral("Home/images/big.bin")), noise);

    double seen = 0;
    ZipArchive::setWriteInterruptForTesting([&seen](double done) {
        seen = done;
        return done > 0.2;
    });
    UploadFTPS upload;
    EXPECT_FALSE(upload.zipDocument(path(QStringLiteral("Home")), archive));
    EXPECT_GT(seen, 0.2);
    EXPECT_FALSE(upload.lastErrorText().isEmpty());
    EXPECT_EQ(readBytes(archive), QByteArray("the previous document"));
    // No temporary file is left beside the document.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList({"Home.html", "Home.png", "Home.quib", "Home@2x.png"}));

    ZipArchive::setWriteInterruptForTesting({});
    ASSERT_TRUE(upload.zipDocument(path(QStringLiteral("Home")), archive));
    EXPECT_TRUE(unzipTestPasses(archive));
}

TEST_F(PageArchiveTest, SaveIntoAFolderThatIsAFileFails)
{
    writeBytes(path(QStringLiteral("blocker")), "a file, not a folder");
    UploadFTPS upload;
    EXPECT_FALSE(upload.zipDocument(path(QStringLiteral("Home")), path(QStringLiteral("blocker/Home.quib"))));
    EXPECT_FALSE(upload.lastErrorText().isEmpty());
    EXPECT_EQ(readBytes(path(QStringLiteral("blocker"))), QByteArray("a file, not a folder"));
}

TEST_F(PageArchiveTest, ResaveKeepsTheDocumentsPermissions)
{
    const QString archive = path(QStringLiteral("Home.quib"));
    writeBytes(archive, "old");
    const QFileDevice::Permissions permissions =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::WriteGroup;
    QFile::setPermissions(archive, permissions);
    const QFileDevice::Permissions before = QFile::permissions(archive);
    UploadFTPS upload;
    ASSERT_TRUE(upload.zipDocument(path(QStringLiteral("Home")), archive));
    EXPECT_EQ(QFile::permissions(archive), before);
}

TEST_F(PageArchiveTest, UnzipIntoAnExistingFolderMergesAndReplaces)
{
    UploadFTPS upload;
    const QString archive = path(QStringLiteral("Home.zip"));
    ASSERT_TRUE(upload.zipDocument_mailchimp(path(QStringLiteral("Home")), archive));
    const QString site = path(QStringLiteral("site"));
    writeBytes(site + QStringLiteral("/index.html"), "other page");
    writeBytes(site + QStringLiteral("/Home/style.css"), "stale");
    writeBytes(site + QStringLiteral("/Home/kept.txt"), "kept");
    ASSERT_TRUE(upload.unzipDocument(archive, site));
    EXPECT_EQ(readBytes(site + QStringLiteral("/index.html")), QByteArray("other page"));
    EXPECT_EQ(readBytes(site + QStringLiteral("/Home/kept.txt")), QByteArray("kept"));
    EXPECT_EQ(readBytes(site + QStringLiteral("/Home/style.css")),
              readBytes(path(QStringLiteral("Home/style.css"))));
    // The staging folder is gone.
    EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral(".unzip-*")}, QDir::AllEntries | QDir::Hidden),
              QStringList());
}

TEST(PageFileFinderTest, PrefersTheDocumentsOwnPageThenNameOrder)
{
    QTemporaryDir dir;
    for (const char* name : {"About.html", "Home.html", "Home.png", "zeta.php"})
        writeBytes(dir.path() + u'/' + QLatin1String(name), "x");
    QDir().mkpath(dir.path() + QStringLiteral("/Aaa.html")); // a folder is no page file
    const QStringList html{QStringLiteral("html")};
    EXPECT_EQ(PageFileFinder::pageFileIn(dir.path(), QStringLiteral("Home"), html),
              dir.path() + "/Home.html");
    EXPECT_EQ(PageFileFinder::pageFileIn(dir.path(), QStringLiteral("Missing"), html),
              dir.path() + "/About.html");
    EXPECT_EQ(PageFileFinder::pageFileIn(dir.path(), QStringLiteral("zeta"), {"html", "php"}),
              dir.path() + "/zeta.php");
    EXPECT_EQ(PageFileFinder::pageFileIn(dir.path(), QString(), {QStringLiteral("selvaro")}), QString());
}

} // namespace
