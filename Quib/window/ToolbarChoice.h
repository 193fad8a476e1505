// Which toolbar each edition's window shows and which of the window's controls that edition has no
// use for, as one ordered table; the first row whose edition equals the running edition's full
// display name counts. Also the items each toolbar holds.
#pragma once
#include <QList>
#include <QString>
#include <QStringList>

enum class HiddenInspectorControls { Nothing, LinkAndScroll, Scroll, AlternativeText };

struct ToolbarChoiceRow
{
    QString edition;
    QString toolbar; // the toolbar's outlet name
    bool hidesGrabPageLink = false;
    HiddenInspectorControls hidden = HiddenInspectorControls::Nothing;
};

// One item of a toolbar: a button sending its action, or, with segments, a segmented control
// whose chosen segment goes with its action.
struct ToolbarItemDescription
{
    QString id;    // outlet name of the control, or the action for a plain button
    QString label; // default label, looked up in the strings before it shows
    QString action;
    QStringList segments;
};

class ToolbarChoice
{
public:
    ToolbarChoice() = delete;

    static const QList<ToolbarChoiceRow>& rows();
    // The row for the full display name, or nullptr when the edition keeps its interface's toolbar.
    static const ToolbarChoiceRow* rowForEdition(const QString& displayName);
    // The inspector controls a row hides, in the order they are hidden.
    static QStringList hiddenControlNames(HiddenInspectorControls hidden);
    // The toolbar an edition outside the table keeps.
    static QString interfaceToolbarName() { return QStringLiteral("windowToolbar"); }
    // The items of a toolbar, by its outlet name.
    static QList<ToolbarItemDescription> itemsForToolbar(const QString& toolbar);
};
