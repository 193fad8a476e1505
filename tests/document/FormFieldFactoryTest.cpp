// The form element factory: each element's preset, the next form number, and labels that keep their
// options' texts in step.
#include "document/FormFieldFactory.h"
#include "model/myTextView.h"

#include <QObject>
#include <gtest/gtest.h>

namespace {

myTextView* element(QObject& owner, const QString& textType, const QString& formType, int formTag,
                    int formOptionTag, const QString& text = QString())
{
    auto* view = new myTextView(QRectF(0, 0, 50, 20), &owner);
    view->setTextType(textType);
    view->setFormType(formType);
    view->setFormTag(formTag);
    view->setFormOptionTag(formOptionTag);
    view->textView()->setString(text);
    return view;
}

} // namespace

TEST(FormFieldFactory, NextFormTag)
{
    QObject owner;
    const QString text = QStringLiteral("Text");
    const QString snippet = QStringLiteral("HTMLSnippet");
    struct Case
    {
        const char* name;
        QList<myTextView*> views;
        int expected;
    };
    const Case cases[] = {
        {"no form fields", {}, 1},
        {"highest plus one", {element(owner, text, "text", 3, -99), element(owner, text, "radio", 7, 1)}, 8},
        {"a negative highest counts as 0", {element(owner, text, "textLabel", -99, -99)}, 1},
        {"snippets do not count",
         {element(owner, text, "text", 2, -99), element(owner, snippet, QString(), 40, -99)},
         3},
        {"only snippets", {element(owner, snippet, QString(), 40, -99)}, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormFieldFactory::findNextFormTag(c.views), c.expected) << c.name;

    // The first submit button of a page without form fields is field 1.
    myTextView* submit = FormFieldFactory::createSubmitButton(10, 20, FormFieldFactory::findNextFormTag({}),
                                                              4, QStringLiteral("Send"), &owner);
    EXPECT_EQ(submit->formTag(), 1);
    EXPECT_EQ(submit->groupNumber(), 4);
    EXPECT_EQ(submit->textView()->string(), QStringLiteral("Send"));
    EXPECT_EQ(submit->frame(), QRectF(10, 20, 120, 45));
}

TEST(FormFieldFactory, LabelsArePresetAsPlainGreyText)
{
    QObject owner;
    myTextView* label = FormFieldFactory::createNewTextLabel(30, 40, 0, &owner);
    myTextView* gridLabel = FormFieldFactory::createNewTextLabel(30, 40, 25, &owner);
    myTextView* bot = FormFieldFactory::createNewBotCheckerTextLabel(5, 6, &owner);

    EXPECT_EQ(label->frame(), QRectF(30, 40, 300, 40));
    EXPECT_EQ(gridLabel->frame(), QRectF(30, 40, 300, 25));
    EXPECT_EQ(bot->frame(), QRectF(5, 6, 110, 40));
    for (myTextView* view : {label, bot}) {
        EXPECT_EQ(view->textType(), QStringLiteral("Text"));
        EXPECT_EQ(view->backgroundColor().alpha(), 0);
        EXPECT_EQ(view->textView()->backgroundColor().alpha(), 0);
        EXPECT_EQ(view->textView()->borderLine(), QStringLiteral("none"));
        EXPECT_EQ(view->familyName(), QStringLiteral("Actor"));
        EXPECT_EQ(view->fontSize(), 14);
        EXPECT_EQ(view->textColorString(), QStringLiteral("4f4c4c"));
        EXPECT_EQ(view->borderHexColorString(), QStringLiteral("4f4c4c"));
        EXPECT_EQ(view->shadowRadius(), 0.0f);
        // The caller decides what kind of label it is.
        EXPECT_TRUE(view->formType().isEmpty());
    }
    EXPECT_EQ(bot->textView()->alignment(), int(Qt::AlignRight));
    EXPECT_EQ(label->textView()->alignment(), 0);
}

TEST(FormFieldFactory, AnOptionLabelGivesItsTextToItsOptionOnly)
{
    QObject owner;
    const QString text = QStringLiteral("Text");
    myTextView* label = element(owner, text, "textLabel", 5, 2, QStringLiteral("Blue"));
    myTextView* option = element(owner, text, "radio", 5, 2, QStringLiteral("old"));
    myTextView* otherOption = element(owner, text, "radio", 5, 1, QStringLiteral("Red"));
    myTextView* otherField = element(owner, text, "radio", 6, 2, QStringLiteral("keep"));
    const QList<myTextView*> views{label, option, otherOption, otherField};

    // Through the label's own text view, as an edit of the label reports it.
    FormFieldFactory::updateFormOption(label->textView(), views);
    EXPECT_EQ(option->textView()->string(), QStringLiteral("Blue"));
    EXPECT_EQ(label->optionTextView(), option);
    EXPECT_EQ(otherOption->textView()->string(), QStringLiteral("Red"));
    EXPECT_EQ(otherField->textView()->string(), QStringLiteral("keep"));
    EXPECT_EQ(label->textView()->string(), QStringLiteral("Blue"));

    // A text view that sits in no label changes nothing.
    MTextView loose;
    FormFieldFactory::updateFormOption(&loose, views);
    FormFieldFactory::updateFormOption(nullptr, views);
    EXPECT_EQ(option->textView()->string(), QStringLiteral("Blue"));
}

TEST(FormFieldFactory, LabelsWithoutAnOptionNumberCopyNothing)
{
    QObject owner;
    const QString text = QStringLiteral("Text");
    for (int optionTag : {-99, 0}) {
        myTextView* label = element(owner, text, "textLabel", 5, optionTag, QStringLiteral("Title"));
        myTextView* field = element(owner, text, "text", 5, optionTag, QStringLiteral("field"));
        FormFieldFactory::updateFormOption(label->textView(), {label, field});
        EXPECT_EQ(field->textView()->string(), QStringLiteral("field")) << optionTag;
        EXPECT_EQ(label->optionTextView(), nullptr) << optionTag;
    }
}

TEST(FormFieldFactory, SyncingAPageLeavesTheEmailAndBotCheckerLabelsAlone)
{
    QObject owner;
    const QString text = QStringLiteral("Text");
    myTextView* choiceLabel = element(owner, text, "textLabel", 3, 1, QStringLiteral("Yes"));
    myTextView* choice = element(owner, text, "checkbox", 3, 1);
    myTextView* mailLabel = element(owner, text, "textLabel", 4, -11, QStringLiteral("Your e-mail"));
    myTextView* mailField = element(owner, text, "text", 4, -11, QStringLiteral("name@example.com"));
    myTextView* botLabel = element(owner, text, "textLabel", 8, -22, QStringLiteral("1+2="));
    myTextView* botField = element(owner, text, "text", 8, -22, QStringLiteral("3"));

    FormFieldFactory::syncAllOptionForms({choiceLabel, choice, mailLabel, mailField, botLabel, botField});
    EXPECT_EQ(choice->textView()->string(), QStringLiteral("Yes"));
    EXPECT_EQ(choiceLabel->optionTextView(), choice);
    EXPECT_EQ(mailField->textView()->string(), QStringLiteral("name@example.com"));
    EXPECT_EQ(botField->textView()->string(), QStringLiteral("3"));
}
