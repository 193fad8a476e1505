// The page list's scroll view: around the clip view, it takes the same drops (page documents from
// outside, tiles dragged back) where the clip view does not reach, below the last tile.
#pragma once
#include "window/PageListingClipView.h"

#include <QScrollArea>

class PageListingScrollview : public QScrollArea
{
    Q_OBJECT
public:
    explicit PageListingScrollview(QWidget* parent = nullptr);

    const PageListingClipViewDelegate& delegate() const { return m_delegate; }
    void setDelegate(const PageListingClipViewDelegate& delegate) { m_delegate = delegate; }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    PageListingClipViewDelegate m_delegate;
};
