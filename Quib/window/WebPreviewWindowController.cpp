#include "window/WebPreviewWindowController.h"

#include "platform/Dialogs.h"
#include "platform/LoadableModule.h"
#include "platform/StringRules.h"

#include "window/WebPreviewSurface.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFile>
#include <QLabel>
#include <QOpenGLContext>
#include <QVBoxLayout>
#include <QWidget>
#include <unistd.h>

// Exported by Qt GUI: the context every web view shares.
Q_GUI_EXPORT QOpenGLContext* qt_gl_global_share_context();
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);

namespace {

// Bounds what a form page's source may take in the window.
constexpr qint64 kMaximumSourceBytes = 8 * 1024 * 1024;

platform::LoadableModule& surfaceModule()
{
    static platform::LoadableModule module("libquib_webpreview.so", "preview");
    return module;
}

// The web engine needs a global OpenGL context to share before its first view; linking it into the
// program would make one at every launch, so it is made here, once, before the module loads. Where
// no OpenGL is to be had (offscreen) the context stays invalid and the engine draws in software.
void shareOpenGLContexts()
{
    if (qt_gl_global_share_context())
        return;
    // Qt warns that the attribute comes after the application; here that is the point, so the
    // warning is not passed on.
    static QtMessageHandler previous = nullptr;
    previous =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& text) {
            if (!text.contains(QLatin1String("AA_ShareOpenGLContexts must be set before")) && previous)
                previous(type, context, text);
        });
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    qInstallMessageHandler(previous);
    auto* context = new QOpenGLContext;
    context->create();
    qt_gl_set_global_share_context(context);
}

// The module's factory, loaded on the first call; nothing, with the reason in error, when it cannot
// be had.
WebPreviewSurfaceFactory surfaceFactory(QString& error)
{
    shareOpenGLContexts();
    return reinterpret_cast<WebPreviewSurfaceFactory>(surfaceModule().function(kWebPreviewSurfaceFactoryName, error));
}

} // namespace

QString WebPreviewWindowController::surfaceModulePath()
{
    return surfaceModule().path();
}

void WebPreviewWindowController::setSurfaceModulePath(const QString& path)
{
    surfaceModule().setPath(path);
}

void WebPreviewWindowController::prepareWebEngine()
{
    if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
}

WebPreviewWindowController::WebPreviewWindowController(const QString& title, QObject* parent)
    : QObject(parent)
{
    prepareWebEngine();
    m_window = new QWidget(nullptr, Qt::Window);
    m_window->setObjectName(QStringLiteral("WebPreviewWindowController"));
    m_window->setAttribute(Qt::WA_DeleteOnClose, false);
    m_window->setWindowTitle(title);
    m_window->resize(800, 600);
    auto* layout = new QVBoxLayout(m_window);
    layout->setContentsMargins(0, 0, 0, 0);
    QString error;
    if (const WebPreviewSurfaceFactory factory = surfaceFactory(error))
        m_surface.reset(factory(m_window, kWebPreviewSurfaceVersion));
    if (!m_surface) {
        auto* message =
            new QLabel(QStringLiteral("The preview is not available: %1")
                           .arg(error.isEmpty() ? QStringLiteral("the web view could not be made") : error),
                       m_window);
        message->setObjectName(QStringLiteral("previewUnavailable"));
        message->setTextFormat(Qt::PlainText);
        message->setWordWrap(true);
        message->setAlignment(Qt::AlignCenter);
        layout->addWidget(message);
        return;
    }
    // The surface never outlives this controller, so the callback's this stays valid.
    m_surface->setLoadFinished([this](bool ok) { emit pageLoaded(ok); });
    layout->addWidget(m_surface->widget());
}

WebPreviewWindowController::~WebPreviewWindowController()
{
    // The view and its page go before the profile, the window last.
    m_surface.reset();
    delete m_window;
}

void WebPreviewWindowController::loadPage()
{
    if (!m_surface) {
        // Nothing loads; said the way a failed load is, after the caller has had its turn.
        QMetaObject::invokeMethod(
            this, [this] { emit pageLoaded(false); }, Qt::QueuedConnection);
        return;
    }
    const QUrl url = QUrl::fromLocalFile(m_webURLString);
    m_surface->clearHttpCache();
    if (platform::pathExtension(m_webURLString).compare(QLatin1String("php"), Qt::CaseInsensitive) != 0) {
        m_surface->load(url);
        return;
    }
    platform::Alert alert;
    alert.title = QStringLiteral("Web Forms Do Not Show In Preview");
    alert.informativeText = QStringLiteral(
        "Web forms need to be published to a web host with PHP support in order to load properly.\nWhen "
        "previewed locally, only the raw source code will be visible.");
    alert.style = platform::AlertStyle::Informational;
    platform::showAlert(alert);
    QFile file(m_webURLString);
    const QByteArray source = file.open(QIODevice::ReadOnly) ? file.read(kMaximumSourceBytes) : QByteArray();
    m_surface->setContent(source, QStringLiteral("text/plain"), url);
}

std::optional<QUrl> WebPreviewWindowController::smartURLForString(const QString& typed)
{
    const QString trimmed = typed.trimmed();
    if (!trimmed.isEmpty()) {
        const qsizetype separator = trimmed.indexOf(QLatin1String("://"));
        if (separator < 0)
            return QUrl(QStringLiteral("http://") + trimmed);
        const QString scheme = trimmed.left(separator);
        if (scheme.compare(QLatin1String("http"), Qt::CaseInsensitive) == 0 ||
            scheme.compare(QLatin1String("https"), Qt::CaseInsensitive) == 0)
            return QUrl(trimmed);
    }
    qWarning() << "unsupported URL";
    return std::nullopt;
}
