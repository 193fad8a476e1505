// The round trip through the page document: graphics of every kind the page format carries are
// built, saved into a document and opened again, and the values each builder set come back. That
// page, saved and opened again, gives every property dictionary unchanged and
// generates its stored page text byte for byte, so saving it again writes nothing (saving is
// idempotent). Graphics built in code start from the model's bare defaults, which a saved page
// does not carry (a colour never set is written empty), so the full comparison starts from the
// first opened page. Each saved page is also loaded in
// headless Chromium, which must run its scripts without an error and paint something.
//
// A kind whose marker is missing from the saved page fails: its writer lost it.
//
// Keys that do not survive the trip by design, checked explicitly instead of by equality:
// - templateName: graphics of an opened page carry the page file's name ("RoundTrip.html" for the
//   document RoundTrip.quibpage, ".php" for a form document), which the writer strips of its
//   extension at the next save. A page saved under another name takes that name.
// - reals are written with two to six decimals, so they compare to two decimals.
// - borderWidth of an unformatted HTML snippet: the page does not carry it. The reader gives 0, and
//   drawing the snippet's dashed outline sets a width of 0 to 1 in the graphic (the thumbnails of a
//   writing save draw the page), so an opened page reads 0 and a saved one may hold 1.
#include "PropertyValues.h"
#include "DocumentFlowTestSupport.h"
#include "common/ExternalTools.h"

#include "model/DRVGalleryGrid.h"
#include "model/DRVImage.h"
#include "model/DRVLine.h"
#include "model/DRVSlideshow.h"
#include "model/DRVTable.h"
#include "model/DRVText.h"
#include "model/TransformView.h"
#include "model/myTextView.h"
#include "platform/TextEncoding.h"

#include <QDebug>
#include <QMetaProperty>
#include <QProcess>
#include <QSequentialIterable>
#include <QStandardPaths>
#include <QTextDocument>
#include <algorithm>
#include <functional>
#include <iostream>

using namespace documentflowtest;

namespace {

const QString kPage = QStringLiteral("RoundTrip");

QImage solid(QSize size, QColor colour)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(colour);
    return image;
}

TransformView* picture(int row, int column, QColor colour)
{
    auto* carrier = new TransformView;
    carrier->setRowSpot(row);
    carrier->setColumnSpot(column);
    carrier->setOriginalWidth(80);
    carrier->setOriginalHeight(60);
    carrier->setImage(solid(QSize(80, 60), colour));
    return carrier;
}

myTextView* cell(int row, int column, const QString& text)
{
    auto* c = new myTextView(QRectF(0, 0, 100, 30));
    c->setRowSpot(row);
    c->setColumnSpot(column);
    c->setWidth(100);
    c->setHeight(30);
    c->setFamilyName(QStringLiteral("Liberation Sans"));
    c->setFontSize(12);
    c->setTextColorString(QStringLiteral("000000"));
    c->setBackgroundHexColorString(QStringLiteral("CLEAR0"));
    c->setBorderHexColorString(QStringLiteral("000000"));
    c->setTextAlignment(QStringLiteral("left"));
    auto* storage = new QTextDocument;
    storage->setPlainText(text);
    c->setTextStorage(storage);
    return c;
}

template <class T> T* insert(DRVDocument& document, QRectF bounds)
{
    auto* graphic = new T(&document);
    graphic->setBounds(bounds);
    graphic->setTemplateName(kPage);
    document.insertGraphics({graphic}, {0});
    return graphic;
}

void addLine(DRVDocument& d)
{
    auto* line = insert<DRVLine>(d, QRectF());
    line->setBeginPoint(QPointF(10, 620));
    line->setEndPoint(QPointF(400, 620));
    line->setBorderWidth(3);
    line->setBorderStyle(QStringLiteral("dashed"));
    line->setBorderHexColorString(QStringLiteral("336699"));
    line->setOpacity(0.5);
    line->setGroupNumber(2);
}

void addText(DRVDocument& d)
{
    auto* text = insert<DRVText>(d, QRectF(20, 20, 260, 60));
    text->setTextType(QStringLiteral("Text"));
    text->setScriptingContents(QStringLiteral("Hello from the round trip"));
    text->setGroupNumber(3);
}

void addSnippet(DRVDocument& d)
{
    auto* snippet = insert<DRVText>(d, QRectF(300, 20, 200, 80));
    snippet->setTextType(QStringLiteral("HTMLSnippet"));
    snippet->setScriptingContents(QStringLiteral("<p>snippet</p>"));
}

void addFormField(DRVDocument& d)
{
    auto* field = insert<DRVText>(d, QRectF(20, 100, 200, 30));
    field->setTextType(QStringLiteral("Text"));
    field->setFormType(QStringLiteral("text"));
    field->setScriptingContents(QStringLiteral("Your name"));
    // A field as the form tools make it: outlined, so a browser shows it.
    field->setBorderWidth(1);
    field->setBorderStyle(QStringLiteral("solid"));
    field->setBorderHexColorString(QStringLiteral("333333"));
}

void addImage(DRVDocument& d)
{
    auto* image = insert<DRVImage>(d, QRectF(520, 20, 120, 90));
    image->setSlideShowNumber(-99);
    image->setImageName(QStringLiteral("image1"));
    image->setImageType(QStringLiteral("png"));
    const QImage red = solid(QSize(120, 90), Qt::red);
    image->setInputImage(red);
    image->setContents(red);
}

void addTable(DRVDocument& d, const QString& gridType, QRectF bounds)
{
    auto* table = insert<DRVTable>(d, bounds);
    if (!gridType.isEmpty())
        table->setGridType(gridType);
    table->setNumOfRows(2);
    table->setNumOfColumns(2);
    table->setCellHelperArray({cell(0, 0, QStringLiteral("A1")), cell(0, 1, QStringLiteral("B1")),
                               cell(1, 0, QStringLiteral("A2")), cell(1, 1, QStringLiteral("B2"))});
}

void addGallery(DRVDocument& d)
{
    auto* gallery = insert<DRVGalleryGrid>(d, QRectF(20, 400, 300, 120));
    gallery->setNumOfRows(1);
    gallery->setNumOfColumns(2);
    gallery->setImageArray({picture(0, 0, Qt::red), picture(0, 1, Qt::blue)});
}

void addSlideshow(DRVDocument& d)
{
    auto* slideshow = insert<DRVSlideshow>(d, QRectF(400, 400, 240, 160));
    slideshow->setImageArray({picture(0, 0, Qt::green), picture(0, 0, Qt::yellow)});
}

struct Kind
{
    const char* name;
    const char* marker; // what the saved page holds for the kind
    bool formPage;
    std::function<void(DRVDocument&)> build;
    QStringList setKeys = {}; // the values the builder sets, compared after the first trip
};

void PrintTo(const Kind& kind, std::ostream* os)
{
    *os << kind.name;
}

const QList<Kind>& kinds()
{
    static const QStringList box{"bounds"};
    static const QList<Kind> all{
        {"line",
         ".line0{",
         false,
         addLine,
         {"beginPoint", "endPoint", "borderWidth", "borderStyle", "borderHexColorString", "opacity",
          "groupNumber"}},
        {"text box", "<div class=text", false, addText,
         box + QStringList{"textType", "textString", "groupNumber"}},
        {"HTML snippet", ".snippet", false, addSnippet, box + QStringList{"textType", "textString"}},
        {"form field", "formType:text", true, addFormField, box + QStringList{"formType"}},
        {"image", "imagename:image1", false, addImage, box + QStringList{"imageName"}},
        {"table", ".tableGrid", false,
         [](DRVDocument& d) { addTable(d, QString(), QRectF(20, 200, 220, 80)); },
         box + QStringList{"numOfRows", "numOfColumns"}},
        {"navigation bar", "gridType:navbar", false,
         [](DRVDocument& d) { addTable(d, QStringLiteral("navbar"), QRectF(20, 300, 400, 40)); },
         box + QStringList{"gridType", "numOfRows", "numOfColumns"}},
        {"section", "gridType:section", false,
         [](DRVDocument& d) { addTable(d, QStringLiteral("section"), QRectF(0, 700, 1000, 200)); },
         box + QStringList{"gridType", "numOfRows", "numOfColumns"}},
        {"photo gallery", ".galleryGrid", false, addGallery, box + QStringList{"numOfRows", "numOfColumns"}},
        {"slideshow", ".slideshow", false, addSlideshow, box},
    };
    return all;
}

// ---- comparing property dictionaries ----

using propertyvalues::normalized;

QString shown(const QVariant& value)
{
    QString text;
    QDebug(&text).nospace() << value;
    return text.left(400);
}

// Compares the graphics of the written page with those read back, in page order: the given keys,
// or every key when none are given. templateName must read back as templateName.
void expectSameGraphics(const QList<DRVGraphic*>& written, const QList<DRVGraphic*>& read,
                        const QList<QStringList>& onlyKeys, const QString& templateName)
{
    ASSERT_EQ(read.size(), written.size());
    for (qsizetype i = 0; i < written.size(); ++i) {
        const QString kind = QString::fromLatin1(written[i]->metaObject()->className());
        ASSERT_EQ(QString::fromLatin1(read[i]->metaObject()->className()), kind) << "graphic " << i;
        const QVariantMap before = normalized(written[i]->properties()).toMap();
        const QVariantMap after = normalized(read[i]->properties()).toMap();
        QStringList keys = onlyKeys.isEmpty() ? before.keys() + after.keys() : onlyKeys.value(i);
        keys.removeDuplicates();
        for (const QString& key : keys) {
            if (key == QLatin1String("templateName")) {
                EXPECT_EQ(after.value(key).toString(), templateName) << kind.toStdString();
                continue;
            }
            const bool unformattedSnippet =
                read[i]->property("textType").toString() == QLatin1String("HTMLSnippet") &&
                !read[i]->property("snippetFormatFlag").toBool();
            if (key == QLatin1String("borderWidth") && unformattedSnippet) {
                EXPECT_EQ(after.value(key).toString(), QStringLiteral("0.00")) << kind.toStdString();
                EXPECT_TRUE(QStringList({"0.00", "1.00"}).contains(before.value(key).toString()))
                    << kind.toStdString() << " borderWidth " << shown(before.value(key)).toStdString();
                continue;
            }
            EXPECT_EQ(before.value(key), after.value(key))
                << kind.toStdString() << " key " << key.toStdString()
                << "\n  written: " << shown(before.value(key)).toStdString()
                << "\n  read:    " << shown(after.value(key)).toStdString();
        }
        // Members travel in carriers, not in the dictionary: their number must survive too.
        for (const char* members : {"imageArray", "cellHelperArray"}) {
            const QVariant a = written[i]->property(members);
            if (a.isValid()) {
                EXPECT_EQ(normalized(a).toList().size(),
                          normalized(read[i]->property(members)).toList().size())
                    << kind.toStdString() << " " << members;
            }
        }
        // Pictures held by a slideshow or gallery must come back with their pixels, not as empty frames.
        const QList<TransformView*> readPictures =
            read[i]->property("imageArray").value<QList<TransformView*>>();
        for (TransformView* picture : readPictures)
            EXPECT_FALSE(picture->image().isNull())
                << kind.toStdString() << " picture " << picture->imageName().toStdString();
    }
}

// ---- Chromium ----

struct BrowserRun
{
    bool ran = false;
    QStringList scriptErrors;
    QImage screenshot;
};

// Loads a copy of the page beside it, with the CDN copies of jQuery and Bootstrap pointing at the
// project's own files (the test runs offline); the rest of the network is closed.
BrowserRun loadInChromium(const QString& pagePath, QTemporaryDir& scratch)
{
    BrowserRun run;
    const QString chromium = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    if (chromium.isEmpty())
        return run;
    std::optional<QString> text = platform::readPageTextFile(pagePath);
    if (pagePath.endsWith(QStringLiteral(".php"))) {
        // A form page reaches a visitor through PHP: show what a GET request of it prints.
        QProcess php;
        php.start(QStringLiteral("php"), {QStringLiteral("-n"), QStringLiteral("-d"),
                                          QStringLiteral("display_errors=stderr"), pagePath});
        if (!php.waitForFinished(30000) || php.exitCode() != 0)
            return run;
        text = QString::fromUtf8(php.readAllStandardOutput());
    }
    if (!text)
        return run;
    const QString web = QStringLiteral("file://" QUIB_RESOURCES_DIR "/web/");
    text->replace(QStringLiteral("https://ajax.googleapis.com/ajax/libs/jquery/2.2.2/jquery.min.js"),
                  web + QStringLiteral("jquery-2.2.2.min.js"));
    text->replace(QStringLiteral("https://maxcdn.bootstrapcdn.com/bootstrap/3.3.4/css/bootstrap.min.css"),
                  web + QStringLiteral("bootstrap.min.css"));
    text->replace(QStringLiteral("https://maxcdn.bootstrapcdn.com/bootstrap/3.3.4/js/bootstrap.min.js"),
                  web + QStringLiteral("bootstrap.min.js"));
    const QString copy = QFileInfo(pagePath).absolutePath() + QStringLiteral("/chromium-check.html");
    writeBytes(copy, text->toUtf8());
    const QString shot = scratch.filePath(QStringLiteral("shot.png"));
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(chromium,
                  {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"),
                   QStringLiteral("--disable-gpu"), QStringLiteral("--allow-file-access-from-files"),
                   QStringLiteral("--host-resolver-rules=MAP * ~NOTFOUND"),
                   QStringLiteral("--user-data-dir=") + scratch.filePath(QStringLiteral("profile")),
                   QStringLiteral("--enable-logging=stderr"), QStringLiteral("--v=0"),
                   QStringLiteral("--window-size=1000,1000"), QStringLiteral("--screenshot=") + shot,
                   QUrl::fromLocalFile(copy).toString()});
    if (!process.waitForFinished(90000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.ran = true;
    for (const QString& line : QString::fromUtf8(process.readAll()).split(u'\n')) {
        if (line.contains(QStringLiteral(":CONSOLE")) && line.contains(QStringLiteral("Uncaught")))
            run.scriptErrors.append(line);
    }
    run.screenshot = QImage(shot);
    QFile::remove(copy);
    return run;
}

// The first line where two page texts part, for the failure message.
std::string firstDifference(const QString& a, const QString& b)
{
    const QStringList left = a.split(u'\n');
    const QStringList right = b.split(u'\n');
    for (qsizetype i = 0; i < std::max(left.size(), right.size()); ++i) {
        if (left.value(i) != right.value(i)) {
            const QString l = left.value(i);
            const QString r = right.value(i);
            qsizetype at = 0;
            while (at < l.size() && at < r.size() && l[at] == r[at])
                ++at;
            const qsizetype from = std::max<qsizetype>(0, at - 80);
            return QStringLiteral("line %1, column %2:\n  stored:    ...%3\n  generated: ...%4")
                .arg(i + 1)
                .arg(at + 1)
                .arg(l.mid(from, 200), r.mid(from, 200))
                .toStdString();
        }
    }
    return "no difference";
}

bool isBlank(const QImage& image)
{
    if (image.isNull())
        return true;
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2) {
            if (image.pixel(x, y) != first)
                return false;
        }
    }
    return true;
}

} // namespace

class RoundTripTest : public DocumentFlowTest, public ::testing::WithParamInterface<std::vector<Kind>>
{
protected:
    void roundTrip(const std::vector<Kind>& rows)
    {
        const bool form = std::any_of(rows.begin(), rows.end(), [](const Kind& k) { return k.formPage; });
        const QString extension = form ? QStringLiteral(".selvaro") : QStringLiteral(".quibpage");
        DRVDocument written;
        written.setMainTemplateName(kPage);
        written.setPageOfficialName(QStringLiteral("Round trip"));
        // As every page made from a template carries it; the reader supplies it when missing.
        written.setEncodingType(QStringLiteral("UTF-8"));
        for (const Kind& kind : rows)
            kind.build(written);

        const QString first = filePath(kPage + extension);
        ASSERT_TRUE(written.saveDocumentTo(first)) << written.lastFileErrorText().toStdString();
        const std::optional<QString> pageText = platform::readPageTextFile(written.pagePath());
        ASSERT_TRUE(pageText);
        // Every kind has its writer: a marker missing from the page is a graphic the save lost.
        QStringList missing;
        for (const Kind& kind : rows) {
            if (!pageText->contains(QString::fromLatin1(kind.marker)))
                missing << QString::fromLatin1(kind.name);
        }
        ASSERT_TRUE(missing.isEmpty()) << "not in the saved page: " << missing.join(", ").toStdString();

        std::unique_ptr<DRVDocument> read = open(first);
        ASSERT_TRUE(read);
        for (const QString& title : alertTitles())
            EXPECT_EQ(title, QStringLiteral("Font Not Supported"));
        // The page lists its graphics front to back, as the builders inserted them.
        QList<QStringList> setKeys;
        for (auto it = rows.rbegin(); it != rows.rend(); ++it)
            setKeys.append(it->setKeys + QStringList{QStringLiteral("templateName")});
        const QString openedTemplateName = kPage + (form ? QStringLiteral(".php") : QStringLiteral(".html"));
        expectSameGraphics(written.graphics(), read->graphics(), setKeys, openedTemplateName);

        // Saved again and opened again: every property dictionary as it was, and that page
        // generates its stored text byte for byte, so saving it once more writes nothing.
        ASSERT_TRUE(read->saveDocument());
        std::unique_ptr<DRVDocument> reread = open(first);
        ASSERT_TRUE(reread);
        expectSameGraphics(read->graphics(), reread->graphics(), {}, openedTemplateName);
        EXPECT_TRUE(reread->compareSource(false))
            << firstDifference(platform::readPageTextFile(reread->pagePath()).value_or(QString()),
                               reread->generatedPageSource());
        const QByteArray stored = readBytes(first);
        EXPECT_TRUE(reread->saveDocument());
        EXPECT_EQ(readBytes(first), stored);

        // The saved page in a browser.
        if (!haveProgramOrFail(QStringLiteral("chromium"), QStringLiteral("chromium")) ||
            !haveProgramOrFail(QStringLiteral("php"), QStringLiteral("php-cli")))
            return;
        QTemporaryDir scratch;
        const BrowserRun browser = loadInChromium(written.pagePath(), scratch);
        ASSERT_TRUE(browser.ran) << "chromium did not finish loading the page";
        EXPECT_TRUE(browser.scriptErrors.isEmpty()) << browser.scriptErrors.join(u'\n').toStdString();
        // Every kind shows something, lines included.
        const QString body = pageText->mid(pageText->indexOf(QStringLiteral("<body")));
        EXPECT_FALSE(isBlank(browser.screenshot)) << "blank screenshot; the page's body:\n"
                                                  << body.left(1500).toStdString();
    }
};

TEST_P(RoundTripTest, GraphicsComeBackAndSavingIsIdempotent)
{
    roundTrip(GetParam());
}

static std::vector<std::vector<Kind>> rows()
{
    std::vector<std::vector<Kind>> result;
    for (const Kind& kind : kinds())
        result.push_back({kind});
    return result;
}

INSTANTIATE_TEST_SUITE_P(Kinds, RoundTripTest, ::testing::ValuesIn(rows()),
                         [](const ::testing::TestParamInfo<std::vector<Kind>>& info) {
                             std::string name = info.param.front().name;
                             std::replace(name.begin(), name.end(), ' ', '_');
                             return name;
                         });

// One page holding one of each kind (the form field stands on a form page of its own above).
TEST_F(RoundTripTest, APageWithOneOfEachKind)
{
    std::vector<Kind> all;
    for (const Kind& kind : kinds()) {
        if (!kind.formPage)
            all.push_back(kind);
    }
    roundTrip(all);
}

// ---- every fixture page ----
//
// Each page of tests/fixtures, as a page document of its edition: opened, saved, opened again and
// saved again. The graphics read after the first save are those read before it, every key of every
// property dictionary; the second save stores the page file byte for byte as the first did; and no
// page text written on the way (stored or published) holds "(null)".

struct FixturePage
{
    const char* edition;
    const char* path;     // below tests/fixtures
    const char* document; // the document it is opened as
};

void PrintTo(const FixturePage& page, std::ostream* os)
{
    *os << page.path;
}

class FixtureRoundTripTest : public DocumentFlowTest, public ::testing::WithParamInterface<FixturePage>
{
protected:
    FixtureRoundTripTest() : DocumentFlowTest(GetParam().edition) {}

    // A document holding the fixture: documents are copied, loose pages packed as their editor
    // packs them (the page file beside its empty page folder).
    QString documentFor(const FixturePage& page)
    {
        const QString source = QStringLiteral(QUIB_FIXTURES_DIR "/") + QString::fromLatin1(page.path);
        const QString target = filePath(QString::fromLatin1(page.document));
        if (QString::fromLatin1(page.path).startsWith(QStringLiteral("documents/")))
            return fixture(QFileInfo(source).fileName());
        const QString base = QFileInfo(target).completeBaseName();
        QTemporaryDir packing;
        const QString pageFolder = packing.filePath(base);
        QDir().mkpath(pageFolder);
        // A form document's page is a PHP page, whatever the fixture's own name ends in.
        const QString suffix = QFileInfo(target).suffix() == QStringLiteral("selvaro")
                                   ? QStringLiteral("php")
                                   : QStringLiteral("html");
        EXPECT_TRUE(QFile::copy(source, pageFolder + u'.' + suffix));
        QString error;
        EXPECT_TRUE(DocumentArchiver::zipDocument(pageFolder, target, &error)) << error.toStdString();
        return target;
    }
};

TEST_P(FixtureRoundTripTest, SavedAndReopenedGivesTheSameGraphicsAndTheSameFile)
{
    const QString path = documentFor(GetParam());
    std::unique_ptr<DRVDocument> first = open(path);
    ASSERT_TRUE(first);
    ASSERT_TRUE(first->saveDocument()) << first->lastFileErrorText().toStdString();
    const std::optional<QString> stored = platform::readPageTextFile(first->pagePath());
    ASSERT_TRUE(stored);
    EXPECT_FALSE(stored->contains(QStringLiteral("(null)")))
        << stored->mid(stored->indexOf(QStringLiteral("(null)")) - 200, 300).toStdString();
    const QString published = first->generateSourceCode(first->pageName(), true, false);
    EXPECT_FALSE(published.contains(QStringLiteral("(null)")))
        << published.mid(published.indexOf(QStringLiteral("(null)")) - 200, 300).toStdString();

    std::unique_ptr<DRVDocument> second = open(path);
    ASSERT_TRUE(second);
    const QString templateName =
        second->graphics().isEmpty() ? QString() : second->graphics().first()->templateName();
    expectSameGraphics(first->graphics(), second->graphics(), {}, templateName);
    const QByteArray firstBytes = readBytes(second->pagePath());
    EXPECT_TRUE(second->compareSource(false)) << firstDifference(
        platform::readPageTextFile(second->pagePath()).value_or(QString()), second->generatedPageSource());

    // Saved again: the page file stays as it was.
    ASSERT_TRUE(second->saveDocument()) << second->lastFileErrorText().toStdString();
    std::unique_ptr<DRVDocument> third = open(path);
    ASSERT_TRUE(third);
    EXPECT_EQ(readBytes(third->pagePath()), firstBytes);
    expectSameGraphics(second->graphics(), third->graphics(), {}, templateName);
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, FixtureRoundTripTest,
    ::testing::Values(FixturePage{"HTML Quib Pro", "pages/every-kind.html", "EveryKind.quibpage"},
                      FixturePage{"HTML Quib Pro", "pages/hostile-images.html", "Hostile.quibpage"},
                      FixturePage{"Selvaro Pro", "pages/form.php", "Form.selvaro"},
                      FixturePage{"HTML Quib Pro", "markers/page.html", "Markers.quibpage"},
                      FixturePage{"HTML Quib Pro", "archive/Home.html", "Home.quibpage"},
                      FixturePage{"HTML Quib Pro", "generation/lines-absolute.html", "Lines.quibpage"},
                      FixturePage{"HTML Quib Pro", "generation/empty-absolute.html", "Empty.quibpage"},
                      FixturePage{"HTML Quib Pro", "generation/markers-on.html", "MarkersOn.quibpage"},
                      FixturePage{"Selvaro Pro", "generation/form-absolute.html", "FormShape.selvaro"},
                      FixturePage{"HTML Quib Pro", "documents/Home-top.quibpage", "Home-top.quibpage"},
                      FixturePage{"Brumel Responsive Website Designer", "documents/Home-folder.zqv",
                                  "Home-folder.zqv"},
                      FixturePage{"Selvaro Pro", "documents/Contact.selvaro", "Contact.selvaro"}),
    [](const ::testing::TestParamInfo<FixturePage>& info) {
        std::string name = info.param.path;
        for (char& c : name) {
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        }
        return name;
    });

// Every generated page the generation tests keep as golden text.
TEST(GeneratedFixturePages, HoldNoNullText)
{
    const QDir folder(QStringLiteral(QUIB_FIXTURES_DIR "/generation"));
    const QStringList pages = folder.entryList({"*.html", "*.php"}, QDir::Files);
    ASSERT_FALSE(pages.isEmpty());
    for (const QString& name : pages) {
        const QByteArray bytes = readBytes(folder.filePath(name));
        EXPECT_FALSE(bytes.contains("(null)")) << name.toStdString();
    }
}
