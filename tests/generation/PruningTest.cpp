// Files of a page's image folder that no image uses are removed by a save that writes, and only
// those the page writer makes.
#include "GenerationTestSupport.h"

#include "generation/ImageFolderPruner.h"
#include "model/DRVImage.h"

#include <QDir>
#include <QFile>

using generationtest::GenerationTest;

namespace {

class PruningTest : public GenerationTest
{
protected:
    PruningTest()
    {
        document.setTempSavePathLocal(saveFolder.path());
        document.setPageName(QStringLiteral("index"));
        QDir().mkpath(folder());
    }
    QString folder() const { return saveFolder.filePath(QStringLiteral("index")); }
    void touch(const QString& name) const
    {
        QFile file(QDir(folder()).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("x");
    }
    QStringList files() const
    {
        QStringList names = QDir(folder()).entryList(QDir::Files);
        names.sort();
        return names;
    }
    DRVImage* addImage(const QString& name)
    {
        auto* image = new DRVImage(&document);
        document.insertGraphics({image}, {0});
        QImage picture(20, 20, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        image->setContents(picture);
        image->setBounds(QRectF(0, 0, 20, 20));
        image->setImageName(name);
        image->setImageType(QStringLiteral("PNG"));
        image->setSelectable(true);
        return image;
    }

    QTemporaryDir saveFolder;
    DRVDocument document;
};

const QStringList kLeftovers{"image7.PNG", "image7@2x.PNG",  "image7o.PNG",    "image7_mask.png",
                             "image1.JPG", "background.PNG", "backgroundo.JPG"};
const QStringList kKept{"full.css", "mobile.css", "photo.png", "image7-old.PNG", "notes.txt", "image.PNG"};

} // namespace

TEST_F(PruningTest, ASaveRemovesOnlyGeneratedNamesThatNoImageUses)
{
    auto* used = addImage(QStringLiteral("image1"));
    QImage mask(20, 20, QImage::Format_Grayscale8);
    mask.fill(Qt::white);
    used->setMaskImage(mask);
    for (const QString& name : kLeftovers + kKept)
        touch(name);

    document.generateSourceCode(QStringLiteral("index"), false, true);

    QStringList expected = kKept;
    expected << "image1@2x.PNG"
             << "image1o.PNG"
             << "image1_mask.png";
    expected.sort();
    EXPECT_EQ(files(), expected);
}

TEST_F(PruningTest, APassThatDoesNotSaveRemovesNothing)
{
    for (const QString& name : kLeftovers + kKept)
        touch(name);
    const QStringList before = files();
    document.generateSourceCode(QStringLiteral("index"), false, false);
    document.generateSourceCode(QStringLiteral("index"), true, false);
    EXPECT_EQ(files(), before);
}

TEST_F(PruningTest, AnImageOfAnotherPageKeepsNoFileAndAnEmptyFolderIsNeverPruned)
{
    auto* other = addImage(QStringLiteral("image4"));
    other->setTemplateName(QStringLiteral("other"));
    const QList<QObject*> images{other};
    EXPECT_FALSE(
        ImageFolderPruner::isImageInUse(document, QStringLiteral("image4"), QStringLiteral("PNG"), images));
    other->setTemplateName(QStringLiteral("index"));
    EXPECT_TRUE(
        ImageFolderPruner::isImageInUse(document, QStringLiteral("image4o"), QStringLiteral("PNG"), images));
    EXPECT_FALSE(
        ImageFolderPruner::isImageInUse(document, QStringLiteral("image4"), QStringLiteral("JPG"), images));

    // The background files stay while the page shows its own background.
    document.setBackgroundImageFlag(2);
    EXPECT_TRUE(
        ImageFolderPruner::isImageInUse(document, QStringLiteral("backgroundo"), QStringLiteral("PNG"), {}));
    document.setUseBaseTemplateFlag(1);
    EXPECT_FALSE(
        ImageFolderPruner::isImageInUse(document, QStringLiteral("background"), QStringLiteral("PNG"), {}));

    touch(QStringLiteral("image9.PNG"));
    ImageFolderPruner::pruneUnusedImageFiles(document, QString());
    EXPECT_TRUE(files().contains(QStringLiteral("image9.PNG")));
}
