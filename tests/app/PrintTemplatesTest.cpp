// The label maker's template pop-up, driven with the mouse: a confirmed pick binds the page to the
// sheet (geometry, canvas, zoom, stored template) and saves it; the same pick, Cancel and a sheet the
// catalogue lacks leave everything as it was. Opening a page brings its own sheet back.
#include "../window/TemplatePopUpDriver.h"
#include "AppTestSupport.h"

#include "editions/DataCentre.h"
#include "editions/LabelHelper.h"
#include "editions/PrintSheetGeometry.h"
#include "model/DRVZoomingScrollView.h"
#include "publishing/UploadFTPS.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QTest>
#include <QToolBar>

namespace {

const QString kThirty = QStringLiteral("Label - 30 Per Letter Sheet");
const QString kTen = QStringLiteral("Label - 10 Per Letter Sheet");

class PrintTemplatesTest : public WindowedAppTest
{
protected:
    PrintTemplatesTest() : m_labels(QStringLiteral("Kestrin Label Maker"))
    {
        useWorkingFolders();
        DataCentre::loadPrintLabels();
        m_doubleClickInterval = QApplication::doubleClickInterval();
        // The pop-up ignores a release this soon after it opened; keep the wait short.
        QApplication::setDoubleClickInterval(10);
    }
    ~PrintTemplatesTest() override { QApplication::setDoubleClickInterval(m_doubleClickInterval); }

    // A label page saved with that template (none: no template markers at all).
    QString savedLabelPage(const QString& name, const std::optional<LabelTemplateHelper>& helper)
    {
        DRVDocument document;
        document.setSelectedLabelSheet(helper ? helper->templateDescription : QString());
        if (helper)
            document.setLabelTemplateHelper(*helper);
        const QString path = m_root.filePath(name + QStringLiteral(".dunmeret"));
        EXPECT_TRUE(document.saveDocumentTo(path)) << qPrintable(document.lastFileErrorText());
        return path;
    }

    // The page text inside a saved document.
    QByteArray pageText(const QString& documentPath)
    {
        const QString folder = m_root.filePath(QStringLiteral("unpacked-%1").arg(++m_unpacked));
        UploadFTPS archiver;
        EXPECT_TRUE(archiver.unzipDocument(documentPath, folder));
        QFile page(
            QDir(folder).filePath(QFileInfo(documentPath).completeBaseName() + QStringLiteral(".html")));
        EXPECT_TRUE(page.open(QIODevice::ReadOnly)) << qPrintable(page.fileName());
        return page.readAll();
    }

    static QByteArray bytesOf(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static QComboBox* labelPopUp(DRVWindowController* window)
    {
        QToolBar* bar = window->printTemplateToolBar();
        return bar ? bar->findChild<QComboBox*>(QStringLiteral("templateSelectionPopupButton")) : nullptr;
    }

    static int indexOf(QComboBox* popUp, const QString& description)
    {
        return templateIndexOf(popUp, description);
    }
    static void pick(QComboBox* popUp, int index) { pickTemplate(popUp, index); }

    static QSize canvasOf(DRVWindowController* window)
    {
        return window->graphicView()->canvasSize().toSize();
    }

    static LabelTemplateHelper entry(const QString& description)
    {
        for (const LabelTemplateHelper& t : edition().gLabelTemplateList) {
            if (t.templateDescription == description)
                return t;
        }
        ADD_FAILURE() << qPrintable(description);
        return {};
    }

    static QSize catalogueCanvas(const QString& description)
    {
        for (const LabelHelper& row : DataCentre::printLabels()) {
            if (row.printDescription == description) {
                const PrintCanvasResult r = computePrintCanvas(row, 0, 144.0f);
                return QSize(r.canvasWidth, r.canvasHeight);
            }
        }
        return {};
    }

    ScopedEdition m_labels;
    int m_doubleClickInterval = 400;
    int m_unpacked = 0;
};

} // namespace

TEST(TemplateKeys, PopUpTitlesGiveTheirCatalogueKeys)
{
    const struct
    {
        const char* title;
        bool labelPopUp;
        const char* key;
    } rows[] = {
        {"Avery 5160 Label - 30 Per Letter Sheet", true, "Label - 30 Per Letter Sheet"},
        {"  Avery L7173 Label - 10 Per A4 Sheet ", true, "Label - 10 Per A4 Sheet"},
        {"Label - 6 Per Letter Sheet", true, "Label - 6 Per Letter Sheet"},
        // Cut at the first "Label", even inside a brand.
        {"Labelco 12 Label - 20 Per Letter Sheet", true, "Labelco 12 Label - 20 Per Letter Sheet"},
        {"Post Card - 4\" x 6\"", true, "Post Card - 4\" x 6\""}, // no "Label": whole
        {"label - lower case", true, "label - lower case"},
        // The other six pop-ups take the whole trimmed title.
        {"Avery 5160 Label - 30 Per Letter Sheet", false, "Avery 5160 Label - 30 Per Letter Sheet"},
        {" Business Card - 10 Per Letter Sheet ", false, "Business Card - 10 Per Letter Sheet"},
        {"Flyer - Letter", false, "Flyer - Letter"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(DRVWindowController::templateKeyForTitle(QString::fromUtf8(row.title), row.labelPopUp),
                  QString::fromUtf8(row.key))
            << row.title;
}

TEST_F(PrintTemplatesTest, PickingASheetBindsThePageAndSavesItsTemplate)
{
    const QSize thirty = catalogueCanvas(kThirty);
    ASSERT_EQ(thirty, QSize(1575, 600));
    const QString path = savedLabelPage(QStringLiteral("badge"), entry(kTen));
    DRVWindowController* window = documents.openDocumentWithContentsOfPath(path);
    ASSERT_TRUE(window);
    window->window()->resize(1000, 700);
    window->showWindow();
    QComboBox* popUp = labelPopUp(window);
    ASSERT_TRUE(popUp);
    EXPECT_EQ(popUp->currentText(), QStringLiteral("Avery 5163 ") + kTen);
    EXPECT_EQ(edition().gSelectedLabelSheet, kTen);
    EXPECT_EQ(canvasOf(window), catalogueCanvas(kTen));

    dialogs->queueAlertAnswer(0); // Change
    pick(popUp, indexOf(popUp, kThirty));
    ASSERT_EQ(dialogs->alerts().size(), 1);
    EXPECT_EQ(dialogs->alerts().at(0).title, QStringLiteral("Template Selection Changed"));
    EXPECT_EQ(
        dialogs->alerts().at(0).informativeText,
        QStringLiteral("New template selected: %1\nExisting template: %2\n\nAre you sure you wish to make "
                       "this change?\n\nIn order to meet size requirements for the newly selected "
                       "template, your current canvas size may change.")
            .arg(kThirty, kTen));
    EXPECT_EQ(dialogs->alerts().at(0).buttons,
              QStringList({QStringLiteral("Change"), QStringLiteral("Cancel")}));
    EXPECT_EQ(canvasOf(window), thirty);
    EXPECT_EQ(edition().gSelectedLabelSheet, kThirty);
    EXPECT_EQ(printSheetGeometry().gPrintNumOfRowsPerSheet, 10);
    EXPECT_EQ(printSheetGeometry().gPrintNumOfColumnsPerSheet, 3);
    EXPECT_DOUBLE_EQ(window->zoomFactor(), double(0.4f));
    EXPECT_EQ(window->document()->labelTemplateHelper(), entry(kThirty));
    EXPECT_EQ(popUp->currentText(), QStringLiteral("Avery 5160 ") + kThirty);
    keepScreenshot(window->window(), QStringLiteral("label-template-picked.png"));

    // Saved at once, with its three markers.
    const QByteArray text = pageText(path);
    EXPECT_TRUE(text.contains("//====LABEL_BRAND_START==Avery==LABEL_BRAND_END\n"))
        << text.left(400).constData();
    EXPECT_TRUE(text.contains("//====LABEL_TEMPLATENUMBER_START==5160==LABEL_TEMPLATENUMBER_END\n"));
    EXPECT_TRUE(text.contains("//====LABEL_TEMPLATEDESCRIPTION_START==" + kThirty.toUtf8() +
                              "==LABEL_TEMPLATEDESCRIPTION_END\n"));

    // The same item again: no question, not a byte written.
    const QByteArray before = bytesOf(path);
    pick(popUp, indexOf(popUp, kThirty));
    EXPECT_EQ(dialogs->alerts().size(), 1);
    EXPECT_EQ(bytesOf(path), before);

    // Reopened after another sheet was in force: the page's template, paper and geometry.
    dialogs->queueAlertAnswer(1);
    window->performClose();
    deleteLaterObjects();
    DataCentre::resetPrintCanvas(DataCentre::grabLabelHelper(kTen));
    DRVWindowController* reopened = documents.openDocumentWithContentsOfPath(path);
    ASSERT_TRUE(reopened);
    reopened->window();
    EXPECT_EQ(reopened->document()->labelTemplateHelper(),
              LabelTemplateHelper(QStringLiteral("Avery"), QStringLiteral("5160"), kThirty,
                                  QStringLiteral("na-letter")));
    EXPECT_EQ(edition().gSelectedLabelSheet, kThirty);
    EXPECT_EQ(QSize(edition().gCanvasWidth, edition().gCanvasHeight), thirty);
    EXPECT_EQ(canvasOf(reopened), thirty);
    EXPECT_EQ(printSheetGeometry().gPrintNumOfRowsPerSheet, 10);
    EXPECT_EQ(labelPopUp(reopened)->currentText(), QStringLiteral("Avery 5160 ") + kThirty);
}

// Cancel in the question, or a sheet the catalogue lacks (refused before any question): the
// pop-up goes back to the page's template and nothing else moves.
TEST_F(PrintTemplatesTest, APickNotMadePutsThePopUpBackAndKeepsTheSheet)
{
    const LabelTemplateHelper unknown(QStringLiteral("Acme"), QStringLiteral("99"),
                                      QStringLiteral("Label - 99 Per Moon Sheet"),
                                      QStringLiteral("na-letter"));
    edition().gLabelTemplateList.append(unknown);
    const struct
    {
        const char* name;
        QString picked;
        QString alertTitle;
    } rows[] = {
        {"cancelled", kTen, QStringLiteral("Template Selection Changed")},
        {"unknown", unknown.templateDescription, QStringLiteral("Template Not Available")},
    };
    for (const auto& row : rows) {
        const QString path = savedLabelPage(QString::fromLatin1(row.name), entry(kThirty));
        DRVWindowController* window = documents.openDocumentWithContentsOfPath(path);
        ASSERT_TRUE(window) << row.name;
        window->showWindow();
        QComboBox* popUp = labelPopUp(window);
        ASSERT_TRUE(popUp) << row.name;
        const int shown = popUp->currentIndex();
        const QByteArray before = bytesOf(path);
        const PrintSheetGeometry geometry = printSheetGeometry();
        const qsizetype alertsBefore = dialogs->alerts().size();

        dialogs->queueAlertAnswer(1); // Cancel
        pick(popUp, indexOf(popUp, row.picked));
        ASSERT_EQ(dialogs->alerts().size(), alertsBefore + 1) << row.name;
        const platform::Alert& alert = dialogs->alerts().constLast();
        EXPECT_EQ(alert.title, row.alertTitle) << row.name;
        EXPECT_TRUE(alert.informativeText.contains(row.picked)) << row.name;
        EXPECT_EQ(popUp->currentIndex(), shown) << row.name;
        EXPECT_EQ(popUp->currentText(), QStringLiteral("Avery 5160 ") + kThirty) << row.name;
        EXPECT_EQ(edition().gSelectedLabelSheet, kThirty) << row.name;
        EXPECT_EQ(printSheetGeometry(), geometry) << row.name;
        EXPECT_EQ(canvasOf(window), QSize(1575, 600)) << row.name;
        EXPECT_EQ(window->document()->labelTemplateHelper(), entry(kThirty)) << row.name;
        EXPECT_EQ(bytesOf(path), before) << row.name;
        window->performClose();
        deleteLaterObjects();
    }
}

TEST_F(PrintTemplatesTest, OpeningAPageAppliesItsOwnSheet)
{
    const LabelTemplateHelper avery5160(QStringLiteral("Avery"), QStringLiteral("5160"), kThirty);
    const LabelTemplateHelper unknown(QStringLiteral("Acme"), QStringLiteral("7"),
                                      QStringLiteral("Label - 99 Per Moon Sheet"));
    const QString cardSheet = QStringLiteral("Business Card - 10 Per Letter Sheet");
    const struct
    {
        const char* name;
        std::optional<LabelTemplateHelper> stored;
        QString sheet;      // gSelectedLabelSheet afterwards
        QString paper;      // of the page's template
        QSize canvas;       // of the window
        QString popUpTitle; // shown in the label pop-up
    } rows[] = {
        {"marked", avery5160, kThirty, QStringLiteral("na-letter"), QSize(1575, 600),
         QStringLiteral("Avery 5160 ") + kThirty},
        // No markers: the edition's preselected template.
        {"plain", std::nullopt, kThirty, QStringLiteral("na-letter"), QSize(1575, 600),
         QStringLiteral("Avery 5160 ") + kThirty},
        // A sheet nobody knows: the canvas stays as the last sheet left it, the paper is empty.
        {"unknown", unknown, unknown.templateDescription, QString(), catalogueCanvas(cardSheet), QString()},
    };
    for (const auto& row : rows) {
        const QString path = savedLabelPage(QString::fromLatin1(row.name), row.stored);
        DataCentre::resetPrintCanvas(DataCentre::grabLabelHelper(cardSheet));
        DRVWindowController* window = documents.openDocumentWithContentsOfPath(path);
        ASSERT_TRUE(window) << row.name;
        window->window();
        EXPECT_EQ(edition().gSelectedLabelSheet, row.sheet) << row.name;
        EXPECT_EQ(window->document()->labelTemplateHelper().paperSize, row.paper) << row.name;
        EXPECT_EQ(canvasOf(window), row.canvas) << row.name;
        if (!row.popUpTitle.isEmpty()) {
            EXPECT_EQ(labelPopUp(window)->currentText(), row.popUpTitle) << row.name;
        }
        EXPECT_FALSE(window->document()->isDocumentEdited()) << row.name;
        dialogs->queueAlertAnswer(1);
        window->performClose();
        deleteLaterObjects();
    }

    // A page opened into a window already up (as the page list opens pages) brings its sheet too.
    DRVWindowController* window = windowOnPage({});
    window->showWindow();
    DRVDocument* first = window->document();
    DataCentre::resetPrintCanvas(DataCentre::grabLabelHelper(cardSheet));
    std::unique_ptr<DRVDocument> opened =
        DRVDocument::openDocument(savedLabelPage(QStringLiteral("later"), avery5160));
    ASSERT_TRUE(opened);
    window->setDocument(opened.get());
    EXPECT_EQ(canvasOf(window), QSize(1575, 600));
    EXPECT_EQ(labelPopUp(window)->currentText(), QStringLiteral("Avery 5160 ") + kThirty);
    window->setDocument(first);
}

TEST_F(PrintTemplatesTest, TheBusinessCardPopUpLooksUpItsWholeTitleAndLeavesTheZoom)
{
    ScopedEdition cards(QStringLiteral("Corvane Business Card Designer"));
    useWorkingFolders();
    const QString eight = QStringLiteral("Business Card - 8 Per Letter Sheet");
    const QString path =
        savedLabelPage(QStringLiteral("card"), entry(QStringLiteral("Business Card - 10 Per Letter Sheet")));
    DRVWindowController* window = documents.openDocumentWithContentsOfPath(path);
    ASSERT_TRUE(window);
    window->showWindow();
    QToolBar* bar = window->printTemplateToolBar();
    ASSERT_TRUE(bar);
    QComboBox* popUp = bar->findChild<QComboBox*>(QStringLiteral("tuvikBusinessCardDesignerPopupButton"));
    ASSERT_TRUE(popUp);
    const double zoom = window->zoomFactor();

    dialogs->queueAlertAnswer(0);
    pick(popUp, popUp->findText(eight));
    ASSERT_EQ(dialogs->alerts().size(), 1);
    EXPECT_EQ(edition().gSelectedLabelSheet, eight);
    EXPECT_EQ(canvasOf(window), QSize(1050, 600));
    EXPECT_DOUBLE_EQ(window->zoomFactor(), zoom);
    EXPECT_EQ(window->document()->labelTemplateHelper(), entry(eight));
    EXPECT_TRUE(pageText(path).contains("//====LABEL_TEMPLATEDESCRIPTION_START==" + eight.toUtf8()));
}

TEST_F(PrintTemplatesTest, AnUntitledPageTakesTheSheetAsAnEditWithoutAFailedSave)
{
    DRVWindowController* window = windowOnPage({});
    window->showWindow();
    QComboBox* popUp = labelPopUp(window);
    ASSERT_TRUE(popUp);
    ASSERT_TRUE(window->document()->filePath().isEmpty());

    dialogs->queueAlertAnswer(0); // Change
    pick(popUp, indexOf(popUp, kTen));
    ASSERT_EQ(dialogs->alerts().size(), 1) << "no alert beyond the question";
    EXPECT_EQ(dialogs->alerts().at(0).title, QStringLiteral("Template Selection Changed"));
    EXPECT_EQ(canvasOf(window), catalogueCanvas(kTen));
    EXPECT_EQ(window->document()->labelTemplateHelper(), entry(kTen));
    EXPECT_EQ(window->document()->selectedLabelSheet(), kTen);
    EXPECT_TRUE(window->document()->isDocumentEdited());
}
