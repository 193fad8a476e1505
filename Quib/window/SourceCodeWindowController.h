// The source window of one page: the generated page text (or an e-mail's HTML) in a read-only text
// view, with a button that copies it. A document has at most one, made on first use and kept as its
// child for the document's life, so a second request refreshes the same window. The document's
// source commands live here because the document may not reach the window layer. Main thread only.
#pragma once
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class DRVDocument;
class QPlainTextEdit;
class QPushButton;
class QWidget;

class SourceCodeWindowController : public QObject
{
    Q_OBJECT
public:
    explicit SourceCodeWindowController(QObject* parent = nullptr);
    ~SourceCodeWindowController() override;

    // Made on first need.
    QWidget* window();
    bool isWindowLoaded() const { return m_window != nullptr; }
    QPlainTextEdit* textView();
    // The text view scrolls itself; it is the scroll view too.
    QPlainTextEdit* scrollView() { return textView(); }
    QPushButton* grabCodeButton();
    void showWindow();

    // Shows text, or "Oops, no source code generated, please request again" when it is empty.
    void setSourceText(const QString& text);

    // ---- the document's source commands ----
    // The document's source window, or nullptr before its first use.
    static SourceCodeWindowController* sourceCodeController(const DRVDocument* document);
    // The published form of the page (responsive where the edition publishes so).
    static void showOrHideSourceCode(DRVDocument* document);
    // The stored form of the page (always the absolute shape).
    static void showOrHideSourceCodeStatic(DRVDocument* document);
    // Generates the page text without writing image files and shows it under "Source Code". A page
    // without a name takes the document's file name.
    static void showSourceCode(DRVDocument* document, bool publishFlag);
    // The image-map e-mail editions' source command: sets the document's showCodeOnlyFlag and hands
    // the page to the e-mail flow, which renders and hosts its picture and then shows the message's
    // HTML through presentGeneratedSourceCode instead of sending it. A hand-over, when installed,
    // takes the page instead of the document's own flow (DRVDocument::uploadPNG).
    static void showMailSourceCode(DRVDocument* document);
    using MailHandOver = std::function<void(DRVDocument* document)>;
    static void setMailHandOver(MailHandOver handOver);
    // The image-map e-mail editions ("Ulmira Pro 2", "Ulmira Express").
    static bool isImageMapEmailEdition(const QString& editionDisplayName);
    // An e-mail's HTML under "HTML Code"; clears the document's showCodeOnlyFlag.
    static void presentGeneratedSourceCode(DRVDocument* document, const QString& html);
    // Puts the source window's text on the clipboard as plain text and confirms "Copied to
    // Clipboard".
    static void grabSourceCode(DRVDocument* document);
    // The window of the document's only window; nullptr with none or several.
    static QWidget* documentWindow(const DRVDocument* document);

    // The user's choice to see no more image reminders.
    static void disableImageReminder();
    static bool imageReminderDisabled();

    // The e-mail code window keeps its place and size under this name; empty for none.
    void setFrameAutosaveName(const QString& name);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static SourceCodeWindowController* ensureController(DRVDocument* document);
    void showText(DRVDocument* document, const QString& title, const QString& text);

    QPointer<QWidget> m_window;
    QPointer<QPlainTextEdit> m_textView;
    QPointer<QPushButton> m_grabCodeButton;
    QPointer<DRVDocument> m_document;
    QString m_frameAutosaveName;
};
