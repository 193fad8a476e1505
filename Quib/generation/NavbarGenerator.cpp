#include "generation/NavbarGenerator.h"

#include "document/DRVDocument.h"
#include "generation/CellTextGenerator.h"
#include "generation/PageFormat.h"
#include "generation/TextEscaping.h"
#include "generation/WebFonts.h"
#include "model/DRVTable.h"
#include "model/myTextView.h"
#include "platform/Format.h"
#include "platform/Geometry.h"

#include <QTextDocument>

using generation::format;

namespace {

QString text(const QString& value)
{
    return value.isNull() ? QStringLiteral("") : value;
}

QString cellText(const myTextView* cell)
{
    if (!cell)
        return QStringLiteral("");
    return text(cell->textStorage() ? cell->textStorage()->toPlainText() : cell->textView()->string());
}

// A menu entry's text as the page shows it.
QString entryText(const myTextView* cell)
{
    QString escaped = TextEscaping::escapeHtmlText(cellText(cell));
    escaped.replace(u'\n', QStringLiteral("<br>"));
    return escaped;
}

QString entryLink(const myTextView* cell)
{
    return TextEscaping::quotedAttribute(cell ? text(cell->link()) : QStringLiteral(""));
}

QString simpleEntry(const myTextView* cell)
{
    return format(QStringLiteral("<li><a href=%@>%@</a></li>\n"), {entryLink(cell), entryText(cell)});
}

// NAV-OPEN: the bar up to its toggle button, which drives the collapsible part with the given id.
QString navOpen(const QString& id)
{
    return format(
        QStringLiteral("<nav class=\"navbar navbar-default\">\n<div class=container-fluid>\n<div "
                       "class=navbar-header>\n<button type=button class=\"navbar-toggle collapsed\" "
                       "data-toggle=collapse data-target=#%@ aria-expanded=false aria-controls=%@>\n<span "
                       "class=sr-only>Toggle navigation</span>\n<span class=icon-bar></span>\n<span "
                       "class=icon-bar></span>\n<span class=icon-bar></span>\n</button>\n"),
        {id, id});
}

QString listOpen(const QString& id)
{
    return format(
        QStringLiteral(
            "</div>\n<div id=%@ class=\"navbar-collapse collapse\">\n<ul class=\"nav navbar-nav\">\n"),
        {id});
}

// NAV-HEAD: the opening closed and followed by the entry list.
QString navHead(const QString& id)
{
    return navOpen(id) + listOpen(id);
}

const QString kNavClose = QStringLiteral("</ul>\n</div>\n</div>\n</nav>\n");

QString sharedBody(const QString& head, const QString& entries)
{
    return format(QStringLiteral("%@\n%@%@%@\n%@"),
                  {head, QStringLiteral("<!--START NAVIGATION MENU-->"), entries,
                   QStringLiteral("<!--END NAVIGATION MENU-->"), kNavClose});
}

QString fixedHead(const QString& id, const QString& brand)
{
    return format(
        QStringLiteral("<nav class=\"navbar navbar-inverse navbar-fixed-top\"><div class=\"container\"><div "
                       "class=\"navbar-header\"><button type=\"button\" class=\"navbar-toggle collapsed\" "
                       "data-toggle=\"collapse\" data-target=\"#%@\" aria-expanded=\"false\" "
                       "aria-controls=\"%@\"><span class=\"sr-only\">Toggle navigation</span><span "
                       "class=\"icon-bar\"></span><span class=\"icon-bar\"></span><span "
                       "class=\"icon-bar\"></span></button>%@</div><div id=\"%@\" class=\"collapse "
                       "navbar-collapse\"><ul class=\"nav navbar-nav\">"),
        {id, id, brand, id});
}

// The colours and font of the whole bar, from its style cell.
struct BarStyle
{
    QString background; // B
    QString hover;      // H
    QString text;       // X
    QString hoverText;  // Y
    int size = 0;       // Z
    QString family;     // W
    QString rawBackground;
    QString rawHover;
};

BarStyle styleOf(const myTextView* cell)
{
    BarStyle s;
    if (!cell)
        return s;
    s.rawBackground = text(cell->backgroundHexColorString());
    s.rawHover = text(cell->hoverColorString());
    s.background = s.rawBackground == QStringLiteral("CLEAR0") ? QStringLiteral("transparent")
                                                               : QStringLiteral("#") + s.rawBackground;
    s.hover = s.rawHover == QStringLiteral("CLEAR0") ? QStringLiteral("transparent")
                                                     : QStringLiteral("#") + s.rawHover;
    s.text = text(cell->textColorString());
    s.hoverText = text(cell->hoverTextColorString());
    s.size = cell->fontSize();
    s.family = WebFonts::fontFamilyValue(text(cell->familyName()));
    return s;
}

std::shared_ptr<CodeWidgetHelper> newRecord(const DRVTable* table, const QString& body, const QString& css)
{
    auto record = std::make_shared<CodeWidgetHelper>();
    record->bodyString = body;
    record->headerString = css;
    record->javaScriptString = QStringLiteral("");
    record->originY = platform::truncToInt(table->bounds().y());
    return record;
}

const char* const kCenteredCSS =
    ".navbar-default .navbar-nav > li > a:hover, .navbar-default .navbar-nav > li > a:focus {\ncolor: "
    "#%@;\nbackground-color: %@;\nwidth:100%%;\n}\n.navbar-default {\nborder:0px;\nbackground-color: "
    "%@;\nborder-radius:0px;\n}\n.navbar-default .navbar-nav > li > a {\ncolor: "
    "#%@;\nfont-size:%dpx;\nfont-family:"
    "%@;\nwidth:100%%;\n}\n.navbar-brand {\ncolor: #%@ "
    "!important;\nfont-size:%dpx;\nfont-family:%@;\n}\n."
    "navbar-default .navbar-toggle .icon-bar {\nbackground-color: #%@;\n}\n.navbar-toggle "
    "{\nbackground-color: "
    "transparent;\n}\n.navbar-default .navbar-toggle:hover, .navbar-default .navbar-toggle:focus "
    "{\nbackground-color: %@;\n}\n.navbar-toggle:hover .icon-bar {\nbackground-color: #%@;\n}\n.navbar "
    "{\nmargin: "
    "0;\npadding: 0;\n}\n.navbar .navbar-nav {\ndisplay: inline-block;\nfloat: none;\nvertical-align: "
    "top;\n}\n."
    "navbar .navbar-collapse {\ntext-align: center;\n}\n";

const char* const kFixedCSSStart =
    ".navbar .navbar-nav > li > a:hover, .navbar-default .navbar-nav > li > a:focus {\ncolor: "
    "#%@;\nbackground-color: "
    "#%@;\n}\n.navbar {\nborder:0px;\nbackground-color: #%@;\nborder-radius:0px;\n}\n.navbar .navbar-nav > "
    "li > a "
    "{\ncolor: #%@;\nfont-size:%dpx;\nfont-family:%@;\n}\n.navbar-brand {\ncolor: #%@ "
    "!important;\nfont-size:%dpx;\nfont-family:%@;\n}\n.navbar .navbar-toggle .icon-bar {\n    "
    "background-color: "
    "#%@;\n}\n.navbar-toggle {\nbackground-color: transparent;\n}\n.navbar .navbar-toggle:hover, "
    ".navbar-default "
    ".navbar-toggle:focus {\nbackground-color: #%@;\n}\n.navbar-toggle:hover .icon-bar {\nbackground-color: "
    "#%@;\n}\n";

const char* const kFixedCentering = ".navbar .navbar-nav {\ndisplay: inline-block;\nfloat: "
                                    "none;\nvertical-align: top;\n}\n.navbar .navbar-collapse "
                                    "{\ntext-align: center;\n}\n";

const char* const kDropdownCSS =
    ".navbar-default .navbar-nav > li > a:hover, .navbar-default .navbar-nav > li > a:focus {\ncolor: "
    "#%@;\nbackground-color: %@;\nwidth:100%%;\n}\n.navbar-default .navbar-nav>.open>a, .navbar-default "
    ".navbar-nav>.open>a:focus, .navbar-default .navbar-nav>.open>a:hover{\ncolor: #%@;\nbackground-color: "
    "%@;\n}\n.navbar-default {\nborder:0px;\nbackground-color: %@;\nborder-radius:0px;\n}\n.navbar-default "
    ".navbar-nav > li > a {\ncolor: "
    "#%@;\nfont-size:%dpx;\nfont-family:%@;\nwidth:100%%;\n}\n.navbar-brand "
    "{\ncolor: #%@ !important;\nfont-size:%dpx;\nfont-family:%@;\n}\n.navbar-default .navbar-toggle "
    ".icon-bar "
    "{\nbackground-color: #%@;\n}\n.navbar-toggle {\nbackground-color: transparent;\n}\n.navbar-default "
    ".navbar-toggle:hover, .navbar-default .navbar-toggle:focus {\nbackground-color: "
    "%@;\n}\n.navbar-toggle:hover "
    ".icon-bar {\nbackground-color: #%@;\n}\n.navbar {\nmargin: 0;\npadding: 0;\n}\n.navbar .navbar-nav "
    "{\ndisplay: inline-block;\nfloat: none;\nvertical-align: top;\n}\n.navbar .navbar-collapse "
    "{\ntext-align: "
    "center;\n}\n.dropdown-menu > li > a:hover, .dropdown-menu > li > a:focus {\ncolor: "
    "#%@;\nbackground-color: "
    "%@;\nwidth:100%%;\n}\n.dropdown-menu{\nborder:0px;\nbackground-color: "
    "%@;\nborder-radius:0px;\n}\n.dropdown-menu "
    "{\ncolor: #%@;\nfont-size:%dpx;\nfont-family:%@;\nwidth:100%%;\n}\n.dropdown-menu > li > a{\ncolor: "
    "#%@;\nfont-size:%dpx;\nfont-family:%@;\nwidth:100%%;\n}\n.navbar-default .navbar-nav .open "
    ".dropdown-menu>li>a{\ncolor: #%@;\n}\n.navbar-default .navbar-nav .open .dropdown-menu>li>a:hover, "
    ".dropdown-menu>li>a:focus{\ncolor: #%@;\nbackground-color: %@;\nwidth:100%%;\n}\n";

QString fixedCSS(const BarStyle& s, bool centred)
{
    QString css = format(QString::fromLatin1(kFixedCSSStart),
                         {s.hoverText, s.rawHover, s.rawBackground, s.text, s.size, s.family, s.text, s.size,
                          s.family, s.text, s.rawHover, s.hoverText});
    if (centred)
        css += QString::fromLatin1(kFixedCentering);
    return css + QStringLiteral("body {padding-top: 50px;}\n");
}

// The style cell of the fixed bars: the last entry of row 0, or the brand cell of a one-column bar.
const myTextView* fixedStyleCell(const DRVTable* table)
{
    if (table->numOfColumns() > 1)
        return table->grabSelectedTableCellHelper(0, table->numOfColumns() - 1);
    return table->grabSelectedTableCellHelper(0, 0);
}

} // namespace

QString NavbarGenerator::navbarId(const DRVDocument& document, const DRVTable* table)
{
    return format(QStringLiteral("navbar%d"), {CellTextGenerator::tableNumber(document, table)});
}

std::shared_ptr<CodeWidgetHelper> NavbarGenerator::generateNavBar(DRVDocument& document, DRVTable* table)
{
    if (table->cellHelperArray().isEmpty())
        return nullptr;
    const QString id = navbarId(document, table);
    const BarStyle s = styleOf(table->grabSelectedTableCellHelper(0, 0));
    QString brand = QStringLiteral("");
    if (myTextView* brandCell = table->grabSelectedTableCellHelper(0, 0))
        brand = CellTextGenerator::generateTextViewCode(document, brandCell, table, true)->bodyString;
    const QString head =
        format(QStringLiteral("%@\n%@\n"),
               {navOpen(id), format(QStringLiteral("<div class=\"navbar-brand\">%@</div>\n"), {brand})}) +
        listOpen(id);
    QString css = format(
        QStringLiteral(
            ".navbar-default .navbar-nav > li > a:hover, .navbar-default .navbar-nav > li > a:focus "
            "{\ncolor: "
            "#%@;\nbackground-color: %@;\n}\n.navbar-default {\nborder:0px;\nbackground-color: "
            "%@;\nborder-radius:0px;\n}\n.navbar-default .navbar-nav > li > a {\ncolor: "
            "#%@;\nfont-size:%dpx;\nfont-family:%@;\n}\n.navbar-brand {\ncolor: #%@ "
            "!important;\nfont-size:%dpx;\nfont-family:%@;\n}\n.navbar-default .navbar-toggle .icon-bar "
            "{\nbackground-color: #%@;\n}\n.navbar-toggle {\nbackground-color: "
            "transparent;\n}\n.navbar-default "
            ".navbar-toggle:hover, .navbar-default .navbar-toggle:focus {\nbackground-color: "
            "%@;\n}\n.navbar-toggle:hover .icon-bar {\nbackground-color: "
            "#%@;\n}\n.navbar-toggle{\nmargin-top:10px;\nmargin-bottom:10px;}\n.navbar-brand{\npadding:0px;"
            "\nheight:"
            "auto;\nline-height:inherit;\n}\n.navbar {\nmin-height:0px;\nmargin: 0;\npadding: 0;\n}\n"),
        {s.hoverText, s.hover, s.background, s.text, s.size, s.family, s.text, s.size, s.family, s.text,
         s.hover, s.hoverText});
    QString entries = QStringLiteral("");
    for (int row = 0; row < table->numOfRows(); ++row) {
        for (int column = 0; column < table->numOfColumns(); ++column) {
            myTextView* cell = table->grabSelectedTableCellHelper(row, column);
            if (!cell)
                continue;
            const auto fragment = CellTextGenerator::generateTextViewCode(document, cell, table, true);
            css = format(QStringLiteral("%@\n%@"), {css, fragment->headerString});
            if (column != 0)
                entries = format(QStringLiteral("%@\n%@"),
                                 {entries, format(QStringLiteral("<li>%@</li>\n"), {fragment->bodyString})});
        }
    }
    auto record = newRecord(table, sharedBody(head, entries), css);
    record->partOfTableFlag = true;
    return record;
}

std::shared_ptr<CodeWidgetHelper> NavbarGenerator::generateNavBar_centered(DRVDocument& document,
                                                                           DRVTable* table)
{
    if (table->cellHelperArray().isEmpty())
        return nullptr;
    const QString id = navbarId(document, table);
    const BarStyle s = styleOf(table->grabSelectedTableCellHelper(0, table->numOfColumns() - 1));
    const QString css = format(QString::fromLatin1(kCenteredCSS),
                               {s.hoverText, s.hover, s.background, s.text, s.size, s.family, s.text, s.size,
                                s.family, s.text, s.hover, s.hoverText});
    QString entries = QStringLiteral("");
    for (int column = 0; column < table->numOfColumns(); ++column) {
        if (myTextView* cell = table->grabSelectedTableCellHelper(0, column))
            entries = format(QStringLiteral("%@\n%@"), {entries, simpleEntry(cell)});
    }
    return newRecord(table, sharedBody(navHead(id), entries), css);
}

std::shared_ptr<CodeWidgetHelper> NavbarGenerator::generateNavBar_Fixed(DRVDocument& document,
                                                                        DRVTable* table)
{
    if (table->cellHelperArray().isEmpty())
        return nullptr;
    const QString id = navbarId(document, table);
    const myTextView* brandCell = table->grabSelectedTableCellHelper(0, 0);
    const QString brand =
        format(QStringLiteral("<a class=\"navbar-brand\" href=\"#\">%@</a>"), {entryText(brandCell)});
    QString entries = QStringLiteral("");
    for (int column = 1; column < table->numOfColumns(); ++column) {
        if (myTextView* cell = table->grabSelectedTableCellHelper(0, column))
            entries = format(QStringLiteral("%@\n%@"), {entries, simpleEntry(cell)});
    }
    const QString body = format(QStringLiteral("%@\n%@\n%@"), {fixedHead(id, brand), entries, kNavClose});
    return newRecord(table, body, fixedCSS(styleOf(fixedStyleCell(table)), false));
}

std::shared_ptr<CodeWidgetHelper> NavbarGenerator::generateNavBar_Fixed_Centered(DRVDocument& document,
                                                                                 DRVTable* table)
{
    if (table->cellHelperArray().isEmpty())
        return nullptr;
    const QString id = navbarId(document, table);
    const myTextView* brandCell = table->grabSelectedTableCellHelper(0, 0);
    const QString brand = format(QStringLiteral("<a class=\"navbar-brand\" href=%@>%@</a>"),
                                 {entryLink(brandCell), entryText(brandCell)});
    QString entries = QStringLiteral("");
    for (int column = 1; column < table->numOfColumns(); ++column) {
        if (myTextView* cell = table->grabSelectedTableCellHelper(0, column))
            entries = format(QStringLiteral("%@\n%@"), {entries, simpleEntry(cell)});
    }
    const QString body = format(QStringLiteral("%@\n%@\n%@"), {fixedHead(id, brand), entries, kNavClose});
    return newRecord(table, body, fixedCSS(styleOf(fixedStyleCell(table)), true));
}

std::shared_ptr<CodeWidgetHelper> NavbarGenerator::generateDropdownmenu(DRVDocument& document,
                                                                        DRVTable* table)
{
    if (table->cellHelperArray().isEmpty())
        return nullptr;
    const QString id = navbarId(document, table);
    const BarStyle s = styleOf(table->grabSelectedTableCellHelper(0, table->numOfColumns() - 1));
    const QString css =
        format(QString::fromLatin1(kDropdownCSS),
               {s.hoverText, s.hover,  s.hoverText,  s.hover,     s.background, s.text,   s.size,
                s.family,    s.text,   s.size,       s.family,    s.text,       s.hover,  s.hoverText,
                s.hoverText, s.hover,  s.background, s.text,      s.size,       s.family, s.text,
                s.size,      s.family, s.text,       s.hoverText, s.hover});
    QString entries = QStringLiteral("");
    for (int column = 0; column < table->numOfColumns(); ++column) {
        const myTextView* top = table->grabSelectedTableCellHelper(0, column);
        const QString topEntry =
            top && !text(top->link()).isEmpty()
                ? format(QStringLiteral("<li><a href=%@>%@</a>\n"), {entryLink(top), entryText(top)})
                : format(QStringLiteral(
                             "<li class=\"dropdown\">\n<a class=\"dropdown-toggle\" data-toggle=\"dropdown\" "
                             "role=\"button\" aria-haspopup=\"true\" aria-expanded=\"false\">%@</a>\n"),
                         {entryText(top)});
        QString list = QStringLiteral("<ul class=\"dropdown-menu\">");
        for (int row = 1; row < table->numOfRows(); ++row) {
            const myTextView* cell = table->grabSelectedTableCellHelper(row, column);
            if (cell && !cellText(cell).isEmpty())
                list = format(QStringLiteral("%@\n%@"), {list, simpleEntry(cell)});
        }
        list = format(QStringLiteral("%@\n</ul>"), {list});
        entries = format(QStringLiteral("%@\n%@"),
                         {entries, format(QStringLiteral("%@\n%@</li>"), {topEntry, list})});
    }
    return newRecord(table, sharedBody(navHead(id), entries), css);
}
