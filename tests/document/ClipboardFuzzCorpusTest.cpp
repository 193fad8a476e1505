// The clipboard decoder's fuzz corpus, replayed as the fuzz target takes each input: decoded,
// pasted into a page and drawn, without a fault (the sanitizer build turns any into a failure).
#include "fuzz/ClipboardInput.h"
#include "fuzz/CorpusReplay.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

TEST(ClipboardFuzzCorpus, EveryInputIsPastedOrRefused)
{
    const QDir corpus(QStringLiteral(QUIB_SOURCE_DIR "/tests/fuzz/corpus-clipboard"));
    fuzzinput::replayCorpus(corpus.path(), fuzzinput::pasteClipboard);
    // The seeds are real clipboard data, not noise the decoder refuses at its first byte.
    QFile shapes(corpus.filePath(QStringLiteral("shapes.bin")));
    ASSERT_TRUE(shapes.open(QIODevice::ReadOnly));
    GraphicError error;
    DRVDocument page;
    const QList<DRVGraphic*> pasted = DRVGraphic::graphicsWithPasteboardData(shapes.readAll(), &error, &page);
    ASSERT_EQ(pasted.size(), 3);
    EXPECT_EQ(pasted.first()->fillColor(), QColor::fromRgba64(0x1000, 0x8000, 0xffff, 0xffff));

    // The table seed carries its cells and its picture's files whole.
    QFile table(corpus.filePath(QStringLiteral("table-with-picture.bin")));
    ASSERT_TRUE(table.open(QIODevice::ReadOnly));
    const std::optional<QVariantList> dictionaries =
        GraphicClipboard::decodeGraphicProperties(table.readAll());
    ASSERT_TRUE(dictionaries);
    ASSERT_EQ(dictionaries->size(), 1);
    const std::optional<TableClipboard::Decoded> decoded =
        TableClipboard::decode(dictionaries->constFirst().toMap());
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->table->cellHelperArray().size(), 4);
    ASSERT_EQ(decoded->pictures.size(), 1);
    EXPECT_EQ(decoded->pictures.constFirst().second.keys(),
              (QStringList{QStringLiteral(".PNG"), QStringLiteral("o.PNG")}));
}
