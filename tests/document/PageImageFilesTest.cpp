#include "document/PageImageFiles.h"
#include "document/PageParser.h"
#include "model/TransformView.h"

#include "SandboxSnapshot.h"

#include <QBuffer>
#include <QColor>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QMap>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void writeImage(const QString& path, QSize size, const char* format = "PNG")
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::blue);
    ASSERT_TRUE(image.save(path, format));
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(PageImageFiles, SafeNames)
{
    for (const char* bad : {"", "../x", "a/b", "a\\b", ".hidden", "x..y", "image1\n"})
        EXPECT_FALSE(PageImageFiles::isSafeImageName(QString::fromUtf8(bad))) << bad;
    EXPECT_FALSE(PageImageFiles::isSafeImageName(QStringLiteral("image") + QChar(0) + QStringLiteral("x")));
    EXPECT_TRUE(PageImageFiles::isSafeImageName(QStringLiteral("image12")));
    EXPECT_FALSE(PageImageFiles::isSafeImageType(QStringLiteral("png.exe")));
    EXPECT_TRUE(PageImageFiles::isSafeImageType(QStringLiteral("JPG")));
}

TEST(PageImageFiles, LoaderPrefersOriginalThenDoubleResolutionIgnoringCase)
{
    QTemporaryDir dir;
    const QString page = dir.filePath(QStringLiteral("index.html"));
    QDir().mkpath(dir.filePath(QStringLiteral("index")));
    writeImage(dir.filePath(QStringLiteral("index/image3.png")), QSize(1, 1));
    EXPECT_EQ(PageImageFiles::retrieveImageFile(page, QStringLiteral("image3"), QStringLiteral("png")).size(),
              QSize(1, 1));
    writeImage(dir.filePath(QStringLiteral("index/image3@2x.png")), QSize(2, 2));
    writeBytes(dir.filePath(QStringLiteral("index/image3o.PNG")), QByteArray()); // empty: skipped
    EXPECT_EQ(PageImageFiles::retrieveImageFile(page, QStringLiteral("image3"), QStringLiteral("png")).size(),
              QSize(2, 2));
    QFile::remove(dir.filePath(QStringLiteral("index/image3o.PNG")));
    writeImage(dir.filePath(QStringLiteral("index/image3o.png")), QSize(3, 3)); // lower-case original
    EXPECT_EQ(PageImageFiles::retrieveImageFile(page, QStringLiteral("image3"), QStringLiteral("png")).size(),
              QSize(3, 3));
    EXPECT_TRUE(
        PageImageFiles::retrieveImageFile(page, QStringLiteral("image9"), QStringLiteral("png")).isNull());
}

// While an open holds a page's unpacked files, a picture is read from those bytes, not from
// whatever the disk has at that path; outside the scope the disk answers again.
TEST(PageImageFiles, AnOpenReadsTheFilesItUnpackedFromMemory)
{
    QTemporaryDir dir;
    const QString page = dir.filePath(QStringLiteral("index.html"));
    QDir().mkpath(dir.filePath(QStringLiteral("index")));
    const QString original = QDir::cleanPath(dir.filePath(QStringLiteral("index/image1o.PNG")));
    writeImage(original, QSize(1, 1)); // blue on disk
    QImage red(4, 4, QImage::Format_RGB32);
    red.fill(Qt::red);
    QByteArray unpacked;
    {
        QBuffer buffer(&unpacked);
        ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
        ASSERT_TRUE(red.save(&buffer, "PNG"));
    }
    const QHash<QString, QByteArray> files{{original, unpacked}};
    {
        const PageImageFiles::UnpackedScope scope(files);
        EXPECT_TRUE(PageImageFiles::UnpackedScope::holds(original));
        const QImage read =
            PageImageFiles::retrieveImageFile(page, QStringLiteral("image1"), QStringLiteral("PNG"));
        ASSERT_EQ(read.size(), QSize(4, 4));
        EXPECT_EQ(QColor(read.pixel(0, 0)), QColor(Qt::red));
        EXPECT_EQ(PageImageFiles::bytesInMemory(original), unpacked);
    }
    EXPECT_FALSE(PageImageFiles::UnpackedScope::holds(original));
    EXPECT_FALSE(PageImageFiles::bytesInMemory(original));
    EXPECT_EQ(PageImageFiles::retrieveImageFile(page, QStringLiteral("image1"), QStringLiteral("PNG")).size(),
              QSize(1, 1));
}

TEST(PageImageFiles, NextNameAndNameInUse)
{
    EXPECT_EQ(PageImageFiles::getNextImageName({}), QStringLiteral("image0"));
    EXPECT_EQ(PageImageFiles::getNextImageName(
                  {QStringLiteral("image0"), QStringLiteral("image3"), QStringLiteral("logo")}),
              QStringLiteral("image4"));
    QTemporaryDir dir;
    writeBytes(dir.filePath(QStringLiteral("image4@2x.JPG")), "x");
    writeBytes(dir.filePath(QStringLiteral("image5O.png")), "x");
    writeBytes(dir.filePath(QStringLiteral("image60.png")), "x"); // another number
    EXPECT_EQ(PageImageFiles::getNextImageName({QStringLiteral("image3")}, dir.path()),
              QStringLiteral("image6"));

    const QStringList carriers{QStringLiteral("image2"), QStringLiteral("image2")};
    EXPECT_TRUE(PageImageFiles::isImageNameAlreadyInUse(QStringLiteral("image2"), 0, carriers, {}));
    EXPECT_TRUE(PageImageFiles::isImageNameAlreadyInUse(QStringLiteral("image2"), 1, carriers, {}));
    EXPECT_FALSE(
        PageImageFiles::isImageNameAlreadyInUse(QStringLiteral("image2"), 0, {QStringLiteral("image2")}, {}));
    EXPECT_TRUE(PageImageFiles::isImageNameAlreadyInUse(
        QStringLiteral("image7"), 0, {QStringLiteral("image7")}, {QStringLiteral("image7")}));
    EXPECT_FALSE(PageImageFiles::isImageNameAlreadyInUse(QString(), 0, {QString(), QString()}, {}));
}

TEST(PageImageFiles, TransferCopiesWhatExistsAndKeepsTheOld)
{
    QTemporaryDir dir;
    const QString page = dir.filePath(QStringLiteral("index.html"));
    QDir().mkpath(dir.filePath(QStringLiteral("index")));
    writeBytes(dir.filePath(QStringLiteral("index/image2.png")), "a");
    writeBytes(dir.filePath(QStringLiteral("index/image2o.PNG")), "b");
    writeBytes(dir.filePath(QStringLiteral("index/image9@2x.png")), "taken");
    EXPECT_EQ(PageImageFiles::transferImageFilesForNewName(page, QStringLiteral("image2"),
                                                           QStringLiteral("image9"), QStringLiteral("png")),
              2);
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("index/image2.png"))));
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("index/image9.png"))));
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("index/image9o.PNG"))));
    QFile taken(dir.filePath(QStringLiteral("index/image9@2x.png")));
    ASSERT_TRUE(taken.open(QIODevice::ReadOnly));
    EXPECT_EQ(taken.readAll(), QByteArray("taken"));
}

TEST(PageImageFiles, HostileNamesTouchNothingOutsideThePageFolder)
{
    QTemporaryDir root;
    const QString site = root.filePath(QStringLiteral("site"));
    QDir().mkpath(site + QStringLiteral("/index"));
    const QString page = site + QStringLiteral("/index.html");
    // Pictures outside the page folder that the hostile names point at.
    writeImage(site + QStringLiteral("/secreto.PNG"), QSize(5, 5));
    writeImage(root.filePath(QStringLiteral("secreto.PNG")), QSize(5, 5));
    writeImage(root.filePath(QStringLiteral("secret.PNG")), QSize(5, 5));
    writeImage(root.filePath(QStringLiteral("outside.png")), QSize(6, 6));
    // A link inside the folder that leads out of it.
    ASSERT_TRUE(QFile::link(root.filePath(QStringLiteral("outside.png")),
                            site + QStringLiteral("/index/image5o.PNG")));
    writeImage(site + QStringLiteral("/index/image7.PNG"), QSize(7, 7));

    QFile file(QStringLiteral(QUIB_FIXTURES_DIR "/pages/hostile-images.html"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    PageParseInput in;
    in.pageText = QString::fromUtf8(file.readAll());
    // A NUL inside a name.
    in.pageText.replace(QStringLiteral("imagename:image.hidden"),
                        QStringLiteral("imagename:image") + QChar(0) + QStringLiteral("/../../secret"));
    in.pageName = in.templatePageName = QStringLiteral("index");
    in.pagePath = page;
    in.websiteFolder = site;

    QMap<QString, QString> outside = sandboxsnapshot::snapshot(root.path());
    const QMap<QString, QString> before = outside;
    const PageParseResult r = PageParser::presentObjects(in);
    PageParser::applyImageRenames(r, page);

    ASSERT_EQ(r.imageViewArray.size(), 8);
    for (int i = 0; i < 6; ++i)
        EXPECT_TRUE(r.imageViewArray[i]->image().isNull())
            << i << qPrintable(r.imageViewArray[i]->imageName());
    EXPECT_EQ(r.imageViewArray[6]->image().size(), QSize(7, 7));
    EXPECT_EQ(r.imageViewArray[7]->imageName(), QStringLiteral("image8"));

    // Only the copy of the renamed image appears, inside the page folder.
    QMap<QString, QString> after = sandboxsnapshot::snapshot(root.path());
    after.remove(site + QStringLiteral("/index/image8.PNG"));
    for (auto it = before.cbegin(); it != before.cend(); ++it)
        EXPECT_EQ(after.value(it.key()), it.value()) << qPrintable(it.key());
    for (auto it = after.cbegin(); it != after.cend(); ++it)
        EXPECT_TRUE(before.contains(it.key())) << "new file " << qPrintable(it.key());
    EXPECT_TRUE(QFileInfo::exists(site + QStringLiteral("/index/image8.PNG")));
}

} // namespace
