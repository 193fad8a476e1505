// Inserting text objects from the window's own Insert menu: a badge lands at the insertion point as
// one undo step and comes back unchanged from the saved page; a page of one of each text kind is
// photographed in the window and, published, in headless Chromium. The pictures are kept in the
// build folder.
#include "GuiTestSupport.h"
#include "app/DocumentController.h"
#include "app/MenuModel.h"
#include "canvas/DRVGraphicView.h"
#include "common/ExternalTools.h"
#include "document/DRVDocument.h"
#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "generation/BrowserTestSupport.h"
#include "model/DRVImage.h"
#include "platform/Dialogs.h"
#include "platform/UndoManager.h"
#include "window/DRVWindowController.h"
#include "window/ShapeSelectionView.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QString kArtefacts = QStringLiteral(QUIB_GUI_ARTEFACTS_DIR);

class InsertMenuTest : public MenuWindowTest
{
protected:
    InsertMenuTest() : MenuWindowTest(QStringLiteral("Quib"))
    {
        EditionSettings& e = edition();
        e.gDefaultFontSize = 15;
        e.gInsertedImageMaxWidth = 0;
        e.gDateStampNewTextFlag = false;
        e.gResponsiveLayoutFlag = false;
        DataCentre::loadCustomFont();
    }

    DRVWindowController* openEmptyPage()
    {
        DRVWindowController* window = m_documents.addDocument(std::make_unique<DRVDocument>());
        window->window()->resize(1000, 700);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window->window()));
        return window;
    }
};

} // namespace

TEST_F(InsertMenuTest, ABadgeFromTheMenuIsOneUndoStepAndSurvivesSaving)
{
    DRVWindowController* window = openEmptyPage();
    DRVGraphicView* canvas = window->graphicView();
    DRVDocument* document = window->document();
    // Scrolled down: the insertion point follows the visible part.
    QAbstractScrollArea* area = scroller(canvas);
    ASSERT_TRUE(area);
    area->verticalScrollBar()->setValue(240);
    QCoreApplication::processEvents();
    const QPointF at = canvas->calculateOriginPoint();
    EXPECT_GT(at.y(), 30);

    choose(window, QStringLiteral("addQuibLink2:"));
    ASSERT_EQ(document->graphics().size(), 2);
    DRVGraphic* picture = document->graphics().at(0);
    DRVGraphic* badge = document->graphics().at(1);
    ASSERT_TRUE(qobject_cast<DRVImage*>(picture));
    EXPECT_EQ(picture->bounds(), QRectF(at, QSizeF(50, 50)));
    EXPECT_EQ(badge->bounds(), QRectF(at + QPointF(55, 10), QSizeF(200, 40)));
    EXPECT_EQ(badge->textString(), QStringLiteral("Made on my Mac with Quib"));
    EXPECT_EQ(document->undoManager()->undoActionName(), QStringLiteral("Page Link Badge"));

    // One step: Undo takes both parts away, Redo brings both back.
    choose(window, QStringLiteral("undo:"));
    EXPECT_TRUE(document->graphics().isEmpty());
    choose(window, QStringLiteral("redo:"));
    ASSERT_EQ(document->graphics().size(), 2);

    // A tag from the Personalization submenu: 100 in from the visible corner, then its offset.
    choose(window, QStringLiteral("addPerson_FirstName:"));
    ASSERT_EQ(document->graphics().size(), 3);
    const QPointF corner = at - QPointF(100, 30);
    EXPECT_EQ(document->graphics().at(0)->bounds().topLeft(), corner + QPointF(155, 110));

    const QVariantList before = DRVGraphic::propertiesWithGraphics(document->graphics());
    const QString path = m_root.filePath(QStringLiteral("badge.quibpage"));
    ASSERT_TRUE(document->saveDocumentTo(path)) << qPrintable(document->lastFileErrorText());
    const std::unique_ptr<DRVDocument> reopened = DRVDocument::openDocument(path);
    ASSERT_TRUE(reopened);
    const QVariantList after = DRVGraphic::propertiesWithGraphics(reopened->graphics());
    ASSERT_EQ(after.size(), before.size());
    // The two text boxes come back with the same dictionary; the picture keeps its place and name.
    // What the saved page does not hold for a text box is left out: the page's name, the padding
    // level names (kept for sections and tables only) and the form tag of a box that is no field.
    const QStringList notSaved{
        "templateName",           "topPaddingLevelString",   "bottomPaddingLevelString",
        "leftPaddingLevelString", "rightPaddingLevelString", "formTag"};
    for (int i : {0, 2}) {
        QVariantMap was = before.at(i).toMap();
        const QVariantMap now = after.at(i).toMap();
        for (const QString& key : notSaved)
            was.remove(key);
        EXPECT_EQ(was.value("textString"), now.value("textString"));
        for (auto it = was.begin(); it != was.end(); ++it)
            EXPECT_EQ(now.value(it.key()), it.value())
                << i << " " << qPrintable(it.key()) << ": " << qPrintable(it.value().toString()) << " became "
                << qPrintable(now.value(it.key()).toString());
    }
    const QVariantMap pictureWas = before.at(1).toMap();
    const QVariantMap pictureNow = after.at(1).toMap();
    for (const char* key : {"className", "bounds", "imageName", "groupNumber", "link"})
        EXPECT_EQ(pictureNow.value(key), pictureWas.value(key)) << key;
}

TEST_F(InsertMenuTest, APageOfEveryTextKindInTheWindowAndInTheBrowser)
{
    // The presets as start-up builds them: a text style and the seven shapes of one colour.
    ShapeSelectionView::installPresetFactories();
    edition().gPresetTextViews = {presetFactories().createDefaultTextView(
        QStringLiteral("EAF2F8"), QStringLiteral("1F6FB2"), QFont(QStringLiteral("Lato"), 30),
        QStringLiteral("Heading"))};
    edition().gPresetShapes = presetFactories().createBatchOfShapes(QStringLiteral("4F94CD"));

    DRVWindowController* window = openEmptyPage();
    DRVGraphicView* canvas = window->graphicView();
    DRVDocument* document = window->document();
    document->setPageName(QStringLiteral("index"));
    window->window()->resize(1400, 800);
    choose(window, QStringLiteral("addPerson_LastName:"));    // (155, 110)
    choose(window, QStringLiteral("addPerson_FullAddress:")); // (10, 10)
    canvas->addIndividual_drag(QPointF(420, 20));
    canvas->addZoomBubbleTextbox_drag(QPointF(760, 30), 1000, QStringLiteral("star"), 1);
    canvas->addZoomBubbleTextbox_drag(QPointF(880, 30), 1000, QStringLiteral("octagon"), 0);
    DRVGraphicView::TextBoxArguments button =
        DRVGraphicView::TextBoxArguments::with(QStringLiteral("Click Here"), QRectF(420, 250, 240, 50), -99,
                                               QFont(QStringLiteral("Helvetica Neue"), 25));
    button.backgroundColor = QStringLiteral("33A1C9");
    button.textColor = QStringLiteral("FFFFFF");
    button.cornerRadius = 10;
    button.alignment = QStringLiteral("center");
    canvas->addTextBox(button);
    // The rest 30 below the lowest object.
    platform::UserDefaults::standard().setBool(QStringLiteral("InsertNewAtEndFlag"), true);
    choose(window, QStringLiteral("addQuibLink4:"));
    canvas->addNewSelectedTextView(0);
    canvas->addNewShape(1); // the large square with rounded corners
    platform::UserDefaults::standard().setBool(QStringLiteral("InsertNewAtEndFlag"), false);
    const int count = int(document->graphics().size());
    ASSERT_EQ(count, 12); // ten text boxes and two pictures

    QDir().mkpath(kArtefacts);
    const QString windowShot = QDir(kArtefacts).filePath(QStringLiteral("insert-text-kinds-window.png"));
    QCoreApplication::processEvents();
    const QImage grabbed = window->window()->grab().toImage();
    ASSERT_FALSE(grabbed.isNull());
    ASSERT_TRUE(grabbed.save(windowShot));

    const QString path = m_root.filePath(QStringLiteral("kinds.quibpage"));
    ASSERT_TRUE(document->saveDocumentTo(path)) << qPrintable(document->lastFileErrorText());
    const QString page = document->pagePath();
    ASSERT_TRUE(QFileInfo::exists(page)) << qPrintable(page);
    QFile::remove(QDir(kArtefacts).filePath(QStringLiteral("insert-text-kinds.html")));
    QFile::copy(page, QDir(kArtefacts).filePath(QStringLiteral("insert-text-kinds.html")));

    if (!haveBrowserOrFail())
        return;
    const QString browserShot = QDir(kArtefacts).filePath(QStringLiteral("insert-text-kinds-browser.png"));
    QFile::remove(browserShot);
    const QJsonObject report = browsertest::runPage(
        page, QStringLiteral("inserted-kinds-check.js"), 1100,
        {QStringLiteral("--height"), QStringLiteral("760"), QStringLiteral("--fonts"),
         QStringLiteral(QUIB_RESOURCES_DIR "/fonts"), QStringLiteral("--screenshot"), browserShot});
    const QString out = browsertest::compact(report);
    browsertest::expectNoScriptErrors(report);
    EXPECT_FALSE(QImage(browserShot).isNull());
    const QJsonObject result = report.value("result").toObject();
    // Every text of the page is shown, and both pictures have loaded.
    const QString texts = browsertest::compact(result.value("texts"));
    for (const char* expected : {"[LAST_NAME]", "[ZIPCODE]", "Proudly web designed with Quib",
                                 "Profile Details", "Click Here", "New text box"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(expected)))
            << expected << " not in " << qPrintable(texts);
    EXPECT_GE(result.value("boxes").toInt(), 10);
    EXPECT_EQ(result.value("loadedImages").toInt(), 2) << qPrintable(out);
}
