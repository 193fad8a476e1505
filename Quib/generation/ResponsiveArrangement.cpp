#include "generation/ResponsiveArrangement.h"

#include "document/DRVDocument.h"
#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "generation/CssDeclarations.h"
#include "generation/PageFormat.h"
#include "generation/TextEscaping.h"
#include "model/DRVTable.h"
#include "model/TransformView.h"
#include "model/myTextView.h"
#include "platform/Format.h"
#include "platform/Geometry.h"

using generation::format;
using platform::truncToInt;

namespace {

const QString kClearColor = QStringLiteral("CLEAR0");
const QString kSectionTemplate = QStringLiteral("sectionTemplate");

QString text(const QString& value)
{
    return value.isNull() ? QStringLiteral("") : value;
}

// A unit that was never set reads as "%", as it does for every other element. Units and colours
// come from the page: nothing in them may end a rule or the style attribute of an e-mail.
QString unit(const QString& value)
{
    return value.isEmpty() || value == QLatin1String("(null)") ? QStringLiteral("%")
                                                               : TextEscaping::cssRuleValue(value);
}

QString attributeText(QString value)
{
    value.replace(u'&', QStringLiteral("&amp;"));
    value.replace(u'"', QStringLiteral("&quot;"));
    value.replace(u'<', QStringLiteral("&lt;"));
    return value;
}

QString colour(const QString& value)
{
    return TextEscaping::cssColourValue(value);
}

QRectF columnRect(const myTextView* cell)
{
    return QRectF(cell->originX(), cell->originY(), cell->width(), cell->height());
}

QString sectionBox(const DRVTable* s)
{
    QString box = format(
        QStringLiteral(
            "padding-top:%d%@;padding-bottom:%d%@;padding-left:%d%@;padding-right:%d%@;margin-left:%d%@;"
            "margin-right:%d%@;margin-top:%d%@;margin-bottom:%d%@;-webkit-border-horizontal-spacing:0;"
            "-webkit-border-vertical-spacing:0;"),
        {s->topPadding(), unit(s->topPaddingType()), s->bottomPadding(), unit(s->bottomPaddingType()),
         s->leftPadding(), unit(s->leftPaddingType()), s->rightPadding(), unit(s->rightPaddingType()),
         s->leftMargin(), unit(s->leftMarginType()), s->rightMargin(), unit(s->rightMarginType()),
         s->topMargin(), unit(s->topMarginType()), s->bottomMargin(), unit(s->bottomMarginType())});
    box.replace(QStringLiteral("pixel"), QStringLiteral("px"));
    box.replace(QStringLiteral(":0%;"), QStringLiteral(":0;"));
    return box;
}

// The margins that keep a claimed element's distance to the column's edges and to the next
// element below; replaces the zero margin declarations its generator wrote.
struct MarginEdit
{
    QString topTarget;
    QString bottomTarget;
    bool emailEdition = false;

    void apply(QString& css, QString& body, const QString& property, const QString& zero,
               const QString& margins) const
    {
        css = CssDeclarations::replaceDeclaration(css, property, zero, margins);
        if (emailEdition)
            body = CssDeclarations::replaceDeclaration(body, property, zero, margins,
                                                       CssDeclarations::Scope::StyleAttributes);
    }
};

} // namespace

ResponsiveArrangement::ResponsiveArrangement(DRVDocument& document) : m_document(document) {}

bool ResponsiveArrangement::isSection(const DRVGraphic* graphic)
{
    const QString kind = graphic ? graphic->gridType() : QString();
    return kind == QLatin1String("section") || kind == kSectionTemplate;
}

void ResponsiveArrangement::populateSourceCodeArrayOriginY()
{
    for (const auto& fragment : m_document.sourceCodeArray())
        fragment->originY = truncToInt(fragment->rect.y());
}

bool ResponsiveArrangement::isThisTheTopMostItemInSection(const QRectF& fragment, const QRectF& column) const
{
    for (const auto& other : m_document.sourceCodeArray()) {
        if (platform::rectIntersectsRect(other->rect, column) && other->rect.y() < fragment.y())
            return false;
    }
    return true;
}

bool ResponsiveArrangement::isThisTheBottomMostItemInSection(const QRectF& fragment,
                                                             const QRectF& column) const
{
    for (const auto& other : m_document.sourceCodeArray()) {
        if (platform::rectIntersectsRect(other->rect, column) && other->rect.y() > fragment.y())
            return false;
    }
    return true;
}

QRectF ResponsiveArrangement::grabRectOfNextItemInSection(const QRectF& fragment, const QRectF& column) const
{
    for (const auto& other : m_document.sourceCodeArray()) {
        if (!other->addedToGrid && platform::rectIntersectsRect(other->rect, column) &&
            other->rect.y() > fragment.y())
            return other->rect;
    }
    return QRectF();
}

bool ResponsiveArrangement::doColumnsHaveDifferentBackgroundColors(const DRVTable* section)
{
    const QList<myTextView*> cells = section->cellHelperArray();
    for (qsizetype i = 1; i < cells.size(); ++i) {
        if (cells.at(i)->backgroundHexColorString() != cells.at(i - 1)->backgroundHexColorString())
            return true;
    }
    return false;
}

bool ResponsiveArrangement::isGraphicInASection(const DRVGraphic* graphic) const
{
    for (const DRVGraphic* other : m_document.graphics()) {
        if (other != graphic && isSection(other) &&
            platform::rectIntersectsRect(other->bounds(), graphic->bounds()))
            return true;
    }
    return false;
}

std::shared_ptr<CodeWidgetHelper> ResponsiveArrangement::arrangeResponsiveElements(DRVTable* s)
{
    const EditionSettings& e = edition();
    const bool email = e.gResponsiveEmailFlag;

    // 1. Fragments in top-to-bottom order.
    populateSourceCodeArrayOriginY();
    m_document.setSourceCodeArray(DataCentre::sortArray(
        m_document.sourceCodeArray(), [](const std::shared_ptr<CodeWidgetHelper>& f) { return f->originY; },
        true));

    // 2. The section's number names its classes: the graphic on top has the highest.
    const int n = int(m_document.graphics().size() - m_document.graphics().indexOf(s));

    // 3. Section pieces.
    const TransformView* image = s->tableBackgroundImage();
    const QString minHeight =
        image ? format(QStringLiteral("min-height:%fpx;"), {s->bounds().height()}) : QStringLiteral("");
    const QString folder =
        image && !image->selectable() ? QStringLiteral("basetemplate") : text(m_document.pageName());
    const QString imageAddress = image ? format(QStringLiteral("%@/%@.%@"),
                                                {folder, text(image->imageName()), text(image->imageType())})
                                       : QStringLiteral("");
    const QString backgroundImage =
        image ? format(QStringLiteral("background: url(%@) no-repeat center top;\n-webkit-background-size: "
                                      "cover;\n-moz-background-size: cover;\n-o-background-size: "
                                      "cover;\nbackground-size: cover;\n"),
                       {TextEscaping::cssString(imageAddress)})
              : QStringLiteral("");
    const QString hidden =
        s->initialLaunchStateFlag() == 1 ? QStringLiteral("display:none;") : QStringLiteral("");
    const QString box = sectionBox(s);

    // 4. Section rule; columns of different colours are evened out in height by script.
    QString css;
    QString script = QStringLiteral("");
    if (!doColumnsHaveDifferentBackgroundColors(s)) {
        css = format(QStringLiteral(".section%d{\n%@\nbackground-color:#%@;\n%@\n%@\n%@\n}\n"),
                     {n, box, colour(s->backgroundHexColorString()), backgroundImage, minHeight, hidden});
    } else {
        css = format(QStringLiteral(".section%d{\n%@\n%@\n%@\n%@\n}\n"),
                     {n, box, backgroundImage, minHeight, hidden});
        if (!email)
            script = format(
                QStringLiteral("<script>\n$( document ).ready(function() {\nvar heights = "
                               "$(\".section%d_column\").map(function() {\nreturn "
                               "$(this).height();\n}).get(),\nmaxHeight = "
                               "Math.max.apply(null, heights);\n$(\".section%d_column\").height(maxHeight);"
                               "\n});\n</script>\n"),
                {n, n});
    }
    QString javaScript = script;

    // 5. Opening.
    QString opening;
    if (!email) {
        const QString id = s->sectionIDString().isEmpty()
                               ? QStringLiteral("")
                               : format(QStringLiteral(" id=\"%@\""), {attributeText(s->sectionIDString())});
        opening = format(QStringLiteral("<div class=\"container-fluid\">\n<div class=\"row section%d\"%@>"),
                         {n, id});
    } else if (image) {
        opening = format(QStringLiteral("<table width=\"100%%\" style='%@' background='%@'><tr>"),
                         {box, TextEscaping::escapeHtmlAttribute(imageAddress)});
    } else if (s->backgroundHexColorString() != kClearColor) {
        opening = format(QStringLiteral("<table width=\"100%%\" bgcolor=#%@ style='%@'><tr>"),
                         {colour(s->backgroundHexColorString()), box});
    } else {
        opening = format(QStringLiteral("<table width=\"100%%\" style='%@'><tr>"), {box});
    }

    // 6. Columns.
    QString columns = QStringLiteral("");
    QString responseBodies = QStringLiteral("");
    QString messageBodies = QStringLiteral("");
    const bool isTemplate = s->gridType() == kSectionTemplate;
    const QList<myTextView*> cells = s->cellHelperArray();
    for (qsizetype i = 0; i < cells.size(); ++i) {
        const myTextView* cell = cells.at(i);
        const bool marked = isTemplate && i == 0;
        const QString columnRule = format(QStringLiteral(".section%d_%d{\nbackground-color:#%@;height:100%%;"
                                                         "\npadding-right:0px;\npadding-left:0px;\n}\n"),
                                          {n, int(i), colour(cell->backgroundHexColorString())});
        QString columnOpening;
        if (!email) {
            columnOpening =
                format(QStringLiteral("<div class=\"section%d_column section%d_%d col-xs-%d col-sm-%d "
                                      "col-md-%d col-lg-%d\">\n"),
                       {n, n, int(i), cell->xsGridColumns(), cell->smallGridColumns(),
                        cell->mediumGridColumns(), cell->largeGridColumns()});
        } else {
            const QString cellColour = colour(cell->backgroundHexColorString());
            const QString background = cellColour.isEmpty() || cellColour == kClearColor
                                           ? QStringLiteral("")
                                           : format(QStringLiteral("background-color:#%@;"), {cellColour});
            const QString alignment =
                cell->verticalAlignment() == 1   ? QStringLiteral("vertical-align:middle;")
                : cell->verticalAlignment() == 2 ? QStringLiteral("vertical-align:bottom;")
                                                 : QStringLiteral("");
            columnOpening =
                format(QStringLiteral("<td style=\"width:%d%%;%@%@\" class=\"columnContainer\">\n"),
                       {cell->mediumGridColumns() * 100 / 12, background, alignment});
        }
        if (marked)
            columnOpening = QStringLiteral("<!--SECTION TABLE START-->") + u'\n' + columnOpening + u'\n';

        QString content = columnOpening;
        QString columnCSS = QStringLiteral("");
        const QRectF c = columnRect(cell);
        for (const auto& f : m_document.sourceCodeArray()) {
            if (f->addedToGrid || !platform::rectIntersectsRect(f->rect, c))
                continue;
            f->addedToGrid = true;
            const int fx = truncToInt(f->rect.x());
            const int fy = truncToInt(f->rect.y());
            const int fw = truncToInt(f->rect.width());
            const int fh = truncToInt(f->rect.height());

            // The absolute position its generator wrote.
            f->headerString = CssDeclarations::removeDeclaration(f->headerString, QStringLiteral("left"),
                                                                 format("%dpx", {fx}));
            f->headerString = CssDeclarations::removeDeclaration(f->headerString, QStringLiteral("top"),
                                                                 format("%dpx", {fy}));

            const bool inTable = f->partOfTableFlag;
            if (inTable || (!f->noMarginAddOnFlag && f->responsiveResizeFlag == 0)) {
                QString& rules = inTable ? f->tableHeaderString : f->headerString;
                const MarginEdit edit{inTable ? QStringLiteral("0px") : QStringLiteral("0"),
                                      inTable ? QStringLiteral("0px") : QStringLiteral("0"), email};
                rules = CssDeclarations::replaceDeclaration(
                    rules, QStringLiteral("width"), format("%dpx", {fw}), QStringLiteral("width:100%;"));
                rules = CssDeclarations::replaceDeclaration(
                    rules, QStringLiteral("height"), format("%dpx", {fh}), QStringLiteral("height:100%;"));
                rules = CssDeclarations::removeDeclaration(rules, QStringLiteral("position"),
                                                           QStringLiteral("absolute"));
                QString margins = QStringLiteral("");
                if (isThisTheTopMostItemInSection(f->rect, c)) {
                    margins = format(QStringLiteral("margin-top:%dpx;"), {truncToInt(f->rect.y() - c.y())});
                    edit.apply(rules, f->bodyString, QStringLiteral("margin-top"), edit.topTarget, margins);
                }
                if (isThisTheBottomMostItemInSection(f->rect, c)) {
                    margins += format(QStringLiteral("margin-bottom:%dpx;"),
                                      {truncToInt((c.y() + c.height()) - (f->rect.y() + f->rect.height()))});
                    edit.apply(rules, f->bodyString, QStringLiteral("margin-bottom"), edit.bottomTarget,
                               margins);
                }
                const QRectF next = grabRectOfNextItemInSection(f->rect, c);
                if (!next.isNull()) {
                    margins += format(QStringLiteral("margin-bottom:%dpx;"),
                                      {truncToInt(next.y() - (f->rect.y() + f->rect.height()))});
                    edit.apply(rules, f->bodyString, QStringLiteral("margin-bottom"), edit.bottomTarget,
                               margins);
                }
                if (inTable)
                    f->headerString = text(f->tableHeaderString) + u'\n' + text(f->headerString);
            }

            content = content + u'\n' + text(f->bodyString);
            columnCSS = columnCSS + u'\n' + text(f->headerString);
            if (!f->formResponseBody.isEmpty() && !responseBodies.contains(f->formResponseBody))
                responseBodies += f->formResponseBody;
            if (!f->formMessageBody.isEmpty() && !messageBodies.contains(f->formMessageBody))
                messageBodies += f->formMessageBody;
            if (!f->javaScriptString.isEmpty())
                javaScript = javaScript + u'\n' + f->javaScriptString;
        }

        columns =
            columns + u'\n' + content + u'\n' + (email ? QStringLiteral("</td>") : QStringLiteral("</div>"));
        if (marked)
            columns += QStringLiteral("\n<!--SECTION TABLE END-->\n");
        css = css + u'\n' + columnCSS + u'\n' + columnRule + u'\n';
    }

    // 7. The section's fragment.
    auto result = std::make_shared<CodeWidgetHelper>();
    result->bodyString = email ? opening + u'\n' + columns + u'\n' + QStringLiteral("</tr></table>\n") + u'\n'
                               : opening + u'\n' + columns + u'\n' + QStringLiteral("</div>\n") + u'\n' +
                                     QStringLiteral("</div>");
    result->headerString = email ? QStringLiteral("") : css;
    result->javaScriptString = javaScript;
    result->originY = truncToInt(s->bounds().y());
    result->formMessageBody = messageBodies;
    result->formResponseBody = responseBodies;
    return result;
}
