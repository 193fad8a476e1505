#include "window/DragIconView.h"

#include "canvas/DRVDragTypes.h"
#include "model/GraphicClipboard.h"

#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"

#include <QApplication>
#include <QDrag>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

namespace {

QImage bundleImage(const QString& name)
{
    // Names come from the catalogue file; only plain names reach the icons folder.
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_]{1,64}$"));
    if (!plain.match(name).hasMatch())
        return QImage();
    const QString base = DataCentre::resourcesPath() + QStringLiteral("/icons/") + name;
    QImage image(base + QStringLiteral(".svg"));
    if (image.isNull())
        image.load(base + QStringLiteral(".png"));
    return image;
}

} // namespace

DragIconView::DragIconView(const PaletteEntry& entry, const QString& shownTitle, QWidget* parent)
    : QWidget(parent), m_entry(entry)
{
    setObjectName(entry.dropKey);
    m_iconImageView = new QLabel(this);
    m_iconImageView->setObjectName(QStringLiteral("iconImageView"));
    m_iconImageView->setScaledContents(true);
    m_iconImageView->setAttribute(Qt::WA_TransparentForMouseEvents);
    const QImage icon =
        entry.drawn != PaletteEntry::DrawnIcon::None ? createShapeImage() : bundleImage(entry.imageName);
    if (!icon.isNull())
        m_iconImageView->setPixmap(QPixmap::fromImage(icon));
    m_iconLabel = new QLabel(this);
    m_iconLabel->setObjectName(QStringLiteral("iconLabel"));
    m_iconLabel->setWordWrap(true);
    m_iconLabel->setTextFormat(Qt::RichText);
    m_iconLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_iconLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_iconLabel->setText(
        QStringLiteral("<span style=\"font-size:12px;font-weight:bold;color:#000\">%1</span> "
                       "<span style=\"font-size:10px;color:#555\">%2</span>")
            .arg(shownTitle.toHtmlEscaped(), entry.description.toHtmlEscaped()));
}

void DragIconView::setHighlightFlag(bool highlight)
{
    m_highlightFlag = highlight;
    update();
}

void DragIconView::setupSubViews()
{
    m_iconImageView->setGeometry(10, 10, 30, 30);
    m_iconLabel->setGeometry(50, 10, std::max(0, width() - m_iconImageView->width() - 30), height());
}

QImage DragIconView::createShapeImage() const
{
    QImage image(100, 100, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPainterPath path = DataCentre::grabShapeBezierPath(m_entry.imageName);
    painter.fillPath(path, Qt::white);
    if (m_entry.drawn == PaletteEntry::DrawnIcon::Bubble) {
        const QImage picture = bundleImage(QStringLiteral("flower_square"));
        if (!picture.isNull()) {
            painter.save();
            painter.setClipPath(path);
            painter.drawImage(QRect(0, 0, 100, 100), picture);
            painter.restore();
        }
    }
    const bool shape = m_entry.drawn == PaletteEntry::DrawnIcon::Shape;
    painter.setPen(QPen(
        DataCentre::colorWithHexString(shape ? QStringLiteral("000000") : QStringLiteral("EE0000")), 2.0));
    painter.drawPath(path);
    return image;
}

QMimeData* DragIconView::dragMimeData() const
{
    auto* data = new QMimeData;
    // The canvas takes a one-element list of the key, in the graphics' clipboard encoding.
    data->setData(DRVDragTypes::libraryKeyMimeType(), GraphicClipboard::encode(QVariantList{m_entry.dropKey}));
    return data;
}

std::function<void(QDrag*)>& DragIconView::dragRunner()
{
    static std::function<void(QDrag*)> runner = [](QDrag* drag) { drag->exec(Qt::CopyAction); };
    return runner;
}

void DragIconView::paintEvent(QPaintEvent* event)
{
    if (!m_highlightFlag)
        return;
    QPainter painter(this);
    painter.fillRect(event->rect(), DataCentre::colorWithHexString(QStringLiteral("F5F5F5")));
}

void DragIconView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (willHighlight)
        willHighlight(this);
    setHighlightFlag(true);
    m_pressPoint = event->position().toPoint();
    m_pressed = true;
}

void DragIconView::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_pressed || !(event->buttons() & Qt::LeftButton))
        return;
    if ((event->position().toPoint() - m_pressPoint).manhattanLength() < QApplication::startDragDistance())
        return;
    m_pressed = false;
    // Only editions with the inspector in the sidebar drag from the palette.
    if (!edition().gSidebarInspectorFlag)
        return;
    auto* drag = new QDrag(this);
    drag->setMimeData(dragMimeData());
    if (const QPixmap icon = m_iconImageView->pixmap(); !icon.isNull()) {
        drag->setPixmap(icon.scaled(32, 32, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        drag->setHotSpot(QPoint(16, 16));
    }
    dragRunner()(drag);
}
