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

        // Form keys. A box that is no form field is stored as such.
        const QString formType = str(entry, "formType");
        int formTag = kNone, formOptionTag = kNone, formRequiredFlag = 0;
        if (formType.isEmpty()) {
            if (graphic)
                graphic->setFormTag(kNone);
        } else {
            formTag = num(entry, "formTag");
            formOptionTag = num(entry, "formOptionTag");
            formRequiredFlag = num(entry, "formRequiredFlag");
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
        QString borderColor = TextEscaping::cssColourValue(str(entry, "borderHexColorString"));
        if (borderColor == kClear)
            borderColor = kBlack;
        QString textColor = TextEscaping::cssColourValue(str(entry, "textHexColorString"));
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
            family = str(entry, "fontFamily");
            fontSize = num(entry, "fontSize");
        }
        CustomFont::markUsed(family);

        // Stacking order.
        int zIndex = num(entry, "manualLayerIndex");
        if (zIndex == 0)
            zIndex = graphic ? doc.layerIndexForGraphic(graphic) : num(entry, "tag");

        // Link and target.
        const QString href = graphic ? DRVDocument::verifyLink(graphic->link()) : str(entry, "link");
        QString target = str(entry, "linkOption");
        if (target.isEmpty()) {
            target = QStringLiteral("_self");
            if (graphic)
                graphic->setLinkOption(target);
        }
        const QString position =
            num(entry, "scrollFlag") == 1 ? QStringLiteral("fixed") : QStringLiteral("absolute");
        const QString templateName = TextEscaping::cssRuleValue(
            completedTemplateName(str(entry, "templateName"), doc.mainTemplateName()));
        const quint32 lineCount = calculateNumOfLines(facts.raw);
        const bool shadowOn = num(entry, "shadowFlag") == 1;

        // Body text, escaped the same way in every page shape.
        QString converted = convertedBodyText(facts.raw);
        const int indentFlag = num(entry, "indentFlag");
        const int textIndent = DRVText::pageTextIndent(indentFlag);
        if (formType == QStringLiteral("textLabel") && formOptionTag == -22)
            converted = QStringLiteral("<?php echo $questionString; ?>");

        // Element HTML.
        QString element;
        if (!isField) {
            const bool linked = !href.isEmpty() && href != QStringLiteral("http://");
            const QString quotedHref = TextEscaping::quotedAttribute(href);
            const QString quotedTarget = TextEscaping::quotedAttribute(target);
            if (linked && str(entry, "linkType") == QStringLiteral("shape"))
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

        const QString background = TextEscaping::cssColourValue(str(entry, "backgroundHexColorString"));
        const QString backgroundPart = background == kClear
                                           ? QStringLiteral("")
                                           : format(QStringLiteral("background-color:#%@;"), {background});
        const float opacity = float(isBox ? real(entry, "opacity") : real(entry, "alphaValue"));
        const QString opacityPart =
            opacity < 1.0f
                ? format(QStringLiteral("opacity:%f;filter:alpha(opacity=%f);"), {opacity, opacity * 100.0f})
                : QStringLiteral("");
        // The part after the shadow also turns the box as the canvas turns it, and stands its text as
        // high as there.
        int textOffset = 0;
        if (auto* textBox = qobject_cast<DRVText*>(entry); textBox && !isField)
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
            rotationDeclaration(real(entry, "rotationAngle")) + alignmentPart;
        const double s = shadowOn ? 1.0 : 0.0;
        const int y = shadowOn ? 1 : 0;
        const QString widthValue = num(entry, "matchScreenFlag") != 0
                                       ? QStringLiteral("100%")
                                       : format(QStringLiteral("%dpx"), {width});
        const double lineSpacing = real(entry, "lineSpacing");
        const QString lineHeightPart =
            lineSpacing > 0.0 ? format(QStringLiteral("line-height:%f; !important;lineSpacingMultiple:%f;"),
                                       {lineSpacing, lineSpacing})
                              : QStringLiteral("");

        const QString hover = TextEscaping::cssColourValue(str(entry, "hoverColorString"));
        const QString hoverText = TextEscaping::cssColourValue(str(entry, "hoverTextColorString"));
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
            TextEscaping::cssRuleValue(isBox ? str(entry, "borderStyle") : cell->textView()->borderLine());
        const float corner =
            float(isBox ? real(entry, "cornerRadius") : real(entry, "tableCellCornerRadius"));
        const int cornerValue = platform::truncToInt(corner);
        const int tableNumber = isBox ? kNone : num(entry, "tableNumber");
        const int tableRow = isBox ? kNone : num(entry, "rowSpot");
        const int tableColumn = isBox ? kNone : num(entry, "columnSpot");

        QString types[8];
        int spacing[8];
        for (int i = 0; i < 8; ++i) {
            types[i] = TextEscaping::cssRuleValue(marginTypeOrDefault(str(entry, kUnitKeys[i])));
            spacing[i] = num(entry, kSpacingKeys[i]);
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
             WebFonts::fontFamilyValue(family), padding, borderStyle, num(entry, "borderWidth"), borderColor,
             facts.alignment, cornerValue, cornerValue, num(entry, "moveLock"), opacityPart, shadowPart, s, s,
             y, opacity, indentFlag, textIndent, num(entry, "shapeFlag"), num(entry, "groupNumber"),
             tableNumber, tableRow, tableColumn, templateName, num(entry, "manualLayerIndex"),
             // A box without a link type links its text, and reopens so.
             str(entry, "linkType").isEmpty() ? QStringLiteral("text")
                                              : TextEscaping::cssRuleValue(str(entry, "linkType")),
             background, lineCount, num(entry, "fixedWidthFlag"), num(entry, "fixedHeightFlag"), 0, 0,
             num(entry, "zoomBubbleFlag"), TextEscaping::cssRuleValue(str(entry, "bubbleShape")),
             num(entry, "xsGridColumns"), num(entry, "smallGridColumns"), num(entry, "mediumGridColumns"),
             num(entry, "largeGridColumns"), real(entry, "shadowRadius"),
             real(entry, "shadowHorizontalOffset"), real(entry, "shadowVerticalOffset"),
             real(entry, "rotationAngle"), num(entry, "responsiveResizeFlag"),
             num(entry, "responsiveAlignment"), num(entry, "sectionNumber"), num(entry, "sectionRowSpot"),
             num(entry, "sectionColumnSpot"), num(entry, "markAsReplyToEmailFlag"),
             TextEscaping::cssRuleValue(str(entry, "onClickShowString")),
             TextEscaping::cssRuleValue(str(entry, "onClickHideString")), spacing[0], spacing[1], spacing[2],
             spacing[3], spacing[4], spacing[5], spacing[6], spacing[7], types[0], types[1], types[2],
             types[3], types[4], types[5], types[6], types[7], num(entry, "verticalAlignment"),
             lineHeightPart, hoverKeyRule, linkRule, visitedRule, hoverRule});
    }
}
