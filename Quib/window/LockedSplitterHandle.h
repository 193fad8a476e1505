// A split view divider that the user cannot drag while its split view says it is locked: presses,
// moves and releases are then swallowed and no resize cursor shows. Its owner still moves it in code.
#pragma once
#include <QSplitterHandle>

#include <functional>

class LockedSplitterHandle : public QSplitterHandle
{
    Q_OBJECT
public:
    // isLocked is asked on every mouse event, so a lock set later holds at once.
    LockedSplitterHandle(Qt::Orientation orientation, QSplitter* parent,
                         std::function<bool(const QSplitterHandle*)> isLocked);

    bool isLocked() const { return m_isLocked && m_isLocked(this); }

protected:
    void enterEvent(QEnterEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::function<bool(const QSplitterHandle*)> m_isLocked;
};
