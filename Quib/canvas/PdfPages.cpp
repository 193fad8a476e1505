#include "canvas/PdfPages.h"

#include "platform/LoadableModule.h"

namespace {

platform::LoadableModule& pdfModule()
{
    static platform::LoadableModule module("libquib_pdf.so", "PDF");
    return module;
}

} // namespace

std::unique_ptr<PdfPages> makePdfPages(QString& error)
{
    return pdfModule().make<PdfPages>(kPdfPagesFactoryName, kPdfPagesVersion, error);
}

void setPdfPagesModulePath(const QString& path)
{
    pdfModule().setPath(path);
}
