#include "print/PdfOutput.h"

#include "document/DRVDocument.h"
#include "editions/EditionSettings.h"
#include "publishing/PagePicture.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QPixmap>
#include <algorithm>
#include <cmath>

namespace {

constexpr double kPointsPerInch = 72.0;

// Hands every painting call on to a painter on the PDF writer, each picture first cut to the
// resolution of the place it lands on. The graphics keep painting as they do on screen and never
// learn that their pictures were reduced.
class LimitingEngine : public QPaintEngine
{
public:
    // base maps the painting onto the page (a scale where the page had to be made smaller).
    LimitingEngine(QPainter* target, const QTransform& base)
        : QPaintEngine(QPaintEngine::AllFeatures), m_target(target), m_base(base)
    {
    }

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState& state) override
    {
        const QPaintEngine::DirtyFlags dirty = state.state();
        // A clip is given in the coordinates current when it was set: the transform goes first.
        if (dirty & DirtyTransform)
            m_target->setTransform(state.transform() * m_base);
        if (dirty & DirtyPen)
            m_target->setPen(state.pen());
        if (dirty & DirtyBrush)
            m_target->setBrush(state.brush());
        if (dirty & DirtyBrushOrigin)
            m_target->setBrushOrigin(state.brushOrigin());
        if (dirty & DirtyFont)
            m_target->setFont(state.font());
        if (dirty & DirtyHints) {
            m_target->setRenderHints(m_target->renderHints(), false);
            m_target->setRenderHints(state.renderHints(), true);
        }
        if (dirty & DirtyCompositionMode)
            m_target->setCompositionMode(state.compositionMode());
        if (dirty & DirtyOpacity)
            m_target->setOpacity(state.opacity());
        if (dirty & DirtyClipRegion)
            m_target->setClipRegion(state.clipRegion(), state.clipOperation());
        if (dirty & DirtyClipPath)
            m_target->setClipPath(state.clipPath(), state.clipOperation());
        if (dirty & DirtyClipEnabled)
            m_target->setClipping(state.isClipEnabled());
    }

    void drawPath(const QPainterPath& path) override { m_target->drawPath(path); }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override
    {
        switch (mode) {
        case PolylineMode:
            m_target->drawPolyline(points, count);
            break;
        case ConvexMode:
            m_target->drawConvexPolygon(points, count);
            break;
        case OddEvenMode:
            m_target->drawPolygon(points, count, Qt::OddEvenFill);
            break;
        case WindingMode:
            m_target->drawPolygon(points, count, Qt::WindingFill);
            break;
        }
    }
    void drawRects(const QRectF* rects, int count) override { m_target->drawRects(rects, count); }
    void drawLines(const QLineF* lines, int count) override { m_target->drawLines(lines, count); }
    void drawEllipse(const QRectF& rect) override { m_target->drawEllipse(rect); }
    void drawPoints(const QPointF* points, int count) override { m_target->drawPoints(points, count); }
    void drawTextItem(const QPointF& point, const QTextItem& item) override
    {
        m_target->drawTextItem(point, item);
    }
    void drawTiledPixmap(const QRectF& rect, const QPixmap& pixmap, const QPointF& offset) override
    {
        m_target->drawTiledPixmap(rect, pixmap, offset);
    }
    void drawPixmap(const QRectF& rect, const QPixmap& pixmap, const QRectF& source) override
    {
        drawImage(rect, pixmap.toImage(), source, Qt::AutoColor);
    }
    void drawImage(const QRectF& rect, const QImage& image, const QRectF& source,
                   Qt::ImageConversionFlags flags) override
    {
        // The place in page points: the target's transform is the painter's whole transform.
        const QTransform& transform = m_target->transform();
        const double scaleX = std::hypot(transform.m11(), transform.m12());
        const double scaleY = std::hypot(transform.m21(), transform.m22());
        const QSizeF points(std::abs(rect.width()) * scaleX, std::abs(rect.height()) * scaleY);
        const QRect wanted = source.toAlignedRect() & image.rect();
        if (wanted.isEmpty()) {
            m_target->drawImage(rect, image, source, flags);
            return;
        }
        const QImage part = wanted == image.rect() ? image : image.copy(wanted);
        const QImage limited = PdfOutput::limitedPicture(part, points);
        if (limited.cacheKey() == part.cacheKey() && wanted == image.rect()) {
            m_target->drawImage(rect, image, source, flags);
            return;
        }
        // The source rectangle's fraction of a pixel at its edges is lost; at print resolution it
        // does not show.
        m_target->drawImage(rect, limited, QRectF(limited.rect()), flags);
    }

private:
    QPainter* m_target;
    QTransform m_base;
};

// A device of the PDF page's measures whose engine is the limiting one, so text is laid out for
// the page exactly as the writer itself would lay it out.
class LimitingDevice : public QPaintDevice
{
public:
    LimitingDevice(QPaintDevice* page, QPainter* target, const QTransform& base)
        : m_page(page), m_engine(target, base)
    {
    }
    QPaintEngine* paintEngine() const override { return &m_engine; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return m_page->width();
        case PdmHeight:
            return m_page->height();
        case PdmWidthMM:
            return m_page->widthMM();
        case PdmHeightMM:
            return m_page->heightMM();
        case PdmNumColors:
            return m_page->colorCount();
        case PdmDepth:
            return m_page->depth();
        case PdmDpiX:
            return m_page->logicalDpiX();
        case PdmDpiY:
            return m_page->logicalDpiY();
        case PdmPhysicalDpiX:
            return m_page->physicalDpiX();
        case PdmPhysicalDpiY:
            return m_page->physicalDpiY();
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(QPaintDevice::devicePixelRatioFScale());
        }
        return 0;
    }

private:
    QPaintDevice* m_page;
    mutable LimitingEngine m_engine;
};

QPageLayout pageLayoutOfPoints(const QSizeF& points)
{
    return QPageLayout(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch),
                       QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Point);
}

} // namespace

struct PdfOutput::Writer
{
    QByteArray data;
    QBuffer buffer{&data};
    QPdfWriter pdf{&buffer};
    QPainter painter;
    int pages = 0;
    bool failed = false;

    explicit Writer(const QString& title)
    {
        buffer.open(QIODevice::WriteOnly);
        // One point per unit: a page measures in points what its picture measures in pixels.
        pdf.setResolution(int(kPointsPerInch));
        pdf.setCreator(QStringLiteral("Quib"));
        pdf.setTitle(title);
    }

    // Starts a page of that size; false when the writer cannot paint.
    bool beginPage(const QSizeF& points)
    {
        if (failed)
            return false;
        pdf.setPageLayout(pageLayoutOfPoints(points));
        if (pages == 0) {
            if (!painter.begin(&pdf)) {
                failed = true;
                return false;
            }
        } else if (!pdf.newPage()) {
            failed = true;
            return false;
        }
        ++pages;
        painter.resetTransform();
        painter.setClipping(false);
        return true;
    }
};

PdfOutput::PdfOutput(const QString& title) : m_writer(std::make_unique<Writer>(title)) {}

PdfOutput::~PdfOutput()
{
    if (m_writer->painter.isActive())
        m_writer->painter.end();
}

void PdfOutput::addDocumentPage(const DRVDocument& document, const EditionSettings& edition)
{
    const QSize size = PagePicture::pictureSize(document, edition);
    // A long page is scaled down to the largest page readers take rather than cut.
    const double longest = std::max(size.width(), size.height());
    const double scale = longest > kMaximumPageSide ? kMaximumPageSide / longest : 1.0;
    if (!m_writer->beginPage(QSizeF(size) * scale))
        return;
    paintDocument(m_writer->painter, m_writer->pdf, document, edition, QTransform::fromScale(scale, scale));
}

void PdfOutput::paintDocument(QPainter& target, QPaintDevice& page, const DRVDocument& document,
                              const EditionSettings& edition, const QTransform& base)
{
    const QSize size = PagePicture::pictureSize(document, edition);
    target.save();
    LimitingDevice device(&page, &target, base);
    QPainter painter;
    if (painter.begin(&device)) {
        PagePicture::paint(&painter, document, edition, size, false);
        painter.end();
    }
    target.restore();
}

void PdfOutput::addPicturePage(const QImage& picture)
{
    const QSizeF points = picture.isNull() ? QSizeF(kBlankPageWidth, kBlankPageHeight) : pointSize(picture);
    if (!m_writer->beginPage(points) || picture.isNull())
        return;
    m_writer->painter.save();
    m_writer->painter.setRenderHint(QPainter::SmoothPixmapTransform);
    m_writer->painter.drawImage(QRectF(QPointF(0, 0), points), limitedPicture(picture, points));
    m_writer->painter.restore();
}

int PdfOutput::pageCount() const
{
    return m_writer->pages;
}

QByteArray PdfOutput::finish()
{
    if (m_writer->painter.isActive() && !m_writer->painter.end())
        m_writer->failed = true;
    if (m_writer->failed || m_writer->pages == 0)
        return {};
    m_writer->buffer.close();
    return m_writer->data;
}

QSizeF PdfOutput::pointSize(const QImage& picture)
{
    // A stored resolution outside what any picture file means is no resolution at all.
    const auto inchesPerMetre = 0.0254;
    const double dpiX = picture.dotsPerMeterX() * inchesPerMetre;
    const double dpiY = picture.dotsPerMeterY() * inchesPerMetre;
    const auto sane = [](double dpi) { return dpi >= 36.0 && dpi <= 2400.0; };
    const double x = sane(dpiX) ? dpiX : kPointsPerInch;
    const double y = sane(dpiY) ? dpiY : kPointsPerInch;
    const QSizeF points(picture.width() * kPointsPerInch / x, picture.height() * kPointsPerInch / y);
    const double longest = std::max(points.width(), points.height());
    return longest > kMaximumPageSide ? points * (kMaximumPageSide / longest) : points;
}

QImage PdfOutput::limitedPicture(const QImage& picture, const QSizeF& points, double pixelsPerInch)
{
    if (picture.isNull() || points.isEmpty())
        return picture;
    const double scale = pixelsPerInch / kPointsPerInch;
    // Stored resolutions are whole dots per metre: 300 per inch comes back a hair under, and must
    // not cost a row of pixels.
    const auto pixels = [scale](double side) { return std::max(1, int(std::ceil(side * scale - 0.01))); };
    const int width = pixels(points.width());
    const int height = pixels(points.height());
    if (picture.width() <= width && picture.height() <= height)
        return picture;
    return picture.scaled(std::min(width, picture.width()), std::min(height, picture.height()),
                          Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QString PdfOutput::pathWithPdfExtension(const QString& chosen)
{
    if (chosen.isEmpty() || !QFileInfo(chosen).suffix().isEmpty())
        return chosen;
    return chosen + QStringLiteral(".PDF");
}

bool PdfOutput::isBaseTemplate(const QString& publishFileName)
{
    return publishFileName == QLatin1String("basetemplate.html");
}
