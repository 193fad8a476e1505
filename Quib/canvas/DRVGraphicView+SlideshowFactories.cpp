// New slideshows and HTML snippets. A snippet is a text box whose text the page generator writes
// into the page as it stands, so the boxes here carry code, not prose.
#include "canvas/DRVGraphicView.h"
#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "model/DRVSlideshow.h"
#include "model/GraphicRegistry.h"
#include "platform/Dialogs.h"
#include "platform/Geometry.h"

#include <cmath>

namespace {

QPointF wholePoint(QPointF p)
{
    return QPointF(std::trunc(p.x()), std::trunc(p.y()));
}

// What slideshows and snippets share: square, dashed, unshadowed, unlinked, in no slideshow.
void insertDashedBoxValues(QVariantMap& p)
{
    p.insert(QStringLiteral("cornerRadius"), DRVGraphic::realProperty(0));
    p.insert(QStringLiteral("fontFamily"), QStringLiteral("Helvetica Neue"));
    p.insert(QStringLiteral("borderStyle"), QStringLiteral("dashed"));
    p.insert(QStringLiteral("shadowFlag"), QStringLiteral("0"));
    p.insert(QStringLiteral("link"), QStringLiteral(""));
    p.insert(QStringLiteral("slideShowNumber"), DRVGraphic::intProperty(-99));
}

} // namespace

QVariantMap DRVGraphicView::slideshowProperties(const QRectF& bounds)
{
    QVariantMap p;
    insertDashedBoxValues(p);
    p.insert(QStringLiteral("bounds"), platform::stringFromRect(bounds));
    p.insert(QStringLiteral("fontAlignment"), QStringLiteral("1"));
    p.insert(QStringLiteral("fontColor"), QStringLiteral("DC143C"));
    p.insert(QStringLiteral("fillColor"), QStringLiteral("CLEAR0"));
    p.insert(QStringLiteral("fontSize"), DRVGraphic::realProperty(25));
    p.insert(QStringLiteral("opacity"), DRVGraphic::realProperty(1));
    p.insert(QStringLiteral("textString"), QStringLiteral("Right click to edit slideshow"));
    p.insert(QStringLiteral("textType"), QStringLiteral(""));
    p.insert(QStringLiteral("imageLastModDate"), QStringLiteral(""));
    p.insert(QStringLiteral("totalNumofSlide"), DRVGraphic::intProperty(0));
    p.insert(QStringLiteral("moveLock"), QStringLiteral("0"));
    p.insert(QStringLiteral("textHexColorString"), QStringLiteral("000000"));
    p.insert(QStringLiteral("backgroundHexColorString"), QStringLiteral("CLEAR0"));
    p.insert(QStringLiteral("linkOption"), QStringLiteral("_self"));
    return p;
}

QVariantMap DRVGraphicView::snippetProperties(const QString& html, const QRectF& frame)
{
    QVariantMap p;
    insertDashedBoxValues(p);
    p.insert(QStringLiteral("bounds"), platform::stringFromRect(frame));
    p.insert(QStringLiteral("fontAlignment"), QStringLiteral("0"));
    p.insert(QStringLiteral("fontColor"), QStringLiteral("4F4C4C"));
    p.insert(QStringLiteral("fillColor"),
             DRVGraphic::archivedColor(DataCentre::colorWithHexString(QStringLiteral("DCDCDC"))));
    p.insert(QStringLiteral("fontSize"), DRVGraphic::realProperty(14));
    p.insert(QStringLiteral("opacity"), DRVGraphic::realProperty(0.9));
    p.insert(QStringLiteral("textString"), html);
    p.insert(QStringLiteral("textType"), QStringLiteral("HTMLSnippet"));
    p.insert(QStringLiteral("textHexColorString"), QStringLiteral("4F4C4C"));
    p.insert(QStringLiteral("backgroundHexColorString"), QStringLiteral("DCDCDC"));
    return p;
}

QString DRVGraphicView::videoSnippetHTML()
{
    return QStringLiteral("<div class=\"embed-responsive embed-responsive-4by3\">\n"
                          "<iframe class=\"embed-responsive-item\" src=\"REPLACE_WITH_VIDEO_URL\"></iframe>\n"
                          "</div>");
}

QString DRVGraphicView::buyButtonSnippetHTML()
{
    return QStringLiteral(
        "<form name=\"_xclick\" action=\"https://www.paypal.com/ca/cgi-bin/webscr\" method=\"post\">\n"
        "<input type=\"hidden\" name=\"cmd\" value=\"_xclick\">\n"
        "<input type=\"hidden\" name=\"business\" value=\"seller@example.com\">\n"
        "<input type=\"hidden\" name=\"currency_code\" value=\"USD\">\n"
        "<input type=\"hidden\" name=\"item_name\" value=\"Product Name\">\n"
        "<input type=\"hidden\" name=\"amount\" value=\"0.99\">\n"
        "<input type=\"image\" src=\"https://www.paypalobjects.com/en_US/i/btn/x-click-but01.gif\" "
        "border=\"0\" name=\"submit\">\n"
        "</form>");
}

QString DRVGraphicView::freeSnippetHTML()
{
    return QStringLiteral("<b>Enter HTML code here</b>");
}

DRVGraphic* DRVGraphicView::addSlideshow_drag(QPointF point)
{
    QRectF bounds(wholePoint(point), QSizeF(500, 300));
    if (edition().gResponsiveLayoutFlag)
        bounds = grabSectionRect(point, QRectF(point, QSizeF(300, 200)));
    DRVGraphic* slideshow = GraphicRegistry::create(QStringLiteral("DRVSlideshow"));
    slideshow->initWithProperties(slideshowProperties(bounds));
    return insertNewGraphic(slideshow, bounds.topLeft());
}

DRVGraphic* DRVGraphicView::addSnippet_drag(const QString& html, const QRectF& frame)
{
    DRVGraphic* snippet = GraphicRegistry::create(QStringLiteral("DRVText"));
    snippet->initWithProperties(snippetProperties(html, frame));
    // Code keeps its own layout: a snippet takes no section in any edition.
    return insertNewGraphic(snippet, std::nullopt);
}

void DRVGraphicView::addSlideshow()
{
    if (!m_graphicsContainer)
        return;
    const QList<ChosenPicture> pictures = chooseReadablePictures(
        QStringLiteral("Select"), QStringLiteral("Add one or more images to slideshow"),
        pictureFileExtensions(), true);
    // A cancelled panel still gives the empty slideshow; its slides can be added from its menu.
    beginUndoStep();
    auto* slideshow = qobject_cast<DRVSlideshow*>(addSlideshow_drag(wholePoint(calculateOriginPoint())));
    if (slideshow)
        appendSlides(slideshow, pictures);
    endUndoStep(QStringLiteral("Add Slideshow"));
}

void DRVGraphicView::addSnippetAtInsertionPoint(const QString& html, QSizeF size)
{
    runInsertCommand(QStringLiteral("Add Code Snippet"), [this, &html, size] {
        addSnippet_drag(html, QRectF(wholePoint(calculateOriginPoint()), size));
    });
}

void DRVGraphicView::addYouTubeHTMLSnippet()
{
    addSnippetAtInsertionPoint(videoSnippetHTML(), QSizeF(640, 480));
}

void DRVGraphicView::addPaypalSnippet()
{
    addSnippetAtInsertionPoint(buyButtonSnippetHTML(), QSizeF(700, 200));
    showBuyButtonNote();
}

void DRVGraphicView::addNewHTMLSnippet()
{
    addSnippetAtInsertionPoint(freeSnippetHTML(), QSizeF(250, 100));
}

void DRVGraphicView::showBuyButtonNote()
{
    platform::Alert note;
    note.title = QStringLiteral("Looking for more Buy Button styles?");
    note.informativeText = QStringLiteral(
        "The generic snippet here will help you quickly set up a simple Buy Button.\n\n"
        "For more advanced styles, please visit PayPal's website and use the button generator.");
    note.buttons = {QStringLiteral("OK")};
    note.style = platform::AlertStyle::Informational;
    platform::showAlert(note);
}
