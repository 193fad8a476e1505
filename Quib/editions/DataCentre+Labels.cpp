#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "editions/LabelHelper.h"

#include <functional>
#include <iterator>

namespace {

// One built-in layout as written down: the canvas size is worked out from the label size.
struct SheetLayout
{
    const char* kind;
    const char* description;
    int columns;
    int rows;
    float labelWidth;
    float labelHeight;
    float columnGap;
    float rowGap;
    float topMargin;  // equals the bottom margin
    float leftMargin; // equals the right margin
    const char* paper;
    float pixelFactor;
};

// Order matters: both look-ups return the first match, so the business cards must stay ahead of the
// label rows with the same count and paper.
constexpr SheetLayout kSheetLayouts[] = {
    {"Post Card", "Post Card - 4\" x 6\"", 1, 1, 6.0f, 4.0f, 0.0f, 0.0f, 0.0f, 0.0f, "na-letter", 300.0f},
    {"Post Card", "Post Card - 5\" x 7\"", 1, 1, 7.0f, 5.0f, 0.0f, 0.0f, 0.0f, 0.0f, "na-letter", 300.0f},
    {"Post Card", "Post Card - 6\" x 9\"", 1, 1, 9.0f, 6.0f, 0.0f, 0.0f, 0.0f, 0.0f, "A4", 300.0f},
    {"Post Card", "Post Card - 6\" x 11\"", 1, 1, 11.0f, 6.0f, 0.0f, 0.0f, 0.0f, 0.0f, "A4", 300.0f},
    {"Business Card", "Business Card - 10 Per Letter Sheet", 2, 5, 3.5f, 2.0f, 0.0f, 0.0f, 0.5f, 0.75f,
     "na-letter", 300.0f},
    {"Business Card", "Business Card - 8 Per Letter Sheet", 2, 4, 3.5f, 2.0f, 0.5f, 0.5f, 0.75f, 0.5f,
     "na-letter", 300.0f},
    {"Business Card", "Business Card - 10 Per A4 Sheet", 2, 5, 3.34646f, 2.12598f, 0.393701f, 0.0f,
     0.5314961f, 0.590551f, "A4", 300.0f},
    {"Business Card", "Business Card - 8 Per A4 Sheet", 2, 4, 3.34646f, 2.12598f, 0.23622f, 0.23622f,
     1.240157f, 0.669291f, "A4", 300.0f},
    {"Label", "Label - 30 Per Letter Sheet", 3, 10, 2.625f, 1.0f, 0.125984f, 0.0f, 0.5f, 0.21975f,
     "na-letter", 600.0f},
    {"Label", "Label - 30 Per Letter Sheet Foil", 3, 10, 2.25f, 0.75f, 0.5f, 0.25f, 0.625f, 0.375f,
     "na-letter", 600.0f},
    {"Label", "Label - 30 Filing Label Per Letter Sheet", 2, 15, 3.4375f, 0.667f, 0.55f, 0.0f, 0.4975f,
     0.5375f, "na-letter", 300.0f},
    {"Label", "Label - 32 Per Letter Sheet", 4, 8, 1.75f, 1.25f, 0.16666666f, 0.0f, 0.5f, 0.468f, "na-letter",
     300.0f},
    {"Label", "Label - 6 Per Letter Sheet", 2, 3, 4.0f, 3.3333333f, 0.19685f, 0.0f, 0.5f, 0.156f, "na-letter",
     300.0f},
    {"Label", "Label - 14 Per Letter Sheet", 2, 7, 4.0f, 1.3333334f, 0.1875f, 0.0f, 0.8333333f, 0.15625f,
     "na-letter", 300.0f},
    {"Label", "Label - 80 Per Letter Sheet", 4, 20, 1.75f, 0.5f, 0.3125f, 0.0f, 0.5f, 0.28125f, "na-letter",
     300.0f},
    {"Label", "Label - 10 Per Letter Sheet", 2, 5, 4.0f, 2.0f, 0.1875f, 0.0f, 0.5f, 0.1625f, "na-letter",
     300.0f},
    {"Label", "Label - 33 Per Letter Sheet", 3, 11, 2.8f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, "na-letter", 300.0f},
    {"Label", "Label - 2 Per Letter Sheet", 1, 2, 8.5f, 5.5f, 0.0f, 0.0f, 0.0f, 0.0f, "na-letter", 300.0f},
    {"Label", "Label - 4 Per Letter Sheet", 2, 2, 3.5f, 5.0f, 0.5f, 0.0f, 0.5f, 0.5f, "na-letter", 300.0f},
    {"Label", "Label - 20 Per Letter Sheet", 2, 10, 4.0f, 1.0f, 0.1876f, 0.0f, 0.5f, 0.1562f, "na-letter",
     300.0f},
    {"Label", "Label - 12 Per Letter Sheet", 2, 6, 4.0f, 1.5f, 0.166f, 0.0f, 1.0f, 0.167f, "na-letter",
     300.0f},
    {"Label", "Label - 12 Square Per Letter Sheet", 3, 4, 2.0f, 2.0f, 0.6f, 0.6f, 0.6f, 0.65f, "na-letter",
     300.0f},
    {"Label", "Label - 60 Per Letter Sheet", 4, 15, 1.75f, 0.6666f, 0.295f, 0.0f, 0.505f, 0.3075f,
     "na-letter", 300.0f},
    {"Label", "Label - 65 Per A4 Sheet", 5, 13, 1.5f, 0.8346457f, 0.0787402f, 0.0f, 0.4212598f, 0.226378f,
     "A4", 300.0f},
    {"Label", "Label - 1 Per Letter Sheet", 1, 1, 8.0f, 11.5f, 0.0f, 0.0f, 0.0f, 0.0f, "na-letter", 300.0f},
    {"Label", "Label - 1 Per A4 Sheet", 1, 1, 7.858268f, 11.38189f, 0.0f, 0.0f, 0.15748f, 0.19685f, "A4",
     300.0f},
    {"Label", "Label - 8 Per A4 Sheet", 2, 4, 3.901575f, 2.665354f, 0.0984252f, 0.0f, 0.515748f, 0.177165f,
     "A4", 300.0f},
    {"Label", "Label - 10 Per A4 Sheet", 2, 5, 3.901575f, 2.255906f, 0.0787402f, 0.0f, 0.2066929f, 0.192913f,
     "A4", 300.0f},
    {"Label", "Label - 10 Diskette Labels Per A4 Sheet", 2, 5, 2.75591f, 2.04724f, 0.9094488f, 0.0f,
     0.7559055f, 0.9173228f, "A4", 300.0f},
    {"Label", "Label - 4 Per A4 Sheet", 1, 4, 7.87402f, 2.3622f, 0.0f, 0.0f, 1.122047f, 0.19685f, "A4",
     300.0f},
    {"Label", "Label - 6 Per A4 Sheet", 2, 3, 3.901575f, 3.665354f, 0.01023622f, 0.0f, 0.03740157f,
     0.0185039f, "A4", 300.0f},
    {"Label", "Label - 21 Per A4 Sheet", 3, 7, 2.5f, 1.5f, 0.1f, 0.0f, 0.0f, 0.279921f, "A4", 300.0f},
    {"Label", "Label - 20 Per A4 Sheet", 10, 2, 0.669291f, 4.72441f, 0.0f, 0.0f, 1.06299f, 0.787402f, "A4",
     300.0f},
    {"Label", "Label - 14 Per A4 Sheet", 2, 7, 3.901575f, 1.5f, 0.0984252f, 0.0f, 0.0f, 0.1830709f, "A4",
     300.0f},
    {"Label", "Label - 14 Wide Per A4 Sheet", 2, 7, 4.13386f, 1.665354f, 0.0f, 0.0f, 0.019685f, 0.0f, "A4",
     300.0f},
    {"Label", "Label - 16 Per A4 Sheet", 2, 8, 3.901575f, 1.334646f, 0.0787402f, 0.0f, 0.5362205f, 0.192913f,
     "A4", 300.0f},
    {"Label", "Label - 18 Per A4 Sheet", 3, 6, 2.5f, 1.834646f, 0.1f, 0.0f, 0.374016f, 0.283465f, "A4",
     300.0f},
    {"Label", "Label - 24 Per A4 Sheet", 3, 8, 2.5f, 1.334646f, 0.0f, 0.0f, 0.519685f, 0.275591f, "A4",
     300.0f},
    {"Label", "Label - 24 Large Labels Per A4 Sheet", 3, 8, 2.75591f, 1.41732f, 0.0f, 0.0f, 0.177165f, 0.0f,
     "A4", 300.0f},
    {"Label", "Label - 24 File Label Per A4 Sheet", 1, 24, 5.27559f, 0.433071f, 0.0f, 0.0f, 0.6496063f,
     1.49606f, "A4", 300.0f},
    {"Label", "Label - 12 Per A4 Sheet", 3, 4, 2.75591f, 2.661417f, 0.0f, 0.0f, 0.0f, 0.0f, "A4", 300.0f},
    {"Label", "Label - 12 Envelope Labels Per A4 Sheet", 2, 6, 3.8189f, 1.665354f, 0.0f, 0.0f, 0.8503937f,
     0.314961f, "A4", 300.0f},
    {"Label", "Label - 64 Per A4 Sheet", 4, 16, 1.909449f, 0.6653543f, 0.0f, 0.0f, 0.0f, 0.0f, "A4", 300.0f},
    {"Label", "Label - 80 Per A4 Sheet", 5, 16, 1.401575f, 0.6653543f, 0.0984252f, 0.0f, 0.0f, 0.0f, "A4",
     300.0f},
    {"Label", "Label - 7 Per A4 Sheet", 1, 7, 7.55906f, 1.49606f, 0.0f, 0.0f, 0.0f, 0.0f, "A4", 300.0f},
    {"Label", "Label - 4 Per A4 Sheet Binder", 1, 4, 7.55906f, 2.40157f, 0.0f, 0.0f, 0.0f, 0.0f, "A4",
     300.0f},
    {"Cards", "Card - Letter Sheet Horizontal Half Fold (8.5\" x 5.5\")", 1, 2, 8.5f, 5.5f, 0.0f, 0.0f, 0.0f,
     0.0f, "na-letter", 150.0f},
    {"Cards", "Card - Letter Sheet Vertical Half Fold (5.5\" x 8.5\")", 2, 1, 5.5f, 8.5f, 0.0f, 0.0f, 0.0f,
     0.0f, "na-letter", 150.0f},
    {"Cards", "Card - Letter Sheet Horizontal Quarter Fold (5.5\" x 4.25\")", 2, 2, 5.5f, 4.25f, 0.0f, 0.0f,
     0.0f, 0.0f, "na-letter", 150.0f},
    {"Cards", "Card - Letter Sheet Vertical Quarter Fold (4.25\" x 5.5\")", 2, 2, 4.25f, 5.5f, 0.0f, 0.0f,
     0.0f, 0.0f, "na-letter", 150.0f},
    {"Cards", "Card - A4 Sheet Horizontal Half Fold (8.3\" x 5.85\")", 1, 2, 8.3f, 5.85f, 0.0f, 0.0f, 0.0f,
     0.0f, "A4", 150.0f},
    {"Cards", "Card - A4 Sheet Vertical Half Fold (5.85\" x 8.3\")", 2, 1, 5.85f, 8.3f, 0.0f, 0.0f, 0.0f,
     0.0f, "A4", 150.0f},
    {"Cards", "Card - A4 Sheet Horizontal Quarter Fold (5.85\" x 4.15\")", 2, 2, 5.85f, 4.15f, 0.0f, 0.0f,
     0.0f, 0.0f, "A4", 150.0f},
    {"Cards", "Card - A4 Sheet Vertical Quarter Fold (4.15\" x 5.85\")", 2, 2, 4.15f, 5.85f, 0.0f, 0.0f, 0.0f,
     0.0f, "A4", 150.0f},
    {"Cards", "Card - A5 Sheet Horizontal Half Fold (8.3\" x 2.9\")", 1, 2, 8.3f, 2.9f, 0.0f, 0.0f, 0.0f,
     0.0f, "A5", 150.0f},
    {"Cards", "Card - A5 Sheet Vertical Half Fold (4.15\" x 5.8\")", 2, 1, 4.15f, 5.8f, 0.0f, 0.0f, 0.0f,
     0.0f, "A5", 150.0f},
    {"Cards", "Card - A5 Sheet Horizontal Quarter Fold (4.15\" x 2.9\")", 2, 2, 4.15f, 2.9f, 0.0f, 0.0f, 0.0f,
     0.0f, "A5", 150.0f},
    {"Cards", "Card - A5 Sheet Vertical Quarter Fold (2.9\" x 4.15\")", 2, 2, 2.9f, 4.15f, 0.0f, 0.0f, 0.0f,
     0.0f, "A5", 150.0f},
    {"Flyer", "US Letter - Landscape", 1, 1, 11.0f, 8.5f, 0.0f, 0.0f, 0.0f, 0.0f, "na-letter", 150.0f},
    {"Flyer", "US Letter - Portrait", 1, 1, 8.5f, 11.0f, 0.0f, 0.0f, 0.0f, 0.0f, "na-letter", 150.0f},
    {"Flyer", "US Legal - Landscape", 1, 1, 14.0f, 8.5f, 0.0f, 0.0f, 0.0f, 0.0f, "na-legal", 150.0f},
    {"Flyer", "US Legal - Portrait", 1, 1, 8.5f, 14.0f, 0.0f, 0.0f, 0.0f, 0.0f, "na-legal", 150.0f},
    {"Flyer", "Tabloid - Landscape", 1, 1, 17.0f, 11.0f, 0.0f, 0.0f, 0.0f, 0.0f, "Tabloid", 150.0f},
    {"Flyer", "Tabloid - Portrait", 1, 1, 11.0f, 17.0f, 0.0f, 0.0f, 0.0f, 0.0f, "Tabloid", 150.0f},
    {"Flyer", "Tabloid Oversize - Landscape", 1, 1, 18.0f, 12.0f, 0.0f, 0.0f, 0.0f, 0.0f, "Tabloid Oversize",
     150.0f},
    {"Flyer", "Tabloid Oversize - Portrait", 1, 1, 12.0f, 18.0f, 0.0f, 0.0f, 0.0f, 0.0f, "Tabloid Oversize",
     150.0f},
    {"Flyer", "A3 - Landscape", 1, 1, 16.5f, 11.7f, 0.0f, 0.0f, 0.0f, 0.0f, "A3", 150.0f},
    {"Flyer", "A3 - Portrait", 1, 1, 11.7f, 16.5f, 0.0f, 0.0f, 0.0f, 0.0f, "A3", 150.0f},
    {"Flyer", "A4 - Landscape", 1, 1, 11.7f, 8.3f, 0.0f, 0.0f, 0.0f, 0.0f, "A4", 150.0f},
    {"Flyer", "A4 - Portrait", 1, 1, 8.3f, 11.7f, 0.0f, 0.0f, 0.0f, 0.0f, "A4", 150.0f},
    {"Flyer", "A5 - Landscape", 1, 1, 8.3f, 5.8f, 0.0f, 0.0f, 0.0f, 0.0f, "A5", 150.0f},
    {"Flyer", "A5 - Portrait", 1, 1, 5.8f, 8.3f, 0.0f, 0.0f, 0.0f, 0.0f, "A5", 150.0f},
    {"Flyer", "B5 - Landscape", 1, 1, 9.8f, 6.9f, 0.0f, 0.0f, 0.0f, 0.0f, "B5", 150.0f},
    {"Flyer", "B5 - Portrait", 1, 1, 6.9f, 9.8f, 0.0f, 0.0f, 0.0f, 0.0f, "B5", 150.0f},
    {"Flyer", "US Letter - Landscape HD", 1, 1, 11.0f, 8.5f, 0.0f, 0.0f, 0.0f, 0.0f, "na-letter", 150.0f},
    {"Flyer", "US Letter - Portrait HD", 1, 1, 8.5f, 11.0f, 0.0f, 0.0f, 0.0f, 0.0f, "na-letter", 150.0f},
    {"Flyer", "US Legal - Landscape HD", 1, 1, 14.0f, 8.5f, 0.0f, 0.0f, 0.0f, 0.0f, "na-legal", 150.0f},
    {"Flyer", "US Legal - Portrait HD", 1, 1, 8.5f, 14.0f, 0.0f, 0.0f, 0.0f, 0.0f, "na-legal", 150.0f},
    {"Flyer", "A4 - Landscape HD", 1, 1, 11.7f, 8.3f, 0.0f, 0.0f, 0.0f, 0.0f, "A4", 150.0f},
    {"Flyer", "A4 - Portrait HD", 1, 1, 8.3f, 11.7f, 0.0f, 0.0f, 0.0f, 0.0f, "A4", 150.0f},
    {"Flyer", "3.5\" x 4.3\" HD", 1, 1, 3.5f, 4.3f, 0.0f, 0.0f, 0.0f, 0.0f, "na-letter", 150.0f},
    {"Flyer", "4.3\" x 3.5\" HD", 1, 1, 4.3f, 3.5f, 0.0f, 0.0f, 0.0f, 0.0f, "na-letter", 150.0f},
    {"Flyer", "4.25\" x 5.5\" HD", 1, 1, 4.25f, 5.5f, 0.0f, 0.0f, 0.0f, 0.0f, "na-letter", 150.0f},
    {"Flyer", "5.5\" x 4.25\" HD", 1, 1, 5.5f, 4.25f, 0.0f, 0.0f, 0.0f, 0.0f, "na-letter", 150.0f},
    {"Flyer", "4.15\" x 5.85\" HD", 1, 1, 4.15f, 5.85f, 0.0f, 0.0f, 0.0f, 0.0f, "A4", 150.0f},
    {"Flyer", "5.85\" x 4.15\" HD", 1, 1, 5.85f, 4.15f, 0.0f, 0.0f, 0.0f, 0.0f, "A4", 150.0f},
    {"Flyer", "5.5\" x 8.5\" HD", 1, 1, 5.5f, 8.5f, 0.0f, 0.0f, 0.0f, 0.0f, "na-letter", 150.0f},
    {"Flyer", "8.5\" x 5.5\" HD", 1, 1, 8.5f, 5.5f, 0.0f, 0.0f, 0.0f, 0.0f, "na-letter", 150.0f},
    {"Flyer", "4.75\" x 4.75\" HD", 1, 1, 4.75f, 4.75f, 0.0f, 0.0f, 0.0f, 0.0f, "na-letter", 150.0f},
    {"Flyer", "5\" x 7\" HD", 1, 1, 5.0f, 7.0f, 0.0f, 0.0f, 0.0f, 0.0f, "na-letter", 150.0f},
    {"Flyer", "7\" x 5\" HD", 1, 1, 7.0f, 5.0f, 0.0f, 0.0f, 0.0f, 0.0f, "na-letter", 150.0f},
    {"Flyer", "6\" x 11\" HD", 1, 1, 6.0f, 11.0f, 0.0f, 0.0f, 0.0f, 0.0f, "na-letter", 150.0f},
    {"Flyer", "11\" x 6\" HD", 1, 1, 11.0f, 6.0f, 0.0f, 0.0f, 0.0f, 0.0f, "na-letter", 150.0f},
    {"Flyer", "6\" x 6\" HD", 1, 1, 6.0f, 6.0f, 0.0f, 0.0f, 0.0f, 0.0f, "na-letter", 150.0f},
    {"Flyer", "7\" x 7\" HD", 1, 1, 7.0f, 7.0f, 0.0f, 0.0f, 0.0f, 0.0f, "na-letter", 150.0f},
    {"Flyer", "8\" x 8\" HD", 1, 1, 8.0f, 8.0f, 0.0f, 0.0f, 0.0f, 0.0f, "na-letter", 150.0f},
    {"Flyer", "12\" x 12\" HD", 1, 1, 12.0f, 12.0f, 0.0f, 0.0f, 0.0f, 0.0f, "na-letter", 150.0f},
    {"Flyer", "US Letter - Landscape - 72 DPI", 1, 1, 11.0f, 8.5f, 0.0f, 0.0f, 0.0f, 0.0f, "na-letter",
     72.0f},
    {"Flyer", "US Letter - Portrait - 72 DPI", 1, 1, 8.5f, 11.0f, 0.0f, 0.0f, 0.0f, 0.0f, "na-letter", 72.0f},
    {"Flyer", "US Legal - Portrait - 72 DPI", 1, 1, 8.5f, 14.0f, 0.0f, 0.0f, 0.0f, 0.0f, "na-legal", 72.0f},
    {"Flyer", "US Legal - Landscape - 72 DPI", 1, 1, 14.0f, 8.5f, 0.0f, 0.0f, 0.0f, 0.0f, "na-legal", 72.0f},
    {"Flyer", "A4 - Landscape - 72 DPI", 1, 1, 11.7f, 8.3f, 0.0f, 0.0f, 0.0f, 0.0f, "A4", 72.0f},
    {"Flyer", "A4 - Portrait - 72 DPI", 1, 1, 8.3f, 11.7f, 0.0f, 0.0f, 0.0f, 0.0f, "A4", 72.0f},
    {"Envelope", "Envelope #10 4.125\" x 9.5\"", 1, 1, 9.5f, 4.125f, 0.0f, 0.0f, 0.0f, 0.0f,
     "na-number-10-envelope", 72.0f},
    {"Envelope", "Envelope DL 4.4\" x 8.8\"", 1, 1, 8.8f, 4.4f, 0.0f, 0.0f, 0.0f, 0.0f,
     "iso-designated-long-envelope", 72.0f},
    {"Envelope", "Monarch 3.875\" x 7.5\"", 1, 1, 7.5f, 3.875f, 0.0f, 0.0f, 0.0f, 0.0f, "monarch-envelope",
     72.0f},
    {"Envelope", "Envelope #9 3.875\" x 8.875\"", 1, 1, 8.875f, 3.875f, 0.0f, 0.0f, 0.0f, 0.0f,
     "na-number-9-envelope", 72.0f},
};

LabelHelper makeRow(const SheetLayout& layout)
{
    LabelHelper row;
    row.printObjectType = QString::fromUtf8(layout.kind);
    row.printDescription = QString::fromUtf8(layout.description);
    row.printNumOfColumnsPerSheet = layout.columns;
    row.printNumOfRowsPerSheet = layout.rows;
    row.printSingleLabelHeightInch = layout.labelHeight;
    row.printSingleLabelWidthInch = layout.labelWidth;
    row.printLabelColumnSpacingInch = layout.columnGap;
    row.printLabelRowSpacingInch = layout.rowGap;
    row.printSheetTopMarginInch = layout.topMargin;
    row.printSheetBottomMarginInch = layout.topMargin;
    row.printSheetLeftMarginInch = layout.leftMargin;
    row.printSheetRightMarginInch = layout.leftMargin;
    row.canvasWidth = LabelHelper::canvasPixels(layout.labelWidth, layout.pixelFactor);
    row.canvasHeight = LabelHelper::canvasPixels(layout.labelHeight, layout.pixelFactor);
    row.paperSize = QString::fromUtf8(layout.paper);
    row.canvasPixelFactor = layout.pixelFactor;
    return row;
}

// The rows are built once and never freed: callers keep the pointers the look-ups return for as long
// as they like, so a second load must not move or free them. Every load yields the same rows.
const QList<LabelHelper>& builtInRows()
{
    static const QList<LabelHelper> rows = [] {
        QList<LabelHelper> list;
        list.reserve(static_cast<qsizetype>(std::size(kSheetLayouts)));
        for (const SheetLayout& layout : kSheetLayouts)
            list.append(makeRow(layout));
        return list;
    }();
    return rows;
}

bool catalogueLoaded = false;

std::function<void(double, double)>& rulerUnitHook()
{
    static std::function<void(double, double)> hook;
    return hook;
}

} // namespace

void DataCentre::loadPrintLabels()
{
    builtInRows();
    catalogueLoaded = true;
}

const QList<LabelHelper>& DataCentre::printLabels()
{
    static const QList<LabelHelper> empty;
    return catalogueLoaded ? builtInRows() : empty;
}

const LabelHelper* DataCentre::grabLabelHelper(const QString& description)
{
    const QList<LabelHelper>& rows = printLabels();
    for (const LabelHelper& row : rows) {
        if (row.printDescription != description)
            continue;
        edition().set(edition().gSelectedLabelSheet, description);
        // Rulers measure in canvas pixels of the row chosen last. The centimetre divisor is 160/63,
        // not 2.54; the quotient is kept in single precision like the inch value.
        const double perInch = row.canvasPixelFactor;
        const double perCentimeter = static_cast<float>(perInch / 2.5396825396825395);
        if (rulerUnitHook())
            rulerUnitHook()(perInch, perCentimeter);
        return &row;
    }
    return nullptr;
}

const LabelHelper* DataCentre::grabLabelHelperBasedOnSelection(int labelCount, const QString& paperSize)
{
    for (const LabelHelper& row : printLabels()) {
        if (row.paperSize == paperSize &&
            row.printNumOfRowsPerSheet * row.printNumOfColumnsPerSheet == labelCount)
            return &row;
    }
    return nullptr;
}

void DataCentre::setRulerUnitHook(std::function<void(double pointsPerInch, double pointsPerCentimeter)> hook)
{
    rulerUnitHook() = std::move(hook);
}
