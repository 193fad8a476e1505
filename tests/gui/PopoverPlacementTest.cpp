// Where a canvas popover opens beside the graphic it edits: on its left where the screen has room,
// else on its right, and always on the screen, also on a screen that does not start at the origin.
#include "canvas/QuibPopover.h"

#include <QRect>
#include <gtest/gtest.h>

TEST(PopoverPlacement, BesideTheAnchorAndOnTheScreen)
{
    const QSize popover(591, 122);
    const QRect screen(0, 0, 1600, 1200);
    const struct
    {
        const char* name;
        QRect anchor, screen;
        QPoint expected;
    } rows[] = {
        {"room on the left", {700, 100, 200, 100}, screen, {109, 100}},
        {"touching the left edge exactly", {591, 100, 200, 100}, screen, {0, 100}},
        {"no room on the left: on the right", {40, 100, 600, 400}, screen, {640, 100}},
        {"room on neither side: kept on the screen", {100, 100, 1400, 50}, screen, {0, 100}},
        {"near the bottom: lifted", {700, 1150, 200, 40}, screen, {109, 1078}},
        {"above the top: lowered", {700, -40, 200, 100}, screen, {109, 0}},
        {"a second screen to the right", {1650, 100, 100, 100}, {1600, 0, 1600, 1200}, {1750, 100}},
        {"a screen smaller than the popover", {300, 10, 50, 50}, {0, 0, 400, 100}, {0, 0}},
        {"no screen known", {40, 100, 600, 400}, QRect(), {0, 100}},
    };
    for (const auto& row : rows) {
        const QPoint at = QuibPopover::placementBeside(row.anchor, popover, row.screen);
        EXPECT_EQ(at, row.expected) << row.name;
        if (row.screen.isValid() && row.screen.width() >= popover.width()) {
            EXPECT_TRUE(row.screen.contains(QRect(at, popover))) << row.name;
        }
    }
}
