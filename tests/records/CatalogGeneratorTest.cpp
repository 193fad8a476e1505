// The catalog pages against golden files and the rules they follow: pagination, themes, the size
// threshold, and paths and names from disk written so that a page cannot be broken by them.
#include "common/ExternalTools.h"
#include "records/CatalogJob.h"
#include "records/CatalogPageGenerator.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QList<QuibFileHelper> records(const QString& pattern, int count)
{
    QList<QuibFileHelper> list;
    for (int i = 1; i <= count; ++i) {
        QuibFileHelper record;
        record.filePath = pattern.arg(i, 2, 10, QLatin1Char('0'));
        record.setFileModDate(QDateTime(QDate(2016, 3, 5).addDays(i - 1), QTime(9, 15)));
        list.append(record);
    }
    return list;
}

CatalogOptions photoOptions(int segment)
{
    CatalogOptions options;
    options.title = QStringLiteral("Summer & Friends");
    options.itemsPerPageSegment = segment;
    options.baseName = QStringLiteral("photo");
    return options;
}

// Compares with tests/fixtures/catalogs/<name>; QUIB_UPDATE_GOLDEN=1 writes the file instead.
void expectGolden(const QString& text, const QString& name)
{
    const QString path = QStringLiteral(QUIB_FIXTURES_DIR "/catalogs/") + name;
    if (qEnvironmentVariableIntValue("QUIB_UPDATE_GOLDEN") == 1) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(text.toUtf8());
        return;
    }
    QFile in(path);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly)) << path.toStdString();
    EXPECT_EQ(QString::fromUtf8(in.readAll()).toStdString(), text.toStdString()) << name.toStdString();
}

QStringList sources(const QString& page)
{
    QStringList found;
    static const QRegularExpression source(QStringLiteral("src=\"(/[^\"]*)\""));
    for (auto it = source.globalMatch(page); it.hasNext();)
        found << it.next().captured(1);
    return found;
}

TEST(CatalogGenerator, TwentyFivePhotosAtTenAPageGiveThreePages)
{
    CatalogOptions options = photoOptions(0);
    options.fileNameCaption = true;
    options.timestampCaption = true;
    const QList<CatalogPage> pages = CatalogPageGenerator::generatePhotoGalleryCode(
        records(QStringLiteral("/photos/p%1.jpg"), 25), options);
    ASSERT_EQ(pages.size(), 3);
    EXPECT_EQ(pages[0].fileName, QStringLiteral("photo1.html"));
    EXPECT_EQ(pages[2].fileName, QStringLiteral("photo3.html"));
    expectGolden(pages[1].text, QStringLiteral("photos-page2.html"));

    EXPECT_TRUE(
        pages[1].text.contains(QStringLiteral("<li class=\"active\"><a href=\"photo2.html\">2</a></li>")));
    EXPECT_TRUE(pages[1].text.contains(QStringLiteral("<li><a href=\"photo1.html\">1</a></li>")));
    QStringList expected;
    for (int i = 11; i <= 20; ++i)
        expected << QStringLiteral("/photos/p%1.jpg").arg(i);
    EXPECT_EQ(sources(pages[1].text), expected);
    EXPECT_EQ(sources(pages[2].text).size(), 5);
    EXPECT_EQ(sources(pages[0].text).first(), QStringLiteral("/photos/p01.jpg"));
}

TEST(CatalogGenerator, ItemsPerPageAndNavigation)
{
    const struct
    {
        int photos;
        int segment;
        QList<int> perPage;
    } cases[] = {{10, 0, {10}}, {31, 2, {30, 1}}, {120, 11, {120}}, {0, 2, {}}};
    for (const auto& c : cases) {
        const QList<CatalogPage> pages = CatalogPageGenerator::generatePhotoGalleryCode(
            records(QStringLiteral("/p/%1.png"), c.photos), photoOptions(c.segment));
        QList<int> perPage;
        for (const CatalogPage& page : pages) {
            perPage << int(sources(page.text).size());
            EXPECT_EQ(page.text.contains(QStringLiteral("<nav>")), pages.size() > 1);
        }
        EXPECT_EQ(perPage, c.perPage) << c.photos;
    }
    EXPECT_EQ(CatalogPageGenerator::itemsPerPage(2), 30);
}

TEST(CatalogGenerator, ThemeColours)
{
    const struct
    {
        bool dark;
        const char* jumbotron;
        const char* page;
        const char* text;
    } cases[] = {{true, "#000", "#000000", "#ffffff"}, {false, "#eee", "#FFFFFF", "#000000"}};
    for (const auto& c : cases) {
        CatalogOptions options = photoOptions(0);
        options.darkTheme = c.dark;
        for (const QString& text : {CatalogPageGenerator::generatePhotoGalleryCode(
                                        records(QStringLiteral("/p/%1.jpg"), 1), options)[0]
                                        .text,
                                    CatalogPageGenerator::generateVideoGalleryCode(
                                        records(QStringLiteral("/v/%1.mp4"), 1), options)[0]
                                        .text}) {
            EXPECT_TRUE(text.contains(QStringLiteral(".jumbotron {\nbackground-color: %1 !important;\n}")
                                          .arg(QLatin1String(c.jumbotron))));
            EXPECT_TRUE(text.contains(
                QStringLiteral("body {\nbackground-color: %1 !important;\ncolor: %2 !important;\n}")
                    .arg(QLatin1String(c.page), QLatin1String(c.text))));
        }
    }
}

TEST(CatalogGenerator, FolderPageListsFoldersAboveTheThreshold)
{
    QList<QuibFileHelper> folders;
    for (const auto& [path, bytes] :
         {std::pair{"/data/big folder", 1'000'001ull}, std::pair{"/data/edge", 1'000'000ull},
          std::pair{"/data/<small>", 12ull}}) {
        QuibFileHelper record;
        record.filePath = QString::fromUtf8(path);
        record.fileSizeBytes = bytes;
        record.fileSize = CatalogScan::byteCountString(bytes);
        folders.append(record);
    }
    CatalogOptions options;
    options.skipSegment = 0;
    options.inputFolderPath = QStringLiteral("/data");
    options.editionDisplayName = QStringLiteral("Tirrabel");
    options.baseName = QStringLiteral("catalog");
    QList<qint32> reported;
    const CatalogPage page = CatalogPageGenerator::generateFileGalleryCode(
        folders, options, QDateTime(QDate(2026, 12, 10), QTime(14, 5)),
        [&](qint32 done, qint32, const QString&) { reported << done; });
    EXPECT_EQ(page.fileName, QStringLiteral("catalog1.html"));
    expectGolden(page.text, QStringLiteral("folders.html"));
    EXPECT_TRUE(
        page.text.contains(QStringLiteral("<td>/data/big folder</td><td><a href=\"/data/big%20folder\">")));
    EXPECT_FALSE(page.text.contains(QStringLiteral("/data/edge")));
    EXPECT_TRUE(page.text.contains(QStringLiteral("<li>Indexed: 1 folders<li>Skipped: 2 folders")));
    EXPECT_TRUE(page.text.contains(QStringLiteral("Generated on: Dec 10 2026 02:05 PM Thursday")));
    EXPECT_EQ(reported, QList<qint32>{0});

    options.skipSegment = 4; // no threshold: every folder, even an empty one
    const QString all =
        CatalogPageGenerator::generateFileGalleryCode(folders, options, QDateTime::currentDateTime()).text;
    EXPECT_TRUE(all.contains(QStringLiteral("<td>3</td><td>12 bytes</td><td>/data/&lt;small&gt;</td>")));
}

TEST(CatalogGenerator, VideoPathsEncodedInSourcesAndEscapedInPopovers)
{
    CatalogOptions options = photoOptions(2);
    options.title = QStringLiteral("Clips");
    options.baseName = QStringLiteral("video");
    options.filePathButton = true;
    options.fileNameCaption = true;
    QList<QuibFileHelper> videos = records(QStringLiteral("/videos/clip %1.mp4"), 2);
    videos[1].filePath = QStringLiteral("/videos/say \"hi\" <now>.mov");
    const QList<CatalogPage> pages = CatalogPageGenerator::generateVideoGalleryCode(videos, options);
    ASSERT_EQ(pages.size(), 1);
    expectGolden(pages[0].text, QStringLiteral("videos.html"));
    EXPECT_TRUE(
        pages[0].text.contains(QStringLiteral("<source src=\"/videos/clip%2001.mp4\" type=\"video/mp4\">")));
    EXPECT_TRUE(
        pages[0].text.contains(QStringLiteral("title=\"clip 01.mp4\" data-content=\"/videos/clip 01.mp4\"")));
    EXPECT_TRUE(pages[0].text.contains(
        QStringLiteral("data-content=\"/videos/say &quot;hi&quot; &lt;now&gt;.mov\">Path</button>")));
}

TEST(CatalogGenerator, CopiesAreLinkedRelativeToThePages)
{
    QList<QuibFileHelper> photos = records(QStringLiteral("/p/%1.jpg"), 2);
    photos[0].updatedFilePath = QStringLiteral("photo/photo0.jpg");
    photos[1].updatedFilePath = QStringLiteral("photo/photo1.jpg");
    CatalogOptions options = photoOptions(2);
    options.linkCopies = true;
    const QString page = CatalogPageGenerator::generatePhotoGalleryCode(photos, options)[0].text;
    EXPECT_TRUE(page.contains(QStringLiteral("src=\"photo/photo0.jpg\"")));
    EXPECT_TRUE(page.contains(QStringLiteral("src=\"photo/photo1.jpg\"")));
    EXPECT_FALSE(page.contains(QStringLiteral("src=\"/p/")));
}

// Python's own HTML parser reports the tags and texts a browser's tokenizer would see.
TEST(CatalogGenerator, HostileFileNameStaysInertUnderAnHtmlParser)
{
    if (!haveProgramOrFail(QStringLiteral("python3"), QStringLiteral("python3")))
        return;
    QList<QuibFileHelper> photos = records(QStringLiteral("/p/%1.jpg"), 1);
    photos[0].filePath = QStringLiteral("/p/a\"b<c>.jpg");
    CatalogOptions options = photoOptions(2);
    options.title = QStringLiteral("</title><script>alert(1)</script>");
    options.fileNameCaption = true;
    const QString page = CatalogPageGenerator::generatePhotoGalleryCode(photos, options)[0].text;

    QProcess python;
    python.start(QStringLiteral("python3"), {QStringLiteral("-c"), QStringLiteral(R"(
import sys, json
from html.parser import HTMLParser
class P(HTMLParser):
    def __init__(self):
        super().__init__()
        self.tags = []; self.images = []; self.texts = []; self.title = None; self.where = []
    def handle_starttag(self, tag, attrs):
        self.tags.append(tag)
        if tag not in ('br', 'img', 'meta', 'link', 'input', 'hr'): self.where.append(tag)
        if tag == 'img': self.images.append(dict(attrs))
    def handle_endtag(self, tag):
        if self.where and self.where[-1] == tag: self.where.pop()
    def handle_data(self, data):
        if self.where and self.where[-1] == 'title': self.title = data
        if self.where and self.where[-1] == 'center': self.texts.append(data)
p = P(); p.feed(sys.stdin.read()); p.close()
print(json.dumps({'scripts': p.tags.count('script'), 'c': p.tags.count('c'), 'images': p.images,
                  'texts': p.texts, 'title': p.title}))
)")});
    python.write(page.toUtf8());
    python.closeWriteChannel();
    ASSERT_TRUE(python.waitForFinished(30000));
    const QString out = QString::fromUtf8(python.readAllStandardOutput()).trimmed();
    // The two libraries and the resize script of the head, and the viewer: none from the title.
    EXPECT_TRUE(out.contains(QStringLiteral("\"scripts\": 4"))) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("\"c\": 0"))) << out.toStdString();
    EXPECT_TRUE(
        out.contains(QStringLiteral("{\"class\": \"img-responsive\", \"src\": \"/p/a%22b%3Cc%3E.jpg\"}")))
        << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("\"texts\": [\"a\\\"b<c>.jpg\"]"))) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("\"title\": \"</title><script>alert(1)</script>\"")))
        << out.toStdString();
}

TEST(CatalogGenerator, JobWritesUtf8PagesAndReplacesAnEarlierRun)
{
    QTemporaryDir dir;
    QList<QuibFileHelper> photos = records(QStringLiteral("/bilder/Ä%1.jpg"), 12);
    CatalogOptions options = photoOptions(0);
    options.title = QStringLiteral("Fotos – Sommer");
    QFile stale(dir.path() + QStringLiteral("/photo1.html"));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("old page");
    stale.close();
    const CatalogJob::Result result = CatalogJob::generate(photos, CatalogKind::Photos, options, dir.path(),
                                                           QDateTime::currentDateTime(), {});
    EXPECT_EQ(result.firstPagePath, dir.path() + QStringLiteral("/photo1.html"));
    EXPECT_EQ(result.writeFailures, 0);
    QFile first(result.firstPagePath);
    ASSERT_TRUE(first.open(QIODevice::ReadOnly));
    const QByteArray bytes = first.readAll();
    EXPECT_TRUE(bytes.startsWith("<!DOCTYPE html>")); // no byte-order mark
    EXPECT_TRUE(bytes.contains("<meta charset=\"utf-8\">"));
    EXPECT_TRUE(bytes.contains(QStringLiteral("<title>Fotos – Sommer</title>").toUtf8()));
    EXPECT_TRUE(bytes.contains("src=\"/bilder/%C3%8401.jpg\""));
    EXPECT_TRUE(QFileInfo::exists(dir.path() + QStringLiteral("/photo2.html")));
}

TEST(CatalogGenerator, SummaryTexts)
{
    EXPECT_EQ(CatalogJob::summaryText({}), QStringLiteral("Did not find any supported files in this folder"));
    EXPECT_EQ(CatalogJob::summaryText(records(QStringLiteral("/p/%1.jpg"), 3)),
              QStringLiteral("Total count: 3\nEarliest date: Mar 05 2016\nLatest date: Mar 07 2016"));
    QList<QuibFileHelper> mixed = records(QStringLiteral("/p/%1.jpg"), 3);
    std::swap(mixed[0], mixed[2]);
    mixed[1].fileSizeBytes = 10;
    EXPECT_EQ(CatalogJob::sortedForKind(mixed, CatalogKind::Photos).first().filePath,
              QStringLiteral("/p/01.jpg"));
    EXPECT_EQ(CatalogJob::sortedForKind(mixed, CatalogKind::Folders).first().filePath,
              QStringLiteral("/p/02.jpg"));
    EXPECT_EQ(CatalogJob::sortedForKind(mixed, CatalogKind::Videos).first().filePath,
              QStringLiteral("/p/03.jpg"));
}

} // namespace
