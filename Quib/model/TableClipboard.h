// A table whole, as the clipboard carries it to another process: the table's stored values, every
// cell (its values, its inner text view's and its styled text as runs of text and format) and
// every picture (its values and the bytes of its files). The graphic's own dictionary travels
// beside it as for any graphic; this is the part the dictionary leaves out.
//
// What is read back came from another program: every value is checked against the property it
// goes to, numbers are held to the page's range, and counts and sizes are bounded, so damaged or
// hostile data gives a smaller table or none, never a huge one.
#pragma once
#include <QByteArray>
#include <QList>
#include <QMap>
#include <QVariantMap>

#include <functional>
#include <memory>
#include <optional>

class DRVTable;
class TransformView;

class TableClipboard
{
public:
    TableClipboard() = delete;

    // The key of the carried form inside a table's clipboard dictionary.
    static QString key();

    static constexpr int kMaximumCells = 4096;
    // Row and column spots, and rows and columns of the table (the grid window's own limit).
    static constexpr int kMaximumSpot = 200;
    // Characters of one cell's text, and blocks and runs in it.
    static constexpr int kMaximumTextLength = 1 << 20;
    static constexpr int kMaximumRuns = 20000;
    // Bytes of one picture file, of all files of one table, and of all files of one copy.
    static constexpr qsizetype kMaximumFileBytes = 16 << 20;
    static constexpr qsizetype kMaximumTableFileBytes = 48 << 20;
    static constexpr qsizetype kMaximumCopyFileBytes = 96 << 20;
    // Files of one picture: as placed, at double size, the original, the mask.
    static constexpr int kMaximumFilesPerPicture = 4;

    // A picture's files by the tail after its name ("o.PNG", ".PNG", "@2x.PNG", "_mask.png").
    using PictureFiles = QMap<QString, QByteArray>;

    // At most kMaximumFilesPerPicture of files, each within kMaximumFileBytes and all within what
    // is left of *budget, which they use up.
    static PictureFiles boundedFiles(const PictureFiles& files, qsizetype* budget);
    // A picture's files as the clipboard holds them, and read back (bounded as above).
    static QVariantMap filesValue(const PictureFiles& files);
    static PictureFiles filesFrom(const QVariant& value, qsizetype* budget);

    // filesOf gives the files of a picture (already bounded by the caller or not: files over the
    // limits are left out here).
    static QVariantMap encode(const DRVTable* table,
                              const std::function<PictureFiles(const TransformView*)>& filesOf);

    struct Decoded
    {
        std::unique_ptr<DRVTable> table;
        // The table's pictures (cell pictures, then the background) with the files carried for them.
        QList<std::pair<TransformView*, PictureFiles>> pictures;
    };
    // The table of dictionary (a graphic dictionary holding key()), not inserted anywhere; nothing
    // when the carried form is missing or is not a table's.
    static std::optional<Decoded> decode(const QVariantMap& dictionary);
};
