// Fonts in generated pages: the font-family value a rule writes (with fallbacks where the family is
// not on every system), and the fonts bundled with the application that a page uses, which the page
// declares with @font-face and which travel beside it in its folder ("<page>/fonts/").
#pragma once
#include <QList>
#include <QString>
#include <QStringList>

class DRVDocument;

class WebFonts
{
public:
    WebFonts() = delete;

    // One font file of the bundle.
    struct Face
    {
        QString family;
        QString fileName;
        QString filePath;
        int weight = 400;
        bool italic = false;
    };

    // The faces of the bundle's "fonts" folder, read once (file name order).
    static const QList<Face>& bundledFaces();
    static bool isBundledFamily(const QString& family);

    // The value of a font-family declaration for a family: the family quoted, followed by
    // fallbacks for "Helvetica Neue", which only some systems have. Characters that could end the
    // declaration or the rule are dropped from the name.
    static QString fontFamilyValue(const QString& family);
    // The family a saved rule's font-family value names: its first entry, unquoted.
    static QString firstFamily(const QString& value);

    // The families the page's texts are set in: text boxes, snippets and table cells.
    static QStringList familiesUsedBy(const DRVDocument& document);
    // The bundled ones among them.
    static QStringList bundledFamiliesUsedBy(const DRVDocument& document);

    // The @font-face rules of the bundled families among families (each once, in name order),
    // their files addressed under "<pageFolder>/fonts/"; "" when none of them is bundled.
    static QString fontFaceRules(const QStringList& families, const QString& pageFolder);
    // Copies the files of those families and their licences into folder/"fonts", leaving files
    // already there and removing the ones no family needs any more; false when a file could not
    // be copied.
    static bool copyFontFiles(const QStringList& families, const QString& folder);
    // The names of the font files the families need, as they are written beside the page.
    static QStringList fontFileNames(const QStringList& families);
    // The licence of a bundled font file: the bundle's "LICENSE-<name>.txt" whose name begins the
    // font file's name (case aside); "" when there is none. It travels with the font.
    static QString licenceFileFor(const QString& fontFileName);

    // The folder beside a page that holds its fonts.
    static QString fontsFolderName() { return QStringLiteral("fonts"); }
};
