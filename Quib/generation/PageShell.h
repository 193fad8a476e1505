// The last stage of a generation pass: the head with its meta tags, script includes and style block,
// the body tag, the page-setting markers after the page, the page shapes (absolute, responsive
// Bootstrap rows, e-mail tables), profile fields and the character replacements.
#pragma once
#include "generation/PagePieces.h"

#include <QString>
#include <QStringList>

class DRVDocument;

class PageShell
{
public:
    PageShell(DRVDocument& document, PagePieces& pieces, const QString& pageName, bool publishFlag);

    // The head, and the external style sheet of editions that keep one. Trims the document's custom
    // header code and empties its base-template header code unless the page inherits it.
    void buildHead();
    // The whole page from the head built before: absolute shape, or the responsive shape when
    // publishing from a responsive edition, then profile fields and character replacements.
    QString buildPage();

    // ---- pieces, also used on their own ----
    // The public CDN includes, or the local copies that transferJquery puts beside the page.
    static QString includeBlock(bool local);
    // The @font-face rules of the bundled fonts the page uses, in a style block; "" for none.
    QString fontFaceBlock() const;
    // The Bootstrap column clearing rules of a responsive page.
    static QString columnClearingCSS();
    // The replacements every stored page gets: "©" as "&copy;", curly quotes as straight ones, ...
    static QString replaceCharacterEntities(QString page);
    // The page-setting lines after "</html>", in their order; a switched-off marker is "".
    // Stores the page file extension as publishing extension when the page has none.
    QStringList trailingMarkers();

private:
    QString backgroundImageRule() const;
    QString responsivePage() const;
    QString formOpening() const;
    QString formClosing() const;
    QString profileFieldLines() const;
    void applyProfileEditionTitle();
    void writeExternalStyleSheet(const QString& sheet);

    DRVDocument& m_document;
    PagePieces& m_pieces;
    QString m_pageName;
    bool m_publishFlag = false;

    // Built by buildHead for buildPage.
    QString m_head;
    QString m_headerText;
    QString m_fontLink;
    QString m_includeBlock;
};
