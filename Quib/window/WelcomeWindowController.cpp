#include "window/WelcomeWindowController.h"

#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "platform/Dialogs.h"
#include "platform/UrlOpener.h"
#include "window/ProfileViewController.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>

namespace {

using Row = WelcomeWindowController::EditionRow;

const QList<Row>& editionTable()
{
    static const QList<Row> table{
        {"HTML Quib Pro", "New", nullptr, "Open...", nullptr, "mobile"},
        {"Ulmira Pro 2", "New", "showTemplateWebsite:", "Open...", nullptr, "email"},
        {"Ulmira Express", "New", "showTemplateWebsite:", "Open...", "openDocument:", "email"},
        {"Haskavel Pro", "New", "showTemplateWebsite:", "Open...", nullptr, "email"},
        {"Pommerit Recipe Manager", "New Recipe Collection", nullptr, "Open Recipe Collection", nullptr, nullptr},
        {"Zandelle", "New Collection", nullptr, "Open Collection", nullptr, "webdesigner"},
        {"Ostrevin", "New", nullptr, "Video Demo", "launchAppURL:", "email"},
        {"Quellam", "New", nullptr, "Video Demo", "launchAppURL:", "email"},
        {"Tirrabel", "New", nullptr, "Video Demo", "launchAppURL:", "flyerSuite"},
        {"Selvaro Pro", "New", "showTemplateWebsite:", "Open", nullptr, "webdesigner"},
        {"Brennolt Pro", "New", "showTemplateWebsite:", "Open", nullptr, "labels"},
        {"Femmock", "New", "showTemplateWebsite:", "Open", nullptr, nullptr},
        {"Kestrin Label Maker", "New", nullptr, "Open", nullptr, "flyerLabelMaker"},
        {"Kestrin Flyer Maker Pro", "New", "showTemplateWebsite:", "Open", nullptr, "pdfSuite"},
        {"Kestrin Greeting Card Designer", "New Card", "showTemplateWebsite:", "Open Saved Card", nullptr, nullptr},
        {"Kestrin Markup", "New", nullptr, "Open", nullptr, "pdfMarkup"},
        {"Kestrin Markup Express", "New", "directlyLaunchSingleDocBlank:", nullptr, "openDocument:", "webdesigner"},
        {"Lomith Image Notes", "New", "showTemplateWebsite:", "Open...", nullptr, nullptr},
        {"Kestrin PDF Author", "New", nullptr, "Open", nullptr, "markup"},
        {"Kestrin Family Tree Maker", "New", nullptr, "Open", nullptr, nullptr},
        {"Brumel Responsive Email Designer", "New", "showTemplateWebsite:", "Open", "openDocument:", nullptr},
        {"Kestrin Responsive Form Designer", "New", nullptr, "Open", nullptr, nullptr},
        {"Selvaro Pro 2", "New", "showTemplateWebsite:", "Open", "openDocument:", "webdesigner"},
        {"Cardell", "New", nullptr, "Open", nullptr, "cardell2"},
        {"Cardell 2", "New", nullptr, "Open", nullptr, nullptr},
        {"Cardell Viewer", "Open Patient Profile", "openDocument:", "View Sample", "openSample:", nullptr},
        {"Veldacre", "New", nullptr, "Open", nullptr, nullptr},
        {"Quibpage Web Design Document Viewer", "Open", "openDocument:", "View Sample", "openSample:", nullptr},
        {"Corvane Business Card Designer", "New Card", "showTemplateWebsite:", "Open Saved Card", "openDocument:", nullptr},
        {"Corvane eCard Designer", "New Card", "showTemplateWebsite:", "Open Saved Card", "openDocument:", "foldingCard"},
        {"Corvane Envelope Designer", "New Envelope", "showTemplateWebsite:", "Open Saved Envelope", "openDocument:",
         nullptr},
    };
    return table;
}

const QString kWebDesignerSite = QStringLiteral("https://quib.app/html-quib-pro/");
const QString kEmailDesignerSite = QStringLiteral("https://quib.app/brumel-responsive-email-designer/");
const QString kKestrinSite = QStringLiteral("https://quib.app/kestrin/");

const char* const kWhatsNew = "What's New In v%1:\n- improvements for image slideshows\n- option for adding multiple "
                              "images to slideshow at once\n- improvements for textbox transparency settings";

const char* const kBrennoltNotes =
    "Version %1\n\nThis app is built exclusively for 30 label per sheet templates.  Compatible template "
    "measurements:\n- label dimension: 2.625\" x 1\" (67 x 25 mm)\n- template top margin: 0.5\"\n- template side "
    "margin: 0.21975\"\n- compatible template brands and models:\n\nAvery 5160 , 5260, 5520, 5660, 5810, 5960, "
    "5970, 5971 , 5972, 5979, 5980, 8160, 8460, 8660, 8810.  Also supports other brands with the same dimensions.";

} // namespace

const WelcomeWindowController::EditionRow* WelcomeWindowController::rowForEdition(const QString& displayName)
{
    for (const Row& row : editionTable()) {
        if (displayName == QString::fromUtf8(row.edition))
            return &row;
    }
    return nullptr;
}

std::optional<WelcomeWindowController::Promotion> WelcomeWindowController::promotionNamed(const QString& key)
{
    static const QHash<QString, Promotion> promotions{
        {QStringLiteral("webdesigner"),
         {QStringLiteral("cube3_pro_v2"), QStringLiteral("Website designer for Mac and iOS"),
          QStringLiteral("Introducing our sibling web design app:\n\nHTML Quib features a beautiful, intuitive, drag "
                         "and drop interface and is built natively for Mac, iPad, iPhone and Apple Watch."),
          kWebDesignerSite}},
        {QStringLiteral("mobile"),
         {QStringLiteral("preview_mobile"), QStringLiteral("HTML Quib Pro for iOS"),
          QStringLiteral("Did you know this app is also available for the iPad, iPhone and Apple Watch?\n\nYou can "
                         "now design and update your website on both Desktop and mobile devices.\n\nNote each "
                         "platform edition is sold separately."),
          kWebDesignerSite}},
        {QStringLiteral("email"),
         {QStringLiteral("brumel_email_designer"), QStringLiteral("Brumel Responsive Email Designer"),
          QStringLiteral("Beautiful emails for any device!\nIntuitive drag and drop designer with zero coding, "
                         "fabulous responsive emails made simple."),
          kEmailDesignerSite}},
        {QStringLiteral("labels"),
         {QStringLiteral("yarrowin"), QStringLiteral("Need more than address labels?"),
          QStringLiteral("Kestrin Label Maker supports hundreds of different sized labels.  Built exclusively for Mac."),
          kKestrinSite}},
        {QStringLiteral("flyerSuite"),
         {QStringLiteral("kestrin_flyer_maker"), QStringLiteral("Kestrin Flyer Maker Pro"),
          QStringLiteral("We think you may also like this new Mac app from the Kestrin Software Suite:\n\nKestrin "
                         "Flyer Maker Pro helps you create beautiful professional looking flyers in minutes! "),
          kKestrinSite}},
        {QStringLiteral("flyerLabelMaker"),
         {QStringLiteral("kestrin_flyer_maker"), QStringLiteral("Kestrin Flyer Maker Pro"),
          QStringLiteral("If you like Kestrin Label Maker, we think you will also enjoy this new product from the "
                         "Kestrin Software Suite:\n\nKestrin Flyer Maker Pro helps you create beautiful professional "
                         "looking flyers in minutes! "),
          kKestrinSite}},
        {QStringLiteral("pdfSuite"),
         {QStringLiteral("kestrin_manual"), QStringLiteral("Kestrin PDF Author"),
          QStringLiteral("We think you will also enjoy this new product from the Kestrin Software Suite:\n\nKestrin "
                         "PDF Author makes it easy to create multi-page PDF format user guides, instruction manuals "
                         "and booklets. "),
          kKestrinSite}},
        {QStringLiteral("pdfMarkup"),
         {QStringLiteral("kestrin_manual"), QStringLiteral("Kestrin PDF Author"),
          QStringLiteral("If you like Kestrin Markup, we think you will also enjoy this new product from the "
                         "Kestrin Software Suite:\n\nKestrin PDF Author makes it easy to create multi-page PDF "
                         "format user guides, instruction manuals and booklets. "),
          kKestrinSite}},
        {QStringLiteral("markup"),
         {QStringLiteral("kestrin_markup"), QStringLiteral("Kestrin Markup"),
          QStringLiteral("If you like Kestrin PDF Author, we think you will also enjoy this new product from the "
                         "Kestrin Software Suite:\n\nKestrin Markup makes it easy to add notes, outlines boxes, "
                         "zoom-in bubbles, lines and arrows to images and screenshots. "),
          kKestrinSite}},
        {QStringLiteral("foldingCard"),
         {QStringLiteral("kestrin_card_designer2"), QStringLiteral("Kestrin Greeting Card Designer"),
          QStringLiteral("Introducing new app: Kestrin Folding Card Designer makes it super easy to create "
                         "memorable greeting cards."),
          kKestrinSite + QStringLiteral("greeting-card-designer/")}},
        {QStringLiteral("cardell2"),
         {QStringLiteral("cardell2_mac"), QStringLiteral("Cardell 2"),
          QStringLiteral("Cardell 2 is finally here!  We took your feedback and made over 100+ improvements, "
                         "including custom profile icons and the ability to format note font size and colors."),
          QStringLiteral("https://quib.app/cardell/")}},
    };
    const auto found = promotions.constFind(key);
    if (found == promotions.constEnd())
        return std::nullopt;
    return *found;
}

QString WelcomeWindowController::titleFontFamily()
{
    if (DataCentre::isFontFamilyPresent(QStringLiteral("Impact")))
        return QStringLiteral("Impact");
    return QStringLiteral("Liberation Sans");
}

WelcomeWindowController::WelcomeWindowController(ActionSender sender, QObject* parent)
    : QObject(parent), m_sender(std::move(sender))
{
    m_window = new QWidget(nullptr, Qt::Window);
    m_window->setObjectName(QStringLiteral("WelcomeWindowController"));
    m_window->setAttribute(Qt::WA_DeleteOnClose, false);
    m_window->setFixedSize(760, 470);
    m_window->installEventFilter(this);

    m_logoImageView = new QLabel(m_window);
    m_logoImageView->setFixedSize(128, 128);
    m_logoImageView->setScaledContents(true);
    m_appTitleTextField = new QLabel(m_window);
    m_appTitleTextField->setFixedSize(560, 70);
    m_appVersionTextField = new QLabel(m_window);
    m_appVersionTextField->setWordWrap(true);
    m_appVersionTextField->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_whatsNewTextField = new QLabel(m_window);
    m_whatsNewTextField->setWordWrap(true);
    m_addNewWebsiteButton = new QPushButton(QStringLiteral("New Website"), m_window);
    m_openNewWebsiteButton = new QPushButton(QStringLiteral("Open Website"), m_window);
    m_userGuideButton = new QPushButton(QStringLiteral("User Guide"), m_window);
    m_videoTutorialButton = new QPushButton(QStringLiteral("Video Tutorials"), m_window);
    m_promoButton = new QPushButton(m_window);
    m_promoButton->setFlat(true);
    m_promoButton->setIconSize(QSize(200, 120));
    for (QPushButton* button : {m_addNewWebsiteButton, m_openNewWebsiteButton})
        button->setMinimumSize(180, 44);

    auto* header = new QHBoxLayout;
    header->addWidget(m_logoImageView, 0, Qt::AlignTop);
    auto* titles = new QVBoxLayout;
    titles->addWidget(m_appTitleTextField);
    titles->addWidget(m_appVersionTextField, 1);
    header->addLayout(titles, 1);
    auto* main = new QHBoxLayout;
    main->addWidget(m_addNewWebsiteButton);
    main->addWidget(m_openNewWebsiteButton);
    main->addStretch(1);
    main->addWidget(m_promoButton);
    auto* help = new QHBoxLayout;
    help->addWidget(m_userGuideButton);
    help->addWidget(m_videoTutorialButton);
    help->addStretch(1);
    auto* layout = new QVBoxLayout(m_window);
    layout->addLayout(header, 1);
    layout->addWidget(m_whatsNewTextField);
    layout->addLayout(main);
    layout->addLayout(help);

    connect(m_addNewWebsiteButton, &QPushButton::clicked, this, [this] { m_sender(m_newAction); });
    connect(m_openNewWebsiteButton, &QPushButton::clicked, this, [this] { m_sender(m_openAction); });
    connect(m_userGuideButton, &QPushButton::clicked, this,
            [this] { m_sender(QStringLiteral("launchUserGuide:")); });
    connect(m_videoTutorialButton, &QPushButton::clicked, this,
            [this] { m_sender(QStringLiteral("launchVideoTutorials:")); });
    connect(m_promoButton, &QPushButton::clicked, this, &WelcomeWindowController::launchPromotionMessage);
    windowDidLoad();
}

WelcomeWindowController::~WelcomeWindowController()
{
    delete m_window;
}

void WelcomeWindowController::windowDidLoad()
{
    const EditionSettings& e = edition();
    // Buttons the edition has nothing for are gone, not greyed.
    if (e.gUserGuideFileName.isEmpty()) {
        delete m_userGuideButton;
        m_userGuideButton = nullptr;
    }
    if (e.gVideoTutorialsURL.isEmpty()) {
        delete m_videoTutorialButton;
        m_videoTutorialButton = nullptr;
    }

    m_appTitleTextField->setText(e.gEditionDisplayName);
    const QString family = titleFontFamily();
    QFont titleFont(family);
    titleFont.setBold(family != QLatin1String("Impact"));
    titleFont.setPixelSize(std::max(1, ProfileViewController::calcFontSizeToFitRect(
                                           QRectF(QPointF(0, 0), QSizeF(m_appTitleTextField->size())),
                                           e.gEditionDisplayName, family)));
    m_appTitleTextField->setFont(titleFont);

    QString version = QStringLiteral("Version %1").arg(e.gBundleVersion);
    m_logoImageView->setPixmap(QPixmap::fromImage(e.gEditionIcon));
    if (!e.gWelcomeText.isEmpty())
        version = QStringLiteral("%1\n\n%2").arg(version, e.gWelcomeText);

    m_newAction = defaultNewAction();
    m_openAction = defaultOpenAction();
    if (const Row* row = rowForEdition(e.gEditionDisplayName)) {
        if (row->newTitle)
            m_addNewWebsiteButton->setText(QString::fromUtf8(row->newTitle));
        if (row->newAction)
            m_newAction = QString::fromLatin1(row->newAction);
        if (row->openTitle)
            m_openNewWebsiteButton->setText(QString::fromUtf8(row->openTitle));
        if (row->openAction)
            m_openAction = QString::fromLatin1(row->openAction);
        if (row->promotion)
            m_promotion = promotionNamed(QString::fromLatin1(row->promotion));
        if (e.gEditionDisplayName == QLatin1String("Brennolt Pro"))
            version = QString::fromUtf8(kBrennoltNotes).arg(e.gBundleVersion);
    }
    m_appVersionTextField->setText(version);
    if (m_promotion) {
        const QString image = QDir(DataCentre::resourcesPath()).filePath(QStringLiteral("images/") + m_promotion->image + QStringLiteral(".png"));
        m_promoButton->setIcon(QIcon(image));
        m_promoButton->setText(m_promotion->title);
    }
    // Editions without a promotion show no promotion button.
    m_promoButton->setVisible(m_promotion.has_value());
    m_whatsNewTextField->setText(QString::fromUtf8(kWhatsNew).arg(e.gBundleVersion));
    QPalette palette = m_appVersionTextField->palette();
    palette.setColor(QPalette::WindowText, Qt::darkGray);
    m_appVersionTextField->setPalette(palette);
    m_window->setWindowTitle(QStringLiteral("Welcome"));
}

void WelcomeWindowController::setMenuBar(QMenuBar* bar)
{
    bar->setParent(m_window);
    m_window->layout()->setMenuBar(bar);
    m_window->setFixedSize(m_window->width(), m_window->height() + bar->sizeHint().height());
    m_menuBar = bar;
}

void WelcomeWindowController::showWindow()
{
    m_window->show();
    m_window->raise();
}

void WelcomeWindowController::launchPromotionMessage()
{
    if (!m_promotion)
        return;
    platform::Alert alert;
    alert.title = m_promotion->title;
    alert.informativeText = m_promotion->message;
    alert.buttons = {QStringLiteral("Learn more"), QStringLiteral("Cancel")};
    if (platform::DialogService::current().runAlert(alert) == 0)
        platform::openUrl(QUrl(m_promotion->url));
}

bool WelcomeWindowController::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window && event->type() == QEvent::Close)
        emit closed();
    return QObject::eventFilter(watched, event);
}
