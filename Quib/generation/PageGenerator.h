// One generation pass over a page: splits the graphics into the per-kind lists, numbers and measures
// them, computes the page-level values, runs the element passes in their fixed order and hands the
// pieces to the page shell. The element passes that later kinds bring are named here, each as one
// step that produces nothing yet.
#pragma once
#include "generation/PagePieces.h"

#include <QString>

class DRVDocument;

class PageGenerator
{
public:
    explicit PageGenerator(DRVDocument& document);

    // The page text; also kept as the document's generatedPageSource.
    QString generate(const QString& pageName, bool publishFlag, bool changedFlag);

    const PagePieces& pieces() const { return m_pieces; }

private:
    void resetLists();
    void computePageLevelValues();
    void partitionGraphics();
    void decidePageColor();

    // ---- element passes, in the order the page is generated ----
    void generateSlideshows();
    void generateGalleries();
    void generateTables();
    void generateSnippets();
    void generateLines();
    void generateImages();
    void generateTextBoxes();
    void generateFormPage();
    // Each section of tableArray becomes one top-level fragment of the responsive page.
    void arrangeResponsiveSections();
    void saveBackgroundImage();
    void pruneUnusedImageFiles();

    DRVDocument& m_document;
    PagePieces m_pieces;
    QString m_pageName;
    bool m_publishFlag = false;
    bool m_changedFlag = false;
    bool m_sectionsArranged = false;
};
