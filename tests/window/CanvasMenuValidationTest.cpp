// The canvas's menu rows: selection facts and edition flags in, shown, enabled and title out, with
// the context menu's separators that follow some rows.
#include "window/MenuValidation.h"

#include <gtest/gtest.h>

namespace {

// Rows name only the facts they set; the rest keep their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

struct Facts
{
    int selected = 0;
    QStringList predicates;
    QStringList flags;
    bool gridCanAlign = false;
    bool naturalSize = false;
    bool rulers = false;
    bool enlarged = false;
    bool automatic = false;

    CanvasMenuFacts make() const
    {
        CanvasMenuFacts f;
        f.selectedCount = selected;
        f.predicates = QSet<QString>(predicates.begin(), predicates.end());
        f.editionFlags = QSet<QString>(flags.begin(), flags.end());
        f.gridCanAlign = gridCanAlign;
        f.anyCanMakeNaturalSize = naturalSize;
        f.rulersShown = rulers;
        f.imageAlreadyEnlarged = enlarged;
        f.slideshowAutomatic = automatic;
        return f;
    }
};

struct Row
{
    const char* name;
    const char* action;
    Facts facts;
    bool visible;
    bool enabled;
    const char* title = nullptr; // nullptr: left as it was
};

const QString kStart = QStringLiteral("Item");

} // namespace

TEST(CanvasMenuValidation, TableOfSelectionsAndEditionFlags)
{
    const QStringList textBox{QStringLiteral("shouldShowLayerArrangement"),
                              QStringLiteral("shouldShowAlignArrangement"),
                              QStringLiteral("abilityToCopyShown"), QStringLiteral("duplicateShown")};
    const Row rows[] = {
        {"layer submenu with a text box", "layerOptionsShown:", {1, textBox}, true, true},
        {"layer submenu with a text box and a slideshow", "layerOptionsShown:", {2, {}}, false, false},
        {"align submenu with a text box", "alignOptionsShown:", {1, textBox}, true, true},
        {"align left hidden by the edition whatever is selected",
         "alignLeftEdges:",
         {3, {}, {QStringLiteral("gHideAlignLeftFlag")}},
         false,
         false},
        {"align left with two selected", "alignLeftEdges:", {2}, true, true},
        {"align left with one selected stays shown", "alignLeftEdges:", {1}, true, false},
        {"same size hidden by its flag",
         "makeSameSize:",
         {2, {}, {QStringLiteral("gHideSameSizeFlag")}},
         false,
         false},
        {"same width ignores another flag",
         "makeSameWidth:",
         {2, {}, {QStringLiteral("gHideSameSizeFlag")}},
         true,
         true},
        {"align top never hidden, disabled with one",
         "alignTopEdges:",
         {1, {}, {QStringLiteral("gHideAlignLeftFlag")}},
         true,
         false},
        {"align top with two", "alignTopEdges:", {2}, true, true},
        {"bring forward disabled with two", "bringForward:", {2}, true, false},
        {"bring forward with one", "bringForward:", {1}, true, true},
        {"bring to front with two", "bringToFront:", {2}, true, true},
        {"send to back hidden with nothing selected", "sendToBack:", {0}, false, false},
        {"delete with a selection", "delete:", {1}, true, true},
        {"align to grid needs a usable grid", "alignWithGrid:", {1}, true, false},
        {"align to grid with grid", "alignWithGrid:", {1, {}, {}, true}, true, true},
        {"align to grid hidden with nothing selected", "alignWithGrid:", {0, {}, {}, true}, false, false},
        {"natural size counts only", "makeNaturalSize:", {1}, true, false},
        {"natural size with an image", "makeNaturalSize:", {1, {}, {}, false, true}, true, true},
        {"cut with a form field selected", "cut:", {1, {}}, false, false},
        {"copy with a text box", "copy:", {1, textBox}, true, true},
        {"duplicate with a form field", "duplicate:", {1, {}}, false, false},
        {"group offered", "groupObjects:", {2, {QStringLiteral("groupShown")}}, true, true},
        {"ungroup not offered", "unGroupObjects:", {2, {QStringLiteral("groupShown")}}, false, false},
        {"lock", "lockObjects:", {1, {QStringLiteral("lockShown")}}, true, true},
        {"match width on a fixed box",
         "matchScreenWidth:",
         {1, {QStringLiteral("matchScreenWidthShown"), QStringLiteral("unScrollShown")}},
         true,
         true},
        {"unmatch hidden on a fixed box not full-width",
         "unMatchScreenWidth:",
         {1, {QStringLiteral("matchScreenWidthShown"), QStringLiteral("unScrollShown")}},
         false,
         false},
        {"match width on a scrolling box",
         "matchScreenWidth:",
         {1, {QStringLiteral("matchScreenWidthShown")}},
         false,
         false},
        {"table menu with several tables",
         "tableEditMenu:",
         {2, {QStringLiteral("tableMultiControlShown")}},
         true,
         true},
        {"join tables in a responsive edition",
         "joinTablesVertically:",
         {2, {QStringLiteral("tableMultiControlShown")}, {QStringLiteral("gResponsiveLayoutFlag")}},
         false,
         false},
        {"join tables otherwise counts", "joinTablesHorizontally:", {1, {}}, true, false},
        {"table image delete needs its flag", "deleteTableImage:", {1, {}}, false, false},
        {"table image delete with its flag",
         "deleteTableImage:",
         {1, {}, {QStringLiteral("gTableImagesFlag")}},
         true,
         true},
        {"caption hidden by its flag",
         "configureGalleryImageCaption:",
         {1, {QStringLiteral("galleryImageEditControlShown")}, {QStringLiteral("gHideImageCaptionFlag")}},
         false,
         false},
        {"caption offered",
         "configureGalleryImageCaption:",
         {1, {QStringLiteral("galleryImageEditControlShown")}},
         true,
         true},
        {"enlarge options hidden by flag",
         "showClickToEnlargeOptions:",
         {1, {QStringLiteral("enlargeShown")}, {QStringLiteral("gHideClickToEnlargeFlag")}},
         false,
         false},
        {"add table always", "addTable:", {0}, true, true},
        {"an action with no row is enabled", "paste:", {0}, true, true},
        {"rulers shown", "showOrHideRulers:", {0, {}, {}, false, false, true}, true, true, "Hide Ruler"},
        {"rulers hidden", "showOrHideRulers:", {0}, true, true, "Show Ruler"},
        {"click to enlarge on an enlarged image",
         "setClickToEnlarge:",
         {1, {QStringLiteral("cropShown")}, {}, false, false, false, true},
         true,
         true,
         "Remove Click to Enlarge"},
        {"click to enlarge",
         "setClickToEnlarge:",
         {1, {QStringLiteral("cropShown")}},
         true,
         true,
         "Click to Enlarge"},
        {"auto scrolling on",
         "automateSlideShow:",
         {1, {QStringLiteral("slideShowImageEditingOptionsShown")}, {}, false, false, false, false, true},
         true,
         true,
         "Disable Auto Scrolling"},
        {"auto scrolling off",
         "automateSlideShow:",
         {1, {QStringLiteral("slideShowImageEditingOptionsShown")}},
         true,
         true,
         "Set Auto Scrolling"},
    };
    for (const Row& row : rows) {
        MenuItemState start;
        start.title = kStart;
        const CanvasMenuAnswer answer =
            MenuValidation::validateCanvas(QString::fromLatin1(row.action), start, row.facts.make());
        EXPECT_EQ(answer.item.visible, row.visible) << row.name;
        EXPECT_EQ(answer.item.enabled, row.enabled) << row.name;
        EXPECT_EQ(answer.item.title, row.title ? QString::fromUtf8(row.title) : kStart) << row.name;
        EXPECT_EQ(answer.handled, QByteArray(row.action) != "paste:") << row.name;
    }
}

TEST(CanvasMenuValidation, SeparatorsFollowTheirItems)
{
    const auto answer = [](const char* action, const QStringList& predicates) {
        CanvasMenuFacts f;
        f.selectedCount = 1;
        f.predicates = QSet<QString>(predicates.begin(), predicates.end());
        MenuItemState start;
        return MenuValidation::validateCanvas(QString::fromLatin1(action), start, f);
    };
    EXPECT_EQ(answer("launchCropImagePanel:", {}).fourthSeparatorVisible, std::optional<bool>(false));
    EXPECT_FALSE(
        answer("launchCropImagePanel:", {QStringLiteral("cropShown")}).fourthSeparatorVisible.has_value());
    EXPECT_EQ(answer("showClickToEnlargeOptions:", {}).fourthSeparatorVisible, std::optional<bool>(false));
    EXPECT_EQ(answer("addSlideshowImage:", {}).firstSeparatorVisible, std::optional<bool>(false));
    EXPECT_EQ(answer("deleteSlide:", {}).firstSeparatorVisible, std::optional<bool>(false));
    EXPECT_FALSE(answer("deleteSlide:", {QStringLiteral("slideShowImageEditingOptionsShown")})
                     .firstSeparatorVisible.has_value());
    EXPECT_FALSE(answer("cut:", {}).firstSeparatorVisible.has_value());
}
