// Editing the open record of a profile edition: the new-record forms filled from the page's
// profile fields, stored back, renamed and saved.
#include "document/DRVDocument.h"
#include "editions/EditionSettings.h"
#include "platform/Dialogs.h"
#include "platform/NotificationCenter.h"
#include "platform/StringRules.h"
#include "records/ProfileBlocks.h"
#include "window/AddNewHumanPatientViewController.h"
#include "window/AddNewPatientViewController.h"
#include "window/DRVWindowController.h"
#include "window/ProfilePhotoWell.h"
#include "window/QuibNSButton.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString kBaseTemplateName = QStringLiteral("basetemplate");

// The base template holds what every record shares; it is never edited as a record.
bool refuseBaseTemplate(const QString& pageName)
{
    if (pageName != kBaseTemplateName)
        return false;
    platform::Alert alert;
    alert.title = QStringLiteral("This is the base template");
    alert.informativeText = QStringLiteral(
        "You're currently editing the base template, this is not a patient profile.\n\n"
        "Base template is reserved for common clinic information that you wish to be included on all "
        "profiles.  Examples are clinic name, contact information and operating hours.\n\n"
        "Only one base template is allowed per patient database.");
    alert.buttons = {QStringLiteral("OK")};
    alert.style = platform::AlertStyle::Informational;
    platform::showAlert(alert);
    return true;
}

} // namespace

AddNewPatientViewController* DRVDocument::addNewPatientViewController() const
{
    return qobject_cast<AddNewPatientViewController*>(m_addNewPatientViewController.data());
}

AddNewHumanPatientViewController* DRVDocument::addNewHumanPatientViewController() const
{
    return qobject_cast<AddNewHumanPatientViewController*>(m_addNewHumanPatientViewController.data());
}

void DRVDocument::showUpdatePatientProfileWindow(DRVWindowController* owner)
{
    if (!owner || refuseBaseTemplate(m_pageName))
        return;
    m_profileFormOwner = owner;
    delete m_addNewPatientViewController.data();
    auto* form = new AddNewPatientViewController(this);
    m_addNewPatientViewController = form;
    owner->showQuibPopOver(form->view());
    connect(form->saveButton(), &QPushButton::clicked, this, [this] { saveUpdatedPatientProfile(); });
    connect(form->cancelButton(), &QPushButton::clicked, owner, &DRVWindowController::closeQuibPopOver);
    form->pageFileNameTextField()->setText(m_pageName);
    form->fillFromProfile(m_profileDictionary);
}

void DRVDocument::showUpdateHumanPatientProfileWindow(DRVWindowController* owner)
{
    if (!owner || refuseBaseTemplate(m_pageName))
        return;
    m_profileFormOwner = owner;
    delete m_addNewHumanPatientViewController.data();
    auto* form = new AddNewHumanPatientViewController(owner->window(), this);
    m_addNewHumanPatientViewController = form;
    form->sizeForEdition();
    connect(form->saveButton(), &QPushButton::clicked, this, [this] { saveUpdatedHumanPatientProfile(); });
    connect(form->cancelButton(), &QPushButton::clicked, this,
            [this] { cancelAddNewHumanPatientWindowControllerSheet(); });
    form->pageFileNameTextField()->setText(m_pageName);
    form->fillFromProfile(m_profileDictionary);
    if (QuibNSButton* tile = owner->findCurrentlySelectedQuibButton(platform::lastPathComponent(m_filePath)))
        form->photoImageView()->setImage(tile->image());
    form->window()->show();
}

void DRVDocument::cancelAddNewHumanPatientWindowControllerSheet()
{
    if (AddNewHumanPatientViewController* form = addNewHumanPatientViewController())
        form->window()->done(1);
}

bool DRVDocument::storeProfileEdits(ProfileFormController* form)
{
    const QVariantMap values = form->fieldValues();
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        m_profileDictionary.insert(it.key(), it.value());
    ++m_documentChangedCounter;

    // The rename saves under the new name and announces the changed project itself; a name the
    // rename refused keeps the page where it is.
    platform::NotificationCenter& center = platform::NotificationCenter::defaultCenter();
    int announced = 0;
    const auto watch = center.addObserver(
        QStringLiteral("websiteUpdated"), this, [&announced](const platform::Notification&) { ++announced; },
        this);
    const bool renamed = renameFileName(form->pageFileNameTextField()->text());
    center.removeObserver(watch);
    if (renamed && announced == 0)
        center.post(QStringLiteral("websiteUpdated"), this);
    return renamed;
}

void DRVDocument::finishProfileEdits(const QImage* thumbnail)
{
    if (!m_filePath.isEmpty() && saveThisPage(m_filePath, false) && thumbnail && !thumbnail->isNull() &&
        saveCustomScreenshot(*thumbnail)) {
        // A save draws its own thumbnail (the edition's icon in these editions): the record's picture
        // goes in after it, packed into the document just written.
        completeWorkingFolder();
        DRVWindowController::zipDoc(m_filePath, m_pagePath);
    }
    if (m_profileFormOwner)
        m_profileFormOwner->closeQuibPopOver();
    if (m_pageName != kBaseTemplateName && edition().gProfileEditionFlag)
        platform::NotificationCenter::defaultCenter().post(QStringLiteral("displayProfilePopover"), this);
    updateCurrentPageTitle();
}

bool DRVDocument::saveUpdatedPatientProfile()
{
    AddNewPatientViewController* form = addNewPatientViewController();
    if (!form)
        return false;
    storeProfileEdits(form);
    finishProfileEdits(nullptr);
    return true;
}

bool DRVDocument::saveUpdatedHumanPatientProfile()
{
    AddNewHumanPatientViewController* form = addNewHumanPatientViewController();
    if (!form)
        return false;
    storeProfileEdits(form);
    const QImage photo = form->photoImageView()->image();
    finishProfileEdits(photo.isNull() ? &edition().gEditionIcon : &photo);
    cancelAddNewHumanPatientWindowControllerSheet();
    return true;
}

void DRVDocument::updateCurrentPageTitle()
{
    // The tile's record keeps the title too, so a rebuilt list shows it.
    if (m_profileFormOwner)
        m_profileFormOwner->updateCurrentlySelectedQuibButton();
}
