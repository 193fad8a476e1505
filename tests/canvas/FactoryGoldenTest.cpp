// What every table and component factory makes, for a plain and a responsive edition: one table of
// cases (library key, edition, responsive flag, point) against the table each leaves at the front
// of the page, and the undo step each insertion is.
#include "FactoriesTestSupport.h"
#include "SectionPage.h"

using namespace factorytest;

namespace {

struct GoldenCase
{
    const char* key;
    const char* edition;
    bool responsive;
    QPointF point;
    const char* expected;
};

const char* const kPlain = "HTML Quib Pro";
const char* const kResponsive = "Brumel Responsive Website Designer";
const QPointF kAt(150.6, 410.7);
// Responsive pages hold one section with cells 750 and 450 wide, 600 high, at the top.
const QPointF kInFirstCell(100.5, 200);
const QPointF kInSecondCell(800, 200);
const QPointF kBelowSections(100, 900);

const GoldenCase kCases[] = {
    {"quib_table", kPlain, false, kAt,
     "DRVTable {{150, 410}, {800, 100}} table 1x4 pad 5 border solid section -99/-99/-99 w 200,200,200,200 h "
     "100 ''"},
    {"quib_table1_2", kPlain, false, kAt,
     "DRVTable {{150, 410}, {1000, 100}} table 1x2 pad 0 border solid section -99/-99/-99 w 333,666 h 100 "
     "''"},
    {"quib_table5_1", kPlain, false, kAt,
     "DRVTable {{150, 410}, {1000, 100}} table 1x2 pad 0 border solid section -99/-99/-99 w 833,166 h 100 "
     "''"},
    // Spans adding up to 10, kept as they are.
    {"quib_table2_3", kPlain, false, kAt,
     "DRVTable {{150, 410}, {1000, 100}} table 1x2 pad 0 border solid section -99/-99/-99 w 400,600 h 100 "
     "''"},
    // No section size in this edition: 1200 x 300.
    {"quib_section2", kPlain, false, kAt,
     "DRVTable {{0, 410}, {1200, 300}} section 1x2 pad 0 border solid section 1/-99/-99 w 600,600 h 0 ''"},
    {"quib_webstore_section", kPlain, false, kAt,
     "DRVTable {{0, 410}, {1170, 300}} sectionTemplate 1x4 pad 0 border solid section 0/-99/-99 w 0,0,0,0 h "
     "0 'Item 0'"},
    {"quib_navbar", kPlain, false, kAt,
     "DRVTable {{0, 410}, {1200, 50}} navbar 1x4 pad 5 border solid section 1/-99/-99 w 0,0,0,0 h 0 "
     "'Item 0'"},
    {"quib_navbar_centered", kPlain, false, kAt,
     "DRVTable {{0, 410}, {1200, 50}} navbar_centered 1x4 pad 5 border solid section 1/-99/-99 w 0,0,0,0 h "
     "0 'Item 0'"},
    {"quib_navbar_fixed", kPlain, false, kAt,
     "DRVTable {{0, 410}, {1200, 50}} navbar_fixed 1x5 pad 5 border solid section 1/-99/-99 w 0,0,0,0,0 h "
     "0 'Brand'"},
    {"quib_navbar_fixed_centered", kPlain, false, kAt,
     "DRVTable {{0, 410}, {400, 50}} navbar_fixed_centered 1x4 pad 5 border solid section 1/-99/-99 w "
     "0,0,0,0 h 0 'Brand'"},
    {"quib_dropdownmenu", kPlain, false, kAt,
     "DRVTable {{0, 410}, {1200, 250}} dropdownmenu 5x4 pad 5 border solid section 1/-99/-99 w 0,0,0,0 h "
     "0,0,0,0,0 'Main Menu Item 0'"},
    {"quib_text_carousel", kPlain, false, kAt,
     "DRVTable {{0, 410}, {1200, 200}} text_carousel 3x4 pad 5 border solid section -99/-99/-99 w 0,0,0,0 h "
     "50,0,50 'Slide 1'"},
    {"quib_collapsible_text_panel", kPlain, false, kAt,
     "DRVTable {{0, 0}, {400, 150}} collapsible_text_panel 2x1 pad 5 border solid section -99/-99/-99 w 400 "
     "h "
     "50,100 'Panel header title'"},
    {"quib_collapsible_image_panel", kPlain, false, kAt,
     "DRVTable {{0, 0}, {400, 450}} collapsible_image_panel 3x1 pad 5 border solid section -99/-99/-99 w 400 "
     "h 315,45,90 ''"},
    {"quib_photo_hover_caption", kPlain, false, kAt,
     "DRVTable {{0, 0}, {400, 400}} photo_hover_caption 2x1 pad 5 border solid section -99/-99/-99 w 400 h "
     "200,200 ''"},
    {"quib_tear_off_tab_2", kPlain, false, kAt,
     "DRVTable {{150, 410}, {300, 1000}} table 12x1 pad 0 border dashed section -99/-99/-99 w 0 h "
     "0,0,0,0,0,0,0,0,0,0,0,0 'Jane Hall      123-456-7890'"},
    {"quib_table_multiColumnWidth", kPlain, false, kAt,
     "DRVTable {{150, 410}, {415, 280}} table 5x2 pad 5 border solid section -99/-99/-99 w 300,100 h "
     "50,50,50,50,50 'abc'"},
    {"quib_table_of_contents", kPlain, false, kAt,
     "DRVTable {{150, 410}, {1050, 100}} TableOfContents 2x2 pad 5 border none section -99/-99/-99 w 1000,50 "
     "h 50,50 'Home'"},

    {"quib_table", kResponsive, true, kInFirstCell,
     "DRVTable {{0, 200}, {750, 100}} table 1x4 pad 5 border solid section 1/0/0 w 200,200,200,200 h 100 ''"},
    // The cell's 750 shared out in twelfths; no cell borders.
    {"quib_table1_2", kResponsive, true, kInFirstCell,
     "DRVTable {{0, 200}, {750, 100}} table 1x2 pad 0 border none section 1/0/0 w 250,500 h 100 ''"},
    {"quib_collapsible_image_panel", kResponsive, true, kInFirstCell,
     "DRVTable {{0, 200}, {750, 450}} collapsible_image_panel 3x1 pad 5 border solid section 1/0/0 w 750 h "
     "315,45,90 ''"},
    {"quib_photo_hover_caption", kResponsive, true, kInSecondCell,
     "DRVTable {{750, 200}, {450, 400}} photo_hover_caption 2x1 pad 5 border solid section 1/0/1 w 450 h "
     "200,200 ''"},
    {"quib_text_carousel", kResponsive, true, kInSecondCell,
     "DRVTable {{750, 200}, {450, 200}} text_carousel 3x4 pad 5 border solid section -99/-99/-99 w 0,0,0,0 h "
     "50,0,50 'Slide 1'"},
    // Outside every section cell: the proposed place, in no section.
    {"quib_table", kResponsive, true, kBelowSections,
     "DRVTable {{100, 900}, {1000, 100}} table 1x4 pad 5 border solid section -99/-99/-99 w 200,200,200,200 "
     "h "
     "100 ''"},
    {"quib_collapsible_text_panel", kResponsive, true, kBelowSections,
     "DRVTable {{100, 900}, {400, 150}} collapsible_text_panel 2x1 pad 5 border solid section -99/-99/-99 w "
     "400 h 50,100 'Panel header title'"},
    {"quib_section1", kResponsive, true, kInFirstCell,
     "DRVTable {{0, 200}, {1200, 300}} section 1x1 pad 0 border solid section 2/-99/-99 w 1200 h 0 ''"},
};

} // namespace

TEST(FactoryGoldenTest, EachFactoryMakesItsTable)
{
    for (const GoldenCase& c : kCases) {
        SCOPED_TRACE(std::string(c.key) + " in " + c.edition);
        QTemporaryDir store;
        platform::UserDefaults::standard().useStoreFile(store.filePath(QStringLiteral("defaults.ini")));
        ScopedEdition scoped{QString::fromLatin1(c.edition)};
        ASSERT_EQ(edition().gResponsiveLayoutFlag, c.responsive);
        DRVDocument doc;
        doc.setDocSpecificPageWidth(1200);
        if (c.responsive) {
            doc.undoManager()->disableUndoRegistration();
            doc.insertGraphics({sectionpage::makeSection(1, QPointF(0, 0), {750, 450}, 600)}, {0});
            doc.undoManager()->enableUndoRegistration();
        }
        DRVGraphicView view;
        view.setSitePagesSource([] {
            return QList<DRVGraphicView::SitePage>{
                {QStringLiteral("Home"), QStringLiteral("index.html")},
                {QString(), QStringLiteral("draft.html")},
                {QStringLiteral("Contact"), QStringLiteral("contact.html")}};
        });
        view.bindGraphics(&doc);
        const int before = int(doc.graphics().size());
        ASSERT_TRUE(view.addLibraryItem(QString::fromLatin1(c.key), c.point));
        ASSERT_EQ(int(doc.graphics().size()), before + 1);
        // Sections go behind everything, all else in front.
        const bool section = QByteArray(c.key).startsWith("quib_section");
        DRVGraphic* made = section ? doc.graphics().constLast() : doc.graphics().constFirst();
        EXPECT_EQ(describe(made).toStdString(), std::string(c.expected));
        EXPECT_TRUE(made->selectable());
        EXPECT_TRUE(view.selectionIndexes().isEmpty());
    }
}

class ComponentUndoTest : public FactoryTest
{
protected:
    ComponentUndoTest() : FactoryTest("Brumel Responsive Website Designer") {}
};

TEST_F(ComponentUndoTest, EveryItemIsOneNamedUndoStepThatTakesItAllBack)
{
    const sectionpage::Page page = sectionpage::fill(doc);
    doc.setDocSpecificPageWidth(1200);
    bind();
    const QList<DRVGraphic*> original = doc.graphics();
    const QRectF secondSection = page.second->bounds();
    for (const DRVGraphicView::LibraryItem& item : DRVGraphicView::componentLibraryItems()) {
        SCOPED_TRACE(item.key.toStdString());
        // Into the lower section, which a new section there pushes down.
        view.addLibraryItem(item.key, QPointF(100, 250));
        ASSERT_EQ(doc.graphics().size(), original.size() + 1);
        ASSERT_TRUE(doc.undoManager()->canUndo());
        EXPECT_TRUE(doc.undoManager()->undoActionName().startsWith(QStringLiteral("Add ")))
            << doc.undoManager()->undoActionName().toStdString();
        doc.undoManager()->undo();
        EXPECT_EQ(doc.graphics(), original);
        EXPECT_EQ(page.second->bounds(), secondSection);
        EXPECT_FALSE(doc.undoManager()->canUndo());
    }
}
