#include "window/inspector/PresetPickers.h"

#include "editions/EditionSettings.h"
#include "platform/Drawing.h"
#include "window/DRVWindowController.h"
#include "window/FlippedNSView.h"
#include "window/ShapeSelectionView.h"
#include "window/inspector/LivePointers.h"

#include <QMainWindow>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const char* const kTileStyle = "QPushButton { border: none; padding: 0; }";

} // namespace

PresetPickers::PresetPickers(DRVWindowController* owner) : QObject(owner), m_owner(owner) {}

QList<QPushButton*> PresetPickers::tiles() const
{
    return livePointers(m_tiles);
}

FlippedNSView* PresetPickers::shapeGrid(const QList<std::shared_ptr<QObject>>& presets)
{
    auto* grid = new FlippedNSView;
    grid->setObjectName(QStringLiteral("shapeGrid"));
    grid->resize(500, 500);
    m_tiles.clear();
    for (int k = 0; k < int(presets.size()); ++k) {
        const auto* preset = qobject_cast<const ShapeSelectionView*>(presets.at(k).get());
        if (!preset)
            continue;
        const QRectF frame = preset->frame();
        const int w = int(frame.width());
        const int h = int(frame.height());
        auto* tile = new QPushButton(grid);
        tile->setObjectName(QStringLiteral("shapeTile%1").arg(k));
        tile->setGeometry(5 + 73 * (k % kShapesPerRow), 75 * (k / kShapesPerRow), w, h);
        tile->setFlat(true);
        tile->setStyleSheet(QString::fromLatin1(kTileStyle));
        QPixmap picture(std::max(1, w), std::max(1, h));
        picture.fill(Qt::transparent);
        {
            QPainter painter(&picture);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.fillPath(
                platform::roundedRectPath(QRectF(0, 0, w, h), preset->cornerRadius(), preset->cornerRadius()),
                preset->fillColor());
        }
        tile->setIcon(QIcon(picture));
        tile->setIconSize(picture.size());
        connect(tile, &QPushButton::clicked, this, [this, k] { picked(k, true); });
        m_tiles.append(tile);
    }
    return grid;
}

FlippedNSView* PresetPickers::textViewGrid(const QList<std::shared_ptr<QObject>>& presets)
{
    auto* grid = new FlippedNSView;
    grid->setObjectName(QStringLiteral("textViewGrid"));
    grid->resize(400, 480);
    m_tiles.clear();
    for (int k = 0; k < int(presets.size()); ++k) {
        const auto* preset = qobject_cast<const ShapeSelectionView*>(presets.at(k).get());
        if (!preset)
            continue;
        const int w = int(preset->frame().width());
        const int h = int(preset->frame().height());
        auto* tile = new QPushButton(preset->textString(), grid);
        tile->setObjectName(QStringLiteral("textViewTile%1").arg(k));
        tile->setGeometry(0, 5 + k * (h + 5), w, h);
        tile->setFont(preset->font());
        // Colours go into the style sheet by their own names, never by text taken from a file.
        tile->setStyleSheet(
            QStringLiteral("QPushButton { border: none; padding: 0; color: %1; background-color: %2; }")
                .arg(preset->textColor().name(QColor::HexArgb), preset->fillColor().name(QColor::HexArgb)));
        connect(tile, &QPushButton::clicked, this, [this, k] { picked(k, false); });
        m_tiles.append(tile);
    }
    return grid;
}

void PresetPickers::presentSheet(FlippedNSView* grid)
{
    cancelFloatWindowControllerSheet();
    QWidget* parent = m_owner && m_owner->isWindowLoaded() ? m_owner->window() : nullptr;
    auto* sheet = new QDialog(parent);
    sheet->setObjectName(QStringLiteral("floatWindowController"));
    sheet->setWindowModality(Qt::WindowModal);
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(sheet);
    grid->setMinimumSize(grid->size());
    layout->addWidget(grid);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), sheet);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    layout->addWidget(cancel, 0, Qt::AlignRight);
    connect(cancel, &QPushButton::clicked, this, [this] { cancelFloatWindowControllerSheet(); });
    m_sheet = sheet;
    sheet->show();
}

void PresetPickers::selectDefaultShapes()
{
    presentSheet(shapeGrid(edition().gPresetShapes));
}

void PresetPickers::selectDefaultTextViews()
{
    presentSheet(textViewGrid(edition().gPresetTextViews));
}

void PresetPickers::cancelFloatWindowControllerSheet()
{
    if (m_sheet) {
        m_sheet->close();
        m_sheet = nullptr;
    }
}

void PresetPickers::picked(int index, bool shape)
{
    cancelFloatWindowControllerSheet();
    const std::function<void(int)>& hook = shape ? addNewShape : addNewSelectedTextView;
    if (hook)
        hook(index);
}
