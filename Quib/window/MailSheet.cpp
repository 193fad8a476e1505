#include "window/MailSheet.h"

#include "platform/Dialogs.h"

#include <QDialog>
#include <QPushButton>

void MailSheet::present(QDialog* sheet, QWidget* parent)
{
    if (sheet->parentWidget() != parent)
        sheet->setParent(parent, Qt::Sheet);
    sheet->setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    if (parent) {
        const QRect frame = parent->geometry();
        sheet->move(frame.center().x() - sheet->width() / 2, frame.top() + 20);
    }
    sheet->show();
    sheet->raise();
    sheet->activateWindow();
}

QPushButton* MailSheet::button(QWidget* parent, const QString& title, const QString& objectName)
{
    auto* button = new QPushButton(title, parent);
    button->setObjectName(objectName);
    return button;
}

void MailSheet::inform(const QString& title, const QString& text)
{
    platform::Alert alert;
    alert.style = platform::AlertStyle::Warning;
    alert.title = title;
    alert.informativeText = text;
    alert.buttons = {QStringLiteral("OK")};
    platform::showAlert(alert);
}
