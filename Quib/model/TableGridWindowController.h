// The "Configure Table Grid" window: column and row counts, cell spacing and, in editions that offer
// them, per-column widths, per-row heights, fixed flags and the same-size options. The controller only
// builds and prepares the controls; the table editing of the canvas fills them from a table, wires
// them to its actions and writes the table back.
#pragma once
#include <QObject>
#include <QPointer>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QSpinBox;
class QWidget;

class TableGridWindowController : public QObject
{
    Q_OBJECT
public:
    explicit TableGridWindowController(QObject* parent = nullptr);
    ~TableGridWindowController() override;

    // The window, built on first use; windowDidLoad runs once right after.
    QWidget* window();
    bool isWindowLoaded() const { return m_window != nullptr; }

    // Takes the per-column and per-row controls out of the window in editions without them, and
    // gives the same-size check boxes their white titles.
    virtual void windowDidLoad();

    // The controls; each getter loads the window first. Controls taken out of the window stay
    // valid, so the table editing may fill and read them in every edition.
    QLineEdit* numOfColumnsTextField();
    QSpinBox* columnStepper();
    QLineEdit* numOfRowsTextField();
    QSpinBox* rowStepper();
    QLineEdit* spacingTextField();
    QSlider* spacingSlider();
    QComboBox* columnWidthPopUpButton();
    QLineEdit* widthTextField();
    QCheckBox* fixedWidthCheckmark();
    QLabel* columnWidthLabel();
    QComboBox* rowHeightPopUpButton();
    QLineEdit* heightTextField();
    QCheckBox* fixedHeightCheckmark();
    QLabel* rowHeightLabel();
    QCheckBox* sameWidthForAllColumnsCheckmark();
    QCheckBox* sameHeightForAllRowsCheckmark();
    QPushButton* saveButton();
    // Closes the window and puts the table back as it was when the window opened.
    QPushButton* cancelButton();

    // The largest column or row count the window offers or accepts.
    static constexpr int kMaxCount = 200;

    // Gives a check box or label a title drawn in white.
    static void setWhiteTitle(QWidget* control, const QString& title);

private:
    void loadWindow();

    std::unique_ptr<QWidget> m_window;
    // Holds the controls taken out of the window, so that they live as long as the controller.
    std::unique_ptr<QWidget> m_removedControls;

    QPointer<QLineEdit> m_numOfColumnsTextField;
    QPointer<QSpinBox> m_columnStepper;
    QPointer<QLineEdit> m_numOfRowsTextField;
    QPointer<QSpinBox> m_rowStepper;
    QPointer<QLineEdit> m_spacingTextField;
    QPointer<QSlider> m_spacingSlider;
    QPointer<QComboBox> m_columnWidthPopUpButton;
    QPointer<QLineEdit> m_widthTextField;
    QPointer<QCheckBox> m_fixedWidthCheckmark;
    QPointer<QLabel> m_columnWidthLabel;
    QPointer<QComboBox> m_rowHeightPopUpButton;
    QPointer<QLineEdit> m_heightTextField;
    QPointer<QCheckBox> m_fixedHeightCheckmark;
    QPointer<QLabel> m_rowHeightLabel;
    QPointer<QCheckBox> m_sameWidthForAllColumnsCheckmark;
    QPointer<QCheckBox> m_sameHeightForAllRowsCheckmark;
    QPointer<QPushButton> m_saveButton;
    QPointer<QPushButton> m_cancelButton;
};
