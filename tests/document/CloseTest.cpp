// Closing a page: the question asked for an edited page, what each answer does, and how edits
// through undo make a page edited.
#include "DocumentFlowTestSupport.h"

#include "model/DRVLine.h"
#include "platform/UndoManager.h"

using namespace documentflowtest;

namespace {

enum Answer { Yes = 0, No = 1, Cancel = 2 };

struct CloseCase
{
    const char* name;
    Answer answer;
    bool mayClose;
    bool fileChanged;
    bool editedAfter;
};

void PrintTo(const CloseCase& c, std::ostream* os)
{
    *os << c.name;
}

} // namespace

class CloseAnswerTest : public DocumentFlowTest, public ::testing::WithParamInterface<CloseCase>
{
};

TEST_P(CloseAnswerTest, AnEditedPageAsksFirst)
{
    const CloseCase& c = GetParam();
    const QString path = fixture(QStringLiteral("Home-top.quibpage"));
    std::unique_ptr<DRVDocument> document = open(path);
    ASSERT_TRUE(document);
    // Stored as this code writes it, so that only the edit below changes the file.
    ASSERT_TRUE(document->saveDocument());
    const QByteArray stored = readBytes(path);
    add<DRVLine>(*document)->setEndPoint(QPointF(40, 40));
    document->updateChangeCount(DRVDocument::ChangeType::Done);

    m_dialogs->queueAlertAnswer(c.answer);
    EXPECT_EQ(document->canCloseDocument(), c.mayClose);
    ASSERT_EQ(m_dialogs->alerts().size(), 1);
    const platform::Alert alert = m_dialogs->alerts().first();
    EXPECT_EQ(alert.title, QStringLiteral("This file has changed"));
    EXPECT_EQ(alert.informativeText, QStringLiteral("Do you want to save the changes?"));
    EXPECT_EQ(alert.buttons,
              (QStringList{QStringLiteral("Yes"), QStringLiteral("No"), QStringLiteral("Cancel")}));
    EXPECT_EQ(readBytes(path) != stored, c.fileChanged);
    EXPECT_EQ(document->isDocumentEdited(), c.editedAfter);
}

INSTANTIATE_TEST_SUITE_P(Answers, CloseAnswerTest,
                         ::testing::Values(CloseCase{"Yes saves, then closes", Yes, true, true, false},
                                           CloseCase{"No closes without saving", No, true, false, true},
                                           CloseCase{"Cancel keeps the window", Cancel, false, false, true}));

using CloseTest = DocumentFlowTest;

TEST_F(CloseTest, AnUneditedPageClosesWithoutAsking)
{
    std::unique_ptr<DRVDocument> document = open(fixture(QStringLiteral("Home-top.quibpage")));
    ASSERT_TRUE(document);
    EXPECT_TRUE(document->canCloseDocument());
    EXPECT_TRUE(m_dialogs->alerts().isEmpty());
}

TEST_F(CloseTest, YesKeepsTheWindowWhenTheSaveDoesNotHappen)
{
    // A page never saved, whose save panel is cancelled.
    DRVDocument fresh;
    add<DRVLine>(fresh);
    fresh.updateChangeCount(DRVDocument::ChangeType::Done);
    m_dialogs->queueAlertAnswer(Yes);
    m_dialogs->queueSavePanelAnswer(QString());
    EXPECT_FALSE(fresh.canCloseDocument());
    EXPECT_TRUE(fresh.isDocumentEdited());

    // A page whose save fails.
    const QString path = fixture(QStringLiteral("Home-top.quibpage"));
    std::unique_ptr<DRVDocument> document = open(path);
    ASSERT_TRUE(document);
    const QByteArray stored = readBytes(path);
    add<DRVLine>(*document);
    document->updateChangeCount(DRVDocument::ChangeType::Done);
    DocumentArchiver::Hooks failing = DocumentArchiver::installed();
    failing.zipDocument = [](const QString&, const QString&, QString*) { return false; };
    DocumentArchiver::install(failing);
    m_dialogs->queueAlertAnswer(Yes);
    EXPECT_FALSE(document->canCloseDocument());
    EXPECT_TRUE(document->isDocumentEdited());
    EXPECT_EQ(readBytes(path), stored);
    EXPECT_EQ(alertTitles().last(), QStringLiteral("Not able to save"));
}

TEST_F(CloseTest, UndoableEditsMakeThePageEdited)
{
    std::unique_ptr<DRVDocument> document = open(fixture(QStringLiteral("Home-top.quibpage")));
    ASSERT_TRUE(document);
    platform::UndoManager* undo = document->undoManager();
    DRVGraphic* line = document->graphics().first();
    line->setEndPoint(QPointF(123, 45));
    undo->closeEventGroup();
    EXPECT_TRUE(document->isDocumentEdited());
    undo->undo();
    EXPECT_FALSE(document->isDocumentEdited());
    undo->redo();
    EXPECT_TRUE(document->isDocumentEdited());
}

class ViewerCloseTest : public DocumentFlowTest
{
protected:
    ViewerCloseTest() : DocumentFlowTest("Quibpage Web Design Document Viewer") {}
};

TEST_F(ViewerCloseTest, TheViewerNeverAsks)
{
    std::unique_ptr<DRVDocument> document = open(fixture(QStringLiteral("Home-top.quibpage")));
    ASSERT_TRUE(document);
    add<DRVLine>(*document);
    document->updateChangeCount(DRVDocument::ChangeType::Done);
    EXPECT_FALSE(document->isDocumentEdited());
    EXPECT_FALSE(document->isDraft());
    EXPECT_TRUE(document->canCloseDocument());
    EXPECT_TRUE(m_dialogs->alerts().isEmpty());
}

TEST_F(CloseTest, AnEditBeforeTheFirstEventLoopTurnCounts)
{
    // A page built in memory and changed at once, before any event is processed, is still edited.
    DRVDocument document;
    auto* line = new DRVLine;
    line->setBounds(QRectF(10, 10, 100, 20));
    document.insertGraphics({line}, {0});
    document.undoManager()->closeEventGroup();
    EXPECT_TRUE(document.isDocumentEdited());
}
