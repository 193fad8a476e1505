// A website project of small saved pages for the page-list tests: the page documents in a project
// folder, each unpacked into the working copy, their records in page order, and a window whose
// document has the first page open.
#pragma once
#include "WindowTestSupport.h"

#include "document/DRVDocument.h"
#include "document/DocumentArchiver.h"
#include "editions/EditionSettings.h"
#include "model/DRVLine.h"
#include "platform/Dialogs.h"
#include "platform/UndoManager.h"
#include "publishing/DocumentArchiverInstall.h"
#include "window/DRVWindowController.h"
#include "window/ListingIconView.h"
#include "window/PageListingClipView.h"
#include "window/PageListingScrollview.h"
#include "window/QuibNSButton.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QTest>

class PageListTest : public WindowTest
{
protected:
    explicit PageListTest(const QString& editionName = QStringLiteral("Quib")) : m_edition(editionName)
    {
        EditionSettings& e = edition();
        e.gTempFolderPath = m_store.filePath(QStringLiteral("work"));
        e.gReceivedPagesFolderName = QStringLiteral("0000Received_Pages");
        e.gTempSaveFolderPath =
            QDir(e.gTempFolderPath).filePath(QStringLiteral("0000Received_Pages/tempSave000000"));
        QDir().mkpath(e.gTempSaveFolderPath);
        DocumentArchiverInstall::install();
        m_project = m_store.filePath(QStringLiteral("My Site"));
        m_workingCopy = m_store.filePath(QStringLiteral("workingCopy"));
        QDir().mkpath(m_project);
        QDir().mkpath(m_workingCopy);
    }

    ~PageListTest() override
    {
        DRVDocument::setWebsiteFolderOpenFlag(false);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // A page document in the project with one line of that colour, unpacked into the working copy.
    PageRecord addPage(const QString& stem, const QString& title, const QString& colour)
    {
        DRVDocument document;
        document.undoManager()->disableUndoRegistration();
        auto* line = new DRVLine;
        line->setBeginPoint(QPointF(20, 30));
        line->setEndPoint(QPointF(60, 110));
        line->setBorderWidth(8);
        line->setBorderStyle(QStringLiteral("solid"));
        line->setBorderHexColorString(colour);
        line->setOpacity(1.0);
        document.insertGraphics({line}, {0});
        document.undoManager()->enableUndoRegistration();
        const QString name = stem + QLatin1Char('.') + edition().gDocumentExtension;
        const QString path = QDir(m_project).filePath(name);
        EXPECT_TRUE(document.saveDocumentTo(path)) << qPrintable(document.lastFileErrorText());
        QString error;
        EXPECT_TRUE(DocumentArchiver::unzipDocument(path, m_workingCopy, &error)) << qPrintable(error);
        PageRecord record;
        record.pageName = name;
        record.documentName = name;
        record.pageTitle = title;
        record.pageLocalFileName = stem + QStringLiteral(".html");
        record.pagePublishFileName = stem + QStringLiteral(".html");
        record.imagePath = QDir(m_workingCopy).filePath(stem + QStringLiteral("@2x.png"));
        record.fileTime = QStringLiteral("Dec 10 2026 5:00 AM");
        return record;
    }

    // A record of a page whose document and working files are missing.
    PageRecord missingPage(const QString& stem)
    {
        PageRecord record;
        record.pageName = stem + QLatin1Char('.') + edition().gDocumentExtension;
        record.documentName = record.pageName;
        record.pageTitle = stem;
        record.pageLocalFileName = stem + QStringLiteral(".html");
        record.pagePublishFileName = stem + QStringLiteral(".html");
        return record;
    }

    // The window on the project with the first record's page open and the list laid out.
    void openProject(const QList<PageRecord>& records, QSize windowSize = QSize(1200, 800))
    {
        controller.setOpenWebsiteFolder(m_project);
        controller.setOpenWebsiteFolderTempPath(m_workingCopy);
        controller.siteIconArray() = records;
        DRVDocument::setWebsiteFolderOpenFlag(true);
        document.setOpenWebsiteFolderTempPath(m_workingCopy);
        ASSERT_TRUE(document.readFromURL(pagePath(records.constFirst().pageName)));
        controller.setDocument(&document);
        controller.window()->resize(windowSize);
        controller.window()->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(controller.window()));
        controller.refreshPageListingDisplay();
        QApplication::processEvents();
        // The list's width settles with the first layout; lay out again at that width.
        controller.refreshPageIcons(QString());
    }

    QString pagePath(const QString& name) const { return QDir(m_project).filePath(name); }

    // The colour of the open page's only line.
    QString openColour() const
    {
        if (document.graphics().isEmpty())
            return QString();
        return document.graphics().constFirst()->borderHexColorString();
    }

    QuibNSButton* tileFor(const QString& documentName) const
    {
        for (ListingIconView* view : controller.pageIconViews()) {
            if (view->quibButton() && view->quibButton()->documentName() == documentName)
                return view->quibButton();
        }
        return nullptr;
    }

    // A real click on the tile of that page, and the events it leaves behind.
    void clickTile(const QString& documentName)
    {
        QuibNSButton* tile = tileFor(documentName);
        ASSERT_NE(tile, nullptr) << qPrintable(documentName);
        QTest::mouseClick(tile, Qt::LeftButton, {}, tile->rect().center());
        QApplication::processEvents();
    }

    // The page order as "a,b,c".
    std::string order() const
    {
        QStringList names;
        for (const PageRecord& record : controller.siteIconArray())
            names.append(QFileInfo(record.pageName).completeBaseName());
        return names.join(QLatin1Char(',')).toStdString();
    }

    QString artefactPath(const QString& fileName) const
    {
        const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/artefacts");
        QDir().mkpath(folder);
        return folder + QLatin1Char('/') + fileName;
    }

    ScopedEdition m_edition;
    platform::ScopedDialogs dialogs;
    QString m_project;
    QString m_workingCopy;
    DRVDocument document;
    DRVWindowController controller;
};
