// The page and form settings dialogs, opened from the window's menus and answered with their own
// controls: what they show, what saving stores, and the background picture commands.
#include "AppTestSupport.h"
#include "common/TestFiles.h"

#include "model/DRVImage.h"
#include "platform/NotificationCenter.h"
#include "window/FlippedNSView.h"
#include "window/FormSettingsWindowController.h"
#include "window/PageSettingsWindowController.h"
#include "window/inspector/SegmentedControl.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

namespace {

using testfiles::readBytes;

class PagePreferencesTest : public WindowedAppTest
{
protected:
    platform::UserDefaults& defaults() { return platform::UserDefaults::standard(); }

    // A window on a saved page, so that saving the dialog writes the page in place.
    DRVWindowController* windowOnSavedPage(const QString& name = QStringLiteral("settings"))
    {
        DRVWindowController* window = documents.openDocumentWithContentsOfPath(savedPage(name));
        EXPECT_TRUE(window);
        return window;
    }

    PageSettingsWindowController* openPagePreferences(DRVWindowController* window)
    {
        choose(window, QStringLiteral("showPagePreferences:"));
        PageSettingsWindowController* panel = window->document()->pageSettingsWindowController();
        EXPECT_TRUE(panel && panel->isVisible());
        return panel;
    }

    static void clickSegment(SegmentedControl* control, int index)
    {
        QTest::mouseClick(control->segmentButton(index), Qt::LeftButton);
    }

    // On the box itself: a check box wider than its title does not take clicks beyond it.
    static void tick(QAbstractButton* box)
    {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    }
};

} // namespace

TEST_F(PagePreferencesTest, ShowsThePageAndStoresWhatWasTyped)
{
    DRVWindowController* window = windowOnSavedPage();
    DRVDocument* document = window->document();
    document->setPageOfficialName(QStringLiteral("Welcome"));
    document->setMetaKeywords(QStringLiteral("pizza, oven"));
    document->setWebPageWidth(980);
    document->setWebPageWidthManualFlag(true);
    document->setCentreFlag(0);
    document->setEncodingType(QStringLiteral("UTF-16"));
    defaults().setDouble(QStringLiteral("backgroundQualityPercentage"), 0.75);
    defaults().setInteger(QStringLiteral("DovrelMaxImageSize"), 1500);

    PageSettingsWindowController* panel = openPagePreferences(window);
    ASSERT_TRUE(panel);
    EXPECT_EQ(panel->windowTitle(), QStringLiteral("Page Preferences"));
    EXPECT_EQ(panel->windowModality(), Qt::WindowModal);
    EXPECT_EQ(panel->pageTitleTextField()->text(), QStringLiteral("Welcome"));
    EXPECT_EQ(panel->pageFileNameTextField()->text(), document->pageName());
    EXPECT_TRUE(panel->pageFileNameTextField()->isReadOnly()) << "no website project is open";
    EXPECT_EQ(panel->publishExtTextField()->text(), QStringLiteral("html"));
    EXPECT_FALSE(panel->pageFileExtensionTextField()->isEnabled());
    EXPECT_EQ(panel->metaKeywordsField()->text(), QStringLiteral("pizza, oven"));
    EXPECT_EQ(panel->pageWidthField()->text(), QStringLiteral("980"));
    EXPECT_EQ(panel->encodingControl()->selectedIndex(), 1);
    EXPECT_EQ(panel->backgroundQualityControl()->selectedIndex(), 1);
    EXPECT_EQ(panel->imageMaxSizeControl()->selectedIndex(), 2);
    EXPECT_EQ(panel->pageWidthManualSegmentControl()->selectedIndex(), 1);
    EXPECT_TRUE(panel->pageWidthField()->isEnabled());
    // No base template in this project: none of its controls.
    EXPECT_FALSE(panel->baseTemplateSwitch()->isVisible());
    EXPECT_FALSE(panel->inheritMetadataSwitch()->isVisible());
    EXPECT_FALSE(panel->baseHeaderTextView()->isVisible());
    keepScreenshot(panel, QStringLiteral("page-preferences.png"));

    // A width typed with a letter and a unit among its digits keeps the digits, in order.
    panel->pageWidthField()->setText(QStringLiteral("12a0px"));
    panel->pageTitleTextField()->setText(QStringLiteral("Our Shop"));
    panel->metaDescriptionField()->setText(QStringLiteral("Fresh every day"));
    panel->headerTextView()->setPlainText(QStringLiteral("<meta name=\"x\" content=\"y\">"));
    clickSegment(panel->encodingControl(), 2);
    clickSegment(panel->imageTypeControl(), 0);
    clickSegment(panel->imageMaxSizeControl(), 3);
    tick(panel->centerPageCheckbox());
    tick(panel->retinaCheckbox());
    const QDateTime before = QFileInfo(document->filePath()).lastModified();
    QTest::qWait(20);
    QTest::mouseClick(panel->saveButton(), Qt::LeftButton);

    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(document->webPageWidth(), 120);
    EXPECT_TRUE(document->webPageWidthManualFlag());
    EXPECT_EQ(document->pageOfficialName(), QStringLiteral("Our Shop"));
    EXPECT_EQ(document->metaDescription(), QStringLiteral("Fresh every day"));
    EXPECT_EQ(document->customHeaderCode(), QStringLiteral("<meta name=\"x\" content=\"y\">"));
    EXPECT_EQ(document->encodingType(), QStringLiteral("Win-1251"));
    EXPECT_EQ(document->centreFlag(), 1);
    EXPECT_EQ(defaults().stringForKey(QStringLiteral("DovrelImageType")), QStringLiteral("PNG"));
    EXPECT_EQ(edition().gImageType, QStringLiteral("PNG"));
    EXPECT_EQ(defaults().integerForKey(QStringLiteral("DovrelRetinaFlag")), 1);
    EXPECT_TRUE(defaults().boolForKey(QStringLiteral("DovrelSetRetinaFlag")));
    EXPECT_EQ(defaults().integerForKey(QStringLiteral("DovrelMaxImageSize")), 2000);
    EXPECT_EQ(defaults().doubleForKey(QStringLiteral("backgroundQualityPercentage")), 0.75);
    EXPECT_GT(QFileInfo(document->filePath()).lastModified(), before) << "the page was saved";
    EXPECT_TRUE(dialogs->alerts().isEmpty());

    // The automatic width greys the field and is stored as automatic.
    panel = openPagePreferences(window);
    ASSERT_TRUE(panel);
    EXPECT_EQ(panel->pageWidthField()->text(), QStringLiteral("120"));
    clickSegment(panel->pageWidthManualSegmentControl(), 0);
    EXPECT_FALSE(panel->pageWidthField()->isEnabled());
    QTest::mouseClick(panel->saveButton(), Qt::LeftButton);
    EXPECT_FALSE(document->webPageWidthManualFlag());
}

TEST_F(PagePreferencesTest, StoredValuesTheControlsCannotShowStayUnlessChanged)
{
    const struct
    {
        double quality;
        qint64 maxSize;
        int qualityClick, sizeClick; // -1: untouched
        int qualitySegment, sizeSegment;
        double storedQuality;
        qint64 storedSize;
    } cases[] = {
        {0.6, 3000, -1, -1, 0, 4, 0.6, 3000},
        {0.6, 3000, 2, 1, 0, 4, 0.5, 1000},
        // Picking the segment already shown is no change either.
        {0.6, 3000, 0, 4, 0, 4, 0.6, 3000},
        {0.5, 500, -1, -1, 2, 0, 0.5, 500},
    };
    DRVWindowController* window = windowOnSavedPage();
    for (const auto& c : cases) {
        defaults().setDouble(QStringLiteral("backgroundQualityPercentage"), c.quality);
        defaults().setInteger(QStringLiteral("DovrelMaxImageSize"), c.maxSize);
        PageSettingsWindowController* panel = openPagePreferences(window);
        ASSERT_TRUE(panel);
        EXPECT_EQ(panel->backgroundQualityControl()->selectedIndex(), c.qualitySegment) << c.quality;
        EXPECT_EQ(panel->imageMaxSizeControl()->selectedIndex(), c.sizeSegment) << c.maxSize;
        if (c.qualityClick >= 0)
            clickSegment(panel->backgroundQualityControl(), c.qualityClick);
        if (c.sizeClick >= 0)
            clickSegment(panel->imageMaxSizeControl(), c.sizeClick);
        QTest::mouseClick(panel->saveButton(), Qt::LeftButton);
        EXPECT_DOUBLE_EQ(defaults().doubleForKey(QStringLiteral("backgroundQualityPercentage")),
                         c.storedQuality)
            << c.quality << " click " << c.qualityClick;
        EXPECT_EQ(defaults().integerForKey(QStringLiteral("DovrelMaxImageSize")), c.storedSize)
            << c.maxSize << " click " << c.sizeClick;
    }
}

TEST_F(PagePreferencesTest, AChangedPublishExtensionIsStoredOnlyWhenConfirmed)
{
    DRVWindowController* window = windowOnSavedPage();
    DRVDocument* document = window->document();
    int websiteUpdates = 0;
    QObject context;
    platform::NotificationCenter::defaultCenter().addObserver(
        QStringLiteral("websiteUpdated"), &context, [&](const platform::Notification&) { ++websiteUpdates; },
        document);

    // "Keep default": the extension stays, the rest of the dialog is saved.
    PageSettingsWindowController* panel = openPagePreferences(window);
    ASSERT_TRUE(panel);
    panel->publishExtTextField()->setText(QStringLiteral("php"));
    panel->pageTitleTextField()->setText(QStringLiteral("Kept"));
    dialogs->queueAlertAnswer(0);
    QTest::mouseClick(panel->saveButton(), Qt::LeftButton);
    ASSERT_EQ(dialogs->alerts().size(), 1);
    const platform::Alert asked = dialogs->alerts().first();
    EXPECT_EQ(asked.title, QStringLiteral("File Extension Update"));
    EXPECT_EQ(asked.buttons, (QStringList{QStringLiteral("Keep default"), QStringLiteral("Change it")}));
    EXPECT_TRUE(asked.informativeText.contains(
        QStringLiteral("Default file extension is \"html\" for a web page, \"php\" for a web form.")));
    EXPECT_EQ(document->publishExt(), QStringLiteral("html"));
    EXPECT_EQ(document->pageOfficialName(), QStringLiteral("Kept"));
    EXPECT_EQ(websiteUpdates, 0);

    // "Change it" stores it and tells the website.
    panel = openPagePreferences(window);
    panel->publishExtTextField()->setText(QStringLiteral("php"));
    dialogs->queueAlertAnswer(1);
    QTest::mouseClick(panel->saveButton(), Qt::LeftButton);
    EXPECT_EQ(document->publishExt(), QStringLiteral("php"));
    EXPECT_EQ(websiteUpdates, 1);

    // Unchanged: no question.
    panel = openPagePreferences(window);
    EXPECT_EQ(panel->publishExtTextField()->text(), QStringLiteral("php"));
    QTest::mouseClick(panel->saveButton(), Qt::LeftButton);
    EXPECT_EQ(dialogs->alerts().size(), 2);
}

TEST_F(PagePreferencesTest, BaseTemplateSwitchHidesTheBackgroundAndSwitchesTheInheritance)
{
    DRVWindowController* window = windowOnSavedPage();
    PageSettingsWindowController* panel = openPagePreferences(window);
    ASSERT_TRUE(panel);
    // The project situation: a base template beside this page.
    panel->baseTemplateExistFlag = true;
    panel->baseTemplateMetaDescription = QStringLiteral("Base description");
    panel->baseTemplateMetaKeywords = QStringLiteral("base, words");
    panel->baseHeaderTextView()->setPlainText(QStringLiteral("<script src=\"base.js\"></script>"));
    panel->updateBaseTemplateTextFields();
    EXPECT_TRUE(panel->baseTemplateSwitch()->isVisible());
    EXPECT_FALSE(panel->inheritMetadataSwitch()->isVisible());
    EXPECT_TRUE(panel->applyImageButton()->isVisible());
    EXPECT_EQ(panel->backgroundQualityLabel()->text(), QStringLiteral("Background Image Quality (JPEG)"));

    tick(panel->baseTemplateSwitch());
    EXPECT_FALSE(panel->applyImageButton()->isVisible());
    EXPECT_FALSE(panel->removeBackgroundButton()->isVisible());
    EXPECT_FALSE(panel->backgroundQualityControl()->isVisible());
    EXPECT_EQ(panel->backgroundQualityLabel()->text(), QStringLiteral("Inherited from Base Template"));
    EXPECT_TRUE(panel->inheritMetadataSwitch()->isVisible() && panel->inheritMetadataSwitch()->isChecked());
    EXPECT_TRUE(panel->inheritCustomHeaderCodeSwitch()->isVisible() &&
                panel->inheritCustomHeaderCodeSwitch()->isChecked());
    // The inherited code sits above the page's own.
    EXPECT_TRUE(panel->baseHeaderTextView()->isVisible());
    EXPECT_EQ(panel->baseHeaderTextView()->geometry().top(), 20);
    EXPECT_EQ(panel->headerTextViewLabel()->geometry().top(), 70);
    EXPECT_FALSE(panel->metaDescriptionField()->isEnabled()) << "inherited metadata is locked";
    keepScreenshot(panel, QStringLiteral("page-preferences-base-template.png"));

    tick(panel->baseTemplateSwitch());
    EXPECT_TRUE(panel->applyImageButton()->isVisible());
    EXPECT_FALSE(panel->inheritMetadataSwitch()->isVisible() || panel->inheritMetadataSwitch()->isChecked());
    EXPECT_FALSE(panel->inheritCustomHeaderCodeSwitch()->isVisible() ||
                 panel->inheritCustomHeaderCodeSwitch()->isChecked());
    EXPECT_FALSE(panel->baseHeaderTextView()->isVisible());
    EXPECT_EQ(panel->headerTextViewLabel()->geometry().top(), 0);
    EXPECT_TRUE(panel->metaDescriptionField()->isEnabled());

    // The base template itself has none of it, whatever the project holds.
    panel->pageFileNameTextField()->setText(QStringLiteral("basetemplate"));
    panel->updateBaseTemplateTextFields();
    EXPECT_FALSE(panel->baseTemplateSwitch()->isVisible());
    EXPECT_FALSE(panel->baseHeaderTextView()->isVisible());
}

TEST_F(PagePreferencesTest, TurningTheBaseTemplateOnSavesAndReloadsThePage)
{
    DRVWindowController* window = windowOnSavedPage();
    DRVDocument* document = window->document();
    QSignalSpy reloaded(document, &DRVDocument::pageReloaded);
    for (const bool turnOn : {false, true}) {
        PageSettingsWindowController* panel = openPagePreferences(window);
        ASSERT_TRUE(panel);
        panel->baseTemplateExistFlag = true;
        panel->updateBaseTemplateTextFields();
        if (turnOn)
            tick(panel->baseTemplateSwitch());
        QTest::mouseClick(panel->saveButton(), Qt::LeftButton);
        EXPECT_EQ(document->useBaseTemplateFlag(), turnOn ? 1 : 0);
        EXPECT_EQ(reloaded.size(), turnOn ? 1 : 0) << "only a changed switch reloads the page";
        EXPECT_FALSE(panel->isVisible());
    }

    // Reloading the page from its file puts the dialog away.
    PageSettingsWindowController* panel = openPagePreferences(window);
    ASSERT_TRUE(panel);
    ASSERT_TRUE(document->refreshDocument());
    EXPECT_FALSE(panel->isVisible());
}

TEST_F(PagePreferencesTest, HelpButtonsExplainTheFileNameAndTheImageSizes)
{
    DRVWindowController* window = windowOnSavedPage(QStringLiteral("menu"));
    PageSettingsWindowController* panel = openPagePreferences(window);
    ASSERT_TRUE(panel);
    QTest::mouseClick(panel->fileNameHelpButton(), Qt::LeftButton);
    QTest::mouseClick(panel->imageMaxSizeHelpButton(), Qt::LeftButton);
    ASSERT_EQ(dialogs->alerts().size(), 2);
    EXPECT_EQ(dialogs->alerts().at(0).title, QStringLiteral("How to modify the file name"));
    EXPECT_EQ(
        dialogs->alerts().at(0).informativeText,
        QStringLiteral("The file name is menu.html, this is always the same as the document name, "
                       "menu.quibpage. To modify, please save this web page document under the new name."));
    EXPECT_EQ(dialogs->alerts().at(1).title, QStringLiteral("Image Generation Settings"));
    EXPECT_TRUE(dialogs->alerts().at(1).informativeText.startsWith(
        QStringLiteral("500|1000|1500|2000|5000: The Image Generation Resolution")));
    EXPECT_TRUE(panel->isVisible());
}

TEST_F(PagePreferencesTest, ANewFileNameRenamesThePageAndATakenOneShowsTheConflict)
{
    // The edition whose file name field is always editable.
    ScopedEdition forms(QStringLiteral("Selvaro Pro 2"));
    useWorkingFolders();
    DRVWindowController* window = windowOnSavedPage(QStringLiteral("order"));
    DRVDocument* document = window->document();
    const QString oldPath = document->filePath();
    const QString folder = QFileInfo(oldPath).absolutePath();
    const QString extension = QFileInfo(oldPath).suffix();
    const QString taken = savedPage(QStringLiteral("cart"));
    ASSERT_EQ(QFileInfo(taken).absolutePath(), folder);
    const QByteArray takenBytes = readBytes(taken);

    PageSettingsWindowController* panel = openPagePreferences(window);
    ASSERT_TRUE(panel);
    EXPECT_FALSE(panel->pageFileNameTextField()->isReadOnly());
    panel->pageFileNameTextField()->setText(QStringLiteral("checkout"));
    panel->pageTitleTextField()->setText(QStringLiteral("Order"));
    QTest::mouseClick(panel->saveButton(), Qt::LeftButton);
    EXPECT_TRUE(dialogs->alerts().isEmpty()) << dialogs->alerts().constFirst().title.toStdString();
    EXPECT_EQ(document->pageName(), QStringLiteral("checkout"));
    EXPECT_EQ(document->filePath(), QDir(folder).filePath(QStringLiteral("checkout.") + extension));
    EXPECT_FALSE(QFileInfo::exists(oldPath));
    EXPECT_EQ(document->pageOfficialName(), QStringLiteral("Order"));

    // Another page's name: the alert, the name kept, and the rest still saved.
    panel = openPagePreferences(window);
    ASSERT_TRUE(panel);
    panel->pageFileNameTextField()->setText(QStringLiteral("cart"));
    panel->pageTitleTextField()->setText(QStringLiteral("Checkout"));
    QTest::mouseClick(panel->saveButton(), Qt::LeftButton);
    ASSERT_EQ(dialogs->alerts().size(), 1);
    EXPECT_EQ(dialogs->alerts().first().title, QStringLiteral("File Conflict"));
    EXPECT_EQ(document->pageName(), QStringLiteral("checkout"));
    EXPECT_EQ(panel->pageFileNameTextField()->text(), QStringLiteral("checkout"));
    EXPECT_EQ(readBytes(taken), takenBytes);
    EXPECT_EQ(document->pageOfficialName(), QStringLiteral("Checkout"));
    std::unique_ptr<DRVDocument> reopened = DRVDocument::openDocument(document->filePath());
    ASSERT_TRUE(reopened);
    EXPECT_EQ(reopened->pageOfficialName(), QStringLiteral("Checkout"));
}

TEST_F(PagePreferencesTest, InheritMetadataCopiesTheBaseTemplatesValuesAndLocksThem)
{
    DRVWindowController* window = windowOnSavedPage();
    DRVDocument* document = window->document();
    PageSettingsWindowController* panel = openPagePreferences(window);
    ASSERT_TRUE(panel);
    panel->baseTemplateExistFlag = true;
    panel->baseTemplateMetaDescription = QStringLiteral("Base description");
    panel->baseTemplateMetaKeywords = QStringLiteral("base, words");
    panel->baseTemplateSwitch()->setChecked(true);
    panel->updateBaseTemplateTextFields();
    tick(panel->inheritMetadataSwitch()); // off
    EXPECT_TRUE(panel->metaDescriptionField()->isEnabled());
    panel->metaDescriptionField()->setText(QStringLiteral("Typed"));

    tick(panel->inheritMetadataSwitch()); // on
    EXPECT_EQ(panel->metaDescriptionField()->text(), QStringLiteral("Base description"));
    EXPECT_EQ(panel->metaKeywordsField()->text(), QStringLiteral("base, words"));
    EXPECT_FALSE(panel->metaDescriptionField()->isEnabled());
    EXPECT_FALSE(panel->metaKeywordsField()->isEnabled());

    tick(panel->inheritCustomHeaderCodeSwitch()); // off
    EXPECT_FALSE(panel->baseHeaderTextView()->isVisible());
    QTest::mouseClick(panel->saveButton(), Qt::LeftButton);
    EXPECT_EQ(document->inheritMetadataFlag(), 1);
    EXPECT_EQ(document->inheritCustomHeaderCodeFlag(), 0);
    EXPECT_EQ(document->metaDescription(), QStringLiteral("Base description"));
}

TEST_F(PagePreferencesTest, BackgroundPictureIsChosenRemovedAndCancelled)
{
    DRVWindowController* window = windowOnSavedPage();
    DRVDocument* document = window->document();
    PageSettingsWindowController* panel = openPagePreferences(window);
    ASSERT_TRUE(panel);
    const QString folder = QFileInfo(document->pagePath()).dir().filePath(document->pageName());
    ASSERT_TRUE(QDir().mkpath(folder));

    // Cancelling the open panel changes nothing and brings the dialog back.
    QTest::mouseClick(panel->applyImageButton(), Qt::LeftButton);
    ASSERT_EQ(dialogs->openRequests().size(), 1);
    EXPECT_EQ(dialogs->openRequests().first().prompt, QStringLiteral("Select"));
    EXPECT_TRUE(dialogs->openRequests().first().allowedExtensions.contains(QStringLiteral("jpeg")));
    EXPECT_EQ(document->backgroundImageFlag(), 0);
    EXPECT_TRUE(panel->isVisible());

    // A ".jpeg" picture counts as JPG; one pixel is one point whatever the file declares.
    QImage declared(QSize(40, 30), QImage::Format_RGB32);
    declared.fill(Qt::darkCyan);
    declared.setDotsPerMeterX(7874); // 200 dpi
    declared.setDotsPerMeterY(7874);
    const QString jpeg = m_root.filePath(QStringLiteral("tile.jpeg"));
    ASSERT_TRUE(declared.save(jpeg, "JPEG"));
    dialogs->queueOpenPanelAnswer({jpeg});
    QTest::mouseClick(panel->applyImageButton(), Qt::LeftButton);
    EXPECT_EQ(document->backgroundImageType(), QStringLiteral("JPG"));
    EXPECT_EQ(document->backgroundImageFlag(), 2);
    EXPECT_EQ(document->backgroundImage().size(), QSize(40, 30));
    EXPECT_FALSE(panel->backgroundImageView()->pixmap().isNull()) << "the preview shows it";
    EXPECT_TRUE(panel->isVisible());
    EXPECT_GT(document->documentChangedCounter(), 0);

    // Removing deletes the JPG pair and leaves a PNG of the same name alone.
    for (const char* name : {"background.JPG", "backgroundo.JPG", "background.PNG"})
        fileWith(QDir(folder).filePath(QLatin1String(name)).mid(m_root.path().size() + 1), "x");
    QTest::mouseClick(panel->removeBackgroundButton(), Qt::LeftButton);
    EXPECT_FALSE(QFileInfo::exists(QDir(folder).filePath(QStringLiteral("background.JPG"))));
    EXPECT_FALSE(QFileInfo::exists(QDir(folder).filePath(QStringLiteral("backgroundo.JPG"))));
    EXPECT_TRUE(QFileInfo::exists(QDir(folder).filePath(QStringLiteral("background.PNG"))));
    EXPECT_EQ(document->backgroundImageFlag(), 0);
    EXPECT_EQ(document->pageColorHexString(), QStringLiteral("FFFFFF"));
    EXPECT_EQ(window->getDocumentColor(), QColor(Qt::white));
    EXPECT_TRUE(panel->backgroundImageView()->pixmap().isNull());

    // A file that holds no picture is refused with a message, the page as it was.
    dialogs->queueOpenPanelAnswer({fileWith(QStringLiteral("fake.png"), "not a picture")});
    QTest::mouseClick(panel->applyImageButton(), Qt::LeftButton);
    EXPECT_EQ(document->backgroundImageFlag(), 0);
    EXPECT_EQ(dialogs->alerts().size(), 1);
}

TEST_F(PagePreferencesTest, CompressRewritesOriginalsAtTheMaximumWidthByTheirType)
{
    const struct
    {
        qint64 maxSize;
        QSize picture;
        const char* type;
        QSize stored; // empty: no file written
        QByteArray format;
    } cases[] = {
        {1000, {2000, 1000}, "JPG", {1000, 500}, "jpeg"},
        {1000, {2000, 1000}, "PNG", {1000, 500}, "png"},
        {5000, {800, 600}, "JPG", {800, 600}, "jpeg"},
        {0, {2000, 1000}, "JPG", {}, {}},
    };
    for (const auto& c : cases) {
        auto* image = new DRVImage;
        image->setContents([&] {
            QImage picture(c.picture, QImage::Format_RGB32);
            picture.fill(Qt::darkRed);
            return picture;
        }());
        image->setImageName(QStringLiteral("photo1"));
        image->setImageType(QLatin1String(c.type));
        image->setBounds({10, 10, 200, 100});
        DRVWindowController* window = windowOnPage({image});
        DRVDocument* document = window->document();
        const QString folder = m_root.filePath(QStringLiteral("compress%1%2").arg(c.maxSize).arg(c.type));
        ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("/page")));
        document->setPagePath(folder + QStringLiteral("/page.html"));
        defaults().setInteger(QStringLiteral("DovrelMaxImageSize"), c.maxSize);
        const int alertsBefore = int(dialogs->alerts().size());
        document->showPagePreferences(window);
        ASSERT_TRUE(document->pageSettingsWindowController());
        QTest::mouseClick(document->pageSettingsWindowController()->recalculateButton(), Qt::LeftButton);

        const QString original = folder + QStringLiteral("/page/photo1o.") + QLatin1String(c.type);
        ASSERT_EQ(dialogs->alerts().size(), alertsBefore + 1);
        EXPECT_EQ(dialogs->alerts().last().title, QStringLiteral("All Images Compressed"));
        if (c.stored.isEmpty()) {
            EXPECT_FALSE(QFileInfo::exists(original)) << c.maxSize;
            continue;
        }
        QImageReader reader(original);
        EXPECT_EQ(reader.format(), c.format) << c.maxSize << c.type;
        EXPECT_EQ(reader.size(), c.stored) << c.maxSize << c.type;
    }
}

namespace {

// Form pages and their menu items belong to the form edition.
class FormPreferencesTest : public PagePreferencesTest
{
protected:
    FormPreferencesTest() : m_form(QStringLiteral("Selvaro Pro")) { useWorkingFolders(); }

    ScopedEdition m_form;
};

} // namespace

TEST_F(FormPreferencesTest, FormSettingsFillSaveAndAskBeforeClosingWithChanges)
{
    DRVWindowController* window = windowOnSavedPage(QStringLiteral("contact"));
    DRVDocument* document = window->document();
    document->setSiteFeedbackEmail(QString());
    document->setFormEmailServer(QStringLiteral("smtp.example.org"));
    document->setFormSentResponse(QStringLiteral("Thanks!"));
    document->setFormRedirectURL(QString());
    document->setFormSubmitButtonValue(QStringLiteral("Send"));
    document->setGrabIPFlag(1);
    document->setFormOrderLayoutOption(1);
    // A form page: the form menu items are its own.
    document->setPageFileType(QStringLiteral("selvaro"));

    choose(window, QStringLiteral("showFormPreferences:"));
    FormSettingsWindowController* panel = document->formSettingsWindowController();
    ASSERT_TRUE(panel && panel->isVisible());
    EXPECT_EQ(panel->windowTitle(), QStringLiteral("Preferences"));
    EXPECT_EQ(panel->windowModality(), Qt::WindowModal);
    EXPECT_EQ(panel->emailServerTextField()->text(), QStringLiteral("smtp.example.org"));
    EXPECT_EQ(panel->formSubmissionResponse()->text(), QStringLiteral("Thanks!"));
    EXPECT_EQ(panel->submitButtonValue()->text(), QStringLiteral("Send"));
    EXPECT_TRUE(panel->formSubmitterIPCheckbox()->isChecked());
    EXPECT_EQ(panel->emailDisplayOptionMatrix()->checkedId(), 1);
    keepScreenshot(panel, QStringLiteral("form-preferences.png"));
    EXPECT_FALSE(document->isDocumentEdited());

    // Typed changes, then closing: the user is asked; Cancel keeps the dialog and the values.
    QTest::keyClicks(panel->primaryResponseEmail(), QStringLiteral("shop@example.org"));
    panel->submitButtonValue()->clear();
    QTest::keyClicks(panel->submitButtonValue(), QStringLiteral("Order now"));
    tick(panel->formSubmitterIPCheckbox());
    dialogs->queueAlertAnswer(2);
    panel->close();
    ASSERT_EQ(dialogs->alerts().size(), 1);
    EXPECT_EQ(dialogs->alerts().first().buttons,
              (QStringList{QStringLiteral("Save"), QStringLiteral("Don't Save"), QStringLiteral("Cancel")}));
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(document->siteFeedbackEmail(), QString());

    // Save from the question stores everything, the submit button's text too, and marks the page.
    dialogs->queueAlertAnswer(0);
    panel->close();
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(document->siteFeedbackEmail(), QStringLiteral("shop@example.org"));
    EXPECT_EQ(document->formSubmitButtonValue(), QStringLiteral("Order now"));
    EXPECT_EQ(document->formRedirectURL(), QString());
    EXPECT_EQ(document->grabIPFlag(), 0);
    EXPECT_EQ(document->formOrderLayoutOption(), 1);
    EXPECT_TRUE(document->isDocumentEdited());

    // Unchanged, closing asks nothing; an empty stored address leaves the field as the dialog made it.
    document->setSiteCCFeedbackEmail(QString());
    choose(window, QStringLiteral("showFormPreferences:"));
    panel = document->formSettingsWindowController();
    EXPECT_EQ(panel->secondaryResponseEmail()->text(), QString());
    EXPECT_EQ(panel->primaryResponseEmail()->text(), QStringLiteral("shop@example.org"));
    panel->close();
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(dialogs->alerts().size(), 2);
}
