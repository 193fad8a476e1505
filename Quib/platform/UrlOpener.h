// Where web addresses, mail links and files are handed to the desktop: the user's default handler
// (QDesktopServices) unless a test installed a recorder.
#pragma once
#include <QList>
#include <QUrl>
#include <functional>

namespace platform {

using UrlHandler = std::function<bool(const QUrl&)>;

// Opens url with the installed handler, else the desktop's; false when nothing took it.
bool openUrl(const QUrl& url);

// Records every opened address instead of handing it on, for its lifetime.
class ScopedUrlRecorder
{
public:
    ScopedUrlRecorder();
    ~ScopedUrlRecorder();
    ScopedUrlRecorder(const ScopedUrlRecorder&) = delete;
    ScopedUrlRecorder& operator=(const ScopedUrlRecorder&) = delete;

    QList<QUrl> urls() const { return m_urls; }
    void clear() { m_urls.clear(); }

private:
    QList<QUrl> m_urls;
    UrlHandler m_previous;
};

} // namespace platform
