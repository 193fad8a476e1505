// Author text that looks like markup or code, in every page shape (absolute, responsive web,
// responsive e-mail): saved pages give it back exactly, published pages show it as text, a PHP form
// page runs none of it, and a browser runs no script from it. Image names and links are attribute
// values wherever the page writes them.
#include "BrowserTestSupport.h"
#include "ComponentTestSupport.h"
#include "PageRoundTrip.h"

#include "generation/ImageGenerator.h"
#include "model/DRVImage.h"
#include "model/DRVLine.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace componenttest;
using generationtest::GenerationTest;

namespace {

// Each piece would run, or end its element, if it reached the page as markup.
const QString kHostileText = QStringLiteral(
    "<?php echo 6*7 . 'RAN-PHP'; ?></div><script>window.injected = 'text';</script>"
    "<img src=x onerror=\"window.injected='img'\"> &amp;lt; \"quoted\" 'single' ==PAGETITLEEND-->");
const QString kHostileCell = QStringLiteral("</td></table><script>window.injected = 'cell';</script>&#39;");

const char* const kShapes[] = {"HTML Quib Pro", "Brumel Responsive Website Designer",
                               "Brumel Responsive Email Designer"};

QString plainText(const DRVGraphic* graphic)
{
    auto* text = qobject_cast<const DRVText*>(graphic);
    return text ? text->contents()->toPlainText() : QString();
}

// A page whose hostile texts lie in a section column, so that each shape places them: a text box,
// a table cell and a line.
struct HostilePage
{
    DRVDocument document;
    DRVText* box = nullptr;
    DRVTable* table = nullptr;

    explicit HostilePage(const QString& extension = QStringLiteral("html"))
    {
        document.setMainTemplateName(QStringLiteral("index"));
        document.setPageName(QStringLiteral("index"));
        document.setPageFileExtension(extension);
        addTable(document, QStringLiteral("section"), 1, 1, QPointF(0, 0));
        table = addTable(document, QStringLiteral("table"), 1, 1, QPointF(0, 0),
                         [](int, int) { return kHostileCell; });
        box = generationtest::addTextInFamily(document, kHostileText, QRectF(5, 2, 90, 30),
                                              QStringLiteral("Liberation Sans"));
        auto* line = new DRVLine(&document);
        document.insertGraphics({line}, {0});
        line->setBeginPoint(QPointF(10, 20));
        line->setEndPoint(QPointF(90, 20));
        line->setBorderWidth(2);
        line->setBorderStyle(QStringLiteral("solid"));
        line->setBorderHexColorString(QStringLiteral("FF0000"));
    }

    QString published() { return document.generateSourceCode(QStringLiteral("index"), true, false); }
};

// The page with every place the writer escaped removed: what a browser or PHP would take as code.
void expectNothingRaw(const QString& page)
{
    EXPECT_FALSE(page.contains(QStringLiteral("<?php echo 6*7"))) << page.toStdString();
    EXPECT_FALSE(page.contains(QStringLiteral("<script>window.injected"))) << page.toStdString();
    EXPECT_FALSE(page.contains(QStringLiteral("<img src=x"))) << page.toStdString();
    EXPECT_FALSE(page.contains(QStringLiteral("</td></table><script>"))) << page.toStdString();
}

class HostileAuthorTextTest : public ::testing::TestWithParam<const char*>
{
protected:
    HostileAuthorTextTest() : m_shape(QString::fromLatin1(GetParam()))
    {
        platform::UserDefaults::standard().useStoreFile(m_store.filePath(QStringLiteral("defaults.ini")));
        edition().gBundleVersion = QStringLiteral("1.0");
    }

    QTemporaryDir m_store;
    ScopedEdition m_shape;
};

} // namespace

TEST_P(HostileAuthorTextTest, SavedPageGivesTheTextsBackExactly)
{
    HostilePage page;
    QTemporaryDir folder;
    const ReadBack back = writeAndRead(page.document, folder.path());
    QStringList texts;
    for (const DRVGraphic* graphic : back.graphics) {
        if (!plainText(graphic).isEmpty())
            texts << plainText(graphic);
    }
    EXPECT_TRUE(texts.contains(kHostileText)) << texts.join(u'|').toStdString();
    const QList<DRVTable*> tables = ofClass<DRVTable>(back.graphics);
    bool cellBack = false;
    for (const DRVTable* table : tables)
        cellBack = cellBack || cellText(table, 0, 0) == kHostileCell;
    EXPECT_TRUE(cellBack);
    expectNothingRaw(page.document.generateSourceCode(QStringLiteral("index"), false, false));
}

TEST_P(HostileAuthorTextTest, PublishedPageShowsTheTextsAsText)
{
    HostilePage page;
    const QString published = page.published();
    expectNothingRaw(published);
    // The text is there, escaped once.
    EXPECT_TRUE(published.contains(QStringLiteral("&lt;?php echo 6*7 . 'RAN-PHP'; ?&gt;")))
        << published.toStdString();
    EXPECT_TRUE(published.contains(QStringLiteral("&amp;amp;lt;"))) << published.toStdString();
}

TEST_P(HostileAuthorTextTest, PublishedPageDrawsItsLine)
{
    HostilePage page;
    const QString published = page.published();
    static const QRegularExpression shape(QStringLiteral("<svg class=lineShape0 [^>]*>.*?</svg>"));
    const QRegularExpressionMatch m = shape.match(published);
    ASSERT_TRUE(m.hasMatch()) << published.toStdString();
    EXPECT_TRUE(m.captured().contains(QStringLiteral("stroke=\"#FF0000\""))) << m.captured().toStdString();
    EXPECT_EQ(published.count(QStringLiteral("<svg class=lineShape0 ")), 1);
}

TEST_P(HostileAuthorTextTest, BrowserRunsNoScriptOfTheTextsAndShowsThemAsTyped)
{
    QUIB_REQUIRE_BROWSER();
    HostilePage page;
    // Kept beside the build as well, to be looked at.
    const QString kept = QStringLiteral(QT_TESTCASE_BUILDDIR "/hostile-text-artefacts/") +
                         QString::fromLatin1(GetParam()).replace(u' ', u'-');
    ASSERT_TRUE(QDir().mkpath(kept));
    const QString path = browsertest::writePage(kept, page.published());
    ASSERT_FALSE(path.isEmpty());
    const QJsonObject report = browsertest::runPage(path, QStringLiteral("hostile-text-check.js"), 1000);
    const QJsonObject result = report.value("result").toObject();
    EXPECT_EQ(result.value("injected").toString(), QStringLiteral("none"))
        << browsertest::compact(report).toStdString();
    EXPECT_TRUE(result.value("text").toString().contains(
        QStringLiteral("<?php echo 6*7 . 'RAN-PHP'; ?></div><script>")))
        << browsertest::compact(report).toStdString();
    EXPECT_TRUE(result.value("text").toString().contains(
        QStringLiteral("</td></table><script>window.injected = 'cell';</script>&#39;")))
        << browsertest::compact(report).toStdString();
    EXPECT_GE(result.value("lines").toInt(), 1) << browsertest::compact(report).toStdString();
}

TEST_P(HostileAuthorTextTest, SectionPictureColoursAndIdStayInsideTheirValues)
{
    HostilePage page;
    DRVTable* section = ofClass<DRVTable>(page.document.graphics()).last();
    ASSERT_EQ(section->gridType(), QStringLiteral("section"));
    section->setTableBackgroundImage(
        makePicture(QStringLiteral("bg') x;}</style><script>window.injected=1</script>")));
    section->setBackgroundHexColorString(QStringLiteral("FFF'><script>window.injected=2</script>"));
    section->cellHelperArray().first()->setBackgroundHexColorString(QStringLiteral("0;}</style><b>"));
    section->setSectionIDString(QStringLiteral("top\" onclick=\"window.injected=3"));
    section->setTopPaddingType(QStringLiteral("px' onmouseover='window.injected=4"));
    const QString published = page.published();
    EXPECT_FALSE(published.contains(QStringLiteral("<script>window.injected="))) << published.toStdString();
    EXPECT_FALSE(published.contains(QStringLiteral("</style><b>"))) << published.toStdString();
    EXPECT_FALSE(published.contains(QStringLiteral("\" onclick=\""))) << published.toStdString();
    EXPECT_FALSE(published.contains(QStringLiteral("' onmouseover='"))) << published.toStdString();
}

INSTANTIATE_TEST_SUITE_P(EveryShape, HostileAuthorTextTest, ::testing::ValuesIn(kShapes));

namespace {

// php -S on a free loopback port serving folder; stopped with the object.
class PhpServer
{
public:
    explicit PhpServer(const QString& folder)
    {
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.start(QStringLiteral("php"), {QStringLiteral("-n"), QStringLiteral("-S"),
                                                QStringLiteral("127.0.0.1:0"), QStringLiteral("-t"), folder});
        static const QRegularExpression started(QStringLiteral("\\(http://127\\.0\\.0\\.1:(\\d+)\\)"));
        QString output;
        for (int i = 0; i < 100 && m_port == 0 && m_process.state() != QProcess::NotRunning; ++i) {
            m_process.waitForReadyRead(100);
            output += QString::fromUtf8(m_process.readAll());
            const QRegularExpressionMatch m = started.match(output);
            if (m.hasMatch())
                m_port = m.captured(1).toInt();
        }
    }
    ~PhpServer()
    {
        m_process.terminate();
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }
    int port() const { return m_port; }

    // The body of a GET of path, fetched by PHP itself.
    QString get(const QString& path) const
    {
        QProcess client;
        client.start(
            QStringLiteral("php"),
            {QStringLiteral("-n"), QStringLiteral("-r"),
             QStringLiteral("echo file_get_contents('http://127.0.0.1:%1%2');").arg(m_port).arg(path)});
        client.waitForFinished(30000);
        return QString::fromUtf8(client.readAllStandardOutput());
    }

private:
    QProcess m_process;
    int m_port = 0;
};

} // namespace

class HostileFormPageTest : public GenerationTest
{
protected:
    HostileFormPageTest() : GenerationTest("Brumel Responsive Website Designer") {}
};

TEST_F(HostileFormPageTest, ResponsiveFormPageRunsNothingOfItsTexts)
{
    if (!haveProgramOrFail(QStringLiteral("php"), QStringLiteral("php-cli")))
        return;
    HostilePage page(QStringLiteral("php"));
    page.document.setSiteFeedbackEmail(QStringLiteral("owner@example.org"));
    const QString published = page.published();
    expectNothingRaw(published);

    QTemporaryDir site;
    QFile file(site.filePath(QStringLiteral("index.php")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(published.toUtf8());
    file.close();

    QProcess lint;
    lint.setProcessChannelMode(QProcess::MergedChannels);
    lint.start(QStringLiteral("php"), {QStringLiteral("-n"), QStringLiteral("-l"), file.fileName()});
    ASSERT_TRUE(lint.waitForFinished(30000));
    EXPECT_EQ(lint.exitCode(), 0) << lint.readAll().toStdString();

    PhpServer server(site.path());
    ASSERT_GT(server.port(), 0);
    const QString shown = server.get(QStringLiteral("/index.php"));
    ASSERT_TRUE(shown.contains(QStringLiteral("RAN-PHP")))
        << "the page was not served: " << shown.toStdString();
    EXPECT_FALSE(shown.contains(QStringLiteral("42RAN-PHP"))) << shown.toStdString();
    EXPECT_FALSE(shown.contains(QStringLiteral("<script>window.injected"))) << shown.toStdString();
}

// ---- attribute values ----

class HostileAttributeTest : public GenerationTest
{
};

TEST_F(HostileAttributeTest, ImageNamesLinksAndAltTextsStayInsideTheirAttributes)
{
    const struct
    {
        const char* name;
        const char* link;
        const char* alt;
    } cases[] = {
        {"x\" onerror=\"window.injected='name'", "https://example.com/a?b=1&c=\"2\"", "alt \" onload=x"},
        {"a b>c<d{e}f;g'h", "javascript:alert('x')\" onclick=\"y", "it's <b>"},
        {"image1", "page.html#\"><script>alert(1)</script>", "\"><script>alert(2)</script>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const int enlarge : {0, 1}) {
            DRVDocument document;
            document.setPageName(QStringLiteral("index"));
            auto* image = add<DRVImage>(document);
            image->setBounds(QRectF(10, 10, 40, 30));
            image->setImageName(QString::fromUtf8(c.name));
            image->setImageType(QStringLiteral("PNG"));
            image->setLink(QString::fromUtf8(c.link));
            image->setAltText(QString::fromUtf8(c.alt));
            image->setImageEnlargeFlag(enlarge);
            image->setSelectable(true);
            const QString page = document.generateSourceCode(QStringLiteral("index"), true, false);
            const QString body = page.mid(page.indexOf(QStringLiteral("<body")));
            // An attribute of the author's would follow a quote that ended the page's own value.
            static const QRegularExpression ownAttribute(
                QStringLiteral("<[^>]*[\"']\\s*on(error|click|load)="));
            EXPECT_FALSE(body.contains(ownAttribute)) << body.toStdString();
            EXPECT_FALSE(body.contains(QStringLiteral("<script>alert("))) << body.toStdString();
            EXPECT_FALSE(body.contains(QStringLiteral("<b>"))) << body.toStdString();
            // No rule of the style block is opened or closed by the name.
            const qsizetype styleAt = page.indexOf(QStringLiteral("<style"));
            const QString head = page.mid(styleAt, page.indexOf(QStringLiteral("</head>")) - styleAt);
            EXPECT_FALSE(head.contains(QStringLiteral("e}f"))) << head.toStdString();
            EXPECT_FALSE(head.contains(QStringLiteral("d{e"))) << head.toStdString();
        }
    }
}

TEST_F(HostileAttributeTest, OrdinaryImageMarkupIsUnchanged)
{
    DRVDocument document;
    document.setPageName(QStringLiteral("index"));
    auto* image = add<DRVImage>(document);
    image->setBounds(QRectF(10, 10, 40, 30));
    image->setImageName(QStringLiteral("image3"));
    image->setImageType(QStringLiteral("PNG"));
    image->setLink(QStringLiteral("https://example.com/?a=1&b=2"));
    image->setAltText(QStringLiteral("A & B"));
    image->setSelectable(true);
    const QString page = document.generateSourceCode(QStringLiteral("index"), true, false);
    EXPECT_TRUE(page.contains(
        QStringLiteral("<div class=image3><a href=\"https://example.com/?a=1&amp;b=2\" target=\"_self\"><img "
                       "src=\"index/image3@2x.PNG\" class=\"img-responsive\" alt=\"A &amp; B\"></a></div>")))
        << page.toStdString();
    EXPECT_TRUE(page.contains(QStringLiteral(".image3{position:absolute;left:10px;top:10px;")));
}
