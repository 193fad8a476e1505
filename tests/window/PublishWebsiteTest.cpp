// The website commands in a real window on a three-page project, with scripted answers: when the
// menu offers them, what each confirmation says, the list a confirmed run hands to the upload, and the
// chosen files with their link boxes.
#include "PageListTestSupport.h"

#include "model/DRVGraphic.h"
#include "platform/UserDefaults.h"
#include "publishing/UploadItem.h"

namespace {

class PublishWebsiteTest : public PageListTest
{
protected:
    void SetUp() override
    {
        records = {addPage(QStringLiteral("index"), QStringLiteral("Home"), QStringLiteral("FF0000")),
                   addPage(QStringLiteral("about"), QStringLiteral("About"), QStringLiteral("00FF00")),
                   addPage(QStringLiteral("contact"), QStringLiteral("Contact"), QStringLiteral("0000FF"))};
        records[1].pagePublishFileName = QStringLiteral("about.php");
        openProject(records);
        writeFile(QDir(m_project).filePath(QStringLiteral("favicon.ico")), "ico");
    }

    static void writeFile(const QString& path, const QByteArray& bytes)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }

    static void setServer(const QString& server)
    {
        platform::UserDefaults& defaults = platform::UserDefaults::standard();
        defaults.setObject(QStringLiteral("server"), server);
        defaults.setObject(QStringLiteral("username"), QStringLiteral("quib"));
        defaults.setObject(QStringLiteral("remotepath"), QStringLiteral("/www"));
        defaults.setObject(QStringLiteral("baseurl"), QStringLiteral("http://example.com/site"));
    }

    // The pages are Bootstrap pages: no full refresh is due.
    void markPagesCurrent() { ASSERT_FALSE(controller.needToForceRefresh()); }

    // A page of the working copy written before the Bootstrap layout: the project needs a full refresh.
    void makePageOutdated()
    {
        writeFile(QDir(controller.openWebsiteFolderTempPath()).filePath(QStringLiteral("contact.html")),
                  "<html><body>old</body></html>\n");
        ASSERT_TRUE(controller.needToForceRefresh());
    }

    QStringList alertTitles()
    {
        QStringList titles;
        for (const platform::Alert& alert : dialogs->alerts())
            titles.append(alert.title);
        return titles;
    }

    // "remoteFolder|remoteFileName" per item.
    static QStringList describe(const QList<UploadItem>& items)
    {
        QStringList lines;
        for (const UploadItem& item : items)
            lines.append(item.remoteFolder() + u'|' + item.remoteFileName());
        return lines;
    }

    static UploadItem sentinel()
    {
        UploadItem item;
        item.setRemoteFileName(QStringLiteral("earlier-run.txt"));
        return item;
    }

    QList<PageRecord> records;
};

struct ValidationCase
{
    const char* action;
    bool withTiles;
};

class PublishWebsiteValidationTest : public PublishWebsiteTest, public ::testing::WithParamInterface<ValidationCase>
{
};

TEST_P(PublishWebsiteValidationTest, TheWebsiteCommandsFollowThePageList)
{
    const ValidationCase& c = GetParam();
    const QString action = QString::fromLatin1(c.action);
    ASSERT_TRUE(DRVWindowController::handledActions().contains(action));
    if (!c.withTiles)
        controller.siteIconArray().clear();
    MenuItemState shown;
    const MenuItemState fromShown = controller.validateMenuItem(action, shown);
    EXPECT_EQ(fromShown.enabled, c.withTiles);
    EXPECT_EQ(fromShown.visible, c.withTiles);
    // An item hidden while the list was empty comes back once it holds tiles.
    MenuItemState hidden;
    hidden.visible = false;
    hidden.enabled = false;
    const MenuItemState fromHidden = controller.validateMenuItem(action, hidden);
    EXPECT_EQ(fromHidden.visible, c.withTiles);
    EXPECT_EQ(fromHidden.enabled, c.withTiles);
}

INSTANTIATE_TEST_SUITE_P(Actions, PublishWebsiteValidationTest,
                         ::testing::Values(ValidationCase{"publishWebsiteWithImages:", true},
                                           ValidationCase{"publishWebsiteWithImages:", false},
                                           ValidationCase{"publishWebsiteNoImages:", true},
                                           ValidationCase{"publishWebsiteNoImages:", false}));

TEST_F(PublishWebsiteTest, SaveAsIsHiddenWhileThePageListHoldsTiles)
{
    EXPECT_FALSE(controller.validateMenuItem(QStringLiteral("saveDocumentAs:"), {}).visible);
    controller.siteIconArray().clear();
    MenuItemState hidden;
    hidden.visible = false;
    const MenuItemState state = controller.validateMenuItem(QStringLiteral("saveDocumentAs:"), hidden);
    EXPECT_TRUE(state.visible);
    EXPECT_TRUE(state.enabled);
}

TEST_F(PublishWebsiteTest, TheChosenFilesCommandStaysAvailableWithoutPages)
{
    controller.siteIconArray().clear();
    const MenuItemState state = controller.validateMenuItem(QStringLiteral("selectDocumentsToUpload:"), {});
    EXPECT_TRUE(state.enabled);
    EXPECT_TRUE(state.visible);
}

struct ConfirmationCase
{
    const char* action;
    const char* server;
    const char* text;
};

class PublishWebsiteConfirmationTest : public PublishWebsiteTest,
                                       public ::testing::WithParamInterface<ConfirmationCase>
{
};

TEST_P(PublishWebsiteConfirmationTest, CancelShowsTheTextAndSendsNothing)
{
    const ConfirmationCase& c = GetParam();
    setServer(QString::fromUtf8(c.server));
    markPagesCurrent();
    document.setUploadItemArray({sentinel()});
    if (QLatin1String(c.action) == QLatin1String("selectDocumentsToUpload:"))
        dialogs->queueOpenPanelAnswer({QDir(m_project).filePath(QStringLiteral("favicon.ico"))});
    dialogs->queueAlertAnswer(1); // Cancel
    ASSERT_TRUE(controller.performAction(QString::fromLatin1(c.action)));

    ASSERT_EQ(alertTitles(), QStringList{QStringLiteral("Confirm Upload")});
    const platform::Alert alert = dialogs->alerts().constFirst();
    EXPECT_EQ(alert.informativeText, QString::fromUtf8(c.text));
    EXPECT_EQ(alert.buttons, QStringList({QStringLiteral("Proceed"), QStringLiteral("Cancel")}));
    EXPECT_FALSE(QFileInfo::exists(QDir(edition().gTempFolderPath).filePath(QStringLiteral("siteUploads"))));
    EXPECT_NE(document.FTPUploadFlag(), 999);
    if (QLatin1String(c.action) != QLatin1String("selectDocumentsToUpload:")) {
        // The earlier run's list stays as it was.
        EXPECT_EQ(describe(document.uploadItemArray()), QStringList{QStringLiteral("|earlier-run.txt")});
        EXPECT_TRUE(document.uploadAllPagesFlag());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PublishWebsiteConfirmationTest,
    ::testing::Values(
        ConfirmationCase{"publishWebsiteWithImages:", "ftp.example.com",
                         "Proceed will upload all files. This will update files with the same names on the server.\n\n"
                         "Current FTP Settings:\nServer: ftp.example.com\nUsername: quib\nRemote Path: /www\n"
                         "Base URL: http://example.com/site"},
        ConfirmationCase{"publishWebsiteNoImages:", "ftp.example.com",
                         "Quick Refresh Mode selected, only text and layout changes will be updated.\n\nProceed "
                         "will upload all files. This will update files with the same names on the server.\n\n"
                         "Current FTP Settings:\nServer: ftp.example.com\nUsername: quib\nRemote Path: /www\n"
                         "Base URL: http://example.com/site"},
        ConfirmationCase{"publishWebsiteWithImages:", "",
                         "Proceed will upload all files. This will update files with the same names on the server."},
        ConfirmationCase{"publishWebsiteNoImages:", "",
                         "Proceed will upload all files. This will update files with the same names on the server."},
        ConfirmationCase{"selectDocumentsToUpload:", "ftp.example.com",
                         "All selected files will be uploaded to ftp.example.com, this will update files with the "
                         "same names on the server.\n\nFiles will be uploaded into folder: index"},
        ConfirmationCase{"selectDocumentsToUpload:", "",
                         "All selected files will be uploaded, this will update files with the same names on the "
                         "server.\n\nFiles will be uploaded into folder: index"}));

TEST_F(PublishWebsiteTest, PublishingWithImagesListsEveryPageItsImagesAndTheFavicon)
{
    setServer(QStringLiteral("ftp.example.com"));
    markPagesCurrent();
    // The about page's image folder, made out of name order, with the files the filter keeps back.
    const QString images = QDir(controller.openWebsiteFolderTempPath()).filePath(QStringLiteral("about"));
    for (const char* name : {"submit.png", "image3o.png", "image3@2x.png", "image1@2x.png"})
        writeFile(QDir(images).filePath(QLatin1String(name)), "png");
    dialogs->queueAlertAnswer(0); // Proceed
    ASSERT_TRUE(controller.performAction(QStringLiteral("publishWebsiteWithImages:")));

    EXPECT_EQ(alertTitles(), QStringList{QStringLiteral("Confirm Upload")});
    const QList<UploadItem> items = document.uploadItemArray();
    EXPECT_EQ(describe(items), QStringList({QStringLiteral("|index.html"), QStringLiteral("|about.php"),
                                            QStringLiteral("about|image1@2x.png"),
                                            QStringLiteral("about|image3@2x.png"), QStringLiteral("|contact.html"),
                                            QStringLiteral("|favicon.ico")}));
    EXPECT_TRUE(document.uploadImageFlag());
    EXPECT_TRUE(document.uploadAllPagesFlag());
    EXPECT_FALSE(document.uploadDocumentsFlag());
    // The pages go up as copies of this run's own, with the working copy's text.
    ASSERT_EQ(items.size(), 6);
    const QString runs = QDir(edition().gTempFolderPath).filePath(QStringLiteral("siteUploads"));
    for (int i : {0, 1, 4}) {
        EXPECT_TRUE(items.at(i).localPath().startsWith(runs + u'/')) << qPrintable(items.at(i).localPath());
        EXPECT_TRUE(QFileInfo(items.at(i).localPath()).isFile()) << qPrintable(items.at(i).localPath());
    }
    EXPECT_EQ(QFileInfo(items.at(1).localPath()).fileName(), QStringLiteral("about.html"));
    EXPECT_EQ(items.at(5).localPath(), QDir(m_project).filePath(QStringLiteral("favicon.ico")));
}

TEST_F(PublishWebsiteTest, APageItsCharsetCannotHoldStopsTheRunBeforeAnythingIsSent)
{
    setServer(QString());
    writeFile(QDir(controller.openWebsiteFolderTempPath()).filePath(QStringLiteral("contact.html")),
              "<html><head><link href=\"bootstrap.min.css\">\n"
              "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\"/> \n"
              "</head><body>\xE4\xB8\xAD</body></html>\n");
    markPagesCurrent();
    document.setUploadItemArray({sentinel()});
    dialogs->queueAlertAnswer(0); // Proceed
    ASSERT_TRUE(controller.performAction(QStringLiteral("publishWebsiteNoImages:")));
    ASSERT_EQ(alertTitles(), QStringList({QStringLiteral("Confirm Upload"), QStringLiteral("Not able to publish")}));
    EXPECT_EQ(dialogs->alerts().constLast().informativeText,
              QStringLiteral("The page contact.html could not be prepared for upload, so nothing has been sent."));
    // The new run began empty and stays so.
    EXPECT_TRUE(document.uploadItemArray().isEmpty());
}

TEST_F(PublishWebsiteTest, QuickRefreshAfterANeededRefreshRecommendsPublishingEverything)
{
    setServer(QString());
    makePageOutdated();
    const QString images = QDir(controller.openWebsiteFolderTempPath()).filePath(QStringLiteral("about"));
    writeFile(QDir(images).filePath(QStringLiteral("image1@2x.png")), "png");
    dialogs->queueAlertAnswer(1); // Quick Refresh
    dialogs->queueAlertAnswer(0); // Proceed
    ASSERT_TRUE(controller.performAction(QStringLiteral("publishWebsiteNoImages:")));

    ASSERT_EQ(alertTitles(), QStringList({QStringLiteral("Recommend Publish All"), QStringLiteral("Confirm Upload")}));
    const platform::Alert recommend = dialogs->alerts().constFirst();
    EXPECT_EQ(recommend.informativeText,
              QStringLiteral("Changes have been detected in images used in the website, to ensure all images load "
                             "properly, it's recommended you choose Publish All at this time"));
    EXPECT_EQ(recommend.buttons,
              QStringList({QStringLiteral("Publish All"), QStringLiteral("Quick Refresh"), QStringLiteral("Cancel")}));
    EXPECT_FALSE(document.uploadImageFlag());
    // Pages (in the order of the list the refresh rebuilt) and the favicon only.
    QStringList expected;
    for (const PageRecord& record : controller.siteIconArray())
        expected.append(u'|' + record.pagePublishFileName);
    ASSERT_EQ(expected.size(), 3);
    expected.append(QStringLiteral("|favicon.ico"));
    EXPECT_EQ(describe(document.uploadItemArray()), expected);
}

TEST_F(PublishWebsiteTest, CancellingTheRecommendationEndsTheCommandAfterTheRefresh)
{
    setServer(QString());
    makePageOutdated();
    document.setUploadItemArray({sentinel()});
    dialogs->queueAlertAnswer(2); // Cancel
    ASSERT_TRUE(controller.performAction(QStringLiteral("publishWebsiteNoImages:")));
    EXPECT_EQ(alertTitles(), QStringList{QStringLiteral("Recommend Publish All")});
    EXPECT_EQ(describe(document.uploadItemArray()), QStringList{QStringLiteral("|earlier-run.txt")});
}

TEST_F(PublishWebsiteTest, ChosenFilesGoIntoThePageFolderAndGetOneLinkBoxEach)
{
    setServer(QStringLiteral("ftp.example.com"));
    QStringList chosen;
    for (const char* name : {"report.pdf", "price list.xlsx", "a#b?.txt", "summer photo 2026.jpg"}) {
        chosen.append(m_store.filePath(QStringLiteral("picked/") + QLatin1String(name)));
        writeFile(chosen.constLast(), "file");
    }
    dialogs->queueOpenPanelAnswer(chosen);
    dialogs->queueAlertAnswer(0); // Proceed
    ASSERT_TRUE(controller.performAction(QStringLiteral("selectDocumentsToUpload:")));

    ASSERT_EQ(dialogs->openRequests().size(), 1);
    const platform::FilePanelRequest panel = dialogs->openRequests().constFirst();
    EXPECT_EQ(panel.prompt, QStringLiteral("Upload"));
    EXPECT_EQ(panel.title, QStringLiteral("Please select one or multiple Files"));
    EXPECT_TRUE(panel.allowMultiple);
    EXPECT_EQ(describe(document.uploadItemArray()),
              QStringList({QStringLiteral("index|report.pdf"), QStringLiteral("index|price list.xlsx"),
                           QStringLiteral("index|a#b?.txt"), QStringLiteral("index|summer photo 2026.jpg")}));
    EXPECT_EQ(document.uploadItemArray().at(1).localPath(), chosen.at(1));
    EXPECT_TRUE(document.uploadDocumentsFlag());
    EXPECT_FALSE(document.uploadAllPagesFlag());
    EXPECT_EQ(document.FTPUploadFlag(), 999);

    const qsizetype before = document.graphics().size();
    document.generateLinksToUploadedDocuments();
    const QList<DRVGraphic*> graphics = document.graphics();
    ASSERT_EQ(graphics.size(), before + 4);
    QStringList links;
    QList<QRectF> frames;
    for (const DRVGraphic* graphic : graphics) {
        if (graphic->valueForKey(QStringLiteral("link")).toString().startsWith(QLatin1String("http"))) {
            links.append(graphic->valueForKey(QStringLiteral("link")).toString());
            frames.append(graphic->bounds());
            EXPECT_EQ(graphic->groupNumber(), -99);
        }
    }
    ASSERT_EQ(links.size(), 4);
    // The graphics list holds the newest first.
    if (frames.constFirst().y() > frames.constLast().y()) {
        std::reverse(links.begin(), links.end());
        std::reverse(frames.begin(), frames.end());
    }
    EXPECT_EQ(links, QStringList({QStringLiteral("http://example.com/site/index/report.pdf"),
                                  QStringLiteral("http://example.com/site/index/price%20list.xlsx"),
                                  QStringLiteral("http://example.com/site/index/a%23b%3F.txt"),
                                  QStringLiteral("http://example.com/site/index/summer%20photo%202026.jpg")}));
    EXPECT_EQ(frames.at(3), QRectF(100, 250, 300, 40));
    EXPECT_EQ(frames.at(0), QRectF(100, 100, 300, 40));
}

TEST_F(PublishWebsiteTest, ACancelledFilePanelAsksNothingMore)
{
    setServer(QStringLiteral("ftp.example.com"));
    dialogs->queueOpenPanelAnswer({});
    ASSERT_TRUE(controller.performAction(QStringLiteral("selectDocumentsToUpload:")));
    EXPECT_TRUE(dialogs->alerts().isEmpty());
    EXPECT_TRUE(document.uploadItemArray().isEmpty());
    EXPECT_NE(document.FTPUploadFlag(), 999);
}

} // namespace
