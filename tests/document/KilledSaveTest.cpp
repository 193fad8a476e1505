// A save killed at any moment, by a signal that nothing catches, leaves the document file as it
// was or as saved, and readable either way; the next save of it leaves none of the killed saves'
// temporary files behind. The saves run in a child process (quib_pagetool --save-to), killed after
// a random part of the time a whole save takes.
#include "DocumentFlowTestSupport.h"

#include "model/DRVGraphic.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

using namespace documentflowtest;

namespace {

QStringList temporariesOf(const QString& documentPath)
{
    const QFileInfo document(documentPath);
    const QString prefix = u'.' + document.fileName() + u'.';
    QStringList found = QDir(document.absolutePath()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    found.removeIf([&](const QString& name) { return !name.startsWith(prefix); });
    return found;
}

QStringList saveArguments(const QString& source, const QString& target)
{
    return {QStringLiteral("--edition"), QStringLiteral("HTML Quib Pro"), QStringLiteral("--save-to"), target, source};
}

} // namespace

class KilledSaveTest : public DocumentFlowTest
{
};

TEST_F(KilledSaveTest, TheDocumentIsAlwaysTheOldOrTheNewOneAndTheNextSaveClearsUp)
{
    const QString source = fixture(QStringLiteral("Home-top.quibpage"));
    const QString target = filePath(QStringLiteral("Target.quibpage"));
    {
        // The old document: an empty page.
        DRVDocument empty;
        ASSERT_TRUE(empty.saveDocumentTo(target));
    }
    const qsizetype newCount = open(source)->graphics().size();
    ASSERT_GT(newCount, 0);
    ASSERT_EQ(open(target)->graphics().size(), 0);

    // How long one whole save takes here.
    QElapsedTimer timer;
    timer.start();
    QProcess whole;
    whole.start(QStringLiteral(QUIB_PAGETOOL), saveArguments(source, filePath(QStringLiteral("Whole.quibpage"))));
    ASSERT_TRUE(whole.waitForFinished(60000));
    ASSERT_EQ(whole.exitCode(), 0) << whole.readAllStandardError().toStdString();
    const int wholeMs = int(std::max<qint64>(timer.elapsed(), 20));

    QRandomGenerator random(19);
    int killedMidway = 0;
    QByteArray before = readBytes(target);
    for (int round = 0; round < 50; ++round) {
        QProcess save;
        save.start(QStringLiteral(QUIB_PAGETOOL), saveArguments(source, target));
        ASSERT_TRUE(save.waitForStarted());
        QThread::msleep(random.bounded(wholeMs));
        if (save.state() != QProcess::NotRunning)
            ++killedMidway;
        save.kill();
        save.waitForFinished();

        const QByteArray after = readBytes(target);
        if (after != before) {
            // Not the old bytes: then the whole new document, which opens.
            QString error;
            const std::unique_ptr<DRVDocument> page = DRVDocument::openDocument(target, &error);
            ASSERT_TRUE(page) << "round " << round << ": " << error.toStdString();
            EXPECT_EQ(page->graphics().size(), newCount) << "round " << round;
        }
        before = after;
    }
    EXPECT_GT(killedMidway, 10);
    // What the kills left (each save clears up those before it, so at most the last one's).
    RecordProperty("temporariesLeftByKills", int(temporariesOf(target).size()));

    std::unique_ptr<DRVDocument> page = open(source);
    ASSERT_TRUE(page);
    ASSERT_TRUE(page->saveDocumentTo(target));
    EXPECT_EQ(temporariesOf(target), QStringList());
    EXPECT_EQ(open(target)->graphics().size(), newCount);
}
