// The private clipboard and drag formats of the canvas, shared by what writes them (copy, the
// objects palette) and what reads them (paste, drops).
#pragma once
#include <QString>

namespace DRVDragTypes {
// The graphics of a copy: GraphicClipboard data.
inline QString graphicsMimeType()
{
    return QStringLiteral("application/x-quib-graphics");
}
// The token of the copy that wrote the clipboard, as decimal text; a clipboard without it (or with
// another) was changed from outside since the canvas copied.
inline QString copyTokenMimeType()
{
    return QStringLiteral("application/x-quib-copy-token");
}
// A palette item dragged onto the canvas: GraphicClipboard data of a one-element list holding the
// library key string.
inline QString libraryKeyMimeType()
{
    return QStringLiteral("application/x-quib-library-key");
}
} // namespace DRVDragTypes
