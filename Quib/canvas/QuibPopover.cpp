#include "canvas/QuibPopover.h"

#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

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
    const QPoint left = owner ? owner->mapToGlobal(anchor.topLeft()) : anchor.topLeft();
    move(std::max(0, left.x() - width()), left.y());
    show();
}
