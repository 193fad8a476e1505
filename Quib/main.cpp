#include "app/DRVAppDelegate.h"
#include "document/DocumentArchiver.h"
#include "editions/DataCentre.h"
#include "platform/Heap.h"
#include "platform/UserDefaults.h"
#include "publishing/DocumentArchiverInstall.h"

#include <QApplication>

#include <malloc.h>

int main(int argc, char** argv)
{
    // Opening a long page allocates and frees megabytes many times over. Freed memory is kept for
    // the next allocation rather than handed back to the system at once, which would have every
    // page of it faulted in again; large blocks come from the heap for the same reason.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 256 * 1024 * 1024);
    platform::reserveMainHeap(64 * 1024 * 1024);
    QApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(QUIB_VERSION));
    const QStringList arguments = app.arguments();
    // The document the program opens first is read while the application starts.
    const QStringList documents = DRVAppDelegate::documentPathsFromArguments(arguments);
    if (!documents.isEmpty()) {
        DocumentArchiverInstall::install();
        DocumentArchiver::readAhead(documents.constFirst());
    }

    // The edition comes from the name the program was started under, or --edition NAME; its
    // settings store must be in place before the edition configuration reads any default.
    const QString displayName = DataCentre::displayNameForLaunch(arguments);
    DataCentre::setLaunchDisplayName(displayName);
    QGuiApplication::setApplicationDisplayName(displayName);
    platform::UserDefaults::standard().useEditionStore(displayName);

    DRVAppDelegate delegate;
    delegate.applicationWillFinishLaunching();
    const bool launched = delegate.applicationDidFinishLaunching(documents);
    DocumentArchiver::forgetReadAhead();
    if (!launched)
        return 0;
    return app.exec();
}
