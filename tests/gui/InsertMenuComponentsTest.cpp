// Tables and components made from the Insert menu of a real document window: the window's own
// actions, the insertion point, one undo step each, a save and reopen that keeps the dictionaries,
// and a page of one of each kind photographed on the canvas and, published, in headless Chromium.
#include "GuiTestSupport.h"
#include "app/DocumentController.h"
#include "app/MenuModel.h"
#include "canvas/DRVGraphicView.h"
#include "canvas/FactoriesTestSupport.h"
#include "document/DRVDocument.h"
#include "editions/EditionSettings.h"
#include "generation/BrowserTestSupport.h"
#include "model/DRVTable.h"
#include "model/myTextView.h"
#include "platform/Dialogs.h"
#include "platform/UndoManager.h"
#include "platform/UserDefaults.h"
#include "window/DRVWindowController.h"

#include <QAbstractScrollArea>
#include <QDir>
#include <QImage>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QTest>
#include <QTextDocument>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

// What a cell shows and where: the values a saved page must give back.
QVariantMap cellValues(const myTextView* cell)
{
    QVariantMap values;
    for (const char* key : {"rowSpot",
                            "columnSpot",
                            "width",
                            "height",
                            "fixedWidthFlag",
                            "fixedHeightFlag",
                            "textColorString",
                            "textHexColorString",
                            "backgroundHexColorString",
                            "familyName",
                            "fontSize",
                            "textAlignment",
                            "verticalAlignment",
                            "borderWidth",
                            "borderHexColorString",
                            "alphaValue",
                            "shadowFlag",
                            "link",
                            "linkType",
                            "sectionNumber"})
        values.insert(QLatin1String(key), cell->property(key));
    values.insert(QStringLiteral("borderLine"), cell->textView()->borderLine());
    values.insert(QStringLiteral("text"),
                  cell->textStorage() ? cell->textStorage()->toPlainText() : QString());
    return values;
}

class InsertMenuComponentsTest : public MenuWindowTest
{
protected:
    explicit InsertMenuComponentsTest(const char* editionName = "Quib")
        : MenuWindowTest(QString::fromLatin1(editionName))
    {
    }

    DRVWindowController* openWindow()
    {
        auto document = std::make_unique<DRVDocument>();
        document->setDocSpecificPageWidth(1200);
        DRVWindowController* window = m_documents.addDocument(std::move(document));
        window->window()->resize(1000, 760);
        window->showWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window->window()));
        return window;
    }
};

} // namespace

TEST_F(InsertMenuComponentsTest, TheMenuTableLandsAtTheInsertionPointAndSurvivesASave)
{
    DRVWindowController* window = openWindow();
    DRVDocument* document = window->document();
    DRVGraphicView* canvas = window->graphicView();
    // Scrolled down the page: the table comes where the user is looking.
    QAbstractScrollArea* area = scroller(canvas);
    ASSERT_NE(area, nullptr);
    area->verticalScrollBar()->setValue(240);
    QCoreApplication::processEvents();
    const QPointF origin = canvas->calculateOriginPoint();
    EXPECT_EQ(origin, QPointF(100, 270));

    choose(window, QStringLiteral("addNewTable:"));
    ASSERT_EQ(document->graphics().size(), 1);
    auto* table = qobject_cast<DRVTable*>(document->graphics().constFirst());
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->bounds(), QRectF(std::trunc(origin.x()), std::trunc(origin.y()), 800, 100));
    EXPECT_EQ(table->numOfColumns(), 4);

    platform::UndoManager* undo = document->undoManager();
    undo->closeEventGroup();
    EXPECT_EQ(undo->undoActionName(), QStringLiteral("Add Table"));
    choose(window, QStringLiteral("undo:"));
    EXPECT_TRUE(document->graphics().isEmpty());
    choose(window, QStringLiteral("redo:"));
    ASSERT_EQ(document->graphics().size(), 1);
    table = qobject_cast<DRVTable*>(document->graphics().constFirst());

    // A component from the submenu goes in front of it, as its own step.
    choose(window, DRVGraphicView::libraryItemAction(QStringLiteral("quib_table_multiColumnWidth")));
    ASSERT_EQ(document->graphics().size(), 2);
    undo->closeEventGroup();
    choose(window, QStringLiteral("undo:"));
    EXPECT_EQ(document->graphics(), QList<DRVGraphic*>{table});

    // Saved and opened again: the same dictionary and the same cells.
    table->layoutCells();
    const QString path = m_root.filePath(QStringLiteral("tables.quibpage"));
    ASSERT_TRUE(document->saveDocumentTo(path)) << qPrintable(document->lastFileErrorText());
    QString error;
    const std::unique_ptr<DRVDocument> reopened = DRVDocument::openDocument(path, &error);
    ASSERT_TRUE(reopened) << qPrintable(error);
    ASSERT_EQ(reopened->graphics().size(), 1);
    auto* back = qobject_cast<DRVTable*>(reopened->graphics().constFirst());
    ASSERT_NE(back, nullptr);
    back->layoutCells();
    // A graphic read from a page belongs to that page's template.
    QVariantMap read = back->properties();
    EXPECT_EQ(read.take(QStringLiteral("templateName")).toString(), QStringLiteral("tables.html"));
    QVariantMap made = table->properties();
    made.remove(QStringLiteral("templateName"));
    EXPECT_EQ(factorytest::differences(read, made), "");
    ASSERT_EQ(back->cellHelperArray().size(), table->cellHelperArray().size());
    for (int i = 0; i < int(table->cellHelperArray().size()); ++i)
        EXPECT_EQ(factorytest::differences(cellValues(back->cellHelperArray().at(i)),
                                           cellValues(table->cellHelperArray().at(i))),
                  "")
            << "cell " << i;
}

class InsertEveryKindTest : public InsertMenuComponentsTest
{
protected:
    InsertEveryKindTest() : InsertMenuComponentsTest("HTML Quib Pro") {}
};

TEST_F(InsertEveryKindTest, APageOfEveryKindShowsOnTheCanvasAndInTheBrowser)
{
    // Each new object below the last, so that none covers another.
    platform::UserDefaults::standard().setBool(QStringLiteral("InsertNewAtEndFlag"), true);
    DRVWindowController* window = openWindow();
    DRVDocument* document = window->document();
    document->setPageName(QStringLiteral("index"));
    document->setMainTemplateName(QStringLiteral("index"));
    window->graphicView()->setSitePagesSource([] {
        return QList<DRVGraphicView::SitePage>{
            {QStringLiteral("Home"), QStringLiteral("index.html")},
            {QString(), QStringLiteral("draft.html")},
            // A title is the author's text, shown as typed.
            {QStringLiteral("Contact <b>us</b> & more"), QStringLiteral("contact.html")}};
    });

    QStringList actions{QStringLiteral("addNewTable:"), QStringLiteral("addNewTableSiteMap:"),
                        QStringLiteral("addNewTableSiteMapH:")};
    for (const DRVGraphicView::LibraryItem& item : DRVGraphicView::componentLibraryItems()) {
        if (item.key != QLatin1String("quib_table"))
            actions.append(DRVGraphicView::libraryItemAction(item.key));
    }
    for (const QString& action : actions) {
        SCOPED_TRACE(action.toStdString());
        const qsizetype before = document->graphics().size();
        choose(window, action);
        EXPECT_EQ(document->graphics().size(), before + 1);
    }

    // The canvas, photographed in the window.
    QCoreApplication::processEvents();
    QDir().mkpath(QStringLiteral(QUIB_GUI_ARTEFACTS_DIR));
    DRVGraphicView* canvas = window->graphicView();
    // The part of the page that holds objects, at half size.
    const QRectF used = canvas->viewRectForCanvasRect(
        QRectF(0, 0, canvas->canvasSize().width(), document->findMaxScreenHeight() + 20));
    const QImage onCanvas =
        canvas->grab(used.toRect()).toImage().scaledToWidth(int(used.width() / 2), Qt::SmoothTransformation);
    ASSERT_FALSE(onCanvas.isNull());
    EXPECT_TRUE(onCanvas.save(QStringLiteral(QUIB_GUI_ARTEFACTS_DIR "/insert-every-kind-canvas.png")));
    EXPECT_TRUE(window->window()->grab().save(
        QStringLiteral(QUIB_GUI_ARTEFACTS_DIR "/insert-every-kind-window.png")));

    // Published and loaded in Chromium: every object's sample text is on the page.
    QUIB_REQUIRE_BROWSER();
    QTemporaryDir site;
    document->setTempSavePathLocal(site.path());
    const QString page = document->generateSourceCode(QStringLiteral("index"), true, true);
    const QString path = browsertest::writePage(site.path(), page);
    ASSERT_FALSE(path.isEmpty());
    const QString shot = QStringLiteral(QUIB_GUI_ARTEFACTS_DIR "/insert-every-kind-browser.png");
    QFile::remove(shot);
    QProcess node;
    node.start(QStringLiteral("node"),
               {browsertest::browserFolder() + QStringLiteral("/run-page.js"), QStringLiteral("--page"), path,
                QStringLiteral("--check"), browsertest::browserFolder() + QStringLiteral("/texts-check.js"),
                QStringLiteral("--width"), QStringLiteral("1200"), QStringLiteral("--height"),
                QStringLiteral("4000"), QStringLiteral("--web"), QStringLiteral(QUIB_RESOURCES_DIR "/web"),
                QStringLiteral("--screenshot"), shot});
    ASSERT_TRUE(node.waitForFinished(120000));
    const QByteArray out = node.readAllStandardOutput();
    const QJsonObject report = QJsonDocument::fromJson(out.trimmed().split('\n').last()).object();
    ASSERT_FALSE(report.isEmpty()) << out.toStdString() << node.readAllStandardError().toStdString();
    browsertest::expectNoScriptErrors(report);
    const QJsonArray shown = report.value("result").toArray();
    QStringList texts;
    for (const QJsonValue& value : shown)
        texts.append(value.toString());
    for (const char* expected :
         {"Item 0", "Brand", "Main Menu Item 0", "Slide 1", "Panel header title", "Image hover caption.",
          "Jane Hall", "abc", "Home", "Contact <b>us</b> & more", "Link 1"}) {
        const bool found = std::any_of(texts.begin(), texts.end(), [expected](const QString& text) {
            return text.contains(QString::fromLatin1(expected));
        });
        EXPECT_TRUE(found) << expected;
    }
    EXPECT_TRUE(QFile::exists(shot));
}
