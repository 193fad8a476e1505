#include "generation/SnippetGenerator.h"

#include "document/DRVDocument.h"
#include "editions/EditionSettings.h"
#include "generation/ListBuiltRules.h"
#include "generation/PageFormat.h"
#include "generation/PagePieces.h"
#include "generation/PropertyReads.h"
#include "generation/TextBoxGenerator.h"
#include "generation/TextEscaping.h"
#include "generation/WebFonts.h"
#include "model/DRVGraphic.h"
#include "model/DRVTable.h"
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

const QString kClear = QStringLiteral("CLEAR0");
const QString kBlack = QStringLiteral("000000");
constexpr int kNone = -99;

struct HoverTexts
{
    QString keys;
    QString link;
    QString visited;
    QString style;
};

// The hover and link rules of a formatted snippet; selector is ".snippet3" or ".tableGrid4snippet1".
HoverTexts hoverTexts(const QString& selector, const QString& textColor, const QString& hover,
                      const QString& hoverText)
{
    HoverTexts h;
    const QString single =
        format(QStringLiteral("%@ a:link {text-decoration: none; color: #%@;font-weight:normal;}"),
               {selector, textColor});
    const QString pair =
        format(QStringLiteral("%@ a:link {text-decoration: none; color: #%@;font-weight:normal;}%@ "
                              "a:hover {text-decoration: none; color: #%@;font-weight:normal;}"),
               {selector, textColor, selector, hoverText});
    h.link = single;
    if (!hover.isEmpty() && !hoverText.isEmpty()) {
        h.style = format(QStringLiteral("%@:hover{background-color:#%@;color:#%@;}\n"),
                         {selector, hover, hoverText});
        h.keys = format(QStringLiteral("%@{hoverColor:%@;hoverTextColor:%@;}"), {selector, hover, hoverText});
        h.link = pair;
    } else if (!hover.isEmpty()) {
        h.style = format(QStringLiteral("%@:hover{background-color:#%@;}\n"), {selector, hover});
        h.keys = format(QStringLiteral("%@{hoverColor:%@;}"), {selector, hover});
    } else if (!hoverText.isEmpty()) {
        h.style = format(QStringLiteral("%@:hover{color:#%@ !important;}\n"), {selector, hoverText});
        h.keys = format(QStringLiteral("%@{hoverTextColor:%@;}"), {selector, hoverText});
        h.link = pair;
    }
    return h;
}

QString visitedRule(const QString& selector, const QString& textColor, const QString& formType)
{
    return format(QStringLiteral(
                      "%@ a:visited {text-decoration: none; color: "
                      "#%@;font-weight:normal;formType:%@;formTag:%d;formOptionTag:%d;formRequiredFlag:%d;}"),
                  {selector, textColor, formType, kNone, kNone, 0});
}

QString alignmentOf(const TextBoxGenerator::TextFacts& facts)
{
    return facts.isEmpty() ? QStringLiteral("left") : facts.alignment;
}

} // namespace

SnippetGenerator::SnippetGenerator(DRVDocument& document, PagePieces& pieces, bool publishFlag)
    : m_document(document), m_pieces(pieces), m_publishFlag(publishFlag)
{
}

int SnippetGenerator::snippetLineCount(const QString& code)
{
    if (code.isEmpty())
        return 0;
    return int(platform::componentsSeparatedByNewlineSet(code).size());
}

QString SnippetGenerator::clickScript(const QString& elementId, const QString& showList,
                                      const QString& hideList)
{
    if (showList.isEmpty() && hideList.isEmpty())
        return QStringLiteral("");
    if (!TextEscaping::isSafeElementId(elementId))
        return QStringLiteral("");
    QString script =
        format(QStringLiteral("<script>\n$(document).ready(function(){\n$(\"#%@\").click(function(){\n"),
               {elementId});
    auto addAll = [&](const QString& list, const char* action) {
        for (const QString& piece : list.split(u',')) {
            const QString id = piece.trimmed();
            // Ids go into a selector inside a script: anything else could end the string.
            if (!TextEscaping::isSafeElementId(id))
                continue;
            script =
                format(QStringLiteral("%@\n$(\"#%@\").%@();\n"), {script, id, QString::fromLatin1(action)});
        }
    };
    addAll(showList, "show");
    addAll(hideList, "hide");
    return format(QStringLiteral("%@\n});\n});\n</script>\n"), {script});
}

void SnippetGenerator::generate()
{
    DRVDocument& doc = m_document;
    const EditionSettings& e = edition();
    const QList<QObject*> snippets = doc.htmlSnippetArray();
    int number = 0;
    for (auto it = snippets.crbegin(); it != snippets.crend(); ++it, ++number) {
        QObject* object = *it;
        auto* snippet = qobject_cast<DRVGraphic*>(object);
        if (!snippet) {
            if (e.gResponsiveLayoutFlag && qobject_cast<myTextView*>(object))
                generateCellText(object, number);
            continue;
        }

        if (e.gResponsiveLayoutFlag) {
            const auto statics =
                ListBuiltRules::generateTextViewCodeStatic(doc, snippet, number, m_publishFlag, &m_pieces);
            m_pieces.snippetRules += statics->headerString;
            m_pieces.bodyComponents += statics->bodyString;
            auto fragment = generateSnippetCode(doc, snippet, nullptr);
            fragment->rect = snippet->bounds();
            QList<std::shared_ptr<CodeWidgetHelper>> fragments = doc.sourceCodeArray();
            fragments.append(fragment);
            doc.setSourceCodeArray(fragments);
            continue;
        }

        // 1-2.
        const TextBoxGenerator::TextFacts facts = TextBoxGenerator::textFacts(snippet);
        QString code = facts.raw;
        code.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        const QRectF b = snippet->bounds();
        const int left = platform::truncToInt(b.x()), top = platform::truncToInt(b.y());
        const int width = platform::truncToInt(b.width()), height = platform::truncToInt(b.height());
        const int z = doc.layerIndexForGraphic(snippet);
        const int lines = snippetLineCount(code);
        const QString position =
            snippet->scrollFlag() == 1 ? QStringLiteral("fixed") : QStringLiteral("absolute");
        const QString templateName =
            TextBoxGenerator::completedTemplateName(snippet->templateName(), doc.mainTemplateName());
        snippet->setTemplateName(templateName);

        if (!snippet->snippetFormatFlag()) {
            // 3.
            m_pieces.snippetRules += format(
                QStringLiteral(
                    ".snippet%d{position:%@;left:%dpx;top:%dpx;z-index:%d;width:%dpx;height:%dpx;nlines:%"
                    "d;fixed:%d;groupNumber:%d;templateName:%@;manualLayerIndex:%d;snippetFormattingFlag:%"
                    "d;sectionNumber:%d;sectionRowSpot:%d;sectionColumnSpot:%d;}\n\n"),
                {number, position, left, top, z, width, height, lines, snippet->moveLock(),
                 snippet->groupNumber(), templateName, snippet->manualLayerIndex(),
                 int(snippet->snippetFormatFlag()), snippet->sectionNumber(), snippet->sectionRowSpot(),
                 snippet->sectionColumnSpot()});
        } else {
            // 4-5.
            const float opacity = float(snippet->opacity());
            const QString opacityText = opacity < 1.0f
                                            ? format(QStringLiteral("opacity:%f;filter:alpha(opacity=%f);"),
                                                     {opacity, opacity * 100.0f})
                                            : QStringLiteral("");
            const QString background = snippet->backgroundHexColorString();
            const QString backgroundText =
                background == kClear ? QStringLiteral("")
                                     : format(QStringLiteral("background-color:#%@;"), {background});
            const bool shadowOn = snippet->shadowFlag() == 1;
            const QString shadowText =
                shadowOn ? format(QStringLiteral("box-shadow: %dpx %dpx %fpx #000000;"), {0, 1, 1.0})
                         : QStringLiteral("");
            const int fontSize = facts.isEmpty() ? 10 : facts.fontSize;
            const int padding =
                facts.isEmpty() ? 0 : platform::truncToInt(std::min(0.11 * double(fontSize), 10.0));
            // A clear border is written black; the graphic keeps its own value.
            QString borderColor = snippet->borderHexColorString();
            if (borderColor == kClear)
                borderColor = kBlack;
            const QString textColor = snippet->textHexColorString();
            const QString selector = format(QStringLiteral(".snippet%d"), {number});
            const HoverTexts hover =
                hoverTexts(selector, textColor, snippet->hoverColorString(), snippet->hoverTextColorString());
            QString types[8];
            const QString rawTypes[8] = {snippet->topPaddingType(),  snippet->bottomPaddingType(),
                                         snippet->leftPaddingType(), snippet->rightPaddingType(),
                                         snippet->topMarginType(),   snippet->bottomMarginType(),
                                         snippet->leftMarginType(),  snippet->rightMarginType()};
            for (int i = 0; i < 8; ++i)
                types[i] = TextBoxGenerator::marginTypeOrDefault(rawTypes[i]);
            m_pieces.snippetRules += format(
                QStringLiteral(
                    ".snippet%d{position:%@;%@left:%dpx;top:%dpx;z-index:%d;font-size:%dpx;color:#%@;width:%"
                    "dpx;"
                    "height:%dpx;font-family:%@;padding:%dpx;border-style:%@;border-width:%dpx;border-"
                    "color:#%@;"
                    "text-align:%@;border-radius:%dpx;-moz-border-radius:%dpx;fixed:%d;%@%@shadowOpacity:%f;"
                    "shadowRadius:%f;shadowOffSetY:%d;textAlpha:%f;indentFlag:%d;text-indent:%dpx;shapeFlag:%"
                    "d;"
                    "groupNumber:%d;line-height:normal;tableNumber:%d;tableRowSpot:%d;tableColumnSpot:%d;"
                    "templateName:%@;manualLayerIndex:%d;linkType:%@;shapeBackgroundColor:%@;nlines:%d;"
                    "snippetFormattingFlag:%d;sectionNumber:%d;sectionRowSpot:%d;sectionColumnSpot:%d;"
                    "topPaddingStr:"
                    "%d;bottomPaddingStr:%d;leftPaddingStr:%d;rightPaddingStr:%d;topMarginStr:%d;"
                    "bottomMarginStr:%d;"
                    "leftMarginStr:%d;rightMarginStr:%d;topPaddingTypeStr:%@;bottomPaddingTypeStr:%@;"
                    "leftPaddingTypeStr:%@;rightPaddingTypeStr:%@;topMarginTypeStr:%@;bottomMarginTypeStr:%@;"
                    "leftMarginTypeStr:%@;rightMarginTypeStr:%@;containsLinkFlag:%d;}%@%@%@%@\n\n"),
                {number,
                 position,
                 backgroundText,
                 left,
                 top,
                 z,
                 fontSize,
                 textColor,
                 width,
                 height,
                 WebFonts::fontFamilyValue(facts.family),
                 padding,
                 snippet->borderStyle(),
                 snippet->borderWidth(),
                 borderColor,
                 alignmentOf(facts),
                 platform::truncToInt(snippet->cornerRadius()),
                 platform::truncToInt(snippet->cornerRadius()),
                 snippet->moveLock(),
                 opacityText,
                 shadowText,
                 shadowOn ? 1.0 : 0.0,
                 shadowOn ? 1.0 : 0.0,
                 shadowOn ? 1 : 0,
                 opacity,
                 0,
                 0,
                 snippet->shapeFlag(),
                 snippet->groupNumber(),
                 kNone,
                 kNone,
                 kNone,
                 templateName,
                 snippet->manualLayerIndex(),
                 snippet->linkType(),
                 background,
                 lines,
                 int(snippet->snippetFormatFlag()),
                 snippet->sectionNumber(),
                 snippet->sectionRowSpot(),
                 snippet->sectionColumnSpot(),
                 snippet->topPadding(),
                 snippet->bottomPadding(),
                 snippet->leftPadding(),
                 snippet->rightPadding(),
                 snippet->topMargin(),
                 snippet->bottomMargin(),
                 snippet->leftMargin(),
                 snippet->rightMargin(),
                 types[0],
                 types[1],
                 types[2],
                 types[3],
                 types[4],
                 types[5],
                 types[6],
                 types[7],
                 0,
                 hover.keys,
                 hover.link,
                 visitedRule(selector, textColor, snippet->formType()),
                 hover.style});
        }
        // 6. The code passes as it is: that is what a snippet is for.
        m_pieces.bodyComponents +=
            format(QStringLiteral("<div class=snippet%d>\n%@\n</div>\n"), {number, code});
    }
}

void SnippetGenerator::generateCellText(QObject* cell, int number)
{
    const auto statics =
        ListBuiltRules::generateTextViewCodeStatic(m_document, cell, number, m_publishFlag, &m_pieces);
    m_pieces.snippetRules += statics->headerString;
    m_pieces.bodyComponents += statics->bodyString;
}

std::shared_ptr<CodeWidgetHelper> SnippetGenerator::generateSnippetCode(DRVDocument& document,
                                                                        QObject* snippet, DRVGraphic* table)
{
    auto helper = std::make_shared<CodeWidgetHelper>();
    const EditionSettings& e = edition();
    auto* graphic = qobject_cast<DRVGraphic*>(snippet);
    auto* cell = qobject_cast<myTextView*>(snippet);

    // Prefix and number.
    QString prefix = QStringLiteral("");
    int number = 0;
    if (table) {
        prefix = format(QStringLiteral("tableGrid%d"), {document.layerIndexForGraphic(table)});
        if (auto* grid = qobject_cast<DRVTable*>(table))
            number = int(grid->cellHelperArray().indexOf(cell));
        helper->partOfTableFlag = true;
    } else if (graphic) {
        number = document.layerIndexForGraphic(graphic);
    }

    // 1.
    TextBoxGenerator::populateTextViewMarginType(snippet);
    const TextBoxGenerator::TextFacts facts = TextBoxGenerator::textFacts(snippet);
    QString code = facts.raw;
    code.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    int z = num(snippet, "manualLayerIndex");
    if (z == 0)
        z = graphic ? document.layerIndexForGraphic(graphic) : num(snippet, "tag");
    const int lines = snippetLineCount(code);
    const QString templateName =
        TextBoxGenerator::completedTemplateName(str(snippet, "templateName"), document.mainTemplateName());
    if (snippet)
        snippet->setProperty("templateName", templateName);
    const int formatted = num(snippet, "snippetFormatFlag");
    const QString selectorName = format(QStringLiteral("%@snippet%d"), {prefix, number});
    const QString selector = u'.' + selectorName;

    QString inlineStyle = QStringLiteral("");
    if (formatted == 0) {
        // 2.
        helper->headerString = format(
            QStringLiteral(
                ".%@snippet%d{z-index:%d;nlines:%d;fixed:%d;groupNumber:%d;templateName:%@;manualLayerIndex:%"
                "d;snippetFormattingFlag:%d;}\n\n"),
            {prefix, number, z, lines, num(snippet, "moveLock"), num(snippet, "groupNumber"), templateName,
             num(snippet, "manualLayerIndex"), formatted});
    } else {
        // 3.
        const double opacity = cell ? cell->alphaValue() : real(snippet, "opacity");
        const double corner = cell ? cell->tableCellCornerRadius() : real(snippet, "cornerRadius");
        QString opacityText = QStringLiteral("");
        if (opacity < 1.0)
            opacityText = e.gResponsiveEmailFlag && cell
                              ? format(QStringLiteral("opacity:%f;"), {opacity})
                              : format(QStringLiteral("opacity:%f;filter:alpha(opacity=%f);"),
                                       {opacity, opacity * 100});
        const QString background = str(snippet, "backgroundHexColorString");
        const QString backgroundText = background == kClear
                                           ? QStringLiteral("")
                                           : format(QStringLiteral("background-color:#%@;"), {background});
        const double shadowRadius = real(snippet, "shadowRadius");
        const QString shadowText =
            shadowRadius == 0 ? QStringLiteral("")
                              : format(QStringLiteral("box-shadow: %dpx %dpx %dpx #5B5B5B;"),
                                       {platform::truncToInt(real(snippet, "shadowHorizontalOffset")),
                                        -platform::truncToInt(real(snippet, "shadowVerticalOffset")),
                                        platform::truncToInt(shadowRadius)});
        QString borderColor = str(snippet, "borderHexColorString");
        if (borderColor == kClear)
            borderColor = kBlack;
        const int fontSize = facts.isEmpty() ? 10 : facts.fontSize;
        const QString textColor = str(snippet, "textHexColorString");

        // 4. Free space of the box goes to the paddings by the vertical alignment.
        const double boxHeight = cell ? cell->height() : (graphic ? graphic->bounds().height() : 0);
        const double textHeight =
            cell ? (facts.isEmpty() ? 0 : cell->textHeight()) : num(snippet, "textHeight");
        const int freeSpace = platform::truncToInt(
            boxHeight - textHeight - real(snippet, "topPaddingInPx") - real(snippet, "topMarginInPx") -
            real(snippet, "bottomPaddingInPx") - real(snippet, "bottomMarginInPx"));
        int topPadding = num(snippet, "topPadding");
        int bottomPadding = num(snippet, "bottomPadding");
        const int vertical = num(snippet, "verticalAlignment");
        if (vertical == 0) {
            bottomPadding += freeSpace;
        } else if (vertical == 1) {
            topPadding += freeSpace / 2;
            bottomPadding += freeSpace / 2;
        } else {
            topPadding += freeSpace;
        }
        QString spacing = format(
            QStringLiteral(
                "padding-top:%d%@;padding-bottom:%d%@;padding-left:%d%@;padding-right:%d%@;margin-left:%d%@;"
                "margin-right:%d%@;margin-top:0;margin-bottom:0;"),
            {topPadding, str(snippet, "topPaddingType"), bottomPadding, str(snippet, "bottomPaddingType"),
             num(snippet, "leftPadding"), str(snippet, "leftPaddingType"), num(snippet, "rightPadding"),
             str(snippet, "rightPaddingType"), num(snippet, "leftMargin"), str(snippet, "leftMarginType"),
             num(snippet, "rightMargin"), str(snippet, "rightMarginType")});
        spacing.replace(QStringLiteral("pixel"), QStringLiteral("px"));

        // 5.
        const double lineSpacing = real(snippet, "lineSpacing");
        const QString lineHeight = lineSpacing > 0
                                       ? format(QStringLiteral("line-height:%f !important;"), {lineSpacing})
                                       : QStringLiteral("");
        const QString cursor =
            !str(snippet, "onClickShowString").isEmpty() || !str(snippet, "onClickHideString").isEmpty()
                ? QStringLiteral("cursor:pointer;")
                : QStringLiteral("");

        // 6.
        const HoverTexts hover = hoverTexts(selector, textColor, str(snippet, "hoverColorString"),
                                            str(snippet, "hoverTextColorString"));
        const int cornerValue = platform::truncToInt(corner);
        helper->headerString = format(
            QStringLiteral(
                ".%@snippet%d{%@z-index:%d;font-size:%dpx;color:#%@;font-family:%@;%@border-style:%@;"
                "border-width:%dpx;border-color:#%@;text-align:%@;border-radius:%dpx;-moz-border-radius:%"
                "dpx;fixed:%d;%@%@textAlpha:%f;indentFlag:%d;text-indent:%dpx;shapeFlag:%d;groupNumber:%d;"
                "line-height:normal;tableNumber:%d;tableRowSpot:%d;tableColumnSpot:%d;templateName:%@;"
                "manualLayerIndex:%d;linkType:%@;shapeBackgroundColor:%@;nlines:%d;snippetFormattingFlag:%"
                "d;%@%@}%@%@%@%@\n\n"),
            {prefix,
             number,
             backgroundText,
             z,
             fontSize,
             textColor,
             WebFonts::fontFamilyValue(cell ? cell->familyName() : facts.family),
             spacing,
             str(snippet, "borderStyle"),
             num(snippet, "borderWidth"),
             borderColor,
             alignmentOf(facts),
             cornerValue,
             cornerValue,
             num(snippet, "moveLock"),
             opacityText,
             shadowText,
             opacity,
             0,
             0,
             num(snippet, "shapeFlag"),
             num(snippet, "groupNumber"),
             kNone,
             kNone,
             kNone,
             templateName,
             num(snippet, "manualLayerIndex"),
             str(snippet, "linkType"),
             background,
             lines,
             formatted,
             lineHeight,
             cursor,
             hover.keys,
             hover.link,
             visitedRule(selector, textColor, str(snippet, "formType")),
             hover.style});
        if (e.gResponsiveEmailFlag)
            inlineStyle = format(
                QStringLiteral(
                    "%@z-index:%d;font-size:%dpx;color:#%@;font-family:%@;%@border-style:%@;border-width:"
                    "%"
                    "dpx;border-color:#%@;text-align:%@;border-radius:%dpx;-moz-border-radius:%dpx;fixed:%d;%"
                    "@%@line-height:normal;%@%@"),
                {backgroundText, z, fontSize, textColor,
                 WebFonts::fontFamilyValue(cell ? cell->familyName() : facts.family), spacing,
                 str(snippet, "borderStyle"), num(snippet, "borderWidth"), borderColor, alignmentOf(facts),
                 cornerValue, cornerValue, num(snippet, "moveLock"), opacityText, shadowText, lineHeight,
                 cursor});
    }

    // 7. A table cell holds text (the canvas shows it as typed), escaped as in every other shape;
    // only a snippet's code is the author's own markup.
    QString body = cell ? TextEscaping::escapeHtmlText(code) : code;
    if (formatted == 1) {
        body.replace(QLatin1String("\r\n"), QLatin1String("<br>"));
        body.replace(QLatin1String("\r"), QLatin1String("<br>"));
        body.replace(QLatin1String("\n"), QLatin1String("<br>"));
    }
    // Attribute quotes inside the inline style would end it.
    const QString style = inlineStyle.replace(u'\'', QStringLiteral("&#39;"));
    const QString link = str(snippet, "link");
    if (link.isEmpty()) {
        helper->bodyString =
            e.gResponsiveEmailFlag
                ? format(QStringLiteral("<div class=%@snippet%d id=%@snippet%d style='%@'>\n%@\n</div>\n"),
                         {prefix, number, prefix, number, style, body})
                : format(QStringLiteral("<div class=%@snippet%d id=%@snippet%d>\n%@\n</div>\n"),
                         {prefix, number, prefix, number, body});
    } else {
        // 8.
        const QString href = TextEscaping::quotedAttribute(link);
        QString target = str(snippet, "linkOption");
        if (target.isEmpty())
            target = QStringLiteral("_self");
        const QString quotedTarget = TextEscaping::quotedAttribute(target);
        const bool around = str(snippet, "linkType") == QStringLiteral("shape");
        if (e.gResponsiveEmailFlag)
            helper->bodyString =
                around ? format(QStringLiteral("<a href=%@ target=%@><div class=%@snippet%d id=%@snippet%d "
                                               "style='%@'>%@</div></a>\n"),
                                {href, quotedTarget, prefix, number, prefix, number, style, body})
                       : format(QStringLiteral("<div class=%@snippet%d id=%@snippet%d style='%@'><a href=%@ "
                                               "target=%@>%@</a></div>\n"),
                                {prefix, number, prefix, number, style, href, quotedTarget, body});
        else
            helper->bodyString =
                around
                    ? format(QStringLiteral(
                                 "<a href=%@ target=%@><div class=%@snippet%d id=%@snippet%d>%@</div></a>\n"),
                             {href, quotedTarget, prefix, number, prefix, number, body})
                    : format(QStringLiteral(
                                 "<div class=%@snippet%d id=%@snippet%d><a href=%@ target=%@>%@</a></div>\n"),
                             {prefix, number, prefix, number, href, quotedTarget, body});
    }

    // 9.
    helper->javaScriptString =
        clickScript(selectorName, str(snippet, "onClickShowString"), str(snippet, "onClickHideString"));

    if (graphic) {
        helper->rect = graphic->bounds();
        helper->originY = platform::truncToInt(graphic->bounds().y());
    } else if (cell) {
        helper->rect = QRectF(cell->originX(), cell->originY(), cell->width(), cell->height());
        helper->originY = cell->originY();
    }
    return helper;
}
