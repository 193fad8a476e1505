// Sends every file below a local folder with UploadFTPS, one level of sub-folders, on one
// connection, and prints "sent N of M in T ms". The password comes from QUIB_UPLOAD_PASSWORD so it
// never shows in a process list.
//   quib_uploaddriver HOST PORT USER LOCAL_FOLDER REMOTE_PATH [--active]
#include "publishing/UploadFTPS.h"
#include "publishing/UploadFTPSViewDelegate.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>

#include <cstdio>

namespace {

class Counter : public UploadFTPSViewDelegate
{
public:
    void UploadUpdate(UploadFTPS*, bool uploadResult, const QString& uploadDetails, qint32) override
    {
        if (uploadResult)
            ++sent;
        else
            failure = uploadDetails;
    }
    void sendMailUpdate(UploadFTPS*, bool, const QString&) override {}
    int sent = 0;
    QString failure;
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() < 6) {
        std::fprintf(stderr, "usage: quib_uploaddriver HOST PORT USER LOCAL_FOLDER REMOTE_PATH [--active]\n");
        return 2;
    }
    UploadConnectionSettings settings;
    settings.server = arguments.at(1);
    settings.port = arguments.at(2).toInt();
    settings.userName = arguments.at(3);
    settings.password = qEnvironmentVariable("QUIB_UPLOAD_PASSWORD");
    settings.remoteDirectory = arguments.at(5);
    settings.passiveMode = !arguments.contains(QStringLiteral("--active"));

    const QDir local(arguments.at(4));
    QList<UploadItem> items;
    QDirIterator it(local.path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString folder = QFileInfo(local.relativeFilePath(path)).path();
        UploadItem item;
        item.setLocalPath(path);
        item.setRemoteFolder(folder == QLatin1String(".") ? QString() : u'/' + folder);
        item.setRemoteFileName(it.fileName());
        items.append(item);
    }

    Counter counter;
    UploadFTPS upload;
    upload.setDelegate(&counter);
    upload.applySettings(settings);
    upload.setUploadItemArray(items);
    QElapsedTimer timer;
    timer.start();
    upload.uploadSingleFile();
    std::printf("sent %d of %lld in %lld ms\n", counter.sent, static_cast<long long>(items.size()),
                static_cast<long long>(timer.elapsed()));
    if (!counter.failure.isEmpty())
        std::fprintf(stderr, "%s\n", qPrintable(counter.failure));
    return counter.sent == items.size() ? 0 : 1;
}
