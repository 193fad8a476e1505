// The feedback sheet: how the app is going (one of a few summaries) and what the user would like to
// tell. The application delegate shows it, connects its buttons and turns it into a mail.
#pragma once
#include <QButtonGroup>
#include <QDialog>
#include <QObject>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QString>

class FeedbackWindowController : public QObject
{
    Q_OBJECT
public:
    explicit FeedbackWindowController(QObject* parent = nullptr);
    ~FeedbackWindowController() override;

    // The summaries offered, the first chosen at the start.
    static const QStringList& experienceTitles();

    QDialog* window() const { return m_window; }
    QPlainTextEdit* feedbackTextView() const { return m_feedbackTextView; }
    QButtonGroup* experienceMatrix() const { return m_experienceMatrix; }
    QPushButton* sendEmailButton() const { return m_sendEmailButton; }
    QPushButton* cancelButton() const { return m_cancelButton; }
    // The title of the chosen summary.
    QString selectedExperience() const;

    // Shows the sheet on parent's window (an application-modal window without one).
    void beginSheet(QWidget* parent);

private:
    // Built again when the window it was a sheet on took it along.
    void loadWindow();

    QPointer<QDialog> m_window;
    QPointer<QPlainTextEdit> m_feedbackTextView;
    QPointer<QButtonGroup> m_experienceMatrix;
    QPointer<QPushButton> m_sendEmailButton;
    QPointer<QPushButton> m_cancelButton;
};
