#include "window/MailingListPopover.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kMaxTitleLength = 200;

} // namespace

MailingListPopover::MailingListPopover(QWidget* parent) : QFrame(parent, Qt::Popup)
{
    setObjectName(QStringLiteral("mailingListPopover"));
    setFrameShape(QFrame::StyledPanel);
    auto* column = new QVBoxLayout(this);
    column->addWidget(new QLabel(QStringLiteral("Mailing List Name:"), this));
    auto* row = new QHBoxLayout;
    m_title = new QLineEdit(this);
    m_title->setObjectName(QStringLiteral("mailingListTitleTextField"));
    m_title->setMaxLength(kMaxTitleLength);
    m_title->setMinimumWidth(220);
    m_save = new QPushButton(QStringLiteral("Save"), this);
    m_save->setObjectName(QStringLiteral("saveMailingListButton"));
    m_save->setDefault(true);
    row->addWidget(m_title);
    row->addWidget(m_save);
    column->addLayout(row);
    const auto save = [this] {
        const auto onSave = m_onSave;
        const QString title = m_title->text();
        close();
        if (onSave)
            onSave(title);
    };
    connect(m_save, &QPushButton::clicked, this, save);
    connect(m_title, &QLineEdit::returnPressed, this, save);
}

void MailingListPopover::popUp(QWidget* anchor, const QString& title,
                               std::function<void(const QString&)> save)
{
    m_onSave = std::move(save);
    m_title->setText(title);
    adjustSize();
    if (anchor) {
        const QPoint edge = anchor->mapToGlobal(QPoint(anchor->width(), anchor->height() / 2));
        move(edge.x() + 4, edge.y() - height() / 2);
    }
    show();
    m_title->setFocus();
    m_title->selectAll();
}
