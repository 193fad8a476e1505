#include "window/ProfilePhotoWell.h"

#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QImageReader>
#include <QKeyEvent>
#include <QMimeData>
#include <QUrl>

namespace {

// A record photo needs no more; a larger picture is kept scaled down.
constexpr int kLargestSide = 1024;
// Pictures claiming more pixels than this are not decoded at all.
constexpr qint64 kMostPixels = qint64(12000) * 12000;

QImage readLocalImage(const QString& path)
{
    QImageReader reader(path);
    const QSize size = reader.size();
    if (!size.isValid() || qint64(size.width()) * size.height() > kMostPixels)
        return QImage();
    return reader.read();
}

} // namespace

ProfilePhotoWell::ProfilePhotoWell(QWidget* parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("photoImageView"));
    setAcceptDrops(true);
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::StyledPanel);
    setAlignment(Qt::AlignCenter);
    setFixedSize(160, 160);
    setText(QStringLiteral("Drop or paste a photo"));
    setWordWrap(true);
}

void ProfilePhotoWell::setImage(const QImage& image)
{
    m_image = image.width() > kLargestSide || image.height() > kLargestSide
                  ? image.scaled(kLargestSide, kLargestSide, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                  : image;
    if (m_image.isNull()) {
        setPixmap(QPixmap());
        setText(QStringLiteral("Drop or paste a photo"));
        return;
    }
    setPixmap(QPixmap::fromImage(
        m_image.scaled(size() - QSize(4, 4), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

QImage ProfilePhotoWell::imageFromMimeData(const QMimeData* data)
{
    if (!data)
        return QImage();
    if (data->hasImage()) {
        const QImage image = qvariant_cast<QImage>(data->imageData());
        if (!image.isNull())
            return image;
    }
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            continue;
        const QImage image = readLocalImage(url.toLocalFile());
        if (!image.isNull())
            return image;
    }
    return QImage();
}

void ProfilePhotoWell::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasImage() || event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void ProfilePhotoWell::dropEvent(QDropEvent* event)
{
    const QImage image = imageFromMimeData(event->mimeData());
    if (image.isNull())
        return;
    setImage(image);
    event->acceptProposedAction();
}

void ProfilePhotoWell::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Paste)) {
        const QImage image = imageFromMimeData(QGuiApplication::clipboard()->mimeData());
        if (!image.isNull())
            setImage(image);
        return;
    }
    if (event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace) {
        setImage(QImage());
        return;
    }
    QLabel::keyPressEvent(event);
}
