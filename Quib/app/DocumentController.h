// The open documents and their windows. Opens page documents through the document's open flow (a
// document already open shows its window instead), gives every new window the application's menus,
// answers the menus' application-wide actions (Open, Quit) and lets a document go with its last
// window. Main thread only.
#pragma once
#include "window/MenuValidation.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

class DRVDocument;
class DRVWindowController;

class DocumentController : public QObject
{
    Q_OBJECT
public:
    static DocumentController& shared();

    explicit DocumentController(QObject* parent = nullptr);
    ~DocumentController() override;

    QList<DRVDocument*> documents() const;
    QList<DRVWindowController*> allWindowControllers() const { return m_windowControllers; }
    // The document of the main window; nullptr when none is open.
    DRVDocument* currentDocument() const;
    QList<DRVWindowController*> windowControllers(const DRVDocument* document) const;
    // The open document read from path (compared as absolute, symlink-free paths), or nullptr.
    DRVDocument* documentForPath(const QString& path) const;

    // Opens path and shows its window; a document already open comes to the front. nullptr when
    // the open flow refused the file (it has shown its alert).
    DRVWindowController* openDocumentWithContentsOfPath(const QString& path);
    // Opens each path; the number that opened.
    int openDocuments(const QStringList& paths);
    // Runs the open panel for the edition's page documents and opens the choice; false when the
    // panel was cancelled or nothing opened.
    bool openDocumentFromPanel();
    // Adopts a document built elsewhere (new pages, templates) and shows it in a new window.
    DRVWindowController* addDocument(std::unique_ptr<DRVDocument> document);

    // The menu actions answered here whatever the window.
    static const QStringList& applicationActions();
    // True when someone (a window, its document or the application) runs the menu action.
    static bool answers(const QString& action);
    // Runs a menu action for the window it was chosen in (nullptr: no window).
    void sendAction(const QString& action, DRVWindowController* window);
    // The item's state for that window.
    MenuItemState validateMenuItem(const QString& action, const MenuItemState& item,
                                   DRVWindowController* window) const;
    // File > Import Page: the import window, opening what it imports.
    void showPageImport();
    // Closes every window (each may ask to save); quits when all closed. False when one stayed.
    bool terminate();

signals:
    // After the last document window closed.
    void lastWindowClosed();

private:
    void adoptWindowController(DRVWindowController* controller);
    void windowControllerClosed(DRVWindowController* controller);

    QList<DRVDocument*> m_documents; // owned (children of this controller)
    QList<DRVWindowController*> m_windowControllers;
    bool m_terminating = false;
};
