#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "editions/LabelHelper.h"
#include "editions/PrintSheetGeometry.h"

#include <gtest/gtest.h>

namespace {

// Puts the edition record back after a test that changes it.
class SavedEdition
{
public:
    SavedEdition() : m_saved(edition()) {}
    ~SavedEdition() { edition() = m_saved; }
    SavedEdition(const SavedEdition&) = delete;
    SavedEdition& operator=(const SavedEdition&) = delete;

private:
    EditionSettings m_saved;
};

struct CanvasValues
{
    int width, height, renderWidth, renderHeight, screenshotWidth;
    float scale;
    bool operator==(const CanvasValues&) const = default;
};

CanvasValues canvasValues()
{
    const EditionSettings& e = edition();
    return {e.gCanvasWidth,       e.gCanvasHeight,    e.gRenderImageWidth,
            e.gRenderImageHeight, e.gScreenshotWidth, e.gCanvasDisplayScale};
}

void setCanvasValues(const CanvasValues& v)
{
    EditionSettings& e = edition();
    e.gCanvasWidth = v.width;
    e.gCanvasHeight = v.height;
    e.gRenderImageWidth = v.renderWidth;
    e.gRenderImageHeight = v.renderHeight;
    e.gScreenshotWidth = v.screenshotWidth;
    e.gCanvasDisplayScale = v.scale;
}

const LabelHelper& row(const char* description)
{
    DataCentre::loadPrintLabels();
    for (const LabelHelper& r : DataCentre::printLabels()) {
        if (r.printDescription == QString::fromUtf8(description))
            return r;
    }
    ADD_FAILURE() << "no row " << description;
    static const LabelHelper none;
    return none;
}

LabelHelper rowOfWidth(int width)
{
    LabelHelper r;
    r.canvasWidth = width;
    r.canvasHeight = 100;
    return r;
}

} // namespace

TEST(PrintGeometry, AppliesNamedRowsToCanvasAndSheet)
{
    const struct
    {
        const char* description;
        int rotation;
        CanvasValues canvas;
        float blockWidth, blockHeight;
    } cases[] = {
        {"Post Card - 4\" x 6\"", 0, {1800, 1200, 1800, 1200, 1800, 0.4f}, 864.0f, 576.0f},
        {"Post Card - 4\" x 6\"", 90, {1200, 1800, 1200, 1800, 1800, 0.6f}, 864.0f, 576.0f},
        {"Post Card - 4\" x 6\"", 180, {1800, 1200, 1800, 1200, 1800, 0.4f}, 864.0f, 576.0f},
        {"Label - 30 Per Letter Sheet", 0, {1575, 600, 1575, 600, 1575, 0.4f}, 1170.2834f, 1440.0f},
        {"Business Card - 8 Per Letter Sheet", 0, {1050, 600, 1050, 600, 1050, 0.7f}, 1080.0f, 1368.0f},
        {"Business Card - 10 Per Letter Sheet", 0, {1050, 600, 1050, 600, 1050, 0.7f}, 1008.0f, 1440.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.description << " at " << c.rotation);
        SavedEdition saved;
        edition().gPrintPixelFactor = 144.0f;
        edition().gCanvasRotation = c.rotation;
        const LabelHelper& r = row(c.description);
        DataCentre::resetPrintCanvas(&r);

        EXPECT_EQ(canvasValues(), c.canvas);
        const PrintSheetGeometry& g = printSheetGeometry();
        EXPECT_FLOAT_EQ(g.gPrintLabelBlockWidth, c.blockWidth);
        EXPECT_FLOAT_EQ(g.gPrintLabelBlockHeight, c.blockHeight);
        EXPECT_EQ(g.gPrintNumOfRowsPerSheet, r.printNumOfRowsPerSheet);
        EXPECT_EQ(g.gPrintNumOfColumnsPerSheet, r.printNumOfColumnsPerSheet);
        EXPECT_EQ(g.gPrintSingleLabelWidthInch, r.printSingleLabelWidthInch);
        EXPECT_EQ(g.gPrintSingleLabelHeightInch, r.printSingleLabelHeightInch);
        EXPECT_EQ(g.gPrintLabelColumnSpacingInch, r.printLabelColumnSpacingInch);
        EXPECT_EQ(g.gPrintLabelRowSpacingInch, r.printLabelRowSpacingInch);
        EXPECT_EQ(g.gPrintSheetTopMarginInch, r.printSheetTopMarginInch);
        EXPECT_EQ(g.gPrintSheetBottomMarginInch, r.printSheetBottomMarginInch);
        EXPECT_EQ(g.gPrintSheetLeftMarginInch, r.printSheetLeftMarginInch);
        EXPECT_EQ(g.gPrintSheetRightMarginInch, r.printSheetRightMarginInch);
    }
}

TEST(PrintGeometry, BlockFormsEachProductInSinglePrecision)
{
    const LabelHelper& r = row("Label - 30 Per Letter Sheet");
    const PrintCanvasResult result = computePrintCanvas(r, 0, 144.0f);
    const float gap = 0.125984f * 144.0f;
    const float label = 2.625f * 144.0f;
    EXPECT_EQ(result.geometry.gPrintLabelBlockWidth, 2.0f * gap + 3.0f * label);
}

TEST(PrintGeometry, DisplayScaleBandsByCanvasWidth)
{
    const std::pair<int, float> cases[] = {
        {5000, 0.3f}, {2001, 0.3f}, {2000, 0.4f}, {1501, 0.4f}, {1500, 0.5f}, {1201, 0.5f},
        {1200, 0.6f}, {1101, 0.6f}, {1100, 0.7f}, {901, 0.7f},  {900, 0.8f},  {801, 0.8f},
        {800, 0.9f},  {701, 0.9f},  {700, 1.0f},  {1, 1.0f},
    };
    for (const auto& [width, scale] : cases) {
        SCOPED_TRACE(width);
        EXPECT_EQ(computePrintCanvas(rowOfWidth(width), 0, 144.0f).canvasDisplayScale, scale);
    }
    // At 90 degrees the band follows the swapped width.
    LabelHelper tall = rowOfWidth(100);
    tall.canvasHeight = 2001;
    EXPECT_EQ(computePrintCanvas(tall, 90, 144.0f).canvasDisplayScale, 0.3f);
}

TEST(PrintGeometry, OneLabelRowsGetTheirLabelSizeAsBlock)
{
    DataCentre::loadPrintLabels();
    int oneLabelRows = 0;
    for (const LabelHelper& r : DataCentre::printLabels()) {
        if (r.printNumOfColumnsPerSheet != 1 || r.printNumOfRowsPerSheet != 1)
            continue;
        ++oneLabelRows;
        SCOPED_TRACE(r.printDescription.toStdString());
        const PrintCanvasResult result = computePrintCanvas(r, 0, 144.0f);
        EXPECT_EQ(result.geometry.gPrintLabelBlockWidth, r.printSingleLabelWidthInch * 144.0f);
        EXPECT_EQ(result.geometry.gPrintLabelBlockHeight, r.printSingleLabelHeightInch * 144.0f);
    }
    EXPECT_GT(oneLabelRows, 0);
}

TEST(PrintGeometry, EveryRowLeavesAUsableCanvas)
{
    DataCentre::loadPrintLabels();
    for (const LabelHelper& r : DataCentre::printLabels()) {
        for (int rotation : {0, 90}) {
            SCOPED_TRACE(testing::Message() << r.printDescription.toStdString() << " at " << rotation);
            const PrintCanvasResult result = computePrintCanvas(r, rotation, 144.0f);
            EXPECT_GT(result.canvasWidth, 0);
            EXPECT_GT(result.canvasHeight, 0);
            EXPECT_GT(result.canvasDisplayScale, 0.0f);
        }
    }
}

TEST(PrintGeometry, MissingOrEmptyRowChangesNothing)
{
    SavedEdition saved;
    edition().gPrintPixelFactor = 144.0f;
    edition().gCanvasRotation = 0;
    DataCentre::resetPrintCanvas(&row("Business Card - 8 Per Letter Sheet"));
    const PrintSheetGeometry geometryBefore = printSheetGeometry();
    const CanvasValues before{1000, 700, 1000, 700, 200, 0.7f};
    setCanvasValues(before);

    LabelHelper noCanvas = row("Label - 6 Per Letter Sheet");
    noCanvas.canvasWidth = 0;
    LabelHelper noHeight = row("Label - 6 Per Letter Sheet");
    noHeight.canvasHeight = 0;
    const LabelHelper blank;
    const struct
    {
        const char* name;
        const LabelHelper* row;
    } cases[] = {
        {"failed look-up", DataCentre::grabLabelHelper(QStringLiteral("No Such Sheet"))},
        {"blank row", &blank},
        {"zero width", &noCanvas},
        {"zero height", &noHeight},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DataCentre::resetPrintCanvas(c.row);
        EXPECT_EQ(canvasValues(), before);
        EXPECT_EQ(printSheetGeometry(), geometryBefore);
    }
}
