// Fonts in generated pages: the family values rules write, the bundled fonts a page uses, their
// files and licences beside a saved or exported page.
#include "GenerationTestSupport.h"

#include "document/DRVDocument.h"
#include "editions/DataCentre.h"
#include "generation/WebFonts.h"
#include "model/DRVText.h"

#include <QDir>
#include <QTextCursor>
#include <QTextDocument>

using generationtest::GenerationTest;

namespace {

const QString kFonts = QStringLiteral(QUIB_RESOURCES_DIR "/fonts");

} // namespace

using WebFontsTest = GenerationTest;

TEST_F(WebFontsTest, FamilyValuesAreQuotedWithFallbacksWhereNeeded)
{
    const struct
    {
        QString family;
        QString value;
    } cases[] = {
        {QStringLiteral("Helvetica Neue"),
         QStringLiteral("\"Helvetica Neue\", Arial, Helvetica, sans-serif")},
        {QStringLiteral("Georgia"), QStringLiteral("\"Georgia\"")},
        {QStringLiteral("Evil\";}body{display:none"), QStringLiteral("\"Evilbodydisplay:none\"")},
        {QString(), QStringLiteral("\"\"")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WebFonts::fontFamilyValue(c.family), c.value) << c.family.toStdString();
        // The reader takes the family back from what the rule holds once quotes are gone.
        QString stored = c.value;
        stored.remove(u'"');
        if (!c.family.contains(u'"')) {
            EXPECT_EQ(WebFonts::firstFamily(stored), c.family);
        }
    }
}

TEST_F(WebFontsTest, EveryBundledFontHasItsLicenceBesideIt)
{
    const QStringList files = QDir(kFonts).entryList({"*.ttf", "*.otf", "*.woff", "*.woff2"}, QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    for (const QString& file : files) {
        const QString licence = WebFonts::licenceFileFor(file);
        ASSERT_FALSE(licence.isEmpty()) << file.toStdString();
        QFile text(kFonts + u'/' + licence);
        ASSERT_TRUE(text.open(QIODevice::ReadOnly)) << licence.toStdString();
        EXPECT_TRUE(text.readAll().toLower().contains("licen")) << licence.toStdString();
    }
    // Each bundled file is a font the page pass can name.
    EXPECT_EQ(WebFonts::bundledFaces().size(), files.size());
}

TEST_F(WebFontsTest, APageDeclaresAndCarriesTheBundledFontsItUsesOnly)
{
    const QString family = generationtest::bundledWebFontFamily();
    ASSERT_FALSE(family.isEmpty());
    generationtest::PageInFolder site;
    DRVDocument& document = site.document;
    const QTemporaryDir& folder = site.folder;
    DRVText* box =
        generationtest::addTextInFamily(document, QStringLiteral("sample"), QRectF(10, 10, 200, 40), family);
    generationtest::addTextInFamily(document, QStringLiteral("sample"), QRectF(10, 60, 200, 40),
                                    QStringLiteral("Helvetica Neue"));

    const QString page = document.generateSourceCode(QStringLiteral("index"), false, true);
    const QStringList files = WebFonts::fontFileNames({family});
    ASSERT_EQ(files.size(), 1);
    EXPECT_TRUE(page.contains(
        QStringLiteral("@font-face{font-family:\"%1\";src:url('index/fonts/%2') format('woff');")
            .arg(family, files.first())))
        << page.left(3000).toStdString();
    const QDir fonts(folder.filePath(QStringLiteral("index/fonts")));
    EXPECT_EQ(fonts.entryList(QDir::Files, QDir::Name),
              QStringList({WebFonts::licenceFileFor(files.first()), files.first()}));

    // Exported beside another page file: the fonts go beside it too.
    QTemporaryDir exported;
    ASSERT_TRUE(document.exportPublishVersion(exported.filePath(QStringLiteral("site/index.html"))));
    EXPECT_TRUE(QFileInfo(exported.filePath(QStringLiteral("site/index/fonts/") + files.first())).isFile());

    // The font no longer used leaves the page and its folder.
    QTextCursor all(box->contents());
    all.select(QTextCursor::Document);
    QTextCharFormat plain;
    plain.setFontFamilies({QStringLiteral("Helvetica Neue")});
    all.mergeCharFormat(plain);
    const QString later = document.generateSourceCode(QStringLiteral("index"), false, true);
    EXPECT_FALSE(later.contains(QStringLiteral("@font-face")));
    EXPECT_FALSE(QFileInfo::exists(fonts.path()));
}
