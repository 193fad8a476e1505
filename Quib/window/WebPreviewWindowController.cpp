#include "window/WebPreviewWindowController.h"

#include "platform/Dialogs.h"
#include "platform/StringRules.h"

#include <QDebug>
#include <QFile>
#include <QVBoxLayout>
#include <QWebEngineDownloadRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <QWidget>
#include <unistd.h>

namespace {

// Bounds what a form page's source may take in the window.
constexpr qint64 kMaximumSourceBytes = 8 * 1024 * 1024;

} // namespace

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
    // No storage name: off the record, nothing of the page kept on disk.
    m_profile = new QWebEngineProfile(this);
    m_profile->setHttpCacheType(QWebEngineProfile::NoCache);
    m_profile->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    connect(m_profile, &QWebEngineProfile::downloadRequested, this,
            [](QWebEngineDownloadRequest* download) { download->cancel(); });
    m_webView = new QWebEngineView(m_window);
    m_webView->setObjectName(QStringLiteral("webView"));
    m_webView->setPage(new QWebEnginePage(m_profile, m_webView));
    connect(m_webView, &QWebEngineView::loadFinished, this, &WebPreviewWindowController::pageLoaded);
    auto* layout = new QVBoxLayout(m_window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_webView);
}

WebPreviewWindowController::~WebPreviewWindowController()
{
    // The page goes before its profile.
    delete m_window;
}

void WebPreviewWindowController::loadPage()
{
    const QUrl url = QUrl::fromLocalFile(m_webURLString);
    m_profile->clearHttpCache();
    if (platform::pathExtension(m_webURLString).compare(QLatin1String("php"), Qt::CaseInsensitive) != 0) {
        m_webView->load(url);
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
    m_webView->setContent(source, QStringLiteral("text/plain"), url);
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
