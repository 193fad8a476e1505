// The small floating window that tells the user a long job is running: a status line, the current
// item, an indeterminate bar and a level of items done. One exists at a time; DataCentre's progress
// operations reach it through the display that installForProcess() puts in place. Main thread only.
#pragma once
#include "editions/DataCentre.h"

#include <QPointer>
#include <QString>

class QLabel;
class QProgressBar;
class QWidget;

class ProgressIndicatorWindowController
{
public:
    ProgressIndicatorWindowController();
    ~ProgressIndicatorWindowController();
    ProgressIndicatorWindowController(const ProgressIndicatorWindowController&) = delete;
    ProgressIndicatorWindowController& operator=(const ProgressIndicatorWindowController&) = delete;

    QWidget* window() const { return m_window; }
    QProgressBar* levelIndicator() const { return m_levelIndicator; }
    QProgressBar* progressIndicator() const { return m_progressIndicator; }
    QLabel* progressStatusTextfield() const { return m_progressStatusTextfield; }
    QLabel* progressFileTextField() const { return m_progressFileTextField; }
    QProgressBar* progressIndicator2() const { return m_progressIndicator2; }

    // Shows the window: "Please wait", no item, the bar running, level 0 of 10.
    void showWindow();
    // "Please wait: done/total completed", level done of total, the item text, drawn at once.
    void setProgress(qint32 done, qint32 total, const QString& text);
    // Hides the window, keeping where the user left it for the next one.
    void orderOut();

    // The process-wide current controller (gProgressWindowController), or nullptr.
    static ProgressIndicatorWindowController* current();
    // Makes DataCentre's progress operations show this window.
    static void installForProcess();

private:
    QPointer<QWidget> m_window; // owned; the pointer survives the application's own teardown
    QProgressBar* m_levelIndicator = nullptr;
    QProgressBar* m_progressIndicator = nullptr;
    QLabel* m_progressStatusTextfield = nullptr;
    QLabel* m_progressFileTextField = nullptr;
    QProgressBar* m_progressIndicator2 = nullptr;
};
