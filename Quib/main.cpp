#include "editions/DataCentre.h"
#include "platform/UserDefaults.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(QUIB_VERSION));

    // The edition comes from the name the program was started under, or --edition NAME.
    const QString displayName = DataCentre::displayNameForLaunch(app.arguments());
    DataCentre::setLaunchDisplayName(displayName);
    platform::UserDefaults::standard().useEditionStore(displayName);
    DataCentre::initializeData();

    // The application shell arrives with the start-up work; until then the process sets up its
    // edition and exits.
    return 0;
}
