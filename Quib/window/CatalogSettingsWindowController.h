// What the catalog settings windows share: the window, the output folder and its label, and the
// folder button that starts a catalog job reading the window's options when it generates.
#pragma once
#include "records/CatalogPageGenerator.h"

#include <QObject>
#include <QPointer>
#include <QString>

class CatalogGalleryJob;
class QLabel;
class QPushButton;
class QWidget;

class CatalogSettingsWindowController : public QObject
{
    Q_OBJECT
public:
    ~CatalogSettingsWindowController() override;

    QWidget* window() const { return m_window; }
    void showWindow();

    QString openWebsiteFolderPath() const { return m_openWebsiteFolderPath; }
    // The output folder; the path label shows it.
    void setOpenWebsiteFolderPath(const QString& path);

    QLabel* openWebsiteFolderPathLabel() const { return m_openWebsiteFolderPathLabel; }
    QPushButton* selectFolderButton() const { return m_selectFolderButton; }
    CatalogGalleryJob* job() const { return m_job; }

    // The options as the controls hold them now (main thread).
    virtual CatalogOptions catalogOptions() const = 0;

protected:
    // A window named for its interface, with the path label and the folder button made.
    CatalogSettingsWindowController(const QString& interfaceName, QObject* parent);

    QPointer<QWidget> m_window;
    QString m_openWebsiteFolderPath;
    QLabel* m_openWebsiteFolderPathLabel = nullptr;
    QPushButton* m_selectFolderButton = nullptr;
    CatalogGalleryJob* m_job = nullptr;
};
