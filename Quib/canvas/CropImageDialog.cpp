#include "canvas/CropImageDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr int kAreaWidth = 480;
constexpr int kAreaHeight = 360;

} // namespace

// The picture scaled to fit, with the selection drawn over it; a drag selects anew.
class CropArea : public QWidget
{
public:
    CropArea(const QImage& picture, CropImageDialog* dialog) : QWidget(dialog), m_dialog(dialog)
    {
        setObjectName(QStringLiteral("cropArea"));
        setFixedSize(kAreaWidth, kAreaHeight);
        setCursor(Qt::CrossCursor);
        m_shown = picture.size().scaled(kAreaWidth, kAreaHeight, Qt::KeepAspectRatio);
        m_scale = picture.width() > 0 ? double(m_shown.width()) / picture.width() : 1.0;
        m_origin = QPoint((kAreaWidth - m_shown.width()) / 2, (kAreaHeight - m_shown.height()) / 2);
        m_scaled = QPixmap::fromImage(picture.scaled(m_shown, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(60, 60, 60));
        painter.drawPixmap(m_origin, m_scaled);
        const QRectF kept = viewRect(m_dialog->selection());
        // Everything outside the part kept is dimmed.
        QPainterPath dim;
        dim.addRect(QRectF(m_origin, m_shown));
        QPainterPath hole;
        hole.addRect(kept);
        painter.fillPath(dim.subtracted(hole), QColor(0, 0, 0, 140));
        painter.setPen(QPen(Qt::white, 1, Qt::DashLine));
        painter.drawRect(kept.adjusted(0, 0, -1, -1));
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        m_start = pictureOffset(event->position());
        m_dialog->setSelection(QRect(m_start, QSize(1, 1)));
    }
    void mouseMoveEvent(QMouseEvent* event) override
    {
        if (event->buttons() & Qt::LeftButton)
            selectTo(event->position());
    }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton)
            selectTo(event->position());
    }

private:
    void selectTo(QPointF viewPoint)
    {
        m_dialog->setSelection(QRectF(QPointF(m_start), QPointF(pictureOffset(viewPoint))).normalized().toRect());
    }
    QPoint pictureOffset(QPointF viewPoint) const
    {
        return ((viewPoint - QPointF(m_origin)) / m_scale).toPoint();
    }
    QRectF viewRect(const QRect& pixels) const
    {
        return QRectF(QPointF(m_origin) + QPointF(pixels.topLeft()) * m_scale, QSizeF(pixels.size()) * m_scale);
    }

    CropImageDialog* m_dialog;
    QPixmap m_scaled;
    QSize m_shown;
    QPoint m_origin;
    double m_scale = 1.0;
    QPoint m_start;
};

CropImageDialog::CropImageDialog(const QImage& picture, QWidget* parent) : QDialog(parent), m_picture(picture)
{
    setObjectName(QStringLiteral("cropImageDialog"));
    setWindowTitle(QStringLiteral("Crop Image"));
    setWindowModality(Qt::WindowModal);
    auto* column = new QVBoxLayout(this);
    column->addWidget(new QLabel(QStringLiteral("Drag over the part of the picture to keep."), this));
    m_area = new CropArea(picture, this);
    column->addWidget(m_area, 0, Qt::AlignHCenter);

    auto* numbers = new QHBoxLayout;
    auto spin = [&](const char* name, const QString& label, int most) {
        auto* box = new QSpinBox(this);
        box->setObjectName(QString::fromLatin1(name));
        box->setRange(0, std::max(1, most));
        numbers->addWidget(new QLabel(label, this));
        numbers->addWidget(box);
        return box;
    };
    m_x = spin("cropX", QStringLiteral("X"), picture.width() - 1);
    m_y = spin("cropY", QStringLiteral("Y"), picture.height() - 1);
    m_width = spin("cropWidth", QStringLiteral("Width"), picture.width());
    m_height = spin("cropHeight", QStringLiteral("Height"), picture.height());
    m_width->setMinimum(1);
    m_height->setMinimum(1);
    column->addLayout(numbers);
    for (QSpinBox* box : {m_x, m_y, m_width, m_height}) {
        connect(box, &QSpinBox::valueChanged, this, [this] {
            setSelection(QRect(m_x->value(), m_y->value(), m_width->value(), m_height->value()));
        });
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    QPushButton* crop = buttons->addButton(QStringLiteral("Crop"), QDialogButtonBox::AcceptRole);
    crop->setObjectName(QStringLiteral("cropButton"));
    crop->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    column->addWidget(buttons);
    setSelection(picture.rect());
}

QWidget* CropImageDialog::pictureArea() const
{
    return m_area;
}

void CropImageDialog::setSelection(const QRect& rect)
{
    QRect kept = rect.normalized().intersected(m_picture.rect());
    if (kept.isEmpty()) {
        // A selection off the picture keeps one pixel at its nearest corner.
        const QPoint corner(std::clamp(rect.x(), 0, std::max(0, m_picture.width() - 1)),
                            std::clamp(rect.y(), 0, std::max(0, m_picture.height() - 1)));
        kept = QRect(corner, QSize(1, 1));
    }
    if (kept == m_selection)
        return;
    m_selection = kept;
    showSelection();
}

void CropImageDialog::showSelection()
{
    const QRect kept = m_selection;
    for (auto [box, value] : {std::pair{m_x, kept.x()}, std::pair{m_y, kept.y()},
                              std::pair{m_width, kept.width()}, std::pair{m_height, kept.height()}}) {
        const QSignalBlocker quiet(box);
        box->setValue(value);
    }
    m_area->update();
}

QImage CropImageDialog::croppedPicture() const
{
    return m_picture.copy(m_selection);
}
