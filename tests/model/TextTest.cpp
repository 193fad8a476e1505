#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "model/DRVText.h"
#include "model/FakePageContext.h"
#include "model/QuibLayoutManager.h"
#include "model/QuibTextEditor.h"
#include "platform/ManualClock.h"
#include "platform/Observable.h"
#include "platform/UndoManager.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Runs queued and zero-delay calls, as the next turns of the event loop would.
void spinEventLoop(platform::ManualClock& clock)
{
    for (int turn = 0; turn < 3; ++turn) {
        QCoreApplication::processEvents();
        clock.advance(0);
    }
}

std::unique_ptr<DRVText> makeText(const QString& string, int size, float spacing, QRectF bounds)
{
    auto text = std::make_unique<DRVText>();
    text->setFontFamily("Helvetica Neue");
    text->setFontSize(size);
    text->setLineSpacing(spacing);
    text->setBounds(bounds);
    text->updateTextString(string);
    return text;
}

QImage whiteCanvas(int w, int h)
{
    QImage canvas(w, h, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::white);
    return canvas;
}

bool isDark(QRgb p)
{
    return qGray(p) < 100;
}

// Records undo for a graphic's undoable keys the way the page document does: the first old value
// of each change, restored through the key, under "Change of <name>".
class UndoRecorder
{
public:
    explicit UndoRecorder(DRVGraphic* graphic)
        : m_graphic(graphic), m_keys(graphic->keysForValuesToObserveForUndo())
    {
        m_undo.setGroupsByEvent(false);
        platform::observe(graphic, &m_context,
                          [this](platform::Observable*, const QString& key, const QVariant& oldValue,
                                 const QVariant& newValue) { changed(key, oldValue, newValue); });
    }
    platform::UndoManager& undo() { return m_undo; }

private:
    void changed(const QString& key, const QVariant& oldValue, const QVariant& newValue)
    {
        if (key == "keysForValuesToObserveForUndo") {
            m_keys = m_graphic->keysForValuesToObserveForUndo();
            return;
        }
        if (!m_keys.contains(key) || oldValue == newValue)
            return;
        m_undo.beginUndoGrouping();
        DRVGraphic* graphic = m_graphic;
        m_undo.registerUndo(graphic, [graphic, key, oldValue] { graphic->setValueForKey(key, oldValue); });
        if (!m_undo.isUndoing() && !m_undo.isRedoing())
            m_undo.setActionName("Change of " + m_graphic->presentablePropertyNameForKey(key));
        m_undo.endUndoGrouping();
    }

    DRVGraphic* m_graphic;
    QSet<QString> m_keys;
    platform::UndoManager m_undo;
    QObject m_context;
};

class TextTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        DataCentre::loadCustomFont();
        edition().gTextCornerInsetFlag = false;
        edition().gNoTextOutlineFlag = false;
        edition().gColorTargetType = 0;
    }
    EditionGuard guard;
    platform::ManualClock clock;
};

} // namespace

TEST_F(TextTest, TextHeightFollowsSizeSpacingAndWidth)
{
    QFont font;
    font.setFamilies({"Helvetica Neue"});
    font.setPixelSize(20);
    font.setHintingPreference(QFont::PreferFullHinting);
    const double pair = QFontMetricsF(font).horizontalAdvance("MMM MMM");
    // A box 500 high has the page's padding of 10 on each side.
    const double fits = std::ceil(pair) + 21;      // the words plus the padding
    const double tooNarrow = std::ceil(pair) + 18; // room for the words, not for the padding

    struct Case
    {
        const char* name;
        QString text;
        int size;
        float spacing;
        double width, height;
        int expected;
    };
    const Case cases[] = {
        {"one line", "Hello", 20, 1.25f, 300, 500, 25},
        {"three lines", "a\nb\nc", 20, 1.25f, 300, 500, 75},
        {"size 16 at 1.5", "a\nb", 16, 1.5f, 300, 500, 48},
        {"size 10 at 2", "one\ntwo\nthree\nfour", 10, 2.0f, 300, 500, 80},
        {"fraction truncated", "a\nb\nc", 13, 1.1f, 300, 500, 42},
        {"only whole lines that fit count", "a\nb\nc\nd\ne", 20, 1.25f, 300, 72, 50},
        {"the padding leaves room for one line", "a\nb\nc\nd\ne", 20, 1.25f, 300, 60, 25},
        {"no line fits", "a", 20, 1.25f, 300, 20, 0},
        {"words fit with padding", "MMM MMM", 20, 1.0f, fits, 500, 20},
        {"padding wraps the second word", "MMM MMM", 20, 1.0f, tooNarrow, 500, 40},
        {"empty text", "", 20, 1.25f, 300, 500, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto text = makeText(c.text, c.size, c.spacing, QRectF(0, 0, c.width, c.height));
        EXPECT_EQ(text->textHeight(), c.expected);
        // Measured without any painting; drawing gives the same value.
        QImage canvas = whiteCanvas(400, 600);
        QPainter painter(&canvas);
        text->drawContentsInView(&painter, false);
        EXPECT_EQ(text->textHeight(), c.expected);
    }
}

TEST_F(TextTest, OneBoxsHeightFollowsEveryLaterChange)
{
    // A box keeps its last measurement until something it was measured from changes: each step
    // below changes one thing of the same box, and the height is the one a new box would have.
    auto text = makeText("a\nb", 20, 1.25f, QRectF(0, 0, 300, 500));
    EXPECT_EQ(text->textHeight(), 50);
    text->measureTextHeight();
    EXPECT_EQ(text->textHeight(), 50);
    text->updateTextString("a\nb\nc");
    EXPECT_EQ(text->measureTextHeight(), 75);
    text->setFontSize(16);
    text->refreshStyle();
    EXPECT_EQ(text->measureTextHeight(), 60);
    text->setLineSpacing(2.0f);
    text->refreshStyle();
    EXPECT_EQ(text->measureTextHeight(), 96);
    text->setBounds(QRectF(0, 0, 300, 90));
    EXPECT_EQ(text->measureTextHeight(), 64);
    QTextCursor(text->contents()).insertText("d\n");
    EXPECT_EQ(text->measureTextHeight(), 64);
    text->setBounds(QRectF(0, 0, 300, 500));
    EXPECT_EQ(text->measureTextHeight(), 128);
}

TEST_F(TextTest, ABoxBuiltFromAPageIsMeasuredAtTheBoundsItHasWhenAsked)
{
    // A box built from its dictionary, as a page opens, measures its text only when something
    // asks; whatever changed in between, the height and the offset of its lines are those of a box
    // measured at once.
    struct Case
    {
        const char* name;
        int alignment;
        QRectF boundsAfterBuilding; // empty: left as built
        int expectedHeight;
        int expectedOffset;
    };
    const Case cases[] = {
        {"top, as built", 0, QRectF(), 75, 0},
        {"middle, as built", 1, QRectF(), 75, (480 - 75) / 2},
        {"bottom, as built", 2, QRectF(), 75, 480 - 75},
        {"bottom, made shorter before anything asked", 2, QRectF(0, 0, 300, 72), 50, 58 - 50},
        {"middle, made taller before anything asked", 1, QRectF(0, 0, 300, 700), 75, (680 - 75) / 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto source = makeText("a\nb\nc", 20, 1.25f, QRectF(0, 0, 300, 500));
        source->setVerticalAlignment(c.alignment);
        auto built = std::make_unique<DRVText>();
        built->initWithProperties(source->properties());
        spinEventLoop(clock);
        if (!c.boundsAfterBuilding.isEmpty())
            built->setBounds(c.boundsAfterBuilding);
        EXPECT_EQ(built->verticalTextOffset(), c.expectedOffset);
        EXPECT_EQ(built->textHeight(), c.expectedHeight);
        EXPECT_EQ(built->textHeight(), built->measureTextHeight());
    }
}

TEST_F(TextTest, NoLineSpacingUsesTheFontsOwnLineHeight)
{
    auto one = makeText("a", 20, 0, QRectF(0, 0, 300, 500));
    auto three = makeText("a\nb\nc", 20, 0, QRectF(0, 0, 300, 500));
    EXPECT_GT(one->textHeight(), 20);
    EXPECT_LT(one->textHeight(), 27);
    EXPECT_EQ(three->textHeight(), 3 * one->textHeight());
}

TEST_F(TextTest, LineBoxesAreTheBrowsers)
{
    // Liberation Sans (the bundled face behind "Helvetica Neue") as headless Chromium lays it out:
    // the height of a "line-height:normal" line, and where the baseline stands in a normal line, a
    // line of 1.25 and a line of 1 times the font size.
    struct Case
    {
        int size;
        double normalHeight;
        int normalBaseline, spacedBaseline, tightBaseline;
    };
    const Case cases[] = {{8, 9, 7, 7, 6},      {12, 14, 11, 11, 10}, {13, 15, 12, 12, 11},
                          {16, 18, 14, 15, 13}, {20, 23, 18, 19, 17}, {48, 55, 44, 46, 40}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        QFont font;
        font.setFamilies({"Liberation Sans"});
        font.setPixelSize(c.size);
        const QuibLayoutManager::LineMetrics metrics = QuibLayoutManager::lineMetrics(font);
        EXPECT_EQ(metrics.normalLineHeight(), c.normalHeight);
        EXPECT_EQ(int(std::floor(metrics.baselineOffset(c.normalHeight))), c.normalBaseline);
        EXPECT_EQ(int(std::floor(metrics.baselineOffset(c.size * 1.25))), c.spacedBaseline);
        EXPECT_EQ(int(std::floor(metrics.baselineOffset(c.size))), c.tightBaseline);
    }
}

TEST_F(TextTest, TheTextStandsInThePagesContentBox)
{
    // Outside the responsive layout the page gives a text box a padding of 11% of its height (at
    // most 10) and its border, and writes neither its margins nor its own paddings.
    struct Case
    {
        const char* name;
        QRectF bounds;
        QString borderStyle;
        int borderWidth;
        int topPadding;
        bool responsive;
        QRectF expected;
    };
    const Case cases[] = {
        {"tall box: padding 10", QRectF(10, 20, 300, 100), "none", 0, 0, false, QRectF(20, 30, 280, 80)},
        {"low box: 11% of its height", QRectF(0, 0, 200, 40), "none", 0, 0, false, QRectF(4, 4, 192, 32)},
        {"a drawn border counts", QRectF(0, 0, 200, 100), "solid", 2, 0, false, QRectF(12, 12, 176, 76)},
        {"a border CSS does not draw does not", QRectF(0, 0, 200, 100), "none", 2, 0, false,
         QRectF(10, 10, 180, 80)},
        {"own padding is not written", QRectF(0, 0, 200, 100), "none", 0, 15, false, QRectF(10, 10, 180, 80)},
        {"responsive: the box model", QRectF(0, 0, 200, 100), "solid", 2, 15, true, QRectF(2, 17, 196, 81)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        edition().gResponsiveLayoutFlag = c.responsive;
        auto text = makeText("a\nb\nc\nd", 20, 1.0f, c.bounds);
        text->setBorderStyle(c.borderStyle);
        text->setBorderWidth(c.borderWidth);
        text->setTopPadding(c.topPadding);
        text->setTopPaddingType("pixel");
        EXPECT_EQ(text->textContentRect(), c.expected);
        // The text is measured in that box: whole lines of 20 that fit.
        text->layoutContents();
        EXPECT_EQ(text->textHeight(), std::min(4, int(c.expected.height()) / 20) * 20);
    }
}

TEST_F(TextTest, VerticalAlignmentMovesTheTextDownItsContentBox)
{
    // A box 100 high keeps 80 for its text; one line of 20 leaves 60 of room.
    struct Case
    {
        int alignment;
        QString formType;
        int offset;
    };
    const Case cases[] = {{0, "", 0}, {1, "", 30}, {2, "", 60}, {7, "", 0}, {0, "submit", 30}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.alignment);
        auto text = makeText("one", 20, 1.0f, QRectF(0, 0, 200, 100));
        text->setVerticalAlignment(c.alignment);
        text->setFormType(c.formType);
        EXPECT_EQ(text->verticalTextOffset(), c.offset) << qPrintable(c.formType);
    }
    // Text that fills its box leaves no room.
    auto full = makeText("a\nb\nc\nd", 20, 1.0f, QRectF(0, 0, 200, 100));
    full->setVerticalAlignment(2);
    EXPECT_EQ(full->verticalTextOffset(), 0);
}

TEST_F(TextTest, EditsAfterUpdateTextStringAreStillMeasured)
{
    auto text = makeText("first", 20, 1.0f, QRectF(0, 0, 300, 500));
    text->updateTextString("one");
    EXPECT_EQ(text->textHeight(), 20);
    QTextCursor end(text->contents());
    end.movePosition(QTextCursor::End);
    end.insertText("\ntwo\nthree");
    spinEventLoop(clock);
    EXPECT_EQ(text->textHeight(), 60);
}

TEST_F(TextTest, DictionaryRoundTrip)
{
    const QVariantMap source{
        {"bounds", "{{10, 20}, {300, 120}}"},
        {"textString", "Hello\nworld"},
        {"fontFamily", "Helvetica Neue"},
        {"fontSize", "20"},
        {"fontAlignment", "1"},
        {"lineSpacing", "1.25"},
        {"fontColor", "FF0000"},
        {"opacity", "0.5"},
        {"hoverColorString", "00FF00"},
        {"hoverTextColorString", "0000FF"},
        {"bubbleShape", "Bubble"},
        {"zoomBubbleFlag", "1"},
    };
    DRVText text;
    text.initWithProperties(source);
    EXPECT_EQ(text.textString(), "Hello\nworld");
    EXPECT_EQ(text.textHeight(), 50);
    EXPECT_EQ(text.zoomBubbleFlag(), 1);

    const QVariantMap written = text.properties();
    EXPECT_EQ(written.value("textString").toString(), "Hello\nworld");
    EXPECT_EQ(written.value("fontFamily").toString(), "Helvetica Neue");
    EXPECT_EQ(written.value("fontSize").toString(), "20.000000");
    EXPECT_EQ(written.value("fontAlignment").toString(), "1");
    EXPECT_EQ(written.value("slideShowNumber").toString(), "-99");
    EXPECT_EQ(written.value("linkType").toString(), "text");
    EXPECT_EQ(written.value("hoverColorString").toString(), "00FF00");
    EXPECT_EQ(written.value("hoverTextColorString").toString(), "0000FF");
    EXPECT_EQ(written.value("bubbleShape").toString(), "Bubble");
    EXPECT_EQ(written.value("zoomBubbleFlag").toString(), "1");

    // The text colour carries the opacity.
    const QTextCharFormat first = QTextCursor(text.contents()).charFormat();
    EXPECT_EQ(first.foreground().color().red(), 255);
    EXPECT_NEAR(first.foreground().color().alphaF(), 0.5, 0.01);

    DRVText again;
    again.initWithProperties(written);
    const QVariantMap rewritten = again.properties();
    for (const QString& key : written.keys())
        EXPECT_EQ(rewritten.value(key), written.value(key)) << qPrintable(key);
}

TEST_F(TextTest, AlignmentIsWrittenBack)
{
    const QPair<int, QString> cases[] = {{0, "0"}, {1, "1"}, {2, "2"}, {3, "0"}, {7, "0"}};
    for (const auto& [alignment, written] : cases) {
        DRVText text;
        text.initWithProperties(
            {{"textString", "x"}, {"fontSize", "12"}, {"fontAlignment", QString::number(alignment)}});
        const Qt::Alignment applied = QTextCursor(text.contents()).blockFormat().alignment();
        if (alignment >= 3) {
            EXPECT_TRUE(applied & Qt::AlignJustify) << alignment;
        }
        EXPECT_EQ(text.properties().value("fontAlignment").toString(), written) << alignment;
    }
}

TEST_F(TextTest, EmptyTextWritesTheDefaults)
{
    DRVText text;
    text.initWithProperties({{"fontFamily", "Cabin"}, {"fontSize", "30"}, {"fontAlignment", "2"}});
    const QVariantMap written = text.properties();
    EXPECT_EQ(written.value("textString").toString(), "");
    EXPECT_EQ(written.value("fontFamily").toString(), "Helvetica Neue");
    EXPECT_EQ(written.value("fontAlignment").toString(), "0");
    EXPECT_EQ(written.value("fontSize").toString(), "0.000000");
    EXPECT_FALSE(written.contains("bubbleShape") && written.value("bubbleShape").toString() != "");
}

TEST_F(TextTest, ZoomBubbleGetsCircleOrRectangle)
{
    struct Case
    {
        double cornerRadius;
        QString shape;
        bool cornerFilled;
    };
    for (const Case& c : {Case{8, "circle", false}, Case{0, "rectangle", true}}) {
        DRVText text;
        text.initWithProperties({{"bounds", "{{10, 10}, {80, 60}}"},
                                 {"zoomBubbleFlag", "1"},
                                 {"cornerRadius", QString::number(c.cornerRadius)},
                                 {"opacity", "1"}});
        text.setFillColor(Qt::red);
        text.setSelectable(true);
        QImage canvas = whiteCanvas(100, 80);
        QPainter painter(&canvas);
        text.drawContentsInView(&painter, false);
        painter.end();
        EXPECT_EQ(text.bubbleShape(), c.shape);
        EXPECT_EQ(canvas.pixelColor(50, 40), QColor(Qt::red));
        EXPECT_EQ(canvas.pixelColor(12, 12) == QColor(Qt::red), c.cornerFilled) << qPrintable(c.shape);
    }
}

TEST_F(TextTest, DashedBorderOfWidthZeroIsDrawnOneWide)
{
    DRVText text;
    text.setBounds(QRectF(10, 10, 80, 40));
    text.setBorderStyle("dashed");
    text.setBorderWidth(0);
    text.setBorderColor(Qt::black);
    text.setSelectable(true);
    QImage canvas = whiteCanvas(100, 60);
    QPainter painter(&canvas);
    text.drawContentsInView(&painter, false);
    painter.end();
    EXPECT_EQ(text.borderWidth(), 1);

    // The top edge is the box's first pixel row, as the page's CSS border is: dashes, 3 on and 3
    // off.
    EXPECT_FALSE(isDark(canvas.pixel(50, 9)));
    EXPECT_FALSE(isDark(canvas.pixel(50, 11)));
    QList<int> runs;
    int run = 0;
    bool dark = isDark(canvas.pixel(20, 10));
    for (int x = 20; x < 80; ++x) {
        if (isDark(canvas.pixel(x, 10)) == dark) {
            ++run;
            continue;
        }
        runs.append(run);
        run = 1;
        dark = !dark;
    }
    ASSERT_GE(runs.size(), 8);
    for (int i = 1; i < runs.size(); ++i)
        EXPECT_EQ(runs.at(i), 3) << i;
}

TEST_F(TextTest, FormFieldsAndUnselectableBoxesHaveNoEditor)
{
    struct Case
    {
        const char* name;
        QString formType;
        int optionTag;
        int zoomBubble;
        bool selectable;
        bool editable;
    };
    const Case cases[] = {
        {"plain box", "", 0, 0, true, true},
        {"not selectable", "", 0, 0, false, false},
        {"zoom bubble", "", 0, 1, true, false},
        {"text field", "text", 0, 0, true, false},
        {"textarea", "textarea", 0, 0, true, false},
        {"checkbox", "checkbox", 0, 0, true, false},
        {"radio", "radio", 0, 0, true, false},
        {"label of option -22", "textLabel", -22, 0, true, false},
        {"other label", "textLabel", 3, 0, true, true},
    };
    for (const Case& c : cases) {
        DRVText text;
        text.setBounds(QRectF(0, 0, 100, 40));
        text.setFormType(c.formType);
        text.setFormOptionTag(c.optionTag);
        text.setZoomBubbleFlag(c.zoomBubble);
        text.setSelectable(c.selectable);
        std::unique_ptr<QWidget> editor(text.newEditingViewWithSuperviewBounds(QRectF(0, 0, 800, 600)));
        EXPECT_EQ(editor != nullptr, c.editable) << c.name;
        if (editor)
            text.finalizeEditingView(editor.get());
    }
}

TEST_F(TextTest, InPlaceEditorEditsTheTextAndUndoRestoresIt)
{
    auto text = makeText("old words", 20, 1.0f, QRectF(10, 10, 200, 100));
    text->setSelectable(true);
    UndoRecorder recorder(text.get());

    std::unique_ptr<QWidget> view(text->newEditingViewWithSuperviewBounds(QRectF(0, 0, 800, 600)));
    auto* editor = qobject_cast<QuibTextEditor*>(view.get());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->document(), text->contents());
    EXPECT_FALSE(editor->acceptRichText());
    // The whole text starts selected; typing replaces it in the graphic's own storage.
    editor->textCursor().insertText("new\nlines");
    EXPECT_EQ(text->textString(), "new\nlines");
    spinEventLoop(clock);
    EXPECT_EQ(text->textHeight(), 40);

    text->finalizeEditingView(editor);
    EXPECT_NE(editor->document(), text->contents());
    ASSERT_TRUE(recorder.undo().canUndo());
    EXPECT_EQ(recorder.undo().undoActionName(), "Change of Text");
    recorder.undo().undo();
    EXPECT_EQ(text->textString(), "old words");
    EXPECT_EQ(text->textHeight(), 20);
    recorder.undo().redo();
    EXPECT_EQ(text->textString(), "new\nlines");
}

TEST_F(TextTest, ScriptedTextIsUndoneUnderTheNameText)
{
    auto text = makeText("before", 20, 1.0f, QRectF(0, 0, 200, 100));
    UndoRecorder recorder(text.get());
    EXPECT_EQ(text->presentablePropertyNameForKey("undoContents"), "Text");
    EXPECT_FALSE(text->keysForValuesToObserveForUndo().contains("undoContents"));

    text->setScriptingContents("after");
    EXPECT_EQ(text->textString(), "after");
    EXPECT_FALSE(text->contentsBeingChangedByScripting());
    EXPECT_EQ(recorder.undo().undoActionName(), "Change of Text");
    // The formats at the start are kept.
    EXPECT_EQ(QTextCursor(text->contents()).charFormat().font().pixelSize(), 20);

    // A change made through the storage handed to a script is recorded at the next turn.
    QTextDocument* storage = text->scriptingContents();
    QTextCursor(storage).insertText("really ");
    spinEventLoop(clock);
    EXPECT_EQ(text->textString(), "really after");

    recorder.undo().undo();
    EXPECT_EQ(text->textString(), "after");
    recorder.undo().undo();
    EXPECT_EQ(text->textString(), "before");
}

TEST_F(TextTest, HeightMatchingIsNotRecordedForUndo)
{
    auto text = makeText("a", 20, 1.0f, QRectF(0, 0, 200, 100));
    UndoRecorder recorder(text.get());
    bool boundsAnnounced = false;
    QObject context;
    platform::observe(text.get(), &context,
                      [&](platform::Observable*, const QString& key, const QVariant&, const QVariant&) {
                          if (key == "bounds")
                              boundsAnnounced = true;
                      });
    text->setHeightToMatchContents();
    EXPECT_TRUE(boundsAnnounced);
    EXPECT_FALSE(recorder.undo().canUndo());
    EXPECT_TRUE(text->keysForValuesToObserveForUndo().contains("bounds"));
}

TEST_F(TextTest, ABoxBuiltFromADictionaryIsMeasuredOnceAndEditsStillAnnounceTheirHeight)
{
    std::unique_ptr<DRVGraphic> built(DRVGraphic::graphicWithProperties({{"className", "DRVText"},
                                                                         {"bounds", "{{0, 0}, {300, 500}}"},
                                                                         {"textString", "a\nb"},
                                                                         {"fontFamily", "Helvetica Neue"},
                                                                         {"fontSize", "20"},
                                                                         {"lineSpacing", "1.25"}}));
    auto* text = qobject_cast<DRVText*>(built.get());
    ASSERT_TRUE(text);
    EXPECT_EQ(text->textHeight(), 50);
    int boundsAnnounced = 0;
    QObject context;
    platform::observe(text, &context,
                      [&](platform::Observable*, const QString& key, const QVariant&, const QVariant&) {
                          if (key == "bounds")
                              ++boundsAnnounced;
                      });
    // The match the building left pending has nothing to tell.
    spinEventLoop(clock);
    EXPECT_EQ(boundsAnnounced, 0);
    EXPECT_EQ(text->textHeight(), 50);
    // An edit afterwards is measured and announced, so whoever shows the box draws it again.
    QTextCursor end(text->contents());
    end.movePosition(QTextCursor::End);
    end.insertText("\nc");
    spinEventLoop(clock);
    EXPECT_EQ(boundsAnnounced, 1);
    EXPECT_EQ(text->textHeight(), 75);
}

// A box built from a dictionary gets a storage of its own in one step; it must hold just what
// filling an existing storage gives, and its loading is nothing the text's own undo takes back.
TEST_F(TextTest, ABoxBuiltFromADictionaryHasTheTextAndStyleOfAFilledStorage)
{
    const QVariantMap base{{"bounds", "{{0, 0}, {160, 400}}"},
                           {"fontFamily", "Helvetica Neue"},
                           {"fontSize", "18"},
                           {"fontColor", "336699"},
                           {"opacity", "0.75"}};
    const struct
    {
        const char* name;
        QVariantMap extra;
    } cases[] = {
        {"one line", {{"textString", "Hello"}}},
        {"wrapped and spaced", {{"textString", "Words enough to wrap in a narrow box"}, {"lineSpacing", "1.5"}}},
        {"paragraphs indented and centred",
         {{"textString", "First paragraph\nsecond\n\nfourth"}, {"indentFlag", "1"}, {"fontAlignment", "2"}}},
        {"empty", {{"textString", ""}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QVariantMap properties = base;
        properties.insert(c.extra);
        DRVText built;
        built.initWithProperties(properties);
        DRVText filled;
        filled.contents(); // a storage that exists before, as an editor's would
        filled.initWithProperties(properties);
        EXPECT_EQ(built.contents()->toHtml(), filled.contents()->toHtml());
        EXPECT_EQ(built.contents()->defaultFont(), filled.contents()->defaultFont());
        EXPECT_EQ(built.textHeight(), filled.textHeight());
        EXPECT_EQ(built.properties(), filled.properties());
        EXPECT_FALSE(built.contents()->isUndoAvailable());
        // The storage is the box's: edits to it are measured.
        QTextCursor end(built.contents());
        end.movePosition(QTextCursor::End);
        end.insertText(QStringLiteral("\nmore\nlines"));
        spinEventLoop(clock);
        EXPECT_GT(built.textHeight(), filled.textHeight());
    }
}

TEST_F(TextTest, CopyKeepsTheStyledText)
{
    auto text = makeText("copied", 18, 1.0f, QRectF(0, 0, 200, 100));
    std::unique_ptr<DRVGraphic> copy = text->copy();
    auto* copied = qobject_cast<DRVText*>(copy.get());
    ASSERT_NE(copied, nullptr);
    EXPECT_NE(copied->contents(), text->contents());
    EXPECT_EQ(copied->textString(), "copied");
    EXPECT_EQ(QTextCursor(copied->contents()).charFormat().font().pixelSize(), 18);
}

TEST_F(TextTest, OnlyLinesThatFitArePainted)
{
    auto text = makeText("MMM\nMMM", 20, 1.0f, QRectF(0, 0, 200, 30));
    text->setSelectable(true);
    QImage canvas = whiteCanvas(200, 60);
    QPainter painter(&canvas);
    text->drawContentsInView(&painter, false);
    painter.end();
    const auto darkPixelsInRows = [&canvas](int top, int bottom) {
        int count = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < canvas.width(); ++x)
                count += isDark(canvas.pixel(x, y)) ? 1 : 0;
        return count;
    };
    // The page's padding of the 30 high box is 3: one line of 20 fits below it, the second not.
    EXPECT_GT(darkPixelsInRows(3, 23), 50);
    EXPECT_EQ(darkPixelsInRows(0, 3), 0);
    EXPECT_EQ(darkPixelsInRows(24, 60), 0);
    // Top-aligned text starts at the padding, as in the page (the M's own side bearing aside).
    int leftmost = canvas.width();
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < canvas.width(); ++x)
            if (isDark(canvas.pixel(x, y)))
                leftmost = std::min(leftmost, x);
    EXPECT_GE(leftmost, 3);
    EXPECT_LE(leftmost, 6);
}

TEST_F(TextTest, BuiltByClassNameFromTheRegistry)
{
    std::unique_ptr<DRVGraphic> graphic(DRVGraphic::graphicWithProperties(
        {{"className", "DRVText"}, {"textString", "named"}, {"fontSize", "14"}}));
    auto* text = qobject_cast<DRVText*>(graphic.get());
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->textString(), "named");
    EXPECT_EQ(text->properties().value("fontSize").toString(), "14.000000");
}
