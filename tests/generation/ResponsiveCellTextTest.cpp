// The saved page of a responsive edition keeps table cells as formatted snippets, numbered in one
// run with the page's own snippets: every cell, snippet and text box must open again as it was.
#include "ComponentTestSupport.h"

#include "model/DRVText.h"

#include <QTemporaryDir>

using namespace componenttest;
using generationtest::GenerationTest;

namespace {

class ResponsiveCellTextTest : public GenerationTest
{
protected:
    ResponsiveCellTextTest() : GenerationTest("Brumel Responsive Website Designer") {}
};

DRVText* addTextGraphic(DRVDocument& document, const QString& type, const QString& text, double y)
{
    auto* graphic = new DRVText(&document);
    document.insertGraphics({graphic}, {0});
    graphic->setTextType(type);
    graphic->setFontFamily(QStringLiteral("Liberation Sans"));
    graphic->setFontSize(12);
    graphic->setBounds(QRectF(10, y, 200, 60));
    graphic->updateTextString(text);
    return graphic;
}

QString plainText(const DRVGraphic* graphic)
{
    return qobject_cast<const DRVText*>(graphic)->contents()->toPlainText();
}

} // namespace

TEST_F(ResponsiveCellTextTest, CellTextsComeBackWhateverTheyHold)
{
    const QStringList texts = {QStringLiteral("plain"),      QStringLiteral("two\nlines"),
                               QStringLiteral(""),           QStringLiteral("<b>bold</b> & <i>x</i>"),
                               QStringLiteral("  spaced  "), QStringLiteral("snippet0 text0")};
    DRVDocument document;
    document.setMainTemplateName(QStringLiteral("index"));
    DRVTable* table = addTable(document, QStringLiteral("table"), 2, 3, QPointF(20, 30),
                               [&](int r, int c) { return texts.at(r * 3 + c); });

    QTemporaryDir folder;
    const ReadBack back = writeAndRead(document, folder.path());
    const QList<DRVTable*> tables = ofClass<DRVTable>(back.graphics);
    ASSERT_EQ(tables.size(), 1);
    ASSERT_EQ(tables.first()->cellHelperArray().size(), 6);
    for (int r = 0; r < 2; ++r) {
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(cellText(tables.first(), r, c), cellText(table, r, c)) << r << "," << c;
    }
}

TEST_F(ResponsiveCellTextTest, CellLinkComesBackWithoutTakingTheText)
{
    DRVDocument document;
    document.setMainTemplateName(QStringLiteral("index"));
    DRVTable* table = addTable(document, QStringLiteral("table"), 1, 2, QPointF(20, 30));
    table->grabSelectedTableCellHelper(0, 1)->setLink(QStringLiteral("https://example.com/a"));

    QTemporaryDir folder;
    const ReadBack back = writeAndRead(document, folder.path());
    const QList<DRVTable*> tables = ofClass<DRVTable>(back.graphics);
    ASSERT_EQ(tables.size(), 1);
    const DRVTable* read = tables.first();
    ASSERT_EQ(read->cellHelperArray().size(), 2);
    EXPECT_EQ(read->grabSelectedTableCellHelper(0, 1)->link(), QStringLiteral("https://example.com/a"));
    EXPECT_EQ(cellText(read, 0, 1), QStringLiteral("r0c1"));
    EXPECT_EQ(read->grabSelectedTableCellHelper(0, 0)->link(), QString());
    EXPECT_EQ(cellText(read, 0, 0), QStringLiteral("r0c0"));
}

TEST_F(ResponsiveCellTextTest, TablesSnippetsAndTextBoxesKeepTheirOwnTexts)
{
    DRVDocument document;
    document.setMainTemplateName(QStringLiteral("index"));
    addTextGraphic(document, QStringLiteral("Text"), QStringLiteral("box text"), 300);
    addTextGraphic(document, QStringLiteral("HTMLSnippet"), QStringLiteral("<b>first</b>"), 400);
    DRVTable* upper = addTable(document, QStringLiteral("navbar"), 1, 2, QPointF(20, 30),
                               [](int, int c) { return QStringLiteral("upper%1").arg(c); });
    addTextGraphic(document, QStringLiteral("HTMLSnippet"), QStringLiteral("<i>second</i>"), 500);
    DRVTable* lower = addTable(document, QStringLiteral("table"), 2, 1, QPointF(20, 120),
                               [](int r, int) { return QStringLiteral("lower%1").arg(r); });

    QTemporaryDir folder;
    const ReadBack back = writeAndRead(document, folder.path());
    const QList<DRVTable*> tables = ofClass<DRVTable>(back.graphics);
    ASSERT_EQ(tables.size(), 2);
    for (const DRVTable* written : {upper, lower}) {
        const auto match = std::find_if(tables.cbegin(), tables.cend(), [&](const DRVTable* read) {
            return read->gridType() == written->gridType();
        });
        ASSERT_NE(match, tables.cend()) << written->gridType().toStdString();
        const DRVTable* read = *match;
        ASSERT_EQ(read->cellHelperArray().size(), written->cellHelperArray().size());
        for (int r = 0; r < written->numOfRows(); ++r) {
            for (int c = 0; c < written->numOfColumns(); ++c)
                EXPECT_EQ(cellText(read, r, c), cellText(written, r, c)) << r << "," << c;
        }
    }
    QStringList others;
    for (const DRVGraphic* graphic : back.graphics) {
        if (qobject_cast<const DRVText*>(graphic))
            others.append(plainText(graphic));
    }
    others.sort();
    EXPECT_EQ(others, (QStringList{QStringLiteral("<b>first</b>"), QStringLiteral("<i>second</i>"),
                                   QStringLiteral("box text")}));
}
