// The share panel: one sheet per document, made on first use and kept for the document's life; shown
// after a page is published and from the share command.
#include "document/DRVDocument.h"
#include "window/DRVWindowController.h"
#include "window/ShareWindowController.h"

#include <QApplication>
#include <QDialog>
#include <QMainWindow>
#include <QPushButton>
#include <QScreen>

void DRVDocument::showShareWindowController(QObject* sender)
{
    Q_UNUSED(sender);
    const QList<DRVWindowController*> controllers = DRVWindowController::controllersForDocument(this);
    QMainWindow* documentWindow = controllers.isEmpty() ? nullptr : controllers.first()->window();
    // A panel whose window went with its document window is made again.
    if (m_shareWindowController && !m_shareWindowController->window()) {
        delete m_shareWindowController.data();
        m_shareWindowController = nullptr;
    }
    if (!m_shareWindowController) {
        auto* panel = new ShareWindowController(documentWindow, this);
        m_shareWindowController = panel;
        QDialog* sheet = panel->window();
        sheet->adjustSize();
        const QRect area = documentWindow ? documentWindow->frameGeometry()
                           : sheet->screen()  ? sheet->screen()->availableGeometry()
                                              : QRect();
        if (area.isValid())
            sheet->move(area.center() - sheet->rect().center());
        connect(panel->closeButton(), &QPushButton::clicked, this, &DRVDocument::hideShareWindowControllerPanel);
    }
    if (documentWindow && !QApplication::activeWindow()) {
        documentWindow->raise();
        documentWindow->activateWindow();
    }
    ShareWindowController* panel = m_shareWindowController;
    // Again at every showing: whether a button can act follows the edition as it is now.
    connectShareActions(panel);
    panel->layOutShareButtons();
    panel->window()->show();
    panel->window()->raise();
}

void DRVDocument::hideShareWindowControllerPanel()
{
    if (m_shareWindowController && m_shareWindowController->window())
        m_shareWindowController->window()->hide();
}

ShareWindowController* DRVDocument::shareWindowController() const
{
    return m_shareWindowController;
}
