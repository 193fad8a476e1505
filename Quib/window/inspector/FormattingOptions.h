// The Format tab of one window's sidebar inspector: a tile per formatting group that fits the
// selection and the edition, each holding the window's controls of that group, stacked under a
// heading. The tiles belong to the window (another window's build leaves them alone).
#pragma once
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class DRVWindowController;
class FormatIconView;
class InspectorPanel;
class QLabel;

class FormattingOptions : public QObject
{
    Q_OBJECT
public:
    FormattingOptions(DRVWindowController* owner, InspectorPanel* panel);

    // Builds the tab for the canvas's current selection and shows it.
    void showFormattingOptions();
    // The border colour tile speaks of the line's colour.
    void updateIconViewDescriptionForLine();

    // The 34 tiles of the last build, in catalogue order (shown or not).
    QList<FormatIconView*> catalogue() const;
    // The last shown tile whose group key is key; nullptr when none.
    FormatIconView* usedTileForKey(const QString& key) const;
    FormatIconView* tileForGroup(const QString& groupId) const;
    QLabel* formatPanelLabelTextField() const { return m_heading; }

private:
    void fillTile(const QString& groupId, FormatIconView* tile, int width);
    void connectActions();

    DRVWindowController* m_owner;
    InspectorPanel* m_panel;
    QList<QPointer<FormatIconView>> m_catalogue;
    QPointer<QLabel> m_heading;
    bool m_actionsConnected = false;
};
