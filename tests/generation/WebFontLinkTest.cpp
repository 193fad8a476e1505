// The catalogue's web fonts that the bundle does not carry: a page using one links it from the
// web-font service by its query name, and only the fonts of the page written last are marked.
#include "GenerationTestSupport.h"

#include "document/DRVDocument.h"
#include "editions/CustomFont.h"

using WebFontLinkTest = generationtest::GenerationTest;

TEST_F(WebFontLinkTest, APageUsingACatalogueFontLinksItByItsQueryName)
{
    generationtest::PageInFolder site;
    generationtest::addTextInFamily(site.document, QStringLiteral("sample"), QRectF(10, 10, 200, 40),
                                    QStringLiteral("Lobster Two"));
    generationtest::addTextInFamily(site.document, QStringLiteral("sample"), QRectF(10, 60, 200, 40),
                                    QStringLiteral("Passion"));
    const QString page = site.document.generateSourceCode(QStringLiteral("index"), false, true);
    EXPECT_TRUE(page.contains(QStringLiteral("<link href='https://fonts.googleapis.com/css?family="
                                             "Lobster Two|Passion+One|&subset=latin,latin-ext' "
                                             "rel='stylesheet' type='text/css'>")))
        << page.left(3000).toStdString();

    // Another page without them: nothing marked, no link.
    generationtest::PageInFolder plain;
    generationtest::addTextInFamily(plain.document, QStringLiteral("sample"), QRectF(10, 10, 200, 40),
                                    QStringLiteral("Helvetica Neue"));
    const QString other = plain.document.generateSourceCode(QStringLiteral("index"), false, true);
    EXPECT_FALSE(other.contains(QStringLiteral("fonts.googleapis.com")));
    for (const CustomFont& font : gCustomFontList())
        EXPECT_FALSE(font.isUsed) << font.fontName.toStdString();
}
