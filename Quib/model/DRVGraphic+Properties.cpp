// The graphic property dictionary: every graphic is written as one and built again from one.
#include "editions/DataCentre.h"
#include "model/DRVGraphic.h"
#include "model/GraphicClipboard.h"
#include "model/GraphicRegistry.h"
#include "model/PageContext.h"
#include "platform/Format.h"
#include "platform/Geometry.h"
#include "platform/StringRules.h"

#include <QBuffer>
#include <QDataStream>
#include <QImage>

#include <algorithm>
#include <cctype>

namespace {

// First byte of archived colours and images; a different byte is a format this build cannot read.
constexpr char kArchiveVersion = 1;

bool isSixHexDigits(const QString& s)
{
    if (s.size() != 6)
        return false;
    return std::all_of(s.begin(), s.end(), [](QChar c) { return std::isxdigit(c.toLatin1()) != 0; });
}

bool isNumber(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

bool isString(const QVariant& v)
{
    return v.typeId() == QMetaType::QString;
}

bool isClear(const QColor& c)
{
    return !c.isValid() || c.alpha() == 0;
}

// Reads a dictionary: "if present" keys fall back to their own default, the others to nothing.
class Reader
{
public:
    explicit Reader(const QVariantMap& p) : m_p(p) {}
    bool has(const char* key) const { return m_p.contains(QLatin1String(key)); }
    QVariant value(const char* key) const { return m_p.value(QLatin1String(key)); }
    int integer(const char* key) const { return DRVGraphic::intFromProperty(value(key)); }
    // One look-up each: a page builds thousands of graphics from these maps.
    int integer(const char* key, int absent) const
    {
        const QVariant* v = find(key);
        return v ? DRVGraphic::intFromProperty(*v) : absent;
    }
    float real(const char* key) const { return float(DRVGraphic::doubleFromProperty(value(key))); }
    float real(const char* key, float absent) const
    {
        const QVariant* v = find(key);
        return v ? float(DRVGraphic::doubleFromProperty(*v)) : absent;
    }
    QString string(const char* key) const { return DRVGraphic::stringFromProperty(value(key)); }
    QString string(const char* key, const QString& absent) const
    {
        const QVariant* v = find(key);
        return v ? DRVGraphic::stringFromProperty(*v) : absent;
    }

private:
    const QVariant* find(const char* key) const
    {
        const auto it = m_p.constFind(QString::fromLatin1(key));
        return it == m_p.constEnd() ? nullptr : &*it;
    }

    const QVariantMap& m_p;
};

} // namespace

// ---- value forms ----

int DRVGraphic::intFromProperty(const QVariant& value)
{
    if (isString(value))
        return platform::intValue(value.toString());
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? 1 : 0;
    if (isNumber(value))
        return platform::truncToInt(value.toDouble());
    return 0;
}

double DRVGraphic::doubleFromProperty(const QVariant& value)
{
    if (isString(value))
        return platform::doubleValue(value.toString());
    if (isNumber(value))
        return value.toDouble();
    return 0;
}

QString DRVGraphic::stringFromProperty(const QVariant& value)
{
    if (isString(value))
        return value.toString();
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    if (isNumber(value))
        return platform::numberDescription(value.toDouble());
    return {};
}

QString DRVGraphic::intProperty(int value)
{
    // As "%d" writes it, without the formatter's parsing: text boxes carry dozens of these.
    return QString::number(value);
}

QString DRVGraphic::realProperty(double value)
{
    return platform::format(QStringLiteral("%f"), {value});
}

QByteArray DRVGraphic::archivedColor(const QColor& color)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << qint8(kArchiveVersion) << color;
    return bytes;
}

QColor DRVGraphic::unarchivedColor(const QVariant& value)
{
    const QColor clear(Qt::transparent);
    if (value.typeId() != QMetaType::QByteArray)
        return clear;
    const QByteArray bytes = value.toByteArray();
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_6_0);
    qint8 version = 0;
    QColor color;
    in >> version;
    if (in.status() != QDataStream::Ok || version != kArchiveVersion)
        return clear;
    // The stream's colour-model byte is taken by Qt unchecked: a model Qt does not know would be an
    // enumerator that does not exist, so it is refused like any other damage.
    if (bytes.size() < 2 || quint8(bytes.at(1)) > quint8(QColor::ExtendedRgb))
        return clear;
    in >> color;
    if (in.status() != QDataStream::Ok || !in.atEnd())
        return clear;
    return color;
}

QByteArray DRVGraphic::archivedImage(const QImage& image)
{
    QByteArray bytes(1, kArchiveVersion);
    if (image.isNull())
        return bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly | QIODevice::Append);
    image.save(&buffer, "PNG");
    return bytes;
}

QImage DRVGraphic::unarchivedImage(const QVariant& value)
{
    if (value.typeId() == QMetaType::QImage)
        return value.value<QImage>();
    if (value.typeId() != QMetaType::QByteArray)
        return {};
    const QByteArray bytes = value.toByteArray();
    if (bytes.size() < 2 || bytes.at(0) != kArchiveVersion)
        return {};
    return QImage::fromData(bytes.mid(1), "PNG");
}

// ---- reading ----

void DRVGraphic::initWithProperties(const QVariantMap& properties)
{
    const Reader r(properties);
    const QVariant bounds = r.value("bounds");
    auto rectOf = [](const QVariant& v) {
        if (isString(v))
            return platform::rectFromString(v.toString());
        if (v.typeId() == QMetaType::QRectF || v.typeId() == QMetaType::QRect)
            return v.toRectF();
        return QRectF();
    };
    if (isString(bounds))
        setBounds(rectOf(bounds));
    if (isNumber(r.value("drawingFill")))
        setDrawingFill(r.value("drawingFill").toBool());
    if (isNumber(r.value("drawingStroke")))
        setDrawingStroke(r.value("drawingStroke").toBool());
    if (isNumber(r.value("strokeWidth")))
        setStrokeWidth(r.value("strokeWidth").toDouble());
    setBounds(rectOf(bounds));
    // Every graphic built from a dictionary draws its fill.
    setDrawingFill(true);

    setBorderStyle(r.string("borderStyle", QStringLiteral("none")));
    setFillColor(unarchivedColor(r.value("fillColor")));
    setCornerRadius(r.integer("cornerRadius"));
    setFontFamily(r.string("fontFamily"));
    setFontSize(r.integer("fontSize"));
    const QColor fontColour = DataCentre::colorWithHexString(r.string("fontColor"));
    setFontColor(fontColour);
    setStrokeColor(fontColour);
    setOpacity(r.real("opacity"));
    setShadowFlag(r.integer("shadowFlag"));
    setFontAlignment(r.integer("fontAlignment"));
    setVerticalAlignment(r.integer("verticalAlignment"));
    setMoveLock(r.integer("moveLock"));
    setLink(r.string("link", QStringLiteral("")));
    setTextType(r.string("textType", QStringLiteral("")));
    setSlideShowNumber(r.integer("slideShowNumber"));
    setShapeFlag(r.integer("shapeFlag"));
    setBackgroundHexColorString(r.string("backgroundHexColorString", QStringLiteral("CLEAR0")));
    setTextHexColorString(r.string("textHexColorString", QStringLiteral("000000")));
    setLinkOption(r.string("linkOption", QStringLiteral("_self")));
    setAltText(r.string("altText", QStringLiteral("")));
    setGroupNumber(r.integer("groupNumber", -99));
    setImageEnlargeFlag(r.integer("imageEnlargeFlag", -99));
    setSlideShowAutomaticFlag(r.integer("slideShowAutomaticFlag", 0));
    setGalleryNumber(r.integer("galleryNumber", -99));

    // Graphics of the base template can be selected only while the base template is edited.
    setTemplateName(r.string("templateName"));
    PageContext& context = PageContext::current();
    const bool foreignTemplate = templateName() == QLatin1String("basetemplate") &&
                                 context.hasWindowController() &&
                                 context.documentPageName() != QLatin1String("basetemplate");
    setSelectable(!foreignTemplate);

    setHoverColorString(r.string("hoverColorString", QStringLiteral("")));
    setHoverTextColorString(r.string("hoverTextColorString", QStringLiteral("")));
    setBackdropLightingFlag(r.integer("backdropLightingFlag", 0));
    setLinkType(r.string("linkType", QStringLiteral("text")));
    setFormType(r.string("formType", QStringLiteral("")));
    setFormTag(r.integer("formTag", 0));
    setFormRequiredFlag(r.integer("formRequiredFlag", 0));
    setFormOptionTag(r.integer("formOptionTag", -99));
    setScrollFlag(r.integer("scrollFlag", 0));
    setMatchScreenFlag(r.integer("matchScreenFlag", 0) != 0);
    setManualLayerIndex(r.integer("manualLayerIndex", 0));
    setSnippetFormatFlag(r.integer("snippetFormatFlag", 0) != 0);
    setBorderHexColorString(r.string("borderHexColorString", QStringLiteral("000000")));
    setBorderColor(unarchivedColor(r.value("borderColor")));
    setBorderWidth(r.integer("borderWidth"));
    setLineSpacing(r.real("lineSpacing", 1.25f));
    setShadowRadius(r.real("shadowRadius", 0));
    setShadowHorizontalOffset(r.real("shadowHorizontalOffset", 0));
    setShadowVerticalOffset(r.real("shadowVerticalOffset", 0));
    setRotationAngle(r.real("rotationAngle", 0));
    setResponsiveResizeFlag(r.integer("responsiveResizeFlag", 0));
    setResponsiveAlignment(r.integer("responsiveAlignment", 0));
    setSectionNumber(r.integer("sectionNumber", -99));
    setSectionRowSpot(r.integer("sectionRowSpot", -99));
    setSectionColumnSpot(r.integer("sectionColumnSpot", -99));
    setMarkAsReplyToEmailFlag(r.integer("markAsReplyToEmailFlag", 0));

    setTopPadding(r.integer("topPadding", 0));
    setBottomPadding(r.integer("bottomPadding", 0));
    setRightPadding(r.integer("rightPadding", 0));
    setLeftPadding(r.integer("leftPadding", 0));
    setTopMargin(r.integer("topMargin", 0));
    setBottomMargin(r.integer("bottomMargin", 0));
    setRightMargin(r.integer("rightMargin", 0));
    setLeftMargin(r.integer("leftMargin", 0));
    const QString percent = QStringLiteral("%");
    setTopPaddingType(r.string("topPaddingType", percent));
    setBottomPaddingType(r.string("bottomPaddingType", percent));
    setRightPaddingType(r.string("rightPaddingType", percent));
    setLeftPaddingType(r.string("leftPaddingType", percent));
    setTopMarginType(r.string("topMarginType", percent));
    setBottomMarginType(r.string("bottomMarginType", percent));
    setRightMarginType(r.string("rightMarginType", percent));
    setLeftMarginType(r.string("leftMarginType", percent));
    const QString none = QStringLiteral("None");
    setTopPaddingLevelString(r.string("topPaddingLevelString", none));
    setBottomPaddingLevelString(r.string("bottomPaddingLevelString", none));
    setRightPaddingLevelString(r.string("rightPaddingLevelString", none));
    setLeftPaddingLevelString(r.string("leftPaddingLevelString", none));
    setTopMarginLevelString(r.string("topMarginLevelString", none));
    setBottomMarginLevelString(r.string("bottomMarginLevelString", none));
    setRightMarginLevelString(r.string("rightMarginLevelString", none));
    setLeftMarginLevelString(r.string("leftMarginLevelString", none));

    setSectionIDString(r.string("sectionIDString", QStringLiteral("")));
    setOnClickHideString(r.string("onClickHideString", QStringLiteral("")));
    setOnClickShowString(r.string("onClickShowString", QStringLiteral("")));
    setInitialLaunchStateFlag(r.integer("initialLaunchStateFlag", 0));
}

// ---- writing ----

QVariantMap DRVGraphic::properties() const
{
    // Writing normalises a few values in the graphic itself, as readers of the graphic expect
    // after a copy; none of them changes what the graphic looks like.
    auto* self = const_cast<DRVGraphic*>(this);
    if (m_link.isEmpty())
        self->setLink(QStringLiteral(""));
    if (m_templateName.isEmpty())
        self->setTemplateName(QStringLiteral(""));
    if (m_hoverColorString.isEmpty())
        self->setHoverColorString(QStringLiteral(""));
    if (m_hoverTextColorString.isEmpty())
        self->setHoverTextColorString(QStringLiteral(""));
    if (m_linkType.isEmpty())
        self->setLinkType(QStringLiteral("shape"));
    if (m_formType.isEmpty() || m_formType == QLatin1String("(null)"))
        self->setFormType(QStringLiteral(""));
    // The hex string follows the border colour. A graphic whose colour was given as hex alone keeps
    // that string: the page writer draws with it, so black here would contradict the page.
    // "CLEAR0" with a clear (or no) colour stays clear: as hex digits it would become a colour.
    const bool clear = m_borderHexColorString == QLatin1String("CLEAR0") &&
                       (!m_borderColor.isValid() || m_borderColor.alpha() == 0);
    const QString borderHex = clear ? QString() : DataCentre::asHexString(m_borderColor);
    if (!borderHex.isEmpty())
        self->setBorderHexColorString(borderHex);
    else if (!clear && !isSixHexDigits(m_borderHexColorString))
        self->setBorderHexColorString(QStringLiteral("000000"));

    // A string that was never set is written as the empty string.
    auto text = [](const QString& s) { return s.isNull() ? QStringLiteral("") : s; };
    QVariantMap p;
    p.insert(QStringLiteral("bounds"), platform::stringFromRect(m_bounds));
    p.insert(QStringLiteral("drawingFill"), bool(m_drawingFill));
    p.insert(QStringLiteral("drawingStroke"), bool(m_drawingStroke));
    p.insert(QStringLiteral("strokeWidth"), double(m_strokeWidth));
    if (isClear(m_fillColor))
        p.insert(QStringLiteral("fillColor"), QStringLiteral(""));
    else
        p.insert(QStringLiteral("fillColor"), archivedColor(m_fillColor));
    p.insert(QStringLiteral("cornerRadius"), realProperty(m_cornerRadius));
    p.insert(QStringLiteral("borderStyle"), text(m_borderStyle));
    p.insert(QStringLiteral("opacity"), realProperty(m_opacity));
    p.insert(QStringLiteral("shadowFlag"), intProperty(m_shadowFlag));
    p.insert(QStringLiteral("fontColor"),
             isClear(m_fontColor) ? QStringLiteral("") : DataCentre::asHexString(m_fontColor));
    p.insert(QStringLiteral("verticalAlignment"), intProperty(m_verticalAlignment));
    p.insert(QStringLiteral("link"), text(m_link));
    p.insert(QStringLiteral("textType"), text(m_textType));
    if (!m_backgroundHexColorString.isEmpty())
        p.insert(QStringLiteral("backgroundHexColorString"), m_backgroundHexColorString);
    p.insert(QStringLiteral("textHexColorString"), text(m_textHexColorString));
    p.insert(QStringLiteral("linkOption"), text(m_linkOption));
    p.insert(QStringLiteral("altText"), text(m_altText));
    p.insert(QStringLiteral("galleryNumber"), intProperty(m_galleryNumber));
    p.insert(QStringLiteral("templateName"), text(m_templateName));
    p.insert(QStringLiteral("hoverColorString"), text(m_hoverColorString));
    p.insert(QStringLiteral("hoverTextColorString"), text(m_hoverTextColorString));
    p.insert(QStringLiteral("backdropLightingFlag"), intProperty(m_backdropLightingFlag));
    p.insert(QStringLiteral("linkType"), text(m_linkType));
    p.insert(QStringLiteral("formType"), text(m_formType));
    p.insert(QStringLiteral("formTag"), intProperty(m_formTag));
    p.insert(QStringLiteral("formRequiredFlag"), intProperty(m_formRequiredFlag));
    p.insert(QStringLiteral("formOptionTag"), intProperty(m_formOptionTag));
    p.insert(QStringLiteral("scrollFlag"), m_scrollFlag == 1 ? QStringLiteral("1") : QStringLiteral("0"));
    p.insert(QStringLiteral("matchScreenFlag"), intProperty(m_matchScreenFlag ? 1 : 0));
    p.insert(QStringLiteral("snippetFormatFlag"), intProperty(m_snippetFormatFlag ? 1 : 0));
    p.insert(QStringLiteral("borderHexColorString"), text(m_borderHexColorString));
    p.insert(QStringLiteral("borderColor"), archivedColor(m_borderColor));
    p.insert(QStringLiteral("borderWidth"), double(m_borderWidth));
    p.insert(QStringLiteral("lineSpacing"), realProperty(m_lineSpacing));
    p.insert(QStringLiteral("shadowRadius"), realProperty(m_shadowRadius));
    p.insert(QStringLiteral("shadowHorizontalOffset"), realProperty(m_shadowHorizontalOffset));
    p.insert(QStringLiteral("shadowVerticalOffset"), realProperty(m_shadowVerticalOffset));
    p.insert(QStringLiteral("rotationAngle"), realProperty(m_rotationAngle));
    p.insert(QStringLiteral("responsiveResizeFlag"), intProperty(m_responsiveResizeFlag));
    p.insert(QStringLiteral("responsiveAlignment"), intProperty(m_responsiveAlignment));
    p.insert(QStringLiteral("sectionNumber"), intProperty(m_sectionNumber));
    p.insert(QStringLiteral("sectionRowSpot"), intProperty(m_sectionRowSpot));
    p.insert(QStringLiteral("sectionColumnSpot"), intProperty(m_sectionColumnSpot));
    p.insert(QStringLiteral("markAsReplyToEmailFlag"), intProperty(m_markAsReplyToEmailFlag));
    p.insert(QStringLiteral("topPadding"), intProperty(m_topPadding));
    p.insert(QStringLiteral("bottomPadding"), intProperty(m_bottomPadding));
    p.insert(QStringLiteral("rightPadding"), intProperty(m_rightPadding));
    p.insert(QStringLiteral("leftPadding"), intProperty(m_leftPadding));
    p.insert(QStringLiteral("topMargin"), intProperty(m_topMargin));
    p.insert(QStringLiteral("bottomMargin"), intProperty(m_bottomMargin));
    p.insert(QStringLiteral("rightMargin"), intProperty(m_rightMargin));
    p.insert(QStringLiteral("leftMargin"), intProperty(m_leftMargin));
    p.insert(QStringLiteral("topPaddingType"), text(m_topPaddingType));
    p.insert(QStringLiteral("bottomPaddingType"), text(m_bottomPaddingType));
    p.insert(QStringLiteral("rightPaddingType"), text(m_rightPaddingType));
    p.insert(QStringLiteral("leftPaddingType"), text(m_leftPaddingType));
    p.insert(QStringLiteral("topMarginType"), text(m_topMarginType));
    p.insert(QStringLiteral("bottomMarginType"), text(m_bottomMarginType));
    p.insert(QStringLiteral("rightMarginType"), text(m_rightMarginType));
    p.insert(QStringLiteral("leftMarginType"), text(m_leftMarginType));
    p.insert(QStringLiteral("topPaddingLevelString"), text(m_topPaddingLevelString));
    p.insert(QStringLiteral("bottomPaddingLevelString"), text(m_bottomPaddingLevelString));
    p.insert(QStringLiteral("rightPaddingLevelString"), text(m_rightPaddingLevelString));
    p.insert(QStringLiteral("leftPaddingLevelString"), text(m_leftPaddingLevelString));
    p.insert(QStringLiteral("topMarginLevelString"), text(m_topMarginLevelString));
    p.insert(QStringLiteral("bottomMarginLevelString"), text(m_bottomMarginLevelString));
    p.insert(QStringLiteral("rightMarginLevelString"), text(m_rightMarginLevelString));
    p.insert(QStringLiteral("leftMarginLevelString"), text(m_leftMarginLevelString));
    p.insert(QStringLiteral("retinaFlag"), m_retinaFlag ? QStringLiteral("1") : QStringLiteral("0"));

    // Read back by initWithProperties like every key above, so that a copied and pasted graphic
    // keeps its group, lock, layer, shape, section id, click actions and launch state (the canvas
    // may still renumber groups on paste).
    p.insert(QStringLiteral("groupNumber"), intProperty(m_groupNumber));
    p.insert(QStringLiteral("moveLock"), intProperty(m_moveLock));
    p.insert(QStringLiteral("shapeFlag"), intProperty(m_shapeFlag));
    p.insert(QStringLiteral("imageEnlargeFlag"), intProperty(m_imageEnlargeFlag));
    p.insert(QStringLiteral("slideShowAutomaticFlag"), intProperty(m_slideShowAutomaticFlag));
    p.insert(QStringLiteral("manualLayerIndex"), intProperty(m_manualLayerIndex));
    p.insert(QStringLiteral("sectionIDString"), text(m_sectionIDString));
    p.insert(QStringLiteral("onClickHideString"), text(m_onClickHideString));
    p.insert(QStringLiteral("onClickShowString"), text(m_onClickShowString));
    p.insert(QStringLiteral("initialLaunchStateFlag"), intProperty(m_initialLaunchStateFlag));
    return p;
}

// ---- class operations ----

DRVGraphic* DRVGraphic::graphicWithProperties(const QVariantMap& properties, QObject* parent)
{
    const QVariant name = properties.value(QStringLiteral("className"));
    if (!isString(name))
        return nullptr;
    DRVGraphic* graphic = GraphicRegistry::create(name.toString(), parent);
    if (graphic)
        graphic->initWithProperties(properties);
    return graphic;
}

QList<DRVGraphic*> DRVGraphic::graphicsWithPropertiesPasted(const QVariantList& properties, QObject* parent)
{
    QList<DRVGraphic*> graphics;
    for (const QVariant& element : properties) {
        if (element.typeId() != QMetaType::QVariantMap)
            continue;
        if (DRVGraphic* graphic = graphicWithProperties(element.toMap(), parent))
            graphics.append(graphic);
    }
    return graphics;
}

QVariantList DRVGraphic::propertiesWithGraphics(const QList<DRVGraphic*>& graphics)
{
    QVariantList list;
    for (DRVGraphic* graphic : graphics) {
        if (!graphic)
            continue;
        QVariantMap p = graphic->properties();
        p.insert(QStringLiteral("className"), QString::fromLatin1(graphic->metaObject()->className()));
        list.append(p);
    }
    return list;
}

QByteArray DRVGraphic::pasteboardDataWithGraphics(const QList<DRVGraphic*>& graphics)
{
    return GraphicClipboard::encode(propertiesWithGraphics(graphics));
}

QList<DRVGraphic*> DRVGraphic::graphicsWithPasteboardData(const QByteArray& data, GraphicError* error,
                                                          QObject* parent)
{
    const std::optional<QVariantList> dictionaries = GraphicClipboard::decodeGraphicProperties(data);
    QList<DRVGraphic*> graphics;
    if (dictionaries)
        graphics = graphicsWithPropertiesPasted(*dictionaries, parent);
    if (!dictionaries || graphics.size() != dictionaries->size()) {
        qDeleteAll(graphics);
        if (error)
            *error = graphicErrorWithCode(2);
        return {};
    }
    return graphics;
}
