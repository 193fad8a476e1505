// Each running instance keeps its own working root; only roots of instances that are gone are removed.
#include "editions/WorkingFolders.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

void writeFile(const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("page");
}

TEST(WorkingFolders, InstancesDoNotRemoveEachOthersFolders)
{
    QTemporaryDir base;
    ASSERT_TRUE(base.isValid());

    auto first = std::make_unique<WorkingFolders>(base.path());
    ASSERT_TRUE(first->isValid());
    const QString firstPage = first->rootPath() + QStringLiteral("/0000Received_Pages/page.quibpage");
    writeFile(firstPage);

    // A second instance starting later clears stale roots, but not the live first one.
    auto second = std::make_unique<WorkingFolders>(base.path());
    ASSERT_TRUE(second->isValid());
    EXPECT_NE(first->rootPath(), second->rootPath());
    const QString secondPage = second->rootPath() + QStringLiteral("/0000Received_Pages/other.quibpage");
    writeFile(secondPage);
    EXPECT_TRUE(QFile::exists(firstPage));

    EXPECT_EQ(WorkingFolders::removeStaleRoots(base.path()), 0);
    EXPECT_TRUE(QFile::exists(firstPage));
    EXPECT_TRUE(QFile::exists(secondPage));

    // An instance that quits takes only its own root with it.
    const QString secondRoot = second->rootPath();
    second.reset();
    EXPECT_FALSE(QFileInfo::exists(secondRoot));
    EXPECT_TRUE(QFile::exists(firstPage));
}

// A root whose lock was never taken, and one whose owner has exited, in base.
void makeStaleRoots(const QTemporaryDir& base, QString* unlocked, QString* orphan)
{

    *unlocked = base.filePath(QStringLiteral("100-deadbeef"));
    writeFile(*unlocked + QStringLiteral("/0000Received_Pages/a.quibpage"));

    QProcess exited;
    exited.start(QStringLiteral("true"), {});
    ASSERT_TRUE(exited.waitForFinished());
    const qint64 deadPid = exited.processId() > 0 ? exited.processId() : 0;
    *orphan = base.filePath(QStringLiteral("200-cafebabe"));
    writeFile(*orphan + QStringLiteral("/0000Received_Pages/b.quibpage"));
    {
        const QString lockPath = *orphan + QStringLiteral(".lock");
        QByteArray content;
        {
            QLockFile lock(lockPath);
            ASSERT_TRUE(lock.tryLock(0));
            QFile file(lockPath);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            content = file.readAll();
        }
        // Same lock, but owned by a process that is gone.
        const qsizetype lineEnd = content.indexOf('\n');
        ASSERT_GT(lineEnd, 0);
        content = QByteArray::number(deadPid > 0 ? deadPid : 999999) + content.mid(lineEnd);
        QFile file(lockPath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
}

TEST(WorkingFolders, RemovesRootsOfInstancesNoLongerRunning)
{
    for (const WorkingFolders::StaleRoots stale :
         {WorkingFolders::StaleRoots::RemoveFirst, WorkingFolders::StaleRoots::RemoveInBackground}) {
        SCOPED_TRACE(stale == WorkingFolders::StaleRoots::RemoveFirst ? "first" : "in background");
        QTemporaryDir base;
        ASSERT_TRUE(base.isValid());
        // A live instance's root beside the stale ones stays, whenever the removal runs.
        WorkingFolders other(base.path());
        ASSERT_TRUE(other.isValid());
        const QString otherPage = other.rootPath() + QStringLiteral("/0000Received_Pages/c.quibpage");
        writeFile(otherPage);
        QString unlocked;
        QString orphan;
        makeStaleRoots(base, &unlocked, &orphan);
        if (HasFatalFailure())
            return;
        // A folder that is no instance's root, such as a tool's own working files written while
        // the removal runs, is left alone.
        const QString foreign = base.filePath(QStringLiteral("0000Received_Pages/e.quibpage"));
        writeFile(foreign);

        WorkingFolders live(base.path(), stale);
        ASSERT_TRUE(live.isValid());
        const QString livePage = live.rootPath() + QStringLiteral("/0000Received_Pages/d.quibpage");
        writeFile(livePage);
        live.waitForStaleRoots();
        EXPECT_FALSE(QFileInfo::exists(unlocked));
        EXPECT_FALSE(QFileInfo::exists(orphan));
        EXPECT_TRUE(QFileInfo::exists(foreign));
        EXPECT_FALSE(QFileInfo::exists(orphan + QStringLiteral(".lock")));
        EXPECT_TRUE(QFile::exists(livePage));
        EXPECT_TRUE(QFile::exists(otherPage));
    }
}

} // namespace
