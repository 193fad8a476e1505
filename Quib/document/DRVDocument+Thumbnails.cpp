// The two thumbnails of a page, P.png and P@2x.png beside the page file, drawn from the page itself
// (or the edition's icon) and packed with the page.
#include "document/DRVDocument.h"

#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "model/GraphicRendering.h"
#include "platform/NotificationCenter.h"
#include "platform/SafePath.h"
#include "platform/StringRules.h"
#include "platform/TextEncoding.h"

#include <QDir>
#include <QFile>
#include <QPainter>

QSize DRVDocument::thumbnailRenderSize() const
{
    if (docSpecificFixedCanvasFlag() == 1)
        return QSize(docSpecificPageWidth(), docSpecificPageHeight());
    const EditionSettings& e = edition();
    if (e.gRenderImageWidth != 0 && e.gRenderImageHeight != 0)
        return QSize(e.gRenderImageWidth, e.gRenderImageHeight);
    return QSize(findMaxScreenWidth(), findMaxScreenHeight());
}

QImage DRVDocument::imageWithSubviews()
{
    // Drawn from the graphics themselves, which carry no selection handles: the user's selection
    // stays as it is when the page is saved.
    const QSize size = thumbnailRenderSize();
    if (size.isEmpty())
        return QImage();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(m_pageColor.isValid() ? m_pageColor : QColor(Qt::white));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    GraphicRendering::drawGraphics(&painter, m_graphics, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

bool DRVDocument::writeThumbnails(const QImage& source)
{
    if (m_pageName.isEmpty())
        m_pageName = createFileName();
    if (source.isNull() || m_tempSavePathLocal.isEmpty())
        return false;
    const std::optional<QString> pageFolder = platform::SafePath::filePath(m_tempSavePathLocal, m_pageName);
    if (!pageFolder || (!QFileInfo(*pageFolder).isDir() && !QDir().mkdir(*pageFolder)))
        return false;
    const int length = edition().gScreenshotWidth > 0 ? edition().gScreenshotWidth : 200;
    const QSize small = DataCentre::returnNewSizeWithWidth(QSizeF(source.size()), length);
    const QSize large = DataCentre::returnNewSizeWithWidth(QSizeF(source.size()), 2 * length);
    bool written = true;
    const QList<QPair<QString, QSize>> files{{m_pageName + QStringLiteral(".png"), small},
                                             {m_pageName + QStringLiteral("@2x.png"), large}};
    for (const auto& [name, size] : files) {
        const std::optional<QString> path = platform::SafePath::filePath(m_tempSavePathLocal, name);
        if (!path) {
            written = false;
            continue;
        }
        QFile::remove(*path);
        // Exact pixel sizes whatever the screen's scale: the page list lays the tiles out by them.
        const QImage scaled = source.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const QByteArray png = DataCentre::PNGRepresentationOfImage(scaled);
        written = !png.isEmpty() && platform::writeFileAtomically(*path, png) && written;
    }
    return written;
}

bool DRVDocument::saveScreenshot()
{
    const EditionSettings& e = edition();
    if (e.gIconThumbnailFlag && !e.gEditionIcon.isNull())
        return writeThumbnails(e.gEditionIcon);
    return writeThumbnails(imageWithSubviews());
}

bool DRVDocument::saveCustomScreenshot(const QImage& image)
{
    const bool written = writeThumbnails(image);
    platform::NotificationCenter::defaultCenter().post(QStringLiteral("refreshDocIcon"), this);
    return written;
}
