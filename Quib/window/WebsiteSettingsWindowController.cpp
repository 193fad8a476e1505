#include "window/WebsiteSettingsWindowController.h"

#include "editions/EditionSettings.h"
#include "platform/Dialogs.h"
#include "platform/StringRules.h"
#include "window/WebsiteSettings.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const QString kSelect = QStringLiteral("Select");
const QString kIcon = QStringLiteral("Icon");
const QString kPage = QStringLiteral("Page");
const QString kPublishingExt = QStringLiteral("Publishing Ext");
const QString kBaseTemplate = QStringLiteral("Base Template");
const QString kMetadata = QStringLiteral("Metadata");
const QString kCustomHeaderCode = QStringLiteral("Custom Header Code");
const QString kPageWidth = QStringLiteral("Page Width");

struct ColumnSpec
{
    QString identifier;
    int width;
    QString header;
};

const QList<ColumnSpec>& allColumns()
{
    static const QList<ColumnSpec> columns{{kSelect, 50, QStringLiteral("Select")},
                                           {kIcon, 100, QStringLiteral("Icon")},
                                           {kPage, 350, QStringLiteral("Title")},
                                           {kPublishingExt, 80, QStringLiteral("Publishing Ext")},
                                           {kBaseTemplate, 80, QStringLiteral("Base Template")},
                                           {kMetadata, 50, QStringLiteral("Metadata")},
                                           {kCustomHeaderCode, 100, QStringLiteral("Custom Header Code")},
                                           {kPageWidth, 50, QStringLiteral("Width")}};
    return columns;
}

QLineEdit* plainField(QWidget* parent, const char* name, const QString& text, const QString& colour, int pointSize)
{
    auto* field = new QLineEdit(text, parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setFrame(false);
    field->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; color: %1; }").arg(colour));
    if (pointSize > 0) {
        QFont font(QStringLiteral("Heiti TC"));
        font.setPointSize(pointSize);
        field->setFont(font);
    }
    return field;
}

QLabel* plainLabel(QWidget* parent, const char* name, const QString& text, const QString& colour)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setStyleSheet(QStringLiteral("QLabel { background: transparent; color: %1; }").arg(colour));
    QFont font(QStringLiteral("Heiti TC"));
    font.setPointSize(10);
    label->setFont(font);
    return label;
}

QCheckBox* switchButton(QWidget* parent, const char* name, bool on)
{
    auto* box = new QCheckBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(on);
    return box;
}

// A cell widget centring one control.
QWidget* centred(QWidget* control)
{
    auto* cell = new QWidget;
    auto* layout = new QHBoxLayout(cell);
    layout->setContentsMargins(0, 0, 0, 0);
    control->setParent(cell);
    layout->addWidget(control, 0, Qt::AlignCenter);
    return cell;
}

} // namespace

WebsiteSettingsRow WebsiteSettingsRow::fromRecord(const PageRecord& record)
{
    WebsiteSettingsRow row;
    row.record = record;
    row.useBaseTemplate = record.useBaseTemplateFlag;
    row.inheritMetadata = record.inheritMetadataFlag;
    row.inheritCustomHeaderCode = record.inheritCustomHeaderCodeFlag;
    row.pageTitle = record.pageTitle;
    row.fileName = platform::stringByDeletingPathExtension(record.pageName);
    row.publishExt = platform::pathExtension(record.pagePublishFileName);
    return row;
}

WebsiteSettingsWindowController::WebsiteSettingsWindowController(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("WebsiteSettingsWindowController"));
    setWindowTitle(QStringLiteral("Website Title"));
    setWindowModality(Qt::WindowModal);
    const EditionSettings& e = edition();
    // Read under its other name: set keeps the per-page columns and the site's own controls.
    const bool pageColumns = e.gHidePublishExtColumnFlag;

    auto* layout = new QVBoxLayout(this);
    if (pageColumns) {
        auto* site = new QHBoxLayout;
        auto* texts = new QVBoxLayout;
        m_websiteTitleLabel = new QLabel(QStringLiteral("Website Title"), this);
        m_websiteTitleLabel->setObjectName(QStringLiteral("websiteTitleLabel"));
        m_websiteTitleTextField = new QLineEdit(this);
        m_websiteTitleTextField->setObjectName(QStringLiteral("websiteTitleTextField"));
        m_websiteDescriptionLabel = new QLabel(QStringLiteral("Website Description"), this);
        m_websiteDescriptionLabel->setObjectName(QStringLiteral("websiteDescriptionLabel"));
        m_websiteDescriptionTextField = new QLineEdit(this);
        m_websiteDescriptionTextField->setObjectName(QStringLiteral("websiteDescriptionTextField"));
        texts->addWidget(m_websiteTitleLabel);
        texts->addWidget(m_websiteTitleTextField);
        texts->addWidget(m_websiteDescriptionLabel);
        texts->addWidget(m_websiteDescriptionTextField);
        site->addLayout(texts, 1);
        auto* well = new QVBoxLayout;
        m_websiteFavIconLabel = new QLabel(QStringLiteral("Favicon"), this);
        m_websiteFavIconLabel->setObjectName(QStringLiteral("websiteFavIconLabel"));
        m_favIconImageView = new QPushButton(this);
        m_favIconImageView->setObjectName(QStringLiteral("favIconImageView"));
        m_favIconImageView->setFixedSize(64, 64);
        m_favIconImageView->setIconSize(QSize(48, 48));
        m_favIconImageView->setToolTip(QStringLiteral("Choose an image for the site's favicon"));
        connect(m_favIconImageView, &QPushButton::clicked, this, &WebsiteSettingsWindowController::chooseFavIcon);
        well->addWidget(m_websiteFavIconLabel);
        well->addWidget(m_favIconImageView);
        site->addLayout(well);
        layout->addLayout(site);
    }

    m_tableView = new QTableWidget(this);
    m_tableView->setObjectName(QStringLiteral("tableView"));
    m_tableView->setSelectionMode(QAbstractItemView::NoSelection);
    m_tableView->verticalHeader()->hide();
    m_tableView->verticalHeader()->setDefaultSectionSize(kRowHeight);
    for (const ColumnSpec& column : allColumns()) {
        const bool always = column.identifier == kSelect || column.identifier == kIcon || column.identifier == kPage;
        if (always || pageColumns)
            m_columns.append(column.identifier);
    }
    m_tableView->setColumnCount(int(m_columns.size()));
    int tableWidth = 0;
    for (int c = 0; c < m_columns.size(); ++c) {
        const auto described = std::find_if(allColumns().begin(), allColumns().end(),
                                       [&](const ColumnSpec& s) { return s.identifier == m_columns.at(c); });
        auto* header = new QTableWidgetItem(described->header);
        header->setData(Qt::UserRole, described->identifier);
        m_tableView->setHorizontalHeaderItem(c, header);
        // Never narrower than the header's own title, which would be cut on both sides.
        const int width = std::max(
            described->width, m_tableView->horizontalHeader()->fontMetrics().horizontalAdvance(described->header) + 16);
        m_tableView->setColumnWidth(c, width);
        tableWidth += width;
    }
    // The page column takes what the sheet's width leaves, so no empty band follows the last column.
    m_tableView->horizontalHeader()->setSectionResizeMode(int(m_columns.indexOf(kPage)), QHeaderView::Stretch);
    layout->addWidget(m_tableView, 1);

    auto* buttons = new QHBoxLayout;
    const auto button = [this, buttons](const char* name, const QString& title) {
        auto* b = new QPushButton(title, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        buttons->addWidget(b);
        return b;
    };
    m_deleteButton = button("deleteButton", QStringLiteral("Delete"));
    m_duplicateButton = button("duplicateButton", QStringLiteral("Duplicate"));
    if (e.gPageOrderIndexFlag) {
        m_moveUpButton = button("moveUpButton", QStringLiteral("Move Up"));
        m_moveDownButton = button("moveDownButton", QStringLiteral("Move Down"));
        connect(m_moveUpButton, &QPushButton::clicked, this, &WebsiteSettingsWindowController::moveSelectedButtonsUp);
        connect(m_moveDownButton, &QPushButton::clicked, this,
                &WebsiteSettingsWindowController::moveSelectedButtonsDown);
    }
    buttons->addStretch(1);
    m_cancelButton = button("cancelButton", QStringLiteral("Cancel"));
    m_saveButton = button("saveButton", QStringLiteral("Save"));
    m_saveButton->setDefault(true);
    layout->addLayout(buttons);
    connect(m_deleteButton, &QPushButton::clicked, this, &WebsiteSettingsWindowController::updateDeletedButtons);
    connect(m_duplicateButton, &QPushButton::clicked, this, &WebsiteSettingsWindowController::updateDuplicateButtons);

    resize(std::max(tableWidth + 40, 640), 560);
}

QStringList WebsiteSettingsWindowController::columnIdentifiers() const
{
    return m_columns;
}

void WebsiteSettingsWindowController::setSiteIconArray(const QList<PageRecord>& pages)
{
    m_rows.clear();
    for (const PageRecord& page : pages)
        m_rows.append(WebsiteSettingsRow::fromRecord(page));
    reloadData();
}

void WebsiteSettingsWindowController::appendRows(const QList<PageRecord>& pages)
{
    captureControls();
    for (const PageRecord& page : pages)
        m_rows.append(WebsiteSettingsRow::fromRecord(page));
    reloadData();
}

QList<WebsiteSettingsRow> WebsiteSettingsWindowController::rows() const
{
    const_cast<WebsiteSettingsWindowController*>(this)->captureControls();
    return m_rows;
}

void WebsiteSettingsWindowController::setFavIconImage(const QImage& image, bool chosen)
{
    m_favIcon = image;
    m_favIconChanged = chosen && !image.isNull();
    if (m_favIconImageView)
        m_favIconImageView->setIcon(image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image)));
}

void WebsiteSettingsWindowController::chooseFavIcon()
{
    platform::FilePanelRequest request;
    request.title = QStringLiteral("Choose Favicon");
    request.allowedExtensions = {QStringLiteral("png"), QStringLiteral("jpg"), QStringLiteral("jpeg"),
                                 QStringLiteral("gif"), QStringLiteral("ico"), QStringLiteral("bmp")};
    const QStringList chosen = platform::DialogService::current().runOpenPanel(request);
    if (chosen.isEmpty())
        return;
    // A favicon source beyond this is no icon; it is not decoded at all.
    if (QFileInfo(chosen.first()).size() > 20 * 1024 * 1024)
        return;
    QImage image;
    if (image.load(chosen.first()))
        setFavIconImage(image);
}

void WebsiteSettingsWindowController::captureControls()
{
    for (int r = 0; r < m_rows.size() && r < m_tableView->rowCount(); ++r) {
        WebsiteSettingsRow& row = m_rows[r];
        if (QCheckBox* box = selectCheckbox(r))
            row.selected = box->isChecked();
        if (QCheckBox* box = inheritBaseTemplateCheckbox(r))
            row.useBaseTemplate = box->isChecked();
        if (QCheckBox* box = inheritMetadataCheckbox(r)) {
            row.inheritMetadata = box->isChecked();
            row.inheritSwitchesEnabled = box->isEnabled();
        }
        if (QCheckBox* box = inheritCustomHeaderCodeCheckbox(r))
            row.inheritCustomHeaderCode = box->isChecked();
        if (QLineEdit* field = pageTitleTextField(r))
            row.pageTitle = field->text();
        if (QLineEdit* field = pageFileNameTextField(r))
            row.fileName = field->text();
        if (QLineEdit* field = pagePublishExtTextField(r))
            row.publishExt = field->text();
    }
}

bool WebsiteSettingsWindowController::isBaseTemplateRow(int row) const
{
    const QString base = edition().gBaseTemplateFileName;
    return !base.isEmpty() && m_rows.at(row).record.pageName == base;
}

QWidget* WebsiteSettingsWindowController::cellFor(int r, const QString& column)
{
    const EditionSettings& e = edition();
    const WebsiteSettingsRow& row = m_rows.at(r);
    if (column == kSelect)
        return centred(switchButton(nullptr, "selectCheckbox", row.selected));
    if (column == kIcon) {
        auto* cell = new QWidget;
        auto* image = new QLabel(cell);
        image->setObjectName(QStringLiteral("pageIcon"));
        image->setGeometry(0, 0, 100, 100);
        image->setStyleSheet(QStringLiteral("QLabel { border: 2px solid black; background: white; }"));
        const QPixmap thumbnail(row.record.imagePath);
        if (!thumbnail.isNull())
            image->setPixmap(thumbnail.scaled(96, 96, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        image->setAlignment(Qt::AlignCenter);
        return cell;
    }
    if (column == kPage) {
        auto* cell = new QWidget;
        if (e.gPageTitleMarkerFlag) {
            QLineEdit* title = plainField(cell, "pageTitleTextField", row.pageTitle, QStringLiteral("#404040"), 12);
            title->setGeometry(0, 0, 350, 20);
            title->setReadOnly(e.gReadOnlyPageTitlesFlag);
        }
        if (e.gPageOrderIndexFlag) {
            QLabel* number = plainLabel(cell, "pageNumberLabel", QStringLiteral("Page %1").arg(r),
                                        QStringLiteral("#a0a0a0"));
            number->setGeometry(0, 60, 250, 20);
        } else {
            QLineEdit* name = plainField(cell, "pageFileNameTextField", row.fileName, QStringLiteral("#a0a0a0"), 10);
            name->setGeometry(0, 60, 250, 20);
            name->setReadOnly(e.gReadOnlyPageFileNamesFlag);
        }
        QLabel* time = plainLabel(cell, "pageFileTimeTextField", row.record.fileTime, QStringLiteral("#a0a0a0"));
        time->setGeometry(0, 80, 250, 20);
        return cell;
    }
    if (column == kPublishingExt)
        return centred(plainField(nullptr, "pagePublishExtTextField", row.publishExt, QStringLiteral("#202020"), 0));
    if (column == kPageWidth) {
        QLabel* width = plainLabel(nullptr, "pageWidth", row.record.pageWidth, QStringLiteral("#202020"));
        return centred(width);
    }
    // The base template's own row has no inheritance switches.
    if (isBaseTemplateRow(r))
        return nullptr;
    if (column == kBaseTemplate) {
        QCheckBox* box = switchButton(nullptr, "inheritBaseTemplateCheckbox", row.useBaseTemplate);
        connect(box, &QCheckBox::clicked, this, [this, box] { checkSwitchStates(box); });
        return centred(box);
    }
    if (column == kMetadata || column == kCustomHeaderCode) {
        const bool metadata = column == kMetadata;
        QCheckBox* box = switchButton(nullptr, metadata ? "inheritMetadataCheckbox" : "inheritCustomHeaderCodeCheckbox",
                                      metadata ? row.inheritMetadata : row.inheritCustomHeaderCode);
        box->setEnabled(row.inheritSwitchesEnabled);
        return centred(box);
    }
    return nullptr;
}

void WebsiteSettingsWindowController::reloadData()
{
    // Removing the rows drops their controls; each reload builds them from the rows' values.
    m_tableView->setRowCount(0);
    m_tableView->setRowCount(int(m_rows.size()));
    for (int r = 0; r < m_rows.size(); ++r) {
        for (int c = 0; c < m_columns.size(); ++c) {
            if (QWidget* cell = cellFor(r, m_columns.at(c)))
                m_tableView->setCellWidget(r, c, cell);
        }
    }
}

template <class T>
T* WebsiteSettingsWindowController::cellControl(int row, const QString& column, const char* name) const
{
    const int c = int(m_columns.indexOf(column));
    if (c < 0 || row < 0 || row >= m_tableView->rowCount())
        return nullptr;
    QWidget* cell = m_tableView->cellWidget(row, c);
    return cell ? cell->findChild<T*>(QString::fromLatin1(name)) : nullptr;
}

QCheckBox* WebsiteSettingsWindowController::selectCheckbox(int row) const
{
    return cellControl<QCheckBox>(row, kSelect, "selectCheckbox");
}

QCheckBox* WebsiteSettingsWindowController::inheritBaseTemplateCheckbox(int row) const
{
    return cellControl<QCheckBox>(row, kBaseTemplate, "inheritBaseTemplateCheckbox");
}

QCheckBox* WebsiteSettingsWindowController::inheritMetadataCheckbox(int row) const
{
    return cellControl<QCheckBox>(row, kMetadata, "inheritMetadataCheckbox");
}

QCheckBox* WebsiteSettingsWindowController::inheritCustomHeaderCodeCheckbox(int row) const
{
    return cellControl<QCheckBox>(row, kCustomHeaderCode, "inheritCustomHeaderCodeCheckbox");
}

QLineEdit* WebsiteSettingsWindowController::pageTitleTextField(int row) const
{
    return cellControl<QLineEdit>(row, kPage, "pageTitleTextField");
}

QLineEdit* WebsiteSettingsWindowController::pageFileNameTextField(int row) const
{
    return cellControl<QLineEdit>(row, kPage, "pageFileNameTextField");
}

QLineEdit* WebsiteSettingsWindowController::pagePublishExtTextField(int row) const
{
    return cellControl<QLineEdit>(row, kPublishingExt, "pagePublishExtTextField");
}

QLabel* WebsiteSettingsWindowController::pageNumberLabel(int row) const
{
    return cellControl<QLabel>(row, kPage, "pageNumberLabel");
}

void WebsiteSettingsWindowController::moveSelectedButtonsUp()
{
    moveSelectedRows(true);
}

void WebsiteSettingsWindowController::moveSelectedButtonsDown()
{
    moveSelectedRows(false);
}

void WebsiteSettingsWindowController::moveSelectedRows(bool up)
{
    captureControls();
    QList<bool> selected;
    for (const WebsiteSettingsRow& row : std::as_const(m_rows))
        selected.append(row.selected);
    if (up)
        WebsiteSettings::moveSelectedUp(m_rows, selected);
    else
        WebsiteSettings::moveSelectedDown(m_rows, selected);
    reloadData();
}

void WebsiteSettingsWindowController::updateDeletedButtons()
{
    captureControls();
    m_rows.removeIf([](const WebsiteSettingsRow& row) { return row.selected; });
    reloadData();
}

void WebsiteSettingsWindowController::updateDuplicateButtons()
{
    captureControls();
    QStringList names;
    for (const WebsiteSettingsRow& row : std::as_const(m_rows)) {
        if (row.selected)
            names.append(row.record.documentName);
    }
    if (!names.isEmpty())
        emit duplicateRequested(names);
}

void WebsiteSettingsWindowController::checkSwitchStates(QCheckBox* sender)
{
    for (int r = 0; r < m_rows.size(); ++r) {
        if (inheritBaseTemplateCheckbox(r) != sender)
            continue;
        const bool on = sender->isChecked();
        for (QCheckBox* box : {inheritMetadataCheckbox(r), inheritCustomHeaderCodeCheckbox(r)}) {
            if (box) {
                box->setChecked(on);
                box->setEnabled(on);
            }
        }
    }
}
