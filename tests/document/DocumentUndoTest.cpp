#include "document/DRVDocument.h"
#include "editions/EditionSettings.h"
#include "model/DRVCircle.h"
#include "model/DRVRectangle.h"
#include "platform/UndoManager.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

// What undo must put back: which graphics, in which order, with which undoable values.
struct GraphicState
{
    DRVGraphic* graphic;
    QRectF bounds;
    QColor fill;
    bool drawingFill;
    double strokeWidth;
    double opacity;
    bool operator==(const GraphicState&) const = default;
};

QList<GraphicState> snapshot(const DRVDocument& doc)
{
    QList<GraphicState> states;
    for (DRVGraphic* g : doc.graphics())
        states.append({g, g->bounds(), g->fillColor(), g->isDrawingFill(), g->strokeWidth(), g->opacity()});
    return states;
}

struct Page
{
    DRVDocument doc;
    platform::UndoManager* undo = doc.undoManager();
    DRVGraphic* g1 = new DRVRectangle;
    DRVGraphic* g2 = new DRVCircle;
    DRVGraphic* g3 = new DRVRectangle;
    DRVGraphic* fresh = new DRVRectangle; // not on the page until a scenario inserts it

    Page()
    {
        undo->setGroupsByEvent(false);
        g1->setBounds(QRectF(0, 0, 10, 10));
        g2->setBounds(QRectF(20, 0, 10, 10));
        g3->setBounds(QRectF(40, 0, 10, 10));
        fresh->setParent(&doc);
        // As a page is opened: nothing to undo afterwards.
        undo->disableUndoRegistration();
        doc.insertGraphics({g1, g2, g3}, {0, 1, 2});
        undo->enableUndoRegistration();
    }

    void inGroup(const std::function<void()>& work)
    {
        undo->beginUndoGrouping();
        work();
        undo->endUndoGrouping();
    }
};

// A graphic whose set of undoable keys changes while it lives.
class GrowingGraphic : public DRVGraphic
{
public:
    QSet<QString> extraKeys;
    QSet<QString> keysForValuesToObserveForUndo() const override
    {
        return DRVGraphic::keysForValuesToObserveForUndo() + extraKeys;
    }
    QString presentablePropertyNameForKey(const QString& key) const override
    {
        if (key == "opacity")
            return "Opacity";
        return DRVGraphic::presentablePropertyNameForKey(key);
    }
    void addUndoKey(const QString& key)
    {
        willChangeValueForKey("keysForValuesToObserveForUndo");
        extraKeys.insert(key);
        didChangeValueForKey("keysForValuesToObserveForUndo");
    }
};

} // namespace

TEST(DocumentUndo, Scenarios)
{
    struct Scenario
    {
        const char* name;
        std::function<void(Page&)> act;
        bool undoable;
        QString actionName;
    };
    const Scenario scenarios[] = {
        {"one property of three graphics",
         [](Page& p) {
             for (DRVGraphic* g : {p.g1, p.g2, p.g3})
                 g->setFillColor(Qt::red);
         },
         true, "Change of Fill Color"},
        {"two properties give the multiple name",
         [](Page& p) {
             p.g1->setFillColor(Qt::red);
             p.g1->setStrokeWidth(5);
             p.g2->setBounds(QRectF(1, 2, 3, 4));
         },
         true, "Change of Multiple Graphic Properties"},
        {"the same key twice restores the first old value",
         [](Page& p) {
             p.g1->setWidth(20);
             p.g1->setWidth(30);
         },
         true, "Change of Bounds"},
        {"changes by key are recorded too", [](Page& p) { p.g2->setValueForKey("strokeWidth", 7.5); }, true,
         "Change of Stroke Width"},
        {"setColor turns the fill on as a second property", [](Page& p) { p.g3->setColor(Qt::green); }, true,
         "Change of Multiple Graphic Properties"},
        {"insert and edit in one group undo together",
         [](Page& p) {
             p.doc.insertGraphics({p.fresh}, {0});
             p.fresh->setFillColor(Qt::red);
             p.fresh->setBounds(QRectF(5, 5, 50, 50));
             p.undo->setActionName("Insert");
         },
         true, "Insert"},
        {"insert one graphic and edit another",
         [](Page& p) {
             p.doc.insertGraphics({p.fresh}, {1});
             p.g3->setDrawingFill(true);
         },
         true, "Change of Filling"},
        {"remove two graphics",
         [](Page& p) {
             p.doc.removeGraphicsAtIndexes({0, 2});
             p.undo->setActionName("Delete");
         },
         true, "Delete"},
        {"a value it already has records nothing",
         [](Page& p) {
             p.g1->setFillColor(p.g1->fillColor());
             p.g2->setValueForKey("bounds", p.g2->bounds());
         },
         false, ""},
        {"a key outside the undo keys records nothing", [](Page& p) { p.g1->setOpacity(0.25); }, false, ""},
        {"registration disabled records nothing",
         [](Page& p) {
             p.undo->disableUndoRegistration();
             p.g1->setFillColor(Qt::red);
             p.doc.insertGraphics({p.fresh}, {0});
             p.doc.removeGraphicsAtIndexes({1});
             p.undo->enableUndoRegistration();
         },
         false, ""},
    };

    for (const Scenario& s : scenarios) {
        SCOPED_TRACE(s.name);
        Page page;
        const QList<GraphicState> before = snapshot(page.doc);
        page.inGroup([&] { s.act(page); });
        const QList<GraphicState> after = snapshot(page.doc);
        ASSERT_EQ(page.undo->canUndo(), s.undoable);
        if (!s.undoable)
            continue;
        EXPECT_NE(before, after);
        EXPECT_EQ(page.undo->undoActionName(), s.actionName);

        page.undo->undo();
        EXPECT_EQ(snapshot(page.doc), before);
        // The changes made while undoing registered the redo, under the same name.
        ASSERT_TRUE(page.undo->canRedo());
        EXPECT_EQ(page.undo->redoActionName(), s.actionName);

        page.undo->redo();
        EXPECT_EQ(snapshot(page.doc), after);
        EXPECT_EQ(page.undo->undoActionName(), s.actionName);
        page.undo->undo();
        EXPECT_EQ(snapshot(page.doc), before);
    }
}

TEST(DocumentUndo, FreshDocumentAndEmptyRemoval)
{
    DRVDocument doc;
    doc.undoManager()->setGroupsByEvent(false);
    EXPECT_TRUE(doc.graphics().isEmpty());
    doc.undoManager()->beginUndoGrouping();
    EXPECT_TRUE(doc.removeGraphicsAtIndexes({}));
    doc.undoManager()->endUndoGrouping();
    EXPECT_TRUE(doc.graphics().isEmpty());
    ASSERT_TRUE(doc.undoManager()->canUndo());
    doc.undoManager()->undo();
    EXPECT_TRUE(doc.graphics().isEmpty());
}

TEST(DocumentUndo, InsertionsGoInFrontAndComeBackWhereTheyWere)
{
    Page page;
    auto* a = new DRVRectangle;
    auto* b = new DRVRectangle;
    QList<QList<int>> reported;
    QObject::connect(&page.doc, &platform::Observable::arrayChanged, &page.doc,
                     [&reported](platform::Observable*, const QString& key, platform::ArrayChange,
                                 const QList<int>& indexes, const QVariantList&) {
                         if (key == "graphics")
                             reported.append(indexes);
                     });
    page.inGroup([&] { page.doc.insertGraphics({a, b}, {0, 1}); });
    EXPECT_EQ(page.doc.graphics(), (QList<DRVGraphic*>{a, b, page.g1, page.g2, page.g3}));
    EXPECT_EQ(a->parent(), &page.doc);
    page.undo->undo();
    EXPECT_EQ(page.doc.graphics(), (QList<DRVGraphic*>{page.g1, page.g2, page.g3}));
    page.undo->redo();
    EXPECT_EQ(page.doc.graphics(), (QList<DRVGraphic*>{a, b, page.g1, page.g2, page.g3}));
    EXPECT_EQ(reported, (QList<QList<int>>{{0, 1}, {0, 1}, {0, 1}}));

    // A graphic removed and put back by undo is observed again.
    page.inGroup([&] { page.doc.removeGraphicsAtIndexes({0}); });
    page.undo->undo();
    page.inGroup([&] { a->setStrokeWidth(9); });
    EXPECT_EQ(page.undo->undoActionName(), "Change of Stroke Width");
}

TEST(DocumentUndo, GroupStateLivesForOneGroup)
{
    Page page;
    page.undo->disableUndoRegistration();
    page.doc.insertGraphics({page.fresh}, {0});
    EXPECT_TRUE(page.doc.undoGroupInsertedGraphics().isEmpty());
    page.undo->enableUndoRegistration();

    page.undo->beginUndoGrouping();
    page.g1->setFillColor(Qt::red);
    EXPECT_EQ(page.doc.undoGroupPresentablePropertyName(), "Fill Color");
    page.g1->setStrokeWidth(2);
    EXPECT_TRUE(page.doc.undoGroupHasChangesToMultipleProperties());
    page.undo->endUndoGrouping();
    EXPECT_FALSE(page.doc.undoGroupHasChangesToMultipleProperties());
    EXPECT_TRUE(page.doc.undoGroupPresentablePropertyName().isNull());

    // Removed graphics are no longer recorded.
    page.inGroup([&] { page.doc.removeGraphicsAtIndexes({1}); });
    page.inGroup([&] { page.g1->setFillColor(Qt::blue); });
    EXPECT_EQ(page.undo->undoActionName(), "");
}

TEST(DocumentUndo, GrowingUndoKeysAreObservedFromThenOn)
{
    Page page;
    auto* growing = new GrowingGraphic;
    page.inGroup([&] { page.doc.insertGraphics({growing}, {0}); });

    page.inGroup([&] { growing->setOpacity(0.5); });
    EXPECT_EQ(page.undo->undoActionName(), ""); // opacity was not undoable yet

    growing->addUndoKey("opacity");
    page.inGroup([&] { growing->setOpacity(0.25); });
    EXPECT_EQ(page.undo->undoActionName(), "Change of Opacity");
    page.undo->undo();
    EXPECT_EQ(growing->opacity(), 0.5);

    // A key with no presentable name is still undoable, under a generic name.
    growing->addUndoKey("link");
    page.inGroup([&] { growing->setLink("index.html"); });
    EXPECT_EQ(page.undo->undoActionName(), "Change of Property");
    page.undo->undo();
    EXPECT_TRUE(growing->link().isNull());
}

TEST(DocumentUndo, BadIndexesAreRefused)
{
    Page page;
    auto* a = new DRVRectangle(&page.doc);
    EXPECT_FALSE(page.doc.insertGraphics({a}, {5}));
    EXPECT_FALSE(page.doc.insertGraphics({a}, {0, 1}));
    EXPECT_FALSE(page.doc.removeGraphicsAtIndexes({3}));
    EXPECT_FALSE(page.doc.removeGraphicsAtIndexes({1, 0}));
    EXPECT_EQ(page.doc.graphics().size(), 3);
    EXPECT_FALSE(page.undo->canUndo());
    page.inGroup([&] { EXPECT_TRUE(page.doc.insertGraphics({a}, {3})); });
    EXPECT_EQ(page.doc.graphics().last(), a);
}

TEST(DocumentCore, CanvasSize)
{
    const EditionSettings saved = edition();
    DRVDocument doc;
    EXPECT_EQ(doc.pageColor(), QColor(Qt::white));
    edition().gCanvasWidth = 700;
    edition().gCanvasHeight = 1200;
    EXPECT_EQ(doc.canvasSize(), QSizeF(700, 1200));
    edition().gCanvasWidth = 900;
    EXPECT_EQ(doc.canvasSize(), QSizeF(900, 1200));
    doc.setDocSpecificFixedCanvasFlag(1);
    doc.setDocSpecificPageWidth(320);
    doc.setDocSpecificPageHeight(480);
    EXPECT_EQ(doc.canvasSize(), QSizeF(320, 480));
    edition() = saved;
}
