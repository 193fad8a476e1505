#include "window/SidebarViewController.h"

SidebarViewController::SidebarViewController(const QString& interfaceName, QObject* parent)
    : QObject(parent), m_interfaceName(interfaceName)
{
}

SidebarViewController::~SidebarViewController()
{
    if (m_view && !m_view->parent())
        delete m_view;
}

QWidget* SidebarViewController::view()
{
    if (!m_view) {
        m_view = new QWidget;
        m_view->setObjectName(m_interfaceName.isEmpty() ? QStringLiteral("SidebarView") : m_interfaceName);
    }
    return m_view;
}
