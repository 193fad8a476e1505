#include "app/CommandLine.h"
#include "app/DRVAppDelegate.h"
#include "document/DocumentArchiver.h"
#include "editions/DataCentre.h"
#include "platform/Heap.h"
#include "platform/UserDefaults.h"
#include "publishing/DocumentArchiverInstall.h"

#include <QApplication>

#include <algorithm>
#include <malloc.h>

int main(int argc, char** argv)
{
    // Help, the edition list and a name that is no edition are answered before any window.
    QStringList commandLine;
    for (int i = 0; i < argc; ++i)
        commandLine.append(QString::fromLocal8Bit(argv[i]));
    if (const std::optional<int> exitCode =
            CommandLine::handle(commandLine, DataCentre::resourcesPath(), stdout, stderr))
        return *exitCode;

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
    if (!documents.isEmpty())
        DocumentArchiverInstall::install();

    // The edition comes from --edition NAME, the name the program was started under, or else the
    // edition that made the first document (a file manager opens every page through one entry);
    // its settings store must be in place before the edition configuration reads any default.
    QString displayName = DataCentre::displayNameForLaunch(arguments);
    if (const std::optional<QString> named = CommandLine::editionNamed(displayName))
        displayName = *named;
    const bool editionGiven = std::any_of(arguments.cbegin(), arguments.cend(), [](const QString& argument) {
        return argument == QLatin1String("--edition") || argument.startsWith(QLatin1String("--edition="));
    });
    if (!editionGiven && displayName == DataCentre::defaultDisplayName() && !documents.isEmpty())
        displayName = CommandLine::editionOfDocument(documents.constFirst()).value_or(displayName);
    if (!documents.isEmpty())
        DocumentArchiver::readAhead(documents.constFirst());
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
