// Lines in the stored page: one editor rule each, numbered from the last line of the list.
#include "GenerationTestSupport.h"

#include "model/DRVLine.h"
#include "model/DRVRectangle.h"

using generationtest::expectGolden;
using generationtest::GenerationTest;

using LinesTest = GenerationTest;

TEST_F(LinesTest, LinesBecomeRulesNumberedFromTheLastOfTheList)
{
    DRVDocument document;
    document.setMainTemplateName(QStringLiteral("Blue Sky"));
    auto* first = add<DRVLine>(document); // ends up at the back (index 2)
    first->setBeginPoint(QPointF(10.9, 20.2));
    first->setEndPoint(QPointF(210.5, 20.2));
    first->setBorderWidth(3);
    first->setBorderStyle(QStringLiteral("dashed"));
    first->setBorderHexColorString(QStringLiteral("555555"));
    first->setOpacity(0.5);
    first->setDrawBeginArrow(true);
    first->setTemplateName(QStringLiteral("(null)"));

    auto* box = add<DRVRectangle>(document);
    box->setBounds(QRectF(0, 0, 50, 50));

    auto* second = add<DRVLine>(document); // on top (index 0)
    second->setBeginPoint(QPointF(300, 400));
    second->setEndPoint(QPointF(100, 50));
    second->setBorderWidth(10);
    second->setBorderStyle(QStringLiteral("solid"));
    second->setBorderHexColorString(QStringLiteral("CLEAR0"));
    second->setOpacity(1.0);
    second->setScrollFlag(1);
    second->setMoveLock(1);
    second->setGroupNumber(4);
    second->setShadowFlag(1);
    second->setManualLayerIndex(12);
    second->setDrawEndArrow(true);
    second->setTemplateName(QStringLiteral("basetemplate.html"));

    const QString page = document.generateSourceCode(QStringLiteral("index"), false, false);
    expectGolden(page, "lines-absolute.html");

    EXPECT_EQ(document.lineArray(), (QList<DRVGraphic*>{second, first}));
    // The pass completes the template names, and they stay on the lines.
    EXPECT_EQ(first->templateName(), QStringLiteral("Blue Sky"));
    EXPECT_EQ(second->templateName(), QStringLiteral("basetemplate"));

    const QString line0 = QStringLiteral(
        "\n.line0{position:absolute;lineOriginX:10;lineOriginY:20;lineEndX:210;lineEndY:20;z-index:1;fixed:0;"
        "lineAlpha:0.500000;border-style:dashed;border-width:3px;border-color:#555555;groupNumber:0;"
        "shadowFlag:0;"
        "templateName:Blue Sky;manualLayerIndex:0;drawBeginArrow:1;drawEndArrow:0;}\n");
    const QString line1 = QStringLiteral(
        "\n.line1{position:fixed;lineOriginX:300;lineOriginY:400;lineEndX:100;lineEndY:50;z-index:12;fixed:1;"
        "lineAlpha:1.000000;border-style:solid;border-width:10px;border-color:#CLEAR0;groupNumber:4;"
        "shadowFlag:1;"
        "templateName:basetemplate;manualLayerIndex:12;drawBeginArrow:0;drawEndArrow:1;}\n");
    EXPECT_TRUE(page.contains(line0 + line1)) << qPrintable(page);
}

TEST_F(LinesTest, APageWithoutLinesHasNoLineRules)
{
    DRVDocument document;
    add<DRVRectangle>(document);
    const QString page = document.generateSourceCode(QStringLiteral("index"), false, false);
    EXPECT_FALSE(page.contains(QStringLiteral(".line")));
    EXPECT_TRUE(document.lineArray().isEmpty());
}

// The shape a browser shows for a line: only what the canvas would draw, and nothing taken from the
// line that could leave its attribute.
TEST_F(LinesTest, LineShapesDrawWhatTheCanvasDrawsAndNothingElse)
{
    const struct
    {
        const char* name;
        const char* style;
        int width;
        const char* colour;
        bool arrows;
        const char* expected; // a piece of the shape, or "" for no shape at all
    } cases[] = {
        {"solid", "solid", 2, "112233", false,
         "stroke=\"#112233\" stroke-width=\"2\" stroke-opacity=\"1\"/>"},
        {"thinnest", "solid", 0, "112233", false, "stroke-width=\"1\""},
        {"dashed of width 0 is one wide", "dashed", 0, "112233", false,
         "stroke-dasharray=\"3 3\" stroke-dashoffset=\"1\""},
        {"dotted", "dotted", 4, "112233", false, "stroke-dasharray=\"4 4\""},
        {"no stroke, arrows only", "none", 3, "112233", true, "<polygon"},
        {"no stroke, no arrows", "none", 3, "112233", false, ""},
        {"clear", "solid", 3, "CLEAR0", true, ""},
        {"not a colour", "solid", 3, "FF0000\"><script>alert(1)</script>", false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DRVDocument document;
        auto* line = add<DRVLine>(document);
        line->setBeginPoint(QPointF(10, 10));
        line->setEndPoint(QPointF(110, 60));
        line->setBorderStyle(QString::fromLatin1(c.style));
        line->setBorderWidth(c.width);
        line->setBorderHexColorString(QString::fromLatin1(c.colour));
        line->setOpacity(1.0);
        line->setDrawEndArrow(c.arrows);
        const QString page = document.generateSourceCode(QStringLiteral("index"), false, false);
        const QString expected = QString::fromLatin1(c.expected);
        EXPECT_EQ(page.contains(QStringLiteral("<svg class=lineShape0 ")), !expected.isEmpty());
        if (!expected.isEmpty()) {
            EXPECT_TRUE(page.contains(expected))
                << qPrintable(page.mid(page.indexOf(QStringLiteral("<svg"))));
        }
        EXPECT_FALSE(page.contains(QStringLiteral("<script>alert")));
        // The stored rule is there whatever the shape.
        EXPECT_TRUE(page.contains(QStringLiteral("\n.line0{position:absolute;")));
    }
}
