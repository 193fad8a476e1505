// The template chooser's window: the category column on the left, the grid of template tiles on the
// right, Cancel, Open and Select below, and the base-template box. The application side fills the
// column and the grid; a click on the window's background (not on a tile) posts
// "clearTemplateSelection". One window lives for the whole process.
#pragma once
#include <QObject>
#include <QPointer>

class QCheckBox;
class QPushButton;
class QScrollArea;
class QWidget;

class TemplateWindowController : public QObject
{
    Q_OBJECT
public:
    explicit TemplateWindowController(QObject* parent = nullptr);
    ~TemplateWindowController() override;

    QWidget* window() const { return m_window; }
    QScrollArea* categoryScrollView() const { return m_categoryScrollView; }
    QScrollArea* scrollView() const { return m_scrollView; }
    QPushButton* selectButton() const { return m_selectButton; }
    QPushButton* cancelButton() const { return m_cancelButton; }
    QPushButton* openButton() const { return m_openButton; }
    QCheckBox* baseTemplateCheckbox() const { return m_baseTemplateCheckbox; }

    // The new document views of the two columns; the old ones go.
    void setCategoryView(QWidget* view);
    void setGridView(QWidget* view);

    // A visible window is hidden, a hidden one shown.
    void showOrHideWindow();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> m_window;
    QScrollArea* m_categoryScrollView = nullptr;
    QScrollArea* m_scrollView = nullptr;
    QPushButton* m_selectButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    QPushButton* m_openButton = nullptr;
    QCheckBox* m_baseTemplateCheckbox = nullptr;
};
