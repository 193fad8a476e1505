// The website commands end to end: a three-page project published through the window's command,
// with and without images, and chosen files with their link boxes, against pyftpdlib on loopback.
// The run itself (progress window, worker thread, closing alert) is the page publishing's startUpload;
// while that is still the placeholder that shows no progress window, these tests skip.
#include "PageListTestSupport.h"
#include "publishing/UploadServers.h"

#include "model/DRVGraphic.h"
#include "platform/SecretStore.h"
#include "platform/UserDefaults.h"

#include <QDirIterator>
#include <QSet>

using namespace uploadtest;

namespace {

class PublishWebsiteUploadTest : public PageListTest
{
protected:
    void SetUp() override
    {
        QList<PageRecord> records{addPage(QStringLiteral("index"), QStringLiteral("Home"), QStringLiteral("FF0000")),
                                  addPage(QStringLiteral("about"), QStringLiteral("About"), QStringLiteral("00FF00")),
                                  addPage(QStringLiteral("contact"), QStringLiteral("Contact"),
                                          QStringLiteral("0000FF"))};
        openProject(records);
        uploadtest::writeFile(QDir(m_project).filePath(QStringLiteral("favicon.ico")), "ico");
        // Bootstrap pages: no full refresh is due, so the working copy stays as made here.
        ASSERT_FALSE(controller.needToForceRefresh());
        const QString images = QDir(controller.openWebsiteFolderTempPath()).filePath(QStringLiteral("about"));
        for (const char* name : {"submit.png", "image3o.png", "image3@2x.png", "image1@2x.png"})
            uploadtest::writeFile(QDir(images).filePath(QLatin1String(name)), QByteArray("png ") + name);
        root = m_store.filePath(QStringLiteral("server"));
        QDir().mkpath(root);
    }

    bool startServer(const QString& baseURL)
    {
        if (!havePythonModuleOrFail(QStringLiteral("pyftpdlib"), QStringLiteral("python3-pyftpdlib")))
            return false;
        const bool started = server.start("ftp_server.py", {QStringLiteral("--root"), root});
        EXPECT_TRUE(started) << server.errors().toStdString();
        if (!started)
            return false;
        const QString port = QString::number(server.port("FTP"));
        platform::UserDefaults& defaults = platform::UserDefaults::standard();
        defaults.setObject(QStringLiteral("server"), QStringLiteral("127.0.0.1"));
        defaults.setObject(QStringLiteral("username"), QStringLiteral("quib"));
        defaults.setObject(QStringLiteral("password"), QStringLiteral("secret"));
        defaults.setObject(QStringLiteral("portnumber"), port);
        defaults.setObject(QStringLiteral("connectiontype"), QStringLiteral("FTP"));
        defaults.setObject(QStringLiteral("remotepath"), QString());
        defaults.setObject(QStringLiteral("baseurl"), baseURL);
        secrets->write(platform::SecretKey::fromSettings(QStringLiteral("FTP"), QStringLiteral("quib"),
                                                         QStringLiteral("127.0.0.1"), port),
                       QStringLiteral("secret"));
        return true;
    }

    static QSet<QWidget*> visibleWindows()
    {
        QSet<QWidget*> shown;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->isVisible())
                shown.insert(widget);
        }
        return shown;
    }

    // Runs the command; false when startUpload showed no progress window of its own: the page
    // publishing's run is not in place yet, and the caller skips.
    bool runCommand(const QString& action)
    {
        const QSet<QWidget*> before = visibleWindows();
        EXPECT_TRUE(controller.performAction(action));
        QSet<QWidget*> after = visibleWindows();
        after.subtract(before);
        after.remove(controller.window());
        return !after.isEmpty();
    }

    // Waits for the run's closing alert and answers nothing more; its title, "" when none came.
    QString waitForEnding()
    {
        const auto ending = [this]() -> QString {
            for (const platform::Alert& alert : dialogs->alerts()) {
                if (alert.title == QLatin1String("Upload Complete!") ||
                    alert.title == QLatin1String("Uhoh!  We have a problem"))
                    return alert.title;
            }
            return QString();
        };
        QTest::qWaitFor([&] { return !ending().isEmpty(); }, 90000);
        return ending();
    }

    QStringList serverFiles() const
    {
        QStringList files;
        QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext())
            files.append(QDir(root).relativeFilePath(it.next()));
        files.sort();
        return files;
    }

    platform::ScopedSecretStore secrets;
    ServerProcess server;
    QString root;
};


TEST_F(PublishWebsiteUploadTest, AThreePageSiteWithImagesArrivesWhole)
{
    if (!startServer(QString()))
        return;
    dialogs->queueAlertAnswer(0); // Proceed
    ASSERT_TRUE(runCommand(QStringLiteral("publishWebsiteWithImages:")));
    ASSERT_EQ(waitForEnding(), QStringLiteral("Upload Complete!"));
    EXPECT_EQ(serverFiles(), QStringList({QStringLiteral("about.html"), QStringLiteral("about/image1@2x.png"),
                                          QStringLiteral("about/image3@2x.png"), QStringLiteral("contact.html"),
                                          QStringLiteral("favicon.ico"), QStringLiteral("index.html")}));
    EXPECT_EQ(readFile(QDir(root).filePath(QStringLiteral("about/image3@2x.png"))), QByteArray("png image3@2x.png"));
    EXPECT_EQ(readFile(QDir(root).filePath(QStringLiteral("favicon.ico"))), QByteArray("ico"));
    // Each page arrives as the copy the run made of it.
    const QList<UploadItem> items = document.uploadItemArray();
    ASSERT_FALSE(items.isEmpty());
    EXPECT_EQ(readFile(QDir(root).filePath(QStringLiteral("index.html"))), readFile(items.constFirst().localPath()));
}

TEST_F(PublishWebsiteUploadTest, AQuickRefreshSendsThePagesAndTheFaviconOnly)
{
    if (!startServer(QString()))
        return;
    dialogs->queueAlertAnswer(0); // Proceed
    ASSERT_TRUE(runCommand(QStringLiteral("publishWebsiteNoImages:")));
    ASSERT_EQ(waitForEnding(), QStringLiteral("Upload Complete!"));
    EXPECT_EQ(serverFiles(), QStringList({QStringLiteral("about.html"), QStringLiteral("contact.html"),
                                          QStringLiteral("favicon.ico"), QStringLiteral("index.html")}));
}

TEST_F(PublishWebsiteUploadTest, ChosenFilesArriveInThePageFolderAndTheirLinksAreAdded)
{
    if (!startServer(QStringLiteral("http://example.com/site")))
        return;
    QStringList chosen;
    for (const char* name : {"report.pdf", "price list.xlsx", "notes.txt", "summer photo 2026.jpg"}) {
        chosen.append(m_store.filePath(QStringLiteral("picked/") + QLatin1String(name)));
        uploadtest::writeFile(chosen.constLast(), QByteArray("file ") + name);
    }
    dialogs->queueOpenPanelAnswer(chosen);
    dialogs->queueAlertAnswer(0); // Proceed
    dialogs->queueAlertAnswer(0); // Generate Links to Uploaded Files
    const qsizetype before = document.graphics().size();
    ASSERT_TRUE(runCommand(QStringLiteral("selectDocumentsToUpload:")));
    ASSERT_EQ(waitForEnding(), QStringLiteral("Upload Complete!"));
    const platform::Alert done = dialogs->alerts().constLast();
    EXPECT_EQ(done.informativeText,
              QStringLiteral("Files have been uploaded to the following folder:\n\nhttp://example.com/site/index"));
    EXPECT_EQ(serverFiles(), QStringList({QStringLiteral("index/notes.txt"), QStringLiteral("index/price list.xlsx"),
                                          QStringLiteral("index/report.pdf"),
                                          QStringLiteral("index/summer photo 2026.jpg")}));
    EXPECT_EQ(readFile(QDir(root).filePath(QStringLiteral("index/price list.xlsx"))), QByteArray("file price list.xlsx"));

    QTest::qWaitFor([&] { return document.graphics().size() >= before + 4; }, 5000);
    ASSERT_EQ(document.graphics().size(), before + 4);
    const DRVGraphic* fourth = nullptr;
    for (const DRVGraphic* graphic : document.graphics()) {
        if (graphic->bounds() == QRectF(100, 250, 300, 40))
            fourth = graphic;
    }
    ASSERT_NE(fourth, nullptr);
    EXPECT_EQ(fourth->valueForKey(QStringLiteral("link")).toString(),
              QStringLiteral("http://example.com/site/index/summer%20photo%202026.jpg"));
}

} // namespace
