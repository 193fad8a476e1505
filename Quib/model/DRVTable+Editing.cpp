// In-place editing of one cell's text.
#include "model/DRVTable.h"
#include "model/QuibLayoutManager.h"
#include "model/QuibTextEditor.h"

#include <QTextDocument>
#include <QTimer>

QWidget* DRVTable::newEditingViewWithSuperviewBounds(const QRectF& superviewBounds)
{
    if (!m_selectable || isSectionTable())
        return nullptr;
    myTextView* cell = grabCurrentTableCellHelper();
    if (!cell || !cell->textStorage())
        return nullptr;
    const QRect r = grabSelectedCellRect(cell->rowSpot(), cell->columnSpot());
    if (m_editor)
        finalizeEditingView(m_editor);
    auto* editor = new QuibTextEditor(cell->textStorage(), QSizeF(r.width(), 0),
                                      QSizeF(r.width(), superviewBounds.height() - r.y()));
    editor->setGeometry(r);
    editor->selectAll();
    m_editor = editor;
    m_editedCell = cell;
    watchTextStorage(cell);
    return editor;
}

void DRVTable::finalizeEditingView(QWidget* editingView)
{
    if (auto* editor = qobject_cast<QuibTextEditor*>(editingView))
        editor->detachText();
    if (editingView == m_editor) {
        m_editor = nullptr;
        m_editedCell = nullptr;
    }
}

QSizeF DRVTable::naturalSize() const
{
    const myTextView* cell = grabCurrentTableCellHelper();
    if (!cell || !cell->textStorage())
        return {};
    const QRect r = grabSelectedCellRect(cell->rowSpot(), cell->columnSpot());
    QuibLayoutManager& manager = sharedLayoutManager();
    manager.setContainerSize(QSizeF(r.width(), QuibLayoutManager::kUnlimited));
    manager.attach(cell->textStorage());
    const QSizeF size = manager.usedRect().size();
    manager.detach();
    return size;
}

void DRVTable::setHeightToMatchContents()
{
    m_heightMeasurePending = false;
    myTextView* cell = m_editedCell ? m_editedCell.data() : grabCurrentTableCellHelper();
    if (cell)
        measureCellText(cell);
}

void DRVTable::textStorageDidProcessEditing()
{
    if (m_heightMeasurePending)
        return;
    m_heightMeasurePending = true;
    QTimer::singleShot(0, this, &DRVTable::setHeightToMatchContents);
}

void DRVTable::watchTextStorage(myTextView* cell)
{
    if (QTextDocument* text = cell->textStorage())
        connect(text, &QTextDocument::contentsChanged, this, &DRVTable::textStorageDidProcessEditing,
                Qt::UniqueConnection);
}
