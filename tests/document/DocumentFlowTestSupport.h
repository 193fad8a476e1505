// Shared set-up of the open, save, thumbnail and close tests: one edition, its own working root and
// user defaults, the real page archiver, scripted dialogs, and fixture documents copied into a
// temporary folder so that saving never touches the fixtures.
#pragma once
#include "common/TestFiles.h"
#include "document/DRVDocument.h"
#include "document/DocumentArchiver.h"
#include "editions/EditionSettings.h"
#include "model/DRVGraphic.h"
#include "platform/Dialogs.h"
#include "platform/NotificationCenter.h"
#include "platform/UserDefaults.h"
#include "publishing/DocumentArchiverInstall.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace documentflowtest {

using testfiles::readBytes;
using testfiles::writeBytes;

// Every file below folder, hidden ones too, as sorted paths relative to it.
inline QStringList filesBelow(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(QDir(folder).relativeFilePath(it.next()));
    files.sort();
    return files;
}

// Counts the notifications of one name posted while it lives.
class NotificationCounter
{
public:
    explicit NotificationCounter(const QString& name)
    {
        m_token = platform::NotificationCenter::defaultCenter().addObserver(
            name, nullptr, [this](const platform::Notification&) { ++count; });
    }
    ~NotificationCounter() { platform::NotificationCenter::defaultCenter().removeObserver(m_token); }
    int count = 0;

private:
    platform::NotificationCenter::ObserverId m_token = 0;
};

class DocumentFlowTest : public ::testing::Test
{
protected:
    explicit DocumentFlowTest(const char* editionName = "HTML Quib Pro")
        : m_edition(QString::fromLatin1(editionName))
    {
        platform::UserDefaults::standard().useStoreFile(m_store.filePath(QStringLiteral("defaults.ini")));
        EditionSettings& e = edition();
        e.gBundleVersion = QStringLiteral("1.0");
        e.gTempFolderPath = m_work.path();
        e.gReceivedPagesFolderName = QStringLiteral("0000Received_Pages");
        e.gTempSaveFolderPath = m_work.filePath(QStringLiteral("0000Received_Pages/tempSave000000"));
        QDir().mkpath(e.gTempSaveFolderPath);
        DocumentArchiverInstall::install();
        DRVDocument::setWebsiteFolderOpenFlag(false);
        DRVDocument::setPendingWebsiteFolderPath(QString());
    }
    ~DocumentFlowTest() override { DocumentArchiverInstall::install(); }

    // A copy of tests/fixtures/documents/<name> in the test's own folder.
    QString fixture(const QString& name)
    {
        const QString copy = m_files.filePath(name);
        QFile::remove(copy);
        QFile::copy(QStringLiteral(QUIB_FIXTURES_DIR "/documents/") + name, copy);
        QFile(copy).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        return copy;
    }
    QString filePath(const QString& name) const { return m_files.filePath(name); }

    std::unique_ptr<DRVDocument> open(const QString& path)
    {
        QString error;
        std::unique_ptr<DRVDocument> document = DRVDocument::openDocument(path, &error);
        EXPECT_TRUE(document) << qPrintable(path) << ": " << qPrintable(error);
        return document;
    }

    // A graphic of class T inserted on top of the page without undo (as a page built by code).
    template <class T> T* add(DRVDocument& document)
    {
        auto* graphic = new T(&document);
        document.insertGraphics({graphic}, {0});
        return graphic;
    }

    QStringList alertTitles() const
    {
        QStringList titles;
        for (const platform::Alert& alert : m_dialogs.dialogs().alerts())
            titles.append(alert.title);
        return titles;
    }

    ScopedEdition m_edition;
    QTemporaryDir m_store;
    QTemporaryDir m_work;
    QTemporaryDir m_files;
    mutable platform::ScopedDialogs m_dialogs;
};

} // namespace documentflowtest
