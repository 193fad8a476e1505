#include "platform/Dialogs.h"

#include "platform/Threads.h"

#include <QApplication>
#include <QAtomicPointer>
#include <QCheckBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace platform {
namespace {

QWidget* dialogParent()
{
    return qobject_cast<QApplication*>(QCoreApplication::instance()) ? QApplication::activeWindow() : nullptr;
}

QString nameFilter(const QStringList& extensions)
{
    if (extensions.isEmpty())
        return {};
    QStringList patterns;
    for (const QString& ext : extensions)
        patterns.append(QStringLiteral("*.") + ext);
    patterns.removeDuplicates();
    return QStringLiteral("(%1)").arg(patterns.join(u' '));
}

void prepareFileDialog(QFileDialog& dialog, const FilePanelRequest& request)
{
    dialog.setWindowTitle(request.title.isEmpty() ? request.message : request.title);
    if (!request.directory.isEmpty())
        dialog.setDirectory(request.directory);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (const QString filter = nameFilter(request.allowedExtensions); !filter.isEmpty())
        dialog.setNameFilter(filter);
    if (!request.prompt.isEmpty())
        dialog.setLabelText(QFileDialog::Accept, request.prompt);
    dialog.setOption(QFileDialog::ReadOnly, !request.canCreateDirectories);
}

class WidgetDialogs : public DialogService
{
public:
    int runAlert(const Alert& alert) override
    {
        QMessageBox box(dialogParent());
        box.setWindowTitle(QCoreApplication::applicationName());
        box.setText(alert.title);
        box.setInformativeText(alert.informativeText);
        switch (alert.style) {
        case AlertStyle::Warning:
            box.setIcon(QMessageBox::Warning);
            break;
        case AlertStyle::Informational:
            box.setIcon(QMessageBox::Information);
            break;
        case AlertStyle::Critical:
            box.setIcon(QMessageBox::Critical);
            break;
        }
        const QStringList titles =
            alert.buttons.isEmpty() ? QStringList{QStringLiteral("OK")} : alert.buttons;
        QList<QAbstractButton*> buttons;
        QAbstractButton* escape = nullptr;
        for (qsizetype i = 0; i < titles.size(); ++i) {
            const bool isCancel = titles[i] == QLatin1String("Cancel");
            const auto role = i == 0 ? QMessageBox::AcceptRole
                                     : (isCancel ? QMessageBox::RejectRole : QMessageBox::ActionRole);
            QPushButton* button = box.addButton(titles[i], role);
            buttons.append(button);
            if (i == 0)
                box.setDefaultButton(button);
            if (isCancel)
                escape = button;
        }
        if (!escape && titles.size() == 1)
            escape = buttons.first();
        box.setEscapeButton(escape);
        QCheckBox* suppression = nullptr;
        if (alert.suppressionButton) {
            suppression = new QCheckBox(QStringLiteral("Do not show this message again"));
            box.setCheckBox(suppression);
        }
        box.exec();
        if (alert.suppressionState)
            *alert.suppressionState = suppression && suppression->isChecked();
        const qsizetype index = buttons.indexOf(box.clickedButton());
        if (index >= 0)
            return int(index);
        return escape ? int(buttons.indexOf(escape)) : 0;
    }

    QStringList runOpenPanel(const FilePanelRequest& request) override
    {
        QFileDialog dialog(dialogParent());
        prepareFileDialog(dialog, request);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        if (request.chooseDirectories) {
            dialog.setFileMode(QFileDialog::Directory);
            dialog.setOption(QFileDialog::ShowDirsOnly, true);
        } else {
            dialog.setFileMode(request.allowMultiple ? QFileDialog::ExistingFiles
                                                     : QFileDialog::ExistingFile);
        }
        if (dialog.exec() != QDialog::Accepted)
            return {};
        QStringList chosen = dialog.selectedFiles();
        if (!request.allowMultiple && chosen.size() > 1)
            chosen = chosen.mid(0, 1);
        return chosen;
    }

    QString runSavePanel(const FilePanelRequest& request) override
    {
        QFileDialog dialog(dialogParent());
        prepareFileDialog(dialog, request);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        if (!request.allowedExtensions.isEmpty())
            dialog.setDefaultSuffix(request.allowedExtensions.first());
        if (dialog.exec() != QDialog::Accepted)
            return {};
        const QStringList chosen = dialog.selectedFiles();
        return chosen.isEmpty() ? QString() : chosen.first();
    }
};

QAtomicPointer<DialogService>& installedService()
{
    static QAtomicPointer<DialogService> service;
    return service;
}

} // namespace

DialogService& DialogService::current()
{
    if (DialogService* service = installed())
        return *service;
    static WidgetDialogs widgets;
    return widgets;
}

void DialogService::setCurrent(DialogService* service)
{
    installedService().storeRelease(service);
}

DialogService* DialogService::installed()
{
    return installedService().loadAcquire();
}

int showAlert(const Alert& alert)
{
    if (isMainThread())
        return DialogService::current().runAlert(alert);
    int answer = 0;
    performOnMainThread([&]() { answer = DialogService::current().runAlert(alert); }, true);
    return answer;
}

int showAlert(const QString& title, const QString& text, const QStringList& buttons)
{
    Alert alert;
    alert.title = title;
    alert.informativeText = text;
    alert.buttons = buttons;
    return showAlert(alert);
}

void ScriptedDialogs::queueAlertAnswer(int buttonIndex, bool suppressionTicked)
{
    QMutexLocker lock(&m_mutex);
    m_alertAnswers.append({buttonIndex, suppressionTicked});
}

void ScriptedDialogs::queueOpenPanelAnswer(const QStringList& paths)
{
    QMutexLocker lock(&m_mutex);
    m_openAnswers.append(paths);
}

void ScriptedDialogs::queueSavePanelAnswer(const QString& path)
{
    QMutexLocker lock(&m_mutex);
    m_saveAnswers.append(path);
}

QList<Alert> ScriptedDialogs::alerts() const
{
    QMutexLocker lock(&m_mutex);
    return m_alerts;
}

QList<FilePanelRequest> ScriptedDialogs::openRequests() const
{
    QMutexLocker lock(&m_mutex);
    return m_openRequests;
}

QList<FilePanelRequest> ScriptedDialogs::saveRequests() const
{
    QMutexLocker lock(&m_mutex);
    return m_saveRequests;
}

int ScriptedDialogs::runAlert(const Alert& alert)
{
    QMutexLocker lock(&m_mutex);
    Alert recorded = alert;
    recorded.suppressionState = nullptr;
    m_alerts.append(recorded);
    const auto answer = m_alertAnswers.isEmpty() ? qMakePair(0, false) : m_alertAnswers.takeFirst();
    if (alert.suppressionState)
        *alert.suppressionState = alert.suppressionButton && answer.second;
    return answer.first;
}

QStringList ScriptedDialogs::runOpenPanel(const FilePanelRequest& request)
{
    QMutexLocker lock(&m_mutex);
    m_openRequests.append(request);
    return m_openAnswers.isEmpty() ? QStringList() : m_openAnswers.takeFirst();
}

QString ScriptedDialogs::runSavePanel(const FilePanelRequest& request)
{
    QMutexLocker lock(&m_mutex);
    m_saveRequests.append(request);
    return m_saveAnswers.isEmpty() ? QString() : m_saveAnswers.takeFirst();
}

ScopedDialogs::ScopedDialogs() : m_previous(DialogService::installed())
{
    DialogService::setCurrent(&m_dialogs);
}

ScopedDialogs::~ScopedDialogs()
{
    DialogService::setCurrent(m_previous);
}

} // namespace platform
