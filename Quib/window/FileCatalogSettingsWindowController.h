// The settings window of the catalog of folder sizes: the output folder, which folders are too small
// to list, and the folder button that starts a catalog job.
#pragma once
#include "window/CatalogSettingsWindowController.h"

class SegmentedControl;

class FileCatalogSettingsWindowController : public CatalogSettingsWindowController
{
    Q_OBJECT
public:
    explicit FileCatalogSettingsWindowController(QObject* parent = nullptr);

    SegmentedControl* skipFolderSizeSegmentedControl() const { return m_skipFolderSizeSegmentedControl; }

    CatalogOptions catalogOptions() const override;

private:
    void windowDidLoad();

    SegmentedControl* m_skipFolderSizeSegmentedControl = nullptr;
};
