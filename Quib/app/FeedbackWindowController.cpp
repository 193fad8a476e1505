#include "app/FeedbackWindowController.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

FeedbackWindowController::FeedbackWindowController(QObject* parent) : QObject(parent)
{
    loadWindow();
}

void FeedbackWindowController::loadWindow()
{
    m_window = new QDialog;
    m_window->setObjectName(QStringLiteral("FeedbackWindowController"));
    m_window->setWindowTitle(QStringLiteral("Feedback"));
    auto* summaryBox = new QGroupBox(QStringLiteral("How is your experience so far?"), m_window);
    auto* summaries = new QHBoxLayout(summaryBox);
    m_experienceMatrix = new QButtonGroup(m_window);
    for (const QString& title : experienceTitles()) {
        auto* cell = new QRadioButton(title, summaryBox);
        m_experienceMatrix->addButton(cell);
        summaries->addWidget(cell);
    }
    m_experienceMatrix->buttons().constFirst()->setChecked(true);
    m_feedbackTextView = new QPlainTextEdit(m_window);
    m_feedbackTextView->setMinimumSize(440, 180);
    m_sendEmailButton = new QPushButton(QStringLiteral("Send Email"), m_window);
    m_sendEmailButton->setDefault(true);
    m_cancelButton = new QPushButton(QStringLiteral("Cancel"), m_window);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cancelButton);
    buttons->addWidget(m_sendEmailButton);
    auto* layout = new QVBoxLayout(m_window);
    layout->addWidget(new QLabel(QStringLiteral("We would love to hear from you."), m_window));
    layout->addWidget(summaryBox);
    layout->addWidget(m_feedbackTextView, 1);
    layout->addLayout(buttons);
}

FeedbackWindowController::~FeedbackWindowController()
{
    delete m_window.data();
}

const QStringList& FeedbackWindowController::experienceTitles()
{
    static const QStringList titles{QStringLiteral("Excellent"), QStringLiteral("Good"), QStringLiteral("Fair"),
                                    QStringLiteral("Poor")};
    return titles;
}

QString FeedbackWindowController::selectedExperience() const
{
    const QAbstractButton* cell = m_experienceMatrix ? m_experienceMatrix->checkedButton() : nullptr;
    return cell ? cell->text() : QString();
}

void FeedbackWindowController::beginSheet(QWidget* parent)
{
    if (!m_window)
        loadWindow();
    QWidget* host = parent ? parent->window() : nullptr;
    if (m_window->parentWidget() != host) {
        // Reparenting turns a dialog into a child widget unless its window flags are given again.
        m_window->setParent(host, Qt::Dialog);
    }
    m_window->setWindowModality(host ? Qt::WindowModal : Qt::ApplicationModal);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}
