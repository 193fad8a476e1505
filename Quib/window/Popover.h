// A transient popover: a popup frame holding one content view, shown beside a rectangle of another
// view and closed when the user clicks anywhere else. Each window keeps one for its small pickers.
#pragma once
#include <QFrame>
#include <QPointer>
#include <QRect>

class Popover : public QFrame
{
    Q_OBJECT
public:
    // The side of the anchor rectangle the popover opens on.
    enum class Edge { MinX, MaxX, MinY, MaxY };

    explicit Popover(QWidget* parent = nullptr);

    // Replaces the content; the popover takes the content's size.
    void setContentView(QWidget* content);
    QWidget* contentView() const { return m_content; }

    // Shows beside rect (in view's coordinates) on edge, kept on view's screen.
    void showRelativeToRect(const QRect& rect, QWidget* view, Edge edge);
    // Where the popover opens for an anchor rectangle in global coordinates.
    static QPoint originFor(const QRect& globalAnchor, const QSize& size, Edge edge);

private:
    QPointer<QWidget> m_content;
};
