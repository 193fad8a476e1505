#include "model/DRVZoomingScrollView.h"

#include "editions/EditionSettings.h"
#include "platform/StringsTable.h"

#include <QApplication>
#include <QComboBox>
#include <QFont>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

#include <algorithm>

namespace {

// "125%" -> 1.25, in single precision as the zoom items carry it.
float factorOfTitle(const QString& title)
{
    QString digits = title;
    digits.remove(QLatin1Char('%'));
    return float(digits.toInt() / 100.0);
}

} // namespace

DRVZoomingScrollView::DRVZoomingScrollView(QWidget* parent) : QScrollArea(parent)
{
    // The pop-up lives beside the horizontal scroll bar, which therefore always shows.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    validateFactorPopUpButton();
}

void DRVZoomingScrollView::validateFactorPopUpButton()
{
    if (m_factorPopUpButton)
        return;
    auto* popUp = new QComboBox(this);
    popUp->setObjectName(QStringLiteral("factorPopUpButton"));
    QFont font = QApplication::font();
    font.setPointSizeF(std::max(1.0, font.pointSizeF() - 2.0));
    popUp->setFont(font);
    popUp->setFrame(false);
    popUp->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    const QString table = QStringLiteral("DRVZoomingScrollView");
    for (const QString& title : edition().gZoomLevels)
        popUp->addItem(platform::StringsTable::lookup(title, table), QVariant(factorOfTitle(title)));
    connect(popUp, &QComboBox::activated, this, [this](int index) {
        if (index >= 0)
            setFactor(m_factorPopUpButton->itemData(index).toFloat());
    });
    m_factorPopUpButton = popUp;
    selectItemForFactor();
    addScrollBarWidget(popUp, Qt::AlignLeft);
}

void DRVZoomingScrollView::selectItemForFactor()
{
    if (!m_factorPopUpButton)
        return;
    // The pop-up shows the factor in force; a factor no title stands for selects nothing.
    m_factorPopUpButton->setCurrentIndex(m_factorPopUpButton->findData(QVariant(float(m_factor))));
}

QComboBox* DRVZoomingScrollView::factorPopUpButton()
{
    validateFactorPopUpButton();
    return m_factorPopUpButton;
}

void DRVZoomingScrollView::setFactor(double factor)
{
    m_factor = factor;
    edition().gCanvasDisplayScale = float(factor);
    selectItemForFactor();
    emit factorChanged(factor);
}

QSizeF DRVZoomingScrollView::clipBoundsSize() const
{
    const QSizeF frame = viewport()->size();
    if (m_factor <= 0)
        return frame;
    return frame / m_factor;
}

void DRVZoomingScrollView::updateScale(const QString& title, float factor)
{
    setFactor(factor);
    QComboBox* popUp = factorPopUpButton();
    const QString table = QStringLiteral("DRVZoomingScrollView");
    const int index = popUp->findText(platform::StringsTable::lookup(title, table));
    if (index >= 0)
        popUp->setCurrentIndex(index);
}

bool DRVZoomingScrollView::performKeyEquivalent(const QKeyEvent* event)
{
    if (!event)
        return false;
    const QStringList& titles = edition().gZoomLevels;
    const int index = factorPopUpButton()->currentIndex();
    if (index < 0 || index >= titles.size())
        return false;
    int chosen = -1;
    if (event->key() == Qt::Key_Equal && index < titles.size() - 1)
        chosen = index + 1;
    else if (event->key() == Qt::Key_Minus && index >= 1)
        chosen = index - 1;
    if (chosen < 0)
        return false;
    updateScale(titles.at(chosen), factorOfTitle(titles.at(chosen)));
    return true;
}

void DRVZoomingScrollView::keyPressEvent(QKeyEvent* event)
{
    if (performKeyEquivalent(event)) {
        event->accept();
        return;
    }
    QScrollArea::keyPressEvent(event);
}

void DRVZoomingScrollView::mousePressEvent(QMouseEvent* event)
{
    // Presses the canvas leaves unhandled travel up here too; only those beside it count.
    if (widget() && widget()->geometry().contains(event->position().toPoint())) {
        event->ignore();
        return;
    }
    emit clickedOutsideCanvas();
    event->accept();
}

void DRVZoomingScrollView::setRulerViews(QWidget* horizontal, QWidget* vertical, int thickness)
{
    m_horizontalRuler = horizontal;
    m_verticalRuler = vertical;
    m_rulerThickness = horizontal && vertical ? std::max(0, thickness) : 0;
    for (QWidget* ruler : {horizontal, vertical}) {
        if (ruler && ruler->parentWidget() != this)
            ruler->setParent(this);
    }
    setViewportMargins(m_rulerThickness, m_rulerThickness, 0, 0);
    placeRulers();
}

void DRVZoomingScrollView::resizeEvent(QResizeEvent* event)
{
    QScrollArea::resizeEvent(event);
    placeRulers();
}

void DRVZoomingScrollView::placeRulers()
{
    if (!m_horizontalRuler || !m_verticalRuler)
        return;
    const QRect port = viewport()->geometry();
    const int t = m_rulerThickness;
    m_horizontalRuler->setGeometry(port.left(), port.top() - t, port.width(), t);
    m_verticalRuler->setGeometry(port.left() - t, port.top(), t, port.height());
    m_horizontalRuler->show();
    m_verticalRuler->show();
    m_horizontalRuler->raise();
    m_verticalRuler->raise();
}
