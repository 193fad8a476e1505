#include "app/CommandLine.h"
#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "publishing/DocumentArchiverInstall.h"

#include <gtest/gtest.h>

#include <QTemporaryFile>

#include <cstdio>

namespace {

// Runs the command line's own handling and gives back what it printed on each stream.
struct Handled
{
    std::optional<int> exitCode;
    QString out;
    QString err;
};

Handled run(const QStringList& arguments, const QString& resources = DataCentre::resourcesPath())
{
    Handled handled;
    FILE* out = std::tmpfile();
    FILE* err = std::tmpfile();
    handled.exitCode =
        CommandLine::handle(QStringList{QStringLiteral("quib")} + arguments, resources, out, err);
    for (auto [stream, text] : {std::pair{out, &handled.out}, std::pair{err, &handled.err}}) {
        std::fflush(stream);
        std::rewind(stream);
        char buffer[4096];
        size_t read = 0;
        QByteArray bytes;
        while ((read = std::fread(buffer, 1, sizeof buffer, stream)) > 0)
            bytes.append(buffer, qsizetype(read));
        *text = QString::fromLocal8Bit(bytes);
        std::fclose(stream);
    }
    return handled;
}

} // namespace

TEST(CommandLine, EditionNamesAreTakenAsTypedOrLoosely)
{
    const struct
    {
        const char* typed;
        const char* edition; // nullptr: none
    } cases[] = {
        {"Ulmira Pro 2", "Ulmira Pro 2"},
        {"ulmira-pro-2", "Ulmira Pro 2"},
        {"ULMIRA_PRO_2", "Ulmira Pro 2"},
        {"  Corvane eCard Designer ", "Corvane eCard Designer"},
        {"Quib", "Quib"},
        {"Ulmira Pro", nullptr},
        {"Ulmira Pro 22", nullptr},
        {"", nullptr},
    };
    for (const auto& c : cases) {
        const std::optional<QString> named = CommandLine::editionNamed(QString::fromUtf8(c.typed));
        if (c.edition)
            EXPECT_EQ(named.value_or(QStringLiteral("<none>")), QString::fromUtf8(c.edition)) << c.typed;
        else
            EXPECT_FALSE(named.has_value()) << c.typed << " gave " << named->toStdString();
    }
}

TEST(CommandLine, HelpVersionAndTheListEndTheProgram)
{
    const Handled help = run({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith(QStringLiteral("Usage: quib"))) << help.out.toStdString();
    EXPECT_TRUE(help.out.contains(QStringLiteral("--list-editions")));
    EXPECT_EQ(run({QStringLiteral("-h")}).exitCode, 0);
    EXPECT_EQ(run({QStringLiteral("--version")}).out,
              QStringLiteral("quib %1\n").arg(QStringLiteral(QUIB_VERSION)));

    const Handled list = run({QStringLiteral("--list-editions")});
    EXPECT_EQ(list.exitCode, 0);
    const QStringList lines = list.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), DataCentre::editionDisplayNames().size() + 1);
    EXPECT_TRUE(lines.at(1).startsWith(QStringLiteral("HTML Quib Pro ")));
    EXPECT_TRUE(lines.at(1).contains(QStringLiteral(".quibpage")));

    // Without its list the program says where it looked rather than listing nothing.
    const Handled missing = run({QStringLiteral("--list-editions")}, QStringLiteral("/nonexistent"));
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("/nonexistent")));
}

TEST(CommandLine, AnEditionThatIsNoneIsRefusedWithTheNames)
{
    for (const QStringList& arguments :
         {QStringList{QStringLiteral("--edition"), QStringLiteral("Ulmira Pro 9")},
          QStringList{QStringLiteral("--edition=Ulmira Pro 9")}}) {
        const Handled refused = run(arguments + QStringList{QStringLiteral("page.ulmira")});
        EXPECT_EQ(refused.exitCode, 2);
        EXPECT_TRUE(refused.err.contains(QStringLiteral("\"Ulmira Pro 9\"")));
        for (const QString& name : DataCentre::editionDisplayNames())
            EXPECT_TRUE(refused.err.contains(QStringLiteral("  ") + name + QLatin1Char('\n')))
                << name.toStdString();
    }
    EXPECT_EQ(run({QStringLiteral("--edition")}).exitCode, 2);
    // A good name, a loose one and plain documents start the program.
    EXPECT_FALSE(run({QStringLiteral("--edition"), QStringLiteral("Ulmira Pro 2")}).exitCode.has_value());
    EXPECT_FALSE(run({QStringLiteral("--edition"), QStringLiteral("ulmira-express")}).exitCode.has_value());
    EXPECT_FALSE(run({QStringLiteral("page.quibpage")}).exitCode.has_value());
    // After "--" every argument is a document, even one spelt like an option.
    EXPECT_FALSE(run({QStringLiteral("--"), QStringLiteral("--help")}).exitCode.has_value());
}

// The list the desktop entries and --list-editions are made from names every edition once, with
// the extension that edition really gives its documents.
TEST(CommandLine, TheEditionListMatchesTheEditions)
{
    const QList<CommandLine::EditionSummary> rows =
        CommandLine::editionSummaries(DataCentre::resourcesPath());
    QStringList listed;
    for (const CommandLine::EditionSummary& row : rows) {
        listed.append(row.displayName);
        EXPECT_FALSE(row.makes.isEmpty()) << row.displayName.toStdString();
        ScopedEdition selected(row.displayName);
        EXPECT_EQ(edition().gDocumentExtension, row.extension) << row.displayName.toStdString();
        // Its welcome window shows the icon its desktop entry shows.
        if (row.displayName != DataCentre::defaultDisplayName())
            EXPECT_FALSE(edition().gEditionIcon.isNull()) << row.displayName.toStdString();
    }
    EXPECT_EQ(listed, QStringList{DataCentre::defaultDisplayName()} + DataCentre::editionDisplayNames());
}

// A page opened through the plain desktop entry starts the edition that made it.
TEST(CommandLine, ADocumentNamesTheEditionThatMadeIt)
{
    DocumentArchiverInstall::install();
    const QString fixtures = QStringLiteral(QUIB_FIXTURES_DIR "/install");
    EXPECT_EQ(
        CommandLine::editionOfDocument(fixtures + QStringLiteral("/Classic.dunmeret")).value_or(QString()),
        QStringLiteral("Brennolt Pro"));
    EXPECT_FALSE(CommandLine::editionOfDocument(fixtures + QStringLiteral("/missing.dunmeret")).has_value());
    QTemporaryFile notAnArchive;
    ASSERT_TRUE(notAnArchive.open());
    notAnArchive.write("<meta name='Generator' content='Brennolt Pro for Linux 1.0'>");
    notAnArchive.close();
    EXPECT_FALSE(CommandLine::editionOfDocument(notAnArchive.fileName()).has_value());
}
