#include "document/TextBoxRebuild.h"

#include "document/StyleRuleTokens.h"
#include "editions/DataCentre.h"
#include "generation/WebFonts.h"
#include "model/myTextView.h"

#include <QFont>
#include <QHash>
#include <QSet>
#include <array>

namespace {

const QString kDefaultFamily = QStringLiteral("Helvetica Neue");

bool isDrawnBorderStyle(const QString& style)
{
    return style == QLatin1String("solid") || style == QLatin1String("dotted") ||
           style == QLatin1String("dashed");
}

QFont fontWithFamily(const QString& family, int size)
{
    QFont font(family);
    if (size > 0)
        font.setPointSize(size);
    return font;
}

} // namespace

myTextView* TextBoxRebuild::generateATextView(const StyleRuleTokens& rule, const QString& pageName,
                                              bool usingBootStrap, QStringList* notSupportedFonts,
                                              QObject* parent)
{
    const QString position =
        rule.parseForItemTypeString(QStringLiteral("position"), QStringLiteral("absolute"));
    const int left = rule.parseForItemTypeInt(QStringLiteral("left"), 0);
    const int top = rule.parseForItemTypeInt(QStringLiteral("top"), 0);
    const int zIndex = rule.parseForItemTypeInt(QStringLiteral("z-index"), 0);

    int padding = rule.parseForItemTypeInt(QStringLiteral("padding"), 0);
    int borderWidth = rule.parseForItemTypeInt(QStringLiteral("border-width"), 0);
    const int indentFlag = rule.parseForItemTypeInt(QStringLiteral("indentFlag"), 0);
    const float textAlpha = rule.parseForItemTypeFloat(QStringLiteral("textAlpha"), 1.0f);
    // "fixed" is the move lock; "position:fixed" is the scroll setting and never read here.
    const int moveLock = rule.parseForItemTypeTruncated(QStringLiteral("fixed"), 0) & 0xff;
    const float shadowRadius = rule.parseForItemTypeFloat(QStringLiteral("shadowRadius"), 0.0f);
    const QString borderColor =
        rule.parseForItemTypeString(QStringLiteral("border-color"), QStringLiteral("000000"));
    const int borderRadius = rule.parseForItemTypeTruncated(QStringLiteral("border-radius"), 0);
    QString formType;
    if (rule.hasKey(QStringLiteral("formType")))
        formType = rule.parseForItemTypeString(QStringLiteral("formType"), QStringLiteral(""));
    const QString templateName =
        rule.parseForItemTypeString(QStringLiteral("templateName"), QStringLiteral(""));

    QString borderStyle = rule.parseForItemTypeString(QStringLiteral("border-style"), QStringLiteral("none"));
    if (!isDrawnBorderStyle(borderStyle))
        borderWidth = 0;
    if (borderStyle == QLatin1String("Solid")) {
        borderStyle = QStringLiteral("none");
        padding = 0;
    }

    const int grow = usingBootStrap ? 0 : 2 * (padding + borderWidth);
    int width = 0;
    int matchScreen = 0;
    const std::optional<QString> widthValue = rule.valueForKey(QStringLiteral("width"));
    if (widthValue && *widthValue == QLatin1String("100%")) {
        width = 9999;
        matchScreen = 1;
    } else if (widthValue) {
        width = rule.parseForItemTypeInt(QStringLiteral("width"), 0) + grow;
    }
    int height = 0;
    if (rule.valueForKey(QStringLiteral("height")))
        height = rule.parseForItemTypeInt(QStringLiteral("height"), 0) + grow;
    const int carrierWidth = width - rule.parseForItemTypeInt(QStringLiteral("widthBuffer"), 0);
    const int carrierHeight = height - rule.parseForItemTypeInt(QStringLiteral("heightBuffer"), 0);

    const int fontSize = rule.parseForItemTypeInt(QStringLiteral("font-size"), 0);
    // The first family of the rule's list: the ones after it are the browser's fallbacks.
    QString family =
        WebFonts::firstFamily(rule.parseForItemTypeString(QStringLiteral("font-family"), kDefaultFamily));
    QFont font = fontWithFamily(kDefaultFamily, fontSize);
    if (DataCentre::isFontFamilyPresent(family)) {
        font = fontWithFamily(family, fontSize);
    } else {
        if (notSupportedFonts && !notSupportedFonts->contains(family))
            notSupportedFonts->append(family);
        family = kDefaultFamily;
    }
    const QString color = rule.parseForItemTypeString(QStringLiteral("color"), QStringLiteral("000000"));

    auto* view = new myTextView(QRectF(left, top, carrierWidth, carrierHeight), parent);
    view->setIndentFlag(indentFlag);
    view->setBorderHexColorString(borderColor);
    view->setShapeFlag(rule.parseForItemTypeInt(QStringLiteral("shapeFlag"), 0));
    view->setTableNumber(rule.parseForItemTypeTruncated(QStringLiteral("tableNumber"), -99));
    view->setRowSpot(rule.parseForItemTypeTruncated(QStringLiteral("tableRowSpot"), -99));
    view->setColumnSpot(rule.parseForItemTypeTruncated(QStringLiteral("tableColumnSpot"), -99));
    view->setFormType(formType);
    view->setFormOptionTag(rule.parseForItemTypeInt(QStringLiteral("formOptionTag"), -1));
    view->setFormRequiredFlag(rule.parseForItemTypeInt(QStringLiteral("formRequiredFlag"), 0));
    view->setGroupNumber(rule.parseForItemTypeTruncated(QStringLiteral("groupNumber"), -99));
    view->setTemplateName(templateName);

    view->setLinkType(rule.parseForItemTypeString(QStringLiteral("linkType"), QStringLiteral("text")));
    view->setHoverColorString(rule.parseForItemTypeString(QStringLiteral("hoverColor"), QStringLiteral("")));
    view->setHoverTextColorString(
        rule.parseForItemTypeString(QStringLiteral("hoverTextColor"), QStringLiteral("")));
    view->setFontSize(fontSize);
    view->setOnClickHideString(
        rule.parseForItemTypeString(QStringLiteral("onClickHide"), QStringLiteral("")));
    view->setOnClickShowString(
        rule.parseForItemTypeString(QStringLiteral("onClickShow"), QStringLiteral("")));
    view->setManualLayerIndex(rule.parseForItemTypeInt(QStringLiteral("manualLayerIndex"), 0));
    view->setFormTag(rule.parseForItemTypeInt(QStringLiteral("formTag"), -99));
    view->setNlines(rule.parseForItemTypeInt(QStringLiteral("nlines"), -99));
    view->setFixedWidthFlag(rule.parseForItemTypeInt(QStringLiteral("fixedWidthFlag"), 0));
    view->setFixedHeightFlag(rule.parseForItemTypeInt(QStringLiteral("fixedHeightFlag"), 0));
    view->setZoomBubbleFlag(rule.parseForItemTypeInt(QStringLiteral("zoomBubbleFlag"), 0));
    view->setXsGridColumns(rule.parseForItemTypeInt(QStringLiteral("xsColumnGrid"), 0));
    view->setSmallGridColumns(rule.parseForItemTypeInt(QStringLiteral("smallColumnGrid"), 0));
    view->setMediumGridColumns(rule.parseForItemTypeInt(QStringLiteral("mediumColumnGrid"), 0));
    view->setLargeGridColumns(rule.parseForItemTypeInt(QStringLiteral("largeColumnGrid"), 0));
    view->setBubbleShape(rule.parseForItemTypeString(QStringLiteral("bubbleShape"), QStringLiteral("")));
    view->setLineSpacing(rule.parseForItemTypeFloat(QStringLiteral("lineSpacingMultiple"), -0.1f));
    view->setShadowRadius(rule.parseForItemTypeFloat(QStringLiteral("shadowBlurRadius"), 0.0f));
    view->setShadowHorizontalOffset(rule.parseForItemTypeFloat(QStringLiteral("shadowDistanceX"), 0.0f));
    view->setShadowVerticalOffset(rule.parseForItemTypeFloat(QStringLiteral("shadowDistanceY"), 0.0f));
    view->setRotationAngle(rule.parseForItemTypeFloat(QStringLiteral("rotationAngle"), 0.0f));
    view->setResponsiveResizeFlag(rule.parseForItemTypeInt(QStringLiteral("responsiveResizeFlag"), 0));
    view->setResponsiveAlignment(rule.parseForItemTypeInt(QStringLiteral("responsiveAlignmentFlag"), 0));
    view->setSectionNumber(rule.parseForItemTypeInt(QStringLiteral("sectionNumber"), -99));
    view->setSectionRowSpot(rule.parseForItemTypeInt(QStringLiteral("sectionRowSpot"), -99));
    view->setSectionColumnSpot(rule.parseForItemTypeInt(QStringLiteral("sectionColumnSpot"), -99));
    view->setTopPadding(rule.parseForItemTypeInt(QStringLiteral("topPaddingStr"), 0));
    view->setBottomPadding(rule.parseForItemTypeInt(QStringLiteral("bottomPaddingStr"), 0));
    view->setLeftPadding(rule.parseForItemTypeInt(QStringLiteral("leftPaddingStr"), 0));
    view->setRightPadding(rule.parseForItemTypeInt(QStringLiteral("rightPaddingStr"), 0));
    view->setTopMargin(rule.parseForItemTypeInt(QStringLiteral("topMarginStr"), 0));
    view->setBottomMargin(rule.parseForItemTypeInt(QStringLiteral("bottomMarginStr"), 0));
    view->setLeftMargin(rule.parseForItemTypeInt(QStringLiteral("leftMarginStr"), 0));
    view->setRightMargin(rule.parseForItemTypeInt(QStringLiteral("rightMarginStr"), 0));
    const QString pixel = QStringLiteral("pixel");
    view->setTopPaddingType(rule.parseForItemTypeString(QStringLiteral("topPaddingTypeStr"), pixel));
    view->setBottomPaddingType(rule.parseForItemTypeString(QStringLiteral("bottomPaddingTypeStr"), pixel));
    view->setLeftPaddingType(rule.parseForItemTypeString(QStringLiteral("leftPaddingTypeStr"), pixel));
    view->setRightPaddingType(rule.parseForItemTypeString(QStringLiteral("rightPaddingTypeStr"), pixel));
    view->setTopMarginType(rule.parseForItemTypeString(QStringLiteral("topMarginTypeStr"), pixel));
    view->setBottomMarginType(rule.parseForItemTypeString(QStringLiteral("bottomMarginTypeStr"), pixel));
    view->setLeftMarginType(rule.parseForItemTypeString(QStringLiteral("leftMarginTypeStr"), pixel));
    view->setRightMarginType(rule.parseForItemTypeString(QStringLiteral("rightMarginTypeStr"), pixel));
    const QString none = QStringLiteral("None");
    view->setTopPaddingLevelString(rule.parseForItemTypeString(QStringLiteral("topPaddingLevelStr"), none));
    view->setBottomPaddingLevelString(
        rule.parseForItemTypeString(QStringLiteral("bottomPaddingLevelStr"), none));
    view->setLeftPaddingLevelString(rule.parseForItemTypeString(QStringLiteral("leftPaddingLevelStr"), none));
    view->setRightPaddingLevelString(
        rule.parseForItemTypeString(QStringLiteral("rightPaddingLevelStr"), none));
    view->setTopMarginLevelString(rule.parseForItemTypeString(QStringLiteral("topMarginLevelStr"), none));
    view->setBottomMarginLevelString(
        rule.parseForItemTypeString(QStringLiteral("bottomMarginLevelStr"), none));
    view->setLeftMarginLevelString(rule.parseForItemTypeString(QStringLiteral("leftMarginLevelStr"), none));
    view->setRightMarginLevelString(rule.parseForItemTypeString(QStringLiteral("rightMarginLevelStr"), none));
    view->setVerticalAlignment(rule.parseForItemTypeInt(QStringLiteral("verticalAlignment"), 0));

    view->setMatchScreenFlag(matchScreen);
    view->setWidth(width);
    view->setHeight(height);
    view->setOriginX(left);
    view->setOriginY(top);
    view->setBorderWidth(borderWidth);

    view->setBackgroundColor(Qt::transparent);
    view->setAlphaValue(textAlpha);
    if (shadowRadius > 0)
        view->setShadowFlag(1);
    view->setScrollFlag(position == QLatin1String("absolute") ? 0 : 1);

    std::optional<QString> background = rule.valueForKey(QStringLiteral("shapeBackgroundColor"));
    if (!background)
        background = rule.valueForKey(QStringLiteral("background-color"));
    if (background) {
        const bool clear = background->isEmpty() || *background == QLatin1String("CLEAR0");
        view->textView()->setBackgroundColor(clear ? QColor(Qt::transparent)
                                                   : DataCentre::colorWithHexString(*background));
        view->setColorString(*background);
        view->setBackgroundHexColorString(*background);
    } else {
        view->textView()->setBackgroundColor(Qt::transparent);
        view->setColorString(QStringLiteral("CLEAR0"));
        view->setBackgroundHexColorString(QStringLiteral("CLEAR0"));
    }

    if (const std::optional<QString> align = rule.valueForKey(QStringLiteral("text-align"))) {
        const int alignment = *align == QLatin1String("left")     ? int(Qt::AlignLeft)
                              : *align == QLatin1String("center") ? int(Qt::AlignHCenter)
                                                                  : int(Qt::AlignRight);
        view->textView()->setAlignment(alignment);
        view->setTextAlignment(*align);
    }

    view->textView()->setFont(font);
    view->textView()->setTextColor(DataCentre::colorWithHexString(color));
    view->setFamilyName(family);
    view->setTextColorString(color);
    view->setTextHexColorString(color);
    view->setTextType(QStringLiteral("Text"));
    view->setTag(zIndex);
    view->textView()->setBorderLine(borderStyle);
    view->textView()->setBorderWidth(borderWidth);
    view->setBorderStyle(borderStyle);
    view->setBorderColor(DataCentre::colorWithHexString(color));
    view->setCornerRadius(float(borderRadius));
    view->setMoveLock(moveLock);

    if (templateName == QLatin1String("basetemplate") && pageName != QLatin1String("basetemplate"))
        view->setMoveLock(1);
    return view;
}

void TextBoxRebuild::grabTextContent(QStringList& lines, const QList<myTextView*>& carriers,
                                     const QList<int>& numbers, const QString& prefix)
{
    if (lines.isEmpty())
        return;
    QList<bool> consumed(lines.size(), false);
    QList<bool> isMarker(lines.size(), false);
    // The marker lines by marker, in page order, found in one pass: a page of many snippets would
    // otherwise be searched whole for each of them.
    const QString opening = QStringLiteral("<div class=") + prefix;
    const bool markersIndexed = !prefix.contains(u'>');
    QHash<QString, QList<qsizetype>> markerLines;
    if (markersIndexed) {
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (!lines[i].startsWith(opening))
                continue;
            const qsizetype end = lines[i].indexOf(u'>', opening.size());
            if (end >= 0)
                markerLines[lines[i].left(end + 1)].append(i);
        }
    }
    for (qsizetype k = 0; k < carriers.size(); ++k) {
        myTextView* carrier = carriers[k];
        if (!carrier)
            continue;
        const int number = k < numbers.size() ? numbers[k] : int(k);
        const QString marker = QStringLiteral("<div class=%1%2>").arg(prefix).arg(number);
        qsizetype i = lines.size();
        if (markersIndexed) {
            for (qsizetype candidate : markerLines.value(marker)) {
                if (!consumed[candidate]) {
                    i = candidate;
                    break;
                }
            }
        } else {
            i = 0;
            while (i < lines.size() && (consumed[i] || !lines[i].startsWith(marker)))
                ++i;
        }
        if (i >= lines.size())
            continue;
        consumed[i] = true; // a marker is found once
        isMarker[i] = true;
        const int n = carrier->nlines();
        for (int j = 0; j < n && i + 1 + j < lines.size(); ++j) {
            const qsizetype at = i + 1 + j;
            if (consumed[at])
                break;
            const QString line = lines[at];
            consumed[at] = true;
            lines[at] = QString();
            if (j == 0 && carrier->containsLinkFlag() == 1) {
                carrier->setLink(line);
                continue;
            }
            QString text = carrier->textView()->string() + line;
            if (carrier->snippetFormatFlag() == 1)
                text.replace(QLatin1String("<br>"), QLatin1String("\n"));
            if (j < n - 1)
                text += u'\n';
            carrier->textView()->setString(text);
        }
    }
    // Markers stay so that later searches of the body see the page's structure.
    QStringList kept;
    kept.reserve(lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!consumed[i] || isMarker[i])
            kept.append(lines[i]);
    }
    lines = kept;
}
