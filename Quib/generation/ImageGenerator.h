// Image elements: each image's ".<imageName>{...}" rule (also the saved page format), its retina
// background rule and its markup, plus the fragment of one image for the responsive layout, the
// responsive e-mail edition and images that open enlarged. The pass also has the image files
// written when the page is saved.
#pragma once
#include "generation/CodeWidgetHelper.h"

#include <QString>
#include <memory>

class DRVDocument;
class QObject;
struct PagePieces;

class ImageGenerator
{
public:
    ImageGenerator(DRVDocument& document, PagePieces& pieces, const QString& pageName, bool publishFlag,
                   bool changedFlag);

    // The image pass over imageViewArray, in the order of the numbers in the image names.
    void generate();

    // The fragment of one image (a DRVImage or a gallery or table image record).
    static std::shared_ptr<CodeWidgetHelper> generateImageCode(DRVDocument& document, QObject* image,
                                                               bool publishFlag);

private:
    DRVDocument& m_document;
    PagePieces& m_pieces;
    QString m_pageName;
    bool m_publishFlag = false;
    bool m_changedFlag = false;
};
