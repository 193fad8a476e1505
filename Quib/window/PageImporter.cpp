#include "window/PageImporter.h"

#include "editions/DataCentre.h"
#include "platform/SafePath.h"
#include "platform/StringRules.h"
#include "platform/TextEncoding.h"
#include "publishing/CurlSession.h"
#include "publishing/UploadFTPS.h"

#include <QBuffer>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QUrl>

namespace {

// Bounds on what a web server can make us hold or write.
constexpr qint64 kMaximumPageBytes = 16 * 1024 * 1024;
constexpr qint64 kMaximumImageBytes = 32 * 1024 * 1024;
constexpr int kMaximumImageRules = 1000;

const QString kQuibTag = QStringLiteral("<meta name='Generator' content='HTML Quib");
const QString kSelvaroTag = QStringLiteral("<meta name='Generator' content='Selvaro");

// The token after the first token equal to key, or nothing.
std::optional<QString> tokenAfter(const QStringList& tokens, const QString& key)
{
    const qsizetype at = tokens.indexOf(key);
    if (at < 0 || at + 1 >= tokens.size())
        return std::nullopt;
    return tokens.at(at + 1);
}

} // namespace

QString PageImporter::addressWithScheme(const QString& typed)
{
    if (typed.size() >= 5 && !typed.left(4).startsWith(QLatin1String("http"), Qt::CaseInsensitive))
        return QStringLiteral("http://") + typed;
    return typed;
}

std::optional<QString> PageImporter::decode(const QByteArray& bytes, int encodingSegment)
{
    QStringDecoder decoder;
    switch (encodingSegment) {
    case 0:
        decoder = QStringDecoder(QStringDecoder::Utf8);
        break;
    case 1:
        decoder = QStringDecoder(QStringDecoder::Utf16);
        break;
    case 2:
        decoder = QStringDecoder("windows-1251");
        break;
    case 3:
        decoder = QStringDecoder("GB18030");
        break;
    default:
        for (const char c : bytes) {
            if (static_cast<unsigned char>(c) >= 0x80)
                return std::nullopt;
        }
        return QString::fromLatin1(bytes);
    }
    if (!decoder.isValid()) {
        qWarning() << "page import: no decoder for encoding segment" << encodingSegment;
        return std::nullopt;
    }
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

QString PageImporter::acceptedPageExtension(const QString& address, const QString& pageText)
{
    const QString extension = platform::pathExtension(address);
    if (extension == QLatin1String("html") && pageText.contains(kQuibTag))
        return extension;
    if (extension == QLatin1String("php") && (pageText.contains(kQuibTag) || pageText.contains(kSelvaroTag)))
        return extension;
    return QString();
}

bool PageImporter::isImageType(const QString& type)
{
    static const QStringList known{QStringLiteral("png"), QStringLiteral("jpg"), QStringLiteral("jpeg"),
                                   QStringLiteral("gif")};
    return known.contains(type, Qt::CaseInsensitive);
}

bool PageImporter::fetch(const QString& address, int timeoutMs, qint64 maxBytes, QByteArray& body)
{
    body.clear();
    const QUrl url(address);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
        return false;
    CurlSession session;
    session.setTimeLimits(timeoutMs, timeoutMs);
    session.setTotalTimeLimit(timeoutMs);
    if (!session.get(url.toEncoded(), body, maxBytes) || session.responseCode() >= 400) {
        body.clear();
        return false;
    }
    return true;
}

PageImporter::Result PageImporter::run(const Request& request)
{
    Result result;
    QByteArray bytes;
    if (!fetch(request.address, request.timeoutMs, kMaximumPageBytes, bytes))
        return result;
    const std::optional<QString> text = decode(bytes, request.encodingSegment);
    if (!text)
        return result;
    result.pageText = *text;
    result.pageFileExtension = acceptedPageExtension(request.address, result.pageText);
    if (result.pageFileExtension.isEmpty())
        return result;

    result.baseName = DataCentre::generateNewFileName(
        platform::stringByDeletingPathExtension(platform::lastPathComponent(request.address)));
    const std::optional<QString> pageFolder =
        platform::SafePath::filePath(request.workFolder, result.baseName);
    if (result.baseName.isEmpty() || !pageFolder)
        return result;
    result.pageFolder = *pageFolder;
    const QString pageFileName = result.baseName + QLatin1Char('.') + result.pageFileExtension;
    const std::optional<QString> imageFolder =
        platform::SafePath::filePath(result.pageFolder, result.baseName);
    if (!QDir().mkpath(result.pageFolder) || !imageFolder || !QDir().mkpath(*imageFolder))
        return result;
    result.imageFolderPath = *imageFolder;
    const std::optional<QString> pageFile = platform::SafePath::filePath(result.pageFolder, pageFileName);
    if (!pageFile)
        return result;
    QFile::remove(*pageFile);
    if (!platform::writeFileAtomically(*pageFile, platform::encodeAsciiElseUtf16(result.pageText)))
        return result;

    grabImages(request, result);
    result.documentFileName = result.baseName + QLatin1Char('.') +
                              (result.pageFileExtension == QLatin1String("php") ? QStringLiteral("selvaro")
                                                                                : request.documentExtension);
    result.imported = true;
    return result;
}

void PageImporter::grabImages(const Request& request, Result& result)
{
    const qsizetype headEnd = result.pageText.indexOf(QLatin1String("</style></head>"));
    if (headEnd < 0)
        return;
    // The page writer publishes the image folder beside the page, named after it.
    const QString prefix = platform::stringByDeletingPathExtension(request.address);
    static const QRegularExpression safeName(QStringLiteral("^[A-Za-z0-9_-]+$"));
    int rules = 0;
    for (const QString& line : platform::linesByScanning(result.pageText.left(headEnd))) {
        if (line.startsWith(QLatin1String(".image"))) {
            if (++rules > kMaximumImageRules)
                break;
            QString normalised = line;
            normalised.replace(QLatin1Char(';'), QLatin1Char(':'))
                .replace(QLatin1Char('='), QLatin1Char(':'))
                .replace(QLatin1Char('{'), QLatin1Char(':'))
                .remove(QStringLiteral("px"))
                .remove(QLatin1Char('#'))
                .remove(QLatin1Char('"'))
                .remove(QLatin1Char('}'));
            const QStringList tokens = normalised.split(QLatin1Char(':'));
            const std::optional<QString> name = tokenAfter(tokens, QStringLiteral("imagename"));
            const std::optional<QString> type = tokenAfter(tokens, QStringLiteral("imagetype"));
            const std::optional<QString> width = tokenAfter(tokens, QStringLiteral("width"));
            const std::optional<QString> height = tokenAfter(tokens, QStringLiteral("height"));
            if (!name || !type || !width || !height)
                continue;
            const QSize displaySize(platform::intValue(*width), platform::intValue(*height));
            // A name from the page becomes a file name and part of an address: plain names only.
            if (!safeName.match(*name).hasMatch() || !isImageType(*type)) {
                qWarning() << "page import: skipped the image rule of" << *name << *type;
                continue;
            }
            const QString fileName = *name + QStringLiteral("o.") + *type;
            bool written = false;
            // The retina copy, fetched second, replaces the first where it exists.
            for (const QString& suffix : {QString(), QStringLiteral("@2x")}) {
                QByteArray bytes;
                const QString address = prefix + QLatin1Char('/') + *name + suffix + QLatin1Char('.') + *type;
                if (fetch(address, request.timeoutMs, kMaximumImageBytes, bytes))
                    written =
                        writeImage(bytes, *type, displaySize, result.imageFolderPath, fileName) || written;
            }
            if (written)
                result.writtenImages.append(fileName);
        } else if (line.contains(QLatin1String("body{background-image:url("))) {
            QByteArray bytes;
            const QString fileName = QStringLiteral("background.PNG");
            if (fetch(prefix + QStringLiteral("/background.PNG"), request.timeoutMs, kMaximumImageBytes,
                      bytes) &&
                writeImage(bytes, QStringLiteral("PNG"), QSize(), result.imageFolderPath, fileName) &&
                !result.writtenImages.contains(fileName))
                result.writtenImages.append(fileName);
        }
    }
}

bool PageImporter::writeImage(const QByteArray& bytes, const QString& type, const QSize& displaySize,
                              const QString& folder, const QString& fileName)
{
    QImage image = QImage::fromData(bytes);
    // A missing picture, or a 1 x 1 stand-in, is no picture.
    if (image.width() <= 1 || image.height() <= 1)
        return false;
    // The picture keeps its pixels and shows at the rule's size: a retina copy at twice the density.
    if (displaySize.width() > 0 && displaySize.height() > 0)
        image.setDevicePixelRatio(double(image.width()) / displaySize.width());
    const std::optional<QString> path = platform::SafePath::filePath(folder, fileName);
    if (!path)
        return false;
    // Only "JPG" names JPEG data; every other type is stored as PNG under its own name.
    const QByteArray data = type == QLatin1String("JPG") ? DataCentre::JPEGRepresentationOfImage(image, 1.0f)
                                                         : DataCentre::PNGRepresentationOfImage(image);
    return !data.isEmpty() && platform::writeFileAtomically(*path, data);
}

bool PageImporter::packDocument(const Result& result, const QString& documentPath)
{
    UploadFTPS archiver;
    return archiver.zipDocument(result.imageFolderPath, documentPath);
}
