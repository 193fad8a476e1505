#include "window/DRVWindowController.h"

#include "canvas/DRVGraphicView.h"
#include "canvas/DRVGrid.h"
#include "canvas/DRVSelectionModel.h"
#include "document/DRVDocument.h"
#include "document/PageImageFiles.h"
#include "editions/EditionSettings.h"
#include "model/DRVGalleryGrid.h"
#include "model/DRVImage.h"
#include "model/DRVSlideshow.h"
#include "model/DRVTable.h"
#include "model/DRVZoomingScrollView.h"
#include "model/TransformView.h"
#include "platform/Dialogs.h"
#include "platform/UndoManager.h"
#include "platform/UserDefaults.h"
#include "window/EditionToolbar.h"
#include "window/FlippedNSView.h"
#include "window/MailRecipientWindowController.h"
#include "window/PageDialogsController.h"
#include "window/ProfileViewController.h"
#include "window/SourceCodeWindowController.h"
#include "window/inspector/ColorSelector.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

QList<DRVWindowController*>& liveControllers()
{
    static QList<DRVWindowController*> controllers;
    return controllers;
}

QPointer<DRVWindowController>& mainController()
{
    static QPointer<DRVWindowController> controller;
    return controller;
}

const QString kCanvasSizeKey = QStringLiteral("canvasSize");

} // namespace

DRVWindowController::DRVWindowController(QObject* parent)
    : QObject(parent), m_windowNibName(windowInterfaceNameForEdition(edition().gEditionDisplayName))
{
    liveControllers().append(this);
    m_grid = new DRVGrid(this);
    m_graphicsController = new DRVSelectionModel(this);
    m_zoomFactor = edition().usableDisplayScale();
    for (QPushButton*& button : m_colorButtons)
        button = new QPushButton;
    // The canvas exists before the window, so a document can be bound to it at once.
    m_graphicView = new DRVGraphicView;
    m_graphicView->setContextMenuHook(
        [](QMenu* menu) { EditionToolbar::localizeMenu(menu, QStringLiteral("Localizable")); });
}

DRVWindowController::~DRVWindowController()
{
    liveControllers().removeAll(this);
    if (mainController() == this)
        mainController() = nullptr;
    unregisterNotifications();
    stopObservingDocument();
    if (m_graphicView) {
        m_graphicView->unbindGraphics();
        m_graphicView->unbindSelectionIndexes();
        m_graphicView->setGrid(nullptr);
    }
    for (QPushButton* button : m_colorButtons) {
        if (button && !button->parent())
            delete button;
    }
    // The edition's pop-up sits in the window's bar; removing it first leaves the bar consistent.
    qDeleteAll(m_templatePopUps);
    if (m_window) {
        m_window->removeEventFilter(this);
        delete m_window;
    } else {
        delete m_graphicView;
    }
}

QString DRVWindowController::windowInterfaceNameForEdition(const QString& name)
{
    if (name == QLatin1String("Ostrevin") || name == QLatin1String("Quellam") ||
        name == QLatin1String("Tirrabel"))
        return QStringLiteral("PhotoCatalogSettingsWindowController");
    return QStringLiteral("DrawWindow");
}

// ---- document ----

void DRVWindowController::setDocument(DRVDocument* document)
{
    if (!document && m_graphicView) {
        disconnect(m_zoomBinding);
        m_zoomBinding = {};
        m_graphicView->setGrid(nullptr);
        m_graphicView->unbindGraphics();
    }
    stopObservingDocument();
    m_document = document;
    m_graphicsController->setContent(document);
    followDocumentInInspector();
    if (document) {
        // "[PAGE_NUMBER]" in the base template is the page's place in this window's page list.
        document->setPageNumberLookup([guard = QPointer<DRVWindowController>(this)](const QString& name) {
            if (!guard)
                return -1;
            const QList<PageRecord>& pages = guard->siteIconArray();
            for (qsizetype i = 0; i < pages.size(); ++i) {
                if (pages.at(i).documentName == name)
                    return int(i);
            }
            return -1;
        });
        m_documentConnections.append(platform::observe(
            document, this,
            [this](platform::Observable*, const QString& key, const QVariant&, const QVariant&) {
                static const QStringList sizeKeys{
                    kCanvasSizeKey, QStringLiteral("docSpecificFixedCanvasFlag"),
                    QStringLiteral("docSpecificPageWidth"), QStringLiteral("docSpecificPageHeight")};
                if (m_document && sizeKeys.contains(key))
                    observeDocumentCanvasSize(m_document->canvasSize());
            }));
        m_documentConnections.append(connect(document, &QObject::destroyed, this, [this] {
            if (m_graphicView) {
                m_graphicView->unbindGraphics();
                m_graphicView->setGrid(nullptr);
            }
            unregisterNotifications();
        }));
        m_documentConnections.append(connect(document, &DRVDocument::windowTitleChanged, this,
                                             [this](const QString&) { updateWindowTitle(); }));
        m_documentConnections.append(connect(document, &DRVDocument::backgroundImageChanged, this, [this] {
            if (m_graphicView)
                m_graphicView->update();
        }));
        // A page rebuilt in place brings its own colour and size.
        m_documentConnections.append(connect(document, &DRVDocument::pageReloaded, this, [this] {
            refreshPageBackgroundColor();
            if (m_document)
                observeDocumentCanvasSize(m_document->canvasSize());
            refreshLayerListing();
            followPageCanvasSizeType();
        }));
        m_documentConnections.append(
            connect(document, &DRVDocument::deselectAllRequested, this, [this] { deSelectAllObjects(); }));
    }
    followPageCanvasSizeType();
    bindOpenedPageToTemplate();
    if (m_window) {
        if (document)
            bindCanvas();
        registerNotifications();
        updateWindowTitle();
    }
}

void DRVWindowController::stopObservingDocument()
{
    for (QMetaObject::Connection& connection : m_documentConnections)
        disconnect(connection);
    m_documentConnections.clear();
}

QString DRVWindowController::documentDisplayName() const
{
    if (!m_document)
        return QString();
    if (!m_document->pageOfficialName().isEmpty())
        return m_document->windowTitle();
    if (!m_document->filePath().isEmpty())
        return QFileInfo(m_document->filePath()).fileName();
    if (!m_document->pageName().isEmpty())
        return m_document->pageName();
    return QStringLiteral("Untitled");
}

// ---- window ----

QMainWindow* DRVWindowController::window()
{
    if (!m_window)
        windowDidLoad();
    return m_window;
}

void DRVWindowController::showWindow()
{
    QMainWindow* w = window();
    w->show();
    w->raise();
    w->activateWindow();
    // Offscreen and focus-less platforms never activate a window; the newest one counts as main.
    if (!mainController()) {
        mainController() = this;
        emit becameMain(this);
    }
}

QList<DRVWindowController*> DRVWindowController::allControllers()
{
    return liveControllers();
}

DRVWindowController* DRVWindowController::mainWindowController()
{
    if (mainController())
        return mainController();
    for (auto it = liveControllers().crbegin(); it != liveControllers().crend(); ++it) {
        if ((*it)->isWindowLoaded())
            return *it;
    }
    return nullptr;
}

QList<DRVWindowController*> DRVWindowController::controllersForDocument(const DRVDocument* document)
{
    QList<DRVWindowController*> found;
    for (DRVWindowController* controller : liveControllers()) {
        if (document && controller->document() == document)
            found.append(controller);
    }
    return found;
}

void DRVWindowController::windowDidLoad()
{
    auto* window = new QMainWindow;
    window->setObjectName(m_windowNibName);
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    m_window = window;

    m_mainCanvasView = new FlippedNSView;
    m_mainCanvasView->setObjectName(QStringLiteral("mainCanvasView"));
    // The scroll view may be narrower than its container (a project's canvas narrower than the space).
    auto* layout = new QHBoxLayout(m_mainCanvasView);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_zoomingScrollView = new DRVZoomingScrollView;
    m_zoomingScrollView->setObjectName(QStringLiteral("zoomingScrollView"));
    m_zoomingScrollView->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_zoomingScrollView->setWidget(m_graphicView);
    m_zoomingScrollView->installEventFilter(this);
    layout->addWidget(m_zoomingScrollView, 1);
    layout->addStretch(0);
    installRulers();
    buildLayout(window);
    connect(m_zoomingScrollView, &DRVZoomingScrollView::clickedOutsideCanvas, this, [this] {
        stopEditingInGraphicView();
        deSelectAllObjects();
        graphicTouched();
    });
    connect(m_graphicView, &DRVGraphicView::selectionChangedFromCanvas, this, &DRVWindowController::graphicTouched);

    if (m_document)
        observeDocumentCanvasSize(m_document->canvasSize());
    followPageCanvasSizeType();
    m_graphicView->bindSelectionIndexes(m_graphicsController);
    if (m_document)
        bindCanvas();
    selectedToolDidChange();
    registerNotifications();
    refreshPageBackgroundColor();

    // The print editions' template pop-ups: one item per label template, in list order.
    const QStringList titles = labelTemplateTitles(edition().gLabelTemplateList);
    static const char* popUpNames[] = {"templateSelectionPopupButton",
                                       "flyerTemplateSelectionPopupButton",
                                       "manualTemplateSelectionPopupButton",
                                       "foldingCardTemplateSelectionPopupButton",
                                       "tuvikBusinessCardDesignerPopupButton",
                                       "tuvikEcardDesignerPopupButton",
                                       "corvaneEnvelopePopupButton"};
    for (const char* name : popUpNames) {
        auto* popUp = new QComboBox;
        popUp->setObjectName(QString::fromLatin1(name));
        popUp->addItems(titles);
        popUp->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        m_templatePopUps.append(popUp);
    }
    wireTemplatePopUps();
    m_profileViewController = new ProfileViewController(QStringLiteral("ProfileViewController"), this);
    installInspector(window);
    placeInspectorInLayout();
    // The toolbar hides inspector controls, so the inspector comes first.
    selectWhichToolBarToUse();
    setFormButtons();
    prepareToLocalizeToolbarAndStuff();

    // A page larger than the screen opens at most as large as the screen's free area allows.
    QSize size(1100, 800);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableSize());
    window->resize(size);
    window->installEventFilter(this);
    updateWindowTitle();
}

void DRVWindowController::bindCanvas()
{
    m_graphicView->bindGraphics(m_document);
    m_graphicView->setGrid(m_grid);
    disconnect(m_zoomBinding);
    m_zoomingScrollView->setFactor(m_zoomFactor);
    m_graphicView->setScale(m_zoomFactor);
    m_zoomBinding = connect(m_zoomingScrollView, &DRVZoomingScrollView::factorChanged, this,
                            [this](double factor) { setZoomFactor(factor); });
}

void DRVWindowController::updateWindowTitle()
{
    if (m_window)
        m_window->setWindowTitle(m_document ? documentDisplayName() : QString());
}

void DRVWindowController::setZoomFactor(double factor)
{
    if (!(factor > 0))
        return;
    m_zoomFactor = factor;
    if (m_graphicView)
        m_graphicView->setScale(factor);
    updateRulerScale(factor);
    if (m_zoomingScrollView && m_zoomingScrollView->factor() != factor) {
        const QSignalBlocker blocker(m_zoomingScrollView);
        m_zoomingScrollView->setFactor(factor);
    }
}

QString DRVWindowController::rulerUnitName()
{
    platform::UserDefaults& defaults = platform::UserDefaults::standard();
    if (defaults.hasUserValue(QStringLiteral("RulerUnits"))) {
        const QString unit = defaults.stringForKey(QStringLiteral("RulerUnits"));
        if (!unit.isEmpty())
            return unit;
    }
    if (!edition().gRulerUnitName.isEmpty())
        return edition().gRulerUnitName;
    return QStringLiteral("Points");
}

bool DRVWindowController::eventFilter(QObject* watched, QEvent* event)
{
    // A widget being destroyed still sends events; reading a guarded pointer to it then would cast a
    // half-destroyed object, so the watched object's own type is asked first.
    if (event->type() == QEvent::Resize && qobject_cast<DRVZoomingScrollView*>(watched) &&
        watched == m_zoomingScrollView)
        resetProfilePopoverPosition();
    if (event->type() == QEvent::Resize && watched == m_sidebarSplitView.data())
        splitViewDidResizeSubviews();
    if (qobject_cast<QMainWindow*>(watched) && watched == m_window) {
        switch (event->type()) {
        case QEvent::Resize:
            windowDidResize();
            break;
        case QEvent::Close: {
            if (m_closing)
                return false;
            // While the close is asked about (a modal alert takes the focus) and afterwards, losing
            // the focus must not save the page behind the user's answer.
            m_closing = true;
            if (!mayCloseWindow()) {
                m_closing = false;
                event->ignore();
                return true;
            }
            // Deleting the controller inside the close event would pull the window away under Qt.
            m_window->hide();
            emit windowClosed(this);
            deleteLater();
            return false;
        }
        case QEvent::WindowActivate:
            mainController() = this;
            emit becameMain(this);
            break;
        case QEvent::WindowDeactivate:
            windowDidResignMain();
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

void DRVWindowController::windowDidResignMain()
{
    // Leaving a page stores it, except in the editions that keep one document open. A page that
    // has no file yet is left alone: saving it would need a place the user has not chosen.
    if (m_document && !edition().gSingleDocumentFlag && !m_document->filePath().isEmpty() && !m_closing)
        m_document->askPageToSaveItself();
    emit resignedMain(this);
}

// ---- canvas size ----

void DRVWindowController::observeDocumentCanvasSize(const QSizeF& size)
{
    if (!m_graphicView || !size.isValid())
        return;
    m_graphicView->setNeedsDisplay();
    m_graphicView->setCanvasSize(size);
    m_graphicView->setNeedsDisplay();
}

// ---- page colour ----

void DRVWindowController::updateDocumentColor(const QColor& color, const QString& hexString)
{
    m_pageColorHexString = hexString;
    if (m_graphicView) {
        m_graphicView->setNeedsDisplay();
        m_graphicView->setPageColor(color);
        m_graphicView->setPageColorHexString(hexString);
        m_graphicView->setNeedsDisplay();
    }
    if (m_window && m_window->centralWidget())
        m_window->centralWidget()->update();
}

QColor DRVWindowController::getDocumentColor() const
{
    return m_graphicView ? m_graphicView->pageColor() : QColor();
}

void DRVWindowController::refreshPageBackgroundColor()
{
    if (m_document)
        updateDocumentColor(m_document->pageColor(), m_document->pageColorHexString());
    resetZoomScrollViewSize();
    // A page opened by itself, not from the open project, has no page list beside it.
    if (m_openWebsiteFolder.isEmpty())
        prepSingleDocWindow();
}

// ---- print templates ----

QStringList DRVWindowController::labelTemplateTitles(const QList<LabelTemplateHelper>& templates)
{
    QStringList titles;
    for (const LabelTemplateHelper& t : templates)
        titles.append(
            QStringLiteral("%1 %2 %3").arg(t.brand, t.templateNumber, t.templateDescription).trimmed());
    return titles;
}

QList<QComboBox*> DRVWindowController::templatePopUps() const
{
    return m_templatePopUps;
}

QString DRVWindowController::templatePopUpNameForEdition(const QString& name)
{
    static const QList<QPair<QString, QString>> popUps{
        {QStringLiteral("Kestrin Label Maker"), QStringLiteral("templateSelectionPopupButton")},
        {QStringLiteral("Kestrin Flyer Maker Pro"), QStringLiteral("flyerTemplateSelectionPopupButton")},
        {QStringLiteral("Kestrin PDF Author"), QStringLiteral("manualTemplateSelectionPopupButton")},
        {QStringLiteral("Kestrin Greeting Card Designer"),
         QStringLiteral("foldingCardTemplateSelectionPopupButton")},
        {QStringLiteral("Corvane Business Card Designer"),
         QStringLiteral("tuvikBusinessCardDesignerPopupButton")},
        {QStringLiteral("Corvane eCard Designer"), QStringLiteral("tuvikEcardDesignerPopupButton")},
        {QStringLiteral("Corvane Envelope Designer"), QStringLiteral("corvaneEnvelopePopupButton")}};
    for (const auto& [edition, popUp] : popUps) {
        if (edition == name)
            return popUp;
    }
    return QString();
}

// ---- colour buttons ----

void DRVWindowController::refreshColorButtons()
{
    const QString pageHex = m_pageColorHexString;
    const QColor canvas = pageHex.isEmpty() || pageHex == QLatin1String("CLEAR0") ? QColor(Qt::transparent)
                                                                                 : getDocumentColor();
    const QColor colours[] = {m_selectedTextColor,      m_selectedShapeColor,  m_selectedHoverColor,
                              m_selectedHoverTextColor, m_selectedBorderColor, canvas};
    for (int i = 0; i < 6; ++i) {
        QPushButton* button = m_colorButtons[i];
        const QColor colour = colours[i].isValid() ? colours[i] : QColor(Qt::transparent);
        // The face follows the colour; the place is the panel's or the tile's.
        ColorSelector::showColorOnButton(colour, button);
    }
}

void DRVWindowController::refreshInspectorPanel()
{
    // The colour view is the buttons' panel; it arrives with the inspector, the buttons are here.
    for (QPushButton* button : m_colorButtons) {
        if (QWidget* panel = button->parentWidget())
            panel->update();
        button->update();
    }
}

// ---- canvas forwarders ----

bool DRVWindowController::isThereGraphicAtNewLocation(const DRVGraphic* graphic, const QRectF& rect) const
{
    return m_graphicView && m_graphicView->isThereGraphicAtNewLocation(graphic, rect);
}

QRectF DRVWindowController::grabSectionRect(QPointF point, const QRectF& rect) const
{
    return m_graphicView ? m_graphicView->grabSectionRect(point, rect) : QRectF();
}

QRectF DRVWindowController::grabOverLappingSectionCell(QPointF point) const
{
    return m_graphicView ? m_graphicView->grabOverLappingSectionCell(point) : QRectF();
}

DRVGraphic* DRVWindowController::isObjectStillInSameSectionGrid(QPointF point, DRVGraphic* graphic) const
{
    return m_graphicView ? m_graphicView->isObjectStillInSameSectionGrid(point, graphic) : graphic;
}

void DRVWindowController::reAlignSectionObjects(DRVGraphic* section) const
{
    if (m_graphicView)
        m_graphicView->reAlignSectionObjects(section);
}

QList<DRVGraphic*> DRVWindowController::findObjectsInSection(DRVGraphic* section) const
{
    return m_graphicView ? m_graphicView->findObjectsInSection(section) : QList<DRVGraphic*>();
}

DRVGraphic* DRVWindowController::grabMySection(int sectionNumber) const
{
    return m_graphicView ? m_graphicView->grabMySection(sectionNumber) : nullptr;
}

void DRVWindowController::removeTableBackgroundPattern() const
{
    if (m_graphicView)
        m_graphicView->removeTableBackgroundImage();
}

bool DRVWindowController::doesSelectedTableContainBackgroundPattern() const
{
    return m_graphicView && m_graphicView->doesSelectedTableContainBackgroundPattern();
}

bool DRVWindowController::isThereGraphicAtRect(const QRectF& rect) const
{
    return m_graphicView && m_graphicView->isThereGraphicAtRect(rect);
}

bool DRVWindowController::isThereGraphicAtRect_includingSection(const QRectF& rect) const
{
    return m_graphicView && m_graphicView->isThereGraphicAtRect_includingSection(rect);
}

void DRVWindowController::identifyAndPushSectionsDownward(const QRectF& rect) const
{
    if (m_graphicView)
        m_graphicView->identifyAndPushSectionsDownward(rect);
}

void DRVWindowController::identifyAndPushSectionsDownwardByOnePixel(const QRectF& rect) const
{
    if (m_graphicView)
        m_graphicView->identifyAndPushSectionsDownwardByOnePixel(rect);
}

void DRVWindowController::identifyAndPushSectionsDownwardByDifference(const QRectF& rect) const
{
    if (m_graphicView)
        m_graphicView->identifyAndPushSectionsDownwardByDifference(rect);
}

DRVGraphic* DRVWindowController::grabBottomMostObjectInSection(DRVGraphic* section) const
{
    return m_graphicView ? m_graphicView->grabBottomMostObjectInSection(section) : nullptr;
}

DRVGraphic* DRVWindowController::grabTopMostObjectInSection(DRVGraphic* section) const
{
    return m_graphicView ? m_graphicView->grabTopMostObjectInSection(section) : nullptr;
}

void DRVWindowController::reAlignFormOptions() const
{
    if (m_graphicView)
        m_graphicView->reAlignFormOptions();
}

// ---- notifications ----

const QList<QPair<QString, bool>>& DRVWindowController::observedNotifications()
{
    static const QList<QPair<QString, bool>> names{
        {QStringLiteral("refreshDocIcon"), true},          {QStringLiteral("updateCurrentButtonColor"), true},
        {QStringLiteral("websiteUpdated"), false},         {QStringLiteral("totalWebsiteUpdated"), true},
        {QStringLiteral("displayProfilePopover"), true},   {QStringLiteral("hideProfilePopover"), true},
        {QStringLiteral("displayToolbars"), false},        {QStringLiteral("clearDragAndDropIcons"), false},
        {QStringLiteral("clearLayerListingIcons"), false}, {QStringLiteral("callRefreshTabs"), false},
        {QStringLiteral("refreshInspectorPanel"), false},  {QStringLiteral("unbindEverything"), false}};
    return names;
}

void DRVWindowController::registerNotifications()
{
    unregisterNotifications();
    platform::NotificationCenter& center = platform::NotificationCenter::defaultCenter();
    for (const auto& [name, documentOnly] : observedNotifications()) {
        // A document-only name without a document would take every sender's posts: leave it out.
        if (documentOnly && !m_document)
            continue;
        const QString key = name;
        m_observerIds.append(center.addObserver(
            key, this, [this, key](const platform::Notification&) { handleNotification(key); },
            documentOnly ? static_cast<const QObject*>(m_document.data()) : nullptr));
    }
}

void DRVWindowController::unregisterNotifications()
{
    platform::NotificationCenter& center = platform::NotificationCenter::defaultCenter();
    for (platform::NotificationCenter::ObserverId id : std::as_const(m_observerIds))
        center.removeObserver(id);
    m_observerIds.clear();
}

void DRVWindowController::handleNotification(const QString& name)
{
    ++m_handledNotificationCount;
    if (name == QLatin1String("refreshDocIcon"))
        updateCurrentlySelectedQuibButton();
    else if (name == QLatin1String("updateCurrentButtonColor"))
        updateCurrentButtonColor();
    else if (name == QLatin1String("websiteUpdated"))
        refreshWebsite();
    else if (name == QLatin1String("totalWebsiteUpdated"))
        totalRefreshWebsite();
    else if (name == QLatin1String("displayProfilePopover"))
        displayProfilePopover();
    else if (name == QLatin1String("hideProfilePopover"))
        hideProfilePopover();
    else if (name == QLatin1String("displayToolbars"))
        setFormButtons();
    else if (name == QLatin1String("clearDragAndDropIcons"))
        clearDragAndDropIcons();
    else if (name == QLatin1String("clearLayerListingIcons"))
        clearLayerListingIcons();
    else if (name == QLatin1String("callRefreshTabs"))
        callRefreshTabs();
    else if (name == QLatin1String("refreshInspectorPanel"))
        switchSideBarView();
    else if (name == QLatin1String("unbindEverything"))
        unbindEverything();
}

// ---- actions ----

const QStringList& DRVWindowController::handledActions()
{
    static const QStringList actions{QStringLiteral("undo:"),
                                     QStringLiteral("redo:"),
                                     QStringLiteral("saveDocument:"),
                                     QStringLiteral("saveDocumentAs:"),
                                     QStringLiteral("performClose:"),
                                     QStringLiteral("newDocumentWindow:"),
                                     QStringLiteral("toggleGridConstraining:"),
                                     QStringLiteral("toggleGridShowing:"),
                                     QStringLiteral("showOrHideSourceCode:"),
                                     QStringLiteral("showOrHideSourceCodeStatic:"),
                                     QStringLiteral("showMailSourceCode:"),
                                     QStringLiteral("showShapePopOver:"),
                                     QStringLiteral("addNewShape:"),
                                     QStringLiteral("showTextViewPopOver:"),
                                     // the page's settings dialogs
                                     QStringLiteral("showPagePreferences:"),
                                     QStringLiteral("showFormPreferences:"),
                                     // the share panel
                                     QStringLiteral("showSharePanel:"),
                                     // publishing one page
                                     QStringLiteral("publishThisPage:"),
                                     QStringLiteral("publishThisPageNoImages:"),
                                     QStringLiteral("publishSinglePageWithImages:"),
                                     QStringLiteral("publishSinglePageNoImages:"),
                                     // only validate their submenus (Page List Columns, Add Into
                                     // Website), never chosen
                                     QStringLiteral("showViewOptions:"),
                                     QStringLiteral("addIntoGroup:")};
    static const QStringList withCanvas =
        actions + PageDialogsController::actions() + layoutActions() + addPageActions() + websiteActions() + pageListActions() + catalogActions() +
        profileActions() +
        QStringList(DRVGraphicView::menuCommands().keyBegin(), DRVGraphicView::menuCommands().keyEnd()) +
        // publishing the website and chosen files
        DRVDocument::websitePublishingActions() +
        DRVDocument::exportActions() +
        // sheets and printing
        DRVDocument::printingActions() +
        // PDF output and the spot chooser
        DRVDocument::pdfOutputActions() +
        // the e-mail editions' Send
        QStringList{QStringLiteral("publishMail:")};
    return withCanvas;
}

bool DRVWindowController::performAction(const QString& action)
{
    if (performLayoutAction(action) || performAddPageAction(action) || performWebsiteAction(action))
        return true;
    if (performPageListAction(action) || performCatalogAction(action))
        return true;
    // publishing the website and chosen files
    if (DRVDocument::websitePublishingActions().contains(action)) {
        if (!m_document)
            return true;
        if (action == QLatin1String("publishWebsiteWithImages:"))
            m_document->publishWebsiteWithImages(this);
        else if (action == QLatin1String("publishWebsiteNoImages:"))
            m_document->publishWebsiteNoImages(this);
        else
            m_document->selectDocumentsToUpload(this);
        return true;
    }
    if (m_document && m_document->performExportAction(action, this))
        return true;
    // sheets and printing
    if (m_document && m_document->performPrintingAction(action, this))
        return true;
    // PDF output and the spot chooser
    if (m_document && m_document->performPdfOutputAction(action, this))
        return true;
    // the e-mail editions' Send: the document's recipient sheet on this window
    if (action == QLatin1String("publishMail:")) {
        if (m_document)
            MailRecipientWindowController::forDocument(m_document)->showRecipientSettings(window());
        return true;
    }
    if (performProfileAction(action))
        return true;
    if (action == QLatin1String("undo:"))
        undo();
    else if (action == QLatin1String("redo:"))
        redo();
    else if (action == QLatin1String("saveDocument:"))
        saveDocument();
    else if (action == QLatin1String("saveDocumentAs:"))
        saveDocumentAs();
    else if (action == QLatin1String("performClose:"))
        performClose();
    else if (action == QLatin1String("newDocumentWindow:"))
        newDocumentWindow();
    else if (action == QLatin1String("toggleGridConstraining:"))
        toggleGridConstraining();
    else if (action == QLatin1String("toggleGridShowing:"))
        toggleGridShowing();
    else if (action == QLatin1String("showOrHideSourceCode:") ||
             action == QLatin1String("showOrHideSourceCodeStatic:") ||
             action == QLatin1String("showMailSourceCode:"))
        showSourceCommand(action);
    else if (PageDialogsController::actions().contains(action))
        pageDialogs()->perform(action);
    else if (action == QLatin1String("showShapePopOver:") || action == QLatin1String("addNewShape:"))
        // Insert > Shape lets the user pick one of the preset shapes.
        selectDefaultShapes();
    else if (action == QLatin1String("showTextViewPopOver:"))
        selectDefaultTextViews();
    else if (action == QLatin1String("showSharePanel:") && m_document)
        m_document->showShareWindowController(this);
    else if (action == QLatin1String("showPagePreferences:") && m_document)
        m_document->showPagePreferences(this);
    else if (action == QLatin1String("showFormPreferences:") && m_document)
        m_document->showFormPreferences(this);
    // publishing one page: the Publish menu's page items are the document's two commands
    else if ((action == QLatin1String("publishThisPage:") ||
              action == QLatin1String("publishSinglePageWithImages:")) && m_document)
        m_document->publishSinglePageWithImages();
    else if ((action == QLatin1String("publishThisPageNoImages:") ||
              action == QLatin1String("publishSinglePageNoImages:")) && m_document)
        m_document->publishSinglePageNoImages();
    else if (const DRVGraphicView::Command command = DRVGraphicView::menuCommands().value(action)) {
        if (m_graphicView)
            command(*m_graphicView);
    } else
        return false;
    return true;
}

MenuValidationState DRVWindowController::menuValidationState() const
{
    MenuValidationState state = MenuValidationState::forEdition(edition());
    state.hasDocument = m_document != nullptr;
    state.pageCount = int(m_siteIconArray.size());
    state.documentDisplayName = documentDisplayName();
    state.gridUsable = m_grid->isUsable();
    state.gridConstraining = m_grid->isConstraining();
    state.gridAlwaysShown = m_grid->isAlwaysShown();
    if (m_document) {
        state.graphicCount = int(m_document->graphics().size());
        const platform::UndoManager* undo = m_document->undoManager();
        state.canUndo = undo->canUndo();
        state.canRedo = undo->canRedo();
        state.undoActionName = undo->undoActionName();
        state.redoActionName = undo->redoActionName();
        // The form menu items belong to form pages.
        state.showAddFormObjects = m_document->isFormPage();
    }
    state.pageCount = int(m_siteIconArray.size());
    state.pageClicked = !m_selectedPageName.isEmpty();
    state.pageListColumns = pageListColumns();
    state.showAddFormObjects = showAddFormObjects();
    state.selectedCount = int(m_graphicsController->selectionIndexes().size());
    state.selectedTableHasBackgroundPattern = doesSelectedTableContainBackgroundPattern();
    return state;
}

CanvasMenuFacts DRVWindowController::canvasMenuFacts() const
{
    CanvasMenuFacts facts;
    if (!m_graphicView)
        return facts;
    const QList<DRVGraphic*> selected = m_graphicView->selectedGraphics();
    facts.selectedCount = int(selected.size());
    facts.imageAlreadyEnlarged = m_graphicView->isItAlreadyEnlarged();
    facts.gridCanAlign = m_grid->canAlign();
    for (const DRVGraphic* graphic : selected)
        facts.anyCanMakeNaturalSize = facts.anyCanMakeNaturalSize || graphic->canMakeNaturalSize();
    const QStringList holding = m_graphicView->holdingPredicates();
    facts.predicates = QSet<QString>(holding.begin(), holding.end());
    const EditionSettings& e = edition();
    CanvasMenuFacts::addHolding(facts.editionFlags,
                                {{"gHideAlignLeftFlag", e.gHideAlignLeftFlag},
                                 {"gHideAlignRightFlag", e.gHideAlignRightFlag},
                                 {"gHideHorizontalCentersFlag", e.gHideHorizontalCentersFlag},
                                 {"gHideVerticalCentersFlag", e.gHideVerticalCentersFlag},
                                 {"gHideHorizontalSpacingFlag", e.gHideHorizontalSpacingFlag},
                                 {"gHideSameSizeFlag", e.gHideSameSizeFlag},
                                 {"gHideSameWidthFlag", e.gHideSameWidthFlag},
                                 {"gHideClickToEnlargeFlag", e.gHideClickToEnlargeFlag},
                                 {"gHideImageCaptionFlag", e.gHideImageCaptionFlag},
                                 {"gTableImagesFlag", e.gTableImagesFlag},
                                 {"gResponsiveLayoutFlag", e.gResponsiveLayoutFlag}});
    return facts;
}

MenuItemState DRVWindowController::validateMenuItem(const QString& action, const MenuItemState& item) const
{
    const CanvasMenuAnswer canvas = MenuValidation::validateCanvas(action, item, canvasMenuFacts());
    if (canvas.handled)
        return canvas.item;
    MenuItemState state = MenuValidation::validate(action, item, menuValidationState());
    // Only the template chooser can finish a page started from a template.
    if (action == QLatin1String("addNewDirectlyFromTemplate:"))
        state.enabled = state.enabled && hasTemplateChooser();
    // The two website commands follow the page list: hidden while it is empty, back once it holds
    // tiles again.
    if (action == QLatin1String("publishWebsiteWithImages:") || action == QLatin1String("publishWebsiteNoImages:")) {
        state.enabled = DRVDocument::websitePublishingAvailable(int(m_siteIconArray.size()));
        state.visible = state.enabled;
    }
    // A project's pages are named and kept by the project: no Save As while its list shows them.
    if (action == QLatin1String("saveDocumentAs:"))
        state.visible = m_siteIconArray.isEmpty();
    // PDF output and the spot chooser: a book needs a project, spots need a label sheet.
    if (action == QLatin1String("exportAllPDF:") || action == QLatin1String("exportAllPDFFast:")) {
        state.enabled = !m_siteIconArray.isEmpty();
        state.visible = state.enabled;
    }
    if (action == QLatin1String("selectDefaultLabelShapes:"))
        state.visible = !edition().gSelectedLabelSheet.isEmpty() || edition().gPaperSizeControlFlag;
    // Different labels are a project's pages: open one, or at least offer the way to one.
    if (action == QLatin1String("printSheetWithDifferentLabels:"))
        state.enabled = state.enabled && (!m_openWebsiteFolder.isEmpty() || offersOpenWebsite());
    return state;
}

void DRVWindowController::undoOrRedo(bool undoing)
{
    if (!m_document)
        return;
    platform::UndoManager* manager = m_document->undoManager();
    // What was typed so far belongs to the group being undone.
    manager->closeEventGroup();
    if (undoing ? !manager->canUndo() : !manager->canRedo())
        return;
    // The graphics the step brings back or changes become the selection.
    m_graphicView->startCollectingUndoSelectionIndexes();
    if (undoing)
        manager->undo();
    else
        manager->redo();
    const QList<int> touched = m_graphicView->takeUndoSelectionIndexes();
    if (!touched.isEmpty())
        m_graphicView->changeSelectionIndexes(touched);
}

void DRVWindowController::undo()
{
    undoOrRedo(true);
}

void DRVWindowController::redo()
{
    undoOrRedo(false);
}

DRVWindowController* DRVWindowController::newDocumentWindow()
{
    auto* controller = new DRVWindowController(parent());
    controller->setDocument(m_document);
    emit windowControllerCreated(controller);
    controller->showWindow();
    return controller;
}

PageDialogsController* DRVWindowController::pageDialogs()
{
    if (!m_pageDialogs)
        m_pageDialogs = new PageDialogsController(this);
    return m_pageDialogs;
}

void DRVWindowController::showSourceCommand(const QString& action)
{
    if (!m_document)
        return;
    // The image-map e-mail editions point the source item at the e-mail's HTML.
    const bool published = action == QLatin1String("showOrHideSourceCode:");
    if (action == QLatin1String("showMailSourceCode:") ||
        (published && SourceCodeWindowController::isImageMapEmailEdition(edition().gEditionDisplayName)))
        SourceCodeWindowController::showMailSourceCode(m_document);
    else
        SourceCodeWindowController::showSourceCode(m_document, published);
}

void DRVWindowController::toggleGridConstraining()
{
    m_grid->setConstraining(!m_grid->isConstraining());
}

void DRVWindowController::toggleGridShowing()
{
    m_grid->setAlwaysShown(!m_grid->isAlwaysShown());
}

void DRVWindowController::selectedToolDidChange()
{
    if (m_zoomingScrollView)
        m_zoomingScrollView->viewport()->setCursor(Qt::ArrowCursor);
}

void DRVWindowController::stopEditingInGraphicView()
{
    if (m_graphicView)
        m_graphicView->stopEditing();
}

void DRVWindowController::deSelectAllObjects()
{
    if (m_graphicView && m_graphicView->selectionModel())
        m_graphicView->changeSelectionIndexes({});
}

QString DRVWindowController::grabNextImageName() const
{
    const QStringList names = m_document && m_graphicView ? m_graphicView->imageNamesInUse() : QStringList();
    return PageImageFiles::getNextImageName(names, grabCurrentDocPath());
}

QString DRVWindowController::grabCurrentDocPath() const
{
    if (!m_document || m_document->pagePath().isEmpty())
        return QString();
    return PageImageFiles::imageFolderForPage(m_document->pagePath());
}

// ---- document flows ----

bool DRVWindowController::saveDocument()
{
    return m_document && m_document->saveDocument();
}

bool DRVWindowController::saveDocumentAs()
{
    if (!m_document)
        return false;
    platform::FilePanelRequest request;
    request.fileName = m_document->createFileName() + u'.' + edition().gDocumentExtension;
    request.allowedExtensions = {edition().gDocumentExtension};
    if (!m_document->filePath().isEmpty())
        request.directory = QFileInfo(m_document->filePath()).absolutePath();
    const QString path = platform::DialogService::current().runSavePanel(request);
    if (path.isEmpty())
        return false;
    const bool saved = m_document->saveDocumentTo(path);
    m_document->updateWindowTitle();
    updateWindowTitle();
    return saved;
}

bool DRVWindowController::mayCloseWindow()
{
    // Only the document's last window asks about unsaved changes.
    if (!m_document || controllersForDocument(m_document).size() > 1)
        return true;
    return m_document->canCloseDocument();
}

bool DRVWindowController::performClose()
{
    if (!m_window)
        return false;
    return m_window->close();
}
