// One open page on the session bus, for scripts: its element lists by kind, inserting and removing
// one graphic of a kind (undoable like any edit), and range and before/after evaluation. Each page is
// its own object under /org/quib/Quib/documents/<n>, interface "org.quib.Document"; the application
// takes the bus name "org.quib.Quib" when it is free.
#pragma once
#include <QDBusContext>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class DRVDocument;

class DocumentScriptingAdaptor : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.quib.Document")
public:
    static constexpr const char* kServiceName = "org.quib.Quib";
    static constexpr const char* kInterface = "org.quib.Document";

    // Puts the document on the session bus, when there is one; the object goes with the document.
    // nullptr without a bus.
    static DocumentScriptingAdaptor* publish(DRVDocument* document);
    ~DocumentScriptingAdaptor() override;

    QString objectPath() const { return m_path; }

public slots:
    // The number of graphics in the list named key; -1 for a name that is no list.
    int Count(const QString& key);
    // A new default graphic of the kind, placed at x, y with the size w x h, inserted at index of
    // the kind's list; answers its position among all graphics.
    int Insert(const QString& kind, int index, double x, double y, double w, double h);
    bool Remove(const QString& kind, int index);
    // Positions in key's list; an empty start or end key leaves that end open.
    QList<int> Range(const QString& key, const QString& startKey, int startIndex, const QString& endKey,
                     int endIndex);
    QList<int> Relative(const QString& key, const QString& baseKey, int baseIndex, bool after);

private:
    DocumentScriptingAdaptor(DRVDocument* document, const QString& path);
    bool fail(const QString& message);

    QPointer<DRVDocument> m_document;
    QString m_path;
};
