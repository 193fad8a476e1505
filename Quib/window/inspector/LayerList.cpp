#include "window/inspector/LayerList.h"

#include "canvas/DRVGraphicView.h"
#include "document/DRVDocument.h"
#include "editions/EditionSelection.h"
#include "model/DRVGalleryGrid.h"
#include "model/DRVImage.h"
#include "model/DRVLine.h"
#include "model/DRVTable.h"
#include "model/DRVText.h"
#include "window/DRVWindowController.h"
#include "window/FlippedNSView.h"
#include "window/InspectorView.h"
#include "window/inspector/FormatIconView.h"
#include "window/inspector/InspectorPanel.h"
#include "window/inspector/LivePointers.h"
#include "window/inspector/SegmentedControl.h"

#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>

namespace {

constexpr int kRowHeight = 50;
constexpr int kFirstRowY = 30;

} // namespace

LayerList::LayerList(DRVWindowController* owner, InspectorPanel* panel)
    : QObject(panel), m_owner(owner), m_panel(panel)
{
}

QList<FormatIconView*> LayerList::rows() const
{
    return livePointers(m_rows);
}

QString LayerList::iconNameFor(const DRVGraphic* graphic)
{
    if (const auto* text = qobject_cast<const DRVText*>(graphic))
        return text->bubbleShape().isEmpty() ? QStringLiteral("textbox_simple")
                                             : QStringLiteral("shape_simple");
    if (qobject_cast<const DRVLine*>(graphic))
        return QStringLiteral("line_icon");
    if (qobject_cast<const DRVTable*>(graphic))
        return QStringLiteral("table_simple");
    if (qobject_cast<const DRVImage*>(graphic))
        return QStringLiteral("photo_simple");
    if (qobject_cast<const DRVGalleryGrid*>(graphic))
        return QStringLiteral("gallery");
    return QStringLiteral("selection_elliptical_black");
}

QString LayerList::kindWordFor(const DRVGraphic* graphic)
{
    QString word;
    if (const auto* text = qobject_cast<const DRVText*>(graphic))
        word = text->bubbleShape().isEmpty() ? QStringLiteral("Text") : QStringLiteral("Shape");
    else if (qobject_cast<const DRVLine*>(graphic))
        word = QStringLiteral("Line");
    else if (qobject_cast<const DRVTable*>(graphic))
        word = QStringLiteral("Table");
    else if (qobject_cast<const DRVImage*>(graphic))
        word = QStringLiteral("Image");
    else if (qobject_cast<const DRVGalleryGrid*>(graphic))
        word = QStringLiteral("Photo Grid");
    if (word.isEmpty())
        return word;
    return editions::localized({word}).value(0, word);
}

QString LayerList::detailFor(const DRVGraphic* graphic, int index)
{
    const QRectF bounds = graphic->bounds();
    // Truncated towards zero, as whole numbers.
    auto whole = [](double value) { return static_cast<long long>(value); };
    return QStringLiteral("Layer %1\n").arg(index) + QStringLiteral("x:%1 y:%2 size:%3x%4 opacity:%5%")
                                                         .arg(whole(bounds.x()))
                                                         .arg(whole(bounds.y()))
                                                         .arg(whole(bounds.width()))
                                                         .arg(whole(bounds.height()))
                                                         .arg(whole(graphic->opacity() * 100));
}

void LayerList::followDocument(DRVDocument* document)
{
    if (document == m_document)
        return;
    disconnect(m_documentConnection);
    m_document = document;
    if (!document)
        return;
    m_documentConnection = connect(document, &platform::Observable::arrayChanged, this,
                                   [this](platform::Observable*, const QString& key, platform::ArrayChange,
                                          const QList<int>&, const QVariantList&) {
                                       if (key == QLatin1String("graphics"))
                                           refreshLayerListing();
                                   });
}

void LayerList::refreshLayerListing()
{
    SegmentedControl* sidebar = m_panel->sidebarSwitchSegmentedControl();
    if (sidebar && sidebar->selectedIndex() == 2 && sidebar->parentWidget() == m_panel->inspectorView())
        showLayers();
}

void LayerList::clearLayerListingIcons()
{
    for (FormatIconView* row : rows())
        row->setHighlightFlag(false);
}

void LayerList::showLayers()
{
    InspectorView* inspector = m_panel->inspectorView();
    if (!inspector)
        return;
    followDocument(m_owner ? m_owner->document() : nullptr);
    m_panel->clearInspectorView();
    if (SegmentedControl* sidebar = m_panel->sidebarSwitchSegmentedControl())
        sidebar->setSelectedIndex(2);
    m_rows.clear();
    DRVGraphicView* canvas = m_owner ? m_owner->graphicView() : nullptr;
    const QList<DRVGraphic*> graphics = canvas ? canvas->graphics() : QList<DRVGraphic*>();
    const int n = int(graphics.size());
    const int width = inspector->width();
    FlippedNSView* clip = m_panel->newScrollingArea(kRowHeight * n + kFirstRowY);
    const QColor lightGrey(0xAA, 0xAA, 0xAA);
    for (int i = 0; i < n; ++i) {
        const DRVGraphic* graphic = graphics.at(i);
        auto* row = new FormatIconView(clip);
        row->setObjectName(QStringLiteral("layerRow%1").arg(i));
        row->setSupportsHightlightFlag(true);
        row->setGeometry(0, kFirstRowY + kRowHeight * i, width, kRowHeight);
        auto* icon = new QLabel;
        icon->resize(40, 40);
        icon->setPixmap(FormatIconView::iconImage(iconNameFor(graphic), QSize(30, 30)));
        row->setIconImageView(icon);
        row->setIconLabelString(kindWordFor(graphic), detailFor(graphic, i), lightGrey);
        row->setObjectIndex(i);
        row->setupSubViews();
        row->onSelect = [this](FormatIconView* tile) {
            if (DRVGraphicView* view = m_owner ? m_owner->graphicView() : nullptr)
                view->manuallySelectObject(tile->objectIndex());
        };
        row->show();
        m_rows.append(row);
    }
    auto* heading =
        new QLabel(n < 2 ? QStringLiteral("%1 layer").arg(n) : QStringLiteral("%1 layers").arg(n), clip);
    heading->setObjectName(QStringLiteral("layerHeading"));
    heading->setGeometry(0, 0, width, 20);
    heading->setAlignment(Qt::AlignCenter);
    heading->setStyleSheet(QStringLiteral("color: #555555; background: transparent;"));
    heading->show();
    m_heading = heading;
    clip->setGeometry(0, 0, width, kRowHeight * n + 60);
    if (QScrollArea* scroll = m_panel->dragObjectsScrollView())
        scroll->verticalScrollBar()->setValue(0);
}
