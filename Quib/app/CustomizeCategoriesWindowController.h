// The text categories window: one row per preset text style, its number and its description in an
// editable field drawn in the style's own font and colours. Save and Reset are the application
// delegate's; this window only holds the fields.
#pragma once
#include <QList>
#include <QObject>
#include <QPointer>

class QLineEdit;
class QPushButton;
class QTableWidget;
class QWidget;

class CustomizeCategoriesWindowController : public QObject
{
    Q_OBJECT
public:
    static constexpr int kRowHeight = 40;
    static constexpr int kLabelColumnWidth = 100;
    static constexpr int kDescriptionColumnWidth = 250;

    explicit CustomizeCategoriesWindowController(QObject* parent = nullptr);
    ~CustomizeCategoriesWindowController() override;

    QWidget* window() const { return m_window; }
    QTableWidget* tableView() const { return m_tableView; }
    QPushButton* saveButton() const { return m_saveButton; }
    QPushButton* resetButton() const { return m_resetButton; }
    // One field per category the process started with, in category order.
    QList<QLineEdit*> categoryTextFieldMutableArray() const { return m_categoryTextFieldMutableArray; }

    // Fills the rows again from the presets, so edits that were never saved give way to them.
    void reloadData();
    void showWindow();

private:
    void windowDidLoad();

    QPointer<QWidget> m_window;
    QTableWidget* m_tableView = nullptr;
    QPushButton* m_saveButton = nullptr;
    QPushButton* m_resetButton = nullptr;
    QList<QLineEdit*> m_categoryTextFieldMutableArray;
};
