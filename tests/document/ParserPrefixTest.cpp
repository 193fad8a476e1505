// The saved page is untrusted text: every cut of a fixture page, and every file of the fuzz
// corpus, must parse without a crash.
#include "document/PageParser.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

QStringList corpusFiles()
{
    QStringList files;
    for (const QString& folder :
         {QStringLiteral(QUIB_FIXTURES_DIR "/pages"), QStringLiteral(QUIB_SOURCE_DIR "/tests/fuzz/corpus")}) {
        const QDir dir(folder);
        for (const QString& name : dir.entryList(QDir::Files, QDir::Name))
            files.append(dir.filePath(name));
    }
    return files;
}

PageParseResult parse(const QString& text, const QString& extension)
{
    PageParseInput in;
    in.pageText = text;
    in.pageName = in.templatePageName = QStringLiteral("index");
    in.pageFileExtension = extension;
    return PageParser::presentObjects(in);
}

TEST(ParserPrefix, EveryLineCutOfEveryFixtureParses)
{
    for (const QString& path : {QStringLiteral(QUIB_FIXTURES_DIR "/pages/every-kind.html"),
                                QStringLiteral(QUIB_FIXTURES_DIR "/pages/form.php")}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(path);
        const QString text = QString::fromUtf8(file.readAll());
        const QString extension =
            path.endsWith(QLatin1String(".php")) ? QStringLiteral("php") : QStringLiteral("html");
        qsizetype previous = 0;
        for (qsizetype at = text.indexOf(u'\n'); at >= 0; at = text.indexOf(u'\n', at + 1)) {
            // Cut at the line end and in the middle of the line.
            const PageParseResult whole = parse(text.left(at), extension);
            const PageParseResult half = parse(text.left((previous + at) / 2), extension);
            EXPECT_GE(whole.carriers.size(), 0);
            EXPECT_GE(half.carriers.size(), 0);
            previous = at;
        }
        EXPECT_FALSE(parse(text, extension).carriers.isEmpty());
    }
}

TEST(ParserPrefix, CorpusReplays)
{
    const QStringList files = corpusFiles();
    ASSERT_FALSE(files.isEmpty());
    for (const QString& path : files) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(path);
        const QByteArray bytes = file.readAll();
        for (const QString& extension : {QStringLiteral("html"), QStringLiteral("php")})
            parse(QString::fromUtf8(bytes), extension);
    }
}

} // namespace
