#include "model/FakePageContext.h"

#include "model/DRVImage.h"
#include "model/DRVLine.h"
#include "model/DRVTable.h"
#include "model/DRVText.h"
#include "model/GalleryGridView.h"
#include "model/LineView.h"
#include "model/OuterSlideShow.h"
#include "model/TableGridView.h"
#include "model/TransformView.h"
#include "model/myTextView.h"
#include "platform/Geometry.h"

#include <QTest>
#include <QTextDocument>
#include <functional>
#include <memory>
#include <gtest/gtest.h>

namespace {

constexpr int kNone = -99;

// The carriers of one page, in page order, as the page reader would build them.
struct Page
{
    QObject owner;
    QList<QObject*> carriers;

    template <class T> T* add(T* carrier)
    {
        carrier->setParent(&owner);
        carriers << carrier;
        return carrier;
    }
    myTextView* text(const QString& string, int table = kNone, const QString& formType = "")
    {
        auto* t = add(new myTextView(QRectF(0, 0, 100, 20)));
        t->textView()->setString(string);
        t->setTableNumber(table);
        t->setFormType(formType);
        return t;
    }
    TransformView* image(const QString& name, int slideshow = kNone, int gallery = kNone, int table = kNone,
                         int row = kNone, int column = kNone)
    {
        auto* v = add(new TransformView(QRectF(0, 0, 50, 50)));
        v->setImageName(name);
        v->setSlideShowNumber(slideshow);
        v->setGalleryNumber(gallery);
        v->setTableNumber(table);
        v->setRowSpot(row);
        v->setColumnSpot(column);
        return v;
    }
    TableGridView* table(int number)
    {
        auto* t = add(new TableGridView(QRectF(0, 100, 200, 100)));
        t->setTableNumber(number);
        return t;
    }
    GalleryGridView* gallery(int number)
    {
        auto* g = add(new GalleryGridView(QRectF(0, 300, 200, 100)));
        g->setGalleryNumber(number);
        return g;
    }
    OuterSlideShow* slideshow(int number)
    {
        auto* s = add(new OuterSlideShow(QRectF(0, 500, 300, 200)));
        s->setSlideShowNumber(number);
        return s;
    }
    LineView* line() { return add(new LineView); }
};

QString names(const QVariant& carriers)
{
    QStringList list;
    if (carriers.canConvert<QList<TransformView*>>()) {
        for (TransformView* v : carriers.value<QList<TransformView*>>())
            list << v->imageName();
    }
    return list.join(',');
}

// A short label for one dictionary: its kind and the members or text it carries.
QString label(const QVariantMap& p)
{
    const QString kind = p.value("className").toString();
    if (kind == "DRVText")
        return "text:" + p.value("textString").toString();
    if (kind == "DRVImage")
        return "image:" + p.value("imageName").toString();
    if (kind == "DRVLine")
        return "line";
    if (kind == "DRVSlideshow")
        return "slideshow:" + names(p.value("imageArray"));
    if (kind == "DRVGalleryGrid")
        return "gallery:" + names(p.value("imageArray"));
    if (kind == "DRVTable") {
        QStringList cells;
        for (myTextView* cell : p.value("cellArray").value<QList<myTextView*>>())
            cells << cell->textView()->string();
        QString result = "table:" + cells.join(',') + "|" + names(p.value("imageArray"));
        if (p.contains("tableBackgroundArray"))
            result += "|bg:" + names(p.value("tableBackgroundArray"));
        return result;
    }
    return "?" + kind;
}

QStringList labels(const QVariantList& dictionaries)
{
    QStringList result;
    for (const QVariant& p : dictionaries)
        result << label(p.toMap());
    return result;
}

} // namespace

TEST(CarrierConversion, WhatBecomesAGraphicAndWhatIsGathered)
{
    struct Case
    {
        const char* name;
        bool tableImages;
        std::function<void(Page&)> build;
        QStringList expected;
    };
    const Case cases[] = {
        {"empty page", false, [](Page&) {}, {}},
        {"table of four cells between two text boxes",
         false,
         [](Page& p) {
             p.text("A");
             p.text("c1", 1);
             p.text("c2", 1);
             p.table(1);
             p.text("c3", 1);
             p.text("c4", 1);
             p.text("B");
         },
         {"text:A", "table:c1,c2,c3,c4|", "text:B"}},
        {"form field before its table",
         false,
         [](Page& p) {
             p.text("F", 1, "text");
             p.table(1);
             p.text("c1", 1);
         },
         {"text:F", "table:c1|"}},
        {"form field after its table is a text box only",
         false,
         [](Page& p) {
             p.table(1);
             p.text("c1", 1);
             p.text("F", 1, "checkbox");
         },
         {"table:c1|", "text:F"}},
        {"slides ordered by the number in their names",
         false,
         [](Page& p) {
             p.image("image12", 3);
             p.slideshow(3);
             p.image("image2", 3);
             p.image("image7", 4);
         },
         {"slideshow:image2,image12"}},
        {"gallery pictures stand in their gallery only",
         false,
         [](Page& p) {
             p.image("image1", kNone, 0);
             p.gallery(0);
             p.image("image3", kNone, 0);
             p.image("image5", kNone, 2);
             p.image("image9");
         },
         {"gallery:image1,image3", "image:image5", "image:image9"}},
        {"table images left out without table images",
         false,
         [](Page& p) {
             p.table(1);
             p.text("c1", 1);
             p.image("image3", kNone, kNone, 1, 0, 0);
             p.image("image4", kNone, kNone, 1);
         },
         {"table:c1|"}},
        {"table images and background with table images",
         true,
         [](Page& p) {
             p.image("image4", kNone, kNone, 1);
             p.table(1);
             p.text("c1", 1);
             p.image("image3", kNone, kNone, 1, 0, 0);
             p.image("image8", kNone, kNone, 2, 0, 0);
         },
         {"table:c1|image3|bg:image4"}},
        {"lines kept, other objects ignored",
         false,
         [](Page& p) {
             p.add(new QObject);
             p.line();
             p.text("T");
         },
         {"line", "text:T"}},
    };
    EditionGuard guard;
    for (const Case& c : cases) {
        edition().gTableImagesFlag = c.tableImages;
        Page page;
        c.build(page);
        const QVariantList result = DRVGraphic::convertArrayToProperties(page.carriers, "home");
        EXPECT_EQ(labels(result), c.expected) << c.name;
        for (const QVariant& p : result)
            EXPECT_EQ(p.toMap().value("templateName").toString(), "home") << c.name;
    }
}

TEST(CarrierConversion, TextValuesAndDefaultsStoredBack)
{
    Page page;
    myTextView* t = page.text("Hello\nWorld");
    t->setFrame(QRectF(10, 20, 300, 40));
    t->setBackgroundHexColorString("(null)");
    t->setTextColorString("112233");
    t->setAlphaValue(0.5);
    t->setTextAlignment("justify");
    t->setScrollFlag(2);
    t->setMatchScreenFlag(1);
    t->setFamilyName("Anton");
    QFont font;
    font.setPointSizeF(14);
    t->textView()->setFont(font);
    t->textView()->setBorderLine("dotted");

    const QVariantMap p = DRVGraphic::convertArrayToProperties(page.carriers, "").value(0).toMap();
    EXPECT_EQ(p.value("bounds").toString(), "{{10, 20}, {300, 40}}");
    EXPECT_EQ(p.value("textString").toString(), "Hello\nWorld");
    EXPECT_EQ(p.value("fontSize").toString(), "14.000000");
    EXPECT_EQ(p.value("fontFamily").toString(), "Anton");
    EXPECT_EQ(p.value("fontColor").toString(), "112233");
    EXPECT_EQ(p.value("textHexColorString").toString(), "112233");
    EXPECT_EQ(p.value("fontAlignment").toString(), "3");
    EXPECT_EQ(p.value("opacity").toString(), "0.500000");
    EXPECT_EQ(p.value("scrollFlag").toString(), "0");
    EXPECT_EQ(p.value("matchScreenFlag").toString(), "1");
    EXPECT_EQ(p.value("borderStyle").toString(), "dotted");
    EXPECT_EQ(p.value("slideShowNumber").toString(), "-99");
    // A background of "(null)" is the clear colour.
    EXPECT_EQ(p.value("backgroundHexColorString").toString(), "CLEAR0");
    EXPECT_EQ(DRVGraphic::unarchivedColor(p.value("fillColor")).alpha(), 0);
    EXPECT_EQ(t->backgroundHexColorString(), "CLEAR0");
    // Defaults go back into the carrier.
    EXPECT_EQ(t->linkOption(), "_self");
    EXPECT_EQ(t->linkType(), "text");
    EXPECT_EQ(t->borderHexColorString(), "000000");
    EXPECT_EQ(t->topPaddingType(), "pixel");
    EXPECT_EQ(t->leftMarginLevelString(), "None");
    EXPECT_EQ(p.value("rightMarginType").toString(), "pixel");

    const struct
    {
        const char* alignment;
        const char* value;
    } alignments[] = {{"left", "0"},    {"center", "1"}, {"right", "2"},
                      {"justify", "3"}, {"middle", "0"}, {"", "0"}};
    for (const auto& a : alignments) {
        t->setTextAlignment(a.alignment);
        EXPECT_EQ(
            DRVGraphic::convertArrayToProperties(page.carriers, "").value(0).toMap().value("fontAlignment"),
            QVariant(QString(a.value)))
            << a.alignment;
    }
}

TEST(CarrierConversion, ImageLineAndContainerValues)
{
    EditionGuard guard;
    edition().gTableImagesFlag = true;
    Page page;
    TransformView* picture = page.image("image6");
    picture->setFrame(QRectF(5, 6, 80, 100));
    picture->setReflection(0.5f);
    picture->setAlpha(0.75f);
    picture->setMoveLock(1);
    QImage pixels(4, 4, QImage::Format_ARGB32);
    pixels.fill(Qt::red);
    picture->setImage(pixels);

    LineView* line = page.line();
    line->setBeginPoint({10, 20});
    line->setEndPoint({110, 20});
    line->setBorderWidth(3);
    line->setBorderHexColorString("FF0000");
    line->setBorderStyle("dashed");
    line->setDrawEndArrow(true);
    line->setAlphaValue(0.5);
    line->setMoveLock(1);
    line->setManualLayerIndex(4);

    TransformView* slideB = page.image("image20", 1);
    page.slideshow(1);
    TransformView* slideA = page.image("image3", 1);

    myTextView* cell = page.text("plain", 2);
    cell->setTextStorage(new QTextDocument);
    cell->textStorage()->setHtml("<b>bold</b>");
    page.table(2);
    TransformView* background = page.image("image9", kNone, kNone, 2);

    const QVariantList result = DRVGraphic::convertArrayToProperties(page.carriers, "basetemplate");
    ASSERT_EQ(result.size(), 4);

    const QVariantMap image = result[0].toMap();
    EXPECT_EQ(image.value("bounds").toString(), "{{5, 6}, {80, 150}}");
    EXPECT_EQ(image.value("opacity").toString(), "0.750000");
    EXPECT_EQ(image.value("moveLock").toString(), "1");
    EXPECT_EQ(image.value("linkOption").toString(), "_self");
    EXPECT_EQ(picture->linkOption(), "_self");
    EXPECT_EQ(DRVGraphic::unarchivedImage(image.value("contents")).pixelColor(1, 1), QColor(Qt::red));

    const QVariantMap lineP = result[1].toMap();
    EXPECT_EQ(lineP.value("beginPoint").toString(), "{10, 20}");
    EXPECT_EQ(lineP.value("endPoint").toString(), "{110, 20}");
    EXPECT_FALSE(lineP.contains("bounds"));
    EXPECT_EQ(lineP.value("borderWidth"), QVariant(3.0));
    EXPECT_EQ(lineP.value("opacity").toString(), "0.500000");
    EXPECT_EQ(lineP.value("drawEndArrow").toString(), "1");
    EXPECT_EQ(DRVGraphic::unarchivedColor(lineP.value("borderColor")), QColor(Qt::red));
    EXPECT_EQ(lineP.value("moveLock").toString(), "1");
    EXPECT_EQ(lineP.value("manualLayerIndex").toString(), "4");

    const QVariantMap slideshow = result[2].toMap();
    EXPECT_EQ(slideshow.value("totalNumofSlide").toString(), "2");
    EXPECT_EQ(slideshow.value("textString").toString(), "Right click to edit slideshow");
    // Each slide is numbered by its place in the page's carriers.
    EXPECT_EQ(slideB->slideNumber(), 2);
    EXPECT_EQ(slideA->slideNumber(), 4);

    const QVariantMap table = result[3].toMap();
    EXPECT_EQ(table.value("fontFamily").toString(), "Anton");
    EXPECT_EQ(table.value("topPaddingLevelString").toString(), "None");
    // Cells start from their plain text; background images get no double-resolution copy.
    ASSERT_TRUE(cell->textStorage());
    EXPECT_EQ(cell->textStorage()->toPlainText(), "plain");
    EXPECT_EQ(background->forceNonRetinaFlag(), 1);
}

TEST(CarrierConversion, GraphicsAreBuiltThroughTheRegistry)
{
    Page page;
    LineView* line = page.line();
    line->setBeginPoint({100, 100});
    line->setEndPoint({40, 160});
    line->setBorderStyle("solid");
    page.add(new QObject);
    const QList<DRVGraphic*> graphics = DRVGraphic::graphicsWithProperties(page.carriers, "basetemplate");
    ASSERT_EQ(graphics.size(), 1);
    auto* built = qobject_cast<DRVLine*>(graphics[0]);
    ASSERT_TRUE(built);
    EXPECT_EQ(built->beginPoint(), QPointF(100, 100));
    EXPECT_EQ(built->endPoint(), QPointF(40, 160));
    EXPECT_EQ(built->templateName(), "basetemplate");
    EXPECT_EQ(built->opacity(), 1.0);
    qDeleteAll(graphics);
}

// A long page's free text boxes, images and lines are built on the thread pool: they must come out
// as the dictionaries alone would build them, in page order, owned by the caller's object and
// living in its thread; a slideshow's pictures stay its own, and table cells get their texts there.
TEST(CarrierConversion, TextBoxesBuiltAheadMatchTheDictionariesAndLiveInTheCallersThread)
{
    auto build = [](Page& page) {
        for (int i = 0; i < 150; ++i) {
            myTextView* t = page.text(QStringLiteral("Box %1").arg(i));
            t->setFrame(QRectF(i, 2 * i, 100 + i, 20));
            t->setBorderHexColorString(i % 2 ? "FF0000" : "");
            if (i % 10 == 3) {
                TransformView* image = page.image(QStringLiteral("image%1").arg(i));
                QImage picture(QSize(4 + i % 7, 3), QImage::Format_ARGB32);
                picture.fill(QColor(i, 40, 80));
                image->setImage(picture);
                image->setReflection(i % 20 == 3 ? 0.5f : 0.0f);
                page.line()->setEndPoint(QPointF(i, 3 * i));
            }
            if (i == 70) {
                page.table(1);
                page.text("c1", 1);
                page.text("c2", 1);
                page.line();
                page.slideshow(2);
                page.image("slide", 2);
            }
        }
    };
    Page reference;
    build(reference);
    const QVariantList dictionaries = DRVGraphic::convertArrayToProperties(reference.carriers, "home");

    Page page;
    build(page);
    QObject parent;
    const QList<DRVGraphic*> graphics = DRVGraphic::graphicsWithProperties(page.carriers, "home", &parent);
    ASSERT_EQ(graphics.size(), dictionaries.size());
    for (qsizetype i = 0; i < graphics.size(); ++i) {
        DRVGraphic* graphic = graphics[i];
        std::unique_ptr<DRVGraphic> expected(DRVGraphic::graphicWithProperties(dictionaries[i].toMap()));
        ASSERT_TRUE(expected) << i;
        EXPECT_STREQ(graphic->metaObject()->className(), expected->metaObject()->className()) << i;
        EXPECT_EQ(graphic->properties(), expected->properties()) << i;
        EXPECT_EQ(graphic->parent(), &parent) << i;
        EXPECT_EQ(graphic->thread(), parent.thread()) << i;
        EXPECT_EQ(graphic->textString(), expected->textString()) << i;
        if (auto* text = qobject_cast<DRVText*>(graphic))
            EXPECT_EQ(text->contents()->thread(), parent.thread()) << i;
        if (auto* table = qobject_cast<DRVTable*>(graphic)) {
            ASSERT_EQ(table->cellHelperArray().size(), 2) << i;
            for (myTextView* cell : table->cellHelperArray()) {
                ASSERT_TRUE(cell->textStorage()) << i;
                EXPECT_EQ(cell->textStorage()->thread(), parent.thread()) << i;
                EXPECT_EQ(cell->textStorage()->parent(), cell) << i;
                EXPECT_EQ(cell->textStorage()->toPlainText(), cell->textView()->string()) << i;
            }
        }
    }
    int images = 0;
    for (DRVGraphic* graphic : graphics)
        images += qobject_cast<DRVImage*>(graphic) ? 1 : 0;
    EXPECT_EQ(images, 15); // the slideshow's picture is the slideshow's alone

    // Built elsewhere, a box still hears its own text being edited.
    auto* text = qobject_cast<DRVText*>(graphics.constFirst());
    ASSERT_TRUE(text);
    QStringList changed;
    QObject::connect(text, &platform::Observable::valueChanged, text,
                     [&changed](platform::Observable*, const QString& key) { changed << key; });
    text->contents()->setPlainText("Edited");
    EXPECT_EQ(text->textString(), "Edited");
    EXPECT_TRUE(QTest::qWaitFor([&] { return changed.contains("bounds"); }, 2000)) << changed.join(',').toStdString();
}

TEST(CarrierRecords, StartValuesAndOwnership)
{
    myTextView text(QRectF(1, 2, 30, 40));
    EXPECT_EQ(text.textView()->frame(), QRectF(1, 2, 30, 40));
    EXPECT_TRUE(text.colorString().isEmpty() && !text.colorString().isNull());
    EXPECT_TRUE(text.textColorString().isEmpty() && !text.textColorString().isNull());
    EXPECT_TRUE(text.backgroundHexColorString().isNull());
    EXPECT_TRUE(text.textHexColorString().isNull());
    EXPECT_EQ(text.alphaValue(), 1.0);
    EXPECT_EQ(text.tableNumber(), 0);
    EXPECT_EQ(text.textStorage(), nullptr);

    // drawRect moves the inner view and the cover, whatever the carrier's own frame.
    text.drawRect(QRectF(5, 5, 10, 10));
    EXPECT_EQ(text.textView()->frame(), QRectF(5, 5, 10, 10));
    EXPECT_EQ(text.coverViewFrame(), QRectF(5, 5, 10, 10));
    EXPECT_EQ(text.frame(), QRectF(1, 2, 30, 40));

    // Setting tag, selectable or the text storage changes only the stored value.
    text.textView()->setString("inner");
    auto* storage = new QTextDocument("styled");
    text.setTextStorage(storage);
    text.setTag(7);
    text.setSelectable(1);
    EXPECT_EQ(storage->parent(), &text);
    EXPECT_EQ(text.textView()->string(), "inner");
    EXPECT_EQ(text.tag(), 7);

    {
        myTextView option;
        text.setOptionTextView(&option);
        EXPECT_EQ(text.optionTextView(), &option);
    }
    EXPECT_EQ(text.optionTextView(), nullptr);

    TransformView image;
    EXPECT_EQ(image.galleryNumber(), 0);
    EXPECT_EQ(image.rowSpot(), 0);
    EXPECT_EQ(image.alpha(), 0.0f);
    EXPECT_TRUE(image.imageName().isNull());
    EXPECT_TRUE(image.image().isNull());
    EXPECT_EQ(image.galleryDimension(), QRectF());

    OuterSlideShow slideshow(QRectF(0, 0, 300, 200));
    EXPECT_EQ(slideshow.arrowWidth(), 40);
    EXPECT_EQ(slideshow.arrowHeight(), 50);
    EXPECT_EQ(slideshow.previousButtonFrame(), QRectF(0, 100, 40, 50));

    LineView line;
    EXPECT_EQ(line.alphaValue(), 1.0);
    EXPECT_EQ(line.groupNumber(), 0);
}
