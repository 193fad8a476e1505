// The edition's toolbar of the document window: chosen by the edition's full display name, filled
// from its item list, dispatched and validated like the menus, localised through the strings.
#include "editions/EditionSettings.h"
#include "window/DRVWindowController.h"
#include "window/EditionToolbar.h"
#include "window/ToolbarChoice.h"
#include "window/inspector/InspectorPanel.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMainWindow>

namespace {

const QString kMainStrings = QStringLiteral("Localizable");

} // namespace

QToolBar* DRVWindowController::printTemplateToolBar() const
{
    if (!m_editionToolBar || !m_editionToolBar->findChild<QComboBox*>())
        return nullptr;
    return m_editionToolBar;
}

void DRVWindowController::selectWhichToolBarToUse()
{
    if (!m_window)
        return;
    const QString displayName = edition().gEditionDisplayName;
    const ToolbarChoiceRow* row = ToolbarChoice::rowForEdition(displayName);
    const QString outlet = row ? row->toolbar : ToolbarChoice::interfaceToolbarName();
    // Running the choice again keeps the same bar.
    if (!m_editionToolBar || m_editionToolBar->objectName() != outlet) {
        delete m_editionToolBar;
        EditionToolbar::Handlers handlers;
        handlers.perform = [this](const ToolbarItemDescription& item, int segment) {
            performToolbarItem(item, segment);
        };
        handlers.isEnabled = [this](const QString& action) { return isToolbarActionEnabled(action); };
        m_editionToolBar =
            new EditionToolbar(outlet, ToolbarChoice::itemsForToolbar(outlet), handlers, m_window);
        m_window->addToolBar(Qt::TopToolBarArea, m_editionToolBar);
    }
    // The print editions' template pop-up sits at the end of their bar.
    const QString popUpName = templatePopUpNameForEdition(displayName);
    for (QComboBox* popUp : std::as_const(m_templatePopUps)) {
        if (popUp->objectName() == popUpName && popUp->parentWidget() != m_editionToolBar) {
            m_editionToolBar->addWidget(new QLabel(QStringLiteral("Template: ")));
            m_editionToolBar->addWidget(popUp);
        }
    }
    m_editionToolBar->validateItems();

    if (row) {
        if (row->hidesGrabPageLink) {
            for (QAction* item : m_window->findChildren<QAction*>(QStringLiteral("grabPageLinkMenuItem")))
                item->setVisible(false);
        }
        for (const QString& name : ToolbarChoice::hiddenControlNames(row->hidden)) {
            if (QWidget* control = m_inspector ? m_inspector->control(name) : nullptr)
                control->hide();
        }
    }

    // The main window's bar is localised as well, whichever window ran the choice.
    if (DRVWindowController* main = mainWindowController()) {
        if (main->m_editionToolBar)
            main->m_editionToolBar->localize(kMainStrings);
    }
}

void DRVWindowController::prepareToLocalizeToolbarAndStuff()
{
    if (m_editionToolBar)
        m_editionToolBar->localize(kMainStrings);
}

bool DRVWindowController::isToolbarActionEnabled(const QString& action) const
{
    // The toolbar's segmented presets are the window's own; everything else is validated like the
    // menu item of the same action.
    static const QStringList segmented{QStringLiteral("setCanvasSize:"),
                                       QStringLiteral("setMailCanvasSize:")};
    if (segmented.contains(action))
        return m_graphicView != nullptr;
    if (!handledActions().contains(action))
        return false;
    MenuItemState item;
    item.enabled = true;
    return validateMenuItem(action, item).enabled;
}

void DRVWindowController::performToolbarItem(const ToolbarItemDescription& item, int segment)
{
    if (!isToolbarActionEnabled(item.action))
        return;
    if (item.id == QLatin1String("paperSizeSegmentedControl"))
        setPaperSizeSegment(segment);
    else if (item.id == QLatin1String("numOfCardsPerSheetSegmentedControl"))
        setNumOfCardsPerSheetSegment(segment);
    if (item.action == QLatin1String("setCanvasSize:"))
        setCanvasSize(segment);
    else if (item.action == QLatin1String("setMailCanvasSize:"))
        setMailCanvasSize(segment);
    else
        performAction(item.action);
}
