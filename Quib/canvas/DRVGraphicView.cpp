#include "canvas/DRVGraphicView.h"

#include "canvas/DRVGrid.h"
#include "canvas/DRVSelectionModel.h"
#include "document/DRVDocument.h"
#include "document/PageImageFiles.h"
#include "editions/EditionSettings.h"
#include "model/DRVGraphic.h"
#include "platform/ClockTimer.h"
#include "platform/Geometry.h"

#include <QDebug>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QSet>
#include <cmath>
#include <stdexcept>

namespace {

const QString kGraphicsKey = QStringLiteral("graphics");
const QString kSelectionIndexesKey = QStringLiteral("selectionIndexes");
const QString kClearPageColor = QStringLiteral("CLEAR0");

// The colour of the marquee's frame.
const QColor kKnobColor(0x55, 0x55, 0x55);

DRVGraphic* graphicFromVariant(const QVariant& value)
{
    return qobject_cast<DRVGraphic*>(value.value<QObject*>());
}

} // namespace

DRVGraphicView::DRVGraphicView(QWidget* parent)
    : QWidget(parent), m_handleShowingTimer(new platform::ClockTimer(this))
{
    // The page is filled edge to edge on every paint.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    // Colours, palette items, image files and image data can be dropped on the page.
    setAcceptDrops(true);

    m_handleShowingTimer->setInterval(kHandleHidingMs);
    connect(m_handleShowingTimer, &platform::ClockTimer::timeout, this,
            &DRVGraphicView::unhideHandlesForTimer);

    m_scale = edition().usableDisplayScale();
    m_canvasSize = QSizeF(edition().usableCanvasSize());
    updateViewSize();
    refreshTempPagePath();
}

DRVGraphicView::~DRVGraphicView()
{
    // A gesture cut short still closes its undo step.
    endMouseTracking();
    m_handleShowingTimer->stop();
    stopEditing();
    setGrid(nullptr);
    unbindGraphics();
    unbindSelectionIndexes();
}

// ---- bindings ----

void DRVGraphicView::bindGraphics(DRVDocument* document)
{
    if (m_graphicsContainer || m_graphicsArrayConnection)
        unbindGraphics();
    if (!document)
        return;
    m_graphicsContainer = document;
    m_graphicsArrayConnection =
        connect(document, &platform::Observable::arrayChanged, this,
                [this](platform::Observable*, const QString& key, platform::ArrayChange kind,
                       const QList<int>& indexes, const QVariantList& oldObjects) {
                    if (key == kGraphicsKey)
                        graphicsArrayChanged(kind, indexes, oldObjects);
                });
    m_documentValueConnection = platform::observe(
        document, this, [this](platform::Observable*, const QString& key, const QVariant&, const QVariant&) {
            documentValueChanged(key);
        });
    m_graphicValuesConnection = connect(document, &DRVDocument::graphicValueChanged, this,
                                        &DRVGraphicView::graphicValueChanged);
    setCanvasSize(document->canvasSize());
    setNeedsDisplay();
}

void DRVGraphicView::unbindGraphics()
{
    endMouseTracking();
    disconnect(m_graphicsArrayConnection);
    disconnect(m_documentValueConnection);
    disconnect(m_graphicValuesConnection);
    m_graphicsArrayConnection = {};
    m_documentValueConnection = {};
    m_graphicValuesConnection = {};
    m_graphicsContainer = nullptr;
    setNeedsDisplay();
}

void DRVGraphicView::bindSelectionIndexes(DRVSelectionModel* selection)
{
    if (m_selectionIndexesContainer || m_selectionConnection)
        unbindSelectionIndexes();
    if (!selection)
        return;
    m_selectionIndexesContainer = selection;
    m_selectionConnection = platform::observe(selection, this,
                                              [this](platform::Observable*, const QString& key,
                                                     const QVariant& oldValue, const QVariant& newValue) {
                                                  if (key == kSelectionIndexesKey)
                                                      selectionValueChanged(oldValue, newValue);
                                              });
    setNeedsDisplay();
}

void DRVGraphicView::unbindSelectionIndexes()
{
    disconnect(m_selectionConnection);
    m_selectionConnection = {};
    m_selectionIndexesContainer = nullptr;
    setNeedsDisplay();
}

void DRVGraphicView::setGrid(DRVGrid* grid)
{
    if (grid == m_grid)
        return;
    disconnect(m_gridConnection);
    m_gridConnection = {};
    m_grid = grid;
    if (grid) {
        m_gridConnection = platform::observe(
            grid, this, [this](platform::Observable*, const QString& key, const QVariant&, const QVariant&) {
                if (key == QLatin1String("any"))
                    setNeedsDisplay();
            });
    }
    setNeedsDisplay();
}

// ---- graphics and selection ----

QList<DRVGraphic*> DRVGraphicView::graphics() const
{
    return m_graphicsContainer ? m_graphicsContainer->graphics() : QList<DRVGraphic*>();
}

DRVDocument& DRVGraphicView::mutableGraphics() const
{
    if (!m_graphicsContainer)
        throw std::logic_error("An DRVGraphicView's 'graphics' property is not bound to anything.");
    return *m_graphicsContainer;
}

QList<int> DRVGraphicView::selectionIndexes() const
{
    return m_selectionIndexesContainer ? m_selectionIndexesContainer->selectionIndexes() : QList<int>();
}

void DRVGraphicView::changeSelectionIndexes(const QList<int>& indexes)
{
    if (!m_selectionIndexesContainer)
        throw std::logic_error("An DRVGraphicView's 'selectionIndexes' property is not bound to anything.");
    m_selectionIndexesContainer->setSelectionIndexes(indexes);
    emit selectionChangedFromCanvas();
}

QList<DRVGraphic*> DRVGraphicView::selectedGraphics() const
{
    const QList<DRVGraphic*> all = graphics();
    QList<DRVGraphic*> selected;
    for (int index : selectionIndexes()) {
        if (index >= 0 && index < all.size())
            selected.append(all.at(index));
    }
    return selected;
}

void DRVGraphicView::graphicsArrayChanged(platform::ArrayChange kind, const QList<int>& indexes,
                                          const QVariantList& oldObjects)
{
    if (kind == platform::ArrayChange::Removal || kind == platform::ArrayChange::Replacement) {
        for (const QVariant& value : oldObjects) {
            DRVGraphic* graphic = graphicFromVariant(value);
            if (!graphic)
                continue;
            setNeedsDisplayInRect(graphic->drawingBounds());
            if (graphic == m_editingGraphic)
                stopEditing();
        }
    }
    if (kind == platform::ArrayChange::Insertion || kind == platform::ArrayChange::Replacement) {
        const QList<DRVGraphic*> all = graphics();
        QList<DRVGraphic*> added;
        for (int index : indexes) {
            if (index >= 0 && index < all.size())
                added.append(all.at(index));
        }
        for (DRVGraphic* graphic : std::as_const(added))
            setNeedsDisplayInRect(graphic->drawingBounds());
        for (int index : indexes)
            noteUndoSelectionIndex(index);
    }
}

void DRVGraphicView::graphicValueChanged(DRVGraphic* graphic, const QString& key, const QVariant& oldValue,
                                         const QVariant& newValue)
{
    if (key == QLatin1String("drawingBounds")) {
        setNeedsDisplayInRect(oldValue.toRectF());
        setNeedsDisplayInRect(newValue.toRectF());
    } else if (key == QLatin1String("drawingContents")) {
        setNeedsDisplayInRect(graphic->drawingBounds());
    } else {
        return;
    }
    if (m_undoSelectionIndexes) {
        const int index = int(graphics().indexOf(graphic));
        if (index >= 0)
            noteUndoSelectionIndex(index);
    }
}

void DRVGraphicView::selectionValueChanged(const QVariant& oldValue, const QVariant& newValue)
{
    if (!oldValue.isValid() || !newValue.isValid()) {
        setNeedsDisplay();
        return;
    }
    const QList<int> before = oldValue.value<QList<int>>();
    const QList<int> after = newValue.value<QList<int>>();
    const QSet<int> beforeSet(before.begin(), before.end());
    const QSet<int> afterSet(after.begin(), after.end());
    const QList<DRVGraphic*> all = graphics();
    auto redrawIndexes = [&](QList<int> indexes, const QSet<int>& unless) {
        std::sort(indexes.begin(), indexes.end());
        for (int index : indexes) {
            if (!unless.contains(index) && index >= 0 && index < all.size())
                setNeedsDisplayInRect(all.at(index)->drawingBounds());
        }
    };
    // Graphics selected before and after keep their handles and need no redraw.
    redrawIndexes(before, afterSet);
    redrawIndexes(after, beforeSet);
}

void DRVGraphicView::documentValueChanged(const QString& key)
{
    static const QStringList canvasKeys{
        QStringLiteral("canvasSize"), QStringLiteral("docSpecificFixedCanvasFlag"),
        QStringLiteral("docSpecificPageWidth"), QStringLiteral("docSpecificPageHeight")};
    if (m_graphicsContainer && canvasKeys.contains(key))
        setCanvasSize(m_graphicsContainer->canvasSize());
}

// ---- undo and redo ----

void DRVGraphicView::startCollectingUndoSelectionIndexes()
{
    m_undoSelectionIndexes = QList<int>();
}

QList<int> DRVGraphicView::takeUndoSelectionIndexes()
{
    QList<int> indexes = m_undoSelectionIndexes.value_or(QList<int>());
    m_undoSelectionIndexes.reset();
    std::sort(indexes.begin(), indexes.end());
    return indexes;
}

void DRVGraphicView::noteUndoSelectionIndex(int index)
{
    if (m_undoSelectionIndexes && !m_undoSelectionIndexes->contains(index))
        m_undoSelectionIndexes->append(index);
}

// ---- geometry ----

void DRVGraphicView::setScale(double scale)
{
    if (!(scale > 0) || !std::isfinite(scale) || scale == m_scale)
        return;
    m_scale = scale;
    updateViewSize();
    setNeedsDisplay();
}

void DRVGraphicView::setCanvasSize(const QSizeF& size)
{
    if (size == m_canvasSize)
        return;
    m_canvasSize = size;
    updateViewSize();
    setNeedsDisplay();
}

void DRVGraphicView::updateViewSize()
{
    const QSize size(std::max(0, platform::truncToInt(std::ceil(m_canvasSize.width() * m_scale))),
                     std::max(0, platform::truncToInt(std::ceil(m_canvasSize.height() * m_scale))));
    setFixedSize(size);
}

QSize DRVGraphicView::sizeHint() const
{
    return size();
}

QRect DRVGraphicView::viewRectForCanvasRect(const QRectF& rect) const
{
    if (platform::rectIsEmpty(rect))
        return {};
    return QRectF(rect.x() * m_scale, rect.y() * m_scale, rect.width() * m_scale, rect.height() * m_scale)
        .toAlignedRect();
}

QRectF DRVGraphicView::canvasRectForViewRect(const QRectF& rect) const
{
    return QRectF(rect.x() / m_scale, rect.y() / m_scale, rect.width() / m_scale, rect.height() / m_scale);
}

QPointF DRVGraphicView::canvasPointForViewPoint(QPointF point) const
{
    return point / m_scale;
}

// ---- redrawing ----

void DRVGraphicView::setNeedsDisplayInRect(const QRectF& canvasRect)
{
    const QRect rect = viewRectForCanvasRect(canvasRect);
    if (rect.isEmpty())
        return;
    if (m_recordsDirtyRects)
        m_recordedDirtyRects.append(rect);
    update(rect);
}

void DRVGraphicView::setNeedsDisplay()
{
    if (m_recordsDirtyRects)
        m_recordedDirtyRects.append(rect());
    update();
}

void DRVGraphicView::setRecordsDirtyRects(bool flag)
{
    m_recordsDirtyRects = flag;
    m_recordedDirtyRects.clear();
}

void DRVGraphicView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.scale(m_scale, m_scale);
    drawRect(&painter, canvasRectForViewRect(event->rect()));
}

QImage DRVGraphicView::clearGridImage()
{
    static const QImage tile = [] {
        QImage image(20, 20, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        const QColor grey(0xD6, 0xD6, 0xD6);
        painter.fillRect(QRect(10, 0, 10, 10), grey);
        painter.fillRect(QRect(0, 10, 10, 10), grey);
        return image;
    }();
    return tile;
}

void DRVGraphicView::drawRect(QPainter* painter, const QRectF& dirty)
{
    // The page.
    QBrush pageBrush(m_pageColor.isValid() ? m_pageColor : QColor(Qt::white));
    bool replacePixels = false;
    if (m_pageColorHexString == kClearPageColor) {
        if (!edition().gClearCanvasBackgroundFlag) {
            pageBrush = QBrush(Qt::white);
        } else if (m_clearBackground) {
            // Truly transparent, so that a rendering of the page keeps no background.
            pageBrush = QBrush(Qt::transparent);
            replacePixels = true;
        } else {
            pageBrush = QBrush(clearGridImage());
        }
    }
    // A background picture is tiled over the page, as the published page shows it.
    if (m_graphicsContainer && m_graphicsContainer->backgroundImageFlag() == 2 &&
        !m_graphicsContainer->backgroundImage().isNull()) {
        pageBrush = QBrush(m_graphicsContainer->backgroundImage());
        replacePixels = false;
    }
    painter->save();
    if (replacePixels)
        painter->setCompositionMode(QPainter::CompositionMode_Source);
    // The pattern starts at the page's top left corner.
    painter->setBrushOrigin(0, 0);
    painter->fillRect(dirty, pageBrush);
    painter->restore();

    if (m_grid)
        m_grid->drawRect(painter, dirty);

    if (!m_pauseDrawGraphicFlag) {
        const QList<DRVGraphic*> all = graphics();
        const QList<int> selected = selectionIndexes();
        const QSet<int> selectedSet(selected.begin(), selected.end());
        // Back to front: index 0 is drawn last, on top of the others.
        for (qsizetype i = all.size() - 1; i >= 0; --i) {
            DRVGraphic* graphic = all.at(i);
            const QRectF bounds = graphic->drawingBounds();
            if (!platform::rectIntersectsRect(bounds, dirty))
                continue;
            const bool isEdited = graphic == m_editingGraphic;
            painter->save();
            painter->setClipRect(bounds, Qt::IntersectClip);
            graphic->drawContentsInView(painter, isEdited);
            if (!m_isHidingHandles && !isEdited && selectedSet.contains(int(i)))
                graphic->drawHandlesInView(painter);
            painter->restore();
        }
    }

    if (!platform::rectEqual(m_marqueeSelectionBounds, QRectF())) {
        // A frame one unit wide inside the rectangle.
        const QRectF outer = m_marqueeSelectionBounds.normalized();
        QPainterPath frame;
        frame.setFillRule(Qt::OddEvenFill);
        frame.addRect(outer);
        frame.addRect(outer.adjusted(1, 1, -1, -1));
        painter->fillPath(frame, kKnobColor);
    }

    refreshTempPagePath();
}

void DRVGraphicView::refreshTempPagePath()
{
    // The canvas's own page, not the one of whichever window is in front.
    const QString page = m_graphicsContainer ? m_graphicsContainer->pagePath() : QString();
    m_tempPagePath = page.isEmpty() ? QString() : PageImageFiles::imageFolderForPage(page);
}

// ---- handles and marquee ----

void DRVGraphicView::redrawSelectedGraphics()
{
    setNeedsDisplayInRect(DRVGraphic::drawingBoundsOfGraphics(selectedGraphics()));
}

void DRVGraphicView::hideHandlesMomentarily()
{
    m_handleShowingTimer->start(); // restarts a pending one
    m_isHidingHandles = true;
    redrawSelectedGraphics();
}

void DRVGraphicView::unhideHandlesForTimer()
{
    m_isHidingHandles = false;
    m_handleShowingTimer->stop();
    redrawSelectedGraphics();
}

void DRVGraphicView::setMarqueeSelectionBounds(const QRectF& rect)
{
    const QRectF old = m_marqueeSelectionBounds;
    m_marqueeSelectionBounds = rect;
    setNeedsDisplayInRect(old.normalized());
    setNeedsDisplayInRect(rect.normalized());
}

// ---- in-place editing ----

void DRVGraphicView::startEditingGraphic(DRVGraphic* graphic)
{
    if (m_editingGraphic || m_editingView)
        throw std::logic_error("-[DRVGraphicView startEditingGraphic:] is being mis-invoked.");
    if (!graphic)
        return;
    QWidget* editor = graphic->newEditingViewWithSuperviewBounds(QRectF(QPointF(0, 0), m_canvasSize));
    if (!editor)
        return;
    m_editingGraphic = graphic;
    m_editingView = editor;
    editor->setParent(this);
    editor->show();
    editor->setFocus();
    m_editingViewFrame = editor->geometry();
    setNeedsDisplayInRect(graphic->drawingBounds());
}

void DRVGraphicView::stopEditing()
{
    if (!m_editingView) {
        m_editingGraphic = nullptr;
        return;
    }
    QWidget* editor = m_editingView;
    const bool hadFocus = editor->hasFocus() || editor->isAncestorOf(focusWidget());
    editor->hide();
    editor->setParent(nullptr);
    if (hadFocus)
        setFocus();
    DRVGraphic* graphic = m_editingGraphic;
    if (graphic)
        graphic->finalizeEditingView(editor);
    m_editingGraphic = nullptr;
    m_editingView = nullptr;
    editor->deleteLater();
    // The graphic is drawn as usual again, with its handles.
    if (graphic)
        setNeedsDisplayInRect(graphic->drawingBounds());
}
