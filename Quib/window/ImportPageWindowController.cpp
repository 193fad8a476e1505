#include "window/ImportPageWindowController.h"

#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "platform/Dialogs.h"
#include "platform/SafePath.h"
#include "platform/Threads.h"
#include "window/SheetLayout.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

Q_DECLARE_METATYPE(PageImporter::Result)

namespace {

const QString kNotAbleToImportText = QStringLiteral(
    "Please check to make sure:\n\n1.This page is compatible with HTML Quib\n2.You have internet connection "
    "and are able to access this URL\n3.URL is complete with file name and extension\n"
    "For example: http://www.yourwebsite.com/index.html");

} // namespace

ImportPageWindowController& ImportPageWindowController::shared()
{
    // Left alive at exit, like the application's other process-wide windows.
    static auto* controller = new ImportPageWindowController;
    return *controller;
}

ImportPageWindowController::ImportPageWindowController()
{
    m_window = new QWidget(nullptr, Qt::Window);
    m_window->setObjectName(QStringLiteral("ImportPageWindowController"));
    m_window->setWindowTitle(QStringLiteral("Import Page"));
    m_window->resize(520, 140);

    m_urlTextField = new QLineEdit(m_window);
    m_urlTextField->setObjectName(QStringLiteral("urlTextField"));
    m_urlTextField->setPlaceholderText(QStringLiteral("http://www.yourwebsite.com/index.html"));
    m_encodingControl = new QComboBox(m_window);
    m_encodingControl->setObjectName(QStringLiteral("encodingControl"));
    m_encodingControl->addItems({QStringLiteral("UTF-8"), QStringLiteral("UTF-16"),
                                 QStringLiteral("Windows-1251 (Cyrillic)"), QStringLiteral("GB 18030")});
    m_importButton = SheetLayout::button(m_window, "importButton", QStringLiteral("Import"));
    QFormLayout* form = SheetLayout::formWithButtons(m_window, {m_importButton});
    form->addRow(QStringLiteral("Web address"), m_urlTextField);
    form->addRow(QStringLiteral("Encoding"), m_encodingControl);

    connect(m_importButton, &QPushButton::clicked, this, &ImportPageWindowController::syncPage);
    connect(m_urlTextField, &QLineEdit::returnPressed, this, &ImportPageWindowController::syncPage);
}

ImportPageWindowController::~ImportPageWindowController()
{
    delete m_window;
}

void ImportPageWindowController::showPageImport()
{
    m_window->setWindowTitle(QStringLiteral("Import Page"));
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void ImportPageWindowController::syncPage()
{
    if (m_importing)
        return;
    m_importing = true;
    m_importButton->setEnabled(false);

    PageImporter::Request request;
    request.address = PageImporter::addressWithScheme(m_urlTextField->text().trimmed());
    m_urlTextField->setText(request.address);
    request.encodingSegment = m_encodingControl->currentIndex();
    const EditionSettings& e = edition();
    request.workFolder = QDir(e.gTempFolderPath).filePath(e.gReceivedPagesFolderName);
    request.documentExtension = e.gDocumentExtension;

    DataCentre::showProgressIndicator();
    platform::runInBackgroundThenOnMain(
        [request] { return QVariant::fromValue(PageImporter::run(request)); },
        [this](const QVariant& result) { importDone(result.value<PageImporter::Result>()); }, this);
}

void ImportPageWindowController::refuse()
{
    DataCentre::dismissProgressIndicator();
    platform::showAlert(QStringLiteral("Not able to import"), kNotAbleToImportText, {QStringLiteral("OK")});
}

void ImportPageWindowController::importDone(const PageImporter::Result& result)
{
    m_importPage = result.pageText;
    m_importing = false;
    m_importButton->setEnabled(true);
    if (!result.imported) {
        refuse();
        emit importFinished(false);
        return;
    }

    const QString projectFolder = m_host.openWebsiteFolderPath ? m_host.openWebsiteFolderPath() : QString();
    const bool intoProject = !projectFolder.isEmpty() && m_host.showImportedPage;
    const QString documentFolder = intoProject ? projectFolder : QFileInfo(result.pageFolder).absolutePath();
    const std::optional<QString> documentPath =
        platform::SafePath::filePath(documentFolder, result.documentFileName);
    if (!documentPath) {
        refuse();
        emit importFinished(false);
        return;
    }
    if (intoProject) {
        // A page of the project by that name is the user's work: replace it only when asked to.
        if (QFileInfo::exists(*documentPath)) {
            platform::Alert replace;
            replace.title = QStringLiteral("Replace existing page?");
            replace.informativeText =
                QStringLiteral("The website already has a page named \"%1\".").arg(result.documentFileName);
            replace.buttons = {QStringLiteral("Replace"), QStringLiteral("Cancel")};
            replace.style = platform::AlertStyle::Informational;
            if (platform::showAlert(replace) != 0) {
                DataCentre::dismissProgressIndicator();
                emit importFinished(false);
                return;
            }
        }
        // The imported page takes the open page's place in the window: its edits would be lost.
        if (m_host.frontPageEdited && m_host.frontPageEdited()) {
            platform::Alert save;
            save.title = QStringLiteral("This file has changed");
            save.informativeText = QStringLiteral("Do you want to save the changes?");
            save.buttons = {QStringLiteral("Yes"), QStringLiteral("No"), QStringLiteral("Cancel")};
            const int answer = platform::showAlert(save);
            if (answer == 2 || (answer == 0 && m_host.saveFrontPage && !m_host.saveFrontPage())) {
                DataCentre::dismissProgressIndicator();
                emit importFinished(false);
                return;
            }
        }
    }
    if (!PageImporter::packDocument(result, *documentPath)) {
        refuse();
        emit importFinished(false);
        return;
    }
    cancelImportView();
    if (m_host.showImportedPage)
        m_host.showImportedPage(*documentPath, intoProject);
    emit importFinished(true);
}

void ImportPageWindowController::cancelImportView()
{
    m_window->hide();
    DataCentre::dismissProgressIndicator();
}
