#include "model/FakePageContext.h"

#include "model/DRVCircle.h"
#include "model/DRVLine.h"
#include "model/DRVRectangle.h"
#include "model/GraphicRegistry.h"

#include <QSet>
#include <gtest/gtest.h>

#include <memory>

namespace {

QVariantMap withClass(QVariantMap p, const QString& className)
{
    p.insert(QStringLiteral("className"), className);
    return p;
}

std::unique_ptr<DRVGraphic> build(const QVariantMap& p)
{
    return std::unique_ptr<DRVGraphic>(DRVGraphic::graphicWithProperties(p));
}

// Every base key in the form properties() writes it.
QVariantMap fullBaseDictionary()
{
    const QColor fill(10, 20, 30);
    const QColor border(0x12, 0x34, 0x56);
    return QVariantMap{
        {"bounds", "{{10, 20}, {300, 40}}"},
        {"drawingFill", false},
        {"drawingStroke", false},
        {"strokeWidth", 2.5},
        {"fillColor", DRVGraphic::archivedColor(fill)},
        {"cornerRadius", "12.750000"},
        {"borderStyle", "dashed"},
        {"opacity", "0.500000"},
        {"shadowFlag", "1"},
        {"fontColor", "FF8000"},
        {"fontFamily", "Anton"},
        {"fontSize", "18"},
        {"fontAlignment", "2"},
        {"verticalAlignment", "1"},
        {"moveLock", "1"},
        {"link", "http://example.com"},
        {"textType", "Text"},
        {"slideShowNumber", "4"},
        {"shapeFlag", "3"},
        {"backgroundHexColorString", "0A141E"},
        {"textHexColorString", "FF8000"},
        {"linkOption", "_blank"},
        {"altText", "alt"},
        {"groupNumber", "7"},
        {"imageEnlargeFlag", "1"},
        {"slideShowAutomaticFlag", "1"},
        {"galleryNumber", "2"},
        {"templateName", "home"},
        {"hoverColorString", "00FF00"},
        {"hoverTextColorString", "0000FF"},
        {"backdropLightingFlag", "1"},
        {"linkType", "shape"},
        {"formType", "text"},
        {"formTag", "5"},
        {"formRequiredFlag", "1"},
        {"formOptionTag", "2"},
        {"scrollFlag", "1"},
        {"matchScreenFlag", "1"},
        {"manualLayerIndex", "9"},
        {"snippetFormatFlag", "1"},
        {"borderHexColorString", "123456"},
        {"borderColor", DRVGraphic::archivedColor(border)},
        {"borderWidth", 3.0},
        {"lineSpacing", "1.500000"},
        {"shadowRadius", "2.000000"},
        {"shadowHorizontalOffset", "1.000000"},
        {"shadowVerticalOffset", "-1.000000"},
        {"rotationAngle", "30.000000"},
        {"responsiveResizeFlag", "1"},
        {"responsiveAlignment", "2"},
        {"sectionNumber", "1"},
        {"sectionRowSpot", "0"},
        {"sectionColumnSpot", "3"},
        {"markAsReplyToEmailFlag", "1"},
        {"topPadding", "1"},
        {"bottomPadding", "2"},
        {"rightPadding", "3"},
        {"leftPadding", "4"},
        {"topMargin", "5"},
        {"bottomMargin", "6"},
        {"rightMargin", "7"},
        {"leftMargin", "8"},
        {"topPaddingType", "pixel"},
        {"bottomPaddingType", "%"},
        {"rightPaddingType", "pixel"},
        {"leftPaddingType", "%"},
        {"topMarginType", "pixel"},
        {"bottomMarginType", "%"},
        {"rightMarginType", "pixel"},
        {"leftMarginType", "%"},
        {"topPaddingLevelString", "Small"},
        {"bottomPaddingLevelString", "None"},
        {"rightPaddingLevelString", "Tiny"},
        {"leftPaddingLevelString", "Large"},
        {"topMarginLevelString", "XL"},
        {"bottomMarginLevelString", "XXL"},
        {"rightMarginLevelString", "Medium"},
        {"leftMarginLevelString", "None"},
        {"sectionIDString", "intro"},
        {"onClickHideString", "a b"},
        {"onClickShowString", "c"},
        {"initialLaunchStateFlag", "1"},
        {"retinaFlag", "0"},
    };
}

class TemplatePageContext : public FakePageContext
{
public:
    bool controller = false;
    QString pageName;
    bool hasWindowController() override { return controller; }
    QString documentPageName() override { return pageName; }
};

} // namespace

TEST(Properties, EmptyDictionaryGivesTheAbsentValues)
{
    const auto g = build(withClass({}, "DRVRectangle"));
    ASSERT_TRUE(g);
    EXPECT_EQ(g->bounds(), QRectF());
    EXPECT_TRUE(g->isDrawingFill());
    EXPECT_EQ(g->fillColor().alpha(), 0);
    EXPECT_TRUE(g->isDrawingStroke());
    EXPECT_EQ(g->strokeWidth(), 1.0);
    EXPECT_EQ(g->strokeColor(), QColor(Qt::black));
    EXPECT_EQ(g->fontColor(), QColor(Qt::black));
    EXPECT_EQ(g->opacity(), 0.0);
    EXPECT_EQ(g->borderStyle(), "none");
    EXPECT_EQ(g->borderColor().alpha(), 0);
    EXPECT_EQ(g->borderHexColorString(), "000000");
    EXPECT_FLOAT_EQ(g->lineSpacing(), 1.25f);
    EXPECT_EQ(g->link(), "");
    EXPECT_EQ(g->linkOption(), "_self");
    EXPECT_EQ(g->linkType(), "text");
    EXPECT_EQ(g->backgroundHexColorString(), "CLEAR0");
    EXPECT_EQ(g->textHexColorString(), "000000");
    for (const char* key : {"groupNumber", "galleryNumber", "sectionNumber", "sectionRowSpot",
                            "sectionColumnSpot", "formOptionTag", "imageEnlargeFlag"})
        EXPECT_EQ(g->valueForKey(key).toInt(), -99) << key;
    EXPECT_EQ(g->slideShowNumber(), 0);
    for (const char* key : {"topPadding", "bottomPadding", "leftPadding", "rightPadding", "topMargin",
                            "bottomMargin", "leftMargin", "rightMargin"})
        EXPECT_EQ(g->valueForKey(key).toInt(), 0) << key;
    for (const char* side : {"topPadding", "bottomPadding", "leftPadding", "rightPadding", "topMargin",
                             "bottomMargin", "leftMargin", "rightMargin"}) {
        EXPECT_EQ(g->valueForKey(QString(side) + "Type").toString(), "%") << side;
        EXPECT_EQ(g->valueForKey(QString(side) + "LevelString").toString(), "None") << side;
    }
    EXPECT_TRUE(g->selectable());
}

// Dictionary -> graphic -> dictionary for the classes of this file; each key that does not come
// back as it went in is listed with what comes back instead.
TEST(Properties, RoundTripPerClass)
{
    struct Case
    {
        QString className;
        QVariantMap extra;
    };
    const Case cases[] = {
        {"DRVRectangle", {}},
        {"DRVCircle", {}},
        {"DRVLine",
         {{"beginPoint", "{110, 60}"},
          {"endPoint", "{10, 20}"},
          {"drawBeginArrow", "1"},
          {"drawEndArrow", "0"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.className.toStdString());
        QVariantMap in = fullBaseDictionary();
        for (auto it = c.extra.begin(); it != c.extra.end(); ++it)
            in.insert(it.key(), it.value());
        const auto g = build(withClass(in, c.className));
        ASSERT_TRUE(g);
        EXPECT_EQ(g->metaObject()->className(), c.className);
        const QVariantMap out = g->properties();

        // Lossy by design: the fill is always drawn, the corner radius loses its fraction, the font
        // keys and the slideshow number are written only by text and image graphics.
        QSet<QString> lossy{"drawingFill", "cornerRadius",  "fontFamily",
                            "fontSize",    "fontAlignment", "slideShowNumber"};
        EXPECT_EQ(out.value("drawingFill"), QVariant(true));
        EXPECT_EQ(out.value("cornerRadius"), QVariant("12.000000"));
        for (const char* key : {"fontFamily", "fontSize", "fontAlignment", "slideShowNumber"})
            EXPECT_FALSE(out.contains(key)) << key;
        EXPECT_EQ(g->fontFamily(), "Anton");
        EXPECT_EQ(g->fontSize(), 18);
        EXPECT_EQ(g->fontAlignment(), 2);
        EXPECT_EQ(g->slideShowNumber(), 4);
        if (c.className == "DRVLine") {
            // A line keeps its points instead of its bounds.
            lossy << "bounds";
            EXPECT_FALSE(out.contains("bounds"));
            EXPECT_EQ(g->bounds(), QRectF(10, 20, 100, 40));
        }
        EXPECT_FALSE(out.contains("className"));

        for (auto it = in.begin(); it != in.end(); ++it) {
            if (lossy.contains(it.key()))
                continue;
            EXPECT_EQ(out.value(it.key()), it.value()) << it.key().toStdString();
        }
        // Nothing is written that the dictionary did not hold, but what the class adds itself.
        for (auto it = out.begin(); it != out.end(); ++it)
            EXPECT_TRUE(in.contains(it.key())) << it.key().toStdString();
    }
}

TEST(Properties, EveryRegisteredNameBuildsItsOwnClass)
{
    for (const QString& name : GraphicRegistry::classNames()) {
        const auto g = build(withClass({{"bounds", "{{1, 2}, {30, 40}}"}}, name));
        ASSERT_TRUE(g) << name.toStdString();
        EXPECT_EQ(QString::fromLatin1(g->metaObject()->className()), name);
    }
}

TEST(Properties, ClassChoiceBuildsOnlyRegisteredClasses)
{
    const QVariant notAString = 7;
    const QVariantMap refused[] = {
        {},
        {{"className", notAString}},
        {{"className", "QObject"}},
        {{"className", "DRVGraphic"}},
        {{"className", "QWidget"}},
        {{"className", "drvrectangle"}},
    };
    for (const QVariantMap& p : refused)
        EXPECT_EQ(DRVGraphic::graphicWithProperties(p), nullptr)
            << p.value("className").toString().toStdString();

    const QVariantList list{withClass({}, "DRVCircle"), QStringLiteral("not a dictionary"),
                            withClass({}, "NoSuchClass"), withClass({}, "DRVRectangle")};
    const QList<DRVGraphic*> graphics = DRVGraphic::graphicsWithPropertiesPasted(list);
    ASSERT_EQ(graphics.size(), 2);
    EXPECT_TRUE(qobject_cast<DRVCircle*>(graphics[0]));
    EXPECT_TRUE(qobject_cast<DRVRectangle*>(graphics[1]));
    qDeleteAll(graphics);
}

TEST(Properties, ValueForms)
{
    // Numbers and their decimal text are read alike; an integer reading drops the fraction.
    const auto g = build(withClass({{"cornerRadius", 12.75},
                                    {"opacity", 0.25},
                                    {"borderWidth", "4"},
                                    {"groupNumber", 3.9},
                                    {"bounds", "{{1, 2}, {3, 4}}"}},
                                   "DRVRectangle"));
    EXPECT_EQ(g->cornerRadius(), 12.0);
    EXPECT_EQ(g->opacity(), 0.25);
    EXPECT_EQ(g->borderWidth(), 4);
    EXPECT_EQ(g->groupNumber(), 3);

    const QVariantMap out = g->properties();
    EXPECT_EQ(out.value("cornerRadius").toString(), "12.000000");
    EXPECT_EQ(out.value("bounds").toString(), "{{1, 2}, {3, 4}}");
    EXPECT_EQ(out.value("borderWidth").typeId(), QMetaType::Double);
    EXPECT_EQ(out.value("strokeWidth").typeId(), QMetaType::Double);
    EXPECT_EQ(out.value("drawingStroke").typeId(), QMetaType::Bool);

    // Typed keys ignore values of the wrong kind.
    const auto typed = build(
        withClass({{"drawingStroke", "0"}, {"strokeWidth", "5"}, {"fillColor", "FF0000"}}, "DRVRectangle"));
    EXPECT_TRUE(typed->isDrawingStroke());
    EXPECT_EQ(typed->strokeWidth(), 1.0);
    EXPECT_EQ(typed->fillColor().alpha(), 0);
}

TEST(Properties, ColoursAndNormalisation)
{
    DRVRectangle g;
    g.setFillColor(QColor(Qt::transparent));
    g.setFontColor(QColor(Qt::transparent));
    g.setBorderColor(QColor(0xAB, 0xCD, 0xEF));
    g.setBorderHexColorString("000000");
    g.setLinkType(QString());
    g.setFormType("(null)");
    const QVariantMap out = g.properties();
    EXPECT_EQ(out.value("fillColor"), QVariant(QString("")));
    EXPECT_EQ(out.value("fontColor"), QVariant(QString("")));
    EXPECT_EQ(out.value("linkType").toString(), "shape");
    EXPECT_EQ(out.value("formType").toString(), "");
    EXPECT_EQ(out.value("link").toString(), "");
    // The border hex string follows the border colour, in the graphic too.
    EXPECT_EQ(out.value("borderHexColorString").toString(), "ABCDEF");
    EXPECT_EQ(g.borderHexColorString(), "ABCDEF");
    EXPECT_EQ(g.linkType(), "shape");
    EXPECT_FALSE(out.contains("backgroundHexColorString"));

    const auto back = build(withClass(out, "DRVRectangle"));
    EXPECT_EQ(back->fillColor().alpha(), 0);
    EXPECT_EQ(back->fontColor(), QColor(Qt::black));
    EXPECT_EQ(back->borderColor(), QColor(0xAB, 0xCD, 0xEF));
    EXPECT_EQ(back->backgroundHexColorString(), "CLEAR0");

    // A dictionary without a link type gives "text".
    EXPECT_EQ(build(withClass({}, "DRVRectangle"))->linkType(), "text");
}

TEST(Properties, ArchivedValuesRefuseForeignData)
{
    const QColor colour(1, 2, 3, 200);
    EXPECT_EQ(DRVGraphic::unarchivedColor(DRVGraphic::archivedColor(colour)), colour);
    QByteArray wrongVersion = DRVGraphic::archivedColor(colour);
    wrongVersion[0] = 9;
    QByteArray truncated = DRVGraphic::archivedColor(colour);
    truncated.chop(2);
    // The byte after the version is the colour's type: one Qt does not know is damage too.
    QByteArray unknownType = DRVGraphic::archivedColor(colour);
    ASSERT_EQ(unknownType[1], char(QColor::Rgb));
    unknownType[1] = char(QColor::ExtendedRgb + 1);
    QByteArray negativeType = DRVGraphic::archivedColor(colour);
    negativeType[1] = char(0xFF);
    QByteArray versionOnly = DRVGraphic::archivedColor(colour).left(1);
    for (const QVariant& v : {QVariant(wrongVersion), QVariant(truncated), QVariant(unknownType),
                              QVariant(negativeType), QVariant(versionOnly), QVariant(QByteArray()),
                              QVariant(QString("123456")), QVariant(DRVGraphic::archivedColor(colour) + "x")})
        EXPECT_EQ(DRVGraphic::unarchivedColor(v), QColor(Qt::transparent));

    QImage image(3, 2, QImage::Format_ARGB32);
    image.fill(QColor(10, 200, 30));
    EXPECT_EQ(DRVGraphic::unarchivedImage(DRVGraphic::archivedImage(image)).pixel(2, 1), image.pixel(2, 1));
    EXPECT_TRUE(DRVGraphic::unarchivedImage(QByteArray("\x01garbage")).isNull());
    EXPECT_TRUE(DRVGraphic::unarchivedImage(DRVGraphic::archivedImage(QImage())).isNull());
}

TEST(Properties, BaseTemplateGraphicsAreSelectableOnlyOnTheBaseTemplate)
{
    struct Case
    {
        bool installed;
        bool controller;
        QString pageName;
        QString templateName;
        bool selectable;
    };
    const Case cases[] = {
        {true, true, "home", "basetemplate", false}, {true, true, "basetemplate", "basetemplate", true},
        {true, false, "home", "basetemplate", true}, {false, false, "", "basetemplate", true},
        {true, true, "home", "home", true},
    };
    for (const Case& c : cases) {
        TemplatePageContext context;
        context.controller = c.controller;
        context.pageName = c.pageName;
        std::unique_ptr<ScopedPageContext> scope;
        if (c.installed)
            scope = std::make_unique<ScopedPageContext>(&context);
        const auto g = build(withClass({{"templateName", c.templateName}}, "DRVRectangle"));
        EXPECT_EQ(g->selectable(), c.selectable)
            << c.pageName.toStdString() << " " << c.templateName.toStdString();
    }
}
