// The previews' web view over Qt WebEngine, with an off-the-record profile of its own that keeps no
// HTTP cache and refuses downloads. Built into the quib_webpreview module only.
#pragma once
#include "window/WebPreviewSurface.h"

#include <QPointer>
#include <memory>

class QWebEngineProfile;
class QWebEngineView;

class WebEngineSurface : public WebPreviewSurface
{
public:
    explicit WebEngineSurface(QWidget* parent);
    ~WebEngineSurface() override;

    QWidget* widget() const override;
    void load(const QUrl& url) override;
    void setContent(const QByteArray& data, const QString& mimeType, const QUrl& baseUrl) override;
    void clearHttpCache() override;
    bool isOffTheRecord() const override;
    bool keepsNoHttpCache() const override;
    void setLoadFinished(std::function<void(bool ok)> callback) override;

private:
    std::unique_ptr<QWebEngineProfile> m_profile;
    QPointer<QWebEngineView> m_view;
    std::function<void(bool)> m_loadFinished;
};
