// The human record form (patients, students), shown as a window-modal sheet on the document
// window: the shared fields, the photo well and its Delete button.
#pragma once
#include "window/ProfileFormController.h"

#include <QPointer>

class QDialog;
class ProfilePhotoWell;

class AddNewHumanPatientViewController : public ProfileFormController
{
    Q_OBJECT
public:
    explicit AddNewHumanPatientViewController(QWidget* parentWindow, QObject* parent = nullptr);

    QDialog* window() const;
    ProfilePhotoWell* photoImageView() const { return m_photo; }
    QPushButton* deletePhotoButton() const { return m_deletePhoto; }
    void deletePhotoImage();
    // The size of its layout, but 700 wide except in "Cardell 2".
    void sizeForEdition();

private:
    void windowDidLoad();

    ProfilePhotoWell* m_photo = nullptr;
    QPushButton* m_deletePhoto = nullptr;
};
