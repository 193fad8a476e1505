#include "model/QuibLayoutManager.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QRawFont>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// Fonts given in points resolve against this device, so a point is one canvas unit whatever the
// screen.
QPaintDevice* canvasUnitDevice()
{
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
        const int dotsPerMeter = qRound(72.0 / 0.0254);
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    return &device;
}

// Lines may fall short of the container by rounding in the layout's fixed-point arithmetic.
constexpr double kFitTolerance = 0.01;

int signed16(const QByteArray& table, int offset)
{
    if (offset + 2 > table.size())
        return 0;
    return qint16((quint8(table.at(offset)) << 8) | quint8(table.at(offset + 1)));
}

// The font of a paragraph's first characters, the paragraph's own when it has none.
QFont blockFont(const QTextBlock& block, const QFont& documentFont)
{
    QTextCharFormat format = block.charFormat();
    if (QTextBlock::iterator it = block.begin(); !it.atEnd())
        format = it.fragment().charFormat();
    return format.font().resolve(documentFont);
}

// Earlier measurements of text storages. Text is measured again and again with nothing changed (a
// table's cells at every layout, a text box at open and at every save), and each measurement lays
// out a copy of the text. An entry lasts until its document changes (contentsChanged covers text
// and formats; the document-wide settings that do not signal are part of the key) or goes away,
// and everything is forgotten when the fonts on offer change.
class MeasurementCache : public QObject
{
public:
    static MeasurementCache& instance()
    {
        static auto* cache = new MeasurementCache;
        return *cache;
    }

    std::optional<QRectF> find(const QTextDocument* text, double padding, QSizeF container) const
    {
        const auto slot = m_slots.constFind(text);
        if (slot == m_slots.constEnd())
            return std::nullopt;
        const QString settings = settingsKey(text);
        for (const Entry& entry : slot->entries) {
            if (entry.padding == padding && entry.container == container && entry.settings == settings)
                return entry.used;
        }
        return std::nullopt;
    }

    void insert(const QTextDocument* text, double padding, QSizeF container, QRectF used)
    {
        if (m_slots.size() >= kMaxDocuments && !m_slots.contains(text))
            forgetAll();
        auto slot = m_slots.find(text);
        if (slot == m_slots.end()) {
            slot = m_slots.insert(text, Slot{});
            connect(text, &QTextDocument::contentsChanged, this, [this, text] {
                if (const auto found = m_slots.find(text); found != m_slots.end())
                    found->entries.clear();
            });
            connect(text, &QObject::destroyed, this, [this, text] { m_slots.remove(text); });
        }
        QList<Entry>& entries = slot->entries;
        if (entries.size() >= kMaxSizesPerDocument)
            entries.removeFirst();
        entries.append(Entry{padding, container, settingsKey(text), used});
    }

private:
    static constexpr qsizetype kMaxDocuments = 20000;
    static constexpr qsizetype kMaxSizesPerDocument = 4;

    struct Entry
    {
        double padding;
        QSizeF container;
        QString settings;
        QRectF used;
    };
    struct Slot
    {
        QList<Entry> entries;
    };

    MeasurementCache()
    {
        if (auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            connect(application, &QGuiApplication::fontDatabaseChanged, this, [this] { forgetAll(); });
    }

    // What the copy that is laid out takes over from the document without a change signal.
    static QString settingsKey(const QTextDocument* text)
    {
        const QTextOption option = text->defaultTextOption();
        return text->defaultFont().key() + u'|' + QString::number(text->documentMargin()) + u'|' +
               QString::number(int(option.alignment())) + u'|' + QString::number(int(option.wrapMode())) +
               u'|' + QString::number(int(option.flags())) + u'|' +
               QString::number(int(option.textDirection())) + u'|' + QString::number(option.tabStopDistance()) +
               u'|' + QString::number(text->indentWidth()) + u'|' + QString::number(text->useDesignMetrics());
    }

    void forgetAll()
    {
        for (auto it = m_slots.cbegin(); it != m_slots.cend(); ++it)
            disconnect(it.key(), nullptr, this, nullptr);
        m_slots.clear();
    }

    QHash<const QTextDocument*, Slot> m_slots;
};

// Whether text holds anything a fragment copy may leave behind: images (their pixels are
// resources of the document), tables, lists or frames.
bool holdsObjectsOrImages(const QTextDocument& text)
{
    if (text.rootFrame()->childFrames().size() > 0)
        return true;
    const QList<QTextFormat> formats = text.allFormats();
    return std::any_of(formats.cbegin(), formats.cend(), [](const QTextFormat& format) {
        return format.isImageFormat() || format.isListFormat() || format.isTableFormat() ||
               format.objectType() != QTextFormat::NoObject;
    });
}

} // namespace

QuibLayoutManager::QuibLayoutManager(double lineFragmentPadding) : m_lineFragmentPadding(lineFragmentPadding)
{
}

QuibLayoutManager::~QuibLayoutManager() = default;

QuibLayoutManager& QuibLayoutManager::shared()
{
    static QuibLayoutManager manager(0.0);
    return manager;
}

QuibLayoutManager::LineMetrics QuibLayoutManager::lineMetrics(const QFont& font)
{
    // Browsers take the font file's own metrics (the typographic ones where the font asks for them,
    // else the horizontal header) and round each to whole pixels.
    static QHash<QString, LineMetrics> known;
    const QString key = font.key();
    if (const auto found = known.constFind(key); found != known.constEnd())
        return *found;

    LineMetrics metrics;
    QFont sized = font;
    if (sized.pixelSize() <= 0)
        sized.setPixelSize(std::max(1, int(std::lround(sized.pointSizeF()))));
    const QRawFont raw = QRawFont::fromFont(sized);
    const QByteArray hhea = raw.isValid() ? raw.fontTable("hhea") : QByteArray();
    const QByteArray os2 = raw.isValid() ? raw.fontTable("OS/2") : QByteArray();
    const double unitsPerEm = raw.isValid() ? raw.unitsPerEm() : 0;
    const bool useTypographic = os2.size() >= 74 && (signed16(os2, 62) & 0x80) != 0;
    double ascent = 0, descent = 0, gap = 0;
    if (useTypographic) {
        ascent = signed16(os2, 68);
        descent = -signed16(os2, 70);
        gap = signed16(os2, 72);
    } else if (hhea.size() >= 10) {
        ascent = signed16(hhea, 4);
        descent = -signed16(hhea, 6);
        gap = signed16(hhea, 8);
    }
    if (unitsPerEm > 0 && ascent + descent > 0) {
        const double scale = double(sized.pixelSize()) / unitsPerEm;
        metrics = {std::round(ascent * scale), std::round(descent * scale),
                   std::round(std::max(0.0, gap) * scale)};
    } else {
        QFontMetricsF fallback(sized, canvasUnitDevice());
        metrics = {std::round(fallback.ascent()), std::round(fallback.descent()),
                   std::round(fallback.leading())};
    }
    known.insert(key, metrics);
    return metrics;
}

void QuibLayoutManager::prepareTextStorage(QTextDocument* text)
{
    if (!text)
        return;
    // The options before the layout: a change once the layout exists lays the whole text out again.
    text->setDocumentMargin(0);
    // Setting the option lays the text out again even when nothing changes.
    if (QTextOption option = text->defaultTextOption(); option.wrapMode() != QTextOption::WordWrap) {
        option.setWrapMode(QTextOption::WordWrap);
        text->setDefaultTextOption(option);
    }
    // Its layout gets the canvas units when it is made. It is made on first use (an editor showing
    // the text): measuring and drawing lay out a copy at the box's width, so a layout made sooner,
    // as each box of an opened page would have, is work thrown away.
    if (auto* layout = text->findChild<QAbstractTextDocumentLayout*>(QString(), Qt::FindDirectChildrenOnly)) {
        layout->setPaintDevice(canvasUnitDevice());
        return;
    }
    static const char* const kWaitingForLayout = "quibLayoutInCanvasUnits";
    if (text->property(kWaitingForLayout).toBool())
        return;
    text->setProperty(kWaitingForLayout, true);
    // Emitted when the layout is made, before it lays out anything.
    QObject::connect(text, &QTextDocument::documentLayoutChanged, text,
                     [text] { text->documentLayout()->setPaintDevice(canvasUnitDevice()); });
}

void QuibLayoutManager::setContainerSize(QSizeF size)
{
    m_containerSize = size;
    if (m_layout)
        measure();
}

void QuibLayoutManager::attach(const QTextDocument* text, bool opaqueText)
{
    detach();
    if (!text)
        return;
    // A layout made while its document has text lays it out at once, and in the screen's units
    // rather than the canvas's: the copy gets its layout, units and width while still empty, and
    // its text and formats in one edit, so it is laid out once. Text holding images or other
    // resources, which only a clone carries over, is cloned and laid out again in canvas units.
    const bool plainCopy = !text->isEmpty() && !holdsObjectsOrImages(*text);
    if (plainCopy) {
        m_layout = std::make_unique<QTextDocument>();
        m_layout->setDefaultFont(text->defaultFont());
        m_layout->setDefaultTextOption(text->defaultTextOption());
        m_layout->setIndentWidth(text->indentWidth());
        m_layout->setUseDesignMetrics(text->useDesignMetrics());
        m_layout->rootFrame()->setFrameFormat(text->rootFrame()->frameFormat());
        m_layout->setTextWidth(lineWidth());
        prepareTextStorage(m_layout.get());
    } else {
        m_layout.reset(text->clone());
    }
    QTextCursor all(m_layout.get());
    all.beginEditBlock();
    if (plainCopy)
        all.insertFragment(QTextDocumentFragment(text));
    // Whole-pixel glyph advances, as browsers on this platform give them, so that lines break and
    // words stand where the page shows them.
    all.select(QTextCursor::Document);
    QTextCharFormat hinting;
    hinting.setFontHintingPreference(QFont::PreferFullHinting);
    all.mergeCharFormat(hinting);
    all.mergeBlockCharFormat(hinting);
    if (opaqueText) {
        for (QTextBlock block = m_layout->begin(); block.isValid(); block = block.next()) {
            for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                QColor colour = fragment.charFormat().foreground().color();
                if (colour.alpha() == 255)
                    continue;
                colour.setAlpha(255);
                QTextCharFormat solid;
                solid.setForeground(colour);
                QTextCursor range(m_layout.get());
                range.setPosition(fragment.position());
                range.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
                range.mergeCharFormat(solid);
            }
        }
    }
    all.endEditBlock();
    if (!plainCopy) {
        prepareTextStorage(m_layout.get());
        m_layout->markContentsDirty(0, m_layout->characterCount());
    }
    measure();
}

void QuibLayoutManager::detach()
{
    m_layout.reset();
    m_usedRect = QRectF();
    m_fittingLines = 0;
}

double QuibLayoutManager::lineWidth() const
{
    return std::max(0.0, m_containerSize.width() - 2 * m_lineFragmentPadding);
}

void QuibLayoutManager::measure()
{
    m_usedRect = QRectF();
    m_fittingLines = 0;
    m_hiddenFrom = kUnlimited;
    if (!m_layout)
        return;
    // Any new width lays the whole text out again, even the same one.
    if (const double width = lineWidth(); m_layout->textWidth() != width)
        m_layout->setTextWidth(width);
    QAbstractTextDocumentLayout* layout = m_layout->documentLayout();
    // Force the layout of the whole text before reading line positions.
    layout->documentSize();
    if (m_layout->isEmpty())
        return;

    // Lines are stacked here rather than where the document layout put them, as CSS stacks line
    // boxes: each is the fixed line height high, or the font's normal line height, with the glyphs'
    // ascent and descent centred in it and the baseline on a whole pixel; every block continues
    // where the previous one ended.
    const double containerHeight = m_containerSize.height();
    const QFont documentFont = m_layout->defaultFont();
    double left = 0, right = 0, y = 0, stack = 0;
    bool full = false;
    for (QTextBlock block = m_layout->begin(); block.isValid(); block = block.next()) {
        QTextLayout* lines = block.layout();
        const int count = lines ? lines->lineCount() : 0;
        const QTextBlockFormat paragraph = block.blockFormat();
        const LineMetrics metrics = lineMetrics(blockFont(block, documentFont));
        const double height = paragraph.lineHeightType() == QTextBlockFormat::FixedHeight
                                  ? paragraph.lineHeight()
                                  : metrics.normalLineHeight();
        if (lines)
            lines->setPosition(QPointF(0, 0));
        for (int i = 0; i < count; ++i) {
            QTextLine line = lines->lineAt(i);
            const double baseline = std::floor(stack + metrics.baselineOffset(height) + kFitTolerance);
            line.setPosition(QPointF(line.position().x(), baseline - line.ascent()));
            stack += height;
            if (full || stack > containerHeight + kFitTolerance) {
                if (!full)
                    m_hiddenFrom = line.position().y();
                full = true;
                continue;
            }
            const QRectF glyphs = line.naturalTextRect();
            const double lineLeft = glyphs.left();
            const double lineRight = glyphs.right() + 2 * m_lineFragmentPadding;
            left = m_fittingLines > 0 ? std::min(left, lineLeft) : lineLeft;
            right = m_fittingLines > 0 ? std::max(right, lineRight) : lineRight;
            y = stack;
            ++m_fittingLines;
        }
    }
    if (m_fittingLines > 0)
        m_usedRect = QRectF(left, 0, right - left, y);
}

void QuibLayoutManager::drawGlyphs(QPainter* painter, QPointF origin) const
{
    if (!painter || !m_layout || m_fittingLines == 0)
        return;
    painter->save();
    painter->translate(origin.x() + m_lineFragmentPadding, origin.y());
    // Lines that do not fit into the container are not drawn; the glyphs of those that do may reach
    // out of their line boxes.
    const QRectF visible(-kUnlimited, -kUnlimited, 2 * kUnlimited, kUnlimited + m_hiddenFrom);
    painter->setClipRect(visible, Qt::IntersectClip);
    for (QTextBlock block = m_layout->begin(); block.isValid(); block = block.next()) {
        if (const QTextLayout* lines = block.layout())
            lines->draw(painter, QPointF(0, 0), {}, visible);
    }
    painter->restore();
}

QRectF QuibLayoutManager::measuredRect(const QTextDocument* text, QSizeF containerSize) const
{
    if (!text)
        return QRectF();
    MeasurementCache& cache = MeasurementCache::instance();
    if (const std::optional<QRectF> known = cache.find(text, m_lineFragmentPadding, containerSize))
        return *known;
    QuibLayoutManager scratch(m_lineFragmentPadding);
    scratch.setContainerSize(containerSize);
    scratch.attach(text);
    const QRectF used = scratch.usedRect();
    cache.insert(text, m_lineFragmentPadding, containerSize, used);
    return used;
}

QRectF QuibLayoutManager::usedRectForText(const QTextDocument* text, QSizeF containerSize)
{
    return shared().measuredRect(text, containerSize);
}
