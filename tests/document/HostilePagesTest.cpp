// Page documents whose names try to reach files elsewhere: image names and types that climb out of
// the page folder, absolute names, backslashes, control characters, and links planted in the working
// folder. Each page is opened, saved and saved under a new name through the real flow, while every
// file in a sandbox around the page is watched: only the page's own files may change.
#include "DocumentFlowTestSupport.h"
#include "HostilePageSupport.h"
#include "SandboxSnapshot.h"

#include "document/PageImageFiles.h"
#include "model/DRVImage.h"
#include "platform/SafePath.h"

#include <QDirIterator>
#include <QImage>

using namespace documentflowtest;
using namespace hostilepage;
using namespace sandboxsnapshot;

class HostilePagesTest : public DocumentFlowTest
{
protected:
    HostilePagesTest()
    {
        // The working root inside the sandbox, so that names climbing out of the page folder land
        // in watched folders.
        m_sandbox = m_root.filePath(QStringLiteral("sandbox"));
        m_workRoot = m_sandbox + QStringLiteral("/work");
        m_outside = m_sandbox + QStringLiteral("/outside");
        QDir().mkpath(m_workRoot);
        QDir().mkpath(m_outside);
        QDir().mkpath(m_sandbox + QStringLiteral("/documents"));
        EditionSettings& e = edition();
        e.gTempFolderPath = m_workRoot;
        e.gTempSaveFolderPath = m_workRoot + QStringLiteral("/0000Received_Pages/tempSave000000");
        QDir().mkpath(e.gTempSaveFolderPath);
    }

    // A page document "<pageName>.quibpage" holding the given images.
    QString buildDocument(const QList<HostileImage>& images,
                          const QString& pageName = QStringLiteral("Hostile"))
    {
        const QString document =
            m_sandbox + QStringLiteral("/documents/") + pageName + QStringLiteral(".quibpage");
        EXPECT_TRUE(writeDocument(m_root.filePath(QStringLiteral("staging")), pageName, images, document));
        return document;
    }

    QTemporaryDir m_root;
    QString m_sandbox;
    QString m_workRoot;
    QString m_outside;
};

TEST_F(HostilePagesTest, OpenSaveAndSaveAsTouchNothingOutsideThePage)
{
    // Levels above the image folder W/P: W, its stamp folder, the received pages, the working root,
    // the sandbox.
    QList<HostileImage> images{
        {QStringLiteral("../victim"), QStringLiteral("PNG")},
        {QStringLiteral("../../victim"), QStringLiteral("PNG")},
        {QStringLiteral("../../../victim"), QStringLiteral("PNG")},
        {QStringLiteral("../../../../victim"), QStringLiteral("PNG")},
        {QStringLiteral("../../../../../victim"), QStringLiteral("PNG")},
        {QStringLiteral("image1/../../../../../../victim"), QStringLiteral("PNG")},
        {m_sandbox + QStringLiteral("/victim"), QStringLiteral("PNG")},
        {QStringLiteral("..\\..\\..\\..\\..\\victim"), QStringLiteral("PNG")},
        {QStringLiteral("image\x7f/../victim"), QStringLiteral("PNG")},
        {QStringLiteral("image\u0085x"), QStringLiteral("PNG")},
        {QStringLiteral(".victim"), QStringLiteral("PNG")},
        {QStringLiteral("image6"), QStringLiteral("/../../../../../../victim")},
        {QStringLiteral("image7"), QStringLiteral("PNG")}, // ordinary
        {QStringLiteral("image5"), QStringLiteral("PNG")}, // its files become links below
        {QStringLiteral("image8"), QStringLiteral("PNG")}, // a dangling link takes its retina file
    };
    const QString path = buildDocument(images);
    const QString received = m_workRoot + QStringLiteral("/0000Received_Pages");
    QDir().mkpath(received);
    for (const QString& folder : {m_sandbox, m_workRoot, received})
        plantVictims(folder);
    ASSERT_TRUE(writeBytes(m_outside + QStringLiteral("/linked.PNG"), png(QSize(4, 4), Qt::blue)));
    ASSERT_TRUE(writeBytes(m_outside + QStringLiteral("/background.PNG"), png(QSize(4, 4), Qt::blue)));
    ASSERT_TRUE(writeBytes(m_outside + QStringLiteral("/thumbnail.png"), png(QSize(4, 4), Qt::blue)));

    // Opening reads, and writes only into a working folder of its own.
    const QMap<QString, QString> beforeOpen = snapshot(m_sandbox);
    std::unique_ptr<DRVDocument> document = open(path);
    ASSERT_TRUE(document);
    QStringList names;
    for (DRVGraphic* graphic : document->graphics())
        names << graphic->imageName();
    ASSERT_EQ(document->graphics().size(), images.size()) << qPrintable(names.join(u'|'));
    const QString working = document->tempSavePathLocal();
    const QString stamp = QFileInfo(working).absolutePath();
    const QString pageFolder = working + QStringLiteral("/Hostile");
    ASSERT_TRUE(QFileInfo(pageFolder).isDir());
    EXPECT_EQ(changes(beforeOpen, snapshot(m_sandbox),
                      [&](const QString& p) {
                          return isBelow(p, stamp) || p.startsWith(m_workRoot + QStringLiteral("/unpack-"));
                      }),
              "");

    // Victims beside the working folder too, and links planted in it, as a shared working folder
    // or a website folder could hold them.
    plantVictims(working);
    plantVictims(stamp);
    ASSERT_TRUE(QFile::link(m_outside + QStringLiteral("/linked.PNG"),
                            pageFolder + QStringLiteral("/image5@2x.PNG")));
    ASSERT_TRUE(
        QFile::link(m_outside + QStringLiteral("/linked.PNG"), pageFolder + QStringLiteral("/image5.PNG")));
    ASSERT_TRUE(QFile::link(m_outside + QStringLiteral("/created.PNG"),
                            pageFolder + QStringLiteral("/image8@2x.PNG")));
    ASSERT_TRUE(QFile::link(m_outside + QStringLiteral("/background.PNG"),
                            pageFolder + QStringLiteral("/background.PNG")));
    ASSERT_TRUE(
        QFile::link(m_outside + QStringLiteral("/thumbnail.png"), working + QStringLiteral("/Hostile.png")));
    ASSERT_TRUE(QFile::link(m_outside + QStringLiteral("/created.js"),
                            working + QStringLiteral("/bootstrap.min.js")));
    edition().gExternalStyleSheetFlag = true;
    ASSERT_TRUE(
        QFile::link(m_outside + QStringLiteral("/created.css"), pageFolder + QStringLiteral("/full.css")));
    givePictures(*document);
    document->setBackgroundImage(QImage(QSize(6, 6), QImage::Format_RGB32));
    document->setBackgroundImageType(QStringLiteral("PNG"));
    document->setBackgroundImageFlag(2);
    document->setDocumentChangedCounter(1);

    const QMap<QString, QString> beforeSave = snapshot(m_sandbox);
    const QString copy = m_sandbox + QStringLiteral("/documents/Copy.quibpage");
    // The page's own files: its folder, page file, thumbnails (one of them is a planted link and
    // must stay), the script files a page links to, the two document files, and the save folder.
    const QStringList ownFiles{QStringLiteral("Hostile.html"), QStringLiteral("Hostile@2x.png"),
                               QStringLiteral("jquery-2.2.2.min.js"), QStringLiteral("bootstrap.min.js"),
                               QStringLiteral("bootstrap.min.css")};
    auto pageOwn = [&](const QString& p) {
        return isBelow(p, pageFolder) ||
               (QFileInfo(p).absolutePath() == working && ownFiles.contains(QFileInfo(p).fileName())) ||
               p == path || p == copy || isBelow(p, edition().gTempSaveFolderPath);
    };
    // The save the window makes on its own, then a save under a new name.
    EXPECT_TRUE(document->askPageToSaveItself());
    document->setDocumentChangedCounter(1);
    EXPECT_TRUE(document->saveDocumentTo(copy));
    const QMap<QString, QString> afterSave = snapshot(m_sandbox);
    EXPECT_EQ(changes(beforeSave, afterSave, pageOwn), "");

    // Planted links stay links, their targets untouched, and nothing appeared where a dangling one
    // pointed.
    EXPECT_TRUE(QFileInfo(pageFolder + QStringLiteral("/image5@2x.PNG")).isSymLink());
    EXPECT_FALSE(QFileInfo::exists(m_outside + QStringLiteral("/created.PNG")));
    EXPECT_FALSE(QFileInfo::exists(m_outside + QStringLiteral("/created.js")));
    EXPECT_FALSE(QFileInfo::exists(m_outside + QStringLiteral("/created.css")));
    // Inside the page folder only plain names were written: nothing hidden, nothing with "..".
    for (const QString& name : QDir(pageFolder).entryList(QDir::Files | QDir::Hidden | QDir::System))
        EXPECT_TRUE(PageImageFiles::isSafeImageName(name)) << qPrintable(name);

    // The ordinary image saved as before, and the saved documents open with its picture.
    EXPECT_TRUE(QFileInfo(pageFolder + QStringLiteral("/image7@2x.PNG")).isFile());
    EXPECT_TRUE(QFileInfo(pageFolder + QStringLiteral("/image7o.PNG")).isFile());
    for (const QString& saved : {path, copy}) {
        std::unique_ptr<DRVDocument> reopened = open(saved);
        ASSERT_TRUE(reopened);
        bool found = false;
        for (DRVGraphic* graphic : reopened->graphics()) {
            auto* image = qobject_cast<DRVImage*>(graphic);
            if (image && image->imageName() == QStringLiteral("image7")) {
                found = true;
                EXPECT_FALSE(image->contents().isNull());
            }
        }
        EXPECT_TRUE(found) << qPrintable(saved);
    }
}

TEST_F(HostilePagesTest, PageFolderThatIsALinkRefusesTheSave)
{
    const QString path = buildDocument({{QStringLiteral("image7"), QStringLiteral("PNG")}});
    std::unique_ptr<DRVDocument> document = open(path);
    ASSERT_TRUE(document);
    // The swap comes once the open has finished writing the page's files (while they are still
    // being written, a file already created inside would move out with its folder and be
    // completed there); the staged writes' own refusal of links is tested with them.
    ASSERT_TRUE(document->completeWorkingFolder());
    const QString working = document->tempSavePathLocal();
    const QString pageFolder = working + QStringLiteral("/Hostile");
    // The page folder swapped for a link to a folder elsewhere.
    const QString elsewhere = m_outside + QStringLiteral("/elsewhere");
    ASSERT_TRUE(QDir().rename(pageFolder, elsewhere));
    ASSERT_TRUE(QFile::link(elsewhere, pageFolder));
    document->setDocumentChangedCounter(1);

    const QMap<QString, QString> before = snapshot(m_outside);
    const QByteArray documentBytes = readBytes(path);
    EXPECT_FALSE(document->saveDocument());
    EXPECT_TRUE(alertTitles().contains(QStringLiteral("Not able to save")));
    EXPECT_EQ(changes(before, snapshot(m_outside), [](const QString&) { return false; }), "");
    // The document file is left as it was.
    EXPECT_EQ(readBytes(path), documentBytes);
}

TEST_F(HostilePagesTest, NewPageSavedUnderADotNameGetsAPlainPageName)
{
    // A new page takes its name from the file it is saved as; a name that is no plain file name
    // gives way to the default one.
    DRVDocument document;
    const QString target = m_sandbox + QStringLiteral("/documents/..quibpage");
    const QMap<QString, QString> before = snapshot(m_sandbox);
    ASSERT_TRUE(document.saveDocumentTo(target));
    EXPECT_EQ(document.pageName(), QStringLiteral("untitled"));
    const QString working = document.tempSavePathLocal();
    EXPECT_TRUE(QFileInfo(working + QStringLiteral("/untitled.html")).isFile());
    EXPECT_EQ(changes(before, snapshot(m_sandbox),
                      [&](const QString& p) {
                          return isBelow(p, QFileInfo(working).absolutePath()) || p == target ||
                                 isBelow(p, m_workRoot + QStringLiteral("/0000Received_Pages"));
                      }),
              "");
}

TEST_F(HostilePagesTest, TwoDotsInsideAPageNameAreAnOrdinaryName)
{
    // Only "." and ".." lead elsewhere; a page called "Notes..v2" opens with its pictures and saves.
    const QString path =
        buildDocument({{QStringLiteral("image7"), QStringLiteral("PNG")}}, QStringLiteral("Notes..v2"));
    std::unique_ptr<DRVDocument> document = open(path);
    ASSERT_TRUE(document);
    ASSERT_EQ(document->graphics().size(), 1);
    auto* image = qobject_cast<DRVImage*>(document->graphics().first());
    ASSERT_TRUE(image);
    EXPECT_FALSE(image->contents().isNull());
    document->setDocumentChangedCounter(1);
    EXPECT_TRUE(document->saveDocument());
    EXPECT_TRUE(
        QFileInfo(document->tempSavePathLocal() + QStringLiteral("/Notes..v2/image7@2x.PNG")).isFile());
}

TEST_F(HostilePagesTest, DocumentsNamedLikeTheFolderOrItsParentStayInTheirStamp)
{
    // "..quibpage" and "...quibpage" name their pages "." and "..": as folder names those are the
    // stamp folder itself and the received pages folder.
    const QString source = buildDocument({{QStringLiteral("image7"), QStringLiteral("PNG")}});
    const QString received = m_workRoot + QStringLiteral("/0000Received_Pages");
    QDir().mkpath(received);
    for (const char* fileName : {"..quibpage", "...quibpage"}) {
        const QString hostile = m_sandbox + QStringLiteral("/documents/") + QString::fromLatin1(fileName);
        ASSERT_TRUE(QFile::copy(source, hostile));
        const QMap<QString, QString> before = snapshot(m_sandbox);
        const QStringList stampsBefore = QDir(received).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        // A new stamp folder of its own, the document itself and the save folder may change.
        auto own = [&](const QString& p) {
            const QString relative = QDir(received).relativeFilePath(p);
            const QString first = relative.section(u'/', 0, 0);
            const bool inNewStamp = !relative.startsWith(QStringLiteral("..")) &&
                                    !stampsBefore.contains(first) &&
                                    QFileInfo(received + u'/' + first).isDir();
            return inNewStamp || p == hostile || isBelow(p, edition().gTempSaveFolderPath);
        };

        std::unique_ptr<DRVDocument> document = open(hostile);
        ASSERT_TRUE(document) << fileName;
        EXPECT_TRUE(platform::SafePath::isSafeName(document->pageName())) << qPrintable(document->pageName());
        document->setDocumentChangedCounter(1);
        EXPECT_TRUE(document->saveDocument()) << fileName;
        EXPECT_EQ(changes(before, snapshot(m_sandbox), own), "") << fileName;
    }
}

TEST_F(HostilePagesTest, WebsiteFolderWithLinksOutIsNeverWrittenThrough)
{
    // A website folder read in place, whose page file and page folder are links to elsewhere.
    const QString site = m_sandbox + QStringLiteral("/site");
    const QString images = m_outside + QStringLiteral("/images");
    QString page = QStringLiteral("<html><head>\n<style type=text/css>\n");
    page += imageRule(QStringLiteral("image7"), QStringLiteral("PNG"), 0);
    page += QStringLiteral("</style></head>\n<body>\n<div id=content>\n</div></body></html>\n");
    ASSERT_TRUE(writeBytes(m_outside + QStringLiteral("/real.html"), page.toUtf8()));
    ASSERT_TRUE(writeBytes(images + QStringLiteral("/image7o.PNG"), png(QSize(8, 8), Qt::red)));
    // Files the writer made once and no image uses now: the pruner's business, in a page folder.
    ASSERT_TRUE(writeBytes(images + QStringLiteral("/image3.PNG"), png(QSize(2, 2), Qt::red)));
    ASSERT_TRUE(writeBytes(images + QStringLiteral("/image3o.PNG"), png(QSize(2, 2), Qt::red)));
    ASSERT_TRUE(QDir().mkpath(site));
    ASSERT_TRUE(QFile::link(m_outside + QStringLiteral("/real.html"), site + QStringLiteral("/About.html")));
    ASSERT_TRUE(QFile::link(images, site + QStringLiteral("/About")));

    DRVDocument::setWebsiteFolderOpenFlag(true);
    DRVDocument::setPendingWebsiteFolderPath(site);
    std::unique_ptr<DRVDocument> document = open(site + QStringLiteral("/About.quibpage"));
    DRVDocument::setWebsiteFolderOpenFlag(false);
    ASSERT_TRUE(document);
    ASSERT_EQ(document->tempSavePathLocal(), site);
    givePictures(*document);
    document->setDocumentChangedCounter(1);

    const QMap<QString, QString> before = snapshot(m_outside);
    EXPECT_FALSE(document->saveDocumentTo(m_sandbox + QStringLiteral("/documents/About.quibpage")));
    EXPECT_TRUE(alertTitles().contains(QStringLiteral("Not able to save")));
    EXPECT_EQ(changes(before, snapshot(m_outside), [](const QString&) { return false; }), "");
    EXPECT_TRUE(QFileInfo(site + QStringLiteral("/About.html")).isSymLink());
}
