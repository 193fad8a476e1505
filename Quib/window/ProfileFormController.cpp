#include "window/ProfileFormController.h"

#include "window/SheetLayout.h"
#include "window/inspector/SegmentedControl.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

struct FieldRow
{
    const char* key;
    const char* objectName;
    const char* labelName;
    const char* petCaption;
    const char* humanCaption;
};

// Every control of either form, in the order shown; a form shows the rows of its kind's keys.
const FieldRow kRows[] = {
    {"Owner First Name", "firstNameTextField", "firstNameLabel", "Owner First Name", "First Name"},
    {"Owner Last Name", "lastNameTextField", "lastNameLabel", "Owner Last Name", "Last Name"},
    {"Owner Home Phone Number", "homePhoneTextField", "phoneLabel", "Home Phone", "Phone"},
    {"Owner Cell Phone Number", "cellPhoneTextField", "mobilePhoneLabel", "Cell Phone", "Mobile Phone"},
    {"Owner Email", "emailTextField", "emailLabel", "Email", "Email"},
    {"Owner Address", "addressTextView", "addressLabel", "Address", "Address"},
    {"Pet Name", "petNameTextField", "petNameLabel", "Pet Name", ""},
    {"Pet Breed", "petBreedTextField", "petBreedLabel", "Breed", ""},
    {"Pet Color", "petColorTextField", "petColorLabel", "Color", ""},
    {"Pet Chart Number", "petChartNumberTextField", "IDNumberLabel", "Chart Number", "ID Number"},
    {"Pet Microchip Number", "petMicrochipNumberTextField", "petMicrochipLabel", "Microchip Number", ""},
    {"Pet Sex", "petSexSegmentedControl", "genderLabel", "Sex", "Gender"},
    {"Pet Neuter Status", "petNeuterSegmentedControl", "petNeuterLabel", "Neuter Status", ""},
    {"Birth Date Status", "birthdateNotAvailableCheckbox", "", "", ""},
    {"Pet Birth Date", "petBirthdateDatePicker", "dateOfBirthLabel", "Birth Date", "Date of Birth"},
    {"Notes", "petNotesTextView", "notesLabel", "Notes", "Notes"},
};

bool isTextView(const QString& key)
{
    return key == QLatin1String("Owner Address") || key == QLatin1String("Notes");
}

SegmentedControl* segments(QWidget* parent, const char* name, const QStringList& titles)
{
    auto* control = new SegmentedControl(parent);
    control->setObjectName(QString::fromLatin1(name));
    control->setSegments(titles, QList<int>(titles.size(), 90));
    control->setSelectedIndex(0);
    return control;
}

} // namespace

ProfileFormController::ProfileFormController(ProfileBlocks::Kind kind, QWidget* view, QObject* parent)
    : QObject(parent), m_kind(kind), m_view(view)
{
    const bool pet = kind == ProfileBlocks::Kind::Pet;
    const QStringList& keys = ProfileBlocks::fieldKeys(kind);
    auto* outer = new QHBoxLayout(view);
    auto* left = new QVBoxLayout;
    m_form = new QFormLayout;
    left->addLayout(m_form);
    outer->addLayout(left, 1);
    m_side = new QVBoxLayout;
    outer->addLayout(m_side);

    for (const FieldRow& row : kRows) {
        const QString key = QString::fromLatin1(row.key);
        if (!keys.contains(key))
            continue;
        QWidget* control = nullptr;
        if (key == QLatin1String("Pet Sex")) {
            m_sex = segments(
                view, row.objectName,
                pet ? QStringList{QStringLiteral("Male"), QStringLiteral("Female")}
                    : QStringList{QStringLiteral("Male"), QStringLiteral("Female"), QStringLiteral("Other")});
            control = m_sex;
        } else if (key == QLatin1String("Pet Neuter Status")) {
            m_neuter = segments(view, row.objectName, {QStringLiteral("Intact"), QStringLiteral("Neutered")});
            control = m_neuter;
        } else if (key == QLatin1String("Birth Date Status")) {
            m_birthDateNotAvailable = new QCheckBox(QStringLiteral("Birth date not available"), view);
            m_birthDateNotAvailable->setObjectName(QString::fromLatin1(row.objectName));
            connect(m_birthDateNotAvailable, &QCheckBox::toggled, this,
                    [this] { setBirthDatePickerStatus(); });
            control = m_birthDateNotAvailable;
        } else if (key == QLatin1String("Pet Birth Date")) {
            m_birthDate = new QDateEdit(QDate::currentDate(), view);
            m_birthDate->setObjectName(QString::fromLatin1(row.objectName));
            m_birthDate->setDisplayFormat(QStringLiteral("MMM dd yyyy"));
            m_birthDate->setCalendarPopup(true);
            control = m_birthDate;
        } else if (isTextView(key)) {
            auto* text = new QPlainTextEdit(view);
            text->setObjectName(QString::fromLatin1(row.objectName));
            text->setFixedHeight(56);
            text->setTabChangesFocus(true);
            m_textViews.insert(key, text);
            control = text;
        } else {
            auto* field = new QLineEdit(view);
            field->setObjectName(QString::fromLatin1(row.objectName));
            m_textFields.insert(key, field);
            control = field;
        }
        const char* caption = pet ? row.petCaption : row.humanCaption;
        if (*row.labelName != '\0') {
            auto* label = new QLabel(QString::fromLatin1(caption), view);
            label->setObjectName(QString::fromLatin1(row.labelName));
            m_labels.insert(key, label);
            m_form->addRow(label, control);
        } else {
            m_form->addRow(QString(), control);
        }
    }

    auto* fileNameLabel = new QLabel(QStringLiteral("File Name"), view);
    fileNameLabel->setObjectName(QStringLiteral("fileNameLabel"));
    m_labels.insert(QString(), fileNameLabel);
    m_pageFileName = new QLineEdit(view);
    m_pageFileName->setObjectName(QStringLiteral("pageFileNameTextField"));
    m_form->addRow(fileNameLabel, m_pageFileName);
    m_naming = segments(view, "fileNameGenerationSegmentedControl",
                        {QStringLiteral("Automatic"), QStringLiteral("Manual")});
    m_form->addRow(QString(), m_naming);

    m_cancel = SheetLayout::button(view, "cancelButton", QStringLiteral("Cancel"));
    m_save = SheetLayout::button(view, "saveButton", QStringLiteral("Save"));
    m_cancel->setAutoDefault(false);
    m_save->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_save);
    left->addStretch(1);
    left->addLayout(buttons);

    connect(m_naming, &SegmentedControl::segmentActivated, this, [this] { setFileNameGenerationType(); });
    setFileNameGenerationType();
    for (const QString& key : ProfileBlocks::namingKeys(kind)) {
        QLineEdit* field = m_textFields.value(key);
        connect(field, &QLineEdit::textEdited, this, [this, field] { controlTextDidChange(field); });
    }
    setBirthDatePickerStatus();
}

ProfileFormController::~ProfileFormController()
{
    // The view lives in the window while shown; a replaced form takes it along.
    delete m_view.data();
}

QLineEdit* ProfileFormController::firstNameTextField() const
{
    return textField(QStringLiteral("Owner First Name"));
}

QLineEdit* ProfileFormController::lastNameTextField() const
{
    return textField(QStringLiteral("Owner Last Name"));
}

QLineEdit* ProfileFormController::petNameTextField() const
{
    return textField(QStringLiteral("Pet Name"));
}

QLineEdit* ProfileFormController::petBreedTextField() const
{
    return textField(QStringLiteral("Pet Breed"));
}

QLineEdit* ProfileFormController::petChartNumberTextField() const
{
    return textField(QStringLiteral("Pet Chart Number"));
}

QPlainTextEdit* ProfileFormController::addressTextView() const
{
    return textView(QStringLiteral("Owner Address"));
}

QPlainTextEdit* ProfileFormController::petNotesTextView() const
{
    return textView(QStringLiteral("Notes"));
}

QVariantMap ProfileFormController::fieldValues() const
{
    QVariantMap values;
    for (const QString& key : ProfileBlocks::fieldKeys(m_kind)) {
        QString value;
        if (QLineEdit* field = m_textFields.value(key))
            value = field->text();
        else if (QPlainTextEdit* text = m_textViews.value(key))
            value = text->toPlainText();
        else if (key == QLatin1String("Pet Sex"))
            value = QString::number(std::max(0, m_sex->selectedIndex()));
        else if (key == QLatin1String("Pet Neuter Status"))
            value = QString::number(std::max(0, m_neuter->selectedIndex()));
        else if (key == QLatin1String("Birth Date Status"))
            value = QString::number(m_birthDateNotAvailable->isChecked() ? 1 : 0);
        else if (key == QLatin1String("Pet Birth Date"))
            value = ProfileBlocks::dateString(m_birthDate->date());
        values.insert(key, value.isNull() ? QStringLiteral("") : value);
    }
    return values;
}

void ProfileFormController::fillFromProfile(const QVariantMap& profile)
{
    const auto text = [&](const QString& key) { return profile.value(key).toString(); };
    for (auto it = m_textFields.cbegin(); it != m_textFields.cend(); ++it)
        it.value()->setText(text(it.key()));
    for (auto it = m_textViews.cbegin(); it != m_textViews.cend(); ++it)
        it.value()->setPlainText(text(it.key()));
    const auto select = [&](SegmentedControl* control, const char* key) {
        if (!control)
            return;
        const int index = ProfileBlocks::storedInt(text(QLatin1String(key)));
        // A segment the form does not have selects the first.
        control->setSelectedIndex(index >= 0 && index < control->segmentCount() ? index : 0);
    };
    select(m_sex, "Pet Sex");
    select(m_neuter, "Pet Neuter Status");
    const QDate date = ProfileBlocks::parseDate(text(QStringLiteral("Pet Birth Date")));
    if (date.isValid())
        m_birthDate->setDate(date);
    m_birthDateNotAvailable->setChecked(ProfileBlocks::storedInt(text(QStringLiteral("Birth Date Status"))) !=
                                        0);
    setBirthDatePickerStatus();
}

void ProfileFormController::setFileNameGenerationType()
{
    m_pageFileName->setEnabled(m_naming->selectedIndex() == 1);
}

void ProfileFormController::controlTextDidChange(QLineEdit* field)
{
    if (!m_editFileNameFlag || !field || field->text().isEmpty())
        return;
    bool naming = false;
    for (const QString& key : ProfileBlocks::namingKeys(m_kind))
        naming = naming || m_textFields.value(key) == field;
    if (!naming || m_naming->selectedIndex() != 0)
        return;
    m_pageFileName->setText(ProfileBlocks::proposedFileName(m_kind, fieldValues()));
}

void ProfileFormController::setBirthDatePickerStatus()
{
    const bool notAvailable = m_birthDateNotAvailable->isChecked();
    m_birthDate->setEnabled(!notAvailable);
    QPalette palette = m_birthDate->palette();
    palette.setColor(QPalette::Text, notAvailable ? QColor(Qt::lightGray) : QColor(Qt::black));
    m_birthDate->setPalette(palette);
}
