// Hostile page documents for the tests of the open and save flows: pages whose image names and
// types are chosen by the test, and victim files for names that climb out of the page folder.
#pragma once
#include "document/DocumentArchiver.h"
#include "document/DocumentFlowTestSupport.h"
#include "model/DRVImage.h"

#include <QBuffer>
#include <QImage>

namespace hostilepage {

inline QByteArray png(QSize size, Qt::GlobalColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// One image element's style rule, in the form the page writer gives it. The rule's selector is
// always a plain one: the name that matters is the one under "imagename".
inline QString imageRule(const QString& name, const QString& type, int index)
{
    return QStringLiteral(
               ".image%5{position:absolute;left:%3px;top:10px;z-index:%4;imagename:%1;imagetype:%2;width:"
               "50px;"
               "height:50px;reflection:0;reflection-fraction:0.000000;border-width:0px;border-style:none;"
               "border-color:#000000;fixed:0;imageAlpha:1.000000;display:inline;retina:1;"
               "slideShowNumber:-99;groupNumber:-99;enlarge:0;galleryNumber:-99;galleryRowSpot:-99;"
               "galleryColumnSpot:-99;tableNumber:-99;templateName:Hostile;backdrop:0;manualLayerIndex:0;"
               "originalHeight:50;bubbleFlag:0;bubbleShape:;imageMaskFlag:0;rotationAngle:0.000000;"
               "sectionNumber:-99;sectionRowSpot:-99;sectionColumnSpot:-99;}\n")
        .arg(name, type)
        .arg(10 * index)
        .arg(index + 1)
        .arg(100 + index);
}

struct HostileImage
{
    QString name;
    QString type;
};

inline const QStringList kVictimFiles{QStringLiteral("victim.PNG"), QStringLiteral("victim@2x.PNG"),
                                      QStringLiteral("victimo.PNG"), QStringLiteral("victim_mask.png")};

// A page text holding one image element per entry.
inline QString pageWithImages(const QList<HostileImage>& images)
{
    QString page = QStringLiteral("<html><head>\n<style type=text/css>\n"
                                  "body{background-color:#FFFFFF;}.tab {text-indent:40px;}\n");
    for (int i = 0; i < images.size(); ++i)
        page += imageRule(images[i].name, images[i].type, i);
    page += QStringLiteral("</style></head>\n<body bgcolor=#FFFFFF leftmargin=0 topmargin=0>\n"
                           "<div id=content>\n</div></body></html>\n");
    return page;
}

// The page document at documentPath, packed from a staging folder: page file <pageName>.html with
// the images, and image7's picture beside it as an ordinary image has.
inline bool writeDocument(const QString& staging, const QString& pageName, const QList<HostileImage>& images,
                          const QString& documentPath)
{
    QDir(staging).removeRecursively();
    const QString pageFolder = staging + u'/' + pageName;
    QString error;
    return documentflowtest::writeBytes(pageFolder + QStringLiteral(".html"),
                                        pageWithImages(images).toUtf8()) &&
           documentflowtest::writeBytes(pageFolder + QStringLiteral("/image7o.PNG"),
                                        png(QSize(8, 8), Qt::red)) &&
           DocumentArchiver::zipDocument(pageFolder, documentPath, &error);
}

inline void plantVictims(const QString& folder)
{
    for (const QString& name : kVictimFiles)
        ASSERT_TRUE(documentflowtest::writeBytes(folder + u'/' + name, png(QSize(3, 3), Qt::green)));
}

// Gives every image without a picture one, so that saving has something to write under each name.
inline void givePictures(DRVDocument& document)
{
    for (DRVGraphic* graphic : document.graphics()) {
        if (auto* image = qobject_cast<DRVImage*>(graphic); image && image->contents().isNull())
            image->setContents(QImage(QSize(20, 20), QImage::Format_RGB32));
    }
}

} // namespace hostilepage
