#include "document/PendingFolderFiles.h"

#include "platform/Threads.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>

namespace {

struct Root
{
    std::deque<PendingFolderFiles::File> queue;
    QHash<QString, QByteArray> staged; // every file not yet on disk, queued or being written
    QSet<QString> madeFolders;
    std::vector<PendingFolderFiles::File> failed;
    int writing = 0;
};

struct State
{
    std::mutex mutex;
    std::condition_variable written;
    std::map<QString, std::shared_ptr<Root>> roots;
    bool background = true;
};

State& state()
{
    static State s;
    return s;
}

bool inside(const QString& path, const QString& folder)
{
    return path == folder || (path.startsWith(folder) && path.at(folder.size()) == u'/');
}

QString clean(const QString& path)
{
    return QDir::cleanPath(path);
}

// The root holding path; null when none does. Called with the mutex held.
std::shared_ptr<Root> rootHolding(const QString& path)
{
    for (auto& [root, files] : state().roots) {
        if (inside(path, root))
            return files;
    }
    return nullptr;
}

// Whether every folder between root and path is a real folder or still missing: a folder swapped
// for a link since the open would take the write somewhere else.
bool noLinkBelow(const QString& rootPath, const QString& path)
{
    QString folder = QFileInfo(path).path();
    while (folder.size() > rootPath.size()) {
        if (QFileInfo(folder).isSymLink())
            return false;
        folder = QFileInfo(folder).path();
    }
    return !QFileInfo(rootPath).isSymLink();
}

// Writes one file unless something is there already. Its folder is made once per root.
bool writeFile(const QString& rootPath, const PendingFolderFiles::File& file, Root& root,
               std::unique_lock<std::mutex>& lock)
{
    const QString folder = QFileInfo(file.path).path();
    const bool folderMade = root.madeFolders.contains(folder);
    lock.unlock();
    bool ok = noLinkBelow(rootPath, file.path);
    if (!ok)
        qWarning() << "unpacked file not written, a folder on its way is a link:" << file.path;
    ok = ok && (folderMade || QDir().mkpath(folder));
    if (ok) {
        // Never through a link at the file's own name either: it must be created here.
        QFile out(file.path);
        if (out.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            ok = out.write(file.bytes) == file.bytes.size() && out.flush();
            out.close();
            // A short file would pass for the real one; the staged bytes stay the answer.
            if (!ok) {
                qWarning() << "cannot write the unpacked file" << file.path << out.errorString();
                QFile::remove(file.path);
            }
        } else {
            // Whatever stands there now (a file, a link) was put there since the open and is
            // left alone; with nothing there the write itself failed.
            const QFileInfo there(file.path);
            ok = there.exists() || there.isSymLink();
            if (!ok)
                qWarning() << "cannot write the unpacked file" << file.path << out.errorString();
        }
    }
    lock.lock();
    if (ok)
        root.madeFolders.insert(folder);
    return ok;
}

// Writes root's queued files until none is left, then waits for those another thread is writing.
// Called with the mutex held.
void drain(const QString& rootPath, const std::shared_ptr<Root>& root, std::unique_lock<std::mutex>& lock)
{
    while (!root->queue.empty()) {
        PendingFolderFiles::File file = std::move(root->queue.front());
        root->queue.pop_front();
        ++root->writing;
        const bool ok = writeFile(rootPath, file, *root, lock);
        --root->writing;
        if (ok)
            root->staged.remove(file.path);
        else
            root->failed.push_back(std::move(file));
    }
    state().written.wait(lock, [&] { return root->writing == 0; });
    if (root->staged.isEmpty()) {
        auto it = state().roots.find(rootPath);
        if (it != state().roots.end() && it->second == root)
            state().roots.erase(it);
    }
    state().written.notify_all();
}

} // namespace

void PendingFolderFiles::stage(const QString& rootPath, std::vector<File> files)
{
    const QString key = clean(rootPath);
    std::unique_lock lock(state().mutex);
    std::shared_ptr<Root>& root = state().roots[key];
    if (!root)
        root = std::make_shared<Root>();
    for (File& file : files) {
        file.path = clean(file.path);
        if (!inside(file.path, key) || file.path == key)
            continue;
        root->staged.insert(file.path, file.bytes);
        root->queue.push_back(std::move(file));
    }
    if (root->staged.isEmpty()) {
        state().roots.erase(key);
        return;
    }
    if (!state().background)
        return;
    std::shared_ptr<Root> held = root;
    lock.unlock();
    platform::runInBackground([key, held] {
        std::unique_lock workerLock(state().mutex);
        drain(key, held, workerLock);
    });
}

std::optional<QByteArray> PendingFolderFiles::bytes(const QString& path)
{
    const QString key = clean(path);
    std::lock_guard lock(state().mutex);
    const std::shared_ptr<Root> root = rootHolding(key);
    if (!root)
        return std::nullopt;
    const auto it = root->staged.constFind(key);
    if (it == root->staged.constEnd())
        return std::nullopt;
    return *it;
}

QStringList PendingFolderFiles::namesIn(const QString& folder)
{
    const QString key = clean(folder);
    std::lock_guard lock(state().mutex);
    const std::shared_ptr<Root> root = rootHolding(key);
    QStringList names;
    if (!root)
        return names;
    for (auto it = root->staged.constBegin(); it != root->staged.constEnd(); ++it) {
        if (QFileInfo(it.key()).path() == key)
            names.append(QFileInfo(it.key()).fileName());
    }
    return names;
}

bool PendingFolderFiles::isPending(const QString& path)
{
    const QString key = clean(path);
    std::lock_guard lock(state().mutex);
    for (const auto& [root, files] : state().roots) {
        if (inside(key, root) || inside(root, key))
            return true;
    }
    return false;
}

bool PendingFolderFiles::ensureComplete(const QString& path)
{
    const QString key = clean(path);
    if (key.isEmpty() || key == QLatin1String("."))
        return true;
    std::unique_lock lock(state().mutex);
    bool ok = true;
    for (;;) {
        QString rootPath;
        std::shared_ptr<Root> root;
        for (const auto& [candidate, files] : state().roots) {
            if (inside(key, candidate) || inside(candidate, key)) {
                rootPath = candidate;
                root = files;
                break;
            }
        }
        if (!root)
            return ok;
        // What failed before is tried once more.
        for (File& file : root->failed)
            root->queue.push_back(std::move(file));
        root->failed.clear();
        drain(rootPath, root, lock);
        if (!root->failed.empty()) {
            ok = false;
            // Still staged: leave the root for the next call, and look at no other.
            return ok;
        }
    }
}

bool PendingFolderFiles::ensureAllComplete()
{
    QStringList roots;
    {
        std::lock_guard lock(state().mutex);
        for (const auto& [root, files] : state().roots)
            roots.append(root);
    }
    bool ok = true;
    for (const QString& root : std::as_const(roots))
        ok = ensureComplete(root) && ok;
    return ok;
}

void PendingFolderFiles::setBackgroundWritingForTesting(bool enabled)
{
    std::lock_guard lock(state().mutex);
    state().background = enabled;
}
