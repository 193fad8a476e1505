#include "document/DRVMapTableOwner.h"

bool DRVMapTableOwner::recordOldValue(DRVGraphic* graphic, const QString& key, const QVariant& value)
{
    auto entry = std::find_if(m_mapTable.begin(), m_mapTable.end(),
                              [graphic](const Entry& e) { return e.graphic == graphic; });
    if (entry == m_mapTable.end()) {
        m_mapTable.append(Entry{graphic, {}});
        entry = m_mapTable.end() - 1;
    }
    for (const auto& [k, v] : entry->oldValues) {
        if (k == key)
            return false;
    }
    entry->oldValues.append({key, value});
    return true;
}
