#include "window/FileCatalogSettingsWindowController.h"

#include "editions/EditionSettings.h"
#include "window/inspector/SegmentedControl.h"

#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

FileCatalogSettingsWindowController::FileCatalogSettingsWindowController(QObject* parent)
    : CatalogSettingsWindowController(QStringLiteral("FileCatalogSettingsWindowController"), parent)
{
    m_skipFolderSizeSegmentedControl = new SegmentedControl(m_window);
    m_skipFolderSizeSegmentedControl->setSegments(CatalogPageGenerator::skipLabels(), {100, 100, 100, 100});
    m_skipFolderSizeSegmentedControl->setSelectedIndex(0);
    auto* note =
        new QLabel(QStringLiteral("Each folder's size is the sum of the files directly inside it; every "
                                  "subfolder is measured and listed on its own."),
                   m_window);
    note->setWordWrap(true);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Output folder:"), m_openWebsiteFolderPathLabel);
    form->addRow(QStringLiteral("Skip folders:"), m_skipFolderSizeSegmentedControl);
    auto* layout = new QVBoxLayout(m_window);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addWidget(m_selectFolderButton, 0, Qt::AlignRight);
    windowDidLoad();
}

void FileCatalogSettingsWindowController::windowDidLoad()
{
    m_openWebsiteFolderPathLabel->setText(m_openWebsiteFolderPath);
    m_window->setWindowTitle(edition().gEditionDisplayName);
}

CatalogOptions FileCatalogSettingsWindowController::catalogOptions() const
{
    CatalogOptions options;
    options.skipSegment = m_skipFolderSizeSegmentedControl->selectedIndex();
    return options;
}
