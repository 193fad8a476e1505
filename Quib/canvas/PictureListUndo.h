// Changes to the list of pictures of a slideshow or gallery, recorded as the list before and after
// so that undo brings removed pictures back whole: they stay children of their container.
#pragma once
#include "model/DRVGalleryGrid.h"
#include "model/DRVSlideshow.h"
#include "model/TransformView.h"
#include "platform/UndoManager.h"

#include <QPointer>

namespace picturelist {

inline int shownIndex(const DRVSlideshow* slideshow)
{
    return slideshow->currentImageIndex();
}
inline void show(DRVSlideshow* slideshow, int index)
{
    slideshow->setCurrentImageIndex(index);
}
inline int shownIndex(const DRVGalleryGrid*)
{
    return 0;
}
inline void show(DRVGalleryGrid*, int) {}

template <class Container>
void setRecorded(platform::UndoManager* undo, Container* container, const QList<TransformView*>& pictures,
                 int index)
{
    const QList<TransformView*> oldPictures = container->imageArray();
    const int oldIndex = shownIndex(container);
    container->setImageArray(pictures);
    show(container, index);
    // The bounds set to themselves tell the canvas to draw the container again.
    container->setBounds(container->bounds());
    if (!undo)
        return;
    QPointer<Container> guarded(container);
    undo->registerUndo(container, [undo, guarded, oldPictures, oldIndex] {
        if (guarded)
            setRecorded(undo, guarded.data(), oldPictures, oldIndex);
    });
}

} // namespace picturelist
