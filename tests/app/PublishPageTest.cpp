// Publish > Publish This Page through the window's menu against pyftpdlib on loopback, started and
// stopped by each test: the server tree, the progress texts, both endings, a refused file with its
// log, a page opened during a slow upload, the page's character set, and the checks that stop a
// run before any connection.
#include "AppTestSupport.h"
#include "publishing/UploadServers.h"

#include "model/DRVImage.h"
#include "model/DRVText.h"
#include "platform/SecretStore.h"
#include "publishing/UploadItem.h"
#include "window/ConnectionLogWindowController.h"
#include "window/ProgressIndicatorWindowController.h"
#include "window/ShareWindowController.h"

#include <QApplication>
#include <QDirIterator>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace uploadtest;

namespace {

// Keeps every text a label showed, in order, as it is drawn.
class LabelHistory : public QObject
{
public:
    explicit LabelHistory(QLabel* label) : m_label(label)
    {
        m_texts.append(label->text());
        label->installEventFilter(this);
    }
    QStringList texts() const { return m_texts; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_label && event->type() == QEvent::Paint && m_texts.constLast() != m_label->text())
            m_texts.append(m_label->text());
        return false;
    }

private:
    QLabel* m_label;
    QStringList m_texts;
};

class PublishPageTest : public WindowedAppTest
{
protected:
    void SetUp() override
    {
        root = m_root.filePath(QStringLiteral("server"));
        QDir().mkpath(root);
    }

    bool startServer(const QStringList& extra = {})
    {
        if (!havePythonModuleOrFail(QStringLiteral("pyftpdlib"), QStringLiteral("python3-pyftpdlib")))
            return false;
        const bool started =
            server.start("ftp_server.py", QStringList{QStringLiteral("--root"), root} + extra);
        EXPECT_TRUE(started) << server.errors().toStdString();
        if (started)
            useServer(server.port("FTP"));
        return started;
    }

    static void useServer(int port, const QString& baseURL = QString())
    {
        platform::UserDefaults& defaults = platform::UserDefaults::standard();
        defaults.setObject(QStringLiteral("server"), QStringLiteral("127.0.0.1"));
        defaults.setObject(QStringLiteral("username"), QStringLiteral("quib"));
        defaults.setObject(QStringLiteral("password"), QStringLiteral("secret"));
        defaults.setObject(QStringLiteral("portnumber"), QString::number(port));
        defaults.setObject(QStringLiteral("connectiontype"), QStringLiteral("FTP"));
        defaults.setObject(QStringLiteral("remotepath"), QString());
        defaults.setObject(QStringLiteral("baseurl"), baseURL);
    }

    // A saved page "Home" with two photos, open in its window.
    DRVWindowController* pageWithPhotos()
    {
        DRVWindowController* window =
            documents.openDocumentWithContentsOfPath(savedPage(QStringLiteral("Home")));
        if (!window)
            return nullptr;
        dialogs->queueOpenPanelAnswer({picture(QStringLiteral("first.png"), QSize(120, 80)),
                                       picture(QStringLiteral("second.png"), QSize(90, 60), Qt::darkRed)});
        choose(window, QStringLiteral("addNewPhoto:"));
        EXPECT_TRUE(window->document()->saveDocument());
        return window;
    }

    // Chooses the menu item, answering the confirmation with Proceed, and waits for the run's end.
    static bool publish(DRVWindowController* window,
                        const QString& action = QStringLiteral("publishThisPage:"))
    {
        DRVDocument* document = window->document();
        QSignalSpy ended(document, &DRVDocument::uploadRunEnded);
        choose(window, action);
        if (!document->uploadInProgress())
            return false;
        return ended.wait(90000) && waitForThread(document);
    }

    // A text box in front of the page's graphics, or nullptr.
    static DRVText* addText(DRVDocument* document, const QString& string)
    {
        auto* text = new DRVText;
        text->setTextType(QStringLiteral("Text"));
        text->setBounds(QRectF(10, 10, 300, 40));
        if (!document->insertGraphics({text}, {0}))
            return nullptr;
        text->updateTextString(string);
        return text;
    }

    static bool waitForThread(DRVDocument* document)
    {
        for (int i = 0; i < 900 && document->uploadInProgress(); ++i)
            QTest::qWait(100);
        return !document->uploadInProgress();
    }

    // Every file below the server's root, as "folder/name".
    QStringList serverTree() const
    {
        QStringList files;
        QDirIterator walk(root, QDir::Files, QDirIterator::Subdirectories);
        while (walk.hasNext())
            files.append(QDir(root).relativeFilePath(walk.next()));
        files.sort();
        return files;
    }

    static QString remotePath(const UploadItem& item)
    {
        const QString folder = item.remoteFolder().mid(1);
        return folder.isEmpty() ? item.remoteFileName() : folder + u'/' + item.remoteFileName();
    }

    QStringList alertTitles()
    {
        QStringList titles;
        for (const platform::Alert& alert : dialogs->alerts())
            titles.append(alert.title);
        return titles;
    }

    platform::ScopedSecretStore secrets;
    ServerProcess server;
    QString root;
};

} // namespace

TEST_F(PublishPageTest, ThePageAndItsImagesArriveAsListedWithTheProgressCountedToTheEnd)
{
    if (!startServer())
        return;
    DRVWindowController* window = pageWithPhotos();
    ASSERT_TRUE(window);
    DRVDocument* document = window->document();
    const QList<DRVImage*> images = document->graphicsWithClass<DRVImage>();
    ASSERT_EQ(images.size(), 2);
    for (DRVImage* image : images)
        image->setRetinaFlag(false);

    QSignalSpy ended(document, &DRVDocument::uploadRunEnded);
    choose(window, QStringLiteral("publishThisPage:"));
    // Sent at double resolution, so marked so.
    for (DRVImage* image : images)
        EXPECT_TRUE(image->retinaFlag()) << qPrintable(image->imageName());
    ProgressIndicatorWindowController* progress = document->progressIndicatorWindowController();
    ASSERT_TRUE(progress);
    LabelHistory status(progress->progressStatusTextfield());
    LabelHistory file(progress->progressFileTextField());
    ASSERT_TRUE(ended.wait(90000));
    ASSERT_TRUE(waitForThread(document));
    EXPECT_EQ(ended.takeFirst().at(0).toBool(), true);

    // The confirmation names the page and the settings.
    const platform::Alert confirm = dialogs->alerts().constFirst();
    EXPECT_EQ(confirm.title, QStringLiteral("Confirm Upload"));
    EXPECT_EQ(confirm.buttons, (QStringList{QStringLiteral("Proceed"), QStringLiteral("Cancel")}));
    EXPECT_EQ(
        confirm.informativeText,
        QStringLiteral("Home.html and related files will be uploaded, this will update files with the same "
                       "names on the server.\n\nCurrent FTP Settings:\nServer: 127.0.0.1\nUsername: quib\n"
                       "Remote Path: \nBase URL: "));

    // Newest photo first, each at double resolution, the page last.
    const QList<UploadItem> items = document->uploadItemArray();
    QStringList listed;
    for (const UploadItem& item : items)
        listed.append(remotePath(item));
    EXPECT_EQ(listed, (QStringList{QStringLiteral("Home/image1@2x.PNG"), QStringLiteral("Home/image0@2x.PNG"),
                                   QStringLiteral("Home.html")}));
    QStringList sorted = listed;
    sorted.sort();
    EXPECT_EQ(serverTree(), sorted);
    for (const UploadItem& item : items)
        EXPECT_EQ(readFile(QDir(root).filePath(remotePath(item))), readFile(item.localPath()))
            << qPrintable(item.remoteFileName());
    EXPECT_TRUE(readFile(QDir(root).filePath(QStringLiteral("Home.html"))).contains("image0@2x.PNG"));

    EXPECT_EQ(status.texts(),
              (QStringList{QStringLiteral("Please wait..."), QStringLiteral("Please wait: 1/3 completed"),
                           QStringLiteral("Please wait: 2/3 completed"),
                           QStringLiteral("Please wait: 3/3 completed")}));
    EXPECT_EQ(file.texts(), (QStringList{QString(), QStringLiteral("Uploading: /Home/image0@2x.PNG")}));
    EXPECT_EQ(progress->levelIndicator()->value(), 3);
    EXPECT_FALSE(progress->window()->isVisible());

    // Without a base URL the run ends with a message, and no link.
    EXPECT_EQ(alertTitles(),
              (QStringList{QStringLiteral("Confirm Upload"), QStringLiteral("Upload Complete!")}));
    EXPECT_EQ(dialogs->alerts().constLast().informativeText,
              QStringLiteral("Upload has been successful completed!"));
    EXPECT_TRUE(document->shareLink().isEmpty());
    EXPECT_EQ(document->uploadCounter(), 3);
}

TEST_F(PublishPageTest, QuickRefreshWithABaseURLSendsThePageAloneAndLinksToIt)
{
    if (!startServer())
        return;
    DRVWindowController* window = pageWithPhotos();
    ASSERT_TRUE(window);
    platform::UserDefaults::standard().setObject(QStringLiteral("baseurl"),
                                                 QStringLiteral("http://example.test/site"));
    ASSERT_TRUE(publish(window, QStringLiteral("publishThisPageNoImages:")));

    EXPECT_TRUE(dialogs->alerts().constFirst().informativeText.startsWith(QStringLiteral(
        "Quick Refresh Mode selected, only text and layout changes will be updated.\n\nProceed will "
        "upload Home.html. This will update files with the same names on the server.\n\nCurrent FTP "
        "Settings:\nServer: 127.0.0.1\n")));
    EXPECT_EQ(serverTree(), QStringList{QStringLiteral("Home.html")});
    // The share panel takes over: no message.
    EXPECT_EQ(alertTitles(), QStringList{QStringLiteral("Confirm Upload")});
    EXPECT_EQ(window->document()->shareLink(), QStringLiteral("http://example.test/site/Home.html"));
    ShareWindowController* panel = window->document()->shareWindowController();
    ASSERT_TRUE(panel);
    EXPECT_TRUE(panel->window()->isVisible());
    EXPECT_EQ(panel->labelTextField()->text(),
              QStringLiteral("Successfully published!\n\nhttp://example.test/site/Home.html"));
    const QString shot = QCoreApplication::applicationDirPath() +
                         QStringLiteral("/gui-artefacts/share-panel-after-publish.png");
    QDir().mkpath(QFileInfo(shot).absolutePath());
    EXPECT_TRUE(panel->window()->grab().save(shot));
}

TEST_F(PublishPageTest, RunsStartedForChosenFilesOrAllPagesEndTheirOwnWay)
{
    if (!startServer())
        return;
    struct Case
    {
        const char* what;
        bool documents;
        bool allPages;
        const char* baseURL;
        const char* alertText; // "" when the share panel takes over
        const char* link;
    };
    const Case cases[] = {
        {"chosen files", true, false, "http://example.test",
         "Files have been uploaded to the following folder:\n\nhttp://example.test/Home", ""},
        {"all pages", false, true, "http://example.test", "", "http://example.test/Home.html"},
        {"all pages without a base URL", false, true, "", "Upload has been successful completed!", ""},
    };
    const QString notes = fileWith(QStringLiteral("notes.txt"), "chosen file");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DRVWindowController* window = windowOnPage({});
        DRVDocument* document = window->document();
        document->setPageName(QStringLiteral("Home"));
        document->setPageFileExtension(QStringLiteral("html"));
        document->setUploadDocumentsFlag(c.documents);
        document->setUploadAllPagesFlag(c.allPages);
        platform::UserDefaults::standard().setObject(QStringLiteral("baseurl"), QLatin1String(c.baseURL));
        document->setUploadItemArray({item(notes, QStringLiteral("/Home"), QStringLiteral("notes.txt"))});
        const int before = int(dialogs->alerts().size());
        dialogs->queueAlertAnswer(1); // Cancel: no links made
        QSignalSpy ended(document, &DRVDocument::uploadRunEnded);
        document->startUpload();
        ASSERT_TRUE(ended.wait(90000));
        ASSERT_TRUE(waitForThread(document));
        EXPECT_EQ(readFile(QDir(root).filePath(QStringLiteral("Home/notes.txt"))), QByteArray("chosen file"));
        const QList<platform::Alert> asked = dialogs->alerts().mid(before);
        if (QLatin1String(c.alertText).isEmpty()) {
            EXPECT_TRUE(asked.isEmpty());
        } else {
            ASSERT_EQ(asked.size(), 1);
            EXPECT_EQ(asked.at(0).title, QStringLiteral("Upload Complete!"));
            EXPECT_EQ(asked.at(0).informativeText, QLatin1String(c.alertText));
        }
        if (c.documents) {
            EXPECT_EQ(
                dialogs->alerts().constLast().buttons,
                (QStringList{QStringLiteral("Generate Links to Uploaded Files"), QStringLiteral("Cancel")}));
        }
        EXPECT_EQ(document->shareLink(), QLatin1String(c.link));
        QFile::remove(QDir(root).filePath(QStringLiteral("Home/notes.txt")));
        window->performClose();
    }
}

TEST_F(PublishPageTest, ARefusedSecondFileEndsTheRunWithTheFailureAlertAndItsLog)
{
    if (!startServer({QStringLiteral("--refuse-store"), QStringLiteral("2")}))
        return;
    DRVWindowController* window = pageWithPhotos();
    ASSERT_TRUE(window);
    dialogs->queueAlertAnswer(0); // Proceed
    dialogs->queueAlertAnswer(0); // View Connection Log
    QSignalSpy ended(window->document(), &DRVDocument::uploadRunEnded);
    ASSERT_TRUE(publish(window));
    ASSERT_EQ(ended.size(), 1);
    EXPECT_FALSE(ended.at(0).at(0).toBool());

    const platform::Alert failure = dialogs->alerts().constLast();
    EXPECT_EQ(failure.title, QStringLiteral("Uhoh!  We have a problem"));
    EXPECT_EQ(failure.informativeText,
              QStringLiteral("The upload was not successful.  Please check FTP Settings."));
    EXPECT_EQ(failure.buttons, (QStringList{QStringLiteral("View Connection Log"), QStringLiteral("OK")}));
    ConnectionLogWindowController* log = window->document()->connectionLogController();
    ASSERT_TRUE(log);
    EXPECT_EQ(log->window()->windowTitle(), QStringLiteral("Connection log"));
    // The log of the last callback: the refused file's.
    const QString text = log->textView()->toPlainText();
    EXPECT_TRUE(
        text.contains(QStringLiteral("\n\nNot able to upload file image0@2x.PNG.\n\nPlease try again.")))
        << qPrintable(text);
    EXPECT_EQ(text, window->document()->connectionLog());
    EXPECT_FALSE(text.contains(QStringLiteral("secret")));
    EXPECT_EQ(serverTree(), QStringList{QStringLiteral("Home/image1@2x.PNG")});
    EXPECT_EQ(window->document()->uploadCounter(), 2);
}

TEST_F(PublishPageTest, OpeningAnotherPageDuringASlowUploadLeavesTheRunWhole)
{
    if (!startServer({QStringLiteral("--store-delay"), QStringLiteral("0.7")}))
        return;
    platform::UserDefaults::standard().setObject(QStringLiteral("baseurl"),
                                                 QStringLiteral("http://example.test"));
    const QString other = savedPage(QStringLiteral("Other"), {QStringLiteral("0000CC")});
    DRVWindowController* window = pageWithPhotos();
    ASSERT_TRUE(window);
    DRVDocument* document = window->document();
    QSignalSpy ended(document, &DRVDocument::uploadRunEnded);
    choose(window, QStringLiteral("publishThisPage:"));
    ASSERT_TRUE(document->uploadInProgress());
    const QList<UploadItem> items = document->uploadItemArray();
    QList<QByteArray> sent;
    for (const UploadItem& item : items)
        sent.append(readFile(item.localPath()));

    // Once the first file is through, the window shows its progress; then another page opens.
    ProgressIndicatorWindowController* progress = document->progressIndicatorWindowController();
    ASSERT_TRUE(progress);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return progress->progressStatusTextfield()->text() ==
                   QStringLiteral("Please wait: 1/3 completed");
        },
        30000))
        << qPrintable(QDebug::toString(progress->progressStatusTextfield()->text()));
    keepScreenshot(progress->window(), QStringLiteral("publish-page-progress.png"));
    // A second run waits for this one: nothing is asked.
    const int alertsBefore = int(dialogs->alerts().size());
    choose(window, QStringLiteral("publishThisPage:"));
    EXPECT_EQ(dialogs->alerts().size(), alertsBefore);
    // The page list writes the open page's publishing form to the shared folder before it opens
    // another page: the copy this run sends is its own.
    ASSERT_TRUE(addText(document, QStringLiteral("Edited meanwhile")));
    ASSERT_TRUE(document->generatePublishVersion());
    ASSERT_TRUE(document->readFromURL(other));
    EXPECT_EQ(document->pageName(), QStringLiteral("Other"));

    ASSERT_TRUE(ended.wait(90000));
    ASSERT_TRUE(waitForThread(document));
    EXPECT_TRUE(ended.at(0).at(0).toBool());
    ASSERT_EQ(items.size(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(readFile(QDir(root).filePath(remotePath(items.at(i)))), sent.at(i)) << i;
    EXPECT_EQ(serverTree().size(), 3);
    EXPECT_FALSE(readFile(QDir(root).filePath(QStringLiteral("Home.html"))).contains("Edited meanwhile"));
    // The link names the page that was sent, not the one open now.
    EXPECT_EQ(document->shareLink(), QStringLiteral("http://example.test/Home.html"));
    EXPECT_EQ(alertTitles(), QStringList{QStringLiteral("Confirm Upload")});
}

TEST_F(PublishPageTest, ClosingTheWindowDuringASlowUploadStillSendsEveryFile)
{
    if (!startServer({QStringLiteral("--store-delay"), QStringLiteral("0.5")}))
        return;
    DRVWindowController* window = pageWithPhotos();
    ASSERT_TRUE(window);
    DRVDocument* document = window->document();
    choose(window, QStringLiteral("publishThisPage:"));
    ASSERT_TRUE(document->uploadInProgress());
    QStringList expected;
    for (const UploadItem& item : document->uploadItemArray())
        expected.append(remotePath(item));
    expected.sort();

    dialogs->queueAlertAnswer(1); // do not save
    window->performClose();
    deleteLaterObjects();
    ASSERT_TRUE(documents.allWindowControllers().isEmpty());
    // The run goes on without its document; the last file shows it has finished.
    ASSERT_TRUE(QTest::qWaitFor([&] { return serverTree() == expected; }, 30000))
        << qPrintable(QDebug::toString(serverTree()));
    QTest::qWait(300);
}

TEST_F(PublishPageTest, AWindows1251PageArrivesInCodePage1251AndOneItCannotHoldIsNeverSent)
{
    if (!startServer())
        return;
    DRVWindowController* window = documents.openDocumentWithContentsOfPath(savedPage(QStringLiteral("Home")));
    ASSERT_TRUE(window);
    DRVDocument* document = window->document();
    document->setEncodingType(QStringLiteral("Win-1251"));
    DRVText* text = addText(document, QStringLiteral("Привет, мир"));
    ASSERT_TRUE(text);
    ASSERT_TRUE(document->saveDocument());
    ASSERT_TRUE(publish(window, QStringLiteral("publishThisPageNoImages:")));

    // Python's codecs say what code page 1251 makes of the text.
    QProcess python;
    python.start(uploadtest::python(),
                 {QStringLiteral("-c"),
                  QStringLiteral("import sys; sys.stdout.buffer.write('Привет, мир'.encode('cp1251'))")});
    ASSERT_TRUE(python.waitForFinished(20000));
    const QByteArray expected = python.readAllStandardOutput();
    ASSERT_EQ(expected.size(), 11);
    const QByteArray arrived = readFile(QDir(root).filePath(QStringLiteral("Home.html")));
    EXPECT_TRUE(arrived.contains(expected));
    EXPECT_FALSE(arrived.contains(QStringLiteral("Привет").toUtf8()));
    EXPECT_TRUE(arrived.contains("windows-1251"));

    // A character the code page has no place for: refused before anything is sent.
    QFile::remove(QDir(root).filePath(QStringLiteral("Home.html")));
    text->updateTextString(QStringLiteral("Привет 中"));
    const int alertsBefore = int(dialogs->alerts().size());
    choose(window, QStringLiteral("publishThisPageNoImages:"));
    EXPECT_FALSE(document->uploadInProgress());
    const QList<platform::Alert> alerts = dialogs->alerts().mid(alertsBefore);
    ASSERT_EQ(alerts.size(), 2);
    EXPECT_EQ(alerts.at(0).title, QStringLiteral("Confirm Upload"));
    EXPECT_EQ(alerts.at(1).title, QStringLiteral("Not able to publish"));
    QTest::qWait(300);
    EXPECT_TRUE(serverTree().isEmpty());
}

TEST_F(PublishPageTest, TheFormAndSavedChecksStopBeforeAnyConnection)
{
    // No server listens here: reaching the transfer would end in the failure alert.
    useServer(1);
    struct Case
    {
        const char* what;
        bool saved;
        const char* extension;
        const char* email;
        const char* copyEmail;
        const char* alert; // "" when the confirmation is reached
    };
    const Case cases[] = {
        {"form without response address", true, "php", "", "", "Check Form Response Email"},
        {"form with an address lacking @", true, "php", "owner.example", "copy@example.test",
         "Check Form Response Email"},
        {"page never saved", false, "html", "", "", "Document Not Saved"},
        {"form with both addresses", true, "php", "owner@example.test", "copy@example.test", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DRVWindowController* window =
            c.saved ? documents.openDocumentWithContentsOfPath(savedPage(QStringLiteral("Form")))
                    : windowOnPage({});
        ASSERT_TRUE(window);
        DRVDocument* document = window->document();
        document->setPageFileExtension(QLatin1String(c.extension));
        document->setSiteFeedbackEmail(QLatin1String(c.email));
        document->setSiteCCFeedbackEmail(QLatin1String(c.copyEmail));
        const int before = int(dialogs->alerts().size());
        dialogs->queueAlertAnswer(1); // Cancel, whatever is asked first
        choose(window, QStringLiteral("publishThisPage:"));
        const QList<platform::Alert> asked = dialogs->alerts().mid(before);
        ASSERT_EQ(asked.size(), 1);
        if (QLatin1String(c.alert).isEmpty()) {
            EXPECT_EQ(asked.at(0).title, QStringLiteral("Confirm Upload"));
            EXPECT_EQ(asked.at(0).informativeText,
                      QStringLiteral(
                          "This form (Form.php) will be published.\n\nResponse will be sent to "
                          "owner@example.test and copy@example.test (can be updated under Settings > Form "
                          "Preferences).\n\nCurrent FTP Settings:\nServer: 127.0.0.1\nUsername: quib\n"
                          "Remote Path: \nBase URL: "));
        } else {
            EXPECT_EQ(asked.at(0).title, QLatin1String(c.alert));
        }
        EXPECT_FALSE(document->uploadInProgress());
        EXPECT_EQ(document->progressIndicatorWindowController(), nullptr);
        EXPECT_TRUE(document->uploadItemArray().isEmpty());
        window->performClose();
    }

    // The first buttons lead on: to the form settings, and to the save panel.
    DRVWindowController* form = documents.openDocumentWithContentsOfPath(savedPage(QStringLiteral("Form")));
    ASSERT_TRUE(form);
    form->document()->setPageFileExtension(QStringLiteral("php"));
    dialogs->queueAlertAnswer(0); // Form Settings
    choose(form, QStringLiteral("publishThisPage:"));
    EXPECT_TRUE(form->document()->formSettingsWindowController());
    DRVWindowController* unsaved = windowOnPage({});
    dialogs->queueAlertAnswer(0); // Save
    dialogs->queueSavePanelAnswer(QString());
    choose(unsaved, QStringLiteral("publishThisPage:"));
    EXPECT_EQ(dialogs->saveRequests().size(), 1);
    EXPECT_FALSE(unsaved->document()->uploadInProgress());
}

TEST_F(PublishPageTest, TheConfirmationAsTheUserSeesIt)
{
    // The real message box, pictured and then cancelled.
    class PicturingDialogs : public platform::ScriptedDialogs
    {
    public:
        int runAlert(const platform::Alert& alert) override
        {
            platform::ScriptedDialogs::runAlert(alert);
            QTimer::singleShot(200, [] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                    keepScreenshot(box, QStringLiteral("publish-page-confirmation.png"));
                    box->reject();
                }
            });
            platform::DialogService::setCurrent(nullptr);
            const int answer = platform::DialogService::current().runAlert(alert);
            platform::DialogService::setCurrent(this);
            return answer;
        }
    } picturing;
    useServer(1);
    DRVWindowController* window = documents.openDocumentWithContentsOfPath(savedPage(QStringLiteral("Home")));
    ASSERT_TRUE(window);
    platform::DialogService::setCurrent(&picturing);
    choose(window, QStringLiteral("publishThisPage:"));
    platform::DialogService::setCurrent(&dialogs.dialogs());
    ASSERT_EQ(picturing.alerts().size(), 1);
    EXPECT_EQ(picturing.alerts().at(0).title, QStringLiteral("Confirm Upload"));
    EXPECT_FALSE(window->document()->uploadInProgress());
    EXPECT_TRUE(QFile::exists(QCoreApplication::applicationDirPath() +
                              QStringLiteral("/gui-artefacts/publish-page-confirmation.png")));
}
