#include "generation/ImageGenerator.h"

#include "document/DRVDocument.h"
#include "editions/EditionSettings.h"
#include "generation/ImageFileWriter.h"
#include "generation/PageFormat.h"
#include "generation/PagePieces.h"
#include "generation/PropertyReads.h"
#include "generation/TextBoxGenerator.h"
#include "generation/TextEscaping.h"
#include "model/DRVGalleryGrid.h"
#include "model/DRVGraphic.h"
#include "model/DRVImage.h"
#include "model/DRVSlideshow.h"
#include "model/ImageCounterHelp.h"
#include "model/TransformView.h"
#include "platform/Format.h"
#include "platform/Geometry.h"
#include "platform/Observable.h"
#include "platform/StringRules.h"

#include <QSet>

using generation::appendFormat;
using generation::format;

using generation::num;
using generation::real;
using generation::str;

namespace {

constexpr int kNone = -99;
const QString kBaseTemplate = QStringLiteral("basetemplate");

bool hasLink(const QString& link)
{
    return !link.isEmpty() && link != QStringLiteral("http://") && link != QStringLiteral("(null)");
}

QString attribute(const QString& value)
{
    return TextEscaping::escapeHtmlAttribute(value);
}

// A unit of the spacing, with nothing in it that could end the rule or the style attribute.
QString unitOf(const QObject* image, const char* key)
{
    return TextEscaping::cssRuleValue(str(image, key));
}

const QString kModalStyle = QStringLiteral(
    ".modal img {\ntext-align:center;\nmargin:0 auto;\nbox-shadow: 0 5px 15px rgba(0, 0, 0, "
    ".5);\n}\n.modal{\n"
    "overflow-y: auto;\npadding:20px;\n}\n.close{\nposition:absolute;\ntop:0px;\nright:0px;\ncolor:white;\n"
    "width:44px;\nheight:44px;\nfont-size: 28px;\nfont-family: Arial, Baskerville, monospace;\n}\n");

const QString kPopupScript = QStringLiteral(
    "<script>\n$( document ).ready(function() {\nvar maxHeight = $(window).height() - 60 + "
    "\"px\";\n$(\".modal "
    "img\").css(\"max-height\", maxHeight);\n});\n$(window).on(\"resize\", function() {\nvar maxHeight = "
    "$(window).height() - 60 + \"px\";\n$(\".modal img\").css(\"max-height\", maxHeight);\n});\n$(window)."
    "trigger('resize');\n</script>\n");

} // namespace

ImageGenerator::ImageGenerator(DRVDocument& document, PagePieces& pieces, const QString& pageName,
                               bool publishFlag, bool changedFlag)
    : m_document(document), m_pieces(pieces), m_pageName(pageName), m_publishFlag(publishFlag),
      m_changedFlag(changedFlag)
{
}

void ImageGenerator::generate()
{
    DRVDocument& doc = m_document;
    const EditionSettings& e = edition();

    // Page images, then the slides, gallery and table pictures the earlier passes added; all in the
    // order of the numbers in their names (image2 before image10).
    QList<QObject*> images;
    for (QObject* object : doc.imageViewArray()) {
        if (object && !str(object, "imageName").isNull())
            images.append(object);
    }
    std::stable_sort(images.begin(), images.end(), [](const QObject* a, const QObject* b) {
        return ImageCounterHelp::imageNameIndexOfName(str(a, "imageName")) <
               ImageCounterHelp::imageNameIndexOfName(str(b, "imageName"));
    });

    // Pictures claimed by a slideshow or a gallery belong to nothing else: a carrier's default 0 in
    // another membership number would be read back into gallery 0 or table 0 of the page.
    QSet<const QObject*> slides, galleryPictures;
    for (DRVGraphic* graphic : doc.slideshowArray()) {
        if (auto* slideshow = qobject_cast<DRVSlideshow*>(graphic)) {
            for (const TransformView* picture : slideshow->imageArray())
                slides.insert(picture);
        }
    }
    for (DRVGraphic* graphic : doc.galleryArray()) {
        if (auto* gallery = qobject_cast<DRVGalleryGrid*>(graphic)) {
            for (const TransformView* picture : gallery->imageArray())
                galleryPictures.insert(picture);
        }
    }

    // Files are written only by a save that writes, and never outside a page folder.
    const QString folderPath = ImageFileWriter::pageImageFolder(doc, m_pageName);
    ImageFileWriter files(doc, folderPath);
    const bool writeFiles = m_changedFlag && !doc.loopThroughFlag() && !folderPath.isEmpty();

    for (QObject* image : std::as_const(images)) {
        auto* graphic = qobject_cast<DRVImage*>(image);
        const QString name = str(image, "imageName");
        const QString type = str(image, "imageType");
        const bool slideshow = num(image, "slideShowNumber") != kNone;
        const QRectF bounds = graphic ? graphic->bounds() : image->property("bounds").toRectF();
        const QRectF frameValue = image->property("frame").toRectF();
        // Records carry their place in their frame; graphics in their bounds.
        const bool useFrame = !graphic && frameValue.isValid();
        const QRectF box = slideshow || useFrame ? (frameValue.isValid() ? frameValue : bounds) : bounds;
        const QRectF sizeBox = useFrame && bounds.isEmpty() ? frameValue : bounds;

        // 1-2. Place and box; a bordered picture keeps its aspect ratio inside the border.
        const int left = platform::truncToInt(box.x());
        const int top = platform::truncToInt(box.y());
        int width = platform::truncToInt(sizeBox.width());
        int height = platform::truncToInt(sizeBox.height());
        const int border = num(image, "borderWidth");
        if (slideshow && frameValue.isValid()) {
            width = platform::truncToInt(frameValue.width());
            height = platform::truncToInt(frameValue.height());
        } else if (border > 0 && sizeBox.width() > 0) {
            height = platform::truncToInt(double(platform::truncToInt(sizeBox.width() - 2 * border)) *
                                          sizeBox.height() / sizeBox.width()) +
                     2 * border;
        }

        // 3. The alt text is stored; the link is cleaned for the anchor.
        if (str(image, "altText").isNull())
            image->setProperty("altText", QStringLiteral(""));
        const QString link = DRVDocument::verifyLink(str(image, "link"));

        // 4-5.
        const bool shadowOn = num(image, "shadowFlag") == 1;
        const double blur = shadowOn ? 3.0 : 0.0;
        const int offsetY = shadowOn ? 2 : 0;
        const double shadowOpacity = shadowOn ? 1.0 : 0.0;
        const QString position =
            num(image, "scrollFlag") == 1 ? QStringLiteral("fixed") : QStringLiteral("absolute");
        const double opacity = slideshow ? 1.0 : (graphic ? graphic->opacity() : real(image, "alpha"));
        const QImage mask = graphic ? graphic->maskImage() : image->property("maskImage").value<QImage>();
        const bool selectable = image->property("selectable").toBool();

        // 8 (early). Template name: the page's own unless it belongs to the base template.
        QString templateName = platform::stringByDeletingPathExtension(str(image, "templateName"));
        if (templateName != kBaseTemplate)
            templateName = doc.pageName();
        image->setProperty("templateName", templateName);
        const QString folder = selectable ? m_pageName : templateName;

        // 6. Files. A picture the page refers to in its own folder has its files written there,
        // selectable or not; base template pictures live in the base template's folder.
        doc.setStoreImageNowFlag(true);
        if (writeFiles && (selectable || folder == m_pageName))
            files.saveImage(image);
        if (writeFiles && !mask.isNull())
            files.saveMaskImage(image);

        // 7.
        int z = num(image, "manualLayerIndex");
        if (z == 0)
            z = graphic ? doc.layerIndexForGraphic(graphic) : num(image, "tag");
        int galleryRow = kNone, galleryColumn = kNone, galleryNumber = kNone, tableNumber = kNone;
        const bool slide = slides.contains(image);
        const bool galleryPicture = galleryPictures.contains(image);
        if (image->property("rowSpot").isValid()) {
            galleryRow = num(image, "rowSpot");
            galleryColumn = num(image, "columnSpot");
            if (!slide)
                galleryNumber = num(image, "galleryNumber");
            if (!slide && !galleryPicture)
                tableNumber = num(image, "tableNumber");
            z = num(image, "tag");
        }

        // 9. The rule.
        const char* const unitKeys[8] = {"topPaddingType",   "bottomPaddingType", "leftPaddingType",
                                         "rightPaddingType", "topMarginType",     "bottomMarginType",
                                         "leftMarginType",   "rightMarginType"};
        QString types[8];
        for (int i = 0; i < 8; ++i)
            types[i] =
                TextEscaping::cssRuleValue(TextBoxGenerator::marginTypeOrDefault(str(image, unitKeys[i])));
        const double reflection = real(image, "reflection");
        appendFormat(
            m_pieces.imageRules,
            QStringLiteral(
                ".%@{position:%@;left:%dpx;top:%dpx;z-index:%d;imagename:%@;imagetype:%@;width:%dpx;"
                "height:%dpx;reflection:%d;reflection-fraction:%f;border-width:%dpx;border-style:%@;"
                "border-color:#%@;fixed:%d;"),
            {TextEscaping::cssIdentifier(name), position, left, top, z, TextEscaping::cssRuleName(name),
             TextEscaping::cssRuleName(type), width, height, reflection > 0 ? 1 : 0, reflection, border,
             TextEscaping::cssRuleValue(str(image, "borderStyle")),
             TextEscaping::cssColourValue(str(image, "borderHexColorString")), num(image, "moveLock")});
        if (opacity < 1.0)
            appendFormat(m_pieces.imageRules, QStringLiteral("opacity:%f;filter:alpha(opacity=%f);"),
                         {opacity, opacity * 100.0});
        // The picture turns on the page as the canvas turns it.
        m_pieces.imageRules += TextBoxGenerator::rotationDeclaration(real(image, "rotationAngle"));
        appendFormat(
            m_pieces.imageRules,
            QStringLiteral(
                "box-shadow:%dpx %dpx %fpx "
                "#000000;shadowOpacity:%f;shadowRadius:%f;shadowOffSetY:%d;imageAlpha:%f;"
                "display:%@;retina:%d;slideShowNumber:%d;groupNumber:%d;enlarge:%d;galleryNumber:%d;"
                "galleryRowSpot:%"
                "d;galleryColumnSpot:%d;tableNumber:%d;templateName:%@;backdrop:%d;manualLayerIndex:%d;"
                "originalHeight:%d;bubbleFlag:%d;bubbleShape:%@;imageMaskFlag:%d;shadowBlurRadius:%f;"
                "shadowDistanceX:%f;shadowDistanceY:%f;rotationAngle:%f;responsiveResizeFlag:%d;"
                "responsiveAlignmentFlag:%d;sectionNumber:%d;sectionRowSpot:%d;sectionColumnSpot:%d;"
                "topPaddingStr:%"
                "d;bottomPaddingStr:%d;leftPaddingStr:%d;rightPaddingStr:%d;topMarginStr:%d;bottomMarginStr:%"
                "d;"
                "leftMarginStr:%d;rightMarginStr:%d;topPaddingTypeStr:%@;bottomPaddingTypeStr:%@;"
                "leftPaddingTypeStr:%"
                "@;rightPaddingTypeStr:%@;topMarginTypeStr:%@;bottomMarginTypeStr:%@;leftMarginTypeStr:%@;"
                "rightMarginTypeStr:%@;}\n\n"),
            {0,
             offsetY,
             blur,
             shadowOpacity,
             blur,
             offsetY,
             opacity,
             QStringLiteral("inline"),
             image->property("retinaFlag").toBool() ? 1 : 0,
             num(image, "slideShowNumber"),
             num(image, "groupNumber"),
             num(image, "imageEnlargeFlag"),
             galleryNumber,
             galleryRow,
             galleryColumn,
             tableNumber,
             TextEscaping::cssRuleValue(templateName),
             num(image, "backdropLightingFlag"),
             num(image, "manualLayerIndex"),
             platform::truncToInt(sizeBox.height()),
             num(image, "bubbleFlag"),
             TextEscaping::cssRuleValue(str(image, "bubbleShape")),
             mask.isNull() ? 0 : 1,
             real(image, "shadowRadius"),
             real(image, "shadowHorizontalOffset"),
             real(image, "shadowVerticalOffset"),
             real(image, "rotationAngle"),
             num(image, "responsiveResizeFlag"),
             num(image, "responsiveAlignment"),
             num(image, "sectionNumber"),
             num(image, "sectionRowSpot"),
             num(image, "sectionColumnSpot"),
             num(image, "topPadding"),
             num(image, "bottomPadding"),
             num(image, "leftPadding"),
             num(image, "rightPadding"),
             num(image, "topMargin"),
             num(image, "bottomMargin"),
             num(image, "leftMargin"),
             num(image, "rightMargin"),
             types[0],
             types[1],
             types[2],
             types[3],
             types[4],
             types[5],
             types[6],
             types[7]});

        // 10. Retina background.
        if (image->property("retinaFlag").toBool())
            m_pieces.retinaRules += format(
                QStringLiteral(".%@{position:%@;background-size:%dpx %dpx !important;z-index:%d;background:"
                               "transparent url(%@);}"),
                {TextEscaping::cssIdentifier(name), position, width, height, z + 1,
                 TextEscaping::cssString(format(QStringLiteral("%@/%@@2x.%@"), {folder, name, type}))});

        // 12-14. Markup.
        const bool inTable = tableNumber != kNone;
        const bool inGallery = galleryNumber != kNone;
        const bool enlarge = num(image, "imageEnlargeFlag") == 1;
        // Outside the responsive layout a gallery is nothing but its pictures, placed by their rules
        // like free images (gallery pictures carry a slideshow number of their own, not a slideshow).
        const bool shownGalleryPicture = galleryPicture && !slide && !e.gResponsiveLayoutFlag;
        const bool ownMarkup = !inTable && (!slideshow || shownGalleryPicture);
        const QString alt = attribute(str(image, "altText"));
        const QString picture =
            TextEscaping::escapeHtmlAttribute(format(QStringLiteral("%@/%@@2x.%@"), {folder, name, type}));
        const QString nameClass = TextEscaping::classAttribute(name);
        if (enlarge) {
            const auto fragment = generateImageCode(doc, image, m_publishFlag);
            m_pieces.imageRules += u'\n';
            m_pieces.imageRules += fragment->headerString;
            m_pieces.imageRules += u'\n';
            m_pieces.bodyImages += fragment->bodyString;
        } else if (ownMarkup) {
            const bool sized = e.gResponsiveLayoutFlag && num(image, "responsiveResizeFlag") == 1;
            QString markup;
            if (!hasLink(link)) {
                markup = sized
                             ? format(QStringLiteral("<div class=%@><img src=\"%@\" width=%d height=%d "
                                                     "alt=\"%@\"></div>\n"),
                                      {nameClass, picture, width, height, alt})
                             : format(QStringLiteral("<div class=%@><img src=\"%@\" class=\"img-responsive\" "
                                                     "alt=\"%@\"></div>\n"),
                                      {nameClass, picture, alt});
            } else {
                if (str(image, "linkOption").isEmpty())
                    image->setProperty("linkOption", QStringLiteral("_self"));
                const QString href = TextEscaping::quotedAttribute(link);
                const QString target = TextEscaping::quotedAttribute(str(image, "linkOption"));
                markup =
                    sized
                        ? format(QStringLiteral("<div class=%@><a href=%@ target=%@><img src=\"%@\" width=%d "
                                                "height=%d class=\"img-responsive\" alt=\"%@\"></a></div>\n"),
                                 {nameClass, href, target, picture, width, height, alt})
                        : format(QStringLiteral("<div class=%@><a href=%@ target=%@><img src=\"%@\" "
                                                "class=\"img-responsive\" alt=\"%@\"></a></div>\n"),
                                 {nameClass, href, target, picture, alt});
            }
            m_pieces.bodyImages += markup;
        }
        if (e.gResponsiveLayoutFlag && !inTable && !inGallery && (enlarge || !slideshow)) {
            auto fragment = generateImageCode(doc, image, m_publishFlag);
            fragment->rect = QRectF(left, top, width, height);
            fragment->originY = top;
            fragment->responsiveResizeFlag = num(image, "responsiveResizeFlag");
            QList<std::shared_ptr<CodeWidgetHelper>> fragments = doc.sourceCodeArray();
            fragments.append(fragment);
            doc.setSourceCodeArray(fragments);
        }
    }

    // 15.
    if (!images.isEmpty() && writeFiles && !doc.ignoreImageSaveErrorFlag())
        files.checkToMakeSureOriginalImagesAreSavedProperly();
}

std::shared_ptr<CodeWidgetHelper> ImageGenerator::generateImageCode(DRVDocument& document, QObject* image,
                                                                    bool publishFlag)
{
    auto helper = std::make_shared<CodeWidgetHelper>();
    const EditionSettings& e = edition();
    auto* graphic = qobject_cast<DRVGraphic*>(image);

    // 1-2.
    TextBoxGenerator::populateTextViewMarginType(image);
    const QString name = str(image, "imageName");
    const QString type = str(image, "imageType");
    const bool selectable = image && image->property("selectable").toBool();
    const QString folder = selectable ? document.pageName() : kBaseTemplate;

    // 3-4.
    const double shadowRadius = real(image, "shadowRadius");
    const QString shadow = shadowRadius == 0
                               ? QStringLiteral("")
                               : format(QStringLiteral("box-shadow: %dpx %dpx %dpx #5B5B5B;"),
                                        {platform::truncToInt(real(image, "shadowHorizontalOffset")),
                                         -platform::truncToInt(real(image, "shadowVerticalOffset")),
                                         platform::truncToInt(shadowRadius)});
    const QRectF b = graphic ? graphic->bounds() : (image ? image->property("bounds").toRectF() : QRectF());
    const QString size = num(image, "responsiveResizeFlag") == 1
                             ? format(QStringLiteral("width:%dpx;height:%dpx;"),
                                      {platform::truncToInt(b.width()), platform::truncToInt(b.height())})
                             : QStringLiteral("");
    const int alignment = num(image, "responsiveAlignment");
    const QString align = alignment == 1   ? QStringLiteral("text-align:center;")
                          : alignment == 2 ? QStringLiteral("text-align:right;")
                                           : QStringLiteral("");

    // 5. Output-only defaults: the graphic keeps its own empty values.
    QString borderColor = TextEscaping::cssColourValue(str(image, "borderHexColorString"));
    if (borderColor.isEmpty())
        borderColor = QStringLiteral("transparent");
    QString borderStyle = TextEscaping::cssRuleValue(str(image, "borderStyle"));
    if (borderStyle.isEmpty())
        borderStyle = QStringLiteral("none");

    // 6.
    QString spacing = format(
        QStringLiteral(
            "padding-top:%d%@;padding-bottom:%d%@;padding-left:%d%@;padding-right:%d%@;margin-top:%d%@;"
            "margin-bottom:%d%@;margin-left:%d%@;margin-right:%d%@;"),
        {num(image, "topPadding"), unitOf(image, "topPaddingType"), num(image, "bottomPadding"),
         unitOf(image, "bottomPaddingType"), num(image, "leftPadding"), unitOf(image, "leftPaddingType"),
         num(image, "rightPadding"), unitOf(image, "rightPaddingType"), num(image, "topMargin"),
         unitOf(image, "topMarginType"), num(image, "bottomMargin"), unitOf(image, "bottomMarginType"),
         num(image, "leftMargin"), unitOf(image, "leftMarginType"), num(image, "rightMargin"),
         unitOf(image, "rightMarginType")});
    spacing.replace(QStringLiteral("pixel"), QStringLiteral("px"));

    // 7. A transparent border is written as the keyword, not as a hex colour.
    const double opacity = real(image, "opacity");
    const QString colourValue =
        borderColor == QStringLiteral("transparent") ? borderColor : QStringLiteral("#") + borderColor;
    const QString imageRule = format(
        QStringLiteral(
            ".%@{%@%@border-width:%dpx;border-style:%@;border-color:%@;opacity:%f;filter:alpha(opacity=%"
            "f);%@%@}\n\n"),
        {TextEscaping::cssIdentifier(name), size, align, num(image, "borderWidth"), borderStyle, colourValue,
         opacity, opacity * 100.0, shadow, spacing});

    const QString alt = attribute(str(image, "altText"));
    const QString link = str(image, "link");
    const int slideShowNumber =
        image && image->property("slideShowNumber").isValid() ? num(image, "slideShowNumber") : kNone;
    if (num(image, "imageEnlargeFlag") != 1) {
        // 8.
        helper->headerString = imageRule;
        const QString picture =
            TextEscaping::escapeHtmlAttribute(format(QStringLiteral("%@/%@@2x.%@"), {folder, name, type}));
        const QString nameClass = TextEscaping::classAttribute(name);
        if (slideShowNumber != kNone) {
            helper->bodyString = QStringLiteral("");
        } else if (!hasLink(link)) {
            helper->bodyString =
                e.gResponsiveEmailFlag
                    ? format(QStringLiteral(
                                 "<div class=%@ style='%@'><img src=\"%@\" alt=\"%@\" width=%@></div>\n"),
                             {nameClass, spacing, picture, alt, QStringLiteral("100%")})
                    : format(QStringLiteral("<div class=%@><center><img src=\"%@\" class=\"img-responsive\" "
                                            "alt=\"%@\"></center></div>\n"),
                             {nameClass, picture, alt});
        } else {
            QString target = str(image, "linkOption");
            if (target.isEmpty()) {
                target = QStringLiteral("_self");
                if (image)
                    image->setProperty("linkOption", target);
            }
            const QString href = TextEscaping::quotedAttribute(link);
            const QString quotedTarget = TextEscaping::quotedAttribute(target);
            helper->bodyString =
                e.gResponsiveEmailFlag
                    ? format(QStringLiteral(
                                 "<div class=%@ style='%@'><a href=%@ target=%@><img src=\"%@\" alt=\"%@\" "
                                 "width=%@></a></div>\n"),
                             {nameClass, spacing, href, quotedTarget, picture, alt, QStringLiteral("100%")})
                    : format(QStringLiteral("<div class=%@><a href=%@ target=%@><center><img src=\"%@\" "
                                            "class=\"img-responsive\" alt=\"%@\"></center></a></div>\n"),
                             {nameClass, href, quotedTarget, picture, alt});
        }
    } else {
        // 9. Thumbnail and pop-up both show the original.
        const QString source =
            TextEscaping::escapeHtmlAttribute(format(QStringLiteral("%@/%@o.%@"), {folder, name, type}));
        const QString popup = TextEscaping::escapeHtmlAttribute(name);
        const int backdrop = num(image, "backdropLightingFlag");
        const QString backdropRule =
            backdrop == 2   ? QStringLiteral(".modal-backdrop{\nbackground-color: transparent;\n}")
            : backdrop == 0 ? QStringLiteral(".modal-backdrop{\nbackground-color: white;\n}")
                            : QStringLiteral("");
        helper->headerString = kModalStyle + backdropRule;
        if (publishFlag && e.gResponsiveLayoutFlag)
            helper->headerString = imageRule + u'\n' + helper->headerString;
        const QString altValue = str(image, "altText");
        // The thumbnail's anchor opens the pop-up; a link of the image goes in the caption, since a
        // second href on that anchor would be invalid and ignored.
        const QString linkAttributes = format(QStringLiteral("title=\"%@\""), {alt});
        QString caption;
        const QString captionStart = QStringLiteral("<p align=center><span style=\"background-color:#ffffff; "
                                                    "padding-right:10px;padding-left:10px;\">");
        if (!link.isEmpty() && link != QStringLiteral("(null)")) {
            caption = format(
                QStringLiteral("%@<a href=%@>%@</a></span></p>"),
                {captionStart, TextEscaping::quotedAttribute(link), TextEscaping::escapeHtmlText(altValue)});
        } else {
            caption = format(QStringLiteral("%@%@</span></p>"),
                             {captionStart, TextEscaping::escapeHtmlText(altValue)});
        }
        if (altValue.isEmpty())
            caption = QStringLiteral("");
        helper->bodyString = format(
            QStringLiteral(
                "<a class=%@ href=\"#popup_%@\" %@ data-toggle=\"modal\" data-target=\"#popup_%@\"><img "
                "class=\"img-responsive\" src=\"%@\"></a>\n<div class=\"modal fade\" id=\"popup_%@\" "
                "tabindex=\"-1\" role=\"dialog\" aria-labelledby=\"#popUpLabel_%@\" "
                "aria-hidden=\"true\">\n<button type=\"button\" class=\"close\" "
                "data-dismiss=\"modal\">x</button>\n<img class=\"img-responsive\" src=\"%@\">\n%@\n</div>\n"),
            {TextEscaping::classAttribute(name), popup, linkAttributes, popup, source, popup, popup, source,
             caption});
    }

    // 10.
    helper->javaScriptString = e.gResponsiveEmailFlag ? QStringLiteral("") : kPopupScript;
    return helper;
}
