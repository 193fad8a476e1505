// The branch generator's controls: how many branches, their size against the source, their
// distance from the hub, the line style and the angle they spread over, and the add button. The
// canvas builds it into its popover, fills the pop-ups and reads them when the button is pressed.
#pragma once
#include <QObject>
#include <QPointer>

class QComboBox;
class QPushButton;
class QuibPopover;

class MultiplyViewController : public QObject
{
    Q_OBJECT
public:
    // Adds the five pop-ups to the popover's form and titles its button "Add".
    explicit MultiplyViewController(QuibPopover* popover);

    QComboBox* popupButton() const { return m_popupButton; }
    QComboBox* sizePopUpButton() const { return m_sizePopUpButton; }
    QComboBox* distancePopUpButton() const { return m_distancePopUpButton; }
    QComboBox* lineTypePopUpButton() const { return m_lineTypePopUpButton; }
    QComboBox* degreePopUpButton() const { return m_degreePopUpButton; }
    QPushButton* addButton() const { return m_addButton; }

private:
    QPointer<QComboBox> m_popupButton;
    QPointer<QComboBox> m_sizePopUpButton;
    QPointer<QComboBox> m_distancePopUpButton;
    QPointer<QComboBox> m_lineTypePopUpButton;
    QPointer<QComboBox> m_degreePopUpButton;
    QPointer<QPushButton> m_addButton;
};
