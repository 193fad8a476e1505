// Editing the slides of a slideshow from the canvas's menus. Every change to the list of slides is
// recorded as the list before and after, so undo brings a deleted slide back whole.
#include "canvas/DRVGraphicView.h"
#include "canvas/PictureListUndo.h"
#include "editions/DataCentre.h"
#include "model/DRVSlideshow.h"
#include "model/OriginalImageFile.h"
#include "model/TransformView.h"
#include "platform/Dialogs.h"
#include "platform/Geometry.h"
#include "platform/UndoManager.h"
#include "platform/UserDefaults.h"

#include <QDebug>
#include <QFileInfo>
#include <QMenu>
#include <QPointer>

namespace {

DRVSlideshow* onlySelectedSlideshow(const QList<DRVGraphic*>& selected)
{
    return selected.size() == 1 ? qobject_cast<DRVSlideshow*>(selected.constFirst()) : nullptr;
}

} // namespace

bool DRVGraphicView::slideShowOptionsShown() const
{
    return onlySelectedSlideshow(selectedGraphics()) != nullptr;
}

bool DRVGraphicView::slideShowImageEditingOptionsShown() const
{
    const DRVSlideshow* slideshow = onlySelectedSlideshow(selectedGraphics());
    return slideshow && slideshow->totalNumofSlides() > 0;
}

void DRVGraphicView::addSlideshowImage()
{
    DRVSlideshow* slideshow = onlySelectedSlideshow(selectedGraphics());
    if (!slideshow || !m_graphicsContainer) {
        qWarning() << "selected slideshow is nil";
        return;
    }
    const QList<ChosenPicture> pictures = chooseReadablePictures(
        QStringLiteral("Select"), QStringLiteral("Add one or more images to slideshow"),
        pictureFileExtensions(), true);
    if (pictures.isEmpty())
        return;
    beginUndoStep();
    appendSlides(slideshow, pictures);
    endUndoStep(QStringLiteral("Add Slide"));
}

void DRVGraphicView::appendSlides(DRVSlideshow* slideshow, const QList<ChosenPicture>& pictures)
{
    QList<TransformView*> slides = slideshow->imageArray();
    for (const ChosenPicture& chosen : pictures) {
        TransformView* slide = newPictureCarrier(chosen, slideshow);
        slide->setSlideNumber(slideshow->slideNumber());
        slide->setGalleryNumber(-99);
        slides.append(slide);
        // Each slide is in the list before the next is named.
        picturelist::setRecorded(undoManager(), slideshow, slides, int(slides.size()) - 1);
    }
}

TransformView* DRVGraphicView::createNewSlideshowImage(const QImage& image, const QString& type)
{
    if (image.isNull())
        return nullptr;
    const QSizeF stored = OriginalImageFile::storedSize(
        image.size(),
        int(platform::UserDefaults::standard().integerForKey(QStringLiteral("DovrelMaxImageSize"))));
    const QString name = getNextImageName();
    if (!OriginalImageFile::save(pageImageFolder(), name, type, image))
        return nullptr;
    const QSize size = DataCentre::returnNewSizeWithWidth(image.size(), platform::truncToInt(width()));
    auto* slide = new TransformView(QRectF(QPointF(0, 0), QSizeF(size)));
    slide->setImage(image);
    slide->setImageName(name);
    slide->setImageType(type);
    slide->setOriginalWidth(platform::truncToInt(stored.width()));
    slide->setOriginalHeight(platform::truncToInt(stored.height()));
    slide->setGalleryNumber(-99);
    DRVSlideshow::setNewSlideLook(slide);
    return slide;
}

void DRVGraphicView::replaceSlide()
{
    DRVSlideshow* slideshow = onlySelectedSlideshow(selectedGraphics());
    if (!slideshow || slideshow->totalNumofSlides() == 0 || !m_graphicsContainer)
        return;
    const QList<ChosenPicture> pictures =
        chooseReadablePictures(QStringLiteral("Add New"), QString(), pictureFileExtensions(), false);
    if (pictures.isEmpty())
        return;
    const int index = slideshow->currentImageIndex();
    TransformView* slide =
        createNewSlideshowImage(pictures.constFirst().image, pictureFileType(pictures.constFirst().path));
    if (!slide)
        return;
    slide->setSlideNumber(index);
    beginUndoStep();
    QList<TransformView*> slides = slideshow->imageArray();
    slides[index] = slide;
    picturelist::setRecorded(undoManager(), slideshow, slides, index);
    endUndoStep(QStringLiteral("Replace Slide"));
}

void DRVGraphicView::deleteSlide()
{
    DRVSlideshow* slideshow = onlySelectedSlideshow(selectedGraphics());
    if (!slideshow || slideshow->totalNumofSlides() == 0 || !m_graphicsContainer)
        return;
    QList<TransformView*> slides = slideshow->imageArray();
    const int index = std::clamp(slideshow->currentImageIndex(), 0, int(slides.size()) - 1);
    slides.removeAt(index);
    beginUndoStep();
    // The last slide gone, the one before it is shown: an index past the end shows nothing.
    picturelist::setRecorded(undoManager(), slideshow, slides, std::min(index, int(slides.size()) - 1));
    endUndoStep(QStringLiteral("Delete Slide"));
}

void DRVGraphicView::automateSlideShow()
{
    DRVSlideshow* slideshow = onlySelectedSlideshow(selectedGraphics());
    if (!slideshow)
        return;
    beginUndoStep();
    setValueRecorded(undoManager(), slideshow, "slideShowAutomaticFlag",
                     slideshow->slideShowAutomaticFlag() == 0 ? 1 : 0);
    endUndoStep(QStringLiteral("Auto Scrolling"));
}

void DRVGraphicView::addSlideshowCommands(QMenu* menu)
{
    if (!slideShowOptionsShown())
        return;
    menu->addSeparator();
    menu->addAction(QStringLiteral("Add Slides…"), this, &DRVGraphicView::addSlideshowImage);
    if (!slideShowImageEditingOptionsShown())
        return;
    menu->addAction(QStringLiteral("Replace Slide…"), this, &DRVGraphicView::replaceSlide);
    menu->addAction(QStringLiteral("Delete Slide"), this, &DRVGraphicView::deleteSlide);
    menu->addAction(QStringLiteral("Link Slide…"), this, &DRVGraphicView::applyLinkPopOver);
    const bool automatic = onlySelectedSlideshow(selectedGraphics())->slideShowAutomaticFlag() == 1;
    menu->addAction(automatic ? QStringLiteral("Disable Auto Scrolling")
                              : QStringLiteral("Set Auto Scrolling"),
                    this, &DRVGraphicView::automateSlideShow);
}
