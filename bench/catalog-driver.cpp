// Runs one catalog step on a folder and prints what it did and how long it took.
//   quib_catalogdriver folders FOLDER          the folder-size scan (every sub-folder measured)
//   quib_catalogdriver photos FOLDER OUTPUT    each JPEG decoded at a placing width of 600 and
//                                              written to OUTPUT, as the photo pages prepare them
#include "records/CatalogScan.h"
#include "window/DRVWindowController.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3 || (args[1] == QLatin1String("photos") && args.size() < 4)) {
        std::fprintf(stderr, "usage: quib_catalogdriver folders FOLDER | photos FOLDER OUTPUT\n");
        return 2;
    }
    QElapsedTimer timer;
    timer.start();
    if (args[1] == QLatin1String("folders")) {
        const QList<QuibFileHelper> folders = CatalogScan::scan(args[2], CatalogKind::Folders, {});
        quint64 bytes = 0;
        for (const QuibFileHelper& folder : folders)
            bytes += folder.fileSizeBytes;
        std::printf("folders %lld, bytes %llu, %lld ms\n", qlonglong(folders.size()),
                    static_cast<unsigned long long>(bytes), timer.elapsed());
        return 0;
    }
    const QList<QuibFileHelper> photos = CatalogScan::scan(args[2], CatalogKind::Photos, {});
    QDir().mkpath(args[3]);
    int written = 0;
    for (const QuibFileHelper& photo : photos) {
        const DRVWindowController::PreparedPhoto prepared =
            DRVWindowController::preparePhoto(photo.filePath, photo.fileModDate, 600);
        if (prepared.image.save(QDir(args[3]).filePath(QFileInfo(photo.filePath).fileName())))
            ++written;
    }
    std::printf("photos %lld, written %d, %lld ms\n", qlonglong(photos.size()), written, timer.elapsed());
    return written == photos.size() ? 0 : 1;
}
