// Modal alerts and open/save panels behind one replaceable service, so that every flow that asks the
// user something can run in tests with scripted answers.
#pragma once
#include <QList>
#include <QMutex>
#include <QString>
#include <QStringList>

namespace platform {

enum class AlertStyle { Warning, Informational, Critical };

struct Alert
{
    QString title;           // the alert's message text
    QString informativeText; // the smaller text under it
    QStringList buttons;     // in order; the first is the default button; none gives one "OK"
    AlertStyle style = AlertStyle::Warning;
    bool suppressionButton = false;
    // When set, receives whether the suppression box was ticked.
    bool* suppressionState = nullptr;
};

struct FilePanelRequest
{
    QString title;
    QString message;
    QString prompt; // the confirm button's text ("Select", "Export", ...); empty keeps the default
    QString directory;
    QString fileName;
    QStringList allowedExtensions; // without the dot; empty allows every file
    bool chooseDirectories = false;
    bool allowMultiple = false;
    bool canCreateDirectories = true;
};

class DialogService
{
public:
    virtual ~DialogService() = default;
    // The 0-based index of the chosen button (0 for the "OK" of an alert with no buttons).
    virtual int runAlert(const Alert& alert) = 0;
    // The chosen paths; empty when cancelled.
    virtual QStringList runOpenPanel(const FilePanelRequest& request) = 0;
    // The chosen path; empty when cancelled.
    virtual QString runSavePanel(const FilePanelRequest& request) = 0;

    // The installed service, else the one showing QMessageBox and QFileDialog.
    static DialogService& current();
    // Installs a service (not owned); nullptr restores the default one.
    static void setCurrent(DialogService* service);

private:
    friend class ScopedDialogs;
    static DialogService* installed();
};

// Runs the alert on the main thread from any thread (blocking the caller until it is answered).
int showAlert(const Alert& alert);
int showAlert(const QString& title, const QString& text, const QStringList& buttons = {});

// A double that answers from queues and records every request. An empty queue answers 0 / empty.
class ScriptedDialogs : public DialogService
{
public:
    void queueAlertAnswer(int buttonIndex, bool suppressionTicked = false);
    void queueOpenPanelAnswer(const QStringList& paths);
    void queueSavePanelAnswer(const QString& path);

    QList<Alert> alerts() const;
    QList<FilePanelRequest> openRequests() const;
    QList<FilePanelRequest> saveRequests() const;

    int runAlert(const Alert& alert) override;
    QStringList runOpenPanel(const FilePanelRequest& request) override;
    QString runSavePanel(const FilePanelRequest& request) override;

private:
    mutable QMutex m_mutex;
    QList<QPair<int, bool>> m_alertAnswers;
    QList<QStringList> m_openAnswers;
    QList<QString> m_saveAnswers;
    QList<Alert> m_alerts;
    QList<FilePanelRequest> m_openRequests;
    QList<FilePanelRequest> m_saveRequests;
};

// Installs a ScriptedDialogs for its lifetime and then puts the previous service back.
class ScopedDialogs
{
public:
    ScopedDialogs();
    ~ScopedDialogs();
    ScopedDialogs(const ScopedDialogs&) = delete;
    ScopedDialogs& operator=(const ScopedDialogs&) = delete;

    ScriptedDialogs& dialogs() { return m_dialogs; }
    ScriptedDialogs* operator->() { return &m_dialogs; }

private:
    ScriptedDialogs m_dialogs;
    DialogService* m_previous = nullptr;
};

} // namespace platform
