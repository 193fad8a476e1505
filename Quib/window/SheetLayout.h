// The layout of the small sheets and windows: a form of labelled fields above a row of buttons at
// the right, the last of them the default one.
#pragma once
#include <QList>
#include <QString>

class QFormLayout;
class QPushButton;
class QWidget;

namespace SheetLayout {

// Lays out window with the form and the buttons; returns the form to fill.
QFormLayout* formWithButtons(QWidget* window, const QList<QPushButton*>& buttons);
// A button of window named for tests and scripts.
QPushButton* button(QWidget* window, const char* objectName, const QString& title);

} // namespace SheetLayout
