// Copy, cut, paste and duplicate. Graphics travel through the system clipboard as their property
// dictionaries; tables and sections carry cells and pictures the dictionaries do not, so the tables
// of a copy are recorded here in the process and rebuilt from there at paste time, but only while
// the clipboard still holds that copy (its token says so).
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
#include "model/myTextView.h"
#include "platform/Dialogs.h"
#include "platform/Geometry.h"
#include "platform/StringsTable.h"
#include "platform/UndoManager.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDebug>
#include <QMimeData>
#include <QPainter>
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

// Unique among the copies of every running instance: the process id in the high half.
qint64 nextCopyToken()
{
    static quint32 counter = 0;
    return (qint64(QCoreApplication::applicationPid() & 0x7fffffff) << 32) | ++counter;
}

// The largest picture written for other applications, in pixels on either side.
constexpr int kMaximumPictureSide = 4096;

QImage pictureOfGraphics(const QList<DRVGraphic*>& graphics)
{
    const QRectF bounds = DRVGraphic::drawingBoundsOfGraphics(graphics).toAlignedRect();
    if (bounds.isEmpty() || bounds.width() > kMaximumPictureSide || bounds.height() > kMaximumPictureSide)
        return {};
    QImage image(bounds.size().toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(-bounds.topLeft());
    // Back to front, as the canvas draws them.
    for (auto it = graphics.crbegin(); it != graphics.crend(); ++it)
        (*it)->drawContentsInView(&painter, false);
    return image;
}

QString textOfGraphics(const QList<DRVGraphic*>& graphics)
{
    QStringList texts;
    for (const DRVGraphic* graphic : graphics) {
        const QString text = graphic->textString();
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
    const QByteArray graphicsData = DRVGraphic::pasteboardDataWithGraphics(selected);
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
    const QImage picture = pictureOfGraphics(selected);
    if (!picture.isNull())
        data->setImageData(picture);
    QApplication::clipboard()->setMimeData(data);

    CopyRecord& record = copyRecord();
    record.tables.clear();
    for (DRVGraphic* graphic : selected) {
        if (auto* table = qobject_cast<DRVTable*>(graphic))
            record.tables.append(table);
    }
    record.token = token;
    record.sourcePagePath = m_graphicsContainer ? m_graphicsContainer->pagePath() : QString();

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
    // Recorded tables belong to the copy that recorded them; once the clipboard holds something
    // else they are not pasted.
    QList<DRVTable*> sections;
    QList<DRVTable*> tables;
    if (token != 0 && token == record.token) {
        for (const QPointer<DRVTable>& table : record.tables) {
            if (!table)
                continue;
            (table->gridType() == QLatin1String("section") ? sections : tables).append(table);
        }
    }
    auto byTop = [](const DRVGraphic* a, const DRVGraphic* b) { return top(a) < top(b); };
    std::stable_sort(sections.begin(), sections.end(), byTop);

    beginUndoStep();
    platform::UndoManager* undo = m_undoStepManager;

    int y0 = platform::truncToInt(m_lastTouchPoint.y());
    for (DRVTable* section : std::as_const(sections)) {
        duplicateTable(section, y0, record.sourcePagePath);
        y0 = y0 + platform::truncToInt(section->bounds().height()) + 50;
    }
    const int sectionCount = int(sections.size());

    QList<DRVGraphic*> inserted;
    if (data && data->hasFormat(DRVDragTypes::graphicsMimeType()))
        inserted = pasteGraphics(data->data(DRVDragTypes::graphicsMimeType()), token, tables, sectionCount);
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
                                                 const QList<DRVTable*>& copiedTables, int sectionCount)
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
    const QString sourcePagePath = copyRecord().sourcePagePath;
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
