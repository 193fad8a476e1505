// The page list's document view: it holds the icon views of the last layout, remembers where the
// last context-menu click landed, and takes page documents dropped from outside and page tiles
// dragged back into the list, handing both to its delegate (the window controller). The scroll view
// around it takes the same drops through the same rules.
#pragma once
#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <functional>

class QDragMoveEvent;
class QDropEvent;
class QMenu;
class QMimeData;

// What the two list views hand on; the window controller fills it in.
struct PageListingClipViewDelegate
{
    // A tile of the list dropped at point (in the sender's coordinates).
    std::function<void(QWidget* sender, const QString& pageName, QPoint point)> rearrangePageOrder;
    // A page document from outside that the user agreed to copy into the project.
    std::function<void(QWidget* sender, bool save, const QString& pagePath)> grabDraggedInPage;
};

class PageListingClipView : public QWidget
{
    Q_OBJECT
public:
    explicit PageListingClipView(QWidget* parent = nullptr);

    const PageListingClipViewDelegate& delegate() const { return m_delegate; }
    void setDelegate(const PageListingClipViewDelegate& delegate) { m_delegate = delegate; }
    QPoint lastTouchPoint() const { return m_lastTouchPoint; }
    void setLastTouchPoint(QPoint point) { m_lastTouchPoint = point; }
    // The list's context menu (not owned).
    void setMenu(QMenu* menu) { m_menu = menu; }
    QMenu* menu() const { return m_menu; }

    // The private type of a tile dragged inside the list; its text is "DragAndDrop/" and the page name.
    static QString tileMimeType();
    static QMimeData* tileMimeData(const QString& pageName);
    // Copy for a page document of the edition (or a form page) or a tile of the list; else none.
    static Qt::DropAction dragOperationForMimeData(const QMimeData* data);
    // A tile goes to rearrangePageOrder; a page document from outside is copied in once the user
    // agrees ("Copying New Page"). Anything else is refused.
    static bool concludeDragOperation(QWidget* view, const PageListingClipViewDelegate& delegate,
                                      const QMimeData* data, QPoint point);
    // The drag and drop events of both list views answered by the rules above.
    static void answerDrag(QDragMoveEvent* event);
    static void answerDrop(QWidget* view, const PageListingClipViewDelegate& delegate, QDropEvent* event);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    PageListingClipViewDelegate m_delegate;
    QPoint m_lastTouchPoint;
    QPointer<QMenu> m_menu;
};
