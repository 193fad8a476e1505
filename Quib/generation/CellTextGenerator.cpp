#include "generation/CellTextGenerator.h"

#include "document/DRVDocument.h"
#include "editions/EditionSettings.h"
#include "generation/PageFormat.h"
#include "generation/TextBoxGenerator.h"
#include "generation/TextEscaping.h"
#include "generation/WebFonts.h"
#include "model/DRVTable.h"
#include "model/DRVText.h"
#include "model/myTextView.h"
#include "platform/Format.h"
#include "platform/Geometry.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

using generation::format;

namespace {

QString text(const QString& value)
{
    return value.isNull() ? QStringLiteral("") : value;
}

// The values of one text element, read alike from a graphic and from a cell.
struct Element
{
    QString string;
    int fontSize = 0;
    QString family;
    QString alignment = QStringLiteral("left");
    double alpha = 1.0;
    QString borderStyle;
    int borderWidth = 0;
    QString textColor;
    QString backgroundColor;
    QString borderColor;
    QString hoverColor;
    QString hoverTextColor;
    QString link;
    QString linkOption;
    QString linkType;
    double cornerRadius = 0;
    int shadowFlag = 0;
    int indentFlag = 0;
    double lineSpacing = 0;
    int responsiveResizeFlag = 0;
    int responsiveAlignment = 0;
    QRectF bounds;
    int box[8] = {};
    QString boxType[8];
    QString onClickShow;
    QString onClickHide;
    QString formType;
    int formTag = -99;
    int formOptionTag = -99;
    int formRequiredFlag = 0;
};

QString alignmentWord(Qt::Alignment alignment)
{
    if (alignment & Qt::AlignRight)
        return QStringLiteral("right");
    if (alignment & Qt::AlignHCenter)
        return QStringLiteral("center");
    if (alignment & Qt::AlignJustify)
        return QStringLiteral("justify");
    return QStringLiteral("left");
}

// Values that come from a page reach the style rules only as colours and plain words: they could
// otherwise end the rule or the style block.
template <class T> void readShared(Element& e, const T* s)
{
    e.borderStyle = TextEscaping::cssRuleValue(s->borderStyle());
    e.borderWidth = s->borderWidth();
    e.textColor = TextEscaping::cssColourValue(s->textHexColorString());
    e.backgroundColor = TextEscaping::cssColourValue(s->backgroundHexColorString());
    e.borderColor = TextEscaping::cssColourValue(s->borderHexColorString());
    e.hoverColor = TextEscaping::cssColourValue(s->hoverColorString());
    e.hoverTextColor = TextEscaping::cssColourValue(s->hoverTextColorString());
    e.link = text(s->link());
    e.linkOption = text(s->linkOption());
    e.linkType = text(s->linkType());
    e.shadowFlag = s->shadowFlag();
    e.indentFlag = s->indentFlag();
    e.lineSpacing = s->lineSpacing();
    e.responsiveResizeFlag = s->responsiveResizeFlag();
    e.responsiveAlignment = s->responsiveAlignment();
    const int box[8] = {s->topPadding(), s->bottomPadding(), s->leftPadding(), s->rightPadding(),
                        s->topMargin(),  s->bottomMargin(),  s->leftMargin(),  s->rightMargin()};
    const QString types[8] = {s->topPaddingType(),   s->bottomPaddingType(), s->leftPaddingType(),
                              s->rightPaddingType(), s->topMarginType(),     s->bottomMarginType(),
                              s->leftMarginType(),   s->rightMarginType()};
    for (int i = 0; i < 8; ++i) {
        e.box[i] = box[i];
        e.boxType[i] = TextEscaping::cssRuleValue(TextBoxGenerator::marginTypeOrDefault(types[i]));
    }
    e.onClickShow = text(s->onClickShowString());
    e.onClickHide = text(s->onClickHideString());
    e.formType = text(s->formType());
    e.formTag = s->formTag();
    e.formOptionTag = s->formOptionTag();
    e.formRequiredFlag = s->formRequiredFlag();
}

Element readGraphic(DRVText* graphic)
{
    Element e;
    readShared(e, graphic);
    QTextDocument* contents = graphic->contents();
    e.string = contents ? contents->toPlainText() : QString();
    QFont font;
    if (contents && !contents->isEmpty()) {
        QTextCursor cursor(contents);
        cursor.movePosition(QTextCursor::NextCharacter);
        font = cursor.charFormat().font();
        e.alignment = alignmentWord(contents->begin().blockFormat().alignment());
    } else if (contents) {
        font = contents->defaultFont();
    }
    e.fontSize = font.pointSize() > 0 ? font.pointSize() : graphic->fontSize();
    e.family = font.family().isEmpty() ? graphic->fontFamily() : font.family();
    e.alpha = graphic->opacity();
    e.cornerRadius = graphic->cornerRadius();
    e.bounds = graphic->bounds();
    return e;
}

Element readCell(myTextView* cell)
{
    Element e;
    readShared(e, cell);
    QTextDocument* storage = cell->textStorage();
    e.string = storage ? storage->toPlainText() : cell->textView()->string();
    // The cell's own size and family are what its text is styled with.
    const QFont font = cell->textView()->font();
    e.fontSize = cell->fontSize() > 0 ? cell->fontSize() : font.pointSize();
    e.family = !cell->familyName().isEmpty() ? cell->familyName() : font.family();
    e.alignment = e.string.isEmpty() || cell->textAlignment().isEmpty() ? QStringLiteral("left")
                                                                        : cell->textAlignment();
    e.alpha = cell->alphaValue();
    e.cornerRadius = cell->cornerRadius();
    e.bounds = QRectF(cell->originX(), cell->originY(), cell->width(), cell->height());
    return e;
}

QString plainTextOf(const QObject* object)
{
    if (auto* graphic = qobject_cast<const DRVText*>(object))
        return graphic->contents() ? graphic->contents()->toPlainText() : QString();
    if (auto* cell = qobject_cast<const myTextView*>(object))
        return cell->textStorage() ? cell->textStorage()->toPlainText() : cell->textView()->string();
    return {};
}

int numberFromEnd(const DRVDocument& document, const QObject* object)
{
    const QList<DRVGraphic*>& graphics = document.graphics();
    qsizetype index = -1;
    for (qsizetype i = 0; i < graphics.size(); ++i) {
        if (graphics.at(i) == object) {
            index = i;
            break;
        }
    }
    return int(graphics.size() - index);
}

// The title label of a choice group: a text graphic of the group's number, option -99, "textLabel".
DRVGraphic* grabRadioLabel(const DRVDocument& document, int formTag)
{
    for (DRVGraphic* graphic : document.textAreas()) {
        if (graphic->formTag() == formTag && graphic->formOptionTag() == -99 &&
            graphic->formType() == QStringLiteral("textLabel"))
            return graphic;
    }
    return nullptr;
}

bool isThisMultipleChoiceLabel(const DRVDocument& document, int formTag)
{
    for (DRVGraphic* graphic : document.textAreas()) {
        if (graphic->formTag() == formTag && (graphic->formType() == QStringLiteral("radio") ||
                                              graphic->formType() == QStringLiteral("checkbox")))
            return true;
    }
    return false;
}

QString boxDeclarations(const Element& e)
{
    QString box = format(
        QStringLiteral("padding-top:%d%@;padding-bottom:%d%@;padding-left:%d%@;padding-right:%d%@;"
                       "margin-top:%d%@;margin-bottom:%d%@;margin-left:%d%@;margin-right:%d%@;"),
        {e.box[0], e.boxType[0], e.box[1], e.boxType[1], e.box[2], e.boxType[2], e.box[3], e.boxType[3],
         e.box[4], e.boxType[4], e.box[5], e.boxType[5], e.box[6], e.boxType[6], e.box[7], e.boxType[7]});
    if (e.boxType[6] == QStringLiteral("%") && e.boxType[7] == QStringLiteral("%"))
        box += format(QStringLiteral("width:%d%%;"), {100 - e.box[6] - e.box[7]});
    box.replace(QStringLiteral("pixel"), QStringLiteral("px"));
    return box;
}

QString clickScript(const QString& prefix, int number, const Element& e)
{
    if (e.onClickShow.isEmpty() && e.onClickHide.isEmpty())
        return QStringLiteral("");
    QString script = format(QStringLiteral("%@$(\"#%@text%d\").click(function(){\n"),
                            {QStringLiteral("<script>\n$(document).ready(function(){\n"), prefix, number});
    // Only plain ids reach a selector: anything else could break out of the script.
    auto append = [&](const QString& ids, const QString& action) {
        for (const QString& part : ids.split(u',')) {
            const QString id = part.trimmed();
            if (TextEscaping::isSafeElementId(id))
                script = format(QStringLiteral("%@\n$(\"#%@\").") + action + QStringLiteral("();\n"),
                                {script, id});
        }
    };
    if (!e.onClickShow.isEmpty())
        append(e.onClickShow, QStringLiteral("show"));
    if (!e.onClickHide.isEmpty())
        append(e.onClickHide, QStringLiteral("hide"));
    return format(QStringLiteral("%@\n});\n});\n</script>\n"), {script});
}

} // namespace

int CellTextGenerator::tableNumber(const DRVDocument& document, const DRVTable* table)
{
    return numberFromEnd(document, table);
}

std::shared_ptr<CodeWidgetHelper> CellTextGenerator::generateTextViewCode(DRVDocument& document,
                                                                          QObject* element, DRVTable* table,
                                                                          bool partOfTableFlag,
                                                                          QList<FormSortHelper>* formRecords)
{
    auto record = std::make_shared<CodeWidgetHelper>();
    auto* cell = qobject_cast<myTextView*>(element);
    auto* graphic = qobject_cast<DRVText*>(element);
    if (!cell && !graphic)
        return record;
    const EditionSettings& ed = edition();
    const Element e = cell ? readCell(cell) : readGraphic(graphic);

    // 1. Identity.
    QString prefix = QStringLiteral("");
    int number = 0;
    if (cell) {
        if (table) {
            prefix = format(QStringLiteral("tableGrid%d"), {tableNumber(document, table)});
            number = int(table->cellHelperArray().indexOf(cell));
        }
    } else {
        number = numberFromEnd(document, graphic);
    }

    // 3. Clear text and border colours are written black; the element keeps its own.
    const QString textColor =
        e.textColor == QStringLiteral("CLEAR0") ? QStringLiteral("000000") : e.textColor;
    const QString borderColor =
        e.borderColor == QStringLiteral("CLEAR0") ? QStringLiteral("000000") : e.borderColor;

    // 4-5. Link and the text as the body shows it.
    const QString link = DRVDocument::verifyLink(e.link);
    const QString htmlText = TextBoxGenerator::convertedBodyText(e.string);
    const int textIndent = e.indentFlag == 1 || e.indentFlag == 2 ? 40 : 0;

    // 6. Opacity and shadow.
    const QString opacity = e.alpha < 1.0 ? format(QStringLiteral("opacity:%f;filter:alpha(opacity=%f);"),
                                                   {e.alpha, e.alpha * 100})
                                          : QStringLiteral("");
    const QString shadow = e.shadowFlag == 1
                               ? format(QStringLiteral("box-shadow: %dpx %dpx %fpx #000000;"), {0, 1, 1.0})
                               : QStringLiteral("");
    const int s = e.shadowFlag == 1 ? 1 : 0;

    // 7. Link, visited and hover rules.
    const QString visited =
        format(QStringLiteral(".%@text%d a:visited {text-decoration: none; color: #%@;font-weight:normal;}"),
               {prefix, number, textColor});
    const QString oneLink =
        format(QStringLiteral(".%@text%d a:link {text-decoration: none; color: #%@;font-weight:normal;}"),
               {prefix, number, textColor});
    auto twoLink = [&](const QString& hoverText) {
        return format(
            QStringLiteral(".%@text%d a:link {text-decoration: none; color: #%@;font-weight:normal;}.%@"
                           "text%d a:hover {text-decoration: none; color: #%@;font-weight:normal;}"),
            {prefix, number, textColor, prefix, number, hoverText});
    };
    QString hoverRule = QStringLiteral("");
    QString hoverEditorRule = QStringLiteral("");
    QString linkRule = oneLink;
    if (!e.hoverColor.isEmpty() && !e.hoverTextColor.isEmpty()) {
        hoverRule = format(QStringLiteral(".%@text%d:hover{background-color:#%@;color:#%@;}\n"),
                           {prefix, number, e.hoverColor, e.hoverTextColor});
        hoverEditorRule = format(QStringLiteral(".%@text%d{hoverColor:%@;hoverTextColor:%@;}"),
                                 {prefix, number, e.hoverColor, e.hoverTextColor});
        linkRule = twoLink(e.hoverTextColor);
    } else if (!e.hoverColor.isEmpty()) {
        hoverRule = format(QStringLiteral(".%@text%d:hover{background-color:#%@;}\n"),
                           {prefix, number, e.hoverColor});
        hoverEditorRule = format(QStringLiteral(".%@text%d{hoverColor:%@;}"), {prefix, number, e.hoverColor});
    } else if (!e.hoverTextColor.isEmpty()) {
        hoverRule = format(QStringLiteral(".%@text%d:hover{color:#%@ !important;}\n"),
                           {prefix, number, e.hoverTextColor});
        hoverEditorRule =
            format(QStringLiteral(".%@text%d{hoverTextColor:%@;}"), {prefix, number, e.hoverTextColor});
        linkRule = twoLink(e.hoverTextColor);
    }

    // 8-12. Line height, size, box, alignment, cursor.
    const QString lineHeight = e.lineSpacing > 0
                                   ? format(QStringLiteral("line-height:%f; !important;"), {e.lineSpacing})
                                   : QStringLiteral("");
    const QString size =
        e.responsiveResizeFlag == 1
            ? format(QStringLiteral("width:%dpx;height:%dpx;"),
                     {platform::truncToInt(e.bounds.width()), platform::truncToInt(e.bounds.height())})
            : QStringLiteral("");
    QString box = boxDeclarations(e);
    if (table && table->gridType() == QStringLiteral("navbar"))
        box = QStringLiteral("padding:20px 20px 10px 10px;");
    const QString align = e.responsiveAlignment == 1   ? QStringLiteral("margin:0 auto;")
                          : e.responsiveAlignment == 2 ? QStringLiteral("margin-left:auto; margin-right:0;")
                                                       : QStringLiteral("margin:0px;");
    const QString cursor = !e.onClickShow.isEmpty() || !e.onClickHide.isEmpty()
                               ? QStringLiteral("cursor:pointer;")
                               : QStringLiteral("");

    // 13. Rule set.
    record->headerString = format(
        QStringLiteral(
            ".%@text%d{%@%@font-size:%dpx;color:#%@;background-color:#%@;font-family:%@;border-style:%"
            "@;border-width:%dpx;border-color:#%@;text-align:%@;border-radius:%fpx;-moz-border-radius:%fpx;%"
            "@%@shadowOpacity:%d;shadowRadius:%d;shadowOffSetY:%d;textAlpha:%f;text-indent:%dpx;%@;%@%@}%@%"
            "@%@%@\n\n"),
        {prefix,
         number,
         size,
         align,
         e.fontSize,
         textColor,
         e.backgroundColor,
         WebFonts::fontFamilyValue(e.family),
         e.borderStyle,
         e.borderWidth,
         borderColor,
         e.alignment,
         e.cornerRadius,
         e.cornerRadius,
         opacity,
         shadow,
         s,
         s,
         s,
         e.alpha,
         textIndent,
         cursor,
         lineHeight,
         box,
         hoverEditorRule,
         linkRule,
         visited,
         hoverRule});

    // 14. Inline style of the e-mail shape.
    const QString inlineStyle =
        format(QStringLiteral(
                   "%@%@font-size:%dpx;color:#%@;background-color:#%@;font-family:%@;border-style:%@;border-"
                   "width:%dpx;border-color:#%@;text-align:%@;border-radius:%fpx;%@"),
               {size, align, e.fontSize, textColor, e.backgroundColor, WebFonts::fontFamilyValue(e.family),
                e.borderStyle, e.borderWidth, borderColor, e.alignment, e.cornerRadius, box});
    const QString styleAttribute =
        ed.gResponsiveEmailFlag
            ? format(QStringLiteral(" style=%@"), {TextEscaping::quotedAttribute(inlineStyle)})
            : QStringLiteral("");

    // 15. Body by form type. T is the text as the body shows it; rawT the same text unescaped.
    const QString t = e.formType;
    const int f = e.formTag;
    QString body;
    QString response = QStringLiteral("");
    QString message = QStringLiteral("");
    QString bodyText = htmlText;
    QString rawText = e.string;
    int labelNumber = 0;
    bool isField = false;
    QString labelForRecord;
    if (t == QStringLiteral("radio") || t == QStringLiteral("checkbox") || t == QStringLiteral("text") ||
        t == QStringLiteral("textarea")) {
        QObject* label = nullptr;
        for (QObject* candidate : document.textViewArray()) {
            if (candidate->property("formTag").toInt() == e.formTag &&
                candidate->property("formOptionTag").toInt() == e.formOptionTag &&
                candidate->property("formType").toString() == QStringLiteral("textLabel"))
                label = candidate;
        }
        if (label) {
            rawText = plainTextOf(label);
            bodyText = TextBoxGenerator::convertedBodyText(rawText);
            labelNumber = numberFromEnd(document, label);
        } else {
            labelNumber = int(document.textViewArray().size());
        }
    }
    const bool botCheck = e.formOptionTag == -22;
    const QString botQuestion = QStringLiteral("<?php echo $questionString; ?>");
    if (botCheck) {
        bodyText = botQuestion;
        rawText = botQuestion;
    }
    // The value attribute of an option: the option's text, quoted; the bot question stays PHP.
    const QString valueAttribute = botCheck ? QStringLiteral("\"") + botQuestion + QStringLiteral("\"")
                                            : TextEscaping::quotedAttribute(rawText);
    auto titleMessage = [&]() {
        const QString m = format(QStringLiteral("'.$form%d.'<p>"), {f});
        if (DRVGraphic* title = grabRadioLabel(document, f)) {
            labelForRecord = plainTextOf(title);
            return format(QStringLiteral("<b>%@</b><p>%@"),
                          {TextEscaping::escapeHtmlText(labelForRecord), m});
        }
        return m;
    };

    if (t == QStringLiteral("text")) {
        const QString input = format(
            e.formRequiredFlag == 1
                ? QStringLiteral("<input class=\"form-control text%d\" type=\"%@\" name=form%d required>\n")
                : QStringLiteral("<input class=\"form-control text%d\" type=\"%@\" name=form%d>\n"),
            {number, t, f});
        body = format(
            QStringLiteral("<div class=\"form-group\"><label for=\"form%d\"><div class=text%d>%@</div></"
                           "label>\n%@\n</div>"),
            {f, labelNumber, bodyText, input});
        response = format(QStringLiteral("$form%d = strip_tags($_REQUEST['form%d']);\n"), {f, f});
        message = format(QStringLiteral("<b>%@</b><p>%@"),
                         {bodyText, format(QStringLiteral("'.$form%d.'<p>"), {f})});
        labelForRecord = rawText;
        isField = true;
    } else if (t == QStringLiteral("password")) {
        body = format(QStringLiteral("<input class=text%d type=\"%@\" name=form%d>\n"), {number, t, f});
        response = format(QStringLiteral("$form%d = strip_tags($_REQUEST['form%d']);\n"), {f, f});
        message = format(QStringLiteral("$form%d<p>"), {f});
        isField = true;
    } else if (t == QStringLiteral("radio")) {
        body = format(QStringLiteral("<div class=radio>\n<label>\n<input class=text%d type=\"%@\" value=%@ "
                                     "name=form%d>\n<div class=text%d>%@</div>\n</label>\n</div>"),
                      {number, t, valueAttribute, f, labelNumber, bodyText});
        response = format(QStringLiteral("$form%d = $_REQUEST['form%d'];\n"), {f, f});
        message = titleMessage();
        isField = true;
    } else if (t == QStringLiteral("checkbox")) {
        const QString input =
            format(QStringLiteral("<input class=text%d type=\"%@\" value=%@ name=\"%@\">\n"),
                   {number, t, valueAttribute, format(QStringLiteral("form%d[]"), {f})});
        body = format(
            QStringLiteral("<div class=checkbox>\n<label>\n%@\n<div class=text%d>%@</div>\n</label>\n</div>"),
            {input, labelNumber, bodyText});
        response =
            format(QStringLiteral("if($_SERVER[\"REQUEST_METHOD\"] == \"POST\") { foreach($_POST as $key => "
                                  "$val) {if(is_array($_POST[$key])) $_POST[$key] = implode(\", \", "
                                  "$_POST[$key]);}}\n$form%d=$_POST['form%d'];"),
                   {f, f});
        message = titleMessage();
        isField = true;
    } else if (t == QStringLiteral("submit")) {
        document.setFormSubmitButtonValue(rawText);
        const QString value = TextEscaping::quotedAttribute(rawText);
        if (e.responsiveAlignment == 1)
            body = format(
                QStringLiteral("<p align=center><input class=text%d type=\"%@\" value=%@ name=form%d></p>\n"),
                {number, t, value, f});
        else if (e.responsiveAlignment == 2)
            body = format(
                QStringLiteral("<p align=right><input class=text%d type=\"%@\" value=%@ name=form%d></p>\n"),
                {number, t, value, f});
        else
            body = format(QStringLiteral("<input class=text%d type=\"%@\" value=%@ name=form%d>\n"),
                          {number, t, value, f});
    } else if (t == QStringLiteral("textarea")) {
        const int rows = platform::truncToInt(e.bounds.height()) / 15;
        const QString area = format(
            e.formRequiredFlag == 1
                ? QStringLiteral(
                      "<textarea class=\"form-control text%d\" rows=%d name=form%d required></textarea>\n")
                : QStringLiteral("<textarea class=\"form-control text%d\" rows=%d name=form%d></textarea>\n"),
            {number, rows, f});
        body = format(
            QStringLiteral("<div class=\"form-group\"><label for=\"form%d\"><div class=text%d>%@</div></"
                           "label>\n%@\n</div>"),
            {f, labelNumber, bodyText, area});
        response = format(QStringLiteral("$form%d = nl2br(strip_tags($_REQUEST['form%d']));\n"), {f, f});
        message = format(QStringLiteral("<b>%@</b><p>%@"),
                         {bodyText, format(QStringLiteral("'.$form%d.'<p>"), {f})});
        labelForRecord = rawText;
        isField = true;
    } else if (t == QStringLiteral("textLabel") &&
               !(e.formOptionTag == -99 && isThisMultipleChoiceLabel(document, e.formTag))) {
        body = QStringLiteral("");
    } else {
        // Plain text, links and the title label of a choice group.
        const bool hasLink = !link.isEmpty() && link != QStringLiteral("http://");
        if (!hasLink) {
            body = format(QStringLiteral("<div class=%@text%d id=%@text%d%@>%@</div>\n"),
                          {prefix, number, prefix, number, styleAttribute, bodyText});
        } else {
            const QString target = e.linkOption.isEmpty() ? QStringLiteral("_self") : e.linkOption;
            const QString href = TextEscaping::quotedAttribute(link);
            const QString targetAttribute = TextEscaping::quotedAttribute(target);
            if (e.linkType == QStringLiteral("shape"))
                body = format(
                    QStringLiteral("<a href=%@ target=%@><div class=%@text%d id=%@text%d%@>%@</div></a>\n"),
                    {href, targetAttribute, prefix, number, prefix, number, styleAttribute, bodyText});
            else
                body = format(
                    QStringLiteral("<div class=%@text%d id=%@text%d%@><a href=%@ target=%@>%@</a></div>\n"),
                    {prefix, number, prefix, number, styleAttribute, href, targetAttribute, bodyText});
        }
    }
    const bool noMarginAddOn = t == QStringLiteral("textLabel") || t == QStringLiteral("text") ||
                               t == QStringLiteral("password") || t == QStringLiteral("radio") ||
                               t == QStringLiteral("checkbox") || t == QStringLiteral("textarea");

    // 17. Record.
    record->bodyString = body;
    record->formResponseBody = response;
    record->formMessageBody = message;
    record->javaScriptString = clickScript(prefix, number, e);
    record->rect = e.bounds;
    record->originY = platform::truncToInt(e.bounds.y());
    record->partOfTableFlag = partOfTableFlag;
    record->noMarginAddOnFlag = noMarginAddOn;

    if (formRecords && isField) {
        FormSortHelper field;
        // The mail() variant concatenates the value into a quoted string; the SMTP one names it.
        field.formMessageBody_quote = message;
        field.formMessageBody = QString(message).replace(format(QStringLiteral("'.$form%d.'"), {f}),
                                                         format(QStringLiteral("$form%d"), {f}));
        field.formXPosition = platform::truncToInt(e.bounds.x());
        field.formYPosition = platform::truncToInt(e.bounds.y());
        field.formBodyString = response;
        field.formType = t;
        field.formTag = f;
        field.labelText = labelForRecord;
        field.elementHtml = body;
        formRecords->append(field);
    }
    return record;
}
