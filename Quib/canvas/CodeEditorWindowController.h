// The code editor the canvas opens on a snippet: a plain text view in the system font at 13 points,
// a slider that sets the point size (the family stays), and Save, which the canvas answers.
#pragma once
#include <QDialog>

class QPlainTextEdit;
class QPushButton;
class QSlider;

class CodeEditorWindowController : public QDialog
{
    Q_OBJECT
public:
    explicit CodeEditorWindowController(QWidget* parent = nullptr);

    QPlainTextEdit* codeEditorTextView() const { return m_codeEditorTextView; }
    QPushButton* saveButton() const { return m_saveButton; }
    QSlider* fontSizeSlider() const { return m_fontSizeSlider; }

    // The slider's action: its value becomes the text's point size.
    void adjustCodeFontSize(int pointSize);

private:
    QPlainTextEdit* m_codeEditorTextView;
    QPushButton* m_saveButton;
    QSlider* m_fontSizeSlider;
};
