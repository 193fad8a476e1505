// The windows, sheets and popovers of website projects, pictures, page settings and print templates
// photographed on a real X server. The test runs this executable again under xvfb-run on the xcb
// platform; there each group opens its windows through the window's own menus, buttons and
// context menu, waits until they are exposed, and photographs the whole screen. A photograph must
// show the window as it draws itself where the window says it is. The photographs are kept as
// gui-artefacts/xvfb-*.png in the build folder.
#include "ScreenMatching.h"
#include "app/AppTestSupport.h"
#include "common/ExternalTools.h"
#include "common/XvfbRun.h"
#include "window/TemplatePopUpDriver.h"

#include "canvas/CropImageDialog.h"
#include "canvas/GalleryGridCaptionViewController.h"
#include "canvas/GalleryGridEditorWindowController.h"
#include "canvas/QuibPopover.h"
#include "document/PageImageFiles.h"
#include "editions/DataCentre.h"
#include "model/DRVGalleryGrid.h"
#include "model/DRVImage.h"
#include "model/DRVRectangle.h"
#include "window/AddNewPageViewController.h"
#include "window/AdjustCanvasSizeWindowController.h"
#include "window/FormSettingsWindowController.h"
#include "window/ListingIconView.h"
#include "window/PageDialogsController.h"
#include "window/PageNumberWindowController.h"
#include "window/PageSettingsWindowController.h"
#include "window/QuibNSButton.h"
#include "window/WebsiteSettingsWindowController.h"
#include "window/WebsiteWindowController.h"
#include "window/WindowSplitView.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProcess>
#include <QProcessEnvironment>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QSplitterHandle>
#include <QTableWidget>
#include <QTest>
#include <QToolBar>

namespace {

// Set in the run under xvfb-run: the folder the photographs go to.
const char* const kShotsFolderVariable = "QUIB_XVFB_SHOTS_FOLDER";
const QSize kScreen(1600, 1200);

// Every photograph the run on the X server takes, without "xvfb-" and ".png".
const char* const kShots[] = {
    "page-list-1-columns",
    "page-list-2-columns",
    "page-list-3-columns",
    "page-list-greeting-card",
    "add-page-sheet",
    "theme-browser",
    "gallery-dialog",
    "gallery-caption-popover",
    "crop-sheet",
    "website-settings-page-columns",
    "website-settings-pages-only",
    "page-settings",
    "page-settings-base-template",
    "form-settings",
    "label-window",
    "label-template-pop-up",
    "canvas-size-sheet",
    "page-title-sheet",
};

bool onXScreen()
{
    return qEnvironmentVariableIsSet(kShotsFolderVariable);
}

QString shotPath(const QString& folder, const QString& name)
{
    return QDir(folder).filePath(QStringLiteral("xvfb-") + name + QStringLiteral(".png"));
}

// Whether the image holds more than one colour.
bool severalColours(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const QRgb first = rgb.pixel(0, 0);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            if (line[x] != first)
                return true;
        }
    }
    return false;
}

// Waits until the window of shown is exposed and painted, photographs the whole X screen and keeps
// the photograph. The part of the screen where shown lies must be shown as it draws itself: a window
// hidden behind another, unpainted or elsewhere fails.
QImage photograph(QWidget* shown, const QString& name)
{
    if (!shown) {
        ADD_FAILURE() << "nothing to photograph for " << qPrintable(name);
        return {};
    }
    QWidget* window = shown->window();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window)) << qPrintable(name);
    // Let the first paints and a late layout land.
    QTest::qWait(300);
    QApplication::processEvents();
    EXPECT_TRUE(shown->isVisible()) << qPrintable(name);
    EXPECT_GT(shown->width(), 0) << qPrintable(name);
    EXPECT_GT(shown->height(), 0) << qPrintable(name);

    const QImage shot =
        QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
    const QString path = shotPath(qEnvironmentVariable(kShotsFolderVariable), name);
    EXPECT_TRUE(shot.save(path)) << qPrintable(path);
    EXPECT_TRUE(severalColours(shot)) << qPrintable(path);

    // The widget as it draws itself, against where it lies on the screen.
    const QImage drawn = shown->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect onScreen(shown->mapToGlobal(QPoint(0, 0)), drawn.size());
    EXPECT_TRUE(QRect(QPoint(0, 0), shot.size()).contains(onScreen))
        << qPrintable(name) << " lies outside the screen";
    if (QRect(QPoint(0, 0), shot.size()).contains(onScreen)) {
        EXPECT_LE(screen::differingShare(shot, drawn, onScreen.topLeft()), 0.05)
            << qPrintable(name) << " is not on the screen as it draws itself; see " << qPrintable(path);
    }
    return shot;
}

// Puts a window away once photographed; what it would have saved is no part of these shots.
void putAway(QWidget* shown)
{
    if (shown)
        shown->window()->hide();
    QApplication::processEvents();
}

// Opens the item's menu (which validates it), then chooses it.
void choose(DRVWindowController* window, const QString& action)
{
    QAction* item = MenuModel::actionNamed(window->window()->menuBar(), action);
    ASSERT_NE(item, nullptr) << qPrintable(action);
    auto* menu = qobject_cast<QMenu*>(item->parent());
    ASSERT_NE(menu, nullptr) << qPrintable(action);
    emit menu->aboutToShow();
    ASSERT_TRUE(item->isVisible() && item->isEnabled()) << qPrintable(action);
    emit menu->aboutToHide();
    item->trigger();
    QApplication::processEvents();
}

void showAt(DRVWindowController* window, QSize size)
{
    window->window()->move(0, 0);
    window->window()->resize(size);
    window->showWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window->window()));
}

// Drags a split view's divider sideways by dx with the left button held.
void dragDivider(QSplitterHandle* handle, int dx)
{
    ASSERT_NE(handle, nullptr);
    const QPoint from = handle->rect().center();
    QTest::mousePress(handle, Qt::LeftButton, {}, from);
    const QPointF to = from + QPoint(dx, 0);
    QMouseEvent move(QEvent::MouseMove, to, handle->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(handle, &move);
    QTest::mouseRelease(handle, Qt::LeftButton, {}, to.toPoint());
    QApplication::processEvents();
}

// A saved page of one thick coloured line, titled.
bool writePage(const QString& path, const QString& title, const QString& colour)
{
    DRVDocument document;
    document.undoManager()->disableUndoRegistration();
    auto* line = new DRVLine;
    line->setBeginPoint(QPointF(20, 30));
    line->setEndPoint(QPointF(300, 200));
    line->setBorderWidth(14);
    line->setBorderStyle(QStringLiteral("solid"));
    line->setBorderHexColorString(colour);
    line->setOpacity(1.0);
    document.insertGraphics({line}, {0});
    document.setPageOfficialName(title);
    document.undoManager()->enableUndoRegistration();
    return document.saveDocumentTo(path);
}

// ---- website projects: opened through Open Website in an edition's shell ----

class ProjectShots : public LaunchTest
{
protected:
    explicit ProjectShots(const QString& editionName) : m_projectEdition(editionName)
    {
        useWorkingFolders();
        m_savedDataHome = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", m_root.filePath(QStringLiteral("data")).toUtf8());
        QDir().mkpath(m_root.filePath(QStringLiteral("data")));
        DataCentre::loadCustomFont();
        QDir().mkpath(DRVAppDelegate::receivedPagesFolderPath());
    }
    ~ProjectShots() override
    {
        if (m_savedDataHome.isNull())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", m_savedDataHome);
    }

    // A window on a page of its own, whose menus carry the application's commands.
    DRVWindowController* startingWindow()
    {
        const QString path = m_root.filePath(QStringLiteral("start.") + edition().gDocumentExtension);
        EXPECT_TRUE(writePage(path, QStringLiteral("Start"), QStringLiteral("888888")));
        DRVWindowController* window = DocumentController::shared().openDocumentWithContentsOfPath(path);
        EXPECT_NE(window, nullptr);
        return window;
    }

    // A project folder of pages (stem, title, colour), opened with Open Website from the window.
    DRVWindowController* openProject(DRVWindowController* from, const QString& name,
                                     const QList<std::tuple<QString, QString, QString>>& pages)
    {
        const QString folder = m_root.filePath(name);
        QDir().mkpath(folder);
        for (const auto& [stem, title, colour] : pages) {
            const QString path = QDir(folder).filePath(stem + u'.' + edition().gDocumentExtension);
            EXPECT_TRUE(writePage(path, title, colour)) << qPrintable(path);
        }
        dialogs->queueOpenPanelAnswer({folder});
        choose(from, QStringLiteral("openGroup:"));
        for (DRVWindowController* window : DocumentController::shared().allWindowControllers()) {
            if (window->openWebsiteFolderPath() == folder)
                return window;
        }
        ADD_FAILURE() << "no window on " << qPrintable(folder);
        return nullptr;
    }

    QuibNSButton* tileOfOpenPage(DRVWindowController* window) const
    {
        const QString open = QFileInfo(window->document()->filePath()).fileName();
        for (ListingIconView* view : window->pageIconViews()) {
            if (view->quibButton() && view->quibButton()->documentName() == open)
                return view->quibButton();
        }
        return nullptr;
    }

    void photographWebsiteSettings(DRVWindowController* window, const QString& name)
    {
        QTest::mouseClick(window->pageListingMenuButton(), Qt::LeftButton);
        QApplication::processEvents();
        WebsiteSettingsWindowController* sheet = window->websiteSettingsWindowController();
        ASSERT_NE(sheet, nullptr);
        photograph(sheet, name);
        // Every column shows its whole title, and the columns reach the table's right edge.
        QTableWidget* table = sheet->tableView();
        QHeaderView* header = table->horizontalHeader();
        for (int c = 0; c < table->columnCount(); ++c) {
            const QString title = table->horizontalHeaderItem(c)->text();
            EXPECT_GT(header->sectionSize(c), header->fontMetrics().horizontalAdvance(title))
                << qPrintable(title);
        }
        const int last = table->columnCount() - 1;
        EXPECT_GE(header->sectionViewportPosition(last) + header->sectionSize(last),
                  table->viewport()->width() - 1);
        QTest::mouseClick(sheet->cancelButton(), Qt::LeftButton);
        QApplication::processEvents();
    }

    ScopedEdition m_projectEdition;
    QByteArray m_savedDataHome;
};

const QList<std::tuple<QString, QString, QString>> kSitePages{
    {QStringLiteral("index"), QStringLiteral("Home"), QStringLiteral("C0392B")},
    {QStringLiteral("about"), QStringLiteral("About Us"), QStringLiteral("1F6FB2")},
    {QStringLiteral("contact"), QStringLiteral("Contact"), QStringLiteral("1E8449")},
    {QStringLiteral("pictures"), QStringLiteral("Pictures"), QStringLiteral("6C3483")},
    {QStringLiteral("basetemplate"), QStringLiteral("Shared"), QStringLiteral("D68910")},
};

// The page list in one to three columns, the add-page sheet, the website settings sheet with the
// per-page columns, page settings without and with a base template, and the theme browser.
class WebsiteProjectShots : public ProjectShots
{
public:
    WebsiteProjectShots() : ProjectShots(QStringLiteral("HTML Quib Pro")) {}
    void TestBody() override
    {
        DRVWindowController* start = startingWindow();
        ASSERT_NE(start, nullptr);
        showAt(start, QSize(1100, 760));
        // A page on its own has no base template to follow.
        choose(start, QStringLiteral("showPagePreferences:"));
        PageSettingsWindowController* alone = start->document()->pageSettingsWindowController();
        ASSERT_NE(alone, nullptr);
        EXPECT_FALSE(alone->baseTemplateSwitch()->isVisible());
        photograph(alone, QStringLiteral("page-settings"));
        putAway(alone);

        choose(start, QStringLiteral("showSiteLevelTemplate:"));
        WebsiteWindowController* browser = delegate.websiteWindowController();
        ASSERT_NE(browser, nullptr);
        browser->window()->move(0, 0);
        browser->window()->resize(1030, 760);
        EXPECT_EQ(browser->themeButtons().size(), 1);
        photograph(browser->window(), QStringLiteral("theme-browser"));
        putAway(browser->window());

        DRVWindowController* project = openProject(start, QStringLiteral("Harbour Site"), kSitePages);
        ASSERT_NE(project, nullptr);
        start->performClose();
        QApplication::processEvents();
        showAt(project, QSize(1400, 960));
        EXPECT_NE(QFileInfo(project->document()->filePath()).fileName(), edition().gBaseTemplateFileName);

        // The sidebar dragged wider by its divider, as a user makes room for three columns.
        WindowSplitView* split = project->splitView();
        const int sidebarWidth = split->sizes().constFirst();
        dragDivider(split->handle(1), 340 - sidebarWidth);
        EXPECT_NEAR(split->sizes().constFirst(), 340, 2);

        for (int columns = 1; columns <= 3; ++columns) {
            SCOPED_TRACE(columns);
            ASSERT_TRUE(project->performAction(QStringLiteral("view%1Column:").arg(columns)));
            if (columns == 3)
                QTest::keyClicks(project->searchField(), QStringLiteral("o"));
            QApplication::processEvents();
            const QImage shot =
                photograph(project->sidebarSplitView(), QStringLiteral("page-list-%1-columns").arg(columns));
            // The open page's tile carries the green border on the screen.
            QuibNSButton* open = tileOfOpenPage(project);
            ASSERT_NE(open, nullptr);
            EXPECT_TRUE(open->isVisible());
            const QPoint edge = open->mapToGlobal(QPoint(1, open->height() / 2));
            ASSERT_TRUE(shot.rect().contains(edge));
            EXPECT_EQ(shot.pixelColor(edge).name(), QStringLiteral("#3d9140"));
            EXPECT_EQ(project->searchField()->text(), columns == 3 ? QStringLiteral("o") : QString());
        }

        choose(project, QStringLiteral("showAddNewPageWindow:"));
        AddNewPageViewController* sheet = project->addNewPageViewController();
        ASSERT_NE(sheet, nullptr);
        QTest::keyClicks(sheet->pageTitleTextField(), QStringLiteral("Opening Hours"));
        photograph(sheet->window(), QStringLiteral("add-page-sheet"));
        putAway(sheet->window());

        photographWebsiteSettings(project, QStringLiteral("website-settings-page-columns"));

        // A page of a project with a base template: the switch shows, and turned on it hides the
        // background and offers the inherited metadata.
        choose(project, QStringLiteral("showPagePreferences:"));
        PageSettingsWindowController* panel = project->document()->pageSettingsWindowController();
        ASSERT_NE(panel, nullptr);
        ASSERT_TRUE(panel->baseTemplateSwitch()->isVisible());
        QTest::mouseClick(panel->baseTemplateSwitch(), Qt::LeftButton, {},
                          QPoint(6, panel->baseTemplateSwitch()->height() / 2));
        EXPECT_TRUE(panel->inheritMetadataSwitch()->isVisible());
        photograph(panel, QStringLiteral("page-settings-base-template"));
        putAway(panel);
    }
};

// The website settings sheet of an edition without the per-page columns.
class PagesOnlySettingsShots : public ProjectShots
{
public:
    PagesOnlySettingsShots() : ProjectShots(QStringLiteral("Brumel Responsive Website Designer")) {}
    void TestBody() override
    {
        DRVWindowController* start = startingWindow();
        ASSERT_NE(start, nullptr);
        DRVWindowController* project =
            openProject(start, QStringLiteral("Responsive Site"), kSitePages.mid(0, 3));
        ASSERT_NE(project, nullptr);
        start->performClose();
        showAt(project, QSize(1300, 900));
        photographWebsiteSettings(project, QStringLiteral("website-settings-pages-only"));
    }
};

// A greeting card project: the first four tiles are captioned as the card's sides.
class GreetingCardShots : public ProjectShots
{
public:
    GreetingCardShots() : ProjectShots(QStringLiteral("Kestrin Greeting Card Designer")) {}
    void TestBody() override
    {
        platform::UserDefaults::standard().setInteger(QStringLiteral("numOfColumnListings"), 1);
        DRVWindowController* start = startingWindow();
        ASSERT_NE(start, nullptr);
        QList<std::tuple<QString, QString, QString>> cards;
        const char* colours[] = {"C0392B", "1F6FB2", "1E8449", "6C3483", "D68910"};
        for (int i = 0; i < 5; ++i)
            cards.append({QStringLiteral("card%1").arg(i + 1), QStringLiteral("Card page %1").arg(i + 1),
                          QString::fromLatin1(colours[i])});
        DRVWindowController* project = openProject(start, QStringLiteral("Birthday Card"), cards);
        ASSERT_NE(project, nullptr);
        start->performClose();
        showAt(project, QSize(1300, 1000));
        QStringList captions;
        for (ListingIconView* view : project->pageIconViews()) {
            if (view->quibButton() && view->quibButton()->pageTitleLabel())
                captions.append(view->quibButton()->pageTitleLabel()->text());
        }
        EXPECT_EQ(captions, (QStringList{"Front", "Back", "Inside 1", "Inside 2", "Card page 5"}));
        photograph(project->sidebarSplitView(), QStringLiteral("page-list-greeting-card"));
    }
};

// ---- single pages in a window of their own ----

class PageShots : public WindowedAppTest
{
protected:
    explicit PageShots(const QString& editionName = QStringLiteral("Quib")) : m_pageEdition(editionName)
    {
        useWorkingFolders();
        DataCentre::loadCustomFont();
    }

    DRVWindowController* shownWindowOn(const QList<DRVGraphic*>& graphics)
    {
        DRVWindowController* window = windowOnPage(graphics);
        EXPECT_NE(window, nullptr);
        if (window) {
            window->document()->setPagePath(m_root.filePath(QStringLiteral("page.v2.html")));
            showAt(window, QSize(1200, 900));
        }
        return window;
    }

    // Where a canvas point lies in the canvas widget.
    static QPoint viewPoint(DRVWindowController* window, QPointF canvasPoint)
    {
        const double scale = 1000.0 / window->graphicView()->canvasPointForViewPoint({1000, 1000}).x();
        return (canvasPoint * scale).toPoint();
    }

    // Four quadrants of one colour each.
    static QImage quadrants(QSize size)
    {
        QImage image(size, QImage::Format_RGB32);
        const QColor colours[] = {QColor(0xC0, 0x39, 0x2B), QColor(0x1E, 0x84, 0x49),
                                  QColor(0x1F, 0x6F, 0xB2), QColor(0xD6, 0x89, 0x10)};
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x)
                image.setPixelColor(
                    x, y, colours[(y >= size.height() / 2 ? 2 : 0) + (x >= size.width() / 2 ? 1 : 0)]);
        }
        return image;
    }

    ScopedEdition m_pageEdition;
};

// The gallery dialog and the caption popover of a page with a gallery, and the crop sheet.
class PictureShots : public PageShots
{
public:
    void TestBody() override
    {
        auto* gallery = new DRVGalleryGrid;
        gallery->setBounds({40, 40, 600, 400});
        gallery->setNumOfRows(2);
        gallery->setNumOfColumns(3);
        QList<TransformView*> pictures;
        for (int i = 0; i < 5; ++i) {
            auto* p = new TransformView;
            p->setRowSpot(i / 3);
            p->setColumnSpot(i % 3);
            p->setImage(quadrants({80, 60}));
            p->setOriginalWidth(80);
            p->setOriginalHeight(60);
            p->setImageName(QStringLiteral("image%1").arg(i));
            p->setImageType(QStringLiteral("PNG"));
            pictures.append(p);
        }
        gallery->setImageArray(pictures);
        auto* image = new DRVImage;
        image->setContents(quadrants({200, 100}));
        image->setInputImage(image->contents());
        image->setImageName(QStringLiteral("image9"));
        image->setImageType(QStringLiteral("JPG"));
        image->setBounds({40, 500, 400, 200});
        DRVWindowController* window = shownWindowOn({gallery, image});
        ASSERT_NE(window, nullptr);
        const QPoint firstSpot = viewPoint(window, QRectF(gallery->cellRect(0, 0)).center());

        window->graphicView()->changeSelectionIndexes({0});
        ASSERT_TRUE(chooseFromCanvasMenu(window, QStringLiteral("Configure Gallery…"), firstSpot));
        GalleryGridEditorWindowController* dialog =
            window->graphicView()->galleryGridEditorWindowController();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Configure Gallery Grid"));
        photograph(dialog, QStringLiteral("gallery-dialog"));
        putAway(dialog);

        const QPoint secondSpot = viewPoint(window, QRectF(gallery->cellRect(0, 1)).center());
        ASSERT_TRUE(chooseFromCanvasMenu(window, QStringLiteral("Caption and Link…"), secondSpot));
        QuibPopover* popover = window->graphicView()->quibPopOver();
        GalleryGridCaptionViewController* caption = window->graphicView()->galleryGridCaptionViewController();
        ASSERT_TRUE(popover && caption);
        QTest::keyClicks(caption->captionTextField(), QStringLiteral("Harbour at dawn"));
        QTest::keyClicks(caption->linkTextField(), QStringLiteral("https://example.com/harbour"));
        photograph(popover, QStringLiteral("gallery-caption-popover"));
        // Beside the gallery it edits, not over it.
        const QPoint galleryTopLeft =
            window->graphicView()->mapToGlobal(viewPoint(window, gallery->bounds().topLeft()));
        const QPoint galleryExtent =
            window->graphicView()->mapToGlobal(viewPoint(window, gallery->bounds().bottomRight())) -
            galleryTopLeft;
        const QRect galleryOnScreen(galleryTopLeft, QSize(galleryExtent.x(), galleryExtent.y()));
        EXPECT_FALSE(popover->geometry().intersects(galleryOnScreen));
        popover->close();
        QApplication::processEvents();

        window->graphicView()->changeSelectionIndexes({1});
        const QPoint onImage = viewPoint(window, QPointF(140, 600));
        ASSERT_TRUE(chooseFromCanvasMenu(window, QStringLiteral("Crop Image…"), onImage));
        CropImageDialog* crop = window->graphicView()->cropDialog();
        ASSERT_NE(crop, nullptr);
        photograph(crop, QStringLiteral("crop-sheet"));
        putAway(crop);
    }
};

// The canvas-size sheet and the page-title sheet, from the View menu.
class PageSheetShots : public PageShots
{
public:
    void TestBody() override
    {
        auto* shape = new DRVRectangle;
        shape->setBounds({700, 500, 100, 100});
        shape->setDrawingFill(true);
        shape->setFillColor(QColor(0x1F, 0x6F, 0xB2));
        DRVWindowController* window = shownWindowOn({shape});
        ASSERT_NE(window, nullptr);
        window->document()->setPageOfficialName(QStringLiteral("Welcome"));

        choose(window, QStringLiteral("showAdjustCanvasSheet:"));
        AdjustCanvasSizeWindowController* canvasSheet = window->pageDialogs()->adjustCanvasSheet();
        ASSERT_NE(canvasSheet, nullptr);
        photograph(canvasSheet->window(), QStringLiteral("canvas-size-sheet"));
        QTest::mouseClick(canvasSheet->cancelButton(), Qt::LeftButton);

        choose(window, QStringLiteral("showAdjustPageNumberSheet:"));
        PageNumberWindowController* titleSheet = window->pageDialogs()->pageNumberSheet();
        ASSERT_NE(titleSheet, nullptr);
        EXPECT_EQ(titleSheet->pageTitleTextField()->text(), QStringLiteral("Welcome"));
        photograph(titleSheet->window(), QStringLiteral("page-title-sheet"));
        QTest::mouseClick(titleSheet->cancelButton(), Qt::LeftButton);
    }
};

// Form Settings of a form page.
class FormSettingsShots : public PageShots
{
public:
    FormSettingsShots() : PageShots(QStringLiteral("Selvaro Pro")) {}
    void TestBody() override
    {
        const QString path = m_root.filePath(QStringLiteral("contact.") + edition().gDocumentExtension);
        ASSERT_TRUE(writePage(path, QStringLiteral("Contact"), QStringLiteral("1F6FB2")));
        DRVWindowController* window = documents.openDocumentWithContentsOfPath(path);
        ASSERT_NE(window, nullptr);
        DRVDocument* document = window->document();
        document->setPageFileType(QStringLiteral("selvaro"));
        document->setFormEmailServer(QStringLiteral("smtp.example.org"));
        document->setFormSentResponse(QStringLiteral("Thank you, we will write back soon."));
        document->setFormSubmitButtonValue(QStringLiteral("Send"));
        showAt(window, QSize(1200, 900));
        choose(window, QStringLiteral("showFormPreferences:"));
        FormSettingsWindowController* panel = document->formSettingsWindowController();
        ASSERT_NE(panel, nullptr);
        EXPECT_EQ(panel->windowTitle(), QStringLiteral("Preferences"));
        photograph(panel, QStringLiteral("form-settings"));
        putAway(panel);
    }
};

// The label maker's window with its template pop-up open.
class LabelTemplateShots : public PageShots
{
public:
    LabelTemplateShots() : PageShots(QStringLiteral("Kestrin Label Maker")) { DataCentre::loadPrintLabels(); }
    void TestBody() override
    {
        DRVDocument page;
        const QString path = m_root.filePath(QStringLiteral("badge.") + edition().gDocumentExtension);
        ASSERT_TRUE(page.saveDocumentTo(path)) << qPrintable(page.lastFileErrorText());
        DRVWindowController* window = documents.openDocumentWithContentsOfPath(path);
        ASSERT_NE(window, nullptr);
        showAt(window, QSize(1300, 900));
        QToolBar* bar = window->printTemplateToolBar();
        ASSERT_NE(bar, nullptr);
        auto* popUp = bar->findChild<QComboBox*>(QStringLiteral("templateSelectionPopupButton"));
        ASSERT_NE(popUp, nullptr);
        ASSERT_GT(popUp->count(), 1);
        photograph(window->window(), QStringLiteral("label-window"));
        // Opened with a click, its list lies over the window.
        QTest::mouseClick(popUp, Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return popUp->view()->isVisible(); }));
        photograph(popUp->view(), QStringLiteral("label-template-pop-up"));
        QTest::keyClick(popUp->view(), Qt::Key_Escape);
        QApplication::processEvents();
    }
};

template <class Shots> void registerShots(const char* suite, int line)
{
    // One suite per group: gtest wants one fixture class per suite.
    ::testing::RegisterTest(suite, "Photographed", nullptr, nullptr, __FILE__, line,
                            []() -> Shots* { return new Shots; });
}

// The groups exist only in the run on the X server.
[[maybe_unused]] const bool kRegistered = [] {
    if (!onXScreen())
        return false;
    registerShots<WebsiteProjectShots>("OnXScreenWebsiteProject", __LINE__);
    registerShots<PagesOnlySettingsShots>("OnXScreenWebsiteSettingsWithoutPageColumns", __LINE__);
    registerShots<GreetingCardShots>("OnXScreenGreetingCardTiles", __LINE__);
    registerShots<PictureShots>("OnXScreenGalleryCaptionAndCrop", __LINE__);
    registerShots<PageSheetShots>("OnXScreenCanvasSizeAndPageTitleSheets", __LINE__);
    registerShots<FormSettingsShots>("OnXScreenFormSettings", __LINE__);
    registerShots<LabelTemplateShots>("OnXScreenLabelTemplatePopUp", __LINE__);
    return true;
}();

// Runs this executable's shot groups under xvfb-run, with its settings in home.
XvfbRun runOnXServer(const QString& folder, const QTemporaryDir& home)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral(".config")));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), home.filePath(QStringLiteral(".cache")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
    env.insert(QString::fromLatin1(kShotsFolderVariable), folder);
    return runThisExecutableUnderXvfb(QStringLiteral("OnXScreen*"), kScreen, env);
}

} // namespace

TEST(XvfbDialogShots, EveryWindowAndSheetIsPhotographedOnAnXServer)
{
    if (onXScreen())
        return; // the run on the X server takes the photographs; this test only starts it
    if (!haveProgramOrFail(QStringLiteral("xvfb-run"), QStringLiteral("xvfb")) ||
        !haveProgramOrFail(QStringLiteral("xauth"), QStringLiteral("xauth")))
        return;
    const QString folder = QStringLiteral(QUIB_GUI_ARTEFACTS_DIR);
    QDir().mkpath(folder);
    for (const char* name : kShots)
        QFile::remove(shotPath(folder, QString::fromLatin1(name)));
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());

    const XvfbRun run = runOnXServer(folder, home);
    ASSERT_TRUE(run.finished) << "the run on the X server did not finish";
    const QString& output = run.output;
    EXPECT_EQ(run.exitCode, 0) << qPrintable(output);
    EXPECT_FALSE(output.contains(QLatin1String("[  SKIPPED ]"))) << qPrintable(output);

    for (const char* name : kShots) {
        const QString path = shotPath(folder, QString::fromLatin1(name));
        const QImage shot(path);
        ASSERT_FALSE(shot.isNull()) << "no photograph " << qPrintable(path);
        EXPECT_EQ(shot.size(), kScreen) << qPrintable(path);
        EXPECT_TRUE(severalColours(shot)) << qPrintable(path);
    }
}
