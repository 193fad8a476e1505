// The saved page is untrusted text. Every cut of a fixture page must parse, and what a cut gives
// must agree with the whole page: no graphic the page does not hold, and every graphic whose lines
// all lie before the cut read exactly as from the whole page. Every file of the fuzz corpus parses
// without a crash.
#include "PropertyValues.h"

#include "document/PageParser.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
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

QString shown(const QVariant& value)
{
    QString text;
    QDebug(&text).nospace() << value;
    return text;
}

// A graphic of a parse, known by its kind and its z-index (unique within each fixture).
struct Graphic
{
    QString kind;
    int tag = 0;
    QVariantMap values;
};

void flatten(const QString& prefix, const QVariant& value, QVariantMap& into)
{
    if (value.typeId() == QMetaType::QVariantMap) {
        const QVariantMap map = value.toMap();
        for (auto it = map.begin(); it != map.end(); ++it)
            flatten(prefix + u'.' + it.key(), it.value(), into);
        return;
    }
    into.insert(prefix, value);
}

// The values that differ, each with both values.
std::string differences(const QVariantMap& a, const QVariantMap& b)
{
    QVariantMap flatA, flatB;
    flatten(QString(), a, flatA);
    flatten(QString(), b, flatB);
    QString text;
    QStringList keys = flatA.keys() + flatB.keys();
    keys.removeDuplicates();
    for (const QString& key : keys) {
        if (flatA.value(key) != flatB.value(key))
            text +=
                QStringLiteral("\n  %1: %2 | %3").arg(key, shown(flatA.value(key)), shown(flatB.value(key)));
    }
    return text.toStdString();
}

QList<Graphic> graphicsOf(const PageParseResult& result)
{
    QList<Graphic> graphics;
    for (const QObject* carrier : result.carriers)
        graphics.append(Graphic{QString::fromLatin1(carrier->metaObject()->className()),
                                carrier->property("tag").toInt(),
                                propertyvalues::objectValues(carrier).toMap()});
    return graphics;
}

// Where each graphic's lines end in the page text, by z-index: its rule line, and its element in
// the body (a <div> up to its closing tag, any other element its own line).
QHash<int, qsizetype> graphicEnds(const QString& text)
{
    QHash<int, qsizetype> ends;
    static const QRegularExpression rule(
        QStringLiteral(R"(^\.([A-Za-z]+\d+)\{position:[^\n]*?z-index:(\d+);)"),
        QRegularExpression::MultilineOption);
    auto lineEnd = [&](qsizetype at) {
        const qsizetype end = text.indexOf(u'\n', at);
        return end < 0 ? text.size() : end;
    };
    for (auto it = rule.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QString selector = m.captured(1);
        qsizetype end = lineEnd(m.capturedStart());
        const QRegularExpression element(QStringLiteral("<(\\w+) [^\\n]*class=%1[ >]").arg(selector));
        const QRegularExpressionMatch body = element.match(text, end);
        if (body.hasMatch()) {
            qsizetype bodyEnd = lineEnd(body.capturedStart());
            if (body.captured(1) == QLatin1String("div"))
                bodyEnd = lineEnd(text.indexOf(QLatin1String("</div>"), body.capturedStart()));
            end = qMax(end, bodyEnd);
        }
        ends.insert(m.captured(2).toInt(), end);
    }
    return ends;
}

struct Fixture
{
    const char* file;
    const char* extension;
};

void PrintTo(const Fixture& fixture, std::ostream* os)
{
    *os << fixture.file;
}

class ParserPrefix : public ::testing::TestWithParam<Fixture>
{
};

TEST_P(ParserPrefix, EveryCutAgreesWithTheWholePage)
{
    const QString path = QStringLiteral(QUIB_FIXTURES_DIR "/pages/") + QString::fromLatin1(GetParam().file);
    const QString extension = QString::fromLatin1(GetParam().extension);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(path);
    const QString text = QString::fromUtf8(file.readAll());

    const QList<Graphic> whole = graphicsOf(parse(text, extension));
    QHash<QString, Graphic> wholeByKey;
    QHash<QString, int> wholeKinds;
    for (const Graphic& g : whole) {
        const QString key = g.kind + u'@' + QString::number(g.tag);
        ASSERT_FALSE(wholeByKey.contains(key)) << "two graphics " << key.toStdString();
        wholeByKey.insert(key, g);
        ++wholeKinds[g.kind];
    }
    QHash<int, qsizetype> ends = graphicEnds(text);
    ASSERT_GE(whole.size(), 5);
    for (const Graphic& g : whole)
        ASSERT_TRUE(ends.contains(g.tag)) << "no lines found for " << g.kind.toStdString() << " " << g.tag;
    // An option of a form (a radio button, a check box) shows its label's text and the label
    // knows its option: the two are read together.
    auto option = [](const Graphic& g) {
        return g.values.value("formOptionTag").toInt() > 0 ? QStringLiteral("%1/%2")
                                                                 .arg(g.values.value("formTag").toInt())
                                                                 .arg(g.values.value("formOptionTag").toInt())
                                                           : QString();
    };
    for (const Graphic& label : whole) {
        if (label.values.value("formType") != QStringLiteral("textLabel") || option(label).isEmpty())
            continue;
        for (const Graphic& field : whole) {
            if (option(field) != option(label))
                continue;
            const qsizetype end = qMax(ends.value(label.tag), ends.value(field.tag));
            ends[label.tag] = end;
            ends[field.tag] = end;
        }
    }

    qsizetype previous = 0;
    int graphicsCheckedWhole = 0;
    for (qsizetype at = text.indexOf(u'\n'); at >= 0; at = text.indexOf(u'\n', at + 1)) {
        // A cut at a line end: complete lines only, so each graphic it gives is one of the page's,
        // and each graphic whose lines all lie before the cut is read in full.
        const QList<Graphic> cut = graphicsOf(parse(text.left(at), extension));
        QHash<QString, const Graphic*> cutByKey;
        for (const Graphic& g : cut) {
            const QString key = g.kind + u'@' + QString::number(g.tag);
            EXPECT_TRUE(wholeByKey.contains(key)) << "cut at " << at << " invents " << key.toStdString();
            cutByKey.insert(key, &g);
        }
        for (const Graphic& g : whole) {
            if (ends.value(g.tag) > at)
                continue;
            const QString key = g.kind + u'@' + QString::number(g.tag);
            const Graphic* read = cutByKey.value(key);
            if (!read) {
                ADD_FAILURE() << "cut at " << at << " loses " << key.toStdString();
                continue;
            }
            EXPECT_TRUE(read->values == g.values)
                << "cut at " << at << ": " << key.toStdString() << differences(read->values, g.values);
            ++graphicsCheckedWhole;
        }

        // A cut inside a line may leave a rule unfinished: never more graphics of a kind than the
        // page holds.
        QHash<QString, int> halfKinds;
        for (const Graphic& g : graphicsOf(parse(text.left((previous + at) / 2), extension)))
            ++halfKinds[g.kind];
        for (auto it = halfKinds.begin(); it != halfKinds.end(); ++it)
            EXPECT_LE(it.value(), wholeKinds.value(it.key()))
                << "cut at " << (previous + at) / 2 << " " << it.key().toStdString();
        previous = at;
    }
    EXPECT_GT(graphicsCheckedWhole, whole.size());
}

INSTANTIATE_TEST_SUITE_P(Fixtures, ParserPrefix,
                         ::testing::Values(Fixture{"every-kind.html", "html"}, Fixture{"form.php", "php"}),
                         [](const ::testing::TestParamInfo<Fixture>& info) {
                             return std::string(info.param.extension);
                         });

TEST(ParserPrefixCorpus, CorpusReplays)
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
