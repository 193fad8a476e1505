// One input of the clipboard decoder's fuzz target, shared with the test that replays its corpus:
// the bytes as pasted graphics data, decoded, pasted into a page and drawn.
#pragma once
#include "document/DRVDocument.h"
#include "model/DRVGraphic.h"
#include "model/GraphicRendering.h"

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
    const QList<DRVGraphic*> graphics = DRVGraphic::graphicsWithPasteboardData(bytes, &error, &page);
    if (graphics.isEmpty())
        return;
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
