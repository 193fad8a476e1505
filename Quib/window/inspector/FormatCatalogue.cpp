#include "window/inspector/FormatCatalogue.h"

#include "model/DRVGalleryGrid.h"
#include "model/DRVImage.h"
#include "model/DRVLine.h"
#include "model/DRVSlideshow.h"
#include "model/DRVTable.h"
#include "model/DRVText.h"

namespace {

const QStringList kPrint = {"Quib",   "Chart",        "Label",        "Flyer",
                            "Mail",   "Markup",       "LomithMarkup", "Manual",
                            "Rivosh", "GreetingCard", "TuvikWembric", "VarozoVozarov"};

QStringList printAnd(const QStringList& more)
{
    return kPrint + more;
}

QStringList printWithout(const QString& category)
{
    QStringList set = kPrint;
    set.removeAll(category);
    return set;
}

const QStringList kMask = {"Quib",         "Label",  "Flyer",  "Markup",       "VarozoVozarov",
                           "LomithMarkup", "Manual", "Rivosh", "GreetingCard", "TuvikWembric"};
const QStringList kVertical = {"Kestrin", "Mail",          "Rivosh",       "Manual", "Flyer", "TuvikWembric",
                               "Markup",  "VarozoVozarov", "GreetingCard", "Label",  "Chart", "Cardell2"};
const QStringList kLock = {"Quib", "Forms", "Flyer", "Markup", "VarozoVozarov", "Manual"};
const QStringList kWeb = {"Quib", "Kestrin", "Forms"};
const QStringList kBoxes = {"Kestrin", "Mail"};
const QStringList kSections = {"Kestrin"};
const QStringList kFixed = {"Quib", "Forms"};
const QStringList kAll = {"All"};

const QString kText = QStringLiteral("quib_textbox");

QList<FormatGroup> makeGroups()
{
    const QStringList shadow = printWithout(QStringLiteral("Mail"));
    const QStringList printK = printAnd({QStringLiteral("Kestrin")});
    const QStringList shadowTypes = {"Text", "Table", "Image"};
    return {
        {"positionAndSize",
         "Position and Size",
         "Object origin axis and dimensions, measured in pixels.",
         "width_x_height",
         kText,
         {"Text", "Image", "Table", "Section", "Slideshow", "Gallery"},
         kPrint},
        {"padding",
         "Padding",
         "Padding space, measured in pixels or percent.",
         "width_x_height",
         kText,
         {"Section", "Text"},
         kBoxes,
         160},
        {"margin",
         "Margin",
         "Margin space, measured in pixels or percent.",
         "width_x_height",
         kText,
         {"Section", "Text", "Table"},
         kBoxes,
         160},
        {"sectionColumnBuffer",
         "Section Column Buffer",
         "Buffer spacing between section columns",
         "rotate",
         kText,
         {"Section"},
         kSections},
        {"sectionID",
         "Section ID",
         "Unique ID, used to reference section in page anchors and JavaScripts",
         "rotate",
         kText,
         {"Section"},
         kSections},
        {"initialLaunchState",
         "Initial Launch State",
         "Set to \"Hidden\" if section is to be manually shown through user click.",
         "rotate",
         kText,
         {"Section"},
         kSections},
        {"imageMask",
         "Image Mask",
         "Applies mask to selected photo, only areas within the mask shape will be visible.",
         "mask",
         "ImageMask",
         {"Image"},
         kMask},
        {"positionLock",
         "Position Lock",
         "Pins down object position, so it's no longer movable.  Unlock to reposition when needed.",
         "scroll_lock",
         kText,
         {"Text", "Image", "Table", "Slideshow", "Gallery", "Line"},
         kLock},
        {"fontStyleAndSize",
         "Font Style and Font Size",
         "Selected text box font style and font size.",
         "font_style",
         kText,
         {"Text", "Table"},
         kAll},
        {"textAlignment",
         "Text Alignment",
         "Selected text box paragraph alignment",
         "alignment_left",
         kText,
         {"Text", "Table"},
         kAll},
        {"verticalAlignment",
         "Text Vertical Alignment",
         "Selected text box paragraph alignment",
         "alignment_left",
         kText,
         {"Text", "Table"},
         kVertical},
        {"textColor",
         "Color - Text",
         "Controls text color",
         "color_paint",
         "selectedTextColorButton",
         {"Text", "Table"},
         kAll},
        {"shapeColor",
         "Color - Shape",
         "Controls background color of selected object",
         "color_paint",
         "selectedShapeColorButton",
         {"Text", "Table", "Section"},
         kAll},
        {"hoverTextColor",
         "Color - Hover Text",
         "Control text hover color, text changes to this color when mouse hovers over it on the published "
         "page",
         "color_paint",
         "selectedHoverTextColorButton",
         {"Text", "Table"},
         kWeb},
        {"hoverShapeColor",
         "Color - Hover Shape",
         "Controls shape or text box hover color, color changes when mouse hovers over it on the published "
         "page",
         "color_paint",
         "selectedHoverColorButton",
         {"Text", "Table"},
         kWeb},
        {"borderColor",
         "Color - Border",
         "Controls border color of selected object.  Applies to text boxes, shapes, images and table cells.",
         "color_paint",
         "selectedBorderColorButton",
         {"Text", "Table", "Image", "Line"},
         kPrint},
        {"borderType",
         "Border Type",
         "Controls selected object border type.",
         "border_icon",
         kText,
         {"Text", "Image", "Table"},
         printK},
        {"borderThickness",
         "Border Thickness",
         "Controls selected object border thickness.",
         "border_icon",
         kText,
         {"Text", "Table", "Image"},
         printK},
        {"lineThickness",
         "Line Thickness",
         "Controls thickness of selected line object.",
         "border_icon",
         kText,
         {"Line"},
         kAll},
        {"linePattern",
         "Line Pattern",
         "Controls pattern of selected line object.",
         "border_icon",
         kText,
         {"Line"},
         kAll},
        {"lineSpacing",
         "Line Spacing",
         "Controls spacing between lines of text in a paragraph.",
         "lineSpacing",
         kText,
         {"Text", "Table"},
         kPrint},
        {"canvasColor",
         "Color - Background",
         "Canvas background color",
         "color_paint",
         "canvasColorButton",
         {"Canvas"},
         kAll},
        {"cornerRadius",
         "Corner Radius",
         "Controls the \"roundness\" of shapes and text boxes.  Set to value greater than zero for rounded "
         "corners.",
         "corner_radius",
         kText,
         {"Text", "Table"},
         printK},
        {"opacity",
         "Opacity",
         "Controls level of object transparency.  Set to 1.0 for full solid color.",
         "opacity_icon",
         kText,
         {"Text", "Image", "Table", "Line"},
         printK},
        {"reflection",
         "Reflection Level",
         "Image special effect.  Controls percentage of image reflected.",
         "reflection",
         kText,
         {"Image"},
         kPrint},
        {"shadow",
         "Shadow",
         "Controls shadow applied to objects.",
         "shadows",
         kText,
         {"Text", "Image", "Table"},
         shadow},
        {"shadowBlur", "Shadow Blur", "Controls shadow applied to objects.", "shadows", kText, shadowTypes,
         shadow},
        {"shadowHorizontal", "Shadow Horizontal Distance", "Controls shadow applied to objects.", "shadows",
         kText, shadowTypes, shadow},
        {"shadowVertical", "Shadow Vertical Distance", "Controls shadow applied to objects.", "shadows",
         kText, shadowTypes, shadow},
        {"hyperlink",
         "Hyperlink",
         "Adds a link to selected object.  Link is activated when the object is clicked or tapped upon in "
         "published page.",
         "link_icon",
         kText,
         {"Text", "Image"},
         kWeb},
        {"linkLaunchWindow",
         "Link Launch Window",
         "Choose \"self\" to launch in existing window, \"new\" to launch in new window.  If embedded, set "
         "to "
         "\"parent\" to launch in parent window.",
         "link_icon",
         kText,
         {"Text", "Image"},
         kWeb},
        {"imageTooltip",
         "Image Tooltip",
         "Short description that pops up when the image is hovered upon.",
         "photo_icon",
         kText,
         {"Image"},
         kWeb},
        {"scrollLock",
         "Scroll Lock",
         "Object position will be fixed to the screen, scrolling (both horizontal and vertical) will no "
         "longer affect object.",
         "scroll_lock",
         kText,
         {"Text", "Image", "Table", "Slideshow", "Gallery"},
         kFixed},
        {"rotation",
         "Rotation",
         "Controls selected object rotation angle.",
         "rotate",
         kText,
         {"Text", "Image"},
         kMask},
    };
}

} // namespace

const QList<FormatGroup>& FormatCatalogue::groups()
{
    static const QList<FormatGroup> table = makeGroups();
    return table;
}

int FormatCatalogue::indexOf(const QString& id)
{
    const QList<FormatGroup>& all = groups();
    for (int i = 0; i < int(all.size()); ++i) {
        if (all.at(i).id == id)
            return i;
    }
    return -1;
}

QString FormatCatalogue::selectionType(const DRVGraphic* graphic)
{
    if (qobject_cast<const DRVText*>(graphic))
        return QStringLiteral("Text");
    if (qobject_cast<const DRVImage*>(graphic))
        return QStringLiteral("Image");
    if (qobject_cast<const DRVLine*>(graphic))
        return QStringLiteral("Line");
    if (const auto* table = qobject_cast<const DRVTable*>(graphic))
        return table->gridType() == QLatin1String("section") ? QStringLiteral("Section")
                                                             : QStringLiteral("Table");
    if (qobject_cast<const DRVSlideshow*>(graphic))
        return QStringLiteral("Slideshow");
    if (qobject_cast<const DRVGalleryGrid*>(graphic))
        return QStringLiteral("Gallery");
    return QString();
}

QStringList FormatCatalogue::selectionTypes(const QList<DRVGraphic*>& graphics)
{
    QStringList types;
    for (const DRVGraphic* graphic : graphics)
        types.append(selectionType(graphic));
    if (graphics.isEmpty())
        types.append(QStringLiteral("Canvas"));
    return types;
}

bool FormatCatalogue::groupServesType(const FormatGroup& group, const QString& type, const Edition& edition)
{
    if (type.isEmpty() || !group.typeArray.contains(type))
        return false;
    if (!edition.responsive)
        return true;
    // The responsive layout draws no image borders, and the responsive e-mail sections keep their margins.
    static const QStringList imageBorders = {"borderColor", "borderThickness", "borderType"};
    if (type == QLatin1String("Image") && imageBorders.contains(group.id))
        return false;
    if (type == QLatin1String("Section") && group.id == QLatin1String("margin") &&
        edition.displayName == QLatin1String("Brumel Responsive Email Designer"))
        return false;
    return true;
}

QList<bool> FormatCatalogue::usedGroups(const QStringList& types, const Edition& edition)
{
    QList<bool> used;
    for (const FormatGroup& group : groups()) {
        bool shown = false;
        for (const QString& type : types)
            shown = shown || groupServesType(group, type, edition);
        const bool offered =
            group.supportedAppArray.contains(QLatin1String("All")) ||
            (!edition.category.isEmpty() && group.supportedAppArray.contains(edition.category));
        used.append(shown && offered);
    }
    return used;
}

FormatCatalogue::Layout FormatCatalogue::layout(const QList<bool>& used, int headingHeight, int width)
{
    Layout result;
    int y = headingHeight;
    const QList<FormatGroup>& all = groups();
    for (int i = 0; i < int(all.size()); ++i) {
        const int h = all.at(i).iconViewHeight >= 1 ? all.at(i).iconViewHeight : kDefaultTileHeight;
        result.frames.append(QRect(0, y, width, h));
        if (used.value(i))
            y += h;
    }
    result.documentHeight = y + 2 * headingHeight;
    return result;
}
