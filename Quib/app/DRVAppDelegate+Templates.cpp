// The template chooser from the application's side: the edition's categories, the working copy of
// the shipped templates unpacked on a worker (files and images only; the tiles are made here, on
// the GUI thread), the chooser window's column and grid, and the launches that open a template, or
// the edition's blank page, as an untitled document.
#include "app/DRVAppDelegate.h"

#include "document/DocumentArchiver.h"
#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "platform/Dialogs.h"
#include "platform/SafePath.h"
#include "platform/StringRules.h"
#include "window/DRVWindowController.h"
#include "window/TemplateIconButton.h"
#include "window/TemplateWindowController.h"

#include <QCheckBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QPushButton>
#include <QScrollArea>
#include <QThread>

namespace {

using Category = DRVAppDelegate::TemplateCategory;

struct EditionCategories
{
    const char* edition;
    bool replaces;
    const char* startFolder; // nullptr: "all"
    QList<std::pair<const char*, const char*>> categories;
};

// Folder name and button title per edition; titles used as they stand (two leading blanks indent).
const QList<EditionCategories>& categoryTable()
{
    static const QList<EditionCategories> table{
        {"HTML Quib Pro", false, nullptr,
         {{"business", "  Business"}, {"classic", "  Classic"}, {"quibnation", "  Quib Nation"},
          {"forms", "  Forms"}, {"mobile", "  Mobile"}, {"modern", "  Modern"}, {"widgets", "  Widgets"}}},
        {"Ulmira Pro 2", false, nullptr,
         {{"business", "  Business Newsletters"}, {"holiday", "  Holiday Greetings"},
          {"invitations", "  Invitations"}, {"marketing", "  Marketing and Promotions"},
          {"miscellaneous", "  Miscellaneous"}, {"specials", "  New In Pro 2"}}},
        {"Ulmira Express", false, nullptr,
         {{"free", "  Free Templates"}, {"business", "  Business Newsletters"}, {"holiday", "  Holiday Greetings"},
          {"invitations", "  Invitations"}, {"marketing", "  Marketing and Promotions"},
          {"miscellaneous", "  Miscellaneous"}, {"specials", "  Specials"}}},
        {"Haskavel Pro", false, nullptr, {{"network", "  Network"}, {"team", "  Team Structure"}}},
        {"Haskavel Pro 2", false, nullptr, {{"network", "  Network"}, {"team", "  Team Structure"}}},
        {"Brennolt Pro", false, nullptr,
         {{"classic", "  Classic"}, {"labels", "  Single Labels"}, {"personalized", "  Personalized Labels"}}},
        {"Femmock", false, nullptr, {{"simple", "  Simple"}, {"cards", "  Classic"}}},
        {"Kestrin Flyer Maker Pro", false, nullptr,
         {{"folding", "  Folded"}, {"portrait", "  Portrait"}, {"posters", "  Landscape"}}},
        {"Pommerit Recipe Manager", false, nullptr, {{"modern", "  Templates"}, {"samples", "  Samples"}}},
        {"Selvaro Pro", false, nullptr,
         {{"business", "  Business"}, {"feedback", "  Feedback"}, {"guestbook", "  Guestbook"}, {"survey", "  Survey"}}},
        {"Selvaro Pro 2", false, nullptr,
         {{"free", "  Free"}, {"business", "  Business"}, {"feedback", "  Feedback"}, {"guestbook", "  Guestbook"},
          {"survey", "  Survey"}}},
        {"Kestrin Greeting Card Designer", true, "letter_2fold_horizontal",
         {{"letter_2fold_horizontal", "  Letter Half Fold - 8.5\" x 5.5\""},
          {"letter_2fold_vertical", "  Letter Half Fold - 5.5\" x 8.5\""},
          {"letter_4fold_horizontal", "  Letter Quarter Fold - 5.5\" x 4.25\""},
          {"letter_4fold_vertical", "  Letter Quarter Fold - 4.25\" x 5.5\""},
          {"a4_2fold_horizontal", "  A4 Half Fold - 8.3\" x 5.85\""},
          {"a4_2fold_vertical", "  A4 Half Fold - 5.85\" x 8.3\""},
          {"a4_4fold_horizontal", "  A4 Quarter Fold - 5.85\" x 4.15\""},
          {"a4_4fold_vertical", "  A4 Quarter Fold - 4.15\" x 5.85\""},
          {"a5_2fold_horizontal", "  A5 Half Fold - 8.3\" x 2.9\""},
          {"a5_2fold_vertical", "  A5 Half Fold - 4.15\" x 5.8\""},
          {"a5_4fold_horizontal", "  A5 Quarter Fold - 4.15\" x 2.9\""},
          {"a5_4fold_vertical", "  A5 Quarter Fold - 2.9\" x 4.15\""}}},
        {"Corvane Envelope Designer", true, "number10_envelope",
         {{"number10_envelope", "105 x 241mm (4.125 x 9.5\") #10"},
          {"dl_envelope", "110 x 220mm (4.4 x 8.8\") DL"},
          {"monarch_envelope", "98 x 190mm (3.9 x 7.5\") Monarch"},
          {"number9_envelope", "98 x 225mm (3.875 x 8.875\") #9"}}},
        {"Corvane Business Card Designer", true, "cards",
         {{"cards", "  89 × 51 mm (3.5 × 2 in)"}, {"A4_cards", "  85 × 55 mm (3.35 × 2.17 in)"}}},
        {"Brumel Responsive Email Designer", true, nullptr, {{"blank", "  Blank"}, {"templates", "  Templates"}}},
        {"Corvane eCard Designer", true, "blank",
         {{"blank", "  Blank"}, {"birthday", "  Birthday"}, {"hugs", "  Hugs"}, {"love", "  Love"},
          {"newyear", "  New Year"}, {"missingyou", "  Missing You"}, {"others", "  Others"},
          {"sayhi", "  Say Hi"}, {"submityourown", "  Submit Your Own"}, {"thankyou", "  Thank You"}}},
    };
    return table;
}

const QString kAll = QStringLiteral("all");
const QString kFormExtension = QStringLiteral("selvaro");
constexpr int kThumbnailLength = 200;

QMutex& unpackerMutex()
{
    static QMutex mutex;
    return mutex;
}

DRVAppDelegate::TemplateUnpacker& unpackerSlot()
{
    static DRVAppDelegate::TemplateUnpacker unpacker;
    return unpacker;
}

bool unpackTemplate(const QString& archive, const QString& target)
{
    DRVAppDelegate::TemplateUnpacker unpacker;
    {
        QMutexLocker lock(&unpackerMutex());
        unpacker = unpackerSlot();
    }
    return unpacker ? unpacker(archive, target) : DocumentArchiver::unzipDocument(archive, target);
}

// Template documents of a category folder by name: the edition's extension and form pages.
QStringList templateFilesOf(const QString& folder, const QString& extension)
{
    QStringList names;
    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::Files, QDir::Name);
    for (const QFileInfo& entry : entries) {
        const QString suffix = platform::pathExtension(entry.fileName());
        if (!suffix.isEmpty() && (suffix == extension || suffix == kFormExtension))
            names.append(entry.fileName());
    }
    return names;
}

// Files and folders below source copied into target; links are not followed.
bool copyTree(const QString& source, const QString& target)
{
    if (!QDir().mkpath(target))
        return false;
    bool ok = true;
    const QFileInfoList entries =
        QDir(source).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Name);
    for (const QFileInfo& entry : entries) {
        const QString to = QDir(target).filePath(entry.fileName());
        ok = (entry.isDir() ? copyTree(entry.filePath(), to) : QFile::copy(entry.filePath(), to)) && ok;
    }
    return ok;
}

// The working copy made anew from the shipped folder and every template unpacked beside its file.
void refreshWorkingCopy(const QString& shipped, const QString& working, const QList<Category>& categories,
                        const QString& extension, bool responsive)
{
    QDir(working).removeRecursively();
    copyTree(shipped, working);
    for (const Category& category : categories) {
        if (category.categoryFolderName == kAll)
            continue;
        const std::optional<QString> folder = platform::SafePath::filePath(working, category.categoryFolderName);
        if (!folder)
            continue;
        for (const QString& name : templateFilesOf(*folder, extension)) {
            const std::optional<QString> destination =
                platform::SafePath::filePath(*folder, QFileInfo(name).completeBaseName());
            if (!destination)
                continue;
            const QString path = QDir(*folder).filePath(name);
            if (responsive) {
                QDir(*destination).removeRecursively();
                unpackTemplate(path, *destination);
            } else {
                DRVAppDelegate::migratePage(path, *destination);
            }
        }
    }
}

struct PreparationInput
{
    QString shipped;
    QString working;
    QList<Category> categories;
    QString extension;
    bool responsive = false;
    bool unpack = false;
};

// The worker's whole job. A missing shipped folder leaves the working copy alone; an empty result
// unpacks once more, never again.
QList<DRVAppDelegate::PreparedTemplate> prepareTemplateFiles(const PreparationInput& input)
{
    if (!QFileInfo(input.shipped).isDir())
        return {};
    if (input.unpack)
        refreshWorkingCopy(input.shipped, input.working, input.categories, input.extension, input.responsive);
    QList<DRVAppDelegate::PreparedTemplate> prepared =
        DRVAppDelegate::populateTemplateImages(input.working, input.categories, input.extension);
    if (prepared.isEmpty()) {
        refreshWorkingCopy(input.shipped, input.working, input.categories, input.extension, input.responsive);
        prepared = DRVAppDelegate::populateTemplateImages(input.working, input.categories, input.extension);
    }
    return prepared;
}

QString workingTemplatesFolder()
{
    const EditionSettings& e = edition();
    const QString name = e.gTemplatesFolderName.isEmpty() ? QStringLiteral("templates") : e.gTemplatesFolderName;
    return platform::SafePath::filePath(e.gTempFolderPath, name).value_or(QString());
}

void setButtonBackground(QPushButton* button, const QString& hex)
{
    button->setStyleSheet(QStringLiteral("QPushButton { text-align: left; padding-left: 8px; border: none; "
                                         "background-color: #%1; }")
                              .arg(DataCentre::asHexString(DataCentre::colorWithHexString(hex))));
}

} // namespace

// ---- data ----

QList<DRVAppDelegate::TemplateCategory> DRVAppDelegate::templateCategoriesForEdition(const QString& displayName,
                                                                                     QString* startFolder)
{
    QList<TemplateCategory> categories{{kAll, QStringLiteral("  All")},
                                       {QStringLiteral("blank"), QStringLiteral("  Blank")}};
    QString start = kAll;
    for (const EditionCategories& row : categoryTable()) {
        if (displayName != QLatin1String(row.edition))
            continue;
        if (row.replaces)
            categories.clear();
        for (const auto& [folder, title] : row.categories)
            categories.append({QString::fromUtf8(folder), QString::fromUtf8(title)});
        if (row.startFolder)
            start = QString::fromUtf8(row.startFolder);
        break;
    }
    if (startFolder)
        *startFolder = start;
    return categories;
}

void DRVAppDelegate::setTemplateUnpacker(TemplateUnpacker unpacker)
{
    QMutexLocker lock(&unpackerMutex());
    unpackerSlot() = std::move(unpacker);
}

QString DRVAppDelegate::migratePage(const QString& templatePath, const QString& destination)
{
    QDir(destination).removeRecursively();
    const bool unpacked = unpackTemplate(templatePath, destination);
    static const QStringList htmlExtensions{
        QStringLiteral("quibpage"), QStringLiteral("jxw"),    QStringLiteral("dunmeret"), QStringLiteral("zx"),
        QStringLiteral("zqv"),      QStringLiteral("ulmira"), QStringLiteral("crevit"),   QStringLiteral("wembric"),
        QStringLiteral("wistrel"),  QStringLiteral("nembrosk"), QStringLiteral("zorprofile"), QStringLiteral("profile")};
    const QString extension = platform::pathExtension(templatePath);
    const QString pageExtension = extension == kFormExtension ? QStringLiteral("php")
                                  : htmlExtensions.contains(extension) ? QStringLiteral("html")
                                                                       : QString();
    if (!unpacked)
        return QString();
    // No page file of that extension: nothing to name the thumbnail after.
    const QFileInfoList files = QDir(destination).entryInfoList(QDir::Files, QDir::Name);
    for (const QFileInfo& file : files) {
        if (platform::pathExtension(file.fileName()) != pageExtension)
            continue;
        const QString base = QDir(destination).filePath(file.completeBaseName());
        const QString retina = base + QStringLiteral("@2x.png");
        return QFileInfo::exists(retina) ? retina : base + QStringLiteral(".png");
    }
    return QString();
}

QList<DRVAppDelegate::PreparedTemplate> DRVAppDelegate::populateTemplateImages(const QString& workingFolder,
                                                                               const QList<TemplateCategory>& categories,
                                                                               const QString& extension)
{
    QList<PreparedTemplate> prepared;
    for (const TemplateCategory& category : categories) {
        if (category.categoryFolderName == kAll)
            continue;
        const std::optional<QString> folder = platform::SafePath::filePath(workingFolder, category.categoryFolderName);
        if (!folder)
            continue;
        // Each template file goes with the folder of its own name, whatever order the listings have.
        for (const QString& name : templateFilesOf(*folder, extension)) {
            const QString unpacked = QDir(*folder).filePath(QFileInfo(name).completeBaseName());
            const QFileInfoList pages = QDir(unpacked).entryInfoList({QStringLiteral("*.html"), QStringLiteral("*.php")},
                                                                     QDir::Files, QDir::Name);
            if (pages.size() != 1)
                continue;
            const QString imagePath =
                QDir(unpacked).filePath(pages.constFirst().completeBaseName() + QStringLiteral("@2x.png"));
            QImage image(imagePath);
            // The "@2x" name makes the reader halve the image's size; the tile wants 200 points.
            image.setDevicePixelRatio(1);
            if (!image.isNull())
                image = image.scaled(DataCentre::returnNewSizeWithWidth(image.size(), kThumbnailLength),
                                     Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            prepared.append({name, category.categoryFolderName, image});
        }
    }
    return prepared;
}

const QStringList& DRVAppDelegate::templateActions()
{
    static const QStringList actions{QStringLiteral("showTemplateWebsite:"), QStringLiteral("showTemplate:"),
                                     QStringLiteral("launchTemplate:"),
                                     QStringLiteral("directlyLaunchSingleDocBlank:")};
    return actions;
}

// ---- opening and preparing ----

void DRVAppDelegate::installTemplateChooser()
{
    DRVWindowController::setTemplateChooser([](DRVWindowController* window) {
        if (DRVAppDelegate* delegate = current())
            delegate->showTemplate(window);
    });
}

void DRVAppDelegate::showTemplateWebsite()
{
    m_templateLaunchNewDirectoryFlag = true;
    m_templateTargetWindow = nullptr;
    launchTemplatePreparation();
}

void DRVAppDelegate::showTemplate(DRVWindowController* window)
{
    // From a menu: the page goes to the main window's project, named as that window names new pages.
    if (!window) {
        if (DRVWindowController* main = DRVWindowController::mainWindowController())
            main->addNewDirectlyFromTemplate(); // comes back here with the window
        return;
    }
    m_templateLaunchNewDirectoryFlag = false;
    m_templateTargetWindow = window;
    launchTemplatePreparation();
}

bool DRVAppDelegate::templatePreparationRunning() const
{
    return m_prepThread && m_prepThread->isRunning();
}

namespace {

PreparationInput preparationInput(const QList<Category>& categories, bool unpack)
{
    PreparationInput input;
    input.shipped = DataCentre::templatesPath();
    input.working = workingTemplatesFolder();
    input.categories = categories;
    input.extension = edition().gDocumentExtension;
    input.responsive = edition().gResponsiveLayoutFlag;
    input.unpack = unpack;
    return input;
}

} // namespace

void DRVAppDelegate::launchTemplatePreparation()
{
    if (!m_templateWindowController)
        m_templateWindowController = std::make_unique<TemplateWindowController>();
    // Every opening starts with nothing chosen.
    clearTemplateSelection();
    if (templatePreparationRunning())
        return; // the running one shows the window in the mode just set
    m_templateCategories = templateCategoriesForEdition(edition().gEditionDisplayName, &m_categoryFolder);
    const PreparationInput input = preparationInput(m_templateCategories, m_siteIconArray.isEmpty());
    DataCentre::showProgressIndicator();
    QThread* thread = QThread::create([this, input] {
        QList<PreparedTemplate> prepared = prepareTemplateFiles(input);
        QMetaObject::invokeMethod(
            this,
            [this, prepared] {
                buildTemplateIcons(prepared);
                DataCentre::dismissProgressIndicator();
                displayTemplate();
            },
            Qt::QueuedConnection);
    });
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    m_prepThread = thread;
    thread->start();
}

void DRVAppDelegate::prepTemplatesInBackground()
{
    // A worker already on the working copy shows the chooser when it is done.
    if (templatePreparationRunning())
        return;
    if (!m_templateWindowController)
        m_templateWindowController = std::make_unique<TemplateWindowController>();
    m_templateCategories = templateCategoriesForEdition(edition().gEditionDisplayName, &m_categoryFolder);
    buildTemplateIcons(prepareTemplateFiles(preparationInput(m_templateCategories, m_siteIconArray.isEmpty())));
    displayTemplate();
}

void DRVAppDelegate::buildTemplateIcons(const QList<PreparedTemplate>& prepared)
{
    qDeleteAll(m_siteIconArray);
    m_siteIconArray.clear();
    m_pageNameArray.clear();
    if (!m_iconHolder)
        m_iconHolder = std::make_unique<QWidget>();
    for (const PreparedTemplate& item : prepared) {
        auto* icon = new TemplateIconButton(m_iconHolder.get());
        icon->setFileName(item.fileName);
        icon->setCategoryFolder(item.categoryFolder);
        icon->setThumbnail(item.image);
        connect(icon, &QPushButton::clicked, this, [this, icon] { templateSelected(icon); });
        connect(icon, &TemplateIconButton::doubleClicked, this, [this] { launchTemplate(); });
        m_siteIconArray.append(icon);
        m_pageNameArray.append(item.fileName);
    }
}

// ---- the window ----

void DRVAppDelegate::displayTemplate()
{
    TemplateWindowController* chooser = m_templateWindowController.get();
    chooser->window()->setWindowTitle(QStringLiteral("%1 (%2)").arg(QStringLiteral("Choose a Template")).arg(m_siteIconArray.size()));

    auto* column = new QWidget;
    column->setFixedSize(230, std::max<int>(600, 50 * int(m_templateCategories.size())));
    column->setAutoFillBackground(true);
    QPalette palette = column->palette();
    palette.setColor(QPalette::Window, DataCentre::colorWithHexString(QStringLiteral("F5F5F5")));
    column->setPalette(palette);
    m_templateCategoryButtons.clear();
    for (int i = 0; i < int(m_templateCategories.size()); ++i) {
        auto* button = new QPushButton(m_templateCategories.at(i).categoryDescription, column);
        button->setGeometry(0, 50 * i, 230, 50);
        // Points of the platform the titles were laid out on are pixels here.
        QFont font(QStringLiteral("Heiti TC"));
        font.setPixelSize(13);
        button->setFont(font);
        button->setFocusPolicy(Qt::NoFocus);
        setButtonBackground(button, QStringLiteral("F5F5F5"));
        connect(button, &QPushButton::clicked, this, [this, i] { categoryButtonTapped(i); });
        m_templateCategoryButtons.append(button);
    }
    chooser->setCategoryView(column);
    refreshTemplate();

    // One connection per button, answering for the mode of this opening.
    chooser->selectButton()->disconnect(this);
    chooser->cancelButton()->disconnect(this);
    chooser->openButton()->disconnect(this);
    connect(chooser->cancelButton(), &QPushButton::clicked, this, &DRVAppDelegate::cancelTemplateView);
    if (m_templateLaunchNewDirectoryFlag) {
        chooser->baseTemplateCheckbox()->setChecked(true);
        connect(chooser->selectButton(), &QPushButton::clicked, this, [this] {
            m_templateWindowController->window()->hide();
            addNewWebsite();
        });
    } else {
        connect(chooser->selectButton(), &QPushButton::clicked, this, &DRVAppDelegate::selectedATemplate);
    }
    connect(chooser->openButton(), &QPushButton::clicked, this, [this] {
        m_templateWindowController->window()->hide();
        if (edition().gSingleDocumentFlag)
            openNewDoc();
        else
            openWebsite();
    });
    chooser->window()->show();
    chooser->window()->raise();
}

void DRVAppDelegate::refreshTemplate()
{
    TemplateWindowController* chooser = m_templateWindowController.get();
    if (!chooser)
        return;
    QList<TemplateIconButton*> shown;
    for (TemplateIconButton* icon : std::as_const(m_siteIconArray)) {
        icon->setParent(m_iconHolder.get()); // out of the view that is about to go
        if (m_categoryFolder == kAll || icon->categoryFolder() == m_categoryFolder)
            shown.append(icon);
    }
    const int rows = (int(shown.size()) + 2) / 3;
    const QSize cell = shown.isEmpty() ? QSize(200, 200) : shown.constFirst()->size();
    auto* view = new QWidget;
    view->setFixedSize(3 * cell.width() + 90, std::max(1, (cell.height() + 70) * rows));
    for (int k = 0; k < int(shown.size()); ++k) {
        TemplateIconButton* icon = shown.at(k);
        icon->setParent(view);
        icon->move(30 + (k % 3) * (cell.width() + 25), 30 + (k / 3) * (cell.height() + 65));
        icon->setProperty("tag", k);
        icon->show();
    }
    clearTemplateSelection();
    chooser->setGridView(view);
}

void DRVAppDelegate::categoryButtonTapped(int index)
{
    if (index < 0 || index >= int(m_templateCategories.size()))
        return;
    for (int i = 0; i < int(m_templateCategoryButtons.size()); ++i)
        setButtonBackground(m_templateCategoryButtons.at(i), i == index ? QStringLiteral("B0C4DE") : QStringLiteral("F5F5F5"));
    m_categoryFolder = m_templateCategories.at(index).categoryFolderName;
    refreshTemplate();
}

void DRVAppDelegate::templateSelected(TemplateIconButton* icon)
{
    m_selectedTemplateIcon = icon;
    for (TemplateIconButton* other : std::as_const(m_siteIconArray))
        other->setBorderFlag(other == icon);
    if (m_templateWindowController)
        m_templateWindowController->selectButton()->setEnabled(icon != nullptr);
}

void DRVAppDelegate::clearTemplateSelection()
{
    // No frame shown means nothing chosen: Select waits for the next pick.
    for (TemplateIconButton* icon : std::as_const(m_siteIconArray))
        icon->setBorderFlag(false);
    m_selectedTemplateIcon = nullptr;
    if (m_templateWindowController)
        m_templateWindowController->selectButton()->setEnabled(false);
}

TemplateIconButton* DRVAppDelegate::selectedTemplateIcon() const
{
    return m_selectedTemplateIcon;
}

void DRVAppDelegate::cancelTemplateView()
{
    if (!m_templateWindowController)
        return;
    clearTemplateSelection();
    m_templateWindowController->showOrHideWindow();
}

void DRVAppDelegate::selectedATemplate()
{
    TemplateIconButton* icon = m_selectedTemplateIcon;
    if (!icon || !m_templateTargetWindow)
        return;
    const QString fileName = icon->fileName();
    const QString category = icon->categoryFolder();
    m_templateWindowController->window()->hide();
    clearTemplateSelection();
    m_templateTargetWindow->saveNewPageAndChooseTemplate(fileName, category);
}

// ---- launches ----

DRVWindowController* DRVAppDelegate::openTemplateCopy(const QString& relativePath, bool alertOnFailure)
{
    const std::optional<QString> source = platform::SafePath::filePathBelow(DataCentre::templatesPath(), relativePath);
    const std::optional<QString> target =
        platform::SafePath::filePath(receivedPagesFolderPath(), QFileInfo(relativePath).fileName());
    DRVWindowController* window = nullptr;
    orderOutWelcomeWindow();
    if (source && target && QFileInfo(*source).isFile()) {
        QDir().mkpath(receivedPagesFolderPath());
        QFile::remove(*target);
        if (QFile::copy(*source, *target))
            window = openUntitled(*target);
    }
    if (!window && alertOnFailure) {
        platform::Alert alert;
        alert.title = QStringLiteral("The template could not be opened.");
        alert.buttons = {QStringLiteral("OK")};
        platform::DialogService::current().runAlert(alert);
    }
    return window;
}

DRVWindowController* DRVAppDelegate::launchTemplate()
{
    TemplateIconButton* icon = m_selectedTemplateIcon;
    if (!icon)
        return nullptr;
    const QString relative = icon->categoryFolder() + QLatin1Char('/') + icon->fileName();
    // A launch hides the chooser; it never brings a hidden one back.
    if (m_templateWindowController)
        m_templateWindowController->window()->hide();
    return openTemplateCopy(relative);
}

DRVWindowController* DRVAppDelegate::launchSingleDocTemplate()
{
    return launchTemplate();
}

DRVWindowController* DRVAppDelegate::directlyLaunchSingleDocBlank()
{
    const QStringList& starters = edition().gStarterPageFiles;
    if (starters.isEmpty())
        return nullptr;
    return openTemplateCopy(starters.constFirst());
}
