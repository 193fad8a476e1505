#include "generation/FormPageGenerator.h"

#include "document/DRVDocument.h"
#include "editions/DataCentre.h"
#include "generation/PageFormat.h"
#include "platform/Format.h"

#include <QObject>
#include <QVariant>

using generation::format;

namespace {

constexpr int kEmailField = -11;
constexpr int kBotCheckerField = -22;

QString text(const QString& value)
{
    return value.isNull() ? QStringLiteral("") : value;
}

// What the handler needs of one entry of textViewArray (a text graphic or a cell carrier).
struct FieldFacts
{
    QString formType;
    int formTag = -99;
    int formOptionTag = -99;
    bool required = false;
    bool replyTo = false;
};

FieldFacts factsOf(const QObject* entry)
{
    FieldFacts f;
    if (!entry)
        return f;
    f.formType = entry->property("formType").toString();
    f.formTag = entry->property("formTag").toInt();
    f.formOptionTag = entry->property("formOptionTag").toInt();
    f.required = entry->property("formRequiredFlag").toInt() == 1;
    f.replyTo = entry->property("markAsReplyToEmailFlag").toInt() == 1;
    return f;
}

bool isValueField(const QString& formType)
{
    return formType == QLatin1String("text") || formType == QLatin1String("password") ||
           formType == QLatin1String("textarea") || formType == QLatin1String("radio") ||
           formType == QLatin1String("checkbox");
}

PhpHandlerWriter::FieldKind kindOf(const QString& formType)
{
    if (formType == QLatin1String("textarea"))
        return PhpHandlerWriter::FieldKind::Lines;
    if (formType == QLatin1String("checkbox"))
        return PhpHandlerWriter::FieldKind::Checkboxes;
    if (formType == QLatin1String("radio"))
        return PhpHandlerWriter::FieldKind::Choice;
    return PhpHandlerWriter::FieldKind::Line;
}

QList<FieldFacts> fieldsOf(const DRVDocument& document)
{
    QList<FieldFacts> fields;
    for (const QObject* entry : document.textViewArray())
        fields.append(factsOf(entry));
    return fields;
}

} // namespace

FormPageGenerator::FormPageGenerator(DRVDocument& document, const PagePieces& pieces)
    : m_document(document), m_pieces(pieces)
{
}

PhpHandlerWriter::Input FormPageGenerator::handlerInput(bool sectionsArranged) const
{
    const DRVDocument& doc = m_document;
    PhpHandlerWriter::Input in;
    const QList<FieldFacts> fields = fieldsOf(doc);
    for (const FieldFacts& f : fields) {
        if (!isValueField(f.formType))
            continue;
        in.fields.insert(f.formTag, kindOf(f.formType));
        if (f.required && !in.requiredFields.contains(f.formTag))
            in.requiredFields.append(f.formTag);
        if (f.formOptionTag == kBotCheckerField && f.formType == QLatin1String("text") &&
            !in.botCheckerFields.contains(f.formTag))
            in.botCheckerFields.append(f.formTag);
        // The last marked address field in page order wins.
        if (f.formOptionTag == kEmailField && f.replyTo)
            in.replyField = f.formTag;
    }

    if (sectionsArranged) {
        const auto records = DataCentre::sortArray(
            m_pieces.topLevel, [](const std::shared_ptr<CodeWidgetHelper>& r) { return r->originY; }, true);
        for (const auto& record : records) {
            if (!record->formMessageBody.isEmpty())
                in.messagePieces << record->formMessageBody;
        }
    } else {
        QList<FormSortHelper> records = m_pieces.formHandler.formFields;
        if (doc.formOrderLayoutOption() != 1)
            records = DataCentre::sortArray(
                records, [](const FormSortHelper& r) { return r.formYPosition; }, true);
        for (const FormSortHelper& record : records) {
            if (!record.formMessageBody_quote.isEmpty())
                in.messagePieces << record.formMessageBody_quote;
            if (isValueField(record.formType) && !in.fields.contains(record.formTag))
                in.fields.insert(record.formTag, kindOf(record.formType));
        }
    }

    in.grabIP = doc.grabIPFlag() == 1;
    in.feedbackEmail = text(doc.siteFeedbackEmail());
    in.ccEmail = text(doc.siteCCFeedbackEmail());
    in.subject = QStringLiteral("Feedback from ") + text(doc.pageOfficialName());
    in.redirectURL = text(doc.formRedirectURL());
    in.smtpServer = text(doc.formEmailServer());
    in.smtpUsername = text(doc.formEmailUsername());
    in.smtpPassword = text(doc.formEmailPassword());
    in.botCheckerKey = text(doc.formBotCheckerKey());
    in.requiredResponse = text(doc.formRequiredResponse());
    in.botCheckerResponse = text(doc.formBotCheckerResponse());
    return in;
}

ValidationScript::Input FormPageGenerator::scriptInput() const
{
    const DRVDocument& doc = m_document;
    ValidationScript::Input in;
    in.formName = text(doc.pageName());
    for (const FieldFacts& f : fieldsOf(doc)) {
        if (!isValueField(f.formType))
            continue;
        if (f.required)
            in.requiredFields.append({f.formTag, f.formType == QLatin1String("checkbox")});
        if (f.formOptionTag == kEmailField)
            in.emailFields.append(f.formTag);
        if (f.formOptionTag == kBotCheckerField && f.formType == QLatin1String("text"))
            in.botCheckerFields.append(f.formTag);
    }
    in.formRedirectURL = text(doc.formRedirectURL());
    in.formSubmitButtonValue = text(doc.formSubmitButtonValue());
    in.formRequiredResponse = text(doc.formRequiredResponse());
    in.formEmailVerificationMsg = text(doc.formEmailVerificationMsg());
    in.formBotCheckerResponse = text(doc.formBotCheckerResponse());
    in.formSentResponse = text(doc.formSentResponse());
    return in;
}

QString FormPageGenerator::formCode(bool sectionsArranged) const
{
    // A page keeps its secret from save to save, so that the bytes stay the same and pages shown
    // before a save still get their answers accepted.
    if (!PhpHandlerWriter::isBotCheckerKey(m_document.formBotCheckerKey()))
        m_document.setFormBotCheckerKey(PhpHandlerWriter::newBotCheckerKey());
    const PhpHandlerWriter::Input handler = handlerInput(sectionsArranged);
    return format(QStringLiteral("%@\n\n%@\n\n%@\n"),
                  {PhpHandlerWriter::handlerBlock(handler), ValidationScript::build(scriptInput()),
                   PhpHandlerWriter::markerBlock(handler, m_document.grabIPFlag(),
                                                 m_document.formOrderLayoutOption())});
}

// ---- the bytes of a published page ----

bool FormPageGenerator::isFormPage(const DRVDocument& document)
{
    return document.pageFileType() == QLatin1String("selvaro") ||
           document.pageFileExtension() == QLatin1String("php");
}

platform::TextEncoding FormPageGenerator::publishedEncoding(const DRVDocument& document)
{
    if (isFormPage(document))
        return platform::TextEncoding::UTF8;
    const QString type = document.encodingType();
    if (type == QLatin1String("Win-1251"))
        return platform::TextEncoding::Windows1251;
    // A page with no setting is a UTF-8 page: that is what the page reader makes of it when the
    // page is opened again, so publishing it otherwise would change with a save.
    if (type == QLatin1String("UTF-8") || type.isEmpty())
        return platform::TextEncoding::UTF8;
    return platform::TextEncoding::UTF16;
}

QString FormPageGenerator::charsetName(const DRVDocument& document)
{
    // The name of the encoding the page is written in, whatever the setting's text says.
    switch (publishedEncoding(document)) {
    case platform::TextEncoding::Windows1251:
        return QStringLiteral("windows-1251");
    case platform::TextEncoding::UTF16:
        return QStringLiteral("UTF-16");
    default:
        return QStringLiteral("UTF-8");
    }
}

QString FormPageGenerator::encodingTypeForCharset(const QString& charset)
{
    if (charset.compare(QLatin1String("windows-1251"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Win-1251");
    return charset;
}

std::optional<QByteArray> FormPageGenerator::encodePublishedPage(const DRVDocument& document,
                                                                 const QString& page)
{
    return platform::encodeText(page, publishedEncoding(document));
}
