// The working texts of one generation pass: what the element passes produce and the page shell
// puts together. Every text starts empty (not null, which would print as "(null)").
#pragma once
#include "generation/CodeWidgetHelper.h"
#include "generation/FormSortHelper.h"

#include <QList>
#include <QString>
#include <memory>

struct PagePieces
{
    // ---- page-level values ----
    // The keywords and description meta tags, and the manual-width marker.
    QString metaLines = QStringLiteral("");
    // "#content{...}" of a centred page.
    QString contentRule = QStringLiteral("");
    // Six hex digits or "CLEAR0".
    QString pageColor = QStringLiteral("");
    bool formPage = false;

    // ---- CSS by kind ----
    QString textRules = QStringLiteral("");
    QString slideshowRules = QStringLiteral("");
    QString slideshowButtonRules = QStringLiteral("");
    QString imageRules = QStringLiteral("");
    // The images' double-resolution backgrounds, for the external style sheet.
    QString retinaRules = QStringLiteral("");
    QString snippetRules = QStringLiteral("");
    QString galleryRules = QStringLiteral("");
    QString tableRules = QStringLiteral("");
    QString lineRules = QStringLiteral("");

    // ---- scripts and bodies ----
    QString slideshowScripts = QStringLiteral("");
    // The PHP handler and validation script of a form page.
    QString formCode = QStringLiteral("");
    // Text boxes and form fields.
    QString bodyTexts = QStringLiteral("");
    QString bodyImages = QStringLiteral("");
    // Table components, absolute text boxes and snippets, and the shapes of lines.
    QString bodyComponents = QStringLiteral("");
    // Slideshows and galleries.
    QString bodyShowsGallery = QStringLiteral("");

    // What the form fields give the form page's mail handler.
    FormHandlerPieces formHandler;

    // Fragments that stand at the top level of a responsive page.
    QList<std::shared_ptr<CodeWidgetHelper>> topLevel;
};
