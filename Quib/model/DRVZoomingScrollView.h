// The scroll view around the canvas: the zoom pop-up at the left end of its horizontal scroll bar,
// the "=" and "-" zoom keys, and clicks beside the canvas that end editing and clear the selection.
#pragma once
#include <QPointer>
#include <QScrollArea>
#include <QSizeF>
#include <QString>

class QComboBox;
class QKeyEvent;
class QMouseEvent;

class DRVZoomingScrollView : public QScrollArea
{
    Q_OBJECT
    Q_PROPERTY(double factor READ factor WRITE setFactor NOTIFY factorChanged)
public:
    explicit DRVZoomingScrollView(QWidget* parent = nullptr);

    double factor() const { return m_factor; }
    // Stores the factor, makes it the canvas display scale and reports it (the window controller
    // takes it as its zoom factor and the canvas scales itself by it).
    void setFactor(double factor);
    // setFactor, then shows the pop-up item with that title. For the window controller when it sets
    // the zoom itself.
    void updateScale(const QString& title, float factor);

    // "=" steps the pop-up to the next zoom title, "-" to the previous one. True when the key was used;
    // at the ends of the list, with nothing selected and for every other key the event is left alone.
    bool performKeyEquivalent(const QKeyEvent* event);

    // The zoom pop-up, made on first need: one item per zoom title of the edition, each carrying its
    // factor (the percentage / 100 in single precision) as item data.
    QComboBox* factorPopUpButton();
    void validateFactorPopUpButton();

    // The area of the canvas the viewport shows, in canvas units: the viewport's size divided by the
    // factor.
    QSizeF clipBoundsSize() const;

    // Two rulers of `thickness` pixels along the top and the left of the viewport, made room for with
    // the viewport margins; nullptr for both takes them away. The scroll view places them, it does
    // not own them.
    void setRulerViews(QWidget* horizontal, QWidget* vertical, int thickness);
    QWidget* horizontalRulerView() const { return m_horizontalRuler; }
    QWidget* verticalRulerView() const { return m_verticalRuler; }

signals:
    void factorChanged(double factor);
    // A click in the scroll view that missed the canvas: the window ends text editing, deselects every
    // graphic and refreshes the inspector.
    void clickedOutsideCanvas();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void selectItemForFactor();
    void placeRulers();

    double m_factor = 1.0;
    QComboBox* m_factorPopUpButton = nullptr;
    QPointer<QWidget> m_horizontalRuler;
    QPointer<QWidget> m_verticalRuler;
    int m_rulerThickness = 0;
};
