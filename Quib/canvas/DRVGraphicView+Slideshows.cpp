// Editing the slides of a slideshow from the canvas's menus. Every change to the list of slides is
// recorded as the list before and after, so undo brings a deleted slide back whole.
#include "canvas/DRVGraphicView.h"
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

const QStringList kSlideExtensions = {QStringLiteral("jpg"), QStringLiteral("JPG"),  QStringLiteral("png"),
                                      QStringLiteral("PNG"), QStringLiteral("jpeg"), QStringLiteral("JPEG")};

QString slideType(const QString& path)
{
    const QString extension = QFileInfo(path).suffix();
    return extension == QLatin1String("png") || extension == QLatin1String("PNG") ? QStringLiteral("PNG")
                                                                                  : QStringLiteral("JPG");
}

int retinaDefault()
{
    return platform::UserDefaults::standard().integerForKey(QStringLiteral("DovrelRetinaFlag")) != 0 ? 1 : 0;
}

DRVSlideshow* onlySelectedSlideshow(const QList<DRVGraphic*>& selected)
{
    return selected.size() == 1 ? qobject_cast<DRVSlideshow*>(selected.constFirst()) : nullptr;
}

// Gives the slideshow slides and shown index, and records the ones it had: the slides taken out
// stay children of the slideshow, so undo can put them back.
void setSlidesRecorded(platform::UndoManager* undo, DRVSlideshow* slideshow,
                       const QList<TransformView*>& slides, int index)
{
    const QList<TransformView*> oldSlides = slideshow->imageArray();
    const int oldIndex = slideshow->currentImageIndex();
    slideshow->setImageArray(slides);
    slideshow->setCurrentImageIndex(index);
    // The bounds set to themselves tell the canvas to draw the slideshow again.
    slideshow->setBounds(slideshow->bounds());
    if (!undo)
        return;
    QPointer<DRVSlideshow> guarded(slideshow);
    undo->registerUndo(slideshow, [undo, guarded, oldSlides, oldIndex] {
        if (guarded)
            setSlidesRecorded(undo, guarded, oldSlides, oldIndex);
    });
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
    const QList<ChosenPicture> pictures =
        chooseReadablePictures(QStringLiteral("Select"),
                               QStringLiteral("Add one or more images to slideshow"), kSlideExtensions, true);
    if (pictures.isEmpty())
        return;
    beginUndoStep();
    QList<TransformView*> slides = slideshow->imageArray();
    for (const ChosenPicture& chosen : pictures) {
        const QString name = getNextImageName();
        const QString type = slideType(chosen.path);
        if (!OriginalImageFile::save(pageImageFolder(), name, type, chosen.image))
            qWarning() << "DRVGraphicView: the original of slide" << name << "could not be written";
        auto* slide = new TransformView(QRectF(), slideshow);
        slide->setImage(chosen.image);
        slide->setImageName(name);
        slide->setImageType(type);
        slide->setOriginalWidth(chosen.image.width());
        slide->setOriginalHeight(chosen.image.height());
        slide->setSlideNumber(slideshow->slideNumber());
        slide->setImageLastModDate(QDateTime::currentDateTime());
        slide->setGroupNumber(-99);
        slide->setTableNumber(-99);
        slide->setGalleryNumber(-99);
        slide->setSlideShowNumber(-99);
        slide->setImageEnlargeFlag(0);
        slide->setRetinaFlag(retinaDefault());
        slides.append(slide);
        // Each slide is in the list before the next is named.
        setSlidesRecorded(undoManager(), slideshow, slides, int(slides.size()) - 1);
    }
    endUndoStep(QStringLiteral("Add Slide"));
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
        chooseReadablePictures(QStringLiteral("Add New"), QString(), kSlideExtensions, false);
    if (pictures.isEmpty())
        return;
    const int index = slideshow->currentImageIndex();
    TransformView* slide =
        createNewSlideshowImage(pictures.constFirst().image, slideType(pictures.constFirst().path));
    if (!slide)
        return;
    slide->setSlideNumber(index);
    beginUndoStep();
    QList<TransformView*> slides = slideshow->imageArray();
    slides[index] = slide;
    setSlidesRecorded(undoManager(), slideshow, slides, index);
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
    setSlidesRecorded(undoManager(), slideshow, slides, std::min(index, int(slides.size()) - 1));
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
