#include "app/DocumentScriptingAdaptor.h"

#include "document/DRVDocument.h"
#include "document/ScriptObjectSpecifier.h"
#include "model/DRVGraphic.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <cmath>

namespace {

QString classForKind(const QString& kind)
{
    static const QHash<QString, QString> classes{
        {QStringLiteral("rectangles"), QStringLiteral("DRVRectangle")},
        {QStringLiteral("circles"), QStringLiteral("DRVCircle")},
        {QStringLiteral("lines"), QStringLiteral("DRVLine")},
        {QStringLiteral("textAreas"), QStringLiteral("DRVText")},
        {QStringLiteral("images"), QStringLiteral("DRVImage")}};
    return classes.value(kind);
}

// A size a page can hold: finite, and no further out than any canvas goes.
bool isPlausible(double value)
{
    return std::isfinite(value) && std::fabs(value) <= 100000.0;
}

std::shared_ptr<ScriptObjectSpecifier> endFor(const QString& key, int index)
{
    return key.isEmpty() ? nullptr : ScriptObjectSpecifier::element(key, index);
}

} // namespace

DocumentScriptingAdaptor* DocumentScriptingAdaptor::publish(DRVDocument* document)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!document || !bus.isConnected())
        return nullptr;
    static int serial = 0;
    const QString path = QStringLiteral("/org/quib/Quib/documents/%1").arg(++serial);
    auto* adaptor = new DocumentScriptingAdaptor(document, path);
    if (!bus.registerObject(path, adaptor, QDBusConnection::ExportAllSlots)) {
        delete adaptor;
        return nullptr;
    }
    // Another running copy may hold the name; its pages stay reachable through their own process.
    if (!bus.interface()->isServiceRegistered(QLatin1String(kServiceName)))
        bus.registerService(QLatin1String(kServiceName));
    return adaptor;
}

DocumentScriptingAdaptor::DocumentScriptingAdaptor(DRVDocument* document, const QString& path)
    : QObject(document), m_document(document), m_path(path)
{
}

DocumentScriptingAdaptor::~DocumentScriptingAdaptor()
{
    QDBusConnection::sessionBus().unregisterObject(m_path);
}

bool DocumentScriptingAdaptor::fail(const QString& message)
{
    if (calledFromDBus())
        sendErrorReply(QStringLiteral("org.quib.Error.Range"), message);
    return false;
}

int DocumentScriptingAdaptor::Count(const QString& key)
{
    if (!m_document)
        return -1;
    const std::optional<QList<DRVGraphic*>> list = m_document->scriptingElements(key);
    return list ? int(list->size()) : -1;
}

int DocumentScriptingAdaptor::Insert(const QString& kind, int index, double x, double y, double w, double h)
{
    const QString className = classForKind(kind);
    if (!m_document || className.isEmpty())
        return fail(QStringLiteral("No list of graphics is called \"%1\".").arg(kind)), -1;
    if (!isPlausible(x) || !isPlausible(y) || !isPlausible(w) || !isPlausible(h) || w < 0 || h < 0)
        return fail(QStringLiteral("The bounds are not a place on a page.")), -1;
    DRVGraphic* graphic = DRVDocument::newScriptingObjectOfClass(className);
    if (!graphic)
        return fail(QStringLiteral("No graphic of that kind can be made.")), -1;
    graphic->setBounds(QRectF(x, y, w, h));
    graphic->setSelectable(true);
    QString error;
    if (!m_document->insertObjectInElementsAtIndex(kind, graphic, index, &error)) {
        delete graphic;
        return fail(error), -1;
    }
    return m_document->objectSpecifierForGraphic(graphic);
}

bool DocumentScriptingAdaptor::Remove(const QString& kind, int index)
{
    QString error;
    if (!m_document || !m_document->removeObjectFromElementsAtIndex(kind, index, &error))
        return fail(error);
    return true;
}

QList<int> DocumentScriptingAdaptor::Range(const QString& key, const QString& startKey, int startIndex,
                                           const QString& endKey, int endIndex)
{
    if (!m_document)
        return {};
    const std::optional<QList<int>> indices = m_document->indicesOfObjectsByEvaluatingRangeSpecifier(
        ScriptObjectSpecifier::range(key, endFor(startKey, startIndex), endFor(endKey, endIndex)));
    if (!indices)
        return fail(QStringLiteral("The range names no graphics of this page.")), QList<int>{};
    return *indices;
}

QList<int> DocumentScriptingAdaptor::Relative(const QString& key, const QString& baseKey, int baseIndex,
                                              bool after)
{
    if (!m_document)
        return {};
    const std::optional<QList<int>> indices = m_document->indicesOfObjectsByEvaluatingRelativeSpecifier(
        ScriptObjectSpecifier::relative(key, endFor(baseKey, baseIndex), after));
    if (!indices)
        return fail(QStringLiteral("The reference names no graphic of this page.")), QList<int>{};
    return *indices;
}
