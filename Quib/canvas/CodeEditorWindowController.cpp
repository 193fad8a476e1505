#include "canvas/CodeEditorWindowController.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

CodeEditorWindowController::CodeEditorWindowController(QWidget* parent)
    : QDialog(parent), m_codeEditorTextView(new QPlainTextEdit(this)),
      m_saveButton(new QPushButton(QStringLiteral("Save"), this)),
      m_fontSizeSlider(new QSlider(Qt::Horizontal, this))
{
    setObjectName(QStringLiteral("codeEditorWindow"));
    setWindowTitle(QStringLiteral("Code Editor"));
    resize(600, 400);
    m_codeEditorTextView->setObjectName(QStringLiteral("codeEditorTextView"));
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSize(13);
    m_codeEditorTextView->setFont(font);
    m_saveButton->setObjectName(QStringLiteral("saveButton"));
    m_fontSizeSlider->setObjectName(QStringLiteral("fontSizeSlider"));
    m_fontSizeSlider->setRange(9, 36);
    m_fontSizeSlider->setValue(13);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(QStringLiteral("Text size"), this));
    bottom->addWidget(m_fontSizeSlider, 1);
    bottom->addStretch(1);
    bottom->addWidget(m_saveButton);
    auto* column = new QVBoxLayout(this);
    column->addWidget(m_codeEditorTextView, 1);
    column->addLayout(bottom);

    connect(m_fontSizeSlider, &QSlider::valueChanged, this, &CodeEditorWindowController::adjustCodeFontSize);
}

void CodeEditorWindowController::adjustCodeFontSize(int pointSize)
{
    QFont font = m_codeEditorTextView->font();
    font.setPointSize(pointSize);
    m_codeEditorTextView->setFont(font);
}
