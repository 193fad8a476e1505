#include "window/PageSettingsWindowController.h"

#include "window/FlippedNSView.h"
#include "window/inspector/SegmentedControl.h"

#include <QCheckBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

namespace {

const QColor kSwitchBlue(0x1E, 0x5A, 0xC8);

void setTextColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Text, colour);
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::ButtonText, colour);
    widget->setPalette(palette);
}

QLineEdit* field(QWidget* parent, const char* name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

QLabel* label(QWidget* parent, const char* name, const QString& text)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    return l;
}

QCheckBox* blueSwitch(QWidget* parent, const char* name, const QString& title)
{
    auto* box = new QCheckBox(title, parent);
    box->setObjectName(QLatin1String(name));
    setTextColour(box, kSwitchBlue);
    return box;
}

SegmentedControl* segments(QWidget* parent, const char* name, const QStringList& labels)
{
    auto* control = new SegmentedControl(parent);
    control->setObjectName(QLatin1String(name));
    control->setSegments(labels);
    return control;
}

QPushButton* button(QWidget* parent, const char* name, const QString& title)
{
    auto* b = new QPushButton(title, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

// Header code is typed as code: no smart quotes, no spelling help.
QPlainTextEdit* codeView(QWidget* parent, const char* name)
{
    auto* view = new QPlainTextEdit(parent);
    view->setObjectName(QLatin1String(name));
    view->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    view->setTabChangesFocus(true);
    return view;
}

} // namespace

PageSettingsWindowController::PageSettingsWindowController(QWidget* parentWindow) : QDialog(parentWindow)
{
    setObjectName(QStringLiteral("PageSettingsWindowController"));
    setWindowTitle(QStringLiteral("Page Preferences"));
    setWindowModality(Qt::WindowModal);
    resize(860, 620);

    m_pageTitleTextFieldLabel = label(this, "pageTitleTextFieldLabel", QStringLiteral("Page Title"));
    m_pageTitleTextField = field(this, "pageTitleTextField");
    m_pageFileNameTextFieldLabel = label(this, "pageFileNameTextFieldLabel", QStringLiteral("File Name"));
    m_pageFileNameTextField = field(this, "pageFileNameTextField");
    m_fileNameHelpButton = button(this, "fileNameHelpButton", QStringLiteral("?"));
    m_pageFileExtensionTextField = field(this, "pageFileExtensionTextField");
    m_pageFileExtensionTextField->setEnabled(false);
    m_publishExtTextField = field(this, "publishExtTextField");
    m_metaDescriptionFieldLabel =
        label(this, "metaDescriptionFieldLabel", QStringLiteral("Meta Description"));
    m_metaDescriptionField = field(this, "metaDescriptionField");
    m_metaKeywordsFieldLabel = label(this, "metaKeywordsFieldLabel", QStringLiteral("Meta Keywords"));
    m_metaKeywordsField = field(this, "metaKeywordsField");

    m_baseTemplateSwitch = blueSwitch(this, "baseTemplateSwitch", QStringLiteral("Use Base Template"));
    QFont switchFont(QStringLiteral("Heiti TC"));
    switchFont.setPointSize(16);
    m_baseTemplateSwitch->setFont(switchFont);
    m_inheritMetadataSwitch = blueSwitch(this, "inheritMetadataSwitch", QStringLiteral("Inherit Metadata"));
    m_inheritCustomHeaderCodeSwitch =
        blueSwitch(this, "inheritCustomHeaderCodeSwitch", QStringLiteral("Inherit Custom Header Code"));

    // The header area: the inherited code above the page's own, laid out by hand.
    m_customHeaderView = new FlippedNSView;
    m_customHeaderView->setObjectName(QStringLiteral("customHeaderView"));
    m_customHeaderView->setMinimumHeight(140);
    m_baseHeaderTextView = codeView(m_customHeaderView, "baseHeaderTextView");
    m_baseHeaderTextView->setReadOnly(true);
    setTextColour(m_baseHeaderTextView, Qt::blue);
    m_headerTextView = codeView(m_customHeaderView, "headerTextView");
    QFont labelFont = font();
    labelFont.setPointSize(13);
    m_baseHeaderTextViewLabel = label(m_customHeaderView, "baseHeaderTextViewLabel",
                                      QStringLiteral("Inherited Base Template Custom Header Code"));
    m_headerTextViewLabel =
        label(m_customHeaderView, "headerTextViewLabel", QStringLiteral("Page Specific Custom Header Code"));
    for (QLabel* l : {m_baseHeaderTextViewLabel, m_headerTextViewLabel})
        l->setFont(labelFont);
    m_customHeaderView->installEventFilter(this);

    m_pageWidthManualSegmentControl =
        segments(this, "pageWidthManualSegmentControl", {QStringLiteral("Auto"), QStringLiteral("Manual")});
    m_pageWidthField = field(this, "pageWidthField");
    m_centerPageCheckbox = new QCheckBox(QStringLiteral("Center Page"), this);
    m_centerPageCheckbox->setObjectName(QStringLiteral("centerPageCheckbox"));
    m_encodingControl =
        segments(this, "encodingControl",
                 {QStringLiteral("UTF-8"), QStringLiteral("UTF-16"), QStringLiteral("Win-1251")});
    m_imageTypeControl = segments(this, "imageTypeControl", {QStringLiteral("PNG"), QStringLiteral("JPEG")});
    m_imageMaxSizeControl = segments(this, "imageMaxSizeControl",
                                     {QStringLiteral("500"), QStringLiteral("1000"), QStringLiteral("1500"),
                                      QStringLiteral("2000"), QStringLiteral("5000")});
    m_imageMaxSizeHelpButton = button(this, "imageMaxSizeHelpButton", QStringLiteral("?"));
    m_retinaCheckbox = new QCheckBox(QStringLiteral("HD Graphics"), this);
    m_retinaCheckbox->setObjectName(QStringLiteral("retinaCheckbox"));
    m_recalculateButton = button(this, "recalculateButton", QStringLiteral("Compress"));

    m_backgroundImageView = label(this, "backgroundImageView", QString());
    m_backgroundImageView->setFixedSize(160, 100);
    m_backgroundImageView->setFrameShape(QFrame::Box);
    m_backgroundImageView->setAlignment(Qt::AlignCenter);
    m_applyImageButton = button(this, "applyImageButton", QStringLiteral("Choose Image…"));
    m_removeBackgroundButton = button(this, "removeBackgroundButton", QStringLiteral("Remove"));
    m_backgroundQualityLabel =
        label(this, "backgroundQualityLabel", QStringLiteral("Background Image Quality (JPEG)"));
    m_backgroundQualityControl =
        segments(this, "backgroundQualityControl",
                 {QStringLiteral("High"), QStringLiteral("Medium"), QStringLiteral("Low")});
    m_saveButton = button(this, "saveButton", QStringLiteral("Save"));
    m_saveButton->setDefault(true);

    // Left: the page's identity and head; right: width, encoding, images and background.
    auto* identity = new QWidget;
    auto* form = new QFormLayout(identity);
    form->addRow(m_pageTitleTextFieldLabel, m_pageTitleTextField);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(m_pageFileNameTextField, 1);
    fileRow->addWidget(new QLabel(QStringLiteral("."), this));
    fileRow->addWidget(m_pageFileExtensionTextField);
    m_pageFileExtensionTextField->setMaximumWidth(60);
    fileRow->addWidget(m_fileNameHelpButton);
    form->addRow(m_pageFileNameTextFieldLabel, fileRow);
    form->addRow(QStringLiteral("Publish Extension"), m_publishExtTextField);
    form->addRow(m_baseTemplateSwitch);
    auto* inheritRow = new QHBoxLayout;
    inheritRow->addWidget(m_inheritMetadataSwitch);
    inheritRow->addWidget(m_inheritCustomHeaderCodeSwitch);
    inheritRow->addStretch();
    form->addRow(inheritRow);
    form->addRow(m_metaDescriptionFieldLabel, m_metaDescriptionField);
    form->addRow(m_metaKeywordsFieldLabel, m_metaKeywordsField);

    m_splitView = new QSplitter(Qt::Vertical);
    m_splitView->setObjectName(QStringLiteral("splitView"));
    m_splitView->addWidget(identity);
    m_splitView->addWidget(m_customHeaderView);
    m_splitView->setStretchFactor(1, 1);
    connect(m_splitView, &QSplitter::splitterMoved, this, [this] { adjustCustomHeaderObjects(); });

    auto* settings = new QVBoxLayout;
    auto* widthRow = new QHBoxLayout;
    widthRow->addWidget(m_pageWidthManualSegmentControl);
    widthRow->addWidget(m_pageWidthField);
    settings->addWidget(new QLabel(QStringLiteral("Page Width"), this));
    settings->addLayout(widthRow);
    settings->addWidget(m_centerPageCheckbox);
    settings->addWidget(new QLabel(QStringLiteral("Encoding"), this));
    settings->addWidget(m_encodingControl);
    settings->addWidget(new QLabel(QStringLiteral("Image Type"), this));
    settings->addWidget(m_imageTypeControl);
    auto* sizeRow = new QHBoxLayout;
    sizeRow->addWidget(m_imageMaxSizeControl);
    sizeRow->addWidget(m_imageMaxSizeHelpButton);
    settings->addWidget(new QLabel(QStringLiteral("Image Generation"), this));
    settings->addLayout(sizeRow);
    auto* retinaRow = new QHBoxLayout;
    retinaRow->addWidget(m_retinaCheckbox);
    retinaRow->addWidget(m_recalculateButton);
    settings->addLayout(retinaRow);
    settings->addWidget(new QLabel(QStringLiteral("Background Image"), this));
    settings->addWidget(m_backgroundImageView);
    auto* backgroundRow = new QHBoxLayout;
    backgroundRow->addWidget(m_applyImageButton);
    backgroundRow->addWidget(m_removeBackgroundButton);
    settings->addLayout(backgroundRow);
    settings->addWidget(m_backgroundQualityLabel);
    settings->addWidget(m_backgroundQualityControl);
    settings->addStretch();
    auto* saveRow = new QHBoxLayout;
    saveRow->addStretch();
    saveRow->addWidget(m_saveButton);
    settings->addLayout(saveRow);

    auto* top = new QHBoxLayout(this);
    top->addWidget(m_splitView, 3);
    top->addLayout(settings, 2);

    m_pageTitleTextFieldLabel->setToolTip(
        QStringLiteral("This is the title of your web page, it will appear on the top toolbar in web "
                       "browsers.\n\nExample: Joe's Pizza - Best Pizza in Town"));
    m_pageFileNameTextFieldLabel->setToolTip(QStringLiteral(
        "This is the file name of your web page, not to be confused with the title.\n\nExample: index.html"));
    m_metaDescriptionFieldLabel->setToolTip(
        QStringLiteral("Meta Description should be a short description of your website.\n\nThis information "
                       "helps search engines index your website."));
    m_metaKeywordsFieldLabel->setToolTip(
        QStringLiteral("Meta Keywords should be a list of comma delimited keywords that best represent your "
                       "website content.\n\nThis information helps search engines index your website."));
    m_headerTextViewLabel->setToolTip(
        QStringLiteral("Custom Header Code is used to insert custom HTML source code into the <head> tag of "
                       "your web page.\n\nThis is an advanced field reserved for users with programming "
                       "experience."));

    connect(m_baseTemplateSwitch, &QCheckBox::clicked, this, [this] { updateBaseTemplateTextFields(); });
    connect(m_inheritMetadataSwitch, &QCheckBox::clicked, this, [this] { updateMetadataSwitchValue(); });
    connect(m_inheritCustomHeaderCodeSwitch, &QCheckBox::clicked, this,
            [this] { updateCustomHeaderCodeSwitchValue(); });
    connect(m_pageWidthManualSegmentControl, &SegmentedControl::segmentActivated, this,
            [this] { changePageWidthCalculateSetting(); });
    adjustCustomHeaderObjects();
}

bool PageSettingsWindowController::isBasePage() const
{
    return m_pageFileNameTextField->text() == QLatin1String("basetemplate") || !baseTemplateExistFlag;
}

void PageSettingsWindowController::setMetaFieldsLocked(bool locked)
{
    for (QLineEdit* f : {m_metaDescriptionField, m_metaKeywordsField}) {
        f->setEnabled(!locked);
        f->setReadOnly(locked);
        setTextColour(f, locked ? QColor(Qt::gray) : QColor(Qt::black));
    }
}

void PageSettingsWindowController::updateBaseTemplateTextFields()
{
    if (isBasePage()) {
        for (QWidget* w :
             {static_cast<QWidget*>(m_baseTemplateSwitch), static_cast<QWidget*>(m_inheritMetadataSwitch),
              static_cast<QWidget*>(m_inheritCustomHeaderCodeSwitch),
              static_cast<QWidget*>(m_baseHeaderTextView), static_cast<QWidget*>(m_baseHeaderTextViewLabel)})
            w->setVisible(false);
    } else {
        m_baseTemplateSwitch->setVisible(true);
        const bool use = m_baseTemplateSwitch->isChecked();
        // The base template's background is the page's.
        m_applyImageButton->setVisible(!use);
        m_removeBackgroundButton->setVisible(!use);
        m_backgroundQualityControl->setVisible(!use);
        m_backgroundQualityLabel->setText(use ? QStringLiteral("Inherited from Base Template")
                                              : QStringLiteral("Background Image Quality (JPEG)"));
        m_inheritMetadataSwitch->setChecked(use);
        m_inheritCustomHeaderCodeSwitch->setChecked(use);
        m_inheritMetadataSwitch->setVisible(use);
        m_inheritCustomHeaderCodeSwitch->setVisible(use);
        const bool inherited = m_inheritCustomHeaderCodeSwitch->isChecked();
        m_baseHeaderTextView->setVisible(inherited);
        m_baseHeaderTextViewLabel->setVisible(inherited);
        setMetaFieldsLocked(m_inheritMetadataSwitch->isChecked());
    }
    adjustCustomHeaderObjects();
}

void PageSettingsWindowController::updateMetadataSwitchValue()
{
    if (!m_inheritMetadataSwitch->isChecked()) {
        setMetaFieldsLocked(false);
        return;
    }
    setMetaFieldsLocked(true);
    m_metaDescriptionField->setText(baseTemplateMetaDescription);
    m_metaKeywordsField->setText(baseTemplateMetaKeywords);
}

void PageSettingsWindowController::updateCustomHeaderCodeSwitchValue()
{
    adjustCustomHeaderObjects();
}

void PageSettingsWindowController::adjustCustomHeaderObjects()
{
    const int w = m_customHeaderView->width();
    const int h = m_customHeaderView->height();
    const bool inherited = m_inheritCustomHeaderCodeSwitch->isChecked() && !isBasePage();
    if (inherited) {
        m_baseHeaderTextViewLabel->setGeometry(5, 0, w, 20);
        m_baseHeaderTextView->setGeometry(0, 20, w, 50);
    } else {
        m_baseHeaderTextViewLabel->setGeometry(0, 0, 0, 0);
        m_baseHeaderTextView->setGeometry(0, 0, 0, 0);
    }
    m_baseHeaderTextView->setVisible(inherited);
    m_baseHeaderTextViewLabel->setVisible(inherited);
    const int a = m_baseHeaderTextViewLabel->height() + m_baseHeaderTextView->height();
    m_headerTextViewLabel->setGeometry(5, a, w, 20);
    const int bottom = a + m_headerTextViewLabel->height();
    m_headerTextView->setGeometry(0, bottom, w, std::max(0, h - bottom));
}

void PageSettingsWindowController::changePageWidthCalculateSetting()
{
    const bool manual = m_pageWidthManualSegmentControl->selectedIndex() > 0;
    m_pageWidthField->setEnabled(manual);
    setTextColour(m_pageWidthField, manual ? QColor(Qt::black) : QColor(Qt::gray));
}

bool PageSettingsWindowController::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_customHeaderView && event->type() == QEvent::Resize)
        adjustCustomHeaderObjects();
    return QDialog::eventFilter(watched, event);
}
