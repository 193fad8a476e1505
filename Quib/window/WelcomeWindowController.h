// The edition's welcome window: its name in large type, version and welcome text, icon, the two main
// buttons whose titles and actions come from the edition, the user-guide and video buttons where the
// edition has them, the what's-new text and a promotion of a sibling product. Built afresh for every
// showing; the buttons send their actions through the sender the application gives it.
#pragma once
#include <QObject>
#include <QPointer>
#include <QRectF>
#include <QString>
#include <functional>
#include <optional>

class QLabel;
class QMenuBar;
class QPushButton;
class QWidget;

class WelcomeWindowController : public QObject
{
    Q_OBJECT
public:
    // An edition's row of the welcome table; a null title or action keeps the laid-out one.
    struct EditionRow
    {
        const char* edition;
        const char* newTitle;
        const char* newAction;
        const char* openTitle;
        const char* openAction;
        const char* promotion; // nullptr: none
    };
    struct Promotion
    {
        QString image;
        QString title;
        QString message;
        QString url;
    };
    static const EditionRow* rowForEdition(const QString& displayName);
    static std::optional<Promotion> promotionNamed(const QString& key);
    // The laid-out buttons: a new project and an existing one.
    static QString defaultNewAction() { return QStringLiteral("addNewBlankGroup:"); }
    static QString defaultOpenAction() { return QStringLiteral("openGroup:"); }

    using ActionSender = std::function<void(const QString& action)>;
    explicit WelcomeWindowController(ActionSender sender, QObject* parent = nullptr);
    ~WelcomeWindowController() override;

    QWidget* window() const { return m_window; }
    QLabel* appTitleTextField() const { return m_appTitleTextField; }
    QLabel* appVersionTextField() const { return m_appVersionTextField; }
    QLabel* logoImageView() const { return m_logoImageView; }
    QLabel* whatsNewTextField() const { return m_whatsNewTextField; }
    QPushButton* addNewWebsiteButton() const { return m_addNewWebsiteButton; }
    QPushButton* openNewWebsiteButton() const { return m_openNewWebsiteButton; }
    QPushButton* userGuideButton() const { return m_userGuideButton; }
    QPushButton* videoTutorialButton() const { return m_videoTutorialButton; }
    QPushButton* promoButton() const { return m_promoButton; }
    QString newAction() const { return m_newAction; }
    QString openAction() const { return m_openAction; }
    std::optional<Promotion> promotion() const { return m_promotion; }

    void showWindow();
    // Puts the application's menus across the top of the window (Linux has no global menu bar), the
    // window growing by the bar's height; the window owns the bar.
    void setMenuBar(QMenuBar* bar);
    QMenuBar* menuBar() const { return m_menuBar; }
    // The promotion alert; "Learn more" opens its address.
    void launchPromotionMessage();
    // "Impact" where installed, else the bundled bold sans of the same spirit.
    static QString titleFontFamily();

signals:
    // The user closed the window (not hidden by the application).
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void windowDidLoad();

    ActionSender m_sender;
    QPointer<QWidget> m_window;
    QMenuBar* m_menuBar = nullptr;
    QLabel* m_appTitleTextField = nullptr;
    QLabel* m_appVersionTextField = nullptr;
    QLabel* m_logoImageView = nullptr;
    QLabel* m_whatsNewTextField = nullptr;
    QPushButton* m_addNewWebsiteButton = nullptr;
    QPushButton* m_openNewWebsiteButton = nullptr;
    QPushButton* m_userGuideButton = nullptr;
    QPushButton* m_videoTutorialButton = nullptr;
    QPushButton* m_promoButton = nullptr;
    QString m_newAction;
    QString m_openAction;
    std::optional<Promotion> m_promotion;
};
