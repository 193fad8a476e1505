// Writing an archive over an earlier one takes the earlier one's packed data for large members
// whose bytes are unchanged; every other member is packed from its file. Whatever is taken over,
// the new archive holds exactly the files' present bytes.
#include "ArchiveTestSupport.h"

#include "publishing/ZipArchive.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace archivetest;

namespace {

// Compressible but not trivially so, like a font file.
QByteArray fontLike(qsizetype size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char("abcdefgh"[random.bounded(8)]);
    return bytes;
}

bool pack(const QString& folder, const QStringList& names, const QString& target)
{
    ZipArchive zip;
    for (const QString& name : names) {
        if (!zip.addFile(QDir(folder).filePath(name), name))
            return false;
    }
    return zip.writeTo(target);
}

QMap<QString, QByteArray> unpacked(const QString& archive, const QString& into)
{
    ZipArchive zip;
    EXPECT_TRUE(zip.extractTo(archive, into)) << zip.errorText().toStdString();
    return snapshot(into);
}

} // namespace

TEST(Repack, AnArchiveWrittenOverAnEarlierOneHoldsTheFilesPresentBytes)
{
    const QByteArray big = fontLike(200 * 1024, 1);
    QByteArray sameSizeChanged = big;
    sameSizeChanged[100 * 1024] = sameSizeChanged[100 * 1024] == 'a' ? 'b' : 'a';
    const struct
    {
        const char* name;
        QByteArray before;
        QByteArray after;
    } cases[] = {
        {"unchanged large file", big, big},
        {"changed in place at the same size", big, sameSizeChanged},
        {"grown", big, big + "tail"},
        {"small and changed", "small", "SMALL"},
        {"new file of a known name, earlier one not deflated", QByteArray(20 * 1024, '\0'), fontLike(20 * 1024, 2)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("page"));
        const QString archive = dir.filePath(QStringLiteral("Page.quibpage"));
        const QStringList names{QStringLiteral("fonts/Font.ttf"), QStringLiteral("page.html")};
        writeBytes(QDir(folder).filePath(names[0]), c.before);
        writeBytes(QDir(folder).filePath(names[1]), "<html></html>");
        ASSERT_TRUE(pack(folder, names, archive));
        writeBytes(QDir(folder).filePath(names[0]), c.after);
        ASSERT_TRUE(pack(folder, names, archive));
        const QMap<QString, QByteArray> files = unpacked(archive, dir.filePath(QStringLiteral("out")));
        EXPECT_EQ(files.value(names[0]), c.after);
        EXPECT_EQ(files.value(names[1]), "<html></html>");
        if (haveUnzip())
            EXPECT_TRUE(unzipTestPasses(archive));
    }
}

// An earlier archive that is no zip at all, or is damaged, is simply replaced.
TEST(Repack, ADamagedEarlierArchiveIsReplaced)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("page"));
    const QString archive = dir.filePath(QStringLiteral("Page.quibpage"));
    const QByteArray big = fontLike(64 * 1024, 3);
    writeBytes(QDir(folder).filePath(QStringLiteral("Font.ttf")), big);
    ASSERT_TRUE(pack(folder, {QStringLiteral("Font.ttf")}, archive));
    QByteArray damaged = readBytes(archive);
    for (qsizetype i = 40; i < damaged.size() / 2; ++i)
        damaged[i] = char(~damaged[i]);
    for (const QByteArray& earlier : {damaged, QByteArray("not a zip")}) {
        writeBytes(archive, earlier);
        ASSERT_TRUE(pack(folder, {QStringLiteral("Font.ttf")}, archive));
        EXPECT_EQ(unpacked(archive, dir.filePath(QStringLiteral("out%1").arg(earlier.size())))
                      .value(QStringLiteral("Font.ttf")),
                  big);
    }
}
