#include "platform/SafePath.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace platform;

namespace {

const char* refusalName(PathRefusal r)
{
    switch (r) {
    case PathRefusal::None:
        return "None";
    case PathRefusal::NoFolder:
        return "NoFolder";
    case PathRefusal::EmptyName:
        return "EmptyName";
    case PathRefusal::TooLong:
        return "TooLong";
    case PathRefusal::Separator:
        return "Separator";
    case PathRefusal::DotName:
        return "DotName";
    case PathRefusal::ControlCharacter:
        return "ControlCharacter";
    case PathRefusal::Link:
        return "Link";
    case PathRefusal::Outside:
        return "Outside";
    }
    return "?";
}

bool touch(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("x") == 1;
}

} // namespace

TEST(SafePath, NameRules)
{
    const struct
    {
        QString name;
        PathRefusal expected;
    } cases[] = {
        {QStringLiteral("image12o.PNG"), PathRefusal::None},
        {QStringLiteral("caf\u00e9 page@2x.png"), PathRefusal::None},
        {QStringLiteral("a.b.c"), PathRefusal::None},
        {QString(), PathRefusal::EmptyName},
        {QStringLiteral(""), PathRefusal::EmptyName},
        {QStringLiteral("../../etc/passwd"), PathRefusal::Separator},
        {QStringLiteral("/etc/passwd"), PathRefusal::Separator},
        {QStringLiteral("image1/../../x"), PathRefusal::Separator},
        {QStringLiteral("..\\..\\x"), PathRefusal::Separator},
        {QStringLiteral("C:\\x"), PathRefusal::Separator},
        {QStringLiteral("."), PathRefusal::DotName},
        {QStringLiteral(".."), PathRefusal::DotName},
        // Other dots lead nowhere: "Notes..v2" and ".drafts" are a page's own name.
        {QStringLiteral("..."), PathRefusal::None},
        {QStringLiteral("..4"), PathRefusal::None},
        {QStringLiteral(".drafts"), PathRefusal::None},
        {QStringLiteral("Notes..v2"), PathRefusal::None},
        {QStringLiteral("image") + QChar(0) + QStringLiteral("x"), PathRefusal::ControlCharacter},
        {QStringLiteral("image1\n"), PathRefusal::ControlCharacter},
        {QStringLiteral("a\x1b[2Jb"), PathRefusal::ControlCharacter},
        {QStringLiteral("a\x7f"), PathRefusal::ControlCharacter},
        {QStringLiteral("a") + QChar(0x85), PathRefusal::ControlCharacter},
        {QStringLiteral("a") + QChar(0xd800) + QStringLiteral("b"), PathRefusal::ControlCharacter},
        {QString(255, u'a'), PathRefusal::None},
        {QString(256, u'a'), PathRefusal::TooLong},
        // 128 two-byte characters are 256 bytes on disk.
        {QString(127, QChar(0xe9)), PathRefusal::None},
        {QString(128, QChar(0xe9)), PathRefusal::TooLong},
        {QString(1 << 20, u'a'), PathRefusal::TooLong},
    };
    for (const auto& c : cases) {
        EXPECT_STREQ(refusalName(SafePath::checkName(c.name)), refusalName(c.expected))
            << qPrintable(c.name.left(40));
        EXPECT_EQ(SafePath::isSafeName(c.name), c.expected == PathRefusal::None);
    }
}

TEST(SafePath, LinksAndEntriesOnDisk)
{
    QTemporaryDir root;
    const QString folder = root.filePath(QStringLiteral("page"));
    const QString outside = root.filePath(QStringLiteral("outside.png"));
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(touch(outside));
    ASSERT_TRUE(touch(folder + QStringLiteral("/plain.png")));
    ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("/sub")));
    ASSERT_TRUE(QFile::link(outside, folder + QStringLiteral("/out.png")));
    ASSERT_TRUE(QFile::link(folder + QStringLiteral("/plain.png"), folder + QStringLiteral("/in.png")));
    ASSERT_TRUE(QFile::link(root.filePath(QStringLiteral("made-by-writing.png")),
                            folder + QStringLiteral("/dangling.png")));
    ASSERT_TRUE(QFile::link(root.path(), folder + QStringLiteral("/up")));
    // A second name of an outside file is an entry of the folder, as a copy would be.
    ASSERT_EQ(
        ::link(QFile::encodeName(outside).constData(), QFile::encodeName(folder + "/hard.png").constData()),
        0);

    const struct
    {
        const char* name;
        PathRefusal expected;
    } cases[] =
        {
            {"plain.png", PathRefusal::None},    {"missing.png", PathRefusal::None},
            {"sub", PathRefusal::None},          {"out.png", PathRefusal::Link},
            {"in.png", PathRefusal::Link}, // a link is refused even when it stays inside
            {"dangling.png", PathRefusal::Link}, {"up", PathRefusal::Link},
            {"hard.png", PathRefusal::None},
        };
    for (const auto& c : cases) {
        const QString name = QString::fromLatin1(c.name);
        EXPECT_STREQ(refusalName(SafePath::check(folder, name)), refusalName(c.expected)) << c.name;
        const std::optional<QString> path = SafePath::filePath(folder, name);
        EXPECT_EQ(path.has_value(), c.expected == PathRefusal::None) << c.name;
        if (path) {
            EXPECT_EQ(*path, folder + u'/' + name);
        }
    }
    // A trailing slash on the folder gives no doubled separator.
    EXPECT_EQ(SafePath::filePath(folder + u'/', QStringLiteral("plain.png")),
              std::optional<QString>(folder + QStringLiteral("/plain.png")));
    // The name rules hold before the file system is asked.
    EXPECT_EQ(SafePath::check(folder, QStringLiteral("../outside.png")), PathRefusal::Separator);
}

TEST(SafePath, NoFolderGivesNoPath)
{
    // A path relative to wherever the process runs is never a page's file.
    EXPECT_EQ(SafePath::check(QString(), QStringLiteral("image1.png")), PathRefusal::NoFolder);
    EXPECT_FALSE(SafePath::filePath(QString(), QStringLiteral("image1.png")));
}

TEST(SafePath, FolderThatIsALinkKeepsItsOwnEntries)
{
    // The trusted folder may itself be reached through a link (a home folder on another disk); its
    // entries are still inside it.
    QTemporaryDir root;
    ASSERT_TRUE(QDir().mkpath(root.filePath(QStringLiteral("real"))));
    ASSERT_TRUE(touch(root.filePath(QStringLiteral("real/a.png"))));
    ASSERT_TRUE(QFile::link(root.filePath(QStringLiteral("real")), root.filePath(QStringLiteral("alias"))));
    EXPECT_EQ(SafePath::check(root.filePath(QStringLiteral("alias")), QStringLiteral("a.png")),
              PathRefusal::None);
}
