#include "window/QuibNSTextField.h"

#include "editions/EditionSettings.h"
#include "platform/StringRules.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

QuibNSTextField::QuibNSTextField(QWidget* parent) : QLineEdit(parent)
{
    setAcceptDrops(true);
}

QString QuibNSTextField::linkNameForDroppedPath(const QString& path)
{
    QString name = platform::lastPathComponent(path);
    const QString extension = platform::pathExtension(name);
    if (!extension.isEmpty() && extension == edition().gDocumentExtension)
        name = name.left(name.size() - extension.size()) + QStringLiteral("html");
    return name;
}

void QuibNSTextField::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
        return;
    }
    QLineEdit::dragEnterEvent(event);
}

void QuibNSTextField::dragMoveEvent(QDragMoveEvent* event)
{
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
        return;
    }
    QLineEdit::dragMoveEvent(event);
}

void QuibNSTextField::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty()) {
        QLineEdit::dropEvent(event);
        return;
    }
    const QUrl& url = urls.constFirst();
    const QString path = url.isLocalFile() ? url.toLocalFile() : url.path();
    setText(linkNameForDroppedPath(path));
    emit textEdited(text());
    event->acceptProposedAction();
}
