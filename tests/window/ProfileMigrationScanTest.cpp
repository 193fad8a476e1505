// The page-list scan of a profile project: an old-format record page is converted in its working
// copy and its tile marked and titled from the record; other pages take their titles as usual.
#include "WindowTestSupport.h"
#include "common/TestFiles.h"

#include "document/DRVDocument.h"
#include "document/DocumentArchiver.h"
#include "editions/DataCentre.h"
#include "platform/TextEncoding.h"
#include "publishing/DocumentArchiverInstall.h"
#include "window/DRVWindowController.h"

#include <QDir>
#include <QFile>

namespace {

using testfiles::writeBytes;

class ProfileMigrationScanTest : public WindowTest
{
protected:
    ProfileMigrationScanTest()
    {
        EditionSettings& e = edition();
        e.gDocumentExtension = QStringLiteral("zorprofile");
        e.gBaseTemplateFileName = QStringLiteral("basetemplate.zorprofile");
        e.gPageOrderIndexFlag = false;
        e.gResponsiveLayoutFlag = false;
        e.gPageTitleMarkerFlag = true;
        e.gProfileFieldNames = {QStringLiteral("Owner First Name"), QStringLiteral("Owner Email")};
        e.gReceivedPagesFolderName = QStringLiteral("0000Received_Pages");
        e.gTempSaveFolderPath = QDir(e.gTempFolderPath).filePath(QStringLiteral("0000Received_Pages/tempSave000000"));
        QDir().mkpath(e.gTempSaveFolderPath);
        DocumentArchiverInstall::install();
        m_folder = m_store.filePath(QStringLiteral("Patients"));
        QDir().mkpath(m_folder);
    }
    ~ProfileMigrationScanTest() override { DRVDocument::setWebsiteFolderOpenFlag(false); }

    // A page document holding only its page file.
    void addPage(const QString& stem, const QString& text)
    {
        QTemporaryDir work;
        ASSERT_TRUE(writeBytes(QDir(work.path()).filePath(stem + QStringLiteral(".html")), text.toUtf8()));
        ASSERT_TRUE(writeBytes(QDir(work.path()).filePath(stem + QStringLiteral(".png")), "png"));
        ASSERT_TRUE(QDir().mkpath(QDir(work.path()).filePath(stem)));
        ASSERT_TRUE(DocumentArchiver::zipDocument(QDir(work.path()).filePath(stem),
                                                  QDir(m_folder).filePath(stem + QStringLiteral(".zorprofile"))));
    }

    QString m_folder;
};

} // namespace

TEST_F(ProfileMigrationScanTest, OldRecordPagesAreConvertedAndMarkedWhileListed)
{
    addPage(QStringLiteral("rex"), QStringLiteral("<!--\nAnn\nLee\n42\n7 years\n1\nMar 04 2014\n555-0100\n"
                                                  "ann@example.org\n-->\n<html><body></body></html>\n"));
    addPage(QStringLiteral("about"), QStringLiteral("<html></html>\n<!--PAGETITLESTART==About==PAGETITLEEND-->\n"));
    addPage(QStringLiteral("welcome"), QStringLiteral("<!-- Welcome -->\n<html></html>\n"));
    addPage(QStringLiteral("broken"), QStringLiteral("<!--\nAnn\nLee\n<html></html>\n"));

    DRVWindowController controller;
    controller.setOpenWebsiteFolderPath(m_folder);
    controller.setSortListingBy(QStringLiteral("fileName"));
    controller.resetAndGrabCurrentWebsiteFolderPath();
    controller.pickUpFileList(controller.openWebsiteFolderPath());

    const struct
    {
        const char* document;
        bool converted;
        QString title;
    } rows[] = {
        {"about.zorprofile", false, QStringLiteral("About")},
        {"broken.zorprofile", false, QString()},
        {"rex.zorprofile", true, QStringLiteral("Ann Lee 42")},
        {"welcome.zorprofile", false, QStringLiteral(" Welcome ")},
    };
    const QList<PageRecord>& records = controller.siteIconArray();
    ASSERT_EQ(records.size(), 4);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(rows[i].document);
        EXPECT_EQ(records.at(i).documentName, QLatin1String(rows[i].document));
        EXPECT_EQ(records.at(i).oldZorprofileFlag, rows[i].converted);
        EXPECT_EQ(records.at(i).pageTitle, rows[i].title);
        const std::optional<QString> working = platform::readPageTextFile(
            QDir(controller.openWebsiteFolderTempPath()).filePath(records.at(i).pageLocalFileName));
        ASSERT_TRUE(working);
        EXPECT_EQ(DataCentre::oldZorprofileFlag(*working), false);
        if (rows[i].converted) {
            EXPECT_EQ(DataCentre::grabMiddleString(DataCentre::generateStartString(QStringLiteral("Owner Email")),
                                                   DataCentre::generateEndString(QStringLiteral("Owner Email")),
                                                   *working),
                      QStringLiteral("ann@example.org"));
        }
    }
}
