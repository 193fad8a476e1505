#include "model/DRVText.h"

#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "model/QuibLayoutManager.h"
#include "model/QuibTextEditor.h"
#include "platform/Clock.h"
#include "platform/ClockTimer.h"
#include "platform/Geometry.h"
#include "platform/StringsTable.h"
#include "platform/Threads.h"

#include <QFont>
#include <QHash>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include <mutex>
#include <utility>

namespace {

const QString kUndoStrings = QStringLiteral("UndoStrings");
const QString kUndoKeysKey = QStringLiteral("keysForValuesToObserveForUndo");
const QString kUndoContentsKey = QStringLiteral("undoContents");
const QString kDefaultFamily = QStringLiteral("Helvetica Neue");
// The size a font gets when the box names none.
constexpr int kDefaultFontSize = 12;

Qt::Alignment alignmentForFontAlignment(int fontAlignment)
{
    switch (fontAlignment) {
    case 0:
        return Qt::AlignLeft | Qt::AlignAbsolute;
    case 1:
        return Qt::AlignHCenter;
    case 2:
        return Qt::AlignRight | Qt::AlignAbsolute;
    default:
        return Qt::AlignJustify;
    }
}

// Left, centre and right are written back; any other alignment is written as left.
int fontAlignmentForAlignment(Qt::Alignment alignment)
{
    const Qt::Alignment horizontal = alignment & Qt::AlignHorizontal_Mask & ~Qt::AlignAbsolute;
    if (horizontal == Qt::AlignHCenter)
        return 1;
    if (horizontal == Qt::AlignRight)
        return 2;
    return 0;
}

} // namespace

DRVText::DRVText(QObject* parent) : DRVGraphic(parent) {}

DRVText::~DRVText()
{
    if (m_contents)
        disconnect(m_contents, nullptr, this, nullptr);
}

std::unique_ptr<DRVGraphic> DRVText::copy() const
{
    std::unique_ptr<DRVGraphic> graphic = DRVGraphic::copy();
    if (auto* text = qobject_cast<DRVText*>(graphic.get()))
        text->setContents(contents()->clone());
    return graphic;
}

// ---- property dictionary ----

void DRVText::initWithProperties(const QVariantMap& properties)
{
    // A new box gets a storage of its own; its text and style go in as one edit, and nothing is laid
    // out until an editor shows it (the storage the base class's setters made meanwhile is empty).
    // A box that had a storage before keeps it: an editor may be showing it.
    const bool freshStorage = !m_contents;
    // Nothing reads the height while the box is being built: the bounds the base class sets are
    // not measured for.
    m_textHeightDeferred = true;
    DRVGraphic::initWithProperties(properties);
    const QString string = stringFromProperty(properties.value(QStringLiteral("textString")));
    QTextDocument* text = m_contents;
    if (freshStorage) {
        text = new QTextDocument;
        QuibLayoutManager::prepareTextStorage(text);
    } else {
        text->setPlainText(string);
    }

    // A palette entry picked while the colour selector sets the text colour becomes the font
    // colour, unless the fill already has it.
    if (m_fillColorIndex >= -98 && edition().gColorTargetType == 1) {
        const QString hex = paletteHexStringAtIndex(m_fillColorIndex);
        if (!hex.isNull()) {
            const QColor colour = DataCentre::colorWithHexString(hex);
            if (m_fillColor != colour)
                setFontColor(colour);
        }
    }
    if (freshStorage) {
        // Loading is not an edit the text's own undo could take back.
        text->setUndoRedoEnabled(false);
        applyTextStyleTo(text, &string);
        text->setUndoRedoEnabled(true);
        setContents(text);
    } else {
        applyTextStyleTo(text);
    }

    setZoomBubbleFlag(intFromProperty(properties.value(QStringLiteral("zoomBubbleFlag"))));
    setBubbleShape(properties.contains(QStringLiteral("bubbleShape"))
                       ? stringFromProperty(properties.value(QStringLiteral("bubbleShape")))
                       : QStringLiteral(""));
    m_textHeightDeferred = true;
    m_heightMatchedByInit = true;
}

QVariantMap DRVText::properties() const
{
    // A text box without a link type links as text (the base class would say "shape").
    auto* self = const_cast<DRVText*>(this);
    if (m_linkType.isEmpty())
        self->setLinkType(QStringLiteral("text"));
    QVariantMap dictionary = DRVGraphic::properties();
    QTextDocument* text = contents();

    dictionary.insert(QStringLiteral("textString"), text->toPlainText());
    if (text->isEmpty()) {
        dictionary.insert(QStringLiteral("fontFamily"), kDefaultFamily);
        dictionary.insert(QStringLiteral("fontAlignment"), QStringLiteral("0"));
        dictionary.insert(QStringLiteral("fontSize"), realProperty(0));
    } else {
        const QTextCursor first(text);
        const QFont font = first.charFormat().font();
        const QString family = font.families().isEmpty() ? font.family() : font.families().constFirst();
        dictionary.insert(QStringLiteral("fontFamily"), family);
        dictionary.insert(QStringLiteral("fontAlignment"),
                          intProperty(fontAlignmentForAlignment(first.blockFormat().alignment())));
        const double size = font.pixelSize() > 0 ? double(font.pixelSize()) : font.pointSizeF();
        dictionary.insert(QStringLiteral("fontSize"), realProperty(size));
    }
    dictionary.insert(QStringLiteral("slideShowNumber"), QStringLiteral("-99"));
    dictionary.insert(QStringLiteral("linkType"), m_linkType);

    const auto putIfSet = [&dictionary](const QString& key, const QString& value) {
        if (value.isNull())
            dictionary.remove(key);
        else
            dictionary.insert(key, value);
    };
    putIfSet(QStringLiteral("hoverColorString"), m_hoverColorString);
    putIfSet(QStringLiteral("hoverTextColorString"), m_hoverTextColorString);
    putIfSet(QStringLiteral("bubbleShape"), m_bubbleShape);
    dictionary.insert(QStringLiteral("zoomBubbleFlag"), intProperty(m_zoomBubbleFlag));
    return dictionary;
}

// ---- the text ----

QTextDocument* DRVText::contents() const
{
    if (!m_contents)
        const_cast<DRVText*>(this)->setContents(new QTextDocument);
    return m_contents;
}

void DRVText::setContents(QTextDocument* text)
{
    if (m_contents == text)
        return;
    if (m_contents) {
        disconnect(m_contents, nullptr, this, nullptr);
        if (m_contents->parent() == this)
            m_contents->deleteLater();
    }
    m_contents = text;
    m_measuredHeight.valid = false;
    if (!text)
        return;
    text->setParent(this);
    QuibLayoutManager::prepareTextStorage(text);
    connect(text, &QTextDocument::contentsChanged, this, &DRVText::textStorageDidProcessEditing);
}

QString DRVText::textString() const
{
    return contents()->toPlainText();
}

QuibLayoutManager& DRVText::sharedLayoutManager()
{
    return QuibLayoutManager::shared();
}

QSizeF DRVText::naturalSize() const
{
    const QRectF used = QuibLayoutManager::usedRectForText(
        contents(), QSizeF(m_bounds.width(), QuibLayoutManager::kUnlimited));
    return used.size();
}

namespace {

// The text layout counts in fixed point that overflows a few million pixels down a box, and then
// never ends: a size or spacing from pasted data or a page ("font-size:5963790px") is laid out
// at most this large. The value itself is kept and written as it is.
constexpr int kMaxLaidOutFontSize = 1000;
constexpr double kMaxLaidOutLineHeight = 4000;

} // namespace

void DRVText::applyTextStyle()
{
    applyTextStyleTo(contents());
}

void DRVText::applyTextStyleTo(QTextDocument* text, const QString* insertedFirst)
{
    QFont font;
    font.setFamilies({m_fontFamily.isEmpty() ? kDefaultFamily : m_fontFamily});
    font.setPixelSize(m_fontSize > 0 ? std::min(m_fontSize, kMaxLaidOutFontSize) : kDefaultFontSize);
    // Whole-pixel glyph advances, as browsers on this platform give them, so that lines break and
    // words stand where the page shows them.
    font.setHintingPreference(QFont::PreferFullHinting);
    text->setDefaultFont(font);

    QTextCursor all(text);
    // The formats as one edit: the text's layout is redone once rather than after each of them.
    all.beginEditBlock();
    if (insertedFirst)
        all.insertText(*insertedFirst);
    all.select(QTextCursor::Document);

    // One paragraph style over the whole text, replacing any other: a line spacing above 0 fixes
    // every line at size x spacing; 0 leaves the font's own line height.
    QTextBlockFormat paragraph;
    const float lineHeight = float(m_fontSize) * m_lineSpacing;
    if (lineHeight > 0)
        paragraph.setLineHeight(std::min(double(lineHeight), kMaxLaidOutLineHeight),
                                QTextBlockFormat::FixedHeight);
    paragraph.setAlignment(alignmentForFontAlignment(m_fontAlignment));
    all.setBlockFormat(paragraph);
    // The page indents the first line of the whole text (its lines are one block there).
    if (const int indent = pageTextIndent(m_indentFlag); indent > 0) {
        QTextBlockFormat first = paragraph;
        first.setTextIndent(indent);
        QTextCursor(text).setBlockFormat(first);
    }

    QColor colour = m_fontColor.isValid() ? m_fontColor : QColor(Qt::black);
    colour.setAlphaF(float(std::clamp(m_opacity, 0.0, 1.0)));
    QTextCharFormat characters;
    characters.setFont(font, QTextCharFormat::FontPropertiesAll);
    characters.setForeground(colour);
    all.setCharFormat(characters);
    all.setBlockCharFormat(characters);
    all.endEditBlock();
}

void DRVText::refreshStyle()
{
    applyTextStyle();
    setHeightToMatchContents();
}

void DRVText::updateTextString(const QString& string)
{
    // The text is replaced inside the same storage, so the graphic keeps hearing of later edits.
    contents()->setPlainText(string);
    refreshStyle();
}

void DRVText::setUndoKeysFlag(bool& flag, bool value)
{
    willChangeValueForKey(kUndoKeysKey);
    flag = value;
    didChangeValueForKey(kUndoKeysKey);
}

void DRVText::setHeightToMatchContents()
{
    setUndoKeysFlag(m_boundsBeingChangedToMatchContents, true);
    // The bounds stay as they are; the notification makes observers redraw.
    willChangeValueForKey(QStringLiteral("bounds"));
    measureTextHeight();
    didChangeValueForKey(QStringLiteral("bounds"));
    setUndoKeysFlag(m_boundsBeingChangedToMatchContents, false);
}

namespace {

// Text boxes whose height waits for the next event-loop turn. They share one timer per thread: a
// page opened with hundreds of text boxes arms it once, where a timer each would be set, cancelled
// and fired hundreds of times. Left to the thread's end: a thread edits text until it ends.
struct HeightMatchQueue
{
    QList<QPointer<DRVText>> pending;
    platform::ClockTimer* timer = nullptr;
    const platform::Clock* armedOn = nullptr;
};

thread_local HeightMatchQueue* t_heightMatchQueue = nullptr;

} // namespace

void DRVText::textStorageDidProcessEditing()
{
    m_measuredHeight.valid = false;
    m_heightMatchedByInit = false;
    if (m_heightMatchPending)
        return;
    m_heightMatchPending = true;
    if (!t_heightMatchQueue) {
        auto* queue = new HeightMatchQueue;
        queue->timer = new platform::ClockTimer;
        QObject::connect(queue->timer, &platform::ClockTimer::timeout, queue->timer, [queue] {
            queue->armedOn = nullptr;
            const QList<QPointer<DRVText>> due = std::exchange(queue->pending, {});
            for (const QPointer<DRVText>& text : due) {
                if (!text)
                    continue;
                text->m_heightMatchPending = false;
                // A box built from a dictionary and not edited since is drawn fresh by whoever
                // shows it; its height is checked without telling anyone.
                if (std::exchange(text->m_heightMatchedByInit, false)) {
                    if (!text->m_textHeightDeferred)
                        text->measureTextHeight();
                } else
                    text->setHeightToMatchContents();
            }
        });
        t_heightMatchQueue = queue;
    }
    HeightMatchQueue& queue = *t_heightMatchQueue;
    queue.pending.append(this);
    // Armed again when another clock has been installed since (a test's clock that went away).
    const platform::Clock* clock = &platform::Clock::current();
    if (!queue.timer->isActive() || queue.armedOn != clock) {
        queue.timer->start(0);
        queue.armedOn = clock;
    }
}

void DRVText::setBounds(const QRectF& bounds)
{
    const bool changed = bounds != m_bounds;
    DRVGraphic::setBounds(bounds);
    if (changed && !m_textHeightDeferred)
        measureTextHeight();
}

// ---- in-place editing ----

QWidget* DRVText::newEditingViewWithSuperviewBounds(const QRectF& superviewBounds)
{
    if (!m_selectable || m_zoomBubbleFlag == 1)
        return nullptr;
    if (m_formType == QLatin1String("textLabel") && m_formOptionTag == -22)
        return nullptr;
    static const QStringList fields{QStringLiteral("text"), QStringLiteral("textarea"),
                                    QStringLiteral("checkbox"), QStringLiteral("radio")};
    if (fields.contains(m_formType))
        return nullptr;

    // The editor stands where the text is drawn.
    const int inset = cornerInset();
    const QRectF content = textContentRect().adjusted(inset, inset, -inset, -inset);
    const QRectF frame = content;
    const double maximumHeight = superviewBounds.height() - m_bounds.y();
    auto* editor =
        new QuibTextEditor(contents(), QSizeF(content.width(), 0), QSizeF(content.width(), maximumHeight));
    editor->setLineFragmentPadding(sharedLayoutManager().lineFragmentPadding());
    editor->setGeometry(frame.toRect());
    editor->selectAll();
    if (m_editor && m_editor != editor)
        finalizeEditingView(m_editor);
    m_editor = editor;
    beginEditingSession();
    // An editor closed without being finalised still ends its undo step.
    QPointer<DRVText> self(this);
    connect(editor, &QObject::destroyed, this, [self] {
        if (self)
            self->endEditingSession();
    });
    return editor;
}

void DRVText::finalizeEditingView(QWidget* editingView)
{
    if (auto* editor = qobject_cast<QuibTextEditor*>(editingView)) {
        disconnect(editor, &QObject::destroyed, this, nullptr);
        editor->detachText();
    }
    if (editingView == m_editor)
        m_editor = nullptr;
    endEditingSession();
}

void DRVText::beginEditingSession()
{
    if (m_contentsBeingEdited)
        return;
    setUndoKeysFlag(m_contentsBeingEdited, true);
    willChangeValueForKey(kUndoContentsKey);
}

void DRVText::endEditingSession()
{
    if (!m_contentsBeingEdited)
        return;
    didChangeValueForKey(kUndoContentsKey);
    setUndoKeysFlag(m_contentsBeingEdited, false);
}

// ---- scripting and undo ----

QTextDocument* DRVText::scriptingContents()
{
    willChangeScriptingContents();
    QPointer<DRVText> self(this);
    platform::performOnMainThread(
        [self] {
            if (self)
                self->didChangeScriptingContents();
        },
        false);
    return contents();
}

QVariant DRVText::coerceValueForScriptingContents(const QVariant& value)
{
    if (value.typeId() == QMetaType::QString)
        return value;
    if (value.canConvert<QTextDocumentFragment>())
        return value.value<QTextDocumentFragment>().toPlainText();
    return value.toString();
}

void DRVText::setScriptingContents(const QString& text)
{
    willChangeScriptingContents();
    QTextDocument* storage = contents();
    const QTextCursor first(storage);
    const QTextCharFormat characters = first.charFormat();
    const QTextBlockFormat paragraph = first.blockFormat();
    storage->setPlainText(text);
    QTextCursor all(storage);
    all.select(QTextCursor::Document);
    all.setBlockFormat(paragraph);
    all.setCharFormat(characters);
    all.setBlockCharFormat(characters);
    measureTextHeight();
    didChangeScriptingContents();
}

void DRVText::willChangeScriptingContents()
{
    // Brackets nest (a script may set the text while it holds the storage); the key stays
    // observed until the outermost one ends, so that one is recorded.
    if (m_scriptingDepth++ == 0)
        setUndoKeysFlag(m_contentsBeingChangedByScripting, true);
    willChangeValueForKey(kUndoContentsKey);
}

void DRVText::didChangeScriptingContents()
{
    if (m_scriptingDepth == 0)
        return;
    didChangeValueForKey(kUndoContentsKey);
    if (--m_scriptingDepth == 0)
        setUndoKeysFlag(m_contentsBeingChangedByScripting, false);
}

QString DRVText::undoContents() const
{
    return contents()->toPlainText();
}

QSet<QString> DRVText::keysForValuesToObserveForUndo() const
{
    QSet<QString> keys = DRVGraphic::keysForValuesToObserveForUndo();
    if (m_contentsBeingChangedByScripting || m_contentsBeingEdited)
        keys.insert(kUndoContentsKey);
    if (m_boundsBeingChangedToMatchContents)
        keys.remove(QStringLiteral("bounds"));
    return keys;
}

QString DRVText::presentablePropertyNameForKey(const QString& key) const
{
    if (key == kUndoContentsKey) {
        static const QString name = [] {
            registerUndoStrings();
            if (!platform::StringsTable::contains(QStringLiteral("Text"), kUndoStrings))
                platform::StringsTable::registerEntries(kUndoStrings, {{"Text", "Text"}});
            return platform::StringsTable::lookup(QStringLiteral("Text"), kUndoStrings);
        }();
        return name;
    }
    return DRVGraphic::presentablePropertyNameForKey(key);
}

QStringList DRVText::keysAffectedByKey(const QString& key) const
{
    QStringList keys = DRVGraphic::keysAffectedByKey(key);
    static const QStringList drawn{QStringLiteral("opacity"),     QStringLiteral("shadowFlag"),
                                   QStringLiteral("borderStyle"), QStringLiteral("borderWidth"),
                                   QStringLiteral("reflection"),  QStringLiteral("borderHexColorString"),
                                   QStringLiteral("lineSpacing")};
    if (drawn.contains(key) && !keys.contains(QStringLiteral("drawingContents")))
        keys << QStringLiteral("drawingContents");
    return keys;
}
