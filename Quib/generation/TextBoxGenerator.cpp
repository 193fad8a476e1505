#include "generation/TextBoxGenerator.h"

#include "document/DRVDocument.h"
#include "editions/CustomFont.h"
#include "editions/EditionSettings.h"
#include "generation/CellTextGenerator.h"
#include "generation/PageFormat.h"
#include "generation/PagePieces.h"
#include "generation/PropertyReads.h"
#include "generation/TextEscaping.h"
#include "generation/WebFonts.h"
#include "model/DRVGraphic.h"
#include "model/DRVText.h"
#include "model/myTextView.h"
#include "platform/Format.h"
#include "platform/Geometry.h"
#include "platform/Observable.h"
#include "platform/StringRules.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <cmath>

using generation::appendFormat;
using generation::format;

using generation::num;
using generation::real;
using generation::str;

namespace {

const QString kClear = QStringLiteral("CLEAR0");
const QString kBlack = QStringLiteral("000000");
const QString kDefaultFamily = QStringLiteral("Helvetica Neue");
constexpr int kNone = -99;

const char* const kUnitKeys[8] = {"topPaddingType",   "bottomPaddingType", "leftPaddingType",
                                  "rightPaddingType", "topMarginType",     "bottomMarginType",
                                  "leftMarginType",   "rightMarginType"};
const char* const kSpacingKeys[8] = {"topPadding", "bottomPadding", "leftPadding", "rightPadding",
                                     "topMargin",  "bottomMargin",  "leftMargin",  "rightMargin"};

QString alignmentName(Qt::Alignment alignment)
{
    const Qt::Alignment horizontal = alignment & Qt::AlignHorizontal_Mask & ~Qt::AlignAbsolute;
    if (horizontal == Qt::AlignRight)
        return QStringLiteral("right");
    if (horizontal == Qt::AlignHCenter)
        return QStringLiteral("center");
    if (horizontal == Qt::AlignJustify)
        return QStringLiteral("justify");
    return QStringLiteral("left");
}

// A form field's value attribute: the raw label text, escaped for a quoted attribute.
QString fieldValue(const QString& raw)
{
    return TextEscaping::escapeHtmlAttribute(raw);
}

// Text for the mail body: the converted (HTML-escaped) text with the quotes as entities too.
QString messageText(const QString& converted)
{
    QString text = converted;
    text.replace(u'\'', QStringLiteral("&#39;"));
    text.replace(u'"', QStringLiteral("&#34;"));
    return text;
}

bool isFieldKind(const QString& formType)
{
    static const QStringList kinds{QStringLiteral("text"),   QStringLiteral("password"),
                                   QStringLiteral("radio"),  QStringLiteral("checkbox"),
                                   QStringLiteral("submit"), QStringLiteral("textarea")};
    return kinds.contains(formType);
}

} // namespace

TextBoxGenerator::TextBoxGenerator(DRVDocument& document, PagePieces& pieces)
    : m_document(document), m_pieces(pieces)
{
}

// ---- shared helpers ----

QObject* TextBoxGenerator::populateTextViewMarginType(QObject* element)
{
    if (!element)
        return element;
    for (const char* key : kUnitKeys) {
        const QString value = element->property(key).toString();
        if (value.isEmpty() || value == QStringLiteral("(null)"))
            element->setProperty(key, QStringLiteral("%"));
    }
    return element;
}

QString TextBoxGenerator::marginTypeOrDefault(const QString& type)
{
    return type.isEmpty() || type == QStringLiteral("(null)") ? QStringLiteral("%") : type;
}

quint32 TextBoxGenerator::calculateNumOfLines(const QString& string)
{
    return quint32(platform::linesByLineRange(string).size());
}

QString TextBoxGenerator::convertedBodyText(const QString& raw)
{
    // A CR LF pair is one line break, not two.
    QString text = TextEscaping::escapeHtmlText(raw);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return platform::componentsSeparatedByNewlineSet(text).join(QStringLiteral("<br>"));
}

QString TextBoxGenerator::rotationDeclaration(double degrees)
{
    // Both turn clockwise about the box's centre (the canvas's y axis points down, as the page's).
    if (degrees == 0.0 || !std::isfinite(degrees))
        return QStringLiteral("");
    return format(QStringLiteral("transform:rotate(%fdeg);"), {degrees});
}

QString TextBoxGenerator::completedTemplateName(const QString& templateName, const QString& mainTemplateName)
{
    const QString name = platform::stringByDeletingPathExtension(templateName);
    if (name.isEmpty() || name == QStringLiteral("(null)"))
        return mainTemplateName;
    return name;
}

TextBoxGenerator::TextFacts TextBoxGenerator::textFacts(QObject* element)
{
    TextFacts facts;
    if (!element)
        return facts;
    if (auto* text = qobject_cast<DRVText*>(element)) {
        QTextDocument* storage = text->contents();
        facts.raw = storage->toPlainText();
        const QTextCursor first(storage);
        const QFont font = first.charFormat().font();
        facts.family = font.families().isEmpty() ? font.family() : font.families().constFirst();
        facts.fontSize =
            font.pixelSize() > 0 ? font.pixelSize() : platform::truncToInt(std::max(0.0, font.pointSizeF()));
        if (!facts.raw.isEmpty())
            facts.alignment = alignmentName(first.blockFormat().alignment());
        return facts;
    }
    if (auto* cell = qobject_cast<myTextView*>(element)) {
        facts.raw = cell->textStorage() ? cell->textStorage()->toPlainText() : cell->textView()->string();
        if (facts.raw.isEmpty()) {
            const QFont font = cell->textView()->font();
            facts.family = font.families().isEmpty() ? font.family() : font.families().constFirst();
            facts.fontSize =
                font.pixelSize() > 0 ? font.pixelSize() : platform::truncToInt(font.pointSizeF());
        } else {
            facts.family = cell->familyName();
            facts.fontSize = cell->fontSize();
            const QString alignment = cell->textAlignment();
            if (alignment == QStringLiteral("right") || alignment == QStringLiteral("center") ||
                alignment == QStringLiteral("justify"))
                facts.alignment = alignment;
        }
    }
    return facts;
}

TextBoxGenerator::ElementValues TextBoxGenerator::elementValues(const QObject* element, bool isBox)
{
    ElementValues v;
    v.formType = str(element, "formType");
    v.formTag = num(element, "formTag");
    v.formOptionTag = num(element, "formOptionTag");
    v.formRequiredFlag = num(element, "formRequiredFlag");
    v.borderColor = str(element, "borderHexColorString");
    v.textColor = str(element, "textHexColorString");
    v.fontFamily = str(element, "fontFamily");
    v.fontSize = num(element, "fontSize");
    v.manualLayerIndex = num(element, "manualLayerIndex");
    v.link = str(element, "link");
    v.linkOption = str(element, "linkOption");
    v.scrollFlag = num(element, "scrollFlag");
    v.templateName = str(element, "templateName");
    v.shadowFlag = num(element, "shadowFlag");
    v.indentFlag = num(element, "indentFlag");
    v.linkType = str(element, "linkType");
    v.background = str(element, "backgroundHexColorString");
    v.rotationAngle = real(element, "rotationAngle");
    v.matchScreenFlag = num(element, "matchScreenFlag");
    v.lineSpacing = real(element, "lineSpacing");
    v.hover = str(element, "hoverColorString");
    v.hoverText = str(element, "hoverTextColorString");
    if (isBox) {
        v.opacity = real(element, "opacity");
        v.borderStyle = str(element, "borderStyle");
        v.cornerRadius = real(element, "cornerRadius");
    } else {
        v.tag = num(element, "tag");
        v.opacity = real(element, "alphaValue");
        v.cornerRadius = real(element, "tableCellCornerRadius");
        v.tableNumber = num(element, "tableNumber");
        v.rowSpot = num(element, "rowSpot");
        v.columnSpot = num(element, "columnSpot");
    }
    for (int i = 0; i < 8; ++i) {
        v.unitTypes[i] = str(element, kUnitKeys[i]);
        v.spacing[i] = num(element, kSpacingKeys[i]);
    }
    v.borderWidth = num(element, "borderWidth");
    v.moveLock = num(element, "moveLock");
    v.shapeFlag = num(element, "shapeFlag");
    v.groupNumber = num(element, "groupNumber");
    v.fixedWidthFlag = num(element, "fixedWidthFlag");
    v.fixedHeightFlag = num(element, "fixedHeightFlag");
    v.zoomBubbleFlag = num(element, "zoomBubbleFlag");
    v.bubbleShape = str(element, "bubbleShape");
    v.xsGridColumns = num(element, "xsGridColumns");
    v.smallGridColumns = num(element, "smallGridColumns");
    v.mediumGridColumns = num(element, "mediumGridColumns");
    v.largeGridColumns = num(element, "largeGridColumns");
    v.shadowRadius = real(element, "shadowRadius");
    v.shadowHorizontalOffset = real(element, "shadowHorizontalOffset");
    v.shadowVerticalOffset = real(element, "shadowVerticalOffset");
    v.responsiveResizeFlag = num(element, "responsiveResizeFlag");
    v.responsiveAlignment = num(element, "responsiveAlignment");
    v.sectionNumber = num(element, "sectionNumber");
    v.sectionRowSpot = num(element, "sectionRowSpot");
    v.sectionColumnSpot = num(element, "sectionColumnSpot");
    v.markAsReplyFlag = num(element, "markAsReplyToEmailFlag");
    v.onClickShow = str(element, "onClickShowString");
    v.onClickHide = str(element, "onClickHideString");
    v.verticalAlignment = num(element, "verticalAlignment");
    return v;
}

TextBoxGenerator::ElementValues TextBoxGenerator::elementValues(const DRVText& box)
{
    ElementValues v;
    v.formType = box.formType();
    v.formTag = box.formTag();
    v.formOptionTag = box.formOptionTag();
    v.formRequiredFlag = box.formRequiredFlag();
    v.borderColor = box.borderHexColorString();
    v.textColor = box.textHexColorString();
    v.fontFamily = box.fontFamily();
    v.fontSize = box.fontSize();
    v.manualLayerIndex = box.manualLayerIndex();
    v.link = box.link();
    v.linkOption = box.linkOption();
    v.scrollFlag = box.scrollFlag();
    v.templateName = box.templateName();
    v.shadowFlag = box.shadowFlag();
    v.indentFlag = box.indentFlag();
    v.linkType = box.linkType();
    v.background = box.backgroundHexColorString();
    v.rotationAngle = box.rotationAngle();
    v.matchScreenFlag = box.matchScreenFlag() ? 1 : 0;
    v.lineSpacing = box.lineSpacing();
    v.hover = box.hoverColorString();
    v.hoverText = box.hoverTextColorString();
    v.opacity = box.opacity();
    v.borderStyle = box.borderStyle();
    v.cornerRadius = box.cornerRadius();
    const QString units[8] = {box.topPaddingType(),   box.bottomPaddingType(), box.leftPaddingType(),
                              box.rightPaddingType(), box.topMarginType(),     box.bottomMarginType(),
                              box.leftMarginType(),   box.rightMarginType()};
    const int spacing[8] = {box.topPadding(), box.bottomPadding(), box.leftPadding(), box.rightPadding(),
                            box.topMargin(),  box.bottomMargin(),  box.leftMargin(),  box.rightMargin()};
    std::copy(std::begin(units), std::end(units), std::begin(v.unitTypes));
    std::copy(std::begin(spacing), std::end(spacing), std::begin(v.spacing));
    v.borderWidth = box.borderWidth();
    v.moveLock = box.moveLock();
    v.shapeFlag = box.shapeFlag();
    v.groupNumber = box.groupNumber();
    v.fixedWidthFlag = box.fixedWidthFlag();
    v.fixedHeightFlag = box.fixedHeightFlag();
    v.zoomBubbleFlag = box.zoomBubbleFlag();
    v.bubbleShape = box.bubbleShape();
    v.xsGridColumns = box.xsGridColumns();
    v.smallGridColumns = box.smallGridColumns();
    v.mediumGridColumns = box.mediumGridColumns();
    v.largeGridColumns = box.largeGridColumns();
    v.shadowRadius = box.shadowRadius();
    v.shadowHorizontalOffset = box.shadowHorizontalOffset();
    v.shadowVerticalOffset = box.shadowVerticalOffset();
    v.responsiveResizeFlag = box.responsiveResizeFlag();
    v.responsiveAlignment = box.responsiveAlignment();
    v.sectionNumber = box.sectionNumber();
    v.sectionRowSpot = box.sectionRowSpot();
    v.sectionColumnSpot = box.sectionColumnSpot();
    v.markAsReplyFlag = box.markAsReplyToEmailFlag();
    v.onClickShow = box.onClickShowString();
    v.onClickHide = box.onClickHideString();
    v.verticalAlignment = box.verticalAlignment();
    return v;
}

// ---- the pass ----

void TextBoxGenerator::generate()
{
    DRVDocument& doc = m_document;
    FormHandlerPieces& form = m_pieces.formHandler;
    const QList<QObject*> entries = doc.textViewArray();

    for (int n = 0; n < int(entries.size()); ++n) {
        QObject* entry = entries[n];
        auto* graphic = qobject_cast<DRVGraphic*>(entry);
        auto* cell = graphic ? nullptr : qobject_cast<myTextView*>(entry);
        const bool isBox = graphic != nullptr;
        auto* textBox = qobject_cast<DRVText*>(entry);
        const ElementValues v = textBox ? elementValues(*textBox) : elementValues(entry, isBox);

        // Form keys. A box that is no form field is stored as such.
        const QString& formType = v.formType;
        int formTag = kNone, formOptionTag = kNone, formRequiredFlag = 0;
        if (formType.isEmpty()) {
            if (graphic)
                graphic->setFormTag(kNone);
        } else {
            formTag = v.formTag;
            formOptionTag = v.formOptionTag;
            formRequiredFlag = v.formRequiredFlag;
        }
        const bool isField = isBox && isFieldKind(formType);

        // Geometry.
        int left = 0, top = 0, width = 0, height = 0;
        double heightValue = 0;
        if (graphic) {
            const QRectF b = graphic->bounds();
            left = platform::truncToInt(b.x());
            top = platform::truncToInt(b.y());
            width = platform::truncToInt(b.width());
            height = platform::truncToInt(b.height());
            heightValue = b.height();
        } else if (cell) {
            left = cell->originX();
            top = cell->originY();
            width = cell->width();
            height = cell->height();
            heightValue = height;
        }

        // Colours: a clear border or text colour is written black; the element keeps its own.
        QString borderColor = TextEscaping::cssColourValue(v.borderColor);
        if (borderColor == kClear)
            borderColor = kBlack;
        QString textColor = TextEscaping::cssColourValue(v.textColor);
        if (textColor == kClear)
            textColor = kBlack;

        // Text size and family.
        const TextFacts facts = textFacts(entry);
        int fontSize = facts.fontSize;
        QString family = facts.family;
        int padding = 0;
        if (!facts.isEmpty()) {
            padding = platform::truncToInt(std::min(10.0, heightValue * 0.11));
        } else if (!isBox) {
            // An empty table cell keeps its table's colour: the table takes its text colour back
            // from its first cell when the page is read.
        } else if (formType.isEmpty()) {
            textColor = kBlack;
            family = kDefaultFamily;
            fontSize = 10;
        } else {
            family = v.fontFamily;
            fontSize = v.fontSize;
        }
        CustomFont::markUsed(family);

        // Stacking order.
        int zIndex = v.manualLayerIndex;
        if (zIndex == 0)
            zIndex = graphic ? doc.layerIndexForGraphic(graphic) : v.tag;

        // Link and target.
        const QString href = graphic ? DRVDocument::verifyLink(graphic->link()) : v.link;
        QString target = v.linkOption;
        if (target.isEmpty()) {
            target = QStringLiteral("_self");
            if (graphic)
                graphic->setLinkOption(target);
        }
        const QString position = v.scrollFlag == 1 ? QStringLiteral("fixed") : QStringLiteral("absolute");
        const QString templateName =
            TextEscaping::cssRuleValue(completedTemplateName(v.templateName, doc.mainTemplateName()));
        const quint32 lineCount = calculateNumOfLines(facts.raw);
        const bool shadowOn = v.shadowFlag == 1;

        // Body text, escaped the same way in every page shape.
        QString converted = convertedBodyText(facts.raw);
        const int indentFlag = v.indentFlag;
        const int textIndent = DRVText::pageTextIndent(indentFlag);
        if (formType == QStringLiteral("textLabel") && formOptionTag == -22)
            converted = QStringLiteral("<?php echo $questionString; ?>");

        // Element HTML.
        QString element;
        if (!isField) {
            const bool linked = !href.isEmpty() && href != QStringLiteral("http://");
            const QString quotedHref = TextEscaping::quotedAttribute(href);
            const QString quotedTarget = TextEscaping::quotedAttribute(target);
            if (linked && v.linkType == QStringLiteral("shape"))
                element = format(QStringLiteral("<a href=%@ target=%@><div class=text%d>%@</div></a>\n"),
                                 {quotedHref, quotedTarget, n, converted});
            else if (linked)
                element = format(QStringLiteral("<div class=text%d><a href=%@ target=%@>%@</a></div>\n"),
                                 {n, quotedHref, quotedTarget, converted});
            else
                element = format(QStringLiteral("<div class=text%d>%@</div>\n"), {n, converted});
        } else {
            // The value of an option is the text of its label.
            QString optionRaw = facts.raw;
            for (QObject* other : entries) {
                if (str(other, "formType") == QStringLiteral("textLabel") &&
                    num(other, "formTag") == formTag && num(other, "formOptionTag") == formOptionTag) {
                    optionRaw = textFacts(other).raw;
                }
            }
            if (formType == QStringLiteral("text"))
                element =
                    format(formRequiredFlag == 1
                               ? QStringLiteral("<input class=text%d type=\"%@\" name=form%d required>\n")
                               : QStringLiteral("<input class=text%d type=\"%@\" name=form%d>\n"),
                           {n, formType, formTag});
            else if (formType == QStringLiteral("password"))
                element = format(QStringLiteral("<input class=text%d type=\"%@\" name=form%d>\n"),
                                 {n, formType, formTag});
            else if (formType == QStringLiteral("radio"))
                element =
                    format(QStringLiteral("<input class=text%d type=\"%@\" value=\"%@\" name=form%d>\n\n"),
                           {n, formType, fieldValue(optionRaw), formTag});
            else if (formType == QStringLiteral("checkbox"))
                element = format(
                    QStringLiteral("<input class=text%d type=\"%@\" value=\"%@\" name=\"%@\">\n"),
                    {n, formType, fieldValue(optionRaw), format(QStringLiteral("form%d[]"), {formTag})});
            else if (formType == QStringLiteral("submit")) {
                element =
                    format(QStringLiteral("<input class=text%d type=\"%@\" value=\"%@\" name=form%d>\n"),
                           {n, formType, fieldValue(facts.raw), formTag});
                doc.setFormSubmitButtonValue(facts.raw);
            } else {
                element = format(
                    formRequiredFlag == 1
                        ? QStringLiteral(
                              "<textarea class=text%d cols=%d rows=%d name=form%d required></textarea>\n")
                        : QStringLiteral("<textarea class=text%d cols=%d rows=%d name=form%d></textarea>\n"),
                    {n, width / 10, height / 10, formTag});
            }
        }
        m_pieces.bodyTexts += element;

        // Form handler contributions.
        if (isBox) {
            FormSortHelper record;
            record.formType = formType;
            record.formTag = formTag;
            record.elementHtml = element;
            record.formXPosition = left;
            record.formYPosition = top;
            bool keep = false;
            const QString valueLine = format(QStringLiteral("$form%d<p>"), {formTag});
            const QString quotedLine = format(QStringLiteral("'.$form%d.'<p>"), {formTag});
            if (formType == QStringLiteral("text") || formType == QStringLiteral("password") ||
                formType == QStringLiteral("textarea")) {
                record.formBodyString =
                    formType == QStringLiteral("textarea")
                        ? format(QStringLiteral("$form%d = nl2br(strip_tags($_REQUEST['form%d']));\n"),
                                 {formTag, formTag})
                        : format(QStringLiteral("$form%d = strip_tags($_REQUEST['form%d']);\n"),
                                 {formTag, formTag});
                form.formVariableLines += record.formBodyString;
                form.formMessageText += valueLine;
                record.formMessageBody = valueLine;
                record.formMessageBody_quote = quotedLine;
                keep = true;
            } else if (formType == QStringLiteral("radio") || formType == QStringLiteral("checkbox")) {
                const QString variable =
                    formType == QStringLiteral("radio")
                        ? format(QStringLiteral("$form%d = $_REQUEST['form%d'];\n"), {formTag, formTag})
                        : format(QStringLiteral(
                                     "if($_SERVER[\"REQUEST_METHOD\"] == \"POST\") { foreach($_POST as "
                                     "$key => $val) {if(is_array($_POST[$key])) $_POST[$key] = "
                                     "implode(\", \", $_POST[$key]);}}\n$form%d=$_POST['form%d'];"),
                                 {formTag, formTag});
                if (!form.formVariableLines.contains(variable))
                    form.formVariableLines += variable;
                if (!form.formMessageText.contains(quotedLine)) {
                    form.formMessageText += quotedLine;
                    record.formBodyString = variable;
                    record.formMessageBody = valueLine;
                    record.formMessageBody_quote = quotedLine;
                    keep = true;
                }
            } else if (formType == QStringLiteral("textLabel") && formOptionTag == kNone) {
                const QString line = format(QStringLiteral("<b>%@</b><p>"), {messageText(converted)});
                form.formMessageText += line;
                record.formMessageBody = line;
                record.formMessageBody_quote = line;
                record.labelText = facts.raw;
                keep = true;
            }
            if (keep)
                form.formFields.append(record);
        }

        // The responsive arrangement places text boxes as fragments of their sections.
        if (graphic && edition().gResponsiveLayoutFlag) {
            auto fragment = CellTextGenerator::generateTextViewCode(doc, graphic, nullptr, false);
            fragment->responsiveResizeFlag = graphic->responsiveResizeFlag();
            fragment->rect = QRectF(left, top, width, height);
            fragment->partOfTableFlag = graphic->property("partOfTableFlag").toBool();
            QList<std::shared_ptr<CodeWidgetHelper>> fragments = doc.sourceCodeArray();
            fragments.append(fragment);
            doc.setSourceCodeArray(fragments);
        }

        // Rules.
        if (formType == QStringLiteral("checkbox") || formType == QStringLiteral("radio")) {
            if (isBox) {
                appendFormat(m_pieces.textRules,
                             QStringLiteral(".text%d{position:%@;left:%dpx;top:%dpx;z-index:%d;formType:%@;"
                                            "formTag:%d;formOptionTag:%d;}\n"),
                             {n, position, left, top, zIndex, TextEscaping::cssRuleValue(formType), formTag,
                              formOptionTag});
                continue;
            }
        }

        const QString background = TextEscaping::cssColourValue(v.background);
        const QString backgroundPart = background == kClear
                                           ? QStringLiteral("")
                                           : format(QStringLiteral("background-color:#%@;"), {background});
        const float opacity = float(v.opacity);
        const QString opacityPart =
            opacity < 1.0f
                ? format(QStringLiteral("opacity:%f;filter:alpha(opacity=%f);"), {opacity, opacity * 100.0f})
                : QStringLiteral("");
        // The part after the shadow also turns the box as the canvas turns it, and stands its text as
        // high as there.
        int textOffset = 0;
        if (textBox && !isField)
            textOffset = textBox->verticalTextOffset();
        else if (cell && !facts.isEmpty())
            textOffset = DRVText::alignedTextOffset(
                cell->verticalAlignment(),
                height - 2 * (DRVText::pageBorderWidth(cell->textView()->borderLine(), cell->borderWidth()) +
                              padding),
                cell->textHeight());
        const QString alignmentPart =
            textOffset > 0 && !edition().gResponsiveLayoutFlag
                ? format(QStringLiteral("padding-top:%dpx;"), {padding + textOffset})
                : QStringLiteral("");
        const QString shadowPart =
            (shadowOn ? format(QStringLiteral("box-shadow: %dpx %dpx %fpx #000000;"), {0, 1, 1.0})
                      : QStringLiteral("")) +
            rotationDeclaration(v.rotationAngle) + alignmentPart;
        const double s = shadowOn ? 1.0 : 0.0;
        const int y = shadowOn ? 1 : 0;
        const QString widthValue =
            v.matchScreenFlag != 0 ? QStringLiteral("100%") : format(QStringLiteral("%dpx"), {width});
        const double lineSpacing = v.lineSpacing;
        const QString lineHeightPart =
            lineSpacing > 0.0 ? format(QStringLiteral("line-height:%f; !important;lineSpacingMultiple:%f;"),
                                       {lineSpacing, lineSpacing})
                              : QStringLiteral("");

        const QString hover = TextEscaping::cssColourValue(v.hover);
        const QString hoverText = TextEscaping::cssColourValue(v.hoverText);
        QString hoverRule, hoverKeyRule;
        const QString singleLink =
            format(QStringLiteral(".text%d a:link {text-decoration: none; color: #%@;font-weight:normal;}"),
                   {n, textColor});
        const QString doubleLink =
            format(QStringLiteral(".text%d a:link {text-decoration: none; color: "
                                  "#%@;font-weight:normal;}.text%d a:hover {text-decoration: "
                                  "none; color: #%@;font-weight:normal;}"),
                   {n, textColor, n, hoverText});
        QString linkRule = singleLink;
        if (!hover.isEmpty() && !hoverText.isEmpty()) {
            hoverRule = format(QStringLiteral(".text%d:hover{background-color:#%@;color:#%@;}\n"),
                               {n, hover, hoverText});
            hoverKeyRule =
                format(QStringLiteral(".text%d{hoverColor:%@;hoverTextColor:%@;}"), {n, hover, hoverText});
            linkRule = doubleLink;
        } else if (!hover.isEmpty()) {
            hoverRule = format(QStringLiteral(".text%d:hover{background-color:#%@;}\n"), {n, hover});
            hoverKeyRule = format(QStringLiteral(".text%d{hoverColor:%@;}"), {n, hover});
        } else if (!hoverText.isEmpty()) {
            hoverRule = format(QStringLiteral(".text%d:hover{color:#%@ !important;}\n"), {n, hoverText});
            hoverKeyRule = format(QStringLiteral(".text%d{hoverTextColor:%@;}"), {n, hoverText});
            linkRule = doubleLink;
        }
        const QString visitedRule = format(
            QStringLiteral(".text%d a:visited {text-decoration: none; color: "
                           "#%@;font-weight:normal;formType:%@;formTag:%d;formOptionTag:%"
                           "d;formRequiredFlag:%d;}"),
            {n, textColor, TextEscaping::cssRuleValue(formType), formTag, formOptionTag, formRequiredFlag});

        const QString borderStyle =
            TextEscaping::cssRuleValue(isBox ? v.borderStyle : cell->textView()->borderLine());
        const float corner = float(v.cornerRadius);
        const int cornerValue = platform::truncToInt(corner);
        const int tableNumber = isBox ? kNone : v.tableNumber;
        const int tableRow = isBox ? kNone : v.rowSpot;
        const int tableColumn = isBox ? kNone : v.columnSpot;

        QString types[8];
        for (int i = 0; i < 8; ++i) {
            types[i] = TextEscaping::cssRuleValue(marginTypeOrDefault(v.unitTypes[i]));
        }

        appendFormat(
            m_pieces.textRules,
            QStringLiteral(
                ".text%d{position:%@;%@left:%dpx;top:%dpx;z-index:%d;font-size:%dpx;color:#%@;width:%@;"
                "height:%dpx;"
                "font-family:%@;padding:%dpx;border-style:%@;border-width:%dpx;margin:0px;border-color:#%"
                "@;"
                "text-align:%@;border-radius:%dpx;-moz-border-radius:%dpx;fixed:%d;%@%@shadowOpacity:%f;"
                "shadowRadius:%f;shadowOffSetY:%d;textAlpha:%f;indentFlag:%d;text-indent:%dpx;shapeFlag:%d;"
                "groupNumber:%d;line-height:normal;tableNumber:%d;tableRowSpot:%d;tableColumnSpot:%d;"
                "templateName:%@;"
                "manualLayerIndex:%d;linkType:%@;shapeBackgroundColor:%@;nlines:%d;fixedWidthFlag:%d;"
                "fixedHeightFlag:%d;widthBuffer:%d;heightBuffer:%d;zoomBubbleFlag:%d;bubbleShape:%@;"
                "xsColumnGrid:%"
                "d;smallColumnGrid:%d;mediumColumnGrid:%d;largeColumnGrid:%d;shadowBlurRadius:%f;"
                "shadowDistanceX:%"
                "f;shadowDistanceY:%f;rotationAngle:%f;responsiveResizeFlag:%d;responsiveAlignmentFlag:%d;"
                "sectionNumber:%d;sectionRowSpot:%d;sectionColumnSpot:%d;markAsReplyFlag:%d;onClickShow:%@;"
                "onClickHide:%@;topPaddingStr:%d;bottomPaddingStr:%d;leftPaddingStr:%d;rightPaddingStr:%d;"
                "topMarginStr:%d;bottomMarginStr:%d;leftMarginStr:%d;rightMarginStr:%d;topPaddingTypeStr:%@;"
                "bottomPaddingTypeStr:%@;leftPaddingTypeStr:%@;rightPaddingTypeStr:%@;topMarginTypeStr:%@;"
                "bottomMarginTypeStr:%@;leftMarginTypeStr:%@;rightMarginTypeStr:%@;verticalAlignment:%d;%@}%@"
                "%@%@%"
                "@\n\n"),
            {n, position, backgroundPart, left, top, zIndex, fontSize, textColor, widthValue, height,
             WebFonts::fontFamilyValue(family), padding, borderStyle, v.borderWidth, borderColor,
             facts.alignment, cornerValue, cornerValue, v.moveLock, opacityPart, shadowPart, s, s, y, opacity,
             indentFlag, textIndent, v.shapeFlag, v.groupNumber, tableNumber, tableRow, tableColumn,
             templateName, v.manualLayerIndex,
             // A box without a link type links its text, and reopens so.
             v.linkType.isEmpty() ? QStringLiteral("text") : TextEscaping::cssRuleValue(v.linkType),
             background, lineCount, v.fixedWidthFlag, v.fixedHeightFlag, 0, 0, v.zoomBubbleFlag,
             TextEscaping::cssRuleValue(v.bubbleShape), v.xsGridColumns, v.smallGridColumns,
             v.mediumGridColumns, v.largeGridColumns, v.shadowRadius, v.shadowHorizontalOffset,
             v.shadowVerticalOffset, v.rotationAngle, v.responsiveResizeFlag, v.responsiveAlignment,
             v.sectionNumber, v.sectionRowSpot, v.sectionColumnSpot, v.markAsReplyFlag,
             TextEscaping::cssRuleValue(v.onClickShow), TextEscaping::cssRuleValue(v.onClickHide),
             v.spacing[0], v.spacing[1], v.spacing[2], v.spacing[3], v.spacing[4], v.spacing[5], v.spacing[6],
             v.spacing[7], types[0], types[1], types[2], types[3], types[4], types[5], types[6], types[7],
             v.verticalAlignment, lineHeightPart, hoverKeyRule, linkRule, visitedRule, hoverRule});
    }
}
