// The selection of a document window: indexes into the document's graphics, shared by the canvas
// and the inspector. It follows insertions and removals in the document so that the same graphics
// stay selected and no index points past the end.
#pragma once
#include "document/DRVDocument.h"
#include "platform/Observable.h"

#include <QList>
#include <QPointer>

class DRVSelectionModel : public platform::Observable
{
    Q_OBJECT
    // Ascending, each index once.
    Q_PROPERTY(QList<int> selectionIndexes READ selectionIndexes WRITE setSelectionIndexes)

public:
    explicit DRVSelectionModel(QObject* parent = nullptr);
    ~DRVSelectionModel() override;

    QList<int> selectionIndexes() const { return m_selectionIndexes; }
    // Sorts, drops repeats and negative indexes, and, with a document, indexes past its last graphic.
    void setSelectionIndexes(const QList<int>& indexes);

    // The document whose graphics the indexes refer to; nullptr for none.
    DRVDocument* content() const { return m_content; }
    void setContent(DRVDocument* document);

private:
    void contentArrayChanged(const QString& key, platform::ArrayChange kind, const QList<int>& indexes);

    QList<int> m_selectionIndexes;
    QPointer<DRVDocument> m_content;
    QMetaObject::Connection m_contentConnection;
};
