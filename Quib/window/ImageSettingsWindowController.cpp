#include "window/ImageSettingsWindowController.h"

#include "platform/UserDefaults.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kOptionKey = QStringLiteral("uploadOption");

QString buttonStyle(const QString& background)
{
    return QStringLiteral("QPushButton { color: white; background-color: %1; border: none; border-radius: 4px;"
                          " padding: 10px 18px; font-weight: bold; }")
        .arg(background);
}

} // namespace

ImageSettingsWindowController::ImageSettingsWindowController(QObject* parent) : QObject(parent)
{
    loadWindow();
}

ImageSettingsWindowController::~ImageSettingsWindowController()
{
    delete m_window.data();
}

void ImageSettingsWindowController::loadWindow()
{
    m_window = new QDialog;
    m_window->setObjectName(QStringLiteral("ImageSettingsWindowController"));
    m_window->setWindowTitle(QStringLiteral("Image Settings"));
    auto* intro = new QLabel(QStringLiteral("Where should the images of your e-mails be stored?"), m_window);
    m_dropboxButton = new QPushButton(QStringLiteral("Dropbox"), m_window);
    m_ftpButton = new QPushButton(QStringLiteral("FTP"), m_window);
    m_attachmentButton = new QPushButton(QStringLiteral("Attachment"), m_window);
    auto* choices = new QHBoxLayout;
    for (QPushButton* button : {m_dropboxButton.data(), m_ftpButton.data(), m_attachmentButton.data()}) {
        button->setAutoDefault(false);
        button->setMinimumSize(130, 36);
        choices->addWidget(button);
    }
    m_currentOptionTextField = new QLabel(m_window);
    m_currentOptionTextField->setAlignment(Qt::AlignCenter);

    m_linkStatusTextField = new QLabel(m_window);
    m_linkStatusTextField->setWordWrap(true);
    m_linkStatusTextField->hide();
    m_linkCodeRow = new QWidget(m_window);
    m_linkCodeField = new QLineEdit(m_linkCodeRow);
    m_linkCodeField->setPlaceholderText(QStringLiteral("Code from the browser"));
    m_linkCodeField->setMaxLength(2048);
    m_linkCodeButton = new QPushButton(QStringLiteral("Link"), m_linkCodeRow);
    m_linkCodeButton->setAutoDefault(false);
    auto* codeRow = new QHBoxLayout(m_linkCodeRow);
    codeRow->setContentsMargins(0, 0, 0, 0);
    codeRow->addWidget(m_linkCodeField, 1);
    codeRow->addWidget(m_linkCodeButton);
    m_linkCodeRow->hide();

    m_cancelButton = new QPushButton(QStringLiteral("Close"), m_window);
    m_cancelButton->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cancelButton);

    auto* layout = new QVBoxLayout(m_window);
    // The sheet fits its rows: the pasted-code row comes and goes.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(intro);
    layout->addLayout(choices);
    layout->addWidget(m_currentOptionTextField);
    layout->addWidget(m_linkStatusTextField);
    layout->addWidget(m_linkCodeRow);
    layout->addLayout(buttons);

    connect(m_attachmentButton, &QPushButton::clicked, this, &ImageSettingsWindowController::selectedAttachmentOption);
    windowDidLoad();
}

void ImageSettingsWindowController::windowDidLoad()
{
    setupButtons();
}

void ImageSettingsWindowController::beginSheet(QWidget* parent)
{
    if (!m_window)
        loadWindow();
    QWidget* host = parent ? parent->window() : nullptr;
    // Reparenting turns a dialog into a child widget unless its window flags are given again.
    if (m_window->parentWidget() != host)
        m_window->setParent(host, Qt::Dialog);
    m_window->setWindowModality(host ? Qt::WindowModal : Qt::ApplicationModal);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void ImageSettingsWindowController::setupButtons()
{
    if (!m_window)
        return;
    const QString option = platform::UserDefaults::standard().stringForKey(kOptionKey);
    const QString current = option == QLatin1String("dropbox") ? QStringLiteral("dropbox")
                            : option == QLatin1String("ftp")   ? QStringLiteral("ftp")
                                                               : QStringLiteral("attachment");
    const QString green = QLatin1Char('#') + currentOptionColour();
    const QString darkGrey = QStringLiteral("#555555");
    m_dropboxButton->setStyleSheet(buttonStyle(current == QLatin1String("dropbox") ? green : darkGrey));
    m_ftpButton->setStyleSheet(buttonStyle(current == QLatin1String("ftp") ? green : darkGrey));
    m_attachmentButton->setStyleSheet(buttonStyle(current == QLatin1String("attachment") ? green : darkGrey));
    m_currentOptionTextField->setText(current == QLatin1String("dropbox") ? QStringLiteral("Current option selected: Dropbox")
                                      : current == QLatin1String("ftp")
                                          ? QStringLiteral("Current option selected: FTP")
                                          : QStringLiteral("Current option selected: Attachment"));
}

void ImageSettingsWindowController::selectedAttachmentOption()
{
    platform::UserDefaults::standard().setObject(kOptionKey, QStringLiteral("attachment"));
    setupButtons();
}

void ImageSettingsWindowController::showLinkCodeRow(bool visible, const QString& status)
{
    if (!m_window)
        return;
    m_linkCodeRow->setVisible(visible);
    if (visible)
        m_linkCodeField->clear();
    m_linkStatusTextField->setText(status);
    m_linkStatusTextField->setVisible(!status.isEmpty());
}
