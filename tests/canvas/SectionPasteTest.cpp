// Copied sections are rebuilt one below the other from the right-click point, and only while the
// clipboard still holds the copy that recorded them.
#include "FactoriesTestSupport.h"
#include "SectionPage.h"

#include <QApplication>
#include <QClipboard>

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

} // namespace
