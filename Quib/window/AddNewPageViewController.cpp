#include "window/AddNewPageViewController.h"

#include "editions/DataCentre.h"
#include "platform/StringsTable.h"
#include "window/SheetLayout.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QString localized(const QString& key)
{
    return platform::StringsTable::lookup(key, QStringLiteral("Localizable"));
}

} // namespace

AddNewPageViewController::AddNewPageViewController(QWidget* parentWindow) : m_window(new QDialog(parentWindow))
{
    m_window->setObjectName(QStringLiteral("AddNewPageViewController"));
    m_window->setWindowTitle(QStringLiteral("New Page"));
    m_window->setWindowModality(Qt::WindowModal);
    m_window->setMinimumWidth(420);

    m_titleLabel = new QLabel(QStringLiteral("Page Title"), m_window);
    m_titleLabel->setObjectName(QStringLiteral("titleLabel"));
    m_fileNameLabel = new QLabel(QStringLiteral("File Name"), m_window);
    m_fileNameLabel->setObjectName(QStringLiteral("fileNameLabel"));
    m_pageTitleTextField = new QLineEdit(m_window);
    m_pageTitleTextField->setObjectName(QStringLiteral("pageTitleTextField"));
    m_pageFileNameTextField = new QLineEdit(m_window);
    m_pageFileNameTextField->setObjectName(QStringLiteral("pageFileNameTextField"));

    m_segmentedControl = new QWidget(m_window);
    m_segmentedControl->setObjectName(QStringLiteral("fileNameGenerationSegmentedControl"));
    auto* segmentRow = new QHBoxLayout(m_segmentedControl);
    segmentRow->setContentsMargins(0, 0, 0, 0);
    segmentRow->setSpacing(0);
    m_segments = new QButtonGroup(m_segmentedControl);
    m_segments->setExclusive(true);
    const QStringList segmentTitles{QStringLiteral("From Title"), QStringLiteral("Custom")};
    for (int i = 0; i < segmentTitles.size(); ++i) {
        auto* segment = new QPushButton(segmentTitles.at(i), m_segmentedControl);
        segment->setObjectName(QStringLiteral("fileNameGenerationSegment%1").arg(i));
        segment->setCheckable(true);
        segment->setAutoDefault(false);
        m_segments->addButton(segment, i);
        segmentRow->addWidget(segment);
    }
    segmentRow->addStretch(1);
    m_segments->button(0)->setChecked(true);

    m_mainLaunchpageCheckbox = new QCheckBox(QStringLiteral("Main launch page (index)"), m_window);
    m_mainLaunchpageCheckbox->setObjectName(QStringLiteral("mainLaunchpageCheckbox"));
    m_baseTemplateCheckbox = new QCheckBox(QStringLiteral("Base template"), m_window);
    m_baseTemplateCheckbox->setObjectName(QStringLiteral("baseTemplateCheckbox"));
    m_applyBaseTemplateCheckbox = new QCheckBox(QStringLiteral("Apply base template"), m_window);
    m_applyBaseTemplateCheckbox->setObjectName(QStringLiteral("applyBaseTemplateCheckbox"));

    m_chooseTemplateButton = SheetLayout::button(m_window, "chooseTemplateButton", QStringLiteral("Choose a Template"));
    m_cancelButton = SheetLayout::button(m_window, "cancelButton", QStringLiteral("Cancel"));
    m_addNewPageButton = SheetLayout::button(m_window, "addNewPageButton", QStringLiteral("Add"));
    for (QPushButton* button : {m_chooseTemplateButton, m_cancelButton, m_addNewPageButton})
        button->setAutoDefault(false);
    QFormLayout* form =
        SheetLayout::formWithButtons(m_window, {m_chooseTemplateButton, m_cancelButton, m_addNewPageButton});
    form->addRow(m_titleLabel, m_pageTitleTextField);
    form->addRow(m_fileNameLabel, m_pageFileNameTextField);
    form->addRow(QString(), m_segmentedControl);
    form->addRow(QString(), m_mainLaunchpageCheckbox);
    form->addRow(QString(), m_baseTemplateCheckbox);
    form->addRow(QString(), m_applyBaseTemplateCheckbox);
    windowDidLoad();
}

AddNewPageViewController::~AddNewPageViewController()
{
    delete m_window;
}

void AddNewPageViewController::windowDidLoad()
{
    m_titleLabel->setText(localized(m_titleLabel->text()));
    m_fileNameLabel->setText(localized(m_fileNameLabel->text()));
}

QAbstractButton* AddNewPageViewController::fileNameGenerationSegment(int segment) const
{
    return m_segments->button(segment);
}

int AddNewPageViewController::selectedSegment() const
{
    return m_segments->checkedId();
}

void AddNewPageViewController::setSelectedSegment(int segment)
{
    if (QAbstractButton* button = m_segments->button(segment))
        button->setChecked(true);
}

void AddNewPageViewController::basicSetup()
{
    // Once: a second run would connect every rule twice.
    if (!m_setUp) {
        m_setUp = true;
        // Only the user's own typing counts; the presets fill the fields without it.
        connect(m_pageTitleTextField, &QLineEdit::textEdited, this,
                [this] { controlTextDidChange(m_pageTitleTextField); });
        connect(m_pageFileNameTextField, &QLineEdit::textEdited, this,
                [this] { controlTextDidChange(m_pageFileNameTextField); });
        connect(m_segments, &QButtonGroup::idClicked, this, &AddNewPageViewController::setFileNameGenerationType);
        connect(m_mainLaunchpageCheckbox, &QCheckBox::clicked, this, &AddNewPageViewController::setDefaultLaunch);
        connect(m_baseTemplateCheckbox, &QCheckBox::clicked, this, &AddNewPageViewController::setBaseTemplate);
    }
    setFileNameGenerationType();
    m_chooseTemplateButton->setText(localized(QStringLiteral("Choose a Template")));
    m_cancelButton->setText(localized(QStringLiteral("Cancel")));
}

void AddNewPageViewController::setFileNameGenerationType()
{
    m_pageFileNameTextField->setEnabled(selectedSegment() == 1);
}

void AddNewPageViewController::setDefaultLaunch()
{
    if (m_mainLaunchpageCheckbox->isChecked())
        m_pageFileNameTextField->setText(QStringLiteral("index"));
    setSelectedSegment(1);
    setFileNameGenerationType();
    m_baseTemplateCheckbox->setChecked(false);
}

void AddNewPageViewController::setBaseTemplate()
{
    if (m_baseTemplateCheckbox->isChecked())
        m_pageFileNameTextField->setText(QStringLiteral("basetemplate"));
    m_mainLaunchpageCheckbox->setChecked(false);
}

void AddNewPageViewController::controlTextDidChange(QLineEdit* field)
{
    if (field != m_pageTitleTextField || m_pageTitleTextField->text().isEmpty() || selectedSegment() != 0)
        return;
    m_pageFileNameTextField->setText(DataCentre::generateNewFileName(m_pageTitleTextField->text()));
}
