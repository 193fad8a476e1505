#include "print/PrintPanel.h"

#include <QAbstractPrintDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace {

PrintPanel* gInstalledPanel = nullptr;

class DialogPrintPanel : public PrintPanel
{
public:
    bool run(QPrinter& printer, QWidget* parent) override
    {
        QPrintDialog dialog(&printer, parent);
        dialog.setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
        dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
        return dialog.exec() == QDialog::Accepted;
    }
};

} // namespace

PrintPanel& PrintPanel::current()
{
    static DialogPrintPanel dialog;
    return gInstalledPanel ? *gInstalledPanel : dialog;
}

void PrintPanel::setCurrent(PrintPanel* panel)
{
    gInstalledPanel = panel;
}

ScriptedPrintPanel::ScriptedPrintPanel() : m_previous(gInstalledPanel)
{
    setCurrent(this);
}

ScriptedPrintPanel::~ScriptedPrintPanel()
{
    setCurrent(m_previous);
}

void ScriptedPrintPanel::queueAnswer(const QString& pdfPath)
{
    m_answers.append(pdfPath);
}

bool ScriptedPrintPanel::run(QPrinter& printer, QWidget*)
{
    requests.append({printer.pageLayout(), printer.outputFileName()});
    const QString answer = m_answers.isEmpty() ? QString() : m_answers.takeFirst();
    if (answer.isEmpty())
        return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(answer);
    return true;
}
