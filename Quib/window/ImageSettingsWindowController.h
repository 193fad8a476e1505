// The image settings sheet of the e-mail editions: where a message's pictures live for its
// readers ("uploadOption": "dropbox", "ftp" or "attachment"). The current choice is drawn in green,
// the others in dark grey. While a Dropbox link waits for the browser, a row takes a pasted code.
// The application delegate shows the sheet and runs the Dropbox and FTP choices.
#pragma once
#include <QDialog>
#include <QObject>
#include <QPointer>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

class ImageSettingsWindowController : public QObject
{
    Q_OBJECT
public:
    explicit ImageSettingsWindowController(QObject* parent = nullptr);
    ~ImageSettingsWindowController() override;

    QDialog* window() const { return m_window; }
    QPushButton* dropboxButton() const { return m_dropboxButton; }
    QPushButton* ftpButton() const { return m_ftpButton; }
    QPushButton* attachmentButton() const { return m_attachmentButton; }
    QPushButton* cancelButton() const { return m_cancelButton; }
    QLabel* currentOptionTextField() const { return m_currentOptionTextField; }
    QLineEdit* linkCodeField() const { return m_linkCodeField; }
    QPushButton* linkCodeButton() const { return m_linkCodeButton; }
    QLabel* linkStatusTextField() const { return m_linkStatusTextField; }

    // The current choice's colour, "30B34F".
    static QString currentOptionColour() { return QStringLiteral("30B34F"); }

    // Shows the sheet window-modal on parent's window (application-modal without one).
    void beginSheet(QWidget* parent);
    void windowDidLoad();
    // Redraws the three choices and the text from the stored option.
    void setupButtons();
    void selectedAttachmentOption();
    // Shows or hides the pasted-code row; status is the text above it.
    void showLinkCodeRow(bool visible, const QString& status = QString());

private:
    void loadWindow();

    QPointer<QDialog> m_window;
    QPointer<QPushButton> m_dropboxButton;
    QPointer<QPushButton> m_ftpButton;
    QPointer<QPushButton> m_attachmentButton;
    QPointer<QPushButton> m_cancelButton;
    QPointer<QLabel> m_currentOptionTextField;
    QPointer<QWidget> m_linkCodeRow;
    QPointer<QLineEdit> m_linkCodeField;
    QPointer<QPushButton> m_linkCodeButton;
    QPointer<QLabel> m_linkStatusTextField;
};
