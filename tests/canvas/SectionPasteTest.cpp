// Copied sections are rebuilt one below the other from the right-click point, and only while the
// clipboard still holds the copy that recorded them; sections copied in another instance arrive
// from the clipboard data and land as this instance's own do.
#include "FactoriesTestSupport.h"
#include "SectionPage.h"

#include "canvas/DRVDragTypes.h"
#include "model/DRVText.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

namespace {

class SectionPasteTest : public factorytest::FactoryTest
{
protected:
    SectionPasteTest() : FactoryTest("Brumel Responsive Website Designer")
    {
        edition().gSectionAwarePasteFlag = true;
        upper = sectionpage::makeSection(1, QPointF(0, 0), {600, 600}, 300);
        lower = sectionpage::makeSection(2, QPointF(0, 350), {1200}, 200);
        place({upper, lower});
        bind();
        selection.setContent(&doc);
        view.bindSelectionIndexes(&selection);
        view.changeSelectionIndexes({0, 1});
    }

    QList<int> sectionTops() const
    {
        QList<int> tops;
        for (const DRVGraphic* graphic : doc.graphics()) {
            if (graphic != upper && graphic != lower)
                tops.append(platform::truncToInt(graphic->bounds().y()));
        }
        std::sort(tops.begin(), tops.end());
        return tops;
    }

    DRVSelectionModel selection;
    DRVTable* upper = nullptr;
    DRVTable* lower = nullptr;
};

TEST_F(SectionPasteTest, SectionsStackFromTheRightClickPoint)
{
    ASSERT_TRUE(view.copy());
    view.setLastTouchPoint(QPointF(20, 400));
    view.paste();
    EXPECT_EQ(sectionTops(), QList<int>({400, 750}));
    EXPECT_EQ(doc.undoManager()->undoActionName(), QStringLiteral("Paste"));
    doc.undoManager()->undo();
    EXPECT_EQ(doc.graphics().size(), 2);
}

TEST_F(SectionPasteTest, AnOutsideCopyForgetsTheRecordedSections)
{
    ASSERT_TRUE(view.copy());
    QApplication::clipboard()->setText(QStringLiteral("from another application"));
    view.setLastTouchPoint(QPointF(20, 400));
    view.paste();
    EXPECT_EQ(doc.graphics().size(), 2);
}

TEST_F(SectionPasteTest, SectionsAndMembersFromAnotherInstanceLandAsThisInstancesOwnDo)
{
    auto* member = new DRVText;
    member->initWithProperties(DRVGraphicView::textBoxProperties(
        DRVGraphicView::TextBoxArguments::with(QStringLiteral("in the right cell"), QRectF(640, 40, 120, 30),
                                               -99, QFont(QStringLiteral("DejaVu Sans"), 12))));
    member->setSectionNumber(1);
    member->setSectionRowSpot(0);
    member->setSectionColumnSpot(1);
    member->setSelectable(true);
    place({member});
    // No cascade: this instance's first paste and the other's land alike.
    edition().gOverlapCheckFlag = true;
    view.changeSelectionIndexes({0, 1, 2});
    ASSERT_TRUE(view.copy());
    const QByteArray bytes = QApplication::clipboard()->mimeData()->data(DRVDragTypes::graphicsMimeType());

    // What one paste at y 400 adds: each new graphic's class, bounds and, for tables, cells.
    auto pasteAt400 = [this, member] {
        view.setLastTouchPoint(QPointF(20, 400));
        view.paste();
        QStringList added;
        for (const DRVGraphic* graphic : doc.graphics()) {
            if (graphic == upper || graphic == lower || graphic == member)
                continue;
            added.append(factorytest::describe(graphic) + u' ' + platform::stringFromRect(graphic->bounds()));
        }
        std::sort(added.begin(), added.end());
        doc.undoManager()->undo();
        return added;
    };
    const QStringList own = pasteAt400();
    ASSERT_EQ(own.size(), 3) << qPrintable(own.join(u'\n'));
    // The member follows its section's copy, 400 down.
    EXPECT_TRUE(own.contains(QStringLiteral("DRVText {{640, 440}, {120, 30}}")))
        << qPrintable(own.join(u'\n'));
    EXPECT_EQ(doc.graphics().size(), 3);

    auto* foreign = new QMimeData;
    foreign->setData(DRVDragTypes::graphicsMimeType(), bytes);
    foreign->setData(DRVDragTypes::copyTokenMimeType(), QByteArray("1"));
    QApplication::clipboard()->setMimeData(foreign);
    EXPECT_EQ(pasteAt400(), own);
}

} // namespace
