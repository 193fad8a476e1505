// Lays out and draws a text document inside a text container the way a browser lays out the page's
// text boxes: lines wrap at word boundaries at the container's width (less an optional padding on
// each side), line boxes are as high as CSS makes them (the font's rounded ascent, descent and line
// gap for "normal", else the fixed line height) with the glyphs centred in them, font sizes are in
// canvas units, and only the lines whose whole height fits into the container count (and are
// drawn). A document is attached for one measurement or one drawing and detached again.
#pragma once
#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <memory>

class QPainter;
class QTextDocument;

class QuibLayoutManager
{
public:
    // The padding table cells keep on each side of their lines.
    static constexpr double kLineFragmentPadding = 5.0;
    // The side of a container that never limits the text.
    static constexpr double kUnlimited = 10000000.0;

    // The vertical metrics of a font as a browser rounds them for line boxes, in canvas units.
    struct LineMetrics
    {
        double ascent = 0;
        double descent = 0;
        double lineGap = 0;
        double normalLineHeight() const { return ascent + descent + lineGap; }
        // Where the baseline stands below the top of a line box of the given height.
        double baselineOffset(double lineHeight) const
        {
            return ascent + (lineHeight - ascent - descent) / 2;
        }
    };
    static LineMetrics lineMetrics(const QFont& font);

    explicit QuibLayoutManager(double lineFragmentPadding = kLineFragmentPadding);
    ~QuibLayoutManager();
    QuibLayoutManager(const QuibLayoutManager&) = delete;
    QuibLayoutManager& operator=(const QuibLayoutManager&) = delete;

    // The process-wide instance of the text graphics, whose lines fill the container from side to
    // side as in the page's CSS content box; main thread only.
    static QuibLayoutManager& shared();
    double lineFragmentPadding() const { return m_lineFragmentPadding; }

    void setContainerSize(QSizeF size);
    QSizeF containerSize() const { return m_containerSize; }

    // Lays out a copy of text in the container; the document itself is left alone, so an editor
    // showing it keeps its own layout. Replaces any document attached before. With opaqueText the
    // copy's colours lose their transparency (for a box that is faded as a whole afterwards).
    void attach(const QTextDocument* text, bool opaqueText = false);
    void detach();
    bool isAttached() const { return m_layout != nullptr; }

    // The lines that fit, padding included, in container coordinates (top left 0, 0). Empty when
    // nothing is attached or no line fits.
    QRectF usedRect() const { return m_usedRect; }
    // Whether no character of the attached text fits into the container.
    bool glyphRangeIsEmpty() const { return m_fittingLines == 0; }
    // Draws backgrounds and glyphs of the fitting lines with the container's top left at origin.
    void drawGlyphs(QPainter* painter, QPointF origin) const;

    // The lines of text that fit into a container of the given size, as usedRect() gives them,
    // leaving whatever is attached alone. A text measured at that size before and unchanged since
    // is answered without laying it out again.
    QRectF measuredRect(const QTextDocument* text, QSizeF containerSize) const;
    // measuredRect of the shared instance.
    static QRectF usedRectForText(const QTextDocument* text, QSizeF containerSize);

    // A text storage as every text graphic keeps it: no document margin, so the padding above is
    // the only inset, and words are never broken inside.
    static void prepareTextStorage(QTextDocument* text);

private:
    void measure();
    double lineWidth() const;

    double m_lineFragmentPadding;
    QSizeF m_containerSize{kUnlimited, kUnlimited};
    std::unique_ptr<QTextDocument> m_layout;
    QRectF m_usedRect;
    int m_fittingLines = 0;
    // The top of the first line that does not fit.
    double m_hiddenFrom = kUnlimited;
};
