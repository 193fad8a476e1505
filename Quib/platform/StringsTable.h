// User-visible names looked up by key in a named table ("UndoStrings", "GraphicClassNames", ...).
#pragma once
#include <QHash>
#include <QString>

namespace platform {

class StringsTable
{
public:
    // Adds (or replaces) entries of a table; later folders register their tables at start-up.
    static void registerEntries(const QString& table, const QHash<QString, QString>& entries);
    // The entry for key in table, or the key itself when there is none.
    static QString lookup(const QString& key, const QString& table);
    static bool contains(const QString& key, const QString& table);
};

} // namespace platform
