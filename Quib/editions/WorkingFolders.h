// This instance's own working folder root, where pages are unpacked, saved and published from.
// Every running instance has its own root, locked for its lifetime, so that no instance can wipe the
// working copies of documents another one has open. Roots of instances that are no longer running
// (their lock is not held) are removed when an instance starts.
#pragma once
#include <QString>

#include <memory>
#include <thread>

class QLockFile;

class WorkingFolders
{
public:
    // When stale roots go: before the new root is made, or on a worker thread once it is made and
    // locked (a crashed instance may leave thousands of files, not worth delaying a launch for).
    enum class StaleRoots { RemoveFirst, RemoveInBackground };

    // Creates and locks a new root "<pid>-<random>" inside base, clearing stale roots there.
    explicit WorkingFolders(const QString& base, StaleRoots stale = StaleRoots::RemoveFirst);
    ~WorkingFolders(); // waits for the stale roots, unlocks and removes the root
    WorkingFolders(const WorkingFolders&) = delete;
    WorkingFolders& operator=(const WorkingFolders&) = delete;

    bool isValid() const { return !m_root.isEmpty(); }
    QString rootPath() const { return m_root; }
    // Returns once the background removal of stale roots, if any, has finished.
    void waitForStaleRoots();

    // The user's cache folder for working roots: <generic cache>/quib/instances.
    static QString defaultBase();
    // Removes each root in base whose lock no live process holds; returns how many went.
    static int removeStaleRoots(const QString& base);

    // The process's working folders, created on first use under the base set below (defaultBase()
    // when none was set).
    static WorkingFolders& forProcess();
    static void setProcessBase(const QString& base); // before the first forProcess()

    // The edition's working root (gTempFolderPath), else the system's temporary folder for a
    // process that never ran start-up; and the received-pages folder inside it.
    static QString currentRoot();
    static QString receivedPagesPath();

private:
    QString m_root;
    std::unique_ptr<QLockFile> m_lock;
    std::thread m_staleRemoval;
};
