// quib_templates: writes the page documents the application ships (every edition's blank page and
// form page, its starter pages and sample, a small template per chooser category, a Getting Started
// page, and the website themes) with the
// application's own save flow, so they are always pages this build reads back. Run by the build.
//
//   quib_templates OUTPUT_FOLDER
#include "app/DRVAppDelegate.h"
#include "document/DRVDocument.h"
#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "editions/WorkingFolders.h"
#include "model/DRVRectangle.h"
#include "model/DRVText.h"
#include "platform/Dialogs.h"
#include "platform/SafePath.h"
#include "platform/UndoManager.h"
#include "platform/UserDefaults.h"
#include "publishing/DocumentArchiverInstall.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>
#include <optional>

namespace {

struct Box
{
    QString text;
    QRectF bounds;
    int fontSize = 16;
    QString colour = QStringLiteral("333333");
};

struct Panel
{
    QRectF bounds;
    QString colour;
};

struct PageContent
{
    QList<Panel> panels;
    QList<Box> boxes;
};

bool writePage(const QString& path, const PageContent& content)
{
    if (QFileInfo::exists(path))
        return true; // folders shared by editions hold one copy
    QDir().mkpath(QFileInfo(path).absolutePath());
    DRVDocument document;
    document.undoManager()->disableUndoRegistration();
    QList<DRVGraphic*> graphics;
    QList<int> indexes;
    // Front to back: the texts over the panels.
    for (const Box& box : content.boxes) {
        auto* text = new DRVText(&document);
        text->setTextType(QStringLiteral("Text"));
        text->setFontFamily(QStringLiteral("Helvetica Neue"));
        text->setFontSize(box.fontSize);
        text->setBounds(box.bounds);
        text->updateTextString(box.text);
        text->setBackgroundHexColorString(QStringLiteral("CLEAR0"));
        text->setTextHexColorString(box.colour);
        graphics.append(text);
    }
    for (const Panel& panel : content.panels) {
        auto* rectangle = new DRVRectangle(&document);
        rectangle->setBounds(panel.bounds);
        rectangle->setBackgroundHexColorString(panel.colour);
        rectangle->setFillColor(DataCentre::colorWithHexString(panel.colour));
        rectangle->setDrawingFill(true);
        rectangle->setBorderWidth(0);
        graphics.append(rectangle);
    }
    for (int i = 0; i < int(graphics.size()); ++i)
        indexes.append(i);
    if (!graphics.isEmpty())
        document.insertGraphics(graphics, indexes);
    document.undoManager()->enableUndoRegistration();
    // A save that wrote nothing is a failure here too.
    if (!document.saveDocumentTo(path) || !QFileInfo(path).isFile()) {
        QTextStream(stderr) << "cannot write " << path << ": " << document.lastFileErrorText() << Qt::endl;
        return false;
    }
    return true;
}

PageContent gettingStarted()
{
    return {{{QRectF(0, 0, 1000, 90), QStringLiteral("2A6F97")}},
            {{QStringLiteral("Getting Started"), QRectF(40, 20, 600, 50), 30, QStringLiteral("FFFFFF")},
             {QStringLiteral("Every page of your project is listed beside the canvas. Click a page to open it, "
                             "use the File menu to add pages, and drag objects from the palette onto "
                             "the canvas."),
              QRectF(40, 120, 760, 80), 16},
             {QStringLiteral("Choose Save to keep your work; publishing writes the pages of your "
                             "project as a website."),
              QRectF(40, 220, 760, 60), 16}}};
}

PageContent starterPage(const QString& title)
{
    return {{{QRectF(0, 0, 1000, 70), QStringLiteral("DDE6ED")}},
            {{title, QRectF(40, 15, 600, 40), 26}}};
}

// A heading band and two panels under it, coloured per title so neighbouring tiles differ.
PageContent templatePage(const QString& title)
{
    static const QStringList accents{QStringLiteral("1F4E79"), QStringLiteral("7B2C3B"), QStringLiteral("2E6B3A"),
                                     QStringLiteral("6A4C93"), QStringLiteral("B85C1E"), QStringLiteral("205E6B")};
    const QString accent = accents.at(int(qHash(title) % accents.size()));
    return {{{QRectF(0, 0, 1000, 110), accent},
             {QRectF(40, 150, 440, 240), QStringLiteral("E7ECF2")},
             {QRectF(520, 150, 440, 240), QStringLiteral("F2EDE4")}},
            {{title, QRectF(40, 30, 900, 56), 34, QStringLiteral("FFFFFF")},
             {QStringLiteral("Replace this text with your own."), QRectF(60, 180, 400, 60), 16}}};
}

// The pages of one edition, below its templates folder.
bool writeEdition(const QString& root)
{
    const EditionSettings& e = edition();
    if (e.gDocumentExtension.isEmpty())
        return true;
    const QString folder = e.gTemplatesFolderName.isEmpty() ? QStringLiteral("templates") : e.gTemplatesFolderName;
    const std::optional<QString> templates = platform::SafePath::filePath(root, folder);
    if (!templates)
        return false;
    bool ok = true;
    auto write = [&](const QString& relative, const PageContent& content) {
        const std::optional<QString> path = platform::SafePath::filePathBelow(*templates, relative);
        ok = path && writePage(*path, content) && ok;
    };
    write(QStringLiteral("blank/Blank.") + e.gDocumentExtension, {});
    write(QStringLiteral("blank/Blank.selvaro"), {});
    write(QStringLiteral("forms/Blank.selvaro"), {});
    write(QStringLiteral("GettingStarted.") + e.gDocumentExtension, gettingStarted());
    for (const QString& starter : e.gStarterPageFiles) {
        const QString stem = QFileInfo(starter).completeBaseName();
        const bool blank = stem.compare(QStringLiteral("Blank"), Qt::CaseInsensitive) == 0 ||
                           stem == QLatin1String("basetemplate");
        write(starter, blank ? PageContent{} : starterPage(stem == QLatin1String("index") ? QStringLiteral("Home") : stem));
    }
    if (!e.gSampleDocumentName.isEmpty())
        write(e.gSampleDocumentName, starterPage(QStringLiteral("Sample")));
    // One template per chooser category, named after the category's title.
    for (const DRVAppDelegate::TemplateCategory& category :
         DRVAppDelegate::templateCategoriesForEdition(e.gEditionDisplayName, nullptr)) {
        if (category.categoryFolderName == QLatin1String("all") || category.categoryFolderName == QLatin1String("blank"))
            continue;
        const QString title = category.categoryDescription.trimmed();
        QString name;
        for (const QChar c : title)
            name.append(c.isLetterOrNumber() || c == u' ' || c == u'.' ? c : u'_');
        write(category.categoryFolderName + u'/' + name.simplified() + u'.' + e.gDocumentExtension,
              templatePage(title));
    }
    return ok;
}

bool writeTheme(const QString& root)
{
    const std::optional<QString> theme = platform::SafePath::filePathBelow(root, QStringLiteral("templates/websiteLevel/Harbour"));
    if (!theme)
        return false;
    QDir().mkpath(*theme);
    const QString extension = edition().gDocumentExtension;
    const QString accent = QStringLiteral("1F4E79");
    bool ok = writePage(QDir(*theme).filePath(QStringLiteral("index.") + extension),
                        {{{QRectF(0, 0, 1000, 120), accent}, {QRectF(40, 160, 440, 260), QStringLiteral("9DC3E6")},
                          {QRectF(520, 160, 440, 260), QStringLiteral("BDD7EE")}},
                         {{QStringLiteral("Harbour"), QRectF(40, 30, 600, 60), 36, QStringLiteral("FFFFFF")}}}) &&
              writePage(QDir(*theme).filePath(QStringLiteral("about.") + extension),
                        {{{QRectF(0, 0, 1000, 120), accent}, {QRectF(40, 160, 920, 200), QStringLiteral("DEEBF7")}},
                         {{QStringLiteral("About Us"), QRectF(40, 30, 600, 60), 36, QStringLiteral("FFFFFF")}}}) &&
              writePage(QDir(*theme).filePath(QStringLiteral("contact.") + extension),
                        {{{QRectF(0, 0, 1000, 120), accent}},
                         {{QStringLiteral("Contact"), QRectF(40, 30, 600, 60), 36, QStringLiteral("FFFFFF")}}});
    QFile settings(QDir(*theme).filePath(QStringLiteral("site.quibs")));
    ok = settings.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
         settings.write("##WEBSITE_TITLE_START##Harbour##WEBSITE_TITLE_END##\n"
                        "##WEBSITE_DESCRIPTION_START##A calm three-page site: a home page with two "
                        "panels, an about page and a contact page.##WEBSITE_DESCRIPTION_END##\n") > 0 &&
         ok;
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 2) {
        QTextStream(stderr) << "usage: quib_templates OUTPUT_FOLDER" << Qt::endl;
        return 2;
    }
    const QString root = QFileInfo(arguments.at(1)).absoluteFilePath();
    QDir().mkpath(root);

    QTemporaryDir scratch;
    platform::UserDefaults::standard().useStoreFile(scratch.filePath(QStringLiteral("defaults.ini")));
    WorkingFolders::setProcessBase(scratch.filePath(QStringLiteral("work")));
    DataCentre::setLaunchDisplayName(DataCentre::defaultDisplayName());
    DataCentre::initializeData();
    DocumentArchiverInstall::install();
    platform::ScriptedDialogs dialogs; // no window ever asks anything here
    platform::DialogService::setCurrent(&dialogs);

    bool ok = true;
    auto prepareFolders = [&] {
        EditionSettings& e = edition();
        e.gTempFolderPath = scratch.filePath(QStringLiteral("work"));
        e.gReceivedPagesFolderName = QStringLiteral("0000Received_Pages");
        e.gTempSaveFolderPath = QDir(e.gTempFolderPath).filePath(QStringLiteral("0000Received_Pages/tempSave000000"));
        QDir().mkpath(e.gTempSaveFolderPath);
        // The viewer editions read pages only; their shipped pages are written all the same.
        e.gReadOnlyViewerFlag = false;
    };
    for (const QString& name : DataCentre::editionDisplayNames()) {
        ScopedEdition selected(name);
        prepareFolders();
        ok = writeEdition(root) && ok;
    }
    {
        ScopedEdition selected(DataCentre::defaultDisplayName());
        prepareFolders();
        ok = writeEdition(root) && writeTheme(root) && ok;
    }
    platform::DialogService::setCurrent(nullptr);
    return ok ? 0 : 1;
}
