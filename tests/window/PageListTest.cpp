// The page list: tile layout in columns, the filter and summary, opening a page by clicking its tile,
// right-click resolution, reordering by drop, the page loop, and screenshots of the sidebar.
#include "PageListTestSupport.h"

#include "editions/DataCentre.h"
#include "window/QuibNSTextField.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include <memory>
#include <vector>

namespace {

int columnsOf(const QList<ListingIconView*>& views)
{
    QSet<int> xs;
    for (const ListingIconView* view : views)
        xs.insert(view->x());
    return int(xs.size());
}

} // namespace

TEST_F(PageListTest, FiveTilesFillColumnByColumn)
{
    QList<PageRecord> records;
    for (int i = 0; i < 5; ++i)
        records.append(addPage(QStringLiteral("page%1").arg(i + 1), QStringLiteral("Page %1").arg(i + 1),
                               QStringLiteral("1020%1%1").arg(i)));
    openProject(records);
    const int listWidth = controller.pageListingView()->viewport()->width();
    ASSERT_GE(listWidth, 50);
    const struct
    {
        int columns;
        QList<int> columnOfTile; // by tile index
    } rows[] = {{1, {0, 0, 0, 0, 0}}, {2, {0, 0, 0, 1, 1}}, {3, {0, 0, 1, 1, 2}}};
    for (const auto& row : rows) {
        ASSERT_TRUE(controller.performAction(QStringLiteral("view%1Column:").arg(row.columns)));
        const QList<ListingIconView*> views = controller.pageIconViews();
        ASSERT_EQ(views.size(), 5) << row.columns;
        const int cellWidth = listWidth / row.columns;
        QList<int> topOfColumn(row.columns, -1);
        for (ListingIconView* view : views) {
            const int tag = view->quibButton()->tag();
            const int column = row.columnOfTile.at(tag);
            EXPECT_EQ(view->x(), column * cellWidth) << row.columns << " tile " << tag;
            EXPECT_EQ(view->width(), cellWidth);
            // Tiles run down a column in page order, the first at y 10.
            EXPECT_GT(view->y(), topOfColumn[column]) << row.columns << " tile " << tag;
            if (topOfColumn[column] < 0)
                EXPECT_EQ(view->y(), 10);
            topOfColumn[column] = view->y();
            // The thumbnail's longer side is 0.8 of the cell, 0.1 of the cell in.
            const QuibNSButton* tile = view->quibButton();
            EXPECT_EQ(std::max(tile->width(), tile->height()), int(0.8 * cellWidth));
            EXPECT_EQ(tile->x(), int(0.1 * cellWidth));
        }
        EXPECT_EQ(columnsOf(views), row.columns);
        int lowest = 0;
        for (ListingIconView* view : views)
            lowest = std::max(lowest, view->geometry().bottom() + 1 + 5);
        EXPECT_EQ(controller.pageListingClipView()->height(), lowest);
    }
}

TEST_F(PageListTest, ColumnsComeFromTheSettingThenTheEditionThenOne)
{
    const struct
    {
        int stored;
        int editionDefault;
        int expected;
    } rows[] = {{0, 0, 1}, {0, 2, 2}, {3, 1, 3}, {2, 0, 2}, {7, 0, 3}, {-4, 0, 1}};
    for (const auto& row : rows) {
        platform::UserDefaults::standard().setInteger(QStringLiteral("numOfColumnListings"), row.stored);
        edition().gDefaultPageIconMode = row.editionDefault;
        EXPECT_EQ(DRVWindowController::pageListColumns(), row.expected)
            << row.stored << " " << row.editionDefault;
    }
}

TEST_F(PageListTest, ANarrowListLaysOutAsFiftyWide)
{
    QList<PageRecord> records{addPage(QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("AA0000")),
                              addPage(QStringLiteral("b"), QStringLiteral("B"), QStringLiteral("00AA00"))};
    openProject(records);
    platform::UserDefaults::standard().setInteger(QStringLiteral("numOfColumnListings"), 2);
    // Squeeze the sidebar below fifty.
    WindowSplitView* split = controller.splitView();
    controller.pageListingView()->setMinimumWidth(1);
    controller.sidebarSplitView()->setMinimumWidth(1);
    QList<int> sizes = split->sizes();
    sizes[1] += sizes[0] - 30;
    sizes[0] = 30;
    split->setSizes(sizes);
    QApplication::processEvents();
    ASSERT_LT(controller.pageListingView()->viewport()->width(), 50);
    controller.refreshPageIcons(QString());
    const QList<ListingIconView*> views = controller.pageIconViews();
    ASSERT_EQ(views.size(), 2);
    EXPECT_EQ(views[0]->width(), 25);
    EXPECT_EQ(views[1]->x(), 25);
    EXPECT_EQ(views[0]->quibButton()->x(), 2);
    EXPECT_EQ(std::max(views[0]->quibButton()->width(), views[0]->quibButton()->height()), 20);
}

TEST_F(PageListTest, SearchIgnoresCaseAndAccents)
{
    PageRecord record;
    record.pageTitle = QStringLiteral("Été à Genève");
    record.pageName = QStringLiteral("summer.quibpage");
    const struct
    {
        const char* search;
        bool shown;
    } rows[] = {{"", true},        {"ETE", true},         {"geneve", true},        {"GENÈVE", true},
                {"été à", true},   {"summer.QUIB", true}, {"Genève summer", true}, {"winter", false},
                {"ete  a", false}, {"èté", true},         {"summerx", false}};
    for (const auto& row : rows)
        EXPECT_EQ(DRVWindowController::pageMatchesSearch(record, QString::fromUtf8(row.search)), row.shown)
            << row.search;
}

TEST_F(PageListTest, TheSearchFieldFiltersTheTiles)
{
    QList<PageRecord> records{
        addPage(QStringLiteral("index"), QStringLiteral("Accueil"), QStringLiteral("AA0000")),
        addPage(QStringLiteral("summer"), QStringLiteral("Été"), QStringLiteral("00AA00")),
        addPage(QStringLiteral("contact"), QStringLiteral("Contact"), QStringLiteral("0000AA"))};
    openProject(records);
    const struct
    {
        const char* typed;
        QList<int> shown;
    } rows[] = {{"ete", {1}}, {"C", {0, 2}}, {"nothing here", {}}, {"", {0, 1, 2}}};
    for (const auto& row : rows) {
        controller.searchField()->clear();
        QTest::keyClicks(controller.searchField(), QString::fromUtf8(row.typed));
        // As vectors: an empty list compares without Qt's memcmp of a null pointer.
        const QList<int> local = controller.siteIconArrayLocal();
        EXPECT_EQ(std::vector<int>(local.begin(), local.end()),
                  std::vector<int>(row.shown.begin(), row.shown.end()))
            << row.typed;
        EXPECT_EQ(controller.pageIconViews().size(), row.shown.size()) << row.typed;
        if (row.shown.isEmpty())
            EXPECT_EQ(controller.pageListingClipView()->height(), 0);
    }
    // Another column count keeps the filter the field shows.
    QTest::keyClicks(controller.searchField(), QStringLiteral("ete"));
    ASSERT_TRUE(controller.performAction(QStringLiteral("view2Column:")));
    EXPECT_EQ(controller.siteIconArrayLocal(), QList<int>{1});
}

TEST_F(PageListTest, SummaryCountsDocumentsAndNamesTheFolder)
{
    const struct
    {
        int count;
        const char* folder;
        const char* text;
    } rows[] = {{1, "/home/u/My Site", "1 Document\nMy Site"},
                {3, "/home/u/My Site", "3 Documents\nMy Site"},
                {0, "", "0 Documents\n"},
                {2, "/home/u/Été", "2 Documents\nÉté"}};
    for (const auto& row : rows)
        EXPECT_EQ(DRVWindowController::websiteSummaryText(row.count, QString::fromUtf8(row.folder)),
                  QString::fromUtf8(row.text));

    openProject({addPage(QStringLiteral("index"), QStringLiteral("Home"), QStringLiteral("AA0000"))});
    EXPECT_EQ(controller.websiteSummaryLabel()->text(), QStringLiteral("1 Document\nMy Site"));
    EXPECT_TRUE(controller.websiteSummaryLabel()->isVisible());
    EXPECT_TRUE(controller.searchField()->isVisible());
}

TEST_F(PageListTest, AnEmptyProjectHidesTheList)
{
    controller.setDocument(&document);
    controller.setOpenWebsiteFolder(m_project);
    controller.window()->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(controller.window()));
    controller.refreshPageListingDisplay();
    EXPECT_TRUE(controller.pageListingView()->isHidden());
    EXPECT_TRUE(controller.sidebarSplitView()->isHidden());
    EXPECT_TRUE(controller.pageIconViews().isEmpty());
}

TEST_F(PageListTest, ClickingATileSavesThePageAndOpensTheClickedOneInPlace)
{
    const QList<PageRecord> records{
        addPage(QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("AA0000")),
        addPage(QStringLiteral("b"), QStringLiteral("B"), QStringLiteral("00AA00"))};
    openProject(records);
    ASSERT_EQ(openColour(), QStringLiteral("AA0000"));
    // An edit of page a that only a save keeps.
    document.graphics().constFirst()->setBorderHexColorString(QStringLiteral("123456"));

    clickTile(records[1].documentName);
    EXPECT_EQ(document.filePath(), QFileInfo(pagePath(records[1].pageName)).absoluteFilePath());
    EXPECT_EQ(openColour(), QStringLiteral("00AA00"));
    EXPECT_TRUE(DRVDocument::websiteFolderOpenFlag());
    // The same document object in the same window; the new tile of b carries the mark.
    EXPECT_EQ(controller.document(), &document);
    ASSERT_NE(tileFor(records[1].documentName), nullptr);
    EXPECT_TRUE(tileFor(records[1].documentName)->borderFlag());
    EXPECT_FALSE(tileFor(records[0].documentName)->borderFlag());

    // Back to a: its edit was saved before b opened.
    clickTile(records[0].documentName);
    EXPECT_EQ(openColour(), QStringLiteral("123456"));
    EXPECT_TRUE(dialogs->alerts().isEmpty());
}

TEST_F(PageListTest, ClickingTheOpenPageSavesAndReloadsIt)
{
    const QList<PageRecord> records{
        addPage(QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("AA0000"))};
    openProject(records);
    document.graphics().constFirst()->setBorderHexColorString(QStringLiteral("654321"));
    clickTile(records[0].documentName);
    EXPECT_EQ(document.filePath(), QFileInfo(pagePath(records[0].pageName)).absoluteFilePath());
    EXPECT_EQ(openColour(), QStringLiteral("654321"));
    EXPECT_FALSE(document.isDocumentEdited());
}

TEST_F(PageListTest, APageThatCannotOpenLeavesThePreviousPageOpen)
{
    const QList<PageRecord> records{
        addPage(QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("AA0000")),
        missingPage(QStringLiteral("gone"))};
    openProject(records);
    document.graphics().constFirst()->setBorderHexColorString(QStringLiteral("0A0B0C"));
    clickTile(records[1].documentName);
    EXPECT_EQ(document.filePath(), QFileInfo(pagePath(records[0].pageName)).absoluteFilePath());
    // The previous page was saved first and reloaded.
    EXPECT_EQ(openColour(), QStringLiteral("0A0B0C"));
    EXPECT_FALSE(document.isDocumentEdited());
    ASSERT_EQ(dialogs->alerts().size(), 1);
    EXPECT_EQ(dialogs->alerts().constFirst().title, QStringLiteral("Not able to open"));
    // The reload marks the page that is open again, not the one that failed.
    EXPECT_TRUE(controller.siteIconArray().at(0).borderFlag);
    EXPECT_FALSE(controller.siteIconArray().at(1).borderFlag);
}

TEST_F(PageListTest, APageThatCannotBeSavedIsNotLeft)
{
    const QList<PageRecord> records{
        addPage(QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("AA0000")),
        addPage(QStringLiteral("b"), QStringLiteral("B"), QStringLiteral("00AA00"))};
    openProject(records);
    document.graphics().constFirst()->setBorderHexColorString(QStringLiteral("ABCDEF"));
    // A plain file where the project folder was: the edit cannot be stored.
    const QString moved = m_project + QStringLiteral(".moved");
    ASSERT_TRUE(QDir().rename(m_project, moved));
    QFile blocker(m_project);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    clickTile(records[1].documentName);
    ASSERT_TRUE(QFile::remove(m_project));
    ASSERT_TRUE(QDir().rename(moved, m_project));
    EXPECT_EQ(document.filePath(), QFileInfo(pagePath(records[0].pageName)).absoluteFilePath());
    EXPECT_EQ(openColour(), QStringLiteral("ABCDEF"));
    // The border stays with the page that is still open.
    EXPECT_TRUE(controller.siteIconArray().at(0).borderFlag);
    EXPECT_FALSE(controller.siteIconArray().at(1).borderFlag);
    EXPECT_TRUE(tileFor(records[0].documentName)->borderFlag());
    for (const platform::Alert& alert : dialogs->alerts())
        EXPECT_NE(alert.title, QStringLiteral("Not able to open"));
}

TEST_F(PageListTest, RightClickResolvesToTheTileUnderIt)
{
    const QList<PageRecord> records{
        addPage(QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("AA0000")),
        addPage(QStringLiteral("b"), QStringLiteral("B"), QStringLiteral("00AA00"))};
    openProject(records);
    PageListingClipView* clip = controller.pageListingClipView();
    const QList<ListingIconView*> views = controller.pageIconViews();
    ASSERT_EQ(views.size(), 2);
    clip->setLastTouchPoint(views[1]->geometry().center());
    EXPECT_TRUE(controller.determinePageClicked());
    EXPECT_EQ(controller.selectedPageName(), records[1].documentName);
    controller.setSelectedPageName(QString());
    clip->setLastTouchPoint(QPoint(5, clip->height() + 400));
    EXPECT_FALSE(controller.determinePageClicked());
    EXPECT_TRUE(controller.selectedPageName().isEmpty());
    EXPECT_EQ(controller.grabPageClicked(views[0]->geometry().topLeft()), views[0]);
}

namespace {

void dropOn(QWidget* target, QMimeData* made, QPoint point)
{
    const std::unique_ptr<QMimeData> data(made);
    QDragEnterEvent enter(point, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(point), Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton,
                    Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
}

} // namespace

TEST_F(PageListTest, DroppingATileOnAnotherMovesThePage)
{
    edition().gPageOrderIndexFlag = true;
    const QList<PageRecord> records{
        addPage(QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("AA0000")),
        addPage(QStringLiteral("b"), QStringLiteral("B"), QStringLiteral("00AA00")),
        addPage(QStringLiteral("c"), QStringLiteral("C"), QStringLiteral("0000AA"))};
    openProject(records);
    const QString openFile = document.filePath();
    const QStringList folderBefore = QDir(m_project).entryList(QDir::Files, QDir::Name);
    const struct
    {
        const char* dragged;
        const char* target;
        const char* after;
    } rows[] = {{"c", "a", "c,a,b"},   // up: before the target
                {"a", "b", "b,a,c"},   // down: after the target
                {"a", "c", "b,c,a"},   // to the end
                {"a", "a", "a,b,c"},   // onto itself
                {"zzz", "a", "a,b,c"}, // unknown page: nothing is lost
                {"b", "", "a,b,c"}};   // below the last tile: no target
    for (const auto& row : rows) {
        controller.siteIconArray() = records;
        controller.refreshPageListingDisplay();
        const QString dragged =
            QString::fromLatin1(row.dragged) + QLatin1Char('.') + edition().gDocumentExtension;
        QPoint point(5, controller.pageListingClipView()->height() + 300);
        if (*row.target) {
            for (ListingIconView* view : controller.pageIconViews()) {
                if (QFileInfo(view->quibButton()->documentName()).completeBaseName() ==
                    QLatin1String(row.target))
                    point = view->geometry().center();
            }
        }
        dropOn(controller.pageListingClipView(), PageListingClipView::tileMimeData(dragged), point);
        QApplication::processEvents();
        EXPECT_EQ(order(), std::string(row.after)) << row.dragged << " on " << row.target;
        EXPECT_EQ(controller.pageIconViews().size(), 3);
        EXPECT_EQ(document.filePath(), openFile);
        EXPECT_EQ(openColour(), QStringLiteral("AA0000"));
        EXPECT_EQ(QDir(m_project).entryList(QDir::Files, QDir::Name).filter(edition().gDocumentExtension),
                  folderBefore.filter(edition().gDocumentExtension));
    }
    EXPECT_TRUE(dialogs->alerts().isEmpty());
}

TEST_F(PageListTest, TheContextMenuActsOnTheClickedPage)
{
    const QList<PageRecord> records{
        addPage(QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("AA0000")),
        addPage(QStringLiteral("b"), QStringLiteral("B"), QStringLiteral("00AA00"))};
    openProject(records);
    QMenu* menu = controller.pageListingMenu();
    ASSERT_NE(menu, nullptr);
    QStringList actions;
    for (QAction* item : menu->actions()) {
        if (!item->isSeparator())
            actions.append(item->objectName());
    }
    EXPECT_EQ(actions, (QStringList{"directlyAddBlankPage:", "insertBlankPage:", "duplicatePage:",
                                    "grabPageLink:", "deletePage:", "sortByFileName:", "sortByDate:",
                                    "refreshWebsite:", "view1Column:", "view2Column:", "view3Column:"}));
    // Each item as "E" (enabled), "d" (shown, disabled) or "-" (hidden), in menu order.
    const struct
    {
        bool onPage, hideDelete, hideDuplicate, showInsert, hideLink;
        const char* items;
    } rows[] = {
        {true, false, false, true, false, "EEEEEEEEEEE"}, {false, false, false, true, false, "EddddEEEEEE"},
        {true, true, false, true, false, "EEEE-EEEEEE"},  {true, false, true, false, false, "E--EEEEEEEE"},
        {true, false, false, true, true, "EEE-EEEEEEE"},  {false, true, true, false, true, "E----EEEEEE"}};
    for (const auto& row : rows) {
        EditionSettings& e = edition();
        e.gHideDeletePageFlag = row.hideDelete;
        e.gHideDuplicatePageFlag = row.hideDuplicate;
        e.gShowInsertPageFlag = row.showInsert;
        e.gHideGrabPageLinkFlag = row.hideLink;
        controller.pageListingClipView()->setLastTouchPoint(
            row.onPage ? controller.pageIconViews().at(1)->geometry().center() : QPoint(-50, -50));
        emit menu->aboutToShow();
        std::string items;
        for (QAction* item : menu->actions()) {
            if (!item->isSeparator())
                items += !item->isVisible() ? '-' : item->isEnabled() ? 'E' : 'd';
        }
        EXPECT_EQ(items, std::string(row.items))
            << row.onPage << row.hideDelete << row.hideDuplicate << row.showInsert << row.hideLink;
        if (row.onPage)
            EXPECT_EQ(controller.selectedPageName(), records[1].documentName);
    }
    // The sort items set the listing order the next scan uses.
    for (QAction* item : menu->actions()) {
        if (item->objectName() == QLatin1String("sortByDate:"))
            item->trigger();
    }
    EXPECT_EQ(controller.sortListingBy(), QStringLiteral("modDate"));
    ASSERT_TRUE(controller.performAction(QStringLiteral("sortByFileName:")));
    EXPECT_EQ(controller.sortListingBy(), QStringLiteral("fileName"));
    EXPECT_TRUE(DRVWindowController::handledActions().contains(QStringLiteral("refreshWebsite:")));
}

TEST_F(PageListTest, TheRightClickMenuSetsTheListsColumns)
{
    QList<PageRecord> records;
    for (int i = 0; i < 5; ++i)
        records.append(addPage(QStringLiteral("p%1").arg(i), QStringLiteral("P%1").arg(i),
                               QStringLiteral("3040%1%1").arg(i)));
    openProject(records);
    platform::UserDefaults::standard().setInteger(QStringLiteral("numOfColumnListings"), 1);
    controller.refreshPageIcons(QString());
    ASSERT_EQ(columnsOf(controller.pageIconViews()), 1);
    for (int columns : {3, 2, 1}) {
        PageListingClipView* clip = controller.pageListingClipView();
        const int before = DRVWindowController::pageListColumns();
        // Right-click below the last tile, then click the item in the menu that opens there.
        const QPoint empty(2, clip->height() - 2);
        ASSERT_EQ(controller.grabPageClicked(empty), nullptr);
        QString ticked;
        bool clicked = false;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu)
                return;
            for (QAction* item : menu->actions()) {
                if (item->isChecked())
                    ticked = item->objectName();
            }
            if (columns == 3)
                EXPECT_TRUE(menu->grab().save(artefactPath(QStringLiteral("page-list-columns-menu.png"))));
            QAction* item = menu->findChild<QAction*>(QStringLiteral("view%1Column:").arg(columns));
            if (!item || !item->isEnabled() || !item->isVisible()) {
                menu->close();
                return;
            }
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
            clicked = true;
        });
        QContextMenuEvent click(QContextMenuEvent::Mouse, empty, clip->mapToGlobal(empty));
        QCoreApplication::sendEvent(clip, &click);
        QApplication::processEvents();
        ASSERT_TRUE(clicked) << columns;
        EXPECT_EQ(ticked, QStringLiteral("view%1Column:").arg(before)) << columns;
        EXPECT_EQ(platform::UserDefaults::standard().integerForKey(QStringLiteral("numOfColumnListings")),
                  columns);
        const QList<ListingIconView*> views = controller.pageIconViews();
        ASSERT_EQ(views.size(), 5);
        EXPECT_EQ(columnsOf(views), columns);
        EXPECT_EQ(views[0]->width(), controller.pageListingView()->viewport()->width() / columns);
    }
}

namespace {

// Records what the progress window would show and whether the document window was on screen then.
struct RecordingProgress : DataCentre::ProgressDisplay
{
    explicit RecordingProgress(QWidget* window) : window(window) {}
    void show() override { ++shown; }
    void update(qint32 done, qint32 total, const QString& text) override
    {
        updates.append(QStringLiteral("%1/%2 %3").arg(done).arg(total).arg(text));
        windowVisibleDuring.append(window->isVisible());
    }
    void dismiss() override {}
    QWidget* window;
    int shown = 0;
    QStringList updates;
    QList<bool> windowVisibleDuring;
};

} // namespace

TEST_F(PageListTest, TheForcedPageLoopOpensEveryPageBehindTheProgressWindow)
{
    const QList<PageRecord> records{
        addPage(QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("AA0000")),
        missingPage(QStringLiteral("gone")),
        addPage(QStringLiteral("c"), QStringLiteral("C"), QStringLiteral("0000AA"))};
    openProject(records);
    RecordingProgress progress(controller.window());
    DataCentre::setProgressDisplay(&progress);
    controller.loopThroughPages(true);
    DataCentre::setProgressDisplay(nullptr);
    EXPECT_EQ(progress.shown, 1);
    const QString ext = edition().gDocumentExtension;
    EXPECT_EQ(progress.updates,
              (QStringList{QStringLiteral("0/3 a.") + ext, QStringLiteral("1/3 gone.") + ext,
                           QStringLiteral("2/3 c.") + ext, QStringLiteral("3/3 ")}));
    // Hidden while it ran (a failing page included), shown again at the end.
    EXPECT_EQ(progress.windowVisibleDuring, (QList<bool>{false, false, false, false}));
    EXPECT_TRUE(controller.window()->isVisible());
    EXPECT_FALSE(controller.loopThroughFlag());
    EXPECT_FALSE(document.loopThroughFlag());
    EXPECT_EQ(openColour(), QStringLiteral("0000AA"));
}

namespace {

void setModified(const QString& path, const QDateTime& when)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(when, QFileDevice::FileModificationTime));
}

} // namespace

TEST_F(PageListTest, TheQuickPageLoopOpensOnlyPagesBehindTheirBaseTemplate)
{
    edition().gBaseTemplateFileName = QStringLiteral("basetemplate.") + edition().gDocumentExtension;
    QList<PageRecord> records{
        addPage(QStringLiteral("basetemplate"), QStringLiteral("T"), QStringLiteral("111111")),
        addPage(QStringLiteral("behind"), QStringLiteral("B"), QStringLiteral("222222")),
        addPage(QStringLiteral("ahead"), QStringLiteral("C"), QStringLiteral("333333")),
        addPage(QStringLiteral("plain"), QStringLiteral("D"), QStringLiteral("444444"))};
    records[1].useBaseTemplateFlag = true;
    records[2].useBaseTemplateFlag = true;
    records[0].useBaseTemplateFlag = true; // the template itself is never re-opened for it
    const QDateTime now = QDateTime::currentDateTime();
    const struct
    {
        bool openAll;
        bool responsive;
        const char* lastOpened;
    } rows[] = {{false, false, "behind"}, {true, false, "plain"}};
    for (const auto& row : rows) {
        openProject(records);
        // Saving the open page as the loop moves on must not touch the template's date.
        ASSERT_TRUE(document.readFromURL(pagePath(records[3].pageName)));
        setModified(pagePath(records[0].pageName), now.addSecs(-100));
        setModified(pagePath(records[1].pageName), now.addSecs(-200));
        setModified(pagePath(records[2].pageName), now.addSecs(-10));
        setModified(pagePath(records[3].pageName), now.addSecs(-300));
        edition().gOpenPagesInPageLoopFlag = row.openAll;
        controller.loopThroughPages(false);
        EXPECT_EQ(QFileInfo(document.filePath()).completeBaseName(), QLatin1String(row.lastOpened))
            << row.openAll;
        EXPECT_TRUE(controller.window()->isVisible());
        EXPECT_FALSE(controller.loopThroughFlag());
        // Saves after the loop write the page's images again.
        EXPECT_FALSE(document.loopThroughFlag());
    }

    const QString older = pagePath(records[1].pageName);
    const QString newer = pagePath(records[2].pageName);
    EXPECT_TRUE(DRVWindowController::isFirstFileNewer(newer, older));
    EXPECT_FALSE(DRVWindowController::isFirstFileNewer(older, newer));
    EXPECT_TRUE(DRVWindowController::isFirstFileNewer(newer, newer));
}

TEST_F(PageListTest, ForcingIsNeededWhenAPageDoesNotUseBootstrap)
{
    const QList<PageRecord> records{
        addPage(QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("AA0000"))};
    controller.siteIconArray() = records;
    controller.setOpenWebsiteFolderTempPath(m_workingCopy);
    const QString page = QDir(m_workingCopy).filePath(QStringLiteral("a.html"));
    const bool bootstrap = DataCentre::isBootStrapBeingUsed(page);
    EXPECT_EQ(controller.needToForceRefresh(), !bootstrap);
    controller.siteIconArray().clear();
    EXPECT_FALSE(controller.needToForceRefresh());
    controller.siteIconArray() = {missingPage(QStringLiteral("gone"))};
    EXPECT_TRUE(controller.needToForceRefresh());
}

TEST_F(PageListTest, SidebarScreenshotsInOneToThreeColumns)
{
    QList<PageRecord> records;
    const char* colours[] = {"CC3333", "33CC33", "3333CC", "CCCC33", "33CCCC"};
    for (int i = 0; i < 5; ++i)
        records.append(addPage(QStringLiteral("page%1").arg(i + 1), QStringLiteral("Page %1").arg(i + 1),
                               QString::fromLatin1(colours[i])));
    openProject(records, QSize(1300, 900));
    WindowSplitView* split = controller.splitView();
    QList<int> sizes = split->sizes();
    sizes[1] += sizes[0] - 330;
    sizes[0] = 330;
    split->setSizes(sizes);
    QApplication::processEvents();
    ASSERT_TRUE(controller.launchSelected(records[0].documentName));
    for (int columns = 1; columns <= 3; ++columns) {
        ASSERT_TRUE(controller.performAction(QStringLiteral("view%1Column:").arg(columns)));
        if (columns == 3)
            QTest::keyClicks(controller.searchField(), QStringLiteral("page"));
        QApplication::processEvents();
        const QImage shot = controller.sidebarSplitView()->grab().toImage();
        ASSERT_FALSE(shot.isNull());
        EXPECT_TRUE(shot.save(artefactPath(QStringLiteral("page-list-%1-columns.png").arg(columns))));
        // The open page's tile carries the green border.
        const QuibNSButton* open = tileFor(records[0].documentName);
        ASSERT_NE(open, nullptr);
        const QPoint corner = open->mapTo(controller.sidebarSplitView(), QPoint(1, open->height() / 2));
        EXPECT_EQ(shot.pixelColor(corner).name(), QStringLiteral("#3d9140")) << columns;
    }
}

TEST_F(PageListTest, LongCaptionsAreCutOnTheRightToTheirColumn)
{
    const QString longTitle = QStringLiteral("Opening hours and directions for every season");
    const QString longTime = QStringLiteral("December 10 2026 11:10 AM and a long while after");
    QList<PageRecord> records{addPage(QStringLiteral("a"), longTitle, QStringLiteral("AA0000")),
                              addPage(QStringLiteral("b"), QStringLiteral("Home"), QStringLiteral("00AA00")),
                              addPage(QStringLiteral("c"), QStringLiteral("C"), QStringLiteral("0000AA"))};
    records[0].fileTime = longTime;
    records[1].fileTime = QStringLiteral("Today");
    platform::UserDefaults::standard().setInteger(QStringLiteral("numOfColumnListings"), 3);
    openProject(records);
    const QuibNSButton* cut = tileFor(records[0].documentName);
    const QuibNSButton* whole = tileFor(records[1].documentName);
    ASSERT_TRUE(cut && whole);
    const struct
    {
        const QLabel* label;
        QString full;
        bool cut;
    } rows[] = {{cut->pageTitleLabel(), longTitle, true},
                {cut->fileTimeLabel(), longTime, true},
                {whole->pageTitleLabel(), QStringLiteral("Home"), false},
                {whole->fileTimeLabel(), records[1].fileTime, false}};
    for (const auto& row : rows) {
        ASSERT_NE(row.label, nullptr) << qPrintable(row.full);
        const QString shown = row.label->text();
        // The cut text fits the label, so nothing is clipped at either end.
        EXPECT_LE(row.label->fontMetrics().horizontalAdvance(shown), row.label->contentsRect().width())
            << qPrintable(shown);
        if (row.cut) {
            EXPECT_TRUE(shown.endsWith(QChar(0x2026))) << qPrintable(shown);
            EXPECT_TRUE(row.full.startsWith(shown.chopped(1))) << qPrintable(shown);
            EXPECT_EQ(row.label->toolTip(), row.full);
        } else {
            EXPECT_EQ(shown, row.full);
            EXPECT_TRUE(row.label->toolTip().isEmpty());
        }
    }
    EXPECT_TRUE(controller.sidebarSplitView()->grab().save(
        artefactPath(QStringLiteral("page-list-cut-captions.png"))));
}

TEST_F(PageListTest, TilesShowPagesSavedWithoutAWindow)
{
    // addPage writes each page with no window, its line coloured by hex alone.
    const QList<PageRecord> records{
        addPage(QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("C0392B")),
        addPage(QStringLiteral("b"), QStringLiteral("B"), QStringLiteral("1F6FB2"))};
    platform::UserDefaults::standard().setInteger(QStringLiteral("numOfColumnListings"), 1);
    openProject(records);
    const struct
    {
        int record;
        QColor colour;
    } rows[] = {{0, QColor(0xC0, 0x39, 0x2B)}, {1, QColor(0x1F, 0x6F, 0xB2)}};
    for (const auto& row : rows) {
        const QuibNSButton* tile = tileFor(records[row.record].documentName);
        ASSERT_NE(tile, nullptr);
        const QImage image = tile->image();
        int inColour = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                inColour += std::abs(c.red() - row.colour.red()) + std::abs(c.green() - row.colour.green()) +
                                std::abs(c.blue() - row.colour.blue()) <
                            40;
            }
        }
        EXPECT_GT(inColour, 3) << row.record;
    }
    EXPECT_TRUE(controller.sidebarSplitView()->grab().save(
        artefactPath(QStringLiteral("page-list-windowless-pages.png"))));
}

class GreetingCardPageListTest : public PageListTest
{
protected:
    GreetingCardPageListTest() : PageListTest(QStringLiteral("Kestrin Greeting Card Designer")) {}
};

TEST_F(GreetingCardPageListTest, TheFirstFourTilesAreCaptionedAsCardSides)
{
    QList<PageRecord> records;
    for (int i = 0; i < 5; ++i)
        records.append(addPage(QStringLiteral("card%1").arg(i + 1), QStringLiteral("Card page %1").arg(i + 1),
                               QStringLiteral("AA00%1%1").arg(i)));
    platform::UserDefaults::standard().setInteger(QStringLiteral("numOfColumnListings"), 1);
    openProject(records);
    QStringList captions;
    for (ListingIconView* view : controller.pageIconViews())
        captions.append(view->quibButton()->pageTitleLabel()->text());
    EXPECT_EQ(captions, (QStringList{"Front", "Back", "Inside 1", "Inside 2", "Card page 5"}));
    const QImage shot = controller.sidebarSplitView()->grab().toImage();
    EXPECT_TRUE(shot.save(artefactPath(QStringLiteral("page-list-greeting-card.png"))));
}

TEST_F(PageListTest, CaptionsFollowTheEditionsFlags)
{
    edition().gBaseTemplateFileName = QStringLiteral("basetemplate.") + edition().gDocumentExtension;
    QList<PageRecord> records{
        addPage(QStringLiteral("basetemplate"), QStringLiteral("Shared"), QStringLiteral("111111")),
        addPage(QStringLiteral("about"), QStringLiteral("About"), QStringLiteral("222222"))};
    records[1].pagePublishFileName = QStringLiteral("about.php");
    openProject(records);
    const struct
    {
        bool baseTemplateIcon, headerFooter, numbered, iconFrame, noTime, showExtension;
        const char* names; // the name captions shown, "-" for a hidden one
        bool titles;
        bool times;
    } rows[] = {
        {false, false, false, false, false, false, "basetemplate|about", true, true},
        {false, false, false, false, false, true, "basetemplate.html|about.php", true, true},
        {true, true, false, false, false, false, "Header and Footer|-", true, true},
        {true, true, true, false, false, false, "Header and Footer|Page 1", true, true},
        {true, false, true, false, false, false, "Page 0|Page 1", true, true},
        {true, false, false, false, false, false, "-|-", true, true},
        {false, false, false, true, true, false, "basetemplate|about", false, false},
    };
    for (const auto& row : rows) {
        EditionSettings& e = edition();
        e.gBaseTemplateIconFlag = row.baseTemplateIcon;
        e.gHeaderFooterCaptionFlag = row.headerFooter;
        e.gNumberedPageCaptionsFlag = row.numbered;
        e.gPageIconFrameFlag = row.iconFrame;
        e.gPageFileTimeLabelFlag = row.noTime;
        e.gShowPageFileExtensionFlag = row.showExtension;
        controller.refreshPageIcons(QString());
        QStringList names;
        for (ListingIconView* view : controller.pageIconViews()) {
            const QuibNSButton* tile = view->quibButton();
            names.append(tile->pageNameLabel()->isVisibleTo(view) ? tile->pageNameLabel()->text()
                                                                  : QStringLiteral("-"));
            EXPECT_EQ(tile->pageTitleLabel()->isVisibleTo(view), row.titles) << row.names;
            EXPECT_EQ(tile->fileTimeLabel()->isVisibleTo(view), row.times) << row.names;
            // The cell ends under its last shown caption.
            const int captions = (row.titles ? 1 : 0) + (names.constLast() != QLatin1String("-") ? 1 : 0) +
                                 (row.times ? 1 : 0);
            EXPECT_EQ(view->height(), tile->y() + tile->height() + 18 * captions) << row.names;
        }
        EXPECT_EQ(names.join(QLatin1Char('|')).toStdString(), std::string(row.names));
    }
    // The base-template page's name stands out.
    edition().gBaseTemplateIconFlag = false;
    controller.refreshPageIcons(QString());
    EXPECT_TRUE(
        tileFor(records[0].documentName)->pageNameLabel()->styleSheet().contains(QLatin1String("blue")));
    EXPECT_FALSE(
        tileFor(records[1].documentName)->pageNameLabel()->styleSheet().contains(QLatin1String("blue")));
}

TEST_F(PageListTest, TheHeaderFollowsTheEdition)
{
    const QList<PageRecord> records{
        addPage(QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("AA0000"))};
    openProject(records);
    const struct
    {
        bool withoutIcons, hideDelete;
        int headerHeight;
        bool button;
    } rows[] = {{false, false, 92, true}, {false, true, 92, false}, {true, false, 0, true}};
    for (const auto& row : rows) {
        edition().gPageListWithoutIconsFlag = row.withoutIcons;
        edition().gHideDeletePageFlag = row.hideDelete;
        controller.refreshPageListingDisplay();
        QApplication::processEvents();
        EXPECT_EQ(controller.topSidebarView()->height(), row.headerHeight)
            << row.withoutIcons << row.hideDelete;
        EXPECT_EQ(controller.pageListingMenuButton()->isVisibleTo(controller.topSidebarView()), row.button);
        EXPECT_EQ(controller.sidebarSplitView()->sizes().constFirst(), row.headerHeight);
    }
    // The search field spans the list's width beside the button.
    edition().gPageListWithoutIconsFlag = false;
    edition().gHideDeletePageFlag = false;
    controller.refreshPageListingDisplay();
    const QRect button = controller.pageListingMenuButton()->geometry();
    EXPECT_EQ(controller.searchField()->geometry(),
              QRect(button.right() + 1, 3,
                    controller.pageListingView()->width() - button.width() - 2 * button.x(), 30));
}

TEST_F(PageListTest, ARefreshReplacesAPageThatLeftTheFolder)
{
    const QList<PageRecord> records{
        addPage(QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("AA0000")),
        addPage(QStringLiteral("b"), QStringLiteral("B"), QStringLiteral("00AA00")),
        addPage(QStringLiteral("c"), QStringLiteral("C"), QStringLiteral("0000AA"))};
    openProject(records);
    // Listed still: the open page is read again.
    ASSERT_TRUE(controller.performAction(QStringLiteral("refreshWebsite:")));
    EXPECT_EQ(document.filePath(), QFileInfo(pagePath(records[0].pageName)).absoluteFilePath());
    EXPECT_EQ(openColour(), QStringLiteral("AA0000"));

    // Page a is gone from the folder: the first listed page takes its place.
    ASSERT_TRUE(QFile::remove(pagePath(records[0].pageName)));
    controller.siteIconArray() = {records[1], records[2]};
    controller.refreshWebsite();
    EXPECT_EQ(document.filePath(), QFileInfo(pagePath(records[1].pageName)).absoluteFilePath());
    EXPECT_EQ(openColour(), QStringLiteral("00AA00"));
    EXPECT_EQ(controller.pageIconViews().size(), 2);
    EXPECT_EQ(controller.websiteSummaryLabel()->text(), QStringLiteral("2 Documents\nMy Site"));
}

TEST_F(PageListTest, ASavingRefreshStoresTheOpenPageAndShowsTheWindowAgain)
{
    const QList<PageRecord> records{
        addPage(QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("AA0000")),
        addPage(QStringLiteral("b"), QStringLiteral("B"), QStringLiteral("00AA00"))};
    openProject(records);
    document.graphics().constFirst()->setBorderHexColorString(QStringLiteral("FEDCBA"));
    ASSERT_TRUE(controller.performAction(QStringLiteral("totalRefreshWebsite:")));
    EXPECT_TRUE(controller.window()->isVisible());
    EXPECT_FALSE(controller.loopThroughFlag());
    // What the refresh read back is what was saved.
    EXPECT_EQ(openColour(), QStringLiteral("FEDCBA"));
    EXPECT_EQ(controller.pageIconViews().size(), 2);
}

TEST_F(PageListTest, TheInspectorsLinkFieldTakesADroppedPage)
{
    openProject({addPage(QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("AA0000"))});
    auto* field = controller.window()->findChild<QuibNSTextField*>(QStringLiteral("hyperLinkTextField"));
    ASSERT_NE(field, nullptr);
    field->setText(QStringLiteral("index.html"));
    auto* data = new QMimeData;
    data->setUrls({QUrl::fromLocalFile(pagePath(QStringLiteral("about.") + edition().gDocumentExtension))});
    dropOn(field, data, QPoint(5, 5));
    EXPECT_EQ(field->text(), QStringLiteral("about.html"));
}
