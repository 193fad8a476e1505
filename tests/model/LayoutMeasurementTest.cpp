#include "editions/DataCentre.h"
#include "model/QuibLayoutManager.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

// The measurement of text laid out afresh, with nothing remembered.
QRectF freshMeasurement(const QTextDocument& text, QSizeF container, double padding)
{
    QuibLayoutManager manager(padding);
    manager.setContainerSize(container);
    manager.attach(&text);
    return manager.usedRect();
}

std::unique_ptr<QTextDocument> styledText(const QString& string)
{
    auto text = std::make_unique<QTextDocument>();
    QuibLayoutManager::prepareTextStorage(text.get());
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(16);
    text->setDefaultFont(font);
    text->setPlainText(string);
    return text;
}

void selectAll(QTextDocument* text, const std::function<void(QTextCursor&)>& change)
{
    QTextCursor all(text);
    all.select(QTextCursor::Document);
    change(all);
}

class LayoutMeasurementTest : public ::testing::Test
{
protected:
    void SetUp() override { DataCentre::loadCustomFont(); }
};

} // namespace

// Every kind of change to a measured text is measured anew: the text, its formats, and the
// document-wide settings that do not announce themselves.
TEST_F(LayoutMeasurementTest, AChangedTextIsNeverAnsweredFromAnEarlierMeasurement)
{
    const struct
    {
        const char* name;
        std::function<void(QTextDocument*)> change;
    } changes[] = {
        {"more text", [](QTextDocument* t) { QTextCursor(t).insertText(QStringLiteral("many more words here ")); }},
        {"plain text replaced", [](QTextDocument* t) { t->setPlainText(QStringLiteral("a\nb\nc\nd")); }},
        {"larger characters",
         [](QTextDocument* t) {
             selectAll(t, [](QTextCursor& c) {
                 QTextCharFormat big;
                 big.setProperty(QTextFormat::FontPixelSize, 30);
                 c.mergeCharFormat(big);
             });
         }},
        {"fixed line height",
         [](QTextDocument* t) {
             selectAll(t, [](QTextCursor& c) {
                 QTextBlockFormat lines;
                 lines.setLineHeight(40, QTextBlockFormat::FixedHeight);
                 c.setBlockFormat(lines);
             });
         }},
        {"default font",
         [](QTextDocument* t) {
             QFont font = t->defaultFont();
             font.setPixelSize(28);
             t->setDefaultFont(font);
         }},
        {"centred by the default option",
         [](QTextDocument* t) {
             QTextOption option = t->defaultTextOption();
             option.setAlignment(Qt::AlignHCenter);
             t->setDefaultTextOption(option);
         }},
    };
    const QSizeF container(120, QuibLayoutManager::kUnlimited);
    for (const auto& c : changes) {
        SCOPED_TRACE(c.name);
        auto text = styledText(QStringLiteral("Some words that wrap over a few lines in a narrow box"));
        QuibLayoutManager manager(QuibLayoutManager::kLineFragmentPadding);
        const QRectF before = manager.measuredRect(text.get(), container);
        EXPECT_EQ(before, freshMeasurement(*text, container, QuibLayoutManager::kLineFragmentPadding));
        c.change(text.get());
        const QRectF after = manager.measuredRect(text.get(), container);
        EXPECT_NE(after, before);
        EXPECT_EQ(after, freshMeasurement(*text, container, QuibLayoutManager::kLineFragmentPadding));
    }
}

// One text measured in several boxes and by managers of different padding gets each one's answer,
// and measuring leaves whatever the manager has attached as it was.
TEST_F(LayoutMeasurementTest, EachContainerAndPaddingHasItsOwnAnswer)
{
    auto text = styledText(QStringLiteral("Some words that wrap over a few lines in a narrow box"));
    auto other = styledText(QStringLiteral("attached"));
    QuibLayoutManager padded(QuibLayoutManager::kLineFragmentPadding);
    QuibLayoutManager bare(0);
    padded.setContainerSize(QSizeF(300, 300));
    padded.attach(other.get());
    const QRectF attached = padded.usedRect();
    for (int round = 0; round < 2; ++round) {
        for (const QSizeF container : {QSizeF(80, 1000), QSizeF(200, 1000), QSizeF(200, 20)}) {
            SCOPED_TRACE(round);
            EXPECT_EQ(padded.measuredRect(text.get(), container),
                      freshMeasurement(*text, container, QuibLayoutManager::kLineFragmentPadding));
            EXPECT_EQ(bare.measuredRect(text.get(), container), freshMeasurement(*text, container, 0));
        }
    }
    EXPECT_TRUE(padded.isAttached());
    EXPECT_EQ(padded.usedRect(), attached);
    EXPECT_EQ(padded.containerSize(), QSizeF(300, 300));
}

// The text of a box is laid out in canvas units by whatever lays it out first (the in-place
// editor), whether its layout was made before the storage was prepared or only on first use; and
// preparing and filling a storage lays nothing out (measuring and drawing use a copy).
TEST_F(LayoutMeasurementTest, ATextStorageLaysOutInCanvasUnitsWhenItsLayoutIsMade)
{
    for (const bool layoutFirst : {false, true}) {
        SCOPED_TRACE(layoutFirst ? "layout made before preparing" : "layout made on first use");
        QTextDocument text;
        if (layoutFirst)
            text.documentLayout();
        QuibLayoutManager::prepareTextStorage(&text);
        QuibLayoutManager::prepareTextStorage(&text);
        text.setPlainText(QStringLiteral("twelve points are twelve units"));
        if (!layoutFirst)
            EXPECT_EQ(text.findChild<QAbstractTextDocumentLayout*>(), nullptr);
        const QPaintDevice* device = text.documentLayout()->paintDevice();
        ASSERT_NE(device, nullptr);
        EXPECT_EQ(device->logicalDpiY(), 72);
    }
}
