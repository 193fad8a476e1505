#include "model/myTextView.h"

#include <QTextDocument>

MTextView::MTextView(const QRectF& frame, QObject* parent) : platform::Observable(parent)
{
    m_frame = frame;
}

myTextView::myTextView(const QRectF& frame, QObject* parent)
    : platform::Observable(parent), m_textView(new MTextView(frame, this))
{
    m_frame = frame;
    m_alphaValue = 1.0;
    // Empty, not null: readers tell "never set" from "set to nothing" by these two alone.
    m_colorString = QStringLiteral("");
    m_textColorString = QStringLiteral("");
}

myTextView::~myTextView() = default;

void myTextView::setOptionTextView(myTextView* value)
{
    if (m_optionTextView == value)
        return;
    willChangeValueForKey(QStringLiteral("optionTextView"));
    m_optionTextView = value;
    didChangeValueForKey(QStringLiteral("optionTextView"));
}

void myTextView::setTextStorage(QTextDocument* value)
{
    if (m_textStorage == value)
        return;
    QTextDocument* previous = m_textStorage;
    willChangeValueForKey(QStringLiteral("textStorage"));
    if (value && !value->parent())
        value->setParent(this);
    m_textStorage = value;
    didChangeValueForKey(QStringLiteral("textStorage"));
    if (previous && previous->parent() == this)
        delete previous;
}

void myTextView::drawRect(const QRectF& rect)
{
    m_textView->setFrame(rect);
    setCoverViewFrame(rect);
}
