// The website settings sheet: filling it from the project, and writing what the user changed into
// the site settings file, the favicons, the page documents and the page order.
#include "window/DRVWindowController.h"

#include "document/DRVDocument.h"
#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "platform/SafePath.h"
#include "platform/StringRules.h"
#include "window/WebsiteSettings.h"
#include "window/WebsiteSettingsWindowController.h"

#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

WebsiteSettingsWindowController* DRVWindowController::websiteSettingsWindowController() const
{
    return m_websiteSettingsWindowController;
}

void DRVWindowController::showWebsitePreferences()
{
    if (m_openWebsiteFolder.isEmpty())
        return;
    savePageBeforeChange();
    refreshWebsite();
    if (!m_websiteSettingsWindowController) {
        auto* sheet = new WebsiteSettingsWindowController(window());
        m_websiteSettingsWindowController = sheet;
        connect(sheet->saveButton(), &QPushButton::clicked, this, &DRVWindowController::saveWebsitePreferences);
        connect(sheet->cancelButton(), &QPushButton::clicked, this,
                &DRVWindowController::cancelWebsiteSettingsWindowControllerSheet);
        connect(sheet, &WebsiteSettingsWindowController::duplicateRequested, this,
                &DRVWindowController::duplicateFromWebsiteSettings);
    }
    WebsiteSettingsWindowController* sheet = m_websiteSettingsWindowController;
    const WebsiteSettings::SiteText site = WebsiteSettings::readSiteSettings(m_openWebsiteFolder);
    if (sheet->websiteTitleTextField()) {
        sheet->websiteTitleTextField()->setText(site.title);
        sheet->websiteDescriptionTextField()->setText(site.description);
    }
    sheet->setFavIconImage(WebsiteSettings::readFavicon(m_openWebsiteFolder), false);
    sheet->setWindowTitle(QStringLiteral("Website Preferences"));
    sheet->setSiteIconArray(m_siteIconArray);
    sheet->open();
}

void DRVWindowController::cancelWebsiteSettingsWindowControllerSheet()
{
    if (m_websiteSettingsWindowController)
        m_websiteSettingsWindowController->hide();
}

void DRVWindowController::duplicateFromWebsiteSettings(const QStringList& documentNames)
{
    WebsiteSettingsWindowController* sheet = m_websiteSettingsWindowController;
    if (!sheet)
        return;
    // The page list's own duplicate: a copy under the next free name, never a rename.
    for (const QString& name : documentNames) {
        m_selectedPageName = name;
        duplicatePage();
    }
    QStringList shown;
    for (const WebsiteSettingsRow& row : sheet->rows())
        shown.append(row.record.documentName);
    QList<PageRecord> added;
    for (const PageRecord& record : std::as_const(m_siteIconArray)) {
        if (!shown.contains(record.documentName))
            added.append(record);
    }
    if (!added.isEmpty())
        sheet->appendRows(added);
}

void DRVWindowController::saveWebsitePreferences()
{
    WebsiteSettingsWindowController* sheet = m_websiteSettingsWindowController;
    if (!sheet || m_openWebsiteFolder.isEmpty())
        return;
    const QList<WebsiteSettingsRow> rows = sheet->rows();
    cancelWebsiteSettingsWindowControllerSheet();

    if (sheet->websiteTitleTextField())
        WebsiteSettings::writeSiteSettings(m_openWebsiteFolder, sheet->websiteTitleTextField()->text(),
                                           sheet->websiteDescriptionTextField()->text());
    if (sheet->favIconChanged())
        WebsiteSettings::writeFavicons(m_openWebsiteFolder, sheet->favIconImage());

    savePageBeforeChange();
    QStringList kept;
    for (const WebsiteSettingsRow& row : rows)
        kept.append(row.record.documentName);
    QList<PageRecord> deleted;
    for (const PageRecord& record : std::as_const(m_siteIconArray)) {
        if (!kept.contains(record.documentName))
            deleted.append(record);
    }
    if (!deleted.isEmpty())
        deletePageArray(deleted);

    QStringList order;
    QStringList changed;
    for (const WebsiteSettingsRow& row : rows) {
        bool changedPage = false;
        order.append(applyWebsiteSettingsRow(row, &changedPage));
        if (changedPage)
            changed.append(order.constLast());
    }

    refreshWebsite();
    // Each changed page is opened and saved, so its generated page follows its new settings.
    for (const QString& name : std::as_const(changed)) {
        if (launchSelected(name) && m_document) {
            m_document->setDocumentChangedCounter(m_document->documentChangedCounter() + 1);
            m_document->askPageToSaveItself();
            updateCurrentlySelectedQuibButton();
        }
    }
    if (!changed.isEmpty())
        refreshWebsite();
    if (edition().gPageOrderIndexFlag) {
        // The sheet's order first; a page it did not list (the blank page added when every row was
        // deleted) follows.
        QList<PageRecord> ordered;
        for (const QString& name : std::as_const(order)) {
            if (const PageRecord* record = grabQuibButtonWithPageName(name))
                ordered.append(*record);
        }
        for (const PageRecord& record : std::as_const(m_siteIconArray)) {
            if (!order.contains(record.documentName))
                ordered.append(record);
        }
        m_siteIconArray = ordered;
        writePageOrderIndexFile();
        refreshWebsite();
    }
}

QString DRVWindowController::applyWebsiteSettingsRow(const WebsiteSettingsRow& row, bool* changedPage)
{
    *changedPage = false;
    const PageRecord* current = grabQuibButtonWithPageName(row.record.documentName);
    const QString source = projectFilePath(row.record.documentName);
    if (!current || source.isEmpty() || !QFileInfo(source).isFile())
        return row.record.documentName;
    const PageRecord record = *current;

    const QString extension = platform::pathExtension(record.pageName);
    const QString newName = row.fileName + u'.' + extension;
    bool renamed = false;
    if (newName != record.pageName && !row.fileName.isEmpty()) {
        // A typed name passes the same checks as a new page's; a refused one keeps the old name.
        const QString newPath = projectFilePath(newName);
        const bool caseOnly = !newPath.isEmpty() && platform::SafePath::isSameFile(source, newPath);
        renamed = caseOnly || runNewFileCreationChecks(newName);
    }
    const bool settingsChanged = row.useBaseTemplate != record.useBaseTemplateFlag ||
                                 row.inheritMetadata != record.inheritMetadataFlag ||
                                 row.inheritCustomHeaderCode != record.inheritCustomHeaderCodeFlag ||
                                 row.pageTitle != record.pageTitle ||
                                 row.publishExt != platform::pathExtension(record.pagePublishFileName);
    if (!settingsChanged && !renamed)
        return record.documentName;

    if (renamed && record.pageName == edition().gBaseTemplateFileName && launchSelected(record.documentName) &&
        m_document) {
        // The base template's graphics carry its name: they take the new one before it is packed.
        m_document->resetTemplateName(row.fileName);
        m_document->askPageToSaveItself();
    }
    // The page is changed in a fresh unpacking of its document under the document's own name, so
    // the working copy's numbering of page files never reaches the document.
    QString page = prepTempDocPath(source, platform::pathExtension(record.pageLocalFileName));
    if (!QFileInfo(page).isFile()) {
        reportPageFailure(QStringLiteral("Could not save the page settings"),
                          QStringLiteral("\"%1\" could not be read.").arg(record.pageName));
        return record.documentName;
    }
    if (row.useBaseTemplate != record.useBaseTemplateFlag)
        DataCentre::applyBaseTemplate(page, row.useBaseTemplate ? 1 : 0);
    if (row.inheritMetadata != record.inheritMetadataFlag)
        DataCentre::applyInheritMetadata(page, row.inheritMetadata ? 1 : 0);
    if (row.inheritCustomHeaderCode != record.inheritCustomHeaderCodeFlag)
        DataCentre::applyInheritCustomHeaderCode(page, row.inheritCustomHeaderCode ? 1 : 0);
    if (row.pageTitle != record.pageTitle)
        DataCentre::applyPageTitle(page, row.pageTitle);
    if (row.publishExt != platform::pathExtension(record.pagePublishFileName))
        DataCentre::applyPublishingExt(page, row.publishExt);
    if (renamed)
        page = prepAndRenameDoc(page, newName);

    const QString name = renamed ? newName : record.pageName;
    const QString target = projectFilePath(name);
    if (target.isEmpty() || !QFileInfo(page).isFile() || !zipDoc(target, page)) {
        reportPageFailure(QStringLiteral("Could not save the page settings"),
                          QStringLiteral("\"%1\" could not be written.").arg(name));
        return record.documentName;
    }
    if (renamed) {
        // The new document is complete: only now does the old one go.
        const bool openHere = m_document && m_document->filePath() == source;
        if (!platform::SafePath::isSameFile(source, target))
            QFile::remove(source);
        // The open page would otherwise save itself back under its old name.
        if (openHere)
            m_document->detachFromFile();
    }
    *changedPage = true;
    return name;
}
