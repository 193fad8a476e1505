// Pages whose title, meta texts and settings hold text made to break them: the page keeps its shape (nothing
// after the page but the settings lines, one each), every setting reads back as typed, and in
// Chromium the title shows as typed and runs nothing.
#include "GenerationTestSupport.h"
#include "common/ExternalTools.h"

#include "document/PageParser.h"
#include "editions/DataCentre.h"
#include "editions/LabelTemplateHelper.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>

using generationtest::GenerationTest;

namespace {

const QString kBrowserFolder = QStringLiteral(QUIB_FIXTURES_DIR "/../browser");

const QStringList& hostileTexts()
{
    static const QStringList texts = {
        QStringLiteral("</title><script>window.injected=1</script>"),
        QStringLiteral("<?php echo 'x'; ?> <? echo 1; ?>"),
        QStringLiteral("a==PAGETITLEEND--> b --> c"),
        QStringLiteral("==CANVAS_SIZE_TYPE_END--> ==LABEL_BRAND_END ==PUBLISHEXTEND-->"),
        QStringLiteral(
            "line\n<!--CANVAS_SIZE_TYPE==Large==CANVAS_SIZE_TYPE_END-->\n//====LABEL_BRAND_START==X=="
            "LABEL_BRAND_END"),
        QString::fromUtf8("“quoted” — & &amp; = trailing ="),
    };
    return texts;
}

QString marker(const QString& page, const char* start, const char* end)
{
    return DataCentre::grabMiddleString(QLatin1String(start), QLatin1String(end), page);
}

} // namespace

using HostileMarkersTest = GenerationTest;

TEST_F(HostileMarkersTest, SettingsReadBackAsTypedAndCannotAddLines)
{
    for (const QString& value : hostileTexts()) {
        SCOPED_TRACE(value.toStdString());
        DRVDocument document;
        document.setPageFileExtension(QStringLiteral("html"));
        document.setPageOfficialName(value);
        document.setCanvasSizeTypeName(value);
        document.setMetaKeywords(value);
        document.setMetaDescription(value + QStringLiteral("\" name=\"x"));
        document.setSelectedLabelSheet(QStringLiteral("Address Labels"));
        document.setLabelTemplateHelper(LabelTemplateHelper(value, value, value));
        const QString page = document.generateSourceCode(QStringLiteral("index"), false, false);

        EXPECT_EQ(marker(page, "<!--PAGETITLESTART==", "==PAGETITLEEND-->"), value);
        EXPECT_EQ(marker(page, "//====LABEL_BRAND_START==", "==LABEL_BRAND_END"), value);
        EXPECT_EQ(marker(page, "//====LABEL_TEMPLATEDESCRIPTION_START==", "==LABEL_TEMPLATEDESCRIPTION_END"),
                  value);
        EXPECT_EQ(marker(page, "<!--PUBLISHEXTSTART==", "==PUBLISHEXTEND-->"), QStringLiteral("html"));

        PageParseInput input;
        input.pageText = page;
        input.pageName = QStringLiteral("index");
        input.templatePageName = QStringLiteral("index");
        input.pageFileExtension = QStringLiteral("html");
        const PageParseResult parsed = PageParser::presentObjects(input);
        EXPECT_EQ(parsed.canvasSizeType, value);
        // Meta texts take the page-wide replacements (curly quotes become straight ones).
        const QString meta = QString(value)
                                 .replace(QChar(0x201C), u'"')
                                 .replace(QChar(0x201D), u'"')
                                 .replace(QChar(0x2014), u'-');
        EXPECT_EQ(parsed.metaKeywords, meta);
        EXPECT_EQ(parsed.metaDescription, meta + QStringLiteral("\" name=\"x"));
        EXPECT_EQ(page.count(QStringLiteral("<meta name=\"keywords\"")), 1);

        // After the page: the settings lines, each one line, in their order.
        const QString after = page.mid(page.indexOf(QStringLiteral("</html>")) + 7);
        QStringList starts;
        for (const QString& line : after.split(u'\n')) {
            if (line.isEmpty())
                continue;
            starts << line.left(line.indexOf(QStringLiteral("==")));
        }
        EXPECT_EQ(
            starts,
            QStringList({QStringLiteral("<!--PUBLISHEXTSTART"), QStringLiteral("<!--BACKGROUNDIMAGESTART"),
                         QStringLiteral("//"), QStringLiteral("//"), QStringLiteral("//"),
                         QStringLiteral("<!--PAGETITLESTART"), QStringLiteral("<!--FIXEDCANVASSTART"),
                         QStringLiteral("<!--CANVAS_SIZE_TYPE")}));
        // The head's title is one line of text.
        const qsizetype title = page.indexOf(QStringLiteral("<title>"));
        const qsizetype titleEnd = page.indexOf(QStringLiteral("</title>"), title);
        EXPECT_FALSE(page.mid(title + 7, titleEnd - title - 7).contains(u'<'));
        EXPECT_FALSE(page.mid(title, titleEnd - title).contains(u'\n'));
    }
}

TEST_F(HostileMarkersTest, BrowsersShowTheTitleAsTypedAndRunNothingOfIt)
{
    if (!haveBrowserOrFail())
        return;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString check = dir.filePath(QStringLiteral("check.js"));
    QFile checkFile(check);
    ASSERT_TRUE(checkFile.open(QIODevice::WriteOnly));
    checkFile.write("(async () => ({ title: document.title, injected: window.injected === 1,\n"
                    "  scripts: document.querySelectorAll('head script:not([src])').length }))()\n");
    checkFile.close();

    // Titles without runs of white space: the browser folds those.
    const QStringList titles = {QStringLiteral("</title><script>window.injected=1</script>"),
                                QString::fromUtf8("Caf\u00e9 & <b>bar</b> a==PAGETITLEEND-->"),
                                QStringLiteral("<!--<script>window.injected=1</script>")};
    int n = 0;
    for (const QString& title : titles) {
        SCOPED_TRACE(title.toStdString());
        DRVDocument document;
        document.setEncodingType(QStringLiteral("UTF-8"));
        document.setPageOfficialName(title);
        const QString page = document.generateSourceCode(QStringLiteral("index"), false, false);
        const QString file = dir.filePath(QStringLiteral("page%1.html").arg(n++));
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(page.toUtf8());
        out.close();

        QProcess node;
        node.start(QStringLiteral("node"),
                   {kBrowserFolder + QStringLiteral("/run-page.js"), QStringLiteral("--page"), file,
                    QStringLiteral("--check"), check, QStringLiteral("--web"),
                    QStringLiteral(QUIB_RESOURCES_DIR "/web")});
        if (!node.waitForFinished(90000)) {
            node.kill();
            node.waitForFinished();
        }
        const QByteArray report = node.readAllStandardOutput();
        const QJsonObject result =
            QJsonDocument::fromJson(report.trimmed().split('\n').last()).object().value("result").toObject();
        ASSERT_FALSE(result.isEmpty()) << report.toStdString() << node.readAllStandardError().toStdString();
        EXPECT_EQ(result.value("title").toString(), title);
        EXPECT_FALSE(result.value("injected").toBool());
    }
}
