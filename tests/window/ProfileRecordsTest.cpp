// Records of the profile editions through the document window: the pet form in the window's
// popover and the human sheet, typed with key events and saved into a new page of the project;
// refused names keeping the input; editing, renaming and reopening a record; values that would
// break the page kept inside their markers, also in a browser.
#include "PageListTestSupport.h"

#include "generation/BrowserTestSupport.h"
#include "platform/NotificationCenter.h"
#include "records/ProfileBlocks.h"
#include "window/AddNewHumanPatientViewController.h"
#include "window/AddNewPatientViewController.h"
#include "window/ProfilePhotoWell.h"
#include "window/ProfileViewController.h"
#include "window/inspector/SegmentedControl.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDateEdit>
#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QToolButton>
#include <QUrl>

#include <functional>

namespace {

// What `unzip` says of a page document: its member names, and one member's text.
QStringList archiveMembers(const QString& archive)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-Z1"), archive});
    unzip.waitForFinished(30000);
    return QString::fromUtf8(unzip.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

QByteArray archiveMember(const QString& archive, const QString& member)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), archive, member});
    unzip.waitForFinished(30000);
    return unzip.readAllStandardOutput();
}

class ProfileRecordsTest : public PageListTest
{
protected:
    explicit ProfileRecordsTest(const QString& editionName = QStringLiteral("Cardell Vet Edition"))
        : PageListTest(editionName)
    {
        m_updates = platform::NotificationCenter::defaultCenter().addObserver(
            QStringLiteral("websiteUpdated"), nullptr,
            [this](const platform::Notification&) { ++websiteUpdates; });
    }
    ~ProfileRecordsTest() override
    {
        platform::NotificationCenter::defaultCenter().removeObserver(m_updates);
    }

    void openRecordProject()
    {
        openProject({addPage(QStringLiteral("page1"), QStringLiteral("One"), "CC0000")});
    }

    QString documentPath(const QString& stem) const
    {
        return pagePath(stem + u'.' + edition().gDocumentExtension);
    }

    AddNewPatientViewController* openPetForm(const char* action = "showAddNewPatientWindow:")
    {
        EXPECT_TRUE(controller.performAction(QString::fromLatin1(action)));
        AddNewPatientViewController* form = QString::fromLatin1(action).startsWith(QLatin1String("showAdd"))
                                                ? controller.addNewPatientViewController()
                                                : document.addNewPatientViewController();
        if (form) {
            EXPECT_TRUE(form->view()->isVisible());
            EXPECT_EQ(controller.quibPopOver(), form->view());
        }
        return form;
    }

    // Replaces a line's text as a user would: select all, type.
    static void retype(QLineEdit* field, const QString& text)
    {
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, text);
    }

    void saveArtefact(QWidget* widget, const QString& name)
    {
        const QString path = artefactPath(name);
        ASSERT_TRUE(widget->grab().save(path)) << qPrintable(path);
    }

    int websiteUpdates = 0;

private:
    platform::NotificationCenter::ObserverId m_updates = 0;
};

class HumanRecordsTest : public ProfileRecordsTest
{
protected:
    HumanRecordsTest() : ProfileRecordsTest(QStringLiteral("Cardell")) {}

    AddNewHumanPatientViewController* openHumanForm(const char* action = "showAddNewHumanPatientWindow:")
    {
        EXPECT_TRUE(controller.performAction(QString::fromLatin1(action)));
        AddNewHumanPatientViewController* form =
            QString::fromLatin1(action).startsWith(QLatin1String("showAdd"))
                ? controller.addNewHumanPatientViewController()
                : document.addNewHumanPatientViewController();
        if (form) {
            EXPECT_TRUE(form->window()->isVisible());
            EXPECT_EQ(form->window()->windowModality(), Qt::WindowModal);
            EXPECT_EQ(form->window()->parentWidget(), controller.window());
        }
        return form;
    }
};

TEST_F(ProfileRecordsTest, APetFormTypedAndSavedBecomesTheOpenRecord)
{
    if (!haveProgramOrFail(QStringLiteral("unzip"), QStringLiteral("unzip")))
        return;
    openRecordProject();
    AddNewPatientViewController* form = openPetForm();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->selectedTemplateCategoryFolder(), QStringLiteral("blank"));
    EXPECT_EQ(form->selectedTemplateName(), QStringLiteral("Blank.zorprofile"));
    EXPECT_EQ(form->pageFileNameTextField()->text(), controller.generateDefaultPageName());
    EXPECT_FALSE(form->pageFileNameTextField()->isEnabled());

    QTest::keyClicks(form->firstNameTextField(), QStringLiteral("Ann"));
    QTest::keyClicks(form->lastNameTextField(), QStringLiteral("Lee"));
    QTest::keyClicks(form->petNameTextField(), QStringLiteral("Rex"));
    EXPECT_EQ(form->pageFileNameTextField()->text(), QStringLiteral("Rex"));
    QTest::keyClicks(form->petBreedTextField(), QStringLiteral("Collie"));
    QTest::keyClicks(form->petChartNumberTextField(), QStringLiteral("C-42"));
    QTest::keyClicks(form->addressTextView(), QStringLiteral("1 Main St"));
    QTest::keyClick(form->addressTextView(), Qt::Key_Return);
    QTest::keyClicks(form->addressTextView(), QStringLiteral("Springfield"));
    QTest::mouseClick(form->petSexSegmentedControl()->segmentButton(1), Qt::LeftButton);
    QTest::mouseClick(form->birthdateNotAvailableCheckbox(), Qt::LeftButton);
    EXPECT_FALSE(form->petBirthdateDatePicker()->isEnabled());
    form->petBirthdateDatePicker()->setDate(QDate(2014, 3, 4));
    saveArtefact(controller.window(), QStringLiteral("profile-pet-form.png"));

    QTest::mouseClick(form->saveButton(), Qt::LeftButton);
    QApplication::processEvents();

    const QString target = documentPath(QStringLiteral("Rex"));
    ASSERT_TRUE(QFileInfo::exists(target));
    EXPECT_TRUE(archiveMembers(target).contains(QStringLiteral("Rex.html")))
        << archiveMembers(target).join(u' ').toStdString();
    const QString page = QString::fromUtf8(archiveMember(target, QStringLiteral("Rex.html")));
    EXPECT_TRUE(page.contains(QStringLiteral("<!--USE BASE TEMPLATE-->")));
    EXPECT_TRUE(page.contains(QStringLiteral("<!--PAGETITLESTART==Ann Lee Rex Collie==PAGETITLEEND-->")));
    const QString block = ProfileBlocks::fieldBlock(ProfileBlocks::Kind::Pet, form->fieldValues());
    EXPECT_TRUE(page.contains(block));
    EXPECT_TRUE(page.contains(QStringLiteral("Owner AddressSTARTSTRING--1 Main St&#10;Springfield--")));
    EXPECT_TRUE(page.contains(QStringLiteral("Pet SexSTARTSTRING--1--")));
    EXPECT_TRUE(page.contains(QStringLiteral("Birth Date StatusSTARTSTRING--1--")));
    EXPECT_TRUE(page.contains(QStringLiteral("Pet Birth DateSTARTSTRING--Mar 04 2014--")));

    // The window shows the new record, its list lists it, and the popover names the pet.
    EXPECT_EQ(document.filePath(), target);
    EXPECT_EQ(document.profileDictionary().value(QStringLiteral("Owner Address")).toString(),
              QStringLiteral("1 Main St\nSpringfield"));
    EXPECT_NE(tileFor(QStringLiteral("Rex.zorprofile")), nullptr);
    EXPECT_FALSE(form->view()->isVisible());
    ASSERT_TRUE(controller.isProfilePopoverShown());
    ProfileViewController* content = controller.profileViewController();
    EXPECT_EQ(content->labelTextField()->text(), QStringLiteral("Rex"));
    EXPECT_EQ(content->labelTextField2()->text(), QStringLiteral("Collie"));
    EXPECT_EQ(content->labelTextField3()->text(), QStringLiteral("C-42"));
    saveArtefact(controller.window(), QStringLiteral("profile-popover-after-save.png"));
}

TEST_F(ProfileRecordsTest, ManualNamingStopsProposalsAndATakenNameKeepsThePetForm)
{
    openRecordProject();
    AddNewPatientViewController* form = openPetForm();
    ASSERT_NE(form, nullptr);
    QTest::mouseClick(form->fileNameGenerationSegmentedControl()->segmentButton(1), Qt::LeftButton);
    EXPECT_TRUE(form->pageFileNameTextField()->isEnabled());
    retype(form->pageFileNameTextField(), QStringLiteral("page1"));
    QTest::keyClicks(form->petNameTextField(), QStringLiteral("Rex"));
    EXPECT_EQ(form->pageFileNameTextField()->text(), QStringLiteral("page1"));

    const QStringList before = QDir(m_project).entryList(QDir::Files);
    QTest::mouseClick(form->saveButton(), Qt::LeftButton);
    ASSERT_EQ(dialogs->alerts().size(), 1);
    EXPECT_EQ(dialogs->alerts().constFirst().title, QStringLiteral("File Name Conflict"));
    EXPECT_EQ(QDir(m_project).entryList(QDir::Files), before);
    EXPECT_TRUE(form->view()->isVisible());
    EXPECT_EQ(form->petNameTextField()->text(), QStringLiteral("Rex"));
    EXPECT_EQ(document.filePath(), pagePath(QStringLiteral("page1.zorprofile")));
}

TEST_F(ProfileRecordsTest, AnEditedRecordReopensWithTheSameFieldsAndARenameIsAnnounced)
{
    openRecordProject();
    AddNewPatientViewController* created = openPetForm();
    ASSERT_NE(created, nullptr);
    QTest::keyClicks(created->petNameTextField(), QStringLiteral("Rex"));
    QTest::mouseClick(created->saveButton(), Qt::LeftButton);
    ASSERT_EQ(document.filePath(), documentPath(QStringLiteral("Rex")));

    // Values that would end the comment, cut the record or run in the page.
    const QVariantMap hostile{
        {QStringLiteral("Owner First Name"), QStringLiteral("--Owner First NameENDSTRING====>")},
        {QStringLiteral("Owner Last Name"), QStringLiteral("O'Brien & Sons <b>")},
        {QStringLiteral("Pet Breed"), QStringLiteral("--><script>window.injected='breed'</script>")},
        {QStringLiteral("Notes"),
         QString::fromUtf8("first line\nzweite Zeile: Größe > 3\n\n<?php echo 1; ?>")},
        {QStringLiteral("Owner Address"), QStringLiteral("&amp; literal\r\nnext")},
    };
    websiteUpdates = 0;
    AddNewPatientViewController* form = openPetForm("showUpdatePatientProfileWindow:");
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->pageFileNameTextField()->text(), QStringLiteral("Rex"));
    EXPECT_EQ(form->petNameTextField()->text(), QStringLiteral("Rex"));
    EXPECT_FALSE(form->editFileNameFlag());
    for (auto it = hostile.cbegin(); it != hostile.cend(); ++it) {
        if (QLineEdit* field = form->textField(it.key()))
            retype(field, it.value().toString());
        else
            form->textView(it.key())->setPlainText(it.value().toString());
    }
    // Editing never proposes a name.
    QTest::keyClicks(form->petNameTextField(), QStringLiteral("y"));
    EXPECT_EQ(form->pageFileNameTextField()->text(), QStringLiteral("Rex"));
    QTest::mouseClick(form->petNeuterSegmentedControl()->segmentButton(1), Qt::LeftButton);
    const QVariantMap typed = form->fieldValues();
    QTest::mouseClick(form->saveButton(), Qt::LeftButton);

    EXPECT_EQ(websiteUpdates, 0);
    EXPECT_FALSE(form->view()->isVisible());
    EXPECT_TRUE(controller.isProfilePopoverShown());
    ASSERT_TRUE(document.readFromURL(documentPath(QStringLiteral("Rex"))));
    for (const QString& key : ProfileBlocks::petFieldKeys())
        EXPECT_EQ(document.profileDictionary().value(key).toString(), typed.value(key).toString())
            << qPrintable(key);
    EXPECT_TRUE(document.profileDictionary()
                    .value(QStringLiteral("Owner Address"))
                    .toString()
                    .startsWith(QStringLiteral("&amp; literal")));

    // The page a browser gets shows none of the values and runs none of them.
    if (haveBrowserOrFail()) {
        QFile saved(document.pagePath());
        ASSERT_TRUE(saved.open(QIODevice::ReadOnly)) << qPrintable(document.pagePath());
        const QString stored = QString::fromUtf8(saved.readAll());
        ASSERT_TRUE(stored.contains(QStringLiteral("Pet BreedSTARTSTRING--")));
        QTemporaryDir folder;
        const QJsonObject report = browsertest::runPage(browsertest::writePage(folder.path(), stored),
                                                        QStringLiteral("hostile-text-check.js"), 1000);
        const QJsonObject result = report.value("result").toObject();
        EXPECT_EQ(result.value("injected").toString(), QStringLiteral("none"));
        const QString shown = result.value("text").toString();
        for (const char* piece : {"ENDSTRING", "O'Brien", "zweite", "literal", "php", "Rexy"})
            EXPECT_FALSE(shown.contains(QLatin1String(piece))) << piece << " in " << shown.toStdString();
    }

    // A new name renames the document and tells the project once.
    form = openPetForm("showUpdatePatientProfileWindow:");
    ASSERT_NE(form, nullptr);
    QTest::mouseClick(form->fileNameGenerationSegmentedControl()->segmentButton(1), Qt::LeftButton);
    retype(form->pageFileNameTextField(), QStringLiteral("Rex2"));
    QTest::mouseClick(form->saveButton(), Qt::LeftButton);
    EXPECT_EQ(websiteUpdates, 1);
    EXPECT_FALSE(QFileInfo::exists(documentPath(QStringLiteral("Rex"))));
    EXPECT_EQ(document.filePath(), documentPath(QStringLiteral("Rex2")));
    ASSERT_TRUE(document.readFromURL(documentPath(QStringLiteral("Rex2"))));
    EXPECT_EQ(document.profileDictionary().value(QStringLiteral("Pet Breed")),
              typed.value(QStringLiteral("Pet Breed")));
}

TEST_F(ProfileRecordsTest, TheBaseTemplateIsNoRecord)
{
    openRecordProject();
    document.setPageName(QStringLiteral("basetemplate"));
    for (const char* action : {"showUpdatePatientProfileWindow:", "showUpdateHumanPatientProfileWindow:"}) {
        SCOPED_TRACE(action);
        const qsizetype alerts = dialogs->alerts().size();
        ASSERT_TRUE(controller.performAction(QString::fromLatin1(action)));
        ASSERT_EQ(dialogs->alerts().size(), alerts + 1);
        EXPECT_EQ(dialogs->alerts().constLast().title, QStringLiteral("This is the base template"));
        EXPECT_EQ(document.addNewPatientViewController(), nullptr);
        EXPECT_EQ(document.addNewHumanPatientViewController(), nullptr);
    }
    platform::NotificationCenter::defaultCenter().post(QStringLiteral("displayProfilePopover"), &document);
    EXPECT_FALSE(controller.isProfilePopoverShown());
}

TEST_F(ProfileRecordsTest, AMissingFieldFillsTheFormWithItsEmptyState)
{
    openRecordProject();
    document.setProfileDictionary({{QStringLiteral("Pet Sex"), QStringLiteral("1")},
                                   {QStringLiteral("Pet Neuter Status"), QStringLiteral("seven")},
                                   {QStringLiteral("Pet Name"), QStringLiteral("Rex")}});
    AddNewPatientViewController* form = openPetForm("showUpdatePatientProfileWindow:");
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->petSexSegmentedControl()->selectedIndex(), 1);
    EXPECT_EQ(form->petNeuterSegmentedControl()->selectedIndex(), 0);
    EXPECT_FALSE(form->birthdateNotAvailableCheckbox()->isChecked());
    EXPECT_TRUE(form->petBirthdateDatePicker()->isEnabled());
    EXPECT_EQ(form->petNameTextField()->text(), QStringLiteral("Rex"));
    EXPECT_TRUE(form->firstNameTextField()->text().isEmpty());
    EXPECT_TRUE(form->petNotesTextView()->toPlainText().isEmpty());
}

TEST_F(HumanRecordsTest, ARefusedNameKeepsTheSheetThenTheRecordIsSavedWithItsPhoto)
{
    if (!haveProgramOrFail(QStringLiteral("unzip"), QStringLiteral("unzip")))
        return;
    openRecordProject();
    AddNewHumanPatientViewController* form = openHumanForm();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->window()->width(), 700);
    EXPECT_EQ(form->label(QStringLiteral("Pet Chart Number"))->text(), QStringLiteral("ID Number"));
    QTest::keyClicks(form->firstNameTextField(), QStringLiteral("Ann"));
    QTest::keyClicks(form->lastNameTextField(), QStringLiteral("Lee"));
    QTest::keyClicks(form->petChartNumberTextField(), QStringLiteral("42"));
    EXPECT_EQ(form->pageFileNameTextField()->text(), QStringLiteral("AnnLee42"));
    // Clearing a naming field leaves the proposal.
    form->petChartNumberTextField()->setFocus();
    QTest::keyClick(form->petChartNumberTextField(), Qt::Key_Backspace);
    QTest::keyClick(form->petChartNumberTextField(), Qt::Key_Backspace);
    EXPECT_EQ(form->pageFileNameTextField()->text(), QStringLiteral("AnnLee4"));
    QTest::keyClicks(form->petChartNumberTextField(), QStringLiteral("42"));

    // A pasted photo.
    QImage photo(120, 90, QImage::Format_RGB32);
    photo.fill(QColor(0, 160, 0));
    QGuiApplication::clipboard()->setImage(photo);
    form->photoImageView()->setFocus();
    QTest::keyClick(form->photoImageView(), Qt::Key_V, Qt::ControlModifier);
    ASSERT_FALSE(form->photoImageView()->image().isNull());
    saveArtefact(form->window(), QStringLiteral("profile-human-sheet.png"));

    QTest::mouseClick(form->fileNameGenerationSegmentedControl()->segmentButton(1), Qt::LeftButton);
    retype(form->pageFileNameTextField(), QStringLiteral("page1"));
    QTest::mouseClick(form->saveButton(), Qt::LeftButton);
    ASSERT_EQ(dialogs->alerts().size(), 1);
    EXPECT_EQ(dialogs->alerts().constFirst().title, QStringLiteral("File Name Conflict"));
    EXPECT_TRUE(form->window()->isVisible());
    EXPECT_EQ(form->firstNameTextField()->text(), QStringLiteral("Ann"));
    EXPECT_FALSE(form->photoImageView()->image().isNull());

    retype(form->pageFileNameTextField(), QStringLiteral("AnnLee42"));
    QTest::mouseClick(form->saveButton(), Qt::LeftButton);
    EXPECT_FALSE(form->window()->isVisible());
    const QString target = documentPath(QStringLiteral("AnnLee42"));
    ASSERT_TRUE(QFileInfo::exists(target));
    const QString page = QString::fromUtf8(archiveMember(target, QStringLiteral("AnnLee42.html")));
    EXPECT_TRUE(page.contains(QStringLiteral("<!--PAGETITLESTART==Ann Lee==PAGETITLEEND-->")));
    EXPECT_EQ(page.count(QStringLiteral("STARTSTRING--")), 11);
    const QImage thumbnail = QImage::fromData(archiveMember(target, QStringLiteral("AnnLee42.png")));
    ASSERT_FALSE(thumbnail.isNull());
    EXPECT_EQ(thumbnail.pixelColor(thumbnail.rect().center()), QColor(0, 160, 0));
    ASSERT_TRUE(controller.isProfilePopoverShown());
    EXPECT_EQ(controller.profileViewController()->labelTextField()->text(), QStringLiteral("Ann"));
    EXPECT_EQ(controller.profileViewController()->labelTextField2()->text(), QStringLiteral("Lee"));
}

TEST_F(HumanRecordsTest, ARecordWithoutPhotoShowsTheEditionIcon)
{
    if (!haveProgramOrFail(QStringLiteral("unzip"), QStringLiteral("unzip")))
        return;
    QImage icon(64, 64, QImage::Format_ARGB32);
    icon.fill(QColor(200, 30, 90));
    edition().gEditionIcon = icon;
    openRecordProject();
    AddNewHumanPatientViewController* form = openHumanForm();
    ASSERT_NE(form, nullptr);
    QTest::keyClicks(form->firstNameTextField(), QStringLiteral("Bo"));
    QTest::mouseClick(form->saveButton(), Qt::LeftButton);
    const QString target = documentPath(QStringLiteral("Bo"));
    ASSERT_TRUE(QFileInfo::exists(target));
    const QImage thumbnail = QImage::fromData(archiveMember(target, QStringLiteral("Bo.png")));
    ASSERT_FALSE(thumbnail.isNull());
    EXPECT_EQ(thumbnail.pixelColor(thumbnail.rect().center()), QColor(200, 30, 90));
}

TEST_F(HumanRecordsTest, TheSheetIsWideExceptInCardell2)
{
    openRecordProject();
    for (const char* name : {"Cardell", "Veldacre", "Cardell 2"}) {
        SCOPED_TRACE(name);
        edition().gEditionDisplayName = QString::fromLatin1(name);
        AddNewHumanPatientViewController* form = openHumanForm();
        ASSERT_NE(form, nullptr);
        const int described = form->window()->sizeHint().width();
        EXPECT_EQ(form->window()->width(),
                  QLatin1String(name) == QLatin1String("Cardell 2") ? described : 700);
        QTest::mouseClick(form->cancelButton(), Qt::LeftButton);
        EXPECT_FALSE(form->window()->isVisible());
        EXPECT_EQ(form->window()->result(), 1);
    }
}

TEST_F(HumanRecordsTest, EditingKeepsThePhotoWellAndSavesTheFields)
{
    openRecordProject();
    document.setProfileDictionary({{QStringLiteral("Owner First Name"), QStringLiteral("Ann")},
                                   {QStringLiteral("Birth Date Status"), QStringLiteral("1")},
                                   {QStringLiteral("Pet Birth Date"), QStringLiteral("Dec 31 1990")}});
    websiteUpdates = 0;
    AddNewHumanPatientViewController* form = openHumanForm("showUpdateHumanPatientProfileWindow:");
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->firstNameTextField()->text(), QStringLiteral("Ann"));
    EXPECT_TRUE(form->birthdateNotAvailableCheckbox()->isChecked());
    EXPECT_FALSE(form->petBirthdateDatePicker()->isEnabled());
    EXPECT_EQ(form->petBirthdateDatePicker()->date(), QDate(1990, 12, 31));
    // The well starts with the page's tile picture; a dropped photo replaces it.
    ASSERT_NE(tileFor(QStringLiteral("page1.zorprofile")), nullptr);
    EXPECT_EQ(form->photoImageView()->image().isNull(),
              tileFor(QStringLiteral("page1.zorprofile"))->image().isNull());
    QImage photo(80, 100, QImage::Format_RGB32);
    photo.fill(QColor(20, 40, 220));
    QMimeData dropped;
    dropped.setImageData(photo);
    form->photoImageView()->setImage(ProfilePhotoWell::imageFromMimeData(&dropped));
    retype(form->lastNameTextField(), QStringLiteral("Lee"));
    QTest::mouseClick(form->saveButton(), Qt::LeftButton);
    EXPECT_FALSE(form->window()->isVisible());
    EXPECT_EQ(websiteUpdates, 0);
    if (haveProgramOrFail(QStringLiteral("unzip"), QStringLiteral("unzip"))) {
        const QImage thumbnail = QImage::fromData(
            archiveMember(pagePath(QStringLiteral("page1.zorprofile")), QStringLiteral("page1.png")));
        ASSERT_FALSE(thumbnail.isNull());
        EXPECT_EQ(thumbnail.pixelColor(thumbnail.rect().center()), QColor(20, 40, 220));
    }
    ASSERT_TRUE(document.readFromURL(pagePath(QStringLiteral("page1.zorprofile"))));
    EXPECT_EQ(document.profileDictionary().value(QStringLiteral("Owner Last Name")).toString(),
              QStringLiteral("Lee"));
    EXPECT_EQ(document.profileDictionary().value(QStringLiteral("Pet Birth Date")).toString(),
              QStringLiteral("Dec 31 1990"));
}

} // namespace

namespace {

// What the photo well takes from a drop or the clipboard: picture data, or a local picture file;
// never a remote address, and nothing from a file that is no picture.
TEST(ProfilePhotoWellTest, TakesPicturesAndLocalPictureFilesOnly)
{
    QTemporaryDir folder;
    QImage picture(30, 20, QImage::Format_RGB32);
    picture.fill(QColor(250, 200, 0));
    const QString pictureFile = folder.filePath(QStringLiteral("photo.png"));
    ASSERT_TRUE(picture.save(pictureFile));
    const QString textFile = folder.filePath(QStringLiteral("notes.png"));
    QFile text(textFile);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a picture");
    text.close();

    struct Row
    {
        const char* what;
        std::function<void(QMimeData&)> fill;
        bool taken;
    };
    const Row rows[] = {
        {"picture data", [&](QMimeData& d) { d.setImageData(picture); }, true},
        {"local picture file", [&](QMimeData& d) { d.setUrls({QUrl::fromLocalFile(pictureFile)}); }, true},
        {"remote address",
         [&](QMimeData& d) { d.setUrls({QUrl(QStringLiteral("http://example.com/a.png"))}); }, false},
        {"file that is no picture", [&](QMimeData& d) { d.setUrls({QUrl::fromLocalFile(textFile)}); }, false},
        {"plain text", [&](QMimeData& d) { d.setText(pictureFile); }, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        QMimeData data;
        row.fill(data);
        const QImage image = ProfilePhotoWell::imageFromMimeData(&data);
        EXPECT_EQ(!image.isNull(), row.taken);
        if (row.taken)
            EXPECT_EQ(image.pixelColor(5, 5), QColor(250, 200, 0));
    }

    // A large photo is kept scaled down; Delete empties the well.
    ProfilePhotoWell well;
    well.setImage(QImage(4000, 2000, QImage::Format_RGB32));
    EXPECT_EQ(well.image().size(), QSize(1024, 512));
    QTest::keyClick(&well, Qt::Key_Delete);
    EXPECT_TRUE(well.image().isNull());
}

} // namespace
