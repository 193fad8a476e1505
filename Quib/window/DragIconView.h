// One tile of the objects palette: an icon beside the entry's title and description. A click marks
// it as the chosen tile of its own window's palette; dragging it carries its drop key to the canvas
// as a one-element key list under the library item type.
#pragma once
#include "window/PaletteCatalogue.h"

#include <QImage>
#include <QPoint>
#include <QWidget>
#include <functional>

class QDrag;
class QLabel;
class QMimeData;

class DragIconView : public QWidget
{
    Q_OBJECT
public:
    DragIconView(const PaletteEntry& entry, const QString& shownTitle, QWidget* parent = nullptr);

    const PaletteEntry& entry() const { return m_entry; }
    QString dragAndDropCodeName() const { return m_entry.dropKey; }
    bool highlightFlag() const { return m_highlightFlag; }
    void setHighlightFlag(bool highlight);
    QLabel* iconImageView() const { return m_iconImageView; }
    QLabel* iconLabel() const { return m_iconLabel; }

    // Places the icon at (10, 10, 30, 30) and the label beside it, from the tile's current frame.
    void setupSubViews();
    // A 100 x 100 picture of the entry's shape: white inside, outlined black for shapes and red for
    // zoom bubbles, whose inside shows the bundled picture.
    QImage createShapeImage() const;
    // The drag payload: the drop key as a one-element list.
    QMimeData* dragMimeData() const;

    // Run before this tile highlights itself; its window clears its own tiles there.
    std::function<void(DragIconView*)> willHighlight;
    // Starts a drag; tests replace it to look at the drag instead of running it.
    static std::function<void(QDrag*)>& dragRunner();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    PaletteEntry m_entry;
    QLabel* m_iconImageView = nullptr;
    QLabel* m_iconLabel = nullptr;
    bool m_highlightFlag = false;
    QPoint m_pressPoint;
    bool m_pressed = false;
};
