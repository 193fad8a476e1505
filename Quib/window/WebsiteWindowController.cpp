#include "window/WebsiteWindowController.h"

#include "window/FlippedScrollView.h"

#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWidget>

namespace {

constexpr int kViewWidth = 1000;
constexpr int kBandHeight = 300;
constexpr int kHeading = 50;

QLabel* whiteLabel(QWidget* parent, const QString& text, int pointSize, const QRect& frame)
{
    auto* label = new QLabel(text, parent);
    QFont font(QStringLiteral("Heiti TC"));
    font.setPointSize(pointSize);
    label->setFont(font);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setWordWrap(true);
    label->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    label->setGeometry(frame);
    label->setTextInteractionFlags(Qt::NoTextInteraction);
    return label;
}

} // namespace

WebsiteWindowController::WebsiteWindowController(QObject* parent) : QObject(parent) {}

WebsiteWindowController::~WebsiteWindowController()
{
    delete m_window;
}

QWidget* WebsiteWindowController::window()
{
    if (m_window)
        return m_window;
    m_window = new QWidget(nullptr, Qt::Window);
    m_window->setObjectName(QStringLiteral("WebsiteWindowController"));
    auto* layout = new QVBoxLayout(m_window);
    layout->setContentsMargins(0, 0, 0, 0);
    if (!m_scrollView)
        m_scrollView = new FlippedScrollView;
    m_scrollView->setFrameShape(QFrame::Box);
    m_scrollView->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_scrollView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The view grows with the window and scrolls once the themes need more than it shows.
    m_scrollView->setWidgetResizable(true);
    layout->addWidget(m_scrollView);
    m_window->resize(kViewWidth + m_scrollView->verticalScrollBar()->sizeHint().width() + 4, 700);
    windowDidLoad();
    return m_window;
}

FlippedScrollView* WebsiteWindowController::scrollView()
{
    window();
    return m_scrollView;
}

void WebsiteWindowController::setScrollView(FlippedScrollView* view)
{
    m_scrollView = view;
}

int WebsiteWindowController::themeViewHeight(int themeCount)
{
    // The last band's description ends 50 points below its band: every theme stays reachable.
    return kHeading + kBandHeight * std::max(themeCount, 0) + kHeading;
}

void WebsiteWindowController::showThemes(const QList<WebsiteObject>& themes)
{
    QWidget* host = window();
    const int count = int(themes.size());
    host->setWindowTitle(QStringLiteral("Please Choose Template (%1 Themes in Collection)").arg(count));

    auto* view = new QWidget;
    view->setObjectName(QStringLiteral("themeView"));
    view->setAutoFillBackground(true);
    QPalette palette = view->palette();
    palette.setColor(QPalette::Window, Qt::black);
    view->setPalette(palette);
    view->setMinimumSize(kViewWidth, themeViewHeight(count));
    whiteLabel(view, QStringLiteral("%1 Themes in Collection").arg(count), 30, QRect(100, 0, 800, 40));

    m_themeButtons.clear();
    for (int i = 0; i < count; ++i) {
        const WebsiteObject& theme = themes.at(i);
        const int top = kBandHeight * i;
        for (int j = 0; j < int(theme.pageIconArray.size()) && 200 * j < kViewWidth; ++j) {
            auto* picture = new QLabel(view);
            picture->setGeometry(200 * j, top + kHeading, 200, 200);
            picture->setAlignment(Qt::AlignCenter);
            picture->setPixmap(QPixmap::fromImage(theme.pageIconArray.at(j).scaled(
                200, 200, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
        }
        whiteLabel(view, theme.websiteTitle, 20, QRect(100, top + 260, 800, 30));
        whiteLabel(view, theme.websiteDescription, 12, QRect(100, top + 300, 800, 50));
        // Over the pictures and texts, so a click anywhere on the band picks the theme.
        auto* band = new QPushButton(view);
        band->setObjectName(QStringLiteral("themeButton%1").arg(i));
        band->setFlat(true);
        band->setStyleSheet(QStringLiteral("background: transparent; border: none;"));
        band->setGeometry(0, top + kHeading, kViewWidth, kBandHeight);
        band->setProperty("tag", i);
        band->setCursor(Qt::PointingHandCursor);
        connect(band, &QPushButton::clicked, this, [this, i] { emit themeChosen(i); });
        m_themeButtons.append(band);
    }
    delete m_scrollView->takeWidget();
    m_scrollView->setWidget(view);
    m_themeView = view;
    host->show();
    host->raise();
}
