#include "generation/PageShell.h"

#include "document/DRVDocument.h"
#include "editions/CustomFont.h"
#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "generation/FormPageGenerator.h"
#include "generation/ImageFileWriter.h"
#include "generation/TextEscaping.h"
#include "generation/PageFormat.h"
#include "generation/WebFonts.h"
#include "platform/Format.h"
#include "platform/SafePath.h"
#include "platform/StringRules.h"
#include "platform/TextEncoding.h"
#include "platform/UserDefaults.h"

#include <QDir>

using generation::format;

namespace {

const QString kBaseTemplateName = QStringLiteral("basetemplate");
const QString kLabelEditionName = QStringLiteral("Kestrin Label Maker");

// A missing value prints as nothing, not as "(null)".
QString text(const QString& value)
{
    return value.isNull() ? QStringLiteral("") : value;
}

// Author text inside a marker; see TextEscaping::escapeMarkerValue.
QString markerValue(const QString& value)
{
    return TextEscaping::escapeMarkerValue(text(value));
}

// The page title as the title element's text, on its line.
QString titleText(const QString& title)
{
    return TextEscaping::escapeHtmlLine(text(title));
}

// Spaces and tabs off both ends; line ends stay.
QString trimSpacesAndTabs(const QString& value)
{
    qsizetype begin = 0;
    qsizetype end = value.size();
    auto blank = [](QChar c) { return c == u' ' || c == u'\t'; };
    while (begin < end && blank(value.at(begin)))
        ++begin;
    while (end > begin && blank(value.at(end - 1)))
        --end;
    return value.mid(begin, end - begin);
}

// A header code as the page keeps it: empty for no code and for the "(null)" of older pages.
QString headerCode(const QString& code)
{
    return code.isEmpty() || code == QStringLiteral("(null)") ? QStringLiteral("") : code;
}

int lineCount(const QString& value)
{
    return int(platform::linesByLineRange(value).size());
}

QString galleryCaptionCSS()
{
    return QStringLiteral(
        ".galleryImageCaption{font-size:12px; text-decoration: none; color: #4f4c4c;font-weight:normal;} "
        ".galleryImageCaption a:link{font-size:12px; text-decoration: none; color: "
        "#4f4c4c;font-weight:normal;}\n"
        ".galleryImageCaption span {display:block;word-wrap:break-word;}\n");
}

QString imagePopupScript()
{
    return QStringLiteral("<script>\n"
                          "$( document ).ready(function() {\n"
                          "var maxHeight = $(window).height() - 60 + \"px\";\n"
                          "$(\".modal img\").css(\"max-height\", maxHeight);\n"
                          "});\n"
                          "$(window).on(\"resize\", function() {\n"
                          "var maxHeight = $(window).height() - 60 + \"px\";\n"
                          "$(\".modal img\").css(\"max-height\", maxHeight);\n"
                          "});\n"
                          "$(window).trigger('resize');\n"
                          "</script>\n");
}

const QString kTableCSS = QStringLiteral(
    "table, td, th{border:0px solid black; padding:0px;text-align:left;vertical-align:top;}\n");
const QString kTabCSS = QStringLiteral(".tab {text-indent:40px;}\n");

} // namespace

PageShell::PageShell(DRVDocument& document, PagePieces& pieces, const QString& pageName, bool publishFlag)
    : m_document(document), m_pieces(pieces), m_pageName(text(pageName)), m_publishFlag(publishFlag)
{
}

// ---- pieces ----

QString PageShell::includeBlock(bool local)
{
    const QString html5shiv =
        QStringLiteral("<script src=\"https://oss.maxcdn.com/html5shiv/3.7.2/html5shiv.min.js\"></script>\n");
    const QString respond =
        QStringLiteral("<script src=\"https://oss.maxcdn.com/respond/1.4.2/respond.min.js\"></script>\n");
    if (local) {
        return QStringLiteral("<script src=\"jquery-2.2.2.min.js\" charset=\"UTF-8\"></script>\n"
                              "<link rel=\"stylesheet\" href=\"bootstrap.min.css\" charset=\"UTF-8\">\n"
                              "<script src=\"bootstrap.min.js\" charset=\"UTF-8\"></script>\n") +
               html5shiv + respond;
    }
    return QStringLiteral(
               "<script src=\"https://ajax.googleapis.com/ajax/libs/jquery/2.2.2/jquery.min.js\">"
               "</script>\n"
               "<link rel=\"stylesheet\" "
               "href=\"https://maxcdn.bootstrapcdn.com/bootstrap/3.3.4/css/bootstrap.min.css\" "
               "charset=\"UTF-8\">\n"
               "<script src=\"https://maxcdn.bootstrapcdn.com/bootstrap/3.3.4/js/bootstrap.min.js\" "
               "charset=\"UTF-8\"></script>\n") +
           html5shiv + respond;
}

QString PageShell::fontFaceBlock() const
{
    // The bundled fonts the page's texts use, served from the page's own folder: a visitor's
    // system need not have them, and the page asks no outside server for them.
    const QString rules = WebFonts::fontFaceRules(WebFonts::bundledFamiliesUsedBy(m_document), m_pageName);
    // The catalogue's other web fonts come from the web-font service; their query names are fixed.
    QString families;
    for (const CustomFont& font : gCustomFontList()) {
        if (font.isUsed && !WebFonts::isBundledFamily(font.fontName))
            families += font.sourceCodeName + QLatin1Char('|');
    }
    const QString link =
        families.isEmpty()
            ? QStringLiteral("")
            : QStringLiteral("<link href='https://fonts.googleapis.com/css?family=%1&subset=latin,latin-ext' "
                             "rel='stylesheet' type='text/css'>\n")
                  .arg(families);
    if (rules.isEmpty())
        return link;
    return link + QStringLiteral("<style type=text/css>\n") + rules + QStringLiteral("</style>");
}

QString PageShell::columnClearingCSS()
{
    return QStringLiteral("@media (min-width:767px){\n"
                          ".col-lg-1:nth-child(12n+1),\n"
                          ".col-lg-2:nth-child(6n+1),\n"
                          ".col-lg-3:nth-child(4n+1),\n"
                          ".col-lg-4:nth-child(3n+1),\n"
                          ".col-lg-6:nth-child(2n+1),\n"
                          ".col-md-1:nth-child(12n+1),\n"
                          ".col-md-2:nth-child(6n+1),\n"
                          ".col-md-3:nth-child(4n+1),\n"
                          ".col-md-4:nth-child(3n+1),\n"
                          ".col-md-6:nth-child(2n+1){\n"
                          "clear: none;\n"
                          "}\n"
                          ".col-sm-1:nth-child(12n+1),\n"
                          ".col-sm-2:nth-child(6n+1),\n"
                          ".col-sm-3:nth-child(4n+1),\n"
                          ".col-sm-4:nth-child(3n+1),\n"
                          ".col-sm-6:nth-child(2n+1){\n"
                          "clear: left;\n"
                          "}\n"
                          "}\n"
                          "@media (min-width:992px){\n"
                          ".col-lg-1:nth-child(12n+1),\n"
                          ".col-lg-2:nth-child(6n+1),\n"
                          ".col-lg-3:nth-child(4n+1),\n"
                          ".col-lg-4:nth-child(3n+1),\n"
                          ".col-lg-6:nth-child(2n+1),\n"
                          ".col-sm-1:nth-child(12n+1),\n"
                          ".col-sm-2:nth-child(6n+1),\n"
                          ".col-sm-3:nth-child(4n+1),\n"
                          ".col-sm-4:nth-child(3n+1),\n"
                          ".col-sm-6:nth-child(2n+1){\n"
                          "clear: none;\n"
                          "}\n"
                          ".col-md-1:nth-child(12n+1),\n"
                          ".col-md-2:nth-child(6n+1),\n"
                          ".col-md-3:nth-child(4n+1),\n"
                          ".col-md-4:nth-child(3n+1),\n"
                          ".col-md-6:nth-child(2n+1){\n"
                          "clear: left;\n"
                          "}\n"
                          "}\n"
                          "@media (min-width:1200px){\n"
                          ".col-md-1:nth-child(12n+1),\n"
                          ".col-md-2:nth-child(6n+1),\n"
                          ".col-md-3:nth-child(4n+1),\n"
                          ".col-md-4:nth-child(3n+1),\n"
                          ".col-md-6:nth-child(2n+1),\n"
                          ".col-sm-1:nth-child(12n+1),\n"
                          ".col-sm-2:nth-child(6n+1),\n"
                          ".col-sm-3:nth-child(4n+1),\n"
                          ".col-sm-4:nth-child(3n+1),\n"
                          ".col-sm-6:nth-child(2n+1){\n"
                          "clear: none;\n"
                          "}\n"
                          ".col-lg-1:nth-child(12n+1),\n"
                          ".col-lg-2:nth-child(6n+1),\n"
                          ".col-lg-3:nth-child(4n+1),\n"
                          ".col-lg-4:nth-child(3n+1),\n"
                          ".col-lg-6:nth-child(2n+1){\n"
                          "clear: left;\n"
                          "}}\n");
}

QString PageShell::replaceCharacterEntities(QString page)
{
    auto replacementFor = [](char16_t c) -> const char16_t* {
        switch (c) {
        case u'\u00A9': return u"&copy;";
        case u'\u00AE': return u"&reg;";
        case u'\u2019':
        case u'\u2018': return u"'";
        case u'\u2014': return u"-";
        case u'\u201C':
        case u'\u201D': return u"\"";
        case u'\u00A3': return u"&pound;";
        case u'\u00A2': return u"&cent;";
        case u'\u00A5': return u"&yen;";
        case u'\u20AC': return u"&euro;";
        case u'\u00BF': return u"&iquest;";
        default: return nullptr;
        }
    };
    // One pass over the page, and none at all for a page without such characters.
    qsizetype first = 0;
    while (first < page.size() && !replacementFor(page.at(first).unicode()))
        ++first;
    if (first == page.size())
        return page;
    QString out;
    out.reserve(page.size() + 64);
    out.append(QStringView(page).left(first));
    for (qsizetype i = first; i < page.size(); ++i) {
        const char16_t c = page.at(i).unicode();
        if (const char16_t* to = replacementFor(c))
            out.append(QStringView(to));
        else
            out.append(QChar(c));
    }
    return out;
}

QStringList PageShell::trailingMarkers()
{
    DRVDocument& doc = m_document;
    QStringList markers;
    markers << (doc.canvasRotationDegrees() != 0 ? QStringLiteral("<!--ROTATE CANVAS:90-->")
                                                 : QStringLiteral(""));
    markers << (doc.useBaseTemplateFlag() == 1 ? QStringLiteral("<!--USE BASE TEMPLATE-->")
                                               : QStringLiteral(""));
    markers << (doc.inheritCustomHeaderCodeFlag() == 1 ? QStringLiteral("<!--INHERIT CUSTOM HEADER-->")
                                                       : QStringLiteral(""));
    markers << (doc.inheritMetadataFlag() == 1 ? QStringLiteral("<!--INHERIT METADATA-->")
                                               : QStringLiteral(""));

    if (doc.publishExt().isEmpty())
        doc.setPublishExt(doc.pageFileExtension());
    markers << format(QStringLiteral("<!--PUBLISHEXTSTART==%@==PUBLISHEXTEND-->"),
                      {markerValue(doc.publishExt())});

    double quality =
        platform::UserDefaults::standard().doubleForKey(QStringLiteral("backgroundQualityPercentage"));
    if (quality == 0)
        quality = 1.0;
    QString background =
        format(QStringLiteral("<!--BACKGROUNDIMAGESTART==%.02f==BACKGROUNDIMAGEEND-->"), {quality});
    if (!doc.selectedLabelSheet().isEmpty()) {
        const LabelTemplateHelper& label = doc.labelTemplateHelper();
        background += u'\n' + format(QStringLiteral("//====LABEL_BRAND_START==%@==LABEL_BRAND_END"),
                                     {markerValue(label.brand)});
        background +=
            u'\n' + format(QStringLiteral("//====LABEL_TEMPLATENUMBER_START==%@==LABEL_TEMPLATENUMBER_END"),
                           {markerValue(label.templateNumber)});
        background +=
            u'\n' +
            format(QStringLiteral("//====LABEL_TEMPLATEDESCRIPTION_START==%@==LABEL_TEMPLATEDESCRIPTION_END"),
                   {markerValue(label.templateDescription)});
    }
    markers << background;

    markers << format(QStringLiteral("<!--PAGETITLESTART==%@==PAGETITLEEND-->"),
                      {markerValue(doc.pageOfficialName())});

    QString fixedCanvas = format(QStringLiteral("<!--FIXEDCANVASSTART==%d==FIXEDCANVASEND-->"),
                                 {doc.docSpecificFixedCanvasFlag()});
    if (doc.docSpecificFixedCanvasFlag() != 0) {
        fixedCanvas += u'\n' + format(QStringLiteral("<!--DOCSPECIFIC_WIDTH==%d==DOCSPECIFIC_WIDTH_END-->"),
                                      {doc.docSpecificPageWidth()});
        fixedCanvas += u'\n' + format(QStringLiteral("<!--DOCSPECIFIC_HEIGHT==%d==DOCSPECIFIC_HEIGHT_END-->"),
                                      {doc.docSpecificPageHeight()});
    }
    markers << fixedCanvas;

    if (!m_pieces.formPage) {
        markers << (doc.duplicateBasetemplateFlag() ? QStringLiteral("<!--BASE TEMPLATE DUPLICATED-->")
                                                    : QStringLiteral(""));
    }
    markers << format(QStringLiteral("<!--CANVAS_SIZE_TYPE==%@==CANVAS_SIZE_TYPE_END-->"),
                      {markerValue(doc.canvasSizeTypeName())});
    return markers;
}

// ---- head ----

QString PageShell::backgroundImageRule() const
{
    const QString folder = m_document.useBaseTemplateFlag() != 0 ? kBaseTemplateName : m_pageName;
    const QString file = m_document.backgroundImageType() == QStringLiteral("JPG")
                             ? QStringLiteral("background.JPG")
                             : QStringLiteral("background.PNG");
    if (m_document.centreFlag() != 0) {
        return format(QStringLiteral("body{background-image:url('%@/%@');\ntext-align:center;\nbackground-"
                                     "attachment:scroll !important;}\n"),
                      {folder, file});
    }
    return format(
        QStringLiteral("body{background-image:url('%@/%@');\nbackground-attachment:scroll !important;}\n"),
        {folder, file});
}

void PageShell::buildHead()
{
    DRVDocument& doc = m_document;
    const EditionSettings& e = edition();
    const bool popups = doc.needImagePopupScript();
    doc.needJqueryScripts();

    // 1. Gallery captions.
    const QString captionCSS = popups ? galleryCaptionCSS() : QStringLiteral("");

    // 2. Header code: the marker counts the lines that follow it, so the code is trimmed first.
    const QString customCode = trimSpacesAndTabs(headerCode(doc.customHeaderCode()));
    m_headerText = m_pieces.formPage ? customCode + u'\n' + text(m_pieces.formCode) : customCode;
    doc.setCustomHeaderCode(customCode);
    const int customLines = lineCount(customCode);
    QString baseCode = headerCode(doc.baseTemplateCustomHeaderCode());
    if (doc.inheritCustomHeaderCodeFlag() == 0)
        baseCode = QStringLiteral("");
    doc.setBaseTemplateCustomHeaderCode(baseCode);
    const int baseLines = lineCount(baseCode);

    // 3-4. Viewport and generator.
    const QString viewport =
        doc.webPageWidth() > 0
            ? format(QStringLiteral("<meta name='viewport' content='width=%d'>"), {doc.webPageWidth()})
            : QStringLiteral("");
    const QString generator = format(QStringLiteral("<meta name='Generator' content='%@ for Linux %@'>"),
                                     {TextEscaping::escapeHtmlAttributeLine(text(e.gEditionDisplayName)),
                                      TextEscaping::escapeHtmlAttributeLine(text(e.gBundleVersion))});

    // 5. Background.
    const QString imageRule = backgroundImageRule();
    const QString colourRule =
        format(QStringLiteral("body{background-color:#%@;}"), {text(m_pieces.pageColor)});
    const bool hasBackgroundImage = doc.backgroundImageFlag() > 0;
    const QString backgroundPiece = hasBackgroundImage ? imageRule : colourRule;

    // 6-7. Web fonts and script includes.
    m_fontLink = fontFaceBlock();
    const bool localScripts = doc.previewGenerationFlag() && !e.gResponsiveLayoutFlag;
    m_includeBlock = includeBlock(localScripts);

    // 9-10. Enlargement script, and the local script copies for a page that names them (publishing
    // puts its own copies beside the published page).
    const QString popupScript = popups ? imagePopupScript() : QStringLiteral("");
    if (localScripts)
        doc.transferJquery();

    // 11. External style sheet.
    if (e.gExternalStyleSheetFlag) {
        const QString retinaBlock =
            QStringLiteral("@media(-webkit-min-device-pixel-ratio: 2) {") + m_pieces.retinaRules + u'}';
        const QString sheet = format(
            QStringLiteral(
                "<style type=text/css>\n%@\n%@%@%@%@%@%@%@%@\n\n%@\n%@\n%@\n%@\n%@\n%@\n%@\n</style>\n"),
            {m_pieces.contentRule, imageRule, kTabCSS, m_pieces.textRules, m_pieces.slideshowRules,
             m_pieces.slideshowButtonRules, m_pieces.imageRules, kTableCSS, captionCSS, m_pieces.snippetRules,
             retinaBlock, m_pieces.galleryRules, m_pieces.tableRules, m_pieces.lineRules, QStringLiteral(""),
             QStringLiteral("")});
        doc.setFullCSSString(sheet);
        writeExternalStyleSheet(sheet);
    }

    // 12. Meta group.
    const QString charset = format(QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; "
                                                  "charset=%@\"/> \n<meta http-equiv=\"X-UA-Compatible\" "
                                                  "content=\"IE=edge\"/>\n"),
                                   {FormPageGenerator::charsetName(doc)});
    const QString metaGroup = m_pieces.metaLines + u'\n' + charset + u'\n' + m_includeBlock;

    // 13. Head: the two forms differ in one blank line and the order of the last rule texts.
    const QString empty = QStringLiteral("");
    const QString withImage = QStringLiteral(
        "<head>\n<title>%@</title>\n%@\n%@\n%@\n%@\n%@\n%@\n%@\n<!--Base Template Header "
        "Code:%d-->\n%@\n<!--Custom "
        "Header Code:%d-->\n%@\n\n%@\n%@\n<style "
        "type=text/css>\n%@\n%@%@%@%@%@%@%@%@\n\n%@\n%@\n%@\n%@\n%@\n%@\n%@\n</style></head>\n");
    const QString withoutImage = QStringLiteral(
        "<head>\n<title>%@</title>\n%@\n%@\n%@\n%@\n%@\n%@\n%@\n<!--Base Template Header "
        "Code:%d-->\n%@\n<!--Custom "
        "Header Code:%d-->\n%@\n\n%@\n%@\n<style "
        "type=text/css>\n%@\n\n%@%@%@%@%@%@%@%@\n\n%@\n%@\n%@\n%@\n%@\n%@\n%@\n</style></head>\n");
    const QString& tail1 = m_pieces.snippetRules;
    if (hasBackgroundImage) {
        m_head = format(withImage, {titleText(doc.pageOfficialName()),
                                    viewport,
                                    generator,
                                    metaGroup,
                                    empty,
                                    empty,
                                    empty,
                                    m_pieces.slideshowScripts,
                                    baseLines,
                                    baseCode,
                                    customLines,
                                    m_headerText,
                                    m_fontLink,
                                    popupScript,
                                    m_pieces.contentRule,
                                    backgroundPiece,
                                    kTabCSS,
                                    m_pieces.textRules,
                                    m_pieces.slideshowRules,
                                    m_pieces.slideshowButtonRules,
                                    m_pieces.imageRules,
                                    kTableCSS,
                                    captionCSS,
                                    tail1,
                                    empty,
                                    m_pieces.galleryRules,
                                    m_pieces.tableRules,
                                    m_pieces.lineRules,
                                    empty,
                                    empty});
    } else {
        m_head = format(withoutImage, {titleText(doc.pageOfficialName()),
                                       viewport,
                                       generator,
                                       metaGroup,
                                       empty,
                                       empty,
                                       empty,
                                       m_pieces.slideshowScripts,
                                       baseLines,
                                       baseCode,
                                       customLines,
                                       m_headerText,
                                       m_fontLink,
                                       popupScript,
                                       m_pieces.contentRule,
                                       backgroundPiece,
                                       kTabCSS,
                                       m_pieces.textRules,
                                       m_pieces.slideshowRules,
                                       m_pieces.slideshowButtonRules,
                                       m_pieces.imageRules,
                                       kTableCSS,
                                       captionCSS,
                                       tail1,
                                       empty,
                                       empty,
                                       m_pieces.galleryRules,
                                       m_pieces.tableRules,
                                       m_pieces.lineRules,
                                       empty});
    }

    // 14 (first half). The label edition keeps its background with the page itself.
    if (hasBackgroundImage && e.gEditionDisplayName == kLabelEditionName)
        doc.setUseBaseTemplateFlag(0);
}

void PageShell::writeExternalStyleSheet(const QString& sheet)
{
    // Without a working folder there is nowhere to put it; never write beside the file system root.
    if (m_document.tempSavePathLocal().isEmpty() || m_pageName.isEmpty())
        return;
    const QString folder = ImageFileWriter::pageImageFolder(m_document, m_pageName);
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return;
    const QString name =
        m_document.mobileVersionFlag() ? QStringLiteral("mobile.css") : QStringLiteral("full.css");
    if (const std::optional<QString> path = platform::SafePath::filePath(folder, name))
        platform::writeFileAtomically(*path, platform::encodeAsciiElseUtf16(sheet));
}

// ---- page ----

void PageShell::applyProfileEditionTitle()
{
    const QString name = edition().gEditionDisplayName;
    const QVariantMap& profile = m_document.profileDictionary();
    auto value = [&](const char* key) { return text(profile.value(QString::fromLatin1(key)).toString()); };
    if (name == QStringLiteral("Cardell Vet Edition")) {
        m_document.setPageOfficialName(
            format(QStringLiteral("%@ %@ %@ %@"), {value("Owner First Name"), value("Owner Last Name"),
                                                   value("Pet Name"), value("Pet Breed")}));
    } else if (name == QStringLiteral("Cardell") || name == QStringLiteral("Cardell 2") ||
               name == QStringLiteral("Veldacre")) {
        m_document.setPageOfficialName(
            format(QStringLiteral("%@ %@ %@"),
                   {value("Owner First Name"), value("Owner Last Name"), value("Pet Chart Number")}));
    }
}

QString PageShell::formOpening() const
{
    return format(QStringLiteral("<form name=%@ action=%@ onsubmit=\"return validateForm();\" method=post>"),
                  {m_pageName, format(QStringLiteral("%@.%@"), {m_pageName, QStringLiteral("php")})});
}

QString PageShell::formClosing() const
{
    return format(QStringLiteral("<input type=\"hidden\" name=email value=\"%@\"></form>"),
                  {QStringLiteral("email")});
}

QString PageShell::buildPage()
{
    const EditionSettings& e = edition();
    const QString doctype =
        e.gResponsiveLayoutFlag && !e.gResponsiveEmailFlag
            ? QStringLiteral("<!DOCTYPE html>")
            : QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\" "
                             "\"http://www.w3.org/TR/html4/loose.dtd\">\n");
    applyProfileEditionTitle();
    const QString bodyTag =
        format(QStringLiteral("<body bgcolor=#%@ leftmargin=0 topmargin=0>"), {text(m_pieces.pageColor)});
    const QStringList markers = trailingMarkers();

    QString page;
    if (!m_pieces.formPage) {
        page = format(
            QStringLiteral(
                "%@<html>%@\n%@\n<div "
                "id=content>\n%@\n%@\n%@\n%@</div></body></html>\n%@\n%@\n%@\n%@\n%@\n%@\n%@\n%@\n%@\n%@"),
            {doctype, m_head, bodyTag, m_pieces.bodyTexts, m_pieces.bodyImages, m_pieces.bodyComponents,
             m_pieces.bodyShowsGallery, markers.value(0), markers.value(1), markers.value(2),
             markers.value(3), markers.value(4), markers.value(5), markers.value(6), markers.value(7),
             markers.value(8), markers.value(9)});
    } else {
        page = format(QStringLiteral("%@<html>%@\n%@\n<div "
                                     "id=content>%@\n\n%@\n%@\n%@\n%@\n%@\n</div></body></"
                                     "html>\n%@\n%@\n%@\n%@\n%@\n%@\n%@\n%@\n%@"),
                      {doctype, m_head, bodyTag, formOpening(), m_pieces.bodyTexts, m_pieces.bodyImages,
                       m_pieces.bodyShowsGallery, formClosing(), m_pieces.bodyComponents, markers.value(0),
                       markers.value(1), markers.value(2), markers.value(3), markers.value(4),
                       markers.value(5), markers.value(6), markers.value(7), markers.value(8)});
    }

    if (m_publishFlag && e.gResponsiveLayoutFlag)
        page = responsivePage();

    page += profileFieldLines();
    return replaceCharacterEntities(page);
}

QString PageShell::responsivePage() const
{
    const EditionSettings& e = edition();
    const DRVDocument& doc = m_document;

    const auto records = DataCentre::sortArray(
        m_pieces.topLevel, [](const std::shared_ptr<CodeWidgetHelper>& r) { return r->originY; }, true);
    QStringList bodies;
    QStringList headers;
    QStringList scripts;
    for (const auto& record : records) {
        bodies << text(record->bodyString);
        headers << text(record->headerString);
        scripts << text(record->javaScriptString);
    }
    const QString sectionCSS =
        text(headers.join(u'\n')) +
        QStringLiteral("\n.container-fluid{\npadding-right:0px;\npadding-left:0px;\n}\n");
    const QString metaBlock =
        e.gResponsiveEmailFlag
            ? QStringLiteral("")
            : format(QStringLiteral(
                         "<meta http-equiv=\"X-UA-Compatible\" content=\"IE=edge\">\n<meta "
                         "name=\"viewport\" content=\"width=device-width, initial-scale=1.0\">\n<meta "
                         "name=\"description\" content=\"%@\">\n<meta name=\"keywords\" content=\"%@\">\n"),
                     {TextEscaping::escapeHtmlAttributeLine(text(doc.metaDescription())),
                      TextEscaping::escapeHtmlAttributeLine(text(doc.metaKeywords()))});
    const QString includes =
        e.gResponsiveEmailFlag
            ? QStringLiteral("<style type=\"text/css\">\n@media only screen and (max-width: "
                             "480px){\n.columnContainer{\ndisplay:block !important;\nwidth:100% "
                             "!important;}}\n</style>\n")
            : m_includeBlock;
    const QString clearing = e.gResponsiveEmailFlag ? QStringLiteral("") : columnClearingCSS();
    // The charset names the bytes the page is published in (a Windows-1251 page has no byte-order
    // mark to tell the browser otherwise).
    const QString charset = FormPageGenerator::charsetName(doc);
    const QString head = format(
        QStringLiteral(
            "%@\n<html lang=\"en\">\n<head>\n<meta charset=\"%@\">\n%@\n<title>%@</title>\n%@\n%@\n<style "
            "type=text/css>\n%@\n%@\nbody {background-color:#%@;}\n</style>\n%@\n%@\n%@\n%@\n\n</head>"),
        {QStringLiteral("<!DOCTYPE HTML>\n"), charset.isEmpty() ? QStringLiteral("UTF-8") : charset,
         metaBlock, titleText(doc.pageOfficialName()), includes, m_fontLink, sectionCSS, clearing,
         text(m_pieces.pageColor), text(scripts.join(u'\n')), text(doc.baseTemplateCustomHeaderCode()),
         m_headerText, QStringLiteral("")});

    QString bodyOpening = QStringLiteral("<body>");
    QString bodyClosing = QStringLiteral("</body>\n</html>");
    if (e.gResponsiveEmailFlag) {
        bodyOpening =
            format(QStringLiteral("<body bgcolor=\"#%@\" style='margin-top:0; margin-bottom:0; "
                                  "margin-right:0; margin-left:0; padding:0;'>\n<table width=\"100%%\" "
                                  "bgcolor=\"#%@\" margin=0 padding=0 cellpadding=0 "
                                  "cellspacing=0>\n<tr><td>\n"),
                   {text(m_pieces.pageColor), text(m_pieces.pageColor)});
        bodyClosing = QStringLiteral("</td></tr>\n</table>\n</body>\n</html>");
    }
    if (m_pieces.formPage) {
        return format(
            QStringLiteral("%@\n\n%@\n%@\n%@\n%@\n%@"),
            {head, bodyOpening, formOpening(), text(bodies.join(u'\n')), formClosing(), bodyClosing});
    }
    return format(QStringLiteral("%@\n\n%@\n%@\n%@"),
                  {head, bodyOpening, text(bodies.join(u'\n')), bodyClosing});
}

QString PageShell::profileFieldLines() const
{
    // Only the fields the page has a value for; the names keep the edition's order.
    const QVariantMap& profile = m_document.profileDictionary();
    QString collected = QStringLiteral("");
    for (const QString& name : edition().gProfileFieldNames) {
        if (!profile.contains(name))
            continue;
        const QString line = DataCentre::generateFullString(text(profile.value(name).toString()), name);
        collected = format(QStringLiteral("%@\n\n%@"), {collected, line});
    }
    return collected;
}
