// Copy, cut, paste and duplicate. Graphics travel through the system clipboard as their property
// dictionaries. Tables and sections have cells and pictures the dictionaries leave out: the
// clipboard carries them whole (TableClipboard), with the files of every picture, so another
// running instance pastes them complete; in this process the tables of a copy are also recorded
// and rebuilt from the live ones while the clipboard still holds that copy (its token says so).
#include "canvas/DRVDragTypes.h"
#include "canvas/DRVGraphicView.h"
#include "document/PageImageFiles.h"
#include "editions/EditionSettings.h"
#include "model/DRVImage.h"
#include "model/DRVLine.h"
#include "model/DRVSlideshow.h"
#include "model/DRVTable.h"
#include "model/DRVText.h"
#include "model/GraphicClipboard.h"
#include "model/GraphicRendering.h"
#include "model/TableClipboard.h"
#include "model/myTextView.h"
#include "platform/Dialogs.h"
#include "platform/Geometry.h"
#include "platform/SafePath.h"
#include "platform/StringsTable.h"
#include "platform/UndoManager.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QPainter>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QUrl>

#include <algorithm>
#include <cmath>

namespace {

// The tables of the last written copy, the token of that copy and the page it came from.
struct CopyRecord
{
    QList<QPointer<DRVTable>> tables;
    qint64 token = 0;
    QString sourcePagePath;
};

CopyRecord& copyRecord()
{
    static CopyRecord record;
    return record;
}

// The tables a paste is rebuilding, for checkForInterimSectionTranslateY; null outside a paste.
const QList<DRVTable*>* t_pasteTables = nullptr;

// The key under which a free picture's dictionary carries its files.
const QString kImageFilesKey = QStringLiteral("imageFiles");

QStringList pictureFileTails(const QString& type)
{
    return {u'.' + type, QStringLiteral("@2x.") + type, QStringLiteral("o.") + type,
            QStringLiteral("_mask.png")};
}

// The files of the picture name of type beside pagePath, by tail; files over the bound are left out.
TableClipboard::PictureFiles readPictureFiles(const QString& pagePath, const QString& name,
                                              const QString& type)
{
    TableClipboard::PictureFiles files;
    if (!PageImageFiles::isSafeImageName(name) || !PageImageFiles::isSafeImageType(type))
        return files;
    const QString folder = PageImageFiles::imageFolderForPage(pagePath);
    if (folder.isEmpty())
        return files;
    for (const QString& tail : pictureFileTails(type)) {
        const QString path = PageImageFiles::findFileIgnoringCase(folder, name + tail);
        QFile file(path);
        if (path.isEmpty() || file.size() > TableClipboard::kMaximumFileBytes ||
            !file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray bytes = file.read(TableClipboard::kMaximumFileBytes + 1);
        if (bytes.size() <= TableClipboard::kMaximumFileBytes)
            files.insert(tail, bytes);
    }
    return files;
}

// Writes the carried files of the picture name of type beside pagePath; only the tails such a
// picture has, and only under a checked name.
bool writePictureFiles(const QString& pagePath, const QString& name, const QString& type,
                       const TableClipboard::PictureFiles& files)
{
    if (files.isEmpty() || !PageImageFiles::isSafeImageName(name) || !PageImageFiles::isSafeImageType(type))
        return false;
    const QString folder = PageImageFiles::imageFolderForPage(pagePath);
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return false;
    bool wrote = false;
    for (const QString& tail : pictureFileTails(type)) {
        const auto found = files.constFind(tail);
        if (found == files.constEnd())
            continue;
        const std::optional<QString> path = platform::SafePath::filePath(folder, name + tail);
        QFile file(path.value_or(QString()));
        if (!path || !file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(*found) != found->size()) {
            qWarning() << "paste: a carried picture file could not be written:" << name + tail;
            continue;
        }
        wrote = true;
    }
    return wrote;
}

// The tables (sections included) the clipboard data carries, rebuilt outside any page, and the
// files of their pictures and of the free pictures written beside pagePath, where a paste takes
// them from.
std::vector<std::unique_ptr<DRVTable>> carriedTables(const QByteArray& bytes, const QString& pagePath)
{
    std::vector<std::unique_ptr<DRVTable>> tables;
    const std::optional<QVariantList> dictionaries = GraphicClipboard::decodeGraphicProperties(bytes);
    if (!dictionaries)
        return tables;
    qsizetype budget = TableClipboard::kMaximumCopyFileBytes;
    for (const QVariant& value : *dictionaries) {
        const QVariantMap dictionary = value.toMap();
        if (dictionary.contains(kImageFilesKey)) {
            writePictureFiles(pagePath, dictionary.value(QStringLiteral("imageName")).toString(),
                              dictionary.value(QStringLiteral("imageType")).toString(),
                              TableClipboard::filesFrom(dictionary.value(kImageFilesKey), &budget));
        }
        std::optional<TableClipboard::Decoded> decoded = TableClipboard::decode(dictionary);
        if (!decoded)
            continue;
        for (const auto& [picture, files] : std::as_const(decoded->pictures)) {
            const QString name = picture->imageName();
            const QString type = picture->imageType();
            const TableClipboard::PictureFiles kept = TableClipboard::boundedFiles(files, &budget);
            if (!writePictureFiles(pagePath, name, type, kept))
                continue;
            picture->setImage(PageImageFiles::retrieveImageFile(pagePath, name, type));
            if (kept.contains(QStringLiteral("_mask.png")))
                picture->setMaskImage(PageImageFiles::retrieveMaskImage(pagePath, name));
        }
        tables.push_back(std::move(decoded->table));
    }
    return tables;
}

// The clipboard data of graphics: their dictionaries, tables whole and pictures with their files
// from beside pagePath.
QByteArray clipboardDataWithGraphics(const QList<DRVGraphic*>& graphics, const QString& pagePath)
{
    QVariantList dictionaries = DRVGraphic::propertiesWithGraphics(graphics);
    if (dictionaries.size() != graphics.size())
        return DRVGraphic::pasteboardDataWithGraphics(graphics);
    // The whole copy's files within one bound: pictures past it travel without their files.
    qsizetype budget = TableClipboard::kMaximumCopyFileBytes;
    auto filesOf = [&](const TransformView* picture) {
        return TableClipboard::boundedFiles(
            readPictureFiles(pagePath, picture->imageName(), picture->imageType()), &budget);
    };
    for (qsizetype i = 0; i < graphics.size(); ++i) {
        QVariantMap dictionary = dictionaries.at(i).toMap();
        if (auto* table = qobject_cast<DRVTable*>(graphics.at(i))) {
            dictionary.insert(TableClipboard::key(), TableClipboard::encode(table, filesOf));
        } else if (graphics.at(i)->isImageGraphic()) {
            const DRVGraphic* image = graphics.at(i);
            dictionary.insert(
                kImageFilesKey,
                TableClipboard::filesValue(TableClipboard::boundedFiles(
                    readPictureFiles(pagePath, image->imageName(), image->imageType()), &budget)));
        }
        dictionaries[i] = dictionary;
    }
    return GraphicClipboard::encode(dictionaries);
}

// Unique among the copies of every running instance: the process id in the high half.
qint64 nextCopyToken()
{
    static quint32 counter = 0;
    return (qint64(QCoreApplication::applicationPid() & 0x7fffffff) << 32) | ++counter;
}

// The largest picture written for other applications, in pixels on either side, and the largest
// PDF page (its format's own limit), in points.
constexpr int kMaximumPictureSide = 4096;
constexpr int kMaximumPdfSide = 14400;

bool fitsWithin(const QList<DRVGraphic*>& graphics, int side)
{
    const QRectF bounds = DRVGraphic::drawingBoundsOfGraphics(graphics);
    return !bounds.isEmpty() && bounds.width() <= side && bounds.height() <= side;
}

// A table's texts as a spreadsheet takes them: a line per row, a tab between cells.
QString textOfTable(const DRVTable* table)
{
    QStringList rows;
    for (int r = 0; r < table->numOfRows(); ++r) {
        QStringList row;
        for (int c = 0; c < table->numOfColumns(); ++c) {
            const myTextView* cell = table->grabSelectedTableCellHelper(r, c);
            QString text = cell && cell->textStorage() ? cell->textStorage()->toPlainText() : QString();
            row.append(text.replace(u'\n', u' ').replace(u'\t', u' '));
        }
        rows.append(row.join(u'\t'));
    }
    const QString text = rows.join(u'\n');
    return text.trimmed().isEmpty() ? QString() : text;
}

QString textOfGraphics(const QList<DRVGraphic*>& graphics)
{
    QStringList texts;
    for (const DRVGraphic* graphic : graphics) {
        const auto* table = qobject_cast<const DRVTable*>(graphic);
        const QString text = table ? textOfTable(table) : graphic->textString();
        if (!text.isEmpty())
            texts.append(text);
    }
    return texts.join(u'\n');
}

QString htmlOfText(const QString& text)
{
    QString html = QStringLiteral("<meta charset=\"utf-8\">");
    for (const QString& paragraph : text.split(u'\n'))
        html += QStringLiteral("<p>") + paragraph.toHtmlEscaped() + QStringLiteral("</p>");
    return html;
}

int top(const DRVGraphic* graphic)
{
    return platform::truncToInt(graphic->bounds().y());
}

} // namespace

QList<DRVGraphic*> DRVGraphicView::removeTablesFromArray(const QList<DRVGraphic*>& graphics)
{
    QList<DRVGraphic*> others;
    for (DRVGraphic* graphic : graphics) {
        if (!qobject_cast<DRVTable*>(graphic))
            others.append(graphic);
    }
    return others;
}

int DRVGraphicView::checkForInterimSectionTranslateY(int sectionNumber)
{
    if (t_pasteTables) {
        for (const DRVTable* table : *t_pasteTables) {
            if (table->sectionNumber() == sectionNumber)
                return table->interimTranslatedY();
        }
        return 0;
    }
    for (const QPointer<DRVTable>& table : copyRecord().tables) {
        if (table && table->sectionNumber() == sectionNumber)
            return table->interimTranslatedY();
    }
    return 0;
}

qint64 DRVGraphicView::clipboardCopyToken()
{
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (!data || !data->hasFormat(DRVDragTypes::copyTokenMimeType()))
        return 0;
    bool ok = false;
    const qint64 token = data->data(DRVDragTypes::copyTokenMimeType()).left(32).toLongLong(&ok);
    return ok ? token : 0;
}

bool DRVGraphicView::copy()
{
    const QList<DRVGraphic*> selected = selectedGraphics();
    if (selected.isEmpty())
        return false;
    // Refused before anything is recorded: the clipboard and the recorded tables stay as they were.
    if (std::any_of(selected.begin(), selected.end(),
                    [](DRVGraphic* g) { return qobject_cast<DRVSlideshow*>(g); })) {
        platform::Alert alert;
        alert.title = QStringLiteral("Slideshows do not support copy");
        alert.informativeText =
            selected.size() == 1
                ? QStringLiteral("Sorry slideshows can not be copied.")
                : QStringLiteral("Sorry slideshows can not be copied, please de-select slideshows and try "
                                 "copying the other objects again");
        alert.buttons = {QStringLiteral("OK")};
        alert.style = platform::AlertStyle::Warning;
        platform::showAlert(alert);
        return false;
    }
    const QString pagePath = m_graphicsContainer ? m_graphicsContainer->pagePath() : QString();
    const QByteArray graphicsData = clipboardDataWithGraphics(selected, pagePath);
    if (graphicsData.isEmpty())
        return false;

    const qint64 token = nextCopyToken();
    auto* data = new QMimeData;
    data->setData(DRVDragTypes::graphicsMimeType(), graphicsData);
    data->setData(DRVDragTypes::copyTokenMimeType(), QByteArray::number(token));
    const QString text = textOfGraphics(selected);
    if (!text.isEmpty()) {
        data->setText(text);
        data->setHtml(htmlOfText(text));
    }
    // One rendering serves both pictures: the PNG other applications get is the TIFF's pixels.
    if (fitsWithin(selected, kMaximumPictureSide)) {
        const QByteArray tiff = GraphicRendering::tiffDataWithGraphics(selected);
        const QImage picture = QImage::fromData(tiff, "TIFF");
        if (!picture.isNull()) {
            data->setData(QStringLiteral("image/tiff"), tiff);
            data->setImageData(picture);
        }
    }
    if (fitsWithin(selected, kMaximumPdfSide)) {
        const QByteArray pdf = GraphicRendering::pdfDataWithGraphics(selected);
        if (!pdf.isEmpty())
            data->setData(QStringLiteral("application/pdf"), pdf);
    }
    QApplication::clipboard()->setMimeData(data);

    CopyRecord& record = copyRecord();
    record.tables.clear();
    for (DRVGraphic* graphic : selected) {
        if (auto* table = qobject_cast<DRVTable*>(graphic))
            record.tables.append(table);
    }
    record.token = token;
    record.sourcePagePath = pagePath;

    m_pasteboardChangeCount = token;
    m_pasteCascadeNumber = 1;
    m_pasteCascadeDelta = QPointF(10, 10);
    return true;
}

void DRVGraphicView::cut()
{
    if (!m_graphicsContainer || !copy())
        return;
    deleteSelection();
    m_graphicsContainer->undoManager()->setActionName(
        platform::StringsTable::lookup(QStringLiteral("Cut"), QStringLiteral("UndoStrings")));
}

void DRVGraphicView::paste()
{
    if (!m_graphicsContainer)
        return;
    const QMimeData* data = QApplication::clipboard()->mimeData();
    const qint64 token = clipboardCopyToken();
    const CopyRecord& record = copyRecord();
    const QByteArray graphicsBytes = data && data->hasFormat(DRVDragTypes::graphicsMimeType())
                                         ? data->data(DRVDragTypes::graphicsMimeType())
                                         : QByteArray();
    // Recorded tables belong to the copy that recorded them; a clipboard written by another
    // process (or another copy) brings its own, whole.
    QList<DRVTable*> copied;
    QString sourcePagePath;
    std::optional<QTemporaryDir> carriedFolder;
    std::vector<std::unique_ptr<DRVTable>> carried;
    // A recorded table that is gone since (its page closed) is rebuilt from the carried form.
    const bool recordAlive = std::all_of(record.tables.begin(), record.tables.end(),
                                         [](const QPointer<DRVTable>& table) { return !table.isNull(); });
    if (token != 0 && token == record.token && recordAlive) {
        for (const QPointer<DRVTable>& table : record.tables)
            copied.append(table);
        sourcePagePath = record.sourcePagePath;
    } else if (!graphicsBytes.isEmpty()) {
        carriedFolder.emplace();
        if (carriedFolder->isValid()) {
            sourcePagePath = carriedFolder->filePath(QStringLiteral("carried.html"));
            carried = carriedTables(graphicsBytes, sourcePagePath);
            for (const std::unique_ptr<DRVTable>& table : carried)
                copied.append(table.get());
        }
    }
    QList<DRVTable*> sections;
    QList<DRVTable*> tables;
    for (DRVTable* table : std::as_const(copied))
        (table->gridType() == QLatin1String("section") ? sections : tables).append(table);
    t_pasteTables = &copied;
    const auto pasteEnded = qScopeGuard([] { t_pasteTables = nullptr; });
    auto byTop = [](const DRVGraphic* a, const DRVGraphic* b) { return top(a) < top(b); };
    std::stable_sort(sections.begin(), sections.end(), byTop);

    beginUndoStep();
    platform::UndoManager* undo = m_undoStepManager;

    int y0 = platform::truncToInt(m_lastTouchPoint.y());
    for (DRVTable* section : std::as_const(sections)) {
        duplicateTable(section, y0, sourcePagePath);
        y0 = y0 + platform::truncToInt(section->bounds().height()) + 50;
    }
    const int sectionCount = int(sections.size());

    QList<DRVGraphic*> inserted;
    if (!graphicsBytes.isEmpty())
        inserted = pasteGraphics(graphicsBytes, token, tables, sectionCount, sourcePagePath);
    else if (data && data->hasUrls()) {
        // One file copied in the file manager; a list of several pastes nothing.
        const QList<QUrl> urls = data->urls();
        if (urls.size() == 1 && urls.constFirst().isLocalFile())
            makeNewImageFromContentsOfFile(urls.constFirst().toLocalFile(), QPointF(50, 50));
    } else if (data && data->hasImage())
        makeNewImageFromMimeData(data);

    if (!inserted.isEmpty()) {
        QList<int> indexes;
        const QList<DRVGraphic*> all = graphics();
        for (DRVGraphic* graphic : std::as_const(inserted)) {
            const int index = int(all.indexOf(graphic));
            if (index >= 0)
                indexes.append(index);
        }
        std::sort(indexes.begin(), indexes.end());
        changeSelectionIndexes(indexes);
    }
    // duplicateTable closes its own step inside this one; this one is named last.
    m_undoStepManager = undo;
    endUndoStep(QStringLiteral("Paste"));
}

QList<DRVGraphic*> DRVGraphicView::pasteGraphics(const QByteArray& bytes, qint64 token,
                                                 const QList<DRVTable*>& copiedTables, int sectionCount,
                                                 const QString& sourcePagePath)
{
    GraphicError error;
    const QList<DRVGraphic*> read = DRVGraphic::graphicsWithPasteboardData(bytes, &error);
    if (read.isEmpty()) {
        if (!error.localizedDescription.isEmpty()) {
            platform::Alert alert;
            alert.title = error.localizedDescription;
            alert.informativeText = error.localizedFailureReason;
            alert.style = platform::AlertStyle::Warning;
            platform::showAlert(alert);
        }
        return {};
    }
    // The tables of the data are rebuilt from the recorded ones, which carry their cells.
    QList<DRVGraphic*> list = removeTablesFromArray(read);
    for (DRVGraphic* graphic : read) {
        if (!list.contains(graphic))
            delete graphic;
    }
    for (DRVTable* table : copiedTables)
        list.append(table);
    // Bottom first.
    std::stable_sort(list.begin(), list.end(),
                     [](const DRVGraphic* a, const DRVGraphic* b) { return top(a) > top(b); });

    if (token != m_pasteboardChangeCount) {
        m_pasteboardChangeCount = token;
        m_pasteCascadeNumber = 0;
        m_pasteCascadeDelta = QPointF(10, 10);
    }
    if (list.isEmpty())
        return {};
    const QList<DRVGraphic*> fresh = removeTablesFromArray(list);
    const QPointF offset =
        edition().gOverlapCheckFlag ? QPointF() : m_pasteCascadeDelta * double(m_pasteCascadeNumber);
    if (edition().gOverlapCheckFlag) {
        m_pasteCascadeDelta = QPointF();
        m_pasteCascadeNumber = 0;
    }
    // The fresh graphics are in no document yet: moved as they are. Recorded tables keep their
    // place and are moved once rebuilt.
    for (DRVGraphic* graphic : fresh)
        graphic->setBounds(graphic->bounds().translated(offset));
    ++m_pasteCascadeNumber;

    const DRVGraphic* first =
        *std::min_element(list.begin(), list.end(), [](const DRVGraphic* a, const DRVGraphic* b) {
            return a->sectionColumnSpot() < b->sectionColumnSpot();
        });
    const int firstColumn = first->sectionColumnSpot();
    const QPointF point = m_lastTouchPoint;
    myTextView* cellView = grabOverLappingSectionCellView(point);
    auto* section = qobject_cast<DRVTable*>(grabOverLappingSection(QRectF(point, QSizeF(1, 1))));
    int yNext = platform::truncToInt(point.y());
    const bool sectionAware = edition().gSectionAwarePasteFlag;
    const QString pagePath = m_graphicsContainer->pagePath();
    QStringList taken = imageNamesInUse();

    QList<DRVGraphic*> inserted;
    auto insertFront = [&](DRVGraphic* graphic) {
        if (!mutableGraphics().insertGraphics({graphic}, {0})) {
            delete graphic;
            return false;
        }
        inserted.append(graphic);
        return true;
    };
    // Top-most first, each in front: the bottom-most ends up front-most.
    for (qsizetype i = list.size() - 1; i >= 0; --i) {
        DRVGraphic* graphic = list.at(i);
        QRectF placed = graphic->bounds();
        if (sectionAware) {
            const int yTop = yNext;
            yNext = platform::truncToInt(yTop + placed.height());
            if (i > 0) {
                const QRectF below = list.at(i - 1)->bounds();
                yNext += platform::truncToInt(below.y() - (placed.y() + placed.height()));
            }
            const int column =
                graphic->sectionColumnSpot() + (cellView ? cellView->columnSpot() : 0) - firstColumn;
            const QRect cell = section ? section->grabSelectedCellRect(0, column) : QRect();
            const int dx = platform::truncToInt(placed.x() - cell.x());
            if (sectionCount > 0)
                placed.moveTo(platform::truncToInt(placed.x()),
                              platform::truncToInt(
                                  placed.y() - checkForInterimSectionTranslateY(graphic->sectionNumber())));
            else
                placed.moveTo(platform::truncToInt(placed.x()) - dx, yTop);
        }
        if (auto* table = qobject_cast<DRVTable*>(graphic)) {
            DRVTable* copy = duplicateTable(table, 0, sourcePagePath);
            if (!copy)
                continue;
            inserted.append(copy);
            // The copy's pictures took names this paste must not hand out again.
            for (const TransformView* picture : copy->imageArray())
                taken.append(picture->imageName());
            if (const TransformView* background = copy->tableBackgroundImage())
                taken.append(background->imageName());
            copy->setBounds(sectionAware ? placed : copy->bounds().translated(offset));
            applySection(copy->bounds().topLeft(), copy);
            reAlignSectionObjects(grabOverLappingSection(QRectF(copy->bounds().topLeft(), QSizeF(1, 1))));
        } else if (graphic->isImageGraphic()) {
            const QString oldName = graphic->imageName();
            const QString newName = PageImageFiles::getNextImageName(taken, m_tempPagePath);
            taken.append(newName);
            graphic->setImageName(newName);
            graphic->setTemplateName(QStringLiteral(""));
            if (!pagePath.isEmpty())
                PageImageFiles::transferImageFilesForNewName(
                    sourcePagePath.isEmpty() ? pagePath : sourcePagePath, pagePath, oldName, newName,
                    graphic->imageType());
            if (!insertFront(graphic))
                continue;
            if (sectionAware)
                graphic->setBounds(placed);
            applySection(graphic->bounds().topLeft(), graphic);
        } else if (qobject_cast<DRVText*>(graphic)) {
            if (!insertFront(graphic))
                continue;
            if (sectionAware)
                graphic->setBounds(placed);
            applySection(graphic->bounds().topLeft(), graphic);
            reAlignSectionObjects(grabOverLappingSection(QRectF(graphic->bounds().topLeft(), QSizeF(1, 1))));
        } else if (qobject_cast<DRVLine*>(graphic)) {
            insertFront(graphic);
        } else {
            qInfo() << "paste: a" << graphic->metaObject()->className() << "is not pasted";
            delete graphic;
        }
    }
    return inserted;
}

void DRVGraphicView::duplicate()
{
    const QList<DRVGraphic*> selected = selectedGraphics();
    if (selected.isEmpty())
        return;
    if (auto* table = qobject_cast<DRVTable*>(selected.first())) {
        if (DRVTable* copy = duplicateTable(table, 0))
            changeSelectionIndexes({int(graphics().indexOf(copy))});
        return;
    }
    if (copy())
        paste();
}
