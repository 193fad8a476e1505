// Ready-made page components: sections, the section template, navigation bars, the drop-down menu,
// the text carousel, collapsible panels, the photo with a hover caption, tear-off strips, the table
// of two column widths, the table of contents and the site map. Each is a DRVTable whose gridType
// names its kind, built from a property dictionary and inserted through the document.
#include "canvas/DRVGraphicView.h"

#include "document/DRVDocument.h"
#include "editions/EditionSettings.h"
#include "model/DRVTable.h"
#include "model/myTextView.h"
#include "platform/Geometry.h"

#include <QTextDocument>
#include <cmath>

namespace {

constexpr int kNoSection = -99;
const QString kHelveticaNeue = QStringLiteral("Helvetica Neue");
const QString kFillerText = QStringLiteral(
    "Lorem ipsum dolor sit amet, consectetur adipiscing elit. Proin eget sem nec tellus blandit "
    "pellentesque. Fusce sit amet mi orci. Etiam malesuada, lorem in pellentesque mollis, turpis velit "
    "rhoncus orci, ac pretium enim urna nec nisl. Suspendisse feugiat mattis mi, a imperdiet neque "
    "hendrerit sed.");
// Editions without the responsive layout have no section size; a section there still needs one.
constexpr int kFallbackSectionWidth = 1200;
constexpr int kFallbackSectionHeight = 300;

int sectionWidth()
{
    const int width = edition().gDefaultSectionWidth;
    return width > 0 ? width : kFallbackSectionWidth;
}

int sectionHeight()
{
    const int height = edition().gDefaultSectionHeight;
    return height > 0 ? height : kFallbackSectionHeight;
}

int whole(double value)
{
    return platform::truncToInt(value);
}

void setText(myTextView* cell, const QString& text)
{
    auto* storage = new QTextDocument;
    storage->setPlainText(text);
    cell->setTextStorage(storage);
}

// The values every component cell starts from, in the order they are set.
myTextView* componentCell(const QString& text, int row, int column)
{
    auto* cell = new myTextView;
    setText(cell, text);
    cell->setRowSpot(row);
    cell->setColumnSpot(column);
    cell->textView()->setFont(DRVTable::fontNamed(QStringLiteral("Actor"), 14));
    DRVGraphicView::setNewCellLook(cell, QStringLiteral("4f4c4c"), QStringLiteral("solid"));
    cell->setTextHexColorString(QStringLiteral("4f4c4c"));
    cell->setFamilyName(kHelveticaNeue);
    cell->setFontSize(15);
    cell->setSectionNumber(kNoSection);
    cell->setSectionRowSpot(kNoSection);
    cell->setSectionColumnSpot(kNoSection);
    return cell;
}

// The look of a cell that is one of the page's links (site map, table of contents).
void styleAsPageLink(myTextView* cell, int fontSize, const QString& textColour, const QString& background,
                     const QString& link)
{
    cell->textView()->setFont(DRVTable::fontNamed(kHelveticaNeue, fontSize));
    DRVGraphicView::setNewCellLook(cell, textColour, QStringLiteral("none"));
    cell->setHoverColorString(QStringLiteral("4682B4"));
    cell->setColorString(background);
    cell->setBackgroundHexColorString(background);
    cell->setLink(link);
}

// The common look of the strip and two-width tables' cells after their text and size.
void styleAsSampleCell(myTextView* cell, int fontSize, const QString& borderLine)
{
    cell->textView()->setFont(DRVTable::fontNamed(kHelveticaNeue, fontSize));
    cell->setFamilyName(kHelveticaNeue);
    cell->setFontSize(fontSize);
    DRVGraphicView::setNewCellLook(cell, QStringLiteral("4f4c4c"), borderLine);
}

// What a component's dictionary holds besides its cells.
struct Component
{
    QString gridType; // none: the table's own default
    int rows = 0;
    int columns = 0;
    QRectF rect;
    QString padding = QStringLiteral("5");
    QString borderStyle = QStringLiteral("solid");
    std::optional<int> sectionNumber;
    QVariantMap extra;
};

DRVTable* buildComponent(const Component& c, const QList<myTextView*>& cells)
{
    QVariantMap p;
    if (c.sectionNumber) {
        p.insert(QStringLiteral("sectionNumber"), QString::number(*c.sectionNumber));
        for (myTextView* cell : cells)
            cell->setSectionNumber(*c.sectionNumber);
    }
    p.insert(QStringLiteral("bounds"), platform::stringFromRect(c.rect));
    p.insert(QStringLiteral("numOfColumns"), QString::number(c.columns));
    p.insert(QStringLiteral("numOfRows"), QString::number(c.rows));
    p.insert(QStringLiteral("padding"), c.padding);
    p.insert(QStringLiteral("cellArray"), QVariant::fromValue(cells));
    p.insert(QStringLiteral("borderStyle"), c.borderStyle);
    p.insert(QStringLiteral("borderWidth"), QStringLiteral("1"));
    p.insert(QStringLiteral("borderHexColorString"), QStringLiteral("000000"));
    if (!c.gridType.isEmpty())
        p.insert(QStringLiteral("gridType"), c.gridType);
    for (auto it = c.extra.constBegin(); it != c.extra.constEnd(); ++it)
        p.insert(it.key(), it.value());
    auto* table = new DRVTable;
    table->initWithProperties(p);
    return table;
}

// Full-width bars: one row of labelled cells across the page at the point's height.
QList<myTextView*> labelledRow(const QStringList& labels)
{
    QList<myTextView*> cells;
    for (int c = 0; c < int(labels.size()); ++c)
        cells.append(componentCell(labels.at(c), 0, c));
    return cells;
}

QStringList numbered(const QString& pattern, int from, int to)
{
    QStringList labels;
    for (int i = from; i <= to; ++i)
        labels.append(pattern.arg(i));
    return labels;
}

} // namespace

// ---- the page list ----

QList<DRVGraphicView::SitePage> DRVGraphicView::sitePages() const
{
    if (m_sitePagesSource) {
        const QList<SitePage> pages = m_sitePagesSource();
        if (!pages.isEmpty())
            return pages;
    }
    // A single page lists itself.
    const DRVDocument* document = m_graphicsContainer;
    if (!document)
        return {};
    const QString stem = document->pageName().isEmpty() ? QStringLiteral("index") : document->pageName();
    QString extension = document->publishExt();
    if (extension.isEmpty())
        extension = document->pageFileExtension();
    if (extension.isEmpty())
        extension = QStringLiteral("html");
    const QString title = document->pageOfficialName().isEmpty() ? stem : document->pageOfficialName();
    return {SitePage{title, stem + u'.' + extension}};
}

// ---- sections ----

void DRVGraphicView::addSection(const QStringList& spans, int count, QPointF point)
{
    const int columns = std::clamp(count, 0, int(spans.size()));
    if (columns == 0)
        return;
    insertNewTable(
        QStringLiteral("Add Section"),
        [&]() -> DRVTable* {
            const int sectionNumber = findNextSectionNumber();
            const int width = sectionWidth();
            const int unit = width / 12;
            QList<myTextView*> cells;
            for (int i = 0; i < columns; ++i) {
                const int span = spans.at(i).toInt();
                myTextView* cell = componentCell(QString(), 0, i);
                cell->setBorderWidth(0);
                cell->setBorderHexColorString(QStringLiteral("228B22"));
                cell->setXsGridColumns(12);
                cell->setWidth(span * unit);
                cell->setSmallGridColumns(span);
                cell->setMediumGridColumns(span);
                cell->setLargeGridColumns(span);
                cells.append(cell);
            }
            const QRectF rect(0, whole(point.y()), width, sectionHeight());
            // The new section must not cover the ones at and below it.
            identifyAndPushSectionsDownward(rect);
            Component c{QStringLiteral("section"), 1, columns, rect};
            c.padding = QStringLiteral("0");
            c.sectionNumber = sectionNumber;
            const QString percent = QStringLiteral("%"), pixel = QStringLiteral("pixel");
            c.extra = {{QStringLiteral("borderWidth"), QStringLiteral("0")},
                       {QStringLiteral("borderHexColorString"), QStringLiteral("228B22")},
                       {QStringLiteral("leftPadding"), QStringLiteral("5")},
                       {QStringLiteral("rightPadding"), QStringLiteral("5")},
                       {QStringLiteral("topPadding"), QStringLiteral("30")},
                       {QStringLiteral("bottomPadding"), QStringLiteral("30")},
                       {QStringLiteral("leftPaddingType"), percent},
                       {QStringLiteral("rightPaddingType"), percent},
                       {QStringLiteral("topPaddingType"), pixel},
                       {QStringLiteral("bottomPaddingType"), pixel},
                       {QStringLiteral("topPaddingLevelString"), QStringLiteral("Medium")},
                       {QStringLiteral("bottomPaddingLevelString"), QStringLiteral("Medium")},
                       {QStringLiteral("leftPaddingLevelString"), QStringLiteral("Small")},
                       {QStringLiteral("rightPaddingLevelString"), QStringLiteral("Small")},
                       {QStringLiteral("topMarginLevelString"), QStringLiteral("None")},
                       {QStringLiteral("bottomMarginLevelString"), QStringLiteral("None")},
                       {QStringLiteral("leftMarginLevelString"), QStringLiteral("None")},
                       {QStringLiteral("rightMarginLevelString"), QStringLiteral("None")}};
            return buildComponent(c, cells);
        },
        true);
}

void DRVGraphicView::addSectionTemplate(int count, QPointF point)
{
    if (count <= 0)
        return;
    insertNewTable(QStringLiteral("Add Section Template"), [&]() -> DRVTable* {
        QList<myTextView*> cells;
        for (int i = 0; i < count; ++i) {
            myTextView* cell = componentCell(QStringLiteral("Item %1").arg(i), 0, i);
            cell->setBorderWidth(5);
            cell->setBorderHexColorString(QStringLiteral("228B22"));
            cell->setXsGridColumns(12);
            cell->setSmallGridColumns(6);
            cell->setMediumGridColumns(4);
            cell->setLargeGridColumns(3);
            // A template is moved like a section, with whatever carries its number: it carries
            // none that a graphic outside the sections (-99) would share.
            cell->setSectionNumber(0);
            cells.append(cell);
        }
        Component c{QStringLiteral("sectionTemplate"), 1, count, QRectF(0, whole(point.y()), 1170, 300)};
        c.padding = QStringLiteral("0");
        c.extra = {{QStringLiteral("borderWidth"), QStringLiteral("2")},
                   {QStringLiteral("borderHexColorString"), QStringLiteral("228B22")}};
        return buildComponent(c, cells);
    });
}

// ---- bars and menus ----

namespace {

Component bar(const QString& gridType, int columns, QPointF point, int width, int sectionNumber)
{
    Component c{gridType, 1, columns, QRectF(0, whole(point.y()), width, 50)};
    c.sectionNumber = sectionNumber;
    return c;
}

} // namespace

void DRVGraphicView::addNavbar(QPointF point)
{
    insertNewTable(QStringLiteral("Add Navigation Bar"), [&]() -> DRVTable* {
        return buildComponent(bar(QStringLiteral("navbar"), 4, point, 1200, findNextSectionNumber()),
                              labelledRow(numbered(QStringLiteral("Item %1"), 0, 3)));
    });
}

void DRVGraphicView::addNavbar_centered(QPointF point)
{
    insertNewTable(QStringLiteral("Add Navigation Bar"), [&]() -> DRVTable* {
        return buildComponent(bar(QStringLiteral("navbar_centered"), 4, point, 1200, findNextSectionNumber()),
                              labelledRow(numbered(QStringLiteral("Item %1"), 0, 3)));
    });
}

void DRVGraphicView::addNavbar_Fixed(QPointF point)
{
    insertNewTable(QStringLiteral("Add Navigation Bar"), [&]() -> DRVTable* {
        return buildComponent(
            bar(QStringLiteral("navbar_fixed"), 5, point, sectionWidth(), findNextSectionNumber()),
            labelledRow(QStringList{QStringLiteral("Brand")} + numbered(QStringLiteral("Link %1"), 1, 4)));
    });
}

void DRVGraphicView::addNavbar_Fixed_Centered(QPointF point)
{
    insertNewTable(QStringLiteral("Add Navigation Bar"), [&]() -> DRVTable* {
        return buildComponent(
            bar(QStringLiteral("navbar_fixed_centered"), 4, point, 400, findNextSectionNumber()),
            labelledRow(QStringList{QStringLiteral("Brand")} + numbered(QStringLiteral("Link %1"), 1, 3)));
    });
}

void DRVGraphicView::addDropdownmenu(QPointF point)
{
    insertNewTable(QStringLiteral("Add Dropdown Menu"), [&]() -> DRVTable* {
        const int sectionNumber = findNextSectionNumber();
        QRectF rect(0, whole(point.y()), 1200, 250);
        if (edition().gResponsiveLayoutFlag) {
            rect = grabSectionRect(point, rect);
            shiftObjectsInSection(point, rect);
        }
        QList<myTextView*> cells;
        for (int r = 0; r < 5; ++r) {
            for (int c = 0; c < 4; ++c)
                cells.append(componentCell(r == 0 ? QStringLiteral("Main Menu Item %1").arg(c)
                                                  : QStringLiteral("Optional submenu item"),
                                           r, c));
        }
        Component component{QStringLiteral("dropdownmenu"), 5, 4, rect};
        component.sectionNumber = sectionNumber;
        return buildComponent(component, cells);
    });
}

void DRVGraphicView::addTextCarousel(QPointF point)
{
    insertNewTable(QStringLiteral("Add Text Carousel"), [&]() -> DRVTable* {
        QRectF rect(0, whole(point.y()), 1200, 200);
        if (edition().gResponsiveLayoutFlag)
            rect = grabSectionRect(point, QRectF(point, QSizeF(200, 200)));
        QList<myTextView*> cells;
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 4; ++c) {
                const QString text =
                    r == 0   ? QStringLiteral("Slide %1").arg(c + 1)
                    : r == 1 ? QStringLiteral(
                                   "Lorem ipsum dolor sit amet, consectetur adipiscing elit. Proin eget sem "
                                   "nec tellus blandit pellentesque. Fusce sit amet mi orci.")
                             : QStringLiteral("Testimony signature");
                myTextView* cell = componentCell(text, r, c);
                if (r != 1) {
                    cell->setFixedHeightFlag(1);
                    cell->setHeight(50);
                }
                cells.append(cell);
            }
        }
        Component component{QStringLiteral("text_carousel"), 3, 4, rect};
        return buildComponent(component, cells);
    });
}

// ---- panels ----

DRVTable* DRVGraphicView::insertPanel(const QString& undoName, const QString& gridType, int rows, QSizeF size,
                                      QPointF point, const QString& alignment,
                                      const std::function<void(myTextView*, int row, QSizeF)>& style)
{
    return insertNewTable(undoName, [&]() -> DRVTable* {
        QRectF rect(QPointF(0, 0), size);
        if (edition().gResponsiveLayoutFlag)
            rect = grabSectionRect(point, QRectF(point, size));
        QList<myTextView*> cells;
        for (int r = 0; r < rows; ++r) {
            myTextView* cell = componentCell(QString(), r, 0);
            cell->setTextAlignment(alignment);
            cell->setWidth(whole(rect.width()));
            style(cell, r, rect.size());
            cells.append(cell);
        }
        Component c{gridType, rows, 1, rect};
        return fitIntoSection(rect.topLeft(), buildComponent(c, cells));
    });
}

void DRVGraphicView::addCollapsibleTextPanel(QPointF point)
{
    insertPanel(QStringLiteral("Add Collapsible Panel"), QStringLiteral("collapsible_text_panel"), 2,
                QSizeF(400, 150), point, QStringLiteral("left"), [](myTextView* cell, int row, QSizeF size) {
                    const double third = size.height() / 3;
                    if (row == 0) {
                        setText(cell, QStringLiteral("Panel header title"));
                        cell->setHeight(whole(third));
                        cell->setFixedHeightFlag(1);
                    } else {
                        setText(cell, kFillerText);
                        cell->setHeight(whole(third + third));
                    }
                });
}

void DRVGraphicView::addCollapsibleImagePanel(QPointF point)
{
    insertPanel(QStringLiteral("Add Collapsible Panel"), QStringLiteral("collapsible_image_panel"), 3,
                QSizeF(400, 450), point, QStringLiteral("left"), [](myTextView* cell, int row, QSizeF size) {
                    // The picture area on top, then the header and the text below it.
                    static const double shares[] = {0.7, 0.1, 0.2};
                    cell->setHeight(whole(shares[row] * size.height()));
                    if (row == 1)
                        setText(cell, QStringLiteral("Panel header title"));
                    else if (row == 2)
                        setText(cell, kFillerText);
                    if (row > 0)
                        cell->setFixedHeightFlag(1);
                });
}

void DRVGraphicView::addPhoto_Hover_Caption(QPointF point)
{
    insertPanel(QStringLiteral("Add Hover Caption"), QStringLiteral("photo_hover_caption"), 2,
                QSizeF(400, 400), point, QStringLiteral("center"),
                [](myTextView* cell, int row, QSizeF size) {
                    cell->setHeight(whole(0.5 * size.height()));
                    if (row != 1)
                        return;
                    setText(cell, QStringLiteral("Image hover caption."));
                    cell->setTextColorString(QStringLiteral("FFFFFF"));
                    cell->setTextHexColorString(QStringLiteral("FFFFFF"));
                    cell->setColorString(QStringLiteral("4f4c4c"));
                    cell->setBackgroundHexColorString(QStringLiteral("4f4c4c"));
                });
}

// ---- strips and the two-width table ----

void DRVGraphicView::insertStrip(bool dark, QPointF point)
{
    insertNewTable(QStringLiteral("Add Tear Off Tabs"), [&]() -> DRVTable* {
        QList<myTextView*> cells;
        for (int r = 0; r < 12; ++r) {
            myTextView* cell = createNewTableCell();
            setText(cell, QStringLiteral("Jane Hall      123-456-7890"));
            cell->setRowSpot(r);
            cell->setColumnSpot(0);
            styleAsSampleCell(cell, 28, QStringLiteral("dashed"));
            if (dark) {
                cell->setTextColorString(QStringLiteral("FFFFFF"));
                cell->setTextHexColorString(QStringLiteral("FFFFFF"));
                cell->setColorString(QStringLiteral("555555"));
                cell->setBackgroundHexColorString(QStringLiteral("555555"));
            }
            cell->textView()->setAlignment(Qt::AlignHCenter);
            cell->setTextAlignment(QStringLiteral("center"));
            cell->setVerticalAlignment(1);
            cells.append(cell);
        }
        Component c{QStringLiteral("table"), 12, 1, QRectF(whole(point.x()), whole(point.y()), 300, 1000)};
        c.padding = QStringLiteral("0");
        c.extra = {{QStringLiteral("fontSize"), QStringLiteral("28")},
                   {QStringLiteral("fontFamily"), kHelveticaNeue}};
        return buildComponent(c, cells);
    });
}

void DRVGraphicView::addTable_Strip(QPointF point)
{
    insertStrip(false, point);
}

void DRVGraphicView::addTable_Strip2(QPointF point)
{
    insertStrip(true, point);
}

void DRVGraphicView::addTable_multiColumnWidth_drag(QPointF point)
{
    insertNewTable(QStringLiteral("Add Table"), [&]() -> DRVTable* {
        QList<myTextView*> cells;
        for (int r = 0; r < 5; ++r) {
            for (int c = 0; c < 2; ++c) {
                auto* cell = new myTextView;
                cell->setRowSpot(r);
                cell->setColumnSpot(c);
                cell->setWidth(c == 0 ? 300 : 100);
                if (c == 1)
                    cell->setFixedWidthFlag(1);
                cell->setHeight(50);
                setText(cell, QStringLiteral("abc"));
                styleAsSampleCell(cell, 25, QStringLiteral("solid"));
                cell->setVerticalAlignment(1);
                cell->setSectionNumber(kNoSection);
                cell->setSectionRowSpot(kNoSection);
                cell->setSectionColumnSpot(kNoSection);
                cells.append(cell);
            }
        }
        Component component{QStringLiteral("table"), 5, 2,
                            QRectF(whole(point.x()), whole(point.y()), 415, 280)};
        return buildComponent(component, cells);
    });
}

// ---- the site's pages ----

void DRVGraphicView::addTableOfContents(QPointF point)
{
    const QList<SitePage> pages = sitePages();
    int titled = 0;
    for (const SitePage& page : pages)
        titled += page.pageTitle.isEmpty() ? 0 : 1;
    // A table of no rows would be an invisible object on the page.
    if (titled == 0)
        return;
    insertNewTable(QStringLiteral("Add Table of Contents"), [&]() -> DRVTable* {
        QList<myTextView*> cells;
        int row = 0;
        for (int i = 0; i < int(pages.size()); ++i) {
            const SitePage& page = pages.at(i);
            // An untitled page gets no row but keeps its place in the numbering.
            if (page.pageTitle.isEmpty())
                continue;
            myTextView* title = createNewTableCell();
            setText(title, page.pageTitle);
            title->setWidth(1000);
            title->setHeight(50);
            myTextView* place = createNewTableCell();
            setText(place, QString::number(i));
            place->setWidth(50);
            place->setHeight(50);
            for (myTextView* cell : {title, place})
                styleAsPageLink(cell, 25, QStringLiteral("555555"), QStringLiteral("CLEAR0"),
                                page.pagePublishFileName);
            title->setRowSpot(row);
            title->setColumnSpot(0);
            place->setRowSpot(row);
            place->setColumnSpot(1);
            place->setFixedWidthFlag(1);
            cells << title << place;
            ++row;
        }
        Component c{QStringLiteral("TableOfContents"), row, 2,
                    QRectF(whole(point.x()), whole(point.y()), 1050, row * 50)};
        c.borderStyle = QStringLiteral("none");
        return buildComponent(c, cells);
    });
}

void DRVGraphicView::addTableOfSitemap(bool horizontal, const QList<SitePage>& pages)
{
    if (pages.isEmpty())
        return;
    insertNewTable(QStringLiteral("Add Site Map"), [&]() -> DRVTable* {
        // Near the visible top-left corner of the page.
        QPointF visible;
        if (parentWidget() != nullptr) {
            const QRect shown = visibleRegion().boundingRect();
            if (!shown.isEmpty())
                visible = canvasPointForViewPoint(shown.topLeft());
        }
        const QPointF origin(whole(visible.x() + 100), whole(visible.y() + 80));
        const int count = int(pages.size());
        const int rows = horizontal ? 1 : count;
        const int columns = horizontal ? count : 1;
        QList<myTextView*> cells;
        for (int i = 0; i < count; ++i) {
            const SitePage& page = pages.at(i);
            myTextView* cell = createNewTableCell();
            setText(cell, page.pageTitle);
            cell->setWidth(350);
            cell->setHeight(40);
            cell->setRowSpot(horizontal ? 0 : i);
            cell->setColumnSpot(horizontal ? i : 0);
            styleAsPageLink(cell, 15, QStringLiteral("FFFFFF"), QStringLiteral("555555"),
                            page.pagePublishFileName);
            cell->setTextHexColorString(QStringLiteral("FFFFFF"));
            cell->setFontSize(15);
            cells.append(cell);
        }
        Component c{QString(), rows, columns, QRectF(origin, QSizeF(columns * 350, rows * 40))};
        c.borderStyle = QStringLiteral("none");
        return buildComponent(c, cells);
    });
}

void DRVGraphicView::addTableOfSitemapHorizontal()
{
    addTableOfSitemap(true, sitePages());
}

void DRVGraphicView::addTableOfSitemapVertical()
{
    addTableOfSitemap(false, sitePages());
}

// ---- the palette's items ----

const QList<DRVGraphicView::LibraryItem>& DRVGraphicView::componentLibraryItems()
{
    using V = DRVGraphicView;
    auto at = [](void (V::*factory)(QPointF)) {
        return [factory](V& view, QPointF point) { (view.*factory)(point); };
    };
    auto section = [](QStringList spans) {
        return [spans](V& view, QPointF point) { view.addSection(spans, int(spans.size()), point); };
    };
    auto table = [](QStringList spans) {
        return [spans](V& view, QPointF point) { view.addTable_Responsive(spans, int(spans.size()), point); };
    };
    auto times = [](int count, const char* span) { return QStringList(count, QString::fromLatin1(span)); };
    static const QList<LibraryItem> items{
        {QStringLiteral("quib_section1"), QStringLiteral("Section - Single Column"), section({"12"})},
        {QStringLiteral("quib_section2"), QStringLiteral("Section - 2 Columns"), section({"6", "6"})},
        {QStringLiteral("quib_section4_8"), QStringLiteral("Section - 4:8 Columns"), section({"4", "8"})},
        {QStringLiteral("quib_section8_4"), QStringLiteral("Section - 8:4 Columns"), section({"8", "4"})},
        {QStringLiteral("quib_section3"), QStringLiteral("Section - 3 Columns"), section(times(3, "4"))},
        {QStringLiteral("quib_section4"), QStringLiteral("Section - 4 Columns"), section(times(4, "3"))},
        {QStringLiteral("quib_section6"), QStringLiteral("Section - 6 Columns"), section(times(6, "2"))},
        {QStringLiteral("quib_section12"), QStringLiteral("Section - 12 Columns"), section(times(12, "1"))},
        {QStringLiteral("quib_section2_10"), QStringLiteral("Section - 2:10 Columns"), section({"2", "10"})},
        {QStringLiteral("quib_section10_2"), QStringLiteral("Section - 10:2 Columns"), section({"10", "2"})},
        {QStringLiteral("quib_webstore_section"), QStringLiteral("Product Section - 4 Columns"),
         [](V& view, QPointF point) { view.addSectionTemplate(4, point); }},
        {QStringLiteral("quib_navbar"), QStringLiteral("Navigation Bar"), at(&V::addNavbar)},
        {QStringLiteral("quib_navbar_centered"), QStringLiteral("Navigation Bar - Centered"),
         at(&V::addNavbar_centered)},
        {QStringLiteral("quib_navbar_fixed"), QStringLiteral("Navigation Bar - Fixed To Top"),
         at(&V::addNavbar_Fixed)},
        {QStringLiteral("quib_navbar_fixed_centered"),
         QStringLiteral("Navigation Bar - Fixed To Top - Centered"), at(&V::addNavbar_Fixed_Centered)},
        {QStringLiteral("quib_dropdownmenu"), QStringLiteral("Dropdown Menu"), at(&V::addDropdownmenu)},
        {QStringLiteral("quib_text_carousel"), QStringLiteral("Text Carousel"), at(&V::addTextCarousel)},
        {QStringLiteral("quib_collapsible_text_panel"), QStringLiteral("Collapsible Text Panel"),
         at(&V::addCollapsibleTextPanel)},
        {QStringLiteral("quib_collapsible_image_panel"), QStringLiteral("Collapsible Image Panel"),
         at(&V::addCollapsibleImagePanel)},
        {QStringLiteral("quib_photo_hover_caption"), QStringLiteral("Image With Hover Caption"),
         at(&V::addPhoto_Hover_Caption)},
        {QStringLiteral("quib_tear_off_tab_1"), QStringLiteral("Tear Off Tabs I"), at(&V::addTable_Strip)},
        {QStringLiteral("quib_tear_off_tab_2"), QStringLiteral("Tear Off Tabs II"), at(&V::addTable_Strip2)},
        {QStringLiteral("quib_table_multiColumnWidth"), QStringLiteral("Table: Wide and Narrow Columns"),
         at(&V::addTable_multiColumnWidth_drag)},
        {QStringLiteral("quib_table_of_contents"), QStringLiteral("Table of Contents"),
         at(&V::addTableOfContents)},
        {QStringLiteral("quib_table"), QStringLiteral("Table"), at(&V::addTable_drag)},
        {QStringLiteral("quib_table1x2"), QStringLiteral("Table: 1x2"), table({"6", "6"})},
        {QStringLiteral("quib_table1x3"), QStringLiteral("Table: 1x3"), table(times(3, "4"))},
        {QStringLiteral("quib_table1x4"), QStringLiteral("Table: 1x4"), table(times(4, "3"))},
        {QStringLiteral("quib_table1x6"), QStringLiteral("Table: 1x6"), table(times(6, "2"))},
        {QStringLiteral("quib_table1_2"), QStringLiteral("Table: 1:2"), table({"4", "8"})},
        {QStringLiteral("quib_table1_3"), QStringLiteral("Table: 1:3"), table({"3", "9"})},
        {QStringLiteral("quib_table1_5"), QStringLiteral("Table: 1:5"), table({"2", "10"})},
        {QStringLiteral("quib_table2_3"), QStringLiteral("Table: 2:3"), table({"4", "6"})},
        {QStringLiteral("quib_table2_1"), QStringLiteral("Table: 2:1"), table({"8", "4"})},
        {QStringLiteral("quib_table3_1"), QStringLiteral("Table: 3:1"), table({"9", "3"})},
        {QStringLiteral("quib_table5_1"), QStringLiteral("Table: 5:1"), table({"10", "2"})},
        {QStringLiteral("quib_table3_2"), QStringLiteral("Table: 3:2"), table({"6", "4"})},
    };
    return items;
}

bool DRVGraphicView::addLibraryItem(const QString& key, QPointF point)
{
    for (const LibraryItem& item : componentLibraryItems()) {
        if (item.key == key) {
            item.make(*this, point);
            return true;
        }
    }
    return false;
}

QHash<QString, DRVGraphicView::Command> DRVGraphicView::withInsertCommands(QHash<QString, Command> commands)
{
    for (const LibraryItem& item : componentLibraryItems()) {
        commands.insert(libraryItemAction(item.key), [make = item.make](DRVGraphicView& view) {
            const QPointF origin = view.calculateOriginPoint();
            make(view, QPointF(whole(origin.x()), whole(origin.y())));
        });
    }
    return commands;
}
