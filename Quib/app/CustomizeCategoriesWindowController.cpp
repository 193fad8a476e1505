#include "app/CustomizeCategoriesWindowController.h"

#include "editions/EditionSettings.h"
#include "window/ShapeSelectionView.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

ShapeSelectionView* presetAt(qsizetype index)
{
    const QList<std::shared_ptr<QObject>>& presets = edition().gPresetTextViews;
    return index < presets.size() ? qobject_cast<ShapeSelectionView*>(presets.at(index).get()) : nullptr;
}

} // namespace

CustomizeCategoriesWindowController::CustomizeCategoriesWindowController(QObject* parent) : QObject(parent)
{
    m_window = new QWidget(nullptr, Qt::Window);
    m_window->setObjectName(QStringLiteral("CustomizeCategoriesWindowController"));
    m_tableView = new QTableWidget(m_window);
    m_saveButton = new QPushButton(QStringLiteral("Save"), m_window);
    m_saveButton->setDefault(true);
    m_resetButton = new QPushButton(QStringLiteral("Reset"), m_window);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_resetButton);
    buttons->addStretch(1);
    buttons->addWidget(m_saveButton);
    auto* layout = new QVBoxLayout(m_window);
    layout->addWidget(m_tableView, 1);
    layout->addLayout(buttons);
    m_window->resize(kLabelColumnWidth + kDescriptionColumnWidth + 60, 10 * kRowHeight + 110);
    windowDidLoad();
}

CustomizeCategoriesWindowController::~CustomizeCategoriesWindowController()
{
    // Fields without a row of their own belong to nobody else.
    for (QLineEdit* field : m_categoryTextFieldMutableArray) {
        if (!field->parentWidget())
            delete field;
    }
    delete m_window.data();
}

void CustomizeCategoriesWindowController::windowDidLoad()
{
    m_window->setWindowTitle(QStringLiteral("Customize Category Title"));
    for (qsizetype i = 0; i < edition().gTextCategoryNames.size(); ++i) {
        auto* field = new QLineEdit;
        field->setFrame(false);
        m_categoryTextFieldMutableArray.append(field);
    }
    m_tableView->setColumnCount(2);
    m_tableView->setHorizontalHeaderLabels({QStringLiteral("Category"), QStringLiteral("Description")});
    m_tableView->setColumnWidth(0, kLabelColumnWidth);
    m_tableView->setColumnWidth(1, kDescriptionColumnWidth);
    m_tableView->horizontalHeader()->setStretchLastSection(true);
    m_tableView->verticalHeader()->hide();
    m_tableView->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_tableView->verticalHeader()->setDefaultSectionSize(kRowHeight);
    m_tableView->setSelectionMode(QAbstractItemView::NoSelection);
    m_tableView->setFocusPolicy(Qt::NoFocus);
    reloadData();
}

void CustomizeCategoriesWindowController::reloadData()
{
    // One row per preset; a field only where the process started with a name for it.
    const int rows = static_cast<int>(edition().gPresetTextViews.size());
    m_tableView->setRowCount(rows);
    for (int row = 0; row < rows; ++row) {
        auto* label = qobject_cast<QLabel*>(m_tableView->cellWidget(row, 0));
        if (!label) {
            label = new QLabel;
            label->setContentsMargins(6, 0, 6, 0);
            m_tableView->setCellWidget(row, 0, label);
        }
        label->setText(QStringLiteral("Category %1").arg(row));
        QLineEdit* field = m_categoryTextFieldMutableArray.value(row);
        const ShapeSelectionView* preset = presetAt(row);
        if (!field || !preset)
            continue;
        field->setText(preset->textString());
        // The beginning of a long description shows, not its end.
        field->setCursorPosition(0);
        field->setFont(preset->font());
        QPalette palette = field->palette();
        palette.setColor(QPalette::Text, preset->textColor().isValid() ? preset->textColor() : QColor(Qt::black));
        palette.setColor(QPalette::Base, preset->fillColor().isValid() ? preset->fillColor() : QColor(Qt::white));
        field->setPalette(palette);
        field->setAutoFillBackground(true);
        if (m_tableView->cellWidget(row, 1) != field)
            m_tableView->setCellWidget(row, 1, field);
    }
}

void CustomizeCategoriesWindowController::showWindow()
{
    reloadData();
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}
