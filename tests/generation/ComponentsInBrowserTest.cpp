// Generated pages in headless Chromium (tests/browser/run-page.js) with the local jQuery and
// Bootstrap copies: two navigation bars, two text carousels and two slideshows on one page each
// act on their own component only, and the page raises no script error.
#include "BrowserTestSupport.h"
#include "ComponentTestSupport.h"
#include "common/ExternalTools.h"

#include "generation/CellTextGenerator.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>

using namespace browsertest;
using namespace componenttest;
using generationtest::GenerationTest;

namespace {

// After step i (0 = before any), exactly the components 0..i-1 have moved: each step touches
// its own component and no other.
void expectEachStepMovesOnlyItsOwn(const QJsonArray& states, const QJsonValue& unmoved,
                                   const QJsonValue& moved, const char* what)
{
    const int count = int(states.at(0).toArray().size());
    ASSERT_EQ(states.size(), count + 1) << what;
    for (int step = 0; step <= count; ++step) {
        const QJsonArray state = states.at(step).toArray();
        for (int i = 0; i < count; ++i)
            EXPECT_EQ(state.at(i), i < step ? moved : unmoved)
                << what << " step " << step << " component " << i;
    }
}

DRVSlideshow* addSlideshow(DRVDocument& document, QRectF bounds, int firstName, int automatic)
{
    auto* slideshow = new DRVSlideshow(&document);
    slideshow->setBounds(bounds);
    slideshow->setSelectable(true);
    slideshow->setSlideShowAutomaticFlag(automatic);
    for (int i = 0; i < 3; ++i)
        slideshow->addIntoImageArray(
            makePicture(QStringLiteral("image%1").arg(firstName + i), QSize(60, 40)));
    document.insertGraphics({slideshow}, {0});
    return slideshow;
}

} // namespace

class ResponsiveComponentsInBrowserTest : public GenerationTest
{
protected:
    ResponsiveComponentsInBrowserTest() : GenerationTest("Brumel Responsive Website Designer") {}
};

TEST_F(ResponsiveComponentsInBrowserTest, TwoOfEachComponentActOnTheirOwn)
{
    QUIB_REQUIRE_BROWSER();
    QTemporaryDir folder;
    DRVDocument document;
    document.setPageName(QStringLiteral("index"));
    document.setMainTemplateName(QStringLiteral("index"));
    document.setTempSavePathLocal(folder.path());
    // The slideshows' carousels stand in a section, as they do on a responsive page.
    addTable(document, QStringLiteral("section"), 1, 1, QPointF(0, 700));
    document.graphics().first()->setBounds(QRectF(0, 700, 800, 600));
    addSlideshow(document, QRectF(20, 720, 300, 200), 1, 0);
    addSlideshow(document, QRectF(20, 1000, 300, 200), 4, 0);
    for (int i = 0; i < 2; ++i) {
        addTable(document, QStringLiteral("navbar"), 1, 3, QPointF(0, 10 + 60 * i));
        addTable(document, QStringLiteral("text_carousel"), 3, 3, QPointF(0, 200 + 200 * i),
                 [](int r, int c) { return QStringLiteral("quote %1 line %2").arg(c).arg(r); });
    }
    const QString page = document.generateSourceCode(QStringLiteral("index"), true, true);
    const QString path = browsertest::writePage(folder.path(), page);
    ASSERT_FALSE(path.isEmpty());

    const QJsonObject report = runPage(path, QStringLiteral("components-check.js"), 375);
    expectNoScriptErrors(report);
    const QJsonObject result = report.value("result").toObject();
    ASSERT_EQ(result.value("navbarTargets").toArray().size(), 2) << compact(result).toStdString();
    expectEachStepMovesOnlyItsOwn(result.value("navbars").toArray(), false, true, "navbar");
    ASSERT_EQ(result.value("quoteIds").toArray().size(), 2) << compact(result).toStdString();
    expectEachStepMovesOnlyItsOwn(result.value("quotes").toArray(), 0, 1, "text carousel");
    ASSERT_EQ(result.value("slideshowIds").toArray().size(), 2) << compact(result).toStdString();
    expectEachStepMovesOnlyItsOwn(result.value("slideshows").toArray(), 0, 1, "slideshow");
}

using ScriptedSlideshowsInBrowserTest = GenerationTest;

TEST_F(ScriptedSlideshowsInBrowserTest, StoppingOneSlideshowLeavesTheOtherRunning)
{
    QUIB_REQUIRE_BROWSER();
    QTemporaryDir folder;
    DRVDocument document;
    document.setPageName(QStringLiteral("index"));
    document.setTempSavePathLocal(folder.path());
    document.setPreviewGenerationFlag(true);
    addSlideshow(document, QRectF(20, 20, 300, 200), 1, 1);
    addSlideshow(document, QRectF(20, 300, 300, 200), 4, 1);
    const QString page = document.generateSourceCode(QStringLiteral("index"), true, true);
    const QString path = browsertest::writePage(folder.path(), page);
    ASSERT_FALSE(path.isEmpty());

    const QJsonObject report = runPage(path, QStringLiteral("strips-check.js"), 1200);
    expectNoScriptErrors(report);
    const QJsonObject result = report.value("result").toObject();
    auto pair = [&](const char* key) { return compact(result.value(key)); };
    EXPECT_EQ(pair("start"), QStringLiteral("[0,0]")) << compact(result).toStdString();
    EXPECT_EQ(pair("afterNext"), QStringLiteral("[1,0]"));
    EXPECT_EQ(pair("afterPrevious"), QStringLiteral("[0,0]"));
    // The first is stopped; the second advanced on its own interval.
    EXPECT_EQ(pair("afterInterval"), QStringLiteral("[0,1]"));
}
