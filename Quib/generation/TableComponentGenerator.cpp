#include "generation/TableComponentGenerator.h"

#include "document/DRVDocument.h"
#include "editions/EditionSettings.h"
#include "generation/CellTextGenerator.h"
#include "generation/PageFormat.h"
#include "generation/TableCellCode.h"
#include "generation/TextBoxGenerator.h"
#include "generation/TextEscaping.h"
#include "model/DRVTable.h"
#include "model/TransformView.h"
#include "model/myTextView.h"
#include "platform/Format.h"
#include "platform/Geometry.h"

using generation::format;

namespace {

QString text(const QString& value)
{
    return value.isNull() ? QStringLiteral("") : value;
}

std::shared_ptr<CodeWidgetHelper> widgetRecord(const DRVTable* table, const QString& body, const QString& css,
                                               const QString& script)
{
    auto record = std::make_shared<CodeWidgetHelper>();
    record->bodyString = body;
    record->headerString = css;
    record->javaScriptString = script;
    record->rect = table->bounds();
    record->originY = platform::truncToInt(table->bounds().y());
    record->partOfTableFlag = true;
    return record;
}

QString firstImageAddress(const DRVDocument& document, const DRVTable* table)
{
    const QList<TransformView*> images = table->imageArray();
    return images.isEmpty() ? QStringLiteral("")
                            : TableComponentGenerator::imageAddress(document, images.first());
}

const char* const kQuoteCarouselCSS =
    "#quote-carousel\n{\npadding: 0 10px 30px 10px;\n    margin-top: 30px;\n}\n#quote-carousel "
    ".carousel-control\n{\n"
    "background: none;\ncolor: #222;\n  font-size: 2.3em;\ntext-shadow: none;\nmargin-top: "
    "30px;\n}\n#quote-carousel "
    ".carousel-indicators\n{\nright: 50%;\ntop: auto;\nbottom: 0px;\nmargin-right: "
    "-19px;\n}\n#quote-carousel "
    ".carousel-indicators li\n{\nbackground: #c0c0c0;\n}\n#quote-carousel .carousel-indicators "
    ".active\n{\nbackground: "
    "#333333;\n}\n.item blockquote {\n    border-left: none;\nmargin: 0;\n}\n#quote-carousel "
    ".carousel-inner{\nmargin-left:50px;\nmargin-right:50px;\nwidth:inherit;\n}\n@media (min-width: 768px) "
    "{\n#quote-carousel\n{\nmargin-bottom: 0;\npadding: 0 40px 30px 40px;\n}\n}\n@media (max-width: 768px) "
    "{\n#quote-carousel "
    ".carousel-inner{\nmargin-left:20px;\nmargin-right:20px;\nwidth:inherit;\n}\n#quote-carousel "
    ".carousel-indicators {\nbottom: -20px !important;\n}\n#quote-carousel .carousel-indicators li "
    "{\ndisplay: "
    "inline-block;\nmargin: 0px 5px;\nwidth: 15px;\nheight: 15px;\n}\n#quote-carousel .carousel-indicators "
    "li.active "
    "{\nmargin: 0px 5px;\nwidth: 20px;\nheight: 20px;\n}\n}\n";

const char* const kImagePanelCSS =
    ".panel-image {\nposition: relative;\n}\n.panel-image img.panel-image-preview {\nwidth: "
    "100%;\nborder-radius: 4px "
    "4px 0px 0px;}\n.panel-image label {\ndisplay: block;\nposition: absolute;\ntop: 0px;\nleft: "
    "0px;\nheight: "
    "100%;\nwidth: 100%;}\n.panel-heading ~ .panel-image img.panel-image-preview {\nborder-radius: "
    "0px;}\n.panel-body "
    "{\noverflow: hidden;}\n.panel-image ~ input[type=checkbox] {\nposition:absolute;\ntop:- 30px;\nz-index: "
    "-1;}\n.panel-image ~ input[type=checkbox] ~ .panel-body {\nheight: 0px;\npadding: 0px;}\n.panel-image ~ "
    "input[type=checkbox]:checked ~ .panel-body {\nheight: auto;\npadding: 15px;}\n.panel-image ~ "
    ".panel-footer a "
    "{\npadding: 0px 10px;\nfont-size: 1.3em;\ncolor: rgb(100, 100, 100);}\n";

} // namespace

bool TableComponentGenerator::isPlainTable(const QString& gridType)
{
    static const QStringList widgets = {QStringLiteral("photo_hover_caption"),
                                        QStringLiteral("text_carousel"),
                                        QStringLiteral("collapsible_text_panel"),
                                        QStringLiteral("collapsible_image_panel"),
                                        QStringLiteral("navbar"),
                                        QStringLiteral("navbar_centered"),
                                        QStringLiteral("dropdownmenu"),
                                        QStringLiteral("navbar_fixed"),
                                        QStringLiteral("navbar_fixed_centered")};
    return !widgets.contains(gridType);
}

QString TableComponentGenerator::quoteCarouselId(const DRVDocument& document, const DRVTable* table)
{
    return format(QStringLiteral("quote-carousel%d"), {CellTextGenerator::tableNumber(document, table)});
}

QString TableComponentGenerator::imageAddress(const DRVDocument& document, const TransformView* image)
{
    if (!image)
        return QStringLiteral("");
    const QString folder = image->selectable() ? text(document.pageName()) : text(image->templateName());
    return format(QStringLiteral("%@/%@o.%@"), {folder, text(image->imageName()), text(image->imageType())});
}

std::shared_ptr<CodeWidgetHelper>
TableComponentGenerator::generateTableCode(DRVDocument& document, DRVTable* table, bool publishFlag)
{
    const int n = CellTextGenerator::tableNumber(document, table);
    TextBoxGenerator::populateTextViewMarginType(table);
    QString box =
        format(QStringLiteral("padding-top:%d%@;padding-bottom:%d%@;padding-left:%d%@;padding-right:%d%@;"
                              "margin-top:%d%@;margin-bottom:%d%@;margin-left:%d%@;margin-right:%d%@;"),
               {table->topPadding(), text(table->topPaddingType()), table->bottomPadding(),
                text(table->bottomPaddingType()), table->leftPadding(), text(table->leftPaddingType()),
                table->rightPadding(), text(table->rightPaddingType()), table->topMargin(),
                text(table->topMarginType()), table->bottomMargin(), text(table->bottomMarginType()),
                table->leftMargin(), text(table->leftMarginType()), table->rightMargin(),
                text(table->rightMarginType())});
    box.replace(QStringLiteral("pixel"), QStringLiteral("px"));

    QString tableText =
        edition().gResponsiveEmailFlag
            ? format(QStringLiteral("<div class=tableGrid%d style=%@>\n<table width=100%%>\n"),
                     {n, TextEscaping::quotedAttribute(box)})
            : format(QStringLiteral("<div class=tableGrid%d>\n<table width=100%%>\n"), {n});
    QString css = format(QStringLiteral(".tableGrid%d td{padding:%dpx;}"), {n, table->padding()});
    QString script = QStringLiteral("");
    table->drawBoxModel();
    const double contentWidth = table->contentRect().width();
    for (int row = 0; row < table->numOfRows(); ++row) {
        QString rowText = QStringLiteral("<tr>\n");
        for (int column = 0; column < table->numOfColumns(); ++column) {
            myTextView* cell = table->grabSelectedTableCellHelper(row, column);
            // A table without content width has no share to give.
            const double share = cell && contentWidth > 0 ? double(cell->width()) / contentWidth : 0.0;
            std::shared_ptr<CodeWidgetHelper> fragment;
            if (TransformView* image = table->grabSelectedImageAtSpot(row, column)) {
                image->setOpacity(1.0f);
                image->setImageEnlargeFlag(0);
                fragment = TableCellCode::imageCode(document, image, publishFlag);
            } else if (cell) {
                cell->setOpacity(float(table->opacity()));
                fragment = TableCellCode::snippetCode(document, cell, table);
            } else {
                fragment = std::make_shared<CodeWidgetHelper>();
            }
            script = format(QStringLiteral("%@\n%@"), {script, fragment->javaScriptString});
            css = format(QStringLiteral("%@\n%@"), {css, fragment->headerString});
            rowText = format(QStringLiteral("%@<td width=\"%d%%\">\n%@\n</td>"),
                             {rowText, platform::truncToInt(share * 100), fragment->bodyString});
        }
        tableText =
            format(QStringLiteral("%@\n%@"), {tableText, format(QStringLiteral("%@\n</tr>"), {rowText})});
    }
    auto record = std::make_shared<CodeWidgetHelper>();
    record->javaScriptString = script;
    record->bodyString = format(QStringLiteral("%@\n</table>\n</div>"), {tableText});
    record->headerString = css;
    record->tableHeaderString = format(QStringLiteral(".tableGrid%d{%@}"), {n, box});
    record->rect = table->bounds();
    record->originY = platform::truncToInt(table->bounds().y());
    record->partOfTableFlag = true;
    return record;
}

std::shared_ptr<CodeWidgetHelper> TableComponentGenerator::generateCollapsibleTextPanel(DRVDocument& document,
                                                                                        DRVTable* table)
{
    const int n = CellTextGenerator::tableNumber(document, table);
    QString css = format(QStringLiteral(".tableGrid%d td{padding:%dpx;}"), {n, table->padding()});
    QString title = QStringLiteral("");
    QString panelBody = QStringLiteral("");
    for (int row = 0; row < table->numOfRows(); ++row) {
        for (int column = 0; column < table->numOfColumns(); ++column) {
            myTextView* cell = table->grabSelectedTableCellHelper(row, column);
            if (!cell)
                continue;
            const auto fragment = CellTextGenerator::generateTextViewCode(document, cell, table, true);
            css = format(QStringLiteral("%@\n%@"), {css, fragment->headerString});
            (row == 0 ? title : panelBody) = fragment->bodyString;
        }
    }
    const QString body = format(
        QStringLiteral(
            "<div class=\"panel-group\">\n<div class=\"panel panel-default\">\n<div "
            "class=\"panel-heading\">\n<h4 class=\"panel-title\">\n<a data-toggle=\"collapse\" "
            "href=\"#collapse%d\">%@</a>\n</h4>\n</div>\n<div id=\"collapse%d\" class=\"panel-collapse "
            "collapse\">\n<div class=\"panel-body\">%@\n</div>\n</div>\n</div>\n</div>\n"),
        {n, title, n, panelBody});
    return widgetRecord(table, body, css, QStringLiteral(""));
}

std::shared_ptr<CodeWidgetHelper> TableComponentGenerator::generateTextCarousel(DRVDocument& document,
                                                                                DRVTable* table)
{
    const QString id = quoteCarouselId(document, table);
    QString css = QString::fromLatin1(kQuoteCarouselCSS);
    css.replace(QStringLiteral("#quote-carousel"), u'#' + id);
    QString indicators = QStringLiteral("<ol class=\"carousel-indicators\">\n");
    QString slides = QStringLiteral("");
    for (int column = 0; column < table->numOfColumns(); ++column) {
        indicators +=
            column == 0 ? format(QStringLiteral(
                                     "<li data-target=\"#%@\" data-slide-to=\"%d\" class=\"active\"></li>\n"),
                                 {id, 0})
                        : format(QStringLiteral("<li data-target=\"#%@\" data-slide-to=\"%d\"></li>\n"),
                                 {id, column});
        const QString opening =
            format(QStringLiteral("%@\n<blockquote>\n<div class=\"row\">\n<div class=\"col-sm-12\">\n"),
                   {column == 0 ? QStringLiteral("<div class=\"item active\">")
                                : QStringLiteral("<div class=\"item\">")});
        QString quote = QStringLiteral("");
        QString author = QStringLiteral("");
        if (myTextView* cell = table->grabSelectedTableCellHelper(1, column)) {
            const auto fragment = CellTextGenerator::generateTextViewCode(document, cell, table, true);
            css = format(QStringLiteral("%@\n%@"), {css, fragment->headerString});
            quote = fragment->bodyString;
        }
        if (myTextView* cell = table->grabSelectedTableCellHelper(2, column)) {
            const auto fragment = CellTextGenerator::generateTextViewCode(document, cell, table, true);
            css = format(QStringLiteral("%@\n%@"), {css, fragment->headerString});
            author = fragment->bodyString;
        }
        slides = format(QStringLiteral("%@\n%@"),
                        {slides, format(QStringLiteral("%@\n%@\n%@\n</div>\n</div>\n</blockquote>\n</div>"),
                                        {opening, quote, author})});
    }
    indicators = format(QStringLiteral("%@\n</ol>"), {indicators});
    const QString arrows = format(
        QStringLiteral(
            "<a data-slide=\"prev\" href=\"#%@\" class=\"left carousel-control\"><span "
            "style=\"font-size:1em;\" class=\"glyphicon glyphicon-chevron-left\" "
            "aria-hidden=\"true\"></span></a>\n<a data-slide=\"next\" href=\"#%@\" class=\"right "
            "carousel-control\"><span style=\"font-size:1em;\" class=\"glyphicon glyphicon-chevron-right\" "
            "aria-hidden=\"true\"></span></a>\n"),
        {id, id});
    const QString body = format(
        QStringLiteral("%@\n%@\n<div class=\"carousel-inner\">%@</div>%@</div>"),
        {format(QStringLiteral("<div class=\"carousel slide\" data-ride=\"carousel\" id=\"%@\">\n"), {id}),
         indicators, slides, arrows});
    const QString script =
        format(QStringLiteral("<script>$(document).ready(function() {\n$('#%@').carousel({\npause: "
                              "true,\ninterval: 20000,\n});\n});\n</script>\n"),
               {id});
    return widgetRecord(table, body, css, script);
}

std::shared_ptr<CodeWidgetHelper>
TableComponentGenerator::generateCollapsibleImagePanel(DRVDocument& document, DRVTable* table)
{
    const int n = CellTextGenerator::tableNumber(document, table);
    QString css = QString::fromLatin1(kImagePanelCSS);
    const QString image = firstImageAddress(document, table);
    QString first = QStringLiteral("");
    QString second = QStringLiteral("");
    for (int row = 1; row < table->numOfRows(); ++row) {
        for (int column = 0; column < table->numOfColumns(); ++column) {
            myTextView* cell = table->grabSelectedTableCellHelper(row, column);
            if (!cell)
                continue;
            const auto fragment = CellTextGenerator::generateTextViewCode(document, cell, table, true);
            css = format(QStringLiteral("%@\n%@"), {css, fragment->headerString});
            if (row == 1)
                first = fragment->bodyString;
            else if (row == 2)
                second = fragment->bodyString;
        }
    }
    const QString body = format(
        QStringLiteral("<div class=\"panel panel-default\">\n<div class=\"panel-image\">\n<img src=%@ "
                       "class=\"panel-image-preview\" />\n<label for=\"toggle-%d\"></label>\n</div>\n<input "
                       "type=\"checkbox\" id=\"toggle-%d\" class=\"panel-image-toggle\">\n<div "
                       "class=\"panel-body\">\n%@\n%@\n</div>\n<div class=\"panel-footer "
                       "text-center\">\n</div>\n</div>\n"),
        {TextEscaping::quotedAttribute(image), n, n, first, second});
    return widgetRecord(table, body, css, QStringLiteral(""));
}

std::shared_ptr<CodeWidgetHelper> TableComponentGenerator::generatePhoto_Hover_Caption(DRVDocument& document,
                                                                                       DRVTable* table)
{
    const int n = CellTextGenerator::tableNumber(document, table);
    QString css = format(QStringLiteral(".tableGrid%d td{padding:%dpx;}"), {n, table->padding()});
    QString captionColor = QStringLiteral("");
    double captionOpacity = 0;
    QString caption = QStringLiteral("");
    const QString image = firstImageAddress(document, table);
    for (int row = 1; row < table->numOfRows(); ++row) {
        for (int column = 0; column < table->numOfColumns(); ++column) {
            myTextView* cell = table->grabSelectedTableCellHelper(row, column);
            if (!cell)
                continue;
            captionColor = text(cell->backgroundHexColorString());
            captionOpacity = cell->alphaValue();
            const auto fragment = CellTextGenerator::generateTextViewCode(document, cell, table, true);
            css = format(QStringLiteral("%@\n%@"), {css, fragment->headerString});
            if (row == 1) {
                caption = fragment->bodyString;
                if (!text(cell->link()).isEmpty())
                    caption = format(QStringLiteral("<a href=%@>%@</a>"),
                                     {TextEscaping::quotedAttribute(cell->link()), caption});
            }
        }
    }
    css = format(
        QStringLiteral("%@\n.thumbnail {\nposition:relative;\noverflow:hidden;\n}\n.caption%d{\nposition:"
                       "absolute;\ntop:0;\nright:0;\nbackground-color:#%@;\nwidth:100%%;\nheight:100%%;\n"
                       "padding:2%%;\nopacity:%f;\ndisplay: none;\ntext-align:center;\ncolor:#fff "
                       "!important;\nz-index:2;\n}\n"),
        {css, n, captionColor, captionOpacity});
    const QString body =
        format(QStringLiteral(
                   "<div class=\"thumbnail\">\n<div class=\"caption%d\">\n%@\n</div>\n<img src=%@>\n</div>"),
               {n, caption, TextEscaping::quotedAttribute(image)});
    const QString script = format(
        QStringLiteral(
            "<script>\n$( document ).ready(function() {\n$(\"[rel='tooltip']\").tooltip();\n$('.thumbnail')."
            "hover(\nfunction(){\n$(this).find('.caption%d').slideDown(1250);\n},\nfunction(){\n$(this)."
            "find('.caption%d').slideUp(500);\n}\n);\n});\n</script>"),
        {n, n});
    return widgetRecord(table, body, css, script);
}
