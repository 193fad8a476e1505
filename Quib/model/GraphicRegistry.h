// The fixed table of graphic classes that dictionaries may name in "className". Data from outside
// (the clipboard, a loaded page) only selects an entry of this table; it never names a class to
// instantiate by itself.
#pragma once
#include <QString>
#include <QStringList>

class DRVGraphic;
class QObject;

class GraphicRegistry
{
public:
    // A new default graphic of the registered class, or nullptr for any other name.
    static DRVGraphic* create(const QString& className, QObject* parent = nullptr);
    static bool isRegistered(const QString& className);
    static QStringList classNames();
};
