// The Help menu: the help alert and its mail link, the user guide and video tutorials, the feedback
// sheet that becomes a mail, the promotions, each through the window's menu with recorded addresses.
#include "AppTestSupport.h"

#include "app/FeedbackWindowController.h"
#include "platform/UrlOpener.h"
#include "window/WelcomeWindowController.h"

#include <QButtonGroup>
#include <QDialog>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QUrlQuery>

namespace {

class HelpMenuTest : public WindowedAppTest
{
protected:
    DRVWindowController* openWindow() { return documents.openDocumentWithContentsOfPath(savedPage(QStringLiteral("page"))); }

    static QString queryValue(const QUrl& url, const QString& key)
    {
        return QUrlQuery(url).queryItemValue(key, QUrl::FullyDecoded);
    }

    DRVAppDelegate delegate;
    platform::ScopedUrlRecorder opened;
};

} // namespace

TEST_F(HelpMenuTest, HelpAlertAnswersOpenTheSiteOrAMailLinkThatKeepsEveryCharacter)
{
    EditionSettings& e = edition();
    e.gProductSiteURL = QStringLiteral("https://example.com/product/");
    e.gSupportEmailAddress = QStringLiteral("help@example.com");
    e.gBundleVersion = QStringLiteral("2.1");
    DRVWindowController* window = openWindow();
    ASSERT_TRUE(window);
    const struct
    {
        int answer;
        const char* displayName;
        const char* expectedUrl; // "" for nothing opened, "mailto" for the help mail link
    } rows[] = {
        {0, "Plain Name", "https://example.com/product/"},
        {1, "Quib Pro", "mailto"},
        {1, "A&B #1 100% <x>\nsecond=line?", "mailto"},
        {2, "Quib Pro", ""},
    };
    for (const auto& row : rows) {
        e.gEditionDisplayName = QString::fromUtf8(row.displayName);
        opened.clear();
        dialogs->queueAlertAnswer(row.answer);
        choose(window, QStringLiteral("showHelpAlert:"));
        const platform::Alert alert = dialogs->alerts().constLast();
        EXPECT_EQ(alert.title, QStringLiteral("Need help with this App?"));
        EXPECT_EQ(alert.buttons, (QStringList{"Support Website", "Email", "Cancel"}));
        const QString expected = QString::fromUtf8(row.expectedUrl);
        if (expected.isEmpty()) {
            EXPECT_TRUE(opened.urls().isEmpty()) << row.displayName;
            continue;
        }
        ASSERT_EQ(opened.urls().size(), 1) << row.displayName;
        const QUrl url = opened.urls().constFirst();
        if (expected != QLatin1String("mailto")) {
            EXPECT_EQ(url, QUrl(expected));
            continue;
        }
        EXPECT_EQ(url.scheme(), QStringLiteral("mailto"));
        EXPECT_EQ(url.path(), QStringLiteral("help@example.com"));
        const QString name = e.gEditionDisplayName;
        // Read back, subject and body are what was meant, however odd the name.
        EXPECT_EQ(queryValue(url, QStringLiteral("Subject")),
                  QStringLiteral("Help with %1 2.1").arg(QString(name).replace(u'\n', u' ')));
        EXPECT_EQ(queryValue(url, QStringLiteral("body")),
                  QStringLiteral("Hello!  I'm using %1, version 2.1.  Please help me with the following questions / "
                                 "feedback:")
                      .arg(QString(name).replace(QStringLiteral("\n"), QStringLiteral("\r\n"))));
        const QByteArray encoded = url.toEncoded();
        EXPECT_EQ(encoded.count('&'), 1) << encoded.constData();
        EXPECT_EQ(encoded.count('?'), 1) << encoded.constData();
        for (char c : {'#', ' ', '<', '\n'})
            EXPECT_FALSE(encoded.contains(c)) << encoded.constData();
    }
}

TEST_F(HelpMenuTest, FeedbackSheetSendsTheTypedTextAsWrittenAndStartsAgainFromThePrompt)
{
    EditionSettings& e = edition();
    e.gEditionDisplayName = QStringLiteral("Ulmira Pro 2");
    e.gBundleVersion = QStringLiteral("3.4");
    DRVWindowController* window = openWindow();
    ASSERT_TRUE(window);
    choose(window, QStringLiteral("launchFeedbackModalSheet:"));
    FeedbackWindowController* sheet = delegate.feedbackWindowController();
    ASSERT_TRUE(sheet);
    ASSERT_TRUE(sheet->window()->isVisible());
    EXPECT_EQ(sheet->window()->parentWidget(), window->window());
    EXPECT_EQ(sheet->window()->windowModality(), Qt::WindowModal);
    EXPECT_EQ(sheet->feedbackTextView()->toPlainText(), QStringLiteral("Please tell us how we can improve.  Thanks."));

    sheet->feedbackTextView()->clear();
    QTest::keyClicks(sheet->feedbackTextView(), QStringLiteral("a <b>bold</b> & c #2 100%"));
    QTest::keyClick(sheet->feedbackTextView(), Qt::Key_Return);
    QTest::keyClicks(sheet->feedbackTextView(), QStringLiteral("second line"));
    QTest::mouseClick(sheet->experienceMatrix()->buttons().at(1), Qt::LeftButton);
    QWidget* host = window->window();
    keepScreenshot(sheet->window(), QStringLiteral("feedback-sheet.png"));
    QTest::mouseClick(sheet->sendEmailButton(), Qt::LeftButton);

    EXPECT_FALSE(sheet->window()->isVisible());
    ASSERT_EQ(opened.urls().size(), 1);
    const QUrl mail = opened.urls().constFirst();
    EXPECT_EQ(mail.scheme(), QStringLiteral("mailto"));
    EXPECT_EQ(queryValue(mail, QStringLiteral("Subject")), QStringLiteral("Feedback - Ulmira Pro 2 v3.4"));
    EXPECT_EQ(queryValue(mail, QStringLiteral("body")),
              QStringLiteral("Experience summary:\r\nGood\r\n\r\nFeedback details:\r\na <b>bold</b> & c #2 100%\r\n"
                             "second line"));

    // A second showing, on the same window, starts from the prompt again.
    choose(window, QStringLiteral("launchFeedbackModalSheet:"));
    EXPECT_EQ(delegate.feedbackWindowController(), sheet);
    EXPECT_EQ(sheet->feedbackTextView()->toPlainText(), QStringLiteral("Please tell us how we can improve.  Thanks."));
    QTest::mouseClick(sheet->cancelButton(), Qt::LeftButton);
    EXPECT_FALSE(sheet->window()->isVisible());
    EXPECT_EQ(opened.urls().size(), 1);
    EXPECT_TRUE(host->isVisible());
}

TEST_F(HelpMenuTest, FeedbackHtmlEscapesWhatWasTypedAndKeepsItsLines)
{
    EXPECT_EQ(DRVAppDelegate::feedbackBodyHTML(QStringLiteral("Good"), QStringLiteral("<script>x</script>\n&amp;")),
              QStringLiteral("<b>Experience summary:</b><br>Good<br><br><b>Feedback details:</b><br>"
                             "&lt;script&gt;x&lt;/script&gt;<br>&amp;amp;"));
}

TEST_F(HelpMenuTest, FeedbackSheetComesBackAfterTheWindowItWasOnCloses)
{
    DRVWindowController* first = openWindow();
    ASSERT_TRUE(first);
    choose(first, QStringLiteral("launchFeedbackModalSheet:"));
    delegate.cancelFeedbackModalSheet();
    first->performClose();
    deleteLaterObjects();
    DRVWindowController* second = documents.openDocumentWithContentsOfPath(savedPage(QStringLiteral("other")));
    ASSERT_TRUE(second);
    choose(second, QStringLiteral("launchFeedbackModalSheet:"));
    FeedbackWindowController* sheet = delegate.feedbackWindowController();
    ASSERT_TRUE(sheet->window());
    EXPECT_TRUE(sheet->window()->isVisible());
    QTest::mouseClick(sheet->sendEmailButton(), Qt::LeftButton);
    EXPECT_EQ(opened.urls().size(), 1);
}

TEST_F(HelpMenuTest, GuideVideoAndPromotionItemsOpenTheirAddresses)
{
    EditionSettings& e = edition();
    e.gVideoTutorialsURL = QStringLiteral("https://example.com/videos?list=1&x=2");
    e.gProductSiteURL = QStringLiteral("https://example.com/product/");
    e.gUserGuideFileName = QStringLiteral("NoSuchGuide.PDF");
    DRVWindowController* window = openWindow();
    ASSERT_TRUE(window);

    choose(window, QStringLiteral("showVideoTutorials:"));
    dialogs->queueAlertAnswer(0);
    choose(window, QStringLiteral("showIOSEdition:"));
    dialogs->queueAlertAnswer(1); // "OK"
    choose(window, QStringLiteral("showIOSEdition:"));
    EXPECT_EQ(opened.urls(), (QList<QUrl>{QUrl(e.gVideoTutorialsURL), QUrl(e.gProductSiteURL)}));

    // A guide the resources lack is an alert, nothing opened.
    opened.clear();
    const qsizetype alerts = dialogs->alerts().size();
    choose(window, QStringLiteral("launchUserGuide:"));
    EXPECT_TRUE(opened.urls().isEmpty());
    ASSERT_EQ(dialogs->alerts().size(), alerts + 1);
    EXPECT_EQ(dialogs->alerts().constLast().title, QStringLiteral("The user guide could not be found."));
}

TEST_F(HelpMenuTest, ItemsShowWhereTheEditionHasThem)
{
    const struct
    {
        const char* edition;
        bool guide;
        bool promotions;
    } rows[] = {{"HTML Quib Pro", true, false}, {"Cardell", false, true}, {"Cardell Viewer", false, true},
                {"Quib", false, false}};
    for (const auto& row : rows) {
        ScopedEdition selected(QString::fromUtf8(row.edition));
        useWorkingFolders();
        DRVWindowController* window = openWindow();
        ASSERT_TRUE(window);
        for (const char* action : {"showHelpAlert:", "launchFeedbackModalSheet:"}) {
            QAction* item = validatedItem(window, QString::fromLatin1(action));
            ASSERT_TRUE(item);
            EXPECT_TRUE(item->isVisible() && item->isEnabled()) << row.edition << action;
        }
        EXPECT_EQ(validatedItem(window, QStringLiteral("launchUserGuide:"))->isVisible(), row.guide) << row.edition;
        EXPECT_EQ(validatedItem(window, QStringLiteral("launchCardellVet:"))->isVisible(), row.promotions)
            << row.edition;
        EXPECT_EQ(validatedItem(window, QStringLiteral("launchZOR2PromotionMessage:"))->isVisible(), row.promotions)
            << row.edition;
        window->performClose();
        deleteLaterObjects();
    }
}

TEST_F(HelpMenuTest, PromotionAlertsOpenTheirSitesOnlyWhenAsked)
{
    DRVWindowController* window = openWindow();
    ASSERT_TRUE(window);
    dialogs->queueAlertAnswer(1);
    delegate.performHelpAction(QStringLiteral("launchCardellVet:"));
    EXPECT_TRUE(opened.urls().isEmpty());
    dialogs->queueAlertAnswer(0);
    delegate.performHelpAction(QStringLiteral("launchCardellVet:"));
    dialogs->queueAlertAnswer(0);
    delegate.performHelpAction(QStringLiteral("launchZOR2PromotionMessage:"));
    ASSERT_EQ(opened.urls().size(), 2);
    EXPECT_EQ(dialogs->alerts().at(dialogs->alerts().size() - 2).title, QStringLiteral("Cardell Vet Edition"));
    EXPECT_EQ(dialogs->alerts().constLast().title, QStringLiteral("Cardell 2"));
    EXPECT_NE(opened.urls().at(0), opened.urls().at(1));
}

TEST_F(HelpMenuTest, WelcomeButtonsOpenTheVideoAndThePromotionThroughTheSameOpener)
{
    ScopedEdition selected(QStringLiteral("HTML Quib Pro"));
    useWorkingFolders();
    ASSERT_FALSE(edition().gVideoTutorialsURL.isEmpty());
    delegate.showWelcomeWindow();
    WelcomeWindowController* welcome = delegate.welcomeWindowController();
    ASSERT_TRUE(welcome && welcome->videoTutorialButton() && welcome->promotion());
    QTest::mouseClick(welcome->videoTutorialButton(), Qt::LeftButton);
    dialogs->queueAlertAnswer(0); // Learn more
    QTest::mouseClick(welcome->promoButton(), Qt::LeftButton);
    EXPECT_EQ(opened.urls(),
              (QList<QUrl>{QUrl(edition().gVideoTutorialsURL), QUrl(welcome->promotion()->url)}));
    welcome->window()->hide();
}
