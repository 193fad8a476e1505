// The pages of a PDF file the user adds, read by the quib_pdf module that is loaded when the first PDF
// is opened: linked, Qt's PDF engine would be loaded at every launch. Only pure virtual functions
// cross between the two sides.
#pragma once
#include <QImage>
#include <QSize>
#include <QSizeF>
#include <QString>

#include <memory>

class PdfPages
{
public:
    virtual ~PdfPages() = default;

    // False when the file is not a PDF that can be read.
    virtual bool load(const QString& path) = 0;
    virtual int pageCount() const = 0;
    virtual QSizeF pagePointSize(int page) const = 0;
    // The page drawn at pixels, transparent where the page draws nothing; null when it cannot be drawn.
    virtual QImage render(int page, QSize pixels) = 0;
};

// The module's one exported function: a reader with no file yet, or nullptr when the module was built
// for another interface version.
constexpr int kPdfPagesVersion = 1;
inline constexpr const char* kPdfPagesFactoryName = "quibCreatePdfPages";

// A new reader from the module; nothing, with the reason in error, when the module cannot be had.
// Safe from any thread.
std::unique_ptr<PdfPages> makePdfPages(QString& error);
// Where the module is looked for: beside the program unless set.
void setPdfPagesModulePath(const QString& path);
