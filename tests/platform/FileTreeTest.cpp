#include "platform/FileTree.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

bool write(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// Files, hidden ones and empty folders are copied; links are not. An existing file is kept with
// keepExisting and is a failure without it.
TEST(FileTree, CopiesFilesAndFoldersButNoLinksAndKeepsOrReportsWhatIsThere)
{
    QTemporaryDir dir;
    const QString from = dir.filePath(QStringLiteral("from"));
    ASSERT_TRUE(write(from + QStringLiteral("/a.txt"), "a"));
    ASSERT_TRUE(write(from + QStringLiteral("/deep/er/b.txt"), "b"));
    ASSERT_TRUE(write(from + QStringLiteral("/.hidden"), "h"));
    ASSERT_TRUE(QDir().mkpath(from + QStringLiteral("/empty")));
    ASSERT_TRUE(write(dir.filePath(QStringLiteral("outside.txt")), "secret"));
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("outside.txt")), from + QStringLiteral("/link.txt")));

    for (const bool keepExisting : {true, false}) {
        SCOPED_TRACE(keepExisting ? "keeping" : "not keeping");
        const QString to = dir.filePath(keepExisting ? QStringLiteral("kept") : QStringLiteral("reported"));
        ASSERT_TRUE(write(to + QStringLiteral("/a.txt"), "already there"));
        const QStringList failed = platform::copyTree(from, to, keepExisting);
        EXPECT_EQ(failed, keepExisting ? QStringList() : QStringList{QStringLiteral("a.txt")});
        EXPECT_EQ(read(to + QStringLiteral("/a.txt")), QByteArray("already there"));
        EXPECT_EQ(read(to + QStringLiteral("/deep/er/b.txt")), QByteArray("b"));
        EXPECT_EQ(read(to + QStringLiteral("/.hidden")), QByteArray("h"));
        EXPECT_TRUE(QFileInfo(to + QStringLiteral("/empty")).isDir());
        EXPECT_FALSE(QFileInfo::exists(to + QStringLiteral("/link.txt")));
        EXPECT_FALSE(QFileInfo(to + QStringLiteral("/link.txt")).isSymLink());
    }
}

TEST(FileTree, ATargetThatCannotBeMadeIsReported)
{
    QTemporaryDir dir;
    ASSERT_TRUE(write(dir.filePath(QStringLiteral("from/a.txt")), "a"));
    ASSERT_TRUE(write(dir.filePath(QStringLiteral("file")), "x"));
    const QString target = dir.filePath(QStringLiteral("file/inside"));
    EXPECT_EQ(platform::copyTree(dir.filePath(QStringLiteral("from")), target), QStringList{target});
}
