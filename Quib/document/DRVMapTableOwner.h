// The old property values recorded during one undo group: per graphic, in the order the graphics
// first changed, each key with the value it had before its first change in the group.
#pragma once
#include "model/DRVGraphic.h"

#include <QList>
#include <QPair>
#include <QPointer>
#include <QString>
#include <QVariant>

class DRVMapTableOwner
{
public:
    struct Entry
    {
        QPointer<DRVGraphic> graphic;
        QList<QPair<QString, QVariant>> oldValues;
    };

    const QList<Entry>& mapTable() const { return m_mapTable; }
    // Records value under key for graphic unless the graphic already has a value for key; returns
    // whether it was recorded.
    bool recordOldValue(DRVGraphic* graphic, const QString& key, const QVariant& value);
    bool isEmpty() const { return m_mapTable.isEmpty(); }

private:
    QList<Entry> m_mapTable;
};
