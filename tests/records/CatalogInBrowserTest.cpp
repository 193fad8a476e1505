// A photo catalog in headless Chromium with its library hosts mapped to a loopback HTTPS server
// that serves the project's copies: the libraries load, the pictures show, and the viewer opens on
// a click and steps forward and back without script errors.
#include "generation/BrowserTestSupport.h"
#include "records/CatalogPageGenerator.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>

namespace {

bool copyInto(const QString& source, const QString& target)
{
    QDir().mkpath(QFileInfo(target).absolutePath());
    return QFile::copy(source, target);
}

TEST(CatalogInBrowser, ViewerOpensStepsAndCloses)
{
    QUIB_REQUIRE_BROWSER();
    if (!haveProgramOrFail(QStringLiteral("python3"), QStringLiteral("python3")) ||
        !haveProgramOrFail(QStringLiteral("openssl"), QStringLiteral("openssl")))
        return;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());

    // The library hosts' paths, served from the copies under resources/web.
    const QString web = QStringLiteral(QUIB_RESOURCES_DIR "/web/");
    const QString cdn = dir.filePath(QStringLiteral("cdn"));
    for (const QString& url :
         {CatalogPageGenerator::bootstrapStyleSheetUrl(), CatalogPageGenerator::jqueryUrl(),
          CatalogPageGenerator::bootstrapScriptUrl()}) {
        const QString file = QUrl(url).fileName() == QLatin1String("jquery.min.js")
                                 ? QStringLiteral("jquery-1.11.1.min.js")
                                 : QUrl(url).fileName();
        ASSERT_TRUE(copyInto(web + file, cdn + QUrl(url).path())) << url.toStdString();
    }
    QProcess openssl;
    openssl.start(QStringLiteral("openssl"),
                  {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "1", "-subj", "/CN=localhost",
                   "-keyout", dir.filePath(QStringLiteral("key.pem")), "-out",
                   dir.filePath(QStringLiteral("cert.pem"))});
    ASSERT_TRUE(openssl.waitForFinished(60000) && openssl.exitCode() == 0)
        << openssl.readAllStandardError().toStdString();

    QProcess server;
    server.start(QStringLiteral("python3"),
                 {QStringLiteral(QUIB_FIXTURES_DIR "/../browser/cdn-server.py"), cdn,
                  dir.filePath(QStringLiteral("cert.pem")), dir.filePath(QStringLiteral("key.pem"))});
    ASSERT_TRUE(server.waitForReadyRead(30000)) << server.readAllStandardError().toStdString();
    const int port = server.readLine().trimmed().toInt();
    ASSERT_GT(port, 0);
    const QString rules = QStringLiteral("MAP %1 127.0.0.1:%3, MAP %2 127.0.0.1:%3")
                              .arg(QUrl(CatalogPageGenerator::bootstrapScriptUrl()).host(),
                                   QUrl(CatalogPageGenerator::jqueryUrl()).host(), QString::number(port));

    // Three pictures, one with a blank and one with an accent in its name.
    QList<QuibFileHelper> photos;
    const QList<std::pair<QString, QColor>> pictures{{QStringLiteral("first one.png"), Qt::red},
                                                     {QStringLiteral("zweite-ä.png"), Qt::darkGreen},
                                                     {QStringLiteral("third.jpg"), Qt::blue}};
    for (const auto& [name, colour] : pictures) {
        QImage image(320, 200, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = dir.filePath(QStringLiteral("pics/") + name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        ASSERT_TRUE(image.save(path));
        QuibFileHelper record;
        record.filePath = path;
        record.setFileModDate(QDateTime(QDate(2020, 1, 2), QTime(3, 4)));
        photos.append(record);
    }
    CatalogOptions options;
    options.title = QStringLiteral("Catalog in a browser");
    options.baseName = QStringLiteral("photo");
    options.fileNameCaption = true;
    const QList<CatalogPage> pages = CatalogPageGenerator::generatePhotoGalleryCode(photos, options);
    ASSERT_EQ(pages.size(), 1);
    const QString page = dir.filePath(QStringLiteral("site/photo1.html"));
    QDir().mkpath(dir.filePath(QStringLiteral("site")));
    QFile out(page);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(pages[0].text.toUtf8());
    out.close();

    const QString artefacts = QCoreApplication::applicationDirPath() + QStringLiteral("/gui-artefacts");
    QDir().mkpath(artefacts);
    const QJsonObject report =
        browsertest::runPage(page, QStringLiteral("catalog-viewer-check.js"), 1000,
                             {QStringLiteral("--host-rules"), rules, QStringLiteral("--screenshot"),
                              artefacts + QStringLiteral("/catalog-photos-chromium.png")});
    server.kill();
    server.waitForFinished();
    const QString log = QString::fromUtf8(server.readAllStandardError());

    browsertest::expectNoScriptErrors(report);
    EXPECT_TRUE(report.value("refused").toArray().isEmpty()) << browsertest::compact(report).toStdString();
    const QJsonObject result = report.value("result").toObject();
    EXPECT_EQ(result.value("jquery").toString(), QStringLiteral("1.11.1"))
        << browsertest::compact(result).toStdString();
    EXPECT_TRUE(result.value("modal").toBool());
    EXPECT_EQ(result.value("styled").toString(), QStringLiteral("48px")); // Bootstrap's jumbotron
    EXPECT_EQ(result.value("loaded").toInt(), 3) << browsertest::compact(result).toStdString();
    const QJsonArray sources = result.value("sources").toArray();
    ASSERT_EQ(sources.size(), 3);
    const struct
    {
        const char* step;
        int shown;
        bool next;
        bool previous;
    } steps[] = {
        {"opened", 1, true, true}, {"afterNext", 2, false, true}, {"afterPreviousTwice", 0, true, false}};
    for (const auto& s : steps) {
        const QJsonObject viewer = result.value(QLatin1String(s.step)).toObject();
        EXPECT_TRUE(viewer.value("open").toBool()) << s.step;
        EXPECT_EQ(viewer.value("src").toString(), sources.at(s.shown).toString()) << s.step;
        EXPECT_EQ(viewer.value("next").toBool(), s.next) << s.step;
        EXPECT_EQ(viewer.value("previous").toBool(), s.previous) << s.step;
    }
    for (const QString& url : {CatalogPageGenerator::bootstrapStyleSheetUrl(),
                               CatalogPageGenerator::jqueryUrl(), CatalogPageGenerator::bootstrapScriptUrl()})
        EXPECT_TRUE(log.contains(QStringLiteral("\"GET %1 HTTP/1.1\" 200").arg(QUrl(url).path())))
            << log.toStdString();
}

} // namespace
