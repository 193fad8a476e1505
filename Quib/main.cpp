#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(QUIB_VERSION));
    // The application shell arrives with the start-up work; until then the process starts Qt and exits.
    return 0;
}
