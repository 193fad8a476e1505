// What the mail sheets and windows share: showing a dialog as a window-modal sheet on the window a
// command came from, and their named buttons.
#pragma once
#include <QString>

class QDialog;
class QPushButton;
class QWidget;

class MailSheet
{
public:
    MailSheet() = delete;

    // Shows sheet window-modal on parent (application-modal without one), near its top edge.
    static void present(QDialog* sheet, QWidget* parent);
    // A button with its title and object name (what tests and the screenshots find it by).
    static QPushButton* button(QWidget* parent, const QString& title, const QString& objectName);
    // A warning-style alert with one "OK" button.
    static void inform(const QString& title, const QString& text);
};
