// The photo-collection edition's small window of caption options; its Add button places the
// scanned photos on day pages of the key document window.
#pragma once
#include <QObject>
#include <QPointer>

class QCheckBox;
class QPushButton;
class QWidget;

class AddPhotoSettingsWindowController : public QObject
{
    Q_OBJECT
public:
    explicit AddPhotoSettingsWindowController(QObject* parent = nullptr);
    ~AddPhotoSettingsWindowController() override;

    // The process's add-photo window (the last one made), or nullptr; photo pages read its boxes.
    static AddPhotoSettingsWindowController* shared();

    QWidget* window() const { return m_window; }
    void showWindow();

    QPushButton* addButton() const { return m_addButton; }
    QCheckBox* thumbnailCheckbox() const { return m_thumbnailCheckbox; }
    QCheckBox* filenameCheckbox() const { return m_filenameCheckbox; }
    QCheckBox* filepathCheckbox() const { return m_filepathCheckbox; }
    QCheckBox* timestampCheckbox() const { return m_timestampCheckbox; }

signals:
    // The Add button: the owner sends "generatePhotoPages" to the key document window.
    void addRequested();

private:
    QPointer<QWidget> m_window;
    QPushButton* m_addButton = nullptr;
    QCheckBox* m_thumbnailCheckbox = nullptr;
    QCheckBox* m_filenameCheckbox = nullptr;
    QCheckBox* m_filepathCheckbox = nullptr;
    QCheckBox* m_timestampCheckbox = nullptr;
};
