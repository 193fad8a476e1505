// Text boxes as a browser shows the page: every box at its place (a missing hover part once ended
// the rules early, and every box after the first lost its position), "Helvetica Neue" with
// fallbacks a system without it can use, and a bundled font served from the page's own folder.
#include "BrowserTestSupport.h"
#include "GenerationTestSupport.h"

#include "generation/WebFonts.h"
#include "model/DRVText.h"

#include <QDir>
#include <QFontDatabase>
#include <QTextCursor>
#include <QTextDocument>

using generationtest::GenerationTest;

using TextBoxInBrowserTest = GenerationTest;

TEST_F(TextBoxInBrowserTest, EveryBoxStandsAtItsPlaceInItsFonts)
{
    QUIB_REQUIRE_BROWSER();
    const QString webFont = generationtest::bundledWebFontFamily();
    ASSERT_FALSE(webFont.isEmpty()) << "no bundled web font found in resources/fonts";

    generationtest::PageInFolder page;
    DRVDocument& document = page.document;
    const QTemporaryDir& folder = page.folder;
    // None of them has hover colours: the parts those would fill are empty.
    const QList<QRectF> places{QRectF(20, 30, 200, 40), QRectF(260, 90, 220, 40), QRectF(40, 200, 180, 60),
                               QRectF(300, 320, 240, 50)};
    for (qsizetype i = 0; i < places.size(); ++i) {
        DRVText* box = generationtest::addTextInFamily(document, QStringLiteral("box %1").arg(i), places[i],
                                                       i == 3 ? webFont : QStringLiteral("Helvetica Neue"));
        box->setTextHexColorString(QStringLiteral("222222"));
        box->setBackgroundHexColorString(QStringLiteral("CLEAR0"));
        box->setBorderStyle(QStringLiteral("none"));
    }
    // Generated as a writing save does, which puts the page's fonts beside it.
    const QString text = document.generateSourceCode(QStringLiteral("index"), false, true);
    EXPECT_FALSE(text.contains(QStringLiteral("(null)")));
    const QString path = browsertest::writePage(folder.path(), text);
    ASSERT_FALSE(path.isEmpty());
    const QStringList fontFiles = WebFonts::fontFileNames({webFont});
    ASSERT_FALSE(fontFiles.isEmpty());
    for (const QString& name : fontFiles)
        EXPECT_TRUE(QFileInfo(folder.filePath(QStringLiteral("index/fonts/") + name)).isFile())
            << name.toStdString();

    const QJsonObject report = browsertest::runPage(path, QStringLiteral("text-boxes-check.js"), 800);
    browsertest::expectNoScriptErrors(report);
    const QJsonObject result = report.value("result").toObject();
    const QJsonArray boxes = result.value("boxes").toArray();
    ASSERT_EQ(boxes.size(), places.size()) << browsertest::compact(result).toStdString();
    for (const QJsonValue& value : boxes) {
        const QJsonObject box = value.toObject();
        const int index = box.value("text").toString().section(u' ', 1).toInt();
        ASSERT_TRUE(index >= 0 && index < places.size());
        const QRectF& place = places[index];
        EXPECT_NEAR(box.value("left").toDouble(), place.x(), 0.5) << browsertest::compact(box).toStdString();
        EXPECT_NEAR(box.value("top").toDouble(), place.y(), 0.5) << browsertest::compact(box).toStdString();
        const QString family = box.value("fontFamily").toString();
        if (index == 3) {
            EXPECT_TRUE(family.contains(webFont)) << family.toStdString();
        } else {
            EXPECT_TRUE(family.endsWith(QStringLiteral("Arial, Helvetica, sans-serif")))
                << family.toStdString();
        }
    }
    // The bundled font came from the page's folder.
    bool loaded = false;
    for (const QJsonValue& font : result.value("fonts").toArray())
        loaded = loaded || (font.toObject().value("family").toString().remove(u'"') == webFont &&
                            font.toObject().value("status").toString() == QStringLiteral("loaded"));
    EXPECT_TRUE(loaded) << browsertest::compact(result).toStdString();
    // No font was asked of an outside server.
    for (const QJsonValue& url : report.value("refused").toArray())
        EXPECT_FALSE(url.toString().contains(QStringLiteral("font"), Qt::CaseInsensitive))
            << url.toString().toStdString();
}
