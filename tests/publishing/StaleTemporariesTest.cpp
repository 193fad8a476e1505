// A save killed while writing the archive leaves its temporary files beside the document: the
// empty one of the write itself and libzip's partial one. The next write or read of that document
// removes them, and leaves alone the files of a write still running (which holds a lock on its
// own) and the temporaries of other documents.
#include "ArchiveTestSupport.h"

#include "publishing/ZipArchive.h"

#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

using namespace archivetest;

namespace {

QStringList hiddenFiles(const QString& folder)
{
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    names.removeIf([](const QString& name) { return !name.startsWith(u'.'); });
    return names;
}

bool writeArchive(const QString& source, const QString& target)
{
    ZipArchive zip;
    return zip.addFile(source, QStringLiteral("page.html")) && zip.writeTo(target);
}

} // namespace

TEST(StaleTemporaries, NextWriteAndNextReadRemoveThoseOfKilledWrites)
{
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("page.html"));
    writeBytes(source, "<html></html>");
    const QString target = dir.filePath(QStringLiteral("Page.quibpage"));
    ASSERT_TRUE(writeArchive(source, target));

    const QStringList stale{".Page.quibpage.a1B2c3", ".Page.quibpage.a1B2c3.Zz9yX8", ".Page.quibpage.Qq0000",
                            ".Page.quibpage.orphan.k3k3k3"};
    const QStringList kept{".Page.quibpage.running", ".Page.quibpage.running.Rr1111",
                           ".Other.quibpage.a1B2c3", ".Page.quibpage.toolong7", "Page.quibpage.a1B2c3",
                           ".Page.quibpage.a1B2c3.Zz9yX8.extra"};
    for (const QString& name : stale + kept)
        writeBytes(dir.filePath(name), "partial");
    // "running" is 7 characters: it is no temporary name. Make it one, held by a live write.
    QFile::rename(dir.filePath(".Page.quibpage.running"), dir.filePath(".Page.quibpage.Run123"));
    QFile::rename(dir.filePath(".Page.quibpage.running.Rr1111"), dir.filePath(".Page.quibpage.Run123.Rr1111"));
    const int held = ::open(QFile::encodeName(dir.filePath(".Page.quibpage.Run123")).constData(), O_RDONLY);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    // libzip's file whose own write's file is gone ("orphan" is no temporary name either: rename).
    QFile::rename(dir.filePath(".Page.quibpage.orphan.k3k3k3"), dir.filePath(".Page.quibpage.Gone00.k3k3k3"));

    ASSERT_TRUE(writeArchive(source, target));
    EXPECT_EQ(hiddenFiles(dir.path()),
              QStringList({".Other.quibpage.a1B2c3", ".Page.quibpage.Run123", ".Page.quibpage.Run123.Rr1111",
                           ".Page.quibpage.a1B2c3.Zz9yX8.extra", ".Page.quibpage.toolong7"}));
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("Page.quibpage.a1B2c3")));
    ::close(held);

    // The write is over: the next read of the document takes its files away too.
    ZipArchive reader;
    ASSERT_TRUE(reader.extractTo(target, dir.filePath(QStringLiteral("out"))));
    EXPECT_EQ(hiddenFiles(dir.path()),
              QStringList({".Other.quibpage.a1B2c3", ".Page.quibpage.a1B2c3.Zz9yX8.extra", ".Page.quibpage.toolong7"}));
    EXPECT_EQ(readBytes(dir.filePath(QStringLiteral("out/page.html"))), "<html></html>");
}
