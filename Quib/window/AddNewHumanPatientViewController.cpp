#include "window/AddNewHumanPatientViewController.h"

#include "editions/EditionSettings.h"
#include "platform/StringsTable.h"
#include "window/ProfilePhotoWell.h"
#include "window/SheetLayout.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QDialog* makeWindow(QWidget* parentWindow)
{
    auto* window = new QDialog(parentWindow);
    window->setObjectName(QStringLiteral("AddNewHumanPatientViewController"));
    window->setWindowTitle(QStringLiteral("Profile"));
    window->setWindowModality(Qt::WindowModal);
    return window;
}

} // namespace

AddNewHumanPatientViewController::AddNewHumanPatientViewController(QWidget* parentWindow, QObject* parent)
    : ProfileFormController(ProfileBlocks::Kind::Human, makeWindow(parentWindow), parent)
{
    m_photo = new ProfilePhotoWell(view());
    m_deletePhoto = SheetLayout::button(view(), "deletePhotoButton", QStringLiteral("Delete Photo"));
    m_deletePhoto->setAutoDefault(false);
    connect(m_deletePhoto, &QPushButton::clicked, this, [this] { deletePhotoImage(); });
    sideColumn()->addWidget(m_photo);
    sideColumn()->addWidget(m_deletePhoto);
    sideColumn()->addStretch(1);
    windowDidLoad();
}

QDialog* AddNewHumanPatientViewController::window() const
{
    return qobject_cast<QDialog*>(view());
}

void AddNewHumanPatientViewController::deletePhotoImage()
{
    m_photo->setImage(QImage());
}

void AddNewHumanPatientViewController::sizeForEdition()
{
    QDialog* sheet = window();
    sheet->adjustSize();
    if (edition().gEditionDisplayName != QLatin1String("Cardell 2"))
        sheet->resize(700, sheet->height());
}

void AddNewHumanPatientViewController::windowDidLoad()
{
    // Each caption is the key of its translation.
    const auto localized = [](const QString& key) {
        return platform::StringsTable::lookup(key, QStringLiteral("Localizable"));
    };
    for (const QString& key : ProfileBlocks::humanFieldKeys() + QStringList{QString()}) {
        if (QLabel* caption = label(key))
            caption->setText(localized(caption->text()));
    }
    cancelButton()->setText(localized(cancelButton()->text()));
    saveButton()->setText(localized(saveButton()->text()));
}
