#include "document/FormFieldFactory.h"

#include "model/myTextView.h"

#include <QFont>
#include <algorithm>
#include <optional>

namespace {

const QString kGrey = QStringLiteral("4f4c4c");

myTextView* makeElement(const QRectF& frame, QObject* parent)
{
    auto* element = new myTextView(frame, parent);
    element->setTextType(QStringLiteral("Text"));
    element->setShadowRadius(0);
    element->setShadowHorizontalOffset(0);
    element->setShadowVerticalOffset(0);
    element->textView()->setTextColor(QColor(0x4f, 0x4c, 0x4c));
    return element;
}

QFont fontOf(const QString& family, int size)
{
    QFont font(family);
    font.setPointSize(std::max(1, size));
    return font;
}

void setGreyStrings(myTextView* element, bool withTextHex)
{
    element->setTextColorString(kGrey);
    if (withTextHex)
        element->setTextHexColorString(kGrey);
    element->setBorderHexColorString(kGrey);
}

} // namespace

myTextView* FormFieldFactory::createNewTextField(int x, int y, int width, int height, QObject* parent)
{
    myTextView* field = makeElement(QRectF(x, y, width, height), parent);
    field->setFormType(QStringLiteral("text"));
    field->setFormOptionTag(-99);
    field->setBackgroundColor(Qt::transparent);
    field->textView()->setBackgroundColor(Qt::white);
    field->textView()->setFont(fontOf(QStringLiteral("Actor"), 14));
    field->setFamilyName(QStringLiteral("Actor"));
    field->setFontSize(14);
    field->textView()->setBorderLine(QStringLiteral("solid"));
    setGreyStrings(field, true);
    field->setColorString(QStringLiteral("FFFFFF"));
    return field;
}

myTextView* FormFieldFactory::createNewParagraph(int x, int y, int width, int height, QObject* parent)
{
    myTextView* field = makeElement(QRectF(x, y, width, height), parent);
    field->setFormType(QStringLiteral("textarea"));
    field->setFormOptionTag(-99);
    field->setBackgroundColor(Qt::transparent);
    field->textView()->setBackgroundColor(Qt::white);
    field->textView()->setBorderLine(QStringLiteral("solid"));
    setGreyStrings(field, false);
    field->setColorString(QStringLiteral("FFFFFF"));
    return field;
}

myTextView* FormFieldFactory::createCheckbox(int x, int y, QObject* parent)
{
    myTextView* box = makeElement(QRectF(x, y, 15, 15), parent);
    box->setFormType(QStringLiteral("checkbox"));
    box->setBackgroundColor(Qt::white);
    box->textView()->setBackgroundColor(Qt::white);
    box->textView()->setFont(fontOf(QStringLiteral("Actor"), 1));
    box->textView()->setBorderLine(QStringLiteral("solid"));
    box->textView()->setBorderWidth(1);
    box->setBorderWidth(1);
    setGreyStrings(box, false);
    box->setColorString(QStringLiteral("FFFFFF"));
    return box;
}

myTextView* FormFieldFactory::createRadioButton(int x, int y, QObject* parent)
{
    myTextView* radio = makeElement(QRectF(x, y, 15, 15), parent);
    radio->setFormType(QStringLiteral("radio"));
    radio->setBackgroundColor(Qt::transparent);
    radio->textView()->setBackgroundColor(Qt::white);
    radio->textView()->setFont(fontOf(QStringLiteral("Actor"), 1));
    radio->textView()->setBorderLine(QStringLiteral("solid"));
    radio->textView()->setBorderWidth(1);
    radio->setBorderWidth(1);
    radio->setCornerRadius(7);
    setGreyStrings(radio, false);
    radio->setColorString(QStringLiteral("FFFFFF"));
    return radio;
}

myTextView* FormFieldFactory::createSubmitButton(int x, int y, int formTag, int groupNumber,
                                                 const QString& submitValue, QObject* parent)
{
    myTextView* button = makeElement(QRectF(x, y, 120, 45), parent);
    button->setFormType(QStringLiteral("submit"));
    button->setFormTag(formTag);
    button->setGroupNumber(groupNumber);
    button->setBackgroundColor(Qt::white);
    button->textView()->setBackgroundColor(Qt::white);
    button->textView()->setFont(fontOf(QStringLiteral("Anton"), 18));
    button->setFamilyName(QStringLiteral("Anton"));
    button->setFontSize(18);
    button->textView()->setBorderLine(QStringLiteral("solid"));
    button->textView()->setAlignment(Qt::AlignHCenter);
    button->setTextAlignment(QStringLiteral("center"));
    button->textView()->setTextColor(QColor(0x80, 0x80, 0x80));
    button->setTextColorString(QStringLiteral("808080"));
    button->setTextHexColorString(QStringLiteral("808080"));
    button->setBorderHexColorString(QStringLiteral("808080"));
    button->setColorString(QStringLiteral("FFFFFF"));
    if (!submitValue.isEmpty())
        button->textView()->setString(submitValue);
    return button;
}

myTextView* FormFieldFactory::createNewTextLabel(int x, int y, int gridSpacing, QObject* parent)
{
    myTextView* label = makeElement(QRectF(x, y, 300, gridSpacing > 0 ? gridSpacing : 40), parent);
    label->setBackgroundColor(Qt::transparent);
    label->textView()->setBackgroundColor(Qt::transparent);
    label->textView()->setFont(fontOf(QStringLiteral("Actor"), 14));
    label->setFamilyName(QStringLiteral("Actor"));
    label->setFontSize(14);
    label->textView()->setBorderLine(QStringLiteral("none"));
    setGreyStrings(label, false);
    return label;
}

myTextView* FormFieldFactory::createNewBotCheckerTextLabel(int x, int y, QObject* parent)
{
    myTextView* label = makeElement(QRectF(x, y, 110, 40), parent);
    label->setBackgroundColor(Qt::transparent);
    label->textView()->setBackgroundColor(Qt::transparent);
    label->textView()->setFont(fontOf(QStringLiteral("Actor"), 14));
    label->setFamilyName(QStringLiteral("Actor"));
    label->setFontSize(14);
    label->textView()->setBorderLine(QStringLiteral("none"));
    label->textView()->setAlignment(Qt::AlignRight);
    label->setTextAlignment(QStringLiteral("right"));
    setGreyStrings(label, false);
    return label;
}

int FormFieldFactory::findNextFormTag(const QList<myTextView*>& textViews)
{
    bool any = false;
    int highest = 0;
    for (const myTextView* view : textViews) {
        if (!view || view->textType() != QLatin1String("Text"))
            continue;
        highest = any ? std::max(highest, view->formTag()) : view->formTag();
        any = true;
    }
    if (!any)
        return 1;
    return std::max(highest, 0) + 1;
}

int FormFieldFactory::findLastOptionTag(int formTag, const QList<myTextView*>& textViews)
{
    std::optional<int> highest;
    for (const myTextView* view : textViews) {
        if (view && view->formTag() == formTag)
            highest = std::max(highest.value_or(view->formOptionTag()), view->formOptionTag());
    }
    return highest.value_or(0) + 1;
}

void FormFieldFactory::updateFormOption2(myTextView* label, const QList<myTextView*>& textViews)
{
    if (!label || label->formOptionTag() <= 0)
        return;
    for (myTextView* view : textViews) {
        if (!view || view == label || view->formTag() != label->formTag() ||
            view->formOptionTag() != label->formOptionTag() || view->formType() == QLatin1String("textLabel"))
            continue;
        view->textView()->setString(label->textView()->string());
        label->setOptionTextView(view);
    }
}

void FormFieldFactory::updateFormOption(MTextView* textView, const QList<myTextView*>& textViews)
{
    if (textView)
        updateFormOption2(qobject_cast<myTextView*>(textView->parent()), textViews);
}

void FormFieldFactory::syncAllOptionForms(const QList<myTextView*>& textViews)
{
    for (myTextView* view : textViews) {
        if (view && view->formType() == QLatin1String("textLabel") && view->formOptionTag() != -22 &&
            view->formOptionTag() != -11)
            updateFormOption(view->textView(), textViews);
    }
}
