// Form fields on the canvas: where each factory puts its elements and with which tags, new options
// of a group, required and reply-to marks, the predicates of the form commands, options kept
// beside their labels, and a label deleted with its button.
#include "CanvasTestSupport.h"
#include "SectionPage.h"

#include "canvas/DRVGraphicView.h"
#include "canvas/DRVSelectionModel.h"
#include "model/DRVText.h"
#include "platform/Geometry.h"
#include "platform/UndoManager.h"

#include <QTextDocument>
#include <algorithm>

namespace {

class FormFieldsTest : public BoundCanvasTest
{
protected:
    int indexOf(const DRVGraphic* graphic) const { return int(doc.graphics().indexOf(graphic)); }

    void select(const QList<DRVGraphic*>& graphics)
    {
        QList<int> indexes;
        for (const DRVGraphic* graphic : graphics)
            indexes.append(indexOf(graphic));
        std::sort(indexes.begin(), indexes.end());
        view.changeSelectionIndexes(indexes);
    }
};

QString describe(const DRVGraphic* g)
{
    return QStringLiteral("%1 %2 tag%3 opt%4 %5 '%6'")
        .arg(g->formType().isEmpty() ? QStringLiteral("-") : g->formType())
        .arg(platform::stringFromRect(g->bounds()))
        .arg(g->formTag())
        .arg(g->formOptionTag())
        .arg(g->groupNumber())
        .arg(g->textString());
}

} // namespace

TEST_F(FormFieldsTest, EachFactoryPlacesItsElementsWithTagsAndOneGroup)
{
    using K = DRVGraphicView::FormKind;
    struct Case
    {
        K kind;
        QStringList expected; // in the order made
    };
    const Case cases[] = {
        {K::TextField,
         {"textLabel {{120, 200}, {300, 40}} tag1 opt-99 1 'Text Field Label'",
          "text {{120, 240}, {300, 40}} tag1 opt-99 1 'Text Field Placeholder'"}},
        {K::EmailField,
         {"textLabel {{120, 200}, {300, 40}} tag1 opt-11 1 'Email Address Text Field Label'",
          "text {{120, 240}, {300, 40}} tag1 opt-11 1 'name@example.com'"}},
        {K::Paragraph,
         {"textLabel {{120, 200}, {300, 40}} tag1 opt-99 1 'Paragraph Label'",
          "textarea {{120, 240}, {300, 150}} tag1 opt-99 1 'Paragraph Placeholder'"}},
        {K::BotCheck,
         {"- {{120, 200}, {300, 40}} tag0 opt-99 1 'Bot check to make sure you're a human :)'",
          "textLabel {{120, 230}, {110, 40}} tag0 opt-22 1 '1+2='",
          "text {{230, 230}, {100, 40}} tag1 opt-22 1 '3'"}},
        {K::MultipleChoice,
         {"textLabel {{120, 200}, {300, 40}} tag1 opt-99 1 'Multiple Choice Label'",
          "radio {{90, 255}, {15, 15}} tag1 opt1 1 'Multiple Choice Option 1'",
          "textLabel {{120, 247}, {300, 40}} tag1 opt1 1 'Multiple Choice Option 1'",
          "radio {{90, 300}, {15, 15}} tag1 opt2 1 'Multiple Choice Option 2'",
          "textLabel {{120, 292}, {300, 40}} tag1 opt2 1 'Multiple Choice Option 2'",
          "radio {{90, 345}, {15, 15}} tag1 opt3 1 'Multiple Choice Option 3'",
          "textLabel {{120, 337}, {300, 40}} tag1 opt3 1 'Multiple Choice Option 3'",
          "radio {{90, 390}, {15, 15}} tag1 opt4 1 'Multiple Choice Option 4'",
          "textLabel {{120, 382}, {300, 40}} tag1 opt4 1 'Multiple Choice Option 4'"}},
        {K::Submit, {"submit {{120, 200}, {120, 45}} tag1 opt0 1 'Submit'"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.kind));
        const QList<DRVGraphic*> made = view.addFormElements(QPointF(120.7, 200.2), c.kind);
        QStringList got;
        for (const DRVGraphic* g : made)
            got.append(describe(g));
        EXPECT_EQ(got, c.expected);
        // Each in front of the one made before it.
        for (int i = 0; i < int(made.size()); ++i)
            EXPECT_EQ(indexOf(made.at(i)), int(made.size()) - 1 - i);
        view.changeSelectionIndexes({});
        QList<int> all;
        for (int i = 0; i < int(doc.graphics().size()); ++i)
            all.append(i);
        doc.removeGraphicsAtIndexes(all);
    }
}

TEST_F(FormFieldsTest, TagsAndGroupsFollowOnAndTheEditionsGridSpacingSetsFieldHeights)
{
    view.addFormElements(QPointF(0, 0), DRVGraphicView::FormKind::TextField);
    const QList<DRVGraphic*> second =
        view.addFormElements(QPointF(0, 100), DRVGraphicView::FormKind::TextField);
    EXPECT_EQ(second.at(1)->formTag(), 2);
    EXPECT_EQ(second.at(1)->groupNumber(), 2);

    edition().gCustomGridSpacingFlag = true;
    edition().gCustomGridSpacing = 25;
    const QList<DRVGraphic*> made =
        view.addFormElements(QPointF(10, 10), DRVGraphicView::FormKind::MultipleChoice);
    EXPECT_EQ(made.at(1)->bounds().y(), 10 + 10 + 25);
    const QList<DRVGraphic*> field =
        view.addFormElements(QPointF(10, 400), DRVGraphicView::FormKind::TextField);
    EXPECT_EQ(field.at(0)->bounds().height(), 25);
    EXPECT_EQ(field.at(1)->bounds(), QRectF(10, 425, 300, 25));
}

TEST_F(FormFieldsTest, AnOptionAddedBelowTheSelectedLabelTakesTheNextNumber)
{
    const QList<DRVGraphic*> made =
        view.addFormElements(QPointF(100, 100), DRVGraphicView::FormKind::Checkboxes);
    DRVGraphic* lastLabel = made.last();
    EXPECT_EQ(view.findLastOptionTag(lastLabel->formTag()), 5);
    select({lastLabel});
    EXPECT_TRUE(view.enableNewCheckboxChoiceOption());
    EXPECT_FALSE(view.enableNewMultipleChoiceOption());
    view.addNewCheckboxChoiceOption();
    DRVGraphic* label = doc.graphics().at(0);
    DRVGraphic* box = doc.graphics().at(1);
    EXPECT_EQ(describe(box), QStringLiteral("checkbox {{70, %1}, {15, 15}} tag1 opt5 1 'New Checkbox Option'")
                                 .arg(int(lastLabel->bounds().y()) + 38));
    EXPECT_EQ(describe(label),
              QStringLiteral("textLabel {{100, %1}, {300, 40}} tag1 opt5 1 'New Checkbox Option'")
                  .arg(int(lastLabel->bounds().y()) + 30));
    EXPECT_EQ(view.findMatchingOption(label), box);
    EXPECT_EQ(view.grabRadioLabel(box), made.first());
    EXPECT_TRUE(view.IsThisMultipleChoiceLabel(made.first()));
    EXPECT_EQ(doc.undoManager()->undoActionName(), QStringLiteral("Add Checkbox Option"));
    doc.undoManager()->undo();
    EXPECT_EQ(doc.graphics().size(), made.size());
}

TEST_F(FormFieldsTest, OnlyOneFieldIsTheReplyToAddress)
{
    const QList<DRVGraphic*> first =
        view.addFormElements(QPointF(0, 0), DRVGraphicView::FormKind::EmailField);
    const QList<DRVGraphic*> second =
        view.addFormElements(QPointF(0, 100), DRVGraphicView::FormKind::EmailField);
    select({first.at(1)});
    ASSERT_TRUE(view.showMarkAsReplyTo());
    view.markAsReplyTo();
    EXPECT_EQ(first.at(1)->markAsReplyToEmailFlag(), 1);
    select({second.at(1)});
    view.markAsReplyTo();
    EXPECT_EQ(first.at(1)->markAsReplyToEmailFlag(), 0);
    EXPECT_EQ(second.at(1)->markAsReplyToEmailFlag(), 1);
    doc.undoManager()->undo();
    EXPECT_EQ(first.at(1)->markAsReplyToEmailFlag(), 1);
    EXPECT_EQ(second.at(1)->markAsReplyToEmailFlag(), 0);
    // A label is no address.
    select({first.at(0)});
    EXPECT_FALSE(view.showMarkAsReplyTo());
}

TEST_F(FormFieldsTest, RequiredAndOptionalAreOfferedForOneFieldAtATime)
{
    const QList<DRVGraphic*> field = view.addFormElements(QPointF(0, 0), DRVGraphicView::FormKind::TextField);
    const QList<DRVGraphic*> area =
        view.addFormElements(QPointF(0, 100), DRVGraphicView::FormKind::Paragraph);
    const QList<DRVGraphic*> group =
        view.addFormElements(QPointF(0, 300), DRVGraphicView::FormKind::MultipleChoice);
    const QList<DRVGraphic*> submit = view.addFormElements(QPointF(0, 600), DRVGraphicView::FormKind::Submit);
    struct Case
    {
        QList<DRVGraphic*> selected;
        bool mandatory;
        bool cut;
    };
    const Case cases[] = {{{field.at(1)}, true, true},   {{area.at(1)}, true, true},
                          {{field.at(0)}, false, false}, {{group.at(1)}, false, false},
                          {{submit.at(0)}, false, true}, {{field.at(1), area.at(1)}, false, true}};
    for (const Case& c : cases) {
        select(c.selected);
        EXPECT_EQ(view.showMandatory(), c.mandatory) << qPrintable(describe(c.selected.first()));
        EXPECT_FALSE(view.showOptional());
        EXPECT_EQ(view.showCut(), c.cut) << qPrintable(describe(c.selected.first()));
    }
    select({field.at(1)});
    view.makeFormMandatory();
    EXPECT_EQ(field.at(1)->formRequiredFlag(), 1);
    EXPECT_TRUE(view.showOptional());
    view.makeFormOptional();
    EXPECT_EQ(field.at(1)->formRequiredFlag(), 0);
}

TEST_F(FormFieldsTest, OptionsFollowTheirLabelsAndGoWithThemWhenDeleted)
{
    const QList<DRVGraphic*> group =
        view.addFormElements(QPointF(100, 100), DRVGraphicView::FormKind::MultipleChoice);
    DRVGraphic* radio = group.at(1);
    DRVGraphic* label = group.at(2);
    label->setBounds(QRectF(300, 500, 300, 40));
    view.reAlignFormOptions();
    EXPECT_EQ(radio->bounds(), QRectF(270, 508, 15, 15));
    edition().gOverlapCheckFlag = true;
    view.reAlignFormOptions();
    EXPECT_EQ(radio->bounds(), QRectF(280, 500, 15, 15));

    select({label});
    view.deleteSelection();
    EXPECT_FALSE(doc.graphics().contains(radio));
    EXPECT_FALSE(doc.graphics().contains(label));
    EXPECT_EQ(doc.graphics().size(), group.size() - 2);
}

TEST_F(FormFieldsTest, OnResponsivePagesLabelsAndFieldsFillTheCellUnderThePoint)
{
    edition().gResponsiveLayoutFlag = true;
    sectionpage::fill(doc); // section 1: cells at x 0 and 300, 300 wide, 200 high
    const QList<DRVGraphic*> field =
        view.addFormElements(QPointF(350, 20), DRVGraphicView::FormKind::TextField);
    EXPECT_EQ(field.at(0)->bounds(), QRectF(300, 20, 300, 40));
    EXPECT_EQ(field.at(1)->bounds(), QRectF(300, 60, 300, 40));
    const QList<DRVGraphic*> area =
        view.addFormElements(QPointF(10, 20), DRVGraphicView::FormKind::Paragraph);
    EXPECT_EQ(area.at(1)->bounds(), QRectF(0, 60, 300, 150));
    // Options: the button at the cell's left, its label beside it over the rest of the cell.
    const QList<DRVGraphic*> group =
        view.addFormElements(QPointF(350, 20), DRVGraphicView::FormKind::Checkboxes);
    EXPECT_EQ(group.at(1)->bounds(), QRectF(300, 75, 15, 15));
    EXPECT_EQ(group.at(2)->bounds(), QRectF(330, 75, 270, 40));
    // The submit button keeps its own place.
    const QList<DRVGraphic*> submit =
        view.addFormElements(QPointF(350, 20), DRVGraphicView::FormKind::Submit);
    EXPECT_EQ(submit.at(0)->bounds().topLeft(), QPointF(350, 20));
}
