// Titles and form settings made to break their markers, saved and opened again through the real
// flow: they come back as typed, and a form page keeps its bot checker's secret from save to save.
#include "DocumentFlowTestSupport.h"

#include "generation/PhpHandlerWriter.h"
#include "model/DRVLine.h"

using namespace documentflowtest;

using HostileSettingsFlowTest = DocumentFlowTest;

TEST_F(HostileSettingsFlowTest, HostileTitleAndMetaTextsComeBackAsTyped)
{
    const QString title =
        QStringLiteral("</title><script>x()</script> a==PAGETITLEEND--> <?php echo 1; ?> & =");
    const QString keywords = QStringLiteral("\"><script>y()</script> & \"quoted\"");
    DRVDocument document;
    auto* line = add<DRVLine>(document);
    line->setEndPoint(QPointF(40, 40));
    document.setPageOfficialName(title);
    document.setMetaKeywords(keywords);
    document.setMetaDescription(QStringLiteral("two\nlines"));
    document.updateChangeCount(DRVDocument::ChangeType::Done);
    const QString path = filePath(QStringLiteral("Hostile.quibpage"));
    m_dialogs->queueSavePanelAnswer(path);
    ASSERT_TRUE(document.saveDocument());

    std::unique_ptr<DRVDocument> reopened = open(path);
    ASSERT_TRUE(reopened);
    EXPECT_EQ(reopened->pageOfficialName(), title);
    EXPECT_EQ(reopened->metaKeywords(), keywords);
    EXPECT_EQ(reopened->metaDescription(), QStringLiteral("two\nlines"));
    EXPECT_EQ(reopened->graphics().size(), 1);
}

TEST_F(HostileSettingsFlowTest, FormPageKeepsItsSettingsAndItsSecret)
{
    const QString path = fixture(QStringLiteral("Contact.selvaro"));
    std::unique_ptr<DRVDocument> document = open(path);
    ASSERT_TRUE(document);
    const QString redirect = QStringLiteral("thanks.html?x=FORMREDIRECTURLEND");
    const QString cc = QStringLiteral("copy@example.org==FORMRESPONSEEMAILCCEND\nBcc: victim@example.com");
    document->setPageOfficialName(QStringLiteral("\n//FORMSUBMITfakeFORMSUBMITEND"));
    document->setFormRedirectURL(redirect);
    document->setSiteCCFeedbackEmail(cc);
    document->updateChangeCount(DRVDocument::ChangeType::Done);
    ASSERT_TRUE(document->saveDocument());
    const QString key = document->formBotCheckerKey();
    EXPECT_TRUE(PhpHandlerWriter::isBotCheckerKey(key));

    std::unique_ptr<DRVDocument> reopened = open(path);
    ASSERT_TRUE(reopened);
    EXPECT_EQ(reopened->pageOfficialName(), QStringLiteral("\n//FORMSUBMITfakeFORMSUBMITEND"));
    EXPECT_EQ(reopened->formRedirectURL(), redirect);
    EXPECT_EQ(reopened->siteCCFeedbackEmail(), cc);
    // The button's own text, not the title's imitation of its setting line.
    EXPECT_EQ(reopened->formSubmitButtonValue(), document->formSubmitButtonValue());
    EXPECT_NE(reopened->formSubmitButtonValue(), QStringLiteral("fake"));
    EXPECT_EQ(reopened->formBotCheckerKey(), key);
}
