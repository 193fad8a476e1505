// The document's side of the page and form settings dialogs: filling the controls, checking what was
// typed and storing it, and the background picture commands the page dialog offers.
#include "document/DRVDocument.h"
#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "model/DRVGalleryGrid.h"
#include "model/DRVGraphic.h"
#include "model/DRVSlideshow.h"
#include "model/TransformView.h"
#include "platform/Dialogs.h"
#include "platform/NotificationCenter.h"
#include "platform/SafePath.h"
#include "platform/UserDefaults.h"
#include "window/DRVWindowController.h"
#include "window/FormSettingsWindowController.h"
#include "window/PageSettingsWindowController.h"
#include "window/inspector/SegmentedControl.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

const double kQualities[] = {1.0, 0.75, 0.5};
const int kMaxSizes[] = {500, 1000, 1500, 2000, 5000};
const QStringList kEncodings{QStringLiteral("UTF-8"), QStringLiteral("UTF-16"), QStringLiteral("Win-1251")};
const QString kBaseTemplate = QStringLiteral("basetemplate");

platform::UserDefaults& defaults()
{
    return platform::UserDefaults::standard();
}

int qualitySegment(double quality)
{
    if (quality == 0.75)
        return 1;
    if (quality == 0.5)
        return 2;
    return 0;
}

int maxSizeSegment(qint64 width)
{
    for (int i = 0; i < 4; ++i) {
        if (width == kMaxSizes[i])
            return i;
    }
    return 4;
}

void setEditable(QLineEdit* field, bool editable)
{
    field->setReadOnly(!editable);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Text, editable ? QColor(Qt::black) : QColor(Qt::lightGray));
    field->setPalette(palette);
}

QString onlyDigits(const QString& text)
{
    QString digits;
    for (QChar c : text) {
        if (c >= u'0' && c <= u'9')
            digits.append(c);
    }
    return digits;
}

// Form settings: the document's value and the field that shows it, in the order they are stored.
struct FormField
{
    const QString& (DRVDocument::*get)() const;
    void (DRVDocument::*set)(const QString&);
    QLineEdit* (FormSettingsWindowController::*field)() const;
    bool keepLoadedWhenEmpty; // an empty value leaves the field as the dialog made it
};

const FormField kFormFields[] = {
    {&DRVDocument::formRedirectURL, &DRVDocument::setFormRedirectURL,
     &FormSettingsWindowController::postSubmitURL, false},
    {&DRVDocument::formRequiredResponse, &DRVDocument::setFormRequiredResponse,
     &FormSettingsWindowController::missingFieldResponse, false},
    {&DRVDocument::formSentResponse, &DRVDocument::setFormSentResponse,
     &FormSettingsWindowController::formSubmissionResponse, false},
    {&DRVDocument::siteFeedbackEmail, &DRVDocument::setSiteFeedbackEmail,
     &FormSettingsWindowController::primaryResponseEmail, true},
    {&DRVDocument::siteCCFeedbackEmail, &DRVDocument::setSiteCCFeedbackEmail,
     &FormSettingsWindowController::secondaryResponseEmail, true},
    {&DRVDocument::formEmailVerificationMsg, &DRVDocument::setFormEmailVerificationMsg,
     &FormSettingsWindowController::emailVerificationMsg, false},
    {&DRVDocument::formBotCheckerResponse, &DRVDocument::setFormBotCheckerResponse,
     &FormSettingsWindowController::botCheckerMsg, false},
    {&DRVDocument::formEmailUsername, &DRVDocument::setFormEmailUsername,
     &FormSettingsWindowController::emailUsernameTextField, true},
    {&DRVDocument::formEmailPassword, &DRVDocument::setFormEmailPassword,
     &FormSettingsWindowController::emailPasswordTextField, true},
    {&DRVDocument::formEmailServer, &DRVDocument::setFormEmailServer,
     &FormSettingsWindowController::emailServerTextField, true},
    {&DRVDocument::formSubmitButtonValue, &DRVDocument::setFormSubmitButtonValue,
     &FormSettingsWindowController::submitButtonValue, false},
};

} // namespace

PageSettingsWindowController* DRVDocument::pageSettingsWindowController() const
{
    return m_pageSettingsWindowController;
}

FormSettingsWindowController* DRVDocument::formSettingsWindowController() const
{
    return m_formSettingsWindowController;
}

// ---- page preferences ----

void DRVDocument::showPagePreferences(DRVWindowController* owner)
{
    if (!owner)
        return;
    m_panelOwner = owner;
    connect(this, &DRVDocument::hideDocPanelsRequested, this, &DRVDocument::hideAllDocPanels,
            Qt::UniqueConnection);
    delete m_pageSettingsWindowController.data();
    auto* panel = new PageSettingsWindowController(owner->window());
    m_pageSettingsWindowController = panel;
    prepForPresentation(false);

    // The controls read "" for a value the page never had.
    EditionSettings& e = edition();
    panel->pageFileNameTextField()->setText(m_pageName);
    setEditable(panel->pageFileNameTextField(),
                websiteFolderOpenFlag() || e.gEditionDisplayName == QLatin1String("Selvaro Pro 2"));
    if (m_publishExt.isEmpty())
        m_publishExt = m_pageFileExtension;
    panel->publishExtTextField()->setText(m_publishExt);
    panel->pageFileExtensionTextField()->setText(m_pageFileExtension);
    panel->pageTitleTextField()->setText(m_pageOfficialName);
    panel->headerTextView()->setPlainText(m_customHeaderCode);
    panel->baseHeaderTextView()->setPlainText(m_baseTemplateCustomHeaderCode);

    if (!(m_useBaseTemplateFlag && m_inheritCustomHeaderCodeFlag && m_inheritMetadataFlag) &&
        !m_openWebsiteFolderTempPath.isEmpty()) {
        const std::optional<QString> base =
            platform::SafePath::filePath(m_openWebsiteFolderTempPath, QStringLiteral("basetemplate.html"));
        if (base && QFileInfo::exists(*base)) {
            panel->baseHeaderTextView()->setPlainText(DataCentre::grabCustomHeaderCode(*base));
            panel->baseTemplateMetaKeywords = DataCentre::grabMetaKeywords(*base);
            panel->baseTemplateMetaDescription = DataCentre::grabMetaDescription(*base);
        }
    }

    panel->metaKeywordsField()->setText(m_metaKeywords);
    panel->metaDescriptionField()->setText(m_metaDescription);
    panel->pageWidthField()->setText(QString::number(m_webPageWidth));
    m_shownQualitySegment =
        qualitySegment(defaults().doubleForKey(QStringLiteral("backgroundQualityPercentage")));
    panel->backgroundQualityControl()->setSelectedIndex(m_shownQualitySegment);
    m_shownEncodingSegment = int(kEncodings.indexOf(m_encodingType));
    if (m_shownEncodingSegment >= 0)
        panel->encodingControl()->setSelectedIndex(m_shownEncodingSegment);
    else
        m_shownEncodingSegment = panel->encodingControl()->selectedIndex();
    e.set(e.gImageType, defaults().stringForKey(QStringLiteral("DovrelImageType")));
    panel->imageTypeControl()->setSelectedIndex(e.gImageType == QLatin1String("PNG") ? 0 : 1);
    panel->retinaCheckbox()->setChecked(e.gRetinaFlag == 1);
    panel->centerPageCheckbox()->setChecked(m_centreFlag == 1);
    panel->pageWidthManualSegmentControl()->setSelectedIndex(m_webPageWidthManualFlag ? 1 : 0);
    panel->changePageWidthCalculateSetting();
    m_shownMaxSizeSegment = maxSizeSegment(defaults().integerForKey(QStringLiteral("DovrelMaxImageSize")));
    panel->imageMaxSizeControl()->setSelectedIndex(m_shownMaxSizeSegment);

    refreshBackgroundPattern();
    panel->useBaseTemplateFlag = m_useBaseTemplateFlag;
    panel->inheritMetadataFlag = m_inheritMetadataFlag;
    panel->inheritCustomHeaderCodeFlag = m_inheritCustomHeaderCodeFlag;
    panel->baseTemplateExistFlag = owner->baseTemplateExists();
    panel->baseTemplateSwitch()->setChecked(m_useBaseTemplateFlag == 1);
    panel->updateBaseTemplateTextFields();
    if (m_pageName != kBaseTemplate) {
        panel->inheritMetadataSwitch()->setChecked(m_inheritMetadataFlag == 1);
        panel->inheritCustomHeaderCodeSwitch()->setChecked(m_inheritCustomHeaderCodeFlag == 1);
        panel->setMetaFieldsLocked(m_inheritMetadataFlag == 1);
    }
    panel->adjustCustomHeaderObjects();

    connect(panel->saveButton(), &QPushButton::clicked, this, &DRVDocument::savePagePreferences);
    connect(panel->applyImageButton(), &QPushButton::clicked, this, &DRVDocument::newBackground);
    connect(panel->removeBackgroundButton(), &QPushButton::clicked, this,
            &DRVDocument::removeBackgroundFromPanel);
    connect(panel->recalculateButton(), &QPushButton::clicked, this, [this] { compressAllOriginals(); });
    connect(panel->fileNameHelpButton(), &QPushButton::clicked, this, &DRVDocument::showFileNameHelp);
    connect(panel->imageMaxSizeHelpButton(), &QPushButton::clicked, this, &DRVDocument::showImageMaxSizeHelp);
    panel->open();
}

void DRVDocument::runValueVerifications()
{
    PageSettingsWindowController* panel = m_pageSettingsWindowController;
    if (!panel)
        return;
    panel->setFocus();
    panel->pageWidthField()->setText(onlyDigits(panel->pageWidthField()->text()));
    panel->pageFileNameTextField()->setText(
        DataCentre::generateNewFileName(panel->pageFileNameTextField()->text()));
}

void DRVDocument::savePagePreferences()
{
    PageSettingsWindowController* panel = m_pageSettingsWindowController;
    if (!panel)
        return;
    runValueVerifications();
    m_pageOfficialName = panel->pageTitleTextField()->text();
    bool changed = false;
    // A refused rename (a taken name shows its alert) keeps the old name and the rest still saves.
    const QString newFileName = panel->pageFileNameTextField()->text();
    if (!newFileName.isEmpty() && newFileName != m_pageName)
        changed = renameFileName(newFileName);
    panel->pageFileNameTextField()->setText(m_pageName);

    if (panel->publishExtTextField()->text() != m_publishExt) {
        platform::Alert alert;
        alert.title = QStringLiteral("File Extension Update");
        alert.informativeText = QStringLiteral(
            "You appeared to have changed the publish file extension.  This is an advanced setting that "
            "should "
            "ONLY be changed when advised.\n\nDefault file extension is \"html\" for a web page, \"php\" for "
            "a "
            "web form.\n\nFor most designs, it's recommended to keep this field at the default value.");
        alert.buttons = {QStringLiteral("Keep default"), QStringLiteral("Change it")};
        if (platform::showAlert(alert) == 1) {
            m_publishExt = panel->publishExtTextField()->text();
            changed = true;
        }
    }

    // A stored value the controls cannot show stays unless the user picked another segment.
    const int quality = panel->backgroundQualityControl()->selectedIndex();
    if (quality >= 0 && quality < 3 && quality != m_shownQualitySegment)
        defaults().setDouble(QStringLiteral("backgroundQualityPercentage"), kQualities[quality]);

    m_metaKeywords = panel->metaKeywordsField()->text();
    m_metaDescription = panel->metaDescriptionField()->text();
    m_customHeaderCode = panel->headerTextView()->toPlainText();
    m_centreFlag = panel->centerPageCheckbox()->isChecked() ? 1 : 0;

    EditionSettings& e = edition();
    e.set(e.gImageType,
          panel->imageTypeControl()->selectedIndex() == 0 ? QStringLiteral("PNG") : QStringLiteral("JPEG"));
    defaults().setObject(QStringLiteral("DovrelImageType"), e.gImageType);
    defaults().setBool(QStringLiteral("DovrelSetRetinaFlag"), true);
    e.set(e.gRetinaFlag, panel->retinaCheckbox()->isChecked() ? 1 : 0);
    defaults().setInteger(QStringLiteral("DovrelRetinaFlag"), e.gRetinaFlag);

    m_inheritMetadataFlag = panel->inheritMetadataSwitch()->isChecked() ? 1 : 0;
    m_inheritCustomHeaderCodeFlag = panel->inheritCustomHeaderCodeSwitch()->isChecked() ? 1 : 0;

    const bool retina = e.gRetinaFlag == 1;
    for (DRVGraphic* image : images())
        image->setRetinaFlag(retina);
    for (DRVGraphic* show : slideshows()) {
        if (auto* slideshow = qobject_cast<DRVSlideshow*>(show)) {
            for (TransformView* slide : slideshow->imageArray())
                slide->setRetinaFlag(retina ? 1 : 0);
        }
    }
    for (DRVGraphic* grid : galleries()) {
        if (auto* gallery = qobject_cast<DRVGalleryGrid*>(grid)) {
            for (TransformView* picture : gallery->imageArray())
                picture->setRetinaFlag(retina ? 1 : 0);
        }
    }

    const int encoding = panel->encodingControl()->selectedIndex();
    if (encoding >= 0 && encoding < kEncodings.size() && encoding != m_shownEncodingSegment)
        m_encodingType = kEncodings.at(encoding);
    m_webPageWidth = panel->pageWidthField()->text().toInt();
    m_webPageWidthManualFlag = panel->pageWidthManualSegmentControl()->selectedIndex() != 0;
    const int maxSize = panel->imageMaxSizeControl()->selectedIndex();
    if (maxSize >= 0 && maxSize < 5 && maxSize != m_shownMaxSizeSegment)
        defaults().setInteger(QStringLiteral("DovrelMaxImageSize"), kMaxSizes[maxSize]);

    updateWindowTitle();
    const int useBase = panel->baseTemplateSwitch()->isChecked() ? 1 : 0;
    const bool reload = useBase != m_useBaseTemplateFlag;
    m_useBaseTemplateFlag = useBase;
    // A page never saved asks where to go; one with a file is saved in place.
    const bool saved = m_filePath.isEmpty() ? saveDocument() : saveThisPage(m_filePath, false);
    hidePagePreferencesPanel();
    if (reload && saved)
        refreshDocument();
    if (changed)
        platform::NotificationCenter::defaultCenter().post(QStringLiteral("websiteUpdated"), this);
}

void DRVDocument::hidePagePreferencesPanel()
{
    if (PageSettingsWindowController* panel = m_pageSettingsWindowController) {
        panel->setFocus();
        panel->hide();
    }
}

void DRVDocument::hideAllDocPanels()
{
    hidePagePreferencesPanel();
    hideFormPreferencesPanel();
}

void DRVDocument::showFileNameHelp()
{
    if (m_pageName.isEmpty())
        m_pageName = createFileName();
    platform::showAlert(
        QStringLiteral("How to modify the file name"),
        QStringLiteral("The file name is %1.html, this is always the same as the document name, "
                       "%1.quibpage. To modify, please save this web page document under the "
                       "new name.")
            .arg(m_pageName),
        {QStringLiteral("OK")});
}

void DRVDocument::showImageMaxSizeHelp()
{
    platform::showAlert(
        QStringLiteral("Image Generation Settings"),
        QStringLiteral(
            "500|1000|1500|2000|5000: The Image Generation Resolution and performance balance factor "
            "(Each value represent the max. width in pixels). Set to higher value for best "
            "resolution.  If you're updating to a lower balance factor, press the \"Compress\" button "
            "to apply to all existing images.\n\nHD Graphics: Automatically generates retina "
            "graphics to ensure your website looks amazing on retina displays."),
        {QStringLiteral("OK")});
}

// ---- background ----

void DRVDocument::newBackground()
{
    PageSettingsWindowController* panel = m_pageSettingsWindowController;
    if (panel)
        panel->hide();
    platform::FilePanelRequest request;
    request.prompt = QStringLiteral("Select");
    request.allowedExtensions = {QStringLiteral("jpg"), QStringLiteral("JPG"),  QStringLiteral("png"),
                                 QStringLiteral("PNG"), QStringLiteral("jpeg"), QStringLiteral("JPEG")};
    const QStringList chosen = platform::DialogService::current().runOpenPanel(request);
    if (!chosen.isEmpty()) {
        if (chooseBackgroundImage(chosen.first())) {
            if (m_panelOwner)
                m_panelOwner->updateDocumentColor(pageColor(), QString());
        } else {
            platform::showAlert(QStringLiteral("Not able to use the picture"),
                                QStringLiteral("The chosen file holds no picture that can be read."),
                                {QStringLiteral("OK")});
        }
        refreshBackgroundPattern();
    }
    if (panel)
        panel->open();
}

void DRVDocument::removeBackgroundFromPanel()
{
    removeBackground();
    if (m_panelOwner)
        m_panelOwner->updateDocumentColor(pageColor(), m_pageColorHexString);
    refreshBackgroundPattern();
}

void DRVDocument::refreshBackgroundPattern()
{
    PageSettingsWindowController* panel = m_pageSettingsWindowController;
    if (!panel)
        return;
    QLabel* view = panel->backgroundImageView();
    if (m_backgroundImageFlag == 2 && !m_backgroundImage.isNull())
        view->setPixmap(QPixmap::fromImage(
            m_backgroundImage.scaled(view->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    else
        view->clear();
    view->update();
}

// ---- form preferences ----

void DRVDocument::showFormPreferences(DRVWindowController* owner)
{
    if (!owner)
        return;
    m_panelOwner = owner;
    connect(this, &DRVDocument::hideDocPanelsRequested, this, &DRVDocument::hideAllDocPanels,
            Qt::UniqueConnection);
    delete m_formSettingsWindowController.data();
    auto* panel = new FormSettingsWindowController(owner->window());
    m_formSettingsWindowController = panel;
    prepForPresentation(false);
    for (const FormField& f : kFormFields) {
        const QString& value = (this->*f.get)();
        if (!(f.keepLoadedWhenEmpty && value.isEmpty()))
            (panel->*f.field)()->setText(value);
    }
    panel->formSubmitterIPCheckbox()->setChecked(m_grabIPFlag != 0);
    if (QAbstractButton* cell = panel->emailDisplayOptionMatrix()->button(m_formOrderLayoutOption))
        cell->setChecked(true);
    panel->setEdited(false);
    connect(panel->saveButton(), &QPushButton::clicked, this, &DRVDocument::saveFormPreferences);
    connect(panel, &FormSettingsWindowController::closeRequested, this, [this] {
        platform::Alert alert;
        alert.title = QStringLiteral("Save the form settings?");
        alert.informativeText = QStringLiteral("The form settings have changes that are not saved yet.");
        alert.buttons = {QStringLiteral("Save"), QStringLiteral("Don't Save"), QStringLiteral("Cancel")};
        const int answer = platform::showAlert(alert);
        if (answer == 0)
            saveFormPreferences();
        else if (answer == 1)
            hideFormPreferencesPanel();
    });
    panel->open();
}

void DRVDocument::saveFormPreferences()
{
    FormSettingsWindowController* panel = m_formSettingsWindowController;
    if (!panel)
        return;
    runValueVerifications();
    bool changed = false;
    for (const FormField& f : kFormFields) {
        const QString text = (panel->*f.field)()->text();
        changed = changed || text != (this->*f.get)();
        (this->*f.set)(text);
    }
    const int ip = panel->formSubmitterIPCheckbox()->isChecked() ? 1 : 0;
    const int column = panel->emailDisplayOptionMatrix()->checkedId();
    changed = changed || ip != m_grabIPFlag || (column >= 0 && column != m_formOrderLayoutOption);
    m_grabIPFlag = ip;
    if (column >= 0)
        m_formOrderLayoutOption = column;
    // The settings live in the page file: a change must reach it at the next save.
    if (changed)
        updateChangeCount(ChangeType::Done);
    hideFormPreferencesPanel();
}

void DRVDocument::hideFormPreferencesPanel()
{
    if (FormSettingsWindowController* panel = m_formSettingsWindowController) {
        panel->setEdited(false);
        panel->setFocus();
        panel->hide();
    }
}
