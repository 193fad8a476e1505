// The in-place editor of a text box: a plain-text editor working directly on the text graphic's
// own text storage, with the line padding of the layout that draws it (5 points, as table cells
// have; text boxes set none), no background and no frame.
// It grows downwards with its text between a minimum and a maximum size.
#pragma once
#include <QSizeF>
#include <QTextEdit>

class QTextDocument;

class QuibTextEditor : public QTextEdit
{
    Q_OBJECT
public:
    QuibTextEditor(QTextDocument* text, QSizeF minimumSize, QSizeF maximumSize, QWidget* parent = nullptr);

    // The inset of the lines from the editor's sides.
    void setLineFragmentPadding(double padding);

    // The storage being edited; nullptr once detached.
    QTextDocument* editedText() const { return m_text; }
    // Leaves the graphic's storage alone from now on; the editor keeps an empty one of its own.
    void detachText();

protected:
    // Plain text only, whatever the clipboard offers.
    void insertFromMimeData(const QMimeData* source) override;

private:
    void fitHeightToText();

    QTextDocument* m_text = nullptr;
};
