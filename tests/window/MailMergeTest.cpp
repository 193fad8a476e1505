// The mail merge: the text of a copy with a contact's values in place of its tags, the copies' file
// names, and the whole run from the contacts sheet's "Generate" on a project window: one copy per
// picked address, the last one open, the window opaque again and the page list refreshed, also when
// a copy cannot be made.
#include "PageListTestSupport.h"

#include "document/DocumentArchiver.h"
#include "editions/DataCentre.h"
#include "model/DRVText.h"
#include "platform/NotificationCenter.h"
#include "platform/SafePath.h"
#include "platform/StringRules.h"
#include "publishing/MailContactBook.h"
#include "window/ContactPickerView.h"
#include "window/ContactViewController.h"
#include "window/ProgressIndicatorWindowController.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

namespace {

const QStringList kTags{QStringLiteral("[FIRST_NAME]"), QStringLiteral("[LAST_NAME]"),  QStringLiteral("[TITLE]"),
                        QStringLiteral("[JOB_TITLE]"),  QStringLiteral("[STREET]"),     QStringLiteral("[CITY]"),
                        QStringLiteral("[STATE]"),      QStringLiteral("[ZIPCODE]"),    QStringLiteral("[COUNTRY]"),
                        QStringLiteral("[EMAIL]"),      QStringLiteral("[PHONE]"),      QStringLiteral("[COMPANY_NAME]")};

QVariantMap record(std::initializer_list<std::pair<const char*, const char*>> values)
{
    QVariantMap map;
    for (const auto& [key, value] : values)
        map.insert(QString::fromUtf8(key), QString::fromUtf8(value));
    return map;
}

} // namespace

TEST(MailMergeText, TagsGiveWayToValuesAndLinesLeftWithoutAnyAreDropped)
{
    const QVariantMap ann = record({{"[FIRST_NAME]", "Ann"}, {"[LAST_NAME]", "Lee"}, {"[CITY]", "Lund"}});
    const struct
    {
        const char* name;
        QString text;
        QVariantMap record;
        QString expected;
    } rows[] = {
        {"names kept, company line dropped", QStringLiteral("[FIRST_NAME] [LAST_NAME]\n[COMPANY_NAME]\nBye"), ann,
         QStringLiteral("Ann Lee\nBye")},
        {"a lone unreplaced tag keeps its blank", QStringLiteral("Hi\n[COMPANY_NAME] \nBye"), ann,
         QStringLiteral("Hi\n \nBye")},
        {"empty lines stay", QStringLiteral("\n[FIRST_NAME]\n\n\n[PHONE]\n"), ann, QStringLiteral("\nAnn\n\n\n")},
        {"unreplaced tags go from kept lines", QStringLiteral("[TITLE][FIRST_NAME] of [CITY][STATE]"), ann,
         QStringLiteral("Ann of Lund")},
        {"an empty value counts as none", QStringLiteral("[FIRST_NAME]\n[CITY]"),
         record({{"[FIRST_NAME]", "Ann"}, {"[CITY]", ""}}), QStringLiteral("Ann")},
        {"a tag repeated", QStringLiteral("[FIRST_NAME], [FIRST_NAME]!"), ann, QStringLiteral("Ann, Ann!")},
        {"no tags", QStringLiteral("Plain [text]\n"), ann, QStringLiteral("Plain [text]\n")},
        // Contact data is copied as it stands: a tag inside a value is not replaced again.
        {"a value holding a later tag stays literal", QStringLiteral("[FIRST_NAME] [LAST_NAME]"),
         record({{"[FIRST_NAME]", "Bo [LAST_NAME]"}, {"[LAST_NAME]", "Ek"}}), QStringLiteral("Bo [LAST_NAME] Ek")},
        {"a value holding an unvalued tag stays literal", QStringLiteral("[FIRST_NAME]"),
         record({{"[FIRST_NAME]", "[COMPANY_NAME]"}}), QStringLiteral("[COMPANY_NAME]")},
        {"a value's line break makes no line to drop", QStringLiteral("[STREET]"),
         record({{"[STREET]", "1 Main St\n[CITY]"}}), QStringLiteral("1 Main St\n[CITY]")},
    };
    for (const auto& row : rows)
        EXPECT_EQ(DRVDocument::personalizedText(row.text, row.record, kTags), row.expected) << row.name;
}

TEST(MailMergeNames, EveryContactGetsAFileOfItsOwnInsideTheFolder)
{
    ScopedEdition scoped(QStringLiteral("Kestrin Label Maker"));
    for (const bool freeForm : {false, true}) {
        SCOPED_TRACE(freeForm);
        edition().gFreeFormFileNamesFlag = freeForm;
        const QStringList names = DRVDocument::personalizedFileNames(
            {
                record({{"[FIRST_NAME]", "Ann"}, {"[LAST_NAME]", "Lee"}, {"[UNIQUE_CONTACT_ID]", "7"},
                        {"Address_Number", "0"}}),
                record({{"[FIRST_NAME]", "Ann"}, {"[LAST_NAME]", "Lee"}, {"[UNIQUE_CONTACT_ID]", "7"},
                        {"Address_Number", "0"}}),
                record({{"[UNIQUE_CONTACT_ID]", ""}, {"Address_Number", "0"}}),
                record({{"[FIRST_NAME]", "../"}, {"[LAST_NAME]", "/etc"}, {"Address_Number", "1"}}),
                record({{"[FIRST_NAME]", "."}, {"[LAST_NAME]", "."}, {"Address_Number", "2"}}),
                record({{"[FIRST_NAME]", "letter"}, {"Address_Number", ""}}),
                record({{"[FIRST_NAME]", "A/n"}, {"Address_Number", "3"}}),
            },
            QStringLiteral("quibpage"), {QStringLiteral("letter_.quibpage")});
        ASSERT_EQ(names.size(), 7);
        EXPECT_EQ(names.at(0), QStringLiteral("AnnLee7_0.quibpage"));
        EXPECT_EQ(names.at(1), QStringLiteral("AnnLee7_0-2.quibpage"));
        EXPECT_EQ(names.at(2), QStringLiteral("_0.quibpage"));
        // The page the copies are made from is never a copy's name.
        EXPECT_EQ(names.at(5), QStringLiteral("letter_-2.quibpage"));
        QSet<QString> distinct;
        for (const QString& name : names) {
            EXPECT_FALSE(name.contains(u'/')) << qPrintable(name);
            EXPECT_FALSE(name.startsWith(u'.')) << qPrintable(name);
            EXPECT_TRUE(platform::SafePath::isSafeName(name)) << qPrintable(name);
            distinct.insert(name);
        }
        EXPECT_EQ(distinct.size(), names.size());
    }
}

namespace {

const char* kCards = "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:ann-lee\r\nN:Lee;Ann;;;\r\nFN:Ann Lee\r\nORG:Acme\r\n"
                     "ADR;TYPE=HOME:;;1 Main St;Springfield;;12345;USA\r\nEND:VCARD\r\n"
                     "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:bo-ek\r\nN:[LAST_NAME];Bo;;;\r\nFN:Bo\r\n"
                     "ADR;TYPE=HOME:;;2 Side St;Lund;;22100;Sweden\r\nEND:VCARD\r\n";

const QString kLetter = QStringLiteral("Dear [FIRST_NAME] [LAST_NAME]\n[COMPANY_NAME]\n\n[CITY]");

class MailMergeTest : public PageListTest
{
protected:
    MailMergeTest() : PageListTest(QStringLiteral("Kestrin Label Maker"))
    {
        edition().gFreeFormFileNamesFlag = false;
        // The text box's font is one of the bundled ones, which an opened copy finds installed.
        DataCentre::loadCustomFont();
        const QString cards = m_store.filePath(QStringLiteral("cards.vcf"));
        QFile file(cards);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(kCards) > 0);
        file.close();
        MailContactBook::setFolder(m_store.filePath(QStringLiteral("Contacts")));
        EXPECT_EQ(MailContactBook::importPaths({cards}), 2);
        MailContactBook::setCurrentRecords({});
        // The window's opacity whenever the page list is told of a change, that is, during the run.
        m_observer = platform::NotificationCenter::defaultCenter().addObserver(
            QStringLiteral("websiteUpdated"), nullptr,
            [this](const platform::Notification&) { opacities.append(controller.window()->windowOpacity()); });
    }
    ~MailMergeTest() override
    {
        platform::NotificationCenter::defaultCenter().removeObserver(m_observer);
        MailContactBook::setCurrentRecords({});
        MailContactBook::setFolder(QString());
    }

    // A project whose one page holds a text box with tags.
    void openLetterProject()
    {
        DRVDocument page;
        auto* text = new DRVText(&page);
        page.insertGraphics({text}, {0});
        text->setTextType(QStringLiteral("Text"));
        text->setFontFamily(QStringLiteral("Helvetica Neue"));
        text->setBounds(QRectF(10, 10, 300, 120));
        text->updateTextString(kLetter);
        const QString name = QStringLiteral("letter.") + edition().gDocumentExtension;
        ASSERT_TRUE(page.saveDocumentTo(pagePath(name))) << qPrintable(page.lastFileErrorText());
        ASSERT_TRUE(DocumentArchiver::unzipDocument(pagePath(name), m_workingCopy));
        PageRecord letter;
        letter.pageName = name;
        letter.documentName = name;
        letter.pageLocalFileName = QStringLiteral("letter.html");
        letter.pagePublishFileName = QStringLiteral("letter.html");
        openProject({letter});
        opacities.clear();
    }

    // Real clicks on the picker's rows holding these texts, Ctrl held after the first.
    void pickRows(const QStringList& texts)
    {
        QTreeWidget* tree = ContactViewController::shared().peoplePickerView()->tree();
        for (int i = 0; i < texts.size(); ++i) {
            QTreeWidgetItem* found = nullptr;
            for (QTreeWidgetItemIterator it(tree); *it && !found; ++it) {
                if ((*it)->text(0).contains(texts.at(i)) || (*it)->text(1).contains(texts.at(i)))
                    found = *it;
            }
            ASSERT_NE(found, nullptr) << qPrintable(texts.at(i));
            tree->scrollToItem(found);
            QTest::mouseClick(tree->viewport(), Qt::LeftButton, i == 0 ? Qt::NoModifier : Qt::ControlModifier,
                              tree->visualItemRect(found).center());
        }
    }

    QStringList projectDocuments() const
    {
        return QDir(m_project).entryList({QStringLiteral("*.") + edition().gDocumentExtension}, QDir::Files,
                                         QDir::Name);
    }

    QString openText() const
    {
        const QList<DRVGraphic*> texts = document.textAreas();
        return texts.size() == 1 ? texts.constFirst()->textString() : QString();
    }

    QList<double> opacities;
    platform::NotificationCenter::ObserverId m_observer = 0;
};

} // namespace

TEST_F(MailMergeTest, GenerateFromTheContactsSheetMakesOnePersonalizedCopyPerAddress)
{
    openLetterProject();
    ContactViewController& sheet = ContactViewController::shared();
    sheet.launchContactList(controller.window());
    ASSERT_TRUE(sheet.window()->isVisible());
    pickRows({QStringLiteral("1 Main St"), QStringLiteral("2 Side St")});
    QTest::mouseClick(sheet.saveContactsButton(), Qt::LeftButton);

    // "Generate" is the first button, and the scripted answer.
    ASSERT_FALSE(dialogs.dialogs().alerts().isEmpty());
    const platform::Alert offer = dialogs.dialogs().alerts().constFirst();
    EXPECT_EQ(offer.title, QStringLiteral("2 records selected"));
    EXPECT_EQ(offer.buttons, (QStringList{QStringLiteral("Generate"), QStringLiteral("Dismiss")}));
    QStringList titles;
    for (const platform::Alert& alert : dialogs.dialogs().alerts())
        titles.append(alert.title);
    EXPECT_EQ(titles.size(), 1) << qPrintable(titles.join(u'|'));

    const QStringList documents = projectDocuments();
    ASSERT_EQ(documents.size(), 3) << qPrintable(documents.join(u','));
    QString annCopy;
    QString boCopy;
    for (const QString& name : documents) {
        if (name.startsWith(QLatin1String("AnnLee")))
            annCopy = name;
        else if (name.startsWith(QLatin1String("BoLAST_NAME")))
            boCopy = name;
    }
    ASSERT_FALSE(annCopy.isEmpty());
    ASSERT_FALSE(boCopy.isEmpty());
    EXPECT_TRUE(annCopy.endsWith(QStringLiteral("_0.") + edition().gDocumentExtension));

    // The last contact's copy is open; its company line went, its literal tag stayed.
    EXPECT_EQ(platform::lastPathComponent(document.filePath()), boCopy);
    EXPECT_EQ(openText(), QStringLiteral("Dear Bo [LAST_NAME]\n\nLund"));

    // The window was transparent during the run and is opaque after it; the progress went to 2/2.
    ASSERT_FALSE(opacities.isEmpty());
    EXPECT_EQ(opacities.constFirst(), 0.0);
    EXPECT_EQ(controller.window()->windowOpacity(), 1.0);
    ProgressIndicatorWindowController* progress = document.mergeProgressWindow();
    ASSERT_NE(progress, nullptr);
    EXPECT_FALSE(progress->window()->isVisible());
    EXPECT_EQ(progress->progressStatusTextfield()->text(), QStringLiteral("Please wait: 2/2 completed"));

    // The page list shows the copies.
    QStringList listed;
    for (const PageRecord& r : controller.siteIconArray())
        listed.append(r.documentName);
    listed.sort();
    EXPECT_EQ(listed, documents);

    // Each copy was saved with its own values; the page they came from keeps its tags.
    ASSERT_TRUE(controller.launchSelected(annCopy));
    EXPECT_EQ(openText(), QStringLiteral("Dear Ann Lee\nAcme\n\nSpringfield"));
    ASSERT_TRUE(controller.launchSelected(QStringLiteral("letter.") + edition().gDocumentExtension));
    EXPECT_EQ(openText(), kLetter);
}

TEST_F(MailMergeTest, ARunThatCannotMakeACopyStillEndsWithTheWindowOpaque)
{
    openLetterProject();
    const QString extension = edition().gDocumentExtension;
    MailContactBook::setCurrentRecords({record({{"[FIRST_NAME]", "Ann"}, {"Address_Number", "0"}}),
                                        record({{"[FIRST_NAME]", "Cy"}, {"Address_Number", "0"}})});
    // A folder in the way of the first copy.
    ASSERT_TRUE(QDir().mkpath(pagePath(QStringLiteral("Ann_0.") + extension)));

    document.populatePersonalizedDocuments();
    EXPECT_EQ(controller.window()->windowOpacity(), 1.0);
    ASSERT_FALSE(dialogs.dialogs().alerts().isEmpty());
    const platform::Alert failure = dialogs.dialogs().alerts().last();
    EXPECT_EQ(failure.title, QStringLiteral("Some personalized designs could not be made"));
    EXPECT_EQ(failure.informativeText, QStringLiteral("Ann_0.") + extension);
    // The other copy was made and is the page open.
    EXPECT_EQ(platform::lastPathComponent(document.filePath()), QStringLiteral("Cy_0.") + extension);
    EXPECT_EQ(openText(), QStringLiteral("Dear Cy \n"));
    EXPECT_TRUE(QFileInfo(pagePath(QStringLiteral("Ann_0.") + extension)).isDir());
}

TEST_F(MailMergeTest, WithoutContactsOrProjectNothingIsMade)
{
    openLetterProject();
    document.populatePersonalizedDocuments();
    ASSERT_EQ(dialogs.dialogs().alerts().size(), 1);
    EXPECT_EQ(dialogs.dialogs().alerts().at(0).title, QStringLiteral("Please define contact list"));
    EXPECT_TRUE(dialogs.dialogs().alerts().at(0).informativeText.endsWith(
        QStringLiteral("\n\nSettings > Contacts > Define Contacts List")));
    EXPECT_EQ(projectDocuments().size(), 1);
    EXPECT_EQ(controller.window()->windowOpacity(), 1.0);

    // A window with no project open asks for one instead ("Dismiss" answered).
    MailContactBook::setCurrentRecords({record({{"[FIRST_NAME]", "Ann"}, {"Address_Number", "0"}})});
    controller.setOpenWebsiteFolder(QString());
    dialogs.dialogs().queueAlertAnswer(1);
    document.populatePersonalizedDocuments();
    EXPECT_EQ(dialogs.dialogs().alerts().last().title, QStringLiteral("Please launch editor in multi-document mode"));
    EXPECT_EQ(projectDocuments().size(), 1);
    EXPECT_EQ(opacities.size(), 0);
}
