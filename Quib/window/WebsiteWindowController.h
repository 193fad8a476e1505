// The window that lists the website themes; its one outlet is the flipped scroll view they sit in.
#pragma once
#include <QObject>
#include <QPointer>

class FlippedScrollView;
class QWidget;

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

private:
    QPointer<QWidget> m_window;
    QPointer<FlippedScrollView> m_scrollView;
};
