// A section's id is author text kept in the section's saved rule: whatever it holds comes back
// exactly, it can neither end the rule nor the style block, and ids of older pages still read.
#include "ComponentTestSupport.h"

#include "document/StyleRuleTokens.h"
#include "generation/TextEscaping.h"

#include <QRegularExpression>
#include <QTemporaryDir>

using namespace componenttest;
using generationtest::GenerationTest;

namespace {

// The value the saved rule of the page's section gives its id.
QString storedId(const QString& page)
{
    static const QRegularExpression id(QStringLiteral("sectionID:([^;]*);"));
    return id.match(page).captured(1);
}

} // namespace

using SectionIdTest = GenerationTest;

TEST_F(SectionIdTest, EveryIdComesBackExactlyAndStaysInsideItsValue)
{
    const QStringList ids = {QStringLiteral("about"),
                             QStringLiteral("a:b;c=d"),
                             QStringLiteral("{x}\"y\"'z'"),
                             QStringLiteral("help px expand"),
                             QStringLiteral("#top"),
                             QStringLiteral("100%41"),
                             QStringLiteral("(null)"),
                             QStringLiteral("  spaced  "),
                             QStringLiteral("\u00FCn\u00EF \U0001F600 \u00A9"),
                             QStringLiteral("line\nbreak\ttab"),
                             QStringLiteral("</style><script>window.x=1</script>"),
                             QStringLiteral("a\\b")};
    for (const QString& id : ids) {
        SCOPED_TRACE(id.toStdString());
        DRVDocument document;
        document.setMainTemplateName(QStringLiteral("index"));
        DRVTable* section = addTable(document, QStringLiteral("section"), 1, 2, QPointF(0, 0));
        section->setSectionIDString(id);

        QTemporaryDir folder;
        const ReadBack back = writeAndRead(document, folder.path());
        const QList<DRVTable*> tables = ofClass<DRVTable>(back.graphics);
        ASSERT_EQ(tables.size(), 1);
        EXPECT_EQ(tables.first()->sectionIDString(), id);

        const QString page = document.generateSourceCode(QStringLiteral("index"), false, false);
        const QString stored = storedId(page);
        static const QRegularExpression unsafe(QStringLiteral("[;:={}\"'#<>\\\\\\s]|px"));
        EXPECT_FALSE(stored.contains(unsafe)) << stored.toStdString();
        EXPECT_FALSE(page.contains(QStringLiteral("<script>window.x")));
        // The rest of the rule still reads.
        const StyleRuleTokens rule(page.mid(page.indexOf(QStringLiteral(".tableGrid"))).section(u'\n', 0, 0));
        EXPECT_EQ(rule.parseForItemTypeString(QStringLiteral("gridType"), QString()),
                  QStringLiteral("section"));
    }
}

TEST(SectionIdOlderPagesTest, PlainIdsAreStoredAndReadAsTheyStand)
{
    const struct
    {
        const char* stored;
        const char* read;
    } cases[] = {
        {"about-us", "about-us"},
        {"Section_2.top", "Section_2.top"},
        {"", ""},
        {"50%", "50%"},     // no escape follows
        {"%zz%4", "%zz%4"}, // not two hex digits
        {"caf%C3%A9", "caf\u00E9"},
        {"p%78", "px"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TextEscaping::decodeRuleText(QString::fromUtf8(c.stored)), QString::fromUtf8(c.read))
            << c.stored;
    }
    // A plain id is written as it stands, so older readers read new pages alike.
    EXPECT_EQ(TextEscaping::encodeRuleText(QStringLiteral("about-us")), QStringLiteral("about-us"));
}
