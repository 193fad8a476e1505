#include "model/QuibTextEditor.h"

#include "model/QuibLayoutManager.h"

#include <QAbstractTextDocumentLayout>
#include <QMimeData>
#include <QPalette>
#include <QTextDocument>

#include <algorithm>
#include <cmath>

QuibTextEditor::QuibTextEditor(QTextDocument* text, QSizeF minimumSize, QSizeF maximumSize, QWidget* parent)
    : QTextEdit(parent), m_text(text)
{
    setFrameShape(QFrame::NoFrame);
    setAcceptRichText(false);
    setAutoFormatting(QTextEdit::AutoNone);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setLineFragmentPadding(QuibLayoutManager::kLineFragmentPadding);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, Qt::transparent);
    setPalette(colours);
    viewport()->setAutoFillBackground(false);
    setAutoFillBackground(false);

    setMinimumSize(int(std::floor(minimumSize.width())), int(std::floor(minimumSize.height())));
    setMaximumSize(int(std::floor(std::max(maximumSize.width(), minimumSize.width()))),
                   int(std::floor(std::max(maximumSize.height(), minimumSize.height()))));

    if (text) {
        setDocument(text);
        text->setUndoRedoEnabled(true);
        connect(text->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, this,
                &QuibTextEditor::fitHeightToText);
    }
    setUndoRedoEnabled(true);
}

void QuibTextEditor::setLineFragmentPadding(double padding)
{
    setViewportMargins(int(padding), 0, int(padding), 0);
}

void QuibTextEditor::detachText()
{
    if (!m_text)
        return;
    disconnect(m_text->documentLayout(), nullptr, this, nullptr);
    m_text = nullptr;
    setDocument(new QTextDocument(this));
}

void QuibTextEditor::insertFromMimeData(const QMimeData* source)
{
    if (source && source->hasText())
        textCursor().insertText(source->text());
}

void QuibTextEditor::fitHeightToText()
{
    if (!m_text)
        return;
    const int wanted = int(std::ceil(m_text->documentLayout()->documentSize().height()));
    resize(width(), std::clamp(wanted, minimumHeight(), maximumHeight()));
}
