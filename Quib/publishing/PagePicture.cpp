#include "publishing/PagePicture.h"

#include "document/DRVDocument.h"
#include "editions/EditionSettings.h"
#include "model/GraphicRendering.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

namespace {

const QString kClearPageColor = QStringLiteral("CLEAR0");

bool isMailEdition(const EditionSettings& edition)
{
    return edition.gEditionDisplayName == QLatin1String("Ulmira Pro 2") ||
           edition.gEditionDisplayName == QLatin1String("Ulmira Express");
}

int boundedSide(int side)
{
    return std::clamp(side, 1, PagePicture::kMaximumSide);
}

} // namespace

QSize PagePicture::pictureSize(const DRVDocument& document, const EditionSettings& edition)
{
    QSize size;
    if (edition.gExportAtEditionCanvasSizeFlag) {
        size = QSize(edition.gCanvasWidth, edition.gCanvasHeight);
    } else if (document.docSpecificFixedCanvasFlag() == 1) {
        size = QSize(document.docSpecificPageWidth(), document.docSpecificPageHeight());
    } else if (isMailEdition(edition)) {
        // The page keeps the mail width it was made with.
        const bool flex = document.canvasSizeTypeName() == QLatin1String("Flex");
        size = QSize(flex ? document.findMaxScreenWidth() : edition.gCanvasWidth,
                     document.findMaxScreenHeight());
    } else {
        const int margin = edition.gNoExportMarginFlag ? 0 : 50;
        size = QSize(document.findMaxScreenWidth() + margin, document.findMaxScreenHeight() + margin);
    }
    const int width = boundedSide(size.width());
    const int height = boundedSide(size.height());
    return QSize(width, int(std::min<qint64>(height, kMaximumPixels / width)));
}

bool PagePicture::hasClearBackground(const DRVDocument& document, const EditionSettings& edition,
                                     bool transparent)
{
    if (!edition.gClearCanvasBackgroundFlag)
        return false;
    const bool clearColour = document.pageColorHexString() == kClearPageColor;
    const bool askedFor =
        transparent && edition.gTransparentExportFlag && document.backgroundImageFlag() == 0;
    return clearColour || askedFor;
}

void PagePicture::paint(QPainter* painter, const DRVDocument& document, const EditionSettings& edition,
                        QSize size, bool transparent)
{
    const QRectF page(QPointF(0, 0), QSizeF(size));
    QBrush background(document.pageColor().isValid() ? document.pageColor() : QColor(Qt::white));
    // A clear page colour the edition cannot show is white, as on the canvas.
    if (document.pageColorHexString() == kClearPageColor)
        background = QBrush(Qt::white);
    bool fill = !hasClearBackground(document, edition, transparent);
    // A background picture is tiled over the page from its top left corner, as the canvas does.
    if (document.backgroundImageFlag() == 2 && !document.backgroundImage().isNull()) {
        background = QBrush(document.backgroundImage());
        fill = true;
    }
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    painter->setClipRect(page);
    if (fill) {
        painter->setBrushOrigin(0, 0);
        painter->fillRect(page, background);
    }
    GraphicRendering::drawGraphics(painter, document.graphics(), page);
    painter->restore();
}

QImage PagePicture::render(const DRVDocument& document, const EditionSettings& edition, bool transparent)
{
    const QSize size = pictureSize(document, edition);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return image;
    image.fill(Qt::transparent);
    QPainter painter(&image);
    paint(&painter, document, edition, size, transparent);
    painter.end();
    return image;
}

QByteArray PagePicture::pdfData(const DRVDocument& document, const EditionSettings& edition)
{
    const QSize size = pictureSize(document, edition);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        // One point per pixel: the page measures what the picture measures.
        writer.setResolution(72);
        writer.setPageLayout(
            QPageLayout(QPageSize(QSizeF(size), QPageSize::Point, QString(), QPageSize::ExactMatch),
                        QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Point));
        writer.setCreator(QStringLiteral("Quib"));
        writer.setTitle(document.pageName());
        QPainter painter;
        if (!painter.begin(&writer))
            return {};
        paint(&painter, document, edition, size, false);
        painter.end();
    }
    return data;
}

QByteArray PagePicture::jpegData(const QImage& image)
{
    if (image.isNull())
        return {};
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    {
        QPainter painter(&flat);
        painter.drawImage(0, 0, image);
    }
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    if (!flat.save(&buffer, "JPG", 100))
        return {};
    return data;
}
