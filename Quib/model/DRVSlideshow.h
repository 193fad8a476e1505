// An image slideshow on the page: an ordered list of slides shown one at a time on the canvas with
// previous and next arrows. The published page scrolls a strip of the slides, one slideshow width
// per step, laid out as layoutSlides lays them out here.
#pragma once
#include "model/DRVGraphic.h"
#include "model/TransformView.h"

#include <QList>
#include <QRect>

class DRVSlideshow : public DRVGraphic
{
    Q_OBJECT
    Q_PROPERTY(QList<TransformView*> imageArray READ imageArray WRITE setImageArray)
    Q_PROPERTY(int currentImageIndex READ currentImageIndex WRITE setCurrentImageIndex)
    Q_PROPERTY(int totalNumofSlides READ totalNumofSlides)

public:
    Q_INVOKABLE explicit DRVSlideshow(QObject* parent = nullptr);

    // The size of an arrow and its hit area.
    static constexpr int kArrowWidth = 40;
    static constexpr int kArrowHeight = 50;

    // A complete copy: every dictionary value, copies of the slides and the current index.
    std::unique_ptr<DRVGraphic> copy() const override;
    // The base dictionary; slides travel as carriers, never through the dictionary.
    QVariantMap properties() const override;
    // The base keys, then the slides of "imageArray" (carriers, adopted) and index 0.
    void initWithProperties(const QVariantMap& properties) override;

    QList<TransformView*> imageArray() const { return m_imageArray; }
    // Adopts the slides; the current index is kept in range.
    void setImageArray(const QList<TransformView*>& slides);
    int currentImageIndex() const { return m_currentImageIndex; }
    // Kept in range: 0 up to the last slide (0 with none).
    void setCurrentImageIndex(int index);
    int totalNumofSlides() const { return int(m_imageArray.size()); }
    // The slide shown, or nullptr with none.
    TransformView* currentSlide() const;

    // The look a slide made to replace another starts with: no tag, border, link, shadow, scrolling
    // or move lock, fully opaque, retina as the user default "DovrelRetinaFlag" says.
    static void setNewSlideLook(TransformView* slide);
    // Appends the slide (adopting it) and shows it.
    void addIntoImageArray(TransformView* slide);
    // Takes the slide out (the caller owns it then) and keeps the current index in range.
    TransformView* removeSlideAtIndex(int index);
    void moveSlideForward();
    void moveSlideBackward();

    // The arrows' hit areas, whether or not the arrow is drawn.
    QRectF previousArrowRect() const;
    QRectF nextArrowRect() const;
    bool nextButtonClicked(QPointF point) const;
    bool previousButtonClicked(QPointF point) const;
    // A click on an arrow steps the slides (and redraws); then whether the point is inside bounds.
    bool isContentsUnderPoint(QPointF point) override;

    // The layout step: every slide's slideWidth and frame (side by side, one slideshow width apart,
    // each fitted into and centred in its own cell). The page writer calls it before it writes the
    // slideshow; painting calls it too.
    void grabTransformViewBounds();
    // Where slide index of a picture of originalSize stands in a slideshow of slideshowSize: the
    // picture keeps its proportions and fits inside one cell of the strip.
    static QRect slideFrame(QSizeF originalSize, QSizeF slideshowSize, int index);

    void drawContentsInView(QPainter* painter, bool isBeingCreateOrEdited) override;
    // The bounds as a rectangle path.
    GraphicPath bezierPathForDrawing() const override;
    // Strokes the outline in the font colour by borderStyle (when the stroke is drawn) and clears
    // the fill colour.
    void drawOutline(QPainter* painter);
    QRectF drawingBounds() const override;
    bool canSetDrawingFill() const override { return true; }
    bool canSetDrawingStroke() const override { return true; }
    void makeNaturalSize() override {}
    QString presentablePropertyNameForKey(const QString& key) const override;

protected:
    QStringList keysAffectedByKey(const QString& key) const override;

private:
    void adopt(TransformView* slide);
    void drawArrow(QPainter* painter, const QRectF& rect, bool next) const;

    QList<TransformView*> m_imageArray;
    int m_currentImageIndex = 0;
};
