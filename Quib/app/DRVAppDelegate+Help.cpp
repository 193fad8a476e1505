// The help side of the application: the help alert, the user guide and video tutorials, the feedback
// sheet, the promotions of sibling products and the text categories window. There is no mail sharing
// service on this desktop, so messages go to the user's mail program as mail links.
#include "app/CustomizeCategoriesWindowController.h"
#include "app/DRVAppDelegate.h"
#include "app/FeedbackWindowController.h"
#include "editions/EditionSettings.h"
#include "platform/Dialogs.h"
#include "platform/Format.h"
#include "platform/StringsTable.h"
#include "platform/UrlOpener.h"
#include "platform/UserDefaults.h"
#include "window/DRVWindowController.h"
#include "window/ShapeSelectionView.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QUrl>

namespace {

const QString kFeedbackAddress = QStringLiteral("feedback@quib.app");
const QString kVetEditionSite = QStringLiteral("https://quib.app/cardell-vet/");
const QString kPatientRecordsSite = QStringLiteral("https://quib.app/cardell-2/");
const QString kFeedbackPrompt = QStringLiteral("Please tell us how we can improve.  Thanks.");

QString translated(const QString& title)
{
    return platform::StringsTable::lookup(title, QStringLiteral("Localizable"));
}

int runAlert(const QString& title, const QString& text, const QStringList& buttons)
{
    platform::Alert alert;
    alert.title = title;
    alert.informativeText = text;
    alert.buttons = buttons;
    alert.style = platform::AlertStyle::Warning;
    return platform::DialogService::current().runAlert(alert);
}

// The front document window, where sheets go.
QWidget* sheetHost()
{
    if (DRVWindowController* front = DRVWindowController::mainWindowController())
        return front->window();
    return QApplication::activeWindow();
}

} // namespace

const QStringList& DRVAppDelegate::helpActions()
{
    static const QStringList actions{
        QStringLiteral("showHelpAlert:"),          QStringLiteral("launchUserGuide:"),
        QStringLiteral("launchVideoTutorials:"),   QStringLiteral("showVideoTutorials:"),
        QStringLiteral("showiPhoneAlert:"),        QStringLiteral("showIOSEdition:"),
        QStringLiteral("launchCardellVet:"),       QStringLiteral("launchZOR2PromotionMessage:"),
        QStringLiteral("launchFeedbackModalSheet:"), QStringLiteral("suggestFeature:"),
        QStringLiteral("customizeCategories:"),    QStringLiteral("showCustomizeCategoriesWindowController:")};
    return actions;
}

bool DRVAppDelegate::performHelpAction(const QString& action)
{
    if (action == QLatin1String("showHelpAlert:"))
        showHelpAlert();
    else if (action == QLatin1String("launchUserGuide:"))
        launchUserGuide();
    else if (action == QLatin1String("launchVideoTutorials:") || action == QLatin1String("showVideoTutorials:"))
        launchVideoTutorials();
    else if (action == QLatin1String("showiPhoneAlert:") || action == QLatin1String("showIOSEdition:"))
        showiPhoneAlert();
    else if (action == QLatin1String("launchCardellVet:"))
        launchCardellVet();
    else if (action == QLatin1String("launchZOR2PromotionMessage:"))
        launchZOR2PromotionMessage();
    else if (action == QLatin1String("launchFeedbackModalSheet:"))
        launchFeedbackModalSheet();
    else if (action == QLatin1String("suggestFeature:"))
        suggestFeature();
    else if (action == QLatin1String("customizeCategories:") ||
             action == QLatin1String("showCustomizeCategoriesWindowController:"))
        showCustomizeCategoriesWindowController();
    else
        return false;
    return true;
}

// ---- mail links ----

QUrl DRVAppDelegate::mailLink(const QString& address, const QString& subject, const QString& body)
{
    // Mail links carry line breaks as CR LF; everything but the unreserved characters is encoded, so
    // "&", "#", "%" or "=" in a value can never start another field.
    // A subject is one header line: a line break there could start another header.
    QString oneLine = subject;
    oneLine.replace(QStringLiteral("\r\n"), QStringLiteral(" ")).replace(u'\r', u' ').replace(u'\n', u' ');
    QString lines = body;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    lines.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    const QByteArray encoded = QByteArrayLiteral("mailto:") + QUrl::toPercentEncoding(address, "@") +
                               QByteArrayLiteral("?Subject=") + QUrl::toPercentEncoding(oneLine) +
                               QByteArrayLiteral("&body=") + QUrl::toPercentEncoding(lines);
    return QUrl::fromEncoded(encoded, QUrl::StrictMode);
}

QUrl DRVAppDelegate::helpMailLink()
{
    const EditionSettings& e = edition();
    const QString subject = platform::formatv(QStringLiteral("Help with %@ %@"), e.gEditionDisplayName, e.gBundleVersion);
    const QString body = platform::formatv(
        QStringLiteral("Hello!  I'm using %@, version %@.  Please help me with the following questions / feedback:"),
        e.gEditionDisplayName, e.gBundleVersion);
    return mailLink(e.gSupportEmailAddress, subject, body);
}

QString DRVAppDelegate::feedbackBodyHTML(const QString& experience, const QString& details)
{
    QString text = details.toHtmlEscaped();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    text.replace(QStringLiteral("\n"), QStringLiteral("<br>"));
    return platform::formatv(
        QStringLiteral("<b>Experience summary:</b><br>%@<br><br><b>Feedback details:</b><br>%@"),
        experience.toHtmlEscaped(), text);
}

QUrl DRVAppDelegate::feedbackMailLink(const QString& experience, const QString& details)
{
    const EditionSettings& e = edition();
    const QString subject = platform::formatv(QStringLiteral("Feedback - %@ v%@"), e.gEditionDisplayName, e.gBundleVersion);
    // A mail link carries plain text: the message as the HTML reader gives it back.
    QTextDocument reader;
    reader.setHtml(feedbackBodyHTML(experience, details));
    return mailLink(kFeedbackAddress, subject, reader.toPlainText());
}

// ---- help and promotions ----

void DRVAppDelegate::showHelpAlert()
{
    const int answer = runAlert(
        QStringLiteral("Need help with this App?"),
        QStringLiteral("Have questions with a feature?  Have suggestions for this App? We would love to hear from you!"),
        {QStringLiteral("Support Website"), translated(QStringLiteral("Email")), translated(QStringLiteral("Cancel"))});
    if (answer == 0)
        platform::openUrl(QUrl(edition().gProductSiteURL));
    else if (answer == 1)
        platform::openUrl(helpMailLink());
}

void DRVAppDelegate::launchVideoTutorials()
{
    if (!edition().gVideoTutorialsURL.isEmpty())
        platform::openUrl(QUrl(edition().gVideoTutorialsURL));
}

void DRVAppDelegate::showiPhoneAlert()
{
    if (runAlert(QStringLiteral("iOS Edition"),
                 QStringLiteral("Work on both your mobile and desktop devices.  Learn about the iOS Edition (sold "
                                "separately on the App Store)"),
                 {QStringLiteral("iOS Edition"), QStringLiteral("OK")}) == 0)
        platform::openUrl(QUrl(edition().gProductSiteURL));
}

void DRVAppDelegate::launchCardellVet()
{
    if (runAlert(QStringLiteral("Cardell Vet Edition"),
                 QStringLiteral("Introducing Cardell for Vet, a new and easier way for Veterinary physicians to "
                                "manage patients.  Now available for Mac, iPhone and iPad."),
                 {translated(QStringLiteral("Learn More")), translated(QStringLiteral("Cancel"))}) == 0)
        platform::openUrl(QUrl(kVetEditionSite));
}

void DRVAppDelegate::launchZOR2PromotionMessage()
{
    if (runAlert(QStringLiteral("Cardell 2"),
                 QStringLiteral("Cardell 2 is finally here!  We took your feedback and made over 100+ improvements, "
                                "including custom profile icons and the ability to format note font size and colors."),
                 {QStringLiteral("Learn more"), QStringLiteral("Cancel")}) == 0)
        platform::openUrl(QUrl(kPatientRecordsSite));
}

void DRVAppDelegate::suggestFeature()
{
    qInfo("suggest feature");
}

// ---- feedback ----

void DRVAppDelegate::launchFeedbackModalSheet()
{
    if (!m_feedbackWindowController)
        m_feedbackWindowController = std::make_unique<FeedbackWindowController>();
    FeedbackWindowController* sheet = m_feedbackWindowController.get();
    sheet->beginSheet(sheetHost());
    // Connected afresh for each showing: the sheet may have been built again.
    disconnect(sheet->cancelButton(), nullptr, this, nullptr);
    disconnect(sheet->sendEmailButton(), nullptr, this, nullptr);
    connect(sheet->cancelButton(), &QPushButton::clicked, this, &DRVAppDelegate::cancelFeedbackModalSheet);
    connect(sheet->sendEmailButton(), &QPushButton::clicked, this, &DRVAppDelegate::sendFeedback);
    sheet->feedbackTextView()->setPlainText(kFeedbackPrompt);
}

void DRVAppDelegate::cancelFeedbackModalSheet()
{
    if (m_feedbackWindowController && m_feedbackWindowController->window())
        m_feedbackWindowController->window()->hide();
}

void DRVAppDelegate::sendFeedback()
{
    cancelFeedbackModalSheet();
    if (!m_feedbackWindowController || !m_feedbackWindowController->feedbackTextView())
        return;
    platform::openUrl(feedbackMailLink(m_feedbackWindowController->selectedExperience(),
                                       m_feedbackWindowController->feedbackTextView()->toPlainText()));
}

// ---- text categories ----

void DRVAppDelegate::showCustomizeCategoriesWindowController()
{
    if (!m_customizeCategoriesWindowController) {
        m_customizeCategoriesWindowController = std::make_unique<CustomizeCategoriesWindowController>();
        connect(m_customizeCategoriesWindowController->saveButton(), &QPushButton::clicked, this,
                &DRVAppDelegate::saveCategories);
        connect(m_customizeCategoriesWindowController->resetButton(), &QPushButton::clicked, this,
                &DRVAppDelegate::resetCategories);
    }
    m_customizeCategoriesWindowController->showWindow();
}

void DRVAppDelegate::saveCategories()
{
    CustomizeCategoriesWindowController* window = m_customizeCategoriesWindowController.get();
    if (!window)
        return;
    const QList<QLineEdit*> fields = window->categoryTextFieldMutableArray();
    const QList<std::shared_ptr<QObject>>& presets = edition().gPresetTextViews;
    // One name per preset, so a later launch never finds a list shorter than its styles.
    QStringList names;
    for (qsizetype i = 0; i < presets.size(); ++i) {
        auto* preset = qobject_cast<ShapeSelectionView*>(presets.at(i).get());
        if (preset && i < fields.size())
            preset->setTextString(fields.at(i)->text());
        names.append(preset ? preset->textString() : edition().gTextCategoryNames.value(i));
    }
    platform::UserDefaults& defaults = platform::UserDefaults::standard();
    defaults.setBool(QStringLiteral("TextCategoryOverRide"), true);
    defaults.setObject(QStringLiteral("CustomTextCategoryDescriptions"), names);
    window->window()->hide();
}

void DRVAppDelegate::resetCategories()
{
    CustomizeCategoriesWindowController* window = m_customizeCategoriesWindowController.get();
    platform::UserDefaults::standard().setBool(QStringLiteral("TextCategoryOverRide"), false);
    const QStringList& names = edition().gTextCategoryNames;
    const QList<std::shared_ptr<QObject>>& presets = edition().gPresetTextViews;
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (i < presets.size()) {
            if (auto* preset = qobject_cast<ShapeSelectionView*>(presets.at(i).get()))
                preset->setTextString(names.at(i));
        }
        if (window && i < window->categoryTextFieldMutableArray().size())
            window->categoryTextFieldMutableArray().at(i)->setText(names.at(i));
    }
    if (window)
        window->window()->hide();
}
