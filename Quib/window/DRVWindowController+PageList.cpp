// The page list beside the canvas: the project's page tiles, their filter and order, and opening a
// listed page in this window.
#include "document/DRVDocument.h"
#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "platform/SafePath.h"
#include "platform/StringRules.h"
#include "platform/UserDefaults.h"
#include "window/DRVWindowController.h"
#include "window/ListingIconView.h"
#include "window/PageListingClipView.h"
#include "window/PageListingScrollview.h"
#include "window/QuibNSButton.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QToolButton>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kLabelHeight = 18;
constexpr int kThumbnailSide = 190;
constexpr int kHeaderHeight = 92;

// Case and accents folded away, so "ETE" finds "été".
QString foldedForSearch(const QString& text)
{
    const QString decomposed = text.normalized(QString::NormalizationForm_KD);
    QString folded;
    folded.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() == QChar::Mark_NonSpacing || c.category() == QChar::Mark_SpacingCombining ||
            c.category() == QChar::Mark_Enclosing)
            continue;
        folded.append(c);
    }
    return folded.toCaseFolded();
}

QLabel* makeCaption(const QString& text, int pointSize)
{
    auto* label = new QLabel(text);
    QFont font(QStringLiteral("Heiti TC"));
    font.setPointSize(pointSize);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    label->setStyleSheet(QStringLiteral("color: #555555; background: transparent;"));
    label->setTextFormat(Qt::PlainText);
    return label;
}

// The thumbnail of a page, or a plain sheet where the page has none.
QImage thumbnailOf(const PageRecord& record)
{
    QImage image;
    if (!record.imagePath.isEmpty())
        image.load(record.imagePath);
    if (image.isNull()) {
        image = QImage(150, 194, QImage::Format_RGB32);
        image.fill(Qt::white);
    }
    return image;
}

int truncatedInt(double value)
{
    return std::isfinite(value) ? int(std::trunc(value)) : 0;
}

} // namespace

// ---- small answers ----

bool DRVWindowController::pageMatchesSearch(const PageRecord& record, const QString& searchText)
{
    if (searchText.isEmpty())
        return true;
    const QString haystack = record.pageTitle + QLatin1Char(' ') + record.pageName;
    return foldedForSearch(haystack).contains(foldedForSearch(searchText));
}

int DRVWindowController::pageListColumns()
{
    qint64 columns = platform::UserDefaults::standard().integerForKey(QStringLiteral("numOfColumnListings"));
    if (columns == 0)
        columns = edition().gDefaultPageIconMode;
    if (columns <= 0)
        columns = 1;
    return int(std::min<qint64>(columns, 3));
}

QString DRVWindowController::websiteSummaryText(int pageCount, const QString& folderPath)
{
    const QString folderName = folderPath.isEmpty() ? QString() : QFileInfo(folderPath).fileName();
    const QString format =
        pageCount == 1 ? QStringLiteral("%1 Document\n%2") : QStringLiteral("%1 Documents\n%2");
    return format.arg(pageCount).arg(folderName);
}

bool DRVWindowController::isFirstFileNewer(const QString& a, const QString& b)
{
    const QDateTime first = QFileInfo(a).lastModified();
    const QDateTime second = QFileInfo(b).lastModified();
    return second <= first;
}

bool DRVWindowController::existInSiteIconArray(const QString& fileName) const
{
    return std::any_of(m_siteIconArray.begin(), m_siteIconArray.end(),
                       [&](const PageRecord& record) { return record.pageName == fileName; });
}

PageRecord* DRVWindowController::grabQuibButtonWithPageName(const QString& fileName)
{
    for (auto it = m_siteIconArray.rbegin(); it != m_siteIconArray.rend(); ++it) {
        if (it->documentName == fileName)
            return &*it;
    }
    return nullptr;
}

bool DRVWindowController::needToForceRefresh() const
{
    for (const PageRecord& record : m_siteIconArray) {
        const std::optional<QString> page =
            platform::SafePath::filePath(m_openWebsiteFolderTempPath, record.pageLocalFileName);
        if (!page || !DataCentre::isBootStrapBeingUsed(*page))
            return true;
    }
    return false;
}

QString DRVWindowController::getDocumentPageName() const
{
    return m_document ? m_document->pageName() : QString();
}

void DRVWindowController::definePageName(const QString& name)
{
    if (m_document)
        m_document->setPageName(name);
}

void DRVWindowController::defineMainTemplateName(const QString& name)
{
    if (m_document)
        m_document->setMainTemplateName(name);
}

QList<ListingIconView*> DRVWindowController::pageIconViews() const
{
    QList<ListingIconView*> views;
    for (const QPointer<ListingIconView>& view : m_pageIconViews) {
        if (view)
            views.append(view);
    }
    return views;
}

QMenu* DRVWindowController::pageListingMenu()
{
    if (m_pageListingMenu)
        return m_pageListingMenu;
    m_pageListingMenu = new QMenu(m_window);
    m_pageListingMenu->setObjectName(QStringLiteral("pageListingMenu"));
    // The page commands act on the page under the click.
    const struct
    {
        const char* title;
        const char* action;
        bool needsPage;
    } rows[] = {{"Add Page", "directlyAddBlankPage:", false},
                {"Insert Page", "insertBlankPage:", true},
                {"Duplicate Page", "duplicatePage:", true},
                {"Copy Page Link", "grabPageLink:", true},
                {"Delete Page", "deletePage:", true},
                {nullptr, nullptr, false},
                {"Sort by File Name", "sortByFileName:", false},
                {"Sort by Date", "sortByDate:", false},
                {"Refresh", "refreshWebsite:", false}};
    for (const auto& row : rows) {
        if (!row.title) {
            m_pageListingMenu->addSeparator();
            continue;
        }
        QAction* item = m_pageListingMenu->addAction(QString::fromUtf8(row.title));
        const QString action = QString::fromLatin1(row.action);
        item->setObjectName(action);
        const bool needsPage = row.needsPage;
        connect(item, &QAction::triggered, this, [this, action, needsPage] {
            if (needsPage && !determinePageClicked())
                return;
            performAction(action);
        });
    }
    // The list's column count, ticked at the current one.
    m_pageListingMenu->addSeparator();
    const char* columnTitles[] = {"1 Column", "2 Columns", "3 Columns"};
    for (int columns = 1; columns <= 3; ++columns) {
        QAction* item = m_pageListingMenu->addAction(QString::fromUtf8(columnTitles[columns - 1]));
        const QString action = QStringLiteral("view%1Column:").arg(columns);
        item->setObjectName(action);
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, action] { performAction(action); });
    }
    // The rows of the menu validation decide each item; those that act on a page need the click
    // to have landed on one.
    connect(m_pageListingMenu, &QMenu::aboutToShow, this, [this] {
        MenuValidationState state = menuValidationState();
        state.pageCount = int(m_siteIconArray.size());
        state.pageClicked = determinePageClicked();
        static const QStringList pageItems{QStringLiteral("insertBlankPage:"),
                                           QStringLiteral("duplicatePage:"), QStringLiteral("grabPageLink:"),
                                           QStringLiteral("deletePage:")};
        for (QAction* item : m_pageListingMenu->actions()) {
            if (item->isSeparator())
                continue;
            if (item->isCheckable()) {
                item->setChecked(item->objectName() ==
                                 QStringLiteral("view%1Column:").arg(pageListColumns()));
                continue;
            }
            MenuItemState shown;
            shown.title = item->text();
            shown = MenuValidation::validate(item->objectName(), shown, state);
            const bool needsPage = pageItems.contains(item->objectName());
            item->setEnabled(shown.enabled && (!needsPage || state.pageClicked));
            item->setVisible(shown.visible);
        }
    });
    return m_pageListingMenu;
}

// ---- refreshing ----

void DRVWindowController::pointDocumentAtProject()
{
    if (!m_document || m_openWebsiteFolder.isEmpty())
        return;
    DRVDocument::setWebsiteFolderOpenFlag(true);
    if (!m_openWebsiteFolderTempPath.isEmpty())
        m_document->setOpenWebsiteFolderTempPath(m_openWebsiteFolderTempPath);
}

void DRVWindowController::refreshWebsite()
{
    pickUpFileList(resetAndGrabCurrentWebsiteFolderPath());
    refreshPageListingDisplay();
    if (m_document && !m_openWebsiteFolder.isEmpty()) {
        pointDocumentAtProject();
        const QString current = platform::lastPathComponent(m_document->filePath());
        if (!current.isEmpty() && existInSiteIconArray(current)) {
            m_document->refreshDocument();
        } else if (!m_siteIconArray.isEmpty()) {
            // The open page left the folder: the first page takes its place.
            if (const auto first =
                    platform::SafePath::filePath(m_openWebsiteFolder, m_siteIconArray.constFirst().pageName))
                m_document->readFromURL(*first);
        }
    }
    setFormButtons();
    m_baseTemplateExistFlag = baseTemplateExists();
}

void DRVWindowController::totalRefreshWebsite()
{
    if (m_document)
        m_document->askPageToSaveItself();
    refreshWebsite();
    loopThroughPages(false);
    refreshPageListingDisplay();
}

void DRVWindowController::forceRefreshWebsite()
{
    if (m_document)
        m_document->askPageToSaveItself();
    refreshWebsite();
    loopThroughPages(true);
    refreshPageListingDisplay();
}

void DRVWindowController::buildPageListHeader()
{
    if (!m_topSidebarView || m_searchField)
        return;
    m_websiteSummaryLabel = new QLabel(m_topSidebarView);
    m_websiteSummaryLabel->setObjectName(QStringLiteral("websiteSummaryLabel"));
    m_websiteSummaryLabel->setAlignment(Qt::AlignCenter);
    m_websiteSummaryLabel->setTextFormat(Qt::PlainText);
    m_websiteSummaryLabel->setStyleSheet(QStringLiteral("color: #555555; background: transparent;"));
    m_websiteSummaryLabel->setGeometry(0, 28, 230, 50);

    m_searchField = new QLineEdit(m_topSidebarView);
    m_searchField->setObjectName(QStringLiteral("searchField"));
    m_searchField->setPlaceholderText(QStringLiteral("Search"));
    m_searchField->setClearButtonEnabled(true);
    connect(m_searchField, &QLineEdit::textChanged, this,
            [this](const QString& text) { refreshPageIcons(text); });

    auto* button = new QToolButton(m_topSidebarView);
    button->setObjectName(QStringLiteral("pageListingMenuButton"));
    button->setText(QStringLiteral("\u2699"));
    button->setToolTip(QStringLiteral("Website Settings"));
    button->setGeometry(10, 3, 30, 30);
    connect(button, &QToolButton::clicked, this, [this] { updatedPageListingSegmentedControl(); });
    m_pageListingMenuButton = button;
}

void DRVWindowController::refreshPageListingDisplay()
{
    if (!m_pageListingView || !m_topSidebarView)
        return;
    buildPageListHeader();
    const EditionSettings& e = edition();
    const bool hasPages = !m_siteIconArray.isEmpty();
    m_pageListingView->setVisible(hasPages);
    if (m_sidebarSplitView)
        m_sidebarSplitView->setVisible(hasPages);

    // A new document view each time; the old one goes once the event that led here has returned.
    auto* clip = new PageListingClipView;
    clip->resize(200, int(m_siteIconArray.size()) * 210 + 150);
    clip->setMenu(pageListingMenu());
    PageListingClipViewDelegate delegate;
    QPointer<DRVWindowController> self(this);
    delegate.rearrangePageOrder = [self](QWidget* sender, const QString& name, QPoint point) {
        if (self)
            self->rearrangePageOrder(sender, name, point);
    };
    delegate.grabDraggedInPage = [self](QWidget* sender, bool save, const QString& path) {
        if (self)
            self->grabDraggedInPage(sender, save, path);
    };
    clip->setDelegate(delegate);
    m_pageListingView->setDelegate(delegate);
    if (QWidget* old = m_pageListingView->takeWidget()) {
        old->hide();
        old->deleteLater();
    }
    m_pageListingView->setWidget(clip);
    m_pageListingClipView = clip;
    m_pageListingView->verticalScrollBar()->setValue(m_pageListingView->verticalScrollBar()->minimum());

    m_websiteSummaryLabel->setText(websiteSummaryText(int(m_siteIconArray.size()), m_openWebsiteFolder));
    if (hasPages) {
        // The header keeps its height; the list takes the rest of the sidebar.
        if (e.gPageListWithoutIconsFlag) {
            m_topSidebarView->setFixedHeight(0);
        } else {
            m_topSidebarView->setFixedHeight(kHeaderHeight);
            m_websiteSummaryLabel->show();
            m_searchField->show();
        }
        if (m_sidebarSplitView) {
            const int header = m_topSidebarView->maximumHeight();
            m_sidebarSplitView->setSizes({header, std::max(0, m_sidebarSplitView->height() - header)});
        }
        m_pageListingMenuButton->setVisible(!e.gHideDeletePageFlag);
        const QRect button = m_pageListingMenuButton->geometry();
        m_searchField->setGeometry(button.x() + button.width(), 0, 300, 30);
    }
    refreshPageIcons(m_searchField->text());
    resetZoomScrollViewSize();
}

void DRVWindowController::refreshPageIcons(const QString& searchText)
{
    m_pageSearchText = searchText;
    ++m_pageIconRefreshCount;
    if (!m_pageListingView)
        return;
    // The old views go once the click that led here has returned.
    for (const QPointer<ListingIconView>& view : std::as_const(m_pageIconViews)) {
        if (view) {
            view->hide();
            view->deleteLater();
        }
    }
    m_pageIconViews.clear();
    m_siteIconArrayLocal.clear();
    if (!m_pageListingClipView)
        return;

    for (int i = 0; i < m_siteIconArray.size(); ++i) {
        if (pageMatchesSearch(m_siteIconArray.at(i), searchText))
            m_siteIconArrayLocal.append(i);
    }

    const EditionSettings& e = edition();
    const int listWidth = m_pageListingView->viewport()->width();
    const int columns = pageListColumns();
    const int shown = int(m_siteIconArrayLocal.size());
    const int rows = (shown + columns - 1) / columns;
    const int cellWidth = truncatedInt(double(std::max(50, listWidth)) / columns);
    const int iconWidth = truncatedInt(0.8 * cellWidth);
    const int iconX = truncatedInt(0.1 * cellWidth);
    const bool greetingCard = e.gEditionDisplayName == QLatin1String("Kestrin Greeting Card Designer");
    static const char* const cardCaptions[] = {"Front", "Back", "Inside 1", "Inside 2"};

    int bottom = 0;
    int next = 0;
    for (int column = 0; column < columns && next < shown; ++column) {
        int y = 10;
        for (int row = 0; row < rows && next < shown; ++row, ++next) {
            const int index = m_siteIconArrayLocal.at(next);
            const PageRecord& record = m_siteIconArray.at(index);
            auto* view = new ListingIconView(m_pageListingClipView);
            view->setGeometry(column * cellWidth, y, cellWidth, 100);

            auto* tile = new QuibNSButton;
            tile->setObjectName(QStringLiteral("pageTile"));
            tile->setRecord(record);
            tile->setTag(index);
            tile->setToolTip(record.pageName);
            const QImage thumbnail = thumbnailOf(record);
            const QSize large = DataCentre::returnNewSizeWithWidth(QSizeF(thumbnail.size()), kThumbnailSide);
            const QSize scaled = DataCentre::returnNewSizeWithWidth(QSizeF(large), std::max(1, iconWidth));
            tile->setImage(thumbnail.scaled(scaled, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
            tile->setGeometry(iconX, 5, scaled.width(), scaled.height());
            tile->setBorderFlag(record.borderFlag);
            const QString documentName = record.documentName;
            connect(tile, &QAbstractButton::clicked, this,
                    [this, documentName] { launchSelected(documentName); });
            view->setQuibButton(tile);
            const int tileBottom = 5 + scaled.height();

            // Title.
            QString title = record.pageTitle;
            if (greetingCard && row < 4)
                title = QString::fromLatin1(cardCaptions[row]);
            QLabel* titleLabel = makeCaption(title, 12);
            titleLabel->setObjectName(QStringLiteral("pageTitleLabel"));
            int titleHeight = kLabelHeight;
            if (e.gPageIconFrameFlag) {
                titleHeight = 0;
                titleLabel->setParent(view);
                titleLabel->hide();
            } else {
                titleLabel->setParent(view);
            }
            titleLabel->setGeometry(0, tileBottom, cellWidth, titleHeight);
            QuibNSButton::setCaption(titleLabel, title);
            tile->setPageTitleLabel(titleLabel);

            // File name.
            QString shownName = record.pagePublishFileName;
            if (!e.gShowPageFileExtensionFlag && !platform::pathExtension(shownName).isEmpty())
                shownName.chop(platform::pathExtension(shownName).size() + 1);
            QLabel* nameLabel = makeCaption(shownName, 10);
            nameLabel->setObjectName(QStringLiteral("pageNameLabel"));
            nameLabel->setParent(view);
            if (!e.gBaseTemplateFileName.isEmpty() && record.pageName == e.gBaseTemplateFileName)
                nameLabel->setStyleSheet(QStringLiteral("color: white; background: blue;"));
            bool nameShown = true;
            if (e.gBaseTemplateIconFlag) {
                const bool baseTemplate = record.pageLocalFileName == QLatin1String("basetemplate.html");
                if (baseTemplate && e.gHeaderFooterCaptionFlag)
                    nameLabel->setText(QStringLiteral("Header and Footer"));
                else if (e.gNumberedPageCaptionsFlag)
                    nameLabel->setText(QStringLiteral("Page %1").arg(next));
                else
                    nameShown = false;
            }
            const int nameHeight = nameShown ? kLabelHeight : 0;
            nameLabel->setVisible(nameShown);
            nameLabel->setGeometry(0, tileBottom + titleHeight, cellWidth, nameHeight);
            QuibNSButton::setCaption(nameLabel, nameLabel->text());
            tile->setPageNameLabel(nameLabel);

            // Modification time.
            QLabel* timeLabel = makeCaption(record.fileTime, 10);
            timeLabel->setObjectName(QStringLiteral("fileTimeLabel"));
            timeLabel->setParent(view);
            const int timeHeight = e.gPageFileTimeLabelFlag ? 0 : kLabelHeight;
            timeLabel->setVisible(!e.gPageFileTimeLabelFlag);
            timeLabel->setGeometry(0, tileBottom + titleHeight + nameHeight, cellWidth, timeHeight);
            QuibNSButton::setCaption(timeLabel, record.fileTime);
            tile->setFileTimeLabel(timeLabel);

            const int timeBottom = tileBottom + titleHeight + nameHeight + timeHeight;
            view->setGeometry(column * cellWidth, y, cellWidth, timeBottom);
            view->show();
            m_pageIconViews.append(view);
            y = truncatedInt(y + timeBottom + 5);
        }
        bottom = std::max(bottom, y);
    }
    m_pageListingClipView->resize(listWidth, shown == 0 ? 0 : bottom);

    // The header follows the list's width.
    if (m_searchField && m_pageListingMenuButton) {
        const QRect button = m_pageListingMenuButton->geometry();
        const int buttonWidth = m_pageListingMenuButton->isVisible() ? button.width() : 0;
        m_searchField->setGeometry(m_searchField->x(), 3,
                                   std::max(0, m_pageListingView->width() - buttonWidth - 2 * button.x()),
                                   30);
        m_websiteSummaryLabel->setGeometry(m_websiteSummaryLabel->x(), 40, m_pageListingView->width(),
                                           m_websiteSummaryLabel->height());
    }
}

void DRVWindowController::resetAllButtons()
{
    for (PageRecord& record : m_siteIconArray)
        record.borderFlag = false;
    for (ListingIconView* view : pageIconViews()) {
        if (QuibNSButton* tile = view->quibButton())
            tile->setBorderFlag(false);
    }
}

// ---- opening a page ----

void DRVWindowController::markPage(const QString& documentName)
{
    resetAllButtons();
    if (PageRecord* record = grabQuibButtonWithPageName(documentName))
        record->borderFlag = true;
    for (ListingIconView* view : pageIconViews()) {
        if (QuibNSButton* tile = view->quibButton(); tile && tile->documentName() == documentName)
            tile->setBorderFlag(true);
    }
}

bool DRVWindowController::launchSelected(const QString& documentName)
{
    if (!m_document)
        return false;
    PageRecord* record = grabQuibButtonWithPageName(documentName);
    if (!record)
        return false;
    if (m_searchField)
        m_searchField->clearFocus();
    if (m_graphicView)
        m_graphicView->setFocus();
    const std::optional<QString> target = platform::SafePath::filePath(m_openWebsiteFolder, record->pageName);
    markPage(documentName);

    pointDocumentAtProject();
    m_document->setLoopThroughFlag(m_loopThroughFlag);
    if (edition().gResponsiveLayoutFlag)
        m_document->generatePublishVersion();
    // A page whose edits could not be stored stays open rather than losing them.
    if (!m_document->filePath().isEmpty() && !m_document->askPageToSaveItself()) {
        markPage(platform::lastPathComponent(m_document->filePath()));
        return false;
    }

    const QString previous = m_document->filePath();
    if (!target || !m_document->readFromURL(*target)) {
        qWarning("could not open page");
        if (!previous.isEmpty() && m_document->filePath() == previous)
            m_document->refreshDocument();
        return false;
    }
    refreshLayerListing();
    refreshPageIcons(m_searchField ? m_searchField->text() : QString());
    setFormButtons();
    return true;
}

// ---- the page loop ----

namespace {

// Whatever way the loop ends, the window comes back and the progress window goes.
class PageLoopGuard
{
public:
    PageLoopGuard(QWidget* window, bool& loopFlag, int total)
        : m_window(window), m_loopFlag(loopFlag), m_total(total)
    {
        DataCentre::showProgressIndicator();
        if (m_window) {
            m_wasVisible = m_window->isVisible();
            m_window->hide();
        }
    }
    ~PageLoopGuard()
    {
        m_loopFlag = false;
        DataCentre::updateProgressBar(m_total, m_total, QString());
        if (m_window && m_wasVisible) {
            m_window->setWindowOpacity(1.0);
            m_window->show();
        }
    }
    PageLoopGuard(const PageLoopGuard&) = delete;
    PageLoopGuard& operator=(const PageLoopGuard&) = delete;

private:
    QPointer<QWidget> m_window;
    bool& m_loopFlag;
    int m_total;
    bool m_wasVisible = false;
};

} // namespace

void DRVWindowController::loopThroughPages(bool force)
{
    const EditionSettings& e = edition();
    const int total = int(m_siteIconArray.size());
    PageLoopGuard guard(m_window, m_loopThroughFlag, total);
    m_loopThroughFlag = !force;
    const std::optional<QString> baseTemplate =
        e.gBaseTemplateFileName.isEmpty()
            ? std::nullopt
            : platform::SafePath::filePath(m_openWebsiteFolder, e.gBaseTemplateFileName);
    // Launching may rebuild the list; walk a copy of the names.
    QList<PageRecord> pages = m_siteIconArray;
    for (int i = 0; i < pages.size(); ++i) {
        const PageRecord& page = pages.at(i);
        bool open = force || e.gOpenPagesInPageLoopFlag || e.gResponsiveLayoutFlag;
        if (!open && page.useBaseTemplateFlag && page.pageName != e.gBaseTemplateFileName && baseTemplate) {
            const std::optional<QString> path =
                platform::SafePath::filePath(m_openWebsiteFolder, page.pageName);
            open = path && isFirstFileNewer(*baseTemplate, *path);
        }
        if (open && launchSelected(page.documentName) && e.gResponsiveLayoutFlag && m_document) {
            const QString folder = platform::stringByAppendingPathComponent(
                e.gTempFolderPath, QStringLiteral("responsiveVersion"));
            QDir().mkpath(folder);
            QString stem = page.pageName;
            if (const QString extension = platform::pathExtension(stem); !extension.isEmpty())
                stem.chop(extension.size() + 1);
            const QString fileName = stem + QLatin1Char('.') + m_document->pageFileExtension();
            if (const auto out = platform::SafePath::filePath(folder, fileName)) {
                QFile::remove(*out);
                m_document->exportPublishVersion(*out);
            }
        }
        DataCentre::updateProgressBar(i, total, page.pageName);
    }
    if (m_document) {
        m_document->setLoopThroughFlag(m_loopThroughFlag);
        m_document->askPageToSaveItself();
        // Later saves write the page's images again.
        m_document->setLoopThroughFlag(false);
    }
}

void DRVWindowController::walkPagesBehindProgress(const std::function<bool(const PageRecord& page)>& visit)
{
    const int total = int(m_siteIconArray.size());
    PageLoopGuard guard(m_window, m_loopThroughFlag, total);
    // Opening pages may rebuild the list; walk a copy.
    const QList<PageRecord> pages = m_siteIconArray;
    for (int i = 0; i < pages.size(); ++i) {
        const bool goOn = visit(pages.at(i));
        DataCentre::updateProgressBar(i, total, pages.at(i).pageName);
        if (!goOn)
            return;
    }
}

// ---- right-clicks, drops and order ----

ListingIconView* DRVWindowController::grabPageClicked(QPoint point) const
{
    ListingIconView* found = nullptr;
    for (ListingIconView* view : pageIconViews()) {
        if (view->geometry().contains(point))
            found = view;
    }
    return found;
}

bool DRVWindowController::determinePageClicked()
{
    if (!m_pageListingClipView)
        return false;
    ListingIconView* view = grabPageClicked(m_pageListingClipView->lastTouchPoint());
    if (!view || !view->quibButton())
        return false;
    m_selectedPageName = view->quibButton()->documentName();
    return true;
}

void DRVWindowController::rearrangePageOrder(QWidget* sender, const QString& pageName, QPoint point)
{
    if (!m_pageListingClipView)
        return;
    const QPoint inClip = sender && sender != m_pageListingClipView
                              ? m_pageListingClipView->mapFromGlobal(sender->mapToGlobal(point))
                              : point;
    ListingIconView* view = grabPageClicked(inClip);
    if (!view || !view->quibButton())
        return;
    movePage({pageName}, view->quibButton()->documentName());
}

void DRVWindowController::movePage(const QStringList& pageNames, const QString& targetPageName)
{
    if (pageNames.isEmpty())
        return;
    if (m_document && !m_document->filePath().isEmpty())
        m_document->askPageToSaveItself();
    const auto indexOf = [this](const QString& name, bool byPageName) {
        for (int i = int(m_siteIconArray.size()) - 1; i >= 0; --i) {
            const PageRecord& record = m_siteIconArray.at(i);
            if ((byPageName ? record.pageName : record.documentName) == name)
                return i;
        }
        return -1;
    };
    const int target = indexOf(targetPageName, false);
    const int moving = indexOf(pageNames.constFirst(), true);
    // An unknown page or target moves nothing, so no page drops out of the list.
    if (target < 0 || moving < 0)
        return;
    if (target != moving)
        m_siteIconArray.move(moving, target);
    if (edition().gPageOrderIndexFlag)
        writePageOrderIndexFile();
    refreshWebsite();
}

void DRVWindowController::sortByFileName()
{
    m_sortListingBy = QStringLiteral("fileName");
    refreshWebsite();
}

void DRVWindowController::sortByDate()
{
    m_sortListingBy = QStringLiteral("modDate");
    refreshWebsite();
}

void DRVWindowController::updatedPageListingSegmentedControl()
{
    performAction(QStringLiteral("showWebsitePreferences:"));
}

// ---- actions ----

const QStringList& DRVWindowController::pageListActions()
{
    static const QStringList actions{
        QStringLiteral("sortByFileName:"), QStringLiteral("sortByDate:"), QStringLiteral("refreshWebsite:"),
        QStringLiteral("totalRefreshWebsite:"), QStringLiteral("forceRefreshWebsite:")};
    return actions;
}

bool DRVWindowController::performPageListAction(const QString& action)
{
    if (action == QLatin1String("sortByFileName:"))
        sortByFileName();
    else if (action == QLatin1String("sortByDate:"))
        sortByDate();
    else if (action == QLatin1String("refreshWebsite:"))
        refreshWebsite();
    else if (action == QLatin1String("totalRefreshWebsite:"))
        totalRefreshWebsite();
    else if (action == QLatin1String("forceRefreshWebsite:"))
        forceRefreshWebsite();
    else
        return false;
    return true;
}
