// Where the labels of a job land: the start position on the first sheet only, the sheet count, the
// chosen spots, and the cell coordinates in sheet units.
#include "print/SheetPlan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <tuple>

namespace {

// A 3-column, 10-row sheet of 2 x 1 in labels with 0.25 in column and 0.125 in row gaps.
PrintSheetGeometry thirtyUp()
{
    PrintSheetGeometry g;
    g.gPrintNumOfColumnsPerSheet = 3;
    g.gPrintNumOfRowsPerSheet = 10;
    g.gPrintSingleLabelWidthInch = 2.0f;
    g.gPrintSingleLabelHeightInch = 1.0f;
    g.gPrintLabelColumnSpacingInch = 0.25f;
    g.gPrintLabelRowSpacingInch = 0.125f;
    g.gPrintSheetTopMarginInch = 0.5f;
    g.gPrintSheetLeftMarginInch = 0.25f;
    return g;
}

int countOnSheet(const SheetPlan& plan, int sheet)
{
    return int(std::count_if(plan.placements.begin(), plan.placements.end(),
                             [sheet](const SheetPlacement& p) { return p.sheet == sheet; }));
}

struct FillCase
{
    const char* name;
    SheetFill fill;
    int images;
    int startRow;
    int startColumn;
    int sheets;
    QList<int> perSheet;
    SheetPlacement first;
    SheetPlacement last;
};

TEST(SheetPlanTest, FillsFromTheStartPositionOnTheFirstSheetOnly)
{
    const QList<FillCase> cases{
        {"same label at 1,1", SheetFill::SameLabel, 0, 1, 1, 1, {30}, {0, 0, 0, 0}, {0, 9, 2, 0}},
        {"same label at 2,3", SheetFill::SameLabel, 0, 2, 3, 1, {25}, {0, 1, 2, 0}, {0, 9, 2, 0}},
        {"same label at 0,0", SheetFill::SameLabel, 0, 0, 0, 1, {30}, {0, 0, 0, 0}, {0, 9, 2, 0}},
        {"31 pages", SheetFill::DifferentLabels, 31, 1, 1, 2, {30, 1}, {0, 0, 0, 0}, {1, 0, 0, 30}},
        {"30 pages", SheetFill::DifferentLabels, 30, 1, 1, 1, {30}, {0, 0, 0, 0}, {0, 9, 2, 29}},
        // 5 cells skipped: 26 pages need a second sheet, which starts at its first cell.
        {"26 pages at 2,3", SheetFill::DifferentLabels, 26, 2, 3, 2, {25, 1}, {0, 1, 2, 0}, {1, 0, 0, 25}},
        {"70 pages at 10,3",
         SheetFill::DifferentLabels,
         70,
         10,
         3,
         4,
         {1, 30, 30, 9},
         {0, 9, 2, 0},
         {3, 2, 2, 69}},
        {"start past the sheet", SheetFill::DifferentLabels, 2, 40, 9, 2, {1, 1}, {0, 9, 2, 0}, {1, 0, 0, 1}},
    };
    for (const FillCase& c : cases) {
        SCOPED_TRACE(c.name);
        const SheetPlan plan = planSheets(thirtyUp(), {c.fill, c.images, c.startRow, c.startColumn, {}});
        EXPECT_FALSE(plan.refused);
        ASSERT_EQ(plan.sheets, c.sheets);
        for (int sheet = 0; sheet < c.perSheet.size(); ++sheet)
            EXPECT_EQ(countOnSheet(plan, sheet), c.perSheet[sheet]) << "sheet " << sheet;
        ASSERT_FALSE(plan.placements.isEmpty());
        EXPECT_EQ(plan.placements.first(), c.first);
        EXPECT_EQ(plan.placements.last(), c.last);
        if (c.fill == SheetFill::DifferentLabels) {
            // Every image has a cell, each cell at most one image.
            EXPECT_EQ(plan.placements.size(), c.images);
            std::set<std::tuple<int, int, int>> cells;
            for (const SheetPlacement& p : plan.placements)
                cells.insert({p.sheet, p.row, p.column});
            EXPECT_EQ(cells.size(), c.images);
        }
    }
}

TEST(SheetPlanTest, SameLabelAtRowTwoColumnThreeLeavesRowOneEmpty)
{
    const SheetPlan plan = planSheets(thirtyUp(), {SheetFill::SameLabel, 0, 2, 3, {}});
    for (const SheetPlacement& p : plan.placements) {
        EXPECT_NE(p.row, 0);
        EXPECT_TRUE(p.row != 1 || p.column == 2) << "column " << p.column;
    }
}

TEST(SheetPlanTest, SpotsPlaceOnlyChosenCellsThatExist)
{
    const PrintSheetGeometry g = thirtyUp();
    const SheetPlan one = planSheets(g, {SheetFill::Spots, 1, 1, 1, {{2, 1}}});
    ASSERT_EQ(one.sheets, 1);
    ASSERT_EQ(one.placements.size(), 1);
    EXPECT_EQ(one.placements[0], (SheetPlacement{0, 2, 1, 0}));
    const QRectF cell = sheetCellRect(g, 2, 1);
    const double w = 2.0 * 144, h = 144, gx = 0.25 * 144, gy = 0.125 * 144;
    EXPECT_DOUBLE_EQ(cell.x(), gx + w);
    EXPECT_DOUBLE_EQ(cell.y(), 2 * gy + 2 * h);
    EXPECT_DOUBLE_EQ(cell.width(), w);
    EXPECT_DOUBLE_EQ(cell.height(), h);

    // Off the sheet, or nothing chosen: one blank sheet. The start position plays no part.
    for (const QList<SheetCell>& spots :
         {QList<SheetCell>{{10, 0}}, QList<SheetCell>{{0, 3}}, QList<SheetCell>{}}) {
        const SheetPlan blank = planSheets(g, {SheetFill::Spots, 1, 5, 2, spots});
        EXPECT_EQ(blank.sheets, 1);
        EXPECT_TRUE(blank.placements.isEmpty());
    }
    const SheetPlan three = planSheets(g, {SheetFill::Spots, 1, 5, 2, {{9, 2}, {0, 0}, {4, 1}}});
    ASSERT_EQ(three.placements.size(), 3);
    EXPECT_EQ(three.placements[0], (SheetPlacement{0, 0, 0, 0}));
    EXPECT_EQ(three.placements[2], (SheetPlacement{0, 9, 2, 0}));
}

TEST(SheetPlanTest, NoCellsIsRefusedAndNoImagesMakeNoSheet)
{
    PrintSheetGeometry empty;
    for (SheetFill fill : {SheetFill::SameLabel, SheetFill::DifferentLabels, SheetFill::Spots}) {
        const SheetPlan plan = planSheets(empty, {fill, 3, 1, 1, {{0, 0}}});
        EXPECT_TRUE(plan.refused);
        EXPECT_EQ(plan.sheets, 0);
        EXPECT_TRUE(plan.placements.isEmpty());
    }
    const SheetPlan none = planSheets(thirtyUp(), {SheetFill::DifferentLabels, 0, 1, 1, {}});
    EXPECT_FALSE(none.refused);
    EXPECT_EQ(none.sheets, 0);
}

TEST(SheetPlanTest, SurfaceIsTheBlockWithoutMargins)
{
    const QSizeF size = sheetSurfaceSize(thirtyUp());
    EXPECT_DOUBLE_EQ(size.width(), 2 * 0.25 * 144 + 3 * 2.0 * 144);
    EXPECT_DOUBLE_EQ(size.height(), 9 * 0.125 * 144 + 10 * 144);
}

} // namespace
