// Galleries on the canvas: the two gallery factories, the gallery dialog, and editing the pictures
// of a gallery from the context menu at the spot the user touched. Each change is one undo step.
#include "canvas/DRVGraphicView.h"
#include "canvas/GalleryGridCaptionViewController.h"
#include "canvas/GalleryGridEditorWindowController.h"
#include "canvas/PictureListUndo.h"
#include "canvas/QuibPopover.h"
#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "model/DRVTable.h"
#include "model/DRVGalleryGrid.h"
#include "model/GraphicRegistry.h"
#include "model/TransformView.h"
#include "platform/Geometry.h"
#include "platform/UndoManager.h"

#include <QButtonGroup>
#include <QDebug>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <cmath>

namespace {

struct GalleryKind
{
    QSizeF size;
    int columns;
    int rows;
    int padding;
    int shadow;
    int backdrop;
};

const GalleryKind kImageGallery{{500, 200}, 4, 1, 5, 0, 1};
const GalleryKind kEnlargeablePhoto{{100, 150}, 1, 1, 5, 1, 2};

// Places one carrier per picture from spot on in reading order, each replacing the picture at its
// spot; mark gives a carrier what its container asks of it, record sets the new list.
template <class Container>
void placeFromSpot(DRVGraphicView& view, Container* container, QPoint spot,
                   const QList<DRVGraphicView::ChosenPicture>& pictures, QObject* owner,
                   const std::function<void(TransformView*)>& mark,
                   const std::function<void(const QList<TransformView*>&)>& record)
{
    for (qsizetype n = 0; n < pictures.size(); ++n) {
        if (n > 0)
            spot = container->grabNextSpot(spot.x(), spot.y());
        TransformView* picture = view.newPictureCarrier(pictures.at(n), owner);
        picture->setImageEnlargeFlag(1);
        mark(picture);
        picture->setRowSpot(spot.x());
        picture->setColumnSpot(spot.y());
        QList<TransformView*> list = container->imageArray();
        list.removeIf(
            [&](const TransformView* p) { return p->rowSpot() == spot.x() && p->columnSpot() == spot.y(); });
        list.append(picture);
        // Each picture is in the list before the next is named.
        record(list);
    }
}

} // namespace

QVariantMap DRVGraphicView::galleryProperties(const QRectF& frame, int columns, int rows, int padding,
                                              int shadow, int backdrop)
{
    QVariantMap p;
    p.insert(QStringLiteral("bounds"), platform::stringFromRect(frame));
    p.insert(QStringLiteral("numOfColumns"), DRVGraphic::intProperty(columns));
    p.insert(QStringLiteral("numOfRows"), DRVGraphic::intProperty(rows));
    p.insert(QStringLiteral("padding"), DRVGraphic::intProperty(padding));
    p.insert(QStringLiteral("shadowFlag"), DRVGraphic::intProperty(shadow));
    p.insert(QStringLiteral("backdropLightingFlag"), DRVGraphic::intProperty(backdrop));
    p.insert(QStringLiteral("imageArray"), QVariantList());
    return p;
}

DRVGraphic* DRVGraphicView::insertGallery(QPointF point, const QSizeF& size, const QVariantMap& settings)
{
    QRectF frame(QPointF(std::trunc(point.x()), std::trunc(point.y())), size);
    if (edition().gResponsiveLayoutFlag)
        frame = grabSectionRect(point, QRectF(point, size));
    QVariantMap p = settings;
    p.insert(QStringLiteral("bounds"), platform::stringFromRect(frame));
    DRVGraphic* gallery = GraphicRegistry::create(QStringLiteral("DRVGalleryGrid"));
    gallery->initWithProperties(p);
    return insertNewGraphic(gallery, frame.topLeft());
}

DRVGraphic* DRVGraphicView::addImageGallery_drag(QPointF point)
{
    const GalleryKind& k = kImageGallery;
    return insertGallery(point, k.size, galleryProperties(QRectF(), k.columns, k.rows, k.padding, k.shadow, k.backdrop));
}

DRVGraphic* DRVGraphicView::addEnlargeablePhoto_drag(QPointF point)
{
    const GalleryKind& k = kEnlargeablePhoto;
    return insertGallery(point, k.size, galleryProperties(QRectF(), k.columns, k.rows, k.padding, k.shadow, k.backdrop));
}

void DRVGraphicView::addImageGallery()
{
    runInsertCommand(QStringLiteral("Add Gallery"), [this] {
        const QPointF origin = calculateOriginPoint();
        addImageGallery_drag(QPointF(std::trunc(origin.x()), std::trunc(origin.y())));
    });
}

// ---- the pictures at the touched spot ----

DRVGalleryGrid* DRVGraphicView::selectedGalleryGrid() const
{
    const QList<DRVGraphic*> selected = selectedGraphics();
    return selected.size() == 1 ? qobject_cast<DRVGalleryGrid*>(selected.constFirst()) : nullptr;
}

QPoint DRVGraphicView::touchedSpotPoint() const
{
    return QPoint(platform::truncToInt(m_lastTouchPoint.x()), platform::truncToInt(m_lastTouchPoint.y()));
}

TransformView* DRVGraphicView::touchedGalleryImage() const
{
    const DRVGalleryGrid* gallery = selectedGalleryGrid();
    const QPoint touch = touchedSpotPoint();
    return gallery ? gallery->grabImageSelected(touch.x(), touch.y()) : nullptr;
}

int DRVGraphicView::proceedsToAddGalleryImages(DRVGalleryGrid* gallery, const QList<ChosenPicture>& chosen)
{
    const QPoint touch = touchedSpotPoint();
    const int room = gallery ? gallery->grabMaxNumToAdd(touch) : 0;
    // A point in no spot has nowhere to put a picture: refused before any file is written.
    if (room <= 0 || chosen.isEmpty())
        return 0;
    const QList<ChosenPicture> pictures = chosen.mid(0, room);
    QPoint spot(gallery->grabRowSpot(touch.x(), touch.y()), gallery->grabColumnSpot(touch.x(), touch.y()));
    placeFromSpot(
        *this, gallery, spot, pictures, gallery, [](TransformView* p) { p->setSlideShowNumber(-66); },
        [this, gallery](const QList<TransformView*>& list) {
            picturelist::setRecorded(undoManager(), gallery, list, 0);
        });
    gallery->layoutPictures();
    return int(pictures.size());
}

void DRVGraphicView::addGalleryImage()
{
    DRVGalleryGrid* gallery = selectedGalleryGrid();
    if (!gallery || !m_graphicsContainer || gallery->grabMaxNumToAdd(touchedSpotPoint()) <= 0)
        return;
    const QList<ChosenPicture> pictures =
        chooseReadablePictures(QStringLiteral("Select"), QStringLiteral("Add one or more images to gallery"),
                               pictureFileExtensions(), true);
    if (pictures.isEmpty())
        return;
    beginUndoStep();
    proceedsToAddGalleryImages(gallery, pictures);
    endUndoStep(QStringLiteral("Add Images"));
}

void DRVGraphicView::replaceGalleryImage()
{
    DRVGalleryGrid* gallery = selectedGalleryGrid();
    if (!gallery || !m_graphicsContainer || gallery->grabMaxNumToAdd(touchedSpotPoint()) <= 0)
        return;
    const QList<ChosenPicture> pictures =
        chooseReadablePictures(QStringLiteral("Select"), QString(), pictureFileExtensions(), false);
    if (pictures.isEmpty())
        return;
    beginUndoStep();
    proceedsToAddGalleryImages(gallery, pictures.mid(0, 1));
    endUndoStep(QStringLiteral("Replace Image"));
}

void DRVGraphicView::deleteGalleryImage()
{
    DRVGalleryGrid* gallery = selectedGalleryGrid();
    TransformView* touched = touchedGalleryImage();
    if (!gallery || !touched)
        return;
    QList<TransformView*> list = gallery->imageArray();
    list.removeOne(touched);
    beginUndoStep();
    picturelist::setRecorded(undoManager(), gallery, list, 0);
    endUndoStep(QStringLiteral("Delete Image"));
}

bool DRVGraphicView::moveGalleryImageShown(int rows, int columns) const
{
    const DRVGalleryGrid* gallery = selectedGalleryGrid();
    const TransformView* picture = touchedGalleryImage();
    if (!gallery || !picture)
        return false;
    const int row = picture->rowSpot() + rows;
    const int column = picture->columnSpot() + columns;
    return row >= 0 && column >= 0 && row < gallery->numOfRows() && column < gallery->numOfColumns();
}

void DRVGraphicView::moveGalleryImage(int rows, int columns)
{
    if (!moveGalleryImageShown(rows, columns))
        return;
    DRVGalleryGrid* gallery = selectedGalleryGrid();
    TransformView* picture = touchedGalleryImage();
    const int row = picture->rowSpot();
    const int column = picture->columnSpot();
    TransformView* neighbour = gallery->grabSelectedImageAtSpot(row + rows, column + columns);
    platform::UndoManager* undo = undoManager();
    beginUndoStep();
    setValueRecorded(undo, picture, "rowSpot", row + rows);
    setValueRecorded(undo, picture, "columnSpot", column + columns);
    if (neighbour && neighbour != picture) {
        setValueRecorded(undo, neighbour, "rowSpot", row);
        setValueRecorded(undo, neighbour, "columnSpot", column);
    }
    // The same list again: recorded so that undo and redo lay the gallery out anew too.
    picturelist::setRecorded(undo, gallery, gallery->imageArray(), 0);
    gallery->layoutPictures();
    endUndoStep(QStringLiteral("Move Image"));
}

// ---- the gallery dialog ----

GalleryGridEditorWindowController* DRVGraphicView::galleryGridEditorWindowController()
{
    if (!m_galleryGridEditorWindowController) {
        auto* dialog = new GalleryGridEditorWindowController(this);
        dialog->setWindowFlag(Qt::Window);
        m_galleryGridEditorWindowController = dialog;
        auto apply = [this](const char* key, int value, const QString& name) {
            DRVGalleryGrid* gallery = m_galleryInDialog;
            if (!gallery)
                return;
            beginUndoStep();
            setValueRecorded(undoManager(), gallery, key, value);
            endUndoStep(name);
            update();
        };
        connect(dialog, &GalleryGridEditorWindowController::columnsChanged, this, [apply](int count) {
            apply("numOfColumns", std::clamp(count, 1, GalleryGridEditorWindowController::kMostColumns),
                  QStringLiteral("Gallery Columns"));
        });
        connect(dialog, &GalleryGridEditorWindowController::rowsChanged, this, [apply](int count) {
            apply("numOfRows", std::clamp(count, 1, GalleryGridEditorWindowController::kMostRows),
                  QStringLiteral("Gallery Rows"));
        });
        connect(dialog, &GalleryGridEditorWindowController::spacingChanged, this,
                [apply](int padding) { apply("padding", padding, QStringLiteral("Gallery Spacing")); });
        connect(dialog, &GalleryGridEditorWindowController::shadowChanged, this,
                [apply](int flag) { apply("shadowFlag", flag, QStringLiteral("Gallery Shadow")); });
        connect(dialog, &GalleryGridEditorWindowController::backdropChanged, this,
                [apply](int backdrop) { apply("backdropLightingFlag", backdrop, QStringLiteral("Gallery Backdrop")); });
        connect(dialog, &GalleryGridEditorWindowController::saveRequested, this,
                &DRVGraphicView::saveGallerySettings);
    }
    return m_galleryGridEditorWindowController;
}

void DRVGraphicView::configureGalleryGrid()
{
    DRVGalleryGrid* gallery = selectedGalleryGrid();
    if (!gallery)
        return;
    m_galleryInDialog = gallery;
    GalleryGridEditorWindowController* dialog = galleryGridEditorWindowController();
    dialog->showSettings(gallery->numOfColumns(), gallery->numOfRows(), gallery->padding(), gallery->shadowFlag(),
                         gallery->backdropLightingFlag());
    dialog->show();
    dialog->raise();
}

void DRVGraphicView::saveGallerySettings()
{
    DRVGalleryGrid* gallery = m_galleryInDialog;
    if (gallery) {
        beginUndoStep();
        if (const std::optional<int> spacing = m_galleryGridEditorWindowController->typedSpacing())
            setValueRecorded(undoManager(), gallery, "padding", *spacing);
        refreshGalleryImage(gallery);
        endUndoStep(QStringLiteral("Gallery Settings"));
    }
    m_galleryGridEditorWindowController->hide();
}

void DRVGraphicView::refreshGalleryImage(DRVGalleryGrid* gallery)
{
    QList<TransformView*> kept = gallery->imageArray();
    const qsizetype before = kept.size();
    kept.removeIf([gallery](const TransformView* p) {
        return p->rowSpot() >= gallery->numOfRows() || p->columnSpot() >= gallery->numOfColumns();
    });
    if (kept.size() != before)
        picturelist::setRecorded(undoManager(), gallery, kept, 0);
}

// ---- caption and link ----

void DRVGraphicView::configureGalleryImageCaption()
{
    TransformView* picture = touchedGalleryImage();
    if (!picture)
        return;
    QuibPopover* popover = openPopover(
        QSize(GalleryGridCaptionViewController::kWidth, GalleryGridCaptionViewController::kHeight));
    auto* controller = new GalleryGridCaptionViewController(popover);
    m_galleryGridCaptionViewController = controller;
    if (picture->altText().isNull())
        picture->setAltText(QStringLiteral(""));
    if (picture->link().isNull())
        picture->setLink(QStringLiteral(""));
    controller->captionTextField()->setText(picture->altText());
    controller->linkTextField()->setText(picture->link());
    connect(controller->saveButton(), &QPushButton::clicked, this, &DRVGraphicView::saveGalleryCaptions);
    showPopoverBesideSelection();
}

GalleryGridCaptionViewController* DRVGraphicView::galleryGridCaptionViewController() const
{
    return m_galleryGridCaptionViewController;
}

void DRVGraphicView::saveGalleryCaptions()
{
    GalleryGridCaptionViewController* controller = m_galleryGridCaptionViewController;
    TransformView* picture = touchedGalleryImage();
    if (controller && picture) {
        beginUndoStep();
        // One line each: a line break would end the attribute they are written into.
        const auto oneLine = [](const QString& text) { return text.section(u'\n', 0, 0); };
        setValueRecorded(undoManager(), picture, "link", oneLine(controller->linkTextField()->text()));
        setValueRecorded(undoManager(), picture, "altText", oneLine(controller->captionTextField()->text()));
        endUndoStep(QStringLiteral("Caption"));
    }
    if (m_quibPopOver)
        m_quibPopOver->close();
}

// ---- table pictures and background ----

DRVTable* DRVGraphicView::selectedPictureTable() const
{
    const QList<DRVGraphic*> selected = selectedGraphics();
    return selected.size() == 1 ? qobject_cast<DRVTable*>(selected.constFirst()) : nullptr;
}

void DRVGraphicView::setTablePicturesRecorded(DRVTable* table, const QList<TransformView*>& pictures,
                                              TransformView* background)
{
    const QList<TransformView*> oldPictures = table->imageArray();
    TransformView* oldBackground = table->tableBackgroundImage();
    // The table deletes the pictures it lets go of; the canvas keeps them for undo instead.
    for (TransformView* picture : oldPictures) {
        if (!pictures.contains(picture) && picture->parent() == table)
            picture->setParent(this);
    }
    if (oldBackground && oldBackground != background && oldBackground->parent() == table)
        oldBackground->setParent(this);
    table->setImageArray(pictures);
    table->setTableBackgroundImage(background);
    // Lays the table out again and redraws it.
    table->setBounds(table->bounds());
    platform::UndoManager* undo = undoManager();
    if (!undo)
        return;
    QPointer<DRVTable> guarded(table);
    QPointer<DRVGraphicView> view(this);
    undo->registerUndo(table, [view, guarded, oldPictures, oldBackground] {
        if (view && guarded)
            view->setTablePicturesRecorded(guarded, oldPictures, oldBackground);
    });
}

void DRVGraphicView::addGalleryImageToTable()
{
    DRVTable* table = selectedPictureTable();
    const QPoint touch = touchedSpotPoint();
    if (!table || !m_graphicsContainer || table->grabMaxNumToAdd(touch) <= 0)
        return;
    QList<ChosenPicture> pictures = chooseReadablePictures(
        QStringLiteral("Select"), QStringLiteral("Add one or more images"), pictureFileExtensions(), true);
    pictures = pictures.mid(0, table->grabMaxNumToAdd(touch));
    if (pictures.isEmpty())
        return;
    QPoint spot(table->grabRowSpot(touch.x(), touch.y()), table->grabColumnSpot(touch.x(), touch.y()));
    beginUndoStep();
    placeFromSpot(
        *this, table, spot, pictures, this, [](TransformView* p) { p->setGalleryNumber(-99); },
        [this, table](const QList<TransformView*>& list) {
            setTablePicturesRecorded(table, list, table->tableBackgroundImage());
        });
    endUndoStep(QStringLiteral("Add Images"));
}

void DRVGraphicView::deleteTableImage()
{
    DRVTable* table = selectedPictureTable();
    if (!table)
        return;
    const QPoint touch = touchedSpotPoint();
    TransformView* picture =
        table->grabSelectedImageAtSpot(table->grabRowSpot(touch.x(), touch.y()), table->grabColumnSpot(touch.x(), touch.y()));
    if (!picture)
        return;
    QList<TransformView*> list = table->imageArray();
    list.removeOne(picture);
    beginUndoStep();
    setTablePicturesRecorded(table, list, table->tableBackgroundImage());
    endUndoStep(QStringLiteral("Delete Image"));
}

void DRVGraphicView::addSectionBackgroundImage()
{
    DRVTable* table = m_selectedTable ? m_selectedTable.data() : selectedPictureTable();
    if (!table || !m_graphicsContainer)
        return;
    const QList<ChosenPicture> chosen = chooseReadablePictures(QStringLiteral("Select"), QStringLiteral("Select image"),
                                                               pictureFileExtensions(), false);
    if (chosen.isEmpty())
        return;
    const QImage& picture = chosen.constFirst().image;
    const int width = std::max(1, platform::truncToInt(table->bounds().width()));
    const QSize size = DataCentre::returnNewSizeMatchWidthRegardlessOfHeight(QSizeF(picture.size()), width);
    auto* background = new TransformView(QRectF(), this);
    background->setImage(DataCentre::imageWithImage(picture, QSizeF(size)));
    background->setImageLastModDate(QDateTime::currentDateTime());
    background->setImageName(getNextImageName());
    background->setImageEnlargeFlag(-99);
    background->setSlideShowNumber(-99);
    background->setImageType(pictureFileType(chosen.constFirst().path));
    background->setForceNonRetinaFlag(1);
    background->setRowSpot(-99);
    background->setColumnSpot(-99);
    background->setOriginalWidth(size.width());
    background->setOriginalHeight(size.height());
    beginUndoStep();
    setTablePicturesRecorded(table, table->imageArray(), background);
    endUndoStep(QStringLiteral("Background Image"));
}

void DRVGraphicView::addTablePictureCommands(QMenu* menu)
{
    DRVTable* table = selectedPictureTable();
    if (!table)
        return;
    menu->addSeparator();
    menu->addAction(QStringLiteral("Add Background Image…"), this, [this, table] {
        m_selectedTable = table;
        addSectionBackgroundImage();
    });
    if (!edition().gTableImagesFlag)
        return;
    menu->addAction(QStringLiteral("Add Images to Cells…"), this, &DRVGraphicView::addGalleryImageToTable);
    const QPoint touch = touchedSpotPoint();
    if (table->grabSelectedImageAtSpot(table->grabRowSpot(touch.x(), touch.y()),
                                       table->grabColumnSpot(touch.x(), touch.y())))
        menu->addAction(QStringLiteral("Delete Cell Image"), this, &DRVGraphicView::deleteTableImage);
}

void DRVGraphicView::addGalleryCommands(QMenu* menu)
{
    addTablePictureCommands(menu);
    const DRVGalleryGrid* gallery = selectedGalleryGrid();
    if (!gallery)
        return;
    menu->addSeparator();
    menu->addAction(QStringLiteral("Configure Gallery…"), this, &DRVGraphicView::configureGalleryGrid);
    menu->addAction(QStringLiteral("Add Images…"), this, &DRVGraphicView::addGalleryImage);
    if (!touchedGalleryImage())
        return;
    menu->addAction(QStringLiteral("Replace Image…"), this, &DRVGraphicView::replaceGalleryImage);
    if (!edition().gHideImageCaptionFlag)
        menu->addAction(QStringLiteral("Caption and Link…"), this, &DRVGraphicView::configureGalleryImageCaption);
    menu->addAction(QStringLiteral("Delete Image"), this, &DRVGraphicView::deleteGalleryImage);
    // Only the moves the grid allows are offered.
    const std::pair<QString, void (DRVGraphicView::*)()> moves[] = {
        {QStringLiteral("Up"), &DRVGraphicView::moveImageUp},
        {QStringLiteral("Down"), &DRVGraphicView::moveImageDown},
        {QStringLiteral("Left"), &DRVGraphicView::moveImageLeft},
        {QStringLiteral("Right"), &DRVGraphicView::moveImageRight}};
    const bool offered[] = {moveImageUpShown(), moveImageDownShown(), moveImageLeftShown(), moveImageRightShown()};
    if (std::none_of(std::begin(offered), std::end(offered), [](bool b) { return b; }))
        return;
    QMenu* move = menu->addMenu(QStringLiteral("Move Image"));
    for (int i = 0; i < 4; ++i) {
        if (offered[i])
            move->addAction(moves[i].first, this, moves[i].second);
    }
}
