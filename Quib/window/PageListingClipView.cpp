#include "window/PageListingClipView.h"

#include "editions/EditionSettings.h"
#include "platform/Dialogs.h"
#include "platform/StringRules.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

namespace {

const QString kTilePrefix = QStringLiteral("DragAndDrop/");

// The page name a tile drag carries, or "" for anything else.
QString draggedTileName(const QMimeData* data)
{
    if (!data || !data->hasFormat(PageListingClipView::tileMimeType()))
        return {};
    const QString text = QString::fromUtf8(data->data(PageListingClipView::tileMimeType()));
    if (!text.startsWith(kTilePrefix))
        return {};
    return text.mid(kTilePrefix.size());
}

// The local page document a drag from outside carries, or "".
QString droppedPagePath(const QMimeData* data)
{
    if (!data || !data->hasUrls() || data->urls().isEmpty())
        return {};
    const QUrl url = data->urls().constFirst();
    if (!url.isLocalFile())
        return {};
    const QString path = url.toLocalFile();
    const QString extension = platform::pathExtension(path);
    if (extension.isEmpty())
        return {};
    if (extension == edition().gDocumentExtension || extension == QLatin1String("selvaro"))
        return path;
    return {};
}

} // namespace

PageListingClipView::PageListingClipView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("pageListingClipView"));
    setAcceptDrops(true);
}

QString PageListingClipView::tileMimeType()
{
    return QStringLiteral("application/x-quib-page-tile");
}

QMimeData* PageListingClipView::tileMimeData(const QString& pageName)
{
    auto* data = new QMimeData;
    data->setData(tileMimeType(), (kTilePrefix + pageName).toUtf8());
    return data;
}

Qt::DropAction PageListingClipView::dragOperationForMimeData(const QMimeData* data)
{
    if (!draggedTileName(data).isEmpty() || !droppedPagePath(data).isEmpty())
        return Qt::CopyAction;
    return Qt::IgnoreAction;
}

bool PageListingClipView::concludeDragOperation(QWidget* view, const PageListingClipViewDelegate& delegate,
                                                const QMimeData* data, QPoint point)
{
    const QString tile = draggedTileName(data);
    if (!tile.isEmpty()) {
        if (delegate.rearrangePageOrder)
            delegate.rearrangePageOrder(view, tile, point);
        return true;
    }
    const QString path = droppedPagePath(data);
    if (path.isEmpty())
        return false;
    platform::Alert alert;
    alert.title = QStringLiteral("Copying New Page");
    alert.informativeText = QStringLiteral("Are you sure you wish to copy over document \"%1\"?\n\n"
                                           "This file is currently located at\n%2")
                                .arg(platform::lastPathComponent(path), path);
    alert.buttons = {QStringLiteral("Proceed"), QStringLiteral("Cancel")};
    if (platform::showAlert(alert) == 0 && delegate.grabDraggedInPage)
        delegate.grabDraggedInPage(view, true, path);
    return true;
}

void PageListingClipView::contextMenuEvent(QContextMenuEvent* event)
{
    m_lastTouchPoint = event->pos();
    if (m_menu)
        m_menu->exec(event->globalPos());
    event->accept();
}

void PageListingClipView::answerDrag(QDragMoveEvent* event)
{
    const Qt::DropAction action = dragOperationForMimeData(event->mimeData());
    if (action == Qt::IgnoreAction) {
        event->ignore();
        return;
    }
    event->setDropAction(action);
    event->accept();
}

void PageListingClipView::answerDrop(QWidget* view, const PageListingClipViewDelegate& delegate,
                                     QDropEvent* event)
{
    if (concludeDragOperation(view, delegate, event->mimeData(), event->position().toPoint())) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void PageListingClipView::dragEnterEvent(QDragEnterEvent* event)
{
    answerDrag(event);
}

void PageListingClipView::dragMoveEvent(QDragMoveEvent* event)
{
    answerDrag(event);
}

void PageListingClipView::dropEvent(QDropEvent* event)
{
    answerDrop(this, m_delegate, event);
}
