// Opening and saving page documents end to end: fixture archives of both layouts and a form
// document open; saving writes only what changed; a failed open or save loses nothing.
#include "DocumentFlowTestSupport.h"

#include "editions/DataCentre.h"
#include "model/DRVLine.h"
#include "model/DRVText.h"
#include "platform/TextEncoding.h"
#include "platform/UndoManager.h"

#include <QDirIterator>

using namespace documentflowtest;

namespace {

struct FixtureCase
{
    const char* edition;
    const char* document;
    const char* pageName;
    const char* extension;
    const char* pageFileType;
    QStringList workingFiles; // relative to tempSavePathLocal
};

void PrintTo(const FixtureCase& c, std::ostream* os)
{
    *os << c.document;
}

} // namespace

class FixtureOpenTest : public DocumentFlowTest, public ::testing::WithParamInterface<FixtureCase>
{
protected:
    FixtureOpenTest() : DocumentFlowTest(GetParam().edition) {}
};

TEST_P(FixtureOpenTest, OpensIntoItsOwnWorkingFolder)
{
    const FixtureCase& c = GetParam();
    const QString path = fixture(QString::fromLatin1(c.document));
    std::unique_ptr<DRVDocument> document = open(path);
    ASSERT_TRUE(document);
    // Only the notice about a font this machine lacks may come up.
    for (const QString& title : alertTitles())
        EXPECT_EQ(title, QStringLiteral("Font Not Supported"));
    EXPECT_EQ(document->filePath(), path);
    EXPECT_EQ(document->pageName(), QString::fromLatin1(c.pageName));
    EXPECT_EQ(document->pageFileExtension(), QString::fromLatin1(c.extension));
    EXPECT_EQ(document->pageFileType(), QString::fromLatin1(c.pageFileType));
    EXPECT_FALSE(document->graphics().isEmpty());
    EXPECT_TRUE(QFileInfo(document->pagePath()).isFile());
    EXPECT_TRUE(document->tempSavePathLocal().startsWith(edition().gTempFolderPath));
    // The unpacked files are written in the background; a reader of the folder asks for them.
    ASSERT_TRUE(document->completeWorkingFolder());
    const QStringList files = filesBelow(document->tempSavePathLocal());
    for (const QString& expected : c.workingFiles)
        EXPECT_TRUE(files.contains(expected))
            << expected.toStdString() << " not in " << files.join(", ").toStdString();
    // Opening is not an edit and leaves nothing to undo.
    EXPECT_FALSE(document->isDocumentEdited());
    EXPECT_FALSE(document->undoManager()->canUndo());
}

INSTANTIATE_TEST_SUITE_P(Documents, FixtureOpenTest,
                         ::testing::Values(FixtureCase{"HTML Quib Pro",
                                                       "Home-top.quibpage",
                                                       "Home-top",
                                                       "html",
                                                       "quibpage",
                                                       {"Home-top.html", "Home.png", "Home@2x.png",
                                                        "Home-top/full.css", "Home-top/extra/readme.txt"}},
                                           FixtureCase{"Brumel Responsive Website Designer",
                                                       "Home-folder.zqv",
                                                       "Home",
                                                       "html",
                                                       "zqv",
                                                       {"Home.html", "Home.png", "Home@2x.png",
                                                        "Home/full.css", "Home/images/dot.png"}},
                                           FixtureCase{"Selvaro Pro",
                                                       "Contact.selvaro",
                                                       "Contact",
                                                       "php",
                                                       "selvaro",
                                                       {"Contact.php", "Contact.png", "Contact@2x.png"}}));

using OpenSaveTest = DocumentFlowTest;

TEST_F(OpenSaveTest, OpenReadsTheMarkersAndKeepsBaseTemplateGraphicsWithoutABaseTemplate)
{
    std::unique_ptr<DRVDocument> document = open(fixture(QStringLiteral("Home-top.quibpage")));
    ASSERT_TRUE(document);
    // The fixture's second line belongs to the base template. Outside a website project there is
    // no base template to bring it back, so the page keeps its own copy rather than lose it.
    ASSERT_EQ(document->graphics().size(), 2);
    EXPECT_TRUE(document->graphics().at(0)->isLineGraphic());
    EXPECT_TRUE(document->graphics().at(1)->isLineGraphic());
    // It is the page's own now: the next save writes it with the page's name.
    QList<QPointF> begins;
    for (const DRVGraphic* graphic : document->graphics())
        begins << graphic->beginPoint();
    EXPECT_TRUE(begins.contains(QPointF(300, 400)));
    EXPECT_EQ(document->pageOfficialName(), QStringLiteral("Home Page"));
    EXPECT_EQ(document->windowTitle(), QStringLiteral("Home Page (Home-top.quibpage)"));
}

TEST_F(OpenSaveTest, EachOpeningGetsItsOwnFolder)
{
    const QString path = fixture(QStringLiteral("Home-top.quibpage"));
    std::unique_ptr<DRVDocument> first = open(path);
    std::unique_ptr<DRVDocument> second = open(path);
    ASSERT_TRUE(first && second);
    EXPECT_NE(first->tempSavePathLocal(), second->tempSavePathLocal());
    EXPECT_NE(first->pagePath(), second->pagePath());
    // The second opening must not have taken the first one's files away.
    EXPECT_TRUE(QFileInfo(first->pagePath()).isFile());
    EXPECT_TRUE(QFileInfo(second->pagePath()).isFile());
    // No shared scratch folder is left behind.
    EXPECT_FALSE(QFileInfo::exists(m_work.filePath(QStringLiteral("tempFiles"))));
}

// Archives the open flow must refuse: the alert, and no document.
class RefusedArchiveTest : public DocumentFlowTest, public ::testing::WithParamInterface<const char*>
{
};

TEST_P(RefusedArchiveTest, ShowsTheAlertAndKeepsTheOpenPage)
{
    std::unique_ptr<DRVDocument> refused =
        DRVDocument::openDocument(fixture(QString::fromLatin1(GetParam())));
    EXPECT_FALSE(refused);
    ASSERT_EQ(m_dialogs->alerts().size(), 1);
    const platform::Alert alert = m_dialogs->alerts().first();
    EXPECT_EQ(alert.title, QStringLiteral("Not able to open"));
    EXPECT_EQ(alert.informativeText, QStringLiteral("This file can not be opened."));
    EXPECT_EQ(alert.buttons, QStringList{QStringLiteral("Dismiss")});

    // A document that is open keeps its page when its file turns bad under it.
    const QString path = fixture(QStringLiteral("Home-top.quibpage"));
    std::unique_ptr<DRVDocument> document = open(path);
    ASSERT_TRUE(document);
    const QList<DRVGraphic*> before = document->graphics();
    const QString pagePath = document->pagePath();
    const QString working = document->tempSavePathLocal();
    ASSERT_TRUE(writeBytes(path, readBytes(QStringLiteral(QUIB_FIXTURES_DIR "/documents/") + GetParam())));
    EXPECT_FALSE(document->refreshDocument());
    EXPECT_EQ(document->graphics(), before);
    EXPECT_EQ(document->pagePath(), pagePath);
    EXPECT_EQ(document->tempSavePathLocal(), working);
    EXPECT_EQ(m_dialogs->alerts().size(), 2);

    // Opening another file that fails leaves this document on its own file.
    EXPECT_FALSE(document->readFromURL(filePath(QStringLiteral("missing.quibpage"))));
    EXPECT_EQ(document->filePath(), path);
    EXPECT_EQ(document->graphics(), before);
    // Nothing escaped the unpacking folder.
    EXPECT_FALSE(QFileInfo::exists(m_work.filePath(QStringLiteral("outside.txt"))));
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(m_work.path()).absolutePath() + QStringLiteral("/outside.txt")));
}

INSTANTIATE_TEST_SUITE_P(Archives, RefusedArchiveTest,
                         ::testing::Values("Broken.quibpage", "Escape.quibpage"));

TEST_F(OpenSaveTest, SavingWritesOnlyWhatChanged)
{
    const QString path = fixture(QStringLiteral("Home-top.quibpage"));
    std::unique_ptr<DRVDocument> document = open(path);
    ASSERT_TRUE(document);
    NotificationCounter websiteUpdated(QStringLiteral("websiteUpdated"));

    // The fixture's page still carries a base-template line the page does not show, so the first
    // save writes the page as it stands; the next one, with nothing changed, writes nothing.
    EXPECT_TRUE(document->saveDocument());
    const QByteArray original = readBytes(path);
    const QDateTime written = QFileInfo(path).lastModified();
    EXPECT_TRUE(document->saveDocument());
    EXPECT_EQ(readBytes(path), original);
    EXPECT_EQ(QFileInfo(path).lastModified(), written);
    EXPECT_EQ(websiteUpdated.count, 0);

    // An edit is written and packed, and the page opens with it.
    auto* line = add<DRVLine>(*document);
    line->setBeginPoint(QPointF(5, 5));
    line->setEndPoint(QPointF(105, 5));
    document->updateChangeCount(DRVDocument::ChangeType::Done);
    document->setDocumentChangedCounter(1);
    EXPECT_TRUE(document->saveDocument());
    EXPECT_NE(readBytes(path), original);
    EXPECT_FALSE(document->isDocumentEdited());
    EXPECT_EQ(document->documentChangedCounter(), 0);
    EXPECT_EQ(websiteUpdated.count, 0);
    // The page's line, the base template's line it keeps, and the new one.
    std::unique_ptr<DRVDocument> reopened = open(path);
    ASSERT_TRUE(reopened);
    EXPECT_EQ(reopened->graphics().size(), 3);

    // Save As: a new file, the document follows it, and the page list hears of it.
    const QString copy = filePath(QStringLiteral("Copy.quibpage"));
    EXPECT_TRUE(document->saveDocumentTo(copy));
    EXPECT_EQ(document->filePath(), copy);
    EXPECT_EQ(websiteUpdated.count, 1);
    std::unique_ptr<DRVDocument> copied = open(copy);
    ASSERT_TRUE(copied);
    EXPECT_EQ(copied->graphics().size(), 3);
    // The unpacked files are written in the background; a reader of the folder asks for them.
    ASSERT_TRUE(copied->completeWorkingFolder());
    EXPECT_TRUE(QFileInfo(copied->tempSavePathLocal() + QStringLiteral("/Copy/full.css")).isFile());
    EXPECT_TRUE(alertTitles().isEmpty()) << alertTitles().join(", ").toStdString();
}

TEST_F(OpenSaveTest, ANewPageGetsAWorkingFolderAtItsFirstSave)
{
    DRVDocument document;
    EXPECT_TRUE(document.isDraft());
    auto* line = add<DRVLine>(document);
    line->setBeginPoint(QPointF(0, 0));
    line->setEndPoint(QPointF(50, 50));
    document.updateChangeCount(DRVDocument::ChangeType::Done);

    // The save panel answers the path.
    const QString path = filePath(QStringLiteral("Fresh Page.quibpage"));
    m_dialogs->queueSavePanelAnswer(path);
    EXPECT_TRUE(document.saveDocument());
    EXPECT_EQ(m_dialogs->saveRequests().size(), 1);
    EXPECT_EQ(document.filePath(), path);
    EXPECT_EQ(document.pageName(), QStringLiteral("Fresh Page"));
    EXPECT_FALSE(document.isDocumentEdited());
    EXPECT_EQ(document.windowTitle(), QStringLiteral(" (Fresh Page.quibpage)"));

    std::unique_ptr<DRVDocument> reopened = open(path);
    ASSERT_TRUE(reopened);
    ASSERT_EQ(reopened->graphics().size(), 1);
    EXPECT_EQ(reopened->graphics().first()->endPoint(), QPointF(50, 50));
}

TEST_F(OpenSaveTest, AFailedPackIsReportedAndLosesNothing)
{
    const QString path = fixture(QStringLiteral("Home-top.quibpage"));
    std::unique_ptr<DRVDocument> document = open(path);
    ASSERT_TRUE(document);
    const QByteArray original = readBytes(path);
    add<DRVLine>(*document)->setEndPoint(QPointF(80, 80));
    document->updateChangeCount(DRVDocument::ChangeType::Done);

    DocumentArchiver::Hooks failing = DocumentArchiver::installed();
    failing.zipDocument = [](const QString&, const QString&, QString* error) {
        *error = QStringLiteral("disk full");
        return false;
    };
    DocumentArchiver::install(failing);
    EXPECT_FALSE(document->saveDocument());
    EXPECT_EQ(alertTitles(), QStringList{QStringLiteral("Not able to save")});
    EXPECT_TRUE(document->isDocumentEdited());
    EXPECT_EQ(readBytes(path), original);

    // Once the disk is back, the next save writes the page even though the page file is current.
    DocumentArchiverInstall::install();
    EXPECT_TRUE(document->saveDocument());
    EXPECT_NE(readBytes(path), original);
    EXPECT_FALSE(document->isDocumentEdited());
}

TEST_F(OpenSaveTest, AnUnwritableFolderIsReportedAndLosesNothing)
{
    const QString path = fixture(QStringLiteral("Home-top.quibpage"));
    std::unique_ptr<DRVDocument> document = open(path);
    ASSERT_TRUE(document);
    const QByteArray original = readBytes(path);
    add<DRVLine>(*document)->setEndPoint(QPointF(80, 80));
    document->updateChangeCount(DRVDocument::ChangeType::Done);

    // A file where a folder should be: no permission trick needed, and root cannot write it either.
    const QString blocker = filePath(QStringLiteral("blocker"));
    ASSERT_TRUE(writeBytes(blocker, "file"));
    EXPECT_FALSE(document->saveDocumentTo(blocker + QStringLiteral("/Page.quibpage")));
    EXPECT_EQ(document->filePath(), path);
    EXPECT_TRUE(document->isDocumentEdited());

    // The working folder gone: reported, never replaced by an empty one.
    document->setTempSavePathLocal(blocker + QStringLiteral("/work"));
    EXPECT_FALSE(document->saveDocument());
    EXPECT_EQ(alertTitles(),
              (QStringList{QStringLiteral("Not able to save"), QStringLiteral("Not able to save")}));
    EXPECT_TRUE(document->isDocumentEdited());
    EXPECT_EQ(readBytes(path), original);
}

TEST_F(OpenSaveTest, PublishVersionEncodings)
{
    DRVDocument document;
    document.setPageName(QStringLiteral("page"));
    const QString target = filePath(QStringLiteral("publish/page.html"));

    document.setPageOfficialName(QStringLiteral("Привет"));
    document.setEncodingType(QStringLiteral("Win-1251"));
    ASSERT_TRUE(document.exportPublishVersion(target));
    const std::optional<QString> cyrillic =
        platform::decodeText(readBytes(target), platform::TextEncoding::Windows1251);
    ASSERT_TRUE(cyrillic);
    EXPECT_TRUE(cyrillic->contains(QStringLiteral("Привет")));

    // Text code page 1251 cannot hold is refused; the earlier file stays.
    const QByteArray before = readBytes(target);
    document.setPageOfficialName(QStringLiteral("日本語"));
    EXPECT_FALSE(document.exportPublishVersion(target));
    EXPECT_EQ(alertTitles(), QStringList{QStringLiteral("Not able to publish")});
    EXPECT_EQ(readBytes(target), before);

    document.setEncodingType(QStringLiteral("UTF-8"));
    ASSERT_TRUE(document.exportPublishVersion(target));
    const QByteArray utf8 = readBytes(target);
    EXPECT_FALSE(utf8.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(QString::fromUtf8(utf8).contains(QStringLiteral("日本語")));

    // A page with no setting is read back as UTF-8, and is published so.
    document.setEncodingType(QString());
    ASSERT_TRUE(document.exportPublishVersion(target));
    const QByteArray unset = readBytes(target);
    EXPECT_FALSE(unset.startsWith("\xFF\xFE"));
    EXPECT_TRUE(QString::fromUtf8(unset).contains(QStringLiteral("charset=UTF-8")));

    document.setEncodingType(QStringLiteral("UTF-16"));
    ASSERT_TRUE(document.exportPublishVersion(target));
    const QByteArray utf16 = readBytes(target);
    EXPECT_TRUE(utf16.startsWith("\xFF\xFE"));
    EXPECT_TRUE(platform::decodeText(utf16, platform::TextEncoding::UTF16)
                    .value_or(QString())
                    .contains(QStringLiteral("charset=UTF-16")));
}

TEST_F(OpenSaveTest, FormPagesArePublishedAsUtf8)
{
    // PHP cannot run a UTF-16 file: a form page is published as UTF-8 whatever its encoding setting.
    DRVDocument document;
    document.setPageName(QStringLiteral("contact"));
    document.setPageFileExtension(QStringLiteral("php"));
    document.setPageOfficialName(QStringLiteral("Kontakt — 日本語"));
    const QString target = filePath(QStringLiteral("publish/contact.php"));
    for (const QString& encoding : {QString(), QStringLiteral("UTF-16"), QStringLiteral("UTF-8")}) {
        document.setEncodingType(encoding);
        ASSERT_TRUE(document.exportPublishVersion(target)) << encoding.toStdString();
        const QByteArray bytes = readBytes(target);
        EXPECT_FALSE(bytes.startsWith("\xFF\xFE")) << encoding.toStdString();
        const std::optional<QString> text = platform::decodeText(bytes, platform::TextEncoding::UTF8);
        ASSERT_TRUE(text) << encoding.toStdString();
        EXPECT_TRUE(text->contains(QStringLiteral("日本語")));
        EXPECT_TRUE(text->contains(QStringLiteral("charset=UTF-8")));
    }
}

TEST_F(OpenSaveTest, MigratingAPageNumbersItPastPagesAlreadyThere)
{
    // The page folder already holds a page of the same name.
    QTemporaryDir site;
    ASSERT_TRUE(writeBytes(site.filePath(QStringLiteral("Home-top.html")), "existing"));
    const QString document = fixture(QStringLiteral("Home-top.quibpage"));
    const QString destination = site.filePath(QStringLiteral("Home-top"));
    const QString thumbnail = DataCentre::migrateWebsitePage(document, destination);
    EXPECT_EQ(thumbnail, site.filePath(QStringLiteral("Home-top4@2x.png")));
    EXPECT_TRUE(QFileInfo(site.filePath(QStringLiteral("Home-top4.html"))).isFile());
    EXPECT_TRUE(QFileInfo(site.filePath(QStringLiteral("Home-top4.png"))).isFile());
    EXPECT_TRUE(QFileInfo(site.filePath(QStringLiteral("Home-top4/full.css"))).isFile());
    EXPECT_EQ(readBytes(site.filePath(QStringLiteral("Home-top.html"))), QByteArray("existing"));

    EXPECT_EQ(DataCentre::migrateWebsitePage(fixture(QStringLiteral("Broken.quibpage")),
                                             site.filePath(QStringLiteral("Broken"))),
              QString());
}

TEST_F(OpenSaveTest, APageInAnOpenWebsiteIsReadInPlaceWithItsBaseTemplate)
{
    QTemporaryDir site;
    // The base template, with one line of its own.
    {
        DRVDocument base;
        auto* line = add<DRVLine>(base);
        line->setEndPoint(QPointF(300, 10));
        line->setTemplateName(QStringLiteral("basetemplate"));
        ASSERT_TRUE(
            writeBytes(site.filePath(QStringLiteral("basetemplate.html")),
                       base.generateSourceCode(QStringLiteral("basetemplate"), false, false).toLatin1()));
    }
    // A page that uses it, with one line of its own.
    {
        DRVDocument page;
        page.setUseBaseTemplateFlag(1);
        auto* line = add<DRVLine>(page);
        line->setEndPoint(QPointF(20, 200));
        line->setTemplateName(QStringLiteral("About"));
        ASSERT_TRUE(writeBytes(site.filePath(QStringLiteral("About.html")),
                               page.generateSourceCode(QStringLiteral("About"), false, false).toLatin1()));
    }
    DRVDocument::setWebsiteFolderOpenFlag(true);
    DRVDocument::setPendingWebsiteFolderPath(site.path());
    std::unique_ptr<DRVDocument> document = open(site.filePath(QStringLiteral("About.quibpage")));
    ASSERT_TRUE(document);
    EXPECT_EQ(document->pagePath(), site.filePath(QStringLiteral("About.html")));
    EXPECT_EQ(document->tempSavePathLocal(), site.path());
    EXPECT_TRUE(DRVDocument::pendingWebsiteFolderPath().isEmpty());
    EXPECT_EQ(document->useBaseTemplateFlag(), 1);
    // The page's own graphic in front of the base template's.
    ASSERT_EQ(document->graphics().size(), 2);
    EXPECT_EQ(document->graphics().at(0)->endPoint(), QPointF(20, 200));
    EXPECT_EQ(document->graphics().at(1)->endPoint(), QPointF(300, 10));
    // Nothing was unpacked.
    EXPECT_FALSE(QFileInfo::exists(m_work.filePath(QStringLiteral("0000Received_Pages/site.quibs"))));
    DRVDocument::setWebsiteFolderOpenFlag(false);
}

class ViewerSaveTest : public DocumentFlowTest
{
protected:
    ViewerSaveTest() : DocumentFlowTest("Quibpage Web Design Document Viewer") {}
};

TEST_F(ViewerSaveTest, TheViewerNeverWrites)
{
    const QString path = fixture(QStringLiteral("Home-top.quibpage"));
    std::unique_ptr<DRVDocument> document = open(path);
    ASSERT_TRUE(document);
    const QByteArray original = readBytes(path);
    add<DRVLine>(*document)->setEndPoint(QPointF(80, 80));
    document->updateChangeCount(DRVDocument::ChangeType::Done);
    document->setDocumentChangedCounter(3);
    EXPECT_FALSE(document->isDocumentEdited());
    EXPECT_TRUE(document->saveDocument());
    EXPECT_TRUE(document->saveDocumentTo(filePath(QStringLiteral("Other.quibpage"))));
    EXPECT_EQ(readBytes(path), original);
    EXPECT_FALSE(QFileInfo::exists(filePath(QStringLiteral("Other.quibpage"))));
}
