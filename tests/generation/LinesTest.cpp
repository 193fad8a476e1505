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
