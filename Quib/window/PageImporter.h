// Brings a page that an edition of this family published back from its web address: downloads it,
// accepts it only with the generator tag the page writer puts in, writes it with its images into a
// page folder of the working folder and packs that folder into a page document. Everything here
// runs on a worker without touching the user interface; names from the page go through SafePath.
#pragma once
#include <QByteArray>
#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>

class PageImporter
{
public:
    struct Request
    {
        QString address;           // as the import window shows it, scheme already added
        int encodingSegment = 0;   // 0 UTF-8, 1 UTF-16, 2 Windows-1251, 3 GB 18030, else ASCII
        QString workFolder;        // the received-pages working folder W
        QString documentExtension; // the edition's page document extension
        int timeoutMs = 10000;     // each download's
    };

    struct Result
    {
        bool imported = false;
        QString pageText;
        QString baseName;          // B
        QString pageFolder;        // W/B
        QString imageFolderPath;   // W/B/B, packed with W/B/B.<page extension>
        QString pageFileExtension; // "html" or "php"
        QString documentFileName;  // B.<document extension>
        QStringList writtenImages; // file names in the image folder
    };

    // At least 5 characters and no "http" at the start (in any case): "http://" in front.
    static QString addressWithScheme(const QString& typed);
    // The page bytes in the chosen encoding; nothing when they do not decode.
    static std::optional<QString> decode(const QByteArray& bytes, int encodingSegment);
    // "html" or "php" when the address's extension and the page's generator tag fit, else "".
    static QString acceptedPageExtension(const QString& address, const QString& pageText);
    // A known picture type, in any case: png, jpg, jpeg, gif.
    static bool isImageType(const QString& type);

    // The whole download and write; on any refusal the result is not imported and nothing is written.
    static Result run(const Request& request);
    // Packs the page folder into the page document at documentPath.
    static bool packDocument(const Result& result, const QString& documentPath);

    // A GET of an http or https address (redirects followed), fresh, within timeoutMs; false on a
    // transfer failure or a status of 400 and above.
    static bool fetch(const QString& address, int timeoutMs, qint64 maxBytes, QByteArray& body);

private:
    static void grabImages(const Request& request, Result& result);
    // Writes the picture shown at displaySize (an empty size keeps its own) as type's data.
    static bool writeImage(const QByteArray& bytes, const QString& type, const QSize& displaySize,
                           const QString& folder, const QString& fileName);
};
