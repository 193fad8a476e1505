// The fields shared by the two record forms (the pet form in the window's popover, the human form
// in a sheet): one control per field key, the file name with its naming segments, the birth-date
// box that greys the picker, Save and Cancel. The form reads its controls as the stored values and
// fills them from a record; what Save does is wired by whoever shows the form.
#pragma once
#include "records/ProfileBlocks.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariantMap>

class QCheckBox;
class QDateEdit;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QVBoxLayout;
class QWidget;
class SegmentedControl;

class ProfileFormController : public QObject
{
    Q_OBJECT
public:
    // Builds the controls of kind into view, which goes with the form.
    ProfileFormController(ProfileBlocks::Kind kind, QWidget* view, QObject* parent = nullptr);
    ~ProfileFormController() override;

    ProfileBlocks::Kind kind() const { return m_kind; }
    QWidget* view() const { return m_view; }

    // The text control of a key ("Owner First Name" ...); nullptr for the others.
    QLineEdit* textField(const QString& key) const { return m_textFields.value(key); }
    QPlainTextEdit* textView(const QString& key) const { return m_textViews.value(key); }
    QLineEdit* firstNameTextField() const;
    QLineEdit* lastNameTextField() const;
    QLineEdit* petNameTextField() const;
    QLineEdit* petBreedTextField() const;
    QLineEdit* petChartNumberTextField() const;
    QPlainTextEdit* addressTextView() const;
    QPlainTextEdit* petNotesTextView() const;
    SegmentedControl* petSexSegmentedControl() const { return m_sex; }
    // nullptr in the human form.
    SegmentedControl* petNeuterSegmentedControl() const { return m_neuter; }
    QCheckBox* birthdateNotAvailableCheckbox() const { return m_birthDateNotAvailable; }
    QDateEdit* petBirthdateDatePicker() const { return m_birthDate; }
    QLineEdit* pageFileNameTextField() const { return m_pageFileName; }
    // Segment 0 names the file from the naming fields, segment 1 lets the user type it.
    SegmentedControl* fileNameGenerationSegmentedControl() const { return m_naming; }
    QPushButton* saveButton() const { return m_save; }
    QPushButton* cancelButton() const { return m_cancel; }
    // The label in front of a key's control, and of the file name ("" key).
    QLabel* label(const QString& key) const { return m_labels.value(key); }

    QString selectedTemplateCategoryFolder() const { return m_selectedTemplateCategoryFolder; }
    void setSelectedTemplateCategoryFolder(const QString& folder)
    {
        m_selectedTemplateCategoryFolder = folder;
    }
    QString selectedTemplateName() const { return m_selectedTemplateName; }
    void setSelectedTemplateName(const QString& name) { m_selectedTemplateName = name; }
    // Set while the form creates a record: only then does typing propose a file name.
    bool editFileNameFlag() const { return m_editFileNameFlag; }
    void setEditFileNameFlag(bool flag) { m_editFileNameFlag = flag; }

    // The controls as stored: every key of the kind, text as typed, segments and the box as
    // integers, the date as "MMM dd yyyy".
    QVariantMap fieldValues() const;
    // The controls from a record; a missing key gives "", segment 0 and the box off.
    void fillFromProfile(const QVariantMap& profile);

    void setFileNameGenerationType();
    // A naming field was edited by the user.
    void controlTextDidChange(QLineEdit* field);
    // Greys the date picker while the not-available box is ticked.
    void setBirthDatePickerStatus();

protected:
    // Rows of the subclass go after the fields; the side column stands right of them.
    QFormLayout* form() const { return m_form; }
    QVBoxLayout* sideColumn() const { return m_side; }

private:
    ProfileBlocks::Kind m_kind;
    QPointer<QWidget> m_view;
    QFormLayout* m_form = nullptr;
    QVBoxLayout* m_side = nullptr;
    QHash<QString, QLineEdit*> m_textFields;
    QHash<QString, QPlainTextEdit*> m_textViews;
    QHash<QString, QLabel*> m_labels;
    SegmentedControl* m_sex = nullptr;
    SegmentedControl* m_neuter = nullptr;
    QCheckBox* m_birthDateNotAvailable = nullptr;
    QDateEdit* m_birthDate = nullptr;
    QLineEdit* m_pageFileName = nullptr;
    SegmentedControl* m_naming = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_cancel = nullptr;
    QString m_selectedTemplateCategoryFolder;
    QString m_selectedTemplateName;
    bool m_editFileNameFlag = false;
};
