// The picture of a whole page that exports, the share panel, the image-map e-mail and the print
// sheets use: the page's background and graphics drawn straight from the document, so no window
// has to be visible and no selection handle can ever appear in it.
#pragma once
#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

class DRVDocument;
class QPainter;
struct EditionSettings;

class PagePicture
{
public:
    PagePicture() = delete;

    // Larger pages are cut to these, the height first giving way: a graphic dragged far away must
    // not ask for gigabytes of pixels.
    static constexpr int kMaximumSide = 20000;
    static constexpr qint64 kMaximumPixels = 50'000'000;

    // The picture's size, the first rule that applies: the edition's canvas when it exports at
    // that size; the page's own fixed canvas; in the e-mail editions the canvas width (the
    // content width with the "Flex" mail width) by the content height; else the content plus a
    // 50-pixel margin, or without it when the edition says so. Each side is at least 1, and the
    // picture within the limits above.
    static QSize pictureSize(const DRVDocument& document, const EditionSettings& edition);

    // Whether the background stays transparent: a clear page colour, or a transparent picture
    // asked for in an edition that allows one on a page without a background picture. Editions
    // whose canvas cannot be clear draw white instead.
    static bool hasClearBackground(const DRVDocument& document, const EditionSettings& edition,
                                   bool transparent);

    // Paints the page into (0, 0, size): its colour or background picture, then its graphics.
    static void paint(QPainter* painter, const DRVDocument& document, const EditionSettings& edition,
                      QSize size, bool transparent);

    // The page as pixels at pictureSize; null for a page that cannot be drawn.
    static QImage render(const DRVDocument& document, const EditionSettings& edition, bool transparent);

    // A one-page PDF the picture's size in points, drawn with the same painting as render, so the
    // page's text stays text. Empty when nothing could be drawn.
    static QByteArray pdfData(const DRVDocument& document, const EditionSettings& edition);

    // JPEG bytes at the highest quality. JPEG has no transparency, so clear parts become white
    // rather than the black an encoder would make of them.
    static QByteArray jpegData(const QImage& image);
};
