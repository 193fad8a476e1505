#include "window/SourceCodeWindowController.h"

#include "document/DRVDocument.h"
#include "platform/Dialogs.h"
#include "platform/UserDefaults.h"
#include "window/DRVWindowController.h"

#include <QClipboard>
#include <QEvent>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

namespace {

const QString kEmptySource = QStringLiteral("Oops, no source code generated, please request again");
// While the page text is generated for this window; 0 again afterwards.
constexpr int kSourceWindowUploadFlag = 999;

QString frameKey(const QString& autosaveName)
{
    return QStringLiteral("NSWindow Frame ") + autosaveName;
}

SourceCodeWindowController::MailHandOver& mailHandOver()
{
    static SourceCodeWindowController::MailHandOver handOver;
    return handOver;
}

} // namespace

SourceCodeWindowController::SourceCodeWindowController(QObject* parent) : QObject(parent) {}

SourceCodeWindowController::~SourceCodeWindowController()
{
    if (m_window) {
        m_window->removeEventFilter(this);
        delete m_window;
    }
}

QWidget* SourceCodeWindowController::window()
{
    if (m_window)
        return m_window;
    m_window = new QWidget(nullptr, Qt::Window);
    m_window->setObjectName(QStringLiteral("SourceCodeView"));
    m_window->setAttribute(Qt::WA_DeleteOnClose, false);
    auto* layout = new QVBoxLayout(m_window);

    m_textView = new QPlainTextEdit;
    m_textView->setObjectName(QStringLiteral("textView"));
    // Shows the text as it is: nothing the user types or pastes may change what is copied.
    m_textView->setReadOnly(true);
    m_textView->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // Lines wrap at the window's width, so the text grows downwards only.
    m_textView->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_textView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_textView->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(m_textView, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_grabCodeButton = new QPushButton(QStringLiteral("Copy to Clipboard"));
    m_grabCodeButton->setObjectName(QStringLiteral("grabCodeButton"));
    buttons->addWidget(m_grabCodeButton);
    layout->addLayout(buttons);

    m_window->resize(760, 560);
    m_window->installEventFilter(this);
    return m_window;
}

QPlainTextEdit* SourceCodeWindowController::textView()
{
    window();
    return m_textView;
}

QPushButton* SourceCodeWindowController::grabCodeButton()
{
    window();
    return m_grabCodeButton;
}

void SourceCodeWindowController::showWindow()
{
    QWidget* w = window();
    w->show();
    w->raise();
    w->activateWindow();
}

void SourceCodeWindowController::setSourceText(const QString& text)
{
    textView()->setPlainText(text);
    if (textView()->toPlainText().isEmpty())
        textView()->setPlainText(kEmptySource);
}

// ---- the document's source commands ----

SourceCodeWindowController* SourceCodeWindowController::sourceCodeController(const DRVDocument* document)
{
    if (!document)
        return nullptr;
    return document->findChild<SourceCodeWindowController*>(QString(), Qt::FindDirectChildrenOnly);
}

SourceCodeWindowController* SourceCodeWindowController::ensureController(DRVDocument* document)
{
    SourceCodeWindowController* controller = sourceCodeController(document);
    if (!controller) {
        controller = new SourceCodeWindowController(document);
        controller->m_document = document;
    }
    return controller;
}

void SourceCodeWindowController::showOrHideSourceCode(DRVDocument* document)
{
    showSourceCode(document, true);
}

void SourceCodeWindowController::showOrHideSourceCodeStatic(DRVDocument* document)
{
    showSourceCode(document, false);
}

void SourceCodeWindowController::showSourceCode(DRVDocument* document, bool publishFlag)
{
    if (!document)
        return;
    document->setFTPUploadFlag(kSourceWindowUploadFlag);
    if (document->pageName().isEmpty())
        document->setPageName(document->createFileName());
    const QString source = document->generateSourceCode(document->pageName(), publishFlag, false);
    ensureController(document)->showText(document, QStringLiteral("Source Code"), source);
    document->setFTPUploadFlag(0);
}

void SourceCodeWindowController::showMailSourceCode(DRVDocument* document)
{
    if (!document)
        return;
    document->setShowCodeOnlyFlag(true);
    if (mailHandOver())
        mailHandOver()(document);
    else
        document->uploadPNG();
}

void SourceCodeWindowController::setMailHandOver(MailHandOver handOver)
{
    mailHandOver() = std::move(handOver);
}

bool SourceCodeWindowController::isImageMapEmailEdition(const QString& editionDisplayName)
{
    return editionDisplayName == QLatin1String("Ulmira Pro 2") ||
           editionDisplayName == QLatin1String("Ulmira Express");
}

void SourceCodeWindowController::presentGeneratedSourceCode(DRVDocument* document, const QString& html)
{
    if (!document)
        return;
    document->setShowCodeOnlyFlag(false);
    SourceCodeWindowController* controller = ensureController(document);
    controller->setFrameAutosaveName(QStringLiteral("SourceCode"));
    controller->showText(document, QStringLiteral("HTML Code"), html);
}

void SourceCodeWindowController::setFrameAutosaveName(const QString& name)
{
    if (m_frameAutosaveName == name)
        return;
    m_frameAutosaveName = name;
    if (name.isEmpty())
        return;
    const QString saved = platform::UserDefaults::standard().stringForKey(frameKey(name));
    if (!saved.isEmpty())
        window()->restoreGeometry(QByteArray::fromBase64(saved.toLatin1()));
}

bool SourceCodeWindowController::eventFilter(QObject* watched, QEvent* event)
{
    if ((event->type() == QEvent::Move || event->type() == QEvent::Resize || event->type() == QEvent::Hide) &&
        watched->isWidgetType() && watched == m_window && !m_frameAutosaveName.isEmpty())
        platform::UserDefaults::standard().setObject(
            frameKey(m_frameAutosaveName), QString::fromLatin1(m_window->saveGeometry().toBase64()));
    return QObject::eventFilter(watched, event);
}

void SourceCodeWindowController::showText(DRVDocument* document, const QString& title, const QString& text)
{
    window()->setWindowTitle(title);
    // One connection however often the window is shown.
    disconnect(m_grabCodeButton, nullptr, this, nullptr);
    connect(m_grabCodeButton, &QPushButton::clicked, this, [this] { grabSourceCode(m_document); });
    m_document = document;
    setSourceText(text);
    showWindow();
}

void SourceCodeWindowController::grabSourceCode(DRVDocument* document)
{
    SourceCodeWindowController* controller = sourceCodeController(document);
    if (!controller || !controller->isWindowLoaded())
        return;
    QGuiApplication::clipboard()->setText(controller->textView()->toPlainText());
    platform::Alert alert;
    alert.title = QStringLiteral("Copied to Clipboard");
    alert.buttons = {QStringLiteral("OK")};
    alert.style = platform::AlertStyle::Informational;
    platform::showAlert(alert);
}

QWidget* SourceCodeWindowController::documentWindow(const DRVDocument* document)
{
    const QList<DRVWindowController*> controllers = DRVWindowController::controllersForDocument(document);
    if (controllers.size() != 1)
        return nullptr;
    return controllers.constFirst()->window();
}

void SourceCodeWindowController::disableImageReminder()
{
    platform::UserDefaults::standard().setBool(QStringLiteral("disableImageReminder"), true);
}

bool SourceCodeWindowController::imageReminderDisabled()
{
    return platform::UserDefaults::standard().boolForKey(QStringLiteral("disableImageReminder"));
}
