// What a script sees of a page: its graphics as element lists by kind, one-graphic insert and remove
// through the undoable document operations, and the evaluation of range and before/after references.
#include "document/DRVDocument.h"
#include "document/ScriptObjectSpecifier.h"
#include "model/DRVCircle.h"
#include "model/DRVGraphic.h"
#include "model/GraphicRegistry.h"

namespace {

struct ScriptingKind
{
    const char* key;
    const char* className;
    const char* noun; // as the failure message names one graphic
};

// "graphics" first: every graphic counts.
constexpr ScriptingKind kKinds[] = {
    {"graphics", "DRVGraphic", "graphic"}, {"rectangles", "DRVRectangle", "rectangle"},
    {"circles", "DRVCircle", "circle"},    {"lines", "DRVLine", "line"},
    {"textAreas", "DRVText", "text area"}, {"images", "DRVImage", "image"},
};

const ScriptingKind* kindForKey(const QString& key)
{
    for (const ScriptingKind& kind : kKinds) {
        if (key == QLatin1String(kind.key))
            return &kind;
    }
    return nullptr;
}

QList<DRVGraphic*> ofClass(const QList<DRVGraphic*>& graphics, const char* className)
{
    QList<DRVGraphic*> found;
    for (DRVGraphic* graphic : graphics) {
        if (graphic->inherits(className))
            found.append(graphic);
    }
    return found;
}

void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

} // namespace

std::optional<QList<DRVGraphic*>> DRVDocument::scriptingElements(const QString& key) const
{
    const ScriptingKind* kind = kindForKey(key);
    if (!kind)
        return std::nullopt;
    return ofClass(m_graphics, kind->className);
}

QList<DRVGraphic*> DRVDocument::rectangles() const
{
    return ofClass(m_graphics, "DRVRectangle");
}

QList<DRVGraphic*> DRVDocument::circles() const
{
    return ofClass(m_graphics, "DRVCircle");
}

bool DRVDocument::insertGraphic(DRVGraphic* graphic, int index)
{
    return graphic && insertGraphics({graphic}, {index});
}

bool DRVDocument::addInGraphics(DRVGraphic* graphic)
{
    return insertGraphic(graphic, int(m_graphics.size()));
}

bool DRVDocument::removeGraphicAtIndex(int index)
{
    return removeGraphicsAtIndexes({index});
}

int DRVDocument::objectSpecifierForGraphic(const DRVGraphic* graphic) const
{
    for (int i = 0; i < m_graphics.size(); ++i) {
        if (m_graphics.at(i) == graphic)
            return i;
    }
    return -1;
}

DRVGraphic* DRVDocument::newScriptingObjectOfClass(const QString& className)
{
    // A script that asks for "a graphic" gets something it can see.
    if (className == QLatin1String("DRVGraphic"))
        return new DRVCircle;
    return GraphicRegistry::create(className);
}

namespace {

// Where the kind's graphic at index stands among all graphics; the kind's count itself (for an
// insert) gives the number of graphics. -1, with error set, for anything else.
int kindPosition(const DRVDocument& document, const QString& key, int index, bool countAllowed,
                 QString* error)
{
    const ScriptingKind* kind = kindForKey(key);
    if (!kind || kind == &kKinds[0]) {
        setError(error, QStringLiteral("No list of graphics is called \"%1\".").arg(key));
        return -1;
    }
    const QList<DRVGraphic*> list = ofClass(document.graphics(), kind->className);
    if (index < 0 || index > list.size() || (index == list.size() && !countAllowed)) {
        setError(error, QStringLiteral("Index %1 is beyond the %2 list.").arg(index).arg(key));
        return -1;
    }
    if (index == list.size())
        return int(document.graphics().size());
    const int position = document.objectSpecifierForGraphic(list.at(index));
    if (position < 0)
        setError(
            error,
            QStringLiteral("Could not find the given %1 in the graphics.").arg(QLatin1String(kind->noun)));
    return position;
}

} // namespace

bool DRVDocument::insertObjectInElementsAtIndex(const QString& key, DRVGraphic* graphic, int index,
                                                QString* error)
{
    // At the kind's count the graphic goes after every graphic; otherwise just behind the kind's one.
    const int position = graphic ? kindPosition(*this, key, index, true, error) : -1;
    return position >= 0 && insertGraphic(graphic, position);
}

bool DRVDocument::removeObjectFromElementsAtIndex(const QString& key, int index, QString* error)
{
    const int position = kindPosition(*this, key, index, false, error);
    return position >= 0 && removeGraphicAtIndex(position);
}

#define DRV_SCRIPTING_KIND(Name, key)                                                                        \
    bool DRVDocument::insertObjectIn##Name##AtIndex(DRVGraphic* graphic, int index, QString* error)          \
    {                                                                                                        \
        return insertObjectInElementsAtIndex(QStringLiteral(key), graphic, index, error);                    \
    }                                                                                                        \
    bool DRVDocument::removeObjectFrom##Name##AtIndex(int index, QString* error)                             \
    {                                                                                                        \
        return removeObjectFromElementsAtIndex(QStringLiteral(key), index, error);                           \
    }
DRV_SCRIPTING_KIND(Rectangles, "rectangles")
DRV_SCRIPTING_KIND(Circles, "circles")
DRV_SCRIPTING_KIND(Lines, "lines")
DRV_SCRIPTING_KIND(TextAreas, "textAreas")
DRV_SCRIPTING_KIND(Images, "images")
#undef DRV_SCRIPTING_KIND

std::optional<QList<int>>
DRVDocument::indicesOfObjectsByEvaluatingObjectSpecifier(const ScriptObjectSpecifier& s) const
{
    switch (s.form) {
    case ScriptObjectSpecifier::Form::Range:
        return indicesOfObjectsByEvaluatingRangeSpecifier(s);
    case ScriptObjectSpecifier::Form::Relative:
        return indicesOfObjectsByEvaluatingRelativeSpecifier(s);
    case ScriptObjectSpecifier::Form::Index:
        break;
    }
    return std::nullopt;
}

namespace {

// What a sub-reference names, evaluated against the document: the graphics of a whole range, the one
// graphic of an index, nothing for a missing one. Nesting is bounded: a script's reference is small.
std::optional<QList<DRVGraphic*>> objectsFor(const DRVDocument& document, const ScriptObjectSpecifier& s,
                                             int depth)
{
    if (depth > 16)
        return std::nullopt;
    const std::optional<QList<DRVGraphic*>> list = document.scriptingElements(s.key);
    if (!list)
        return std::nullopt;
    if (s.form == ScriptObjectSpecifier::Form::Index) {
        if (s.index < 0 || s.index >= list->size())
            return std::nullopt;
        return QList<DRVGraphic*>{list->at(s.index)};
    }
    const std::optional<QList<int>> indices = document.indicesOfObjectsByEvaluatingObjectSpecifier(s);
    if (!indices)
        return std::nullopt;
    QList<DRVGraphic*> objects;
    for (int i : *indices) {
        if (i >= 0 && i < list->size())
            objects.append(list->at(i));
    }
    return objects;
}

// The position among all graphics of the first (or last) graphic a sub-reference names; -1 for none.
int positionOf(const DRVDocument& document, const ScriptObjectSpecifier& s, bool last)
{
    const std::optional<QList<DRVGraphic*>> objects = objectsFor(document, s, 0);
    if (!objects || objects->isEmpty())
        return -1;
    return document.objectSpecifierForGraphic(last ? objects->last() : objects->first());
}

} // namespace

std::optional<QList<int>>
DRVDocument::indicesOfObjectsByEvaluatingRangeSpecifier(const ScriptObjectSpecifier& s) const
{
    const ScriptingKind* kind = kindForKey(s.key);
    if (!kind || (!s.start && !s.end))
        return std::nullopt;
    if (m_graphics.isEmpty())
        return QList<int>{};
    if ((s.start && !kindForKey(s.start->key)) || (s.end && !kindForKey(s.end->key)))
        return std::nullopt;
    int start = 0;
    if (s.start) {
        start = positionOf(*this, *s.start, false);
        if (start < 0)
            return std::nullopt;
    }
    int end = int(m_graphics.size()) - 1;
    if (s.end) {
        end = positionOf(*this, *s.end, true);
        if (end < 0)
            return std::nullopt;
    }
    const int low = std::min(start, end);
    const int high = std::max(start, end);
    QList<int> result;
    if (kind == &kKinds[0]) {
        for (int i = low; i <= high; ++i)
            result.append(i);
        return result;
    }
    const QList<DRVGraphic*> list = ofClass(m_graphics, kind->className);
    for (int i = low; i <= high; ++i) {
        const int inList = int(list.indexOf(m_graphics.at(i)));
        if (inList >= 0)
            result.append(inList);
    }
    return result;
}

std::optional<QList<int>>
DRVDocument::indicesOfObjectsByEvaluatingRelativeSpecifier(const ScriptObjectSpecifier& s) const
{
    const ScriptingKind* kind = kindForKey(s.key);
    if (!kind || !s.base)
        return std::nullopt;
    if (m_graphics.isEmpty())
        return QList<int>{};
    if (!kindForKey(s.base->key))
        return std::nullopt;
    const int basePosition = positionOf(*this, *s.base, s.after);
    if (basePosition < 0)
        return std::nullopt;
    const int step = s.after ? 1 : -1;
    const int count = int(m_graphics.size());
    if (kind == &kKinds[0]) {
        const int candidate = basePosition + step;
        if (candidate < 0 || candidate >= count)
            return QList<int>{};
        return QList<int>{candidate};
    }
    const QList<DRVGraphic*> list = ofClass(m_graphics, kind->className);
    for (int i = basePosition + step; i >= 0 && i < count; i += step) {
        const int inList = int(list.indexOf(m_graphics.at(i)));
        if (inList >= 0)
            return QList<int>{inList};
    }
    return QList<int>{};
}
