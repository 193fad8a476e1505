#include "generation/GalleryGenerator.h"

#include "document/DRVDocument.h"
#include "document/PageParser.h"
#include "editions/EditionSettings.h"
#include "generation/PageFormat.h"
#include "generation/PagePieces.h"
#include "generation/ResponsiveArrangement.h"
#include "generation/TextEscaping.h"
#include "model/DRVGalleryGrid.h"
#include "model/PageContext.h"
#include "model/TransformView.h"
#include "platform/Format.h"
#include "platform/Geometry.h"
#include "platform/StringRules.h"

#include <algorithm>

using generation::format;

namespace {

constexpr int kGalleryPictureSlideShowNumber = -66;

QString text(const QString& value)
{
    return value.isNull() ? QStringLiteral("") : value;
}

const char* const kGalleryStyle =
    ".galleryGrid%d{\nlist-style:none;\ncursor: "
    "pointer;\n}\nul.galleryGrid%d.row{\npadding:inherit;\n}\n.modal-"
    "header{\nborder:0px;\n}\n.modal-content {\n    border-radius:0;\n}\n.modal-dialog img {\n   "
    "text-align:center;\n  "
    " margin:0 auto;\n   max-height:700px;\n}\n.next "
    "{\nfloat:right;\ntext-align:right;\nz-index:999;\nposition:"
    "absolute !important;\ntop:45%%;\nright:5%%;\ncolor:#fff;\nopacity:0.20;\npadding:0px;\n}\n.previous "
    "{\nz-index:999;\nposition:absolute "
    "!important;\ntop:45%%;\nleft:5%%;\ncolor:#fff;\nopacity:0.20;\npadding:0px;\n}\n.glyphicon-remove-"
    "circle{\ncolor:"
    "#FFFFFF;\nborder-color:#FFFFFF;\nbackground-color:#000000;\nopacity: 0.5;\nborder-radius: "
    "20px;\npadding:0px;\n}\n@media screen and (min-width:768px){\n   .modal-dialog {\n width:700px;\n    "
    "}\n}\n@media "
    "screen and (min-width: 1024px){\n    .modal-dialog {\n    width:1000px;\n    }\n}\nbody {\n    "
    "padding-right: 0px "
    "!important\n}\n.modal-open {\n    overflow-y: "
    "auto;\n}\n.modal-body{\npadding:0px;\n}\n.modal-dialog{\nbackground-color:transparent;\n}\n.modal-body{"
    "\nbackground-"
    "color:transparent;\n}\n.modal-content{\nbackground-color:transparent;\nbox-shadow: "
    "none;\nborder:0px;\n}\n.modal-dialog img{\nbox-shadow: 0 5px 15px rgba(0, 0, 0, "
    ".5);\n}\n.controls{\ntext-shadow: 0 1px 0 #000;\ncolor:#fff;\ndisplay:block;\n}\n.close{\ntext-shadow: "
    "0 1px 0 "
    "#000;\nopacity: .85;\n}.close:focus, .close:hover{\nopacity: 1.0;\n}";

const char* const kGalleryScript =
    "<script>$(document).ready(function(){\n$('.galleryGrid%d li img').on('click',function(){\nvar src = "
    "$(this).attr('src');\nvar img = '<img src=\"' + src + '\" class=\"img-responsive\"/>';\nvar index = "
    "$(this).parent('li').index();\nvar html = '';\nhtml +='<button type=\"button\" class=\"close\" "
    "data-dismiss=\"modal\" style=\"color:#fff;margin-bottom:-20px;margin-right:-15px;\"><span "
    "style=\"font-size:1.5em;\" class=\"glyphicon glyphicon-remove-circle\" "
    "aria-hidden=\"true\"></span></button>';\nhtml += img;\nhtml += '<div "
    "style=\"height:0px;clear:both;display:block;\">';\nhtml += '<a class=\"controls galleryGrid%d next\" "
    "href=\"'+ "
    "(index+2) + '\"><span style=\"font-size:3em;\" class=\"glyphicon glyphicon-chevron-right\" "
    "aria-hidden=\"true\"></span></a>';\nhtml += '<a class=\"controls galleryGrid%d previous\" href=\"' + "
    "(index) + "
    "'\"><span style=\"font-size:3em;\" class=\"glyphicon glyphicon-chevron-left\" "
    "aria-hidden=\"true\"></span></a>';\nhtml += "
    "'</div>';\n$('#myModal%d').modal();\n$('#myModal%d').on('shown.bs."
    "modal', function(){\n$('#myModal%d "
    ".modal-body').html(html);\n$('a.controls.galleryGrid%d').trigger('click');\n})"
    "\n$('#myModal%d').on('hidden.bs.modal', function(){\n$('#myModal%d "
    ".modal-body').html('');\n});\n});\n})\n$("
    "document).on('click', 'a.controls.galleryGrid%d', function(){\nvar index = $(this).attr('href');\nvar "
    "src = "
    "$('ul.row.galleryGrid%d li:nth-child('+ index +') img').attr('src');\n$('#myModal%d .modal-body "
    "img').attr('src', src);\nvar newPrevIndex = parseInt(index) - 1;\nvar newNextIndex = "
    "parseInt(newPrevIndex) + "
    "2;\nif($(this).hasClass('previous')){\n$(this).attr('href', newPrevIndex);\n$('a.next').attr('href', "
    "newNextIndex);\n}else{\n$(this).attr('href', newNextIndex);\n$('a.previous').attr('href', "
    "newPrevIndex);\n}\nvar "
    "total = $('ul.row.galleryGrid%d li').length + 1;\nif(total === "
    "newNextIndex){\n$('a.next').hide();\n}else{\n$('a.next').show()\n}\nif(newPrevIndex === "
    "0){\n$('a.previous').hide();\n}else{\n$('a.previous').show()\n}\nreturn false;\n});\n</script>";

// A name no picture of the page has yet, for a picture that came without one; the page names each
// picture element after its image, so a picture without a name would be dropped from the page.
QString freeImageName(const DRVDocument& document)
{
    QString name = PageContext::current().nextImageName();
    if (!name.isEmpty())
        return name;
    int highest = 0;
    for (const QString& used : PageParser::documentImageNames(document)) {
        if (used.startsWith(QStringLiteral("image")))
            highest = std::max(highest, used.mid(5).toInt());
    }
    return QStringLiteral("image%1").arg(highest + 1);
}

} // namespace

GalleryGenerator::GalleryGenerator(DRVDocument& document, PagePieces& pieces)
    : m_document(document), m_pieces(pieces)
{
}

void GalleryGenerator::generate()
{
    const QList<DRVGraphic*> galleries = m_document.galleryArray();
    int g = 0;
    for (auto it = galleries.crbegin(); it != galleries.crend(); ++it) {
        auto* gallery = qobject_cast<DRVGalleryGrid*>(*it);
        if (!gallery)
            continue;
        QString templateName = platform::stringByDeletingPathExtension(text(gallery->templateName()));
        if (templateName.isEmpty())
            templateName = m_document.mainTemplateName();
        gallery->setTemplateName(templateName);
        // The pictures' rectangles and inherited values come from the layout step, not painting.
        gallery->layoutPictures();

        const QRectF bounds = gallery->bounds();
        const int z = m_document.layerIndexForGraphic(gallery);
        m_pieces.galleryRules += format(
            QStringLiteral(
                "\n.galleryGrid%d{position:absolute;left:%dpx;top:%dpx;z-index:%d;width:%dpx;height:%dpx;"
                "fixed:%d;numOfRows:%d;numOfColumns:%d;groupNumber:%d;padding:%d;shadowFlag:%d;backdrop:%d;"
                "templateName:%@;manualLayerIndex:%d;galleryNumber:%d;sectionNumber:%d;sectionRowSpot:%d;"
                "sectionColumnSpot:%d;}\n\n"),
            {g, platform::truncToInt(bounds.x()), platform::truncToInt(bounds.y()), z,
             platform::truncToInt(bounds.width()), platform::truncToInt(bounds.height()), gallery->moveLock(),
             gallery->numOfRows(), gallery->numOfColumns(), gallery->groupNumber(), gallery->padding(),
             gallery->shadowFlag(), gallery->backdropLightingFlag(), text(gallery->templateName()),
             gallery->manualLayerIndex(), g, gallery->sectionNumber(), gallery->sectionRowSpot(),
             gallery->sectionColumnSpot()});

        QList<QObject*> imageViews = m_document.imageViewArray();
        for (TransformView* image : gallery->imageArray()) {
            image->setTag(z);
            if (text(image->imageName()).isEmpty() || image->imageName() == QStringLiteral("(null)"))
                image->setImageName(freeImageName(m_document));
            // The type names the picture's files; new pictures are stored as PNG.
            if (text(image->imageType()).isEmpty() || image->imageType() == QStringLiteral("(null)"))
                image->setImageType(QStringLiteral("PNG"));
            // A gallery picture is no slide: -66 keeps a slideshow of the page from claiming it.
            image->setSlideShowNumber(kGalleryPictureSlideShowNumber);
            imageViews.append(image);
        }
        m_document.setImageViewArray(imageViews);

        if (edition().gResponsiveLayoutFlag) {
            const auto fragment = grabPhotoGalleryCode(m_document, gallery);
            if (ResponsiveArrangement(m_document).isGraphicInASection(gallery)) {
                QList<std::shared_ptr<CodeWidgetHelper>> fragments = m_document.sourceCodeArray();
                fragments.append(fragment);
                m_document.setSourceCodeArray(fragments);
            } else {
                m_pieces.topLevel.append(fragment);
            }
        }
        ++g;
    }
}

std::shared_ptr<CodeWidgetHelper> GalleryGenerator::grabPhotoGalleryCode(const DRVDocument& document,
                                                                         const DRVGalleryGrid* gallery)
{
    const int m =
        int(document.graphics().size() - document.graphics().indexOf(const_cast<DRVGalleryGrid*>(gallery)));
    // 12 columns to a row: a column count outside 1..12 would divide by zero or give col-*-0.
    const int k = 12 / std::clamp(gallery->numOfColumns(), 1, 12);
    const qsizetype pictures = gallery->imageArray().size();
    QString list = format(QStringLiteral("<ul class=\"galleryGrid%d row\">\n"), {m});
    qsizetype written = 0;
    for (int row = 0; row < gallery->numOfRows() && written < pictures; ++row) {
        for (int column = 0; column < gallery->numOfColumns() && written < pictures; ++column) {
            const TransformView* image = gallery->grabSelectedImageAtSpot(row, column);
            if (!image)
                continue;
            const QString folder =
                image->selectable() ? text(document.pageName()) : text(image->templateName());
            const QString source = format(QStringLiteral("%@/%@o.%@"),
                                          {folder, text(image->imageName()), text(image->imageType())});
            const QString item = format(
                QStringLiteral("<li class=\"galleryGrid%d col-sm-%d col-xs-%d\"><img class=\"img-responsive "
                               "thumbnail\" src=%@>"),
                {m, k, k, TextEscaping::quotedAttribute(source)});
            list = format(QStringLiteral("%@\n%@"), {list, format(QStringLiteral("%@\n</li>"), {item})});
            ++written;
        }
    }
    list = format(QStringLiteral("%@\n</ul>"), {list});
    const QString modal = format(
        QStringLiteral(
            "<div class=\"modal fade\" id=\"myModal%d\" tabindex=\"-1\" role=\"dialog\" "
            "aria-labelledby=\"myModalLabel\" aria-hidden=\"true\">\n<div class=\"modal-dialog\">\n<div "
            "class=\"modal-content\">\n<div "
            "class=\"modal-body\">\n</div>\n</div>\n</div>\n</div>\n"),
        {m});

    auto record = std::make_shared<CodeWidgetHelper>();
    record->bodyString = format(QStringLiteral("%@\n%@\n%@\n"), {QStringLiteral(""), list, modal});
    record->headerString = format(QString::fromLatin1(kGalleryStyle), {m, m});
    record->javaScriptString =
        format(QString::fromLatin1(kGalleryScript), {m, m, m, m, m, m, m, m, m, m, m, m, m});
    record->originY = platform::truncToInt(gallery->bounds().y());
    record->rect = gallery->bounds();
    return record;
}
