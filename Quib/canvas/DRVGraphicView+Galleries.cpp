// Editing the pictures of a gallery grid from the canvas's context menu, at the spot the user
// touched.
#include "canvas/DRVGraphicView.h"
#include "canvas/PictureListUndo.h"
#include "model/DRVGalleryGrid.h"
#include "model/TransformView.h"

#include <QDebug>
#include <QMenu>
#include <cmath>

namespace {

DRVGalleryGrid* onlySelectedGallery(const QList<DRVGraphic*>& selected)
{
    return selected.size() == 1 ? qobject_cast<DRVGalleryGrid*>(selected.constFirst()) : nullptr;
}

} // namespace

void DRVGraphicView::addGalleryImage()
{
    DRVGalleryGrid* gallery = onlySelectedGallery(selectedGraphics());
    const QPoint touch(int(std::trunc(m_lastTouchPoint.x())), int(std::trunc(m_lastTouchPoint.y())));
    // A point in no spot has nowhere to put a picture: refused before any file is written.
    if (!gallery || !m_graphicsContainer || gallery->grabMaxNumToAdd(touch) <= 0)
        return;
    QList<ChosenPicture> pictures =
        chooseReadablePictures(QStringLiteral("Select"), QStringLiteral("Add one or more images to gallery"),
                               pictureFileExtensions(), true);
    pictures = pictures.mid(0, gallery->grabMaxNumToAdd(touch));
    if (pictures.isEmpty())
        return;
    QPoint spot(gallery->grabRowSpot(touch.x(), touch.y()), gallery->grabColumnSpot(touch.x(), touch.y()));
    beginUndoStep();
    for (qsizetype n = 0; n < pictures.size(); ++n) {
        if (n > 0)
            spot = gallery->grabNextSpot(spot.x(), spot.y());
        const ChosenPicture& chosen = pictures.at(n);
        TransformView* picture = newPictureCarrier(chosen, gallery);
        picture->setImageEnlargeFlag(1);
        picture->setSlideShowNumber(-66);
        picture->setRowSpot(spot.x());
        picture->setColumnSpot(spot.y());
        QList<TransformView*> list = gallery->imageArray();
        list.removeIf(
            [&](const TransformView* p) { return p->rowSpot() == spot.x() && p->columnSpot() == spot.y(); });
        list.append(picture);
        // Each picture is in the list before the next is named.
        picturelist::setRecorded(undoManager(), gallery, list, 0);
    }
    gallery->layoutPictures();
    endUndoStep(QStringLiteral("Add Images"));
}

void DRVGraphicView::deleteGalleryImage()
{
    DRVGalleryGrid* gallery = onlySelectedGallery(selectedGraphics());
    if (!gallery)
        return;
    const TransformView* touched = gallery->grabImageSelected(int(std::trunc(m_lastTouchPoint.x())),
                                                              int(std::trunc(m_lastTouchPoint.y())));
    if (!touched)
        return;
    QList<TransformView*> list = gallery->imageArray();
    list.removeOne(const_cast<TransformView*>(touched));
    beginUndoStep();
    picturelist::setRecorded(undoManager(), gallery, list, 0);
    endUndoStep(QStringLiteral("Delete Image"));
}

void DRVGraphicView::addGalleryCommands(QMenu* menu)
{
    const DRVGalleryGrid* gallery = onlySelectedGallery(selectedGraphics());
    if (!gallery)
        return;
    menu->addSeparator();
    menu->addAction(QStringLiteral("Add Images…"), this, &DRVGraphicView::addGalleryImage);
    if (gallery->grabImageSelected(int(std::trunc(m_lastTouchPoint.x())),
                                   int(std::trunc(m_lastTouchPoint.y()))))
        menu->addAction(QStringLiteral("Delete Image"), this, &DRVGraphicView::deleteGalleryImage);
}
