// The gallery grid dialog: columns, rows, spacing, shadow and backdrop of one gallery. Every change
// is sent at once (the canvas applies it to the gallery); Save sends the typed spacing too.
#pragma once
#include <QDialog>

class QButtonGroup;
class QLineEdit;
class QPushButton;
class QSlider;
class QSpinBox;

class GalleryGridEditorWindowController : public QDialog
{
    Q_OBJECT
public:
    explicit GalleryGridEditorWindowController(QWidget* parent);

    // Fills the controls without sending anything. Counts below 1 are shown as 1.
    void showSettings(int columns, int rows, int padding, int shadowFlag, int backdrop);

    QSpinBox* columnField() const { return m_columns; }
    QSpinBox* rowField() const { return m_rows; }
    QLineEdit* spacingField() const { return m_spacingField; }
    QSlider* spacingSlider() const { return m_spacing; }
    QButtonGroup* shadowControl() const { return m_shadow; }
    QButtonGroup* backdropControl() const { return m_backdrop; }
    QPushButton* saveButton() const { return m_save; }
    // The spacing field's value; nullopt when it is empty.
    std::optional<int> typedSpacing() const;

    static constexpr int kMostColumns = 50;
    static constexpr int kMostRows = 50;
    static constexpr int kMostSpacing = 200;

signals:
    void columnsChanged(int count);
    void rowsChanged(int count);
    void spacingChanged(int padding);
    void shadowChanged(int flag);
    void backdropChanged(int backdrop);
    void saveRequested();

private:
    QSpinBox* m_columns;
    QSpinBox* m_rows;
    QLineEdit* m_spacingField;
    QSlider* m_spacing;
    QButtonGroup* m_shadow;
    QButtonGroup* m_backdrop;
    QPushButton* m_save;
    bool m_filling = false;
};
