// A relative path of several components stays below its folder: every component is checked as a
// single name is.
#include "platform/SafePath.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(SafePathBelow, EachComponentIsCheckedOnItsOwn)
{
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("blank")));
    ASSERT_TRUE(QFile::link(QStringLiteral("/etc"), root.filePath(QStringLiteral("elsewhere"))));
    const struct
    {
        const char* relative;
        const char* expected; // below the folder, or nullptr for a refusal
    } rows[] = {{"blank/Blank.quibpage", "blank/Blank.quibpage"},
                {"index.quibpage", "index.quibpage"},
                {"//blank//Blank.quibpage", "blank/Blank.quibpage"},
                {"", nullptr},
                {"/", nullptr},
                {"../outside.quibpage", nullptr},
                {"blank/../../outside", nullptr},
                {"blank/./Blank.quibpage", nullptr},
                {"elsewhere/passwd", nullptr},
                {"blank/bad\nname", nullptr}};
    for (const auto& row : rows) {
        const std::optional<QString> path =
            platform::SafePath::filePathBelow(root.path(), QString::fromUtf8(row.relative));
        if (row.expected) {
            ASSERT_TRUE(path.has_value()) << row.relative;
            EXPECT_EQ(*path, root.filePath(QString::fromUtf8(row.expected))) << row.relative;
        } else {
            EXPECT_FALSE(path.has_value()) << row.relative;
        }
    }
}
