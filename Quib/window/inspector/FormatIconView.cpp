#include "window/inspector/FormatIconView.h"

#include "editions/DataCentre.h"
#include "platform/NotificationCenter.h"

#include <QFile>
#include <QFrame>
#include <QHash>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>

FormatIconView::FormatIconView(QWidget* parent) : QWidget(parent) {}

void FormatIconView::setIconLabelString(const QString& title, const QString& detail,
                                        const QColor& detailColor)
{
    QString detailHtml = detail.toHtmlEscaped();
    detailHtml.replace(QLatin1Char('\n'), QLatin1String("<br>"));
    m_iconLabelHtml =
        QStringLiteral("<span style=\"font-family:'Helvetica Neue'; font-weight:bold; font-size:12px; "
                       "color:#000000;\">%1</span> <span style=\"font-family:'Helvetica Neue'; "
                       "font-size:10px; color:%2;\">%3</span>")
            .arg(title.toHtmlEscaped(), detailColor.name(), detailHtml);
    m_iconLabelPlain = title + QLatin1Char(' ') + detail;
}

void FormatIconView::setIconImageView(QLabel* view)
{
    m_iconImageView = view;
}

void FormatIconView::setupSubViews()
{
    m_separatorLine = new QFrame;
    m_separatorLine->setFrameShape(QFrame::HLine);
    m_separatorLine->setParent(this);
    m_separatorLine->hide();
    int iconWidth = 0;
    if (m_iconImageView) {
        m_iconImageView->setParent(this);
        m_iconImageView->setGeometry(10, 10, 30, 30);
        m_iconImageView->show();
        iconWidth = m_iconImageView->width();
    }
    m_iconLabel = new QLabel(this);
    m_iconLabel->setObjectName(QStringLiteral("iconLabel"));
    m_iconLabel->setTextFormat(Qt::RichText);
    m_iconLabel->setWordWrap(true);
    m_iconLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_iconLabel->setTextInteractionFlags(Qt::NoTextInteraction);
    m_iconLabel->setText(m_iconLabelHtml);
    m_iconLabel->setGeometry(50, 10, width() - iconWidth - 30, 30);
    m_iconLabel->show();
    // A layer tile answers for its icon and label.
    if (m_supportsHightlightFlag) {
        if (m_iconImageView)
            m_iconImageView->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_iconLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
}

void FormatIconView::setHighlightFlag(bool flag)
{
    if (m_highlightFlag == flag)
        return;
    m_highlightFlag = flag;
    update();
}

void FormatIconView::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    if (m_highlightFlag && m_supportsHightlightFlag) {
        QPainter painter(this);
        painter.fillRect(rect(), DataCentre::colorWithHexString(QStringLiteral("F5F5F5")));
    }
}

void FormatIconView::mousePressEvent(QMouseEvent* event)
{
    if (!m_supportsHightlightFlag) {
        event->ignore();
        return;
    }
    // Every layer tile clears first, so only the tile clicked last stays highlighted.
    platform::NotificationCenter::defaultCenter().post(QStringLiteral("clearLayerListingIcons"), this);
    setHighlightFlag(true);
    update();
    if (onSelect)
        onSelect(this);
    event->accept();
}

QPixmap FormatIconView::iconImage(const QString& name, const QSize& size)
{
    // The Format tab draws the same few icons on every selection change.
    // Images, not pixmaps: the cache outlives the application object.
    static QHash<QString, QImage> cache;
    const QString key = name + QLatin1Char('@') + QString::number(size.width()) + QLatin1Char('x') +
                        QString::number(size.height());
    if (const auto found = cache.constFind(key); found != cache.constEnd())
        return QPixmap::fromImage(*found);
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    static const QRegularExpression plainName(QStringLiteral("^[A-Za-z0-9_]+$"));
    if (!plainName.match(name).hasMatch())
        return pixmap;
    const QString base = DataCentre::resourcesPath() + QStringLiteral("/icons/") + name;
    if (QFile::exists(base + QStringLiteral(".svg"))) {
        QSvgRenderer renderer(base + QStringLiteral(".svg"));
        QPainter painter(&pixmap);
        renderer.render(&painter);
    } else if (QFile::exists(base + QStringLiteral(".png"))) {
        pixmap = QPixmap(base + QStringLiteral(".png"))
                     .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    cache.insert(key, pixmap.toImage());
    return pixmap;
}
