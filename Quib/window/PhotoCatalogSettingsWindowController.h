// The settings window of the photo and video grids: title, items a page, captions, copies, theme
// and heading alignment, and the folder button that starts a catalog job. The photo-collection
// edition opens one from its document window to scan a folder for its day pages.
#pragma once
#include "window/CatalogSettingsWindowController.h"

class QCheckBox;
class QLineEdit;
class SegmentedControl;

class PhotoCatalogSettingsWindowController : public CatalogSettingsWindowController
{
    Q_OBJECT
public:
    explicit PhotoCatalogSettingsWindowController(QObject* parent = nullptr);

    SegmentedControl* photosPerPageSegmentedControl() const { return m_photosPerPageSegmentedControl; }
    QLineEdit* photoCatalogTitleTextField() const { return m_photoCatalogTitleTextField; }
    QCheckBox* filenameCheckbox() const { return m_filenameCheckbox; }
    QCheckBox* timestampCheckbox() const { return m_timestampCheckbox; }
    QCheckBox* filePathCheckbox() const { return m_filePathCheckbox; }
    QLabel* supportedFileTypeLabel() const { return m_supportedFileTypeLabel; }
    SegmentedControl* duplicateOptionSegmentedControl() const { return m_duplicateOptionSegmentedControl; }
    SegmentedControl* themeSegmentedControl() const { return m_themeSegmentedControl; }
    SegmentedControl* alignmentSegmentedControl() const { return m_alignmentSegmentedControl; }

    CatalogOptions catalogOptions() const override;

private:
    void windowDidLoad();

    SegmentedControl* m_photosPerPageSegmentedControl = nullptr;
    QLineEdit* m_photoCatalogTitleTextField = nullptr;
    QCheckBox* m_filenameCheckbox = nullptr;
    QCheckBox* m_timestampCheckbox = nullptr;
    QCheckBox* m_filePathCheckbox = nullptr;
    QLabel* m_supportedFileTypeLabel = nullptr;
    SegmentedControl* m_duplicateOptionSegmentedControl = nullptr;
    SegmentedControl* m_themeSegmentedControl = nullptr;
    SegmentedControl* m_alignmentSegmentedControl = nullptr;
};
