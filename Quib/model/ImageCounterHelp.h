// One image of a page while the page's images are numbered and ordered by the number in their names
// ("image" followed by decimal digits).
#pragma once
#include <QList>
#include <QString>

class DRVImage;

class ImageCounterHelp
{
public:
    // The number in the image's name: the integer value of the name from its sixth character on.
    int imageNameIndex = 0;
    // Kept for callers that want to remember a position; nothing here reads it.
    int imageArrayIndex = 0;
    QString imageName;
    // The image graphic the record stands for; the page owns it.
    DRVImage* drvImage = nullptr;

    // The record of an image graphic with the given name, its index read from the name.
    static ImageCounterHelp withImage(DRVImage* image, const QString& name);
    // "image12" -> 12; a name without digits after its fifth character gives 0.
    static int imageNameIndexOfName(const QString& name);
    // Ascending by imageNameIndex, compared as numbers; records with equal indexes keep their order.
    static QList<ImageCounterHelp> sortedByImageNameIndex(const QList<ImageCounterHelp>& records);
};
