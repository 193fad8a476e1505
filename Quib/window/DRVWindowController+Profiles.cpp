// The profile editions' records: the new-record forms, the page they create, and the popover over
// the canvas that names the open record.
#include "window/DRVWindowController.h"

#include "document/DRVDocument.h"
#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "platform/SafePath.h"
#include "records/ProfileBlocks.h"
#include "window/AddNewHumanPatientViewController.h"
#include "window/AddNewPatientViewController.h"
#include "window/ProfilePhotoWell.h"
#include "window/ProfileViewController.h"

#include <QDialog>
#include <QFileInfo>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

namespace {

const QString kBaseTemplateName = QStringLiteral("basetemplate");

// Every new record starts from the edition's blank page.
void presetNewRecordForm(ProfileFormController* form, const QString& defaultName)
{
    form->setSelectedTemplateCategoryFolder(QStringLiteral("blank"));
    form->setSelectedTemplateName(QStringLiteral("Blank.") + edition().gDocumentExtension);
    form->pageFileNameTextField()->setText(defaultName);
    form->setEditFileNameFlag(true);
}

} // namespace

AddNewPatientViewController* DRVWindowController::addNewPatientViewController() const
{
    return m_addNewPatientViewController;
}

AddNewHumanPatientViewController* DRVWindowController::addNewHumanPatientViewController() const
{
    return m_addNewHumanPatientViewController;
}

// ---- actions ----

const QStringList& DRVWindowController::profileActions()
{
    static const QStringList actions{
        QStringLiteral("showAddNewPatientWindow:"), QStringLiteral("showAddNewHumanPatientWindow:"),
        QStringLiteral("showUpdatePatientProfileWindow:"),
        QStringLiteral("showUpdateHumanPatientProfileWindow:"), QStringLiteral("showProfilePopOver:")};
    return actions;
}

bool DRVWindowController::performProfileAction(const QString& action)
{
    if (action == QLatin1String("showAddNewPatientWindow:"))
        showAddNewPatientWindow();
    else if (action == QLatin1String("showAddNewHumanPatientWindow:"))
        showAddNewHumanPatientWindow();
    else if (action == QLatin1String("showUpdatePatientProfileWindow:")) {
        if (m_document)
            m_document->showUpdatePatientProfileWindow(this);
    } else if (action == QLatin1String("showUpdateHumanPatientProfileWindow:")) {
        if (m_document)
            m_document->showUpdateHumanPatientProfileWindow(this);
    } else if (action == QLatin1String("showProfilePopOver:"))
        showProfilePopOver();
    else
        return false;
    return true;
}

// ---- the window's popover ----

void DRVWindowController::showQuibPopOver(QWidget* content)
{
    closeQuibPopOver();
    QWidget* host = m_zoomingScrollView ? static_cast<QWidget*>(m_zoomingScrollView) : m_window.data();
    if (!content || !host)
        return;
    // It stays over the canvas until its form closes it or another popover replaces it.
    content->setParent(host);
    content->adjustSize();
    content->move(std::max(0, (host->width() - content->width()) / 2), 10);
    content->show();
    content->raise();
    m_quibPopOver = content;
}

void DRVWindowController::closeQuibPopOver()
{
    if (m_quibPopOver)
        m_quibPopOver->hide();
    m_quibPopOver = nullptr;
}

// ---- new records ----

void DRVWindowController::showAddNewPatientWindow()
{
    savePageBeforeChange();
    delete m_addNewPatientViewController.data();
    auto* form = new AddNewPatientViewController(this);
    m_addNewPatientViewController = form;
    showQuibPopOver(form->view());
    connect(form->saveButton(), &QPushButton::clicked, this, [this] { saveNewPatientProfile(); });
    connect(form->cancelButton(), &QPushButton::clicked, this, [this] { closeQuibPopOver(); });
    presetNewRecordForm(form, generateDefaultPageName());
}

void DRVWindowController::showAddNewHumanPatientWindow()
{
    savePageBeforeChange();
    delete m_addNewHumanPatientViewController.data();
    auto* form = new AddNewHumanPatientViewController(window(), this);
    m_addNewHumanPatientViewController = form;
    form->sizeForEdition();
    connect(form->saveButton(), &QPushButton::clicked, this, [this] { saveNewHumanPatientProfile(); });
    connect(form->cancelButton(), &QPushButton::clicked, this,
            [this] { cancelAddNewHumanPatientWindowControllerSheet(); });
    presetNewRecordForm(form, generateDefaultPageName());
    form->window()->show();
}

void DRVWindowController::cancelAddNewHumanPatientWindowControllerSheet()
{
    if (m_addNewHumanPatientViewController && m_addNewHumanPatientViewController->window())
        m_addNewHumanPatientViewController->window()->done(1);
}

bool DRVWindowController::saveNewPatientProfile()
{
    return m_addNewPatientViewController && createProfilePage(m_addNewPatientViewController, nullptr);
}

bool DRVWindowController::saveNewHumanPatientProfile()
{
    if (!m_addNewHumanPatientViewController)
        return false;
    const QImage photo = m_addNewHumanPatientViewController->photoImageView()->image();
    return createProfilePage(m_addNewHumanPatientViewController,
                             photo.isNull() ? &edition().gEditionIcon : &photo);
}

bool DRVWindowController::createProfilePage(ProfileFormController* form, const QImage* thumbnail)
{
    const EditionSettings& e = edition();
    const QString fileName = form->pageFileNameTextField()->text() + u'.' + e.gDocumentExtension;
    // Checked before the form goes, so a refused name leaves the user's input in place.
    if (!runNewFileCreationChecks(fileName))
        return false;
    const QString target = projectFilePath(fileName);
    if (target.isEmpty()) {
        reportPageFailure(QStringLiteral("Could not add the record"), QStringLiteral("No website is open."));
        return false;
    }
    if (m_graphicView)
        m_graphicView->setFocus();
    if (form->kind() == ProfileBlocks::Kind::Human)
        cancelAddNewHumanPatientWindowControllerSheet();
    else
        closeQuibPopOver();

    const QVariantMap values = form->fieldValues();
    const std::optional<QString> templatePath = platform::SafePath::filePathBelow(
        DataCentre::templatesPath(),
        form->selectedTemplateCategoryFolder() + u'/' + form->selectedTemplateName());
    // The page inside takes the record's name, as the document's own saves will name it.
    const QString page =
        templatePath && QFileInfo(*templatePath).isFile()
            ? prepAndRenameDoc(prepTempDocPath(*templatePath, QStringLiteral("html")), fileName)
            : QString();
    if (page.isEmpty() || !QFileInfo(page).isFile()) {
        reportPageFailure(QStringLiteral("Could not add the record"),
                          QStringLiteral("The blank page of this edition could not be read."));
        return false;
    }
    const bool written =
        DataCentre::appendStringToFile(page, ProfileBlocks::fieldBlock(form->kind(), values)) &&
        DataCentre::applyBaseTemplate(page, 1) &&
        DataCentre::applyPageTitle(page, ProfileBlocks::pageTitle(form->kind(), values)) &&
        zipDoc(target, page);
    if (!written) {
        reportPageFailure(QStringLiteral("Could not add the record"),
                          QStringLiteral("The record \"%1\" could not be written.").arg(fileName));
        return false;
    }

    DRVDocument::setWebsiteFolderOpenFlag(true);
    refreshProject();
    if (!m_document || !openProjectPage(target))
        return true;
    if (thumbnail && !thumbnail->isNull() && m_document->saveCustomScreenshot(*thumbnail)) {
        // Packed now: the page itself is unchanged, so a save would not write the archive again.
        m_document->completeWorkingFolder();
        zipDoc(m_document->filePath(), m_document->pagePath());
        refreshProject();
    }
    return true;
}

// ---- the profile popover ----

void DRVWindowController::showProfilePopOver()
{
    if (!m_window || !m_profileViewController)
        return;
    hideProfilePopover();
    // A fresh popover each time, opening to the left of a point near the top right of the canvas.
    auto* popover = new QFrame(m_zoomingScrollView);
    popover->setObjectName(QStringLiteral("profilePopover"));
    popover->setFrameShape(QFrame::StyledPanel);
    popover->setAutoFillBackground(true);
    QWidget* content = m_profileViewController->view();
    content->setParent(popover);
    content->move(0, 0);
    content->show();
    popover->resize(content->size());
    connect(m_profileViewController->closeButton(), &QPushButton::clicked, popover, &QWidget::hide,
            Qt::UniqueConnection);
    m_profilePopover = popover;
    resetProfilePopoverPosition();
    popover->show();
    popover->raise();
}

void DRVWindowController::displayProfilePopover()
{
    if (!m_window || !m_document || !m_profileViewController)
        return;
    showProfilePopOver();
    const QVariantMap profile = m_document->profileDictionary();
    const bool pets = edition().gEditionDisplayName == QLatin1String("Cardell Vet Edition");
    const QStringList keys = pets ? QStringList{"Pet Name", "Pet Breed", "Pet Chart Number"}
                                  : QStringList{"Owner First Name", "Owner Last Name", "Pet Chart Number"};
    m_profileViewController->labelTextField()->setText(profile.value(keys.at(0)).toString());
    m_profileViewController->labelTextField2()->setText(profile.value(keys.at(1)).toString());
    m_profileViewController->labelTextField3()->setText(profile.value(keys.at(2)).toString());
    m_profileViewController->adjustFontSize();
    if (m_document->pageName() == kBaseTemplateName)
        hideProfilePopover();
}

void DRVWindowController::hideProfilePopover()
{
    if (!m_profilePopover)
        return;
    // The content belongs to its controller and outlives the popover.
    if (m_profileViewController && m_profileViewController->view()->parent() == m_profilePopover)
        m_profileViewController->view()->setParent(nullptr);
    m_profilePopover->hide();
    m_profilePopover->deleteLater();
    m_profilePopover = nullptr;
}

void DRVWindowController::resetProfilePopoverPosition()
{
    if (!m_profilePopover || !m_zoomingScrollView)
        return;
    // To the left of a point 10 inside the visible canvas's right edge, clear of the scroll bar.
    const QScrollBar* bar = m_zoomingScrollView->verticalScrollBar();
    const int barWidth = bar && bar->isVisible() ? bar->width() : 0;
    const int anchorX = m_zoomingScrollView->width() - m_zoomingScrollView->frameWidth() - barWidth - 10;
    m_profilePopover->move(std::max(0, anchorX - m_profilePopover->width()),
                           std::max(0, 150 - m_profilePopover->height() / 2));
}

bool DRVWindowController::isProfilePopoverShown() const
{
    return m_profilePopover && m_profilePopover->isVisible();
}
