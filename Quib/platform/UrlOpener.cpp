#include "platform/UrlOpener.h"

#include <QDesktopServices>

namespace platform {

namespace {
UrlHandler& installedHandler()
{
    static UrlHandler handler;
    return handler;
}
} // namespace

bool openUrl(const QUrl& url)
{
    if (!url.isValid() || url.isEmpty())
        return false;
    if (const UrlHandler& handler = installedHandler())
        return handler(url);
    return QDesktopServices::openUrl(url);
}

ScopedUrlRecorder::ScopedUrlRecorder() : m_previous(installedHandler())
{
    installedHandler() = [this](const QUrl& url) {
        m_urls.append(url);
        return true;
    };
}

ScopedUrlRecorder::~ScopedUrlRecorder()
{
    installedHandler() = m_previous;
}

} // namespace platform
