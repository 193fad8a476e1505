// The slideshow step of the page pass: for every slideshow its editor rule (read back when the page
// is opened), a horizontally scrolling strip of slides with previous and next buttons driven by a
// small jQuery script, and, when a responsive edition publishes, a Bootstrap carousel fragment.
// Every name the scripts use carries the slideshow's number, the automatic advance included, so
// slideshows on one page never drive each other.
#pragma once
#include "generation/CodeWidgetHelper.h"

#include <QString>
#include <memory>

class DRVDocument;
class DRVSlideshow;
struct PagePieces;

class SlideshowGenerator
{
public:
    SlideshowGenerator(DRVDocument& document, PagePieces& pieces, const QString& pageName, bool publishFlag);

    // Walks slideshowArray from its last entry (number 0) to its first: rules and button rules into
    // the pieces, scripts into slideshowScripts, strips into bodyShowsGallery, the slides into the
    // document's imageViewArray, carousels into its sourceCodeArray. Completes the slideshow's
    // template name and each slide's number, name, alternative text, cleaned link and link target.
    void generate();

    // The Bootstrap carousel of a slideshow, first slide first; nullptr for one without slides.
    static std::shared_ptr<CodeWidgetHelper> generateCarousel(const DRVDocument& document,
                                                              const DRVSlideshow* slideshow);

private:
    void generateOne(DRVSlideshow* slideshow, int number);

    DRVDocument& m_document;
    PagePieces& m_pieces;
    QString m_pageName;
    bool m_publishFlag = false;
};
