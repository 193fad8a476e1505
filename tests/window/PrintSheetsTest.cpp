// Label sheets and cards through the window's commands: every page's picture at its cell of a
// letter PDF, papers printed at their real size through the print panel, greeting cards turned by
// their fold, a manual without its base template, and a long job that leaves the main thread free.
#include "PageListTestSupport.h"

#include "editions/DataCentre.h"
#include "editions/LabelHelper.h"
#include "editions/PrintSheetGeometry.h"
#include "model/DRVRectangle.h"
#include "print/PdfCheck.h"
#include "print/PrintPanel.h"
#include "print/PrintStart.h"
#include "print/SheetSet.h"
#include "window/EditionToolbar.h"
#include "window/FontOrnamentWindowController.h"

#include <QAction>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

const QString kThirty = QStringLiteral("Label - 30 Per Letter Sheet");

struct BusyLog : DataCentre::ProgressDisplay
{
    void show() override
    {
        ++shown;
        up = true;
    }
    void update(qint32, qint32, const QString&) override {}
    void dismiss() override { up = false; }
    int shown = 0;
    bool up = false;
};

class PrintSheetsTest : public PageListTest
{
protected:
    explicit PrintSheetsTest(const QString& editionName = QStringLiteral("Kestrin Label Maker"))
        : PageListTest(editionName)
    {
        DataCentre::loadPrintLabels();
        EditionSettings& e = edition();
        e.gPaperSizeControlFlag = false;
        e.set(e.gSelectedLabelSheet, kThirty);
        e.set(e.gCanvasRotation, 0);
        gPrintStartRow = 0;
        gPrintStartColumn = 0;
        DataCentre::setProgressDisplay(&busy);
    }
    ~PrintSheetsTest() override
    {
        DataCentre::setProgressDisplay(nullptr);
        gPrintStartRow = 0;
        gPrintStartColumn = 0;
    }

    static QColor colourOf(int i) { return QColor::fromHsv((i * 67) % 360, 255, 200); }

    // A page whose saved picture is one solid colour.
    PageRecord colouredPage(const QString& stem, const QColor& colour)
    {
        PageRecord page = addPage(stem, stem, colour.name().mid(1));
        QImage picture(QSize(378, 144), QImage::Format_RGB32);
        picture.fill(colour);
        EXPECT_TRUE(picture.save(page.imagePath));
        return page;
    }

    // Where a cell's centre lands on a 72-dpi rendering of the sheet, margins included.
    static QPoint cellCentre(int row, int column)
    {
        return pdfcheck::cellCentre(printSheetGeometry(), row, column);
    }

    // A real click on the edition bar's button for that action; false when the bar has none or it
    // is disabled.
    bool clickBarButton(const QString& action)
    {
        EditionToolbar* bar = controller.editionToolBar();
        QAction* item = bar ? bar->actionWithId(action) : nullptr;
        QWidget* button = item ? bar->widgetForAction(item) : nullptr;
        if (!button || !item->isEnabled())
            return false;
        QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
        QApplication::processEvents();
        return true;
    }

    BusyLog busy;
    ScriptedPrintPanel printPanel;
};

} // namespace

// Three pages of three colours: "Export Different Labels" writes one letter page with each colour
// at its cell's centre and the rest of the sheet white; a name without extension gets ".PDF".
TEST_F(PrintSheetsTest, ExportedSheetHoldsEveryPageAtItsCell)
{
    if (!pdfcheck::havePoppler())
        return;
    QList<PageRecord> pages;
    for (int i = 0; i < 4; ++i)
        pages.append(colouredPage(QStringLiteral("label%1").arg(i), colourOf(i)));
    openProject(pages);
    gPrintStartRow = 2;
    gPrintStartColumn = 2;
    dialogs->queueSavePanelAnswer(m_store.filePath(QStringLiteral("labels")));
    ASSERT_TRUE(controller.performAction(QStringLiteral("exportSheetDifferentLabels:")));

    ASSERT_EQ(dialogs->saveRequests().size(), 1);
    EXPECT_EQ(dialogs->saveRequests().constFirst().fileName, QStringLiteral("LabelSheet"));
    const QString pdf = m_store.filePath(QStringLiteral("labels.PDF"));
    ASSERT_TRUE(QFile::exists(pdf));
    EXPECT_EQ(busy.shown, 1);
    EXPECT_FALSE(busy.up);
    EXPECT_EQ(pdfcheck::pageCount(pdf), 1);
    EXPECT_EQ(pdfcheck::pageSize(pdf), QSizeF(612, 792));
    const QImage sheet = pdfcheck::pagePixels(pdf);
    ASSERT_EQ(sheet.size(), QSize(612, 792));
    sheet.save(artefactPath(QStringLiteral("label-sheet.png")));
    // From row 2, column 2: (1,1), (1,2), then (2,0), (2,1).
    const QList<QPoint> cells{cellCentre(1, 1), cellCentre(1, 2), cellCentre(2, 0), cellCentre(2, 1)};
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(pdfcheck::near(sheet.pixel(cells[i]), colourOf(i))) << "page " << i;
    for (const QPoint blank :
         {cellCentre(0, 0), cellCentre(1, 0), cellCentre(2, 2), cellCentre(9, 2), QPoint(5, 5)})
        EXPECT_TRUE(pdfcheck::near(sheet.pixel(blank), Qt::white)) << blank.x() << "," << blank.y();
}

// The same label on every cell: with no tile for the open page, the open page itself is drawn (never
// another page's picture). Each template paper prints at its real size.
TEST_F(PrintSheetsTest, PrintedSheetsUseTheTemplatePaper)
{
    if (!pdfcheck::havePoppler())
        return;
    openProject({colouredPage(QStringLiteral("first"), Qt::red)});
    // The open page has no tile of its own: pretend it was saved elsewhere.
    controller.siteIconArray().first().pageName = QStringLiteral("other.quibpage");
    controller.refreshPageListingDisplay();
    struct PaperCase
    {
        const char* paper;
        QSizeF points;
    };
    const QList<PaperCase> cases{{"na-letter", {612, 792}},
                                 {"A4", {595.276, 841.89}},
                                 {"iso-designated-long-envelope", {311.811, 623.622}},
                                 {"Tabloid Oversize", {864, 1296}}};
    for (const PaperCase& c : cases) {
        SCOPED_TRACE(c.paper);
        LabelTemplateHelper helper = document.labelTemplateHelper();
        helper.paperSize = QString::fromLatin1(c.paper);
        document.setLabelTemplateHelper(helper);
        const QString pdf = m_store.filePath(QString::fromLatin1(c.paper) + QStringLiteral(".pdf"));
        printPanel.queueAnswer(pdf);
        ASSERT_TRUE(controller.performAction(QStringLiteral("printSheetWithSameLabels:")));
        const QSizeF size = pdfcheck::pageSize(pdf);
        EXPECT_NEAR(size.width(), c.points.width(), 0.5);
        EXPECT_NEAR(size.height(), c.points.height(), 0.5);
        EXPECT_EQ(pdfcheck::pageCount(pdf), 1);
    }
    // The open page's own line colour, not the red of the only tile.
    const QImage sheet = pdfcheck::pagePixels(m_store.filePath(QStringLiteral("na-letter.pdf")));
    EXPECT_FALSE(pdfcheck::near(sheet.pixel(cellCentre(0, 0)), Qt::red, 40));

    // Cancelling the panel prints nothing.
    const int before = int(printPanel.requests.size());
    printPanel.queueAnswer(QString());
    controller.performAction(QStringLiteral("printSheetWithSameLabels:"));
    EXPECT_EQ(printPanel.requests.size(), before + 1);
}

// A sheet layout with no cells is refused with an alert and no panel.
TEST_F(PrintSheetsTest, SheetWithoutCellsIsRefused)
{
    openProject({colouredPage(QStringLiteral("first"), Qt::red)});
    // A layout of no cells in force (the catalogue has none, but nothing else prevents it).
    LabelHelper empty = *DataCentre::grabLabelHelper(kThirty);
    empty.printNumOfRowsPerSheet = 0;
    DataCentre::resetPrintCanvas(&empty);
    edition().set(edition().gSelectedLabelSheet, QStringLiteral("no such sheet"));
    controller.performAction(QStringLiteral("exportSheetSameLabel:"));
    DataCentre::resetPrintCanvas(DataCentre::grabLabelHelper(kThirty));
    ASSERT_EQ(dialogs->alerts().size(), 1);
    EXPECT_EQ(dialogs->alerts().constFirst().title, QStringLiteral("No Label Sheet"));
    EXPECT_TRUE(dialogs->saveRequests().isEmpty());
}

// A manual prints every page but the base template, one page each, in list order.
TEST_F(PrintSheetsTest, ManualPrintsEveryPageButTheBaseTemplate)
{
    if (!pdfcheck::havePoppler())
        return;
    PageRecord base = colouredPage(QStringLiteral("basetemplate"), Qt::gray);
    base.pagePublishFileName = QStringLiteral("basetemplate.html");
    openProject({colouredPage(QStringLiteral("a"), Qt::red), base,
                 colouredPage(QStringLiteral("b"), Qt::green), colouredPage(QStringLiteral("c"), Qt::blue)});
    const QString pdf = m_store.filePath(QStringLiteral("manual.pdf"));
    printPanel.queueAnswer(pdf);
    ASSERT_TRUE(controller.performAction(QStringLiteral("printManual:")));
    EXPECT_EQ(pdfcheck::pageCount(pdf), 3);
    EXPECT_TRUE(dialogs->alerts().isEmpty());

    // Only the base template: nothing to print, said so, and no panel.
    controller.siteIconArray() = {base};
    const int panels = int(printPanel.requests.size());
    controller.performAction(QStringLiteral("printManual:"));
    EXPECT_EQ(printPanel.requests.size(), panels);
    ASSERT_EQ(dialogs->alerts().size(), 1);
    EXPECT_EQ(dialogs->alerts().constFirst().title, QStringLiteral("Nothing to Print"));
}

// A hundred sheets are painted on a worker: a main-thread timer keeps firing while the busy window
// is up, and every sheet reaches the file.
TEST_F(PrintSheetsTest, LongJobLeavesTheMainThreadRunning)
{
    if (!pdfcheck::havePoppler())
        return;
    openProject({colouredPage(QStringLiteral("first"), Qt::red)});
    QImage label(QSize(378, 144), QImage::Format_RGB32);
    label.fill(Qt::darkCyan);
    const QList<QImage> images(3000, label);
    int ticksWhileBusy = 0;
    QTimer timer;
    timer.setInterval(0);
    QObject::connect(&timer, &QTimer::timeout, [&] { ticksWhileBusy += busy.up ? 1 : 0; });
    timer.start();
    const QString pdf = m_store.filePath(QStringLiteral("hundred.pdf"));
    dialogs->queueSavePanelAnswer(pdf);
    SheetRequest request;
    request.fill = SheetFill::DifferentLabels;
    request.imageCount = int(images.size());
    ASSERT_TRUE(document.blendPrintView(&controller, images, request, false));
    timer.stop();
    EXPECT_GT(ticksWhileBusy, 0);
    EXPECT_EQ(pdfcheck::pageCount(pdf), 100);
    ASSERT_TRUE(document.printPDFView());
    EXPECT_EQ(document.printPDFView()->plan.sheets, 100);
}

namespace {

class GreetingCardTest : public PrintSheetsTest
{
protected:
    GreetingCardTest() : PrintSheetsTest(QStringLiteral("Kestrin Greeting Card Designer")) {}
};

} // namespace

// Greeting cards print landscape with exactly one of "Vertical" and "Quarter" in the template's
// description, else portrait; a quarter fold prints without asking for the side.
TEST_F(GreetingCardTest, FoldDecidesTheOrientation)
{
    openProject({colouredPage(QStringLiteral("1"), Qt::red), colouredPage(QStringLiteral("2"), Qt::green),
                 colouredPage(QStringLiteral("3"), Qt::blue), colouredPage(QStringLiteral("4"), Qt::yellow)});
    struct Case
    {
        const char* description;
        QPageLayout::Orientation orientation;
        bool asks;
    };
    const QList<Case> cases{{"Greeting Card - Vertical Fold", QPageLayout::Landscape, true},
                            {"Greeting Card - Quarter Fold", QPageLayout::Landscape, false},
                            {"Vertical Quarter Fold", QPageLayout::Portrait, false},
                            {"Greeting Card - Horizontal Fold", QPageLayout::Portrait, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        LabelTemplateHelper helper = document.labelTemplateHelper();
        helper.templateDescription = QString::fromLatin1(c.description);
        document.setLabelTemplateHelper(helper);
        const int alerts = int(dialogs->alerts().size());
        dialogs->queueAlertAnswer(0); // "Front and Back" when asked
        printPanel.queueAnswer(m_store.filePath(QStringLiteral("card.pdf")));
        const int panels = int(printPanel.requests.size());
        controller.performAction(QStringLiteral("printCard:"));
        ASSERT_EQ(printPanel.requests.size(), panels + 1);
        EXPECT_EQ(printPanel.requests.last().layout.orientation(), c.orientation);
        EXPECT_EQ(dialogs->alerts().size() - alerts, c.asks ? 1 : 0);
    }
}

// A flyer wider than high prints landscape on its template's paper and fills it; a sheet PDF that
// cannot be written is said in an alert, not passed over.
TEST_F(PrintSheetsTest, FlyerPrintsLandscapeAndFailedSavesAreSaid)
{
    if (!pdfcheck::havePoppler())
        return;
    openProject({colouredPage(QStringLiteral("first"), Qt::red)});
    EditionSettings& e = edition();
    e.gPageBaseName = QStringLiteral("flyer");
    e.set(e.gCanvasWidth, 300);
    e.set(e.gCanvasHeight, 200);
    LabelTemplateHelper helper = document.labelTemplateHelper();
    helper.paperSize = QStringLiteral("Tabloid");
    document.setLabelTemplateHelper(helper);
    const QString pdf = m_store.filePath(QStringLiteral("flyer.pdf"));
    printPanel.queueAnswer(pdf);
    ASSERT_TRUE(controller.performAction(QStringLiteral("printPage:")));
    ASSERT_EQ(printPanel.requests.size(), 1);
    EXPECT_EQ(printPanel.requests.constFirst().layout.orientation(), QPageLayout::Landscape);
    EXPECT_EQ(pdfcheck::pageSize(pdf), QSizeF(1224, 792));

    dialogs->queueSavePanelAnswer(m_store.filePath(QStringLiteral("no/such/folder/sheet.pdf")));
    controller.performAction(QStringLiteral("exportSheetSameLabel:"));
    ASSERT_EQ(dialogs->alerts().size(), 1);
    EXPECT_EQ(dialogs->alerts().constFirst().title, QStringLiteral("Export Failed"));
}

// With the canvas turned by 90 degrees every page picture is turned before it fills its cell: a
// picture red on the left and blue on the right comes out blue above red.
TEST_F(PrintSheetsTest, TurnedCanvasTurnsEveryLabel)
{
    if (!pdfcheck::havePoppler())
        return;
    PageRecord page = addPage(QStringLiteral("turned"), QStringLiteral("Turned"), QStringLiteral("000000"));
    QImage picture(QSize(144, 378), QImage::Format_RGB32);
    picture.fill(Qt::blue);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width() / 2; ++x)
            picture.setPixel(x, y, qRgb(255, 0, 0));
    ASSERT_TRUE(picture.save(page.imagePath));
    openProject({page});
    edition().set(edition().gCanvasRotation, 90);
    const QString pdf = m_store.filePath(QStringLiteral("turned.pdf"));
    dialogs->queueSavePanelAnswer(pdf);
    ASSERT_TRUE(controller.performAction(QStringLiteral("exportSheetDifferentLabels:")));
    const QImage sheet = pdfcheck::pagePixels(pdf);
    ASSERT_FALSE(sheet.isNull());
    const QRectF cell = sheetCellRect(printSheetGeometry(), 0, 0);
    const QPoint centre = cellCentre(0, 0);
    const int quarter = int(cell.height() / 8); // a quarter of the cell's height at 72 dpi
    EXPECT_TRUE(pdfcheck::near(sheet.pixel(centre - QPoint(0, quarter)), Qt::blue));
    EXPECT_TRUE(pdfcheck::near(sheet.pixel(centre + QPoint(0, quarter)), Qt::red));
}

// A vertical fold puts the back ("2") in the first cell and the front ("1") in the second; a
// horizontal fold hangs the front upside down first.
TEST_F(GreetingCardTest, OutsideSidesLandInFoldOrder)
{
    if (!pdfcheck::havePoppler())
        return;
    PageRecord front = colouredPage(QStringLiteral("1"), Qt::red);
    // The front's picture is red above green, so a half turn shows.
    QImage picture(QSize(378, 144), QImage::Format_RGB32);
    picture.fill(Qt::green);
    for (int y = 0; y < 72; ++y)
        for (int x = 0; x < 378; ++x)
            picture.setPixel(x, y, qRgb(255, 0, 0));
    ASSERT_TRUE(picture.save(front.imagePath));
    // The inside page is the open one: printing saves the open page, which redraws its own picture.
    openProject(
        {colouredPage(QStringLiteral("3"), Qt::yellow), front, colouredPage(QStringLiteral("2"), Qt::blue)});
    // The opened page brought the edition's own card sheet; print on a sheet of many cells instead.
    edition().set(edition().gSelectedLabelSheet, kThirty);
    controller.adjustPageSize();
    const int quarter = int(sheetCellRect(printSheetGeometry(), 0, 0).height() / 8);
    struct Case
    {
        const char* description;
        QPoint backCell;
        QPoint frontCell;
        QColor frontTop;
    };
    for (const Case& c : {Case{"Greeting Card - Vertical Fold", {0, 0}, {0, 1}, Qt::red},
                          Case{"Greeting Card - Horizontal Fold", {0, 1}, {0, 0}, Qt::green}}) {
        SCOPED_TRACE(c.description);
        LabelTemplateHelper helper = document.labelTemplateHelper();
        helper.templateDescription = QString::fromLatin1(c.description);
        document.setLabelTemplateHelper(helper);
        const QString pdf = m_store.filePath(QStringLiteral("outside.pdf"));
        QFile::remove(pdf);
        printPanel.queueAnswer(pdf);
        dialogs->queueAlertAnswer(0); // "Front and Back"
        controller.performAction(QStringLiteral("printCard:"));
        const QImage sheet = pdfcheck::pagePixels(pdf);
        ASSERT_FALSE(sheet.isNull());
        EXPECT_TRUE(pdfcheck::near(sheet.pixel(cellCentre(c.backCell.x(), c.backCell.y())), Qt::blue));
        const QPoint frontCentre = cellCentre(c.frontCell.x(), c.frontCell.y());
        EXPECT_TRUE(pdfcheck::near(sheet.pixel(frontCentre - QPoint(0, quarter)), c.frontTop));
        EXPECT_TRUE(pdfcheck::near(sheet.pixel(cellCentre(1, 0)), Qt::white)); // the inside stays out
    }
}

// Business cards ask how to print: "Print Full Sheet" prints a sheet of the open card, "Cancel" nothing.
TEST_F(PrintSheetsTest, BusinessCardsAskHowToPrint)
{
    openProject({colouredPage(QStringLiteral("card"), Qt::red)});
    dialogs->queueAlertAnswer(2);
    controller.performAction(QStringLiteral("printBusinessCard:"));
    EXPECT_TRUE(printPanel.requests.isEmpty());
    ASSERT_EQ(dialogs->alerts().size(), 1);
    EXPECT_EQ(dialogs->alerts().constFirst().title, QStringLiteral("Preview and print Card"));
    EXPECT_EQ(dialogs->alerts().constFirst().buttons,
              QStringList({QStringLiteral("Print A Single Card"), QStringLiteral("Print Full Sheet"),
                           QStringLiteral("Cancel")}));

    dialogs->queueAlertAnswer(1);
    printPanel.queueAnswer(m_store.filePath(QStringLiteral("cards.pdf")));
    controller.performAction(QStringLiteral("printBusinessCard:"));
    ASSERT_EQ(printPanel.requests.size(), 1);
    EXPECT_TRUE(QFile::exists(m_store.filePath(QStringLiteral("cards.pdf"))));
}

// "Print Preview" in the spot chooser prints the open page's picture in the chosen cells only.
TEST_F(PrintSheetsTest, ChosenSpotsPrintOnlyThere)
{
    if (!pdfcheck::havePoppler())
        return;
    openProject({colouredPage(QStringLiteral("first"), Qt::red)});
    auto* box = new DRVRectangle;
    box->setBounds(QRectF(0, 0, 2000, 2000));
    box->setDrawingFill(true);
    box->setFillColor(QColor(0x20, 0x60, 0xC0));
    box->setBackgroundHexColorString(QStringLiteral("2060C0"));
    document.insertGraphics({box}, {0});

    ASSERT_TRUE(controller.performAction(QStringLiteral("selectDefaultLabelShapes:")));
    QApplication::processEvents();
    FontOrnamentWindowController* chooser = document.fontOrnamentWindowController();
    ASSERT_NE(chooser, nullptr);
    QWidget* spot = chooser->buttonArray().at(4); // row 2, column 2
    QTest::mouseClick(spot, Qt::LeftButton, {}, spot->rect().center());
    const QString pdf = m_store.filePath(QStringLiteral("spots.pdf"));
    printPanel.queueAnswer(pdf);
    QTest::mouseClick(chooser->printButton(), Qt::LeftButton, {}, chooser->printButton()->rect().center());
    QApplication::processEvents();

    ASSERT_EQ(pdfcheck::pageCount(pdf), 1);
    const QImage sheet = pdfcheck::pagePixels(pdf);
    EXPECT_TRUE(pdfcheck::near(sheet.pixel(cellCentre(1, 1)), QColor(0x20, 0x60, 0xC0), 40));
    for (const QPoint blank : {cellCentre(0, 0), cellCentre(1, 0), cellCentre(9, 2)})
        EXPECT_TRUE(pdfcheck::near(sheet.pixel(blank), Qt::white)) << blank.x() << "," << blank.y();
}

namespace {

class BusinessCardTest : public PrintSheetsTest
{
protected:
    BusinessCardTest() : PrintSheetsTest(QStringLiteral("Corvane Business Card Designer")) {}
};

} // namespace

// The business-card bar's "Print…" asks how to print; each answer reaches its own end: the spot
// chooser, a full sheet of the open card through the print panel, or nothing at all.
TEST_F(BusinessCardTest, ThePrintButtonAsksAndEachAnswerReachesItsEnd)
{
    if (!pdfcheck::havePoppler())
        return;
    openProject({colouredPage(QStringLiteral("card"), Qt::red)});
    // The card is one colour all over, however it is drawn: saved picture or fresh rendering.
    const QColor blue(0x20, 0x60, 0xC0);
    auto* box = new DRVRectangle;
    box->setBounds(QRectF(0, 0, 4000, 4000));
    box->setDrawingFill(true);
    box->setFillColor(blue);
    box->setBackgroundHexColorString(QStringLiteral("2060C0"));
    document.insertGraphics({box}, {0});
    EditionToolbar* bar = controller.editionToolBar();
    ASSERT_TRUE(bar);
    EXPECT_EQ(bar->actionWithId(QStringLiteral("printBusinessCard:"))->text(), QStringLiteral("Print…"));
    EXPECT_FALSE(bar->actionWithId(QStringLiteral("printLabels:")));
    const struct
    {
        int answer;
        bool printed;
        bool chooser;
    } rows[] = {{2, false, false}, {1, true, false}, {0, false, true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.answer);
        const int alerts = int(dialogs->alerts().size());
        const int panels = int(printPanel.requests.size());
        const QString pdf = m_store.filePath(QStringLiteral("cards%1.pdf").arg(row.answer));
        if (row.printed)
            printPanel.queueAnswer(pdf);
        dialogs->queueAlertAnswer(row.answer);
        ASSERT_TRUE(clickBarButton(QStringLiteral("printBusinessCard:")));
        ASSERT_EQ(dialogs->alerts().size(), alerts + 1);
        EXPECT_EQ(dialogs->alerts().constLast().informativeText,
                  QStringLiteral("Please select how you would like to print"));
        EXPECT_EQ(printPanel.requests.size() - panels, row.printed ? 1 : 0);
        FontOrnamentWindowController* chooser = document.fontOrnamentWindowController();
        EXPECT_EQ(chooser && chooser->window()->isVisible(), row.chooser);
        if (row.printed) {
            ASSERT_EQ(pdfcheck::pageCount(pdf), 1);
            const QImage sheet = pdfcheck::pagePixels(pdf);
            const PrintSheetGeometry& g = printSheetGeometry();
            EXPECT_TRUE(pdfcheck::near(sheet.pixel(cellCentre(0, 0)), blue, 40));
            EXPECT_TRUE(pdfcheck::near(
                sheet.pixel(cellCentre(g.gPrintNumOfRowsPerSheet - 1, g.gPrintNumOfColumnsPerSheet - 1)),
                blue, 40));
        }
    }
    // The chooser's spots are the card sheet's cells.
    const PrintSheetGeometry& g = printSheetGeometry();
    EXPECT_EQ(document.fontOrnamentWindowController()->buttonArray().size(),
              g.gPrintNumOfRowsPerSheet * g.gPrintNumOfColumnsPerSheet);
    document.fontOrnamentWindowController()->endSheet();
}

// "Print Different Labels" is enabled once a project is open (this window's menus offer no way to
// one before) and prints every page at its own cell through the print panel.
TEST_F(PrintSheetsTest, DifferentLabelsNeedAProjectAndPrintEveryPage)
{
    if (!pdfcheck::havePoppler())
        return;
    const QString action = QStringLiteral("printSheetWithDifferentLabels:");
    controller.window();
    EXPECT_FALSE(controller.validateMenuItem(action, MenuItemState()).enabled);
    QList<PageRecord> pages;
    for (int i = 0; i < 3; ++i)
        pages.append(colouredPage(QStringLiteral("label%1").arg(i), colourOf(i)));
    openProject(pages);
    EXPECT_TRUE(controller.validateMenuItem(action, MenuItemState()).enabled);
    const QString pdf = m_store.filePath(QStringLiteral("different.pdf"));
    printPanel.queueAnswer(pdf);
    ASSERT_TRUE(controller.performAction(action));
    ASSERT_EQ(printPanel.requests.size(), 1);
    EXPECT_TRUE(dialogs->alerts().isEmpty());
    ASSERT_EQ(pdfcheck::pageCount(pdf), 1);
    const QImage sheet = pdfcheck::pagePixels(pdf);
    // The open page is saved first, which repaints its own picture; the others keep their colours.
    for (int i = 1; i < 3; ++i)
        EXPECT_TRUE(pdfcheck::near(sheet.pixel(cellCentre(0, i)), colourOf(i))) << "page " << i;
    EXPECT_TRUE(pdfcheck::near(sheet.pixel(cellCentre(1, 0)), Qt::white));
}
