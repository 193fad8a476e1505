// The two preset pickers of one window: a sheet of the preset shapes in rows of seven and a sheet of
// the preset text styles in one column. A click on a tile closes the sheet and hands the tile's
// index to the canvas through the hook the window fills.
#pragma once
#include <QDialog>
#include <QList>
#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

class DRVWindowController;
class FlippedNSView;
class QPushButton;

class PresetPickers : public QObject
{
    Q_OBJECT
public:
    static constexpr int kShapesPerRow = 7;

    explicit PresetPickers(DRVWindowController* owner);

    // Where a picked preset goes: the canvas builds the graphic of the preset at that index.
    std::function<void(int index)> addNewShape;
    std::function<void(int index)> addNewSelectedTextView;

    // The grids, from the edition's preset lists.
    FlippedNSView* shapeGrid(const QList<std::shared_ptr<QObject>>& presets);
    FlippedNSView* textViewGrid(const QList<std::shared_ptr<QObject>>& presets);
    // Open the sheets over the window.
    void selectDefaultShapes();
    void selectDefaultTextViews();
    void cancelFloatWindowControllerSheet();

    QDialog* sheet() const { return m_sheet; }
    QList<QPushButton*> tiles() const;

private:
    void presentSheet(FlippedNSView* grid);
    void picked(int index, bool shape);

    DRVWindowController* m_owner;
    QPointer<QDialog> m_sheet;
    QList<QPointer<QPushButton>> m_tiles;
};
