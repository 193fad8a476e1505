// Form fields on the canvas: the factories that put labels, fields, option groups and the submit
// button on a form page, new options for a group, required, optional and reply-to marks, and the
// look-ups that pair an option with its label. Elements are ordinary text graphics whose form
// values the page writer turns into a form and its mail handler.
#include "canvas/DRVGraphicView.h"

#include "document/DRVDocument.h"
#include "document/FormFieldFactory.h"
#include "editions/EditionSettings.h"
#include "model/CarrierConversion.h"
#include "model/DRVText.h"
#include "model/GraphicRegistry.h"
#include "model/myTextView.h"
#include "platform/UndoManager.h"

#include <QFont>
#include <algorithm>
#include <memory>

namespace {

constexpr int kPlain = -99;
constexpr int kEmailOption = -11;
constexpr int kBotOption = -22;

const QString kTextLabel = QStringLiteral("textLabel");

bool isOption(const DRVGraphic* graphic)
{
    return graphic && (graphic->formType() == QLatin1String("radio") ||
                       graphic->formType() == QLatin1String("checkbox"));
}

// The field height and the step between options: the edition's grid spacing where it sets one.
int fieldHeight()
{
    return edition().gCustomGridSpacingFlag ? edition().gCustomGridSpacing : 40;
}

int optionStep()
{
    return edition().gCustomGridSpacingFlag ? edition().gCustomGridSpacing : 45;
}

int labelSpacing()
{
    return edition().gCustomGridSpacingFlag ? edition().gCustomGridSpacing : 0;
}

void setForm(myTextView* carrier, const QString& text, const QString& type, int tag, int option)
{
    carrier->textView()->setString(text);
    carrier->setFormType(type);
    carrier->setFormTag(tag);
    carrier->setFormOptionTag(option);
}

// The carriers of one factory call, with what fits them into a section cell on responsive pages.
struct Element
{
    myTextView* carrier = nullptr;
    enum class Fit { None, Label, Field, Paragraph, Option, OptionLabel } fit = Fit::None;
};

} // namespace

int DRVGraphicView::findNextFormTag() const
{
    bool any = false;
    int highest = 0;
    for (const DRVText* text : graphicsWithClass<DRVText>()) {
        if (text->textType() == QLatin1String("HTMLSnippet"))
            continue;
        highest = any ? std::max(highest, text->formTag()) : text->formTag();
        any = true;
    }
    return any ? std::max(highest, 0) + 1 : 1;
}

namespace {

int nextGroupNumberOf(const QList<DRVGraphic*>& graphics)
{
    int highest = 0;
    for (const DRVGraphic* graphic : graphics)
        highest = std::max(highest, graphic->groupNumber());
    return highest + 1;
}

// Makes the graphics of the carriers, in order, each in front of everything before it. The
// carriers are read the way a loaded page's are, so a made field and a loaded one are alike.
QList<DRVGraphic*> graphicsOf(const QList<Element>& elements, int group)
{
    QList<DRVGraphic*> made;
    for (const Element& element : elements) {
        myTextView* carrier = element.carrier;
        carrier->setGroupNumber(group);
        carrier->setTableNumber(kPlain);
        carrier->setSectionNumber(kPlain);
        carrier->setSectionRowSpot(kPlain);
        carrier->setSectionColumnSpot(kPlain);
        carrier->setTextType(QStringLiteral("Text"));
        const QVariantList properties = CarrierConversion::convertArrayToProperties({carrier}, QString());
        if (properties.isEmpty())
            continue;
        DRVGraphic* graphic = GraphicRegistry::create(QStringLiteral("DRVText"));
        graphic->initWithProperties(properties.constFirst().toMap());
        graphic->setSelectable(true);
        made.append(graphic);
    }
    return made;
}

} // namespace

QList<DRVGraphic*> DRVGraphicView::addFormElements(QPointF point, FormKind kind)
{
    const int x = int(point.x());
    const int y = int(point.y());
    const int tag = findNextFormTag();
    const int group = nextGroupNumberOf(graphics());
    const int height = fieldHeight();
    // The carriers live only until their graphics are made.
    QObject owner;
    QList<Element> elements;
    const auto label = [&](const QString& text, int option, int top) {
        myTextView* carrier = FormFieldFactory::createNewTextLabel(x, top, labelSpacing(), &owner);
        setForm(carrier, text, kTextLabel, tag, option);
        return carrier;
    };

    switch (kind) {
    case FormKind::TextField:
    case FormKind::EmailField: {
        const bool email = kind == FormKind::EmailField;
        const int option = email ? kEmailOption : kPlain;
        myTextView* title = label(email ? QStringLiteral("Email Address Text Field Label")
                                        : QStringLiteral("Text Field Label"),
                                  option, y);
        myTextView* field =
            FormFieldFactory::createNewTextField(x, y + int(title->frame().height()), 300, height, &owner);
        setForm(field, email ? QStringLiteral("name@example.com") : QStringLiteral("Text Field Placeholder"),
                QStringLiteral("text"), tag, option);
        field->setBackgroundHexColorString(QStringLiteral("FFFFFF"));
        elements = {{title, Element::Fit::Label}, {field, Element::Fit::Field}};
        break;
    }
    case FormKind::Paragraph: {
        myTextView* title = label(QStringLiteral("Paragraph Label"), kPlain, y);
        myTextView* field =
            FormFieldFactory::createNewParagraph(x, y + int(title->frame().height()), 300, 150, &owner);
        setForm(field, QStringLiteral("Paragraph Placeholder"), QStringLiteral("textarea"), tag, kPlain);
        field->setBackgroundHexColorString(QStringLiteral("FFFFFF"));
        elements = {{title, Element::Fit::Label}, {field, Element::Fit::Paragraph}};
        break;
    }
    case FormKind::BotCheck: {
        myTextView* title = FormFieldFactory::createNewTextLabel(x, y, 0, &owner);
        title->textView()->setString(QStringLiteral("Bot check to make sure you're a human :)"));
        title->setFormType(QString());
        title->setFormOptionTag(kPlain);
        title->textView()->setFont(QFont(QStringLiteral("Cabin"), 15));
        title->setFamilyName(QStringLiteral("Cabin"));
        title->setFontSize(15);
        myTextView* question = FormFieldFactory::createNewBotCheckerTextLabel(x, y + 30, &owner);
        question->textView()->setString(QStringLiteral("1+2="));
        question->setFormType(kTextLabel);
        question->setFormOptionTag(kBotOption);
        question->textView()->setFont(QFont(QStringLiteral("Cabin"), 25));
        question->setFamilyName(QStringLiteral("Cabin"));
        question->setFontSize(25);
        myTextView* answer = FormFieldFactory::createNewTextField(x + 110, y + 30, 100, 40, &owner);
        setForm(answer, QStringLiteral("3"), QStringLiteral("text"), tag, kBotOption);
        elements = {{title}, {question}, {answer}};
        break;
    }
    case FormKind::MultipleChoice:
    case FormKind::Checkboxes: {
        const bool radio = kind == FormKind::MultipleChoice;
        elements.append(
            {label(radio ? QStringLiteral("Multiple Choice Label") : QStringLiteral("Checkboxes Label"),
                   kPlain, y),
             Element::Fit::Label});
        for (int i = 1; i <= 4; ++i) {
            const int top = y + 10 + i * optionStep();
            const QString text =
                (radio ? QStringLiteral("Multiple Choice Option %1") : QStringLiteral("Checkbox Option %1"))
                    .arg(i);
            myTextView* option = radio ? FormFieldFactory::createRadioButton(x - 30, top, &owner)
                                       : FormFieldFactory::createCheckbox(x - 30, top, &owner);
            setForm(option, text, radio ? QStringLiteral("radio") : QStringLiteral("checkbox"), tag, i);
            myTextView* optionLabel = label(text, i, top - 8);
            optionLabel->setOptionTextView(option);
            elements.append({option, Element::Fit::Option});
            elements.append({optionLabel, Element::Fit::OptionLabel});
        }
        break;
    }
    case FormKind::Submit: {
        myTextView* button = FormFieldFactory::createSubmitButton(x, y, tag, group, QString(), &owner);
        button->textView()->setString(QStringLiteral("Submit"));
        button->setResponsiveResizeFlag(1);
        elements = {{button}};
        break;
    }
    }

    if (edition().gResponsiveLayoutFlag) {
        const QRectF cell = grabSectionRect(point, QRectF(x, y, 300, 40));
        const QRectF tall = grabSectionRect(point, QRectF(x, y, 300, 150));
        for (const Element& element : std::as_const(elements)) {
            myTextView* c = element.carrier;
            const QRectF f = c->frame();
            switch (element.fit) {
            case Element::Fit::None:
                break;
            case Element::Fit::Label:
                c->setFrame(cell);
                break;
            case Element::Fit::Field:
                c->setFrame(cell.translated(0, 40));
                break;
            case Element::Fit::Paragraph:
                c->setFrame(tall.translated(0, 40));
                break;
            case Element::Fit::Option:
                c->setFrame(QRectF(cell.x(), f.y(), f.width(), f.height()));
                break;
            case Element::Fit::OptionLabel:
                // The label of an option stands level with its button.
                c->setFrame(QRectF(cell.x() + 30, f.y() + 8, cell.width() - 30, int(f.height())));
                break;
            }
        }
    }

    const QList<DRVGraphic*> made = graphicsOf(elements, group);
    for (DRVGraphic* graphic : made)
        mutableGraphics().insertGraphics({graphic}, {0});
    return made;
}

void DRVGraphicView::addFormElementsAtInsertionPoint(FormKind kind, const QString& undoName)
{
    const QPointF origin = calculateOriginPoint();
    beginUndoStep();
    addFormElements(QPointF(int(origin.x()), int(origin.y())), kind);
    endUndoStep(undoName);
}

void DRVGraphicView::addTextField()
{
    addFormElementsAtInsertionPoint(FormKind::TextField, QStringLiteral("Add Text Field"));
}

void DRVGraphicView::addEmailTextField()
{
    addFormElementsAtInsertionPoint(FormKind::EmailField, QStringLiteral("Add Email Field"));
}

void DRVGraphicView::addParagraph()
{
    addFormElementsAtInsertionPoint(FormKind::Paragraph, QStringLiteral("Add Paragraph"));
}

void DRVGraphicView::addBotCheckerTextField()
{
    addFormElementsAtInsertionPoint(FormKind::BotCheck, QStringLiteral("Add Bot Check"));
}

void DRVGraphicView::addMultipleChoice()
{
    addFormElementsAtInsertionPoint(FormKind::MultipleChoice, QStringLiteral("Add Multiple Choice"));
}

void DRVGraphicView::addCheckboxes()
{
    addFormElementsAtInsertionPoint(FormKind::Checkboxes, QStringLiteral("Add Checkboxes"));
}

void DRVGraphicView::addSubmitButton()
{
    addFormElementsAtInsertionPoint(FormKind::Submit, QStringLiteral("Add Submit Button"));
}

// ---- options of a group ----

int DRVGraphicView::findLastOptionTag(int formTag) const
{
    int highest = kPlain - 1;
    bool any = false;
    for (const DRVText* text : graphicsWithClass<DRVText>()) {
        if (text->formTag() != formTag)
            continue;
        highest = any ? std::max(highest, text->formOptionTag()) : text->formOptionTag();
        any = true;
    }
    // A tag no text carries starts a group at its first option.
    return any ? highest + 1 : 1;
}

void DRVGraphicView::addNewOption(bool radio)
{
    QList<DRVText*> labels;
    for (DRVGraphic* graphic : selectedGraphics()) {
        auto* text = qobject_cast<DRVText*>(graphic);
        if (text && text->formType() == kTextLabel)
            labels.append(text);
    }
    if (labels.isEmpty())
        return;
    beginUndoStep();
    for (DRVText* label : std::as_const(labels)) {
        const int option = findLastOptionTag(label->formTag());
        const QRectF l = label->bounds();
        const QString text =
            radio ? QStringLiteral("New Multiple Choice Option") : QStringLiteral("New Checkbox Option");
        QObject owner;
        myTextView* element =
            radio ? FormFieldFactory::createRadioButton(int(l.x()) - 30, int(l.y()) + 38, &owner)
                  : FormFieldFactory::createCheckbox(int(l.x()) - 30, int(l.y()) + 38, &owner);
        setForm(element, text, radio ? QStringLiteral("radio") : QStringLiteral("checkbox"), label->formTag(),
                option);
        myTextView* optionLabel =
            FormFieldFactory::createNewTextLabel(int(l.x()), int(l.y()) + 30, 0, &owner);
        setForm(optionLabel, text, kTextLabel, label->formTag(), option);
        optionLabel->setTextColorString(label->textHexColorString());
        optionLabel->setFamilyName(label->fontFamily());
        optionLabel->setFontSize(int(label->fontSize()));
        optionLabel->textView()->setFont(QFont(label->fontFamily(), std::max(1, int(label->fontSize()))));
        optionLabel->setOptionTextView(element);
        for (DRVGraphic* graphic : graphicsOf({{element}, {optionLabel}}, label->groupNumber()))
            mutableGraphics().insertGraphics({graphic}, {0});
    }
    endUndoStep(radio ? QStringLiteral("Add Multiple Choice Option") : QStringLiteral("Add Checkbox Option"));
}

void DRVGraphicView::addNewMultipleChoiceOption()
{
    addNewOption(true);
}

void DRVGraphicView::addNewCheckboxChoiceOption()
{
    addNewOption(false);
}

// ---- marks ----

void DRVGraphicView::setSelectedFieldsRequired(bool required)
{
    platform::UndoManager* undo = undoManager();
    beginUndoStep();
    for (DRVGraphic* graphic : selectedGraphics()) {
        if (qobject_cast<DRVText*>(graphic))
            setValueRecorded(undo, graphic, "formRequiredFlag", required ? 1 : 0);
    }
    endUndoStep(required ? QStringLiteral("Make Mandatory") : QStringLiteral("Make Optional"));
}

void DRVGraphicView::makeFormMandatory()
{
    setSelectedFieldsRequired(true);
}

void DRVGraphicView::makeFormOptional()
{
    setSelectedFieldsRequired(false);
}

void DRVGraphicView::markAsReplyTo()
{
    // One reply-to address per page: the last selected text keeps the mark.
    DRVGraphic* marked = nullptr;
    for (DRVGraphic* graphic : selectedGraphics()) {
        if (qobject_cast<DRVText*>(graphic))
            marked = graphic;
    }
    if (!marked)
        return;
    platform::UndoManager* undo = undoManager();
    beginUndoStep();
    for (DRVGraphic* graphic : graphics())
        setValueRecorded(undo, graphic, "markAsReplyToEmailFlag", graphic == marked ? 1 : 0);
    endUndoStep(QStringLiteral("Mark as Reply-To"));
}

// ---- predicates ----

namespace {

const DRVText* onlySelectedText(const QList<DRVGraphic*>& selected)
{
    return selected.size() == 1 ? qobject_cast<const DRVText*>(selected.constFirst()) : nullptr;
}

bool isField(const DRVText* text)
{
    return text &&
           (text->formType() == QLatin1String("text") || text->formType() == QLatin1String("textarea"));
}

} // namespace

bool DRVGraphicView::showMarkAsReplyTo() const
{
    const DRVText* text = onlySelectedText(selectedGraphics());
    return text && text->formType() == QLatin1String("text") && text->formOptionTag() == kEmailOption;
}

bool DRVGraphicView::showMandatory() const
{
    const DRVText* text = onlySelectedText(selectedGraphics());
    return isField(text) && text->formRequiredFlag() != 1;
}

bool DRVGraphicView::showOptional() const
{
    const DRVText* text = onlySelectedText(selectedGraphics());
    return isField(text) && text->formRequiredFlag() == 1;
}

bool DRVGraphicView::showCut() const
{
    const QList<DRVGraphic*> selected = selectedGraphics();
    return !selected.isEmpty() && std::none_of(selected.begin(), selected.end(), [](const DRVGraphic* g) {
        return qobject_cast<const DRVText*>(g) && (g->formType() == kTextLabel || isOption(g));
    });
}

bool DRVGraphicView::groupHasOptionOfType(const DRVGraphic* graphic, const QString& type) const
{
    const auto texts = graphicsWithClass<DRVText>();
    return graphic && std::any_of(texts.begin(), texts.end(), [graphic, &type](const DRVText* t) {
               return t->formTag() == graphic->formTag() && t->formType() == type;
           });
}

bool DRVGraphicView::isOriginalTextViewRadio(const DRVGraphic* graphic) const
{
    return groupHasOptionOfType(graphic, QStringLiteral("radio"));
}

bool DRVGraphicView::isOriginalTextViewCheckbox(const DRVGraphic* graphic) const
{
    return groupHasOptionOfType(graphic, QStringLiteral("checkbox"));
}

bool DRVGraphicView::enableNewMultipleChoiceOption() const
{
    const DRVText* text = onlySelectedText(selectedGraphics());
    return text && isOriginalTextViewRadio(text);
}

bool DRVGraphicView::enableNewCheckboxChoiceOption() const
{
    const DRVText* text = onlySelectedText(selectedGraphics());
    return text && isOriginalTextViewCheckbox(text);
}

DRVGraphic* DRVGraphicView::findMatchingOption(const DRVGraphic* graphic) const
{
    if (!graphic)
        return nullptr;
    for (DRVText* text : graphicsWithClass<DRVText>()) {
        if (text != graphic && text->formTag() == graphic->formTag() &&
            text->formOptionTag() == graphic->formOptionTag())
            return text;
    }
    return nullptr;
}

DRVGraphic* DRVGraphicView::grabRadioLabel(const DRVGraphic* graphic) const
{
    if (!graphic)
        return nullptr;
    for (DRVText* text : graphicsWithClass<DRVText>()) {
        if (text->formTag() == graphic->formTag() && text->formOptionTag() == kPlain &&
            text->formType() == kTextLabel)
            return text;
    }
    return nullptr;
}

bool DRVGraphicView::IsThisMultipleChoiceLabel(const DRVGraphic* graphic) const
{
    return isOriginalTextViewRadio(graphic) || isOriginalTextViewCheckbox(graphic);
}
