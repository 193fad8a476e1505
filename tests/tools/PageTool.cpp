// quib_pagetool: opens a page document through the application's own open flow and prints the
// property dictionary of every graphic as JSON (front to back); --save-to saves it as a new document.
// A test and investigation aid, not part of the application.
//
//   quib_pagetool [--edition NAME] [--save-to PATH] DOCUMENT
#include "document/DRVDocument.h"
#include "editions/DataCentre.h"
#include "editions/WorkingFolders.h"
#include "model/DRVGraphic.h"
#include "platform/Dialogs.h"
#include "platform/Geometry.h"
#include "platform/UserDefaults.h"
#include "publishing/DocumentArchiverInstall.h"

#include <QApplication>
#include <QColor>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRectF>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

QJsonValue toJson(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::QVariantMap: {
        QJsonObject object;
        const QVariantMap map = value.toMap();
        for (auto it = map.begin(); it != map.end(); ++it)
            object.insert(it.key(), toJson(it.value()));
        return object;
    }
    case QMetaType::QVariantList:
    case QMetaType::QStringList: {
        QJsonArray array;
        for (const QVariant& item : value.toList())
            array.append(toJson(item));
        return array;
    }
    case QMetaType::QByteArray:
        // Archived colours and images, as base64.
        return QStringLiteral("bytes:") + QString::fromLatin1(value.toByteArray().toBase64());
    case QMetaType::QColor:
        return value.value<QColor>().name(QColor::HexArgb);
    case QMetaType::QRectF:
    case QMetaType::QRect:
        return platform::stringFromRect(value.toRectF());
    case QMetaType::QPointF:
    case QMetaType::QPoint:
        return platform::stringFromPoint(value.toPointF());
    case QMetaType::QSizeF:
    case QMetaType::QSize:
        return platform::stringFromSize(value.toSizeF());
    case QMetaType::Bool:
        return value.toBool();
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::Double:
    case QMetaType::Float:
        return value.toDouble();
    default:
        if (!value.isValid())
            return QJsonValue::Null;
        return value.toString();
    }
}

// Alerts go to standard error instead of a window.
class ConsoleDialogs : public platform::ScriptedDialogs
{
public:
    int runAlert(const platform::Alert& alert) override
    {
        QTextStream(stderr) << "alert: " << alert.title << " - " << alert.informativeText << Qt::endl;
        return platform::ScriptedDialogs::runAlert(alert);
    }
};

int usage()
{
    QTextStream(stderr) << "usage: quib_pagetool [--edition NAME] [--save-to PATH] DOCUMENT" << Qt::endl;
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    QString editionName;
    QString saveTo;
    QString document;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QLatin1String("--edition") && i + 1 < arguments.size())
            editionName = arguments.at(++i);
        else if (argument == QLatin1String("--save-to") && i + 1 < arguments.size())
            saveTo = arguments.at(++i);
        else if (argument.startsWith(QLatin1String("--")) || !document.isEmpty())
            return usage();
        else
            document = argument;
    }
    if (document.isEmpty())
        return usage();

    // Its own defaults and working folders: the tool never touches a user's settings or pages.
    QTemporaryDir scratch;
    platform::UserDefaults::standard().useStoreFile(scratch.filePath(QStringLiteral("defaults.ini")));
    // A base of its own outside the scratch folder: the working root outlives main's locals.
    WorkingFolders::setProcessBase(QDir::temp().filePath(QStringLiteral("quib-pagetool")));
    DataCentre::setLaunchDisplayName(editionName.isEmpty() ? DataCentre::defaultDisplayName() : editionName);
    DataCentre::initializeData();
    DocumentArchiverInstall::install();
    ConsoleDialogs dialogs;
    platform::DialogService::setCurrent(&dialogs);

    QString error;
    std::unique_ptr<DRVDocument> page = DRVDocument::openDocument(document, &error);
    if (!page) {
        QTextStream(stderr) << "cannot open " << document << ": " << error << Qt::endl;
        platform::DialogService::setCurrent(nullptr);
        return 1;
    }
    QJsonArray graphics;
    for (const QVariant& properties : DRVGraphic::propertiesWithGraphics(page->graphics()))
        graphics.append(toJson(properties));
    QTextStream(stdout) << QJsonDocument(graphics).toJson(QJsonDocument::Indented);

    int status = 0;
    if (!saveTo.isEmpty() && !page->saveDocumentTo(saveTo)) {
        QTextStream(stderr) << "cannot save " << saveTo << ": " << page->lastFileErrorText() << Qt::endl;
        status = 1;
    }
    page.reset();
    platform::DialogService::setCurrent(nullptr);
    return status;
}
