// An open writes only the page file at once and stages the rest of the unpacked files: the page
// reads its pictures from memory meanwhile, and every flow that uses the folder's files finds all
// of them there, never an older copy over a newer one.
#include "DocumentFlowTestSupport.h"
#include "HostilePageSupport.h"

#include "document/PageImageFiles.h"
#include "document/PendingFolderFiles.h"
#include "model/DRVImage.h"
#include "model/DRVText.h"

#include <QImage>

using namespace documentflowtest;

namespace {

// Writes only when a test asks: what is on disk is then exactly what the flows made sure of.
class ForegroundWriting
{
public:
    ForegroundWriting() { PendingFolderFiles::setBackgroundWritingForTesting(false); }
    ~ForegroundWriting()
    {
        PendingFolderFiles::ensureAllComplete();
        PendingFolderFiles::setBackgroundWritingForTesting(true);
    }
};

} // namespace

TEST(PendingFolderFiles, StagedFilesAreAnsweredFromMemoryUntilWrittenWhole)
{
    ForegroundWriting foreground;
    QTemporaryDir dir;
    const QString root = dir.filePath(QStringLiteral("work"));
    const QString images = root + QStringLiteral("/index");
    const QByteArray picture = hostilepage::png(QSize(3, 2), Qt::red);
    PendingFolderFiles::stage(root,
                              {{images + QStringLiteral("/image4@2x.png"), picture},
                               {images + QStringLiteral("/image7o.PNG"), picture},
                               {root + QStringLiteral("/index.png"), QByteArrayLiteral("thumb")},
                               // Outside the root: never written.
                               {dir.filePath(QStringLiteral("elsewhere.txt")), QByteArrayLiteral("x")}});
    EXPECT_FALSE(QFileInfo::exists(images));
    EXPECT_TRUE(PendingFolderFiles::isPending(root));
    EXPECT_EQ(PendingFolderFiles::bytes(images + QStringLiteral("/image4@2x.png")), picture);
    QStringList names = PendingFolderFiles::namesIn(images);
    names.sort();
    EXPECT_EQ(names, (QStringList{QStringLiteral("image4@2x.png"), QStringLiteral("image7o.PNG")}));

    // The page's readers see the staged files as if they were there.
    const QString page = root + QStringLiteral("/index.html");
    EXPECT_EQ(PageImageFiles::retrieveImageFile(page, QStringLiteral("image4"), QStringLiteral("png")).size(),
              QSize(3, 2));
    EXPECT_EQ(PageImageFiles::retrieveImageFile(page, QStringLiteral("image7"), QStringLiteral("jpg")).size(),
              QSize(3, 2));
    EXPECT_EQ(PageImageFiles::findFileIgnoringCase(images, QStringLiteral("IMAGE4@2X.PNG")),
              images + QStringLiteral("/image4@2x.png"));
    // A new image never takes a number whose files are still to come.
    EXPECT_EQ(PageImageFiles::getNextImageName({QStringLiteral("image3")}, images), QStringLiteral("image5"));

    // Any path inside the root completes all of it.
    EXPECT_TRUE(PendingFolderFiles::ensureComplete(images + QStringLiteral("/image4@2x.png")));
    EXPECT_FALSE(PendingFolderFiles::isPending(root));
    EXPECT_FALSE(PendingFolderFiles::bytes(images + QStringLiteral("/image4@2x.png")));
    EXPECT_EQ(readBytes(images + QStringLiteral("/image4@2x.png")), picture);
    EXPECT_EQ(readBytes(images + QStringLiteral("/image7o.PNG")), picture);
    EXPECT_EQ(readBytes(root + QStringLiteral("/index.png")), QByteArrayLiteral("thumb"));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("elsewhere.txt"))));
}

TEST(PendingFolderFiles, WhateverWasPutAtAStagedNameSinceTheOpenIsLeftAlone)
{
    // A file written since, a link to a file elsewhere, and a link to nothing.
    for (const int kind : {0, 1, 2}) {
        ForegroundWriting foreground;
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("work/index/image1o.PNG"));
        const QString elsewhere = dir.filePath(QStringLiteral("outside/victim.png"));
        PendingFolderFiles::stage(dir.filePath(QStringLiteral("work")),
                                  {{file, QByteArrayLiteral("opened")}});
        ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("work/index"))));
        if (kind == 0) {
            ASSERT_TRUE(writeBytes(file, QByteArrayLiteral("replaced by the user")));
        } else {
            if (kind == 1)
                ASSERT_TRUE(writeBytes(elsewhere, QByteArrayLiteral("victim")));
            ASSERT_TRUE(QFile::link(elsewhere, file));
        }
        EXPECT_TRUE(PendingFolderFiles::ensureComplete(dir.filePath(QStringLiteral("work")))) << kind;
        EXPECT_FALSE(PendingFolderFiles::isPending(dir.filePath(QStringLiteral("work")))) << kind;
        if (kind == 0)
            EXPECT_EQ(readBytes(file), QByteArrayLiteral("replaced by the user"));
        else
            EXPECT_TRUE(QFileInfo(file).isSymLink()) << kind;
        EXPECT_EQ(readBytes(elsewhere), kind == 1 ? QByteArrayLiteral("victim") : QByteArray()) << kind;
    }
}

TEST(PendingFolderFiles, AFailedWriteIsReportedKeepsTheBytesAndIsTriedAgain)
{
    ForegroundWriting foreground;
    QTemporaryDir dir;
    const QString root = dir.filePath(QStringLiteral("work"));
    const QString file = root + QStringLiteral("/index/image1.png");
    // A plain file where the folder must go.
    ASSERT_TRUE(writeBytes(root + QStringLiteral("/index"), QByteArrayLiteral("in the way")));
    PendingFolderFiles::stage(root, {{file, QByteArrayLiteral("picture")},
                                     {root + QStringLiteral("/index.png"), QByteArrayLiteral("thumb")}});
    EXPECT_FALSE(PendingFolderFiles::ensureComplete(root));
    EXPECT_EQ(readBytes(root + QStringLiteral("/index.png")), QByteArrayLiteral("thumb"));
    EXPECT_TRUE(PendingFolderFiles::isPending(root));
    EXPECT_EQ(PendingFolderFiles::bytes(file), QByteArrayLiteral("picture"));
    EXPECT_FALSE(QFileInfo(file).exists());

    ASSERT_TRUE(QFile::remove(root + QStringLiteral("/index")));
    EXPECT_TRUE(PendingFolderFiles::ensureComplete(root));
    EXPECT_EQ(readBytes(file), QByteArrayLiteral("picture"));
    EXPECT_FALSE(PendingFolderFiles::isPending(root));
}

TEST(PendingFolderFiles, AFolderSwappedForALinkIsNotWrittenThrough)
{
    ForegroundWriting foreground;
    QTemporaryDir dir;
    const QString root = dir.filePath(QStringLiteral("work"));
    const QString outside = dir.filePath(QStringLiteral("outside"));
    ASSERT_TRUE(QDir().mkpath(outside));
    ASSERT_TRUE(QDir().mkpath(root + QStringLiteral("/page")));
    PendingFolderFiles::stage(root, {{root + QStringLiteral("/page/deep/image1.png"), QByteArrayLiteral("a")},
                                     {root + QStringLiteral("/page/image2.png"), QByteArrayLiteral("b")}});
    ASSERT_TRUE(QDir().rmdir(root + QStringLiteral("/page")));
    ASSERT_TRUE(QFile::link(outside, root + QStringLiteral("/page")));
    EXPECT_FALSE(PendingFolderFiles::ensureComplete(root));
    EXPECT_EQ(filesBelow(outside), QStringList());
    EXPECT_TRUE(QDir(outside).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
    // Once the link is gone the files land where they belong.
    ASSERT_TRUE(QFile::remove(root + QStringLiteral("/page")));
    EXPECT_TRUE(PendingFolderFiles::ensureComplete(root));
    EXPECT_EQ(readBytes(root + QStringLiteral("/page/deep/image1.png")), QByteArrayLiteral("a"));
}

TEST(PendingFolderFiles, TheBackgroundWriterAndAWaitingReaderShareTheWorkAndLoseNothing)
{
    QTemporaryDir dir;
    const QString root = dir.filePath(QStringLiteral("work"));
    std::vector<PendingFolderFiles::File> files;
    for (int i = 0; i < 300; ++i)
        files.push_back(
            {root + QStringLiteral("/page/f%1.bin").arg(i), QByteArray(1000 + i, char('a' + i % 26))});
    PendingFolderFiles::stage(root, files);
    EXPECT_TRUE(PendingFolderFiles::ensureComplete(root));
    EXPECT_FALSE(PendingFolderFiles::isPending(root));
    for (const PendingFolderFiles::File& file : files)
        ASSERT_EQ(readBytes(file.path), file.bytes) << qPrintable(file.path);
    EXPECT_EQ(filesBelow(root).size(), 300);
}

// A saved page of text and pictures, opened with its staged files held back until a flow asks.
class StagedOpenTest : public DocumentFlowTest
{
protected:
    void SetUp() override
    {
        m_path = filePath(QStringLiteral("Pictures.quibpage"));
        DRVDocument page;
        QList<DRVGraphic*> graphics;
        for (int i = 0; i < 3; ++i) {
            auto* image = new DRVImage(&page);
            image->setSlideShowNumber(-99);
            image->setImageName(QStringLiteral("image%1").arg(i));
            image->setImageType(QStringLiteral("png"));
            QImage pixels(QSize(40 + i, 30), QImage::Format_ARGB32_Premultiplied);
            pixels.fill(QColor::fromHsv(i * 90, 200, 220));
            image->setInputImage(pixels);
            image->setContents(pixels);
            image->setBounds(QRectF(20 + 60 * i, 20, 40 + i, 30));
            graphics.append(image);
        }
        auto* text = new DRVText(&page);
        text->setTextType(QStringLiteral("Text"));
        text->setScriptingContents(QStringLiteral("Pictures"));
        text->setBounds(QRectF(20, 80, 200, 40));
        graphics.append(text);
        page.insertGraphics(graphics, {0, 1, 2, 3});
        ASSERT_TRUE(page.saveDocumentTo(m_path));
        // A file the page keeps but never writes itself: only the unpacking brings it back.
        const QString pageFolder = page.tempSavePathLocal() + u'/' + page.pageName();
        ASSERT_TRUE(
            writeBytes(pageFolder + QStringLiteral("/extra/notes.txt"), QByteArrayLiteral("kept as it is")));
        ASSERT_TRUE(DocumentArchiver::zipDocument(pageFolder, m_path));
        std::vector<DocumentArchiver::Member> members;
        ASSERT_TRUE(DocumentArchiver::readDocument(m_path, &members));
        for (const DocumentArchiver::Member& member : members) {
            // The page folder's files; the page file and thumbnails beside it are written afresh.
            if (!member.isFolder && (member.relativePath.startsWith(QLatin1String("image")) ||
                                     member.relativePath.contains(u'/')))
                m_folderMembers.insert(member.relativePath, member.bytes);
        }
        ASSERT_GE(m_folderMembers.size(), 4);
        ASSERT_TRUE(m_folderMembers.contains(QStringLiteral("extra/notes.txt")));
    }

    static QList<QImage> pictures(const DRVDocument& document)
    {
        QList<QImage> found;
        for (DRVGraphic* graphic : document.graphics()) {
            if (auto* image = qobject_cast<DRVImage*>(graphic))
                found.append(image->contents().convertToFormat(QImage::Format_ARGB32));
        }
        return found;
    }

    QString imageFolder(const DRVDocument& document) const
    {
        return QDir(document.tempSavePathLocal()).filePath(document.pageName());
    }

    QString m_path;
    QMap<QString, QByteArray> m_folderMembers; // the archive's page folder files
    ForegroundWriting m_foreground;
};

TEST_F(StagedOpenTest, ThePageShowsItsPicturesBeforeTheirFilesAreWritten)
{
    std::unique_ptr<DRVDocument> document = open(m_path);
    ASSERT_TRUE(document);
    EXPECT_TRUE(QFileInfo(document->pagePath()).isFile());
    for (const QString& name : m_folderMembers.keys())
        EXPECT_FALSE(QFileInfo::exists(QDir(imageFolder(*document)).filePath(name))) << qPrintable(name);
    const QList<QImage> shown = pictures(*document);
    ASSERT_EQ(shown.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(shown[i].size(), QSize(40 + i, 30));
        EXPECT_NEAR(shown[i].pixelColor(1, 1).hue(), i * 90, 2);
    }
}

// Each flow that uses the working folder's files finds every unpacked file there, byte for byte.
struct FolderFlow
{
    const char* name;
    std::function<bool(DRVDocument&, const QString& scratch)> run;
};

void PrintTo(const FolderFlow& flow, std::ostream* os)
{
    *os << flow.name;
}

class StagedFlowTest : public StagedOpenTest, public ::testing::WithParamInterface<FolderFlow>
{
};

TEST_P(StagedFlowTest, FindsEveryUnpackedFileInTheWorkingFolder)
{
    std::unique_ptr<DRVDocument> document = open(m_path);
    ASSERT_TRUE(document);
    // The folder the page was opened into (a rename writes the page into a new one beside it).
    const QString folder = imageFolder(*document);
    ASSERT_TRUE(GetParam().run(*document, filePath(QStringLiteral("scratch"))));
    for (auto it = m_folderMembers.constBegin(); it != m_folderMembers.constEnd(); ++it)
        EXPECT_EQ(readBytes(QDir(folder).filePath(it.key())), it.value()) << qPrintable(it.key());
}

INSTANTIATE_TEST_SUITE_P(
    Flows, StagedFlowTest,
    ::testing::Values(
        FolderFlow{"SaveToAnotherFile",
                   [](DRVDocument& d, const QString& scratch) {
                       return d.saveDocumentTo(scratch + QStringLiteral(".quibpage"));
                   }},
        FolderFlow{"PresentationCopy",
                   [](DRVDocument& d, const QString&) { return d.prepForPresentation(true); }},
        FolderFlow{"PreviewPageFile", [](DRVDocument& d, const QString&) { return d.savePageFile(false); }},
        FolderFlow{"PublishedPageCopy",
                   [](DRVDocument& d, const QString& scratch) {
                       return d.exportPublishVersion(scratch + QStringLiteral("/page.html"));
                   }},
        FolderFlow{"Rename", [](DRVDocument& d,
                                const QString&) { return d.renameFileName(QStringLiteral("Renamed")); }}),
    [](const ::testing::TestParamInfo<FolderFlow>& info) { return std::string(info.param.name); });

TEST_F(StagedOpenTest, ASaveRightAfterTheOpenKeepsEveryPicture)
{
    std::unique_ptr<DRVDocument> document = open(m_path);
    ASSERT_TRUE(document);
    const QList<QImage> before = pictures(*document);
    document->graphics().constFirst()->setBounds(
        document->graphics().constFirst()->bounds().translated(5, 0));
    document->updateChangeCount(DRVDocument::ChangeType::Done);
    const QString copy = filePath(QStringLiteral("Copy.quibpage"));
    ASSERT_TRUE(document->saveDocumentTo(copy));

    std::vector<DocumentArchiver::Member> members;
    ASSERT_TRUE(DocumentArchiver::readDocument(copy, &members));
    QStringList names;
    for (const DocumentArchiver::Member& member : members)
        names.append(member.relativePath);
    for (const QString& name : m_folderMembers.keys())
        EXPECT_TRUE(names.contains(name))
            << qPrintable(name) << " missing from " << qPrintable(names.join(u' '));

    document.reset();
    std::unique_ptr<DRVDocument> reopened = open(copy);
    ASSERT_TRUE(reopened);
    EXPECT_EQ(pictures(*reopened), before);
}

TEST_F(StagedOpenTest, ARemovedBackgroundIsNotBroughtBackByTheStagedFiles)
{
    // A page whose folder holds a background picture.
    {
        std::unique_ptr<DRVDocument> document = open(m_path);
        ASSERT_TRUE(document);
        ASSERT_TRUE(document->completeWorkingFolder());
        QImage background(QSize(8, 8), QImage::Format_RGB32);
        background.fill(Qt::green);
        ASSERT_TRUE(background.save(QDir(imageFolder(*document)).filePath(QStringLiteral("background.PNG"))));
        document->setBackgroundImage(background);
        document->setBackgroundImageType(QStringLiteral("PNG"));
        document->setBackgroundImageFlag(2);
        document->updateChangeCount(DRVDocument::ChangeType::Done);
        ASSERT_TRUE(document->saveDocument());
    }
    std::unique_ptr<DRVDocument> document = open(m_path);
    ASSERT_TRUE(document);
    ASSERT_EQ(document->backgroundImageFlag(), 2);
    document->removeBackground();
    PendingFolderFiles::ensureAllComplete();
    EXPECT_FALSE(QFileInfo::exists(QDir(imageFolder(*document)).filePath(QStringLiteral("background.PNG"))));
}
