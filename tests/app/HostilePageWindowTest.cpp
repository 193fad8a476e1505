// A hostile page in its window: the page stores itself when its window stops being the main one,
// and File > Save As writes a copy, while image names that climb out of the page folder find
// victim files around it. Neither save may touch them.
#include "AppTestSupport.h"

#include "app/DocumentController.h"
#include "app/MenuModel.h"
#include "document/HostilePageSupport.h"
#include "document/SandboxSnapshot.h"
#include "platform/Dialogs.h"
#include "window/DRVWindowController.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

using namespace hostilepage;
using namespace sandboxsnapshot;

namespace {

class HostilePageWindowTest : public AppTest
{
protected:
    ~HostilePageWindowTest() override
    {
        for (int i = 0; i < 8; ++i)
            dialogs->queueAlertAnswer(1);
        for (DRVWindowController* window : documents.allWindowControllers())
            window->performClose();
        deleteLaterObjects();
    }

    platform::ScopedDialogs dialogs;
    DocumentController documents;
};

} // namespace

TEST_F(HostilePageWindowTest, LeavingTheWindowAndSaveAsTouchNothingAroundThePage)
{
    edition().gSingleDocumentFlag = false;
    // The image folder is <work>/0000Received_Pages/<stamp>/Hostile/Hostile: four levels up is the
    // working root, five the test's own folder.
    const QString path = m_root.filePath(QStringLiteral("Hostile.quibpage"));
    ASSERT_TRUE(writeDocument(m_root.filePath(QStringLiteral("staging")), QStringLiteral("Hostile"),
                              {{QStringLiteral("../../../../victim"), QStringLiteral("PNG")},
                               {QStringLiteral("../../../../../victim"), QStringLiteral("PNG")},
                               {QStringLiteral("image7"), QStringLiteral("PNG")}},
                              path));
    const QString work = edition().gTempFolderPath;
    plantVictims(m_root.path());
    plantVictims(work);

    DRVWindowController* window = documents.openDocumentWithContentsOfPath(path);
    ASSERT_TRUE(window);
    DRVDocument* document = window->document();
    ASSERT_EQ(document->graphics().size(), 3);
    givePictures(*document);
    document->setDocumentChangedCounter(1);
    const QByteArray stored = documentflowtest::readBytes(path);

    const QString copy = m_root.filePath(QStringLiteral("Copy.quibpage"));
    const QString received = work + QStringLiteral("/0000Received_Pages");
    const QMap<QString, QString> before = snapshot(m_root.path());

    QEvent deactivate(QEvent::WindowDeactivate);
    QCoreApplication::sendEvent(window->window(), &deactivate);
    EXPECT_NE(documentflowtest::readBytes(path), stored); // it did store itself
    dialogs->queueSavePanelAnswer(copy);
    QAction* saveAs = MenuModel::actionNamed(window->window()->menuBar(), QStringLiteral("saveDocumentAs:"));
    ASSERT_TRUE(saveAs);
    emit qobject_cast<QMenu*>(saveAs->parent())->aboutToShow();
    saveAs->trigger();
    EXPECT_TRUE(QFileInfo(copy).isFile());
    EXPECT_TRUE(dialogs->alerts().isEmpty());

    // The working folders, the two documents and the defaults store are the page's business.
    EXPECT_EQ(changes(before, snapshot(m_root.path()),
                      [&](const QString& p) {
                          return isBelow(p, received) || p == path || p == copy ||
                                 p.startsWith(m_root.filePath(QStringLiteral("defaults.ini")));
                      }),
              "");
    // The ordinary image was stored in the copy.
    const std::unique_ptr<DRVDocument> reopened = DRVDocument::openDocument(copy);
    ASSERT_TRUE(reopened);
    bool pictured = false;
    for (DRVGraphic* graphic : reopened->graphics()) {
        if (auto* image = qobject_cast<DRVImage*>(graphic);
            image && image->imageName() == QStringLiteral("image7"))
            pictured = !image->contents().isNull();
    }
    EXPECT_TRUE(pictured);
}
