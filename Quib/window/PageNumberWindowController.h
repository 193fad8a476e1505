// The sheet that renames a page's title; the page's file name is shown beside it, not edited here.
// The document window fills it and stores a changed title.
#pragma once
#include <QObject>
#include <QPointer>

class QDialog;
class QLineEdit;
class QPushButton;
class QWidget;

class PageNumberWindowController : public QObject
{
    Q_OBJECT
public:
    explicit PageNumberWindowController(QWidget* parentWindow);
    ~PageNumberWindowController() override;

    QDialog* window() const { return m_window; }
    QLineEdit* pageTitleTextField() const { return m_pageTitleTextField; }
    QLineEdit* pageFileNameTextField() const { return m_pageFileNameTextField; }
    QPushButton* saveButton() const { return m_saveButton; }
    QPushButton* cancelButton() const { return m_cancelButton; }

private:
    QPointer<QDialog> m_window;
    QLineEdit* m_pageTitleTextField = nullptr;
    QLineEdit* m_pageFileNameTextField = nullptr;
    QPushButton* m_saveButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
};
