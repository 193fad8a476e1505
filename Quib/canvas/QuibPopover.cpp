#include "canvas/QuibPopover.h"

#include <QFormLayout>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

QuibPopover::QuibPopover(QWidget* parent, const QSize& size) : QFrame(parent, Qt::Popup)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setFrameShape(QFrame::StyledPanel);
    setObjectName(QStringLiteral("quibPopOver"));
    resize(size);
    auto* column = new QVBoxLayout(this);
    m_form = new QFormLayout;
    column->addLayout(m_form);
    m_save = new QPushButton(QStringLiteral("Save"), this);
    m_save->setObjectName(QStringLiteral("saveButton"));
    m_save->setDefault(true);
    column->addWidget(m_save, 0, Qt::AlignRight);
}

void QuibPopover::showBeside(const QRect& anchor)
{
    QWidget* owner = parentWidget();
    const QRect onScreen = owner ? QRect(owner->mapToGlobal(anchor.topLeft()), anchor.size()) : anchor;
    const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    move(placementBeside(onScreen, size(), screen ? screen->availableGeometry() : QRect()));
    show();
}

QPoint QuibPopover::placementBeside(const QRect& anchor, const QSize& size, const QRect& screen)
{
    // Left of the anchor; to its right when the screen leaves no room on the left, so that the
    // popover does not cover what it edits. Either way it stays on the screen.
    int x = anchor.left() - size.width();
    if (screen.isValid() && x < screen.left() && anchor.right() + 1 + size.width() <= screen.right() + 1)
        x = anchor.right() + 1;
    int y = anchor.top();
    if (screen.isValid()) {
        x = std::clamp(x, screen.left(), std::max(screen.left(), screen.right() + 1 - size.width()));
        y = std::clamp(y, screen.top(), std::max(screen.top(), screen.bottom() + 1 - size.height()));
    } else {
        x = std::max(0, x);
    }
    return {x, y};
}
