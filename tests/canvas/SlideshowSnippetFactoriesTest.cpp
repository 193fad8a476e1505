// The empty slideshow and the three code snippets: the dictionaries they are made from, where they
// land in a plain and a responsive edition, and the buy button's note.
#include "FactoriesTestSupport.h"
#include "SectionPage.h"

#include "editions/DataCentre.h"
#include "model/DRVSlideshow.h"
#include "model/DRVText.h"
#include "platform/Dialogs.h"

namespace {

using factorytest::differences;
using factorytest::FactoryTest;

QVariantMap strings(std::initializer_list<std::pair<const char*, const char*>> pairs)
{
    QVariantMap map;
    for (const auto& [key, value] : pairs)
        map.insert(QString::fromLatin1(key), QString::fromUtf8(value));
    return map;
}

class SlideshowSnippetFactoriesTest : public FactoryTest
{
protected:
    SlideshowSnippetFactoriesTest() { bind(); }
    DRVGraphic* front() const { return doc.graphics().isEmpty() ? nullptr : doc.graphics().constFirst(); }
    platform::ScopedDialogs dialogs;
};

} // namespace

TEST(SlideshowSnippetDictionaries, SlideshowAndSnippetDictionariesAreTheGoldenOnes)
{
    const QVariantMap slideshow = strings({{"bounds", "{{120, 75}, {500, 300}}"},
                                           {"fontAlignment", "1"},
                                           {"cornerRadius", "0.000000"},
                                           {"fontColor", "DC143C"},
                                           {"fillColor", "CLEAR0"},
                                           {"fontSize", "25.000000"},
                                           {"fontFamily", "Helvetica Neue"},
                                           {"borderStyle", "dashed"},
                                           {"opacity", "1.000000"},
                                           {"shadowFlag", "0"},
                                           {"link", ""},
                                           {"textString", "Right click to edit slideshow"},
                                           {"textType", ""},
                                           {"imageLastModDate", ""},
                                           {"slideShowNumber", "-99"},
                                           {"totalNumofSlide", "0"},
                                           {"moveLock", "0"},
                                           {"textHexColorString", "000000"},
                                           {"backgroundHexColorString", "CLEAR0"},
                                           {"linkOption", "_self"}});
    const QVariantMap madeSlideshow = DRVGraphicView::slideshowProperties(QRectF(120, 75, 500, 300));
    EXPECT_EQ(madeSlideshow, slideshow) << differences(madeSlideshow, slideshow);

    QVariantMap snippet = strings({{"bounds", "{{10, 20}, {250, 100}}"},
                                   {"fontAlignment", "0"},
                                   {"cornerRadius", "0.000000"},
                                   {"fontColor", "4F4C4C"},
                                   {"fontSize", "14.000000"},
                                   {"fontFamily", "Helvetica Neue"},
                                   {"borderStyle", "dashed"},
                                   {"opacity", "0.900000"},
                                   {"shadowFlag", "0"},
                                   {"link", ""},
                                   {"textString", "<b>Enter HTML code here</b>"},
                                   {"textType", "HTMLSnippet"},
                                   {"textHexColorString", "4F4C4C"},
                                   {"backgroundHexColorString", "DCDCDC"},
                                   {"slideShowNumber", "-99"}});
    snippet.insert(QStringLiteral("fillColor"), DRVGraphic::archivedColor(QColor(0xDC, 0xDC, 0xDC)));
    const QVariantMap madeSnippet =
        DRVGraphicView::snippetProperties(DRVGraphicView::freeSnippetHTML(), QRectF(10, 20, 250, 100));
    EXPECT_EQ(madeSnippet, snippet) << differences(madeSnippet, snippet);
}

TEST(SlideshowSnippetDictionaries, SnippetTextsAreTheEmbedsTheyName)
{
    EXPECT_EQ(DRVGraphicView::videoSnippetHTML().split(u'\n'),
              (QStringList{QStringLiteral("<div class=\"embed-responsive embed-responsive-4by3\">"),
                           QStringLiteral("<iframe class=\"embed-responsive-item\" "
                                          "src=\"REPLACE_WITH_VIDEO_URL\"></iframe>"),
                           QStringLiteral("</div>")}));
    const QStringList form = DRVGraphicView::buyButtonSnippetHTML().split(u'\n');
    ASSERT_EQ(form.size(), 8);
    EXPECT_TRUE(form.first().startsWith(QStringLiteral("<form name=\"_xclick\"")));
    EXPECT_TRUE(form.first().contains(QStringLiteral("method=\"post\"")));
    EXPECT_TRUE(form.first().contains(QStringLiteral("action=\"https://")));
    EXPECT_TRUE(form.first().contains(QStringLiteral("/ca/cgi-bin/webscr\"")));
    const char* const hidden[][2] = {{"cmd", "_xclick"},
                                     {"business", ""},
                                     {"currency_code", "USD"},
                                     {"item_name", "Product Name"},
                                     {"amount", "0.99"}};
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(hidden[i][0]);
        const QString line = form.at(i + 1);
        EXPECT_TRUE(line.contains(QStringLiteral("type=\"hidden\"")));
        EXPECT_TRUE(line.contains(QStringLiteral("name=\"%1\"").arg(QLatin1String(hidden[i][0]))));
        if (*hidden[i][1]) {
            EXPECT_TRUE(line.contains(QStringLiteral("value=\"%1\"").arg(QLatin1String(hidden[i][1]))));
        }
    }
    EXPECT_TRUE(form.at(2).contains(u'@'));
    EXPECT_TRUE(form.at(6).contains(QStringLiteral("type=\"image\"")));
    EXPECT_TRUE(form.at(6).contains(QStringLiteral("name=\"submit\"")));
    EXPECT_TRUE(form.at(6).contains(QStringLiteral("border=\"0\"")));
    EXPECT_TRUE(form.at(6).contains(QStringLiteral("/en_US/i/btn/x-click-but01.gif\"")));
    EXPECT_EQ(form.last(), QStringLiteral("</form>"));
}

TEST_F(SlideshowSnippetFactoriesTest, ADroppedSlideshowTakesTheWholePointAndItsDictionary)
{
    view.addSlideshow_drag(QPointF(120.8, 75.5));
    auto* slideshow = qobject_cast<DRVSlideshow*>(front());
    ASSERT_TRUE(slideshow);
    EXPECT_EQ(slideshow->bounds(), QRectF(120, 75, 500, 300));
    EXPECT_EQ(slideshow->totalNumofSlides(), 0);
    EXPECT_EQ(slideshow->fontSize(), 25);
    EXPECT_EQ(slideshow->borderStyle(), QStringLiteral("dashed"));
    EXPECT_EQ(slideshow->slideShowNumber(), -99);
    EXPECT_EQ(slideshow->sectionNumber(), -99);
}

TEST_F(SlideshowSnippetFactoriesTest, EachSnippetCommandLandsAtTheInsertionPointAsOneNamedStep)
{
    const struct
    {
        const char* action;
        QString html;
        QSizeF size;
        bool note;
    } cases[] = {
        {"addNewHTMLSnippet:", DRVGraphicView::freeSnippetHTML(), {250, 100}, false},
        {"addNewSnippet:", DRVGraphicView::freeSnippetHTML(), {250, 100}, false},
        {"addYouTubeHTMLSnippet:", DRVGraphicView::videoSnippetHTML(), {640, 480}, false},
        {"addPaypalSnippet:", DRVGraphicView::buyButtonSnippetHTML(), {700, 200}, true},
    };
    const QPointF origin = view.calculateOriginPoint();
    const QPointF at(std::trunc(origin.x()), std::trunc(origin.y()));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.action);
        const qsizetype alerts = dialogs->alerts().size();
        const auto command = DRVGraphicView::menuCommands().constFind(QString::fromLatin1(c.action));
        ASSERT_NE(command, DRVGraphicView::menuCommands().constEnd());
        (*command)(view);
        const auto* snippet = qobject_cast<DRVText*>(front());
        ASSERT_TRUE(snippet);
        EXPECT_EQ(snippet->bounds(), QRectF(at, c.size));
        EXPECT_EQ(snippet->textString(), c.html);
        EXPECT_EQ(snippet->textType(), QStringLiteral("HTMLSnippet"));
        EXPECT_EQ(doc.undoManager()->undoActionName(), QStringLiteral("Add Code Snippet"));
        ASSERT_EQ(dialogs->alerts().size(), alerts + (c.note ? 1 : 0));
        if (c.note) {
            const platform::Alert& note = dialogs->alerts().constLast();
            EXPECT_EQ(note.title, QStringLiteral("Looking for more Buy Button styles?"));
            EXPECT_TRUE(note.informativeText.startsWith(QStringLiteral("The generic snippet here")));
            EXPECT_EQ(note.buttons, QStringList{QStringLiteral("OK")});
        }
        doc.undoManager()->undo();
        EXPECT_TRUE(doc.graphics().isEmpty());
    }
}

class ResponsiveSlideshowTest : public FactoryTest
{
protected:
    ResponsiveSlideshowTest() : FactoryTest("Brumel Responsive Website Designer")
    {
        place({sectionpage::makeSection(4, QPointF(0, 0), {585, 615}, 600)});
        doc.setDocSpecificPageWidth(1200);
        bind();
    }
};

TEST_F(ResponsiveSlideshowTest, ASlideshowFillsTheCellAcrossWhileASnippetTakesNoSection)
{
    ASSERT_TRUE(edition().gResponsiveLayoutFlag);
    DRVGraphic* slideshow = view.addSlideshow_drag(QPointF(100.7, 310.5));
    ASSERT_TRUE(qobject_cast<DRVSlideshow*>(slideshow));
    EXPECT_EQ(slideshow->bounds(), QRectF(0, 310.5, 585, 200));
    EXPECT_EQ(slideshow->sectionNumber(), 4);
    EXPECT_EQ(slideshow->sectionColumnSpot(), 0);

    DRVGraphic* snippet = view.addSnippet_drag(DRVGraphicView::freeSnippetHTML(), QRectF(600, 100, 250, 100));
    ASSERT_TRUE(snippet);
    EXPECT_EQ(snippet->bounds(), QRectF(600, 100, 250, 100));
    EXPECT_NE(snippet->sectionNumber(), 4);
}
