// The "Print Settings" window: the row and column of the first free label on the sheet. The canvas
// fills the fields and stores them on Save.
#pragma once
#include <QObject>
#include <QPointer>
#include <memory>

class QLineEdit;
class QPushButton;
class QWidget;

class PrintSettingsWindowController : public QObject
{
    Q_OBJECT
public:
    explicit PrintSettingsWindowController(QObject* parent = nullptr);
    ~PrintSettingsWindowController() override;

    QWidget* window() const { return m_window.get(); }
    QLineEdit* startingRowSpotTextField() const { return m_startingRowSpotTextField; }
    QLineEdit* startingColumnSpotTextField() const { return m_startingColumnSpotTextField; }
    QPushButton* saveButton() const { return m_saveButton; }

private:
    std::unique_ptr<QWidget> m_window;
    QPointer<QLineEdit> m_startingRowSpotTextField;
    QPointer<QLineEdit> m_startingColumnSpotTextField;
    QPointer<QPushButton> m_saveButton;
};
