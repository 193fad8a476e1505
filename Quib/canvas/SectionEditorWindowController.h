// The "Configure Section Grid" window: how many columns a section has, their relative widths as
// tiles side by side (each half the width of its column), and each column's spans on the four
// screen classes. The canvas fills it from a section and writes it back on Save.
#pragma once
#include "canvas/SectionView.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <memory>

class QAbstractButton;
class QComboBox;
class QLabel;
class QPushButton;
class QSplitter;

class SectionEditorWindowController : public QObject
{
    Q_OBJECT
public:
    // The most columns a section has: one Bootstrap row.
    static constexpr int kMaxColumns = 12;
    // Tile widths snap to steps of this many pixels.
    static constexpr int kWidthStep = 50;

    explicit SectionEditorWindowController(QObject* parent = nullptr);
    ~SectionEditorWindowController() override;

    QWidget* window() const { return m_window.get(); }
    QComboBox* numOfColumnsPopupButton() const { return m_numOfColumnsPopupButton; }
    QSplitter* columnSplitView() const { return m_columnSplitView; }
    QWidget* mainView() const { return m_mainView; }
    QPushButton* saveButton() const { return m_saveButton; }
    QComboBox* xsPopUpButton() const { return m_xsPopUpButton; }
    QComboBox* smallPopUpButton() const { return m_smallPopUpButton; }
    QComboBox* mediumPopUpButton() const { return m_mediumPopUpButton; }
    QComboBox* largePopUpButton() const { return m_largePopUpButton; }
    QLabel* columnGridLabel() const { return m_columnGridLabel; }
    SectionView* selectedSectionView() const { return m_selectedSectionView; }

    // The tiles, in column order; the controller owns them.
    QList<SectionView*> splitViewMutableArray() const { return m_tiles; }
    void setSplitViewMutableArray(const QList<SectionView*>& tiles);

    // Completes the tiles to twelve, gives each its numbered button and shows the first.
    void prepSectionViews();
    // Puts as many tiles side by side as the column pop-up says.
    void columnUpdated();
    void sectionViewButtonClicked(QAbstractButton* button);
    void updateSectionViewGridEditor(SectionView* tile);
    void saveSectionViewGridProperties();
    // After a divider was dragged: every tile but the last snaps to the nearest step and one more.
    void splitViewResized();

private:
    std::unique_ptr<QWidget> m_window;
    // Keeps the tiles that are not in the split view.
    std::unique_ptr<QWidget> m_spare;
    QPointer<QComboBox> m_numOfColumnsPopupButton;
    QPointer<QSplitter> m_columnSplitView;
    QPointer<QWidget> m_mainView;
    QPointer<QPushButton> m_saveButton;
    QPointer<QComboBox> m_xsPopUpButton;
    QPointer<QComboBox> m_smallPopUpButton;
    QPointer<QComboBox> m_mediumPopUpButton;
    QPointer<QComboBox> m_largePopUpButton;
    QPointer<QLabel> m_columnGridLabel;
    QPointer<SectionView> m_selectedSectionView;
    QList<SectionView*> m_tiles;
};
