#include "app/DRVAppDelegate.h"
#include "editions/DataCentre.h"
#include "platform/UserDefaults.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(QUIB_VERSION));

    // The edition comes from the name the program was started under, or --edition NAME; its
    // settings store must be in place before the edition configuration reads any default.
    const QStringList arguments = app.arguments();
    const QString displayName = DataCentre::displayNameForLaunch(arguments);
    DataCentre::setLaunchDisplayName(displayName);
    QGuiApplication::setApplicationDisplayName(displayName);
    platform::UserDefaults::standard().useEditionStore(displayName);

    DRVAppDelegate delegate;
    delegate.applicationWillFinishLaunching();
    if (!delegate.applicationDidFinishLaunching(DRVAppDelegate::documentPathsFromArguments(arguments)))
        return 0;
    return app.exec();
}
