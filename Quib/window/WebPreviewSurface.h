// The web view of a preview window, made by the quib_webpreview module that WebPreviewWindowController
// loads on first use, so that starting the application does not load the web engine. Only pure
// virtual functions and plain callbacks cross between the two sides: the module needs no symbol of
// the program.
#pragma once
#include <QByteArray>
#include <QString>
#include <QUrl>
#include <functional>

class QWidget;

class WebPreviewSurface
{
public:
    virtual ~WebPreviewSurface() = default;

    // The view, a child of the parent it was made with. Deleting the surface deletes the view.
    virtual QWidget* widget() const = 0;
    virtual void load(const QUrl& url) = 0;
    virtual void setContent(const QByteArray& data, const QString& mimeType, const QUrl& baseUrl) = 0;
    virtual void clearHttpCache() = 0;
    virtual bool isOffTheRecord() const = 0;
    virtual bool keepsNoHttpCache() const = 0;
    // Called after each load with the view's answer.
    virtual void setLoadFinished(std::function<void(bool ok)> callback) = 0;
};

// The module's one exported function: a new surface with its view under parent, or nullptr when
// the module was built for another interface version.
constexpr int kWebPreviewSurfaceVersion = 1;
using WebPreviewSurfaceFactory = WebPreviewSurface* (*)(QWidget* parent, int interfaceVersion);
inline constexpr const char* kWebPreviewSurfaceFactoryName = "quibCreateWebPreviewSurface";
