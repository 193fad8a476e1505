// The page's canvas-size and title sheets, opened from the View menu and answered with their own
// buttons: what they show, what saving stores, and the canvas size that follows.
#include "AppTestSupport.h"

#include "canvas/CodeEditorWindowController.h"
#include "canvas/DRVGraphicView.h"
#include "model/DRVRectangle.h"
#include "model/DRVText.h"
#include "window/AdjustCanvasSizeWindowController.h"
#include "window/PageDialogsController.h"
#include "window/PageNumberWindowController.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>

namespace {

class SmallDialogsTest : public WindowedAppTest
{
protected:
    // A window on a page whose content reaches 800 x 600.
    DRVWindowController* pageReaching800x600()
    {
        auto* shape = new DRVRectangle;
        shape->setBounds({700, 500, 100, 100});
        return windowOnPage({shape});
    }
};

} // namespace

TEST_F(SmallDialogsTest, CanvasSheetShowsTheExtentAndStoresAFixedOrAutomaticSize)
{
    edition().gCanvasWidth = 1000;
    edition().gCanvasHeight = 2000;
    for (const bool bare : {false, true}) {
        edition().gNoExportMarginFlag = bare;
        DRVWindowController* window = pageReaching800x600();
        DRVDocument* document = window->document();
        choose(window, QStringLiteral("showAdjustCanvasSheet:"));
        AdjustCanvasSizeWindowController* sheet = window->pageDialogs()->adjustCanvasSheet();
        ASSERT_TRUE(sheet);
        EXPECT_TRUE(sheet->window()->isVisible());
        EXPECT_EQ(sheet->widthTextField()->text(), bare ? QStringLiteral("800") : QStringLiteral("850"));
        EXPECT_EQ(sheet->heightTextField()->text(), bare ? QStringLiteral("600") : QStringLiteral("650"));
        EXPECT_EQ(sheet->adjustmentSegmentedControl()->currentIndex(), 0);
        EXPECT_FALSE(sheet->widthTextField()->isEnabled());
        if (!bare)
            keepScreenshot(sheet->window(), QStringLiteral("canvas-size-sheet.png"));

        // Fixed: the fields become usable and their size is the page's and the canvas's.
        sheet->adjustmentSegmentedControl()->setCurrentIndex(1);
        EXPECT_TRUE(sheet->widthTextField()->isEnabled());
        sheet->widthTextField()->setText(QStringLiteral("640"));
        QTest::mouseClick(sheet->saveButton(), Qt::LeftButton);
        EXPECT_EQ(document->docSpecificFixedCanvasFlag(), 1);
        EXPECT_EQ(document->docSpecificPageWidth(), 640);
        EXPECT_EQ(document->docSpecificPageHeight(), bare ? 600 : 650);
        EXPECT_EQ(window->graphicView()->canvasSize(), QSizeF(640, bare ? 600 : 650));

        // Reopened, it shows the page's own size; automatic then stores 0 x 0 and the edition's size.
        choose(window, QStringLiteral("showAdjustCanvasSheet:"));
        sheet = window->pageDialogs()->adjustCanvasSheet();
        ASSERT_TRUE(sheet);
        EXPECT_EQ(sheet->widthTextField()->text(), QStringLiteral("640"));
        EXPECT_EQ(sheet->adjustmentSegmentedControl()->currentIndex(), 1);
        sheet->adjustmentSegmentedControl()->setCurrentIndex(0);
        QTest::mouseClick(sheet->saveButton(), Qt::LeftButton);
        EXPECT_EQ(document->docSpecificFixedCanvasFlag(), 0);
        EXPECT_EQ(document->docSpecificPageWidth(), 0);
        EXPECT_EQ(document->docSpecificPageHeight(), 0);
        EXPECT_EQ(window->graphicView()->canvasSize(), QSizeF(1000, 2000));

        // Cancel changes nothing.
        choose(window, QStringLiteral("showAdjustCanvasSheet:"));
        sheet = window->pageDialogs()->adjustCanvasSheet();
        sheet->adjustmentSegmentedControl()->setCurrentIndex(1);
        QTest::mouseClick(sheet->cancelButton(), Qt::LeftButton);
        EXPECT_EQ(document->docSpecificFixedCanvasFlag(), 0);
    }
}

TEST_F(SmallDialogsTest, ResetCanvasSizeNeedsAWholeFixedSize)
{
    edition().gCanvasWidth = 1000;
    edition().gCanvasHeight = 2000;
    DRVWindowController* window = pageReaching800x600();
    DRVDocument* document = window->document();
    const struct
    {
        int flag, width, height;
        QSizeF expected;
    } cases[] = {{1, 300, 400, {300, 400}}, {1, 0, 400, {1000, 2000}}, {0, 300, 400, {1000, 2000}}};
    for (const auto& c : cases) {
        document->setDocSpecificFixedCanvasFlag(c.flag);
        document->setDocSpecificPageWidth(c.width);
        document->setDocSpecificPageHeight(c.height);
        window->pageDialogs()->resetCanvasSize();
        EXPECT_EQ(window->graphicView()->canvasSize(), c.expected) << c.flag << " " << c.width;
    }
}

TEST_F(SmallDialogsTest, AnUnchangedTitleSavesNothingAndAChangedOneSavesThePage)
{
    DRVWindowController* window =
        documents.openDocumentWithContentsOfPath(savedPage(QStringLiteral("titled")));
    ASSERT_TRUE(window);
    DRVDocument* document = window->document();
    document->setPageOfficialName(QStringLiteral("Welcome"));
    const QString path = document->filePath();
    const QDateTime before = QFileInfo(path).lastModified();
    QTest::qWait(20);

    choose(window, QStringLiteral("showAdjustPageNumberSheet:"));
    PageNumberWindowController* sheet = window->pageDialogs()->pageNumberSheet();
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->pageTitleTextField()->text(), QStringLiteral("Welcome"));
    EXPECT_EQ(sheet->pageFileNameTextField()->text(), document->pageName());
    keepScreenshot(sheet->window(), QStringLiteral("page-title-sheet.png"));
    QTest::mouseClick(sheet->saveButton(), Qt::LeftButton);
    EXPECT_EQ(document->pageOfficialName(), QStringLiteral("Welcome"));
    EXPECT_EQ(QFileInfo(path).lastModified(), before) << "nothing was saved";

    choose(window, QStringLiteral("showAdjustPageNumberSheet:"));
    sheet = window->pageDialogs()->pageNumberSheet();
    sheet->pageTitleTextField()->clear();
    QTest::keyClicks(sheet->pageTitleTextField(), QStringLiteral("Our Shop"));
    QTest::mouseClick(sheet->saveButton(), Qt::LeftButton);
    EXPECT_EQ(document->pageOfficialName(), QStringLiteral("Our Shop"));
    EXPECT_GT(QFileInfo(path).lastModified(), before) << "the page saved itself";
}

TEST_F(SmallDialogsTest, CodeEditorFontSliderSetsThePointSizeInTheSameFamily)
{
    auto* snippet = new DRVText;
    snippet->setBounds({10, 10, 200, 80});
    snippet->setTextType(QStringLiteral("HTMLSnippet"));
    snippet->updateTextString(QStringLiteral("<b>Opening hours</b>\n<p>Mon-Fri 9-5</p>"));
    DRVWindowController* window = windowOnPage({snippet});
    window->graphicView()->changeSelectionIndexes({0});
    choose(window, QStringLiteral("showCodeEditor:"));
    auto* editor = qobject_cast<CodeEditorWindowController*>(window->graphicView()->codeEditor());
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("Code Editor"));
    const QFont before = editor->codeEditorTextView()->font();
    EXPECT_EQ(before.pointSize(), 13);
    EXPECT_EQ(editor->codeEditorTextView()->toPlainText(), snippet->textString());
    // Dragged to 18, as the slider reports each value it passes.
    editor->fontSizeSlider()->setValue(18);
    EXPECT_EQ(editor->codeEditorTextView()->font().pointSize(), 18);
    EXPECT_EQ(editor->codeEditorTextView()->font().family(), before.family());
    keepScreenshot(editor, QStringLiteral("code-editor.png"));
}
