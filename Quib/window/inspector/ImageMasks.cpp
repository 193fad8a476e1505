#include "window/inspector/ImageMasks.h"

#include "canvas/DRVGraphicView.h"
#include "editions/DataCentre.h"
#include "model/DRVImage.h"
#include "platform/Dialogs.h"
#include "window/DRVWindowController.h"
#include "window/FlippedNSView.h"
#include "window/Popover.h"
#include "window/inspector/ColorSelector.h"
#include "window/inspector/FormatIconView.h"
#include "window/inspector/FormattingOptions.h"
#include "window/inspector/InspectorPanel.h"
#include "window/inspector/LivePointers.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>

namespace {

QString& maskFolderOverride()
{
    static QString folder;
    return folder;
}

// Mask pictures are small; a larger file is not one.
constexpr qint64 kMaxMaskFileBytes = 16 * 1024 * 1024;
constexpr int kMaxMaskSide = 4096;

} // namespace

ImageMasks::ImageMasks(DRVWindowController* owner, InspectorPanel* panel)
    : QObject(panel), m_owner(owner), m_panel(panel)
{
}

QString ImageMasks::maskFolder()
{
    if (!maskFolderOverride().isEmpty())
        return maskFolderOverride();
    return DataCentre::resourcesPath() + QStringLiteral("/image_masks");
}

void ImageMasks::setMaskFolder(const QString& folder)
{
    maskFolderOverride() = folder;
}

QStringList ImageMasks::maskCatalogue(const QString& folder)
{
    QStringList paths;
    const QFileInfoList files = QDir(folder).entryInfoList({QStringLiteral("*.svg"), QStringLiteral("*.png")},
                                                           QDir::Files, QDir::Name);
    for (const QFileInfo& file : files) {
        // Exact lower-case extensions, and no links out of the folder.
        if (file.isSymLink() ||
            (file.suffix() != QLatin1String("svg") && file.suffix() != QLatin1String("png")))
            continue;
        paths.append(file.absoluteFilePath());
    }
    return paths;
}

QImage ImageMasks::readMaskPicture(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > kMaxMaskFileBytes)
        return QImage();
    if (info.suffix().compare(QLatin1String("svg"), Qt::CaseInsensitive) == 0) {
        QSvgRenderer renderer(path);
        if (!renderer.isValid())
            return QImage();
        const QSize size = renderer.defaultSize().boundedTo(QSize(kMaxMaskSide, kMaxMaskSide));
        if (size.isEmpty())
            return QImage();
        QImage picture(size, QImage::Format_ARGB32_Premultiplied);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        renderer.render(&painter);
        return picture;
    }
    QImage picture(path);
    if (picture.isNull() || picture.width() > kMaxMaskSide || picture.height() > kMaxMaskSide)
        return QImage();
    return picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QList<QPushButton*> ImageMasks::tiles() const
{
    return livePointers(m_tiles);
}

FlippedNSView* ImageMasks::setup_image_masks()
{
    auto* picker = new FlippedNSView;
    picker->setObjectName(QStringLiteral("maskPicker"));
    picker->resize(270, 400);
    m_tiles.clear();
    const QStringList catalogue = maskCatalogue(maskFolder());
    for (int k = 0; k < int(catalogue.size()); ++k) {
        auto* tile = new QPushButton(picker);
        tile->setObjectName(QStringLiteral("maskTile%1").arg(k));
        tile->setGeometry(5 + kTileSize * (k % kTilesPerRow), kTileSize * (k / kTilesPerRow), kTileSize,
                          kTileSize);
        tile->setFlat(true);
        tile->setStyleSheet(QStringLiteral("QPushButton { border: none; padding: 0; }"));
        tile->setProperty("imagePath", catalogue.at(k));
        QImage picture = readMaskPicture(catalogue.at(k));
        if (!picture.isNull()) {
            DataCentre::imageTintedWithColor(picture, QColor(0x55, 0x55, 0x55));
            tile->setIcon(QIcon(QPixmap::fromImage(
                picture.scaled(kTileSize, kTileSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation))));
            tile->setIconSize(QSize(kTileSize, kTileSize));
        }
        const QString path = catalogue.at(k);
        connect(tile, &QPushButton::clicked, this, [this, path] { applyMaskFilter(path); });
        m_tiles.append(tile);
    }
    auto* own = new QPushButton(QStringLiteral("Use My Own"), picker);
    own->setObjectName(QStringLiteral("useMyOwnButton"));
    own->setGeometry(100, 360, 100, 30);
    connect(own, &QPushButton::clicked, this, [this] { selectCustomImageAsMask(); });
    return picker;
}

void ImageMasks::connectActions()
{
    if (auto* button = m_panel->control<QPushButton>(QStringLiteral("imageMaskButton")))
        connect(button, &QPushButton::clicked, this, [this] { selectMaskImage(); });
    if (auto* box = m_panel->control<QCheckBox>(QStringLiteral("imageMaskApplyCheckmark")))
        connect(box, &QCheckBox::clicked, this, [this](bool on) { adjustMaskFilter(on); });
}

void ImageMasks::selectMaskImage()
{
    ColorSelector* colours = m_panel->colorSelector();
    Popover* popover = colours->sharedPopover();
    popover->close();
    popover->setContentView(setup_image_masks());
    QWidget* anchor = m_panel->control(QStringLiteral("imageMaskButton"));
    QWidget* relativeTo = anchor ? anchor->parentWidget() : nullptr;
    if (FormatIconView* tile = m_panel->formattingOptions()->usedTileForKey(QStringLiteral("ImageMask")))
        relativeTo = tile;
    popover->showRelativeToRect(anchor ? anchor->geometry() : QRect(), relativeTo, Popover::Edge::MinX);
}

void ImageMasks::applyMaskFilter(const QString& path)
{
    QImage mask = readMaskPicture(path);
    if (!mask.isNull())
        DataCentre::imageTintedWithColor(mask, Qt::white);
    DRVGraphicView* canvas = m_owner ? m_owner->graphicView() : nullptr;
    if (!canvas)
        return;
    for (DRVGraphic* graphic : canvas->selectedGraphics()) {
        if (auto* image = qobject_cast<DRVImage*>(graphic)) {
            image->setMaskImage(mask);
            canvas->setNeedsDisplayInRect(image->drawingBounds());
        }
    }
}

void ImageMasks::selectCustomImageAsMask()
{
    platform::FilePanelRequest request;
    request.prompt = QStringLiteral("Select");
    request.title = QStringLiteral("Select image");
    request.allowedExtensions = {QStringLiteral("png"), QStringLiteral("PNG")};
    request.allowMultiple = true;
    request.chooseDirectories = false;
    const QStringList paths = platform::DialogService::current().runOpenPanel(request);
    for (const QString& path : paths)
        applyMaskFilter(path);
}

void ImageMasks::adjustMaskFilter(bool on)
{
    DRVGraphicView* canvas = m_owner ? m_owner->graphicView() : nullptr;
    if (!canvas)
        return;
    QImage circle;
    if (on) {
        circle = readMaskPicture(maskFolder() + QStringLiteral("/circle4.svg"));
        if (!circle.isNull())
            DataCentre::imageTintedWithColor(circle, Qt::white);
    }
    for (DRVGraphic* graphic : canvas->selectedGraphics()) {
        auto* image = qobject_cast<DRVImage*>(graphic);
        if (!image)
            continue;
        image->setMaskImage(on ? circle : QImage());
        if (on)
            image->setMaskFlag(1);
        canvas->setNeedsDisplayInRect(image->drawingBounds());
    }
}
