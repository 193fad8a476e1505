#include "window/FormSettingsWindowController.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

FormSettingsWindowController::FormSettingsWindowController(QWidget* parentWindow) : QDialog(parentWindow)
{
    setObjectName(QStringLiteral("FormSettingsWindowController"));
    setWindowTitle(QStringLiteral("Preferences"));
    setWindowModality(Qt::WindowModal);
    resize(560, 0);

    auto* form = new QFormLayout;
    auto row = [&](QLineEdit*& field, const char* name, const char* labelName, const QString& title,
                   const QString& tip) {
        field = new QLineEdit(this);
        field->setObjectName(QLatin1String(name));
        auto* label = new QLabel(title, this);
        label->setObjectName(QLatin1String(labelName));
        label->setToolTip(tip);
        label->setBuddy(field);
        form->addRow(label, field);
        connect(field, &QLineEdit::textEdited, this, [this] { m_edited = true; });
    };
    row(m_primaryResponseEmail, "primaryResponseEmail", "primaryResponseEmailLabel",
        QStringLiteral("Primary Response Email"),
        QStringLiteral(
            "Primary Response Email receives the form results after submission.\n\nCompleting both "
            "the Primary and Secondary response emails allows you to receive two copies of the form "
            "response and provides a backup in case one email is not working."));
    row(m_secondaryResponseEmail, "secondaryResponseEmail", "secondaryResponseEmailLabel",
        QStringLiteral("Secondary Response Email"),
        QStringLiteral(
            "Secondary Response Email is an optional field, if completed, a copy of the form response "
            "will be delivered to this email.\n\nCompleting both the Primary and Secondary response "
            "emails allows you to receive two copies of the form response and provides a backup in "
            "case one email is not working."));
    row(m_formSubmissionResponse, "formSubmissionResponse", "formSubmissionResponseLabel",
        QStringLiteral("Form Submission Response"),
        QStringLiteral("Form Submission Response is the message returned after the form is submitted."));
    row(m_missingFieldResponse, "missingFieldResponse", "missingFieldResponseLabel",
        QStringLiteral("Missing Field Response"),
        QStringLiteral(
            "Missing Field Response is the message returned if a required field is left blank.\n\nTo "
            "specify a form field as mandatory, right click on it and choose 'Completion Required'."));
    row(m_submitButtonValue, "submitButtonValue", "submitButtonValueLabel", QStringLiteral("Submit Button"),
        QString());
    row(m_postSubmitURL, "postSubmitURL", "postSubmitURLLabel", QStringLiteral("Post Submit Redirect URL"),
        QStringLiteral(
            "Post Submit Redirect URL is the web address the user is sent to after the form is "
            "submitted.\n\nIf left blank, the user will be sent back to the form after submission."));
    row(m_emailVerificationMsg, "emailVerificationMsg", "emailVerificationMsgLabel",
        QStringLiteral("Email Verification Alert"),
        QStringLiteral("Email Verification Alert is the message returned if an invalid email address is "
                       "entered."));
    row(m_botCheckerMsg, "botCheckerMsg", "botCheckerMsgLabel", QStringLiteral("Bot Checker Message"),
        QStringLiteral("Bot Checker Message is the message returned when the bot answer is incorrect."));
    row(m_emailServerTextField, "emailServerTextField", "emailServerLabel", QStringLiteral("Mail Server"),
        QString());
    row(m_emailUsernameTextField, "emailUsernameTextField", "emailUsernameLabel", QStringLiteral("User Name"),
        QString());
    row(m_emailPasswordTextField, "emailPasswordTextField", "emailPasswordLabel", QStringLiteral("Password"),
        QString());
    m_emailPasswordTextField->setEchoMode(QLineEdit::PasswordEchoOnEdit);

    m_formSubmitterIPCheckbox = new QCheckBox(QStringLiteral("Record the submitter's IP address"), this);
    m_formSubmitterIPCheckbox->setObjectName(QStringLiteral("formSubmitterIPCheckbox"));
    connect(m_formSubmitterIPCheckbox, &QCheckBox::clicked, this, [this] { m_edited = true; });
    form->addRow(m_formSubmitterIPCheckbox);

    m_emailDisplayOptionMatrix = new QButtonGroup(this);
    m_emailDisplayOptionMatrix->setObjectName(QStringLiteral("emailDisplayOptionMatrix"));
    auto* matrixRow = new QHBoxLayout;
    const QStringList columns{QStringLiteral("Fields top to bottom"), QStringLiteral("Fields as created")};
    for (int column = 0; column < columns.size(); ++column) {
        auto* cell = new QRadioButton(columns.at(column), this);
        cell->setObjectName(QStringLiteral("emailDisplayOption%1").arg(column));
        m_emailDisplayOptionMatrix->addButton(cell, column);
        matrixRow->addWidget(cell);
    }
    matrixRow->addStretch();
    connect(m_emailDisplayOptionMatrix, &QButtonGroup::idClicked, this, [this] { m_edited = true; });
    form->addRow(QStringLiteral("Results in the mail"), matrixRow);

    m_saveButton = new QPushButton(QStringLiteral("Save"), this);
    m_saveButton->setObjectName(QStringLiteral("saveButton"));
    m_saveButton->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_saveButton);
    auto* top = new QVBoxLayout(this);
    top->addLayout(form);
    top->addLayout(buttons);
}

QLabel* FormSettingsWindowController::labelFor(QLineEdit* field) const
{
    const auto* layout = findChild<QFormLayout*>();
    return layout ? qobject_cast<QLabel*>(layout->labelForField(field)) : nullptr;
}

void FormSettingsWindowController::reject()
{
    if (m_edited) {
        emit closeRequested();
        return;
    }
    QDialog::reject();
}
