#include "window/WebsiteWindowController.h"

#include "window/FlippedScrollView.h"

#include <QVBoxLayout>
#include <QWidget>

WebsiteWindowController::WebsiteWindowController(QObject* parent) : QObject(parent) {}

WebsiteWindowController::~WebsiteWindowController()
{
    delete m_window;
}

QWidget* WebsiteWindowController::window()
{
    if (m_window)
        return m_window;
    m_window = new QWidget(nullptr, Qt::Window);
    m_window->setObjectName(QStringLiteral("WebsiteWindowController"));
    auto* layout = new QVBoxLayout(m_window);
    layout->setContentsMargins(0, 0, 0, 0);
    if (!m_scrollView)
        m_scrollView = new FlippedScrollView;
    layout->addWidget(m_scrollView);
    windowDidLoad();
    return m_window;
}

FlippedScrollView* WebsiteWindowController::scrollView()
{
    window();
    return m_scrollView;
}

void WebsiteWindowController::setScrollView(FlippedScrollView* view)
{
    m_scrollView = view;
}
