// The small editor the canvas shows beside a graphic: a popup frame that closes when the user
// clicks elsewhere, holding a form of fields and a Save button. Fields are found by object name.
#pragma once
#include <QFrame>

class QFormLayout;
class QPushButton;

class QuibPopover : public QFrame
{
    Q_OBJECT
public:
    QuibPopover(QWidget* parent, const QSize& size);

    QFormLayout* form() const { return m_form; }
    QPushButton* saveButton() const { return m_save; }
    // Opens beside anchor (canvas coordinates of parent), to its left side where room allows.
    void showBeside(const QRect& anchor);
    // Where a popover of size opens beside anchor on a screen of that area (both in global
    // coordinates; an invalid screen only keeps it off negative x).
    static QPoint placementBeside(const QRect& anchor, const QSize& size, const QRect& screen);

private:
    QFormLayout* m_form;
    QPushButton* m_save;
};
