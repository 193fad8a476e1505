// The edited state of a page document and the question asked before an edited page closes.
#include "document/DRVDocument.h"

#include "editions/EditionSettings.h"
#include "platform/Dialogs.h"
#include "platform/StringsTable.h"
#include "platform/UndoManager.h"

#include <QMetaObject>

void DRVDocument::ensureChangeTracking()
{
    if (m_changeTrackingConnected || !m_undoManager)
        return;
    m_changeTrackingConnected = true;
    platform::UndoManager* undo = m_undoManager;
    // Every undo group that lands on the undo stack is an edit; undo and redo step back and forth.
    connect(undo, &platform::UndoManager::didCloseUndoGroup, this, [this, undo] {
        if (!undo->isUndoing() && !undo->isRedoing() && undo->isUndoRegistrationEnabled() &&
            undo->groupingLevel() == 0 && undo->canUndo())
            updateChangeCount(ChangeType::Done);
    });
    connect(undo, &platform::UndoManager::didUndo, this, [this] { updateChangeCount(ChangeType::Undone); });
    connect(undo, &platform::UndoManager::didRedo, this, [this] { updateChangeCount(ChangeType::Redone); });
}

bool DRVDocument::scheduleChangeTracking()
{
    // The undo manager is made after this member; connect once the constructor has finished.
    QMetaObject::invokeMethod(
        this, [this] { ensureChangeTracking(); }, Qt::QueuedConnection);
    return false;
}

void DRVDocument::updateChangeCount(ChangeType change)
{
    switch (change) {
    case ChangeType::Done:
    case ChangeType::Redone:
        ++m_changeCount;
        break;
    case ChangeType::Undone:
        --m_changeCount;
        break;
    case ChangeType::Cleared:
        m_changeCount = 0;
        break;
    }
}

bool DRVDocument::isDocumentEdited() const
{
    return !edition().gReadOnlyViewerFlag && m_changeCount != 0;
}

bool DRVDocument::isDraft() const
{
    return !edition().gReadOnlyViewerFlag && m_filePath.isEmpty();
}

bool DRVDocument::isFormPage() const
{
    return m_pageFileType == QLatin1String("selvaro") || m_pageFileExtension == QLatin1String("php");
}

bool DRVDocument::canCloseDocument()
{
    ensureChangeTracking();
    emit hideDocPanelsRequested();
    if (!isDocumentEdited())
        return true;
    const QString table = QStringLiteral("Localizable");
    platform::Alert alert;
    alert.title = QStringLiteral("This file has changed");
    alert.informativeText = QStringLiteral("Do you want to save the changes?");
    alert.buttons = {platform::StringsTable::lookup(QStringLiteral("Yes"), table),
                     platform::StringsTable::lookup(QStringLiteral("No"), table),
                     platform::StringsTable::lookup(QStringLiteral("Cancel"), table)};
    alert.style = platform::AlertStyle::Warning;
    switch (platform::showAlert(alert)) {
    case 0:
        // The window closes once the page is safely stored, and stays open when the save failed
        // or its panel was cancelled.
        return saveDocument();
    case 1:
        return true;
    default:
        return false;
    }
}
