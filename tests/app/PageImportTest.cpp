// Page import from a web address against a small web server on loopback serving fixtures made here:
// which addresses and pages are accepted, the page encodings, the image rules (types, retina copies,
// stand-ins, hostile names), the project questions, failures, and the window staying responsive.
#include "AppTestSupport.h"

#include "common/ExternalTools.h"
#include "publishing/UploadFTPS.h"
#include "window/ImportPageWindowController.h"
#include "window/PageImporter.h"
#include "window/ProgressIndicatorWindowController.h"

#include <QComboBox>
#include <QDirIterator>
#include <QImage>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QStringEncoder>
#include <QTcpServer>
#include <QTest>

namespace {

const QByteArray kTag = "<meta name='Generator' content='HTML Quib Pro for Linux 1.0'>";

class PageImportTest : public WindowedAppTest
{
protected:
    PageImportTest()
    {
        m_site = m_root.filePath(QStringLiteral("site"));
        QDir().mkpath(m_site + QStringLiteral("/page"));
        m_work = QDir(edition().gTempFolderPath).filePath(edition().gReceivedPagesFolderName);
        QDir().mkpath(m_work);
    }
    ~PageImportTest() override
    {
        ImportPageWindowController& import = ImportPageWindowController::shared();
        if (import.isImporting()) {
            QSignalSpy done(&import, &ImportPageWindowController::importFinished);
            done.wait(15000);
        }
        import.setHost({});
        import.window()->hide();
        if (m_server.state() != QProcess::NotRunning) {
            m_server.kill();
            m_server.waitForFinished();
        }
    }

    // Starts the server on the site folder; false (skipped, or failed on CI) without python3.
    bool startServer()
    {
        if (!haveProgramOrFail(QStringLiteral("python3"), QStringLiteral("python3")))
            return false;
        m_server.start(QStringLiteral("python3"),
                       {QStringLiteral(QUIB_FIXTURES_DIR "/import/serve.py"), m_site});
        if (!m_server.waitForStarted() || !m_server.waitForReadyRead(10000)) {
            ADD_FAILURE() << "the fixture server did not start";
            return false;
        }
        m_base =
            QStringLiteral("http://127.0.0.1:%1/").arg(QString::fromLatin1(m_server.readLine().trimmed()));
        return true;
    }

    void writeFixture(const QString& relative, const QByteArray& bytes)
    {
        QFile file(QDir(m_site).filePath(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    void writePicture(const QString& relative, int width, int height)
    {
        QImage image(width, height, QImage::Format_ARGB32);
        image.fill(Qt::darkCyan);
        ASSERT_TRUE(image.save(QDir(m_site).filePath(relative), "PNG"));
    }

    static QByteArray imageRule(const QByteArray& name, const QByteArray& type)
    {
        return ".image" + name + "{position:absolute;left:10px;top:10px;z-index:1;imagename:" + name +
               ";imagetype:" + type + ";width:40px;height:30px;}\n";
    }

    static QByteArray page(const QByteArray& head, const QByteArray& body = "<p>page</p>")
    {
        return "<!DOCTYPE html>\n<html><head>" + kTag + "\n<style type=text/css>\n" + head +
               "</style></head>\n<body>" + body + "</body></html>\n";
    }

    PageImporter::Request request(const QString& relative, int segment = 0) const
    {
        PageImporter::Request r;
        r.address = m_base + relative;
        r.encodingSegment = segment;
        r.workFolder = m_work;
        r.documentExtension = QStringLiteral("quibpage");
        return r;
    }

    // Every file under the test's folder outside the working folder and the site.
    QStringList filesOutsideWorkAndSite() const
    {
        QStringList files;
        QDirIterator it(m_root.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            if (!path.startsWith(m_work + u'/') && !path.startsWith(m_site + u'/') &&
                !path.endsWith(QLatin1String("defaults.ini")))
                files.append(path);
        }
        return files;
    }

    QProcess m_server;
    QString m_site;
    QString m_work;
    QString m_base;
};

} // namespace

TEST(PageImportAddress, SchemeIsAddedOnlyWhereMissing)
{
    const struct
    {
        const char* typed;
        const char* expected;
    } cases[] = {
        {"www.example.com/index.html", "http://www.example.com/index.html"},
        {"https://example.com/a.html", "https://example.com/a.html"},
        {"HTTP://EXAMPLE.COM/a.html", "HTTP://EXAMPLE.COM/a.html"}, // the scheme in any case
        {"Https://example.com/a.html", "Https://example.com/a.html"},
        {"a.ht", "a.ht"}, // four characters: never given a scheme
        {"x.htm", "http://x.htm"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PageImporter::addressWithScheme(QString::fromUtf8(c.typed)), QString::fromUtf8(c.expected))
            << c.typed;
}

TEST(PageImportAddress, PagesAreAcceptedByExtensionAndGeneratorTag)
{
    const QString quib = QString::fromLatin1(kTag);
    const QString selvaro = QStringLiteral("<meta name='Generator' content='Selvaro Pro for Linux 1.0'>");
    const struct
    {
        const char* address;
        QString text;
        const char* expected;
    } cases[] = {
        {"http://h/index.html", quib, "html"},
        {"http://h/form.php", quib, "php"},
        {"http://h/form.php", selvaro, "php"},
        {"http://h/index.html", selvaro, ""},
        {"http://h/index.htm", quib, ""},
        {"http://h/index.html?page=2", quib, ""},
        {"http://h/index.html", QStringLiteral("<html></html>"), ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PageImporter::acceptedPageExtension(QString::fromUtf8(c.address), c.text),
                  QString::fromUtf8(c.expected))
            << c.address;
}

TEST(PageImportAddress, BytesDecodeByTheChosenEncodingOrNotAtAll)
{
    QByteArray utf16("\xff\xfe", 2);
    utf16.append(reinterpret_cast<const char*>(u"Grüße"), 10);
    const struct
    {
        QByteArray bytes;
        int segment;
        std::optional<QString> text;
    } cases[] = {
        {"plain", 0, QStringLiteral("plain")}, {"Gr\xc3\xbc\xc3\x9f", 0, QStringLiteral("Grüß")},
        {"Gr\xfc\xdf", 0, std::nullopt}, // Latin-1 bytes are no UTF-8
        {utf16, 1, QStringLiteral("Grüße")},   {"\xcf\xf0\xe8", 2, QStringLiteral("При")},
        {"\xc4\xe3", 3, QStringLiteral("你")}, // GB 18030
        {"plain", 4, QStringLiteral("plain")}, // any other segment: ASCII
        {"caf\xe9", 4, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PageImporter::decode(c.bytes, c.segment), c.text)
            << c.segment << " " << c.bytes.toHex().constData();
}

TEST_F(PageImportTest, PagesByAddressAndEncoding)
{
    if (!startServer())
        return;
    writeFixture(QStringLiteral("index.html"), page(""));
    writeFixture(QStringLiteral("form.php"), page(""));
    writeFixture(QStringLiteral("index.htm"), page(""));
    const QString cyrillic = QStringLiteral("Привет, мир");
    const QString chinese = QStringLiteral("你好，世界");
    QStringEncoder cp1251("windows-1251");
    QStringEncoder gb18030("GB18030");
    ASSERT_TRUE(cp1251.isValid() && gb18030.isValid());
    writeFixture(QStringLiteral("cyrillic.html"), page("", cp1251.encode(cyrillic)));
    writeFixture(QStringLiteral("chinese.html"), page("", gb18030.encode(chinese)));

    PageImporter::Result html = PageImporter::run(request(QStringLiteral("index.html")));
    EXPECT_TRUE(html.imported);
    EXPECT_EQ(html.documentFileName, QStringLiteral("index.quibpage"));
    EXPECT_TRUE(QFileInfo::exists(m_work + QStringLiteral("/index/index.html")));
    EXPECT_TRUE(QFileInfo(m_work + QStringLiteral("/index/index")).isDir());

    PageImporter::Result php = PageImporter::run(request(QStringLiteral("form.php")));
    EXPECT_TRUE(php.imported);
    EXPECT_EQ(php.documentFileName, QStringLiteral("form.selvaro"));
    EXPECT_TRUE(QFileInfo::exists(m_work + QStringLiteral("/form/form.php")));

    // Redirects are followed.
    EXPECT_TRUE(PageImporter::run(request(QStringLiteral("redirect/index.html"))).imported);

    for (const char* refused : {"index.htm", "index.html?page=2", "missing.html", "status/500/x.html"}) {
        EXPECT_FALSE(PageImporter::run(request(QString::fromLatin1(refused))).imported) << refused;
    }
    EXPECT_FALSE(QFileInfo::exists(m_work + QStringLiteral("/missing")));

    PageImporter::Result russian = PageImporter::run(request(QStringLiteral("cyrillic.html"), 2));
    EXPECT_TRUE(russian.imported);
    EXPECT_TRUE(russian.pageText.contains(cyrillic));
    // Stored as UTF-16 with a byte-order mark, as the text is not ASCII.
    QFile stored(m_work + QStringLiteral("/cyrillic/cyrillic.html"));
    ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
    const QByteArray bytes = stored.readAll();
    EXPECT_TRUE(bytes.startsWith("\xff\xfe") || bytes.startsWith("\xfe\xff"));

    PageImporter::Result gb = PageImporter::run(request(QStringLiteral("chinese.html"), 3));
    EXPECT_TRUE(gb.imported);
    EXPECT_TRUE(gb.pageText.contains(chinese));
    // GB 18030 bytes are no UTF-8: the page does not decode and is refused.
    EXPECT_FALSE(PageImporter::run(request(QStringLiteral("chinese.html"), 0)).imported);
}

TEST_F(PageImportTest, ImageRulesTypesRetinaStandInsAndHostileNames)
{
    if (!startServer())
        return;
    writePicture(QStringLiteral("page/image1.png"), 40, 30);
    writePicture(QStringLiteral("page/image1@2x.png"), 80, 60);
    writePicture(QStringLiteral("page/image2.JPG"), 40, 30);
    writePicture(QStringLiteral("page/image3.jpg"), 40, 30);
    writePicture(QStringLiteral("page/image4.png"), 1, 1);
    writePicture(QStringLiteral("page/background.PNG"), 20, 20);
    writePicture(QStringLiteral("evil.png"), 40, 30);
    writePicture(QStringLiteral("page/image6.exe"), 40, 30);
    writeFixture(QStringLiteral("page.html"),
                 page(imageRule("image1", "png") + imageRule("image2", "JPG") + imageRule("image3", "jpg") +
                      imageRule("image4", "png") + imageRule("../evil", "png") + imageRule("image6", "exe") +
                      imageRule("image7", "png") + ".imagebroken{imagename:image1;}\n" +
                      "body{background-image:url('page/background.PNG');}\n"));

    const PageImporter::Result result = PageImporter::run(request(QStringLiteral("page.html")));
    ASSERT_TRUE(result.imported);
    const QString images = m_work + QStringLiteral("/page/page");
    QStringList written = QDir(images).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(written, (QStringList{"background.PNG", "image1o.png", "image2o.JPG", "image3o.jpg"}));

    // The retina copy replaced the first download, and shows at the rule's 40 x 30 (144 dpi).
    const QImage retina(images + QStringLiteral("/image1o.png"));
    EXPECT_EQ(retina.size(), QSize(80, 60));
    EXPECT_NEAR(retina.dotsPerMeterX(), 144 / 0.0254, 2);
    EXPECT_NEAR(retina.dotsPerMeterY(), 144 / 0.0254, 2);
    // Only "JPG" is stored as JPEG; "jpg" keeps PNG data under its own name.
    auto head = [&](const QString& name) {
        QFile file(QDir(images).filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.read(4) : QByteArray();
    };
    EXPECT_TRUE(head(QStringLiteral("image2o.JPG")).startsWith("\xff\xd8"));
    EXPECT_EQ(head(QStringLiteral("image3o.jpg")), QByteArray("\x89PNG"));
    // "../evil" wrote nothing outside the page folder.
    EXPECT_EQ(filesOutsideWorkAndSite(), QStringList());
    EXPECT_FALSE(QFileInfo::exists(m_work + QStringLiteral("/page/eviloo.png")));

    // Packed, the document holds the page and its pictures.
    const QString document = m_root.filePath(QStringLiteral("page.quibpage"));
    ASSERT_TRUE(PageImporter::packDocument(result, document));
    const QString unpacked = m_root.filePath(QStringLiteral("unpacked"));
    UploadFTPS archiver;
    ASSERT_TRUE(archiver.unzipDocument(document, unpacked));
    EXPECT_TRUE(QFileInfo::exists(unpacked + QStringLiteral("/page.html")));
    EXPECT_TRUE(QFileInfo::exists(unpacked + QStringLiteral("/image1o.png")));
}

TEST_F(PageImportTest, ImportThroughTheWindowOpensAnUntitledPage)
{
    if (!startServer())
        return;
    // A page this family saved, as its web server would serve it.
    const QString saved = savedPage(QStringLiteral("source"));
    UploadFTPS archiver;
    const QString unpacked = m_root.filePath(QStringLiteral("source-unpacked"));
    ASSERT_TRUE(archiver.unzipDocument(saved, unpacked));
    QFile sourcePage(unpacked + QStringLiteral("/source.html"));
    ASSERT_TRUE(sourcePage.open(QIODevice::ReadOnly));
    QByteArray text = sourcePage.readAll();
    ASSERT_TRUE(text.contains("<meta name='Generator' content='"));
    text.replace("<meta name='Generator' content='", "<meta name='Generator' content='HTML Quib Pro ");
    writeFixture(QStringLiteral("My Page.html"), text);

    // File > Import Page From Web Address, chosen in a window of another page.
    choose(windowOnPage({}), QStringLiteral("importPage:"));
    ImportPageWindowController& import = ImportPageWindowController::shared();
    ASSERT_TRUE(import.window()->isVisible());
    EXPECT_EQ(import.window()->windowTitle(), QStringLiteral("Import Page"));
    import.urlTextField()->clear();
    QTest::keyClicks(import.urlTextField(),
                     m_base.mid(int(qstrlen("http://"))) + QStringLiteral("My Page.html"));
    keepScreenshot(import.window(), QStringLiteral("import-window.png"));

    QSignalSpy done(&import, &ImportPageWindowController::importFinished);
    const int windowsBefore = int(documents.allWindowControllers().size());
    QTest::mouseClick(import.importButton(), Qt::LeftButton);
    EXPECT_TRUE(import.urlTextField()->text().startsWith(QLatin1String("http://127.0.0.1:")));
    ASSERT_TRUE(done.wait(15000));
    EXPECT_TRUE(done.constFirst().constFirst().toBool());
    EXPECT_FALSE(import.window()->isVisible());
    ASSERT_EQ(int(documents.allWindowControllers().size()), windowsBefore + 1);
    DRVDocument* opened = documents.allWindowControllers().constLast()->document();
    ASSERT_TRUE(opened);
    EXPECT_EQ(opened->graphics().size(), 1);
    // Detached from the working folder's file: the first save asks where to put it.
    EXPECT_EQ(opened->filePath(), QString());
    EXPECT_TRUE(QFileInfo::exists(m_work + QStringLiteral("/MyPage.quibpage")));
}

TEST_F(PageImportTest, ADeadPortKeepsTheWindowWithNotAbleToImport)
{
    // A port nobody listens on: bound, then closed.
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
    const quint16 port = probe.serverPort();
    probe.close();

    documents.showPageImport();
    ImportPageWindowController& import = ImportPageWindowController::shared();
    import.urlTextField()->setText(QStringLiteral("http://127.0.0.1:%1/index.html").arg(port));
    QSignalSpy done(&import, &ImportPageWindowController::importFinished);
    QTest::mouseClick(import.importButton(), Qt::LeftButton);
    ASSERT_TRUE(done.wait(15000));
    EXPECT_FALSE(done.constFirst().constFirst().toBool());
    ASSERT_FALSE(dialogs->alerts().isEmpty());
    EXPECT_EQ(dialogs->alerts().constLast().title, QStringLiteral("Not able to import"));
    EXPECT_TRUE(dialogs->alerts().constLast().informativeText.startsWith(
        QLatin1String("Please check to make sure:")));
    EXPECT_TRUE(import.window()->isVisible());
    EXPECT_TRUE(import.importButton()->isEnabled());
    EXPECT_EQ(filesOutsideWorkAndSite(), QStringList());
}

TEST_F(PageImportTest, ASlowServerLeavesTheWindowResponsive)
{
    if (!startServer())
        return;
    writeFixture(QStringLiteral("index.html"), page(""));
    documents.showPageImport();
    ImportPageWindowController& import = ImportPageWindowController::shared();
    import.urlTextField()->setText(m_base + QStringLiteral("delay/8/index.html"));
    ProgressIndicatorWindowController::installForProcess();
    QSignalSpy done(&import, &ImportPageWindowController::importFinished);
    QTest::mouseClick(import.importButton(), Qt::LeftButton);
    ASSERT_TRUE(import.isImporting());
    ASSERT_TRUE(ProgressIndicatorWindowController::current());
    EXPECT_TRUE(ProgressIndicatorWindowController::current()->window()->isVisible());
    // While the server waits, the window takes the user's typing and a second click starts nothing.
    QTest::qWait(300);
    QTest::keyClicks(import.urlTextField(), QStringLiteral("typed"));
    EXPECT_TRUE(import.urlTextField()->text().endsWith(QLatin1String("typed")));
    QTest::mouseClick(import.importButton(), Qt::LeftButton);
    EXPECT_TRUE(import.isImporting());
    EXPECT_EQ(done.size(), 0);
    ASSERT_TRUE(done.wait(15000));
    EXPECT_TRUE(done.constFirst().constFirst().toBool());
    EXPECT_EQ(ProgressIndicatorWindowController::current(), nullptr) << "the progress window went";
}

TEST_F(PageImportTest, AProjectPageAsksReplaceAndAnEditedPageIsOfferedASave)
{
    if (!startServer())
        return;
    writeFixture(QStringLiteral("index.html"), page(""));
    const QString project = m_root.filePath(QStringLiteral("project"));
    QDir().mkpath(project);
    const QString existing = project + QStringLiteral("/index.quibpage");
    writeFixture(QStringLiteral("../project/index.quibpage"), "the user's own page");

    bool edited = true;
    int saves = 0;
    QStringList shown;
    ImportPageWindowController::Host host;
    host.openWebsiteFolderPath = [project] { return project; };
    host.frontPageEdited = [&edited] { return edited; };
    host.saveFrontPage = [&saves] { return ++saves > 0; };
    host.showImportedPage = [&shown](const QString& path, bool inFront) {
        shown.append(path + (inFront ? QStringLiteral(" front") : QStringLiteral(" new")));
    };
    ImportPageWindowController& import = ImportPageWindowController::shared();
    import.setHost(host);
    import.showPageImport();
    import.urlTextField()->setText(m_base + QStringLiteral("index.html"));

    // Cancel at Replace: the project page is untouched.
    dialogs->queueAlertAnswer(1);
    QSignalSpy done(&import, &ImportPageWindowController::importFinished);
    QTest::mouseClick(import.importButton(), Qt::LeftButton);
    ASSERT_TRUE(done.wait(15000));
    EXPECT_FALSE(done.takeFirst().constFirst().toBool());
    EXPECT_EQ(dialogs->alerts().constLast().buttons, (QStringList{"Replace", "Cancel"}));
    QFile untouched(existing);
    ASSERT_TRUE(untouched.open(QIODevice::ReadOnly));
    EXPECT_EQ(untouched.readAll(), QByteArray("the user's own page"));
    untouched.close();
    EXPECT_TRUE(shown.isEmpty());

    // Replace, then Cancel at the save question: still nothing changes.
    dialogs->queueAlertAnswer(0);
    dialogs->queueAlertAnswer(2);
    QTest::mouseClick(import.importButton(), Qt::LeftButton);
    ASSERT_TRUE(done.wait(15000));
    EXPECT_EQ(dialogs->alerts().constLast().title, QStringLiteral("This file has changed"));
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_EQ(saves, 0);

    // Replace and Yes: the page is saved first, then the document replaced and shown in front.
    dialogs->queueAlertAnswer(0);
    dialogs->queueAlertAnswer(0);
    QTest::mouseClick(import.importButton(), Qt::LeftButton);
    ASSERT_TRUE(done.wait(15000));
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(shown, QStringList{existing + QStringLiteral(" front")});
    ASSERT_TRUE(untouched.open(QIODevice::ReadOnly));
    EXPECT_TRUE(untouched.read(2) == QByteArray("PK")) << "now the imported page document";
}
