// The display files ("<name>@2x.<type>") an opened page brings: the first save after the open leaves
// those that are what it would write, and writes the others anew.
#include "DocumentFlowTestSupport.h"
#include "common/TestPictures.h"

#include "document/PendingFolderFiles.h"
#include "model/DRVImage.h"
#include "model/DRVLine.h"

#include <QImageReader>
#include <sys/stat.h>

using namespace documentflowtest;

namespace {

DRVImage* addImage(DRVDocument& document, const QString& name, const QRectF& bounds, const QImage& picture)
{
    auto* image = new DRVImage(&document);
    document.insertGraphics({image}, {0});
    image->setSlideShowNumber(-99);
    image->setContents(picture);
    image->setInputImage(picture);
    image->setBounds(bounds);
    image->setImageName(name);
    image->setImageType(QStringLiteral("PNG"));
    image->setSelectable(true);
    return image;
}

DRVImage* imageNamed(const DRVDocument& document, const QString& name)
{
    for (DRVGraphic* graphic : document.graphics()) {
        if (auto* image = qobject_cast<DRVImage*>(graphic); image && image->imageName() == name)
            return image;
    }
    return nullptr;
}

// A file written anew is a new file (written beside and renamed over the old one).
struct FileState
{
    ino_t inode = 0;
    QByteArray bytes;
    bool operator==(const FileState&) const = default;
};

FileState stateOf(const QString& path)
{
    struct stat status = {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return {};
    return FileState{status.st_ino, readBytes(path)};
}

class DisplayFilesTest : public DocumentFlowTest
{
protected:
    // Builds and saves a page of a photograph (a scaled display file) and a flat picture (whose
    // display file is its smaller original); returns the document's path.
    QString savedPage()
    {
        DRVDocument document;
        addImage(document, QStringLiteral("image1"), QRectF(10, 10, 100, 50), noisyPicture(400, 200, 1));
        QImage flat(10, 10, QImage::Format_RGB32);
        flat.fill(Qt::red);
        addImage(document, QStringLiteral("image2"), QRectF(200, 10, 300, 300), flat);
        const QString path = filePath(QStringLiteral("Pictures.quibpage"));
        EXPECT_TRUE(document.saveDocumentTo(path));
        return path;
    }
    static QString displayFile(const DRVDocument& document, const QString& name)
    {
        return document.tempSavePathLocal() + u'/' + document.pageName() + u'/' + name +
               QStringLiteral("@2x.PNG");
    }
    // A save after an edit that leaves the pictures alone.
    static void editAndSave(DRVDocument& document, const QString& path)
    {
        auto* line = new DRVLine(&document);
        line->setBeginPoint(QPointF(5, 5));
        line->setEndPoint(QPointF(50, 5));
        document.insertGraphics({line}, {0});
        document.setDocumentChangedCounter(1);
        ASSERT_TRUE(document.saveDocumentTo(path));
    }
};

} // namespace

TEST_F(DisplayFilesTest, TheFirstSaveAfterAnOpenKeepsDisplayFilesThatAreCurrent)
{
    // The open's files are written in the background, and may reach the disk only after the open
    // has judged them (always so when the writer is held back until a reader asks).
    struct Restore
    {
        ~Restore() { PendingFolderFiles::setBackgroundWritingForTesting(true); }
    } restore;
    for (const bool background : {true, false}) {
        SCOPED_TRACE(background ? "written in the background" : "written when asked for");
        PendingFolderFiles::setBackgroundWritingForTesting(background);
        const QString path = savedPage();
        std::unique_ptr<DRVDocument> document = open(path);
        ASSERT_TRUE(document);
        // The unpacked files are written in the background; a reader of the folder asks for them.
        ASSERT_TRUE(document->completeWorkingFolder());
        const QString photo = displayFile(*document, QStringLiteral("image1"));
        const QString flat = displayFile(*document, QStringLiteral("image2"));
        ASSERT_EQ(QImageReader(photo).size(), QSize(200, 100));
        const FileState photoBefore = stateOf(photo);
        const FileState flatBefore = stateOf(flat);

        editAndSave(*document, path);
        EXPECT_EQ(stateOf(photo), photoBefore);
        EXPECT_EQ(stateOf(flat), flatBefore);

        // A picture whose box changed is shown from a new display file, in the document as well.
        imageNamed(*document, QStringLiteral("image1"))->setBounds(QRectF(10, 10, 60, 40));
        editAndSave(*document, path);
        EXPECT_EQ(QImageReader(photo).size(), QSize(120, 80));
        std::unique_ptr<DRVDocument> reopened = open(path);
        ASSERT_TRUE(reopened);
        ASSERT_TRUE(reopened->completeWorkingFolder());
        EXPECT_EQ(QImageReader(displayFile(*reopened, QStringLiteral("image1"))).size(), QSize(120, 80));
    }
}

TEST_F(DisplayFilesTest, ADisplayFileThatIsNotWhatASaveWritesIsWrittenAnew)
{
    // A document whose display file has another size than its box asks for (a page from elsewhere,
    // or an older save), and one whose flat picture's display file is not its original.
    const QString path = savedPage();
    {
        std::unique_ptr<DRVDocument> document = open(path);
        ASSERT_TRUE(document);
        ASSERT_TRUE(document->completeWorkingFolder());
        ASSERT_TRUE(noisyPicture(50, 50, 7).save(displayFile(*document, QStringLiteral("image1")), "PNG"));
        ASSERT_TRUE(noisyPicture(37, 37, 8).save(displayFile(*document, QStringLiteral("image2")), "PNG"));
        ASSERT_TRUE(
            DocumentArchiver::zipDocument(document->tempSavePathLocal() + u'/' + document->pageName(), path));
    }
    std::unique_ptr<DRVDocument> document = open(path);
    ASSERT_TRUE(document);
    ASSERT_TRUE(document->completeWorkingFolder());
    const QString flat = displayFile(*document, QStringLiteral("image2"));
    ASSERT_EQ(QImageReader(flat).size(), QSize(37, 37));
    editAndSave(*document, path);
    EXPECT_EQ(QImageReader(displayFile(*document, QStringLiteral("image1"))).size(), QSize(200, 100));
    EXPECT_EQ(readBytes(flat), readBytes(document->tempSavePathLocal() + u'/' + document->pageName() +
                                         QStringLiteral("/image2o.PNG")));
}
