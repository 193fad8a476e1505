// Renaming a page document, page numbers from the base template and the next group number.
#include "DocumentFlowTestSupport.h"

#include "document/DocumentArchiver.h"
#include "model/DRVLine.h"
#include "model/DRVText.h"

#include <QDirIterator>

using namespace documentflowtest;

namespace {

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

} // namespace

class RenamingTest : public DocumentFlowTest
{
protected:
    // A saved page named name with one line on it.
    std::unique_ptr<DRVDocument> savedPage(const QString& name)
    {
        auto document = std::make_unique<DRVDocument>();
        add<DRVLine>(*document)->setEndPoint(QPointF(200, 40));
        EXPECT_TRUE(document->saveDocumentTo(filePath(name + QStringLiteral(".quibpage"))));
        return document;
    }
};

TEST_F(RenamingTest, ANewNameMovesTheDocumentAndItReopensUnderIt)
{
    std::unique_ptr<DRVDocument> page = savedPage(QStringLiteral("about"));
    const QString oldPageFile = page->pagePath();
    ASSERT_TRUE(QFileInfo::exists(oldPageFile));

    ASSERT_TRUE(page->renameFileName(QStringLiteral("team")));
    EXPECT_EQ(page->pageName(), QStringLiteral("team"));
    EXPECT_EQ(page->filePath(), filePath(QStringLiteral("team.quibpage")));
    EXPECT_EQ(filesIn(m_files.path()), QStringList{QStringLiteral("team.quibpage")});
    EXPECT_FALSE(QFileInfo::exists(oldPageFile));
    EXPECT_TRUE(alertTitles().isEmpty()) << alertTitles().join(u',').toStdString();

    std::unique_ptr<DRVDocument> reopened = open(filePath(QStringLiteral("team.quibpage")));
    ASSERT_TRUE(reopened);
    EXPECT_EQ(reopened->pageName(), QStringLiteral("team"));
    EXPECT_EQ(reopened->graphics().size(), 1);
}

// A file placed in the page's folder by hand travels with the page when it is renamed, as a save
// under the old name keeps it; the renamed document holds it and unpacks it again.
TEST_F(RenamingTest, FilesPlacedInThePageFolderGoWithTheNewName)
{
    std::unique_ptr<DRVDocument> saved = savedPage(QStringLiteral("about"));
    const QString pageFolder = saved->tempSavePathLocal() + QStringLiteral("/about");
    ASSERT_TRUE(
        writeBytes(pageFolder + QStringLiteral("/extra/notes.txt"), QByteArrayLiteral("kept as it is")));
    ASSERT_TRUE(writeBytes(pageFolder + QStringLiteral("/handout.pdf"), QByteArrayLiteral("%PDF-1.4 hand")));
    ASSERT_TRUE(DocumentArchiver::zipDocument(pageFolder, saved->filePath()));
    saved.reset();

    std::unique_ptr<DRVDocument> page = open(filePath(QStringLiteral("about.quibpage")));
    ASSERT_TRUE(page);
    ASSERT_TRUE(page->renameFileName(QStringLiteral("team")));
    EXPECT_EQ(filesIn(m_files.path()), QStringList{QStringLiteral("team.quibpage")});

    std::vector<DocumentArchiver::Member> members;
    ASSERT_TRUE(DocumentArchiver::readDocument(filePath(QStringLiteral("team.quibpage")), &members));
    QMap<QString, QByteArray> files;
    for (const DocumentArchiver::Member& member : members)
        files.insert(member.relativePath, member.bytes);
    EXPECT_FALSE(files.value(QStringLiteral("team.html")).isEmpty())
        << QStringList(files.keys()).join(u',').toStdString();
    EXPECT_EQ(files.value(QStringLiteral("extra/notes.txt")), QByteArrayLiteral("kept as it is"))
        << QStringList(files.keys()).join(u',').toStdString();
    EXPECT_EQ(files.value(QStringLiteral("handout.pdf")), QByteArrayLiteral("%PDF-1.4 hand"));

    std::unique_ptr<DRVDocument> reopened = open(filePath(QStringLiteral("team.quibpage")));
    ASSERT_TRUE(reopened);
    ASSERT_TRUE(reopened->completeWorkingFolder());
    EXPECT_EQ(readBytes(reopened->tempSavePathLocal() + QStringLiteral("/team/extra/notes.txt")),
              QByteArrayLiteral("kept as it is"));
}

TEST_F(RenamingTest, TheSameNameInOtherLetterCaseRenamesWithoutAConflict)
{
    std::unique_ptr<DRVDocument> page = savedPage(QStringLiteral("home"));
    ASSERT_TRUE(page->renameFileName(QStringLiteral("Home")));
    EXPECT_TRUE(alertTitles().isEmpty());
    EXPECT_EQ(filesIn(m_files.path()), QStringList{QStringLiteral("Home.quibpage")});
    ASSERT_TRUE(open(filePath(QStringLiteral("Home.quibpage"))));
}

TEST_F(RenamingTest, ATakenNameIsRefusedWithTheConflictAlertAndNothingChanges)
{
    // "Home" beside "home" is another file where letter case counts: taking its name would lose it.
    struct Case
    {
        QString other;
        QString newName;
    };
    const QList<Case> cases{{QStringLiteral("contact"), QStringLiteral("contact")},
                            {QStringLiteral("Home"), QStringLiteral("Home")}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.newName.toStdString());
        QDir(m_files.path()).removeRecursively();
        QDir().mkpath(m_files.path());
        std::unique_ptr<DRVDocument> page = savedPage(QStringLiteral("home"));
        std::unique_ptr<DRVDocument> other = savedPage(c.other);
        const QByteArray pageBytes = readBytes(page->filePath());
        const QByteArray otherBytes = readBytes(other->filePath());
        const qsizetype alertsBefore = alertTitles().size();

        EXPECT_FALSE(page->renameFileName(c.newName));
        ASSERT_EQ(alertTitles().size(), alertsBefore + 1);
        const platform::Alert alert = m_dialogs.dialogs().alerts().constLast();
        EXPECT_EQ(alert.title, QStringLiteral("File Conflict"));
        EXPECT_EQ(alert.informativeText, QStringLiteral("Sorry a file with the new file name already exists at "
                                                        "this location.  File name has not been changed."));
        EXPECT_EQ(alert.buttons, QStringList{QStringLiteral("OK")});
        EXPECT_EQ(page->pageName(), QStringLiteral("home"));
        EXPECT_EQ(page->filePath(), filePath(QStringLiteral("home.quibpage")));
        EXPECT_EQ(readBytes(page->filePath()), pageBytes);
        EXPECT_EQ(readBytes(other->filePath()), otherBytes);
    }
}

TEST_F(RenamingTest, AFailedOrUnreadablePackKeepsTheOldDocument)
{
    // The pack refused outright, or "succeeding" with an archive that holds no page.
    const QList<DocumentArchiver::ZipHook> packs{
        [](const QString&, const QString&, QString* error) {
            if (error)
                *error = QStringLiteral("disk full");
            return false;
        },
        [](const QString&, const QString& archive, QString*) {
            return writeBytes(archive, QByteArray("not an archive"));
        }};
    for (qsizetype i = 0; i < packs.size(); ++i) {
        SCOPED_TRACE(i);
        DocumentArchiverInstall::install();
        std::unique_ptr<DRVDocument> page = savedPage(QStringLiteral("about") + QString::number(i));
        const QString oldPath = page->filePath();
        const QString oldPageFile = page->pagePath();
        const QByteArray before = readBytes(oldPath);

        DocumentArchiver::Hooks hooks = DocumentArchiver::installed();
        hooks.zipDocument = packs.at(i);
        hooks.zipDocumentWithFolder = packs.at(i);
        DocumentArchiver::install(hooks);
        EXPECT_FALSE(page->renameFileName(QStringLiteral("renamed")));
        DocumentArchiverInstall::install();

        EXPECT_EQ(page->pageName(), QStringLiteral("about") + QString::number(i));
        EXPECT_EQ(page->filePath(), oldPath);
        EXPECT_EQ(page->pagePath(), oldPageFile);
        EXPECT_EQ(readBytes(oldPath), before);
        EXPECT_FALSE(QFileInfo::exists(filePath(QStringLiteral("renamed.quibpage"))));
        // The document still opens and saves under its old name.
        EXPECT_TRUE(open(oldPath));
        EXPECT_TRUE(page->saveDocument());
        EXPECT_EQ(page->filePath(), oldPath);
    }
}

TEST_F(RenamingTest, TheSameOrAnUnusableNameDoesNothing)
{
    std::unique_ptr<DRVDocument> page = savedPage(QStringLiteral("about"));
    for (const QString& name : {QStringLiteral("about"), QStringLiteral("../about2"), QStringLiteral("")}) {
        EXPECT_FALSE(page->renameFileName(name)) << name.toStdString();
        EXPECT_EQ(page->pageName(), QStringLiteral("about"));
    }
    EXPECT_EQ(filesIn(m_files.path()), QStringList{QStringLiteral("about.quibpage")});
}

TEST_F(RenamingTest, RenamingTheBaseTemplateGivesEveryGraphicTheNewTemplateName)
{
    auto page = std::make_unique<DRVDocument>();
    auto* text = add<DRVText>(*page);
    text->setTemplateName(QStringLiteral("basetemplate"));
    ASSERT_TRUE(page->saveDocumentTo(filePath(QStringLiteral("basetemplate.quibpage"))));
    ASSERT_TRUE(page->renameFileName(QStringLiteral("frame")));
    EXPECT_EQ(text->templateName(), QStringLiteral("frame"));
}

TEST_F(RenamingTest, TheNextGroupNumberIsOneAboveTheHighest)
{
    struct Row
    {
        const char* name;
        QList<int> groups; // back to front, the last one a text box or a line
        bool lastIsText;
        int expected;
    };
    const QList<Row> rows{{"empty page", {}, true, 1},
                          {"1, 4, 4 text", {1, 4, 4}, true, 5},
                          {"highest is a line", {2, 9}, false, 10},
                          {"highest below the last", {7, 3}, true, 8}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        DRVDocument page;
        for (qsizetype i = 0; i < row.groups.size(); ++i) {
            DRVGraphic* graphic = (i == row.groups.size() - 1 && !row.lastIsText)
                                      ? static_cast<DRVGraphic*>(new DRVLine(&page))
                                      : static_cast<DRVGraphic*>(new DRVText(&page));
            graphic->setGroupNumber(row.groups.at(i));
            page.insertGraphics({graphic}, {0});
        }
        EXPECT_EQ(page.findNextGroupNumber(), row.expected);
    }
}

TEST_F(RenamingTest, PageNumbersComeFromThePageListAndAnUnlistedPageGivesMinusOne)
{
    DRVDocument page;
    page.setPageNumberLookup([](const QString& name) { return name == QLatin1String("b.quibpage") ? 2 : -1; });
    const QString text = QStringLiteral("Page [PAGE_NUMBER] of [PAGE_NUMBER]");
    EXPECT_EQ(page.replacePageNumbers(text, QStringLiteral("b.quibpage")), QStringLiteral("Page 2 of 2"));
    EXPECT_EQ(page.replacePageNumbers(text, QStringLiteral("c.quibpage")), QStringLiteral("Page -1 of -1"));
    DRVDocument unlisted;
    EXPECT_EQ(unlisted.replacePageNumbers(text), QStringLiteral("Page -1 of -1"));
}

// The base template's placeholder is filled in the editions that merge the template automatically
// and kept as typed elsewhere.
class PageNumberTemplateTest : public DocumentFlowTest
{
protected:
    explicit PageNumberTemplateTest(const char* editionName) : DocumentFlowTest(editionName) {}

    QString mergedText()
    {
        QTemporaryDir site;
        {
            DRVDocument base;
            auto* text = add<DRVText>(base);
            text->setTextType(QStringLiteral("Text"));
            text->setScriptingContents(QStringLiteral("Page [PAGE_NUMBER]"));
            text->setTemplateName(QStringLiteral("basetemplate"));
            EXPECT_TRUE(writeBytes(site.filePath(QStringLiteral("basetemplate.html")),
                                   base.generateSourceCode(QStringLiteral("basetemplate"), false, false).toUtf8()));
        }
        DRVDocument page;
        page.setOpenWebsiteFolderTempPath(site.path());
        page.setPageNumberLookup([](const QString&) { return 3; });
        EXPECT_TRUE(page.applyAutoBaseTemplate());
        for (DRVGraphic* graphic : page.graphics()) {
            if (auto* text = qobject_cast<DRVText*>(graphic))
                return text->textString();
        }
        return QString();
    }
};

class AutoBaseTemplateTest : public PageNumberTemplateTest
{
protected:
    AutoBaseTemplateTest() : PageNumberTemplateTest("Kestrin Flyer Maker Pro") {}
};

class ManualBaseTemplateTest : public PageNumberTemplateTest
{
protected:
    ManualBaseTemplateTest() : PageNumberTemplateTest("HTML Quib Pro") {}
};

TEST_F(AutoBaseTemplateTest, ThePlaceholderBecomesThePagesPosition)
{
    ASSERT_TRUE(edition().gAutoBaseTemplateFlag);
    EXPECT_TRUE(mergedText().contains(QStringLiteral("Page 3"))) << mergedText().toStdString();
    EXPECT_FALSE(mergedText().contains(QStringLiteral("[PAGE_NUMBER]")));
}

TEST_F(ManualBaseTemplateTest, ThePlaceholderStays)
{
    ASSERT_FALSE(edition().gAutoBaseTemplateFlag);
    EXPECT_TRUE(mergedText().contains(QStringLiteral("Page [PAGE_NUMBER]"))) << mergedText().toStdString();
}

TEST_F(RenamingTest, SwitchingTheBaseTemplateSavesThePageWithTheNewSetting)
{
    std::unique_ptr<DRVDocument> page = savedPage(QStringLiteral("about"));
    ASSERT_EQ(page->useBaseTemplateFlag(), 0);
    for (const int expected : {1, 0}) {
        EXPECT_TRUE(page->switchBaseTemplate());
        EXPECT_EQ(page->useBaseTemplateFlag(), expected);
        std::unique_ptr<DRVDocument> reopened = open(page->filePath());
        ASSERT_TRUE(reopened);
        EXPECT_EQ(reopened->useBaseTemplateFlag(), expected);
    }
}
