// The desktop preview ("Preview", 1200 wide): the page's folder is copied into a new folder of its
// own under the working root's "previews" and shown from there, so each preview sees the page as it
// was when asked for and no other flow empties it; the folder is removed when the window closes (the
// controller then goes too).
#pragma once
#include "window/WebPreviewWindowController.h"

#include <QTemporaryDir>
#include <memory>

class QuibWebPreviewWindowController : public WebPreviewWindowController
{
    Q_OBJECT
public:
    explicit QuibWebPreviewWindowController(QObject* parent = nullptr);
    ~QuibWebPreviewWindowController() override;

    // Copies pageFolder into this preview's own folder and points the window at pageFileName there.
    // False when the folder could not be made or copied.
    bool takeCopyOf(const QString& pageFolder, const QString& pageFileName);
    // Where every preview makes its folder; "" without a working root.
    static QString previewsFolder();
    // This preview's folder; "" before takeCopyOf.
    QString copyFolder() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::unique_ptr<QTemporaryDir> m_copy;
};
