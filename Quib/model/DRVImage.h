// The picture on a page: an image scaled into its content rectangle, optionally mirrored, masked by
// a grey mask (white shows, black hides), clipped to an oval or speech-bubble outline, given a
// fading reflection below it, and framed by a border and shadow. The picture as inserted
// (inputImage) is kept apart from the one drawn (contents: the input with its reflection), so the
// reflection and the property dictionary always start from the unreflected picture.
#pragma once
#include "model/DRVGraphic.h"

#include <QImage>
#include <QPainterPath>
#include <QRectF>

class DRVImage : public DRVGraphic
{
    Q_OBJECT
    // The reflection is kept within [0, 1], however it is set.
    Q_PROPERTY(double reflection READ reflection WRITE setReflection)
    Q_PROPERTY(bool flippedHorizontally READ isFlippedHorizontally WRITE setFlippedHorizontally)
    Q_PROPERTY(bool flippedVertically READ isFlippedVertically WRITE setFlippedVertically)
    Q_PROPERTY(int bubbleFlag READ bubbleFlag WRITE setBubbleFlag)
    Q_PROPERTY(bool forceNonRetinaFlag READ forceNonRetinaFlag WRITE setForceNonRetinaFlag)

public:
    Q_INVOKABLE explicit DRVImage(QObject* parent = nullptr);

    // The picture's size centred on position; inputImage stays unset.
    void initWithPosition(QPointF position, const QImage& contents);
    // A copy keeps every image field: both pictures, the mask, flips, rectangles, flags and the
    // picture's name, type, date and reflection.
    std::unique_ptr<DRVGraphic> copy() const override;

    // ---- property dictionary ----
    QVariantMap properties() const override;
    void initWithProperties(const QVariantMap& properties) override;

    // ---- pictures ----
    QImage contents() const { return m_contents; }
    void setContents(const QImage& image) { m_contents = image; }
    QImage inputImage() const { return m_inputImage; }
    void setInputImage(const QImage& image) { m_inputImage = image; }
    QImage maskImage() const { return m_maskImage; }
    void setMaskImage(const QImage& image) { m_maskImage = image; }
    // The picture read from the file; an unreadable file leaves no picture.
    void setFilePath(const QString& path);
    // Recomputes the drawn picture from inputImage and makes the box as tall as the reflection
    // needs.
    void applyReflection();
    // picture with a mirrored copy below it that fades from 20 % to nothing; the result is
    // (1 + fraction) times as tall. A fraction outside (0, 1] is clamped; 0 or less gives the
    // picture unchanged.
    static QImage addReflection(const QImage& picture, double fraction);

    double reflection() const { return m_reflection; }
    void setReflection(double value);

    // ---- flips ----
    bool isFlippedHorizontally() const { return m_flippedHorizontally; }
    void setFlippedHorizontally(bool value)
    {
        changeValue(m_flippedHorizontally, value, "flippedHorizontally");
    }
    bool isFlippedVertically() const { return m_flippedVertically; }
    void setFlippedVertically(bool value) { changeValue(m_flippedVertically, value, "flippedVertically"); }
    void flipHorizontally() override { setFlippedHorizontally(!m_flippedHorizontally); }
    void flipVertically() override { setFlippedVertically(!m_flippedVertically); }

    // ---- plain fields ----
    QRectF originalImageRect() const { return m_originalImageRect; }
    void setOriginalImageRect(const QRectF& rect) { m_originalImageRect = rect; }
    int bubbleFlag() const { return m_bubbleFlag; }
    void setBubbleFlag(int value) { changeValue(m_bubbleFlag, value, "bubbleFlag"); }
    QRectF focusRect() const { return m_focusRect; }
    void setFocusRect(const QRectF& rect) { m_focusRect = rect; }
    QPainterPath bubbleShapeBezierPath() const { return m_bubbleShapeBezierPath; }
    bool forceNonRetinaFlag() const { return m_forceNonRetinaFlag; }
    void setForceNonRetinaFlag(bool value) { changeValue(m_forceNonRetinaFlag, value, "forceNonRetinaFlag"); }

    // ---- geometry ----
    void setBounds(const QRectF& bounds) override;
    void updateOriginalRect() override;
    void makeNaturalSize() override;
    bool isImageGraphic() const override { return true; }
    QSizeF inputImageSize() const override;

    // ---- layout and drawing ----
    // What drawing normalises and the page writer reads: a border width above 0 with style "none"
    // becomes "solid", an empty bubble outline name becomes "circle", the preset bubble outline
    // is fetched, and maskFlag tells whether the mask is used.
    void layoutContents();
    bool isDrawingFill() const override { return false; }
    bool isDrawingStroke() const override { return false; }
    bool canSetDrawingFill() const override { return true; }
    bool canSetDrawingStroke() const override { return true; }
    // The border outline: drawRect rotated, or the bubble outline. No side effects.
    GraphicPath bezierPathForDrawing() const override;
    void drawContentsInView(QPainter* painter, bool isBeingCreateOrEdited) override;
    // The picture as drawn inside its box, before scaling: mask or bubble applied. Null when the
    // picture belongs to a slideshow or there is none.
    QImage composedPicture() const;

    // ---- undo ----
    QSet<QString> keysForValuesToObserveForUndo() const override;
    QString presentablePropertyNameForKey(const QString& key) const override;

protected:
    QStringList keysAffectedByKey(const QString& key) const override;

private:
    QImage m_contents;
    QImage m_inputImage;
    QImage m_maskImage;
    bool m_flippedHorizontally = false;
    bool m_flippedVertically = false;
    QRectF m_originalImageRect;
    int m_bubbleFlag = 0;
    QRectF m_focusRect;
    QPainterPath m_bubbleShapeBezierPath;
    bool m_forceNonRetinaFlag = false;
};
