// One open page: its graphics front to back, the undo of every insertion, removal and property
// change of them, and the canvas size. Opening, saving, generating and publishing are defined in
// further DRVDocument+<Topic>.cpp files of the folders that own them; their declarations go in the
// marked sections below.
#pragma once
#include "platform/Observable.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QMetaObject>
#include <QSet>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <memory>

class DRVGraphic;
class DRVMapTableOwner;

namespace platform {
class UndoManager;
}

class DRVDocument : public platform::Observable
{
    Q_OBJECT
    Q_PROPERTY(QColor pageColor READ pageColor WRITE setPageColor)
    Q_PROPERTY(
        int docSpecificFixedCanvasFlag READ docSpecificFixedCanvasFlag WRITE setDocSpecificFixedCanvasFlag)
    Q_PROPERTY(int docSpecificPageWidth READ docSpecificPageWidth WRITE setDocSpecificPageWidth)
    Q_PROPERTY(int docSpecificPageHeight READ docSpecificPageHeight WRITE setDocSpecificPageHeight)

public:
    explicit DRVDocument(QObject* parent = nullptr);
    ~DRVDocument() override;

    // ---- graphics ----
    // Front to back: index 0 is drawn last and hit first. Take a copy before changing the page
    // while walking it.
    const QList<DRVGraphic*>& graphics() const { return m_graphics; }
    // Inserts graphics[i] at indexes[i]; indexes ascend strictly and refer to positions after the
    // insertion. The document owns every graphic inserted into it for its whole life, since undo
    // may put a removed one back. Registers the removal as undo, keeps graphics inserted in this
    // undo group out of property-change records, and observes them for undo. Refuses (and logs
    // "couldn't insert graphic") counts that differ or indexes out of range.
    bool insertGraphics(const QList<DRVGraphic*>& graphics, const QList<int>& indexes);
    // Removes the graphics at the ascending indexes and registers their re-insertion as undo.
    // Refuses (and logs "no need to remove") indexes out of range.
    bool removeGraphicsAtIndexes(const QList<int>& indexes);
    // The graphics of one class (or its subclasses), front to back.
    template <class T> QList<T*> graphicsWithClass() const
    {
        QList<T*> found;
        for (DRVGraphic* graphic : m_graphics) {
            if (T* typed = qobject_cast<T*>(graphic))
                found.append(typed);
        }
        return found;
    }

    // ---- canvas ----
    // The page's own size when docSpecificFixedCanvasFlag is 1, else the edition's canvas size.
    QSizeF canvasSize() const;
    QColor pageColor() const { return m_pageColor; }
    void setPageColor(const QColor& value) { changeValue(m_pageColor, value, "pageColor"); }
    int docSpecificFixedCanvasFlag() const { return m_docSpecificFixedCanvasFlag; }
    void setDocSpecificFixedCanvasFlag(int value)
    {
        changeValue(m_docSpecificFixedCanvasFlag, value, "docSpecificFixedCanvasFlag");
    }
    int docSpecificPageWidth() const { return m_docSpecificPageWidth; }
    void setDocSpecificPageWidth(int value)
    {
        changeValue(m_docSpecificPageWidth, value, "docSpecificPageWidth");
    }
    int docSpecificPageHeight() const { return m_docSpecificPageHeight; }
    void setDocSpecificPageHeight(int value)
    {
        changeValue(m_docSpecificPageHeight, value, "docSpecificPageHeight");
    }

    // Documents may be created and read on a background thread.
    static bool canConcurrentlyReadDocumentsOfType(const QString& type)
    {
        Q_UNUSED(type);
        return true;
    }

    // ---- undo ----
    platform::UndoManager* undoManager() const { return m_undoManager; }
    // Observes each graphic's undoable keys, and the set of those keys itself.
    void startObservingGraphics(const QList<DRVGraphic*>& graphics);
    void stopObservingGraphics(const QList<DRVGraphic*>& graphics);
    // The undo action of one group: puts every recorded old value back through the observed keys,
    // which registers the redo in turn.
    void setGraphicProperties(const std::shared_ptr<DRVMapTableOwner>& owner);
    // Ends the current undo group's records.
    void observeUndoManagerCheckpoint();
    const QSet<DRVGraphic*>& undoGroupInsertedGraphics() const { return m_undoGroupInsertedGraphics; }
    QString undoGroupPresentablePropertyName() const { return m_undoGroupPresentablePropertyName; }
    bool undoGroupHasChangesToMultipleProperties() const { return m_undoGroupHasChangesToMultipleProperties; }

    // ---- opening and saving (document folder) ----

    // ---- page generation (generation folder) ----

    // ---- publishing (publishing folder) ----

private:
    struct Observation
    {
        QSet<QString> keys;
        QMetaObject::Connection connection;
    };

    void graphicValueChanged(DRVGraphic* graphic, const QString& key, const QVariant& oldValue,
                             const QVariant& newValue);
    void recordPropertyChange(DRVGraphic* graphic, const QString& key, const QVariant& oldValue,
                              const QVariant& newValue);

    QList<DRVGraphic*> m_graphics;
    platform::UndoManager* m_undoManager = nullptr;
    QHash<DRVGraphic*, Observation> m_observations;

    QSet<DRVGraphic*> m_undoGroupInsertedGraphics;
    std::shared_ptr<DRVMapTableOwner> m_undoGroupOldPropertiesPerGraphic;
    QString m_undoGroupPresentablePropertyName;
    bool m_undoGroupHasChangesToMultipleProperties = false;

    QColor m_pageColor = QColor(Qt::white);
    int m_docSpecificFixedCanvasFlag = 0;
    int m_docSpecificPageWidth = 0;
    int m_docSpecificPageHeight = 0;
};
