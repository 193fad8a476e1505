// The share panel: a sheet on a document window with a grid of large icon buttons that offer the page
// to the outside (picture and PDF exports, the clipboard, sharing services, the browser, rating).
// Which buttons an edition shows, and in which order, is a table by display name. Every panel builds
// its own buttons: a widget has one parent, so two documents never share them.
#pragma once
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class FlippedNSView;
class QDialog;
class QIcon;
class QLabel;
class QPushButton;
class QToolButton;
class QWidget;

class ShareWindowController : public QObject
{
    Q_OBJECT
public:
    // In the order the buttons are built.
    enum class ShareButtonKind {
        SaveAsPNG,
        SaveAsJPEG,
        SaveAsPDF,
        SaveAllPDFPages,
        SaveAllPDFPagesFast,
        SendToClipBoard,      // the published address
        SendImageToClipBoard, // the page image
        ShareOnFacebook,
        ShareOnTwitter,
        ShareOnMessage,
        RateApp,
        LaunchInSafari,
        SendToEmail,
        SendToAirdrop,
    };
    struct ButtonDescription
    {
        ShareButtonKind kind;
        const char* property;        // the panel's name for the button
        const char* imageName;       // a picture in the resources' images, else a drawn tile
        const char* title;
        const char* documentAction;  // what the document connects it to
        bool hasPlatformService;     // false where this desktop offers no such service
    };
    // The fourteen buttons, in build order.
    static const QList<ButtonDescription>& buttonTable();
    static const ButtonDescription& description(ShareButtonKind kind);
    // The ordered buttons of the edition; empty for an edition without a list.
    static QList<ShareButtonKind> shareButtonsForEdition(const QString& displayName);
    // The running edition's list.
    static QList<ShareButtonKind> gShareButtons();
    // The title of kind in the edition (some editions retitle a few buttons).
    static QString titleForEdition(ShareButtonKind kind, const QString& displayName);
    // The 70 by 70 picture for an image name.
    static QIcon iconNamed(const QString& imageName);

    // The panel's window is a sheet of parent (a document window), not shown until asked.
    explicit ShareWindowController(QWidget* parent, QObject* owner = nullptr);
    ~ShareWindowController() override;

    QDialog* window() const { return m_window; }
    QPushButton* closeButton() const { return m_closeButton; }
    QLabel* labelTextField() const { return m_labelTextField; }
    FlippedNSView* mainView() const { return m_mainView; }
    void setLabelText(const QString& text);

    // This panel's buttons in the edition's order (none for an edition without a list).
    QList<QToolButton*> shareButtons() const { return m_shareButtons; }
    // The button of kind, built whether or not the edition lists it.
    QToolButton* button(ShareButtonKind kind) const;
    // Points a button at an operation and enables it; until then it stays greyed.
    void setButtonAction(ShareButtonKind kind, std::function<void()> action);

    // Rows of four in the button area, top row first, 30 points apart, each button keeping its size.
    void layOutShareButtons();

    static constexpr int kButtonSide = 100;
    static constexpr int kIconSide = 70;
    static constexpr int kSpacing = 30;
    static constexpr int kColumns = 4;

private:
    void windowDidLoad();

    QPointer<QDialog> m_window;
    QPushButton* m_closeButton = nullptr;
    QLabel* m_labelTextField = nullptr;
    FlippedNSView* m_mainView = nullptr;
    QList<QToolButton*> m_allButtons; // by kind
    QList<QToolButton*> m_shareButtons;
    QList<QMetaObject::Connection> m_actions; // by kind
};
