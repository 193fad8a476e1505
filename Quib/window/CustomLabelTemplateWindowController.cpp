#include "window/CustomLabelTemplateWindowController.h"

#include <QWidget>

CustomLabelTemplateWindowController::CustomLabelTemplateWindowController(QObject* parent) : QObject(parent) {}

CustomLabelTemplateWindowController::~CustomLabelTemplateWindowController()
{
    delete m_window;
}

QWidget* CustomLabelTemplateWindowController::window()
{
    if (!m_window) {
        m_window = new QWidget(nullptr, Qt::Window);
        m_window->setObjectName(QStringLiteral("CustomLabelTemplateWindowController"));
        windowDidLoad();
    }
    return m_window;
}
