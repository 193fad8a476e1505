// The window controller's side of the inspector: the panel beside the canvas and the operations the
// canvas, the menus and the notifications reach it by.
#include "editions/EditionSettings.h"
#include "model/DRVTable.h"
#include "window/DRVWindowController.h"
#include "window/InspectorView.h"
#include "window/inspector/FormattingOptions.h"
#include "window/inspector/InspectorPanel.h"
#include "window/inspector/LayerList.h"
#include "window/inspector/PresetPickers.h"

#include <QDockWidget>
#include <QMainWindow>

void DRVWindowController::installInspector(QMainWindow* window)
{
    // The layout places the view beside the canvas.
    m_inspectorView = new InspectorView(window);
    m_inspectorView->setObjectName(QStringLiteral("inspectorView"));
    m_inspectorView->setFixedSize(InspectorPanel::gInspectorWidth, InspectorPanel::gInspectorHeight);

    m_inspector = new InspectorPanel(this, m_inspectorView);
    connect(this, &DRVWindowController::becameMain, m_inspector,
            [] { InspectorBinder::mainWindowChanged(); });
    // A picked preset becomes a graphic on this window's canvas.
    PresetPickers* pickers = m_inspector->presetPickers();
    pickers->addNewShape = [this](int index) {
        if (m_graphicView)
            m_graphicView->addNewShape(index);
    };
    pickers->addNewSelectedTextView = [this](int index) {
        if (m_graphicView)
            m_graphicView->addNewSelectedTextView(index);
    };
    // Wired before the first build: the "Add" tab shows first and must find its builder.
    m_inspector->showObjectsList = [this] { showObjectsList(); };
    initializeInspectorElements();
    followDocumentInInspector();
    createInspectorPanel();
}

void DRVWindowController::followDocumentInInspector()
{
    if (m_inspector)
        m_inspector->layerList()->followDocument(m_document);
}

void DRVWindowController::showFormattingOptions()
{
    if (m_inspector)
        m_inspector->formattingOptions()->showFormattingOptions();
}

void DRVWindowController::updateIconViewDescriptionForLine()
{
    if (m_inspector)
        m_inspector->formattingOptions()->updateIconViewDescriptionForLine();
}

void DRVWindowController::showLayers()
{
    if (m_inspector)
        m_inspector->layerList()->showLayers();
}

void DRVWindowController::refreshLayerListing()
{
    if (m_inspector)
        m_inspector->layerList()->refreshLayerListing();
}

void DRVWindowController::clearLayerListingIcons()
{
    if (m_inspector)
        m_inspector->layerList()->clearLayerListingIcons();
}

void DRVWindowController::initializeInspectorElements()
{
    if (m_inspector)
        m_inspector->initializeInspectorElements();
}

void DRVWindowController::createInspectorPanel()
{
    if (m_inspector)
        m_inspector->createInspectorPanel();
}

void DRVWindowController::switchInspectorView()
{
    if (m_inspector)
        m_inspector->switchInspectorView();
}

void DRVWindowController::switchSideBarView()
{
    if (m_inspector)
        m_inspector->switchSideBarView();
}

void DRVWindowController::clearInspectorView()
{
    if (m_inspector)
        m_inspector->clearInspectorView();
}

void DRVWindowController::graphicTouched()
{
    if (m_inspector)
        m_inspector->graphicTouched();
}

void DRVWindowController::restoreBinding()
{
    if (m_inspector)
        m_inspector->restoreBinding();
}

void DRVWindowController::unbindEverything()
{
    if (m_inspector)
        m_inspector->unbindEverything();
}

void DRVWindowController::updateMarginAndPadding()
{
    if (!m_graphicView)
        return;
    for (DRVGraphic* graphic : m_graphicView->selectedGraphics()) {
        graphic->applyPaddingAndMargin();
        auto* table = qobject_cast<DRVTable*>(graphic);
        if (table && table->gridType() == QLatin1String("section"))
            reAlignSectionObjects(table);
    }
}

void DRVWindowController::updatedMarginType()
{
    if (!m_graphicView)
        return;
    for (DRVGraphic* graphic : m_graphicView->selectedGraphics())
        graphic->autoConvertLeftMargins();
}

void DRVWindowController::selectDefaultShapes()
{
    if (m_inspector)
        m_inspector->presetPickers()->selectDefaultShapes();
}

void DRVWindowController::selectDefaultTextViews()
{
    if (m_inspector)
        m_inspector->presetPickers()->selectDefaultTextViews();
}
