// The form elements of a web-form page as text carriers preset with their form properties: text
// fields, paragraphs, check boxes, radio buttons, submit buttons, labels and the bot checker's
// question label. Each returns a new carrier (owned by parent) that is not yet on a page; the callers
// set what is left (form numbers, label kinds, text).
#pragma once
#include <QList>
#include <QObject>
#include <QString>

class MTextView;
class myTextView;

class FormFieldFactory
{
public:
    FormFieldFactory() = delete;

    static myTextView* createNewTextField(int x, int y, int width, int height, QObject* parent = nullptr);
    static myTextView* createNewParagraph(int x, int y, int width, int height, QObject* parent = nullptr);
    static myTextView* createCheckbox(int x, int y, QObject* parent = nullptr);
    static myTextView* createRadioButton(int x, int y, QObject* parent = nullptr);
    // formTag and groupNumber come from findNextFormTag and the page's next group number; the
    // button shows submitValue when that is not empty.
    static myTextView* createSubmitButton(int x, int y, int formTag, int groupNumber,
                                          const QString& submitValue, QObject* parent = nullptr);
    // 300 x 40, or 300 x gridSpacing when gridSpacing > 0.
    static myTextView* createNewTextLabel(int x, int y, int gridSpacing = 0, QObject* parent = nullptr);
    static myTextView* createNewBotCheckerTextLabel(int x, int y, QObject* parent = nullptr);

    // The highest formTag among the text elements ("Text", snippets left out) plus 1, a negative
    // highest counting as 0; 1 for none.
    static int findNextFormTag(const QList<myTextView*>& textViews);
    // The next option number of a field: the highest formOptionTag among the elements with this
    // formTag plus 1; 1 when none has the tag.
    static int findLastOptionTag(int formTag, const QList<myTextView*>& textViews);
    // A label with formOptionTag > 0 gives its text to every non-label element with the same formTag
    // and formOptionTag, and pairs with it as its optionTextView.
    static void updateFormOption2(myTextView* label, const QList<myTextView*>& textViews);
    // The same for the label whose inner text view this is (a text view outside a label does
    // nothing).
    static void updateFormOption(MTextView* textView, const QList<myTextView*>& textViews);
    // Every "textLabel" that is neither the bot-checker question (-22) nor the e-mail field (-11).
    static void syncAllOptionForms(const QList<myTextView*>& textViews);
};
