// Text boxes made by the canvas: the general text-box factory, shape text boxes and zoom bubbles,
// personalization tags and the address block, the person card, page-link badges, preset text
// styles and shapes, and text carriers turned into graphics. Every factory builds a property
// dictionary, makes the graphic through the registry and inserts it in front through the document.
#include "canvas/DRVGraphicView.h"

#include "document/DRVDocument.h"
#include "document/PageImageFiles.h"
#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "model/DRVImage.h"
#include "model/GraphicRegistry.h"
#include "model/PageContext.h"
#include "model/myTextView.h"
#include "platform/Geometry.h"
#include "platform/UserDefaults.h"

#include <QImage>
#include <QLocale>
#include <cmath>

namespace {

constexpr int kNoSection = -99;

const QString kClear = QStringLiteral("CLEAR0");

// Dictionary values are never null strings: a missing value is written as the empty string.
QString text(const QString& value)
{
    return value.isNull() ? QStringLiteral("") : value;
}

QString intText(int value)
{
    return DRVGraphic::intProperty(value);
}

QString realText(double value)
{
    return DRVGraphic::realProperty(value);
}

// The values shape boxes share: Helvetica Neue, fully opaque, no shadow, no link, plain text.
void insertShapeBoxValues(QVariantMap& p, const QString& borderStyle)
{
    p.insert(QStringLiteral("fontFamily"), QStringLiteral("Helvetica Neue"));
    p.insert(QStringLiteral("borderStyle"), borderStyle);
    p.insert(QStringLiteral("opacity"), realText(1.0));
    p.insert(QStringLiteral("shadowFlag"), QStringLiteral("0"));
    p.insert(QStringLiteral("link"), QStringLiteral(""));
    p.insert(QStringLiteral("textType"), QStringLiteral("Text"));
}

QByteArray archivedHexColour(const QString& hex)
{
    return DRVGraphic::archivedColor(hex == kClear ? QColor(Qt::transparent)
                                                   : DataCentre::colorWithHexString(hex));
}

int alignmentCode(const QString& alignment)
{
    if (alignment == QLatin1String("center"))
        return 1;
    if (alignment == QLatin1String("right"))
        return 2;
    return 0; // left and justified
}

// The size of text the edition starts new boxes with; a missing value gets the usual 15.
int defaultFontSize()
{
    const int size = edition().gDefaultFontSize;
    return size > 0 ? size : 15;
}

QFont helveticaNeue(int points)
{
    return QFont(QStringLiteral("Helvetica Neue"), points);
}

// A picture of at most `side` pixels square, narrowed to the edition's widest inserted picture.
QSizeF cappedPictureSize(int side)
{
    const int widest = edition().gInsertedImageMaxWidth > 0 ? edition().gInsertedImageMaxWidth : 600;
    if (widest >= side)
        return QSizeF(side, side);
    const float ratio = float(side) / float(widest);
    return QSizeF(widest, std::trunc(float(side) / ratio));
}

QImage bundleImage(const QString& name)
{
    return QImage(DataCentre::resourcesPath() + QStringLiteral("/images/") + name + QStringLiteral(".png"));
}

QPointF truncated(QPointF point)
{
    return QPointF(std::trunc(point.x()), std::trunc(point.y()));
}

// A preset tile, its size, and the whole-pixel point its graphic goes to.
struct PlacedPreset
{
    const QObject* tile = nullptr; // none where the pickers offer no tile
    QSizeF size;
    QPointF point;
};

PlacedPreset placePreset(const QList<std::shared_ptr<QObject>>& presets, int index, QPointF insertionPoint)
{
    if (index < 0 || index >= presets.size() || !presets.at(index))
        return {};
    const QObject* tile = presets.at(index).get();
    return {tile, tile->property("frame").toRectF().size(), truncated(insertionPoint)};
}

} // namespace

// ---- the text-box factory ----

QVariantMap DRVGraphicView::textBoxProperties(const TextBoxArguments& a)
{
    const bool responsive = edition().gResponsiveLayoutFlag;
    const bool button = responsive && a.buttonLayoutFlag;
    const int padding = responsive ? 10 : 0;
    const int verticalPadding = button ? 0 : padding;
    const int sideMargin = button ? 10 : 0;
    const QString paddingType = responsive ? QStringLiteral("pixel") : QStringLiteral("%");
    const QString marginType = QStringLiteral("%");
    const QFont& font = a.font;
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : defaultFontSize();
    const QString family = font.family().isEmpty() ? QStringLiteral("Helvetica Neue") : font.family();

    QVariantMap p;
    p.insert(QStringLiteral("topPadding"), intText(verticalPadding));
    p.insert(QStringLiteral("bottomPadding"), intText(verticalPadding));
    p.insert(QStringLiteral("leftPadding"), intText(padding));
    p.insert(QStringLiteral("rightPadding"), intText(padding));
    p.insert(QStringLiteral("topMargin"), intText(0));
    p.insert(QStringLiteral("bottomMargin"), intText(0));
    p.insert(QStringLiteral("leftMargin"), intText(sideMargin));
    p.insert(QStringLiteral("rightMargin"), intText(sideMargin));
    for (const char* side : {"top", "bottom", "left", "right"}) {
        const QString s = QString::fromLatin1(side);
        p.insert(s + QStringLiteral("PaddingType"), paddingType);
        p.insert(s + QStringLiteral("MarginType"), marginType);
        p.insert(s + QStringLiteral("PaddingLevelString"), QStringLiteral("Small"));
        p.insert(s + QStringLiteral("MarginLevelString"), QStringLiteral("None"));
    }
    p.insert(QStringLiteral("verticalAlignment"), intText(button ? 1 : 0));
    if (a.textType == QLatin1String("HTMLSnippet"))
        p.insert(QStringLiteral("snippetFormatFlag"), QStringLiteral("1"));
    p.insert(QStringLiteral("fillColor"), archivedHexColour(a.backgroundColor));
    p.insert(QStringLiteral("borderColor"), archivedHexColour(a.borderColor));
    p.insert(QStringLiteral("bounds"), platform::stringFromRect(a.frame));
    p.insert(QStringLiteral("fontAlignment"), intText(alignmentCode(a.alignment)));
    p.insert(QStringLiteral("cornerRadius"), realText(a.cornerRadius));
    p.insert(QStringLiteral("fontColor"), text(a.textColor));
    p.insert(QStringLiteral("backgroundHexColorString"), text(a.backgroundColor));
    p.insert(QStringLiteral("fontSize"), realText(points));
    p.insert(QStringLiteral("fontFamily"), family);
    p.insert(QStringLiteral("borderStyle"), text(a.borderStyle));
    p.insert(QStringLiteral("opacity"), realText(a.opacity));
    p.insert(QStringLiteral("shadowFlag"), QStringLiteral("0"));
    p.insert(QStringLiteral("link"), text(a.link));
    p.insert(QStringLiteral("textString"), text(a.text));
    p.insert(QStringLiteral("textType"), text(a.textType));
    p.insert(QStringLiteral("slideShowNumber"), intText(kNoSection));
    p.insert(QStringLiteral("textHexColorString"), text(a.textColor));
    p.insert(QStringLiteral("groupNumber"), intText(a.groupNumber));
    p.insert(QStringLiteral("hoverColorString"), text(a.hoverColor));
    p.insert(QStringLiteral("hoverTextColorString"), text(a.hoverTextColor));
    p.insert(QStringLiteral("linkType"), text(a.linkType));
    p.insert(QStringLiteral("borderWidth"), intText(a.borderWidth));
    p.insert(QStringLiteral("borderHexColorString"), text(a.borderColor));
    // Written as section 0 on purpose; the responsive layout gives the real cell afterwards.
    p.insert(QStringLiteral("sectionNumber"), QStringLiteral("0"));
    p.insert(QStringLiteral("sectionRowSpot"), QStringLiteral("0"));
    p.insert(QStringLiteral("sectionColumnSpot"), QStringLiteral("0"));
    return p;
}

DRVGraphic* DRVGraphicView::addTextBox(const TextBoxArguments& arguments)
{
    DRVGraphic* box = GraphicRegistry::create(QStringLiteral("DRVText"));
    box->initWithProperties(textBoxProperties(arguments));
    return insertNewGraphic(box, arguments.frame.topLeft());
}

DRVGraphic* DRVGraphicView::addTextBox(const QString& text, const QString& link, const QRectF& frame,
                                       int groupNumber, const QString& backgroundColor,
                                       const QString& textColor, const QFont& font, int cornerRadius,
                                       float opacity, const QString& hoverColor,
                                       const QString& hoverTextColor, const QString& linkType,
                                       const QString& borderStyle, int borderWidth,
                                       const QString& borderColor, const QString& alignment,
                                       const QString& textType, bool buttonLayoutFlag)
{
    return addTextBox(TextBoxArguments{text, link, frame, groupNumber, backgroundColor, textColor, font,
                                       cornerRadius, opacity, hoverColor, hoverTextColor, linkType,
                                       borderStyle, borderWidth, borderColor, alignment, textType,
                                       buttonLayoutFlag});
}

QVariantMap DRVGraphicView::zoomBubbleTextboxProperties(QPointF point, int cornerRadius, const QString& shape,
                                                        int zoomBubbleFlag)
{
    const QString colour = zoomBubbleFlag != 0 ? QStringLiteral("EE0000") : QStringLiteral("555555");
    QVariantMap p;
    p.insert(QStringLiteral("fillColor"), archivedHexColour(kClear));
    p.insert(QStringLiteral("borderColor"), archivedHexColour(colour));
    p.insert(QStringLiteral("bounds"), platform::stringFromRect(QRectF(point, QSizeF(100, 100))));
    p.insert(QStringLiteral("fontAlignment"), QStringLiteral("0"));
    p.insert(QStringLiteral("cornerRadius"), realText(cornerRadius));
    p.insert(QStringLiteral("fontColor"), colour);
    p.insert(QStringLiteral("backgroundHexColorString"), kClear);
    p.insert(QStringLiteral("fontSize"), realText(10));
    insertShapeBoxValues(p, QStringLiteral("solid"));
    p.insert(QStringLiteral("textString"), QStringLiteral(""));
    p.insert(QStringLiteral("slideShowNumber"), intText(kNoSection));
    p.insert(QStringLiteral("textHexColorString"), colour);
    p.insert(QStringLiteral("groupNumber"), intText(kNoSection));
    p.insert(QStringLiteral("hoverColorString"), QStringLiteral(""));
    p.insert(QStringLiteral("hoverTextColorString"), QStringLiteral(""));
    p.insert(QStringLiteral("linkType"), QStringLiteral(""));
    p.insert(QStringLiteral("borderWidth"), QStringLiteral("2"));
    p.insert(QStringLiteral("borderHexColorString"), colour);
    p.insert(QStringLiteral("bubbleShape"), text(shape));
    p.insert(QStringLiteral("zoomBubbleFlag"), intText(zoomBubbleFlag));
    return p;
}

DRVGraphic* DRVGraphicView::addZoomBubbleTextbox_drag(QPointF point, int cornerRadius, const QString& shape,
                                                      int zoomBubbleFlag)
{
    DRVGraphic* box = GraphicRegistry::create(QStringLiteral("DRVText"));
    box->initWithProperties(zoomBubbleTextboxProperties(point, cornerRadius, shape, zoomBubbleFlag));
    // Placed at the point in every edition: the shape ignores sections.
    return insertNewGraphic(box, std::nullopt);
}

DRVGraphic* DRVGraphicView::insertNewGraphic(DRVGraphic* graphic, std::optional<QPointF> sectionPoint)
{
    if (!m_graphicsContainer) {
        delete graphic;
        return nullptr;
    }
    // A point outside every section (a menu insertion need not lie in one) leaves the graphic
    // outside them all rather than dropping it or giving it a section it is not in.
    if (sectionPoint && edition().gResponsiveLayoutFlag && !applySection(*sectionPoint, graphic)) {
        graphic->setSectionNumber(kNoSection);
        graphic->setSectionRowSpot(kNoSection);
        graphic->setSectionColumnSpot(kNoSection);
    }
    m_graphicsContainer->insertGraphics({graphic}, {0});
    return graphic;
}

void DRVGraphicView::runInsertCommand(const QString& actionName, const std::function<void()>& factory)
{
    if (!m_graphicsContainer)
        return;
    beginUndoStep();
    factory();
    endUndoStep(actionName);
}

QString DRVGraphicView::dateStampText(const QDateTime& when)
{
    // The calendar year ("yyyy"): a week-based year prints the next year in the last days of December.
    return QLocale::c().toString(when, QStringLiteral("MMM dd yyyy,  dddd h:mm AP"));
}

// ---- personalization tags, person card and badges ----

DRVGraphic* DRVGraphicView::addPersonalizationTag(const QString& tag, QPointF point)
{
    const int size = defaultFontSize();
    const QRectF frame(std::trunc(point.x()) + 55, std::trunc(point.y()) + 10, 10 * size, 3 * size);
    return addTextBox(TextBoxArguments::with(tag, frame, findNextGroupNumber(), helveticaNeue(size)));
}

void DRVGraphicView::addTagAtVisibleOrigin(const QString& tag)
{
    const QPointF visible = visibleOrigin();
    runInsertCommand(QStringLiteral("Personalization Tag"),
                     [&] { addPersonalizationTag(tag, truncated(visible + QPointF(100, 100))); });
}

void DRVGraphicView::addPerson_FirstName()
{
    addTagAtVisibleOrigin(QStringLiteral("[FIRST_NAME]"));
}

void DRVGraphicView::addPerson_LastName()
{
    addTagAtVisibleOrigin(QStringLiteral("[LAST_NAME]"));
}

void DRVGraphicView::addPerson_CompanyName()
{
    addTagAtVisibleOrigin(QStringLiteral("[COMPANY_NAME]"));
}

void DRVGraphicView::addPerson_Title()
{
    addTagAtVisibleOrigin(QStringLiteral("[TITLE]"));
}

void DRVGraphicView::addPerson_JobTitle()
{
    addTagAtVisibleOrigin(QStringLiteral("[JOB_TITLE]"));
}

void DRVGraphicView::addPerson_Email()
{
    addTagAtVisibleOrigin(QStringLiteral("[EMAIL]"));
}

void DRVGraphicView::addPerson_Phone()
{
    addTagAtVisibleOrigin(QStringLiteral("[PHONE]"));
}

void DRVGraphicView::addPerson_Address_Street()
{
    addTagAtVisibleOrigin(QStringLiteral("[STREET]"));
}

void DRVGraphicView::addPerson_Address_Country()
{
    addTagAtVisibleOrigin(QStringLiteral("[COUNTRY]"));
}

void DRVGraphicView::addPerson_Address_City()
{
    addTagAtVisibleOrigin(QStringLiteral("[CITY]"));
}

void DRVGraphicView::addPerson_Address_Zipcode()
{
    addTagAtVisibleOrigin(QStringLiteral("[ZIPCODE]"));
}

void DRVGraphicView::addPerson_Address_State()
{
    addTagAtVisibleOrigin(QStringLiteral("[STATE]"));
}

void DRVGraphicView::addPerson_FullAddress()
{
    const QPointF point = truncated(visibleOrigin() + QPointF(10, 10));
    const int size = defaultFontSize();
    runInsertCommand(QStringLiteral("Address Block"), [&] {
        addTextBox(TextBoxArguments::with(
            QStringLiteral("[TITLE] [FIRST_NAME] [LAST_NAME]\n[JOB_TITLE]\n"
                           "[COMPANY_NAME]\n[STREET]\n[CITY] [STATE] [ZIPCODE]"),
            QRectF(point.x(), point.y(), 20 * size, 7 * size), findNextGroupNumber(), helveticaNeue(size)));
    });
}

void DRVGraphicView::addIndividual_drag(QPointF point)
{
    const double x = std::trunc(point.x());
    const double y = std::trunc(point.y());
    const int group = findNextGroupNumber();
    const QFont font = helveticaNeue(15);
    TextBoxArguments card = TextBoxArguments::with(QString(), QRectF(x, y, 300, 200), group, font);
    card.backgroundColor = QStringLiteral("FDF5E6");
    card.cornerRadius = 10;
    addTextBox(card);
    TextBoxArguments details =
        TextBoxArguments::with(QStringLiteral("First Name Last Name\nBirth Date\nLocation\nProfile Details"),
                               QRectF(x + 100, y, 200, 200), group, font);
    details.cornerRadius = 5;
    addTextBox(details);
    addBundlePicture(QStringLiteral("person_contacts"), QRectF(QPointF(x, y), cappedPictureSize(100)), group,
                     QString(), QSizeF(100, 100));
}

void DRVGraphicView::addQuibLink_drag(QPointF point)
{
    addBadge(QStringLiteral("Made with HTML Quib Pro"), 200, point);
}

void DRVGraphicView::addBadge(const QString& badgeText, int width, QPointF point)
{
    const double x = std::trunc(point.x());
    const double y = std::trunc(point.y());
    const int group = findNextGroupNumber();
    const QString site = edition().gProductSiteURL;
    TextBoxArguments badge = TextBoxArguments::with(badgeText, QRectF(x + 55, y + 10, width, 40), group,
                                                    QFont(QStringLiteral("Actor"), 15));
    badge.link = site;
    addTextBox(badge);
    addBundlePicture(QStringLiteral("quib_pro_badge"), QRectF(QPointF(x, y), cappedPictureSize(50)), group,
                     site, QSizeF(50, 50));
}

void DRVGraphicView::addQuibLinkAtInsertionPoint(const QString& badgeText, int width)
{
    const QPointF point = calculateOriginPoint();
    runInsertCommand(QStringLiteral("Page Link Badge"), [&] { addBadge(badgeText, width, point); });
}

void DRVGraphicView::addQuibLink()
{
    addQuibLinkAtInsertionPoint(QStringLiteral("Made with HTML Quib Pro"), 200);
}

void DRVGraphicView::addQuibLink2()
{
    addQuibLinkAtInsertionPoint(QStringLiteral("Made on my Mac with Quib"), 200);
}

void DRVGraphicView::addQuibLink3()
{
    addQuibLinkAtInsertionPoint(QStringLiteral("Powered by Quib"), 200);
}

void DRVGraphicView::addQuibLink4()
{
    addQuibLinkAtInsertionPoint(QStringLiteral("Proudly web designed with Quib"), 220);
}

DRVGraphic* DRVGraphicView::addBundlePicture(const QString& name, const QRectF& frame, int groupNumber,
                                             const QString& link, QSizeF shapeSize)
{
    ImageArguments a;
    a.image = bundleImage(name);
    a.point = frame.topLeft();
    a.keepOriginal = false;
    a.link = link;
    a.pixelSize = a.image.size();
    a.groupNumber = groupNumber;
    a.shapeSize = shapeSize;
    a.frame = frame;
    return addImageIntoArray(a);
}

// ---- preset text styles and shapes ----

void DRVGraphicView::addNewSelectedTextView(int presetIndex)
{
    const PlacedPreset preset = placePreset(edition().gPresetTextViews, presetIndex, calculateOriginPoint());
    if (!preset.tile)
        return;
    const QObject& tile = *preset.tile;
    QString boxText = QStringLiteral("New text box");
    if (edition().gDateStampNewTextFlag)
        boxText = tile.property("textString").toString() + QStringLiteral(" - ") +
                  dateStampText(QDateTime::currentDateTime());
    // A white style makes a transparent box.
    QString background = DataCentre::asHexString(tile.property("fillColor").value<QColor>());
    if (background.isEmpty() || background == QLatin1String("FFFFFF"))
        background = kClear;
    QString textColour = DataCentre::asHexString(tile.property("textColor").value<QColor>());
    if (textColour.isEmpty())
        textColour = QStringLiteral("000000");
    QString family = tile.property("font").value<QFont>().family();
    if (family.isEmpty())
        family = QStringLiteral("Helvetica Neue");
    runInsertCommand(QStringLiteral("Text Box"), [&] {
        TextBoxArguments box = TextBoxArguments::with(
            boxText, QRectF(preset.point, QSizeF(1.5 * preset.size.width(), 3 * preset.size.height())),
            kNoSection, QFont(family, defaultFontSize()));
        box.backgroundColor = background;
        box.textColor = textColour;
        addTextBox(box);
    });
}

void DRVGraphicView::addNewShape(int presetIndex)
{
    const PlacedPreset preset = placePreset(edition().gPresetShapes, presetIndex, calculateOriginPoint());
    if (!preset.tile)
        return;
    const QObject& tile = *preset.tile;
    const QColor fill = tile.property("fillColor").value<QColor>();
    QVariantMap p;
    p.insert(QStringLiteral("bounds"), platform::stringFromRect(QRectF(preset.point, 2 * preset.size)));
    p.insert(QStringLiteral("fontAlignment"), QStringLiteral("0"));
    p.insert(QStringLiteral("cornerRadius"), realText(tile.property("cornerRadius").toInt()));
    p.insert(QStringLiteral("fontColor"), QStringLiteral("4f4c4c"));
    p.insert(QStringLiteral("backgroundHexColorString"), text(DataCentre::asHexString(fill)));
    p.insert(QStringLiteral("fillColor"), DRVGraphic::archivedColor(fill));
    p.insert(QStringLiteral("fontSize"), intText(defaultFontSize()));
    insertShapeBoxValues(p, QStringLiteral("none"));
    p.insert(QStringLiteral("textString"), QStringLiteral(" "));
    runInsertCommand(QStringLiteral("Shape"), [&] {
        DRVGraphic* shape = GraphicRegistry::create(QStringLiteral("DRVText"));
        shape->initWithProperties(p);
        insertNewGraphic(shape, std::nullopt); // placed alike in every edition
    });
}

DRVGraphic* DRVGraphicView::convertTextViewToDRVGraphic(myTextView* carrier)
{
    if (!carrier)
        return nullptr;
    const MTextView* view = carrier->textView();
    if (carrier->link().isNull())
        carrier->setLink(QStringLiteral(""));
    if (carrier->familyName().isEmpty())
        carrier->setFamilyName(QStringLiteral("Helvetica Neue"));
    if (carrier->formType().isNull())
        carrier->setFormType(QStringLiteral(""));
    int alignment = 0;
    if (view->alignment() & Qt::AlignHCenter)
        alignment = 1;
    else if (view->alignment() & Qt::AlignRight)
        alignment = 2;
    const QString colour = carrier->colorString();
    const double points = view->font().pointSizeF() > 0 ? view->font().pointSizeF() : defaultFontSize();

    QVariantMap p;
    p.insert(QStringLiteral("bounds"), platform::stringFromRect(carrier->frame()));
    p.insert(QStringLiteral("fontAlignment"), intText(alignment));
    p.insert(QStringLiteral("cornerRadius"), realText(carrier->cornerRadius()));
    p.insert(QStringLiteral("textHexColorString"), text(carrier->textColorString()));
    p.insert(QStringLiteral("fontColor"), text(carrier->textColorString()));
    // A carrier without colour, or one marked clear, gives a transparent box (never black).
    p.insert(QStringLiteral("fillColor"), archivedHexColour(colour.isEmpty() ? kClear : colour));
    p.insert(QStringLiteral("backgroundHexColorString"), text(colour));
    p.insert(QStringLiteral("fontSize"), realText(points));
    p.insert(QStringLiteral("fontFamily"), carrier->familyName());
    p.insert(QStringLiteral("borderStyle"), text(view->borderLine()));
    p.insert(QStringLiteral("opacity"), realText(carrier->alphaValue()));
    p.insert(QStringLiteral("shadowFlag"), intText(carrier->shadowRadius() > 0 ? 1 : 0));
    p.insert(QStringLiteral("link"), carrier->link());
    p.insert(QStringLiteral("textString"), text(view->string()));
    p.insert(QStringLiteral("textType"), text(carrier->textType()));
    p.insert(QStringLiteral("slideShowNumber"), intText(kNoSection));
    p.insert(QStringLiteral("borderHexColorString"), text(carrier->borderHexColorString()));
    p.insert(QStringLiteral("borderWidth"), intText(view->borderWidth()));
    p.insert(QStringLiteral("formType"), carrier->formType());
    p.insert(QStringLiteral("formTag"), intText(carrier->formTag()));
    p.insert(QStringLiteral("formRequiredFlag"), intText(carrier->formRequiredFlag()));
    p.insert(QStringLiteral("formOptionTag"), intText(carrier->formOptionTag()));
    p.insert(QStringLiteral("groupNumber"), intText(carrier->groupNumber()));
    p.insert(QStringLiteral("responsiveResizeFlag"), intText(carrier->responsiveResizeFlag()));
    p.insert(QStringLiteral("responsiveAlignment"), intText(carrier->responsiveAlignment()));
    DRVGraphic* graphic = GraphicRegistry::create(QStringLiteral("DRVText"));
    graphic->initWithProperties(p);
    return insertNewGraphic(graphic, carrier->frame().topLeft());
}
