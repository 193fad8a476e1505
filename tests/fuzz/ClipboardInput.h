// One input of the clipboard decoder's fuzz target, shared with the test that replays its corpus:
// the bytes as pasted graphics data, decoded, pasted into a page and drawn; the tables the data
// carries whole are rebuilt from it, put into the page and drawn too.
#pragma once
#include "document/DRVDocument.h"
#include "model/DRVGraphic.h"
#include "model/DRVTable.h"
#include "model/GraphicClipboard.h"
#include "model/GraphicRendering.h"
#include "model/TableClipboard.h"

#include <QImage>
#include <QPainter>
#include <cstddef>
#include <cstdint>

namespace fuzzinput {

inline void pasteClipboard(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    GraphicError error;
    DRVDocument page;
    QList<DRVGraphic*> graphics = DRVGraphic::graphicsWithPasteboardData(bytes, &error, &page);
    if (graphics.isEmpty())
        return;
    if (const std::optional<QVariantList> dictionaries = GraphicClipboard::decodeGraphicProperties(bytes)) {
        for (const QVariant& dictionary : *dictionaries) {
            std::optional<TableClipboard::Decoded> table = TableClipboard::decode(dictionary.toMap());
            if (!table)
                continue;
            // The pictures' files are not written anywhere: their bytes are the canvas's to check.
            table->table->layoutCells();
            graphics.append(table->table.release());
        }
    }
    QList<int> indexes;
    for (int i = 0; i < graphics.size(); ++i)
        indexes.append(i);
    page.insertGraphics(graphics, indexes);
    QImage canvas(128, 128, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    painter.scale(0.125, 0.125);
    GraphicRendering::drawGraphics(&painter, page.graphics(), QRectF(0, 0, 1024, 1024));
}

} // namespace fuzzinput
