// The print settings window of the canvas: where printing on a partly used label sheet starts.
#include "canvas/DRVGraphicView.h"

#include "canvas/PrintSettingsWindowController.h"
#include "platform/StringRules.h"
#include "print/PrintStart.h"

#include <QLineEdit>
#include <QPushButton>

void DRVGraphicView::launchPrintSettings()
{
    if (!m_printSettingsWindowController) {
        m_printSettingsWindowController = new PrintSettingsWindowController(this);
        centreEditorWindow(m_printSettingsWindowController->window());
        connect(m_printSettingsWindowController->saveButton(), &QPushButton::clicked, this,
                &DRVGraphicView::savePrintSettings);
    }
    PrintSettingsWindowController* c = m_printSettingsWindowController;
    c->startingRowSpotTextField()->setText(QString::number(printStartingRow()));
    c->startingColumnSpotTextField()->setText(QString::number(printStartingColumn()));
    c->window()->show();
    c->window()->raise();
}

void DRVGraphicView::savePrintSettings()
{
    PrintSettingsWindowController* c = m_printSettingsWindowController;
    if (!c)
        return;
    c->window()->hide();
    storePrintStart(platform::intValue(c->startingRowSpotTextField()->text()),
                    platform::intValue(c->startingColumnSpotTextField()->text()));
}
