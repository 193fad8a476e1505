// The form code of a form page ("selvaro" pages and pages saved as .php): the PHP mail handler, the
// validation script and the PHP comment block of form settings, from the page's form fields, what
// the text passes recorded for each field and the document's form settings. The three pieces go
// into the page's header text.
#pragma once
#include "generation/PagePieces.h"
#include "generation/PhpHandlerWriter.h"
#include "generation/ValidationScript.h"
#include "platform/TextEncoding.h"

#include <QString>

class DRVDocument;

class FormPageGenerator
{
public:
    FormPageGenerator(DRVDocument& document, const PagePieces& pieces);

    // "%@\n\n%@\n\n%@\n" of handler, validation script and settings block. With sectionsArranged
    // the mail lists the fields in the order of the page's top-level fragments (the arranged
    // sections); otherwise in the order the text pass recorded them (formOrderLayoutOption 1) or
    // top to bottom.
    QString formCode(bool sectionsArranged) const;

    PhpHandlerWriter::Input handlerInput(bool sectionsArranged) const;
    ValidationScript::Input scriptInput() const;

    // ---- the bytes of a published page ----
    static bool isFormPage(const DRVDocument& document);
    // PHP runs UTF-8 files only, so a form page is always published as UTF-8; other pages in the
    // encoding the page settings name ("Win-1251", "UTF-8" or none, anything else UTF-16).
    static platform::TextEncoding publishedEncoding(const DRVDocument& document);
    // The charset the page's meta tag names: that of the bytes the page is written in, by the name
    // browsers know ("UTF-8", "UTF-16", "windows-1251"), whatever the setting's own text.
    static QString charsetName(const DRVDocument& document);
    // The setting a charset name read back from a page stands for ("windows-1251" is "Win-1251").
    static QString encodingTypeForCharset(const QString& charset);
    // The published page's bytes; nullopt when the text cannot be written in that encoding.
    static std::optional<QByteArray> encodePublishedPage(const DRVDocument& document, const QString& page);

private:
    DRVDocument& m_document;
    const PagePieces& m_pieces;
};
