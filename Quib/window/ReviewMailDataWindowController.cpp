#include "window/ReviewMailDataWindowController.h"

#include "window/ConnectionLogWindowController.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

ReviewMailDataWindowController::ReviewMailDataWindowController() : m_window(new QWidget)
{
    m_window->setObjectName(QStringLiteral("ReviewMailDataWindowController"));
    m_window->setWindowTitle(QStringLiteral("Review Email"));
    m_window->resize(520, 440);
    auto* layout = new QVBoxLayout(m_window);
    // The review is plain text: addresses and subjects are shown, never interpreted.
    m_textView = ConnectionLogWindowController::plainTextView(m_window);
    m_cancelButton = new QPushButton(QStringLiteral("Cancel"), m_window);
    m_cancelButton->setObjectName(QStringLiteral("cancelButton"));
    m_sendButton = new QPushButton(QStringLiteral("Send"), m_window);
    m_sendButton->setObjectName(QStringLiteral("sendButton"));
    m_sendButton->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cancelButton);
    buttons->addWidget(m_sendButton);
    layout->addWidget(m_textView);
    layout->addLayout(buttons);
}

ReviewMailDataWindowController::~ReviewMailDataWindowController()
{
    delete m_window;
}
