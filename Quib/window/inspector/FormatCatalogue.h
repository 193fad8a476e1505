// The formatting groups of the inspector's Format tab as data: each group's stable id, title,
// description, icon, key, the selection types it edits, the edition categories that offer it and its
// height; and the rules that choose and stack the groups for a selection.
#pragma once
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

class DRVGraphic;

struct FormatGroup
{
    QString id;                    // stable, never shown
    QString title;                 // English; shown localized
    QString description;           // shown as written
    QString imageName;             // icon under resources/icons
    QString dragAndDropCodeName;   // colour groups: their button's name; "ImageMask"; else "quib_textbox"
    QStringList typeArray;         // selection types the group edits
    QStringList supportedAppArray; // edition categories, or "All"
    int iconViewHeight = 0;        // 0: the default 100
};

class FormatCatalogue
{
public:
    FormatCatalogue() = delete;

    static constexpr int kDefaultTileHeight = 100;

    // The 34 groups in the order the tab stacks them.
    static const QList<FormatGroup>& groups();
    // The index of a group by id; -1 for an unknown one.
    static int indexOf(const QString& id);

    // "Text", "Image", "Line", "Section", "Table", "Slideshow", "Gallery", or empty for other kinds.
    static QString selectionType(const DRVGraphic* graphic);
    // One type per graphic, in order; an empty selection gives "Canvas".
    static QStringList selectionTypes(const QList<DRVGraphic*>& graphics);

    struct Edition
    {
        QString category; // empty: only the "All" groups
        QString displayName;
        bool responsive = false;
    };
    // Whether a group edits graphics of this type in the edition (the responsive layout leaves a few
    // groups out for some types).
    static bool groupServesType(const FormatGroup& group, const QString& type, const Edition& edition);
    // Per group: shown for these selection types. A group shows when any type is served, whatever
    // the order of the types, and the edition's category (or "All") is among its categories.
    static QList<bool> usedGroups(const QStringList& types, const Edition& edition);

    struct Layout
    {
        QList<QRect> frames; // one per group, used or not
        int documentHeight = 0;
    };
    // Tiles stacked under a heading of headingHeight in a view width wide; unused tiles get a frame
    // where they would stand but take no room.
    static Layout layout(const QList<bool>& used, int headingHeight, int width);
};
