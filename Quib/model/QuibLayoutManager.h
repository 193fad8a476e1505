// Lays out and draws a text document inside a text container the way the page's text boxes are
// measured: every line is padded by 5 points on each side, font sizes are in canvas units, and only
// the lines whose whole height fits into the container count (and are drawn). One shared instance
// serves every text graphic and table cell; a document is attached for one measurement or one
// drawing and detached again.
#pragma once
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <memory>

class QPainter;
class QTextDocument;

class QuibLayoutManager
{
public:
    static constexpr double kLineFragmentPadding = 5.0;
    // The side of a container that never limits the text.
    static constexpr double kUnlimited = 10000000.0;

    QuibLayoutManager();
    ~QuibLayoutManager();
    QuibLayoutManager(const QuibLayoutManager&) = delete;
    QuibLayoutManager& operator=(const QuibLayoutManager&) = delete;

    // The process-wide instance; main thread only.
    static QuibLayoutManager& shared();

    void setContainerSize(QSizeF size);
    QSizeF containerSize() const { return m_containerSize; }

    // Lays out a copy of text in the container; the document itself is left alone, so an editor
    // showing it keeps its own layout. Replaces any document attached before.
    void attach(const QTextDocument* text);
    void detach();
    bool isAttached() const { return m_layout != nullptr; }

    // The lines that fit, padding included, in container coordinates (top left 0, 0). Empty when
    // nothing is attached or no line fits.
    QRectF usedRect() const { return m_usedRect; }
    // Whether no character of the attached text fits into the container.
    bool glyphRangeIsEmpty() const { return m_fittingLines == 0; }
    // Draws backgrounds and glyphs of the fitting lines with the container's top left at origin.
    void drawGlyphs(QPainter* painter, QPointF origin) const;

    // Measures text in a container of the given size in one call (attach, measure, detach).
    static QRectF usedRectForText(const QTextDocument* text, QSizeF containerSize);

    // A text storage as every text graphic keeps it: no document margin, so the padding above is
    // the only inset.
    static void prepareTextStorage(QTextDocument* text);

private:
    void measure();

    QSizeF m_containerSize{kUnlimited, kUnlimited};
    std::unique_ptr<QTextDocument> m_layout;
    QRectF m_usedRect;
    int m_fittingLines = 0;
};
