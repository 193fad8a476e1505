#include "generation/ListBuiltRules.h"

#include "document/DRVDocument.h"
#include "editions/EditionSettings.h"
#include "generation/PageFormat.h"
#include "generation/PagePieces.h"
#include "generation/PropertyReads.h"
#include "generation/TextBoxGenerator.h"
#include "generation/TextEscaping.h"
#include "generation/WebFonts.h"
#include "model/DRVGraphic.h"
#include "model/myTextView.h"
#include "platform/Format.h"
#include "platform/Geometry.h"
#include "platform/Observable.h"
#include "platform/StringRules.h"

#include <algorithm>

using generation::format;

using generation::num;
using generation::real;
using generation::str;

namespace {

constexpr int kNone = -99;

QString d(int value)
{
    return QString::number(value);
}
QString px(int value)
{
    return QString::number(value) + QStringLiteral("px");
}
QString two(double value)
{
    return format(QStringLiteral("%0.2f"), {value});
}
QString colour(const QString& hex)
{
    return format(QStringLiteral("#%@"), {hex});
}

using List = QList<GenerateSourceCodeObject>;

void add(List& list, const char* type, const QString& value, bool important = false)
{
    list.append(GenerateSourceCodeObject{QString::fromLatin1(type), value, important});
}

QString rule(const QString& opening, const List& list)
{
    return format(QStringLiteral("%@%@}"), {opening, ListBuiltRules::combineSourceCodeString(list)});
}

} // namespace

QString ListBuiltRules::combineSourceCodeString(const QList<GenerateSourceCodeObject>& list)
{
    QString out = QStringLiteral("");
    for (const GenerateSourceCodeObject& item : list) {
        const QString& value = item.sourceCodeObjectValue;
        if (value.isEmpty() || value == QStringLiteral("#(null)") || value == QStringLiteral("(null)") ||
            value == QStringLiteral("#"))
            continue;
        out = format(item.importantFlag ? QStringLiteral("%@%@:%@ !important;") : QStringLiteral("%@%@:%@;"),
                     {out, item.sourceCodeObjectType, value});
    }
    return out;
}

std::shared_ptr<CodeWidgetHelper> ListBuiltRules::generateTextViewCodeStatic(DRVDocument& document,
                                                                             QObject* element, int n,
                                                                             bool publishFlag,
                                                                             PagePieces* pieces)
{
    Q_UNUSED(publishFlag);
    Q_UNUSED(pieces);
    auto helper = std::make_shared<CodeWidgetHelper>();
    const EditionSettings& e = edition();

    // 1. Prefix and kind.
    const QString prefix = str(element, "textType") == QStringLiteral("HTMLSnippet")
                               ? QStringLiteral("snippet")
                               : QStringLiteral("text");
    auto* cell = qobject_cast<myTextView*>(element);
    auto* graphic = qobject_cast<DRVGraphic*>(element);
    int left = 0, top = 0, width = 0, height = 0, tableNumber = kNone, rowSpot = kNone, columnSpot = kNone;
    double heightValue = 0, corner = 0, opacity = 1.0;
    if (cell) {
        left = cell->originX();
        top = cell->originY();
        width = cell->width();
        height = cell->height();
        heightValue = height;
        tableNumber = cell->tableNumber();
        rowSpot = cell->rowSpot();
        columnSpot = cell->columnSpot();
        corner = cell->tableCellCornerRadius();
        opacity = cell->alphaValue();
    } else if (graphic) {
        const QRectF b = graphic->bounds();
        left = platform::truncToInt(b.x());
        top = platform::truncToInt(b.y());
        width = platform::truncToInt(b.width());
        height = platform::truncToInt(b.height());
        heightValue = b.height();
        corner = graphic->cornerRadius();
        opacity = graphic->opacity();
    }

    // 2. Stacking order.
    int z = num(element, "manualLayerIndex");
    if (z == 0 && graphic)
        z = document.layerIndexForGraphic(graphic);
    else if (z == 0 && cell)
        z = cell->tag();

    // 3. Stored completions: template name and unit strings.
    const QString templateName =
        TextBoxGenerator::completedTemplateName(str(element, "templateName"), document.mainTemplateName());
    if (element)
        element->setProperty("templateName", templateName);
    TextBoxGenerator::populateTextViewMarginType(element);

    // 4. Values.
    const QString position =
        num(element, "scrollFlag") == 1 ? QStringLiteral("fixed") : QStringLiteral("absolute");
    const TextBoxGenerator::TextFacts facts = TextBoxGenerator::textFacts(element);
    int fontSize = 10;
    int padding = 0;
    if (!facts.isEmpty()) {
        fontSize = facts.fontSize;
        padding = platform::truncToInt(std::min(10.0, heightValue * 0.11));
    }
    const bool shadowOn = num(element, "shadowFlag") == 1;
    const double shadowOpacity = shadowOn ? 1.0 : 0.0;
    const double shadowRadius = shadowOn ? 1.0 : 0.0;
    const int shadowY = shadowOn ? 1 : 0;
    const int indentFlag = num(element, "indentFlag");
    const int textIndent = indentFlag == 1 || indentFlag == 2 ? 40 : 0;

    // 5. Text. Table texts are escaped in every page shape, before any markup is added (a cell of a
    // responsive table is stored as a formatted snippet, but holds text all the same); snippet code
    // passes as it is.
    QString text = facts.raw;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    const bool escaped = prefix == QStringLiteral("text") || cell;
    if (escaped)
        text = TextEscaping::escapeHtmlText(text);
    text.replace(u'\n', indentFlag == 2 ? QStringLiteral("<p class=\"tab\">") : QStringLiteral("<br>"));
    text = platform::componentsSeparatedByNewlineSet(text).join(QStringLiteral("<br>"));
    int linkFlag = 0;
    const QString link = str(element, "link");
    if (num(element, "snippetFormatFlag") == 1 && e.gResponsiveLayoutFlag && !link.isEmpty()) {
        text = format(QStringLiteral("%@\n%@"), {escaped ? TextEscaping::escapeHtmlLine(link) : link, text});
        linkFlag = 1;
    }
    const quint32 lineCount = TextBoxGenerator::calculateNumOfLines(text);

    // 6. Main list.
    const QString background = str(element, "backgroundHexColorString");
    const QString textColor = str(element, "textHexColorString");
    List main;
    add(main, "position", position);
    add(main, "background-color", colour(background));
    add(main, "color", colour(textColor));
    add(main, "left", px(left));
    add(main, "top", px(top));
    add(main, "height", px(height));
    add(main, "width", num(element, "matchScreenFlag") == 1 ? QStringLiteral("100%") : px(width));
    add(main, "z-index", d(z));
    add(main, "snippetFormattingFlag", d(num(element, "snippetFormatFlag")));
    add(main, "font-size", px(fontSize));
    add(main, "font-family", facts.family.isEmpty() ? QString() : WebFonts::fontFamilyValue(facts.family));
    add(main, "padding", px(padding));
    add(main, "border-style", str(element, "borderStyle"));
    add(main, "border-width", px(num(element, "borderWidth")));
    add(main, "border-color", colour(str(element, "borderHexColorString")));
    add(main, "text-align", facts.alignment);
    add(main, "verticalAlignment", d(num(element, "verticalAlignment")));
    add(main, "border-radius", px(platform::truncToInt(corner)));
    add(main, "-moz-border-radius", px(platform::truncToInt(corner)));
    add(main, "fixed", d(num(element, "moveLock")));
    add(main, "shadow-opacity", two(shadowOpacity));
    add(main, "shadow-radius", two(shadowRadius));
    add(main, "textAlpha", two(opacity));
    add(main, "opacity", two(opacity));
    add(main, "filter", format(QStringLiteral("alpha(opacity=%0.2f)"), {opacity * 100.0}));
    add(main, "indent-flag", d(indentFlag));
    add(main, "text-indent", px(textIndent));
    add(main, "shapeFlag", d(num(element, "shapeFlag")));
    add(main, "groupNumber", d(num(element, "groupNumber")));
    add(main, "line-height", QStringLiteral("normal"));
    add(main, "tableNumber", d(tableNumber));
    add(main, "tableRowSpot", d(rowSpot));
    add(main, "tableColumnSpot", d(columnSpot));
    add(main, "templateName", templateName);
    add(main, "manualLayerIndex", d(num(element, "manualLayerIndex")));
    add(main, "linkType", str(element, "linkType"));
    add(main, "shapeBackgroundColor", colour(background));
    add(main, "nlines", QString::number(lineCount));
    add(main, "fixedWidthFlag", d(num(element, "fixedWidthFlag")));
    add(main, "fixedHeightFlag", d(num(element, "fixedHeightFlag")));
    add(main, "widthBuffer", QStringLiteral("0"));
    add(main, "heightBuffer", QStringLiteral("0"));
    add(main, "zoomBubbleFlag", d(num(element, "zoomBubbleFlag")));
    add(main, "bubbleShape", str(element, "bubbleShape"));
    add(main, "xsColumnGrid", d(num(element, "xsGridColumns")));
    add(main, "smallColumnGrid", d(num(element, "smallGridColumns")));
    add(main, "mediumColumnGrid", d(num(element, "mediumGridColumns")));
    add(main, "largeColumnGrid", d(num(element, "largeGridColumns")));
    add(main, "shadowBlurRadius", d(platform::truncToInt(real(element, "shadowRadius"))));
    add(main, "shadowDistanceX", d(platform::truncToInt(real(element, "shadowHorizontalOffset"))));
    add(main, "shadowDistanceY", d(platform::truncToInt(real(element, "shadowVerticalOffset"))));
    add(main, "rotationAngle", d(platform::truncToInt(real(element, "rotationAngle"))));
    add(main, "responsiveResizeFlag", d(num(element, "responsiveResizeFlag")));
    add(main, "responsiveAlignmentFlag", d(num(element, "responsiveAlignment")));
    add(main, "sectionNumber", d(num(element, "sectionNumber")));
    add(main, "sectionRowSpot", d(num(element, "sectionRowSpot")));
    add(main, "sectionColumnSpot", d(num(element, "sectionColumnSpot")));
    add(main, "markAsReplyFlag", d(num(element, "markAsReplyToEmailFlag")));
    add(main, "onClickShow", str(element, "onClickShowString"));
    add(main, "onClickHide", str(element, "onClickHideString"));
    static const char* const spacing[8][2] = {
        {"topMarginStr", "topMargin"},     {"bottomMarginStr", "bottomMargin"},
        {"leftMarginStr", "leftMargin"},   {"rightMarginStr", "rightMargin"},
        {"topPaddingStr", "topPadding"},   {"bottomPaddingStr", "bottomPadding"},
        {"leftPaddingStr", "leftPadding"}, {"rightPaddingStr", "rightPadding"}};
    for (const auto& pair : spacing)
        add(main, pair[0], d(num(element, pair[1])));
    static const char* const units[8][2] = {
        {"topPaddingTypeStr", "topPaddingType"},   {"bottomPaddingTypeStr", "bottomPaddingType"},
        {"leftPaddingTypeStr", "leftPaddingType"}, {"rightPaddingTypeStr", "rightPaddingType"},
        {"topMarginTypeStr", "topMarginType"},     {"bottomMarginTypeStr", "bottomMarginType"},
        {"leftMarginTypeStr", "leftMarginType"},   {"rightMarginTypeStr", "rightMarginType"}};
    for (const auto& pair : units)
        add(main, pair[0], str(element, pair[1]));
    static const char* const levels[8][2] = {{"topPaddingLevelStr", "topPaddingLevelString"},
                                             {"bottomPaddingLevelStr", "bottomPaddingLevelString"},
                                             {"leftPaddingLevelStr", "leftPaddingLevelString"},
                                             {"rightPaddingLevelStr", "rightPaddingLevelString"},
                                             {"topMarginLevelStr", "topMarginLevelString"},
                                             {"bottomMarginLevelStr", "bottomMarginLevelString"},
                                             {"leftMarginLevelStr", "leftMarginLevelString"},
                                             {"rightMarginLevelStr", "rightMarginLevelString"}};
    for (const auto& pair : levels)
        add(main, pair[0], str(element, pair[1]));
    add(main, "containsLinkFlag", d(linkFlag));
    // Tells the reader that this snippet's text is escaped (older pages kept cell texts raw).
    if (escaped && prefix == QStringLiteral("snippet"))
        add(main, "escapedText", QStringLiteral("1"));
    add(main, "hoverColor", colour(str(element, "hoverColorString")));
    add(main, "hoverTextColor", colour(str(element, "hoverTextColorString")));
    const double spacingValue = std::max(0.0, real(element, "lineSpacing"));
    add(main, "line-height", two(spacingValue), true);
    add(main, "line-multiple", two(spacingValue));
    add(main, "box-shadow",
        shadowOpacity == 0.0 ? QStringLiteral("")
                             : format(QStringLiteral("%dpx %dpx %fpx #000000"), {0, shadowY, shadowRadius}));

    const QString mainRule = rule(format(QStringLiteral(".%@%d{"), {prefix, n}), main);

    // 7. Link and hover rules.
    List linkList;
    add(linkList, "text-decoration", QStringLiteral("none"));
    add(linkList, "font-weight", QStringLiteral("normal"));
    add(linkList, "color", colour(textColor));
    List visitedList = linkList;
    add(visitedList, "formType", str(element, "formType"));
    add(visitedList, "formTag", d(num(element, "formTag")));
    add(visitedList, "formOptionTag", d(num(element, "formOptionTag")));
    add(visitedList, "formRequiredFlag", d(num(element, "formRequiredFlag")));
    List hoverList;
    add(hoverList, "background-color", colour(str(element, "hoverColorString")));
    add(hoverList, "color", colour(str(element, "hoverTextColorString")));
    List linkHoverList;
    add(linkHoverList, "text-decoration", QStringLiteral("none"));
    add(linkHoverList, "color", colour(str(element, "hoverTextColorString")));
    add(linkHoverList, "font-weight", QStringLiteral("normal"));

    // 8. Result.
    helper->headerString =
        format(QStringLiteral("%@%@%@%@%@\n\n"),
               {mainRule, rule(format(QStringLiteral(".%@%d a:link {"), {prefix, n}), linkList),
                rule(format(QStringLiteral(".%@%d a:visited {"), {prefix, n}), visitedList),
                rule(format(QStringLiteral(".%@%d:hover{"), {prefix, n}), hoverList),
                rule(format(QStringLiteral(".%@%d a:hover {"), {prefix, n}), linkHoverList)});
    helper->bodyString = format(QStringLiteral("<div class=%@%d>\n%@\n</div>\n"), {prefix, n, text});
    return helper;
}
