// The canvas and the browser show the same page. Each small page below is drawn by the canvas view
// (the drawing the window shows), saved through the save flow, and photographed in headless Chromium
// at the same size with the application's bundled fonts; the two pictures are compared pixel by
// pixel. A pixel differs only when nothing within one pixel of it in the other picture is close in
// colour, so antialiasing of edges and glyphs does not count. The share of differing pixels is
// printed for each page and must stay under 1%; canvas | browser | differences pictures are kept in
// <build>/fidelity-artefacts.
#include "common/ExternalTools.h"
#include "canvas/DRVGraphicView.h"
#include "document/DRVDocument.h"
#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "generation/ComponentTestSupport.h"
#include "model/DRVImage.h"
#include "model/DRVLine.h"
#include "model/DRVTable.h"
#include "model/DRVText.h"
#include "model/myTextView.h"
#include "platform/Geometry.h"
#include "platform/UndoManager.h"
#include "platform/UserDefaults.h"
#include "publishing/DocumentArchiverInstall.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextDocument>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <gtest/gtest.h>

namespace {

const QString kEdition = QStringLiteral("HTML Quib Pro");
const QString kBrowserFolder = QStringLiteral(QUIB_SOURCE_DIR "/tests/browser");
const QString kFontsFolder = QStringLiteral(QUIB_RESOURCES_DIR "/fonts");
const QString kArtefacts = QStringLiteral(QUIB_FIDELITY_ARTEFACTS_DIR);
const QString kFamily = QStringLiteral("Liberation Sans");

// Colours closer than this in every channel are the same colour.
constexpr int kChannelTolerance = 48;
constexpr double kMostDifferingShare = 0.01;

// ---- pictures ----

bool close(QRgb a, QRgb b)
{
    return qAbs(qRed(a) - qRed(b)) <= kChannelTolerance && qAbs(qGreen(a) - qGreen(b)) <= kChannelTolerance &&
           qAbs(qBlue(a) - qBlue(b)) <= kChannelTolerance;
}

// Whether some pixel of other within one pixel of (x, y) is close to colour.
bool matchedNearby(const QImage& other, int x, int y, QRgb colour)
{
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const int ox = x + dx, oy = y + dy;
            if (ox >= 0 && oy >= 0 && ox < other.width() && oy < other.height() &&
                close(other.pixel(ox, oy), colour))
                return true;
        }
    }
    return false;
}

// The pixels that differ either way, as a mask (true = differs).
QList<bool> differingPixels(const QImage& a, const QImage& b)
{
    QList<bool> mask(qsizetype(a.width()) * a.height(), false);
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            mask[qsizetype(y) * a.width() + x] =
                !matchedNearby(b, x, y, a.pixel(x, y)) || !matchedNearby(a, x, y, b.pixel(x, y));
        }
    }
    return mask;
}

// canvas | browser | differences (red on a faint copy of the canvas), side by side.
QImage sideBySide(const QImage& canvas, const QImage& browser, const QList<bool>& mask)
{
    const int w = canvas.width(), h = canvas.height(), gap = 8;
    QImage diff(canvas.size(), QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const QRgb p = canvas.pixel(x, y);
            diff.setPixel(x, y,
                          mask[qsizetype(y) * w + x]
                              ? qRgb(230, 0, 0)
                              : qRgb(200 + qRed(p) / 5, 200 + qGreen(p) / 5, 200 + qBlue(p) / 5));
        }
    }
    QImage all(3 * w + 2 * gap, h, QImage::Format_RGB32);
    all.fill(qRgb(90, 90, 90));
    QPainter painter(&all);
    painter.drawImage(0, 0, canvas);
    painter.drawImage(w + gap, 0, browser);
    painter.drawImage(2 * (w + gap), 0, diff);
    return all;
}

// ---- pages ----

struct TextLook
{
    int size = 16;
    int alignment = 0;     // 0 left, 1 centre, 2 right
    float lineSpacing = 0; // 0: the font's normal line height
    QString family = kFamily;
    QString colour = QStringLiteral("222222");
    QString background = QStringLiteral("CLEAR0");
    QString borderStyle = QStringLiteral("none");
    int borderWidth = 0;
    QString borderColour = QStringLiteral("000000");
    float rotation = 0;
    int verticalAlignment = 0; // 0 top, 1 middle, 2 bottom
    int cornerRadius = 0;
    int indentFlag = 0;
    double opacity = 1.0;
    int shadowFlag = 0;
};

QColor hex(const QString& colour)
{
    return QColor(QStringLiteral("#") + colour);
}

DRVText* addText(DRVDocument& document, const QRectF& bounds, const QString& string,
                 const TextLook& look = {})
{
    auto* text = new DRVText(&document);
    QVariantMap p;
    p.insert(QStringLiteral("bounds"), platform::stringFromRect(bounds));
    p.insert(QStringLiteral("textType"), QStringLiteral("Text"));
    p.insert(QStringLiteral("textString"), string);
    p.insert(QStringLiteral("fontFamily"), look.family);
    p.insert(QStringLiteral("fontSize"), QString::number(look.size));
    p.insert(QStringLiteral("fontAlignment"), QString::number(look.alignment));
    p.insert(QStringLiteral("lineSpacing"), QString::number(double(look.lineSpacing)));
    p.insert(QStringLiteral("opacity"), QString::number(look.opacity));
    p.insert(QStringLiteral("shadowFlag"), QString::number(look.shadowFlag));
    p.insert(QStringLiteral("fontColor"), look.colour);
    p.insert(QStringLiteral("textHexColorString"), look.colour);
    p.insert(QStringLiteral("backgroundHexColorString"), look.background);
    p.insert(QStringLiteral("borderStyle"), look.borderStyle);
    p.insert(QStringLiteral("borderWidth"), QString::number(look.borderWidth));
    p.insert(QStringLiteral("borderHexColorString"), look.borderColour);
    p.insert(QStringLiteral("rotationAngle"), QString::number(double(look.rotation)));
    p.insert(QStringLiteral("verticalAlignment"), QString::number(look.verticalAlignment));
    p.insert(QStringLiteral("cornerRadius"), QString::number(look.cornerRadius));
    text->initWithProperties(p);
    text->setFillColor(look.background == QLatin1String("CLEAR0") ? QColor(Qt::transparent)
                                                                  : hex(look.background));
    text->setDrawingStroke(look.borderStyle != QLatin1String("none"));
    text->setBorderColor(hex(look.borderColour));
    text->setSelectable(true);
    text->setIndentFlag(look.indentFlag);
    text->refreshStyle();
    document.insertGraphics({text}, {0});
    return text;
}

QImage stripes(QSize size)
{
    QImage picture(size, QImage::Format_RGB32);
    QPainter painter(&picture);
    painter.fillRect(picture.rect(), QColor(0x2E, 0x86, 0xC1));
    for (int x = 0; x < size.width(); x += size.width() / 4)
        painter.fillRect(QRect(x, 0, size.width() / 8, size.height()), QColor(0xF5, 0xB0, 0x41));
    painter.fillRect(QRect(0, size.height() * 2 / 3, size.width(), size.height() / 3),
                     QColor(0x1E, 0x84, 0x49));
    return picture;
}

DRVImage* addImage(DRVDocument& document, const QRectF& bounds, const QString& name, int border = 0,
                   float rotation = 0)
{
    auto* image = new DRVImage(&document);
    document.insertGraphics({image}, {0});
    image->setContents(stripes(bounds.size().toSize() * 2));
    image->setBounds(bounds);
    image->setImageName(name);
    image->setImageType(QStringLiteral("png"));
    image->setSelectable(true);
    image->setOpacity(1.0);
    if (border > 0) {
        image->setBorderWidth(border);
        image->setBorderStyle(QStringLiteral("solid"));
        image->setBorderHexColorString(QStringLiteral("333333"));
        image->setBorderColor(QColor(0x33, 0x33, 0x33));
    }
    image->setRotationAngle(rotation);
    return image;
}

DRVLine* addLine(DRVDocument& document, QPointF from, QPointF to, int width, const QString& colour)
{
    auto* line = new DRVLine(&document);
    line->setBeginPoint(from);
    line->setEndPoint(to);
    line->setBorderWidth(width);
    line->setBorderStyle(QStringLiteral("solid"));
    line->setBorderHexColorString(colour);
    line->setBorderColor(hex(colour));
    line->setSelectable(true);
    line->setOpacity(1.0);
    document.insertGraphics({line}, {0});
    return line;
}

struct Fixture
{
    const char* name;
    QSize size;
    std::function<void(DRVDocument&)> build;
};

// gtest prints a parameter by its name.
void PrintTo(const Fixture& fixture, std::ostream* out)
{
    *out << fixture.name;
}

const QList<Fixture>& fixtures()
{
    static const QList<Fixture> all{
        {"cover-text", QSize(480, 300),
         [](DRVDocument& d) {
             TextLook heading;
             heading.size = 30;
             heading.alignment = 1;
             heading.colour = QStringLiteral("2C3E50");
             addText(d, QRectF(20, 16, 440, 50), QStringLiteral("Fresh bread every morning"), heading);
             TextLook body;
             body.size = 15;
             body.lineSpacing = 1.4f;
             body.colour = QStringLiteral("333333");
             body.indentFlag = 1;
             addText(
                 d, QRectF(20, 80, 280, 150),
                 QStringLiteral("Our bakers start at four, so the loaves on the shelf are still warm when "
                                "the doors open. Sourdough, rye and spelt, baked the slow way."),
                 body);
             TextLook button;
             button.size = 16;
             button.alignment = 1;
             button.colour = QStringLiteral("FFFFFF");
             button.background = QStringLiteral("1F6FB2");
             button.borderStyle = QStringLiteral("solid");
             button.borderWidth = 2;
             button.borderColour = QStringLiteral("0B3C6B");
             addText(d, QRectF(318, 96, 142, 40), QStringLiteral("Order a loaf now"), button);
             button.cornerRadius = 10;
             button.verticalAlignment = 1;
             button.background = QStringLiteral("C0392B");
             button.borderColour = QStringLiteral("7B241C");
             button.borderWidth = 3;
             addText(d, QRectF(318, 150, 142, 44), QStringLiteral("Call us"), button);
             TextLook plain;
             plain.family = QStringLiteral("Helvetica Neue");
             plain.size = 13;
             plain.alignment = 2;
             addText(d, QRectF(240, 250, 220, 30), QStringLiteral("Open daily, 7 until 6"), plain);
         }},
        {"unicode-text", QSize(480, 220),
         [](DRVDocument& d) {
             TextLook look;
             look.size = 18;
             addText(d, QRectF(16, 16, 448, 40),
                     QStringLiteral("Crème brûlée · naïve façade · Łódź · Ångström"), look);
             look.size = 20;
             look.alignment = 1;
             addText(d, QRectF(16, 70, 448, 40), QStringLiteral("Ελληνικά και Русский язык"), look);
             look.size = 16;
             look.alignment = 2;
             look.lineSpacing = 1.25f;
             addText(d, QRectF(16, 120, 448, 80),
                     QStringLiteral("“Quoted” — 12,50 € ½ kg\n‘single’ … ±5 % · © 2026 · №7"), look);
         }},
        {"vertical-alignment", QSize(480, 160),
         [](DRVDocument& d) {
             TextLook look;
             look.size = 15;
             look.alignment = 1;
             look.background = QStringLiteral("FCF3CF");
             const char* const names[] = {"Top", "Middle", "Bottom"};
             for (int i = 0; i < 3; ++i) {
                 look.verticalAlignment = i;
                 addText(d, QRectF(20 + 150 * i, 20, 140, 120),
                         QStringLiteral("%1\nof the box").arg(QLatin1String(names[i])), look);
             }
         }},
        {"opacity", QSize(400, 160),
         [](DRVDocument& d) {
             TextLook backdrop;
             backdrop.background = QStringLiteral("F5B041");
             addText(d, QRectF(20, 20, 360, 120), QString(), backdrop);
             TextLook faded;
             faded.size = 22;
             faded.alignment = 1;
             faded.colour = QStringLiteral("1B2631");
             faded.background = QStringLiteral("2E86C1");
             faded.borderStyle = QStringLiteral("solid");
             faded.borderWidth = 3;
             faded.borderColour = QStringLiteral("1B4F72");
             faded.opacity = 0.5;
             faded.verticalAlignment = 1;
             addText(d, QRectF(60, 40, 280, 80), QStringLiteral("Half seen"), faded);
         }},
        {"shadow", QSize(300, 140),
         [](DRVDocument& d) {
             TextLook raised;
             raised.size = 16;
             raised.alignment = 1;
             raised.background = QStringLiteral("FFFFFF");
             raised.shadowFlag = 1;
             raised.verticalAlignment = 1;
             addText(d, QRectF(40, 30, 220, 70), QStringLiteral("A card with a shadow"), raised);
         }},
        {"images", QSize(400, 240),
         [](DRVDocument& d) {
             addImage(d, QRectF(20, 20, 160, 120), QStringLiteral("image1"));
             addImage(d, QRectF(210, 40, 160, 120), QStringLiteral("image2"), 4);
         }},
        {"lines", QSize(400, 240),
         [](DRVDocument& d) {
             addLine(d, QPointF(30, 40), QPointF(360, 40), 6, QStringLiteral("C0392B"));
             addLine(d, QPointF(30, 80), QPointF(200, 200), 8, QStringLiteral("1F6FB2"));
             addLine(d, QPointF(320, 70), QPointF(320, 210), 4, QStringLiteral("1E8449"));
         }},
        {"table", QSize(360, 300),
         [](DRVDocument& d) {
             const QStringList texts{
                 QStringLiteral("Loaf"),      QStringLiteral("Weight"), QStringLiteral("Price"),
                 QStringLiteral("Sourdough"), QStringLiteral("800 g"),  QStringLiteral("4.20"),
                 QStringLiteral("Rye"),       QStringLiteral("1 kg"),   QStringLiteral("4.80")};
             const auto textAt = [&texts](int r, int c) { return texts.at(r * 3 + c); };
             componenttest::addTable(d, QStringLiteral("table"), 3, 3, QPointF(20, 20), textAt)
                 ->setSelectable(true);
             // The texts in the middle of their cells.
             DRVTable* middle =
                 componenttest::addTable(d, QStringLiteral("table"), 3, 3, QPointF(20, 150), textAt);
             middle->setSelectable(true);
             middle->setVerticalAlignment(1);
             middle->layoutCells();
         }},
        {"form-fields", QSize(420, 260),
         [](DRVDocument& d) {
             TextLook label;
             label.size = 15;
             addText(d, QRectF(20, 20, 120, 30), QStringLiteral("Your name"), label)
                 ->setFormType(QStringLiteral("textLabel"));
             TextLook field;
             field.background = QStringLiteral("FFFFFF");
             field.borderStyle = QStringLiteral("solid");
             field.borderWidth = 1;
             field.borderColour = QStringLiteral("888888");
             DRVText* name = addText(d, QRectF(150, 20, 240, 30), QString(), field);
             name->setFormType(QStringLiteral("text"));
             name->setFormTag(1);
             addText(d, QRectF(20, 64, 120, 30), QStringLiteral("Message"), label)
                 ->setFormType(QStringLiteral("textLabel"));
             DRVText* message = addText(d, QRectF(150, 64, 240, 110), QString(), field);
             message->setFormType(QStringLiteral("textarea"));
             message->setFormTag(2);
             TextLook button;
             button.alignment = 1;
             button.colour = QStringLiteral("FFFFFF");
             button.background = QStringLiteral("1F6FB2");
             button.borderStyle = QStringLiteral("solid");
             button.borderWidth = 1;
             button.borderColour = QStringLiteral("1F6FB2");
             DRVText* send = addText(d, QRectF(290, 196, 100, 36), QStringLiteral("Send"), button);
             send->setFormType(QStringLiteral("submit"));
             send->setFormTag(3);
         }},
        {"snippet", QSize(420, 160),
         [](DRVDocument& d) {
             TextLook look;
             look.size = 16;
             look.colour = QStringLiteral("1E8449");
             look.background = QStringLiteral("EAF2F8");
             DRVText* snippet =
                 addText(d, QRectF(20, 20, 380, 40), QStringLiteral("Opening hours: 7 until 6"), look);
             snippet->setTextType(QStringLiteral("HTMLSnippet"));
             snippet->setSnippetFormatFlag(true);
         }},
        {"rotation", QSize(420, 300),
         [](DRVDocument& d) {
             TextLook turned;
             turned.size = 18;
             turned.alignment = 1;
             turned.colour = QStringLiteral("FFFFFF");
             turned.background = QStringLiteral("8E44AD");
             turned.rotation = 12;
             addText(d, QRectF(30, 50, 180, 60), QStringLiteral("Turned a little"), turned);
             addImage(d, QRectF(240, 90, 140, 100), QStringLiteral("image1"), 0, -20);
         }},
    };
    return all;
}

class FidelityTest : public ::testing::TestWithParam<Fixture>
{
protected:
    FidelityTest() : m_edition(kEdition)
    {
        EditionSettings& e = edition();
        e.gTempFolderPath = m_root.filePath(QStringLiteral("work"));
        e.gReceivedPagesFolderName = QStringLiteral("0000Received_Pages");
        e.gTempSaveFolderPath =
            QDir(e.gTempFolderPath).filePath(QStringLiteral("0000Received_Pages/tempSave000000"));
        e.gBundleVersion = QStringLiteral("1.0");
        e.gCanvasDisplayScale = 1.0f;
        QDir().mkpath(e.gTempSaveFolderPath);
        platform::UserDefaults::standard().useStoreFile(m_root.filePath(QStringLiteral("defaults.ini")));
        DocumentArchiverInstall::install();
        DataCentre::loadCustomFont();
    }

    // The page as the window's canvas draws it.
    static QImage canvasPicture(DRVDocument& document, QSize size)
    {
        DRVGraphicView view;
        view.bindGraphics(&document);
        view.setPageColor(Qt::white);
        view.setPageColorHexString(QStringLiteral("FFFFFF"));
        view.resize(size);
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(Qt::black);
        view.render(&picture, QPoint(), QRegion(QRect(QPoint(), size)));
        return picture;
    }

    // The saved page as headless Chromium shows it; null (with a failure) when it could not run.
    static QImage browserPicture(const QString& page, QSize size, const QString& shotPath)
    {
        QFile::remove(shotPath);
        QProcess node;
        node.setProcessChannelMode(QProcess::SeparateChannels);
        node.start(QStringLiteral("node"),
                   {kBrowserFolder + QStringLiteral("/run-page.js"), QStringLiteral("--page"), page,
                    QStringLiteral("--width"), QString::number(size.width()), QStringLiteral("--height"),
                    QString::number(size.height()), QStringLiteral("--web"),
                    QStringLiteral(QUIB_RESOURCES_DIR "/web"), QStringLiteral("--fonts"), kFontsFolder,
                    QStringLiteral("--screenshot"), shotPath});
        if (!node.waitForFinished(90000)) {
            node.kill();
            node.waitForFinished();
        }
        const QByteArray out = node.readAllStandardOutput();
        const QJsonObject report = QJsonDocument::fromJson(out.trimmed().split('\n').last()).object();
        EXPECT_EQ(node.exitCode(), 0) << out.toStdString() << node.readAllStandardError().toStdString();
        EXPECT_TRUE(report.value(QStringLiteral("errors")).toArray().isEmpty()) << out.toStdString();
        QImage shot(shotPath);
        EXPECT_FALSE(shot.isNull()) << "no screenshot: " << out.toStdString();
        return shot.isNull() ? shot : shot.convertToFormat(QImage::Format_RGB32);
    }

    QTemporaryDir m_root;
    ScopedEdition m_edition;
};

} // namespace

TEST_P(FidelityTest, CanvasAndBrowserShowTheSamePage)
{
    if (!haveBrowserOrFail())
        return;
    const Fixture& fixture = GetParam();
    const QSize size = fixture.size;
    edition().gCanvasWidth = size.width();
    edition().gCanvasHeight = size.height();

    DRVDocument document;
    document.setPageName(QStringLiteral("index"));
    document.setPageColor(Qt::white);
    document.setPageColorHexString(QStringLiteral("FFFFFF"));
    document.undoManager()->disableUndoRegistration();
    fixture.build(document);
    document.undoManager()->enableUndoRegistration();

    const QString documentPath = m_root.filePath(QStringLiteral("index.quibpage"));
    ASSERT_TRUE(document.saveDocumentTo(documentPath)) << qPrintable(document.lastFileErrorText());
    const QString page = document.pagePath();
    ASSERT_TRUE(QFileInfo::exists(page)) << qPrintable(page);

    const QImage canvas = canvasPicture(document, size);
    QDir().mkpath(kArtefacts);
    const QString name = QString::fromLatin1(fixture.name);
    const QImage browser =
        browserPicture(page, size, QDir(kArtefacts).filePath(name + QStringLiteral("-browser.png")));
    ASSERT_FALSE(browser.isNull());
    ASSERT_EQ(browser.size(), size);

    QFile::remove(QDir(kArtefacts).filePath(name + QStringLiteral(".html")));
    QFile::copy(page, QDir(kArtefacts).filePath(name + QStringLiteral(".html")));
    const QList<bool> mask = differingPixels(canvas, browser);
    const qsizetype differing = std::count(mask.begin(), mask.end(), true);
    const double share = double(differing) / double(mask.size());
    const QString picture = QDir(kArtefacts).filePath(name + QStringLiteral(".png"));
    sideBySide(canvas, browser, mask).save(picture);
    std::printf("[ fidelity ] %-14s %6.3f%% of %d x %d pixels differ (%s)\n", fixture.name, 100.0 * share,
                size.width(), size.height(), qPrintable(picture));
    EXPECT_LT(share, kMostDifferingShare) << "see " << qPrintable(picture);
}

INSTANTIATE_TEST_SUITE_P(Pages, FidelityTest, ::testing::ValuesIn(fixtures()),
                         [](const ::testing::TestParamInfo<Fixture>& info) {
                             QString name = QString::fromLatin1(info.param.name);
                             name.remove(u'-');
                             return name.toStdString();
                         });
