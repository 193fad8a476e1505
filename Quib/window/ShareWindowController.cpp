#include "window/ShareWindowController.h"

#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "window/FlippedNSView.h"

#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

using Kind = ShareWindowController::ShareButtonKind;

namespace {

struct EditionList
{
    QStringList editions;
    QList<Kind> buttons;
};

const QList<EditionList>& editionLists()
{
    const Kind PNG = Kind::SaveAsPNG, JPEG = Kind::SaveAsJPEG, PDF = Kind::SaveAsPDF, Book = Kind::SaveAllPDFPages,
               Fast = Kind::SaveAllPDFPagesFast, Link = Kind::SendToClipBoard, Image = Kind::SendImageToClipBoard,
               Facebook = Kind::ShareOnFacebook, Twitter = Kind::ShareOnTwitter,
               Mail = Kind::SendToEmail, Browser = Kind::LaunchInSafari,
               Rate = Kind::RateApp;
    // Messaging and nearby-device sending have no service on this desktop: no list offers them.
    const QList<Kind> pictures{PNG, JPEG, PDF, Image, Facebook, Twitter, Mail, Rate};
    // The first list naming the edition decides.
    static const QList<EditionList> lists{
        {{"Kestrin Markup", "Kestrin Markup Express"}, pictures},
        {{"Lomith Image Notes", "Kestrin Flyer Maker Pro"}, pictures},
        {{"Kestrin Label Maker"}, {PNG, Image, Mail, Rate}},
        {{"Kestrin PDF Author"}, {PDF, Book, Fast, Image, Facebook, Twitter, Mail, Rate}},
        {{"Haskavel Pro"}, pictures},
        {{"HTML Quib Pro", "Brumel Responsive Website Designer"}, {Browser, Link, Mail, Facebook, Twitter, Rate}},
        {{"Selvaro Pro", "Selvaro Pro 2"}, {Browser, Link, Facebook, Twitter, Rate}},
        {{"Femmock"}, {PNG, Image, Rate}},
        {{"Corvane Business Card Designer"}, {Mail, PNG, Image, Rate}},
        {{"Corvane Envelope Designer"}, {Mail, PNG, Image, Rate}},
        {{"Corvane eCard Designer"}, {PNG, JPEG, PDF, Image, Facebook, Twitter, Rate}},
        {{"Brennolt Pro"}, {PNG, Image, Rate}},
        {{"Ulmira Pro 2"}, {PNG, Image, Facebook, Twitter, Rate}},
        {{"Ulmira Express"}, {PNG, JPEG, PDF, Image, Facebook, Twitter, Rate}},
        {{"Kestrin Greeting Card Designer"}, {PNG, Image, Mail, Facebook, Twitter, Rate}},
        {{"Veldacre"}, {PDF, Image, Rate}},
    };
    return lists;
}

// What a drawn tile shows for an image name the resources do not hold.
struct DrawnTile
{
    const char* imageName;
    const char* text;
    QRgb colour;
};

const DrawnTile kDrawnTiles[] = {
    {"png_icon", "PNG", 0x2E8B57},      {"jpg_icon", "JPG", 0x1E90FF},   {"pdf_icon", "PDF", 0xC0392B},
    {"clipboard", "Copy", 0x7F8C8D},    {"facebook", "f", 0x3B5998},     {"twitter", "t", 0x1DA1F2},
    {"message", "Msg", 0x34C759},       {"review", "Rate", 0xF39C12},    {"launch_safari", "www", 0x0A84FF},
    {"mail_icon", "@", 0x5856D6},       {"airdrop", "Drop", 0x5AC8FA},
};

} // namespace

const QList<ShareWindowController::ButtonDescription>& ShareWindowController::buttonTable()
{
    static const QList<ButtonDescription> table{
        {Kind::SaveAsPNG, "saveAsPNGButton", "png_icon", "Save As PNG", "exportPNGPageFromShare", true},
        {Kind::SaveAsJPEG, "saveAsJPEGButton", "jpg_icon", "Save As JPEG", "exportJPEGPageFromShare", true},
        {Kind::SaveAsPDF, "saveAsPDFButton", "pdf_icon", "Save As PDF", "exportPDFPageFromShare", true},
        {Kind::SaveAllPDFPages, "saveAllPDFPagesButton", "pdf_icon", "Save As PDF Book", "exportAllPDF", true},
        {Kind::SaveAllPDFPagesFast, "saveAllPDFPagesFastButton", "pdf_icon", "Fast Export", "exportAllPDFFast",
         true},
        {Kind::SendToClipBoard, "sendToClipBoardButton", "clipboard", "Copy To Clipboard",
         "sendShareLinkToClipboard", true},
        {Kind::SendImageToClipBoard, "sendImageToClipBoardButton", "clipboard", "Copy To Clipboard",
         "sendShareImageToClipboard", true},
        {Kind::ShareOnFacebook, "shareOnFacebookButton", "facebook", "Facebook", "shareOnFacebook", true},
        {Kind::ShareOnTwitter, "shareOnTwitterButton", "twitter", "Twitter", "shareOnTwitter", true},
        // No messaging or nearby-device service exists on this desktop.
        {Kind::ShareOnMessage, "shareOnMessageButton", "message", "Messages", "shareOnMessages", false},
        {Kind::RateApp, "rateAppButton", "review", "Rate App", "rateApp", true},
        {Kind::LaunchInSafari, "launchInSafariButton", "launch_safari", "Launch In Safari", "launchInSafari", true},
        {Kind::SendToEmail, "sendToEmailButton", "mail_icon", "Email", "shareByEmail", true},
        {Kind::SendToAirdrop, "sendToAirdropButton", "airdrop", "Air Drop", "shareOnAirDrop", false},
    };
    return table;
}

const ShareWindowController::ButtonDescription& ShareWindowController::description(ShareButtonKind kind)
{
    return buttonTable().at(static_cast<int>(kind));
}

QList<Kind> ShareWindowController::shareButtonsForEdition(const QString& displayName)
{
    for (const EditionList& list : editionLists()) {
        if (list.editions.contains(displayName))
            return list.buttons;
    }
    return {};
}

QList<Kind> ShareWindowController::gShareButtons()
{
    return shareButtonsForEdition(edition().gEditionDisplayName);
}

QString ShareWindowController::titleForEdition(ShareButtonKind kind, const QString& displayName)
{
    if (displayName == QLatin1String("Kestrin PDF Author")) {
        switch (kind) {
        case Kind::SaveAsPDF:
            return QStringLiteral("Save Page As PDF");
        case Kind::ShareOnTwitter:
            return QStringLiteral("Tweet This Page");
        case Kind::ShareOnFacebook:
            return QStringLiteral("Post Page on FB");
        case Kind::SendToEmail:
            return QStringLiteral("Email Page");
        case Kind::ShareOnMessage:
            return QStringLiteral("Message Page");
        case Kind::SendImageToClipBoard:
            return QStringLiteral("Copy Page");
        default:
            break;
        }
    }
    return QString::fromUtf8(description(kind).title);
}

QIcon ShareWindowController::iconNamed(const QString& imageName)
{
    const QSize size(kIconSide, kIconSide);
    const QString file =
        QDir(DataCentre::resourcesPath()).filePath(QStringLiteral("images/") + imageName + QStringLiteral(".png"));
    if (!DataCentre::resourcesPath().isEmpty() && QFileInfo(file).isFile()) {
        const QPixmap picture(file);
        if (!picture.isNull())
            return QIcon(picture.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    }
    QPixmap tile(size);
    tile.fill(Qt::transparent);
    const DrawnTile* drawn = nullptr;
    for (const DrawnTile& candidate : kDrawnTiles) {
        if (imageName == QLatin1String(candidate.imageName))
            drawn = &candidate;
    }
    QPainter painter(&tile);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(drawn ? drawn->colour : 0x808080));
    painter.drawRoundedRect(QRectF(2, 2, kIconSide - 4, kIconSide - 4), 14, 14);
    QFont font;
    font.setBold(true);
    font.setPixelSize(22);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(tile.rect(), Qt::AlignCenter, drawn ? QString::fromUtf8(drawn->text) : QString());
    painter.end();
    return QIcon(tile);
}

ShareWindowController::ShareWindowController(QWidget* parent, QObject* owner) : QObject(owner)
{
    m_window = new QDialog(parent);
    m_window->setObjectName(QStringLiteral("ShareWindowController"));
    m_window->setWindowTitle(QStringLiteral("Share"));
    m_window->setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    m_labelTextField = new QLabel(m_window);
    m_labelTextField->setAlignment(Qt::AlignCenter);
    m_labelTextField->setWordWrap(true);
    m_labelTextField->setTextFormat(Qt::PlainText);
    m_labelTextField->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Room for the publication message: a line, a blank line and the address.
    m_labelTextField->setMinimumHeight(4 * m_labelTextField->fontMetrics().lineSpacing());
    m_mainView = new FlippedNSView(m_window);
    // Room for three rows of four.
    m_mainView->setFixedSize(kColumns * kButtonSide + (kColumns - 1) * kSpacing, 3 * kButtonSide + 2 * kSpacing);
    m_closeButton = new QPushButton(QStringLiteral("Close"), m_window);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_closeButton);
    auto* layout = new QVBoxLayout(m_window);
    layout->setContentsMargins(20, 20, 20, 16);
    layout->setSpacing(16);
    layout->addWidget(m_labelTextField);
    layout->addWidget(m_mainView, 0, Qt::AlignHCenter);
    layout->addLayout(buttons);
    // Escape hides the sheet like the close button; nothing is left half done by it.
    connect(m_window, &QDialog::rejected, m_closeButton, &QPushButton::click);
    windowDidLoad();
}

ShareWindowController::~ShareWindowController()
{
    delete m_window.data();
}

void ShareWindowController::windowDidLoad()
{
    const QString displayName = edition().gEditionDisplayName;
    // The design's 10 points are 10 of our device-independent pixels; in points the titles would
    // not fit under a 100-pixel button.
    QFont titleFont(QStringLiteral("Heiti TC"));
    titleFont.setPixelSize(10);
    for (const ButtonDescription& row : buttonTable()) {
        auto* button = new QToolButton(m_mainView);
        button->setObjectName(QString::fromLatin1(row.property));
        button->setGeometry(0, 0, kButtonSide, kButtonSide);
        button->setAutoRaise(true);
        button->setIcon(iconNamed(QString::fromLatin1(row.imageName)));
        button->setIconSize(QSize(kIconSide, kIconSide));
        button->setText(titleForEdition(row.kind, displayName));
        button->setFont(titleFont);
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        // Greyed until the document connects it to an operation.
        button->setEnabled(false);
        button->hide();
        m_allButtons.append(button);
        m_actions.append(QMetaObject::Connection());
    }
    for (Kind kind : gShareButtons())
        m_shareButtons.append(button(kind));
}

void ShareWindowController::setLabelText(const QString& text)
{
    m_labelTextField->setText(text);
    m_window->adjustSize();
}

QToolButton* ShareWindowController::button(ShareButtonKind kind) const
{
    return m_allButtons.value(static_cast<int>(kind));
}

void ShareWindowController::setButtonAction(ShareButtonKind kind, std::function<void()> action)
{
    QToolButton* target = button(kind);
    const int index = static_cast<int>(kind);
    disconnect(m_actions[index]);
    m_actions[index] = {};
    const bool usable = action && description(kind).hasPlatformService;
    if (usable)
        m_actions[index] = connect(target, &QToolButton::clicked, this, std::move(action));
    target->setEnabled(usable);
}

void ShareWindowController::layOutShareButtons()
{
    for (qsizetype i = 0; i < m_shareButtons.size(); ++i) {
        QToolButton* button = m_shareButtons.at(i);
        const int column = static_cast<int>(i % kColumns);
        const int row = static_cast<int>(i / kColumns);
        button->move(column * (button->width() + kSpacing), row * (button->height() + kSpacing));
        button->show();
    }
}
