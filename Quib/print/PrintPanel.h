// The print panel behind one replaceable service, so printing runs in tests with a scripted answer
// that sends the job to a PDF file instead of a printer.
#pragma once
#include <QList>
#include <QPageLayout>
#include <QString>

class QPrinter;
class QWidget;

class PrintPanel
{
public:
    virtual ~PrintPanel() = default;
    // Lets the user confirm or change the printer's settings; false when cancelled. Main thread.
    virtual bool run(QPrinter& printer, QWidget* parent) = 0;

    // The installed panel, else the window-modal QPrintDialog.
    static PrintPanel& current();
    static void setCurrent(PrintPanel* panel); // not owned; nullptr restores the dialog
};

// A double that answers each print with the next queued file (an empty one cancels) and records
// the settings the printer came with.
class ScriptedPrintPanel : public PrintPanel
{
public:
    ScriptedPrintPanel();
    ~ScriptedPrintPanel() override;
    ScriptedPrintPanel(const ScriptedPrintPanel&) = delete;
    ScriptedPrintPanel& operator=(const ScriptedPrintPanel&) = delete;

    void queueAnswer(const QString& pdfPath);

    struct Request
    {
        QPageLayout layout;
        QString outputFile;
    };
    QList<Request> requests;

    bool run(QPrinter& printer, QWidget* parent) override;

private:
    QList<QString> m_answers;
    PrintPanel* m_previous = nullptr;
};
