// The gallery step of the page pass: every gallery grid's editor rule (read back when the page is
// opened), its pictures handed to the image pass with the gallery's layer, and in the responsive
// editions a Bootstrap thumbnail list with a modal viewer as one fragment.
#pragma once
#include "generation/CodeWidgetHelper.h"

#include <QString>
#include <memory>

class DRVDocument;
class DRVGalleryGrid;
struct PagePieces;

class GalleryGenerator
{
public:
    GalleryGenerator(DRVDocument& document, PagePieces& pieces);

    // Walks galleryArray from its last entry (number 0) to its first. Completes each gallery's
    // template name (no extension; the page's main template when empty) and tags its pictures
    // with the gallery's layer.
    void generate();

    // The thumbnail list and its modal viewer. Column classes are 12 over the column count, the
    // count taken as 1 to 12; cells without a picture are left out.
    static std::shared_ptr<CodeWidgetHelper> grabPhotoGalleryCode(const DRVDocument& document,
                                                                  const DRVGalleryGrid* gallery);

private:
    DRVDocument& m_document;
    PagePieces& m_pieces;
};
