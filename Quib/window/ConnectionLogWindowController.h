// The window that shows a transfer's connection log (or a mail error log) with a button that copies
// the whole text. Its owner creates it once, keeps it, and shows each new log in it. Main thread only.
#pragma once
#include <QPointer>
#include <QString>

class QPlainTextEdit;
class QPushButton;
class QWidget;

class ConnectionLogWindowController
{
public:
    // A read-only plain-text view that wraps at its width, as the log and the mail review use.
    static QPlainTextEdit* plainTextView(QWidget* parent);
    ConnectionLogWindowController();
    ~ConnectionLogWindowController();
    ConnectionLogWindowController(const ConnectionLogWindowController&) = delete;
    ConnectionLogWindowController& operator=(const ConnectionLogWindowController&) = delete;

    QWidget* window() const { return m_window; }
    QPlainTextEdit* textView() const { return m_textView; }
    QPushButton* button() const { return m_button; }

    // Puts log into the text view, titles the window ("Connection log" for an upload, "Error log"
    // for mail) and brings it to the front as key window.
    void showLog(const QString& title, const QString& log);
    // The copy button: the whole text to the clipboard as a plain string, then "Copied to Clipboard".
    void grabConnectionLog();
    // The alert after a mail could not be sent; true when the user asks to see the error log.
    static bool askToViewMailErrorLog();

private:
    QPointer<QWidget> m_window; // owned
    QPlainTextEdit* m_textView = nullptr;
    QPushButton* m_button = nullptr;
};
