#include "platform/FileTree.h"

#include "common/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using testfiles::readBytes;
using testfiles::writeBytes;

// Files, hidden ones and empty folders are copied; links are not. An existing file is kept with
// keepExisting and is a failure without it.
TEST(FileTree, CopiesFilesAndFoldersButNoLinksAndKeepsOrReportsWhatIsThere)
{
    QTemporaryDir dir;
    const QString from = dir.filePath(QStringLiteral("from"));
    ASSERT_TRUE(writeBytes(from + QStringLiteral("/a.txt"), "a"));
    ASSERT_TRUE(writeBytes(from + QStringLiteral("/deep/er/b.txt"), "b"));
    ASSERT_TRUE(writeBytes(from + QStringLiteral("/.hidden"), "h"));
    ASSERT_TRUE(QDir().mkpath(from + QStringLiteral("/empty")));
    ASSERT_TRUE(writeBytes(dir.filePath(QStringLiteral("outside.txt")), "secret"));
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("outside.txt")), from + QStringLiteral("/link.txt")));

    for (const bool keepExisting : {true, false}) {
        SCOPED_TRACE(keepExisting ? "keeping" : "not keeping");
        const QString to = dir.filePath(keepExisting ? QStringLiteral("kept") : QStringLiteral("reported"));
        ASSERT_TRUE(writeBytes(to + QStringLiteral("/a.txt"), "already there"));
        const QStringList failed = platform::copyTree(from, to, keepExisting);
        EXPECT_EQ(failed, keepExisting ? QStringList() : QStringList{QStringLiteral("a.txt")});
        EXPECT_EQ(readBytes(to + QStringLiteral("/a.txt")), QByteArray("already there"));
        EXPECT_EQ(readBytes(to + QStringLiteral("/deep/er/b.txt")), QByteArray("b"));
        EXPECT_EQ(readBytes(to + QStringLiteral("/.hidden")), QByteArray("h"));
        EXPECT_TRUE(QFileInfo(to + QStringLiteral("/empty")).isDir());
        EXPECT_FALSE(QFileInfo::exists(to + QStringLiteral("/link.txt")));
        EXPECT_FALSE(QFileInfo(to + QStringLiteral("/link.txt")).isSymLink());
    }
}

TEST(FileTree, ATargetThatCannotBeMadeIsReported)
{
    QTemporaryDir dir;
    ASSERT_TRUE(writeBytes(dir.filePath(QStringLiteral("from/a.txt")), "a"));
    ASSERT_TRUE(writeBytes(dir.filePath(QStringLiteral("file")), "x"));
    const QString target = dir.filePath(QStringLiteral("file/inside"));
    EXPECT_EQ(platform::copyTree(dir.filePath(QStringLiteral("from")), target), QStringList{target});
}
