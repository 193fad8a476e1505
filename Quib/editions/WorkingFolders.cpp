#include "editions/WorkingFolders.h"

#include "editions/EditionSettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

const QString kLockSuffix = QStringLiteral(".lock");

QString& processBase()
{
    static QString base;
    return base;
}

} // namespace

WorkingFolders::WorkingFolders(const QString& base, StaleRoots stale)
{
    if (!QDir().mkpath(base))
        return;
    if (stale == StaleRoots::RemoveFirst)
        removeStaleRoots(base);

    // The lock comes first: a root without a held lock is fair game for other instances' clean-up.
    for (int attempt = 0; attempt < 8; ++attempt) {
        const QString name = QStringLiteral("%1-%2")
                                 .arg(QCoreApplication::applicationPid())
                                 .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        const QString root = QDir(base).filePath(name);
        auto lock = std::make_unique<QLockFile>(root + kLockSuffix);
        lock->setStaleLockTime(0); // only a dead owner makes a lock stale, never its age
        if (!lock->tryLock(0) || QFileInfo::exists(root))
            continue;
        if (!QDir().mkpath(root)) {
            lock->unlock();
            continue;
        }
        m_root = root;
        m_lock = std::move(lock);
        break;
    }
    // Only now, beside a root whose held lock makes the removal pass it by.
    if (stale == StaleRoots::RemoveInBackground)
        m_staleRemoval = std::thread([base] { removeStaleRoots(base); });
}

WorkingFolders::~WorkingFolders()
{
    waitForStaleRoots();
    if (m_root.isEmpty())
        return;
    QDir(m_root).removeRecursively();
    m_lock->unlock();
}

void WorkingFolders::waitForStaleRoots()
{
    if (m_staleRemoval.joinable())
        m_staleRemoval.join();
}

QString WorkingFolders::defaultBase()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/quib/instances");
}

int WorkingFolders::removeStaleRoots(const QString& base)
{
    int removed = 0;
    const QDir dir(base);
    const QFileInfoList roots = dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    // Only folders named as this class names roots: anything else under base (a tool may keep its
    // own working files there while the removal runs) is not ours to take.
    static const QRegularExpression rootName(QStringLiteral("^[0-9]+-[0-9a-f]{8}$"));
    for (const QFileInfo& root : roots) {
        if (!rootName.match(root.fileName()).hasMatch())
            continue;
        QLockFile probe(root.absoluteFilePath() + kLockSuffix);
        probe.setStaleLockTime(0);
        // A live owner, in this process or another, keeps the lock: tryLock fails and the root stays.
        // A dead owner's lock counts as stale and is taken over.
        if (!probe.tryLock(0))
            continue;
        if (QDir(root.absoluteFilePath()).removeRecursively())
            ++removed;
        probe.unlock();
    }
    // Lock files left without their root.
    for (const QFileInfo& lockFile : dir.entryInfoList({QStringLiteral("*") + kLockSuffix}, QDir::Files)) {
        const QString rootPath = lockFile.absoluteFilePath().chopped(kLockSuffix.size());
        if (QFileInfo::exists(rootPath))
            continue;
        QLockFile probe(lockFile.absoluteFilePath());
        probe.setStaleLockTime(0);
        if (probe.tryLock(0))
            probe.unlock();
    }
    return removed;
}

WorkingFolders& WorkingFolders::forProcess()
{
    static WorkingFolders folders(processBase().isEmpty() ? defaultBase() : processBase(),
                                  StaleRoots::RemoveInBackground);
    return folders;
}

void WorkingFolders::setProcessBase(const QString& base)
{
    processBase() = base;
}

QString WorkingFolders::currentRoot()
{
    const QString root = edition().gTempFolderPath;
    return root.isEmpty() ? QDir::tempPath() : root;
}

QString WorkingFolders::receivedPagesPath()
{
    const QString name = edition().gReceivedPagesFolderName;
    return QDir(currentRoot()).filePath(name.isEmpty() ? QStringLiteral("0000Received_Pages") : name);
}
