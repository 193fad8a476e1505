#include "app/DocumentController.h"

#include "app/DRVAppDelegate.h"
#include "app/DocumentScriptingAdaptor.h"
#include "app/MenuModel.h"
#include "document/DRVDocument.h"
#include "editions/EditionSettings.h"
#include "platform/Dialogs.h"
#include "platform/UserDefaults.h"
#include "window/ContactViewController.h"
#include "window/DRVWindowController.h"
#include "window/ImportPageWindowController.h"
#include "window/MailRecipientWindowController.h"
#include "window/MailSettingWindowController.h"
#include "window/PreferenceWindowController.h"

#include <QApplication>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>

DocumentController& DocumentController::shared()
{
    static DocumentController* controller = new DocumentController(qApp);
    return *controller;
}

DocumentController::DocumentController(QObject* parent) : QObject(parent) {}

DocumentController::~DocumentController()
{
    const QList<DRVWindowController*> controllers = m_windowControllers;
    m_windowControllers.clear();
    for (DRVWindowController* controller : controllers) {
        disconnect(controller, nullptr, this, nullptr);
        delete controller;
    }
    // The documents are children and go with this object.
}

QList<DRVDocument*> DocumentController::documents() const
{
    return m_documents;
}

DRVDocument* DocumentController::currentDocument() const
{
    DRVWindowController* main = DRVWindowController::mainWindowController();
    if (main && m_windowControllers.contains(main))
        return main->document();
    return m_documents.isEmpty() ? nullptr : m_documents.constLast();
}

QList<DRVWindowController*> DocumentController::windowControllers(const DRVDocument* document) const
{
    QList<DRVWindowController*> found;
    for (DRVWindowController* controller : m_windowControllers) {
        if (controller->document() == document)
            found.append(controller);
    }
    return found;
}

DRVDocument* DocumentController::documentForPath(const QString& path) const
{
    const QString wanted = QFileInfo(path).canonicalFilePath();
    if (wanted.isEmpty())
        return nullptr;
    for (DRVDocument* document : m_documents) {
        if (!document->filePath().isEmpty() && QFileInfo(document->filePath()).canonicalFilePath() == wanted)
            return document;
    }
    return nullptr;
}

DRVWindowController* DocumentController::openDocumentWithContentsOfPath(const QString& path)
{
    if (DRVDocument* open = documentForPath(path)) {
        const QList<DRVWindowController*> controllers = windowControllers(open);
        if (!controllers.isEmpty()) {
            controllers.constFirst()->showWindow();
            return controllers.constFirst();
        }
    }
    std::unique_ptr<DRVDocument> document = DRVDocument::openDocument(path);
    if (!document)
        return nullptr;
    return addDocument(std::move(document));
}

int DocumentController::openDocuments(const QStringList& paths)
{
    int opened = 0;
    for (const QString& path : paths) {
        if (openDocumentWithContentsOfPath(path))
            ++opened;
    }
    return opened;
}

bool DocumentController::openDocumentFromPanel()
{
    platform::FilePanelRequest request;
    request.allowMultiple = true;
    if (!edition().gDocumentExtension.isEmpty())
        request.allowedExtensions = {edition().gDocumentExtension};
    const QStringList paths = platform::DialogService::current().runOpenPanel(request);
    if (paths.isEmpty())
        return false;
    return openDocuments(paths) > 0;
}

DRVWindowController* DocumentController::addDocument(std::unique_ptr<DRVDocument> document)
{
    if (!document)
        return nullptr;
    DRVDocument* adopted = document.release();
    adopted->setParent(this);
    m_documents.append(adopted);
    // On the bus once the window is up: joining the session bus takes a while, and no script can
    // ask for the page before it is shown anyway.
    QTimer::singleShot(0, adopted, [adopted] { DocumentScriptingAdaptor::publish(adopted); });
    auto* controller = new DRVWindowController;
    controller->setDocument(adopted);
    adoptWindowController(controller);
    controller->showWindow();
    return controller;
}

void DocumentController::adoptWindowController(DRVWindowController* controller)
{
    m_windowControllers.append(controller);
    connect(controller, &DRVWindowController::windowControllerCreated, this,
            &DocumentController::adoptWindowController);
    connect(controller, &DRVWindowController::windowClosed, this,
            &DocumentController::windowControllerClosed);
    connect(controller, &QObject::destroyed, this,
            [this, controller] { m_windowControllers.removeAll(controller); });

    QPointer<DRVWindowController> guarded(controller);
    QMenuBar* bar = controller->window()->menuBar();
    MenuModel::buildMenuBar(
        bar,
        [this, guarded](const QString& action) {
            if (guarded)
                sendAction(action, guarded);
        },
        [this, guarded](const QString& action, const MenuItemState& item) {
            return validateMenuItem(action, item, guarded);
        });
}

void DocumentController::windowControllerClosed(DRVWindowController* controller)
{
    m_windowControllers.removeAll(controller);
    DRVDocument* document = controller->document();
    if (document && windowControllers(document).isEmpty()) {
        m_documents.removeAll(document);
        controller->setDocument(nullptr);
        document->deleteLater();
    }
    // While quitting, the windows close one by one and nothing should come up after the last.
    if (m_windowControllers.isEmpty() && !m_terminating)
        emit lastWindowClosed();
}

const QStringList& DocumentController::applicationActions()
{
    static const QStringList actions{QStringLiteral("openDocument:"), QStringLiteral("terminate:"),
                                     QStringLiteral("showPreferencesPanel:"),
                                     QStringLiteral("showSenderSMTPSettings:"),
                                     QStringLiteral("publishMail:"),
                                     QStringLiteral("showAddressBook:"),
                                     QStringLiteral("switchAddNewLayout_Current:"),
                                     QStringLiteral("switchAddNewLayout_End:"),
                                     QStringLiteral("importPage:"),
                                     QStringLiteral("performMiniaturize:")};
    return actions;
}

void DocumentController::sendAction(const QString& action, DRVWindowController* window)
{
    if (action == QLatin1String("switchAddNewLayout_Current:") ||
        action == QLatin1String("switchAddNewLayout_End:")) {
        platform::UserDefaults::standard().setBool(QStringLiteral("InsertNewAtEndFlag"),
                                                   action == QLatin1String("switchAddNewLayout_End:"));
        return;
    }
    if (action == QLatin1String("openDocument:")) {
        openDocumentFromPanel();
        return;
    }
    if (action == QLatin1String("terminate:")) {
        terminate();
        return;
    }
    if (action == QLatin1String("importPage:")) {
        showPageImport();
        return;
    }
    if (action == QLatin1String("performMiniaturize:")) {
        if (window)
            window->window()->showMinimized();
        return;
    }
    if (DRVAppDelegate::websiteActions().contains(action)) {
        if (DRVAppDelegate* delegate = DRVAppDelegate::current())
            delegate->performWebsiteAction(action);
        return;
    }
    if (DRVAppDelegate::helpActions().contains(action)) {
        if (DRVAppDelegate* delegate = DRVAppDelegate::current())
            delegate->performHelpAction(action);
        return;
    }
    if (DRVAppDelegate::imageSettingsActions().contains(action)) {
        if (DRVAppDelegate* delegate = DRVAppDelegate::current())
            delegate->performImageSettingsAction(action);
        return;
    }
    if (action == QLatin1String("showPreferencesPanel:")) {
        PreferenceWindowController::shared().showPreferencesPanel(window ? window->window() : nullptr);
        return;
    }
    if (action == QLatin1String("showSenderSMTPSettings:")) {
        MailSettingWindowController::shared().showMailSettings(window ? window->window() : nullptr);
        return;
    }
    if (action == QLatin1String("publishMail:")) {
        if (window && window->document())
            MailRecipientWindowController::forDocument(window->document())
                ->showRecipientSettings(window->window());
        return;
    }
    if (action == QLatin1String("showAddressBook:")) {
        ContactViewController::shared().launchContactList(window ? window->window() : nullptr);
        return;
    }
    if (window)
        window->performAction(action);
}

bool DocumentController::answers(const QString& action)
{
    return DRVWindowController::handledActions().contains(action) || applicationActions().contains(action) ||
           DRVAppDelegate::websiteActions().contains(action) ||
           DRVAppDelegate::helpActions().contains(action) ||
           DRVAppDelegate::imageSettingsActions().contains(action);
}

MenuItemState DocumentController::validateMenuItem(const QString& action, const MenuItemState& item,
                                                   DRVWindowController* window) const
{
    if (window && DRVWindowController::handledActions().contains(action))
        return window->validateMenuItem(action, item);
    MenuItemState state = item;
    if (action == QLatin1String("switchAddNewLayout_Current:") ||
        action == QLatin1String("switchAddNewLayout_End:")) {
        const bool atEnd =
            platform::UserDefaults::standard().boolForKey(QStringLiteral("InsertNewAtEndFlag"));
        state.enabled = true;
        state.checkable = true;
        state.checked = atEnd == (action == QLatin1String("switchAddNewLayout_End:"));
        return state;
    }
    if (applicationActions().contains(action)) {
        state.enabled = true;
        return state;
    }
    if (DRVAppDelegate::websiteActions().contains(action)) {
        state.enabled = DRVAppDelegate::current() != nullptr;
        // The shipped themes are websites: only the website editions offer them.
        if (action == QLatin1String("showSiteLevelTemplate:")) {
            const int branch = MenuModel::branchOf(edition().gEditionDisplayName);
            state.visible = state.visible && (branch == 1 || branch == 2);
        }
        return state;
    }
    if (DRVAppDelegate::imageSettingsActions().contains(action)) {
        state.enabled = DRVAppDelegate::current() != nullptr;
        return state;
    }
    if (DRVAppDelegate::helpActions().contains(action)) {
        state.enabled = DRVAppDelegate::current() != nullptr;
        if (action == QLatin1String("launchUserGuide:"))
            state.visible = state.visible && !edition().gUserGuideFileName.isEmpty();
        // The patient-records promotions belong to the record editions.
        if (action == QLatin1String("launchCardellVet:") || action == QLatin1String("launchZOR2PromotionMessage:")) {
            const int branch = MenuModel::branchOf(edition().gEditionDisplayName);
            state.visible = state.visible && branch >= 22 && branch <= 25;
        }
        return state;
    }
    // A command nobody answers stays greyed rather than doing nothing.
    if (!answers(action)) {
        state = window ? window->validateMenuItem(action, item)
                       : MenuValidation::validate(action, item, MenuValidationState::forEdition(edition()));
        state.enabled = false;
        return state;
    }
    // Window items without a window (the welcome window's bar): shown as the edition has them,
    // greyed, since there is nothing for them to act on.
    state = MenuValidation::validate(action, item, MenuValidationState::forEdition(edition()));
    if (!window && DRVWindowController::handledActions().contains(action))
        state.enabled = false;
    return state;
}

void DocumentController::showPageImport()
{
    ImportPageWindowController& import = ImportPageWindowController::shared();
    ImportPageWindowController::Host host;
    // No website project is open yet: an imported page opens as a new untitled document.
    host.openWebsiteFolderPath = [] { return QString(); };
    host.showImportedPage = [this](const QString& documentPath, bool) {
        if (DRVWindowController* window = openDocumentWithContentsOfPath(documentPath)) {
            if (DRVDocument* document = window->document())
                document->detachFromFile();
        }
    };
    import.setHost(std::move(host));
    import.showPageImport();
}

bool DocumentController::terminate()
{
    const QList<DRVWindowController*> controllers = m_windowControllers;
    m_terminating = true;
    for (DRVWindowController* controller : controllers) {
        if (m_windowControllers.contains(controller) && !controller->performClose()) {
            m_terminating = false;
            return false;
        }
    }
    m_terminating = false;
    QCoreApplication::quit();
    return true;
}
