#include "document/PageParser.h"
#include "editions/DataCentre.h"
#include "document/PageImageFiles.h"
#include "editions/EditionSettings.h"
#include "model/DRVGraphic.h"
#include "model/GalleryGridView.h"
#include "model/LineView.h"
#include "model/OuterSlideShow.h"
#include "model/TableGridView.h"
#include "model/TransformView.h"
#include "model/myTextView.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString fixture(const QString& name)
{
    QFile file(QStringLiteral(QUIB_FIXTURES_DIR "/pages/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

PageParseInput inputFor(const QString& text, const QString& pagePath = QString())
{
    PageParseInput in;
    in.pageText = text;
    in.pageName = QStringLiteral("index");
    in.templatePageName = QStringLiteral("index");
    in.pagePath = pagePath;
    in.pageFileExtension = QStringLiteral("html");
    return in;
}

template <class T> T* only(const QList<T*>& list)
{
    EXPECT_EQ(list.size(), 1);
    return list.value(0);
}

TEST(PageParser, EveryKindOfRuleOpensWithItsFields)
{
    DataCentre::loadCustomFont();
    const PageParseResult r =
        PageParser::presentObjects(inputFor(fixture(QStringLiteral("every-kind.html"))));

    // Page settings.
    EXPECT_EQ(r.customHeaderCode, QStringLiteral("<script>var a=1;</script>\n<script>var b=2;</script>"));
    EXPECT_EQ(r.docSpecificFixedCanvasFlag, 1);
    EXPECT_EQ(r.confirmedCanvasSize, QSize(1024, 2000));
    EXPECT_EQ(r.canvasSizeType, QStringLiteral("Standard"));
    EXPECT_EQ(r.metaKeywords.value_or(QString()), QStringLiteral("cats, dogs"));
    EXPECT_EQ(r.metaDescription.value_or(QString()), QStringLiteral("A page of every kind"));
    EXPECT_EQ(r.encodingType, QStringLiteral("UTF-8"));
    EXPECT_EQ(r.webPageWidth.value_or(0), 960);
    EXPECT_EQ(r.centreFlag.value_or(0), 1);
    EXPECT_EQ(r.pageColorHexString, QStringLiteral("FAFAFA"));
    ASSERT_TRUE(r.pageColor.has_value());
    EXPECT_EQ(*r.pageColor, QColor(0xFA, 0xFA, 0xFA));
    EXPECT_EQ(r.notSupportedFonts, QStringList{QStringLiteral("Quib Missing Font")});
    ASSERT_EQ(r.alerts().size(), 1);
    EXPECT_EQ(r.alerts()[0].text,
              QStringLiteral(
                  "Font Quib Missing Font is not installed on this computer, it will be replaced with font "
                  "Helvetica Neue"));

    // Outside a website project there is no base template to bring its text box back, so the page
    // keeps its copy, locked against moving as every element of the base template is.
    ASSERT_EQ(r.textViewArray.size(), 2);
    myTextView* inherited = r.textViewArray[1];
    EXPECT_EQ(inherited->templateName(), QStringLiteral("basetemplate"));
    EXPECT_EQ(inherited->moveLock(), 1);
    myTextView* text = r.textViewArray[0];
    ASSERT_TRUE(text);
    EXPECT_EQ(text->frame(), QRectF(40, 12, 214, 64));
    EXPECT_EQ(text->tag(), 7);
    EXPECT_EQ(text->scrollFlag(), 1);
    EXPECT_EQ(text->moveLock(), 1);
    EXPECT_EQ(text->groupNumber(), 3);
    EXPECT_EQ(text->textColorString(), QStringLiteral("4F4C4C"));
    EXPECT_EQ(text->colorString(), QStringLiteral("FFEEDD"));
    EXPECT_EQ(text->hoverColorString(), QStringLiteral("AABBCC"));
    EXPECT_EQ(text->borderHexColorString(), QStringLiteral("112233"));
    EXPECT_EQ(text->textView()->borderLine(), QStringLiteral("solid"));
    EXPECT_EQ(text->borderWidth(), 2);
    EXPECT_EQ(text->textAlignment(), QStringLiteral("center"));
    EXPECT_FLOAT_EQ(text->lineSpacing(), 1.5f);
    EXPECT_FLOAT_EQ(text->rotationAngle(), 12.5f);
    EXPECT_EQ(text->formType(), QStringLiteral(""));
    EXPECT_EQ(text->topPaddingType(), QStringLiteral("pixel"));
    EXPECT_EQ(text->bottomPaddingType(), QStringLiteral("%"));
    EXPECT_EQ(text->rightMargin(), 8);
    EXPECT_EQ(text->verticalAlignment(), 1);
    EXPECT_EQ(text->link(), QStringLiteral("http://example.com"));
    EXPECT_EQ(text->linkOption(), QStringLiteral("_blank"));
    EXPECT_EQ(text->textView()->string(), QStringLiteral("Hello <b>\nWorld \u00A9"));

    const QList<TransformView*>& images = r.imageViewArray;
    ASSERT_EQ(images.size(), 2);
    TransformView* other = images[0];
    TransformView* cat = images[1];
    EXPECT_EQ(other->imageName(), QStringLiteral("image30"));
    EXPECT_EQ(other->altText(), QStringLiteral("Other picture"));
    EXPECT_TRUE(other->link().isEmpty());
    EXPECT_EQ(cat->imageName(), QStringLiteral("image3"));
    EXPECT_EQ(cat->imageType(), QStringLiteral("PNG"));
    EXPECT_EQ(cat->frame(), QRectF(400, 100, 120, 90));
    EXPECT_EQ(cat->tag(), 9);
    EXPECT_FLOAT_EQ(cat->alpha(), 0.5f);
    EXPECT_EQ(cat->shadowFlag(), 1);
    EXPECT_FLOAT_EQ(cat->shadowRadius(), 2.5f);
    EXPECT_FLOAT_EQ(cat->rotationAngle(), 15.0f);
    EXPECT_EQ(cat->retinaFlag(), 1);
    EXPECT_EQ(cat->altText(), QStringLiteral("A cat"));
    EXPECT_EQ(cat->link(), QStringLiteral("http://example.org"));
    EXPECT_EQ(cat->linkOption(), QStringLiteral("_blank"));
    EXPECT_EQ(cat->slideShowNumber(), -99);
    EXPECT_EQ(cat->topPaddingType(), QStringLiteral("%"));

    ASSERT_EQ(r.htmlSnippetArray.size(), 2);
    EXPECT_EQ(r.htmlSnippetArray[0]->textView()->string(),
              QStringLiteral("<iframe src=\"x\"></iframe>\n<p>two</p>"));
    EXPECT_EQ(r.htmlSnippetArray[0]->colorString(), QStringLiteral("DCDCDC"));
    EXPECT_EQ(r.htmlSnippetArray[0]->frame(), QRectF(10, 600, 300, 80));
    EXPECT_EQ(r.htmlSnippetArray[1]->snippetFormatFlag(), 1);
    EXPECT_EQ(r.htmlSnippetArray[1]->textType(), QStringLiteral("HTMLSnippet"));
    EXPECT_EQ(r.htmlSnippetArray[1]->textView()->string(), QStringLiteral("a\nb"));
    EXPECT_EQ(r.htmlSnippetArray[1]->textAlignment(), QStringLiteral("right"));

    OuterSlideShow* show = only(r.slideshowArray);
    ASSERT_TRUE(show);
    EXPECT_EQ(show->frame(), QRectF(20, 400, 320, 200));
    EXPECT_EQ(show->slideShowAutomaticFlag(), 1);
    EXPECT_EQ(show->slideShowNumber(), 0);
    EXPECT_EQ(show->textType(), QStringLiteral("Slideshow"));

    GalleryGridView* gallery = only(r.galleryArray);
    ASSERT_TRUE(gallery);
    EXPECT_EQ(gallery->frame(), QRectF(600, 300, 300, 200));
    EXPECT_EQ(gallery->numOfRows(), 2);
    EXPECT_EQ(gallery->numOfColumns(), 3);
    EXPECT_EQ(gallery->padding(), 4);
    EXPECT_EQ(gallery->shadowFlag(), 1);
    EXPECT_EQ(gallery->backdropLightingFlag(), 2);

    TableGridView* table = only(r.tableArray);
    ASSERT_TRUE(table);
    EXPECT_EQ(table->frame(), QRectF(50, 800, 400, 120));
    EXPECT_EQ(table->moveLock(), 1);
    EXPECT_EQ(table->gridType(), QStringLiteral("section"));
    EXPECT_EQ(table->sectionIDString(), QStringLiteral("intro"));
    EXPECT_EQ(table->initialLaunchStateFlag(), 1);
    EXPECT_EQ(table->numOfRows(), 2);
    EXPECT_EQ(table->numOfColumns(), 2);
    EXPECT_EQ(table->groupNumber(), 5);
    EXPECT_EQ(table->padding(), 3);
    EXPECT_EQ(table->tableNumber(), 0);
    EXPECT_EQ(table->topPaddingLevelString(), QStringLiteral("Small"));
    EXPECT_EQ(table->rightMarginLevelString(), QStringLiteral("Large"));
    EXPECT_EQ(table->leftMargin(), 7);
    EXPECT_EQ(table->bottomPaddingType(), QStringLiteral("%"));

    // A line's rule has no box; it opens all the same.
    LineView* line = only(r.lineArray);
    ASSERT_TRUE(line);
    EXPECT_EQ(line->beginPoint(), QPointF(10, 20));
    EXPECT_EQ(line->endPoint(), QPointF(210, 220));
    EXPECT_EQ(line->tag(), 10);
    EXPECT_EQ(line->borderStyle(), QStringLiteral("dashed"));
    EXPECT_EQ(line->borderWidth(), 3);
    EXPECT_EQ(line->borderHexColorString(), QStringLiteral("555555"));
    EXPECT_DOUBLE_EQ(line->alphaValue(), 0.5);
    EXPECT_EQ(line->groupNumber(), 7);
    EXPECT_TRUE(line->drawBeginArrow());
    EXPECT_FALSE(line->drawEndArrow());

    // Front-most first.
    QList<int> tags;
    for (QObject* carrier : r.carriers)
        tags.append(carrier->property("tag").toInt());
    EXPECT_EQ(tags, (QList<int>{10, 9, 8, 7, 6, 5, 4, 3, 2, 1}));
}

TEST(PageParser, BaseTemplateKeepsItsOwnGraphicsAndHeader)
{
    PageParseInput in = inputFor(fixture(QStringLiteral("every-kind.html")));
    in.pageName = in.templatePageName = QStringLiteral("basetemplate");
    const PageParseResult r = PageParser::presentObjects(in);
    ASSERT_EQ(r.textViewArray.size(), 2);
    myTextView* inherited = r.textViewArray[1];
    EXPECT_EQ(inherited->templateName(), QStringLiteral("basetemplate"));
    EXPECT_EQ(inherited->moveLock(), 0);
    EXPECT_EQ(inherited->frame().width(), 9999);
    EXPECT_EQ(inherited->familyName(), QStringLiteral("Helvetica Neue"));
    EXPECT_EQ(inherited->textView()->string(), QStringLiteral("    Indented <br> stays"));
    EXPECT_EQ(r.baseTemplateCustomHeaderCode,
              QStringLiteral("  <script>var a=1;</script>\n<script>var b=2;</script>\t"));

    // A normal page whose header code is the base template's own has none of its own.
    PageParseInput page = inputFor(fixture(QStringLiteral("every-kind.html")));
    page.baseTemplateCustomHeaderCode = r.baseTemplateCustomHeaderCode;
    EXPECT_EQ(PageParser::presentObjects(page).customHeaderCode, QStringLiteral(""));
}

TEST(PageParser, CustomHeaderOnTheFirstLineIsRemovedToo)
{
    const QString text =
        QStringLiteral("<!--Custom Header Code:1-->\n<script>x()</script>\n"
                       "<style type=text/css>\n.line0{position:absolute;lineOriginX:1;lineOriginY:2;"
                       "lineEndX:3;lineEndY:4;z-index:1;}\n</style></head>\n");
    const PageParseResult r = PageParser::presentObjects(inputFor(text));
    EXPECT_EQ(r.customHeaderCode, QStringLiteral("<script>x()</script>"));
    EXPECT_EQ(r.lineArray.size(), 1);
}

// What a parse gives, as far as a page's reader can tell: every carrier as its dictionary, and the
// page's settings.
QVariantList readingOf(const PageParseResult& r)
{
    QVariantList reading = DRVGraphic::convertArrayToProperties(r.carriers, QStringLiteral("index"));
    reading << r.customHeaderCode << r.docSpecificPageWidth << r.canvasSizeType << r.formRedirectURL
            << r.formSubmitButtonValue << r.formSentResponse << r.pageColorHexString << r.encodingType
            << r.metaKeywords.value_or(QStringLiteral("-")) << int(r.textViewArray.size());
    return reading;
}

// A page without header code and with LF line ends is read as it stands, the others line by line:
// both ways must read the same page.
TEST(PageParser, APageReadAsItStandsReadsAsLineByLine)
{
    struct Case
    {
        const char* name;
        QString text;
        QString extension;
        QString customHeaderCode;
    };
    const QString everyKind = fixture(QStringLiteral("every-kind.html"));
    const QString form = fixture(QStringLiteral("form.php"));
    ASSERT_FALSE(everyKind.isEmpty());
    ASSERT_FALSE(form.isEmpty());
    QString noHeader = everyKind;
    noHeader.replace(QStringLiteral("<!--Custom Header Code:2-->"), QStringLiteral("<!--Custom Header Code:0-->"));
    QString markerInsideALine = noHeader;
    markerInsideALine.replace(QStringLiteral("<!--Custom Header Code:0-->"),
                              QStringLiteral("<!-- --><!--Custom Header Code:1-->"));
    QString oldFormHeader = form;
    oldFormHeader.replace(QStringLiteral("<!--Custom Header Code:0-->"),
                          QStringLiteral("<!--Selvaro Custom Header Code:1-->\n<script>old()</script>"));
    const Case cases[] = {
        {"header code of two lines", everyKind, "html", "<script>var a=1;</script>\n<script>var b=2;</script>"},
        {"header code of none", noHeader, "html", ""},
        {"a header marker inside a line is no header", markerInsideALine, "html", ""},
        {"form page", form, "php", ""},
        {"form page with the old header marker", oldFormHeader, "php", "<script>old()</script>"},
    };
    for (const Case& c : cases) {
        PageParseInput lf = inputFor(c.text);
        lf.pageFileExtension = c.extension;
        PageParseInput crlf = lf;
        crlf.pageText.replace(u'\n', QStringLiteral("\r\n"));
        const PageParseResult fromLf = PageParser::presentObjects(lf);
        const PageParseResult fromCrlf = PageParser::presentObjects(crlf);
        EXPECT_EQ(fromLf.customHeaderCode, c.customHeaderCode) << c.name;
        EXPECT_GT(fromLf.carriers.size(), 0) << c.name;
        EXPECT_EQ(readingOf(fromLf), readingOf(fromCrlf)) << c.name;
    }
}

TEST(PageParser, OneOddRuleDoesNotStopThePage)
{
    const QString text =
        QStringLiteral("<style type=text/css>\n"
                       ".text0{position:absolute;border-width:2px;z-index:3}\n"
                       ".text1{position:absolute;left:5px;top:6px;z-index:4;width:50px;height:20px;color\n"
                       ".tableGrid0{position:absolute;z-index:2;}\n"
                       ".tableGrid3text0{position:absolute;left:1px;top:1px;z-index:9;}\n"
                       "</style></head>\n\n<body bgcolor=#12");
    const PageParseResult r = PageParser::presentObjects(inputFor(text));
    ASSERT_EQ(r.textViewArray.size(), 2);
    EXPECT_EQ(r.textViewArray[0]->frame(), QRectF(0, 0, 0, 0));
    EXPECT_EQ(r.textViewArray[1]->textColorString(), QStringLiteral("000000"));
    ASSERT_EQ(r.tableArray.size(), 1);
    EXPECT_EQ(r.tableArray[0]->tableNumber(), 0);
    EXPECT_TRUE(r.pageColorHexString.isEmpty());
}

TEST(PageParser, SortsByZIndexHighestFirst)
{
    const QString text = QStringLiteral(
        "<style type=text/css>\n"
        ".line0{position:absolute;lineOriginX:0;lineOriginY:0;lineEndX:1;lineEndY:1;z-index:3;}\n"
        ".line1{position:absolute;lineOriginX:0;lineOriginY:0;lineEndX:1;lineEndY:1;z-index:7;}\n"
        ".line2{position:absolute;lineOriginX:0;lineOriginY:0;lineEndX:1;lineEndY:1;z-index:5;}\n"
        "</style></head>\n");
    const PageParseResult r = PageParser::presentObjects(inputFor(text));
    ASSERT_EQ(r.carriers.size(), 3);
    EXPECT_EQ(r.carriers[0]->property("tag").toInt(), 7);
    EXPECT_EQ(r.carriers[1]->property("tag").toInt(), 5);
    EXPECT_EQ(r.carriers[2]->property("tag").toInt(), 3);
}

TEST(PageParser, FormPageFieldsAndSettings)
{
    PageParseInput in = inputFor(fixture(QStringLiteral("form.php")));
    in.pageFileExtension = QStringLiteral("php");
    const PageParseResult r = PageParser::presentObjects(in);
    EXPECT_TRUE(r.isFormPage);
    EXPECT_EQ(r.formRedirectURL, QStringLiteral("http://example.com/thanks"));
    EXPECT_EQ(r.formSubmitButtonValue, QStringLiteral("Send now"));
    EXPECT_EQ(r.formEmailVerificationMsg, QStringLiteral("Bad address"));
    EXPECT_EQ(r.formRequiredResponse, QStringLiteral("Please fill in"));
    EXPECT_EQ(r.formSentResponse, QStringLiteral("Thank you for submitting this form."));
    EXPECT_EQ(r.formBotCheckerResponse, QStringLiteral("Bot checker answer incorrect, please try again."));
    EXPECT_EQ(r.formEmailServer, QStringLiteral("smtp.example.com"));
    EXPECT_EQ(r.formEmailUsername, QStringLiteral("mailer"));
    EXPECT_EQ(r.formEmailPassword, QStringLiteral("secret"));
    EXPECT_EQ(r.grabIPFlag, 1);
    EXPECT_EQ(r.formOrderLayoutOption, 1);
    EXPECT_EQ(r.siteFeedbackEmail, QStringLiteral("owner@example.com"));
    EXPECT_EQ(r.siteCCFeedbackEmail, QStringLiteral(""));
    EXPECT_EQ(r.confirmedCanvasSize, QSize(edition().gCanvasWidth, edition().gCanvasHeight));

    ASSERT_EQ(r.textViewArray.size(), 6);
    myTextView* radio = r.textViewArray[0];
    EXPECT_EQ(radio->formType(), QStringLiteral("radio"));
    EXPECT_EQ(radio->frame(), QRectF(20, 40, 15, 15));
    EXPECT_EQ(radio->tableNumber(), -99);
    EXPECT_EQ(radio->formTag(), 2);
    EXPECT_EQ(radio->formOptionTag(), 1);
    EXPECT_EQ(radio->tag(), 3);
    // The option label gives its text to its radio button.
    EXPECT_EQ(r.textViewArray[1]->textView()->string(), QStringLiteral("Yes please"));
    EXPECT_EQ(radio->textView()->string(), QStringLiteral("Yes please"));

    myTextView* email = r.textViewArray[2];
    EXPECT_EQ(email->formType(), QStringLiteral("text"));
    EXPECT_EQ(email->frame(), QRectF(20, 80, 156, 26));
    EXPECT_EQ(email->formTag(), 3);
    EXPECT_EQ(email->tag(), 5);
    EXPECT_EQ(email->markAsReplyToEmailFlag(), 1);
    EXPECT_EQ(email->textView()->string(), QStringLiteral("name@example.com"));

    myTextView* area = r.textViewArray[3];
    EXPECT_EQ(area->formType(), QStringLiteral("textarea"));
    EXPECT_EQ(area->frame().width(), 9999);
    EXPECT_EQ(area->formRequiredFlag(), 1);
    EXPECT_EQ(area->textView()->string(), QStringLiteral("Paragraph Placeholder"));

    myTextView* submit = r.textViewArray[4];
    EXPECT_EQ(submit->formType(), QStringLiteral("submit"));
    EXPECT_EQ(submit->frame(), QRectF(20, 200, 70, 25));
    EXPECT_EQ(submit->formTag(), 5);
    EXPECT_EQ(submit->colorString(), QStringLiteral("336699"));
    EXPECT_EQ(submit->textView()->string(), QStringLiteral("Send now"));

    EXPECT_EQ(r.textViewArray[5]->textView()->string(), QStringLiteral("1+2="));
}

TEST(PageParser, PrintEditionsReadTheLabelTemplate)
{
    ScopedEdition scoped(QStringLiteral("Quib"));
    edition().gAutoBaseTemplateFlag = true;
    const QString text = QStringLiteral(
        "//====LABEL_BRAND_START==Avery==LABEL_BRAND_END\n"
        "//====LABEL_TEMPLATENUMBER_START==5160==LABEL_TEMPLATENUMBER_END\n"
        "//====LABEL_TEMPLATEDESCRIPTION_START==Address Labels==LABEL_TEMPLATEDESCRIPTION_END\n");
    const PageParseResult r = PageParser::presentObjects(inputFor(text));
    ASSERT_TRUE(r.labelTemplateHelper.has_value());
    EXPECT_EQ(r.labelTemplateHelper->brand, QStringLiteral("Avery"));
    EXPECT_EQ(r.labelTemplateHelper->templateNumber, QStringLiteral("5160"));
    EXPECT_EQ(r.selectedLabelSheet, QStringLiteral("Address Labels"));
}

TEST(PageParser, EmailEditionsSizeTheCanvasByItsType)
{
    ScopedEdition scoped(QStringLiteral("Ulmira Express"));
    EXPECT_EQ(PageParser::presentObjects(
                  inputFor(QStringLiteral("<!--CANVAS_SIZE_TYPE==Standard==CANVAS_SIZE_TYPE_END-->")))
                  .editionCanvasWidth.value_or(0),
              700);
    EXPECT_EQ(PageParser::presentObjects(inputFor(QString())).editionCanvasWidth.value_or(0), 900);
}

TEST(PageParser, DuplicateImageNamesGetTheNextFreeNameAndTheirFiles)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString pagePath = dir.filePath(QStringLiteral("index.html"));
    QDir().mkpath(dir.filePath(QStringLiteral("index")));
    QImage picture(4, 3, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(dir.filePath(QStringLiteral("index/image2.png")), "PNG"));
    ASSERT_TRUE(picture.save(dir.filePath(QStringLiteral("index/image2o.png")), "PNG"));
    const QString rule =
        QStringLiteral(".image2{position:absolute;left:0px;top:0px;z-index:%1;imagename:image2;imagetype:png;"
                       "width:4px;height:3px;}\n");
    const QString text = QStringLiteral("<style type=text/css>\n") + rule.arg(1) + rule.arg(2) +
                         QStringLiteral("</style></head>\n");
    const PageParseResult r = PageParser::presentObjects(inputFor(text, pagePath));
    ASSERT_EQ(r.imageViewArray.size(), 2);
    EXPECT_EQ(r.imageViewArray[0]->imageName(), QStringLiteral("image2"));
    EXPECT_EQ(r.imageViewArray[1]->imageName(), QStringLiteral("image3"));
    EXPECT_EQ(r.documentChangedCounter, 1);
    EXPECT_EQ(r.imageViewArray[0]->image().size(), QSize(4, 3)); // the original, found whatever its case
    PageParser::applyImageRenames(r, pagePath);
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("index/image3.png"))));
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("index/image3o.png"))));
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("index/image2.png"))));
}

} // namespace
