// The Layers tab of one window's sidebar inspector: a row per graphic of the page, frontmost first,
// with its kind, layer number, position, size and opacity. A click on a row highlights it and adds its
// graphic to the selection. The rows belong to the window and are rebuilt whenever the page's
// graphics are added, removed or reordered while the tab is shown.
#pragma once
#include <QList>
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QString>

class DRVDocument;
class DRVGraphic;
class DRVWindowController;
class FormatIconView;
class InspectorPanel;
class QLabel;

class LayerList : public QObject
{
    Q_OBJECT
public:
    LayerList(DRVWindowController* owner, InspectorPanel* panel);

    void showLayers();
    // Rebuilds the rows when the Layers tab is the one shown.
    void refreshLayerListing();
    // Takes every row's highlight off.
    void clearLayerListingIcons();
    // Rebuilds on changes of this document's graphics (nullptr: none).
    void followDocument(DRVDocument* document);

    QList<FormatIconView*> rows() const;
    QLabel* heading() const { return m_heading; }

    // The row's icon and kind word ("Shape", "Text", "Line", "Table", "Image", "Photo Grid" or empty).
    static QString iconNameFor(const DRVGraphic* graphic);
    static QString kindWordFor(const DRVGraphic* graphic);
    // "Layer 0\nx:10 y:20 size:40x30 opacity:50%".
    static QString detailFor(const DRVGraphic* graphic, int index);

private:
    DRVWindowController* m_owner;
    InspectorPanel* m_panel;
    QList<QPointer<FormatIconView>> m_rows;
    QPointer<QLabel> m_heading;
    QPointer<DRVDocument> m_document;
    QMetaObject::Connection m_documentConnection;
};
