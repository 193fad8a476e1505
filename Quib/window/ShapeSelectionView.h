// A preset: a ready-made shape or styled text box that the pickers offer and the canvas builds a
// graphic from. It is a record, not a widget: its frame size is the size of the graphic made from
// it, and the pickers draw their own tiles from its values. Its properties are reachable by name,
// so code below the window layer can read a preset without this class.
#pragma once
#include <QColor>
#include <QFont>
#include <QObject>
#include <QPainterPath>
#include <QRectF>
#include <QString>

class QPainter;

class ShapeSelectionView : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QRectF frame READ frame WRITE setFrame)
    Q_PROPERTY(bool shadowFlag READ shadowFlag WRITE setShadowFlag)
    Q_PROPERTY(int cornerRadius READ cornerRadius WRITE setCornerRadius)
    Q_PROPERTY(QString borderStyle READ borderStyle WRITE setBorderStyle)
    Q_PROPERTY(QColor borderColor READ borderColor WRITE setBorderColor)
    Q_PROPERTY(QColor fillColor READ fillColor WRITE setFillColor)
    Q_PROPERTY(int borderWidth READ borderWidth WRITE setBorderWidth)
    Q_PROPERTY(float opacity READ opacity WRITE setOpacity)
    Q_PROPERTY(bool isDrawingFill READ isDrawingFill WRITE setIsDrawingFill)
    Q_PROPERTY(QFont font READ font WRITE setFont)
    Q_PROPERTY(QColor textColor READ textColor WRITE setTextColor)
    Q_PROPERTY(QString textString READ textString WRITE setTextString)

public:
    explicit ShapeSelectionView(const QRectF& frame = QRectF(), QObject* parent = nullptr);

    QRectF frame() const { return m_frame; }
    void setFrame(const QRectF& frame) { m_frame = frame; }
    // The frame moved to the origin.
    QRectF bounds() const { return QRectF(QPointF(0, 0), m_frame.size()); }
    bool shadowFlag() const { return m_shadowFlag; }
    void setShadowFlag(bool flag) { m_shadowFlag = flag; }
    int cornerRadius() const { return m_cornerRadius; }
    void setCornerRadius(int radius) { m_cornerRadius = radius; }
    // "solid", "dashed" or "dotted"; anything else draws no border.
    QString borderStyle() const { return m_borderStyle; }
    void setBorderStyle(const QString& style) { m_borderStyle = style; }
    QColor borderColor() const { return m_borderColor; }
    void setBorderColor(const QColor& color) { m_borderColor = color; }
    QColor fillColor() const { return m_fillColor; }
    void setFillColor(const QColor& color) { m_fillColor = color; }
    int borderWidth() const { return m_borderWidth; }
    void setBorderWidth(int width) { m_borderWidth = width; }
    float opacity() const { return m_opacity; }
    void setOpacity(float opacity) { m_opacity = opacity; }
    bool isDrawingFill() const { return m_isDrawingFill; }
    void setIsDrawingFill(bool flag) { m_isDrawingFill = flag; }
    QFont font() const { return m_font; }
    void setFont(const QFont& font) { m_font = font; }
    QColor textColor() const { return m_textColor; }
    void setTextColor(const QColor& color) { m_textColor = color; }
    QString textString() const { return m_textString; }
    void setTextString(const QString& text) { m_textString = text; }

    // Paints the preset's outline into painter (shadow, border stroke, then fill at the opacity) and
    // returns the outline: a rounded rectangle of the bounds with the corner radius.
    QPainterPath bezierPathForDrawing(QPainter& painter) const;

    // Makes start-up build the edition's presets from this class's factories. The application calls
    // it before start-up runs.
    static void installPresetFactories();

private:
    QRectF m_frame;
    bool m_shadowFlag = false;
    int m_cornerRadius = 0;
    QString m_borderStyle;
    QColor m_borderColor;
    QColor m_fillColor;
    int m_borderWidth = 0;
    float m_opacity = 0.0f;
    bool m_isDrawingFill = false;
    QFont m_font;
    QColor m_textColor;
    QString m_textString;
};
