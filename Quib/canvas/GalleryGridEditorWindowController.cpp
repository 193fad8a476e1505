#include "canvas/GalleryGridEditorWindowController.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QButtonGroup* segments(QWidget* owner, const char* name, const QStringList& titles, QHBoxLayout* row)
{
    auto* group = new QButtonGroup(owner);
    group->setObjectName(QString::fromLatin1(name));
    group->setExclusive(true);
    for (int i = 0; i < titles.size(); ++i) {
        auto* button = new QPushButton(titles.at(i), owner);
        button->setObjectName(QStringLiteral("%1%2").arg(QString::fromLatin1(name)).arg(i));
        button->setCheckable(true);
        group->addButton(button, i);
        row->addWidget(button);
    }
    row->addStretch();
    return group;
}

} // namespace

GalleryGridEditorWindowController::GalleryGridEditorWindowController(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("GalleryGridEditorWindowController"));
    setWindowTitle(QStringLiteral("Configure Gallery Grid"));
    auto* form = new QFormLayout;

    auto count = [this](const char* name, int most) {
        auto* box = new QSpinBox(this);
        box->setObjectName(QString::fromLatin1(name));
        // A grid of no columns or rows has no spot to divide into.
        box->setRange(1, most);
        return box;
    };
    m_columns = count("columnField", kMostColumns);
    m_rows = count("rowField", kMostRows);
    form->addRow(QStringLiteral("Columns:"), m_columns);
    form->addRow(QStringLiteral("Rows:"), m_rows);

    auto* spacingRow = new QHBoxLayout;
    m_spacing = new QSlider(Qt::Horizontal, this);
    m_spacing->setObjectName(QStringLiteral("spacingSlider"));
    m_spacing->setRange(0, 20);
    m_spacing->setTickPosition(QSlider::TicksBelow);
    m_spacing->setTickInterval(2);
    m_spacingField = new QLineEdit(this);
    m_spacingField->setObjectName(QStringLiteral("spacingField"));
    m_spacingField->setValidator(new QIntValidator(0, kMostSpacing, m_spacingField));
    m_spacingField->setMaximumWidth(60);
    spacingRow->addWidget(m_spacing);
    spacingRow->addWidget(m_spacingField);
    form->addRow(QStringLiteral("Spacing:"), spacingRow);

    auto* shadowRow = new QHBoxLayout;
    m_shadow = segments(this, "shadowControl", {QStringLiteral("No Shadow"), QStringLiteral("Shadow")}, shadowRow);
    form->addRow(QStringLiteral("Shadow:"), shadowRow);
    auto* backdropRow = new QHBoxLayout;
    m_backdrop = segments(this, "backdropControl",
                          {QStringLiteral("Light"), QStringLiteral("Dark"), QStringLiteral("Clear")}, backdropRow);
    form->addRow(QStringLiteral("Enlarged backdrop:"), backdropRow);

    m_save = new QPushButton(QStringLiteral("Save"), this);
    m_save->setObjectName(QStringLiteral("saveButton"));
    m_save->setDefault(true);
    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(m_save, 0, Qt::AlignRight);

    connect(m_columns, &QSpinBox::valueChanged, this, [this](int value) {
        if (!m_filling)
            emit columnsChanged(value);
    });
    connect(m_rows, &QSpinBox::valueChanged, this, [this](int value) {
        if (!m_filling)
            emit rowsChanged(value);
    });
    connect(m_spacing, &QSlider::valueChanged, this, [this](int value) {
        m_spacingField->setText(QString::number(value));
        if (!m_filling)
            emit spacingChanged(value);
    });
    connect(m_shadow, &QButtonGroup::idClicked, this, [this](int id) { emit shadowChanged(id != 0 ? 1 : 0); });
    connect(m_backdrop, &QButtonGroup::idClicked, this, &GalleryGridEditorWindowController::backdropChanged);
    connect(m_save, &QPushButton::clicked, this, &GalleryGridEditorWindowController::saveRequested);
}

void GalleryGridEditorWindowController::showSettings(int columns, int rows, int padding, int shadowFlag,
                                                     int backdrop)
{
    m_filling = true;
    m_columns->setValue(std::max(1, columns));
    m_rows->setValue(std::max(1, rows));
    m_spacing->setValue(std::clamp(padding, 0, 20));
    m_spacingField->setText(QString::number(padding));
    if (QAbstractButton* b = m_shadow->button(shadowFlag != 0 ? 1 : 0))
        b->setChecked(true);
    if (QAbstractButton* b = m_backdrop->button(std::clamp(backdrop, 0, 2)))
        b->setChecked(true);
    m_filling = false;
}

std::optional<int> GalleryGridEditorWindowController::typedSpacing() const
{
    bool ok = false;
    const int value = m_spacingField->text().trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return std::clamp(value, 0, kMostSpacing);
}
