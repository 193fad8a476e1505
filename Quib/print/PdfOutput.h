// One PDF of many pages: a project's pages painted as the canvas paints them (text stays text), or
// pictures of pages. Pictures go in no finer than a printed page needs, so a page holding a large
// photo costs what the photo shows, not what the camera took.
#pragma once
#include <QByteArray>
#include <QImage>
#include <QSizeF>
#include <QString>
#include <memory>

class DRVDocument;
class QPaintDevice;
class QPainter;
class QTransform;
struct EditionSettings;

class PdfOutput
{
public:
    static constexpr double kPicturePixelsPerInch = 150.0;
    // A page whose picture could not be read keeps this size (US Letter, in points).
    static constexpr double kBlankPageWidth = 612.0;
    static constexpr double kBlankPageHeight = 792.0;

    explicit PdfOutput(const QString& title = QString());
    ~PdfOutput();
    PdfOutput(const PdfOutput&) = delete;
    PdfOutput& operator=(const PdfOutput&) = delete;

    // A page of the page's picture size in points (PagePicture's rules), painted from its graphics.
    void addDocumentPage(const DRVDocument& document, const EditionSettings& edition);
    // A page the picture's size in points (its own resolution, 72 per inch when it names none); a
    // null picture gives a blank page.
    void addPicturePage(const QImage& picture);
    int pageCount() const;
    // The finished file; empty when no page was added or nothing could be written.
    QByteArray finish();

    // The largest page side readers accept (200 inches); larger pages are scaled down to it.
    static constexpr double kMaximumPageSide = 14400.0;

    // A picture's size in points from its stored resolution, within kMaximumPageSide.
    static QSizeF pointSize(const QImage& picture);
    // The picture cut to pixelsPerInch for a place of that many points; unchanged when it is no finer.
    static QImage limitedPicture(const QImage& picture, const QSizeF& points,
                                 double pixelsPerInch = kPicturePixelsPerInch);
    // The path a save panel's answer is written to: "PDF" added when it names no extension.
    static QString pathWithPdfExtension(const QString& chosen);
    // A project's base template is never a page of its PDF.
    static bool isBaseTemplate(const QString& publishFileName);

    // Paints a page's graphics as the canvas paints them onto target, whose device is page (measured
    // in points), mapped by base from the page's picture pixels; pictures are cut to their place.
    static void paintDocument(QPainter& target, QPaintDevice& page, const DRVDocument& document,
                              const EditionSettings& edition, const QTransform& base);

private:
    struct Writer;
    std::unique_ptr<Writer> m_writer;
};
