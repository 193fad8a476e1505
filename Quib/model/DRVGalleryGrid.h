// The image gallery of a page: bounds divided into numOfRows x numOfColumns equal spots, one picture
// per spot. The pictures are TransformView carriers addressed by rowSpot and columnSpot, each with
// its own caption (altText) and link. The same class serves as a one-spot click-to-enlarge photo.
#pragma once
#include "model/DRVGraphic.h"
#include "model/TransformView.h"

#include <QList>
#include <QPoint>
#include <QRect>

class DRVGalleryGrid : public DRVGraphic
{
    Q_OBJECT
    Q_PROPERTY(QList<TransformView*> imageArray READ imageArray WRITE setImageArray)
    Q_PROPERTY(int numOfColumns READ numOfColumns WRITE setNumOfColumns)
    Q_PROPERTY(int numOfRows READ numOfRows WRITE setNumOfRows)
    Q_PROPERTY(int padding READ padding WRITE setPadding)
    Q_PROPERTY(int tag READ tag WRITE setTag)

public:
    Q_INVOKABLE explicit DRVGalleryGrid(QObject* parent = nullptr);

    // The spot number of "no spot".
    static constexpr int kNoSpot = -99;
    static QString hintText() { return QStringLiteral("Right click to edit gallery"); }

    // A complete copy: every dictionary value, the grid and copies of the pictures.
    std::unique_ptr<DRVGraphic> copy() const override;
    // The base dictionary: the grid and the pictures travel in the carriers of the saved page.
    QVariantMap properties() const override;
    // The base keys, then "numOfColumns", "numOfRows", "padding", "shadowFlag",
    // "backdropLightingFlag" and the pictures of "imageArray" (carriers, adopted). The first picture
    // lends the gallery its responsive and section settings.
    void initWithProperties(const QVariantMap& properties) override;

    QList<TransformView*> imageArray() const { return m_imageArray; }
    // Adopts the pictures.
    void setImageArray(const QList<TransformView*>& pictures);
    int numOfColumns() const { return m_numOfColumns; }
    void setNumOfColumns(int value) { changeValue(m_numOfColumns, value, "numOfColumns"); }
    int numOfRows() const { return m_numOfRows; }
    void setNumOfRows(int value) { changeValue(m_numOfRows, value, "numOfRows"); }
    int padding() const { return m_padding; }
    void setPadding(int value) { changeValue(m_padding, value, "padding"); }
    int tag() const { return m_tag; }
    void setTag(int value) { changeValue(m_tag, value, "tag"); }
    // Where the hint sits: the top strip of the bounds.
    QRectF hintFrame() const { return m_hintFrame; }

    // ---- spots ----
    // Whether the grid has any spot: at least one row and one column.
    bool hasSpots() const { return m_numOfRows >= 1 && m_numOfColumns >= 1; }
    // The spot's rectangle in whole pixels; empty without spots. The pixels the truncation leaves at
    // the right and bottom edges belong to no spot.
    QRect cellRect(int row, int column) const;
    // Row and column of the spot that contains the point (minimum edges in, maximum edges out);
    // kNoSpot when none does or the grid has no spots.
    int grabRowSpot(int x, int y) const;
    int grabColumnSpot(int x, int y) const;
    // The first picture at the spot under the point, or at the given spot.
    TransformView* grabImageSelected(int x, int y) const;
    TransformView* grabSelectedImageAtSpot(int row, int column) const;
    bool isSpotAlreadyPopulated(int row, int column) const;
    // galleryDimension of the picture under the point; the zero rectangle when there is none.
    QRectF grabTransformViewBounds(int x, int y) const;
    // The next spot in reading order, as (x = row, y = column); the row may run past the last row.
    QPoint grabNextSpot(int row, int column) const;
    // How many pictures still fit from the spot under the point to the last spot, that spot
    // included; 0 when the point is in no spot.
    int grabMaxNumToAdd(QPointF point) const;
    // Replaces the picture of the same spot (the first one, if any) and appends the new one unless
    // it has no spot. Returns whether it was added (and adopted).
    bool addIntoImageArray(TransformView* picture);

    // ---- layout and drawing ----
    // The layout step: fits every picture into its spot and writes the rectangle into its
    // galleryDimension, frame and bounds; hands every picture the gallery's selectable, section,
    // layer and template values. Pictures outside the grid, or without a picture size, keep their
    // last rectangle. The page writer may call it without anything being painted.
    void layoutPictures();
    // The picture rectangle for a picture of originalSize in the spot; empty when nothing can be
    // drawn (no spot, no picture size, no room inside the padding).
    QRect pictureRect(int row, int column, QSize originalSize) const;

    // No path: the spot outlines are drawn by drawContentsInView.
    GraphicPath bezierPathForDrawing() const override;
    void drawCellOutlines(QPainter* painter) const;
    void drawContentsInView(QPainter* painter, bool isBeingCreateOrEdited) override;
    QRectF drawingBounds() const override;
    bool canSetDrawingFill() const override { return true; }
    bool canSetDrawingStroke() const override { return true; }

protected:
    QStringList keysAffectedByKey(const QString& key) const override;

private:
    void adopt(TransformView* picture);
    int cellWidth() const;
    int cellHeight() const;
    QPoint spotAt(int x, int y) const;

    QList<TransformView*> m_imageArray;
    int m_numOfColumns = 0;
    int m_numOfRows = 0;
    int m_padding = 0;
    int m_tag = 0;
    QRectF m_hintFrame;
};
