// The page's background picture fetched from the web is written beside the page: a write that stops
// short (a full disk, a file size limit) must not put a cut-off picture in place of the old one.
#include "document/PageParser.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThreadPool>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace {

QByteArray pictureBytes()
{
    QImage image(64, 64, QImage::Format_RGB32);
    QRandomGenerator noise(7);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, noise.generate());
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Fetches into target and waits for the hand-back; the picture given to the completion.
QImage fetchInto(const QString& target, const QByteArray& bytes)
{
    PageBackgroundFetch request;
    request.url = QUrl(QStringLiteral("https://example.com/background.png"));
    request.targetPath = target;
    request.imageType = QStringLiteral("PNG");
    bool done = false;
    QImage received;
    PageParser::fetchBackgroundInBackground(
        request, [bytes](const QUrl&, int) { return bytes; }, 1000,
        [&](QImage image) {
            received = image;
            done = true;
        });
    QThreadPool::globalInstance()->waitForDone();
    for (int i = 0; i < 100 && !done; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_TRUE(done);
    return received;
}

} // namespace

TEST(BackgroundFetchWriteTest, ShortWriteKeepsTheOldPictureAndGivesNone)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString target = folder.filePath(QStringLiteral("background.PNG"));
    {
        QFile old(target);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old picture");
    }
    const QByteArray bytes = pictureBytes();
    ASSERT_GT(bytes.size(), 4096);

    // A file size limit binds root too; the signal it raises is ignored so that write() reports it.
    struct rlimit saved
    {
    };
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = ::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const QImage cutOff = fetchInto(target, bytes);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ::signal(SIGXFSZ, oldHandler);

    EXPECT_TRUE(cutOff.isNull());
    EXPECT_EQ(readAll(target), QByteArray("old picture"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"background.PNG"}));

    // Without the limit the same fetch replaces the picture whole.
    const QImage whole = fetchInto(target, bytes);
    EXPECT_FALSE(whole.isNull());
    EXPECT_EQ(readAll(target), bytes);
}
