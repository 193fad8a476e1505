// A script's view of a page: kind lists, inserting and removing by kind, and range and before/after
// references, each checked on a small page whose order is spelled out.
#include "document/DRVDocument.h"
#include "document/ScriptObjectSpecifier.h"
#include "model/DRVCircle.h"
#include "model/DRVImage.h"
#include "model/DRVLine.h"
#include "model/DRVRectangle.h"
#include "model/DRVText.h"
#include "platform/UndoManager.h"

#include <gtest/gtest.h>

namespace {

using Specifier = ScriptObjectSpecifier;

// A page built from letters, front to back: R rectangle, C circle, L line, T text, I image.
struct Page
{
    DRVDocument doc;
    QList<DRVGraphic*> made;

    explicit Page(const QString& letters)
    {
        doc.undoManager()->setGroupsByEvent(false);
        QList<int> indexes;
        for (QChar c : letters) {
            made.append(make(c));
            indexes.append(int(indexes.size()));
        }
        doc.undoManager()->disableUndoRegistration();
        if (!made.isEmpty())
            doc.insertGraphics(made, indexes);
        doc.undoManager()->enableUndoRegistration();
    }

    static DRVGraphic* make(QChar c)
    {
        switch (c.unicode()) {
        case 'R':
            return new DRVRectangle;
        case 'C':
            return new DRVCircle;
        case 'L':
            return new DRVLine;
        case 'T':
            return new DRVText;
        default:
            return new DRVImage;
        }
    }

    // The page as letters again.
    QString letters() const
    {
        QString out;
        for (DRVGraphic* g : doc.graphics()) {
            out += qobject_cast<DRVRectangle*>(g) ? u'R'
                   : qobject_cast<DRVCircle*>(g)  ? u'C'
                   : qobject_cast<DRVLine*>(g)    ? u'L'
                   : qobject_cast<DRVText*>(g)    ? u'T'
                                                  : u'I';
        }
        return out;
    }
};

std::optional<QList<int>> range(const DRVDocument& doc, const QString& key, std::shared_ptr<Specifier> start,
                                std::shared_ptr<Specifier> end)
{
    return doc.indicesOfObjectsByEvaluatingObjectSpecifier(
        Specifier::range(key, std::move(start), std::move(end)));
}

std::optional<QList<int>> relative(const DRVDocument& doc, const QString& key, std::shared_ptr<Specifier> base,
                                   bool after)
{
    return doc.indicesOfObjectsByEvaluatingObjectSpecifier(Specifier::relative(key, std::move(base), after));
}

} // namespace

TEST(Scripting, KindListsHoldTheirClassInPageOrder)
{
    Page page(QStringLiteral("RCITIRL"));
    const struct
    {
        const char* key;
        QList<int> positions; // positions among all graphics
    } cases[] = {
        {"graphics", {0, 1, 2, 3, 4, 5, 6}},
        {"rectangles", {0, 5}},
        {"circles", {1}},
        {"lines", {6}},
        {"textAreas", {3}},
        {"images", {2, 4}},
    };
    for (const auto& c : cases) {
        const auto list = page.doc.scriptingElements(QLatin1String(c.key));
        ASSERT_TRUE(list) << c.key;
        QList<int> positions;
        for (DRVGraphic* g : *list)
            positions.append(page.doc.objectSpecifierForGraphic(g));
        EXPECT_EQ(positions, c.positions) << c.key;
    }
    EXPECT_FALSE(page.doc.scriptingElements(QStringLiteral("tables")));
    EXPECT_EQ(page.doc.objectSpecifierForGraphic(page.made.at(3)), 3);
    DRVRectangle stranger;
    EXPECT_EQ(page.doc.objectSpecifierForGraphic(&stranger), -1);
}

TEST(Scripting, InsertGoesBehindTheKindsGraphicOrAtTheEnd)
{
    const struct
    {
        const char* page;
        const char* key;
        QChar kind;
        int index;
        const char* after;
    } cases[] = {
        // The first rectangle is the third graphic: the new one becomes the third, the old the fourth.
        {"CIRTR", "rectangles", u'R', 0, "CIRRTR"},
        // At the count of rectangles: after every graphic.
        {"CIRTR", "rectangles", u'R', 2, "CIRTRR"},
        {"CIRTR", "circles", u'C', 0, "CCIRTR"},
        {"CIRTR", "images", u'I', 1, "CIRTRI"},
        {"CIRTR", "textAreas", u'T', 0, "CIRTTR"},
        {"", "lines", u'L', 0, "L"},
    };
    for (const auto& c : cases) {
        Page page(QLatin1String(c.page));
        DRVGraphic* fresh = Page::make(c.kind);
        ASSERT_TRUE(page.doc.insertObjectInElementsAtIndex(QLatin1String(c.key), fresh, c.index))
            << c.page << " " << c.key;
        EXPECT_EQ(page.letters(), QLatin1String(c.after)) << c.page << " " << c.key;
        EXPECT_EQ(page.doc.scriptingElements(QLatin1String(c.key))->at(c.index), fresh);
    }
    // The named operations are the same rule.
    Page page(QStringLiteral("CIRTR"));
    auto* rect = new DRVRectangle;
    ASSERT_TRUE(page.doc.insertObjectInRectanglesAtIndex(rect, 0));
    EXPECT_EQ(page.doc.graphics().at(2), rect);
    EXPECT_EQ(page.doc.graphics().at(3), page.made.at(2));
}

TEST(Scripting, RemoveTakesTheKindsGraphicAndBadIndexesChangeNothing)
{
    Page page(QStringLiteral("CIRTRI"));
    ASSERT_TRUE(page.doc.removeObjectFromImagesAtIndex(1));
    EXPECT_EQ(page.letters(), QStringLiteral("CIRTR"));
    ASSERT_TRUE(page.doc.removeObjectFromRectanglesAtIndex(0));
    EXPECT_EQ(page.letters(), QStringLiteral("CITR"));

    const struct
    {
        const char* key;
        int index;
        bool insert;
    } refused[] = {
        {"rectangles", 2, false}, {"rectangles", 3, true}, {"circles", -1, true},
        {"lines", 0, false},      {"graphics", 0, true},   {"tables", 0, false},
    };
    for (const auto& c : refused) {
        QString error;
        DRVRectangle keptByCaller;
        const bool done =
            c.insert
                ? page.doc.insertObjectInElementsAtIndex(QLatin1String(c.key), &keptByCaller, c.index, &error)
                : page.doc.removeObjectFromElementsAtIndex(QLatin1String(c.key), c.index, &error);
        EXPECT_FALSE(done) << c.key << " " << c.index;
        EXPECT_FALSE(error.isEmpty()) << c.key;
        EXPECT_EQ(page.letters(), QStringLiteral("CITR")) << c.key;
    }
}

TEST(Scripting, EveryChangeIsOneUndoStep)
{
    Page page(QStringLiteral("RCI"));
    platform::UndoManager* undo = page.doc.undoManager();
    undo->beginUndoGrouping();
    page.doc.insertObjectInCirclesAtIndex(new DRVCircle, 0);
    undo->endUndoGrouping();
    EXPECT_EQ(page.letters(), QStringLiteral("RCCI"));
    undo->beginUndoGrouping();
    page.doc.removeObjectFromRectanglesAtIndex(0);
    undo->endUndoGrouping();
    EXPECT_EQ(page.letters(), QStringLiteral("CCI"));
    undo->undo();
    EXPECT_EQ(page.letters(), QStringLiteral("RCCI"));
    undo->undo();
    EXPECT_EQ(page.letters(), QStringLiteral("RCI"));
    undo->redo();
    EXPECT_EQ(page.letters(), QStringLiteral("RCCI"));
}

TEST(Scripting, RangesAreOrderedAndCountOnlyTheirKind)
{
    //                      0123456
    Page page(QStringLiteral("IRTCIRI"));
    const auto el = [](const char* key, int i) { return Specifier::element(QLatin1String(key), i); };
    const struct
    {
        const char* name;
        std::optional<QList<int>> got;
        std::optional<QList<int>> expected;
    } cases[] = {
        // The second image back to the first: ordered, as positions in the image list.
        {"images 2nd to 1st", range(page.doc, "images", el("images", 1), el("images", 0)), QList<int>{0, 1}},
        // From a text area: the graphics between are scanned, only images count.
        {"images from a text area", range(page.doc, "images", el("textAreas", 0), nullptr), QList<int>{1, 2}},
        {"graphics 1 to 3", range(page.doc, "graphics", el("graphics", 3), el("graphics", 1)),
         QList<int>{1, 2, 3}},
        {"rectangles up to the last circle", range(page.doc, "rectangles", nullptr, el("circles", 0)),
         QList<int>{0}},
        {"a nested range as the start",
         range(page.doc, "graphics",
               std::make_shared<Specifier>(Specifier::range("images", el("images", 1), el("images", 2))), nullptr),
         QList<int>{4, 5, 6}},
        {"no ends", range(page.doc, "images", nullptr, nullptr), std::nullopt},
        {"unknown key", range(page.doc, "tables", el("images", 0), nullptr), std::nullopt},
        {"unknown start key", range(page.doc, "images", el("tables", 0), nullptr), std::nullopt},
        {"start beyond its list", range(page.doc, "images", el("circles", 1), nullptr), std::nullopt},
        {"an index reference is not ours",
         page.doc.indicesOfObjectsByEvaluatingObjectSpecifier(*el("images", 0)), std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.got, c.expected) << c.name;

    Page empty(QString{});
    EXPECT_EQ(range(empty.doc, "images", el("images", 0), nullptr), QList<int>{});
}

TEST(Scripting, BeforeAndAfterFindTheNearestOfTheirKind)
{
    //                      01234
    Page page(QStringLiteral("RTCLI"));
    const auto el = [](const char* key, int i) { return Specifier::element(QLatin1String(key), i); };
    const struct
    {
        const char* name;
        std::optional<QList<int>> got;
        std::optional<QList<int>> expected;
    } cases[] = {
        {"the graphic after the last graphic", relative(page.doc, "graphics", el("graphics", 4), true),
         QList<int>{}},
        {"the graphic before the first", relative(page.doc, "graphics", el("graphics", 0), false),
         QList<int>{}},
        {"the graphic after the text", relative(page.doc, "graphics", el("textAreas", 0), true),
         QList<int>{2}},
        // The first four graphics hold no image.
        {"the image before the fifth graphic", relative(page.doc, "images", el("graphics", 4), false),
         QList<int>{}},
        {"the image after the rectangle", relative(page.doc, "images", el("rectangles", 0), true),
         QList<int>{0}},
        {"the rectangle before the line", relative(page.doc, "rectangles", el("lines", 0), false),
         QList<int>{0}},
        // A range as the base: its last graphic when looking after it.
        {"after a range",
         relative(page.doc, "graphics",
                  std::make_shared<Specifier>(Specifier::range("graphics", el("graphics", 1), el("graphics", 2))),
                  true),
         QList<int>{3}},
        {"no base", relative(page.doc, "images", nullptr, true), std::nullopt},
        {"unknown base key", relative(page.doc, "images", el("tables", 0), true), std::nullopt},
        {"base not on the page", relative(page.doc, "images", el("images", 3), true), std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.got, c.expected) << c.name;
}

TEST(Scripting, AMadeGraphicOfTheAbstractClassIsACircle)
{
    std::unique_ptr<DRVGraphic> abstract(
        DRVDocument::newScriptingObjectOfClass(QStringLiteral("DRVGraphic")));
    EXPECT_TRUE(qobject_cast<DRVCircle*>(abstract.get()));
    std::unique_ptr<DRVGraphic> line(DRVDocument::newScriptingObjectOfClass(QStringLiteral("DRVLine")));
    EXPECT_TRUE(qobject_cast<DRVLine*>(line.get()));
    EXPECT_EQ(DRVDocument::newScriptingObjectOfClass(QStringLiteral("QWidget")), nullptr);
}
