// Print templates across a project: a picked label sheet offered to every page and written into each
// page file behind the progress window, the manual picker that always asks, the folding cards' walk
// that ends on the first page, a page that cannot be opened midway, and the open page's tile after a
// save (title, time, picture) or a title changed in its sheet.
#include "PageListTestSupport.h"
#include "TemplatePopUpDriver.h"

#include "editions/DataCentre.h"
#include "editions/LabelHelper.h"
#include "editions/PrintSheetGeometry.h"
#include "window/PageDialogsController.h"
#include "window/PageNumberWindowController.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QToolBar>

namespace {

const QString kThirty = QStringLiteral("Label - 30 Per Letter Sheet");
const QString kTen = QStringLiteral("Label - 10 Per Letter Sheet");

// What the progress window is told, and whether the document window showed meanwhile.
struct ProgressLog : DataCentre::ProgressDisplay
{
    explicit ProgressLog(QWidget* window) : window(window) {}
    void show() override { ++shown; }
    void update(qint32 done, qint32 total, const QString& text) override
    {
        updates.append(QStringLiteral("%1/%2 %3").arg(done).arg(total).arg(text));
        windowShownDuring.append(window->isVisible());
        if (onUpdate)
            onUpdate(done);
    }
    void dismiss() override {}
    QWidget* window;
    int shown = 0;
    QStringList updates;
    QList<bool> windowShownDuring;
    std::function<void(int done)> onUpdate;
};

class PrintProjectTest : public PageListTest
{
protected:
    explicit PrintProjectTest(const QString& editionName = QStringLiteral("Kestrin Label Maker"))
        : PageListTest(editionName)
    {
        DataCentre::loadPrintLabels();
        m_doubleClickInterval = QApplication::doubleClickInterval();
        // The pop-up ignores a release this soon after it opened; keep the wait short.
        QApplication::setDoubleClickInterval(10);
    }
    ~PrintProjectTest() override
    {
        DataCentre::setProgressDisplay(nullptr);
        QApplication::setDoubleClickInterval(m_doubleClickInterval);
    }

    QList<PageRecord> threePages()
    {
        return {addPage(QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("AA0000")),
                addPage(QStringLiteral("b"), QStringLiteral("B"), QStringLiteral("00AA00")),
                addPage(QStringLiteral("c"), QStringLiteral("C"), QStringLiteral("0000AA"))};
    }

    QComboBox* popUp(const QString& name)
    {
        QToolBar* bar = controller.printTemplateToolBar();
        return bar ? bar->findChild<QComboBox*>(name) : nullptr;
    }

    static int indexOf(QComboBox* popUp, const QString& description)
    {
        return templateIndexOf(popUp, description);
    }
    static void pick(QComboBox* popUp, int index) { pickTemplate(popUp, index); }

    // The page text stored in a project's page document.
    QString storedPageText(const PageRecord& page)
    {
        const QString folder = m_store.filePath(QStringLiteral("unpacked-%1").arg(++m_unpacked));
        QString error;
        EXPECT_TRUE(DocumentArchiver::unzipDocument(pagePath(page.pageName), folder, &error))
            << qPrintable(error);
        QFile file(QDir(folder).filePath(page.pageLocalFileName));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(file.fileName());
        return QString::fromUtf8(file.readAll());
    }

    static QString descriptionMarker(const QString& description)
    {
        return QStringLiteral("//====LABEL_TEMPLATEDESCRIPTION_START==") + description +
               QStringLiteral("==LABEL_TEMPLATEDESCRIPTION_END");
    }

    static QSize catalogueCanvas(const QString& description)
    {
        const LabelHelper* row = DataCentre::grabLabelHelper(description);
        if (!row)
            return {};
        const PrintCanvasResult r = computePrintCanvas(*row, 0, 144.0f);
        return QSize(r.canvasWidth, r.canvasHeight);
    }

    QSize canvas() const { return controller.graphicView()->canvasSize().toSize(); }

    int m_doubleClickInterval = 400;
    int m_unpacked = 0;
};

} // namespace

// Three label pages: after "Change" and "Yes" every page file carries the new sheet, the walk runs
// behind the progress window and ends on the last page with the window back. A page that can no
// longer be opened midway stops the walk the same way, and an alert names it.
TEST_F(PrintProjectTest, APickedLabelSheetIsWrittenIntoEveryPage)
{
    const struct
    {
        const char* name;
        int brokenPage; // -1: none
        QStringList refreshed;
        const char* openAtEnd;
    } rows[] = {
        {"all", -1, {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}, "c"},
        // The page that could not be saved stays open with its change.
        {"broken", 1, {QStringLiteral("a")}, "b"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QList<PageRecord> records = threePages();
        openProject(records);
        ASSERT_EQ(edition().gSelectedLabelSheet, kThirty);
        QComboBox* labels = popUp(QStringLiteral("templateSelectionPopupButton"));
        ASSERT_NE(labels, nullptr);
        ProgressLog progress(controller.window());
        if (row.brokenPage >= 0) {
            // Once the first page is done, the next one's document turns into a folder: it still opens
            // from its working copy, but cannot be written.
            const QString broken = pagePath(records.at(row.brokenPage).pageName);
            progress.onUpdate = [broken](int done) {
                if (done == 0) {
                    QFile::remove(broken);
                    QDir().mkpath(broken);
                }
            };
        }
        DataCentre::setProgressDisplay(&progress);
        const qsizetype alertsBefore = dialogs->alerts().size();

        dialogs->queueAlertAnswer(0); // Change
        dialogs->queueAlertAnswer(0); // Yes
        dialogs->queueAlertAnswer(0); // OK
        dialogs->queueAlertAnswer(0); // OK
        pick(labels, indexOf(labels, kTen));
        DataCentre::setProgressDisplay(nullptr);

        const QList<platform::Alert> alerts = dialogs->alerts().mid(alertsBefore);
        ASSERT_GE(alerts.size(), 2);
        EXPECT_EQ(alerts.at(0).title, QStringLiteral("Template Selection Changed"));
        EXPECT_EQ(alerts.at(1).title, QStringLiteral("Would you like to refresh all designs?"));
        EXPECT_EQ(
            alerts.at(1).informativeText,
            QStringLiteral(
                "Would you like to refresh canvas dimensions for other designs saved in this project?"));
        EXPECT_EQ(alerts.at(1).buttons, (QStringList{QStringLiteral("Yes"), QStringLiteral("No")}));
        const QString ext = edition().gDocumentExtension;
        if (row.brokenPage < 0) {
            EXPECT_EQ(alerts.size(), 2);
            EXPECT_EQ(progress.updates,
                      (QStringList{QStringLiteral("0/3 a.") + ext, QStringLiteral("1/3 b.") + ext,
                                   QStringLiteral("2/3 c.") + ext, QStringLiteral("3/3 ")}));
        } else {
            // The failed save's own alert, then the walk's, naming the page it stopped at.
            ASSERT_EQ(alerts.size(), 4);
            EXPECT_EQ(alerts.at(2).title, QStringLiteral("Not able to save"));
            EXPECT_EQ(alerts.at(3).title, QStringLiteral("Page Not Refreshed"));
            EXPECT_TRUE(
                alerts.at(3).informativeText.contains(QStringLiteral("\"b.") + ext + QLatin1Char('"')))
                << qPrintable(alerts.at(3).informativeText);
            EXPECT_EQ(progress.updates,
                      (QStringList{QStringLiteral("0/3 a.") + ext, QStringLiteral("1/3 b.") + ext,
                                   QStringLiteral("3/3 ")}));
        }
        // Behind the progress window while it ran, on screen again after, with the window opaque.
        EXPECT_EQ(progress.shown, 1);
        for (bool shown : std::as_const(progress.windowShownDuring))
            EXPECT_FALSE(shown);
        EXPECT_TRUE(controller.window()->isVisible());
        EXPECT_DOUBLE_EQ(controller.window()->windowOpacity(), 1.0);
        EXPECT_FALSE(controller.loopThroughFlag());

        EXPECT_EQ(QFileInfo(document.filePath()).completeBaseName(), QLatin1String(row.openAtEnd));
        EXPECT_EQ(edition().gSelectedLabelSheet, kTen);
        EXPECT_EQ(canvas(), catalogueCanvas(kTen));
        EXPECT_EQ(printSheetGeometry().gPrintNumOfRowsPerSheet, 5);
        for (int i = 0; i < records.size(); ++i) {
            const QString stem = QFileInfo(records.at(i).pageName).completeBaseName();
            if (i == row.brokenPage)
                continue;
            const QString text = storedPageText(records.at(i));
            const bool refreshed = row.refreshed.contains(stem);
            EXPECT_EQ(text.contains(descriptionMarker(kTen)), refreshed) << qPrintable(stem);
            // Read back, a page brings its own sheet and so its canvas size.
            QString error;
            std::unique_ptr<DRVDocument> reread =
                DRVDocument::openDocument(pagePath(records.at(i).pageName), &error);
            ASSERT_TRUE(reread) << qPrintable(error);
            EXPECT_EQ(reread->labelTemplateHelper().templateDescription == kTen, refreshed)
                << qPrintable(stem);
        }
        if (row.brokenPage >= 0)
            QDir(pagePath(records.at(row.brokenPage).pageName)).removeRecursively();
        // Back to the preselected sheet for the next row.
        DataCentre::resetPrintCanvas(DataCentre::grabLabelHelper(kThirty));
        edition().set(edition().gSelectedLabelSheet, kThirty);
    }
}

TEST_F(PrintProjectTest, AOnePageLabelProjectIsNotAskedAndNoIsRespected)
{
    const QList<PageRecord> one{
        addPage(QStringLiteral("solo"), QStringLiteral("S"), QStringLiteral("AA0000"))};
    openProject(one);
    QComboBox* labels = popUp(QStringLiteral("templateSelectionPopupButton"));
    ASSERT_NE(labels, nullptr);
    dialogs->queueAlertAnswer(0);
    pick(labels, indexOf(labels, kTen));
    ASSERT_EQ(dialogs->alerts().size(), 1);
    EXPECT_TRUE(storedPageText(one.constFirst()).contains(descriptionMarker(kTen)));

    // Two pages answered "No": only the open one changes.
    const QList<PageRecord> two{
        addPage(QStringLiteral("first"), QStringLiteral("F"), QStringLiteral("AA0000")),
        addPage(QStringLiteral("second"), QStringLiteral("S"), QStringLiteral("00AA00"))};
    openProject(two);
    ASSERT_EQ(QFileInfo(document.filePath()).completeBaseName(), QStringLiteral("first"));
    ASSERT_EQ(edition().gSelectedLabelSheet, kThirty);
    dialogs->queueAlertAnswer(0); // Change
    dialogs->queueAlertAnswer(1); // No
    pick(labels, indexOf(labels, kTen));
    ASSERT_EQ(dialogs->alerts().size(), 3);
    EXPECT_EQ(dialogs->alerts().at(2).title, QStringLiteral("Would you like to refresh all designs?"));
    EXPECT_TRUE(storedPageText(two.at(0)).contains(descriptionMarker(kTen)));
    EXPECT_FALSE(storedPageText(two.at(1)).contains(descriptionMarker(kTen)));
    EXPECT_EQ(QFileInfo(document.filePath()).completeBaseName(), QStringLiteral("first"));
}

class ManualProjectTest : public PrintProjectTest
{
protected:
    ManualProjectTest() : PrintProjectTest(QStringLiteral("Kestrin PDF Author")) {}
};

TEST_F(ManualProjectTest, AOnePageManualProjectIsStillAsked)
{
    const QList<PageRecord> one{
        addPage(QStringLiteral("solo"), QStringLiteral("S"), QStringLiteral("AA0000"))};
    openProject(one);
    QComboBox* manuals = popUp(QStringLiteral("manualTemplateSelectionPopupButton"));
    ASSERT_NE(manuals, nullptr);
    ASSERT_GE(manuals->count(), 2);
    const int other = manuals->currentIndex() == 0 ? 1 : 0;
    const QString key = manuals->itemText(other).trimmed();
    ProgressLog progress(controller.window());
    DataCentre::setProgressDisplay(&progress);
    dialogs->queueAlertAnswer(0); // Change
    dialogs->queueAlertAnswer(0); // Yes
    pick(manuals, other);
    DataCentre::setProgressDisplay(nullptr);
    ASSERT_EQ(dialogs->alerts().size(), 2);
    EXPECT_EQ(dialogs->alerts().at(1).title, QStringLiteral("Would you like to refresh all pages?"));
    EXPECT_EQ(dialogs->alerts().at(1).informativeText,
              QStringLiteral("Would you like to refresh canvas dimensions for other pages in this project?"));
    EXPECT_EQ(progress.updates.constLast(), QStringLiteral("1/1 "));
    EXPECT_TRUE(controller.window()->isVisible());
    EXPECT_TRUE(storedPageText(one.constFirst()).contains(descriptionMarker(key)));
}

class FoldingCardProjectTest : public PrintProjectTest
{
protected:
    FoldingCardProjectTest() : PrintProjectTest(QStringLiteral("Kestrin Greeting Card Designer")) {}
};

// The cards' walk has no progress window and ends on the first page; its notification re-applies the
// open page's template to every page.
TEST_F(FoldingCardProjectTest, RefreshingTabsLeavesTheFirstPageOpen)
{
    const QList<PageRecord> records = threePages();
    openProject(records);
    ASSERT_TRUE(controller.launchSelected(records.at(1).documentName));
    QComboBox* cards = popUp(QStringLiteral("foldingCardTemplateSelectionPopupButton"));
    ASSERT_NE(cards, nullptr);
    ASSERT_GE(cards->count(), 2);
    const int other = cards->currentIndex() == 0 ? 1 : 0;
    const QString key = cards->itemText(other).trimmed();
    ProgressLog progress(controller.window());
    DataCentre::setProgressDisplay(&progress);
    dialogs->queueAlertAnswer(0); // Change
    dialogs->queueAlertAnswer(0); // Yes
    pick(cards, other);
    ASSERT_EQ(dialogs->alerts().size(), 2);
    EXPECT_EQ(dialogs->alerts().at(1).title, QStringLiteral("Would you like to refresh other folding tabs?"));
    EXPECT_EQ(progress.shown, 0);
    EXPECT_EQ(QFileInfo(document.filePath()).completeBaseName(), QStringLiteral("a"));
    EXPECT_EQ(cards->currentIndex(), other);
    for (const PageRecord& page : records)
        EXPECT_TRUE(storedPageText(page).contains(descriptionMarker(key))) << qPrintable(page.pageName);

    // The notification: the open page's template goes to every page again.
    const QString path = pagePath(records.at(2).pageName);
    std::unique_ptr<DRVDocument> third = DRVDocument::openDocument(path);
    ASSERT_TRUE(third);
    third->setLabelTemplateHelper(LabelTemplateHelper());
    third->setSelectedLabelSheet(QString());
    ASSERT_TRUE(third->saveDocumentTo(path));
    third.reset();
    EXPECT_FALSE(storedPageText(records.at(2)).contains(descriptionMarker(key)));
    platform::NotificationCenter::defaultCenter().post(QStringLiteral("callRefreshTabs"), nullptr);
    QApplication::processEvents();
    EXPECT_TRUE(storedPageText(records.at(2)).contains(descriptionMarker(key)));
    EXPECT_EQ(QFileInfo(document.filePath()).completeBaseName(), QStringLiteral("a"));
}

// ---- the open page's tile ----

TEST_F(PrintProjectTest, ATileIsFoundByItsPageNameOrNotAtAll)
{
    const QList<PageRecord> records = threePages();
    openProject(records);
    QuibNSButton* second = controller.findCurrentlySelectedQuibButton(records.at(1).pageName);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->pageName(), records.at(1).pageName);
    // No fallback to another page's tile.
    EXPECT_EQ(controller.findCurrentlySelectedQuibButton(QStringLiteral("elsewhere.") +
                                                         edition().gDocumentExtension),
              nullptr);
    EXPECT_EQ(controller.findCurrentlySelectedQuibButton(QString()), nullptr);
}

TEST_F(PrintProjectTest, TileTimesAreEnglishWhateverTheLocale)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const struct
    {
        QDateTime when;
        const char* text;
    } rows[] = {
        {QDateTime(QDate(2026, 12, 10), QTime(17, 5)), "Dec 10 2026 5:05 PM"},
        {QDateTime(QDate(2026, 3, 1), QTime(0, 30)), "Mar 01 2026 12:30 AM"},
        {QDateTime(QDate(2027, 5, 9), QTime(12, 0)), "May 09 2027 12:00 PM"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(DRVWindowController::tileTimeText(row.when), QString::fromLatin1(row.text));
    QLocale::setDefault(saved);
}

// A new title from the page-title sheet is saved and shows on the page's tile at once, with the time
// of the save and the page's small picture (not the large one the record names).
TEST_F(PrintProjectTest, ThePageTitleSheetUpdatesTheTile)
{
    const QList<PageRecord> records = threePages();
    openProject(records);
    const QString path = pagePath(records.at(0).pageName);
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(
            file.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
    }
    const QDateTime mark = QFileInfo(path).lastModified();
    const QDateTime before = QDateTime::currentDateTime().addSecs(-60);
    const QString title = QStringLiteral("Spring Sale");

    controller.pageDialogs()->showAdjustPageNumberSheet();
    PageNumberWindowController* sheet = controller.pageDialogs()->pageNumberSheet();
    ASSERT_NE(sheet, nullptr);
    sheet->pageTitleTextField()->clear();
    QTest::keyClicks(sheet->pageTitleTextField(), title);
    QTest::mouseClick(sheet->saveButton(), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_GT(QFileInfo(path).lastModified(), mark);

    QuibNSButton* tile = controller.findCurrentlySelectedQuibButton(records.at(0).pageName);
    ASSERT_NE(tile, nullptr);
    EXPECT_EQ(document.pageOfficialName(), title);
    EXPECT_EQ(tile->record().pageTitle, title);
    ASSERT_TRUE(tile->pageTitleLabel());
    EXPECT_EQ(tile->pageTitleLabel()->text(), title);
    // The records the list is rebuilt from keep it too.
    EXPECT_EQ(controller.grabQuibButtonWithPageName(records.at(0).documentName)->pageTitle, title);
    // A narrow tile cuts its time caption; the tooltip then holds it whole.
    const QLabel* timeLabel = tile->fileTimeLabel();
    const QString timeText = timeLabel->toolTip().isEmpty() ? timeLabel->text() : timeLabel->toolTip();
    const QDateTime shown = QLocale::c().toDateTime(timeText, QStringLiteral("MMM dd yyyy h:mm AP"));
    EXPECT_TRUE(shown.isValid()) << qPrintable(timeText);
    EXPECT_GE(shown, before);

    // A save's tile refresh shows the small picture beside the large one the record names.
    QImage small(40, 20, QImage::Format_RGB32);
    small.fill(QColor(0x12, 0x34, 0x56));
    ASSERT_TRUE(small.save(QDir(m_workingCopy).filePath(QStringLiteral("a.png"))));
    platform::NotificationCenter::defaultCenter().post(QStringLiteral("refreshDocIcon"), &document);
    tile = controller.findCurrentlySelectedQuibButton(records.at(0).pageName);
    ASSERT_NE(tile, nullptr);
    EXPECT_EQ(tile->image().size(), tile->size());
    EXPECT_EQ(tile->image().pixelColor(tile->width() / 2, tile->height() / 2), QColor(0x12, 0x34, 0x56));
    controller.window()->grab().save(artefactPath(QStringLiteral("print-project-retitled-tile.png")));
}
