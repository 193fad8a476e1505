// One font family the inspector offers and the page writer may link: its display name and how the
// web-font request asks for it. The catalogue lists the web fonts shipped with the application.
#pragma once
#include <QList>
#include <QString>

struct CustomFont
{
    QString fontName;       // display name, stored as a text's fontFamily
    QString sourceCodeName; // web-font query name; an installed family's own name
    bool isUsed = false;    // a text of the page written last uses it
    bool isCustomFont = false;

    // The 49 web fonts (display name, query name), ascending by display name, case aside.
    static const QList<QPair<QString, QString>>& webFontCatalogue();
    // Marks the records of gCustomFontList named family as used by the page being written.
    static void markUsed(const QString& family);
};

// The web-font records of the page being written; replaced by DataCentre::prepCustomFont.
QList<CustomFont>& gCustomFontList();
