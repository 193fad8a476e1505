// The page settings dialog ("Page Preferences"): a passive form whose switches keep the other
// controls consistent (hiding the base-template controls, locking the meta fields, laying out the
// custom header area). The document fills the controls and reads them back.
#pragma once
#include <QDialog>
#include <QString>

class FlippedNSView;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSplitter;
class SegmentedControl;

class PageSettingsWindowController : public QDialog
{
    Q_OBJECT
public:
    explicit PageSettingsWindowController(QWidget* parentWindow);

    // What the opener hands in before updateBaseTemplateTextFields runs.
    int useBaseTemplateFlag = 0;
    int inheritMetadataFlag = 0;
    int inheritCustomHeaderCodeFlag = 0;
    bool baseTemplateExistFlag = false;
    QString baseTemplateMetaDescription;
    QString baseTemplateMetaKeywords;

    // Action of the base-template switch: hides the base-template controls for the base template
    // itself or without one; otherwise the switch decides the background controls and both inherit
    // switches, and the meta fields are locked or unlocked to match "Inherit Metadata".
    void updateBaseTemplateTextFields();
    // Action of "Inherit Metadata": on copies the base template's meta values in and locks the fields.
    void updateMetadataSwitchValue();
    void updateCustomHeaderCodeSwitchValue();
    // The inherited header box above the page's own, when it is shown; the page's box takes the rest.
    void adjustCustomHeaderObjects();
    // Segment 0 (automatic) greys the width field; a manual width makes it usable.
    void changePageWidthCalculateSetting();
    // Locks (disabled, grey) or unlocks the two meta fields; their text stays.
    void setMetaFieldsLocked(bool locked);

    QLineEdit* pageTitleTextField() const { return m_pageTitleTextField; }
    QLabel* pageTitleTextFieldLabel() const { return m_pageTitleTextFieldLabel; }
    QLineEdit* pageFileNameTextField() const { return m_pageFileNameTextField; }
    QLabel* pageFileNameTextFieldLabel() const { return m_pageFileNameTextFieldLabel; }
    QLineEdit* pageFileExtensionTextField() const { return m_pageFileExtensionTextField; }
    QLineEdit* publishExtTextField() const { return m_publishExtTextField; }
    QLineEdit* metaDescriptionField() const { return m_metaDescriptionField; }
    QLabel* metaDescriptionFieldLabel() const { return m_metaDescriptionFieldLabel; }
    QLineEdit* metaKeywordsField() const { return m_metaKeywordsField; }
    QLabel* metaKeywordsFieldLabel() const { return m_metaKeywordsFieldLabel; }
    QPlainTextEdit* headerTextView() const { return m_headerTextView; }
    QLabel* headerTextViewLabel() const { return m_headerTextViewLabel; }
    QPlainTextEdit* baseHeaderTextView() const { return m_baseHeaderTextView; }
    QLabel* baseHeaderTextViewLabel() const { return m_baseHeaderTextViewLabel; }
    FlippedNSView* customHeaderView() const { return m_customHeaderView; }
    QSplitter* splitView() const { return m_splitView; }
    QCheckBox* baseTemplateSwitch() const { return m_baseTemplateSwitch; }
    QCheckBox* inheritMetadataSwitch() const { return m_inheritMetadataSwitch; }
    QCheckBox* inheritCustomHeaderCodeSwitch() const { return m_inheritCustomHeaderCodeSwitch; }
    SegmentedControl* pageWidthManualSegmentControl() const { return m_pageWidthManualSegmentControl; }
    QLineEdit* pageWidthField() const { return m_pageWidthField; }
    SegmentedControl* encodingControl() const { return m_encodingControl; }
    SegmentedControl* imageTypeControl() const { return m_imageTypeControl; }
    SegmentedControl* imageMaxSizeControl() const { return m_imageMaxSizeControl; }
    QCheckBox* retinaCheckbox() const { return m_retinaCheckbox; }
    QCheckBox* centerPageCheckbox() const { return m_centerPageCheckbox; }
    QLabel* backgroundImageView() const { return m_backgroundImageView; }
    QPushButton* applyImageButton() const { return m_applyImageButton; }
    QPushButton* removeBackgroundButton() const { return m_removeBackgroundButton; }
    SegmentedControl* backgroundQualityControl() const { return m_backgroundQualityControl; }
    QLabel* backgroundQualityLabel() const { return m_backgroundQualityLabel; }
    QPushButton* recalculateButton() const { return m_recalculateButton; }
    QPushButton* saveButton() const { return m_saveButton; }
    QPushButton* fileNameHelpButton() const { return m_fileNameHelpButton; }
    QPushButton* imageMaxSizeHelpButton() const { return m_imageMaxSizeHelpButton; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The base template itself, or a project without one.
    bool isBasePage() const;

    QLineEdit* m_pageTitleTextField = nullptr;
    QLabel* m_pageTitleTextFieldLabel = nullptr;
    QLineEdit* m_pageFileNameTextField = nullptr;
    QLabel* m_pageFileNameTextFieldLabel = nullptr;
    QLineEdit* m_pageFileExtensionTextField = nullptr;
    QLineEdit* m_publishExtTextField = nullptr;
    QLineEdit* m_metaDescriptionField = nullptr;
    QLabel* m_metaDescriptionFieldLabel = nullptr;
    QLineEdit* m_metaKeywordsField = nullptr;
    QLabel* m_metaKeywordsFieldLabel = nullptr;
    QPlainTextEdit* m_headerTextView = nullptr;
    QLabel* m_headerTextViewLabel = nullptr;
    QPlainTextEdit* m_baseHeaderTextView = nullptr;
    QLabel* m_baseHeaderTextViewLabel = nullptr;
    FlippedNSView* m_customHeaderView = nullptr;
    QSplitter* m_splitView = nullptr;
    QCheckBox* m_baseTemplateSwitch = nullptr;
    QCheckBox* m_inheritMetadataSwitch = nullptr;
    QCheckBox* m_inheritCustomHeaderCodeSwitch = nullptr;
    SegmentedControl* m_pageWidthManualSegmentControl = nullptr;
    QLineEdit* m_pageWidthField = nullptr;
    SegmentedControl* m_encodingControl = nullptr;
    SegmentedControl* m_imageTypeControl = nullptr;
    SegmentedControl* m_imageMaxSizeControl = nullptr;
    QCheckBox* m_retinaCheckbox = nullptr;
    QCheckBox* m_centerPageCheckbox = nullptr;
    QLabel* m_backgroundImageView = nullptr;
    QPushButton* m_applyImageButton = nullptr;
    QPushButton* m_removeBackgroundButton = nullptr;
    SegmentedControl* m_backgroundQualityControl = nullptr;
    QLabel* m_backgroundQualityLabel = nullptr;
    QPushButton* m_recalculateButton = nullptr;
    QPushButton* m_saveButton = nullptr;
    QPushButton* m_fileNameHelpButton = nullptr;
    QPushButton* m_imageMaxSizeHelpButton = nullptr;
};
