// A page with lines, written by the page pass and read back by the page reader, gives the same lines.
// (The line rule carries shadowFlag too, but lines draw no shadow and the reader does not keep it.)
#include "GenerationTestSupport.h"

#include "document/PageParser.h"
#include "model/DRVLine.h"
#include "model/LineView.h"

using generationtest::GenerationTest;

using LinesRoundTripTest = GenerationTest;

TEST_F(LinesRoundTripTest, LinesOpenWithTheirProperties)
{
    DRVDocument document;
    document.setMainTemplateName(QStringLiteral("index"));
    auto* dashed = add<DRVLine>(document);
    dashed->setBeginPoint(QPointF(10, 20));
    dashed->setEndPoint(QPointF(210, 20));
    dashed->setBorderWidth(3);
    dashed->setBorderStyle(QStringLiteral("dashed"));
    dashed->setBorderHexColorString(QStringLiteral("555555"));
    dashed->setOpacity(0.5);
    dashed->setDrawBeginArrow(true);
    dashed->setGroupNumber(-99);
    auto* fixed = add<DRVLine>(document);
    fixed->setBeginPoint(QPointF(300, 400));
    fixed->setEndPoint(QPointF(100, 50));
    fixed->setBorderWidth(10);
    fixed->setBorderStyle(QStringLiteral("dotted"));
    fixed->setBorderHexColorString(QStringLiteral("A0B1C2"));
    fixed->setOpacity(1.0);
    fixed->setScrollFlag(1);
    fixed->setMoveLock(1);
    fixed->setGroupNumber(4);
    fixed->setShadowFlag(1);
    fixed->setManualLayerIndex(12);
    fixed->setDrawEndArrow(true);
    fixed->setTemplateName(QStringLiteral("index"));

    QTemporaryDir folder;
    PageParseInput input;
    input.pageText = document.generateSourceCode(QStringLiteral("index"), false, false);
    input.pageName = QStringLiteral("index");
    input.templatePageName = QStringLiteral("index");
    input.pagePath = folder.filePath(QStringLiteral("index.html"));
    input.pageFileExtension = QStringLiteral("html");
    const PageParseResult result = PageParser::presentObjects(input);
    ASSERT_EQ(result.lineArray.size(), 2);

    QList<QObject*> carriers;
    for (LineView* line : result.lineArray)
        carriers.append(line);
    const QList<DRVGraphic*> read =
        DRVGraphic::graphicsWithProperties(carriers, QStringLiteral("index"), &document);
    ASSERT_EQ(read.size(), 2);

    for (const DRVLine* written : {dashed, fixed}) {
        const auto match = std::find_if(read.begin(), read.end(), [&](const DRVGraphic* graphic) {
            return graphic->beginPoint() == written->beginPoint();
        });
        ASSERT_NE(match, read.end()) << written->beginPoint().x();
        const DRVGraphic* line = *match;
        EXPECT_TRUE(line->isLineGraphic());
        EXPECT_EQ(line->endPoint(), written->endPoint());
        EXPECT_EQ(line->borderWidth(), written->borderWidth());
        EXPECT_EQ(line->borderStyle(), written->borderStyle());
        EXPECT_EQ(line->borderHexColorString(), written->borderHexColorString());
        EXPECT_DOUBLE_EQ(line->opacity(), written->opacity());
        EXPECT_EQ(line->scrollFlag(), written->scrollFlag());
        EXPECT_EQ(line->moveLock(), written->moveLock());
        EXPECT_EQ(line->groupNumber(), written->groupNumber());
        EXPECT_EQ(line->manualLayerIndex(), written->manualLayerIndex());
        EXPECT_EQ(line->templateName(), written->templateName());
        EXPECT_EQ(line->drawBeginArrow(), written->drawBeginArrow());
        EXPECT_EQ(line->drawEndArrow(), written->drawEndArrow());
    }
}
