// The objects palette of the document window: the catalogue's tiles for the edition's palette
// category, in the inspector's first tab, each window keeping its own tiles.
#include "editions/EditionSettings.h"
#include "platform/StringsTable.h"
#include "window/DRVWindowController.h"
#include "window/DragIconView.h"
#include "window/FlippedNSView.h"
#include "window/InspectorView.h"
#include "window/PaletteCatalogue.h"
#include "window/inspector/InspectorPanel.h"

#include <QLabel>

namespace {

constexpr int kHeadingHeight = 30;
constexpr int kTileHeight = 75;

} // namespace

void DRVWindowController::showObjectsList()
{
    clearInspectorView();
    m_paletteTiles.clear();
    if (!m_inspector)
        return;
    const QString category = edition().gPaletteResourcePrefix;
    const QString extension = m_document ? m_document->pageFileExtension() : QString();
    QList<const PaletteEntry*> listed;
    for (const PaletteEntry& entry : PaletteCatalogue::entries()) {
        if (PaletteCatalogue::isListed(entry, category, extension))
            listed.append(&entry);
    }
    FlippedNSView* clip =
        m_inspector->newScrollingArea(kTileHeight * int(listed.size()) + 2 * kHeadingHeight);
    if (!clip)
        return;
    const int width = clip->width();
    auto* heading = new QLabel(
        platform::StringsTable::lookup(QStringLiteral("Drag and drop to add"), QStringLiteral("Localizable")),
        clip);
    heading->setObjectName(QStringLiteral("paletteHeading"));
    heading->setAlignment(Qt::AlignCenter);
    heading->setStyleSheet(QStringLiteral("font-size: 15px; color: #555555;"));
    heading->setGeometry(0, 0, width, kHeadingHeight);
    heading->show();
    int n = 0;
    for (const PaletteEntry* entry : std::as_const(listed)) {
        const QString title = platform::StringsTable::lookup(entry->title, QStringLiteral("Localizable"));
        auto* tile = new DragIconView(*entry, title, clip);
        tile->setGeometry(0, kHeadingHeight + kTileHeight * n, width, kTileHeight);
        tile->setupSubViews();
        // The highlight is this window's alone: another window's palette keeps its chosen tile.
        tile->willHighlight = [this](DragIconView*) { clearDragAndDropIcons(); };
        tile->show();
        m_paletteTiles.append(tile);
        ++n;
    }
}

QList<DragIconView*> DRVWindowController::paletteTiles() const
{
    QList<DragIconView*> tiles;
    for (const QPointer<DragIconView>& tile : m_paletteTiles) {
        if (tile)
            tiles.append(tile);
    }
    return tiles;
}

void DRVWindowController::clearDragAndDropIcons()
{
    for (DragIconView* tile : paletteTiles())
        tile->setHighlightFlag(false);
}
