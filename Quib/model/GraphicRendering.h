// Off-screen renderings of graphics, put on the clipboard beside the private graphic data so that
// other applications can paste a picture of what was copied.
#pragma once
#include "model/DRVGraphic.h"

#include <QByteArray>
#include <QList>
#include <QRectF>

class QPainter;

class GraphicRendering
{
public:
    GraphicRendering() = delete;

    // A one-page PDF of the graphics' drawing bounds (rounded out to whole points) on white, in page
    // coordinates. Empty when the graphics cover nothing.
    static QByteArray pdfDataWithGraphics(const QList<DRVGraphic*>& graphics);
    // A TIFF of the graphics' drawing bounds with a transparent background. Empty, with the
    // rendering error (code 3) in error when given, when the graphics cover nothing.
    static QByteArray tiffDataWithGraphics(const QList<DRVGraphic*>& graphics, GraphicError* error = nullptr);

    // Paints the graphics whose drawing bounds meet rect, back to front (the first one ends on top),
    // each clipped to its own drawing bounds. painter is in page coordinates.
    static void drawGraphics(QPainter* painter, const QList<DRVGraphic*>& graphics, const QRectF& rect);
};
