// The website settings sheet and its files: "site.quibs" and the favicons, the table's columns per
// edition, row moves, coupled switches, and saving through the sheet into the project's pages,
// order file and folder.
#include "PageListTestSupport.h"

#include "window/WebsiteProject.h"
#include "window/WebsiteSettings.h"
#include "window/WebsiteSettingsWindowController.h"

#include <QBuffer>
#include <QCheckBox>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool putBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// On the box itself: a check box wider than its title does not take clicks beyond it.
void tick(QAbstractButton* box)
{
    ASSERT_NE(box, nullptr);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

} // namespace

// ---- the settings file and favicons ----

TEST(WebsiteSettingsFileTest, TitleAndDescriptionAreTwoMarkerLinesWithoutATrailingLineEnd)
{
    EXPECT_EQ(WebsiteSettings::siteSettingsBytes(QStringLiteral("Shop"), QStringLiteral("Cheap")),
              QByteArray("##WEBSITE_TITLE_START##Shop##WEBSITE_TITLE_END##\n"
                         "##WEBSITE_DESCRIPTION_START##Cheap##WEBSITE_DESCRIPTION_END##"));
    // A line end typed into a value would make a third line.
    EXPECT_EQ(WebsiteSettings::siteSettingsBytes(QStringLiteral("A\nB"), QString()),
              QByteArray("##WEBSITE_TITLE_START##A B##WEBSITE_TITLE_END##\n"
                         "##WEBSITE_DESCRIPTION_START####WEBSITE_DESCRIPTION_END##"));
}

TEST(WebsiteSettingsFileTest, ReadingTakesEachValueOnItsOwn)
{
    const struct
    {
        const char* name;
        QByteArray bytes;
        QString title;
        QString description;
    } rows[] = {
        {"both",
         "##WEBSITE_TITLE_START##Shop##WEBSITE_TITLE_END##\n##WEBSITE_DESCRIPTION_START##Cheap##WEBSITE_"
         "DESCRIPTION_END##",
         QStringLiteral("Shop"), QStringLiteral("Cheap")},
        {"empty title",
         "##WEBSITE_TITLE_START####WEBSITE_TITLE_END##\n##WEBSITE_DESCRIPTION_START##d##WEBSITE_DESCRIPTION_"
         "END##",
         QString(), QStringLiteral("d")},
        {"no title markers", "##WEBSITE_DESCRIPTION_START##only##WEBSITE_DESCRIPTION_END##", QString(),
         QStringLiteral("only")},
        {"title without its end marker",
         "##WEBSITE_TITLE_START##Shop\n##WEBSITE_DESCRIPTION_START##Cheap##WEBSITE_DESCRIPTION_END##",
         QString(), QStringLiteral("Cheap")},
        {"description without its end marker",
         "##WEBSITE_TITLE_START##T##WEBSITE_TITLE_END##\n##WEBSITE_DESCRIPTION_START##x", QStringLiteral("T"),
         QString()},
        {"received pages marker file", "Received Pages", QString(), QString()},
        {"UTF-8",
         QStringLiteral("##WEBSITE_TITLE_START##Caf\u00e9 \u65e5\u672c##WEBSITE_TITLE_END##").toUtf8(),
         QStringLiteral("Caf\u00e9 \u65e5\u672c"), QString()},
        {"Latin-1 from elsewhere", QByteArray("##WEBSITE_TITLE_START##Caf\xe9##WEBSITE_TITLE_END##"),
         QStringLiteral("Caf\u00e9"), QString()},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const WebsiteSettings::SiteText text = WebsiteSettings::parseSiteSettings(row.bytes);
        EXPECT_EQ(text.title, row.title);
        EXPECT_EQ(text.description, row.description);
    }
}

TEST(WebsiteSettingsFileTest, TextOutsideAsciiComesBackFromTheFile)
{
    QTemporaryDir folder;
    const QString title = QStringLiteral("Boulangerie \u00e0 Z\u00fcrich \u2013 \U0001F35E");
    ASSERT_TRUE(WebsiteSettings::writeSiteSettings(folder.path(), title, QStringLiteral("\u65e5\u672c")));
    const WebsiteSettings::SiteText read = WebsiteSettings::readSiteSettings(folder.path());
    EXPECT_EQ(read.title, title);
    EXPECT_EQ(read.description, QStringLiteral("\u65e5\u672c"));
    EXPECT_EQ(WebsiteSettings::readSiteSettings(QDir(folder.path()).filePath(QStringLiteral("none"))).title,
              QString());
}

TEST(WebsiteSettingsFileTest, FaviconsArePngTheSmallOne32By32)
{
    QTemporaryDir folder;
    QImage picture(120, 80, QImage::Format_ARGB32);
    picture.fill(Qt::darkRed);
    ASSERT_TRUE(WebsiteSettings::writeFavicons(folder.path(), picture));
    for (const auto& [name, size] : {std::pair{QStringLiteral("favicon.ico"), QSize(32, 32)},
                                     std::pair{QStringLiteral("favicon_original.ico"), QSize(120, 80)}}) {
        SCOPED_TRACE(name.toStdString());
        const QByteArray bytes = fileBytes(QDir(folder.path()).filePath(name));
        EXPECT_TRUE(bytes.startsWith("\x89PNG\r\n\x1a\n"));
        QBuffer buffer;
        buffer.setData(bytes);
        QImageReader reader(&buffer, "PNG");
        EXPECT_EQ(reader.size(), size);
    }
    EXPECT_EQ(WebsiteSettings::readFavicon(folder.path()).size(), QSize(120, 80));
    EXPECT_FALSE(WebsiteSettings::writeFavicons(folder.path(), QImage()));
}

TEST(WebsiteSettingsFileTest, SelectedRowsMoveAsABlockAndNeverPastTheEnds)
{
    const struct
    {
        const char* name;
        QList<bool> selected;
        bool up;
        QString order;
    } rows[] = {
        {"first up", {true, false, false, false}, true, "abcd"},
        {"last down", {false, false, false, true}, false, "abcd"},
        {"second up", {false, true, false, false}, true, "bacd"},
        {"block up", {false, false, true, true}, true, "acdb"},
        {"block at the top up", {true, true, false, false}, true, "abcd"},
        {"block down", {true, true, false, false}, false, "cabd"},
        {"block at the bottom down", {false, false, true, true}, false, "abcd"},
        {"two apart down", {true, false, true, false}, false, "badc"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QList<QChar> letters{u'a', u'b', u'c', u'd'};
        QList<bool> selected = row.selected;
        if (row.up)
            WebsiteSettings::moveSelectedUp(letters, selected);
        else
            WebsiteSettings::moveSelectedDown(letters, selected);
        EXPECT_EQ(QString(letters.constData(), letters.size()), row.order);
        EXPECT_EQ(selected.count(true), row.selected.count(true));
    }
}

TEST(WebsiteSettingsColumnsTest, TheEditionDecidesThePerPageColumnsAndTheSiteControls)
{
    const QStringList all{QStringLiteral("Select"),
                          QStringLiteral("Icon"),
                          QStringLiteral("Page"),
                          QStringLiteral("Publishing Ext"),
                          QStringLiteral("Base Template"),
                          QStringLiteral("Metadata"),
                          QStringLiteral("Custom Header Code"),
                          QStringLiteral("Page Width")};
    const QStringList three{QStringLiteral("Select"), QStringLiteral("Icon"), QStringLiteral("Page")};
    const struct
    {
        const char* edition;
        QStringList columns;
    } rows[] = {{"HTML Quib Pro", all},
                {"Brumel Responsive Website Designer", three},
                {"Corvane eCard Designer", all}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.edition);
        ScopedEdition scoped(QString::fromLatin1(row.edition));
        WebsiteSettingsWindowController sheet;
        EXPECT_EQ(sheet.columnIdentifiers(), row.columns);
        EXPECT_EQ(sheet.tableView()->columnCount(), row.columns.size());
        const bool siteControls = row.columns.size() == all.size();
        EXPECT_EQ(sheet.websiteTitleTextField() != nullptr, siteControls);
        EXPECT_EQ(sheet.websiteDescriptionTextField() != nullptr, siteControls);
        EXPECT_EQ(sheet.favIconImageView() != nullptr, siteControls);
        EXPECT_EQ(sheet.tableView()->horizontalHeaderItem(2)->text(), QStringLiteral("Title"));
    }
}

// ---- the sheet on an open project ----

namespace {

class WebsiteSettingsSheetTest : public PageListTest
{
protected:
    WebsiteSettingsSheetTest() : PageListTest(QStringLiteral("HTML Quib Pro"))
    {
        EditionSettings& e = edition();
        e.gPageOrderIndexFlag = false;
        e.gPageTitleMarkerFlag = true;
        e.gReadOnlyPageFileNamesFlag = false;
        e.gReadOnlyPageTitlesFlag = false;
        e.gHidePublishExtColumnFlag = true;
        e.gResponsiveLayoutFlag = false;
        e.gAutoBaseTemplateFlag = false;
        qputenv("QUIB_TEMPLATES", m_store.filePath(QStringLiteral("templates")).toUtf8());
        // The blank page a project gains when its last page goes.
        QDir().mkpath(m_store.filePath(QStringLiteral("templates/blank")));
        DRVDocument blank;
        EXPECT_TRUE(blank.saveDocumentTo(
            m_store.filePath(QStringLiteral("templates/blank/Blank.") + e.gDocumentExtension)));
    }
    ~WebsiteSettingsSheetTest() override { qunsetenv("QUIB_TEMPLATES"); }

    QString ext() const { return edition().gDocumentExtension; }
    QString doc(const QString& stem) const { return stem + u'.' + ext(); }

    // A project of the given pages (the first one open) and the sheet opened by the page list's
    // settings button.
    WebsiteSettingsWindowController* openSheet(const QStringList& stems)
    {
        QList<PageRecord> records;
        for (const QString& stem : stems)
            records.append(addPage(stem, stem.toUpper(), QStringLiteral("336699")));
        openProject(records);
        if (::testing::Test::HasFatalFailure())
            return nullptr;
        // The project's working copy as the application makes it, inside the working folder and
        // rebuilt by every scan.
        controller.setOpenWebsiteFolderTempPath(QString());
        return clickSettingsButton();
    }

    WebsiteSettingsWindowController* clickSettingsButton()
    {
        QTest::mouseClick(controller.pageListingMenuButton(), Qt::LeftButton);
        QApplication::processEvents();
        WebsiteSettingsWindowController* sheet = controller.websiteSettingsWindowController();
        EXPECT_TRUE(sheet && sheet->isVisible());
        if (sheet) {
            EXPECT_EQ(sheet->windowModality(), Qt::WindowModal);
            EXPECT_EQ(sheet->parentWidget(), controller.window());
        }
        return sheet;
    }

    int rowOf(WebsiteSettingsWindowController* sheet, const QString& documentName) const
    {
        const QList<WebsiteSettingsRow> rows = sheet->rows();
        for (int r = 0; r < rows.size(); ++r) {
            if (rows.at(r).record.documentName == documentName)
                return r;
        }
        return -1;
    }

    QStringList rowNames(WebsiteSettingsWindowController* sheet) const
    {
        QStringList names;
        for (const WebsiteSettingsRow& row : sheet->rows())
            names.append(QFileInfo(row.record.documentName).completeBaseName());
        return names;
    }

    const PageRecord* record(const QString& documentName)
    {
        return controller.grabQuibButtonWithPageName(documentName);
    }

    QStringList alertTitles()
    {
        QStringList titles;
        for (const platform::Alert& alert : dialogs->alerts())
            titles.append(alert.title);
        return titles;
    }

    void save(WebsiteSettingsWindowController* sheet)
    {
        QTest::mouseClick(sheet->saveButton(), Qt::LeftButton);
        QApplication::processEvents();
        EXPECT_FALSE(sheet->isVisible());
    }

    void screenshot(WebsiteSettingsWindowController* sheet, const QString& name)
    {
        const QImage shot = sheet->grab().toImage();
        EXPECT_FALSE(shot.isNull());
        EXPECT_TRUE(shot.save(artefactPath(name)));
    }
};

} // namespace

TEST_F(WebsiteSettingsSheetTest, TitleAndDescriptionAreSavedExactlyAndShownAgain)
{
    WebsiteSettingsWindowController* sheet = openSheet({QStringLiteral("home"), QStringLiteral("about")});
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->windowTitle(), QStringLiteral("Website Preferences"));
    EXPECT_EQ(sheet->numberOfRows(), 2);
    EXPECT_EQ(sheet->websiteTitleTextField()->text(), QString());
    screenshot(sheet, QStringLiteral("website-settings-page-columns.png"));
    QTest::keyClicks(sheet->websiteTitleTextField(), QStringLiteral("Shop"));
    QTest::keyClicks(sheet->websiteDescriptionTextField(), QStringLiteral("Cheap"));
    save(sheet);
    EXPECT_EQ(fileBytes(QDir(m_project).filePath(QStringLiteral("site.quibs"))),
              QByteArray("##WEBSITE_TITLE_START##Shop##WEBSITE_TITLE_END##\n"
                         "##WEBSITE_DESCRIPTION_START##Cheap##WEBSITE_DESCRIPTION_END##"));
    // Nothing was chosen for the favicon: no favicon files.
    EXPECT_FALSE(QFileInfo::exists(QDir(m_project).filePath(QStringLiteral("favicon.ico"))));

    sheet = clickSettingsButton();
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->websiteTitleTextField()->text(), QStringLiteral("Shop"));
    EXPECT_EQ(sheet->websiteDescriptionTextField()->text(), QStringLiteral("Cheap"));
    QTest::mouseClick(sheet->cancelButton(), Qt::LeftButton);
    EXPECT_FALSE(sheet->isVisible());
}

TEST_F(WebsiteSettingsSheetTest, AChosenFaviconIsWrittenAndAnUnchosenOneLeftAlone)
{
    WebsiteSettingsWindowController* sheet = openSheet({QStringLiteral("home")});
    ASSERT_TRUE(sheet);
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    const QString picturePath = m_store.filePath(QStringLiteral("icon.png"));
    ASSERT_TRUE(picture.save(picturePath));
    dialogs->queueOpenPanelAnswer({picturePath});
    QTest::mouseClick(sheet->favIconImageView(), Qt::LeftButton);
    EXPECT_TRUE(sheet->favIconChanged());
    save(sheet);
    const QString icon = QDir(m_project).filePath(QStringLiteral("favicon.ico"));
    EXPECT_EQ(QImageReader(icon, "PNG").size(), QSize(32, 32));
    EXPECT_EQ(QImageReader(QDir(m_project).filePath(QStringLiteral("favicon_original.ico")), "PNG").size(),
              QSize(64, 48));

    // Shown again from the file, and saving without a new choice keeps the files' bytes.
    ASSERT_TRUE(putBytes(icon, fileBytes(icon) + QByteArray("mark")));
    const QByteArray marked = fileBytes(icon);
    sheet = clickSettingsButton();
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->favIconImage().size(), QSize(64, 48));
    EXPECT_FALSE(sheet->favIconChanged());
    save(sheet);
    EXPECT_EQ(fileBytes(icon), marked);
}

TEST_F(WebsiteSettingsSheetTest, TheBaseTemplateSwitchCouplesTheOtherTwoAndItsOwnRowHasNone)
{
    WebsiteSettingsWindowController* sheet =
        openSheet({QStringLiteral("basetemplate"), QStringLiteral("home")});
    ASSERT_TRUE(sheet);
    const int base = rowOf(sheet, doc(QStringLiteral("basetemplate")));
    const int home = rowOf(sheet, doc(QStringLiteral("home")));
    ASSERT_GE(base, 0);
    ASSERT_GE(home, 0);
    EXPECT_EQ(sheet->inheritBaseTemplateCheckbox(base), nullptr);
    EXPECT_EQ(sheet->inheritMetadataCheckbox(base), nullptr);
    EXPECT_EQ(sheet->inheritCustomHeaderCodeCheckbox(base), nullptr);

    QCheckBox* baseSwitch = sheet->inheritBaseTemplateCheckbox(home);
    ASSERT_TRUE(baseSwitch);
    for (const bool on : {!baseSwitch->isChecked(), baseSwitch->isChecked()}) {
        tick(baseSwitch);
        ASSERT_EQ(baseSwitch->isChecked(), on);
        for (QCheckBox* box :
             {sheet->inheritMetadataCheckbox(home), sheet->inheritCustomHeaderCodeCheckbox(home)}) {
            ASSERT_TRUE(box);
            EXPECT_EQ(box->isChecked(), on) << box->objectName().toStdString();
            EXPECT_EQ(box->isEnabled(), on) << box->objectName().toStdString();
        }
    }
}

TEST_F(WebsiteSettingsSheetTest, ChangedPageSettingsAreWrittenIntoThePages)
{
    WebsiteSettingsWindowController* sheet = openSheet({QStringLiteral("home"), QStringLiteral("about")});
    ASSERT_TRUE(sheet);
    const int about = rowOf(sheet, doc(QStringLiteral("about")));
    ASSERT_GE(about, 0);
    const bool wasOn = record(doc(QStringLiteral("about")))->useBaseTemplateFlag;
    tick(sheet->inheritBaseTemplateCheckbox(about));
    sheet->pageTitleTextField(about)->setText(QStringLiteral("About Us \u00e9"));
    sheet->pagePublishExtTextField(about)->setText(QStringLiteral("php"));
    // The row keeps its edits while another row moves around it.
    save(sheet);

    const PageRecord* page = record(doc(QStringLiteral("about")));
    ASSERT_TRUE(page);
    EXPECT_EQ(page->useBaseTemplateFlag, !wasOn);
    EXPECT_EQ(page->inheritMetadataFlag, !wasOn);
    EXPECT_EQ(page->pageTitle, QStringLiteral("About Us \u00e9"));
    EXPECT_EQ(page->pagePublishFileName, QStringLiteral("about.php"));
    // The other page is as it was.
    EXPECT_EQ(record(doc(QStringLiteral("home")))->pagePublishFileName, QStringLiteral("home.html"));
}

TEST_F(WebsiteSettingsSheetTest, ARenameInTheTablePacksUnderTheNewNameAndATakenNameIsRefused)
{
    WebsiteSettingsWindowController* sheet = openSheet({QStringLiteral("home"), QStringLiteral("about")});
    ASSERT_TRUE(sheet);
    sheet->pageFileNameTextField(rowOf(sheet, doc(QStringLiteral("about"))))->setText(QStringLiteral("home"));
    save(sheet);
    EXPECT_EQ(alertTitles(), QStringList{QStringLiteral("File Name Conflict")});
    EXPECT_TRUE(QFileInfo::exists(pagePath(doc(QStringLiteral("about")))));
    EXPECT_TRUE(record(doc(QStringLiteral("home"))));

    sheet = clickSettingsButton();
    ASSERT_TRUE(sheet);
    sheet->pageFileNameTextField(rowOf(sheet, doc(QStringLiteral("about"))))->setText(QStringLiteral("team"));
    save(sheet);
    EXPECT_FALSE(QFileInfo::exists(pagePath(doc(QStringLiteral("about")))));
    ASSERT_TRUE(QFileInfo::exists(pagePath(doc(QStringLiteral("team")))));
    EXPECT_TRUE(record(doc(QStringLiteral("team"))));
    EXPECT_FALSE(record(doc(QStringLiteral("about"))));
    std::unique_ptr<DRVDocument> team = DRVDocument::openDocument(pagePath(doc(QStringLiteral("team"))));
    ASSERT_TRUE(team);
    EXPECT_EQ(team->graphics().size(), 1);
}

TEST_F(WebsiteSettingsSheetTest, TheBaseTemplateIsRetitledBeforeItsOldDocumentGoes)
{
    WebsiteSettingsWindowController* sheet =
        openSheet({QStringLiteral("home"), QStringLiteral("basetemplate")});
    ASSERT_TRUE(sheet);
    sheet->pageFileNameTextField(rowOf(sheet, doc(QStringLiteral("basetemplate"))))
        ->setText(QStringLiteral("frame"));
    save(sheet);
    EXPECT_FALSE(QFileInfo::exists(pagePath(doc(QStringLiteral("basetemplate")))));
    ASSERT_TRUE(QFileInfo::exists(pagePath(doc(QStringLiteral("frame")))));
    // The stored page names the new template only.
    QTemporaryDir unpacked;
    ASSERT_TRUE(DocumentArchiver::unzipDocument(pagePath(doc(QStringLiteral("frame"))), unpacked.path()));
    const QByteArray text = fileBytes(QDir(unpacked.path()).filePath(QStringLiteral("frame.html")));
    ASSERT_FALSE(text.isEmpty());
    EXPECT_FALSE(text.contains("basetemplate")) << text.toStdString();
    EXPECT_TRUE(text.contains("frame"));
    EXPECT_FALSE(QFileInfo::exists(QDir(unpacked.path()).filePath(QStringLiteral("basetemplate.html"))));
}

TEST_F(WebsiteSettingsSheetTest, DeletingEveryRowAddsABlankPageAndSaysSo)
{
    WebsiteSettingsWindowController* sheet = openSheet({QStringLiteral("home"), QStringLiteral("about")});
    ASSERT_TRUE(sheet);
    for (int r = 0; r < sheet->numberOfRows(); ++r)
        tick(sheet->selectCheckbox(r));
    QTest::mouseClick(sheet->deleteButton(), Qt::LeftButton);
    EXPECT_EQ(sheet->numberOfRows(), 0);
    // Nothing is deleted before the sheet is saved.
    EXPECT_TRUE(QFileInfo::exists(pagePath(doc(QStringLiteral("home")))));
    save(sheet);
    EXPECT_FALSE(QFileInfo::exists(pagePath(doc(QStringLiteral("home")))));
    EXPECT_FALSE(QFileInfo::exists(pagePath(doc(QStringLiteral("about")))));
    EXPECT_EQ(controller.siteIconArray().size(), 1);
    EXPECT_TRUE(alertTitles().contains(QStringLiteral("Active project needs at least one file")));
}

TEST_F(WebsiteSettingsSheetTest, DuplicateCopiesThroughThePageListAndNeverRenames)
{
    WebsiteSettingsWindowController* sheet = openSheet({QStringLiteral("home"), QStringLiteral("about")});
    ASSERT_TRUE(sheet);
    tick(sheet->selectCheckbox(rowOf(sheet, doc(QStringLiteral("about")))));
    QTest::mouseClick(sheet->duplicateButton(), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_TRUE(alertTitles().contains(QStringLiteral("Confirm File Duplication")));
    ASSERT_EQ(sheet->numberOfRows(), 3);
    const QString copy = sheet->rows().constLast().record.documentName;
    EXPECT_NE(copy, doc(QStringLiteral("about")));
    EXPECT_FALSE(copy.contains(QStringLiteral("Copy")));
    EXPECT_TRUE(QFileInfo::exists(pagePath(copy)));
    EXPECT_TRUE(QFileInfo::exists(pagePath(doc(QStringLiteral("about")))));
    save(sheet);
    EXPECT_TRUE(QFileInfo::exists(pagePath(copy)));
    EXPECT_TRUE(QFileInfo::exists(pagePath(doc(QStringLiteral("about")))));
}

TEST_F(WebsiteSettingsSheetTest, RowMovesAreSavedAsThePageOrder)
{
    edition().gPageOrderIndexFlag = true;
    WebsiteSettingsWindowController* sheet =
        openSheet({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    ASSERT_TRUE(sheet);
    ASSERT_TRUE(sheet->moveUpButton());
    const QStringList start = rowNames(sheet);
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(sheet->pageNumberLabel(r)->text(), QStringLiteral("Page %1").arg(r));
    screenshot(sheet, QStringLiteral("website-settings-page-order.png"));

    // The first row up and the last row down change nothing.
    tick(sheet->selectCheckbox(0));
    QTest::mouseClick(sheet->moveUpButton(), Qt::LeftButton);
    EXPECT_EQ(rowNames(sheet), start);
    tick(sheet->selectCheckbox(0));
    tick(sheet->selectCheckbox(2));
    QTest::mouseClick(sheet->moveDownButton(), Qt::LeftButton);
    EXPECT_EQ(rowNames(sheet), start);

    // The last row, still selected, goes up one.
    QTest::mouseClick(sheet->moveUpButton(), Qt::LeftButton);
    const QStringList moved{start.at(0), start.at(2), start.at(1)};
    EXPECT_EQ(rowNames(sheet), moved);
    EXPECT_TRUE(sheet->selectCheckbox(1)->isChecked());
    save(sheet);
    const auto order = WebsiteProject::parsePageOrderIndex(
        fileBytes(QDir(m_project).filePath(QStringLiteral("order.index"))));
    ASSERT_TRUE(order);
    QStringList names;
    for (const auto& entry : *order)
        names.append(QFileInfo(entry.first).completeBaseName());
    EXPECT_EQ(names, moved);
}

TEST_F(WebsiteSettingsSheetTest, WithoutPerPageColumnsOnlyThePagesShow)
{
    edition().gHidePublishExtColumnFlag = false;
    WebsiteSettingsWindowController* sheet = openSheet({QStringLiteral("home"), QStringLiteral("about")});
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->tableView()->columnCount(), 3);
    EXPECT_EQ(sheet->websiteTitleTextField(), nullptr);
    screenshot(sheet, QStringLiteral("website-settings-pages-only.png"));
    // Saving without the site controls leaves no settings file behind.
    save(sheet);
    EXPECT_FALSE(QFileInfo::exists(QDir(m_project).filePath(QStringLiteral("site.quibs"))));
}

// ---- export of the project's source files ----

TEST_F(WebsiteSettingsSheetTest, ExportWritesTheSourceFilesFolderUnderPublishingNames)
{
    WebsiteSettingsWindowController* sheet = openSheet({QStringLiteral("home"), QStringLiteral("about")});
    ASSERT_TRUE(sheet);
    sheet->pagePublishExtTextField(rowOf(sheet, doc(QStringLiteral("about"))))
        ->setText(QStringLiteral("php"));
    save(sheet);
    const QString parent = m_store.filePath(QStringLiteral("exports"));
    QDir().mkpath(parent);
    const QString exported = QDir(parent).filePath(QStringLiteral("MySite_SourceFiles"));

    // Cancelling the folder panel does nothing.
    controller.performAction(QStringLiteral("exportAllFileTo:"));
    EXPECT_FALSE(QFileInfo::exists(exported));
    ASSERT_EQ(dialogs->openRequests().size(), 1);
    EXPECT_EQ(dialogs->openRequests().constFirst().prompt, QStringLiteral("Export"));
    EXPECT_TRUE(dialogs->openRequests().constFirst().chooseDirectories);

    dialogs->queueOpenPanelAnswer({parent});
    dialogs->queueAlertAnswer(1); // "OK"
    controller.performAction(QStringLiteral("exportAllFileTo:"));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return alertTitles().contains(QStringLiteral("Export Complete")); }, 10000));
    EXPECT_TRUE(QFileInfo(QDir(exported).filePath(QStringLiteral("about.php"))).isFile());
    EXPECT_FALSE(QFileInfo::exists(QDir(exported).filePath(QStringLiteral("about.html"))));
    EXPECT_TRUE(QFileInfo(QDir(exported).filePath(QStringLiteral("home.html"))).isFile());

    // The same place again: "Cancel" keeps the earlier export, "Replace" makes a fresh one.
    const QString mark = QDir(exported).filePath(QStringLiteral("mark.txt"));
    ASSERT_TRUE(putBytes(mark, "earlier"));
    for (const int answer : {1, 0}) {
        SCOPED_TRACE(answer);
        const qsizetype before = dialogs->alerts().size();
        dialogs->queueOpenPanelAnswer({parent});
        dialogs->queueAlertAnswer(answer);
        if (answer == 0)
            dialogs->queueAlertAnswer(1); // "OK" to the export's end; a cancel leaves none queued
        controller.performAction(QStringLiteral("exportAllFileTo:"));
        ASSERT_GT(dialogs->alerts().size(), before);
        const platform::Alert conflict = dialogs->alerts().at(before);
        EXPECT_EQ(conflict.title, QStringLiteral("File Name Conflict"));
        EXPECT_TRUE(conflict.informativeText.contains(QStringLiteral("\"MySite_SourceFiles\"")));
        EXPECT_EQ(conflict.buttons, (QStringList{QStringLiteral("Replace"), QStringLiteral("Cancel")}));
        if (answer == 1) {
            EXPECT_EQ(dialogs->alerts().size(), before + 1);
            EXPECT_TRUE(QFileInfo::exists(mark));
        } else {
            ASSERT_TRUE(QTest::qWaitFor([&] { return dialogs->alerts().size() == before + 2; }, 10000))
                << qPrintable(alertTitles().join(u'|'));
            EXPECT_EQ(dialogs->alerts().constLast().title, QStringLiteral("Export Complete"));
            EXPECT_FALSE(QFileInfo::exists(mark));
            EXPECT_TRUE(QFileInfo(QDir(exported).filePath(QStringLiteral("about.php"))).isFile());
        }
    }
}

TEST_F(WebsiteSettingsSheetTest, AnExportThatCannotBeWrittenSaysWhatIsMissing)
{
    ASSERT_TRUE(openSheet({QStringLiteral("home")}));
    // A plain file where the folder should go: nothing can be created under it, even for root.
    const QString blocker = m_store.filePath(QStringLiteral("not-a-folder"));
    ASSERT_TRUE(putBytes(blocker, "file"));
    dialogs->queueOpenPanelAnswer({blocker});
    dialogs->queueAlertAnswer(1);
    controller.performAction(QStringLiteral("exportAllFileTo:"));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return !alertTitles().isEmpty() && alertTitles().constLast().startsWith(QStringLiteral("Export"));
        },
        10000));
    EXPECT_EQ(dialogs->alerts().constLast().title, QStringLiteral("Export incomplete"));
    EXPECT_FALSE(dialogs->alerts().constLast().informativeText.isEmpty());

    // The copying on its own: a page whose file is missing is reported by its publishing name.
    QTemporaryDir working;
    QTemporaryDir target;
    ASSERT_TRUE(putBytes(QDir(working.path()).filePath(QStringLiteral("a.html")), "a"));
    const QStringList failures = DRVWindowController::moveFilesToExportedLocation(
        working.path(), m_store.filePath(QStringLiteral("noTempFiles")),
        QDir(target.path()).filePath(QStringLiteral("out")),
        {{QStringLiteral("a.html"), QStringLiteral("a.php")},
         {QStringLiteral("b.html"), QStringLiteral("b.php")}},
        false);
    EXPECT_EQ(failures, QStringList{QStringLiteral("b.php")});
    EXPECT_TRUE(QFileInfo(QDir(target.path()).filePath(QStringLiteral("out/a.php"))).isFile());
}
