#include "document/PageParser.h"

#include "document/DRVDocument.h"
#include "document/FormFieldFactory.h"
#include "document/PageImageFiles.h"
#include "document/PendingFolderFiles.h"
#include "document/StyleRuleTokens.h"
#include "document/TextBoxRebuild.h"
#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "editions/LabelHelper.h"
#include "generation/FormPageGenerator.h"
#include "generation/TextEscaping.h"
#include "generation/ValidationScript.h"
#include "generation/WebFonts.h"
#include "model/DRVGraphic.h"
#include "model/GalleryGridView.h"
#include "model/LineView.h"
#include "model/OuterSlideShow.h"
#include "model/TableGridView.h"
#include "model/TransformView.h"
#include "model/myTextView.h"
#include "platform/SafePath.h"
#include "platform/StringRules.h"
#include "platform/TextEncoding.h"
#include "platform/Threads.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QPointer>
#include <QThread>
#include <algorithm>
#include <memory>
#include <vector>

namespace {

// Rule lines per batch when their tokens are read ahead: smaller batches cost more than they share.
constexpr qsizetype kTokensAheadBatch = 16;
// Rule lines whose tokens are read ahead at once (two such windows are held).
constexpr size_t kTokensAheadWindow = 512;

const QString kBaseTemplate = QStringLiteral("basetemplate");
const QString kBaseTemplateDuplicated = QStringLiteral("<!--BASE TEMPLATE DUPLICATED-->");
const QString kDefaultFamily = QStringLiteral("Helvetica Neue");

// ---- text helpers ----

QString trimBlanks(const QString& s)
{
    qsizetype start = 0;
    qsizetype end = s.size();
    while (start < end && (s[start] == u' ' || s[start] == u'\t'))
        ++start;
    while (end > start && (s[end - 1] == u' ' || s[end - 1] == u'\t'))
        --end;
    return s.mid(start, end - start);
}

// The text between the first start string and the first end string after it; nothing when either
// is missing.
std::optional<QString> between(const QString& text, const QString& start, const QString& end)
{
    const qsizetype at = text.indexOf(start);
    if (at < 0)
        return std::nullopt;
    const qsizetype valueStart = at + start.size();
    const qsizetype stop = text.indexOf(end, valueStart);
    if (stop < 0)
        return std::nullopt;
    return text.mid(valueStart, stop - valueStart);
}

// Lines split at every newline character; a CR LF pair is one break.
// For each name that follows prefix in some line and ends at one of enders (or at the line's end,
// when endsAtLineEnd), the first such line.
QHash<QString, qsizetype> firstLinesByName(const QStringList& lines, QLatin1String prefix,
                                           QLatin1String enders, bool endsAtLineEnd)
{
    QHash<QString, qsizetype> first;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        for (qsizetype at = line.indexOf(prefix); at >= 0; at = line.indexOf(prefix, at + 1)) {
            const qsizetype start = at + prefix.size();
            qsizetype end = start;
            while (end < line.size() && !enders.contains(line[end]))
                ++end;
            if (end == line.size() && !endsAtLineEnd)
                continue;
            const QString name = line.mid(start, end - start);
            if (!first.contains(name))
                first.insert(name, i);
        }
    }
    return first;
}

QStringList splitLines(const QString& text)
{
    return platform::componentsSeparatedByNewlineSet(
        QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
}

// The number after a selector prefix (".text12{" -> 12) when the selector is exactly prefix, digits
// and "{"; nothing otherwise.
std::optional<int> selectorNumber(const QString& line, const QString& prefix)
{
    if (!line.startsWith(prefix))
        return std::nullopt;
    qsizetype i = prefix.size();
    const qsizetype digitsStart = i;
    while (i < line.size() && line[i].isDigit() && i - digitsStart < 9)
        ++i;
    if (i >= line.size() || line[i] != u'{')
        return std::nullopt;
    if (i == digitsStart)
        return -1;
    return line.mid(digitsStart, i - digitsStart).toInt();
}

// An attribute value as the writer quotes and escapes it (older pages wrote it bare).
QString attributeValue(const QString& raw)
{
    QString value = platform::trimWhitespaceAndNewlines(raw);
    if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"'))
        value = value.mid(1, value.size() - 2);
    return TextEscaping::decodeHtmlEntities(value);
}

bool isDrawnBorderStyle(const QString& style)
{
    return style == QLatin1String("solid") || style == QLatin1String("dotted") ||
           style == QLatin1String("dashed");
}

// ---- custom header blocks ----

struct HeaderBlock
{
    QString code;
    bool found = false;
};

// The number of lines a header block's marker line announces ("<!--Custom Header Code:3-->").
int headerBlockCount(QStringView line, const QString& prefix)
{
    return platform::intValue(
        line.mid(prefix.size()).chopped(std::min<qsizetype>(3, line.size() - prefix.size())).toString());
}

// The count the last line of text starting with prefix announces, 0 without one; lines end at LF.
int lastHeaderBlockCount(const QString& text, const QString& prefix)
{
    // Searched forwards, which runs far faster than backwards over a long page.
    qsizetype last = -1;
    for (qsizetype at = text.indexOf(prefix); at >= 0; at = text.indexOf(prefix, at + 1)) {
        if (at == 0 || text.at(at - 1) == u'\n')
            last = at;
    }
    if (last < 0)
        return 0;
    const qsizetype end = text.indexOf(u'\n', last);
    return headerBlockCount(QStringView(text).mid(last, end < 0 ? -1 : end - last), prefix);
}

// Reads the last "<prefix><n>-->" block: the n lines after the marker line. Removes the marker and
// its lines when remove is set.
HeaderBlock takeHeaderBlock(QStringList& lines, const QString& prefix, bool remove)
{
    HeaderBlock block;
    int count = 0;
    for (const QString& line : std::as_const(lines)) {
        if (line.startsWith(prefix))
            count = headerBlockCount(line, prefix);
    }
    if (count <= 0)
        return block;
    const QString marker = prefix + QString::number(count) + QStringLiteral("-->");
    qsizetype markerIndex = -1;
    for (qsizetype i = lines.size() - 1; i >= 0; --i) {
        if (lines[i] == marker) {
            markerIndex = i;
            break;
        }
    }
    if (markerIndex < 0)
        return block;
    const qsizetype available = lines.size() - markerIndex - 1;
    const qsizetype taken = std::min<qsizetype>(count, available);
    QStringList code;
    for (qsizetype j = 0; j < taken; ++j)
        code.append(lines[markerIndex + 1 + j]);
    block.code = code.join(u'\n');
    block.found = true;
    if (remove)
        lines.remove(markerIndex, taken + 1);
    return block;
}

// ---- rule readers ----

struct Placement
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int zIndex = 0;
    int moveLock = 0;
    int scrollFlag = 0;
    int groupNumber = -99;
    int manualLayerIndex = 0;
    std::optional<QString> templateName;
    QRectF frame() const { return QRectF(left, top, width, height); }
};

Placement readPlacement(const StyleRuleTokens& rule)
{
    Placement p;
    p.left = rule.parseForItemTypeInt(QStringLiteral("left"), 0);
    p.top = rule.parseForItemTypeInt(QStringLiteral("top"), 0);
    p.width = rule.parseForItemTypeInt(QStringLiteral("width"), 0);
    p.height = rule.parseForItemTypeInt(QStringLiteral("height"), 0);
    p.zIndex = rule.parseForItemTypeInt(QStringLiteral("z-index"), 0);
    p.moveLock = rule.parseForItemTypeTruncated(QStringLiteral("fixed"), 0);
    const QString position =
        rule.parseForItemTypeString(QStringLiteral("position"), QStringLiteral("absolute"));
    p.scrollFlag = position == QLatin1String("absolute") ? 0 : 1;
    p.groupNumber = rule.parseForItemTypeTruncated(QStringLiteral("groupNumber"), -99);
    p.manualLayerIndex = rule.parseForItemTypeInt(QStringLiteral("manualLayerIndex"), 0);
    p.templateName = rule.valueForKey(QStringLiteral("templateName"));
    return p;
}

struct Spacing
{
    int values[8];
    QString types[8];
};

// Padding and margin amounts and units in the order top, bottom, left, right padding, then margin.
Spacing readSpacing(const StyleRuleTokens& rule, const QString& typeDefault)
{
    static const char* const names[8] = {"topPadding", "bottomPadding", "leftPadding", "rightPadding",
                                         "topMargin",  "bottomMargin",  "leftMargin",  "rightMargin"};
    Spacing s;
    for (int i = 0; i < 8; ++i) {
        const QString base = QString::fromLatin1(names[i]);
        s.values[i] = rule.parseForItemTypeInt(base + QStringLiteral("Str"), 0);
        s.types[i] = rule.parseForItemTypeString(base + QStringLiteral("TypeStr"), typeDefault);
    }
    return s;
}

template <class Carrier> void applySpacing(Carrier* c, const Spacing& s)
{
    c->setTopPadding(s.values[0]);
    c->setBottomPadding(s.values[1]);
    c->setLeftPadding(s.values[2]);
    c->setRightPadding(s.values[3]);
    c->setTopMargin(s.values[4]);
    c->setBottomMargin(s.values[5]);
    c->setLeftMargin(s.values[6]);
    c->setRightMargin(s.values[7]);
    c->setTopPaddingType(s.types[0]);
    c->setBottomPaddingType(s.types[1]);
    c->setLeftPaddingType(s.types[2]);
    c->setRightPaddingType(s.types[3]);
    c->setTopMarginType(s.types[4]);
    c->setBottomMarginType(s.types[5]);
    c->setLeftMarginType(s.types[6]);
    c->setRightMarginType(s.types[7]);
}

// ---- the reader ----

class Reader
{
public:
    explicit Reader(const PageParseInput& input) : in(input) {}

    PageParseResult run();

private:
    void readCustomHeader(const HeaderBlock& block);
    void readPageMarkers(const QString& text);
    void readFormSettings(const QString& head);
    void readHeadLines(QStringView head);
    bool readRule(const QString& line);
    // The line's tokens: the ones read ahead for it, else read now.
    const StyleRuleTokens& tokensFor(const QString& line);
    void readTextRule(const QString& line, const StyleRuleTokens& rule, int number);
    myTextView* readFormField(const StyleRuleTokens& rule, const QString& formType);
    void readImageRule(const StyleRuleTokens& rule);
    void readSnippetRule(const StyleRuleTokens& rule, int number);
    void readBackgroundRule();
    void readOldProfileRules(const QString& head);
    void readBody(const QString& body);
    void fillTextBodies(const QStringList& bodyLines);
    void fillImageBodies(const QStringList& bodyLines);
    void keepPageGraphics();
    void readPopupCaptionLink(const QStringList& bodyLines, qsizetype from, TransformView* image);
    void renameDuplicateImages();
    void sortCarriers();
    QString checkedFamily(const QString& family);

    const PageParseInput& in;
    PageParseResult out;
    QObject* owner = nullptr;
    QList<int> textNumbers;
    QList<int> snippetNumbers;
    // Per snippet: its text was written escaped (a table cell's text), to be decoded once.
    QList<bool> escapedSnippets;
    QList<myTextView*> oldProfileCells;
    bool backgroundApplied = false;
    // The tokens read ahead for the line readRule is reading, if any.
    const QString* aheadLine = nullptr;
    const StyleRuleTokens* aheadTokens = nullptr;
    // A text box's carrier built ahead from those tokens, and the families it found missing.
    std::unique_ptr<myTextView>* aheadView = nullptr;
    const QStringList* aheadUnsupported = nullptr;
    // Images' pictures, found while the head is read and decoded together on the thread pool.
    struct PendingPicture
    {
        QPointer<TransformView> image;
        PageImageFiles::PictureSource picture;
        PageImageFiles::PictureSource mask;
        QImage decodedPicture;
        QImage decodedMask;
    };
    std::vector<PendingPicture> pendingPictures;
    StyleRuleTokens scratchTokens;
};

QString Reader::checkedFamily(const QString& family)
{
    if (DataCentre::isFontFamilyPresent(family))
        return family;
    if (!out.notSupportedFonts.contains(family))
        out.notSupportedFonts.append(family);
    return kDefaultFamily;
}

PageParseResult Reader::run()
{
    out.carrierOwner = std::make_shared<QObject>();
    owner = out.carrierOwner.get();

    // 1. Start.
    // Pages that include Bootstrap size boxes border-box: their widths already hold padding and border.
    // The file is read only when the text is not the file's own (a synchronised page).
    out.usingBootStrapFlag =
        in.pageText.contains(QLatin1String("bootstrap.min.css")) ||
        (!in.pageTextIsFileText && !in.pagePath.isEmpty() && DataCentre::isBootStrapBeingUsed(in.pagePath));
    const bool baseTemplateExists =
        !in.websiteFolder.isEmpty() &&
        QFileInfo::exists(QDir(in.websiteFolder).filePath(QStringLiteral("basetemplate.html")));
    out.followsBaseTemplate =
        in.templatePageName != kBaseTemplate && baseTemplateExists && in.useBaseTemplateFlag != 0;
    out.isFormPage =
        in.pageFileType == QLatin1String("selvaro") || in.pageFileExtension == QLatin1String("php");
    out.baseTemplateCustomHeaderCode = in.baseTemplateCustomHeaderCode;
    out.formSentResponse = in.formSentResponse;
    out.formRequiredResponse = in.formRequiredResponse;
    out.formEmailVerificationMsg = in.formEmailVerificationMsg;
    out.formBotCheckerResponse = in.formBotCheckerResponse;
    // A page with neither header code nor line ends other than LF comes out of the lines
    // unchanged: it is read as it stands rather than split into lines and joined again, which
    // for a long page is megabytes of copies.
    const QString customHeaderPrefix = QStringLiteral("<!--Custom Header Code:");
    const QString formHeaderPrefix = QStringLiteral("<!--Selvaro Custom Header Code:");
    const bool asItStands = !platform::hasNewlineOtherThanLF(in.pageText) &&
                            lastHeaderBlockCount(in.pageText, customHeaderPrefix) <= 0 &&
                            !(out.isFormPage && lastHeaderBlockCount(in.pageText, formHeaderPrefix) > 0);
    QStringList lines;
    QString text;
    if (asItStands) {
        // 2. No custom header code.
        readCustomHeader(HeaderBlock());
        text = in.pageText;
    } else {
        lines = splitLines(in.pageText);
        // 2. Custom header code.
        readCustomHeader(takeHeaderBlock(lines, customHeaderPrefix, true));
        text = lines.join(u'\n');
    }

    // 3. Page markers.
    readPageMarkers(text);

    // 4. Older form pages kept their header code under another marker.
    if (out.isFormPage && !asItStands) {
        const HeaderBlock block =
            takeHeaderBlock(lines, formHeaderPrefix, !in.syncFlag);
        if (block.found)
            out.customHeaderCode = trimBlanks(block.code);
        text = lines.join(u'\n');
    }

    // 5. Head and body.
    const QString headEnd = QStringLiteral("</style></head>");
    const qsizetype cut = text.indexOf(headEnd);
    // The head is most of a long page: it is read where it lies rather than copied.
    const QStringView head = cut < 0 ? QStringView(text) : QStringView(text).left(cut);
    const QString body = cut < 0 ? QString() : text.mid(cut);

    // 6. - 9.
    if (edition().gDocumentExtension == QLatin1String("zorprofile") ||
        edition().gDocumentExtension == QLatin1String("profile"))
        readOldProfileRules(head.toString());
    if (out.isFormPage)
        readFormSettings(head.toString());
    readHeadLines(head);
    // Each picture is decoded on its own; nothing below reads them until they are set.
    std::vector<PendingPicture>& pictures = pendingPictures;
    platform::ConcurrentFor decoding(qsizetype(pictures.size()), 1, [&pictures](qsizetype k) {
        PendingPicture& pending = pictures[size_t(k)];
        pending.decodedPicture = pending.picture.decode();
        pending.decodedMask = pending.mask.decode();
    });

    // 10. Body.
    readBody(body);

    // 11. - 14.
    keepPageGraphics();
    if (out.isFormPage) {
        FormFieldFactory::syncAllOptionForms(out.textViewArray);
        if (out.formSentResponse.isEmpty())
            out.formSentResponse = QStringLiteral("Thank you for submitting this form.");
        if (out.formRequiredResponse.isEmpty())
            out.formRequiredResponse =
                QStringLiteral("Missing required form fields, please complete and submit again.");
        if (out.formEmailVerificationMsg.isEmpty())
            out.formEmailVerificationMsg =
                QStringLiteral("Email address entered is invalid, please check and submit again.");
        if (out.formBotCheckerResponse.isEmpty())
            out.formBotCheckerResponse = QStringLiteral("Bot checker answer incorrect, please try again.");
    }
    decoding.wait();
    for (PendingPicture& pending : pictures) {
        if (!pending.image)
            continue;
        pending.image->setImage(pending.decodedPicture);
        if (!pending.decodedMask.isNull())
            pending.image->setMaskImage(pending.decodedMask);
    }
    renameDuplicateImages();
    sortCarriers();
    return std::move(out);
}

void Reader::readCustomHeader(const HeaderBlock& block)
{
    out.customHeaderCode = block.code;
    if (in.templatePageName == kBaseTemplate)
        out.baseTemplateCustomHeaderCode = out.customHeaderCode;
    else if (out.customHeaderCode == out.baseTemplateCustomHeaderCode)
        out.customHeaderCode = QStringLiteral("");
    out.customHeaderCode = trimBlanks(out.customHeaderCode);
}

void Reader::readPageMarkers(const QString& text)
{
    const EditionSettings& e = edition();
    // The settings lines follow the page: the last marker that starts a line is the page's own.
    auto marker = [&](const char* start, const char* end) {
        return DataCentre::grabMiddleString(QLatin1String(start), QLatin1String(end), text);
    };
    out.docSpecificFixedCanvasFlag =
        marker("<!--FIXEDCANVASSTART==", "==FIXEDCANVASEND-->") == QLatin1String("1") ? 1 : 0;
    out.docSpecificPageWidth =
        platform::intValue(marker("<!--DOCSPECIFIC_WIDTH==", "==DOCSPECIFIC_WIDTH_END-->"));
    out.docSpecificPageHeight =
        platform::intValue(marker("<!--DOCSPECIFIC_HEIGHT==", "==DOCSPECIFIC_HEIGHT_END-->"));
    out.canvasSizeType = marker("<!--CANVAS_SIZE_TYPE==", "==CANVAS_SIZE_TYPE_END");
    out.confirmedCanvasSize = out.docSpecificFixedCanvasFlag == 1
                                  ? QSize(out.docSpecificPageWidth, out.docSpecificPageHeight)
                                  : QSize(e.gCanvasWidth, e.gCanvasHeight);
    if (e.gEditionDisplayName == QLatin1String("Ulmira Pro 2") ||
        e.gEditionDisplayName == QLatin1String("Ulmira Express")) {
        out.adjustCanvasSizeType = true;
        out.editionCanvasWidth = out.canvasSizeType == QLatin1String("Standard") ? 700 : 900;
    }
    if (e.gAutoBaseTemplateFlag) {
        LabelTemplateHelper helper(
            marker("//====LABEL_BRAND_START==", "==LABEL_BRAND_END"),
            marker("//====LABEL_TEMPLATENUMBER_START==", "==LABEL_TEMPLATENUMBER_END"),
            marker("//====LABEL_TEMPLATEDESCRIPTION_START==", "==LABEL_TEMPLATEDESCRIPTION_END"));
        if (helper.templateDescription.isEmpty() && e.gSelectedLabelTemplate)
            helper = *e.gSelectedLabelTemplate;
        out.selectedLabelSheet = helper.templateDescription;
        if (!helper.templateDescription.isEmpty()) {
            // Looked up without selecting: applying the sheet is the caller's.
            for (const LabelHelper& row : DataCentre::printLabels()) {
                if (row.printDescription == helper.templateDescription) {
                    helper.paperSize = row.paperSize;
                    break;
                }
            }
        }
        out.labelTemplateHelper = helper;
    }
}

// A form setting: the value after the first start string that begins a line, up to the next end
// string. The settings lines are whole lines of their own, so words in the handler's texts or the
// title earlier in the head cannot stand in for them.
std::optional<QString> formSetting(const QString& head, const QString& start, const QString& end)
{
    qsizetype at = head.startsWith(start) ? 0 : -1;
    if (at < 0) {
        at = head.indexOf(u'\n' + start);
        if (at >= 0)
            ++at;
    }
    if (at < 0)
        return std::nullopt;
    return between(head.mid(at), start, end);
}

void Reader::readFormSettings(const QString& head)
{
    auto setting = [&](const char* start, const char* end) {
        return formSetting(head, QLatin1String(start), QLatin1String(end));
    };
    auto text = [&](const char* start, const char* end) {
        return setting(start, end).value_or(QStringLiteral(""));
    };
    out.formRedirectURL = text("//FORMREDIRECTURL", "FORMREDIRECTURLEND");
    out.formEmailServer = text("//====SMTP_EMAIL_SERVER_START==", "==SMTP_EMAIL_SERVER_END");
    out.formEmailUsername = text("//====SMTP_EMAIL_USERNAME_START==", "==SMTP_EMAIL_USERNAME_END");
    out.formEmailPassword = text("//====SMTP_EMAIL_PASSWORD_START==", "==SMTP_EMAIL_PASSWORD_END");
    out.grabIPFlag = platform::intValue(text("//FORMRESPONSEIPSTART==", "==FORMRESPONSEIPEND"));
    out.formOrderLayoutOption =
        platform::intValue(text("//FORMDISPLAYOPTIONSTART==", "==FORMDISPLAYOPTIONEND"));
    out.siteFeedbackEmail = text("//FORMRESPONSEEMAILSTART==", "==FORMRESPONSEEMAILEND");
    out.siteCCFeedbackEmail = text("//FORMRESPONSEEMAILCCSTART==", "==FORMRESPONSEEMAILCCEND");
    out.formBotCheckerKey = text("//FORMBOTCHECKERKEYSTART==", "==FORMBOTCHECKERKEYEND");
    if (!PhpHandlerWriter::isBotCheckerKey(out.formBotCheckerKey))
        out.formBotCheckerKey = QStringLiteral(""); // the next save makes a new one
    out.formSubmitButtonValue = setting("//FORMSUBMIT", "FORMSUBMITEND").value_or(QStringLiteral("Submit"));
    if (auto v = setting("//FORMEMAILVERIFICATION", "FORMEMAILVERIFICATIONEND"))
        out.formEmailVerificationMsg = *v;
    if (auto v = setting("//FORMRESPONSEMSG", "FORMRESPONSEMSGEND"))
        out.formSentResponse = *v;
    if (auto v = setting("//FORMMISSINGMSG", "FORMMISSINGMSGEND"))
        out.formRequiredResponse = *v;
    if (auto v = setting("//FORMBOTCHECKERMSG", "FORMBOTCHECKERMSGEND"))
        out.formBotCheckerResponse = *v;
    // The writer stores these as escaped script text, so that no value can end its comment line.
    for (QString* value : {&out.formRedirectURL, &out.formEmailServer, &out.formEmailUsername,
                           &out.formEmailPassword, &out.siteFeedbackEmail, &out.siteCCFeedbackEmail,
                           &out.formSubmitButtonValue, &out.formEmailVerificationMsg, &out.formSentResponse,
                           &out.formRequiredResponse, &out.formBotCheckerResponse})
        *value = ValidationScript::decodeJavaScriptString(*value);
}

void Reader::readHeadLines(QStringView head)
{
    if (!out.followsBaseTemplate) {
        out.centreFlag = DataCentre::grabCenterFlag(head) ? 1 : 0;
        out.webPageWidthManualFlag = DataCentre::grabManualPageWidthFlag(head) ? 1 : 0;
    }
    const QString keywords = QStringLiteral("<meta name=\"keywords\" content=\"");
    const QString description = QStringLiteral("<meta name=\"description\" content=\"");
    const QString contentType =
        QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=");
    const QString viewport = QStringLiteral("<meta name='viewport' content='width=");
    const bool isBaseTemplate = in.templatePageName == kBaseTemplate;

    // The lines are looked at where they lie, and each is copied out only while it is read: a
    // copy of every line at once would be as large as the head.
    std::vector<QStringView> lines;
    for (qsizetype from = 0;;) {
        const qsizetype end = head.indexOf(u'\n', from);
        lines.push_back(head.mid(from, (end < 0 ? head.size() : end) - from));
        if (end < 0)
            break;
        from = end + 1;
    }
    // Rule lines' tokens are read ahead on the thread pool: they depend on the line alone, and a
    // long page has thousands of them. They are read a window at a time, the next window while
    // this one's rules are read here: all of a long page's tokens at once would take several times
    // its text. The two windows take turns.
    std::vector<qsizetype> ruleLines;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].contains(u'{'))
            ruleLines.push_back(qsizetype(i));
    }
    // Text boxes, most of a long page, are built there too, from their rule alone, and handed to
    // this thread; form fields are not (a form page's text rules are read in turn).
    struct Window
    {
        size_t first = 0;
        std::vector<StyleRuleTokens> tokens;
        std::vector<std::unique_ptr<myTextView>> views;
        std::vector<QStringList> unsupported;
    };
    Window windows[2];
    // After the windows: destroyed first, so a reading still under way ends before its window goes.
    std::unique_ptr<platform::ConcurrentFor> reading[2];
    const bool textsAhead = !out.isFormPage || in.pageName == kBaseTemplate;
    QThread* const readerThread = QThread::currentThread();
    const auto readWindow = [&](int w, size_t first) {
        Window& window = windows[w];
        window.first = first;
        const size_t count = std::min(kTokensAheadWindow, ruleLines.size() - first);
        window.tokens.clear();
        window.tokens.resize(count);
        window.views.clear();
        window.views.resize(count);
        window.unsupported.clear();
        window.unsupported.resize(count);
        reading[w] = std::make_unique<platform::ConcurrentFor>(
            qsizetype(count), kTokensAheadBatch,
            [this, &lines, &ruleLines, &window, textsAhead, readerThread](qsizetype k) {
                const size_t at = size_t(k);
                StyleRuleTokens& tokens = window.tokens[at];
                tokens = StyleRuleTokens(lines[size_t(ruleLines[window.first + at])].toString());
                const QString& line = tokens.ruleLine();
                if (!textsAhead || !line.contains(QLatin1String("{position:")) ||
                    !selectorNumber(line, QStringLiteral(".text")))
                    return;
                myTextView* view = TextBoxRebuild::generateATextView(
                    tokens, in.templatePageName, out.usingBootStrapFlag, &window.unsupported[at], nullptr);
                view->moveToThread(readerThread);
                window.views[at].reset(view);
            });
    };
    int current = -1;
    size_t nextAhead = 0;
    if (!ruleLines.empty())
        readWindow(0, 0);
    for (qsizetype i = 0; i < qsizetype(lines.size()); ++i) {
        const StyleRuleTokens* ahead = nullptr;
        if (nextAhead < ruleLines.size() && ruleLines[nextAhead] == i) {
            if (current < 0 || nextAhead == windows[current].first + windows[current].tokens.size()) {
                current = current < 0 ? 0 : 1 - current;
                reading[current]->wait();
                const size_t after = windows[current].first + windows[current].tokens.size();
                if (after < ruleLines.size())
                    readWindow(1 - current, after);
            }
            const size_t at = nextAhead++ - windows[current].first;
            ahead = &windows[current].tokens[at];
            aheadView = &windows[current].views[at];
            aheadUnsupported = &windows[current].unsupported[at];
        }
        // A rule line is read through its tokens' own copy; any other line is copied now.
        const QString copied = ahead ? QString() : lines[size_t(i)].toString();
        const QString& line = ahead ? ahead->ruleLine() : copied;
        aheadLine = ahead ? &line : nullptr;
        aheadTokens = ahead;
        if (!ahead) {
            aheadView = nullptr;
            aheadUnsupported = nullptr;
        }
        if (line.startsWith(keywords) && !(in.inheritMetaKeywordsFlag == 1 && !isBaseTemplate))
            out.metaKeywords = TextEscaping::decodeHtmlEntities(
                line.mid(keywords.size()).chopped(std::min<qsizetype>(2, line.size() - keywords.size())));
        if (line.startsWith(description) && !(in.inheritMetaDescriptionFlag == 1 && !isBaseTemplate))
            out.metaDescription = TextEscaping::decodeHtmlEntities(
                line.mid(description.size())
                    .chopped(std::min<qsizetype>(2, line.size() - description.size())));
        if (line.startsWith(contentType))
            out.encodingType = FormPageGenerator::encodingTypeForCharset(
                line.mid(contentType.size())
                    .chopped(std::min<qsizetype>(4, line.size() - contentType.size())));
        if (!out.followsBaseTemplate && line.startsWith(viewport))
            out.webPageWidth = platform::intValue(
                line.mid(viewport.size()).chopped(std::min<qsizetype>(2, line.size() - viewport.size())));
        readRule(line);
    }
    aheadLine = nullptr;
    aheadTokens = nullptr;
    aheadView = nullptr;
    aheadUnsupported = nullptr;
}

const StyleRuleTokens& Reader::tokensFor(const QString& line)
{
    if (aheadTokens && aheadLine == &line)
        return *aheadTokens;
    scratchTokens = StyleRuleTokens(line);
    return scratchTokens;
}

bool Reader::readRule(const QString& line)
{
    const bool positioned = line.contains(QLatin1String("{position:"));
    if (positioned) {
        if (auto n = selectorNumber(line, QStringLiteral(".text"))) {
            readTextRule(line, tokensFor(line), *n);
            return true;
        }
        if (selectorNumber(line, QStringLiteral(".slideshow"))) {
            const StyleRuleTokens& rule = tokensFor(line);
            const Placement p = readPlacement(rule);
            auto* show = new OuterSlideShow(p.frame(), owner);
            show->setSlideShowNumber(
                rule.parseForItemTypeInt(QStringLiteral("slideShowNumber"), int(out.slideshowArray.size())));
            show->setTextType(QStringLiteral("Slideshow"));
            show->setTag(p.zIndex);
            show->setMoveLock(p.moveLock);
            show->setScrollFlag(p.scrollFlag);
            show->setGroupNumber(p.groupNumber);
            if (p.templateName)
                show->setTemplateName(*p.templateName);
            show->setSlideShowAutomaticFlag(rule.parseForItemTypeTruncated(QStringLiteral("autoStart"), -99));
            show->setManualLayerIndex(p.manualLayerIndex);
            show->setOriginX(p.left);
            show->setOriginY(p.top);
            out.slideshowArray.append(show);
            return true;
        }
        if (selectorNumber(line, QStringLiteral(".galleryGrid"))) {
            const StyleRuleTokens& rule = tokensFor(line);
            const Placement p = readPlacement(rule);
            auto* gallery = new GalleryGridView(p.frame(), owner);
            gallery->setScrollFlag(p.scrollFlag);
            gallery->setGalleryNumber(rule.parseForItemTypeTruncated(QStringLiteral("galleryNumber"),
                                                                     int(out.galleryArray.size())));
            gallery->setBounds(QRectF(0, 0, p.width, p.height));
            gallery->setTag(p.zIndex);
            gallery->setMoveLock(p.moveLock);
            gallery->setGroupNumber(p.groupNumber);
            gallery->setNumOfRows(rule.parseForItemTypeTruncated(QStringLiteral("numOfRows"), 1));
            gallery->setNumOfColumns(rule.parseForItemTypeTruncated(QStringLiteral("numOfColumns"), 1));
            gallery->setShadowFlag(rule.parseForItemTypeTruncated(QStringLiteral("shadowFlag"), 0));
            gallery->setPadding(rule.parseForItemTypeTruncated(QStringLiteral("padding"), 0));
            if (p.templateName)
                gallery->setTemplateName(*p.templateName);
            gallery->setBackdropLightingFlag(rule.parseForItemTypeTruncated(QStringLiteral("backdrop"), 0));
            gallery->setManualLayerIndex(p.manualLayerIndex);
            out.galleryArray.append(gallery);
            return true;
        }
        if (selectorNumber(line, QStringLiteral(".tableGrid"))) {
            const StyleRuleTokens& rule = tokensFor(line);
            const Placement p = readPlacement(rule);
            auto* table = new TableGridView(p.frame(), owner);
            const QString none = QStringLiteral("None");
            table->setTopPaddingLevelString(
                rule.parseForItemTypeString(QStringLiteral("topPaddingLevelStr"), none));
            table->setBottomPaddingLevelString(
                rule.parseForItemTypeString(QStringLiteral("bottomPaddingLevelStr"), none));
            table->setRightPaddingLevelString(
                rule.parseForItemTypeString(QStringLiteral("rightPaddingLevelStr"), none));
            table->setLeftPaddingLevelString(
                rule.parseForItemTypeString(QStringLiteral("leftPaddingLevelStr"), none));
            table->setTopMarginLevelString(
                rule.parseForItemTypeString(QStringLiteral("topMarginLevelStr"), none));
            table->setBottomMarginLevelString(
                rule.parseForItemTypeString(QStringLiteral("bottomMarginLevelStr"), none));
            table->setRightMarginLevelString(
                rule.parseForItemTypeString(QStringLiteral("rightMarginLevelStr"), none));
            table->setLeftMarginLevelString(
                rule.parseForItemTypeString(QStringLiteral("leftMarginLevelStr"), none));
            table->setInitialLaunchStateFlag(
                rule.parseForItemTypeInt(QStringLiteral("initialLaunchState"), 0));
            table->setSectionIDString(TextEscaping::decodeRuleText(
                rule.parseForItemTypeString(QStringLiteral("sectionID"), QStringLiteral(""))));
            table->setGridType(
                rule.parseForItemTypeString(QStringLiteral("gridType"), QStringLiteral("table")));
            table->setScrollFlag(p.scrollFlag);
            table->setTableNumber(
                rule.parseForItemTypeTruncated(QStringLiteral("tableNumber"), int(out.tableArray.size())));
            table->setBounds(QRectF(0, 0, p.width, p.height));
            table->setTag(p.zIndex);
            table->setMoveLock(p.moveLock);
            table->setGroupNumber(p.groupNumber);
            table->setManualLayerIndex(p.manualLayerIndex);
            table->setNumOfRows(rule.parseForItemTypeTruncated(QStringLiteral("numOfRows"), 1));
            table->setNumOfColumns(rule.parseForItemTypeTruncated(QStringLiteral("numOfColumns"), 1));
            table->setShadowFlag(rule.parseForItemTypeTruncated(QStringLiteral("shadowFlag"), 0));
            table->setPadding(rule.parseForItemTypeTruncated(QStringLiteral("padding"), 0));
            if (p.templateName)
                table->setTemplateName(*p.templateName);
            applySpacing(table, readSpacing(rule, QStringLiteral("%")));
            out.tableArray.append(table);
            return true;
        }
        if (selectorNumber(line, QStringLiteral(".line"))) {
            // A line's rule has its two points and no box.
            const StyleRuleTokens& rule = tokensFor(line);
            const Placement p = readPlacement(rule);
            auto* lineView = new LineView(owner);
            lineView->setBeginPoint(QPointF(rule.parseForItemTypeInt(QStringLiteral("lineOriginX"), 0),
                                            rule.parseForItemTypeInt(QStringLiteral("lineOriginY"), 0)));
            lineView->setEndPoint(QPointF(rule.parseForItemTypeInt(QStringLiteral("lineEndX"), 0),
                                          rule.parseForItemTypeInt(QStringLiteral("lineEndY"), 0)));
            lineView->setScrollFlag(p.scrollFlag);
            lineView->setTag(p.zIndex);
            lineView->setMoveLock(p.moveLock);
            lineView->setGroupNumber(p.groupNumber);
            lineView->setManualLayerIndex(p.manualLayerIndex);
            if (rule.hasKey(QStringLiteral("border-width")))
                lineView->setBorderWidth(rule.parseForItemTypeInt(QStringLiteral("border-width"), 0));
            if (auto color = rule.valueForKey(QStringLiteral("border-color")))
                lineView->setBorderHexColorString(*color);
            lineView->setBorderStyle(
                rule.parseForItemTypeString(QStringLiteral("border-style"), QStringLiteral("none")));
            if (rule.hasKey(QStringLiteral("lineAlpha")))
                lineView->setAlphaValue(rule.parseForItemTypeFloat(QStringLiteral("lineAlpha"), 1.0f));
            if (p.templateName)
                lineView->setTemplateName(*p.templateName);
            lineView->setDrawBeginArrow(rule.parseForItemTypeInt(QStringLiteral("drawBeginArrow"), 0) != 0);
            lineView->setDrawEndArrow(rule.parseForItemTypeInt(QStringLiteral("drawEndArrow"), 0) != 0);
            out.lineArray.append(lineView);
            return true;
        }
    }
    if (line.startsWith(QLatin1String(".image")) && line.contains(u'{')) {
        readImageRule(tokensFor(line));
        return true;
    }
    if (auto n = selectorNumber(line, QStringLiteral(".snippet"))) {
        readSnippetRule(tokensFor(line), *n);
        return true;
    }
    if (line.contains(QLatin1String("body{background-image:url("))) {
        readBackgroundRule();
        return true;
    }
    return false;
}

void Reader::readTextRule(const QString& line, const StyleRuleTokens& rule, int number)
{
    myTextView* view = nullptr;
    const QString family =
        WebFonts::firstFamily(rule.parseForItemTypeString(QStringLiteral("font-family"), kDefaultFamily));
    if (!out.isFormPage || in.pageName == kBaseTemplate) {
        if (aheadView && *aheadView && aheadLine == &line) {
            view = aheadView->release();
            view->setParent(owner);
            for (const QString& missing : *aheadUnsupported) {
                if (!out.notSupportedFonts.contains(missing))
                    out.notSupportedFonts.append(missing);
            }
        } else {
            view = TextBoxRebuild::generateATextView(rule, in.templatePageName, out.usingBootStrapFlag,
                                                     &out.notSupportedFonts, owner);
        }
    } else {
        const QString formType = rule.parseForItemTypeString(QStringLiteral("formType"), QStringLiteral(""));
        view = readFormField(rule, formType);
        if (!view) {
            view = TextBoxRebuild::generateATextView(rule, in.templatePageName, out.usingBootStrapFlag,
                                                     &out.notSupportedFonts, owner);
        } else {
            const QString used = checkedFamily(family);
            const int size = rule.parseForItemTypeInt(QStringLiteral("font-size"), 0);
            QFont font(used);
            if (size > 0)
                font.setPointSize(size);
            view->textView()->setFont(font);
            view->setFamilyName(used);
            if (size > 0)
                view->setFontSize(size);
        }
    }
    out.textViewArray.append(view);
    textNumbers.append(number >= 0 ? number : int(out.textViewArray.size() - 1));
}

myTextView* Reader::readFormField(const StyleRuleTokens& rule, const QString& formType)
{
    const bool isRadio = formType == QLatin1String("radio");
    const bool isCheckbox = formType == QLatin1String("checkbox");
    const bool isSubmit = formType == QLatin1String("submit");
    const bool isTextarea = formType == QLatin1String("textarea");
    const bool isText = formType == QLatin1String("text");
    if (!isRadio && !isCheckbox && !isSubmit && !isTextarea && !isText)
        return nullptr;

    const Placement p = readPlacement(rule);
    QString borderStyle = rule.parseForItemTypeString(QStringLiteral("border-style"), QStringLiteral("none"));
    int borderWidth = rule.parseForItemTypeInt(QStringLiteral("border-width"), 0);
    int padding = rule.parseForItemTypeInt(QStringLiteral("padding"), 0);
    if (borderStyle == QLatin1String("Solid")) {
        borderStyle = QStringLiteral("none");
        padding = 0;
    }
    if (!isDrawnBorderStyle(borderStyle))
        borderWidth = 0;
    const int grow = out.usingBootStrapFlag ? 0 : 2 * (borderWidth + padding);
    const std::optional<QString> widthValue = rule.valueForKey(QStringLiteral("width"));
    // A field that spans the screen keeps spanning it: the flag, not the stand-in width, is saved.
    const bool matchScreen = widthValue && *widthValue == QLatin1String("100%");
    const int outerWidth = matchScreen ? 9999 : p.width + grow;
    const int outerHeight = p.height + grow;
    QString borderColor =
        rule.parseForItemTypeString(QStringLiteral("bordercolor"), QStringLiteral("000000"));
    borderColor = rule.parseForItemTypeString(QStringLiteral("border-color"), borderColor);
    const QString color = rule.parseForItemTypeString(QStringLiteral("color"), QStringLiteral("000000"));

    myTextView* field = nullptr;
    if (isRadio)
        field = FormFieldFactory::createRadioButton(p.left, p.top, owner);
    else if (isCheckbox)
        field = FormFieldFactory::createCheckbox(p.left, p.top, owner);
    else if (isSubmit)
        field = FormFieldFactory::createSubmitButton(p.left, p.top,
                                                     FormFieldFactory::findNextFormTag(out.textViewArray),
                                                     -99, out.formSubmitButtonValue, owner);
    else if (isTextarea)
        field = FormFieldFactory::createNewParagraph(p.left, p.top, outerWidth, outerHeight, owner);
    else
        field = FormFieldFactory::createNewTextField(p.left, p.top, outerWidth, outerHeight, owner);

    // What every field keeps, whatever its kind: its place, number and layout values.
    field->setTableNumber(-99);
    field->setFormType(formType);
    field->setFormTag(rule.parseForItemTypeInt(QStringLiteral("formTag"), -99));
    field->setFormOptionTag(rule.parseForItemTypeInt(QStringLiteral("formOptionTag"), -99));
    field->setFormRequiredFlag(rule.parseForItemTypeInt(QStringLiteral("formRequiredFlag"), 0));
    field->setTag(p.zIndex);
    field->setGroupNumber(p.groupNumber);
    field->setManualLayerIndex(p.manualLayerIndex);
    field->setScrollFlag(p.scrollFlag);
    field->setSectionNumber(rule.parseForItemTypeInt(QStringLiteral("sectionNumber"), -99));
    field->setSectionRowSpot(rule.parseForItemTypeInt(QStringLiteral("sectionRowSpot"), -99));
    field->setSectionColumnSpot(rule.parseForItemTypeInt(QStringLiteral("sectionColumnSpot"), -99));
    field->setResponsiveResizeFlag(rule.parseForItemTypeInt(QStringLiteral("responsiveResizeFlag"), 0));
    field->setResponsiveAlignment(rule.parseForItemTypeInt(QStringLiteral("responsiveAlignmentFlag"), 0));
    field->setMoveLock(p.moveLock);
    field->setMatchScreenFlag(matchScreen ? 1 : 0);
    if (p.templateName)
        field->setTemplateName(*p.templateName);
    if (isRadio || isCheckbox)
        return field;

    auto applyLook = [&]() {
        field->textView()->setBorderLine(borderStyle);
        field->textView()->setBorderWidth(borderWidth);
        field->setBorderWidth(borderWidth);
        field->setBorderStyle(borderStyle);
        field->setBorderHexColorString(borderColor);
        field->setCornerRadius(float(rule.parseForItemTypeTruncated(QStringLiteral("border-radius"), 0)));
        if (auto background = rule.valueForKey(QStringLiteral("background-color"))) {
            const bool clear = background->isEmpty() || *background == QLatin1String("CLEAR0");
            field->textView()->setBackgroundColor(clear ? QColor(Qt::transparent)
                                                        : DataCentre::colorWithHexString(*background));
            field->setColorString(*background);
            field->setBackgroundHexColorString(*background);
        }
    };

    if (isSubmit) {
        field->setTextAlignment(QStringLiteral("center"));
        field->textView()->setTextColor(DataCentre::colorWithHexString(color));
        field->setTextColorString(color);
        field->setTextHexColorString(color);
        field->setHoverColorString(
            rule.parseForItemTypeString(QStringLiteral("hoverColor"), QStringLiteral("")));
        field->setHoverTextColorString(
            rule.parseForItemTypeString(QStringLiteral("hoverTextColor"), QStringLiteral("")));
        applyLook();
        field->setFrame(
            QRectF(p.left, p.top, outerWidth > 0 ? outerWidth : 70, outerHeight > 0 ? outerHeight : 25));
        return field;
    }
    if (isTextarea) {
        applySpacing(field, readSpacing(rule, QStringLiteral("%")));
        field->textView()->setString(QStringLiteral("Paragraph Placeholder"));
    } else {
        field->setMarkAsReplyToEmailFlag(rule.parseForItemTypeInt(QStringLiteral("markAsReplyFlag"), 0));
        QString placeholder = QStringLiteral("Text Field Placeholder");
        if (field->formOptionTag() == -22)
            placeholder = QStringLiteral("3");
        else if (field->formOptionTag() == -11)
            placeholder = QStringLiteral("name@example.com");
        field->textView()->setString(placeholder);
    }
    field->textView()->setTextColor(DataCentre::colorWithHexString(color));
    field->setTextColorString(color);
    field->setTextHexColorString(color);
    applyLook();
    return field;
}

void Reader::readImageRule(const StyleRuleTokens& rule)
{
    const Placement p = readPlacement(rule);
    const QString imageName = rule.parseForItemTypeString(QStringLiteral("imagename"), QString());
    const QString imageType = rule.parseForItemTypeString(QStringLiteral("imagetype"), QString());
    const int originalHeight = rule.parseForItemTypeInt(QStringLiteral("originalHeight"), 0);
    const int height = originalHeight > 0 ? originalHeight : p.height;

    auto* image = new TransformView(QRectF(p.left, p.top, p.width, height), owner);
    // A name that could leave the image folder is kept as text but never used as a path.
    image->setImageName(imageName);
    image->setImageType(imageType);
    // A mask is read only where the rule uses it; without one the image has none.
    const bool masked = rule.parseForItemTypeInt(QStringLiteral("imageMaskFlag"), 0) != 0;
    pendingPictures.push_back(
        {image,
         PageImageFiles::imageFileSource(in.pagePath, imageName, imageType),
         masked ? PageImageFiles::maskImageSource(in.pagePath, imageName) : PageImageFiles::PictureSource{},
         {},
         {}});
    const QString folder = PageImageFiles::imageFolderForPage(in.pagePath);
    const QString file = PageImageFiles::findFileIgnoringCase(folder, imageName + u'.' + imageType);
    // A file the open holds in memory was written just now, or is about to be.
    if (!file.isEmpty() && PageImageFiles::isSafeImageType(imageType))
        image->setImageLastModDate(PageImageFiles::UnpackedScope::holds(file) ||
                                           PendingFolderFiles::isPending(file)
                                       ? QDateTime::currentDateTime()
                                       : QFileInfo(file).lastModified());

    image->setBounds(QRectF(0, 0, p.width, height));
    image->setOriginX(p.left);
    image->setOriginY(p.top);
    image->setOriginalWidth(p.width);
    image->setOriginalHeight(height);
    if (rule.hasKey(QStringLiteral("imageAlpha")))
        image->setAlpha(rule.parseForItemTypeFloat(QStringLiteral("imageAlpha"), 1.0f));
    else
        image->setAlpha(1.0f);
    image->setReflection(rule.parseForItemTypeInt(QStringLiteral("reflection"), 0) != 0
                             ? rule.parseForItemTypeFloat(QStringLiteral("reflection-fraction"), 0.0f)
                             : 0.0f);
    image->setRetinaFlag(rule.parseForItemTypeInt(QStringLiteral("retina"), 0));
    image->setSlideShowNumber(rule.parseForItemTypeInt(QStringLiteral("slideShowNumber"), -99));
    const float layerShadowRadius = rule.parseForItemTypeFloat(QStringLiteral("shadowRadius"), 0.0f);
    image->setShadowFlag(layerShadowRadius > 0 ? 1 : 0);

    QString borderStyle = rule.parseForItemTypeString(QStringLiteral("border-style"), QStringLiteral("none"));
    int borderWidth = rule.parseForItemTypeInt(QStringLiteral("border-width"), 0);
    if (!isDrawnBorderStyle(borderStyle))
        borderWidth = 0;
    QString borderColor =
        rule.parseForItemTypeString(QStringLiteral("bordercolor"), QStringLiteral("000000"));
    borderColor = rule.parseForItemTypeString(QStringLiteral("border-color"), borderColor);
    image->setBorder(borderWidth);
    image->setBorderWidth(borderWidth);
    image->setBorderStyle(borderStyle);
    image->setBorderHexColorString(borderColor);

    image->setBubbleFlag(rule.parseForItemTypeInt(QStringLiteral("bubbleFlag"), 0));
    image->setBubbleShape(rule.parseForItemTypeString(QStringLiteral("bubbleShape"), QStringLiteral("")));
    if (!masked)
        image->setMaskImage(QImage());
    image->setShadowRadius(rule.parseForItemTypeFloat(QStringLiteral("shadowBlurRadius"), 0.0f));
    image->setShadowHorizontalOffset(rule.parseForItemTypeFloat(QStringLiteral("shadowDistanceX"), 0.0f));
    image->setShadowVerticalOffset(rule.parseForItemTypeFloat(QStringLiteral("shadowDistanceY"), 0.0f));
    image->setRotationAngle(rule.parseForItemTypeFloat(QStringLiteral("rotationAngle"), 0.0f));
    image->setResponsiveResizeFlag(rule.parseForItemTypeInt(QStringLiteral("responsiveResizeFlag"), 0));
    image->setResponsiveAlignment(rule.parseForItemTypeInt(QStringLiteral("responsiveAlignmentFlag"), 0));
    image->setTableNumber(rule.parseForItemTypeInt(QStringLiteral("tableNumber"), -99));
    image->setSectionNumber(rule.parseForItemTypeInt(QStringLiteral("sectionNumber"), -99));
    image->setSectionRowSpot(rule.parseForItemTypeInt(QStringLiteral("sectionRowSpot"), -99));
    image->setSectionColumnSpot(rule.parseForItemTypeInt(QStringLiteral("sectionColumnSpot"), -99));
    applySpacing(image, readSpacing(rule, QStringLiteral("%")));
    image->setGroupNumber(p.groupNumber);
    if (p.templateName)
        image->setTemplateName(*p.templateName);
    image->setImageEnlargeFlag(rule.parseForItemTypeInt(QStringLiteral("enlarge"), 0));
    image->setGalleryNumber(rule.parseForItemTypeInt(QStringLiteral("galleryNumber"), -99));
    image->setRowSpot(rule.parseForItemTypeInt(QStringLiteral("galleryRowSpot"), -99));
    image->setColumnSpot(rule.parseForItemTypeInt(QStringLiteral("galleryColumnSpot"), -99));
    image->setBackdropLightingFlag(rule.parseForItemTypeInt(QStringLiteral("backdrop"), 0));
    image->setManualLayerIndex(p.manualLayerIndex);
    image->setScrollFlag(p.scrollFlag);
    image->setMoveLock(p.moveLock);
    image->setTag(p.zIndex);
    out.imageViewArray.append(image);
}

void Reader::readSnippetRule(const StyleRuleTokens& rule, int number)
{
    myTextView* snippet = nullptr;
    if (rule.parseForItemTypeInt(QStringLiteral("snippetFormattingFlag"), 0) == 1) {
        snippet = TextBoxRebuild::generateATextView(rule, in.templatePageName, out.usingBootStrapFlag,
                                                    &out.notSupportedFonts, owner);
        snippet->setTextType(QStringLiteral("HTMLSnippet"));
        snippet->setSnippetFormatFlag(1);
        snippet->setContainsLinkFlag(rule.parseForItemTypeInt(QStringLiteral("containsLinkFlag"), 0));
    } else {
        const Placement p = readPlacement(rule);
        snippet = new myTextView(p.frame(), owner);
        snippet->setSnippetFormatFlag(rule.parseForItemTypeInt(QStringLiteral("snippetFormattingFlag"), 0));
        snippet->setTableNumber(-99);
        snippet->setManualLayerIndex(p.manualLayerIndex);
        snippet->setMoveLock(p.moveLock);
        snippet->setScrollFlag(p.scrollFlag);
        snippet->setTag(p.zIndex);
        snippet->setTextType(QStringLiteral("HTMLSnippet"));
        const QColor grey(0xDC, 0xDC, 0xDC);
        snippet->setBackgroundColor(grey);
        snippet->textView()->setBackgroundColor(grey);
        snippet->setColorString(QStringLiteral("DCDCDC"));
        snippet->setBackgroundHexColorString(QStringLiteral("DCDCDC"));
        snippet->setTextColorString(QStringLiteral("4F4C4C"));
        QFont font(kDefaultFamily);
        font.setPointSize(14);
        snippet->textView()->setFont(font);
        snippet->setFamilyName(kDefaultFamily);
        snippet->setFontSize(14);
        snippet->setAlphaValue(0.9);
        snippet->setNlines(rule.parseForItemTypeInt(QStringLiteral("nlines"), -99));
        snippet->setBorderColor(QColor(Qt::darkGray));
        snippet->setCornerRadius(0);
        snippet->textView()->setBorderLine(QStringLiteral("dashed"));
        snippet->setGroupNumber(p.groupNumber);
        if (p.templateName)
            snippet->setTemplateName(*p.templateName);
        snippet->setSectionNumber(rule.parseForItemTypeInt(QStringLiteral("sectionNumber"), -99));
        snippet->setSectionRowSpot(rule.parseForItemTypeInt(QStringLiteral("sectionRowSpot"), -99));
        snippet->setSectionColumnSpot(rule.parseForItemTypeInt(QStringLiteral("sectionColumnSpot"), -99));
    }
    out.htmlSnippetArray.append(snippet);
    snippetNumbers.append(number >= 0 ? number : int(out.htmlSnippetArray.size() - 1));
    escapedSnippets.append(rule.parseForItemTypeInt(QStringLiteral("escapedText"), 0) == 1);
}

void Reader::readBackgroundRule()
{
    QString type;
    const QImage image = PageImageFiles::retrieveBackgroundImage(in.pagePath, &type);
    if (in.syncFlag && !in.syncPageURL.isEmpty() && !in.websiteFolder.isEmpty()) {
        // The copy in the website folder is refreshed by the caller, off the main thread.
        const QString base = platform::stringByDeletingPathExtension(in.syncPageURL);
        const QString pageFolder =
            platform::SafePath::filePath(
                in.websiteFolder,
                platform::lastPathComponent(PageImageFiles::imageFolderForPage(in.pagePath)))
                .value_or(QString());
        const QString fileType = type.isEmpty() ? QStringLiteral("PNG") : type;
        const QString fileName = QStringLiteral("background.") + fileType;
        out.backgroundFetch = PageBackgroundFetch{
            QUrl(base + u'/' + fileName),
            platform::SafePath::filePath(pageFolder, fileName).value_or(QString()), fileType};
    }
    if (image.isNull())
        return;
    out.backgroundImageType = type;
    out.backgroundImage = image;
    if (!out.followsBaseTemplate) {
        out.backgroundImageFlag = 2;
        backgroundApplied = true;
    }
}

void Reader::readOldProfileRules(const QString& head)
{
    for (const QString& line : head.split(u'\n')) {
        if (line.startsWith(QLatin1String(".table")) && line.contains(QLatin1String("{position:")) &&
            !line.contains(QLatin1String("tableGrid"))) {
            const StyleRuleTokens rule(line);
            const Placement p = readPlacement(rule);
            auto* table = new TableGridView(p.frame(), owner);
            table->setTag(p.zIndex);
            table->setNumOfRows(rule.parseForItemTypeInt(QStringLiteral("numOfRows"), 1));
            table->setNumOfColumns(rule.parseForItemTypeInt(QStringLiteral("numOfColumns"), 1));
            table->setTableNumber(rule.parseForItemTypeInt(QStringLiteral("tableNumber"), -99));
            table->setMoveLock(p.moveLock == 1 ? 1 : 0);
            out.tableArray.append(table);
        } else if (line.startsWith(QLatin1String(".ttext")) && line.contains(QLatin1String("{position:"))) {
            const StyleRuleTokens rule(line);
            const Placement p = readPlacement(rule);
            auto* cell = new myTextView(p.frame(), owner);
            cell->setPartOfTableFlag(1);
            cell->setBackgroundColor(Qt::transparent);
            if (auto background = rule.valueForKey(QStringLiteral("background-color"))) {
                cell->textView()->setBackgroundColor(DataCentre::colorWithHexString(*background));
                cell->setColorString(*background);
            } else {
                cell->textView()->setBackgroundColor(Qt::transparent);
            }
            const QString family = checkedFamily(WebFonts::firstFamily(
                rule.parseForItemTypeString(QStringLiteral("font-family"), kDefaultFamily)));
            QFont font(family);
            const int size = rule.parseForItemTypeInt(QStringLiteral("font-size"), 0);
            if (size > 0)
                font.setPointSize(size);
            cell->textView()->setFont(font);
            const QString color =
                rule.parseForItemTypeString(QStringLiteral("color"), QStringLiteral("000000"));
            cell->textView()->setTextColor(DataCentre::colorWithHexString(color));
            cell->setTextColorString(color);
            cell->setTextType(QStringLiteral("Text"));
            cell->textView()->setBorderLine(
                rule.parseForItemTypeString(QStringLiteral("border-style"), QStringLiteral("none")));
            cell->setTableNumber(rule.parseForItemTypeInt(QStringLiteral("tableNumber"), -99));
            cell->setRowSpot(rule.parseForItemTypeInt(QStringLiteral("columnNumber"), -99));
            cell->setColumnSpot(rule.parseForItemTypeInt(QStringLiteral("rowNumber"), -99));
            cell->setTag(p.zIndex);
            oldProfileCells.append(cell);
        }
    }
}

void Reader::readBody(const QString& body)
{
    if (out.encodingType.isEmpty())
        out.encodingType = QStringLiteral("UTF-8");
    QStringList bodyLines = splitLines(body);
    TextBoxRebuild::grabTextContent(bodyLines, out.htmlSnippetArray, snippetNumbers,
                                    QStringLiteral("snippet"));
    for (qsizetype k = 0; k < out.htmlSnippetArray.size() && k < escapedSnippets.size(); ++k) {
        myTextView* snippet = out.htmlSnippetArray[k];
        if (!escapedSnippets[k] || !snippet)
            continue;
        snippet->textView()->setString(TextEscaping::decodeHtmlEntities(snippet->textView()->string()));
        if (snippet->containsLinkFlag() == 1)
            snippet->setLink(TextEscaping::decodeHtmlEntities(snippet->link()));
    }

    if (!out.followsBaseTemplate) {
        for (const QString& line : std::as_const(bodyLines)) {
            if (!line.startsWith(QLatin1String("<body")))
                continue;
            const qsizetype at = line.indexOf(QLatin1String("bgcolor="));
            if (at < 0 || line.size() < at + 8 + 1 + 6)
                break;
            out.pageColorHexString = line.mid(at + 9, 6);
            if (out.pageColorHexString != QLatin1String("CLEAR0") && !backgroundApplied)
                out.pageColor = DataCentre::colorWithHexString(out.pageColorHexString);
            break;
        }
    }
    fillTextBodies(bodyLines);

    for (qsizetype i = 0; i < oldProfileCells.size(); ++i) {
        const QString marker = QStringLiteral("<div class=ttext%1>").arg(i);
        for (const QString& line : std::as_const(bodyLines)) {
            if (!line.contains(marker))
                continue;
            QString text = line;
            text.remove(marker);
            text.remove(QLatin1String("</div>"));
            text.replace(QLatin1String("<br>"), QLatin1String("\n"));
            text.remove(QLatin1String("</a>"));
            oldProfileCells[i]->textView()->setString(text);
            break;
        }
    }
    out.textViewArray.append(oldProfileCells);
    fillImageBodies(bodyLines);
}

void Reader::fillTextBodies(const QStringList& bodyLines)
{
    // The first line holding "<div class=textN" ended by a space or ">", for every N, in one pass.
    const QHash<QString, qsizetype> firstLines =
        firstLinesByName(bodyLines, QLatin1String("<div class=text"), QLatin1String(" >"), false);
    for (qsizetype i = 0; i < out.textViewArray.size(); ++i) {
        myTextView* view = out.textViewArray[i];
        const int number = textNumbers.value(i, int(i));
        const QString open = QStringLiteral("<div class=text%1").arg(number);
        const QString openSpace = open + u' ';
        const QString openClose = open + u'>';
        const qsizetype at = firstLines.value(QString::number(number), -1);
        if (at < 0)
            continue;
        const QString* found = &bodyLines[at];
        QString text = *found;
        // Markup first, entities last: text the writer escaped stays text.
        const qsizetype linkAt = text.indexOf(QLatin1String("<a href="));
        if (linkAt >= 0) {
            const qsizetype linkEnd = text.indexOf(u'>', linkAt);
            const QString opening = linkEnd < 0 ? text.mid(linkAt) : text.mid(linkAt, linkEnd - linkAt + 1);
            QString href = opening.mid(8);
            if (href.endsWith(u'>'))
                href.chop(1);
            const qsizetype targetAt = href.indexOf(QLatin1String(" target="));
            if (targetAt >= 0) {
                view->setLinkOption(attributeValue(href.mid(targetAt + 8)));
                href = href.left(targetAt);
            }
            view->setLink(attributeValue(href));
            text.remove(linkAt, opening.size());
        }
        text.remove(openSpace);
        text.remove(openClose);
        text.remove(QLatin1String("id=content>"));
        text.remove(QLatin1String("</div>"));
        text.remove(QLatin1String("</a>"));
        text.replace(QLatin1String("<br>"), QLatin1String("\n"));
        const QString tab = QStringLiteral("<p class=\"tab\">");
        text.replace(tab + QStringLiteral("    "), tab);
        text.replace(tab, QStringLiteral("\n    "));
        // One pass over the entities, so that an escaped "&amp;lt;" stays the text "&lt;".
        text = TextEscaping::decodeHtmlEntities(text);
        if (view->indentFlag() == 1 || view->indentFlag() == 2)
            text = QStringLiteral("    ") + trimBlanks(text);
        if (view->formOptionTag() == -22 && view->formType() == QLatin1String("textLabel"))
            text = QStringLiteral("1+2=");
        view->textView()->setString(text);
        // A shadow behind clear text would fall on the letters: shadowed boxes with text get white.
        const QColor background = view->textView()->backgroundColor();
        if (view->shadowFlag() > 0 && (!background.isValid() || background.alpha() == 0) && !text.isEmpty()) {
            view->textView()->setBackgroundColor(Qt::white);
            view->setColorString(QStringLiteral("FFFFFF"));
        }
    }
}

void Reader::fillImageBodies(const QStringList& bodyLines)
{
    auto endsName = [](const QString& line, qsizetype after) {
        return after >= line.size() || line[after] == u' ' || line[after] == u'>' || line[after] == u'"';
    };
    auto holdsClass = [&](const QString& line, const QString& name) {
        for (const QString& prefix : {QStringLiteral("<div class="), QStringLiteral("<a class=")}) {
            const QString probe = prefix + name;
            for (qsizetype at = line.indexOf(probe); at >= 0; at = line.indexOf(probe, at + 1)) {
                if (endsName(line, at + probe.size()))
                    return true;
            }
        }
        // A quoted class attribute may list several classes (a slide is "imageN img-responsive").
        const QString quoted = QStringLiteral("class=\"");
        for (qsizetype at = line.indexOf(quoted); at >= 0; at = line.indexOf(quoted, at + 1)) {
            const qsizetype start = at + quoted.size();
            const qsizetype end = line.indexOf(u'"', start);
            const QString classes = end < 0 ? line.mid(start) : line.mid(start, end - start);
            if (classes.split(u' ', Qt::SkipEmptyParts).contains(name))
                return true;
        }
        return false;
    };
    auto quotedValue = [](const QString& line, const QString& key) -> std::optional<QString> {
        const qsizetype at = line.indexOf(key);
        if (at < 0)
            return std::nullopt;
        const qsizetype start = at + key.size();
        const qsizetype end = line.indexOf(u'"', start);
        return end < 0 ? line.mid(start) : line.mid(start, end - start);
    };

    // The first line holding each class name, in one pass; a name that a class list could not
    // hold whole is looked for line by line.
    QHash<QString, qsizetype> firstLines;
    for (const QLatin1String prefix : {QLatin1String("<div class="), QLatin1String("<a class=")}) {
        const QHash<QString, qsizetype> found =
            firstLinesByName(bodyLines, prefix, QLatin1String(" >\""), true);
        for (auto it = found.begin(); it != found.end(); ++it) {
            auto known = firstLines.find(it.key());
            if (known == firstLines.end() || it.value() < *known)
                firstLines.insert(it.key(), it.value());
        }
    }
    const QString quoted = QStringLiteral("class=\"");
    for (qsizetype i = 0; i < bodyLines.size(); ++i) {
        const QString& line = bodyLines[i];
        for (qsizetype at = line.indexOf(quoted); at >= 0; at = line.indexOf(quoted, at + 1)) {
            const qsizetype start = at + quoted.size();
            const qsizetype end = line.indexOf(u'"', start);
            const QString classes = end < 0 ? line.mid(start) : line.mid(start, end - start);
            for (const QString& name : classes.split(u' ', Qt::SkipEmptyParts)) {
                auto known = firstLines.find(name);
                if (known == firstLines.end() || i < *known)
                    firstLines.insert(name, i);
            }
        }
    }
    auto indexable = [](const QString& name) {
        return !name.contains(u' ') && !name.contains(u'>') && !name.contains(u'"');
    };

    for (TransformView* image : std::as_const(out.imageViewArray)) {
        if (image->imageName().isEmpty())
            continue;
        const bool indexed = indexable(image->imageName());
        const qsizetype first = indexed ? firstLines.value(image->imageName(), bodyLines.size()) : 0;
        for (qsizetype i = first; i < bodyLines.size(); ++i) {
            const QString& line = bodyLines[i];
            if (!indexed && !holdsClass(line, image->imageName()))
                continue;
            // Enlargeable pictures carry their caption as title=, the others as alt=.
            if (auto title = quotedValue(line, QStringLiteral("title=\"")))
                image->setAltText(TextEscaping::decodeHtmlEntities(*title));
            else if (auto alt = quotedValue(line, QStringLiteral("alt=\"")))
                image->setAltText(TextEscaping::decodeHtmlEntities(*alt));
            const qsizetype hrefAt = line.lastIndexOf(QLatin1String("href="));
            if (hrefAt >= 0) {
                qsizetype end = hrefAt + 5;
                while (end < line.size() && line[end] != u'>' && line[end] != u' ')
                    ++end;
                QString href = line.mid(hrefAt + 5, end - hrefAt - 5);
                href.remove(u'"');
                if (!href.startsWith(QLatin1String("#popup_")))
                    image->setLink(TextEscaping::decodeHtmlEntities(href));
                else
                    readPopupCaptionLink(bodyLines, i + 1, image);
            }
            const qsizetype targetAt = line.indexOf(QLatin1String("target="));
            if (targetAt >= 0) {
                qsizetype end = targetAt + 7;
                while (end < line.size() && line[end] != u'>' && line[end] != u' ')
                    ++end;
                const QString target = attributeValue(line.mid(targetAt + 7, end - targetAt - 7));
                image->setLinkOption(target == QLatin1String("_blank") || target == QLatin1String("_parent")
                                         ? target
                                         : QStringLiteral("_self"));
            }
            break;
        }
    }
}

void Reader::readPopupCaptionLink(const QStringList& bodyLines, qsizetype from, TransformView* image)
{
    // An enlargeable picture's own link is written in its pop-up's caption, before the pop-up ends.
    for (qsizetype j = from; j < bodyLines.size() && !bodyLines[j].startsWith(QLatin1String("</div>")); ++j) {
        const QString& line = bodyLines[j];
        if (!line.startsWith(QLatin1String("<p align=center>")))
            continue;
        const qsizetype at = line.indexOf(QLatin1String("<a href="));
        const qsizetype end = at < 0 ? -1 : line.indexOf(u'>', at + 8);
        if (end > at)
            image->setLink(TextEscaping::decodeHtmlEntities(attributeValue(line.mid(at + 8, end - at - 8))));
        return;
    }
}

void Reader::keepPageGraphics()
{
    const bool duplicate =
        !in.pagePath.isEmpty() &&
        (in.pageTextIsFileText ? in.pageText.contains(kBaseTemplateDuplicated)
                               : DataCentre::grabDuplicateBaseTemplateStatusFlag(in.pagePath));
    const bool isBaseTemplate = in.templatePageName == kBaseTemplate;
    auto keep = [&](auto& list) {
        std::remove_reference_t<decltype(list)> kept;
        for (auto* carrier : list) {
            if (duplicate)
                carrier->setTemplateName(in.pageName);
            // The base template's elements come back from the base template itself; without one
            // to merge them from, the page's own copies are all there is.
            if (carrier->templateName() == kBaseTemplate && !isBaseTemplate && out.followsBaseTemplate)
                continue;
            kept.append(carrier);
        }
        list = kept;
    };
    keep(out.textViewArray);
    keep(out.imageViewArray);
    keep(out.htmlSnippetArray);
    keep(out.slideshowArray);
    keep(out.galleryArray);
    keep(out.tableArray);
    keep(out.lineArray);
}

void Reader::renameDuplicateImages()
{
    QStringList carrierNames;
    for (const TransformView* image : std::as_const(out.imageViewArray))
        carrierNames.append(image->imageName());
    const QString folder = PageImageFiles::imageFolderForPage(in.pagePath);
    for (qsizetype i = 0; i < out.imageViewArray.size(); ++i) {
        TransformView* image = out.imageViewArray[i];
        // The first image of a name keeps it (and its files); later ones move.
        if (!PageImageFiles::isImageNameAlreadyInUse(image->imageName(), -1, carrierNames.mid(0, i),
                                                     in.documentImageNames))
            continue;
        ++out.documentChangedCounter;
        const QString newName =
            PageImageFiles::getNextImageName(carrierNames + in.documentImageNames, folder);
        out.imageRenames.append(PageImageRename{image->imageName(), newName, image->imageType()});
        image->setImageName(newName);
        carrierNames[i] = newName;
    }
}

void Reader::sortCarriers()
{
    QList<QObject*> all;
    auto add = [&](const auto& list) {
        for (auto* carrier : list)
            all.append(carrier);
    };
    add(out.textViewArray);
    add(out.imageViewArray);
    add(out.htmlSnippetArray);
    add(out.slideshowArray);
    add(out.galleryArray);
    add(out.tableArray);
    add(out.lineArray);
    // Each carrier's tag read once: a property look-up by name costs more than the comparison.
    std::vector<std::pair<int, QObject*>> tagged;
    tagged.reserve(size_t(all.size()));
    for (QObject* carrier : std::as_const(all))
        tagged.emplace_back(carrier->property("tag").toInt(), carrier);
    std::stable_sort(tagged.begin(), tagged.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    QList<QObject*> sorted;
    sorted.reserve(all.size());
    for (const auto& [tag, carrier] : tagged)
        sorted.append(carrier);
    out.carriers = sorted;
}

} // namespace

QList<PageAlert> PageParseResult::alerts() const
{
    QList<PageAlert> list;
    for (const QString& family : notSupportedFonts)
        list.append(PageAlert{
            QStringLiteral("Font Not Supported"),
            QStringLiteral("Font %1 is not installed on this computer, it will be replaced with font "
                           "Helvetica Neue")
                .arg(family),
            QStringLiteral("OK")});
    return list;
}

PageParseResult PageParser::presentObjects(const PageParseInput& input)
{
    // The page's image folder is listed once for all of its images.
    const PageImageFiles::ListingScope listings;
    return Reader(input).run();
}

void PageParser::applyImageRenames(const PageParseResult& result, const QString& pagePath)
{
    for (const PageImageRename& rename : result.imageRenames)
        PageImageFiles::transferImageFilesForNewName(pagePath, rename.oldName, rename.newName,
                                                     rename.imageType);
}

QStringList PageParser::documentImageNames(const DRVDocument& document)
{
    return documentImageNames(document.graphics());
}

QStringList PageParser::documentImageNames(const QList<DRVGraphic*>& graphics)
{
    QStringList names;
    auto addObject = [&](const QObject* object) {
        if (!object)
            return;
        const QString name = object->property("imageName").toString();
        if (!name.isEmpty())
            names.append(name);
    };
    auto addArray = [&](const QVariant& value) {
        if (value.canConvert<QList<QObject*>>()) {
            for (const QObject* object : value.value<QList<QObject*>>())
                addObject(object);
        } else {
            for (const QVariant& item : value.toList())
                addObject(item.value<QObject*>());
        }
    };
    for (const DRVGraphic* graphic : graphics) {
        const QString className = QString::fromLatin1(graphic->metaObject()->className());
        if (className == QLatin1String("DRVImage")) {
            addObject(graphic);
        } else if (className == QLatin1String("DRVGalleryGrid") ||
                   className == QLatin1String("DRVSlideshow")) {
            addArray(graphic->property("imageArray"));
        } else if (className == QLatin1String("DRVTable") && edition().gTableImagesFlag) {
            addObject(graphic->property("tableBackgroundImage").value<QObject*>());
            addArray(graphic->property("imageArray"));
        }
    }
    return names;
}

void PageParser::fetchBackgroundInBackground(const PageBackgroundFetch& request, BackgroundFetcher fetcher,
                                             int timeoutMs, std::function<void(QImage)> completion,
                                             QObject* context)
{
    if (!fetcher || !request.url.isValid()) {
        if (completion)
            platform::performOnMainThread([completion] { completion(QImage()); }, false);
        return;
    }
    platform::runInBackgroundThenOnMain(
        [request, fetcher, timeoutMs]() -> QVariant {
            const QByteArray data = fetcher(request.url, timeoutMs);
            QImage image;
            if (data.isEmpty() || !image.loadFromData(data))
                return QVariant();
            const QString folder = platform::stringByDeletingLastPathComponent(request.targetPath);
            QDir().mkpath(folder);
            // A cut-off file must not take the place of the picture.
            if (!platform::writeFileAtomically(request.targetPath, data))
                return QVariant();
            return QVariant::fromValue(image);
        },
        [completion](QVariant value) {
            if (completion)
                completion(value.value<QImage>());
        },
        context);
}
