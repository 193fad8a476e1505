// The window that lists the shipped website themes, one band per theme: its page pictures, title
// and description over a button that starts a new project from it. Its one outlet is the flipped
// scroll view the bands sit in; the view is as tall as the themes need.
#pragma once
#include <QImage>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class FlippedScrollView;
class QPushButton;
class QWidget;

// One shipped theme as the theme browser shows it.
struct WebsiteObject
{
    QString websiteFolder; // folder name under the themes folder
    QString websiteTitle;
    QString websiteDescription;
    QList<QImage> pageIconArray; // thumbnails of its pages
};

class WebsiteWindowController : public QObject
{
    Q_OBJECT
public:
    explicit WebsiteWindowController(QObject* parent = nullptr);
    ~WebsiteWindowController() override;

    // Made on first need, with the scroll view as its content.
    QWidget* window();
    void windowDidLoad() {}
    FlippedScrollView* scrollView();
    void setScrollView(FlippedScrollView* view);

    // Lays the themes out (theme i in the band 300 points tall from y = 300 i) and shows the window.
    void showThemes(const QList<WebsiteObject>& themes);
    // The band buttons; the tag of a button is its theme's index.
    QList<QPushButton*> themeButtons() const { return m_themeButtons; }
    QWidget* themeView() const { return m_themeView; }
    static int themeViewHeight(int themeCount);

signals:
    // The user pressed the band of theme tag.
    void themeChosen(int tag);

private:
    QPointer<QWidget> m_window;
    QPointer<FlippedScrollView> m_scrollView;
    QPointer<QWidget> m_themeView;
    QList<QPushButton*> m_themeButtons;
};
