// A project as one PDF through the window's commands: every page but the base template, text kept
// as text, the fast variant after its confirmation, and the failures the user must hear about.
#include "PageListTestSupport.h"

#include "common/ExternalTools.h"
#include "editions/DataCentre.h"
#include "model/DRVText.h"
#include "print/PdfOutput.h"
#include "print/PrintPanel.h"

#include <QProcess>
#include <QRegularExpression>

namespace {

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

int pdfPages(const QString& pdf)
{
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(run(QStringLiteral("pdfinfo"), {pdf}));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// What the progress window is told, and whether the document window showed meanwhile.
struct ProgressLog : DataCentre::ProgressDisplay
{
    explicit ProgressLog(QWidget* window) : window(window) { DataCentre::setProgressDisplay(this); }
    ~ProgressLog() override { DataCentre::setProgressDisplay(nullptr); }
    void show() override { ++shown; }
    void update(qint32 done, qint32 total, const QString& text) override
    {
        updates.append(QStringLiteral("%1/%2 %3").arg(done).arg(total).arg(text).trimmed());
        windowShownDuring.append(window->isVisible());
    }
    void dismiss() override {}
    QWidget* window;
    int shown = 0;
    QStringList updates;
    QList<bool> windowShownDuring;
};

class PdfOutputProjectTest : public PageListTest
{
protected:
    PdfOutputProjectTest() : PageListTest(QStringLiteral("Kestrin PDF Author"))
    {
        // The pages' font is one the application brings along.
        DataCentre::loadCustomFont();
    }

    // A page of one text box saying words; publishName "basetemplate" makes it the base template.
    PageRecord textPage(const QString& stem, const QString& words)
    {
        DRVDocument page;
        page.undoManager()->disableUndoRegistration();
        auto* text = new DRVText(&page);
        page.insertGraphics({text}, {0});
        text->setTextType(QStringLiteral("Text"));
        text->setFontFamily(QStringLiteral("Helvetica Neue"));
        text->setBounds(QRectF(10, 10, 300, 60));
        text->updateTextString(words);
        const QString name = stem + QLatin1Char('.') + edition().gDocumentExtension;
        EXPECT_TRUE(page.saveDocumentTo(pagePath(name))) << qPrintable(page.lastFileErrorText());
        EXPECT_TRUE(DocumentArchiver::unzipDocument(pagePath(name), m_workingCopy));
        PageRecord record;
        record.pageName = name;
        record.documentName = name;
        record.pageTitle = stem;
        record.pageLocalFileName = stem + QStringLiteral(".html");
        record.pagePublishFileName = stem + QStringLiteral(".html");
        record.imagePath = QDir(m_workingCopy).filePath(stem + QStringLiteral("@2x.png"));
        return record;
    }

    QList<PageRecord> bookWithBaseTemplate()
    {
        return {textPage(QStringLiteral("basetemplate"), QStringLiteral("Template heading never printed")),
                textPage(QStringLiteral("one"), QStringLiteral("Amber lighthouse keeper")),
                textPage(QStringLiteral("two"), QStringLiteral("Brisk northern ferry")),
                textPage(QStringLiteral("three"), QStringLiteral("Copper valley railway"))};
    }

    QStringList alertTitles()
    {
        QStringList titles;
        for (const platform::Alert& alert : dialogs.dialogs().alerts())
            titles.append(alert.title);
        return titles;
    }

    QTemporaryDir m_out;
};

TEST_F(PdfOutputProjectTest, TheBookHoldsEveryPageButTheBaseTemplateWithItsText)
{
    if (!haveProgramOrFail(QStringLiteral("pdfinfo"), QStringLiteral("poppler-utils")) ||
        !haveProgramOrFail(QStringLiteral("pdftotext"), QStringLiteral("poppler-utils")))
        return;
    openProject(bookWithBaseTemplate());
    // A name without an extension takes "PDF".
    dialogs->queueSavePanelAnswer(m_out.filePath(QStringLiteral("Book")));
    {
        ProgressLog progress(controller.window());
        ASSERT_TRUE(controller.performAction(QStringLiteral("exportAllPDF:")));
        // A report per page while the window is away, then the closing one.
        EXPECT_EQ(progress.shown, 1);
        const QString ext = edition().gDocumentExtension;
        EXPECT_EQ(progress.updates,
                  QStringList({QStringLiteral("0/4 basetemplate.") + ext, QStringLiteral("1/4 one.") + ext,
                               QStringLiteral("2/4 two.") + ext, QStringLiteral("3/4 three.") + ext,
                               QStringLiteral("4/4")}));
        EXPECT_EQ(progress.windowShownDuring, QList<bool>({false, false, false, false, false}));
        EXPECT_TRUE(controller.window()->isVisible());
    }

    ASSERT_EQ(dialogs.dialogs().saveRequests().size(), 1);
    EXPECT_EQ(dialogs.dialogs().saveRequests().constFirst().fileName, QStringLiteral("My Site"));
    const QString pdf = m_out.filePath(QStringLiteral("Book.PDF"));
    ASSERT_TRUE(QFileInfo::exists(pdf));
    EXPECT_EQ(pdfPages(pdf), 3);
    const QString text = run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).simplified();
    for (const char* words : {"Amber lighthouse keeper", "Brisk northern ferry", "Copper valley railway"})
        EXPECT_TRUE(text.contains(QString::fromLatin1(words))) << words << " in " << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("Template heading"))) << text.toStdString();
    // The walk leaves the last page open.
    EXPECT_TRUE(document.filePath().endsWith(QStringLiteral("three.") + edition().gDocumentExtension));
    EXPECT_TRUE(alertTitles().isEmpty()) << alertTitles().join(u',').toStdString();
}

TEST_F(PdfOutputProjectTest, TheBookCommandsShowWhileAProjectIsOpen)
{
    for (const char* action : {"exportAllPDF:", "exportAllPDFFast:"}) {
        const MenuItemState closed =
            controller.validateMenuItem(QString::fromLatin1(action), MenuItemState());
        EXPECT_FALSE(closed.visible) << action;
        EXPECT_FALSE(closed.enabled) << action;
    }
    openProject(bookWithBaseTemplate());
    for (const char* action : {"exportAllPDF:", "exportAllPDFFast:"}) {
        const MenuItemState open = controller.validateMenuItem(QString::fromLatin1(action), MenuItemState());
        EXPECT_TRUE(open.visible) << action;
        EXPECT_TRUE(open.enabled) << action;
    }
}

TEST_F(PdfOutputProjectTest, FastExportAsksFirstAndUsesTheSavedPictures)
{
    if (!haveProgramOrFail(QStringLiteral("pdfinfo"), QStringLiteral("poppler-utils")))
        return;
    openProject(bookWithBaseTemplate());
    const QString pdf = m_out.filePath(QStringLiteral("Fast.pdf"));

    dialogs->queueAlertAnswer(1); // Cancel
    ASSERT_TRUE(controller.performAction(QStringLiteral("exportAllPDFFast:")));
    EXPECT_TRUE(dialogs.dialogs().saveRequests().isEmpty());

    dialogs->queueAlertAnswer(0); // Proceed
    dialogs->queueSavePanelAnswer(pdf);
    ASSERT_TRUE(controller.performAction(QStringLiteral("exportAllPDFFast:")));
    EXPECT_EQ(alertTitles(), QStringList({QStringLiteral("Fast Export"), QStringLiteral("Fast Export")}));
    ASSERT_TRUE(QFileInfo::exists(pdf));
    EXPECT_EQ(pdfPages(pdf), 3);
    // Each page is its saved picture's size, not the blank page of a picture that failed to load.
    const QImage saved(QDir(m_workingCopy).filePath(QStringLiteral("one@2x.png")));
    ASSERT_FALSE(saved.isNull());
    const QSizeF points = PdfOutput::pointSize(saved);
    const QString info = run(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Page size:\\s+%1 x %2 pts")
                                                     .arg(qRound(points.width()))
                                                     .arg(qRound(points.height())))))
        << info.toStdString();
}

TEST_F(PdfOutputProjectTest, PicturesPutTogetherAreNamedAfterTheEditionWithoutProgress)
{
    if (!haveProgramOrFail(QStringLiteral("pdfinfo"), QStringLiteral("poppler-utils")))
        return;
    openProject(bookWithBaseTemplate());
    ProgressLog progress(controller.window());
    const QString pdf = m_out.filePath(QStringLiteral("Pictures.pdf"));
    dialogs->queueSavePanelAnswer(pdf);
    EXPECT_TRUE(document.putTogetherPDFFiles(&controller));
    EXPECT_EQ(progress.shown, 0);
    EXPECT_TRUE(progress.updates.isEmpty());
    ASSERT_EQ(dialogs.dialogs().saveRequests().size(), 1);
    EXPECT_EQ(dialogs.dialogs().saveRequests().constFirst().fileName, QStringLiteral("Kestrin PDF Author"));
    EXPECT_EQ(pdfPages(pdf), 3);
}

TEST_F(PdfOutputProjectTest, OnlyABaseTemplateWritesNothingAndSaysSo)
{
    openProject({textPage(QStringLiteral("basetemplate"), QStringLiteral("Only the template"))});
    for (const char* action : {"exportAllPDF:", "exportAllToPDF:"}) {
        ASSERT_TRUE(controller.performAction(QString::fromLatin1(action)));
    }
    EXPECT_EQ(alertTitles(),
              QStringList({QStringLiteral("Nothing To Export"), QStringLiteral("Nothing To Export")}));
    EXPECT_TRUE(dialogs.dialogs().saveRequests().isEmpty());
    EXPECT_TRUE(QDir(m_out.path()).isEmpty());
}

TEST_F(PdfOutputProjectTest, APageThatCannotBeOpenedStopsTheBookRatherThanRepeatAnother)
{
    QList<PageRecord> pages = bookWithBaseTemplate();
    pages.insert(2, missingPage(QStringLiteral("gone")));
    openProject(pages);
    ASSERT_TRUE(controller.performAction(QStringLiteral("exportAllPDF:")));
    // The opener says why the page failed; the book then says which page kept it from being made.
    const QList<platform::Alert> alerts = dialogs.dialogs().alerts();
    ASSERT_FALSE(alerts.isEmpty());
    EXPECT_EQ(alerts.constLast().title, QStringLiteral("PDF Not Saved"))
        << alertTitles().join(u',').toStdString();
    EXPECT_TRUE(alerts.constLast().informativeText.contains(QStringLiteral("gone.")))
        << alerts.constLast().informativeText.toStdString();
    EXPECT_TRUE(dialogs.dialogs().saveRequests().isEmpty());
    EXPECT_TRUE(controller.window()->isVisible());
}

TEST_F(PdfOutputProjectTest, AFileThatCannotBeWrittenIsNamedAndCancellingWritesNothing)
{
    openProject(bookWithBaseTemplate());
    const QString unwritable = m_out.filePath(QStringLiteral("no such folder/Book.pdf"));
    dialogs->queueSavePanelAnswer(unwritable);
    ASSERT_TRUE(controller.performAction(QStringLiteral("exportAllPDF:")));
    const QList<platform::Alert> alerts = dialogs.dialogs().alerts();
    ASSERT_EQ(alerts.size(), 1);
    EXPECT_EQ(alerts.constFirst().title, QStringLiteral("PDF Not Saved"));
    EXPECT_TRUE(alerts.constFirst().informativeText.contains(QStringLiteral("no such folder/Book.pdf")));

    // An empty answer is a cancelled panel.
    ASSERT_TRUE(controller.performAction(QStringLiteral("exportAllPDF:")));
    EXPECT_EQ(dialogs.dialogs().alerts().size(), 1);
    EXPECT_TRUE(QDir(m_out.path()).isEmpty());
}

// The manual prints every page but the base template as vectors, one paper page each in list order,
// scaled to fit the paper; each page's words come out as text, and the last page stays open.
TEST_F(PdfOutputProjectTest, TheManualPrintsEveryPageButTheBaseTemplateAsText)
{
    if (!haveProgramOrFail(QStringLiteral("pdfinfo"), QStringLiteral("poppler-utils")) ||
        !haveProgramOrFail(QStringLiteral("pdftotext"), QStringLiteral("poppler-utils")))
        return;
    QList<PageRecord> pages = bookWithBaseTemplate();
    // The base template sits between the pages here: its place in the list does not matter.
    pages.move(0, 2);
    openProject(pages);
    ScriptedPrintPanel panel;
    const QString pdf = m_out.filePath(QStringLiteral("Manual.pdf"));
    panel.queueAnswer(pdf);
    {
        ProgressLog progress(controller.window());
        ASSERT_TRUE(controller.performAction(QStringLiteral("printManual:")));
        EXPECT_EQ(progress.shown, 1);
        EXPECT_EQ(progress.updates.constLast(), QStringLiteral("4/4"));
    }
    EXPECT_TRUE(alertTitles().isEmpty()) << alertTitles().join(u',').toStdString();
    ASSERT_EQ(panel.requests.size(), 1);
    ASSERT_EQ(pdfPages(pdf), 3);
    const QStringList words{QStringLiteral("Amber lighthouse keeper"), QStringLiteral("Brisk northern ferry"),
                            QStringLiteral("Copper valley railway")};
    for (int page = 1; page <= 3; ++page) {
        const QString text = run(QStringLiteral("pdftotext"),
                                 {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                                  QString::number(page), pdf, QStringLiteral("-")})
                                 .simplified();
        EXPECT_EQ(text, words.at(page - 1)) << "page " << page;
    }
    // Every page is the paper the panel was given, not the page's own picture size.
    const QSizeF paper = panel.requests.constFirst().layout.fullRectPoints().size();
    const QString info = run(QStringLiteral("pdfinfo"), {QStringLiteral("-l"), QStringLiteral("3"), pdf});
    EXPECT_EQ(
        info.count(QRegularExpression(
            QStringLiteral("size:\\s+%1 x %2 pts").arg(qRound(paper.width())).arg(qRound(paper.height())))),
        3)
        << info.toStdString();
    EXPECT_TRUE(document.filePath().endsWith(QStringLiteral("three.") + edition().gDocumentExtension));
    // The first printed page as poppler draws it, kept to look at.
    if (haveProgramOrFail(QStringLiteral("pdftoppm"), QStringLiteral("poppler-utils")))
        run(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-png"),
             QStringLiteral("-singlefile"), pdf, artefactPath(QStringLiteral("printed-manual-page1"))});
}

} // namespace
