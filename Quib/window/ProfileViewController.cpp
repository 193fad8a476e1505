#include "window/ProfileViewController.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include <algorithm>

ProfileViewController::ProfileViewController(const QString& interfaceName, QObject* parent)
    : QObject(parent), m_interfaceName(interfaceName)
{
}

ProfileViewController::~ProfileViewController()
{
    if (m_view && !m_view->parent())
        delete m_view;
}

QWidget* ProfileViewController::view()
{
    if (m_view)
        return m_view;
    m_view = new QWidget;
    m_view->setObjectName(m_interfaceName);
    m_view->resize(300, 140);
    m_labelTextField = new QLabel(m_view);
    m_labelTextField->setGeometry(10, 10, 280, 40);
    m_labelTextField2 = new QLabel(m_view);
    m_labelTextField2->setGeometry(10, 55, 280, 30);
    m_labelTextField3 = new QLabel(m_view);
    m_labelTextField3->setGeometry(10, 90, 280, 20);
    m_closeButton = new QPushButton(QStringLiteral("Close"), m_view);
    m_closeButton->setGeometry(220, 112, 70, 24);
    viewDidLoad();
    return m_view;
}

QLabel* ProfileViewController::labelTextField()
{
    view();
    return m_labelTextField;
}

QLabel* ProfileViewController::labelTextField2()
{
    view();
    return m_labelTextField2;
}

QLabel* ProfileViewController::labelTextField3()
{
    view();
    return m_labelTextField3;
}

QPushButton* ProfileViewController::closeButton()
{
    view();
    return m_closeButton;
}

int ProfileViewController::calcFontSizeToFitRect(const QRectF& rect, const QString& text,
                                                 const QString& fontName)
{
    const float width = float(rect.width());
    const float height = float(rect.height());
    int size = 5;
    for (; size < 300; ++size) {
        QFont font(fontName);
        // Sizes are in view units, as the frames are.
        font.setPixelSize(size);
        const QSizeF measured = QFontMetricsF(font).size(0, text);
        if (measured.width() > width || measured.height() > height)
            break;
    }
    return size - 1;
}

void ProfileViewController::adjustFontSize()
{
    view();
    const QString fontName = QString::fromLatin1(kLabelFontName);
    for (QLabel* label : {m_labelTextField, m_labelTextField2, m_labelTextField3}) {
        const int size = calcFontSizeToFitRect(label->geometry(), label->text(), fontName);
        QFont font(fontName);
        font.setPixelSize(std::max(1, size));
        label->setFont(font);
    }
}
