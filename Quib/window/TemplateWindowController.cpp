#include "window/TemplateWindowController.h"

#include "editions/DataCentre.h"
#include "platform/NotificationCenter.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QWidget>

TemplateWindowController::TemplateWindowController(QObject* parent) : QObject(parent)
{
    m_window = new QWidget(nullptr, Qt::Window);
    m_window->setObjectName(QStringLiteral("ChooseTemplate"));
    m_window->setWindowTitle(QStringLiteral("Choose a Template"));
    m_window->resize(1010, 640);
    m_window->installEventFilter(this);

    m_categoryScrollView = new QScrollArea(m_window);
    m_categoryScrollView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_categoryScrollView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_categoryScrollView->setFixedWidth(250);
    QPalette side = m_categoryScrollView->palette();
    side.setColor(QPalette::Window, DataCentre::colorWithHexString(QStringLiteral("F5F5F5")));
    m_categoryScrollView->setPalette(side);
    m_categoryScrollView->setBackgroundRole(QPalette::Window);

    m_scrollView = new QScrollArea(m_window);
    m_scrollView->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_scrollView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette grid = m_scrollView->palette();
    grid.setColor(QPalette::Window, Qt::black);
    m_scrollView->setPalette(grid);
    m_scrollView->setBackgroundRole(QPalette::Window);
    m_scrollView->viewport()->installEventFilter(this);

    m_cancelButton = new QPushButton(QStringLiteral("Cancel"), m_window);
    m_openButton = new QPushButton(QStringLiteral("Open…"), m_window);
    m_selectButton = new QPushButton(QStringLiteral("Select"), m_window);
    m_selectButton->setDefault(true);
    m_selectButton->setEnabled(false);
    m_baseTemplateCheckbox = new QCheckBox(QStringLiteral("Use as base template"), m_window);

    auto* columns = new QHBoxLayout;
    columns->setContentsMargins(0, 0, 0, 0);
    columns->addWidget(m_categoryScrollView);
    columns->addWidget(m_scrollView, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_baseTemplateCheckbox);
    buttons->addStretch(1);
    buttons->addWidget(m_openButton);
    buttons->addWidget(m_cancelButton);
    buttons->addWidget(m_selectButton);
    auto* layout = new QVBoxLayout(m_window);
    layout->addLayout(columns, 1);
    layout->addLayout(buttons);
}

TemplateWindowController::~TemplateWindowController()
{
    delete m_window;
}

void TemplateWindowController::setCategoryView(QWidget* view)
{
    m_categoryScrollView->setWidget(view); // deletes the previous view
}

void TemplateWindowController::setGridView(QWidget* view)
{
    if (view)
        view->installEventFilter(this);
    m_scrollView->setWidget(view);
}

void TemplateWindowController::showOrHideWindow()
{
    if (m_window->isVisible()) {
        m_window->hide();
    } else {
        m_window->show();
        m_window->raise();
    }
}

bool TemplateWindowController::eventFilter(QObject* watched, QEvent* event)
{
    // Tiles take their own clicks; a press that reaches the window, the grid's viewport or its view
    // landed on the background.
    if (event->type() == QEvent::MouseButtonPress) {
        const bool background = watched == m_window || watched == m_scrollView->viewport() ||
                                (m_scrollView->widget() && watched == m_scrollView->widget());
        if (background)
            platform::NotificationCenter::defaultCenter().post(QStringLiteral("clearTemplateSelection"));
    }
    return QObject::eventFilter(watched, event);
}
