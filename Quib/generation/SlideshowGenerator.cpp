#include "generation/SlideshowGenerator.h"

#include "document/DRVDocument.h"
#include "document/PageParser.h"
#include "editions/EditionSettings.h"
#include "generation/PageFormat.h"
#include "generation/PagePieces.h"
#include "generation/TextEscaping.h"
#include "model/DRVSlideshow.h"
#include "model/PageContext.h"
#include "model/TransformView.h"
#include "platform/Format.h"
#include "platform/Geometry.h"

#include <algorithm>

using generation::format;

namespace {

QString text(const QString& value)
{
    return value.isNull() ? QStringLiteral("") : value;
}

// A name no picture of the page has yet, for a slide the window cannot name (no window is open
// when a page is generated headless); a slide without a name would be dropped from the saved page.
QString freeImageName(const DRVDocument& document)
{
    int highest = 0;
    for (const QString& name : PageParser::documentImageNames(document)) {
        if (name.startsWith(QStringLiteral("image")))
            highest = std::max(highest, name.mid(5).toInt());
    }
    return QStringLiteral("image%1").arg(highest + 1);
}

int indexFromEnd(const DRVDocument& document, const DRVGraphic* graphic)
{
    return int(document.graphics().size() - document.graphics().indexOf(const_cast<DRVGraphic*>(graphic)));
}

} // namespace

SlideshowGenerator::SlideshowGenerator(DRVDocument& document, PagePieces& pieces, const QString& pageName,
                                       bool publishFlag)
    : m_document(document), m_pieces(pieces), m_pageName(text(pageName)), m_publishFlag(publishFlag)
{
}

void SlideshowGenerator::generate()
{
    const QList<DRVGraphic*> slideshows = m_document.slideshowArray();
    int number = 0;
    for (auto it = slideshows.crbegin(); it != slideshows.crend(); ++it) {
        if (auto* slideshow = qobject_cast<DRVSlideshow*>(*it))
            generateOne(slideshow, number++);
    }
}

void SlideshowGenerator::generateOne(DRVSlideshow* s, int n)
{
    // The slides' frames come from the layout step, not from painting.
    s->grabTransformViewBounds();
    if (text(s->templateName()).isEmpty())
        s->setTemplateName(m_document.mainTemplateName());

    const QRectF bounds = s->bounds();
    const int x = platform::truncToInt(bounds.x());
    const int y = platform::truncToInt(bounds.y());
    const int w = platform::truncToInt(bounds.width());
    const int h = platform::truncToInt(bounds.height());
    const int z = m_document.layerIndexForGraphic(s);
    const int automatic = s->slideShowAutomaticFlag();
    const int slides = s->totalNumofSlides();

    // Editor rule and strip rule.
    m_pieces.slideshowRules += format(
        QStringLiteral(
            "\n.slideshow%d{position:absolute;left:%dpx;top:%dpx;z-index:%d;width:%dpx;height:%dpx;border:"
            "0px solid 000;overflow:hidden;margin:0 "
            "auto;fixed:%d;groupNumber:%d;autoStart:%d;templateName:%@;manualLayerIndex:%d;sectionNumber:%"
            "d;sectionRowSpot:%d;sectionColumnSpot:%d;}\n\n"),
        {n, x, y, z, w, h, s->moveLock(), s->groupNumber(), automatic, text(s->templateName()),
         s->manualLayerIndex(), s->sectionNumber(), s->sectionRowSpot(), s->sectionColumnSpot()});
    m_pieces.slideshowRules +=
        format(QStringLiteral("#slideshow_all%d{width:%dpx;height:%dpx;position:absolute;"
                              "overflow: hidden;margin: 0 auto;}\n.slide%d{width: %dpx;float: "
                              "left;}\n\n"),
               {n, w, h, n, w});

    // Buttons, halfway down.
    m_pieces.slideshowButtonRules += format(
        QStringLiteral(
            "\n #previousButton%d, #nextButton%d{\n padding:0px;\n vertical-align:middle;\n "
            "opacity:0.60;filter:alpha(opacity=60);\ntext-align:center;\nfont-size:40px;color:#FFFFFF;font-"
            "family:\"Trebuchet MS\";width: 40px;\n height: 50px;\n border: 0px solid #000;\nposition: "
            "absolute;\n background-color:#000;\n top: %fpx;\n cursor: hand;\n z-index:9999;\n "
            "}\n#nextButton%d{\n right: 0;\n }\n\n"),
        {n, n, bounds.height() * 0.5, n});

    // Script. The automatic advance is this slideshow's own interval.
    const QString a =
        format(QStringLiteral("\n<script type=\"text/javascript\">\n var numOfSlides%d = %d;\n var "
                              "currentSlide%d = 0;\n var totalWidth%d = %f;\nvar slideWidth%d=%f;\n\n"),
               {n, slides, n, n, double(slides) * bounds.width(), n, bounds.width()});
    const QString b =
        format(QStringLiteral(
                   "$(document).ready(function(){\n $(\"#previousButton%d\").click(showPreviousSlide%d);\n "
                   "$(\"#nextButton%d\").click(showNextSlide%d);\nupdateButtons%d();\n\n });\n\n"),
               {n, n, n, n, n});
    const QString stop =
        automatic == 1 ? format(QStringLiteral("clearInterval(autoStart%d);"), {n}) : QStringLiteral("");
    const QString c =
        format(QStringLiteral(
                   "function showPreviousSlide%d()\n{\n currentSlide%d--;\n$(\"#slideshow_all%d\").animate({"
                   "scrollLeft:currentSlide%d*slideWidth%d}, 1000);\nupdateButtons%d();\n%@\n }\n \nfunction "
                   "showNextSlide%d()\n{\n if(currentSlide%d < numOfSlides%d-1) {currentSlide%d++;\n "
                   "\n$(\"#slideshow_all%d\").animate({scrollLeft: currentSlide%d*slideWidth%d}, "
                   "1000);\nupdateButtons%d();\n }}\n\n"),
               {n, n, n, n, n, n, stop, n, n, n, n, n, n, n, n});
    const QString update =
        format(QStringLiteral("function updateButtons%d()\n {\n if(currentSlide%d < numOfSlides%d-1) {\n "
                              "$(\"#nextButton%d\").show();\n } else {\n $(\"#nextButton%d\").hide();\n }\n "
                              "if(currentSlide%d > "
                              "0) {\n $(\"#previousButton%d\").show();\n } else {\n "
                              "$(\"#previousButton%d\").hide();\n }\n }\n"),
               {n, n, n, n, n, n, n, n});
    const QString d =
        automatic == 1
            ? format(QStringLiteral("%@%@\n</script>"),
                     {update, format(QStringLiteral("var autoStart%d = setInterval(showNextSlide%d, 5000);"),
                                     {n, n})})
            : update + QStringLiteral("</script>");
    m_pieces.slideshowScripts += format(QStringLiteral("%@\n%@\n%@\n%@\n"), {a, b, c, d});

    // Strip: the last slide of the list is shown first.
    QString body = format(QStringLiteral("<div class=slideshow%d>\n<div id=slideshow_all%d>\n"), {n, n});
    const QList<TransformView*> images = s->imageArray();
    for (auto it = images.crbegin(); it != images.crend(); ++it) {
        TransformView* image = *it;
        image->setSlideShowNumber(n);
        if (text(image->imageName()).isEmpty() || image->imageName() == QStringLiteral("(null)")) {
            QString name = PageContext::current().nextImageName();
            if (name.isEmpty())
                name = freeImageName(m_document);
            image->setImageName(name);
        }
        // The type names the slide's files; new slides are stored as PNG.
        if (text(image->imageType()).isEmpty() || image->imageType() == QStringLiteral("(null)"))
            image->setImageType(QStringLiteral("PNG"));
        if (image->altText().isNull())
            image->setAltText(QStringLiteral(""));
        image->setLink(DRVDocument::verifyLink(image->link()));
        const QString folder = image->selectable() ? m_pageName : text(image->templateName());
        const QString source = TextEscaping::quotedAttribute(format(
            QStringLiteral("%@/%@@2x.%@"), {folder, text(image->imageName()), text(image->imageType())}));
        // One class attribute: the image's name (which the page reader looks for) and the
        // responsive sizing.
        const QString classes = TextEscaping::quotedAttribute(
            format(QStringLiteral("%@ img-responsive"), {text(image->imageName())}));
        // Every slide names its alternative text, so that an unlinked slide keeps it too.
        const QString alt = TextEscaping::quotedAttribute(text(image->altText()));
        const QString link = image->link();
        if (!link.isEmpty() && link != QStringLiteral("http://")) {
            if (text(image->linkOption()).isEmpty())
                image->setLinkOption(QStringLiteral("_self"));
            body += format(QStringLiteral("<div class=\"slide%d\"><a href=%@ target=%@ title=%@><img src=%@ "
                                          "class=%@ alt=%@></a></div>\n"),
                           {n, TextEscaping::quotedAttribute(link),
                            TextEscaping::quotedAttribute(image->linkOption()), alt, source, classes, alt});
        } else {
            body += format(QStringLiteral("<div class=\"slide%d\"><img src=%@ class=%@ alt=%@></div>\n"),
                           {n, source, classes, alt});
        }
    }
    m_pieces.bodyShowsGallery += format(
        QStringLiteral(
            "%@</div><div id=\"previousButton%d\">&lt;</div>\n<div id=\"nextButton%d\">&gt;</div></div>\n"),
        {body, n, n});

    // Carousel of the published responsive page.
    if (m_publishFlag && edition().gResponsiveLayoutFlag) {
        if (auto carousel = generateCarousel(m_document, s)) {
            QList<std::shared_ptr<CodeWidgetHelper>> fragments = m_document.sourceCodeArray();
            fragments.append(carousel);
            m_document.setSourceCodeArray(fragments);
        }
    }

    // The image pass writes each slide's rule and files.
    QList<QObject*> imageViews = m_document.imageViewArray();
    for (TransformView* image : images)
        imageViews.append(image);
    m_document.setImageViewArray(imageViews);
}

std::shared_ptr<CodeWidgetHelper> SlideshowGenerator::generateCarousel(const DRVDocument& document,
                                                                       const DRVSlideshow* s)
{
    const QList<TransformView*> images = s->imageArray();
    if (images.isEmpty())
        return nullptr;
    const QString id = format(QStringLiteral("carousel%d"), {indexFromEnd(document, s)});
    const QString folder = s->selectable() ? text(document.pageName()) : QStringLiteral("basetemplate");

    QString indicators = QStringLiteral("<ol class=\"carousel-indicators\">\n");
    QString items = QStringLiteral("<div class=\"carousel-inner\" role=\"listbox\">\n");
    for (qsizetype i = 0; i < images.size(); ++i) {
        const TransformView* image = images.at(i);
        indicators += QStringLiteral("\n");
        indicators +=
            i == 0 ? format(QStringLiteral(
                                "<li data-target=\"#%@\" data-slide-to=\"%d\" class=\"active\"></li>\n"),
                            {id, int(i)})
                   : format(QStringLiteral("<li data-target=\"#%@\" data-slide-to=\"%d\"></li>\n"),
                            {id, int(i)});
        const QString source = TextEscaping::quotedAttribute(format(
            QStringLiteral("%@/%@@2x.%@"), {folder, text(image->imageName()), text(image->imageType())}));
        const QString alt = TextEscaping::quotedAttribute(text(image->altText()));
        const QString caption = TextEscaping::escapeHtmlText(text(image->altText()));
        items += QStringLiteral("\n");
        items +=
            format(QStringLiteral("<div class=\"%@\">\n<img src=%@ class=\"image_fullWidth center-block\" "
                                  "alt=%@>\n<div class=\"carousel-caption\">\n%@\n</div>\n</div>\n"),
                   {i == 0 ? QStringLiteral("item active") : QStringLiteral("item"), source, alt, caption});
    }
    indicators = format(QStringLiteral("%@\n</ol>\n"), {indicators});
    items = format(QStringLiteral("%@\n</div>\n"), {items});
    const QString controls = format(
        QStringLiteral(
            "<a class=\"left carousel-control\" href=\"#%@\" role=\"button\" data-slide=\"prev\">\n<span "
            "style=\"font-size:3em;\" class=\"glyphicon glyphicon-chevron-left\" "
            "aria-hidden=\"true\"></span>\n<span class=\"sr-only\">Previous</span>\n</a>\n<a class=\"right "
            "carousel-control\" href=\"#%@\" role=\"button\" data-slide=\"next\">\n<span "
            "style=\"font-size:3em;\" class=\"glyphicon glyphicon-chevron-right\" "
            "aria-hidden=\"true\"></span>\n<span class=\"sr-only\">Next</span>\n</a>\n"),
        {id, id});

    auto record = std::make_shared<CodeWidgetHelper>();
    record->bodyString =
        format(QStringLiteral("<div id=\"%@\" class=\"carousel slide\" data-ride=\"carousel\" "
                              "data-interval=\"50000\">\n%@\n%@\n%@\n%@\n%@\n</div>\n"),
               {id, QStringLiteral("<!--START CAROUSEL-->"), indicators, items, controls,
                QStringLiteral("<!--END CAROUSEL-->")});
    record->headerString =
        QStringLiteral(".carousel-indicators li{\nbackground-color:transparent;\n}\n.carousel-indicators "
                       ".active{\nbackground-color:#fff;\n}\n.carousel-control.left, .carousel-control.right "
                       "{\nbackground: none "
                       "!important;\nfilter: progid: none !important;\noutline: 0;\n}\n.carousel "
                       ".carousel-control {\nvisibility: "
                       "visible;\ncolor:#FFF;\n}\n.carousel:hover .carousel-control {\nvisibility: "
                       "visible;\n}\n.image_fullWidth "
                       "{\nwidth:100%;\n}\n");
    record->originY = platform::truncToInt(s->bounds().y());
    record->rect = s->bounds();
    record->javaScriptString = QStringLiteral("");
    return record;
}
