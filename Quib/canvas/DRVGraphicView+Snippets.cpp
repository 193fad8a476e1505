// Saved texts appended to a text box, and HTML snippets sized to their graphic: the width and
// height attributes of the embedded code take the size the snippet has on the canvas.
#include "canvas/DRVGraphicView.h"

#include "editions/EditionSettings.h"
#include "model/DRVText.h"
#include "platform/UndoManager.h"

#include <cmath>

namespace {

struct ValueSpan
{
    qsizetype start = 0;
    qsizetype length = 0;
    bool isWidth = false;
};

// The values of the width and height attributes of every start tag, in text order.
QList<ValueSpan> sizeAttributeValues(const QString& text)
{
    QList<ValueSpan> spans;
    const qsizetype n = text.size();
    const auto at = [&text, n](qsizetype i) { return i < n ? text.at(i) : QChar(); };
    qsizetype i = 0;
    while ((i = text.indexOf(QLatin1Char('<'), i)) >= 0) {
        ++i;
        // End tags, comments and declarations hold no attributes.
        if (!at(i).isLetter())
            continue;
        while (i < n && !at(i).isSpace() && at(i) != u'>' && at(i) != u'/')
            ++i;
        while (i < n) {
            while (i < n && (at(i).isSpace() || at(i) == u'/'))
                ++i;
            if (i >= n || at(i) == u'>')
                break;
            const qsizetype nameStart = i;
            while (i < n && !at(i).isSpace() && at(i) != u'=' && at(i) != u'>' && at(i) != u'/')
                ++i;
            const QString name = text.mid(nameStart, i - nameStart).toLower();
            qsizetype j = i;
            while (j < n && at(j).isSpace())
                ++j;
            if (at(j) != u'=') {
                i = j;
                continue;
            }
            ++j;
            while (j < n && at(j).isSpace())
                ++j;
            ValueSpan span;
            if (at(j) == u'"' || at(j) == u'\'') {
                qsizetype end = text.indexOf(at(j), j + 1);
                if (end < 0)
                    end = n;
                span.start = j + 1;
                span.length = end - span.start;
                i = end + 1;
            } else {
                span.start = j;
                while (j < n && !at(j).isSpace() && at(j) != u'>')
                    ++j;
                span.length = j - span.start;
                i = j;
            }
            if (name == QLatin1String("width") || name == QLatin1String("height")) {
                span.isWidth = name == QLatin1String("width");
                spans.append(span);
            }
        }
    }
    return spans;
}

} // namespace

QString DRVGraphicView::resizedSnippetText(const QString& text, int width, int height)
{
    const QList<ValueSpan> spans = sizeAttributeValues(text);
    const bool hasWidth =
        std::any_of(spans.begin(), spans.end(), [](const ValueSpan& s) { return s.isWidth; });
    const bool hasHeight =
        std::any_of(spans.begin(), spans.end(), [](const ValueSpan& s) { return !s.isWidth; });
    if (!hasWidth || !hasHeight)
        return text;
    QString out;
    qsizetype from = 0;
    for (const ValueSpan& span : spans) {
        out += text.mid(from, span.start - from);
        out += QString::number(span.isWidth ? width : height);
        from = span.start + span.length;
    }
    out += text.mid(from);
    return out;
}

bool DRVGraphicView::showAutoAdjustSnippetSize()
{
    if (edition().gResponsiveLayoutFlag)
        return false;
    const QList<DRVGraphic*> selected = selectedGraphics();
    auto* snippet = selected.size() == 1 ? qobject_cast<DRVText*>(selected.constFirst()) : nullptr;
    if (!snippet || snippet->textType() != QLatin1String("HTMLSnippet"))
        return false;
    m_selectedSnippet = snippet;
    return true;
}

void DRVGraphicView::autoAdjustSnippetSize()
{
    auto* snippet = qobject_cast<DRVText*>(m_selectedSnippet.data());
    if (!snippet || !graphics().contains(snippet))
        return;
    const QRectF b = snippet->bounds();
    const QString text =
        resizedSnippetText(snippet->textString(), int(std::trunc(b.width())), int(std::trunc(b.height())));
    beginUndoStep();
    replaceTextRecorded(undoManager(), snippet, text);
    endUndoStep(QStringLiteral("Fit Snippet Size"));
}

void DRVGraphicView::pullFromSavedText(const QString& savedText)
{
    if (!savedTextShown())
        return;
    auto* box = qobject_cast<DRVText*>(selectedGraphics().constFirst());
    beginUndoStep();
    replaceTextRecorded(undoManager(), box, box->textString() + QLatin1Char('\n') + savedText);
    endUndoStep(QStringLiteral("Add Saved Text"));
}
