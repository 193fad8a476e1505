#include "window/PhotoCatalogSettingsWindowController.h"

#include "editions/EditionSettings.h"
#include "window/inspector/SegmentedControl.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

PhotoCatalogSettingsWindowController::PhotoCatalogSettingsWindowController(QObject* parent)
    : CatalogSettingsWindowController(QStringLiteral("PhotoCatalogSettingsWindowController"), parent)
{
    m_photoCatalogTitleTextField = new QLineEdit(m_window);
    m_photoCatalogTitleTextField->setPlaceholderText(QStringLiteral("Catalog title"));
    m_photosPerPageSegmentedControl = new SegmentedControl(m_window);
    QStringList counts;
    for (int s = 0; s < 12; ++s)
        counts << QString::number(CatalogPageGenerator::itemsPerPage(s));
    m_photosPerPageSegmentedControl->setSegments(counts, QList<int>(12, 50));
    m_filenameCheckbox = new QCheckBox(QStringLiteral("File name"), m_window);
    m_timestampCheckbox = new QCheckBox(QStringLiteral("Date"), m_window);
    m_filePathCheckbox = new QCheckBox(QStringLiteral("Path button"), m_window);
    m_supportedFileTypeLabel = new QLabel(m_window);
    m_supportedFileTypeLabel->setWordWrap(true);
    m_duplicateOptionSegmentedControl = new SegmentedControl(m_window);
    m_duplicateOptionSegmentedControl->setSegments(
        {QStringLiteral("Link Originals"), QStringLiteral("Copy Files")}, {110, 110});
    m_duplicateOptionSegmentedControl->setSelectedIndex(0);
    m_themeSegmentedControl = new SegmentedControl(m_window);
    m_themeSegmentedControl->setSegments({QStringLiteral("Light"), QStringLiteral("Dark")}, {80, 80});
    m_themeSegmentedControl->setSelectedIndex(0);
    m_alignmentSegmentedControl = new SegmentedControl(m_window);
    m_alignmentSegmentedControl->setSegments({QStringLiteral("Left"), QStringLiteral("Center")}, {80, 80});
    m_alignmentSegmentedControl->setSelectedIndex(0);
    // The two-way choices keep their segments together at the start of their rows.
    for (SegmentedControl* control :
         {m_duplicateOptionSegmentedControl, m_themeSegmentedControl, m_alignmentSegmentedControl})
        control->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

    auto* captions = new QHBoxLayout;
    captions->addWidget(m_filenameCheckbox);
    captions->addWidget(m_timestampCheckbox);
    captions->addWidget(m_filePathCheckbox);
    captions->addStretch();
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Output folder:"), m_openWebsiteFolderPathLabel);
    form->addRow(QStringLiteral("Title:"), m_photoCatalogTitleTextField);
    form->addRow(QStringLiteral("Items per page:"), m_photosPerPageSegmentedControl);
    form->addRow(QStringLiteral("Captions:"), captions);
    form->addRow(QStringLiteral("Files:"), m_duplicateOptionSegmentedControl);
    form->addRow(QStringLiteral("Theme:"), m_themeSegmentedControl);
    form->addRow(QStringLiteral("Heading:"), m_alignmentSegmentedControl);
    auto* layout = new QVBoxLayout(m_window);
    layout->addLayout(form);
    layout->addWidget(m_supportedFileTypeLabel);
    layout->addWidget(m_selectFolderButton, 0, Qt::AlignRight);
    windowDidLoad();
}

void PhotoCatalogSettingsWindowController::windowDidLoad()
{
    const EditionSettings& e = edition();
    m_openWebsiteFolderPathLabel->setText(m_openWebsiteFolderPath);
    m_window->setWindowTitle(e.gEditionDisplayName);
    if (e.gPhotoCatalogFlag) {
        m_supportedFileTypeLabel->setText(QStringLiteral(
            "App will search through selected folder for all supported file types.  Accepted file "
            "formats are JPEG, PNG and GIF."));
        m_photosPerPageSegmentedControl->setSelectedIndex(2);
        m_filePathCheckbox->setHidden(true);
    } else if (e.gVideoCatalogFlag) {
        m_supportedFileTypeLabel->setText(QStringLiteral(
            "App will search through selected folder for all supported file types.  Accepted file "
            "formats are MP4, MOV, AVI, OGG and WEBM."));
        m_photosPerPageSegmentedControl->setSelectedIndex(2);
    }
}

CatalogOptions PhotoCatalogSettingsWindowController::catalogOptions() const
{
    CatalogOptions options;
    options.title = m_photoCatalogTitleTextField->text();
    options.itemsPerPageSegment = std::max(0, m_photosPerPageSegmentedControl->selectedIndex());
    options.fileNameCaption = m_filenameCheckbox->isChecked();
    options.timestampCaption = m_timestampCheckbox->isChecked();
    // The path button is a video option; the photo window hides it.
    options.filePathButton = edition().gVideoCatalogFlag && m_filePathCheckbox->isChecked();
    options.linkCopies = m_duplicateOptionSegmentedControl->selectedIndex() == 1;
    options.darkTheme = m_themeSegmentedControl->selectedIndex() == 1;
    options.centredHeading = m_alignmentSegmentedControl->selectedIndex() == 1;
    return options;
}
