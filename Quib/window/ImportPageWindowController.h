// The "Import Page" window: a web address, the page's text encoding and the Import button. The
// import itself runs on a worker (PageImporter) behind the progress window; what touches the user
// interface (the address field, the failure alert, the Replace and save questions, opening the page)
// runs on the main thread, so the window stays responsive. One window per process, one import at a
// time. Main thread only.
#pragma once
#include "window/PageImporter.h"

#include <QObject>
#include <QPointer>
#include <functional>

class QComboBox;
class QLineEdit;
class QPushButton;
class QWidget;

class ImportPageWindowController : public QObject
{
    Q_OBJECT
public:
    // What the import needs of the application around it.
    struct Host
    {
        // The project folder of the website open in the main window; "" when there is none.
        std::function<QString()> openWebsiteFolderPath;
        // The main window's page has unsaved edits, and saving it (false when the save failed).
        std::function<bool()> frontPageEdited;
        std::function<bool()> saveFrontPage;
        // Shows the page document: in the main window in place of its page (a project page), else
        // as a new untitled document.
        std::function<void(const QString& documentPath, bool inFrontWindow)> showImportedPage;
    };

    static ImportPageWindowController& shared();
    ImportPageWindowController();
    ~ImportPageWindowController() override;

    void setHost(Host host) { m_host = std::move(host); }

    QWidget* window() const { return m_window; }
    QLineEdit* urlTextField() const { return m_urlTextField; }
    QComboBox* encodingControl() const { return m_encodingControl; }
    QPushButton* importButton() const { return m_importButton; }
    // The text of the last download.
    QString importPage() const { return m_importPage; }
    bool isImporting() const { return m_importing; }

    // Titles the window "Import Page" and brings it to the front.
    void showPageImport();
    // Starts the import of the shown address; returns at once.
    void syncPage();
    // Hides the window and the progress window.
    void cancelImportView();

signals:
    // After each import ends, imported or not (tests wait on it).
    void importFinished(bool imported);

private:
    void importDone(const PageImporter::Result& result);
    void refuse();

    Host m_host;
    QPointer<QWidget> m_window;
    QLineEdit* m_urlTextField = nullptr;
    QComboBox* m_encodingControl = nullptr;
    QPushButton* m_importButton = nullptr;
    QString m_importPage;
    bool m_importing = false;
};
