#include "webpreview/WebEngineSurface.h"

#include <QQuickWindow>
#include <QWebEngineDownloadRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

WebEngineSurface::WebEngineSurface(QWidget* parent)
{
    // No storage name: off the record, nothing of the page kept on disk.
    m_profile = std::make_unique<QWebEngineProfile>();
    m_profile->setHttpCacheType(QWebEngineProfile::NoCache);
    m_profile->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    QObject::connect(m_profile.get(), &QWebEngineProfile::downloadRequested, m_profile.get(),
                     [](QWebEngineDownloadRequest* download) { download->cancel(); });
    m_view = new QWebEngineView(parent);
    m_view->setObjectName(QStringLiteral("webView"));
    m_view->setPage(new QWebEnginePage(m_profile.get(), m_view));
    QObject::connect(m_view, &QWebEngineView::loadFinished, m_view, [this](bool ok) {
        if (m_loadFinished)
            m_loadFinished(ok);
    });
}

WebEngineSurface::~WebEngineSurface()
{
    // The page goes before its profile.
    delete m_view;
}

QWidget* WebEngineSurface::widget() const
{
    return m_view;
}

void WebEngineSurface::load(const QUrl& url)
{
    if (m_view)
        m_view->load(url);
}

void WebEngineSurface::setContent(const QByteArray& data, const QString& mimeType, const QUrl& baseUrl)
{
    if (m_view)
        m_view->setContent(data, mimeType, baseUrl);
}

void WebEngineSurface::clearHttpCache()
{
    m_profile->clearHttpCache();
}

bool WebEngineSurface::isOffTheRecord() const
{
    return m_profile->isOffTheRecord();
}

bool WebEngineSurface::keepsNoHttpCache() const
{
    return m_profile->httpCacheType() == QWebEngineProfile::NoCache;
}

void WebEngineSurface::setLoadFinished(std::function<void(bool ok)> callback)
{
    m_loadFinished = std::move(callback);
}

extern "C" Q_DECL_EXPORT WebPreviewSurface* quibCreateWebPreviewSurface(QWidget* parent, int interfaceVersion)
{
    if (interfaceVersion != kWebPreviewSurfaceVersion)
        return nullptr;
    // The web engine draws through OpenGL; the program has made the shared context it needs.
    static const bool graphicsChosen = [] {
        QQuickWindow::setGraphicsApi(QSGRendererInterface::OpenGLRhi);
        return true;
    }();
    Q_UNUSED(graphicsChosen);
    return new WebEngineSurface(parent);
}
