#include "window/SheetLayout.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace SheetLayout {

QFormLayout* formWithButtons(QWidget* window, const QList<QPushButton*>& buttons)
{
    auto* form = new QFormLayout;
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (QPushButton* button : buttons)
        row->addWidget(button);
    if (!buttons.isEmpty())
        buttons.constLast()->setDefault(true);
    auto* column = new QVBoxLayout(window);
    column->addLayout(form);
    column->addStretch(1);
    column->addLayout(row);
    return form;
}

QPushButton* button(QWidget* window, const char* objectName, const QString& title)
{
    auto* made = new QPushButton(title, window);
    made->setObjectName(QString::fromLatin1(objectName));
    return made;
}

} // namespace SheetLayout
