// The document window's layout: the split view of page list, canvas and inspector, the canvas
// presets of the toolbar and the print products, the page-list columns and the inspector's
// collapse and reopen.
#include "canvas/DRVGraphicView.h"
#include "document/DRVDocument.h"
#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "model/DRVZoomingScrollView.h"
#include "platform/Threads.h"
#include "platform/UserDefaults.h"
#include "window/CanvasRulers.h"
#include "window/DRVWindowController.h"
#include "window/FlippedNSView.h"
#include "window/InspectorView.h"
#include "window/PageListingScrollview.h"
#include "window/RulerWidget.h"
#include "window/WindowSplitView.h"
#include "window/inspector/InspectorPanel.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

const QString kSubviewChangeAction = QStringLiteral("respondToSubviewChange");
constexpr int kSubviewChangeDelayMs = 100;
constexpr int kDefaultPageListWidth = 220;

int truncated(double value)
{
    return std::isfinite(value) ? int(std::trunc(value)) : 0;
}

} // namespace

void DRVWindowController::buildLayout(QMainWindow* window)
{
    m_splitView = new WindowSplitView(Qt::Horizontal);
    m_splitView->setObjectName(QStringLiteral("splitView"));
    // Only the divider after the page list moves; the one before the inspector stays.
    m_splitView->setDividerLocked(1, true);

    m_sidebarSplitView = new WindowSplitView(Qt::Vertical);
    m_sidebarSplitView->setObjectName(QStringLiteral("sidebarSplitView"));
    m_sidebarSplitView->lockAllDividers();
    m_topSidebarView = new QWidget;
    m_topSidebarView->setObjectName(QStringLiteral("topSidebarView"));
    m_topSidebarView->setMinimumHeight(40);
    m_pageListingView = new PageListingScrollview;
    m_sidebarSplitView->addWidget(m_topSidebarView);
    m_sidebarSplitView->addWidget(m_pageListingView);
    // Only the page listing follows a resize of the sidebar.
    m_sidebarSplitView->setStretchFactor(0, 0);
    m_sidebarSplitView->setStretchFactor(1, 1);
    m_sidebarSplitView->installEventFilter(this);

    m_splitView->addWidget(m_sidebarSplitView);
    m_splitView->addWidget(m_mainCanvasView);
    // Only the canvas follows a resize of the window.
    m_splitView->setStretchFactor(0, 0);
    m_splitView->setStretchFactor(1, 1);
    window->setCentralWidget(m_splitView);
    connect(m_splitView, &QSplitter::splitterMoved, this, [this] { resetZoomScrollViewSize(); });
}

void DRVWindowController::placeInspectorInLayout()
{
    if (!m_splitView || !m_inspectorView)
        return;
    // The inspector keeps its fixed panel size at the top of a column as high as the window.
    m_inspectorColumn = new QWidget;
    m_inspectorColumn->setObjectName(QStringLiteral("inspectorColumn"));
    auto* column = new QVBoxLayout(m_inspectorColumn);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(m_inspectorView, 0, Qt::AlignTop | Qt::AlignLeft);
    column->addStretch(1);
    m_splitView->addWidget(m_inspectorColumn);
    m_splitView->setStretchFactor(2, 0);
    const int sidebar = edition().gPageListWidth > 0 ? edition().gPageListWidth : kDefaultPageListWidth;
    m_splitView->setSizes({sidebar, 600, m_inspectorView->width()});
}

void DRVWindowController::setOpenWebsiteFolder(const QString& folder)
{
    m_openWebsiteFolder = folder;
    if (!folder.isEmpty() && m_sidebarSplitView && m_splitView) {
        m_sidebarSplitView->show();
        m_splitView->setDividerStyle(1);
    }
    resetZoomScrollViewSize();
}

// ---- canvas presets ----

void DRVWindowController::setCanvasFrame(int width, int height)
{
    if (!m_graphicView)
        return;
    m_graphicView->setCanvasSize(QSizeF(std::max(0, width), std::max(0, height)));
    m_graphicView->setNeedsDisplay();
}

void DRVWindowController::setCanvasSize(int segment)
{
    if (segment == 0)
        setMobileCanvasSize();
    else if (segment == 1)
        setFullCanvasSize();
    else
        setWideCanvasSize();
}

void DRVWindowController::setMobileCanvasSize()
{
    setCanvasFrame(450, 5000);
}

void DRVWindowController::setFullCanvasSize()
{
    setCanvasFrame(1250, 10000);
}

void DRVWindowController::setWideCanvasSize()
{
    setCanvasFrame(2500, 50000);
}

void DRVWindowController::setMailCanvasSize(int segment)
{
    if (segment == 0)
        setStandardMailCanvasSize();
    else if (segment == 1)
        setExtraWideMailCanvasSize();
    else if (segment == 2)
        setFlexMailCanvasSize();
}

void DRVWindowController::setStandardMailCanvasSize()
{
    applyMailCanvasSize(QStringLiteral("Standard"), 700);
}

void DRVWindowController::setExtraWideMailCanvasSize()
{
    applyMailCanvasSize(QStringLiteral("Extra Wide"), 900);
}

void DRVWindowController::setFlexMailCanvasSize()
{
    applyMailCanvasSize(QStringLiteral("Flex"), 900);
}

void DRVWindowController::applyMailCanvasSize(const QString& type, int width)
{
    // The choice is saved with the page rather than shared by every window.
    if (m_document)
        m_document->setCanvasSizeTypeName(type);
    edition().set(edition().gCanvasWidth, width);
    setCanvasFrame(width, edition().gCanvasHeight);
}

void DRVWindowController::adjustCanvasSizeType()
{
    const bool standard = m_document && m_document->canvasSizeTypeName() == QLatin1String("Standard");
    const int width = standard ? 700 : 900;
    edition().set(edition().gCanvasWidth, width);
    setCanvasFrame(width, edition().gCanvasHeight);
}

void DRVWindowController::followPageCanvasSizeType()
{
    // Only a page that carries an e-mail width has one to re-apply.
    if (m_document && !m_document->canvasSizeTypeName().isEmpty())
        adjustCanvasSizeType();
}

void DRVWindowController::setConfirmedCanvasSize(int width, int height)
{
    setCanvasFrame(width, height);
}

void DRVWindowController::adjustPageSize()
{
    const EditionSettings& e = edition();
    const LabelHelper* row = nullptr;
    if (e.gPaperSizeControlFlag) {
        const QString paper = m_paperSizeSegment == 1 ? QStringLiteral("A4") : QStringLiteral("na-letter");
        const int cards = m_numOfCardsPerSheetSegment == 1 ? 8 : 10;
        row = DataCentre::grabLabelHelperBasedOnSelection(cards, paper);
    } else {
        row = DataCentre::grabLabelHelper(e.gSelectedLabelSheet);
    }
    DataCentre::resetPrintCanvas(row);
    setConfirmedCanvasSize(edition().gCanvasWidth, edition().gCanvasHeight);
}

void DRVWindowController::rotateCanvas90Right()
{
    edition().set(edition().gCanvasRotation, 90);
    DataCentre::resetPrintCanvas(DataCentre::grabLabelHelper(edition().gSelectedLabelSheet));
    setConfirmedCanvasSize(edition().gCanvasWidth, edition().gCanvasHeight);
}

void DRVWindowController::rotateCanvas0()
{
    edition().set(edition().gCanvasRotation, 0);
    DataCentre::resetPrintCanvas(DataCentre::grabLabelHelper(edition().gSelectedLabelSheet));
    setConfirmedCanvasSize(edition().gCanvasWidth, edition().gCanvasHeight);
}

// ---- page-list columns ----

void DRVWindowController::adjustViewColumn(int columns)
{
    platform::UserDefaults::standard().setInteger(QStringLiteral("numOfColumnListings"),
                                                  std::clamp(columns, 1, 3));
    // The filter the search field shows stays applied.
    refreshPageIcons(m_searchField ? m_searchField->text() : QString());
}

void DRVWindowController::respondToSubviewChange()
{
    refreshPageIcons(m_pageSearchText);
}

// ---- fitting the canvas ----

void DRVWindowController::resetZoomScrollViewSize()
{
    if (m_openWebsiteFolder.isEmpty() || !m_splitView || !m_zoomingScrollView || !m_graphicView)
        return;
    double available = m_splitView->width() - (m_sidebarSplitView ? m_sidebarSplitView->width() : 0);
    if (m_inspectorColumn && !isInspectorHidden())
        available -= m_inspectorColumn->width();
    const int width = std::max(0, std::min(truncated(available), truncated(m_graphicView->width())));
    m_zoomingScrollView->setMaximumWidth(width);
    m_zoomingScrollView->resize(width, m_zoomingScrollView->height());
    if (m_document)
        observeDocumentCanvasSize(m_document->canvasSize());
}

void DRVWindowController::prepSingleDocWindow()
{
    if (!m_splitView || !m_sidebarSplitView)
        return;
    m_sidebarSplitView->hide();
    m_splitView->setDividerStyle(2);
    m_splitView->update();
}

// ---- inspector ----

bool DRVWindowController::isInspectorHidden() const
{
    return !m_inspectorView || m_inspectorView->isHidden() ||
           (m_inspectorColumn && m_inspectorColumn->isHidden());
}

void DRVWindowController::toggleInspector()
{
    if (isInspectorHidden())
        reopenInspector();
    else
        collapseInspector();
}

void DRVWindowController::collapseInspector()
{
    unbindEverything();
    if (m_inspectorView)
        m_inspectorView->hide();
    if (m_inspectorColumn)
        m_inspectorColumn->hide();
    resetZoomScrollViewSize();
}

void DRVWindowController::reopenInspector()
{
    if (m_inspectorColumn)
        m_inspectorColumn->show();
    if (m_inspectorView)
        m_inspectorView->show();
    createInspectorPanel();
    restoreBinding();
    resetZoomScrollViewSize();
}

// ---- window ----

float DRVWindowController::toolbarHeightForWindow(const QMainWindow* window)
{
    if (!window)
        return 0;
    float height = 0;
    for (const QToolBar* bar : window->findChildren<QToolBar*>(Qt::FindDirectChildrenOnly)) {
        if (bar->isVisible() && window->toolBarArea(const_cast<QToolBar*>(bar)) == Qt::TopToolBarArea)
            height = std::max(height, float(bar->height()));
    }
    return height;
}

bool DRVWindowController::mn_isFullScreen() const
{
    return m_window && m_window->isFullScreen();
}

void DRVWindowController::windowDidResize()
{
    // Qt's layouts give the split view the window's content area (all of it in full screen).
    resetZoomScrollViewSize();
    if (m_splitView)
        m_splitView->update();
    resetProfilePopoverPosition();
}

void DRVWindowController::splitViewDidResizeSubviews()
{
    // Several resizes in a row rebuild the page tiles once.
    platform::DelayedPerform::schedule(this, kSubviewChangeAction, kSubviewChangeDelayMs,
                                       [this] { respondToSubviewChange(); });
}

// ---- rulers ----

void DRVWindowController::installRulers()
{
    // A print edition's sheet brings its own inch and centimetre; every window's rulers follow.
    static const bool hookInstalled = [] {
        DataCentre::setRulerUnitHook([](double perInch, double perCentimeter) {
            RulerWidget::registerUnitScales(perInch, perCentimeter);
            for (DRVWindowController* controller : allControllers()) {
                if (controller->m_rulers)
                    controller->m_rulers->setUnitName(rulerUnitName());
            }
        });
        return true;
    }();
    Q_UNUSED(hookInstalled);
    m_rulers = new CanvasRulers(m_zoomingScrollView, m_graphicView, this);
    m_rulers->setScale(m_zoomFactor);
    m_rulers->setUnitName(rulerUnitName());
}

void DRVWindowController::updateRulerScale(double factor)
{
    if (m_rulers)
        m_rulers->setScale(factor);
}

void DRVWindowController::updateRulerUnits(const QString& unitName)
{
    if (m_rulers)
        m_rulers->setUnitName(unitName);
    platform::UserDefaults::standard().setObject(QStringLiteral("RulerUnits"), unitName);
}

void DRVWindowController::updateRulers_points()
{
    updateRulerUnits(QStringLiteral("Points"));
}

void DRVWindowController::updateRulers_centimeters()
{
    updateRulerUnits(QStringLiteral("Centimeters"));
}

void DRVWindowController::updateRulers_inches()
{
    updateRulerUnits(QStringLiteral("Inches"));
}

// ---- actions ----

namespace {

using LayoutHandler = std::function<void(DRVWindowController&)>;

const QHash<QString, LayoutHandler>& layoutHandlers()
{
    static const QHash<QString, LayoutHandler> handlers{
        {QStringLiteral("setMobileCanvasSize:"), &DRVWindowController::setMobileCanvasSize},
        {QStringLiteral("setFullCanvasSize:"), &DRVWindowController::setFullCanvasSize},
        {QStringLiteral("setWideCanvasSize:"), &DRVWindowController::setWideCanvasSize},
        {QStringLiteral("setStandardMailCanvasSize:"), &DRVWindowController::setStandardMailCanvasSize},
        {QStringLiteral("setExtraWideMailCanvasSize:"), &DRVWindowController::setExtraWideMailCanvasSize},
        {QStringLiteral("setFlexMailCanvasSize:"), &DRVWindowController::setFlexMailCanvasSize},
        {QStringLiteral("adjustPageSize:"), &DRVWindowController::adjustPageSize},
        {QStringLiteral("rotateCanvas90Right:"), &DRVWindowController::rotateCanvas90Right},
        {QStringLiteral("rotateCanvas0:"), &DRVWindowController::rotateCanvas0},
        {QStringLiteral("view1Column:"), [](DRVWindowController& c) { c.adjustViewColumn(1); }},
        {QStringLiteral("view2Column:"), [](DRVWindowController& c) { c.adjustViewColumn(2); }},
        {QStringLiteral("view3Column:"), [](DRVWindowController& c) { c.adjustViewColumn(3); }},
        {QStringLiteral("toggleInspector:"), &DRVWindowController::toggleInspector},
        {QStringLiteral("collapseInspector:"), &DRVWindowController::collapseInspector},
        {QStringLiteral("reopenInspector:"), &DRVWindowController::reopenInspector},
        {QStringLiteral("toggleSidebarDrawer:"), &DRVWindowController::toggleInspector},
        {QStringLiteral("updateRulers_points:"), &DRVWindowController::updateRulers_points},
        {QStringLiteral("updateRulers_centimeters:"), &DRVWindowController::updateRulers_centimeters},
        {QStringLiteral("updateRulers_inches:"), &DRVWindowController::updateRulers_inches}};
    return handlers;
}

} // namespace

const QStringList& DRVWindowController::layoutActions()
{
    static const QStringList actions = [] {
        QStringList names = layoutHandlers().keys();
        names.sort();
        return names;
    }();
    return actions;
}

bool DRVWindowController::performLayoutAction(const QString& action)
{
    const auto handler = layoutHandlers().constFind(action);
    if (handler == layoutHandlers().constEnd())
        return false;
    (*handler)(*this);
    return true;
}
