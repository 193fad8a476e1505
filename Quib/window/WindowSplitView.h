// The document window's split views: dividers are draggable or locked one by one (a locked divider
// ignores the mouse), and the thin style narrows every divider to one pixel.
#pragma once
#include <QSet>
#include <QSplitter>

class LockedSplitterHandle;

class WindowSplitView : public QSplitter
{
    Q_OBJECT
public:
    explicit WindowSplitView(Qt::Orientation orientation, QWidget* parent = nullptr);

    // Divider index counts from 0 between the first and the second view.
    void setDividerLocked(int index, bool locked);
    bool isDividerLocked(int index) const;
    // Every divider, present and future.
    void lockAllDividers();
    // 1 the usual width, 2 the thin style of a page shown without its project.
    void setDividerStyle(int style);
    int dividerStyle() const { return m_dividerStyle; }

protected:
    QSplitterHandle* createHandle() override;

private:
    QSet<int> m_lockedDividers;
    bool m_lockAll = false;
    int m_dividerStyle = 1;
};
