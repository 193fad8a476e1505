// The sheet in which the user names a new page of a website project: title, file name, the two
// naming boxes (main launch page "index", base template "basetemplate") and whether the project's
// base template is applied. It only keeps its fields consistent while the user types and clicks;
// the document window fills it for the kind of page, shows it and reads it back.
#pragma once
#include <QObject>
#include <QPointer>
#include <QString>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

class AddNewPageViewController : public QObject
{
    Q_OBJECT
public:
    explicit AddNewPageViewController(QWidget* parentWindow);
    ~AddNewPageViewController() override;

    QDialog* window() const { return m_window; }
    QLabel* titleLabel() const { return m_titleLabel; }
    QLabel* fileNameLabel() const { return m_fileNameLabel; }
    QLineEdit* pageTitleTextField() const { return m_pageTitleTextField; }
    QLineEdit* pageFileNameTextField() const { return m_pageFileNameTextField; }
    QCheckBox* mainLaunchpageCheckbox() const { return m_mainLaunchpageCheckbox; }
    QCheckBox* baseTemplateCheckbox() const { return m_baseTemplateCheckbox; }
    QCheckBox* applyBaseTemplateCheckbox() const { return m_applyBaseTemplateCheckbox; }
    // Segment 0: the file name follows the title; segment 1: the user types it.
    QWidget* fileNameGenerationSegmentedControl() const { return m_segmentedControl; }
    QAbstractButton* fileNameGenerationSegment(int segment) const;
    int selectedSegment() const;
    void setSelectedSegment(int segment);
    QPushButton* addNewPageButton() const { return m_addNewPageButton; }
    QPushButton* chooseTemplateButton() const { return m_chooseTemplateButton; }
    QPushButton* cancelButton() const { return m_cancelButton; }

    QString pageFileType() const { return m_pageFileType; }
    void setPageFileType(const QString& type) { m_pageFileType = type; }
    QString selectedTemplateName() const { return m_selectedTemplateName; }
    void setSelectedTemplateName(const QString& name) { m_selectedTemplateName = name; }
    QString selectedTemplateCategoryFolder() const { return m_selectedTemplateCategoryFolder; }
    void setSelectedTemplateCategoryFolder(const QString& folder) { m_selectedTemplateCategoryFolder = folder; }
    // The name preset by the caller where the sheet is not shown (straight to the template chooser).
    QString directlySelectFileName() const { return m_directlySelectFileName; }
    void setDirectlySelectFileName(const QString& name) { m_directlySelectFileName = name; }

    // Wires the fields to the rules below and titles the buttons; run once the sheet is up.
    void basicSetup();
    void setFileNameGenerationType();
    void setDefaultLaunch();
    void setBaseTemplate();
    // The title's edits drive the file name while segment 0 is selected.
    void controlTextDidChange(QLineEdit* field);

private:
    void windowDidLoad();

    QPointer<QDialog> m_window;
    QLabel* m_titleLabel = nullptr;
    QLabel* m_fileNameLabel = nullptr;
    QLineEdit* m_pageTitleTextField = nullptr;
    QLineEdit* m_pageFileNameTextField = nullptr;
    QCheckBox* m_mainLaunchpageCheckbox = nullptr;
    QCheckBox* m_baseTemplateCheckbox = nullptr;
    QCheckBox* m_applyBaseTemplateCheckbox = nullptr;
    QWidget* m_segmentedControl = nullptr;
    QButtonGroup* m_segments = nullptr;
    QPushButton* m_addNewPageButton = nullptr;
    QPushButton* m_chooseTemplateButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    QString m_pageFileType;
    QString m_selectedTemplateName;
    QString m_selectedTemplateCategoryFolder;
    QString m_directlySelectFileName;
    bool m_setUp = false;
};
