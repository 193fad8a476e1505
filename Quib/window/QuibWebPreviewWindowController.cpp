#include "window/QuibWebPreviewWindowController.h"

#include "editions/EditionSettings.h"
#include "platform/SafePath.h"

#include <QDir>
#include <QDirIterator>
#include <QEvent>
#include <QFile>
#include <QWidget>

namespace {

// Copies the folder's files and folders (links are not followed) into target.
bool copyFolderTree(const QString& source, const QString& target)
{
    const QDir from(source);
    if (!from.exists())
        return false;
    QDirIterator it(source, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info = it.fileInfo();
        if (info.isSymLink())
            continue;
        const QString copy = QDir(target).filePath(from.relativeFilePath(path));
        if (info.isDir() ? !QDir().mkpath(copy) : !QFile::copy(path, copy))
            return false;
    }
    return true;
}

} // namespace

QuibWebPreviewWindowController::QuibWebPreviewWindowController(QObject* parent)
    : WebPreviewWindowController(QStringLiteral("Preview"), parent)
{
    window()->setObjectName(QStringLiteral("QuibWebPreviewWindowController"));
    const QRect frame = window()->geometry();
    window()->setGeometry(frame.x(), frame.y() + 20, 1200, frame.height());
    window()->installEventFilter(this);
}

QuibWebPreviewWindowController::~QuibWebPreviewWindowController() = default;

bool QuibWebPreviewWindowController::takeCopyOf(const QString& pageFolder, const QString& pageFileName)
{
    // Not under "tempFiles": the folder export empties that, and a stamp to the second would let two
    // previews in one second share a folder.
    const QString previews = previewsFolder();
    if (previews.isEmpty() || !QDir().mkpath(previews))
        return false;
    m_copy = std::make_unique<QTemporaryDir>(QDir(previews).filePath(QStringLiteral("preview-XXXXXX")));
    if (!m_copy->isValid() || !copyFolderTree(pageFolder, m_copy->path()))
        return false;
    const std::optional<QString> page = platform::SafePath::filePath(m_copy->path(), pageFileName);
    if (!page)
        return false;
    setWebURLString(*page);
    return true;
}

QString QuibWebPreviewWindowController::previewsFolder()
{
    const QString root = edition().gTempFolderPath;
    return root.isEmpty() ? QString() : QDir(root).filePath(QStringLiteral("previews"));
}

QString QuibWebPreviewWindowController::copyFolder() const
{
    return m_copy ? m_copy->path() : QString();
}

bool QuibWebPreviewWindowController::eventFilter(QObject* watched, QEvent* event)
{
    // Closing the window ends the preview and removes its folder.
    if (watched == window() && event->type() == QEvent::Close)
        deleteLater();
    return WebPreviewWindowController::eventFilter(watched, event);
}
