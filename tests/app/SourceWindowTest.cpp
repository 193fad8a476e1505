// View's source items on a real document window: the generated page in the source window, its copy
// button, one window per document, the stored and published forms, the e-mail editions' HTML, and
// an e-mail page opening at the width of its canvas size type.
#include "AppTestSupport.h"

#include "app/DocumentController.h"
#include "app/MenuModel.h"
#include "canvas/DRVGraphicView.h"
#include "platform/Dialogs.h"
#include "window/DRVWindowController.h"
#include "window/SourceCodeWindowController.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {

class SourceWindowTest : public WindowedAppTest
{
protected:
    ~SourceWindowTest() override { SourceCodeWindowController::setMailHandOver({}); }

    // A page document of the running edition's kind with one line, unsaved.
    DRVWindowController* newPage()
    {
        auto document = std::make_unique<DRVDocument>();
        auto* line = new DRVLine;
        line->setBeginPoint(QPointF(20, 30));
        line->setEndPoint(QPointF(160, 110));
        line->setBorderWidth(6);
        line->setBorderStyle(QStringLiteral("solid"));
        line->setBorderHexColorString(QStringLiteral("0033CC"));
        document->undoManager()->disableUndoRegistration();
        document->insertGraphics({line}, {0});
        document->undoManager()->enableUndoRegistration();
        return documents.addDocument(std::move(document));
    }
};

} // namespace

TEST_F(SourceWindowTest, ShowSourceShowsTheGeneratedPageAndItsButtonCopiesIt)
{
    DRVWindowController* window = documents.openDocumentWithContentsOfPath(savedPage(QStringLiteral("page")));
    ASSERT_TRUE(window);
    DRVDocument* document = window->document();
    EXPECT_EQ(SourceCodeWindowController::sourceCodeController(document), nullptr);

    QAction* item = validatedItem(window, QStringLiteral("showOrHideSourceCode:"));
    ASSERT_TRUE(item);
    EXPECT_EQ(item->text(), QStringLiteral("Show Source"));
    choose(window, QStringLiteral("showOrHideSourceCode:"));

    SourceCodeWindowController* source = SourceCodeWindowController::sourceCodeController(document);
    ASSERT_TRUE(source);
    ASSERT_TRUE(source->isWindowLoaded());
    EXPECT_TRUE(source->window()->isVisible());
    EXPECT_EQ(source->window()->windowTitle(), QStringLiteral("Source Code"));
    const QString shown = source->textView()->toPlainText();
    EXPECT_EQ(shown, document->generatedPageSource());
    EXPECT_TRUE(shown.contains(QStringLiteral("<html"))) << qPrintable(shown.left(200));
    EXPECT_TRUE(shown.contains(QStringLiteral("CC0000"))) << "the page's line is in the source";
    EXPECT_EQ(document->FTPUploadFlag(), 0);
    // Showing the source changes nothing the user would have to save.
    EXPECT_FALSE(document->isDocumentEdited());

    // The text is there to read and copy, not to edit.
    source->textView()->setFocus();
    QTest::keyClicks(source->textView(), QStringLiteral("typed"));
    QTest::keyClick(source->textView(), Qt::Key_Delete);
    EXPECT_EQ(source->textView()->toPlainText(), shown);

    keepScreenshot(source->window(), QStringLiteral("source-window.png"));

    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    QTest::mouseClick(source->grabCodeButton(), Qt::LeftButton);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), shown);
    ASSERT_FALSE(dialogs->alerts().isEmpty());
    EXPECT_EQ(dialogs->alerts().constLast().title, QStringLiteral("Copied to Clipboard"));
    EXPECT_EQ(dialogs->alerts().constLast().buttons, QStringList{QStringLiteral("OK")});

    // A second request refreshes the same window with the page as it is now.
    document->graphics().constFirst()->setBorderHexColorString(QStringLiteral("00AA11"));
    choose(window, QStringLiteral("showOrHideSourceCode:"));
    EXPECT_EQ(SourceCodeWindowController::sourceCodeController(document), source);
    EXPECT_EQ(document->findChildren<SourceCodeWindowController*>().size(), 1);
    EXPECT_TRUE(source->textView()->toPlainText().contains(QStringLiteral("00AA11")));
    // One click copies once, however often the window was shown.
    const qsizetype alertsBefore = dialogs->alerts().size();
    QTest::mouseClick(source->grabCodeButton(), Qt::LeftButton);
    EXPECT_EQ(dialogs->alerts().size(), alertsBefore + 1);
    EXPECT_TRUE(QGuiApplication::clipboard()->text().contains(QStringLiteral("00AA11")));
}

TEST_F(SourceWindowTest, StoredAndPublishedFormsOfAResponsivePage)
{
    ScopedEdition responsive(QStringLiteral("Brumel Responsive Website Designer"));
    DRVWindowController* window = newPage();
    ASSERT_TRUE(window);
    DRVDocument* document = window->document();
    ASSERT_TRUE(document->pageName().isEmpty());

    choose(window, QStringLiteral("showOrHideSourceCodeStatic:"));
    // A page without a name takes the document's.
    EXPECT_EQ(document->pageName(), document->createFileName());
    SourceCodeWindowController* source = SourceCodeWindowController::sourceCodeController(document);
    ASSERT_TRUE(source);
    const QString stored = source->textView()->toPlainText();
    EXPECT_EQ(stored, document->generateSourceCode(document->pageName(), false, false));

    choose(window, QStringLiteral("showOrHideSourceCode:"));
    const QString published = source->textView()->toPlainText();
    EXPECT_EQ(published, document->generateSourceCode(document->pageName(), true, false));
    EXPECT_NE(published, stored);
}

TEST_F(SourceWindowTest, EmailEditionsShowTheMessageHtml)
{
    ScopedEdition mail(QStringLiteral("Ulmira Pro 2"));
    DRVWindowController* window = newPage();
    ASSERT_TRUE(window);
    DRVDocument* document = window->document();

    // The edition's menus point the source item at the e-mail's HTML: the picture travels with the
    // message unless another hosting is chosen.
    choose(window, QStringLiteral("showMailSourceCode:"));
    SourceCodeWindowController* source = SourceCodeWindowController::sourceCodeController(document);
    ASSERT_TRUE(source);
    EXPECT_EQ(source->window()->windowTitle(), QStringLiteral("HTML Code"));
    const QString html = source->textView()->toPlainText();
    EXPECT_TRUE(html.startsWith(QStringLiteral("<html>\n<head>\n"))) << qPrintable(html);
    EXPECT_TRUE(html.contains(QStringLiteral("<img src=\"ulmira.png\" "))) << qPrintable(html);
    EXPECT_EQ(html, document->generateEmailCode());
    EXPECT_FALSE(document->showCodeOnlyFlag());

    // The e-mail flow is asked for the HTML only, and the window shows what it hands back.
    bool askedForCodeOnly = false;
    SourceCodeWindowController::setMailHandOver([&askedForCodeOnly](DRVDocument* d) {
        askedForCodeOnly = d->showCodeOnlyFlag();
        SourceCodeWindowController::presentGeneratedSourceCode(d, QStringLiteral("<html>message</html>"));
    });
    choose(window, QStringLiteral("showMailSourceCode:"));
    EXPECT_TRUE(askedForCodeOnly);
    EXPECT_FALSE(document->showCodeOnlyFlag());
    EXPECT_EQ(source->textView()->toPlainText(), QStringLiteral("<html>message</html>"));

    // The stored page stays reachable.
    choose(window, QStringLiteral("showOrHideSourceCodeStatic:"));
    EXPECT_EQ(source->window()->windowTitle(), QStringLiteral("Source Code"));
    EXPECT_EQ(source->textView()->toPlainText(), document->generatedPageSource());
}

TEST_F(SourceWindowTest, AStandardPageOpensSevenHundredWideInAnEmailEdition)
{
    ScopedEdition mail(QStringLiteral("Ulmira Express"));
    ASSERT_EQ(edition().gCanvasWidth, 900);
    const auto savedMail = [this](const QString& name, const QString& sizeType) {
        DRVDocument document;
        document.setCanvasSizeTypeName(sizeType);
        const QString path = m_root.filePath(name + QStringLiteral(".ulmira"));
        EXPECT_TRUE(document.saveDocumentTo(path)) << qPrintable(document.lastFileErrorText());
        return path;
    };
    const QString standard = savedMail(QStringLiteral("standard"), QStringLiteral("Standard"));
    const QString wide = savedMail(QStringLiteral("wide"), QStringLiteral("Wide"));

    DRVWindowController* window = documents.openDocumentWithContentsOfPath(standard);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->document()->canvasSizeTypeName(), QStringLiteral("Standard"));
    EXPECT_EQ(window->document()->canvasSize().width(), 700);
    EXPECT_EQ(window->graphicView()->canvasSize().width(), 700);

    DRVWindowController* other = documents.openDocumentWithContentsOfPath(wide);
    ASSERT_TRUE(other);
    EXPECT_EQ(other->document()->canvasSize().width(), 900);
    EXPECT_EQ(other->graphicView()->canvasSize().width(), 900);
}

TEST_F(SourceWindowTest, TheDocumentWindowIsTheOnlyWindowOfTheDocument)
{
    DRVWindowController* window = documents.openDocumentWithContentsOfPath(savedPage(QStringLiteral("page")));
    ASSERT_TRUE(window);
    DRVDocument* document = window->document();
    EXPECT_EQ(SourceCodeWindowController::documentWindow(document), window->window());
    // A second window on the page leaves no single window to name.
    choose(window, QStringLiteral("newDocumentWindow:"));
    ASSERT_EQ(documents.windowControllers(document).size(), 2);
    EXPECT_EQ(SourceCodeWindowController::documentWindow(document), nullptr);
    DRVDocument unshown;
    EXPECT_EQ(SourceCodeWindowController::documentWindow(&unshown), nullptr);
}
