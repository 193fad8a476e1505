// A website project on disk: the scan of its folder into page records, the page order file, and the
// page operations (add, insert, template, duplicate, delete, drop) checked on the folder, on
// "order.index" and on the page the window ends up editing.
#include "WindowTestSupport.h"
#include "common/TestFiles.h"

#include "document/DRVDocument.h"
#include "document/DocumentArchiver.h"
#include "editions/EditionSettings.h"
#include "model/DRVRectangle.h"
#include "platform/Dialogs.h"
#include "platform/StringRules.h"
#include "platform/TextEncoding.h"
#include "platform/UserDefaults.h"
#include "publishing/DocumentArchiverInstall.h"
#include "window/DRVWindowController.h"
#include "window/WebsiteProject.h"

#include <QClipboard>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSet>

namespace {

const QString kExt = QStringLiteral("quibpage");

QString join(const QString& folder, const QString& name)
{
    return QDir(folder).filePath(name);
}

using testfiles::readBytes;
using testfiles::writeBytes;

QString pageText(const QString& title, int width)
{
    return QStringLiteral(
               "<html>\n<meta name='viewport' content='width=%1'>\n<!--PAGETITLESTART==%2==PAGETITLEEND-->\n"
               "<body></body></html>\n")
        .arg(width)
        .arg(title);
}

// A tiny page document packed the way the application packs one: page file, thumbnail, page folder.
void makeTinyPage(const QString& folder, const QString& documentName, const QString& title, int width = 1250,
                  const QByteArray& rawText = QByteArray())
{
    QTemporaryDir work;
    const QString stem = platform::stringByDeletingPathExtension(documentName);
    const QString extension = platform::pathExtension(documentName) == QLatin1String("selvaro")
                                  ? QStringLiteral("php")
                                  : QStringLiteral("html");
    const QByteArray text = rawText.isEmpty() ? pageText(title, width).toUtf8() : rawText;
    ASSERT_TRUE(writeBytes(join(work.path(), stem + u'.' + extension), text));
    ASSERT_TRUE(
        writeBytes(join(work.path(), stem + QStringLiteral(".png")), QByteArray("png of ") + title.toUtf8()));
    ASSERT_TRUE(
        writeBytes(join(work.path(), stem + QStringLiteral("/image-of-") + title + QStringLiteral(".txt")),
                   title.toUtf8()));
    ASSERT_TRUE(DocumentArchiver::zipDocument(join(work.path(), stem), join(folder, documentName)));
}

// A page document written by the application's own page writer.
void makeRealPage(const QString& path, double x = 20)
{
    DRVDocument document;
    auto* box = new DRVRectangle;
    box->setBounds(QRectF(x, 30, 40, 20));
    document.insertGraphics({box}, {0});
    QDir().mkpath(QFileInfo(path).absolutePath());
    ASSERT_TRUE(document.saveDocumentTo(path)) << qPrintable(document.lastFileErrorText());
}

QStringList namesOf(const QList<PageRecord>& records)
{
    QStringList names;
    for (const PageRecord& record : records)
        names << record.documentName;
    return names;
}

QStringList filesUnder(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(folder).relativeFilePath(it.next());
    files.sort();
    return files;
}

// The edition values a project needs, working folders and the page archiver, a blank template made
// by the page writer, all inside the test's own folder.
class WebsiteFolderTest : public WindowTest
{
protected:
    WebsiteFolderTest()
    {
        EditionSettings& e = edition();
        e.gDocumentExtension = kExt;
        e.gBaseTemplateFileName = QStringLiteral("basetemplate.") + kExt;
        e.gPageBaseName = QStringLiteral("page");
        e.gPageOrderIndexFlag = true;
        e.gResponsiveLayoutFlag = false;
        e.gAutoBaseTemplateFlag = false;
        e.gFreeFormFileNamesFlag = false;
        e.gEditionDisplayName = QStringLiteral("Quib");
        e.gTempFolderPath = m_root.filePath(QStringLiteral("work"));
        e.gReceivedPagesFolderName = QStringLiteral("0000Received_Pages");
        e.gTempSaveFolderPath = join(e.gTempFolderPath, QStringLiteral("0000Received_Pages/tempSave000000"));
        QDir().mkpath(e.gTempSaveFolderPath);
        DocumentArchiverInstall::install();
        qputenv("QUIB_TEMPLATES", m_root.filePath(QStringLiteral("templates")).toUtf8());
        m_folder = m_root.filePath(QStringLiteral("My Site"));
        QDir().mkpath(m_folder);
    }
    ~WebsiteFolderTest() override
    {
        qunsetenv("QUIB_TEMPLATES");
        DRVDocument::setWebsiteFolderOpenFlag(false);
    }

    void makeBlankTemplate()
    {
        makeRealPage(
            join(m_root.filePath(QStringLiteral("templates")), QStringLiteral("blank/Blank.") + kExt), 5);
    }

    // What the page list does when it shows the project.
    static void scan(DRVWindowController& controller)
    {
        controller.resetAndGrabCurrentWebsiteFolderPath();
        controller.pickUpFileList(controller.openWebsiteFolderPath());
    }
    void openAndScan(DRVWindowController& controller, const QString& sortBy = QString())
    {
        controller.setOpenWebsiteFolderPath(m_folder);
        controller.setSortListingBy(sortBy);
        scan(controller);
    }

    QTemporaryDir m_root;
    QString m_folder;
};

} // namespace

// ---- the scan ----

TEST_F(WebsiteFolderTest, ScanListsPageDocumentsWithTheirTitlesWidthsAndWorkingFiles)
{
    edition().gPageOrderIndexFlag = false;
    makeTinyPage(m_folder, QStringLiteral("contact.quibpage"), QStringLiteral("Contact"), 980);
    makeTinyPage(m_folder, QStringLiteral("about.quibpage"), QStringLiteral("About"), 1250);
    ASSERT_TRUE(writeBytes(join(m_folder, QStringLiteral("notes.txt")), "notes"));
    DRVWindowController controller;
    openAndScan(controller, QStringLiteral("fileName"));

    const QString working = controller.openWebsiteFolderTempPath();
    EXPECT_TRUE(
        working.startsWith(join(edition().gTempFolderPath, QStringLiteral("0000Received_Pages/MySite"))))
        << qPrintable(working);
    ASSERT_EQ(namesOf(controller.siteIconArray()),
              (QStringList{QStringLiteral("about.quibpage"), QStringLiteral("contact.quibpage")}));
    EXPECT_EQ(controller.pageNameArray(), namesOf(controller.siteIconArray()));
    const PageRecord& about = controller.siteIconArray().at(0);
    EXPECT_EQ(about.pageTitle, QStringLiteral("About"));
    EXPECT_EQ(about.pageWidth, QStringLiteral("1250"));
    EXPECT_EQ(about.imagePath, join(working, QStringLiteral("about.png")));
    EXPECT_EQ(readBytes(about.imagePath), QByteArray("png of About"));
    EXPECT_EQ(about.pageLocalFileName, QStringLiteral("about.html"));
    EXPECT_EQ(about.pagePublishFileName, QStringLiteral("about.html"));
    EXPECT_TRUE(QFileInfo::exists(join(working, QStringLiteral("about/image-of-About.txt"))));
    EXPECT_FALSE(about.fileTime.isEmpty());
    EXPECT_EQ(controller.siteIconArray().at(1).pageWidth, QStringLiteral("980"));
}

TEST_F(WebsiteFolderTest, ScanSortsByDateNewestFirst)
{
    edition().gPageOrderIndexFlag = false;
    const QDateTime base(QDate(2026, 5, 1), QTime(12, 0));
    const struct
    {
        const char* name;
        int minutes;
    } pages[] = {{"b.quibpage", 10}, {"a.quibpage", 30}, {"c.quibpage", 20}, {"d.quibpage", 30}};
    for (const auto& page : pages) {
        const QString name = QString::fromLatin1(page.name);
        makeTinyPage(m_folder, name, name);
        QFile file(join(m_folder, name));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(base.addSecs(page.minutes * 60), QFileDevice::FileModificationTime));
    }
    DRVWindowController controller;
    openAndScan(controller, QStringLiteral("modDate"));
    EXPECT_EQ(controller.siteIconArray().at(0).fileTime, QStringLiteral("May 01 2026 12:30 PM"));
    // a and d share their date: the name decides.
    EXPECT_EQ(namesOf(controller.siteIconArray()),
              (QStringList{QStringLiteral("a.quibpage"), QStringLiteral("d.quibpage"),
                           QStringLiteral("c.quibpage"), QStringLiteral("b.quibpage")}));
}

TEST_F(WebsiteFolderTest, BaseTemplateComesFirstWhateverItsPosition)
{
    for (const char* name : {"a.quibpage", "b.quibpage", "basetemplate.quibpage"})
        makeTinyPage(m_folder, QString::fromLatin1(name), QString::fromLatin1(name));
    ASSERT_TRUE(writeBytes(join(m_folder, QStringLiteral("order.index")),
                           "b.quibpage,0\nbasetemplate.quibpage,5\na.quibpage,1\n"));
    DRVWindowController controller;
    openAndScan(controller);
    EXPECT_EQ(namesOf(controller.siteIconArray()),
              (QStringList{QStringLiteral("basetemplate.quibpage"), QStringLiteral("b.quibpage"),
                           QStringLiteral("a.quibpage")}));
    EXPECT_TRUE(controller.baseTemplateExists());
}

TEST_F(WebsiteFolderTest, NonAsciiOrderRoundTripsThroughUtf16)
{
    const QStringList order{QStringLiteral("zeta.quibpage"), QStringLiteral("caf\u00e9.quibpage"),
                            QStringLiteral("alpha.quibpage")};
    for (const QString& name : order)
        makeTinyPage(m_folder, name, name);
    DRVWindowController controller;
    openAndScan(controller);
    ASSERT_EQ(controller.siteIconArray().size(), 3);
    QList<PageRecord> reordered;
    for (const QString& name : order) {
        for (const PageRecord& record : controller.siteIconArray())
            if (record.documentName == name)
                reordered << record;
    }
    controller.siteIconArray() = reordered;
    controller.writePageOrderIndexFile();
    EXPECT_EQ(readBytes(join(m_folder, QStringLiteral("order.index"))).left(2), QByteArray("\xff\xfe", 2));

    scan(controller);
    EXPECT_EQ(namesOf(controller.siteIconArray()), order);
    EXPECT_EQ(controller.siteIconArray().at(1).pageTitle, QStringLiteral("caf\u00e9.quibpage"));
}

TEST_F(WebsiteFolderTest, MissingOrderFileFallsBackToScanOrderAndTheNextWriteCreatesIt)
{
    for (const char* name : {"c.quibpage", "a.quibpage", "b.quibpage"})
        makeTinyPage(m_folder, QString::fromLatin1(name), QString::fromLatin1(name));
    DRVWindowController controller;
    openAndScan(controller);
    const QStringList expected{QStringLiteral("a.quibpage"), QStringLiteral("b.quibpage"),
                               QStringLiteral("c.quibpage")};
    EXPECT_EQ(namesOf(controller.siteIconArray()), expected);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(controller.siteIconArray().at(i).pageNumber, i);
    EXPECT_FALSE(QFileInfo::exists(join(m_folder, QStringLiteral("order.index"))));
    controller.writePageOrderIndexFile();
    EXPECT_EQ(readBytes(join(m_folder, QStringLiteral("order.index"))),
              QByteArray("a.quibpage,0\nb.quibpage,1\nc.quibpage,2\n"));
}

TEST_F(WebsiteFolderTest, PagesOfOneStemKeepTheirOwnFiles)
{
    makeTinyPage(m_folder, QStringLiteral("about.quibpage"), QStringLiteral("Page"));
    makeTinyPage(m_folder, QStringLiteral("about.selvaro"), QStringLiteral("Form"));
    DRVWindowController controller;
    openAndScan(controller);
    ASSERT_EQ(controller.siteIconArray().size(), 2);
    const QString working = controller.openWebsiteFolderTempPath();
    QSet<QString> images;
    for (const PageRecord& record : controller.siteIconArray()) {
        const QString title = record.documentName.endsWith(QLatin1String(".selvaro"))
                                  ? QStringLiteral("Form")
                                  : QStringLiteral("Page");
        EXPECT_EQ(record.pageTitle, title) << qPrintable(record.documentName);
        EXPECT_EQ(readBytes(record.imagePath), QByteArray("png of ") + title.toUtf8());
        const QString folder = platform::stringByDeletingPathExtension(record.pageLocalFileName);
        EXPECT_TRUE(QFileInfo::exists(
            join(working, folder + QStringLiteral("/image-of-") + title + QStringLiteral(".txt"))))
            << qPrintable(folder);
        EXPECT_TRUE(QFileInfo::exists(join(working, record.pageLocalFileName)));
        images.insert(record.imagePath);
    }
    EXPECT_EQ(images.size(), 2);
    // Published under the document's own name whatever the working name.
    for (const PageRecord& record : controller.siteIconArray())
        EXPECT_TRUE(record.pagePublishFileName.startsWith(QLatin1String("about.")))
            << qPrintable(record.pagePublishFileName);
}

TEST_F(WebsiteFolderTest, TwoScansAreEqualAndTheWorkingCopyHoldsOnlyTheLast)
{
    for (const char* name : {"a.quibpage", "b.quibpage", "form.selvaro"})
        makeTinyPage(m_folder, QString::fromLatin1(name), QString::fromLatin1(name));
    DRVWindowController controller;
    openAndScan(controller);
    const QList<PageRecord> first = controller.siteIconArray();
    const QStringList firstFiles = filesUnder(controller.openWebsiteFolderTempPath());
    ASSERT_TRUE(writeBytes(join(controller.openWebsiteFolderTempPath(), QStringLiteral("stray.html")), "x"));
    scan(controller);
    const QList<PageRecord> second = controller.siteIconArray();
    ASSERT_EQ(first.size(), second.size());
    for (int i = 0; i < first.size(); ++i) {
        EXPECT_EQ(first[i].documentName, second[i].documentName);
        EXPECT_EQ(first[i].imagePath, second[i].imagePath);
        EXPECT_EQ(first[i].pageTitle, second[i].pageTitle);
        EXPECT_EQ(first[i].pageLocalFileName, second[i].pageLocalFileName);
        EXPECT_EQ(first[i].pageNumber, second[i].pageNumber);
    }
    EXPECT_EQ(filesUnder(controller.openWebsiteFolderTempPath()), firstFiles);
    EXPECT_FALSE(firstFiles.contains(QStringLiteral("stray.html")));
}

TEST_F(WebsiteFolderTest, PageTextThatIsNotAsciiIsReadAsUtf16)
{
    QByteArray utf16("\xff\xfe", 2);
    const QString text = pageText(QStringLiteral("\u00dcber uns"), 640);
    utf16.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    makeTinyPage(m_folder, QStringLiteral("ueber.quibpage"), QString(), 0, utf16);
    DRVWindowController controller;
    openAndScan(controller);
    ASSERT_EQ(controller.siteIconArray().size(), 1);
    EXPECT_EQ(controller.siteIconArray().at(0).pageTitle, QStringLiteral("\u00dcber uns"));
    EXPECT_EQ(controller.siteIconArray().at(0).pageWidth, QStringLiteral("640"));
}

TEST_F(WebsiteFolderTest, ABrokenPageDocumentIsStillListed)
{
    makeTinyPage(m_folder, QStringLiteral("good.quibpage"), QStringLiteral("Good"));
    ASSERT_TRUE(writeBytes(join(m_folder, QStringLiteral("broken.quibpage")), "not a zip archive"));
    DRVWindowController controller;
    openAndScan(controller);
    ASSERT_EQ(namesOf(controller.siteIconArray()),
              (QStringList{QStringLiteral("broken.quibpage"), QStringLiteral("good.quibpage")}));
    EXPECT_TRUE(controller.siteIconArray().at(0).imagePath.isEmpty());
    EXPECT_TRUE(controller.siteIconArray().at(0).pageTitle.isEmpty());
    EXPECT_EQ(controller.siteIconArray().at(1).pageTitle, QStringLiteral("Good"));
}

TEST_F(WebsiteFolderTest, EachOpeningHasAWorkingCopyOfItsOwn)
{
    makeTinyPage(m_folder, QStringLiteral("a.quibpage"), QStringLiteral("A"));
    const QString other = m_root.filePath(QStringLiteral("elsewhere/My Site"));
    QDir().mkpath(other);
    makeTinyPage(other, QStringLiteral("b.quibpage"), QStringLiteral("B"));

    DRVWindowController first;
    DRVWindowController second;
    first.setOpenWebsiteFolderPath(m_folder);
    second.setOpenWebsiteFolderPath(other);
    scan(first);
    scan(second);
    ASSERT_FALSE(first.openWebsiteFolderTempPath().isEmpty());
    EXPECT_NE(first.openWebsiteFolderTempPath(), second.openWebsiteFolderTempPath());
    // The second project's scan left the first one's pages alone.
    EXPECT_TRUE(QFileInfo::exists(join(first.openWebsiteFolderTempPath(), QStringLiteral("a.html"))));
    EXPECT_TRUE(QFileInfo::exists(join(second.openWebsiteFolderTempPath(), QStringLiteral("b.html"))));

    // A refresh keeps the opening's folder; opening another project moves to a new one.
    const QString kept = first.openWebsiteFolderTempPath();
    scan(first);
    EXPECT_EQ(first.openWebsiteFolderTempPath(), kept);
    first.setOpenWebsiteFolderPath(other);
    scan(first);
    EXPECT_NE(first.openWebsiteFolderTempPath(), kept);
    EXPECT_NE(first.openWebsiteFolderTempPath(), second.openWebsiteFolderTempPath());
}

TEST_F(WebsiteFolderTest, FirstFileOfAFolder)
{
    EXPECT_EQ(DRVWindowController::grabPathOfFirstFile(m_folder), QString());
    makeTinyPage(m_folder, QStringLiteral("m.quibpage"), QStringLiteral("M"));
    makeTinyPage(m_folder, QStringLiteral("k.selvaro"), QStringLiteral("K"));
    ASSERT_TRUE(writeBytes(join(m_folder, QStringLiteral("a.txt")), "a"));
    EXPECT_EQ(DRVWindowController::grabPathOfFirstFile(m_folder),
              join(m_folder, QStringLiteral("k.selvaro")));
}

// ---- page operations on an open project ----

namespace {

// A project of real pages with the first one open in a window controller, as the page list leaves
// it; alerts are scripted (an empty queue answers the first button).
struct OpenProject
{
    explicit OpenProject(const QString& folder, const QStringList& pages) : folder(folder)
    {
        QDir().mkpath(folder);
        for (int i = 0; i < pages.size(); ++i)
            makeRealPage(join(folder, pages.at(i) + u'.' + kExt), 10 + 10 * i);
        controller.setOpenWebsiteFolderPath(folder);
        controller.resetAndGrabCurrentWebsiteFolderPath();
        controller.pickUpFileList(folder);
        controller.writePageOrderIndexFile();
        DRVDocument::setWebsiteFolderOpenFlag(true);
        document.setOpenWebsiteFolderTempPath(controller.openWebsiteFolderTempPath());
        if (!pages.isEmpty())
            opened = document.readFromURL(join(folder, pages.first() + u'.' + kExt));
        controller.setDocument(&document);
    }

    QStringList folderPages() const
    {
        QStringList names = WebsiteProject::listPageDocuments(folder, QStringLiteral("fileName"));
        for (QString& name : names)
            name = platform::stringByDeletingPathExtension(name);
        return names;
    }
    QStringList recordPages() const
    {
        QStringList names = namesOf(controller.siteIconArray());
        for (QString& name : names)
            name = platform::stringByDeletingPathExtension(name);
        return names;
    }
    QStringList orderFilePages() const
    {
        QStringList names;
        const auto order =
            WebsiteProject::parsePageOrderIndex(readBytes(join(folder, QStringLiteral("order.index"))));
        for (const auto& entry : order.value_or(QList<QPair<QString, int>>{}))
            names << platform::stringByDeletingPathExtension(entry.first);
        return names;
    }
    QString openPage() const
    {
        return platform::stringByDeletingPathExtension(platform::lastPathComponent(document.filePath()));
    }
    QStringList alertTitles()
    {
        QStringList titles;
        for (const platform::Alert& alert : dialogs->alerts())
            titles << alert.title;
        return titles;
    }

    QString folder;
    platform::ScopedDialogs dialogs;
    DRVDocument document;
    DRVWindowController controller;
    bool opened = false;
};

AddNewPageChoice blankChoice(const QString& fileName, const QString& title)
{
    AddNewPageChoice choice;
    choice.fileName = fileName;
    choice.pageTitle = title;
    choice.pageFileType = kExt;
    choice.selectedTemplateName = QStringLiteral("Blank.") + kExt;
    choice.selectedTemplateCategoryFolder = QStringLiteral("blank");
    return choice;
}

} // namespace

TEST_F(WebsiteFolderTest, PageFlowsChangeTheFolderTheOrderAndTheOpenPage)
{
    makeBlankTemplate();
    const QString outside = m_root.filePath(QStringLiteral("outside"));
    makeRealPage(join(outside, QStringLiteral("d.") + kExt), 70);
    makeRealPage(join(outside, QStringLiteral("b.") + kExt), 90);
    const QByteArray droppedB = readBytes(join(outside, QStringLiteral("b.") + kExt));
    const QStringList abc{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};

    const struct Row
    {
        const char* name;
        QStringList pages;
        QString selected;
        QList<int> answers;
        std::function<void(OpenProject&)> act;
        QStringList folder;
        QStringList order; // the records, and "order.index" where the flow writes it
        bool orderFileWritten;
        const char* open;
        QStringList alerts;
    } rows[] = {
        {"add at the end",
         abc,
         {},
         {},
         [](OpenProject& p) { EXPECT_TRUE(p.controller.directlyAddBlankPage()); },
         {"a", "b", "c", "page4"},
         {"a", "b", "c", "page4"},
         true,
         "page4",
         {}},
        {"insert before the page right-clicked",
         abc,
         "b." + kExt,
         {},
         [](OpenProject& p) { EXPECT_TRUE(p.controller.insertBlankPage()); },
         {"a", "b", "c", "page4"},
         {"a", "page4", "b", "c"},
         true,
         "page4",
         {}},
        {"insert after a click on no page",
         abc,
         {},
         {},
         [](OpenProject& p) { EXPECT_TRUE(p.controller.insertBlankPage()); },
         {"a", "b", "c", "page4"},
         {"a", "b", "c", "page4"},
         true,
         "page4",
         {}},
        {"a page from a template",
         abc,
         {},
         {},
         [](OpenProject& p) {
             p.controller.launchUsingBaseTemplate(
                 blankChoice(QStringLiteral("about"), QStringLiteral("About")));
         },
         {"a", "about", "b", "c"},
         {"a", "b", "c", "about"},
         false,
         "about",
         {}},
        {"duplicate",
         abc,
         "b." + kExt,
         {},
         [](OpenProject& p) { p.controller.duplicatePage(); },
         {"a", "b", "c", "page4"},
         {"a", "b", "c", "page4"},
         true,
         "page4",
         {"Confirm File Duplication"}},
        {"delete",
         abc,
         "b." + kExt,
         {},
         [](OpenProject& p) { p.controller.deletePage(); },
         {"a", "c"},
         {"a", "c"},
         true,
         "a",
         {"Confirm File Deletion"}},
        {"delete the open page",
         abc,
         "a." + kExt,
         {},
         [](OpenProject& p) { p.controller.deletePage(); },
         {"b", "c"},
         {"b", "c"},
         true,
         "b",
         {"Confirm File Deletion"}},
        {"delete the last page",
         {"a"},
         "a." + kExt,
         {},
         [](OpenProject& p) { p.controller.deletePage(); },
         {"page2"},
         {"page2"},
         true,
         "page2",
         {"Confirm File Deletion", "Active project needs at least one file"}},
        {"drop a page from elsewhere",
         abc,
         {},
         {},
         [&](OpenProject& p) {
             EXPECT_TRUE(p.controller.grabDraggedInPage(nullptr, true, join(outside, "d." + kExt)));
         },
         {"a", "b", "c", "d"},
         {"a", "b", "c", "d"},
         true,
         "a",
         {}},
        // Collisions.
        {"add passes over a name another kind of page holds",
         abc,
         {},
         {},
         [&](OpenProject& p) {
             ASSERT_TRUE(
                 QFile::copy(join(p.folder, "a." + kExt), join(p.folder, QStringLiteral("page4.zqv"))));
             EXPECT_TRUE(p.controller.directlyAddBlankPage());
         },
         {"a", "b", "c", "page3"},
         {"a", "b", "c", "page3"},
         true,
         "page3",
         {}},
        {"a template page over a taken name",
         abc,
         {},
         {},
         [](OpenProject& p) {
             p.controller.launchUsingBaseTemplate(blankChoice(QStringLiteral("b"), QString()));
         },
         {"a", "b", "c"},
         {"a", "b", "c"},
         true,
         "a",
         {"Could not add the page"}},
        {"a dropped page replaces the one of its name",
         abc,
         {},
         {0},
         [&](OpenProject& p) {
             EXPECT_TRUE(p.controller.grabDraggedInPage(nullptr, true, join(outside, "b." + kExt)));
             EXPECT_EQ(readBytes(join(p.folder, "b." + kExt)), droppedB);
         },
         {"a", "b", "c"},
         {"a", "b", "c"},
         true,
         "a",
         {"A page named \"b.quibpage\" already exists"}},
        {"a dropped page kept beside the one of its name",
         abc,
         {},
         {1},
         [&](OpenProject& p) {
             EXPECT_TRUE(p.controller.grabDraggedInPage(nullptr, true, join(outside, "b." + kExt)));
             EXPECT_EQ(readBytes(join(p.folder, "b2." + kExt)), droppedB);
             EXPECT_NE(readBytes(join(p.folder, "b." + kExt)), droppedB);
         },
         {"a", "b", "b2", "c"},
         {"a", "b", "c", "b2"},
         true,
         "a",
         {"A page named \"b.quibpage\" already exists"}},
        {"a dropped page cancelled",
         abc,
         {},
         {2},
         [&](OpenProject& p) {
             EXPECT_FALSE(p.controller.grabDraggedInPage(nullptr, true, join(outside, "b." + kExt)));
             EXPECT_NE(readBytes(join(p.folder, "b." + kExt)), droppedB);
         },
         {"a", "b", "c"},
         {"a", "b", "c"},
         true,
         "a",
         {"A page named \"b.quibpage\" already exists"}},
        {"a dropped file that is no page",
         abc,
         {},
         {},
         [&](OpenProject& p) {
             ASSERT_TRUE(writeBytes(join(outside, QStringLiteral("notes.txt")), "notes"));
             EXPECT_FALSE(
                 p.controller.grabDraggedInPage(nullptr, true, join(outside, QStringLiteral("notes.txt"))));
         },
         {"a", "b", "c"},
         {"a", "b", "c"},
         true,
         "a",
         {"Could not add the page"}},
        {"a page of the project dropped on its own list",
         abc,
         {},
         {},
         [](OpenProject& p) {
             EXPECT_FALSE(p.controller.grabDraggedInPage(nullptr, true, join(p.folder, "b." + kExt)));
         },
         {"a", "b", "c"},
         {"a", "b", "c"},
         true,
         "a",
         {}},
        {"delete cancelled",
         abc,
         "b." + kExt,
         {1},
         [](OpenProject& p) { p.controller.deletePage(); },
         {"a", "b", "c"},
         {"a", "b", "c"},
         true,
         "a",
         {"Confirm File Deletion"}},
        {"duplicate cancelled",
         abc,
         "b." + kExt,
         {1},
         [](OpenProject& p) { p.controller.duplicatePage(); },
         {"a", "b", "c"},
         {"a", "b", "c"},
         true,
         "a",
         {"Confirm File Duplication"}},
    };
    int index = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        OpenProject project(m_root.filePath(QStringLiteral("project%1").arg(index++)), row.pages);
        ASSERT_TRUE(project.opened);
        for (int answer : row.answers)
            project.dialogs->queueAlertAnswer(answer);
        project.controller.setSelectedPageName(row.selected);
        row.act(project);
        EXPECT_EQ(project.folderPages(), row.folder);
        EXPECT_EQ(project.recordPages(), row.order);
        if (row.orderFileWritten) {
            EXPECT_EQ(project.orderFilePages(), row.order);
        }
        EXPECT_EQ(project.openPage(), QString::fromLatin1(row.open));
        EXPECT_EQ(project.alertTitles(), row.alerts);
    }
}

TEST_F(WebsiteFolderTest, NewPagesCarryTheirSettingsAndOpenFromTheProject)
{
    makeBlankTemplate();
    OpenProject project(m_folder, {QStringLiteral("a")});
    ASSERT_TRUE(project.opened);
    AddNewPageChoice choice = blankChoice(QStringLiteral("about"), QStringLiteral("About us"));
    choice.applyBaseTemplate = true;
    project.controller.launchUsingBaseTemplate(choice);
    ASSERT_EQ(project.openPage(), QStringLiteral("about"));
    const int about = project.recordPages().indexOf(QStringLiteral("about"));
    ASSERT_GE(about, 0);
    const PageRecord& record = project.controller.siteIconArray().at(about);
    EXPECT_EQ(record.pageTitle, QStringLiteral("About us"));
    EXPECT_TRUE(record.useBaseTemplateFlag);
    EXPECT_TRUE(record.inheritMetadataFlag);
    EXPECT_TRUE(record.inheritCustomHeaderCodeFlag);
    EXPECT_EQ(project.document.openWebsiteFolderTempPath(), project.controller.openWebsiteFolderTempPath());

    EXPECT_TRUE(project.controller.directlyAddBlankPage());
    const int blank = project.recordPages().indexOf(QStringLiteral("page3"));
    ASSERT_GE(blank, 0);
    const PageRecord& page = project.controller.siteIconArray().at(blank);
    EXPECT_TRUE(page.useBaseTemplateFlag);
    EXPECT_FALSE(page.inheritMetadataFlag);
    EXPECT_FALSE(page.inheritCustomHeaderCodeFlag);
    EXPECT_TRUE(page.pageTitle.isEmpty());
}

TEST_F(WebsiteFolderTest, AMissingBlankTemplateIsReportedAndAddsNothing)
{
    OpenProject project(m_folder, {QStringLiteral("a")});
    ASSERT_TRUE(project.opened);
    EXPECT_FALSE(project.controller.directlyAddBlankPage());
    EXPECT_EQ(project.folderPages(), QStringList{QStringLiteral("a")});
    EXPECT_EQ(project.alertTitles(), QStringList{QStringLiteral("Could not add the page")});
    EXPECT_EQ(project.openPage(), QStringLiteral("a"));
}

TEST_F(WebsiteFolderTest, ACopyOfTheBaseTemplateAloneIsMarkedAsOne)
{
    OpenProject project(m_folder, {QStringLiteral("basetemplate"), QStringLiteral("a")});
    ASSERT_TRUE(project.opened);
    project.controller.setSelectedPageName(QStringLiteral("basetemplate.") + kExt);
    project.dialogs->queueAlertAnswer(1);
    project.controller.duplicatePage();
    EXPECT_FALSE(project.document.duplicateBasetemplateFlag()) << "a cancelled copy marks nothing";
    EXPECT_EQ(project.folderPages(), (QStringList{QStringLiteral("a"), QStringLiteral("basetemplate")}));

    project.controller.duplicatePage();
    ASSERT_EQ(project.openPage(), QStringLiteral("page3"));
    EXPECT_FALSE(project.document.duplicateBasetemplateFlag());
    const auto pageFileOf = [&](const QString& documentName, const QString& stem) {
        QTemporaryDir unpacked;
        EXPECT_TRUE(DocumentArchiver::unzipDocument(join(m_folder, documentName), unpacked.path()));
        for (const QString& name : QDir(unpacked.path()).entryList({QStringLiteral("*.html")}, QDir::Files))
            return QString::fromUtf8(readBytes(join(unpacked.path(), name)));
        ADD_FAILURE() << "no page file in " << qPrintable(stem);
        return QString();
    };
    const QString marker = QStringLiteral("<!--BASE TEMPLATE DUPLICATED-->");
    EXPECT_TRUE(pageFileOf(QStringLiteral("page3.") + kExt, QStringLiteral("page3")).contains(marker));
    EXPECT_FALSE(
        pageFileOf(QStringLiteral("basetemplate.") + kExt, QStringLiteral("basetemplate")).contains(marker));
}

TEST_F(WebsiteFolderTest, DeleteAsksFirstAndWarnsAboutTheBaseTemplate)
{
    OpenProject project(m_folder, {QStringLiteral("a"), QStringLiteral("basetemplate")});
    ASSERT_TRUE(project.opened);
    project.controller.window();
    ASSERT_TRUE(DRVWindowController::handledActions().contains(QStringLiteral("deletePage:")));
    project.controller.setSelectedPageName(QStringLiteral("basetemplate.") + kExt);
    project.dialogs->queueAlertAnswer(1);
    ASSERT_TRUE(project.controller.performAction(QStringLiteral("deletePage:")));
    ASSERT_EQ(project.dialogs->alerts().size(), 1);
    const platform::Alert alert = project.dialogs->alerts().first();
    EXPECT_EQ(alert.title, QStringLiteral("Confirm File Deletion"));
    EXPECT_EQ(alert.buttons, (QStringList{QStringLiteral("Delete"), QStringLiteral("Cancel")}));
    const QString expected =
        QStringLiteral("Are you sure you want to delete selected?\n") +
        join(m_folder, "basetemplate." + kExt) +
        QStringLiteral("\n\nThis is the base template, deleting this file will also impact any documents "
                       "that are inheriting content from the base template.");
    EXPECT_EQ(alert.informativeText.toStdString(), expected.toStdString());
    EXPECT_EQ(project.folderPages(), (QStringList{QStringLiteral("a"), QStringLiteral("basetemplate")}));

    project.controller.setSelectedPageName(QStringLiteral("a.") + kExt);
    project.controller.performAction(QStringLiteral("deletePage:"));
    EXPECT_TRUE(project.dialogs->alerts().last().informativeText.endsWith(QLatin1String("\n\n")));
    EXPECT_EQ(project.folderPages(), QStringList{QStringLiteral("basetemplate")});
}

TEST_F(WebsiteFolderTest, PageCommandsAreHandledAndValidatedByTheWindow)
{
    DRVWindowController controller;
    for (const char* action :
         {"directlyAddBlankPage:", "insertBlankPage:", "deletePage:", "duplicatePage:", "grabPageLink:"})
        EXPECT_TRUE(DRVWindowController::handledActions().contains(QString::fromLatin1(action))) << action;

    // Page-list items hidden while the project is empty come back once it has pages.
    MenuItemState item;
    item.visible = false;
    EXPECT_FALSE(controller.validateMenuItem(QStringLiteral("showAddNewPageWindow:"), item).visible);
    EXPECT_FALSE(controller.validateMenuItem(QStringLiteral("deletePage:"), item).enabled);
    makeTinyPage(m_folder, QStringLiteral("a.quibpage"), QStringLiteral("A"));
    openAndScan(controller);
    controller.setSelectedPageName(QStringLiteral("a.quibpage"));
    EXPECT_TRUE(controller.validateMenuItem(QStringLiteral("showAddNewPageWindow:"), item).visible);
    EXPECT_TRUE(controller.validateMenuItem(QStringLiteral("deletePage:"), item).enabled);
}

TEST_F(WebsiteFolderTest, NameChecksShowTheirAlert)
{
    makeTinyPage(m_folder, QStringLiteral("page2.quibpage"), QStringLiteral("2"));
    DRVWindowController controller;
    openAndScan(controller);
    platform::ScopedDialogs dialogs;
    EXPECT_FALSE(controller.runNewFileCreationChecks(QStringLiteral("page2.selvaro")));
    EXPECT_FALSE(controller.runNewFileCreationChecks(QStringLiteral("my page.quibpage")));
    EXPECT_TRUE(controller.runNewFileCreationChecks(QStringLiteral("page3.quibpage")));
    ASSERT_EQ(dialogs->alerts().size(), 2);
    EXPECT_EQ(dialogs->alerts().at(0).title, QStringLiteral("Please Rename"));
    EXPECT_EQ(dialogs->alerts().at(0).buttons, QStringList{QStringLiteral("OK")});
    EXPECT_EQ(dialogs->alerts().at(1).title, QStringLiteral("File Name Characters"));

    platform::UserDefaults::standard().setObject(QStringLiteral("devicePrefix"), QStringLiteral("ipad_"));
    EXPECT_EQ(controller.generateDefaultPageName(), QStringLiteral("ipad_page2"));
}

TEST_F(WebsiteFolderTest, PageLinkGoesToTheClipboard)
{
    DRVWindowController controller;
    platform::ScopedDialogs dialogs;
    platform::UserDefaults::standard().setObject(QStringLiteral("baseurl"),
                                                 QStringLiteral("https://example.org/"));
    controller.setSelectedPageName(QStringLiteral("contact.selvaro"));
    ASSERT_TRUE(controller.performAction(QStringLiteral("grabPageLink:")));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("https://example.org/contact.php"));
    ASSERT_EQ(dialogs->alerts().size(), 1);
    EXPECT_EQ(dialogs->alerts().first().title, QStringLiteral("Copied to Clipboard"));
    EXPECT_EQ(dialogs->alerts().first().informativeText, QStringLiteral("https://example.org/contact.php"));
}

TEST_F(WebsiteFolderTest, TheOpenPageIsHighlighted)
{
    OpenProject project(m_folder, {QStringLiteral("a"), QStringLiteral("b")});
    ASSERT_TRUE(project.opened);
    project.controller.siteIconArray()[0].borderFlag = true;
    ASSERT_TRUE(project.document.readFromURL(join(m_folder, "b." + kExt)));
    project.controller.updateCurrentButtonColor();
    EXPECT_FALSE(project.controller.siteIconArray().at(0).borderFlag);
    EXPECT_TRUE(project.controller.siteIconArray().at(1).borderFlag);
    // A page the list does not hold highlights the first one.
    project.controller.siteIconArray().removeAt(1);
    project.controller.updateCurrentButtonColor();
    EXPECT_TRUE(project.controller.siteIconArray().at(0).borderFlag);
}

TEST_F(WebsiteFolderTest, ALabelMakerBlankPageGetsTheAddressPlaceholder)
{
    const struct
    {
        const char* edition;
        int callsOnOnePage;
        int graphicsAfter;
    } rows[] = {{"Kestrin Label Maker", 1, 1}, {"Kestrin Label Maker", 2, 1}, {"Quib", 1, 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.edition);
        edition().gEditionDisplayName = QString::fromLatin1(row.edition);
        DRVDocument empty;
        DRVWindowController controller;
        controller.setDocument(&empty);
        controller.window();
        // A second call finds the page no longer empty.
        for (int i = 0; i < row.callsOnOnePage; ++i)
            controller.addPlaceHolder();
        ASSERT_EQ(empty.graphics().size(), row.graphicsAfter);
        if (row.graphicsAfter > 0) {
            EXPECT_EQ(empty.graphics().first()->bounds().topLeft(), QPointF(10, 10));
        }
    }
}

TEST_F(WebsiteFolderTest, RenamingAnUnpackedPageMovesItsFileThumbnailsAndFolder)
{
    const QString scratch = m_root.filePath(QStringLiteral("scratch"));
    for (const char* name :
         {"Blank.html", "Blank.png", "Blank@2x.png", "Blank/full.css", "Blank/picture.png"})
        ASSERT_TRUE(writeBytes(join(scratch, QString::fromLatin1(name)), name));
    const QString renamed = DRVWindowController().prepAndRenameDoc(
        join(scratch, QStringLiteral("Blank.html")), QStringLiteral("about.zqv"));
    EXPECT_EQ(renamed, join(scratch, QStringLiteral("about.html")));
    EXPECT_EQ(filesUnder(scratch),
              (QStringList{QStringLiteral("about"), QStringLiteral("about.html"), QStringLiteral("about.png"),
                           QStringLiteral("about/picture.png"), QStringLiteral("about@2x.png")}));
    EXPECT_EQ(readBytes(join(scratch, QStringLiteral("about@2x.png"))), QByteArray("Blank@2x.png"));

    // A name that cannot be a file name leaves the page as it was.
    EXPECT_EQ(DRVWindowController().prepAndRenameDoc(renamed, QStringLiteral("../x.zqv")), renamed);
}

TEST_F(WebsiteFolderTest, PackingThatFailsKeepsThePreviousDocument)
{
    const QString target = join(m_folder, QStringLiteral("a.quibpage"));
    ASSERT_TRUE(writeBytes(target, "previous"));
    EXPECT_FALSE(DRVWindowController::zipDoc(target, m_root.filePath(QStringLiteral("missing/page.html"))));
    EXPECT_EQ(readBytes(target), QByteArray("previous"));
    EXPECT_EQ(filesUnder(m_folder), QStringList{QStringLiteral("a.quibpage")});

    // A page that packs replaces it whole.
    const QString page = m_root.filePath(QStringLiteral("work2/a.html"));
    ASSERT_TRUE(writeBytes(page, pageText(QStringLiteral("A"), 100).toUtf8()));
    QDir().mkpath(m_root.filePath(QStringLiteral("work2/a")));
    EXPECT_TRUE(DRVWindowController::zipDoc(target, page));
    QTemporaryDir unpacked;
    ASSERT_TRUE(DocumentArchiver::unzipDocument(target, unpacked.path()));
    EXPECT_TRUE(QFileInfo::exists(join(unpacked.path(), QStringLiteral("a.html"))));
}

TEST_F(WebsiteFolderTest, AResponsiveTemplatePageCarriesTheNewNameThroughout)
{
    EditionSettings& e = edition();
    e.gResponsiveLayoutFlag = true;
    e.gDocumentExtension = QStringLiteral("zqv");
    e.gBaseTemplateFileName = QStringLiteral("basetemplate.zqv");
    const QString templates = m_root.filePath(QStringLiteral("templates"));
    makeRealPage(join(templates, QStringLiteral("themes/Starter.zqv")));
    // A style sheet left in the template's folder does not travel into the new page.
    QTemporaryDir unpackedTemplate;
    ASSERT_TRUE(DocumentArchiver::unzipDocument(join(templates, QStringLiteral("themes/Starter.zqv")),
                                                unpackedTemplate.path()));
    ASSERT_TRUE(writeBytes(join(unpackedTemplate.path(), QStringLiteral("Starter/full.css")), "body{}"));
    ASSERT_TRUE(
        DocumentArchiver::zipDocumentWithFolder(join(unpackedTemplate.path(), QStringLiteral("Starter")),
                                                join(templates, QStringLiteral("themes/Starter.zqv"))));

    DRVWindowController controller;
    openAndScan(controller);
    platform::ScopedDialogs dialogs;
    AddNewPageChoice choice;
    choice.fileName = QStringLiteral("about");
    choice.pageFileType = QStringLiteral("quibpage");
    choice.selectedTemplateCategoryFolder = QStringLiteral("themes");
    choice.selectedTemplateName = QStringLiteral("Starter.zqv");
    controller.launchUsingBaseTemplate(choice);
    EXPECT_TRUE(dialogs->alerts().isEmpty());
    ASSERT_EQ(namesOf(controller.siteIconArray()), QStringList{QStringLiteral("about.zqv")});

    QTemporaryDir unpacked;
    ASSERT_TRUE(
        DocumentArchiver::unzipDocument(join(m_folder, QStringLiteral("about.zqv")), unpacked.path()));
    const QStringList files = filesUnder(unpacked.path());
    EXPECT_TRUE(files.contains(QStringLiteral("about.html"))) << files.join(u' ').toStdString();
    EXPECT_TRUE(files.contains(QStringLiteral("about.png"))) << files.join(u' ').toStdString();
    EXPECT_TRUE(files.contains(QStringLiteral("about"))) << files.join(u' ').toStdString();
    for (const QString& file : files) {
        EXPECT_FALSE(file.contains(QLatin1String("Starter"))) << file.toStdString();
        EXPECT_FALSE(file.endsWith(QLatin1String("full.css"))) << file.toStdString();
    }
    EXPECT_EQ(controller.siteIconArray().first().pageLocalFileName, QStringLiteral("about.html"));
}

TEST_F(WebsiteFolderTest, WithoutAProjectATemplateOpensAsANewPageUnderAFreeName)
{
    makeBlankTemplate();
    QStringList opened;
    WebsiteProject::setUntitledPageOpener([&](const QString& path, bool useBaseTemplate) {
        opened << platform::lastPathComponent(path) +
                      (useBaseTemplate ? QStringLiteral(" inherits") : QString());
        return true;
    });
    DRVWindowController controller;
    platform::ScopedDialogs dialogs;
    AddNewPageChoice choice = blankChoice(QStringLiteral("about"), QString());
    controller.launchUsingBaseTemplate(choice);
    choice.applyBaseTemplate = true;
    controller.launchUsingBaseTemplate(choice);
    WebsiteProject::setUntitledPageOpener({});
    EXPECT_EQ(opened,
              (QStringList{QStringLiteral("about.quibpage"), QStringLiteral("about0.quibpage inherits")}));
    EXPECT_FALSE(DRVDocument::websiteFolderOpenFlag());
    EXPECT_TRUE(dialogs->alerts().isEmpty());
    EXPECT_TRUE(QFileInfo::exists(
        join(edition().gTempFolderPath, QStringLiteral("0000Received_Pages/about0.quibpage"))));
    EXPECT_TRUE(filesUnder(m_folder).isEmpty());

    // With no way to open it the user hears so.
    controller.launchUsingBaseTemplate(choice);
    ASSERT_EQ(dialogs->alerts().size(), 1);
    EXPECT_EQ(dialogs->alerts().first().title, QStringLiteral("Could not open the page"));
}

TEST_F(WebsiteFolderTest, DeletingEveryPageAtOnceLeavesABlankOne)
{
    makeBlankTemplate();
    OpenProject project(m_folder, {QStringLiteral("a"), QStringLiteral("b")});
    ASSERT_TRUE(project.opened);
    project.controller.deletePageArray({project.controller.siteIconArray().at(1)});
    EXPECT_EQ(project.folderPages(), QStringList{QStringLiteral("a")});
    EXPECT_TRUE(project.alertTitles().isEmpty()) << "nothing is asked";

    project.controller.deletePageArray(project.controller.siteIconArray());
    EXPECT_EQ(project.folderPages(), QStringList{QStringLiteral("page2")});
    EXPECT_EQ(project.openPage(), QStringLiteral("page2"));
    EXPECT_EQ(project.alertTitles(), QStringList{QStringLiteral("Active project needs at least one file")});
}

TEST_F(WebsiteFolderTest, AWorkingCopyOutsideTheWorkingFolderIsNeverEmptied)
{
    makeTinyPage(m_folder, QStringLiteral("a.quibpage"), QStringLiteral("A"));
    const QString elsewhere = m_root.filePath(QStringLiteral("documents"));
    ASSERT_TRUE(writeBytes(join(elsewhere, QStringLiteral("precious.txt")), "keep"));
    DRVWindowController controller;
    controller.setOpenWebsiteFolderTempPath(elsewhere);
    openAndScan(controller);
    EXPECT_EQ(readBytes(join(elsewhere, QStringLiteral("precious.txt"))), QByteArray("keep"));
}
