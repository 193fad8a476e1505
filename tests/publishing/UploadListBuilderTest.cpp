// What one page's upload sends: per image its plain, "o" or "@2x" file by its flags, base-template
// images from the project's working copy, the background rule and the page file last.
#include "publishing/UploadListBuilder.h"

#include "document/DRVDocument.h"
#include "model/DRVGalleryGrid.h"
#include "model/DRVImage.h"
#include "model/DRVSlideshow.h"
#include "model/DRVTable.h"
#include "model/TransformView.h"
#include "platform/UndoManager.h"

#include <gtest/gtest.h>

namespace {

const QString kWork = QStringLiteral("/work/pages");
const QString kProject = QStringLiteral("/work/project");

UploadImageCandidate image(const char* name, bool forceNonRetina = false, int enlarge = 0)
{
    UploadImageCandidate candidate;
    candidate.imageName = QLatin1String(name);
    candidate.imageType = QStringLiteral("PNG");
    candidate.templateName = QStringLiteral("Plain");
    candidate.forceNonRetina = forceNonRetina;
    candidate.imageEnlargeFlag = enlarge;
    return candidate;
}

UploadPageSnapshot page(const QList<UploadImageCandidate>& images = {})
{
    UploadPageSnapshot snapshot;
    snapshot.pageName = QStringLiteral("Home");
    snapshot.pageFileExtension = QStringLiteral("html");
    snapshot.tempSavePathLocal = kWork;
    snapshot.openWebsiteFolderTempPath = kProject;
    snapshot.images = images;
    snapshot.pageCopyPath = QStringLiteral("/work/uploads/run-1/Home.html");
    return snapshot;
}

// "local -> folder|name" per item.
QStringList described(const UploadList& list)
{
    QStringList lines;
    for (const UploadItem& item : list.items)
        lines.append(item.localPath() + QStringLiteral(" -> ") + item.remoteFolder() + u'|' + item.remoteFileName());
    return lines;
}

const QString kPageLine = QStringLiteral("/work/uploads/run-1/Home.html -> |Home.html");

} // namespace

TEST(UploadListBuilderTest, EachImageSendsTheFilesItsFlagsNameThenThePageLast)
{
    struct Case
    {
        const char* what;
        UploadImageCandidate image;
        QStringList files; // sent from the page's folder, before the page
        bool retina;
    };
    const Case cases[] = {
        {"double resolution", image("image0"), {QStringLiteral("image0@2x.PNG")}, true},
        {"opens enlarged", image("image1", false, 1), {QStringLiteral("image1o.PNG")}, false},
        {"enlarged, single resolution",
         image("image2", true, 1),
         {QStringLiteral("image2.PNG"), QStringLiteral("image2o.PNG")},
         false},
        {"single resolution", image("image3", true, 0), {QStringLiteral("image3.PNG")}, true},
        // Only 1 means the enlarged copy.
        {"other enlarge value", image("image4", false, 2), {QStringLiteral("image4@2x.PNG")}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const UploadList list = UploadListBuilder::build(page({c.image}));
        QStringList expected;
        for (const QString& file : c.files)
            expected.append(kWork + QStringLiteral("/Home/") + file + QStringLiteral(" -> /Home|") + file);
        expected.append(kPageLine);
        EXPECT_EQ(described(list), expected);
        EXPECT_EQ(list.retinaImages, c.retina ? QList<int>{0} : QList<int>{});
    }
}

TEST(UploadListBuilderTest, QuickRefreshSendsThePageAloneWhateverThePageHolds)
{
    UploadPageSnapshot snapshot = page({image("image0"), image("image1", true, 1)});
    snapshot.uploadImageFlag = false;
    snapshot.backgroundImageFlag = 2;
    snapshot.backgroundImageType = QStringLiteral("JPG");
    const UploadList list = UploadListBuilder::build(snapshot);
    EXPECT_EQ(described(list), QStringList{kPageLine});
    EXPECT_TRUE(list.retinaImages.isEmpty());
}

TEST(UploadListBuilderTest, BaseTemplateImagesComeFromTheProjectCopyAndGoToTheSharedFolder)
{
    UploadImageCandidate shared = image("logo");
    shared.selectable = false;
    shared.templateName = QStringLiteral("Harbour");
    const UploadList list = UploadListBuilder::build(page({image("image0"), shared}));
    EXPECT_EQ(described(list),
              (QStringList{kWork + QStringLiteral("/Home/image0@2x.PNG -> /Home|image0@2x.PNG"),
                           kProject + QStringLiteral("/Harbour/logo@2x.PNG -> /basetemplate|logo@2x.PNG"),
                           kPageLine}));
    EXPECT_EQ(list.retinaImages, (QList<int>{0, 1}));
}

TEST(UploadListBuilderTest, TheBackgroundGoesUnlessThePageTakesItFromTheBaseTemplate)
{
    struct Case
    {
        const char* what;
        const char* pageName;
        int flag;
        const char* type;
        int useBaseTemplate;
        const char* sent; // "" for none
    };
    const Case cases[] = {
        {"JPG background", "Home", 2, "JPG", 0, "background.JPG"},
        {"any other type is PNG", "Home", 2, "PNG", 0, "background.PNG"},
        {"unknown type is PNG", "Home", 1, "", 0, "background.PNG"},
        {"no background", "Home", 0, "JPG", 0, ""},
        {"background of the base template", "Home", 2, "JPG", 1, ""},
        {"the base template itself", "basetemplate", 2, "JPG", 1, "background.JPG"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        UploadPageSnapshot snapshot = page();
        snapshot.pageName = QLatin1String(c.pageName);
        snapshot.backgroundImageFlag = c.flag;
        snapshot.backgroundImageType = QLatin1String(c.type);
        snapshot.useBaseTemplateFlag = c.useBaseTemplate;
        const UploadList list = UploadListBuilder::build(snapshot);
        const QString sent = QLatin1String(c.sent);
        ASSERT_EQ(list.items.size(), sent.isEmpty() ? 1 : 2);
        if (!sent.isEmpty()) {
            const UploadItem& background = list.items.at(0);
            EXPECT_EQ(background.localPath(), kWork + u'/' + snapshot.pageName + u'/' + sent);
            EXPECT_EQ(background.remoteFolder(), u'/' + snapshot.pageName);
            EXPECT_EQ(background.remoteFileName(), sent);
        }
        EXPECT_EQ(list.items.constLast().remoteFileName(), snapshot.pageName + QStringLiteral(".html"));
        EXPECT_TRUE(list.items.constLast().remoteFolder().isEmpty());
    }
}

TEST(UploadListBuilderTest, ThePublishedExtensionNamesThePageOnTheServer)
{
    UploadPageSnapshot snapshot = page();
    snapshot.publishExt = QStringLiteral("php");
    EXPECT_EQ(UploadListBuilder::build(snapshot).items.constLast().remoteFileName(), QStringLiteral("Home.php"));
    snapshot.publishExt.clear();
    EXPECT_EQ(UploadListBuilder::build(snapshot).items.constLast().remoteFileName(), QStringLiteral("Home.html"));
}

TEST(UploadListBuilderTest, NamesThatWouldLeaveTheirFolderAreLeftOut)
{
    UploadImageCandidate climbing = image("../../etc/passwd");
    UploadImageCandidate shared = image("logo");
    shared.selectable = false;
    shared.templateName = QStringLiteral("..");
    const UploadList list = UploadListBuilder::build(page({climbing, shared, image("image0")}));
    EXPECT_EQ(described(list),
              (QStringList{kWork + QStringLiteral("/Home/image0@2x.PNG -> /Home|image0@2x.PNG"), kPageLine}));

    // A page name that is a path sends nothing from a folder of that name, and not the page either.
    UploadPageSnapshot hostile = page({image("image0")});
    hostile.pageName = QStringLiteral("../Home");
    EXPECT_TRUE(UploadListBuilder::build(hostile).items.isEmpty());
}

TEST(UploadListBuilderTest, CandidatesFollowThePageOrderAndTheirContainersSelectability)
{
    DRVDocument document;
    document.undoManager()->disableUndoRegistration();
    const auto carrier = [](const char* name) {
        auto* view = new TransformView;
        view->setImageName(QLatin1String(name));
        view->setImageType(QStringLiteral("JPG"));
        view->setSelectable(1);
        return view;
    };
    auto* slideshow = new DRVSlideshow;
    slideshow->setSelectable(false);
    slideshow->setImageArray({carrier("slide0"), carrier("slide1")});
    auto* gallery = new DRVGalleryGrid;
    gallery->setSelectable(true);
    gallery->setImageArray({carrier("picture0")});
    auto* table = new DRVTable;
    table->setImageArray({carrier("cell0")});
    table->setTableBackgroundImage(carrier("tableBackground"));
    auto* front = new DRVImage;
    front->setImageName(QStringLiteral("image1"));
    front->setSelectable(true);
    auto* back = new DRVImage;
    back->setImageName(QStringLiteral("image0"));
    back->setForceNonRetinaFlag(true);
    back->setImageEnlargeFlag(1);
    back->setSelectable(true);
    ASSERT_TRUE(document.insertGraphics({table, gallery, front, slideshow, back}, {0, 1, 2, 3, 4}));

    const auto names = [](const QList<UploadImageCandidate>& candidates) {
        QStringList found;
        for (const UploadImageCandidate& c : candidates)
            found.append(c.imageName + (c.selectable ? "" : " shared") + (c.forceNonRetina ? " single" : "") +
                         (c.imageEnlargeFlag == 1 ? " enlarges" : ""));
        return found;
    };
    EXPECT_EQ(names(UploadListBuilder::candidates(document, false)),
              (QStringList{"image1", "image0 single enlarges", "slide0 shared", "slide1 shared", "picture0"}));

    QList<QObject*> sources;
    const QList<UploadImageCandidate> withTables = UploadListBuilder::candidates(document, true, &sources);
    EXPECT_EQ(names(withTables), (QStringList{"image1", "image0 single enlarges", "slide0 shared",
                                              "slide1 shared", "picture0", "cell0", "tableBackground single"}));
    ASSERT_EQ(sources.size(), withTables.size());
    EXPECT_EQ(sources.at(0), front);
    EXPECT_EQ(sources.at(6), table->tableBackgroundImage());
}
