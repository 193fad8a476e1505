// The form settings dialog ("Preferences") of a web-form page: where results are mailed, the
// visitor's messages, the redirect, the mail server account, the submitter's address and the order
// of the fields in the mail. A passive form; the document fills it and reads it back.
#pragma once
#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

class FormSettingsWindowController : public QDialog
{
    Q_OBJECT
public:
    explicit FormSettingsWindowController(QWidget* parentWindow);

    QLineEdit* primaryResponseEmail() const { return m_primaryResponseEmail; }
    QLineEdit* secondaryResponseEmail() const { return m_secondaryResponseEmail; }
    QLineEdit* formSubmissionResponse() const { return m_formSubmissionResponse; }
    QLineEdit* missingFieldResponse() const { return m_missingFieldResponse; }
    QLineEdit* submitButtonValue() const { return m_submitButtonValue; }
    QLineEdit* postSubmitURL() const { return m_postSubmitURL; }
    QLineEdit* emailVerificationMsg() const { return m_emailVerificationMsg; }
    QLineEdit* botCheckerMsg() const { return m_botCheckerMsg; }
    QLineEdit* emailServerTextField() const { return m_emailServerTextField; }
    QLineEdit* emailUsernameTextField() const { return m_emailUsernameTextField; }
    QLineEdit* emailPasswordTextField() const { return m_emailPasswordTextField; }
    QCheckBox* formSubmitterIPCheckbox() const { return m_formSubmitterIPCheckbox; }
    // One row of exclusive choices; the id of each button is its column.
    QButtonGroup* emailDisplayOptionMatrix() const { return m_emailDisplayOptionMatrix; }
    QPushButton* saveButton() const { return m_saveButton; }
    QLabel* labelFor(QLineEdit* field) const;

    // True once the user typed, picked or ticked anything since the document filled the form.
    bool isEdited() const { return m_edited; }
    void setEdited(bool edited) { m_edited = edited; }

protected:
    // Closing with changes asks whether to keep them; the document answers through this hook.
    void reject() override;

signals:
    void closeRequested();

private:
    QLineEdit* m_primaryResponseEmail = nullptr;
    QLineEdit* m_secondaryResponseEmail = nullptr;
    QLineEdit* m_formSubmissionResponse = nullptr;
    QLineEdit* m_missingFieldResponse = nullptr;
    QLineEdit* m_submitButtonValue = nullptr;
    QLineEdit* m_postSubmitURL = nullptr;
    QLineEdit* m_emailVerificationMsg = nullptr;
    QLineEdit* m_botCheckerMsg = nullptr;
    QLineEdit* m_emailServerTextField = nullptr;
    QLineEdit* m_emailUsernameTextField = nullptr;
    QLineEdit* m_emailPasswordTextField = nullptr;
    QCheckBox* m_formSubmitterIPCheckbox = nullptr;
    QButtonGroup* m_emailDisplayOptionMatrix = nullptr;
    QPushButton* m_saveButton = nullptr;
    bool m_edited = false;
};
