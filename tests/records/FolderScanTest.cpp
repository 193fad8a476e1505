// The catalog scan on temporary trees: which items it lists and in what order, their dates and
// folder sizes, unreadable places, the progress cadence and the numbered copies.
#include "editions/DataCentre.h"
#include "records/CatalogScan.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

void writeFile(const QString& path, const QByteArray& bytes = {})
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

QStringList relativePaths(const QList<QuibFileHelper>& records, const QString& root)
{
    QStringList paths;
    for (const QuibFileHelper& record : records)
        paths << QDir(root).relativeFilePath(record.filePath);
    return paths;
}

quint64 entrySize(const QString& path)
{
    struct stat status;
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? quint64(status.st_size) : 0;
}

// Root reads every folder, so the unreadable-folder case drops to an ordinary user while it scans.
class ScopedUnprivileged
{
public:
    ScopedUnprivileged()
    {
        if (::geteuid() == 0) {
            m_dropped = ::setegid(65534) == 0 && ::seteuid(65534) == 0;
            EXPECT_TRUE(m_dropped);
        }
    }
    ~ScopedUnprivileged()
    {
        if (m_dropped) {
            EXPECT_EQ(::seteuid(0), 0);
            EXPECT_EQ(::setegid(0), 0);
        }
    }

private:
    bool m_dropped = false;
};

class FolderScan : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_root = m_dir.path() + QStringLiteral("/pick");
        QDir().mkpath(m_root);
    }
    QString at(const QString& relative) const { return m_root + u'/' + relative; }

    QTemporaryDir m_dir;
    QString m_root;
};

TEST_F(FolderScan, ListsExactCaseExtensionsHiddenItemsInNameOrderEveryRun)
{
    for (const char* name : {"c.jpg", "a.Jpg", "b.Mp4", ".hidden.jpg", "sub/e.GIF", "sub/d.png", "sub/x.txt",
                             "sub/.h/f.jpeg", "sub/v.webm", "sub/w.MOV", "z.mov", "y.PnG", "clip.avi.txt"})
        writeFile(at(QString::fromLatin1(name)));

    const struct
    {
        CatalogKind kind;
        QStringList expected;
    } cases[] = {
        {CatalogKind::Photos, {".hidden.jpg", "c.jpg", "sub/.h/f.jpeg", "sub/d.png", "sub/e.GIF"}},
        {CatalogKind::Videos, {"sub/v.webm", "sub/w.MOV", "z.mov"}},
        {CatalogKind::Folders, {"sub", "sub/.h"}},
        {CatalogKind::None, {}},
    };
    for (const auto& c : cases) {
        const QStringList first = relativePaths(CatalogScan::scan(m_root, c.kind, {}), m_root);
        EXPECT_EQ(first, c.expected) << int(c.kind);
        EXPECT_EQ(relativePaths(CatalogScan::scan(m_root, c.kind, {}), m_root), first) << int(c.kind);
    }
}

TEST_F(FolderScan, FileDatesAreTheEarlierOfBirthAndModification)
{
    writeFile(at(QStringLiteral("old.jpg")));
    writeFile(at(QStringLiteral("future.jpg")));
    const QDateTime old(QDate(2016, 3, 5), QTime(10, 30));
    const QDateTime future(QDate(2031, 7, 9), QTime(8, 0));
    for (const auto& [name, when] : {std::pair{"old.jpg", old}, std::pair{"future.jpg", future}}) {
        QFile file(at(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(when, QFileDevice::FileModificationTime));
    }
    const QList<QuibFileHelper> records = CatalogScan::scan(m_root, CatalogKind::Photos, {});
    ASSERT_EQ(records.size(), 2);
    // Name order: future.jpg, old.jpg.
    const QDateTime born = QFileInfo(at(QStringLiteral("future.jpg"))).birthTime();
    const QDateTime expectedFuture = born.isValid() && born < future ? born : future;
    EXPECT_EQ(records[0].fileModDate, expectedFuture);
    EXPECT_EQ(records[1].fileModDate, old);
    EXPECT_EQ(records[1].fileModDateString, QStringLiteral("Mar 05 2016"));
    EXPECT_EQ(records[1].fileModDateString_fileNameFormat, QStringLiteral("20160305"));
    EXPECT_TRUE(records[1].fileSize.isEmpty());
}

TEST_F(FolderScan, FolderSizesSumDirectEntriesOnlyInSixtyFourBits)
{
    writeFile(at(QStringLiteral("A/one.bin")), QByteArray(100, 'x'));
    writeFile(at(QStringLiteral("A/two.bin")), QByteArray(3000, 'y'));
    writeFile(at(QStringLiteral("A/B/deep.bin")), QByteArray(5000, 'z'));
    QDir().mkpath(at(QStringLiteral("C")));
    // A sparse file past 4 GiB takes no disk space but shows a 32-bit count wrapping.
    writeFile(at(QStringLiteral("D/huge.bin")));
    ASSERT_EQ(::truncate(QFile::encodeName(at(QStringLiteral("D/huge.bin"))).constData(), 5'000'000'123LL),
              0);
    ASSERT_EQ(::symlink("one.bin", QFile::encodeName(at(QStringLiteral("A/link"))).constData()), 0);

    const QList<QuibFileHelper> records = CatalogScan::scan(m_root, CatalogKind::Folders, {});
    EXPECT_EQ(relativePaths(records, m_root), (QStringList{"A", "A/B", "C", "D"}));
    ASSERT_EQ(records.size(), 4);
    const quint64 sizeOfA =
        100 + 3000 + entrySize(at(QStringLiteral("A/B"))) + entrySize(at(QStringLiteral("A/link")));
    EXPECT_EQ(records[0].fileSizeBytes, sizeOfA);
    EXPECT_EQ(records[1].fileSizeBytes, 5000u);
    EXPECT_EQ(records[2].fileSizeBytes, 0u);
    EXPECT_EQ(records[3].fileSizeBytes, 5'000'000'123ull);
    EXPECT_EQ(records[3].fileSize, QStringLiteral("5 GB"));
    EXPECT_EQ(records[1].fileSize, QStringLiteral("5 KB"));
    EXPECT_EQ(records[0].fileModDate, QFileInfo(at(QStringLiteral("A"))).lastModified());
    EXPECT_EQ(CatalogScan::sizeOfFolder(at(QStringLiteral("missing"))), 0u);
}

TEST_F(FolderScan, UnreadableFolderIsPassedOver)
{
    writeFile(at(QStringLiteral("a.jpg")));
    writeFile(at(QStringLiteral("locked/inside.jpg")));
    writeFile(at(QStringLiteral("z/last.jpg")));
    // The ordinary user must reach the tree; only "locked" is closed to it.
    for (const QString& path : {m_dir.path(), m_root, at(QStringLiteral("z"))})
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                        QFileDevice::ReadOther | QFileDevice::ExeOther);
    QFile::setPermissions(at(QStringLiteral("z/last.jpg")), QFileDevice::ReadOwner | QFileDevice::ReadOther);
    QFile::setPermissions(at(QStringLiteral("a.jpg")), QFileDevice::ReadOwner | QFileDevice::ReadOther);
    ASSERT_EQ(::chmod(QFile::encodeName(at(QStringLiteral("locked"))).constData(), 0), 0);

    QList<QuibFileHelper> records;
    {
        ScopedUnprivileged unprivileged;
        records = CatalogScan::scan(m_root, CatalogKind::Photos, {});
    }
    ::chmod(QFile::encodeName(at(QStringLiteral("locked"))).constData(), 0700);
    EXPECT_EQ(relativePaths(records, m_root), (QStringList{"a.jpg", "z/last.jpg"}));
}

TEST_F(FolderScan, ProgressEveryTenUpToAThousandItemsElseEveryFifty)
{
    const struct
    {
        int items;
        int step;
    } cases[] = {{1000, 10}, {1001, 50}};
    for (const auto& c : cases) {
        const QString root = m_dir.path() + QStringLiteral("/cadence%1").arg(c.items);
        QDir().mkpath(root);
        for (int i = 0; i < c.items; ++i)
            writeFile(root + QStringLiteral("/p%1.jpg").arg(i, 4, 10, QLatin1Char('0')));
        QList<qint32> positions;
        const QList<QuibFileHelper> records =
            CatalogScan::scan(root, CatalogKind::Photos, [&](qint32 done, qint32 total, const QString& text) {
                positions << done;
                EXPECT_EQ(total, c.items);
                EXPECT_TRUE(text.startsWith(QStringLiteral("Found "))) << text.toStdString();
            });
        EXPECT_EQ(records.size(), c.items);
        ASSERT_EQ(positions.size(), c.items / c.step) << c.items;
        for (int k = 0; k < positions.size(); ++k)
            EXPECT_EQ(positions[k], (k + 1) * c.step);
    }
    EXPECT_EQ(CatalogScan::progressStep(1000), 10);
    EXPECT_EQ(CatalogScan::progressStep(1001), 50);
}

TEST_F(FolderScan, VideosReportEveryFoundItem)
{
    for (const char* name : {"a.mp4", "b.txt", "c.ogg", "d.mp4"})
        writeFile(at(QString::fromLatin1(name)));
    QStringList reports;
    CatalogScan::scan(m_root, CatalogKind::Videos, [&](qint32 done, qint32 total, const QString& text) {
        reports << QStringLiteral("%1/%2 %3").arg(done).arg(total).arg(text);
    });
    EXPECT_EQ(reports, (QStringList{"1/4 Found 1 supported files", "3/4 Found 2 supported files",
                                    "4/4 Found 3 supported files"}));
}

TEST_F(FolderScan, CopiesAreNumberedByPositionAndReplacedByTheNextRun)
{
    writeFile(at(QStringLiteral("one/same.jpg")), "first");
    writeFile(at(QStringLiteral("two/same.jpg")), "second");
    QList<QuibFileHelper> records = CatalogScan::scan(m_root, CatalogKind::Photos, {});
    ASSERT_EQ(records.size(), 2);
    const QString output = m_dir.path() + QStringLiteral("/site");
    QDir().mkpath(output);

    QList<qint32> steps;
    EXPECT_EQ(CatalogScan::duplicate(records, output, QStringLiteral("photo"),
                                     [&](qint32 done, qint32, const QString&) { steps << done; }),
              0);
    EXPECT_EQ(steps, QList<qint32>{0});
    EXPECT_EQ(records[0].updatedFilePath, QStringLiteral("photo/photo0.jpg"));
    EXPECT_EQ(records[1].updatedFilePath, QStringLiteral("photo/photo1.jpg"));
    auto contents = [&](const QString& relative) {
        QFile file(output + u'/' + relative);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    };
    EXPECT_EQ(contents(QStringLiteral("photo/photo0.jpg")), QByteArray("first"));
    EXPECT_EQ(contents(QStringLiteral("photo/photo1.jpg")), QByteArray("second"));

    // A second run replaces the earlier copies; a file gone since the scan is counted as failed.
    writeFile(at(QStringLiteral("one/same.jpg")), "changed");
    QFile::remove(at(QStringLiteral("two/same.jpg")));
    EXPECT_EQ(CatalogScan::duplicate(records, output, QStringLiteral("photo"), {}), 1);
    EXPECT_EQ(contents(QStringLiteral("photo/photo0.jpg")), QByteArray("changed"));
}

TEST(ByteCount, FileStyleTexts)
{
    const struct
    {
        quint64 bytes;
        const char* text;
    } cases[] = {{0, "Zero KB"},          {1, "1 byte"},
                 {999, "999 bytes"},      {1000, "1 KB"},
                 {1499, "1 KB"},          {1500, "2 KB"},
                 {999'499, "999 KB"},     {999'500, "1 MB"},
                 {1'000'000, "1 MB"},     {1'000'001, "1 MB"},
                 {1'550'000, "1.6 MB"},   {3'221'225'472, "3.22 GB"},
                 {5'000'000'123, "5 GB"}, {1'230'000'000'000, "1.23 TB"}};
    for (const auto& c : cases)
        EXPECT_EQ(CatalogScan::byteCountString(c.bytes), QString::fromLatin1(c.text)) << c.bytes;
}

TEST(ByteCount, FileSizeTextOfAPath)
{
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/f.bin");
    writeFile(path, QByteArray(2500, 'a'));
    EXPECT_EQ(DataCentre::grabFileSizeStr(path), QStringLiteral("3 KB"));
    EXPECT_EQ(DataCentre::grabFileSizeStr(dir.path() + QStringLiteral("/none")), QStringLiteral("Zero KB"));
}

} // namespace
