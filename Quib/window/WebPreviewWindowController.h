// A window that shows a page file in a web view, never from a cache: its own off-the-record profile
// keeps no HTTP cache, so an image changed since the last preview shows fresh. A form page (".php")
// cannot run here: each load of one says so once and shows its source. Downloads are refused. The
// mobile preview is one of these per document; the desktop preview (QuibWebPreviewWindowController)
// adds its own copy of the page's folder. The view comes from the quib_webpreview module, loaded once
// when the first preview opens so that the web engine costs nothing at launch; without the module
// the window says why it shows nothing. Main thread only.
#pragma once
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <memory>
#include <optional>

class QWidget;
class WebPreviewSurface;

class WebPreviewWindowController : public QObject
{
    Q_OBJECT
public:
    explicit WebPreviewWindowController(const QString& title, QObject* parent = nullptr);
    ~WebPreviewWindowController() override;

    QWidget* window() const { return m_window; }
    // The web view; nothing when the module could not be loaded.
    WebPreviewSurface* surface() const { return m_surface.get(); }
    // The file-system path of the page file to show.
    QString webURLString() const { return m_webURLString; }
    void setWebURLString(const QString& path) { m_webURLString = path; }

    // Loads webURLString afresh.
    void loadPage();

    // A typed address as a web address: trimmed; with "://" only an http or https one (in any
    // case); without, "http://" in front. Nothing for anything else or an empty text.
    static std::optional<QUrl> smartURLForString(const QString& typed);
    // Root may run the web engine only without its sandbox; call before the first web view.
    static void prepareWebEngine();
    // The module file the views come from: beside the program unless set (for tests; empty sets it
    // back). Setting it forgets an earlier attempt, so the next preview loads from there.
    static QString surfaceModulePath();
    static void setSurfaceModulePath(const QString& path);

signals:
    // After each load, with the web view's answer (a form page's source counts as loaded).
    void pageLoaded(bool ok);

private:
    QPointer<QWidget> m_window;
    std::unique_ptr<WebPreviewSurface> m_surface;
    QString m_webURLString;
};
