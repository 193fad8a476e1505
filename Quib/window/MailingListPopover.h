// The small popover in which a recipient list gets its name before it is saved: a title field,
// filled with a date title, and a Save button. Transient: a click outside closes it unsaved.
#pragma once
#include <QFrame>
#include <functional>

class QLineEdit;
class QPushButton;

class MailingListPopover : public QFrame
{
    Q_OBJECT
public:
    explicit MailingListPopover(QWidget* parent = nullptr);

    QLineEdit* mailingListTitleTextField() const { return m_title; }
    QPushButton* saveButton() const { return m_save; }

    // Shows the popover beside anchor's right edge with title in its field; save gets the title as
    // the field then holds it.
    void popUp(QWidget* anchor, const QString& title, std::function<void(const QString&)> save);

private:
    QLineEdit* m_title = nullptr;
    QPushButton* m_save = nullptr;
    std::function<void(const QString&)> m_onSave;
};
