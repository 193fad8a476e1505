// Shared set-up of the factory tests: an edition chosen by display name, a private user-defaults
// store, a document bound to a canvas, and a one-line description of a table a factory made.
#pragma once
#include "canvas/DRVGraphicView.h"
#include "document/DRVDocument.h"
#include "editions/EditionSettings.h"
#include "model/DRVTable.h"
#include "model/myTextView.h"
#include "platform/Geometry.h"
#include "platform/UndoManager.h"
#include "platform/UserDefaults.h"

#include <QTemporaryDir>
#include <QTextDocument>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace factorytest {

inline QString cellText(const myTextView* cell)
{
    return cell && cell->textStorage() ? cell->textStorage()->toPlainText() : QString();
}

// Class, bounds, kind, grid, spacing, border, section and cell sizes (row 0's widths, column 0's
// heights) and the first cell's text: what tells one factory's table from another's.
inline QString describe(const DRVGraphic* graphic)
{
    const auto* table = qobject_cast<const DRVTable*>(graphic);
    if (!table)
        return graphic ? QString::fromLatin1(graphic->metaObject()->className()) : QStringLiteral("nothing");
    QStringList widths, heights;
    const myTextView* first = nullptr;
    for (const myTextView* cell : table->cellHelperArray()) {
        if (!first)
            first = cell;
        if (cell->rowSpot() == 0)
            widths.append(QString::number(cell->width()));
        if (cell->columnSpot() == 0)
            heights.append(QString::number(cell->height()));
    }
    return QStringLiteral("%1 %2 %3 %4x%5 pad %6 border %7 section %8/%9/%10 w %11 h %12 '%13'")
        .arg(QString::fromLatin1(table->metaObject()->className()), platform::stringFromRect(table->bounds()),
             table->gridType())
        .arg(table->numOfRows())
        .arg(table->numOfColumns())
        .arg(table->padding())
        .arg(table->borderStyle())
        .arg(table->sectionNumber())
        .arg(table->sectionRowSpot())
        .arg(table->sectionColumnSpot())
        .arg(widths.join(u','), heights.join(u','), cellText(first));
}

// The keys whose values differ, with both values, one a line: a readable failure.
inline std::string differences(const QVariantMap& a, const QVariantMap& b)
{
    QStringList out;
    QStringList keys = a.keys() + b.keys();
    keys.removeDuplicates();
    for (const QString& key : keys) {
        if (a.value(key) != b.value(key))
            out.append(key + QStringLiteral(": ") + a.value(key).toString() + QStringLiteral(" / ") +
                       b.value(key).toString());
    }
    return out.join(u'\n').toStdString();
}

// Puts graphics behind those of doc, front to back, outside the undo history.
inline void placeOnPage(DRVDocument& doc, const QList<DRVGraphic*>& graphics)
{
    QList<int> indexes;
    for (int i = 0; i < int(graphics.size()); ++i)
        indexes.append(int(doc.graphics().size()) + i);
    doc.undoManager()->disableUndoRegistration();
    doc.insertGraphics(graphics, indexes);
    doc.undoManager()->enableUndoRegistration();
}

class FactoryTest : public ::testing::Test
{
protected:
    explicit FactoryTest(const char* editionName = "HTML Quib Pro")
        : m_edition(QString::fromLatin1(editionName))
    {
        platform::UserDefaults::standard().useStoreFile(m_store.filePath(QStringLiteral("defaults.ini")));
    }

    // Binds the canvas to the document once the page holds what the test put there.
    void bind() { view.bindGraphics(&doc); }
    // Puts graphics on the page, front to back, outside the undo history.
    void place(const QList<DRVGraphic*>& graphics) { placeOnPage(doc, graphics); }
    DRVTable* front() const
    {
        return doc.graphics().isEmpty() ? nullptr : qobject_cast<DRVTable*>(doc.graphics().constFirst());
    }

    QTemporaryDir m_store;
    ScopedEdition m_edition;
    DRVDocument doc;
    DRVGraphicView view;
};

} // namespace factorytest
