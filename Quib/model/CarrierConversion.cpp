#include "model/CarrierConversion.h"

#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "model/DRVGraphic.h"
#include "model/DRVText.h"
#include "model/GalleryGridView.h"
#include "model/LineView.h"
#include "model/OuterSlideShow.h"
#include "model/TableGridView.h"
#include "model/TransformView.h"
#include "model/myTextView.h"
#include "platform/Format.h"
#include "platform/Geometry.h"
#include "platform/StringRules.h"
#include "platform/Threads.h"

#include <QHash>
#include <QSet>
#include <QTextDocument>
#include <QThread>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

constexpr int kNone = -99;
// Carriers per batch when converted ahead.
constexpr qsizetype kAheadBatch = 32;

// The carriers that tables, slideshows and galleries gather, by their number, in page order:
// looked up once per page rather than scanned again for each table, slideshow and gallery.
struct Members
{
    QHash<int, QList<qsizetype>> textsByTable;
    QHash<int, QList<qsizetype>> imagesByTable;
    QHash<int, QList<qsizetype>> imagesBySlideshow;
    QHash<int, QList<qsizetype>> imagesByGallery;
};

Members membersOf(const QList<QObject*>& carriers)
{
    Members m;
    for (qsizetype i = 0; i < carriers.size(); ++i) {
        if (auto* text = qobject_cast<myTextView*>(carriers.at(i))) {
            m.textsByTable[text->tableNumber()].append(i);
        } else if (auto* image = qobject_cast<TransformView*>(carriers.at(i))) {
            m.imagesByTable[image->tableNumber()].append(i);
            m.imagesBySlideshow[image->slideShowNumber()].append(i);
            m.imagesByGallery[image->galleryNumber()].append(i);
        }
    }
    return m;
}

QString d(int value)
{
    return DRVGraphic::intProperty(value);
}

QString f(double value)
{
    return DRVGraphic::realProperty(value);
}

QString flag(int value)
{
    return value == 1 ? QStringLiteral("1") : QStringLiteral("0");
}

// The carrier's string, or fallback stored into the carrier first when it has none.
template <class Carrier>
QString defaulted(Carrier* carrier, QString (Carrier::*get)() const, void (Carrier::*set)(const QString&),
                  const QString& fallback)
{
    if ((carrier->*get)().isEmpty())
        (carrier->*set)(fallback);
    const QString value = (carrier->*get)();
    return value.isNull() ? fallback : value;
}

QByteArray archivedHexColour(const QString& hex)
{
    // The clear colour is no hex number: read as one it would give an arbitrary opaque colour.
    if (hex == QLatin1String("CLEAR0"))
        return DRVGraphic::archivedColor(QColor(Qt::transparent));
    return DRVGraphic::archivedColor(DataCentre::colorWithHexString(hex));
}

// A string the carrier may not have: left out when it has none, so the graphic takes its default.
void insertIfSet(QVariantMap& p, const char* key, const QString& value)
{
    if (!value.isNull())
        p.insert(QLatin1String(key), value);
}

// ---- text ----

// The margin and padding presets, "None" where the carrier has none (and then stored back).
template <class T> void insertLevelStrings(QVariantMap& p, T* t)
{
    const QString none = QStringLiteral("None");
    p.insert(QStringLiteral("topPaddingLevelString"),
             defaulted(t, &T::topPaddingLevelString, &T::setTopPaddingLevelString, none));
    p.insert(QStringLiteral("bottomPaddingLevelString"),
             defaulted(t, &T::bottomPaddingLevelString, &T::setBottomPaddingLevelString, none));
    p.insert(QStringLiteral("leftPaddingLevelString"),
             defaulted(t, &T::leftPaddingLevelString, &T::setLeftPaddingLevelString, none));
    p.insert(QStringLiteral("rightPaddingLevelString"),
             defaulted(t, &T::rightPaddingLevelString, &T::setRightPaddingLevelString, none));
    p.insert(QStringLiteral("topMarginLevelString"),
             defaulted(t, &T::topMarginLevelString, &T::setTopMarginLevelString, none));
    p.insert(QStringLiteral("bottomMarginLevelString"),
             defaulted(t, &T::bottomMarginLevelString, &T::setBottomMarginLevelString, none));
    p.insert(QStringLiteral("leftMarginLevelString"),
             defaulted(t, &T::leftMarginLevelString, &T::setLeftMarginLevelString, none));
    p.insert(QStringLiteral("rightMarginLevelString"),
             defaulted(t, &T::rightMarginLevelString, &T::setRightMarginLevelString, none));
}

void insertTextBoxModel(QVariantMap& p, myTextView* t)
{
    p.insert(QStringLiteral("topPadding"), d(t->topPadding()));
    p.insert(QStringLiteral("bottomPadding"), d(t->bottomPadding()));
    p.insert(QStringLiteral("leftPadding"), d(t->leftPadding()));
    p.insert(QStringLiteral("rightPadding"), d(t->rightPadding()));
    p.insert(QStringLiteral("topMargin"), d(t->topMargin()));
    p.insert(QStringLiteral("bottomMargin"), d(t->bottomMargin()));
    p.insert(QStringLiteral("leftMargin"), d(t->leftMargin()));
    p.insert(QStringLiteral("rightMargin"), d(t->rightMargin()));

    const QString pixel = QStringLiteral("pixel");
    using T = myTextView;
    p.insert(QStringLiteral("topPaddingType"),
             defaulted(t, &T::topPaddingType, &T::setTopPaddingType, pixel));
    p.insert(QStringLiteral("bottomPaddingType"),
             defaulted(t, &T::bottomPaddingType, &T::setBottomPaddingType, pixel));
    p.insert(QStringLiteral("leftPaddingType"),
             defaulted(t, &T::leftPaddingType, &T::setLeftPaddingType, pixel));
    p.insert(QStringLiteral("rightPaddingType"),
             defaulted(t, &T::rightPaddingType, &T::setRightPaddingType, pixel));
    p.insert(QStringLiteral("topMarginType"), defaulted(t, &T::topMarginType, &T::setTopMarginType, pixel));
    p.insert(QStringLiteral("bottomMarginType"),
             defaulted(t, &T::bottomMarginType, &T::setBottomMarginType, pixel));
    p.insert(QStringLiteral("leftMarginType"),
             defaulted(t, &T::leftMarginType, &T::setLeftMarginType, pixel));
    p.insert(QStringLiteral("rightMarginType"),
             defaulted(t, &T::rightMarginType, &T::setRightMarginType, pixel));

    insertLevelStrings(p, t);
}

int fontAlignmentOf(const QString& alignment)
{
    if (alignment == QLatin1String("center"))
        return 1;
    if (alignment == QLatin1String("right"))
        return 2;
    if (alignment == QLatin1String("justify"))
        return 3;
    return 0;
}

QVariantMap textProperties(myTextView* t)
{
    using T = myTextView;
    QVariantMap p;
    p.insert(QStringLiteral("className"), QStringLiteral("DRVText"));
    p.insert(QStringLiteral("bounds"), platform::stringFromRect(t->frame()));
    p.insert(QStringLiteral("fontAlignment"), d(fontAlignmentOf(t->textAlignment())));
    p.insert(QStringLiteral("verticalAlignment"), d(t->verticalAlignment()));
    p.insert(QStringLiteral("cornerRadius"), f(t->cornerRadius()));
    p.insert(QStringLiteral("opacity"), f(t->alphaValue()));
    p.insert(QStringLiteral("shadowFlag"), t->shadowFlag() != 0 ? QStringLiteral("1") : QStringLiteral("0"));
    p.insert(QStringLiteral("lineSpacing"), f(t->lineSpacing()));
    p.insert(QStringLiteral("rotationAngle"), f(t->rotationAngle()));
    p.insert(QStringLiteral("shadowRadius"), f(t->shadowRadius()));
    p.insert(QStringLiteral("shadowHorizontalOffset"), f(t->shadowHorizontalOffset()));
    p.insert(QStringLiteral("shadowVerticalOffset"), f(t->shadowVerticalOffset()));

    const MTextView* view = t->textView();
    p.insert(QStringLiteral("textString"), view->string().isNull() ? QStringLiteral("") : view->string());
    p.insert(QStringLiteral("fontSize"), f(view->font().pointSizeF()));
    p.insert(QStringLiteral("fontFamily"),
             !t->familyName().isEmpty() ? t->familyName() : view->font().family());
    const QString textColour = t->textColorString().isNull() ? QStringLiteral("") : t->textColorString();
    p.insert(QStringLiteral("fontColor"), textColour);
    p.insert(QStringLiteral("textHexColorString"), textColour);
    insertIfSet(p, "textType", t->textType());

    p.insert(QStringLiteral("borderColor"), archivedHexColour(t->borderHexColorString()));
    p.insert(QStringLiteral("borderHexColorString"),
             defaulted(t, &T::borderHexColorString, &T::setBorderHexColorString, QStringLiteral("000000")));
    p.insert(QStringLiteral("borderWidth"), d(t->borderWidth()));
    insertIfSet(p, "borderStyle", view->borderLine());

    const QString background = t->backgroundHexColorString();
    QColor fill(Qt::transparent);
    if (background.isEmpty() || background == QLatin1String("CLEAR0") ||
        background == QLatin1String("(null)"))
        t->setBackgroundHexColorString(QStringLiteral("CLEAR0"));
    else
        fill = DataCentre::colorWithHexString(background);
    p.insert(QStringLiteral("backgroundHexColorString"), t->backgroundHexColorString());
    p.insert(QStringLiteral("fillColor"), DRVGraphic::archivedColor(fill));

    const QString empty = QStringLiteral("");
    p.insert(QStringLiteral("link"), defaulted(t, &T::link, &T::setLink, empty));
    p.insert(QStringLiteral("linkOption"),
             defaulted(t, &T::linkOption, &T::setLinkOption, QStringLiteral("_self")));
    p.insert(QStringLiteral("linkType"), defaulted(t, &T::linkType, &T::setLinkType, QStringLiteral("text")));
    p.insert(QStringLiteral("hoverColorString"),
             defaulted(t, &T::hoverColorString, &T::setHoverColorString, empty));
    p.insert(QStringLiteral("hoverTextColorString"),
             defaulted(t, &T::hoverTextColorString, &T::setHoverTextColorString, empty));

    p.insert(QStringLiteral("formType"), defaulted(t, &T::formType, &T::setFormType, empty));
    p.insert(QStringLiteral("formTag"), d(t->formTag()));
    p.insert(QStringLiteral("formRequiredFlag"), d(t->formRequiredFlag()));
    p.insert(QStringLiteral("formOptionTag"), d(t->formOptionTag()));
    p.insert(QStringLiteral("markAsReplyToEmailFlag"), d(t->markAsReplyToEmailFlag()));

    p.insert(QStringLiteral("moveLock"), d(t->moveLock()));
    p.insert(QStringLiteral("shapeFlag"), d(t->shapeFlag()));
    p.insert(QStringLiteral("groupNumber"), d(t->groupNumber()));
    p.insert(QStringLiteral("manualLayerIndex"), d(t->manualLayerIndex()));
    p.insert(QStringLiteral("snippetFormatFlag"), d(t->snippetFormatFlag()));
    p.insert(QStringLiteral("zoomBubbleFlag"), d(t->zoomBubbleFlag()));
    p.insert(QStringLiteral("matchScreenFlag"), flag(t->matchScreenFlag()));
    p.insert(QStringLiteral("scrollFlag"), flag(t->scrollFlag()));
    p.insert(QStringLiteral("slideShowNumber"), d(kNone));
    p.insert(QStringLiteral("imageLastModDate"), empty);
    p.insert(QStringLiteral("altText"), empty);
    p.insert(QStringLiteral("bubbleShape"), defaulted(t, &T::bubbleShape, &T::setBubbleShape, empty));

    p.insert(QStringLiteral("responsiveResizeFlag"), d(t->responsiveResizeFlag()));
    p.insert(QStringLiteral("responsiveAlignment"), d(t->responsiveAlignment()));
    p.insert(QStringLiteral("sectionNumber"), d(t->sectionNumber()));
    p.insert(QStringLiteral("sectionRowSpot"), d(t->sectionRowSpot()));
    p.insert(QStringLiteral("sectionColumnSpot"), d(t->sectionColumnSpot()));

    insertTextBoxModel(p, t);
    p.insert(QStringLiteral("onClickShowString"),
             defaulted(t, &T::onClickShowString, &T::setOnClickShowString, empty));
    p.insert(QStringLiteral("onClickHideString"),
             defaulted(t, &T::onClickHideString, &T::setOnClickHideString, empty));
    return p;
}

// ---- image ----

QVariantMap imageProperties(TransformView* v)
{
    using V = TransformView;
    const QString empty = QStringLiteral("");
    QVariantMap p;
    p.insert(QStringLiteral("className"), QStringLiteral("DRVImage"));
    const QRectF frame = v->frame();
    // The reflection hangs under the picture inside the graphic's bounds.
    p.insert(QStringLiteral("bounds"),
             platform::stringFromRect(
                 QRectF(frame.x(), frame.y(), frame.width(), frame.height() * (1 + v->reflection()))));
    p.insert(QStringLiteral("reflection"), f(v->reflection()));
    p.insert(QStringLiteral("opacity"), f(v->alpha()));
    p.insert(QStringLiteral("shadowFlag"), v->shadowFlag() != 0 ? QStringLiteral("1") : QStringLiteral("0"));
    p.insert(QStringLiteral("moveLock"), flag(v->moveLock()));

    p.insert(QStringLiteral("groupNumber"), d(v->groupNumber()));
    p.insert(QStringLiteral("backdropLightingFlag"), d(v->backdropLightingFlag()));
    p.insert(QStringLiteral("imageEnlargeFlag"), d(v->imageEnlargeFlag()));
    p.insert(QStringLiteral("manualLayerIndex"), d(v->manualLayerIndex()));
    p.insert(QStringLiteral("borderWidth"), d(v->borderWidth()));
    p.insert(QStringLiteral("slideShowNumber"), d(v->slideShowNumber()));
    p.insert(QStringLiteral("bubbleFlag"), d(v->bubbleFlag()));
    insertIfSet(p, "bubbleShape", v->bubbleShape());

    p.insert(QStringLiteral("altText"), defaulted(v, &V::altText, &V::setAltText, empty));
    p.insert(QStringLiteral("link"), defaulted(v, &V::link, &V::setLink, empty));
    p.insert(QStringLiteral("linkOption"),
             defaulted(v, &V::linkOption, &V::setLinkOption, QStringLiteral("_self")));
    p.insert(QStringLiteral("linkType"), QStringLiteral("text"));

    insertIfSet(p, "imageName", v->imageName());
    insertIfSet(p, "imageType", v->imageType());
    if (v->imageLastModDate().isValid())
        p.insert(QStringLiteral("imageLastModDate"), v->imageLastModDate());
    else
        p.insert(QStringLiteral("imageLastModDate"), empty);
    p.insert(QStringLiteral("retinaFlag"), v->retinaFlag() != 0 ? QStringLiteral("1") : QStringLiteral("0"));
    // The pictures as they are: a page's open would otherwise encode and decode every one again.
    p.insert(QStringLiteral("contents"), QVariant::fromValue(v->image()));
    p.insert(QStringLiteral("maskImage"), QVariant::fromValue(v->maskImage()));

    p.insert(QStringLiteral("textHexColorString"), QStringLiteral("000000"));
    p.insert(QStringLiteral("backgroundHexColorString"), QStringLiteral("FFFFFF"));
    p.insert(QStringLiteral("borderColor"), archivedHexColour(v->borderHexColorString()));
    p.insert(QStringLiteral("borderHexColorString"),
             defaulted(v, &V::borderHexColorString, &V::setBorderHexColorString, QStringLiteral("000000")));
    insertIfSet(p, "borderStyle", v->borderStyle());
    p.insert(QStringLiteral("scrollFlag"), flag(v->scrollFlag()));

    p.insert(QStringLiteral("rotationAngle"), f(v->rotationAngle()));
    p.insert(QStringLiteral("shadowRadius"), f(v->shadowRadius()));
    p.insert(QStringLiteral("shadowHorizontalOffset"), f(v->shadowHorizontalOffset()));
    p.insert(QStringLiteral("shadowVerticalOffset"), f(v->shadowVerticalOffset()));
    p.insert(QStringLiteral("responsiveResizeFlag"), d(v->responsiveResizeFlag()));
    p.insert(QStringLiteral("responsiveAlignment"), d(v->responsiveAlignment()));
    p.insert(QStringLiteral("sectionNumber"), d(v->sectionNumber()));
    p.insert(QStringLiteral("sectionRowSpot"), d(v->sectionRowSpot()));
    p.insert(QStringLiteral("sectionColumnSpot"), d(v->sectionColumnSpot()));
    p.insert(QStringLiteral("topPadding"), d(v->topPadding()));
    p.insert(QStringLiteral("bottomPadding"), d(v->bottomPadding()));
    p.insert(QStringLiteral("leftPadding"), d(v->leftPadding()));
    p.insert(QStringLiteral("rightPadding"), d(v->rightPadding()));
    p.insert(QStringLiteral("topMargin"), d(v->topMargin()));
    p.insert(QStringLiteral("bottomMargin"), d(v->bottomMargin()));
    p.insert(QStringLiteral("leftMargin"), d(v->leftMargin()));
    p.insert(QStringLiteral("rightMargin"), d(v->rightMargin()));
    insertIfSet(p, "topPaddingType", v->topPaddingType());
    insertIfSet(p, "bottomPaddingType", v->bottomPaddingType());
    insertIfSet(p, "leftPaddingType", v->leftPaddingType());
    insertIfSet(p, "rightPaddingType", v->rightPaddingType());
    insertIfSet(p, "topMarginType", v->topMarginType());
    insertIfSet(p, "bottomMarginType", v->bottomMarginType());
    insertIfSet(p, "leftMarginType", v->leftMarginType());
    insertIfSet(p, "rightMarginType", v->rightMarginType());
    return p;
}

// ---- line ----

QVariantMap lineProperties(LineView* l)
{
    QVariantMap p;
    p.insert(QStringLiteral("className"), QStringLiteral("DRVLine"));
    p.insert(QStringLiteral("beginPoint"), platform::stringFromPoint(l->beginPoint()));
    p.insert(QStringLiteral("endPoint"), platform::stringFromPoint(l->endPoint()));
    p.insert(QStringLiteral("opacity"), f(l->alphaValue()));
    p.insert(QStringLiteral("borderWidth"), double(l->borderWidth()));
    p.insert(QStringLiteral("slideShowNumber"), d(kNone));
    p.insert(QStringLiteral("groupNumber"), d(l->groupNumber()));
    p.insert(QStringLiteral("borderColor"), archivedHexColour(l->borderHexColorString()));
    insertIfSet(p, "borderHexColorString", l->borderHexColorString());
    insertIfSet(p, "borderStyle", l->borderStyle());
    p.insert(QStringLiteral("drawBeginArrow"), d(l->drawBeginArrow() ? 1 : 0));
    p.insert(QStringLiteral("drawEndArrow"), d(l->drawEndArrow() ? 1 : 0));
    // The page keeps a line's lock, scrolling and layer; reopening the page must not drop them.
    p.insert(QStringLiteral("moveLock"), d(l->moveLock()));
    p.insert(QStringLiteral("scrollFlag"), flag(l->scrollFlag()));
    p.insert(QStringLiteral("manualLayerIndex"), d(l->manualLayerIndex()));
    return p;
}

// ---- slideshow ----

QVariantMap slideshowProperties(OuterSlideShow* s, const QList<QObject*>& carriers, const Members& index)
{
    struct Member
    {
        TransformView* slide;
        int imageNameIndex;
    };
    QList<Member> members;
    for (const qsizetype i : index.imagesBySlideshow.value(s->slideShowNumber())) {
        auto* slide = static_cast<TransformView*>(carriers.at(i));
        slide->setSlideNumber(int(i));
        // The number after "image" in the picture's name gives the order of the slides.
        members.append({slide, platform::intValue(platform::substringFromIndex(slide->imageName(), 5))});
    }
    std::stable_sort(members.begin(), members.end(),
                     [](const Member& a, const Member& b) { return a.imageNameIndex < b.imageNameIndex; });
    QList<TransformView*> slides;
    for (const Member& member : members)
        slides.append(member.slide);

    const QString empty = QStringLiteral("");
    QVariantMap p;
    p.insert(QStringLiteral("className"), QStringLiteral("DRVSlideshow"));
    p.insert(QStringLiteral("imageArray"), QVariant::fromValue(slides));
    p.insert(QStringLiteral("bounds"), platform::stringFromRect(s->frame()));
    p.insert(QStringLiteral("groupNumber"), d(s->groupNumber()));
    p.insert(QStringLiteral("slideShowAutomaticFlag"), d(s->slideShowAutomaticFlag()));
    p.insert(QStringLiteral("manualLayerIndex"), d(s->manualLayerIndex()));
    p.insert(QStringLiteral("moveLock"), s->moveLock() != 0 ? QStringLiteral("1") : QStringLiteral("0"));
    // Kept like every other graphic's scrolling, rather than dropped on each reopening.
    p.insert(QStringLiteral("scrollFlag"), flag(s->scrollFlag()));
    p.insert(QStringLiteral("totalNumofSlide"), d(int(slides.size())));
    p.insert(QStringLiteral("fontAlignment"), QStringLiteral("1"));
    p.insert(QStringLiteral("cornerRadius"), f(0));
    p.insert(QStringLiteral("fontSize"), f(25));
    p.insert(QStringLiteral("opacity"), f(1));
    p.insert(QStringLiteral("shadowFlag"), QStringLiteral("0"));
    p.insert(QStringLiteral("fontColor"), QStringLiteral("DC143C"));
    p.insert(QStringLiteral("fillColor"), QStringLiteral("ffffff"));
    p.insert(QStringLiteral("fontFamily"), QStringLiteral("Helvetica Neue"));
    p.insert(QStringLiteral("borderStyle"), QStringLiteral("dashed"));
    p.insert(QStringLiteral("link"), empty);
    p.insert(QStringLiteral("textString"), QStringLiteral("Right click to edit slideshow"));
    p.insert(QStringLiteral("textType"), empty);
    p.insert(QStringLiteral("imageLastModDate"), empty);
    p.insert(QStringLiteral("slideShowNumber"), d(kNone));
    p.insert(QStringLiteral("altText"), empty);
    p.insert(QStringLiteral("textHexColorString"), QStringLiteral("000000"));
    p.insert(QStringLiteral("backgroundHexColorString"), QStringLiteral("FFFFFF"));
    p.insert(QStringLiteral("linkOption"), QStringLiteral("_self"));
    p.insert(QStringLiteral("linkType"), QStringLiteral("text"));
    return p;
}

// ---- gallery ----

QVariantMap galleryProperties(GalleryGridView* g, const QList<QObject*>& carriers, const Members& index)
{
    QList<TransformView*> pictures;
    for (const qsizetype i : index.imagesByGallery.value(g->galleryNumber()))
        pictures.append(static_cast<TransformView*>(carriers.at(i)));
    QVariantMap p;
    p.insert(QStringLiteral("className"), QStringLiteral("DRVGalleryGrid"));
    p.insert(QStringLiteral("imageArray"), QVariant::fromValue(pictures));
    p.insert(QStringLiteral("bounds"), platform::stringFromRect(g->frame()));
    p.insert(QStringLiteral("shadowFlag"), d(g->shadowFlag()));
    p.insert(QStringLiteral("backdropLightingFlag"), d(g->backdropLightingFlag()));
    p.insert(QStringLiteral("moveLock"), d(g->moveLock()));
    p.insert(QStringLiteral("groupNumber"), d(g->groupNumber()));
    p.insert(QStringLiteral("numOfRows"), d(g->numOfRows()));
    p.insert(QStringLiteral("numOfColumns"), d(g->numOfColumns()));
    p.insert(QStringLiteral("padding"), d(g->padding()));
    p.insert(QStringLiteral("manualLayerIndex"), d(g->manualLayerIndex()));
    p.insert(QStringLiteral("scrollFlag"), flag(g->scrollFlag()));
    p.insert(QStringLiteral("linkType"), QStringLiteral("text"));
    return p;
}

// ---- table ----

// A cell's text starts plain: the table applies its own style to every cell.
QTextDocument* plainCellText(const myTextView* cell)
{
    return new QTextDocument(cell->textView()->string());
}

// prepared: cells' plain texts made ahead, by carrier index; a cell's is taken when present.
QVariantMap tableProperties(TableGridView* t, const QList<QObject*>& carriers, const Members& index,
                            std::vector<std::unique_ptr<QTextDocument>>& prepared)
{
    QList<myTextView*> cells;
    QList<TransformView*> images;
    QList<TransformView*> backgrounds;
    for (const qsizetype i : index.textsByTable.value(t->tableNumber())) {
        auto* cell = static_cast<myTextView*>(carriers.at(i));
        QTextDocument* text = size_t(i) < prepared.size() ? prepared[size_t(i)].release() : nullptr;
        cell->setTextStorage(text ? text : plainCellText(cell));
        cells.append(cell);
    }
    if (edition().gTableImagesFlag) {
        for (const qsizetype i : index.imagesByTable.value(t->tableNumber())) {
            auto* image = static_cast<TransformView*>(carriers.at(i));
            if (image->rowSpot() == kNone && image->columnSpot() == kNone) {
                image->setForceNonRetinaFlag(1);
                backgrounds.append(image);
            } else {
                images.append(image);
            }
        }
    }

    QVariantMap p;
    p.insert(QStringLiteral("className"), QStringLiteral("DRVTable"));
    p.insert(QStringLiteral("cellArray"), QVariant::fromValue(cells));
    p.insert(QStringLiteral("imageArray"), QVariant::fromValue(images));
    if (!backgrounds.isEmpty())
        p.insert(QStringLiteral("tableBackgroundArray"), QVariant::fromValue(backgrounds));
    p.insert(QStringLiteral("bounds"), platform::stringFromRect(t->frame()));
    p.insert(QStringLiteral("moveLock"), d(t->moveLock()));
    p.insert(QStringLiteral("groupNumber"), d(t->groupNumber()));
    p.insert(QStringLiteral("numOfRows"), d(t->numOfRows()));
    p.insert(QStringLiteral("numOfColumns"), d(t->numOfColumns()));
    p.insert(QStringLiteral("padding"), d(t->padding()));
    p.insert(QStringLiteral("manualLayerIndex"), d(t->manualLayerIndex()));
    p.insert(QStringLiteral("initialLaunchStateFlag"), d(t->initialLaunchStateFlag()));
    p.insert(QStringLiteral("scrollFlag"), flag(t->scrollFlag()));
    insertIfSet(p, "sectionIDString", t->sectionIDString());
    insertIfSet(p, "gridType", t->gridType());

    p.insert(QStringLiteral("topPadding"), d(t->topPadding()));
    p.insert(QStringLiteral("bottomPadding"), d(t->bottomPadding()));
    p.insert(QStringLiteral("leftPadding"), d(t->leftPadding()));
    p.insert(QStringLiteral("rightPadding"), d(t->rightPadding()));
    p.insert(QStringLiteral("topMargin"), d(t->topMargin()));
    p.insert(QStringLiteral("bottomMargin"), d(t->bottomMargin()));
    p.insert(QStringLiteral("leftMargin"), d(t->leftMargin()));
    p.insert(QStringLiteral("rightMargin"), d(t->rightMargin()));
    insertIfSet(p, "topPaddingType", t->topPaddingType());
    insertIfSet(p, "bottomPaddingType", t->bottomPaddingType());
    insertIfSet(p, "leftPaddingType", t->leftPaddingType());
    insertIfSet(p, "rightPaddingType", t->rightPaddingType());
    insertIfSet(p, "topMarginType", t->topMarginType());
    insertIfSet(p, "bottomMarginType", t->bottomMarginType());
    insertIfSet(p, "leftMarginType", t->leftMarginType());
    insertIfSet(p, "rightMarginType", t->rightMarginType());
    insertLevelStrings(p, t);

    p.insert(QStringLiteral("fontSize"), QStringLiteral("28"));
    p.insert(QStringLiteral("fontFamily"), QStringLiteral("Anton"));
    p.insert(QStringLiteral("textHexColorString"), QStringLiteral("4f4c4c"));
    p.insert(QStringLiteral("borderStyle"), QStringLiteral("dashed"));
    p.insert(QStringLiteral("opacity"), QStringLiteral("1.0"));
    p.insert(QStringLiteral("shadowFlag"), QStringLiteral("0"));
    p.insert(QStringLiteral("reflection"), QStringLiteral("0"));
    p.insert(QStringLiteral("linkType"), QStringLiteral("text"));
    return p;
}

} // namespace

namespace {

// One element of a converted page: its dictionary, or its graphic where it was built ahead.
struct Converted
{
    QVariantMap properties;
    DRVGraphic* graphic = nullptr;
};

// The carriers' dictionaries in page order. With buildFor, the text boxes of no table, and the
// images and lines that nothing gathers, are built into graphics on the thread pool as well, and
// handed over to buildFor's thread, without a parent.
std::vector<Converted> convert(const QList<QObject*>& carriers, const QString& templateName,
                               QThread* buildFor)
{
    // Form fields first: a form field is a text box of its own wherever it stands in the page, so
    // no table gathers it, whether the table comes before or after it.
    for (QObject* carrier : carriers) {
        auto* text = qobject_cast<myTextView*>(carrier);
        if (!text)
            continue;
        if (text->formType().isEmpty())
            text->setFormType(QStringLiteral(""));
        if (!text->formType().isEmpty())
            text->setTableNumber(kNone);
    }

    // A gallery's pictures live in the gallery alone: DRVGalleryGrid's imageArray holds them, draws
    // them and hands them to the page writer, which writes each once with the gallery's number. As
    // images of their own as well they would stand twice on the canvas and be written twice on the
    // next save. A picture whose gallery is not in the page stays an image, so nothing is lost.
    QSet<int> galleries;
    for (QObject* carrier : carriers) {
        if (auto* gallery = qobject_cast<GalleryGridView*>(carrier))
            galleries.insert(gallery->galleryNumber());
    }

    // Most of a long page is converted ahead on the thread pool: each conversion reads and
    // defaults its own carrier alone, and a graphic built from it touches nothing but itself.
    // A table, slideshow or gallery without a number would gather the elements of none as its
    // own, reading them in page order; then what it could gather is converted in turn like the
    // rest. A table's cells are only defaulted ahead (their table gathers them), and their plain
    // texts made for the table to take.
    std::vector<Converted> ahead(size_t(carriers.size()));
    std::vector<char> converted(size_t(carriers.size()), 0); // not vector<bool>: set from several threads
    std::vector<std::unique_ptr<QTextDocument>> cellTexts(size_t(carriers.size()));
    bool unnumberedTable = false;
    bool unnumberedGroup = false;
    for (QObject* carrier : carriers) {
        if (auto* table = qobject_cast<TableGridView*>(carrier))
            unnumberedTable = unnumberedTable || table->tableNumber() == kNone;
        else if (auto* slideshow = qobject_cast<OuterSlideShow*>(carrier))
            unnumberedGroup = unnumberedGroup || slideshow->slideShowNumber() == kNone;
        else if (auto* gallery = qobject_cast<GalleryGridView*>(carrier))
            unnumberedGroup = unnumberedGroup || gallery->galleryNumber() == kNone;
    }
    std::vector<qsizetype> aheadIndexes;
    for (qsizetype i = 0; i < carriers.size(); ++i) {
        QObject* carrier = carriers[i];
        if (qobject_cast<myTextView*>(carrier)) {
            if (!unnumberedTable)
                aheadIndexes.push_back(i);
        } else if (qobject_cast<LineView*>(carrier)) {
            aheadIndexes.push_back(i);
        } else if (auto* image = qobject_cast<TransformView*>(carrier)) {
            const bool free =
                image->slideShowNumber() == kNone && image->tableNumber() == kNone &&
                !(image->galleryNumber() != kNone && galleries.contains(image->galleryNumber()));
            if (free && !unnumberedTable && !unnumberedGroup)
                aheadIndexes.push_back(i);
        }
    }
    QThread* const cellsFor = buildFor ? buildFor : QThread::currentThread();
    platform::concurrentFor(qsizetype(aheadIndexes.size()), kAheadBatch, [&](qsizetype k) {
        const size_t i = size_t(aheadIndexes[size_t(k)]);
        QObject* carrier = carriers[qsizetype(i)];
        QVariantMap p;
        if (auto* text = qobject_cast<myTextView*>(carrier)) {
            p = textProperties(text);
            if (text->tableNumber() != kNone) {
                QTextDocument* plain = plainCellText(text);
                plain->moveToThread(cellsFor);
                cellTexts[i].reset(plain);
                converted[i] = 1;
                return;
            }
        } else if (auto* line = qobject_cast<LineView*>(carrier)) {
            p = lineProperties(line);
        } else {
            p = imageProperties(static_cast<TransformView*>(carrier));
        }
        p.insert(QStringLiteral("templateName"), templateName);
        if (buildFor) {
            if (DRVGraphic* graphic = DRVGraphic::graphicWithProperties(p, nullptr)) {
                graphic->moveToThread(buildFor);
                ahead[i].graphic = graphic;
            }
        } else {
            ahead[i].properties = std::move(p);
        }
        converted[i] = 1;
    });

    const Members index = membersOf(carriers);
    std::vector<Converted> result;
    result.reserve(size_t(carriers.size()));
    for (qsizetype i = 0; i < carriers.size(); ++i) {
        QObject* carrier = carriers[i];
        if (converted[size_t(i)]) {
            if (ahead[size_t(i)].graphic || !ahead[size_t(i)].properties.isEmpty())
                result.push_back(std::move(ahead[size_t(i)]));
            continue;
        }
        QVariantMap p;
        if (auto* text = qobject_cast<myTextView*>(carrier)) {
            p = textProperties(text);
            if (text->tableNumber() != kNone)
                continue;
        } else if (auto* gallery = qobject_cast<GalleryGridView*>(carrier)) {
            p = galleryProperties(gallery, carriers, index);
        } else if (auto* table = qobject_cast<TableGridView*>(carrier)) {
            p = tableProperties(table, carriers, index, cellTexts);
        } else if (auto* line = qobject_cast<LineView*>(carrier)) {
            p = lineProperties(line);
        } else if (auto* slideshow = qobject_cast<OuterSlideShow*>(carrier)) {
            p = slideshowProperties(slideshow, carriers, index);
        } else if (auto* image = qobject_cast<TransformView*>(carrier)) {
            if (image->slideShowNumber() != kNone || image->tableNumber() != kNone)
                continue;
            if (image->galleryNumber() != kNone && galleries.contains(image->galleryNumber()))
                continue;
            p = imageProperties(image);
        } else {
            continue;
        }
        p.insert(QStringLiteral("templateName"), templateName);
        result.push_back({std::move(p), nullptr});
    }
    return result;
}

} // namespace

QVariantList CarrierConversion::convertArrayToProperties(const QList<QObject*>& carriers,
                                                         const QString& templateName)
{
    QVariantList result;
    for (Converted& element : convert(carriers, templateName, nullptr))
        result.append(std::move(element.properties));
    return result;
}

QList<DRVGraphic*> CarrierConversion::graphicsWithCarriers(const QList<QObject*>& carriers,
                                                           const QString& templateName, QObject* parent)
{
    QThread* thread = parent ? parent->thread() : QThread::currentThread();
    QList<DRVGraphic*> graphics;
    for (Converted& element : convert(carriers, templateName, thread)) {
        if (element.graphic) {
            element.graphic->setParent(parent);
            graphics.append(element.graphic);
        } else if (DRVGraphic* graphic = DRVGraphic::graphicWithProperties(element.properties, parent)) {
            graphics.append(graphic);
        }
    }
    return graphics;
}
