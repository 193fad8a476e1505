#include "window/ProgressIndicatorWindowController.h"

#include "platform/Format.h"
#include "platform/UserDefaults.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>
#include <QVBoxLayout>
#include <QWidget>
#include <utility>

namespace {

// Where the window reopens: the position the user last left it at.
const QString kFrameKey = QStringLiteral("NSWindow Frame ProgressIndicatorWindowController");

// Left alive at exit, as the window system is gone by then.
ProgressIndicatorWindowController* gProgressWindowController = nullptr;

// The application's main window: the active window unless that is the progress window itself, else
// the first visible main window.
QWidget* applicationMainWindow(const QWidget* progressWindow)
{
    QWidget* active = QApplication::activeWindow();
    if (active && active != progressWindow)
        return active;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMainWindow*>(widget) && widget->isVisible())
            return widget;
    }
    return nullptr;
}

class ProgressWindowDisplay : public DataCentre::ProgressDisplay
{
public:
    void show() override
    {
        dismiss();
        gProgressWindowController = new ProgressIndicatorWindowController;
        gProgressWindowController->showWindow();
    }

    void update(qint32 done, qint32 total, const QString& text) override
    {
        ProgressIndicatorWindowController* controller = gProgressWindowController;
        if (controller)
            controller->setProgress(done, total, text);
        if (done != total)
            return;
        if (controller)
            controller->orderOut();
        if (QWidget* main = applicationMainWindow(controller ? controller->window() : nullptr)) {
            main->setWindowOpacity(1.0);
            main->raise();
            main->activateWindow();
        }
    }

    void dismiss() override
    {
        if (!gProgressWindowController)
            return;
        gProgressWindowController->orderOut();
        delete std::exchange(gProgressWindowController, nullptr);
    }
};

} // namespace

ProgressIndicatorWindowController::ProgressIndicatorWindowController()
    : m_window(new QWidget(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint))
{
    m_window->setObjectName(QStringLiteral("ProgressIndicatorWindowController"));
    m_window->setWindowTitle(QStringLiteral("Progress"));
    m_window->resize(380, 130);

    auto* layout = new QVBoxLayout(m_window);
    m_progressStatusTextfield = new QLabel(m_window);
    m_progressStatusTextfield->setObjectName(QStringLiteral("progressStatusTextfield"));
    m_progressFileTextField = new QLabel(m_window);
    m_progressFileTextField->setObjectName(QStringLiteral("progressFileTextField"));
    m_progressFileTextField->setTextFormat(Qt::PlainText);
    m_progressFileTextField->setMinimumWidth(340);
    m_progressIndicator = new QProgressBar(m_window);
    m_progressIndicator->setObjectName(QStringLiteral("progressIndicator"));
    m_progressIndicator->setTextVisible(false);
    m_levelIndicator = new QProgressBar(m_window);
    m_levelIndicator->setObjectName(QStringLiteral("levelIndicator"));
    m_levelIndicator->setTextVisible(false);
    m_progressIndicator2 = new QProgressBar(m_window);
    m_progressIndicator2->setObjectName(QStringLiteral("progressIndicator2"));
    m_progressIndicator2->hide();
    layout->addWidget(m_progressStatusTextfield);
    layout->addWidget(m_progressFileTextField);
    layout->addWidget(m_progressIndicator);
    layout->addWidget(m_levelIndicator);
    layout->addWidget(m_progressIndicator2);

    const QString frame = platform::UserDefaults::standard().stringForKey(kFrameKey);
    const QStringList parts = frame.split(u' ');
    if (parts.size() == 2)
        m_window->move(parts.at(0).toInt(), parts.at(1).toInt());
}

ProgressIndicatorWindowController::~ProgressIndicatorWindowController()
{
    delete m_window;
}

void ProgressIndicatorWindowController::showWindow()
{
    m_progressStatusTextfield->setText(QStringLiteral("Please wait"));
    m_progressFileTextField->clear();
    m_progressIndicator->setRange(0, 0); // indeterminate, animated by the style
    m_progressIndicator->show();
    m_levelIndicator->setRange(0, 10);
    m_levelIndicator->setValue(0);
    m_progressIndicator2->hide();
    m_window->show();
    m_window->raise();
}

void ProgressIndicatorWindowController::setProgress(qint32 done, qint32 total, const QString& text)
{
    m_progressStatusTextfield->setText(
        platform::formatv(QStringLiteral("Please wait: %d/%d completed"), done, total));
    // A level past its maximum or below zero would be refused; keep it in range.
    const qint32 maximum = std::max<qint32>(total, 0);
    m_levelIndicator->setRange(0, maximum);
    m_levelIndicator->setValue(std::clamp<qint32>(done, 0, maximum));
    m_progressFileTextField->setText(text);
    // Drawn now, so progress shows while a job on this thread keeps working.
    m_levelIndicator->repaint();
    m_progressFileTextField->repaint();
    m_progressStatusTextfield->repaint();
}

void ProgressIndicatorWindowController::orderOut()
{
    if (m_window->isVisible()) {
        const QPoint at = m_window->pos();
        platform::UserDefaults::standard().setObject(kFrameKey,
                                                     QStringLiteral("%1 %2").arg(at.x()).arg(at.y()));
    }
    m_window->hide();
}

ProgressIndicatorWindowController* ProgressIndicatorWindowController::current()
{
    return gProgressWindowController;
}

void ProgressIndicatorWindowController::installForProcess()
{
    static ProgressWindowDisplay display;
    DataCentre::setProgressDisplay(&display);
}
