#include "document/DRVDocument.h"
#include "document/PendingFolderFiles.h"

#include "document/DRVMapTableOwner.h"
#include "editions/EditionSettings.h"
#include "model/DRVGraphic.h"
#include "platform/Format.h"
#include "platform/StringsTable.h"
#include "platform/UndoManager.h"

#include <QDebug>
#include <QPointer>

namespace {

const QString kUndoStrings = QStringLiteral("UndoStrings");
const QString kUndoKeysKey = QStringLiteral("keysForValuesToObserveForUndo");

bool indexesAscend(const QList<int>& indexes)
{
    for (qsizetype i = 1; i < indexes.size(); ++i) {
        if (indexes.at(i) <= indexes.at(i - 1))
            return false;
    }
    return true;
}

QSet<QString> keySet(const QVariant& value)
{
    const QStringList keys = value.toStringList();
    return QSet<QString>(keys.begin(), keys.end());
}

} // namespace

DRVDocument::DRVDocument(QObject* parent)
    : platform::Observable(parent), m_undoManager(new platform::UndoManager(this))
{
    DRVGraphic::registerUndoStrings();
    // A new page starts on the sheet the edition has selected; from then on the sheet is the page's.
    m_selectedLabelSheet = edition().gSelectedLabelSheet;
    if (edition().gSelectedLabelTemplate)
        m_labelTemplateHelper = *edition().gSelectedLabelTemplate;
    connect(m_undoManager, &platform::UndoManager::checkpoint, this,
            &DRVDocument::observeUndoManagerCheckpoint);
    // Edits made before the event loop turns (a page built in code, a script) count as edits too.
    ensureChangeTracking();
}

DRVDocument::~DRVDocument()
{
    // No background write of this page's unpacked files outlives it.
    PendingFolderFiles::ensureComplete(m_tempSavePathLocal);
    // Nothing that follows may call back into a document being destroyed.
    for (auto it = m_observations.begin(); it != m_observations.end(); ++it)
        it.key()->removeChangeListener(this);
    m_observations.clear();
    delete m_undoManager;
    m_undoManager = nullptr;
}

// ---- graphics ----

bool DRVDocument::insertGraphics(const QList<DRVGraphic*>& graphics, const QList<int>& indexes)
{
    const bool valid =
        graphics.size() == indexes.size() && indexesAscend(indexes) && !graphics.contains(nullptr) &&
        (indexes.isEmpty() || (indexes.first() >= 0 && indexes.last() < m_graphics.size() + indexes.size()));
    if (!valid) {
        qWarning() << "couldn't insert graphic";
        return false;
    }

    willChangeArray(QStringLiteral("graphics"), platform::ArrayChange::Insertion, indexes);
    for (qsizetype i = 0; i < graphics.size(); ++i) {
        DRVGraphic* graphic = graphics.at(i);
        if (graphic->parent() != this)
            graphic->setParent(this);
        m_graphics.insert(indexes.at(i), graphic);
    }

    QPointer<DRVDocument> self(this);
    m_undoManager->registerUndo(this, [self, indexes] {
        if (self)
            self->removeGraphicsAtIndexes(indexes);
    });
    if (m_undoManager->isUndoRegistrationEnabled()) {
        for (DRVGraphic* graphic : graphics)
            m_undoGroupInsertedGraphics.insert(graphic);
    }
    startObservingGraphics(graphics);
    didChangeArray(QStringLiteral("graphics"), platform::ArrayChange::Insertion, indexes);
    return true;
}

bool DRVDocument::removeGraphicsAtIndexes(const QList<int>& indexes)
{
    const bool valid = indexesAscend(indexes) &&
                       (indexes.isEmpty() || (indexes.first() >= 0 && indexes.last() < m_graphics.size()));
    if (!valid) {
        qWarning() << "no need to remove";
        return false;
    }

    QList<DRVGraphic*> removed;
    QVariantList removedObjects;
    for (int index : indexes) {
        removed.append(m_graphics.at(index));
        removedObjects.append(QVariant::fromValue(static_cast<QObject*>(m_graphics.at(index))));
    }

    willChangeArray(QStringLiteral("graphics"), platform::ArrayChange::Removal, indexes);
    stopObservingGraphics(removed);
    QPointer<DRVDocument> self(this);
    m_undoManager->registerUndo(this, [self, removed, indexes] {
        if (self)
            self->insertGraphics(removed, indexes);
    });
    for (auto it = indexes.crbegin(); it != indexes.crend(); ++it)
        m_graphics.removeAt(*it);
    didChangeArray(QStringLiteral("graphics"), platform::ArrayChange::Removal, indexes, removedObjects);
    return true;
}

// ---- canvas ----

QSizeF DRVDocument::canvasSize() const
{
    // A page's own size counts only when it is a size; a damaged page falls back like the edition.
    if (m_docSpecificFixedCanvasFlag == 1 && m_docSpecificPageWidth > 0 && m_docSpecificPageHeight > 0)
        return QSizeF(m_docSpecificPageWidth, m_docSpecificPageHeight);
    return QSizeF(edition().usableCanvasSize());
}

// ---- undo by observation ----

void DRVDocument::startObservingGraphics(const QList<DRVGraphic*>& graphics)
{
    for (DRVGraphic* graphic : graphics) {
        if (!graphic || m_observations.contains(graphic))
            continue;
        m_observations.insert(graphic, Observation{graphic->keysForValuesToObserveForUndo()});
        graphic->addChangeListener(this);
    }
}

void DRVDocument::stopObservingGraphics(const QList<DRVGraphic*>& graphics)
{
    for (DRVGraphic* graphic : graphics) {
        const auto it = m_observations.find(graphic);
        if (it == m_observations.end()) {
            qWarning() << "couldn't stop graphics";
            continue;
        }
        graphic->removeChangeListener(this);
        m_observations.erase(it);
    }
}

void DRVDocument::observedValueChanged(platform::Observable* object, const QString& key, const QVariant& oldValue,
                                       const QVariant& newValue)
{
    auto* graphic = static_cast<DRVGraphic*>(object);
    QPointer<DRVDocument> self(this);
    recordGraphicChange(graphic, key, oldValue, newValue);
    if (self)
        emit graphicValueChanged(graphic, key, oldValue, newValue);
}

void DRVDocument::observedObjectDestroyed(platform::Observable* object)
{
    // Only a graphic deleted while still on the page gets here. What is left of it is no graphic
    // any more, so it is compared as what it still is.
    m_observations.removeIf([object](const auto& entry) {
        return static_cast<const platform::Observable*>(entry.key()) == object;
    });
}

void DRVDocument::recordGraphicChange(DRVGraphic* graphic, const QString& key, const QVariant& oldValue,
                                      const QVariant& newValue)
{
    const auto it = m_observations.find(graphic);
    if (it == m_observations.end())
        return;
    if (key == kUndoKeysKey) {
        // Keys that left the set are no longer recorded; keys that joined it are from now on.
        const QSet<QString> before = keySet(oldValue);
        const QSet<QString> after = keySet(newValue);
        it->keys.subtract(before - after);
        it->keys.unite(after - before);
        return;
    }
    if (!it->keys.contains(key))
        return;
    recordPropertyChange(graphic, key, oldValue, newValue);
}

void DRVDocument::recordPropertyChange(DRVGraphic* graphic, const QString& key, const QVariant& oldValue,
                                       const QVariant& newValue)
{
    // Undoing the group removes a graphic inserted in it anyway.
    if (m_undoGroupInsertedGraphics.contains(graphic))
        return;
    if (oldValue == newValue)
        return;
    if (!m_undoManager->isUndoRegistrationEnabled())
        return;

    if (!m_undoGroupOldPropertiesPerGraphic) {
        auto owner = std::make_shared<DRVMapTableOwner>();
        m_undoGroupOldPropertiesPerGraphic = owner;
        QPointer<DRVDocument> self(this);
        m_undoManager->registerUndo(this, [self, owner] {
            if (self)
                self->setGraphicProperties(owner);
        });
    }
    m_undoGroupOldPropertiesPerGraphic->recordOldValue(graphic, key, oldValue);

    if (m_undoManager->isUndoing() || m_undoManager->isRedoing())
        return;

    QString name = graphic->presentablePropertyNameForKey(key);
    if (name.isNull()) {
        // A class that lists an undoable key without a name for it: the change is still undoable,
        // under a generic name.
        qWarning().noquote() << QStringLiteral(
                                    "%1 lists the undoable key \"%2\" but has no presentable name for it")
                                    .arg(QString::fromLatin1(graphic->metaObject()->className()), key);
        name = platform::StringsTable::lookup(QStringLiteral("Property"), kUndoStrings);
    }
    if (m_undoGroupHasChangesToMultipleProperties)
        return;
    if (m_undoGroupPresentablePropertyName.isNull()) {
        m_undoManager->setActionName(platform::formatv(
            platform::StringsTable::lookup(QStringLiteral("Change of %@"), kUndoStrings), name));
        m_undoGroupPresentablePropertyName = name;
    } else if (m_undoGroupPresentablePropertyName != name) {
        m_undoManager->setActionName(platform::StringsTable::lookup(
            QStringLiteral("Change of Multiple Graphic Properties"), kUndoStrings));
        m_undoGroupHasChangesToMultipleProperties = true;
        m_undoGroupPresentablePropertyName = QString();
    }
}

void DRVDocument::setGraphicProperties(const std::shared_ptr<DRVMapTableOwner>& owner)
{
    if (!owner)
        return;
    for (const DRVMapTableOwner::Entry& entry : owner->mapTable()) {
        if (!entry.graphic)
            continue;
        for (const auto& [key, value] : entry.oldValues)
            entry.graphic->setValueForKey(key, value);
    }
}

void DRVDocument::observeUndoManagerCheckpoint()
{
    m_undoGroupHasChangesToMultipleProperties = false;
    m_undoGroupPresentablePropertyName = QString();
    m_undoGroupOldPropertiesPerGraphic.reset();
    m_undoGroupInsertedGraphics.clear();
}
