// Snippets sized to their graphic: the width and height attributes of embedded players take the
// graphic's size, values only, whatever the quoting and line breaks; nothing else is touched.
#include "CanvasTestSupport.h"

#include "canvas/DRVGraphicView.h"
#include "canvas/DRVSelectionModel.h"
#include "model/DRVText.h"
#include "platform/Geometry.h"
#include "platform/UndoManager.h"

TEST(SnippetSize, AttributeValuesTakeTheSize)
{
    const struct
    {
        const char* name;
        const char* before;
        const char* after;
    } cases[] = {
        {"quoted iframe", R"(<iframe width="560" height="315" src="https://v.example/embed/x"></iframe>)",
         R"(<iframe width="400" height="225" src="https://v.example/embed/x"></iframe>)"},
        {"unquoted, closing tag kept", "<iframe width=560 height=315></iframe>",
         "<iframe width=400 height=225></iframe>"},
        {"single quotes and upper case", "<VIDEO WIDTH='640' Height='360' controls></VIDEO>",
         "<VIDEO WIDTH='400' Height='225' controls></VIDEO>"},
        {"max-width stays",
         R"(<video style="max-width=100%; width=9" data-width="7" width="640" height="360"></video>)",
         R"(<video style="max-width=100%; width=9" data-width="7" width="400" height="225"></video>)"},
        {"over lines", "<iframe\n  width = \"560\"\n  height=\n\"315\"\n  allowfullscreen></iframe>",
         "<iframe\n  width = \"400\"\n  height=\n\"225\"\n  allowfullscreen></iframe>"},
        {"two players", R"(<iframe width="1" height="2"></iframe><iframe width="3" height="4"></iframe>)",
         R"(<iframe width="400" height="225"></iframe><iframe width="400" height="225"></iframe>)"},
        {"no height: unchanged", R"(<img width="50" src="a.png">)", R"(<img width="50" src="a.png">)"},
        {"text is no attribute", "set width=5 and height=6 <b>here</b>",
         "set width=5 and height=6 <b>here</b>"},
        {"attribute ends the text", "<iframe height=1 width=", "<iframe height=225 width=400"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DRVGraphicView::resizedSnippetText(QString::fromUtf8(c.before), 400, 225),
                  QString::fromUtf8(c.after))
            << c.name;
}

class SnippetSizeCommand : public BoundCanvasTest
{
protected:
    DRVText* addSnippet(const QString& code)
    {
        auto* snippet = new DRVText;
        snippet->initWithProperties({{"bounds", platform::stringFromRect(QRectF(10, 10, 400.8, 225.2))},
                                     {"textString", code},
                                     {"textType", "HTMLSnippet"}});
        doc.insertGraphics({snippet}, {0});
        return snippet;
    }
};

TEST_F(SnippetSizeCommand, OfferedForOneSnippetOnFixedPagesAndUndoable)
{
    DRVText* snippet = addSnippet(QStringLiteral("<iframe width=\"560\" height=\"315\"></iframe>"));
    addSnippet(QStringLiteral("<p>other</p>"));
    view.changeSelectionIndexes({0, 1});
    EXPECT_FALSE(view.showAutoAdjustSnippetSize());
    view.changeSelectionIndexes({1});
    ASSERT_TRUE(view.showAutoAdjustSnippetSize());
    view.autoAdjustSnippetSize();
    EXPECT_EQ(snippet->textString(), QStringLiteral("<iframe width=\"400\" height=\"225\"></iframe>"));
    doc.undoManager()->undo();
    EXPECT_EQ(snippet->textString(), QStringLiteral("<iframe width=\"560\" height=\"315\"></iframe>"));
    edition().gResponsiveLayoutFlag = true;
    EXPECT_FALSE(view.showAutoAdjustSnippetSize());
}

TEST_F(SnippetSizeCommand, ASavedTextGoesAfterThePlainBoxsOwnText)
{
    auto* box = new DRVText;
    box->initWithProperties({{"bounds", platform::stringFromRect(QRectF(10, 10, 200, 80))},
                             {"textString", "Dear guest,"},
                             {"textType", "Text"}});
    doc.insertGraphics({box}, {0});
    view.changeSelectionIndexes({0});
    view.pullFromSavedText(QStringLiteral("See you soon."));
    EXPECT_EQ(box->textString(), QStringLiteral("Dear guest,\nSee you soon."));
    doc.undoManager()->undo();
    EXPECT_EQ(box->textString(), QStringLiteral("Dear guest,"));
    // A form label is no place for saved texts.
    box->setFormType(QStringLiteral("textLabel"));
    view.pullFromSavedText(QStringLiteral("x"));
    EXPECT_EQ(box->textString(), QStringLiteral("Dear guest,"));
}
