// The pet record form, shown in the document window's popover (veterinary and viewer editions).
#pragma once
#include "window/ProfileFormController.h"

class AddNewPatientViewController : public ProfileFormController
{
    Q_OBJECT
public:
    explicit AddNewPatientViewController(QObject* parent = nullptr);
};
