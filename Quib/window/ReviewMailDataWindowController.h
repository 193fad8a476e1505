// The review of an HTML e-mail before it goes: who sends, the subject, the recipients, and the
// buttons that send it or stop. An ordinary window, not a sheet, so the page stays in view. The
// document makes it once and keeps it; it has no behaviour of its own.
#pragma once
#include <QPointer>

class QPlainTextEdit;
class QPushButton;
class QWidget;

class ReviewMailDataWindowController
{
public:
    ReviewMailDataWindowController();
    ~ReviewMailDataWindowController();
    ReviewMailDataWindowController(const ReviewMailDataWindowController&) = delete;
    ReviewMailDataWindowController& operator=(const ReviewMailDataWindowController&) = delete;

    QWidget* window() const { return m_window; }
    QPlainTextEdit* textView() const { return m_textView; }
    QPushButton* cancelButton() const { return m_cancelButton; }
    QPushButton* sendButton() const { return m_sendButton; }

private:
    QPointer<QWidget> m_window; // owned
    QPlainTextEdit* m_textView = nullptr;
    QPushButton* m_cancelButton = nullptr;
    QPushButton* m_sendButton = nullptr;
};
