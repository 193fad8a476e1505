// The page's background picture beside the page: "background.<type>" in the chosen quality and
// "backgroundo.<type>" at full quality, the latter written once and kept.
#pragma once
#include <QString>

class DRVDocument;

class BackgroundImage
{
public:
    // Writes both files into folder (the page's image folder); an empty folder writes nothing.
    // Returns false when the background file could not be written.
    static bool saveBackgroundImage(DRVDocument& document, const QString& folder);
};
