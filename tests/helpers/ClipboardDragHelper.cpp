// The other process of the canvas tests that run under Xvfb, where the X server carries the
// clipboard and drags between processes:
//   quib_test_helper copy-table FOLDER
//       copies the sample table of a page in FOLDER with the canvas's own Copy, prints "copied",
//       and keeps serving the clipboard until its standard input closes.
//   quib_test_helper drag-file FILE X Y
//       shows a small window at (X, Y) and prints "ready" once it is on screen; a press in it
//       starts a drag of FILE as a file manager would (text/uri-list), and the drag's end prints
//       "dropped" or "refused". The target reads the data after the drop: the process stays until
//       its standard input closes.
// Either ends by itself after a minute.
#include "canvas/ClipboardPagesSupport.h"
#include "canvas/ClipboardTableSample.h"
#include "editions/EditionSettings.h"
#include "platform/UserDefaults.h"

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QSocketNotifier>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include <cstdio>
#include <unistd.h>

namespace {

void say(const char* line)
{
    std::printf("%s\n", line);
    std::fflush(stdout);
}

// The X server asks the owner for the clipboard's or a drop's data: stay until the test is done.
int serveUntilInputCloses()
{
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, qApp, [] {
        char buffer[64];
        if (::read(STDIN_FILENO, buffer, sizeof buffer) <= 0)
            QCoreApplication::quit();
    });
    return QApplication::exec();
}

class DragSource : public QWidget
{
public:
    explicit DragSource(const QString& file) : m_file(file) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(0x44, 0x44, 0x44));
        painter.setPen(Qt::white);
        painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("drag me"));
    }

    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() != Qt::LeftButton)
            return;
        auto* drag = new QDrag(this);
        auto* data = new QMimeData;
        data->setUrls({QUrl::fromLocalFile(m_file)});
        drag->setMimeData(data);
        const Qt::DropAction action = drag->exec(Qt::CopyAction);
        say(action == Qt::IgnoreAction ? "refused" : "dropped");
    }

private:
    QString m_file;
};

int copyTable(const QString& folder)
{
    ScopedEdition edition(QStringLiteral("HTML Quib Pro"));
    platform::UserDefaults::standard().useStoreFile(folder + QStringLiteral("/helper-defaults.ini"));
    clipboardpages::Page page(folder + QStringLiteral("/source.html"));
    page.place({clipboardsample::makeTable(page.doc.pagePath())});
    if (!page.copyAll())
        return 3;
    say("copied");
    return serveUntilInputCloses();
}

int dragFile(const QString& file, int x, int y)
{
    DragSource source(file);
    source.setWindowTitle(QStringLiteral("drag source"));
    source.setGeometry(x, y, 80, 80);
    source.show();
    QTimer::singleShot(300, qApp, [] { say("ready"); });
    return serveUntilInputCloses();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTimer::singleShot(60000, &app, [] { QCoreApplication::exit(4); });
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 3 && args.at(1) == QLatin1String("copy-table"))
        return copyTable(args.at(2));
    if (args.size() == 5 && args.at(1) == QLatin1String("drag-file"))
        return dragFile(args.at(2), args.at(3).toInt(), args.at(4).toInt());
    std::fprintf(stderr, "usage: quib_test_helper copy-table FOLDER | drag-file FILE X Y\n");
    return 2;
}
