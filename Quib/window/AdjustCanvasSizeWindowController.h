// The sheet that gives one page a canvas size of its own: automatic (segment 0, the edition's size)
// or fixed (segment 1, the two fields). It holds its controls and keeps the fields usable only for a
// fixed size; the document window fills it and applies the result.
#pragma once
#include <QObject>
#include <QPointer>

class QComboBox;
class QDialog;
class QLineEdit;
class QPushButton;
class QWidget;

class AdjustCanvasSizeWindowController : public QObject
{
    Q_OBJECT
public:
    explicit AdjustCanvasSizeWindowController(QWidget* parentWindow);
    ~AdjustCanvasSizeWindowController() override;

    QDialog* window() const { return m_window; }
    QComboBox* adjustmentSegmentedControl() const { return m_adjustmentSegmentedControl; }
    QLineEdit* widthTextField() const { return m_widthTextField; }
    QLineEdit* heightTextField() const { return m_heightTextField; }
    QPushButton* saveButton() const { return m_saveButton; }
    QPushButton* cancelButton() const { return m_cancelButton; }

    // Both fields editable for a fixed size, disabled for the automatic one.
    void updateTypeOfCanvasSize();

private:
    QPointer<QDialog> m_window;
    QComboBox* m_adjustmentSegmentedControl = nullptr;
    QLineEdit* m_widthTextField = nullptr;
    QLineEdit* m_heightTextField = nullptr;
    QPushButton* m_saveButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
};
