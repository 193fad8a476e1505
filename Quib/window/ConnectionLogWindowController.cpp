#include "window/ConnectionLogWindowController.h"

#include "platform/Dialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

QPlainTextEdit* ConnectionLogWindowController::plainTextView(QWidget* parent)
{
    // Wraps at the window's width and never scrolls sideways; the text is plain, never markup.
    auto* view = new QPlainTextEdit(parent);
    view->setObjectName(QStringLiteral("textView"));
    view->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setReadOnly(true);
    return view;
}

ConnectionLogWindowController::ConnectionLogWindowController() : m_window(new QWidget)
{
    m_window->setObjectName(QStringLiteral("ConnectionLogWindowController"));
    m_window->resize(560, 420);
    auto* layout = new QVBoxLayout(m_window);
    m_textView = plainTextView(m_window);
    m_textView->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_button = new QPushButton(QStringLiteral("Copy to Clipboard"), m_window);
    m_button->setObjectName(QStringLiteral("button"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_button);
    layout->addWidget(m_textView);
    layout->addLayout(buttons);
    QObject::connect(m_button, &QPushButton::clicked, m_window, [this] { grabConnectionLog(); });
}

ConnectionLogWindowController::~ConnectionLogWindowController()
{
    delete m_window;
}

void ConnectionLogWindowController::showLog(const QString& title, const QString& log)
{
    m_window->setWindowTitle(title);
    m_textView->setPlainText(log);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void ConnectionLogWindowController::grabConnectionLog()
{
    QApplication::clipboard()->setText(m_textView->toPlainText());
    platform::Alert alert;
    alert.title = QStringLiteral("Copied to Clipboard");
    alert.buttons = {QStringLiteral("OK")};
    platform::showAlert(alert);
}

bool ConnectionLogWindowController::askToViewMailErrorLog()
{
    platform::Alert alert;
    alert.style = platform::AlertStyle::Warning;
    alert.title = QStringLiteral("Oops, we seem to have run into an error");
    alert.informativeText =
        QStringLiteral("Please double check Sender Settings and check Error Log for more details.");
    alert.buttons = {QStringLiteral("View Error Log"), QStringLiteral("Cancel")};
    return platform::showAlert(alert) == 0;
}
