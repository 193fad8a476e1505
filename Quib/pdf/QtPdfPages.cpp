// The PDF module: the pages of a PDF file through Qt's PDF engine.
#include "canvas/PdfPages.h"

#include <QPdfDocument>

namespace {

class QtPdfPages final : public PdfPages
{
public:
    bool load(const QString& path) override { return m_document.load(path) == QPdfDocument::Error::None; }
    int pageCount() const override { return m_document.pageCount(); }
    QSizeF pagePointSize(int page) const override { return m_document.pagePointSize(page); }
    QImage render(int page, QSize pixels) override { return m_document.render(page, pixels); }

private:
    QPdfDocument m_document;
};

} // namespace

extern "C" Q_DECL_EXPORT PdfPages* quibCreatePdfPages(int interfaceVersion)
{
    if (interfaceVersion != kPdfPagesVersion)
        return nullptr;
    return new QtPdfPages;
}
