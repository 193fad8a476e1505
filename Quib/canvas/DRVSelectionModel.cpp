#include "canvas/DRVSelectionModel.h"

#include "document/DRVDocument.h"

#include <algorithm>
#include <limits>

DRVSelectionModel::DRVSelectionModel(QObject* parent) : platform::Observable(parent) {}

DRVSelectionModel::~DRVSelectionModel()
{
    disconnect(m_contentConnection);
}

void DRVSelectionModel::setSelectionIndexes(const QList<int>& indexes)
{
    QList<int> normalised = indexes;
    std::sort(normalised.begin(), normalised.end());
    normalised.erase(std::unique(normalised.begin(), normalised.end()), normalised.end());
    const qsizetype limit = m_content ? m_content->graphics().size() : std::numeric_limits<int>::max();
    normalised.removeIf([limit](int index) { return index < 0 || index >= limit; });
    changeValue(m_selectionIndexes, normalised, "selectionIndexes");
}

void DRVSelectionModel::setContent(DRVDocument* document)
{
    if (document == m_content)
        return;
    disconnect(m_contentConnection);
    m_content = document;
    if (document) {
        m_contentConnection =
            connect(document, &platform::Observable::arrayChanged, this,
                    [this](platform::Observable*, const QString& key, platform::ArrayChange kind,
                           const QList<int>& indexes,
                           const QVariantList&) { contentArrayChanged(key, kind, indexes); });
    }
    // Indexes into another array mean nothing here.
    setSelectionIndexes({});
}

void DRVSelectionModel::contentArrayChanged(const QString& key, platform::ArrayChange kind,
                                            const QList<int>& indexes)
{
    if (key != QLatin1String("graphics") || indexes.isEmpty())
        return;
    QList<int> moved = m_selectionIndexes;
    if (kind == platform::ArrayChange::Insertion) {
        // Inserted positions ascend and are counted after the insertion, so shifting for each in
        // turn lands every selected graphic on its new index.
        for (int inserted : indexes) {
            for (int& selected : moved) {
                if (selected >= inserted)
                    ++selected;
            }
        }
    } else if (kind == platform::ArrayChange::Removal) {
        QList<int> kept;
        for (int selected : std::as_const(moved)) {
            if (indexes.contains(selected))
                continue;
            const auto below = std::count_if(indexes.begin(), indexes.end(),
                                             [selected](int removed) { return removed < selected; });
            kept.append(selected - int(below));
        }
        moved = kept;
    } else {
        return; // a replacement keeps every index
    }
    setSelectionIndexes(moved);
}
