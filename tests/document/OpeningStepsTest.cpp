// Steps of opening a page: shadowed clear text boxes turn white, and a page's images keep clear of
// its base template's image names.
#include "DocumentFlowTestSupport.h"

#include "document/PageParser.h"
#include "model/DRVImage.h"
#include "model/DRVLine.h"
#include "model/myTextView.h"

#include <QImage>

using namespace documentflowtest;

namespace {

QString textRule(int number, const QString& extra)
{
    return QStringLiteral(".text%1{position:absolute;left:10px;top:%2px;z-index:%3;width:120px;height:30px;"
                          "font-family:\"Helvetica Neue\";font-size:14px;%4}")
        .arg(number)
        .arg(10 + 40 * number)
        .arg(number + 1)
        .arg(extra);
}

PageParseResult parse(const QString& head, const QString& body)
{
    PageParseInput in;
    in.pageText = QStringLiteral("<html><head><style>\n") + head +
                  QStringLiteral("\n</style></head>\n<body>\n") + body + QStringLiteral("\n</body></html>\n");
    in.pageName = QStringLiteral("index");
    in.templatePageName = QStringLiteral("index");
    in.pageFileExtension = QStringLiteral("html");
    return PageParser::presentObjects(in);
}

// A small picture on top of the page, saved under name.
void addImage(DRVDocument& document, const QString& name, const QString& templateName)
{
    QImage picture(20, 10, QImage::Format_ARGB32);
    picture.fill(Qt::red);
    auto* image = new DRVImage(&document);
    document.insertGraphics({image}, {0});
    image->setContents(picture);
    image->setBounds(QRectF(10, 10, 20, 10));
    image->setImageName(name);
    image->setImageType(QStringLiteral("png"));
    image->setSlideShowNumber(-99);
    image->setTemplateName(templateName);
}

} // namespace

TEST(OpeningSteps, AShadowedTextBoxWithAClearBackgroundAndTextTurnsWhite)
{
    struct Case
    {
        const char* name;
        QString rule;
        QString text;
        bool white;
    };
    const QString shadow = QStringLiteral("shadowRadius:3.000000;");
    const Case cases[] = {
        {"shadow, clear, text", shadow + QStringLiteral("shapeBackgroundColor:CLEAR0;"), QStringLiteral("Hi"),
         true},
        {"shadow, no background key, text", shadow, QStringLiteral("Hi"), true},
        {"shadow, clear, no text", shadow + QStringLiteral("shapeBackgroundColor:CLEAR0;"), QString(), false},
        {"shadow, coloured", shadow + QStringLiteral("shapeBackgroundColor:FFEEDD;"), QStringLiteral("Hi"),
         false},
        {"no shadow, clear", QStringLiteral("shadowRadius:0.000000;shapeBackgroundColor:CLEAR0;"),
         QStringLiteral("Hi"), false},
    };
    for (const Case& c : cases) {
        const PageParseResult r =
            parse(textRule(0, c.rule), QStringLiteral("<div class=text0>%1</div>").arg(c.text));
        ASSERT_EQ(r.textViewArray.size(), 1) << c.name;
        const myTextView* view = r.textViewArray.constFirst();
        EXPECT_EQ(view->textView()->string(), c.text) << c.name;
        if (c.white) {
            EXPECT_EQ(view->textView()->backgroundColor(), QColor(Qt::white)) << c.name;
            EXPECT_EQ(view->colorString(), QStringLiteral("FFFFFF")) << c.name;
        } else {
            EXPECT_NE(view->colorString(), QStringLiteral("FFFFFF")) << c.name;
            EXPECT_NE(view->textView()->backgroundColor(), QColor(Qt::white)) << c.name;
        }
    }
}

class OpeningStepsFlowTest : public DocumentFlowTest
{
protected:
    // The site's "About.html", read in place in the open website.
    std::unique_ptr<DRVDocument> openAbout(const QTemporaryDir& site)
    {
        DRVDocument::setWebsiteFolderOpenFlag(true);
        DRVDocument::setPendingWebsiteFolderPath(site.path());
        std::unique_ptr<DRVDocument> document = open(site.filePath(QStringLiteral("About.quibpage")));
        DRVDocument::setWebsiteFolderOpenFlag(false);
        return document;
    }

    // The page "About.html", using the base template or not, with one image.
    static void writeAbout(const QTemporaryDir& site, int useBaseTemplateFlag)
    {
        DRVDocument page;
        page.setUseBaseTemplateFlag(useBaseTemplateFlag);
        addImage(page, QStringLiteral("image1"), QStringLiteral("About"));
        ASSERT_TRUE(writeBytes(site.filePath(QStringLiteral("About.html")),
                               page.generateSourceCode(QStringLiteral("About"), false, false).toLatin1()));
    }
};

TEST_F(OpeningStepsFlowTest, APageImageTakingABaseTemplateImageNameMovesToAFreeName)
{
    QTemporaryDir site;
    {
        DRVDocument base;
        addImage(base, QStringLiteral("image0"), QStringLiteral("basetemplate"));
        addImage(base, QStringLiteral("image1"), QStringLiteral("basetemplate"));
        ASSERT_TRUE(
            writeBytes(site.filePath(QStringLiteral("basetemplate.html")),
                       base.generateSourceCode(QStringLiteral("basetemplate"), false, false).toLatin1()));
    }
    writeAbout(site, 1);
    // The page's picture under its old name, with its double-size copy.
    ASSERT_TRUE(writeBytes(site.filePath(QStringLiteral("About/image1.png")), QByteArray("png bytes")));
    ASSERT_TRUE(writeBytes(site.filePath(QStringLiteral("About/image1@2x.png")), QByteArray("png2x bytes")));

    std::unique_ptr<DRVDocument> document = openAbout(site);
    ASSERT_TRUE(document);
    ASSERT_EQ(document->graphics().size(), 3);

    QStringList pageNames;
    QStringList baseNames;
    for (const DRVGraphic* graphic : document->graphics())
        (graphic->templateName() == QLatin1String("basetemplate") ? baseNames : pageNames)
            .append(graphic->imageName());
    baseNames.sort();
    EXPECT_EQ(baseNames, (QStringList{QStringLiteral("image0"), QStringLiteral("image1")}));
    EXPECT_EQ(pageNames, QStringList{QStringLiteral("image2")});
    // Its files went with it, and the page is marked for saving under the new name.
    EXPECT_EQ(readBytes(site.filePath(QStringLiteral("About/image2.png"))), QByteArray("png bytes"));
    EXPECT_EQ(readBytes(site.filePath(QStringLiteral("About/image2@2x.png"))), QByteArray("png2x bytes"));
    EXPECT_GE(document->documentChangedCounter(), 1);
}

TEST_F(OpeningStepsFlowTest, APageThatDoesNotUseTheBaseTemplateKeepsItsImageNames)
{
    QTemporaryDir site;
    {
        DRVDocument base;
        addImage(base, QStringLiteral("image1"), QStringLiteral("basetemplate"));
        ASSERT_TRUE(
            writeBytes(site.filePath(QStringLiteral("basetemplate.html")),
                       base.generateSourceCode(QStringLiteral("basetemplate"), false, false).toLatin1()));
    }
    writeAbout(site, 0);
    std::unique_ptr<DRVDocument> document = openAbout(site);
    ASSERT_TRUE(document);
    ASSERT_EQ(document->graphics().size(), 1);
    EXPECT_EQ(document->graphics().constFirst()->imageName(), QStringLiteral("image1"));
    EXPECT_EQ(document->documentChangedCounter(), 0);
}
