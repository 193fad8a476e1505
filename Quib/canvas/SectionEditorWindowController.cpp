#include "canvas/SectionEditorWindowController.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <cmath>

namespace {

// A pop-up of 1 to 12: item i stands for i + 1.
QComboBox* countPopUp(QWidget* parent)
{
    auto* box = new QComboBox(parent);
    for (int i = 1; i <= SectionEditorWindowController::kMaxColumns; ++i)
        box->addItem(QString::number(i));
    return box;
}

} // namespace

SectionEditorWindowController::SectionEditorWindowController(QObject* parent)
    : QObject(parent), m_window(std::make_unique<QWidget>(nullptr, Qt::Window)),
      m_spare(std::make_unique<QWidget>())
{
    QWidget* w = m_window.get();
    w->setObjectName(QStringLiteral("SectionEditorWindowController"));
    w->setWindowTitle(QStringLiteral("Configure Section Grid"));
    auto* grid = new QGridLayout(w);
    m_numOfColumnsPopupButton = countPopUp(w);
    grid->addWidget(new QLabel(QStringLiteral("Columns:"), w), 0, 0);
    grid->addWidget(m_numOfColumnsPopupButton, 0, 1, Qt::AlignLeft);
    m_mainView = new QWidget(w);
    m_mainView->setFixedSize(620, 140);
    grid->addWidget(m_mainView, 1, 0, 1, 3);
    m_columnGridLabel = new QLabel(w);
    grid->addWidget(m_columnGridLabel, 2, 0, 1, 3);
    auto* spans = new QFormLayout;
    m_xsPopUpButton = countPopUp(w);
    m_smallPopUpButton = countPopUp(w);
    m_mediumPopUpButton = countPopUp(w);
    m_largePopUpButton = countPopUp(w);
    spans->addRow(QStringLiteral("Extra small screens:"), m_xsPopUpButton);
    spans->addRow(QStringLiteral("Small screens:"), m_smallPopUpButton);
    spans->addRow(QStringLiteral("Medium screens:"), m_mediumPopUpButton);
    spans->addRow(QStringLiteral("Large screens:"), m_largePopUpButton);
    grid->addLayout(spans, 3, 0, 1, 3);
    m_saveButton = new QPushButton(QStringLiteral("Save"), w);
    m_saveButton->setDefault(true);
    grid->addWidget(m_saveButton, 4, 2, Qt::AlignRight);

    for (QComboBox* box : {m_xsPopUpButton.data(), m_smallPopUpButton.data(), m_mediumPopUpButton.data(),
                           m_largePopUpButton.data()})
        connect(box, &QComboBox::activated, this,
                &SectionEditorWindowController::saveSectionViewGridProperties);
    connect(m_numOfColumnsPopupButton, &QComboBox::activated, this,
            &SectionEditorWindowController::columnUpdated);
}

SectionEditorWindowController::~SectionEditorWindowController()
{
    // The tiles live in the split view or the spare holder; both go with their windows.
    m_tiles.clear();
}

void SectionEditorWindowController::setSplitViewMutableArray(const QList<SectionView*>& tiles)
{
    const QList<SectionView*> old = m_tiles;
    m_tiles = tiles;
    for (SectionView* tile : tiles)
        tile->setParent(m_spare.get());
    for (SectionView* tile : old) {
        if (!tiles.contains(tile))
            delete tile;
    }
    m_selectedSectionView = nullptr;
}

void SectionEditorWindowController::prepSectionViews()
{
    while (m_tiles.size() < kMaxColumns)
        m_tiles.append(new SectionView(QRect(0, 0, 50, 100), m_spare.get()));
    for (int i = 0; i < int(m_tiles.size()); ++i) {
        auto* button = new QPushButton(QString::number(i + 1));
        m_tiles.at(i)->setButton(button);
        connect(button, &QPushButton::clicked, this, [this, button] { sectionViewButtonClicked(button); });
    }
    updateSectionViewGridEditor(m_tiles.constFirst());
}

void SectionEditorWindowController::columnUpdated()
{
    // The tiles go back to the holder before the old split view goes.
    for (SectionView* tile : std::as_const(m_tiles))
        tile->setParent(m_spare.get());
    delete m_columnSplitView;
    m_columnSplitView = new QSplitter(Qt::Horizontal, m_mainView);
    m_columnSplitView->setObjectName(QStringLiteral("columnSplitView"));
    m_columnSplitView->setGeometry(0, 50, 600, 80);
    m_columnSplitView->setChildrenCollapsible(false);
    m_columnSplitView->setHandleWidth(3);
    m_columnSplitView->setStyleSheet(QStringLiteral("QSplitter { border: 5px solid black; }"));
    const int count = std::clamp(m_numOfColumnsPopupButton->currentIndex() + 1, 1, int(m_tiles.size()));
    QList<int> sizes;
    for (int i = 0; i < count; ++i) {
        SectionView* tile = m_tiles.at(i);
        m_columnSplitView->addWidget(tile);
        tile->show();
        sizes.append(tile->tileWidth());
    }
    m_columnSplitView->setSizes(sizes);
    // Twelve columns fill the row: their dividers stay where they are.
    for (int i = 1; i < count; ++i)
        m_columnSplitView->handle(i)->setEnabled(count < kMaxColumns);
    connect(m_columnSplitView, &QSplitter::splitterMoved, this,
            &SectionEditorWindowController::splitViewResized);
    m_columnSplitView->show();
}

void SectionEditorWindowController::sectionViewButtonClicked(QAbstractButton* button)
{
    if (auto* tile = qobject_cast<SectionView*>(button ? button->parentWidget() : nullptr))
        updateSectionViewGridEditor(tile);
}

void SectionEditorWindowController::updateSectionViewGridEditor(SectionView* tile)
{
    if (!tile)
        return;
    m_columnGridLabel->setText(QStringLiteral("Grid options for column %1").arg(m_tiles.indexOf(tile) + 1));
    m_xsPopUpButton->setCurrentIndex(tile->xsGridColumns - 1);
    m_smallPopUpButton->setCurrentIndex(tile->smallGridColumns - 1);
    m_mediumPopUpButton->setCurrentIndex(tile->mediumGridColumns - 1);
    m_largePopUpButton->setCurrentIndex(tile->largeGridColumns - 1);
    m_selectedSectionView = tile;
}

void SectionEditorWindowController::saveSectionViewGridProperties()
{
    SectionView* tile = m_selectedSectionView;
    if (!tile)
        return;
    tile->xsGridColumns = m_xsPopUpButton->currentIndex() + 1;
    tile->smallGridColumns = m_smallPopUpButton->currentIndex() + 1;
    tile->mediumGridColumns = m_mediumPopUpButton->currentIndex() + 1;
    tile->largeGridColumns = m_largePopUpButton->currentIndex() + 1;
}

void SectionEditorWindowController::splitViewResized()
{
    if (!m_columnSplitView)
        return;
    QList<int> sizes = m_columnSplitView->sizes();
    for (int i = 0; i < int(sizes.size()); ++i) {
        if (i + 1 < int(sizes.size())) {
            const double t = sizes.at(i);
            sizes[i] = int(std::trunc((std::floor(t / kWidthStep + 0.5) + 1) * kWidthStep));
        }
        m_tiles.at(i)->setTileWidth(sizes.at(i));
    }
    const QSignalBlocker quiet(m_columnSplitView);
    m_columnSplitView->setSizes(sizes);
}
