#include "canvas/MultiplyViewController.h"

#include "canvas/QuibPopover.h"

#include <QComboBox>
#include <QFormLayout>
#include <QPushButton>

namespace {

QComboBox* popUp(QuibPopover* popover, const char* name, const QString& caption)
{
    auto* box = new QComboBox(popover);
    box->setObjectName(QString::fromLatin1(name));
    popover->form()->addRow(caption, box);
    return box;
}

} // namespace

MultiplyViewController::MultiplyViewController(QuibPopover* popover) : QObject(popover)
{
    m_popupButton = popUp(popover, "popupButton", QStringLiteral("Branches"));
    m_sizePopUpButton = popUp(popover, "sizePopUpButton", QStringLiteral("Size"));
    m_distancePopUpButton = popUp(popover, "distancePopUpButton", QStringLiteral("Distance"));
    m_lineTypePopUpButton = popUp(popover, "lineTypePopUpButton", QStringLiteral("Line"));
    m_degreePopUpButton = popUp(popover, "degreePopUpButton", QStringLiteral("Angle"));
    m_addButton = popover->saveButton();
    m_addButton->setText(QStringLiteral("Add"));
}
