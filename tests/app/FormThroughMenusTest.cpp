// A form built from the window's own menu items in a form edition, saved, written for publishing
// and served by `php -S` on loopback with a sendmail stand-in: one submission of every field gives
// one mail that holds them all, with the marked field as the reply address. Table commands run
// from the Format menu on a table of the page.
#include "AppTestSupport.h"

#include "canvas/DRVGraphicView.h"
#include "common/ExternalTools.h"
#include "common/PhpLoopback.h"
#include "generation/PhpHandlerWriter.h"
#include "model/DRVTable.h"
#include "model/DRVText.h"
#include "model/myTextView.h"

#include <QRegularExpression>
#include <QTextDocument>

using namespace phploopback;

namespace {

class FormThroughMenusTest : public WindowedAppTest
{
protected:
    FormThroughMenusTest() : m_form(QStringLiteral("Selvaro Pro"))
    {
        // The form edition replaced the working folders the application tests use.
        useWorkingFolders();
        platform::UserDefaults::standard().setBool(QStringLiteral("InsertNewAtEndFlag"), true);
    }

    // Runs a menu item as the user would: validated by opening its menu, then chosen.
    static void choose(DRVWindowController* window, const QString& action)
    {
        QAction* item = validatedItem(window, action);
        ASSERT_TRUE(item) << qPrintable(action);
        ASSERT_TRUE(item->isEnabled()) << qPrintable(action);
        ASSERT_TRUE(item->isVisible()) << qPrintable(action);
        emit qobject_cast<QMenu*>(item->parent())->aboutToHide();
        item->trigger();
    }

    static void selectOnly(DRVWindowController* window, const DRVGraphic* graphic)
    {
        const int index = int(window->document()->graphics().indexOf(graphic));
        window->graphicView()->changeSelectionIndexes({index});
    }

    ScopedEdition m_form;
};

struct Input
{
    QString type;
    QString name;
    QString value;
};

// The inputs of the published form, in page order.
QList<Input> inputsOf(const QString& page)
{
    static const QRegularExpression tag(QStringLiteral("<(input|textarea)\\b[^>]*>"));
    static const QRegularExpression attribute(QStringLiteral("(\\w+)=(?:\"([^\"]*)\"|([^\\s>\"]+))"));
    QList<Input> inputs;
    for (auto it = tag.globalMatch(page); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        Input input;
        input.type = m.captured(1) == QLatin1String("textarea") ? QStringLiteral("textarea") : QString();
        for (auto a = attribute.globalMatch(m.captured(0)); a.hasNext();) {
            const QRegularExpressionMatch pair = a.next();
            const QString value = pair.captured(2) + pair.captured(3);
            if (pair.captured(1) == QLatin1String("type"))
                input.type = value;
            else if (pair.captured(1) == QLatin1String("name"))
                input.name = value;
            else if (pair.captured(1) == QLatin1String("value"))
                input.value = value;
        }
        if (!input.name.isEmpty() && input.type != QLatin1String("submit"))
            inputs.append(input);
    }
    return inputs;
}

} // namespace

TEST_F(FormThroughMenusTest, AFormMadeFromTheMenusMailsEveryField)
{
    if (!haveProgramOrFail(QStringLiteral("php"), QStringLiteral("php-cli")))
        return;
    auto made = std::make_unique<DRVDocument>();
    made->setPageName(QStringLiteral("contact"));
    made->setPageFileExtension(QStringLiteral("php"));
    made->setPageOfficialName(QStringLiteral("Contact"));
    made->setSiteFeedbackEmail(QStringLiteral("owner@example.org"));
    DRVWindowController* window = documents.addDocument(std::move(made));
    DRVDocument* document = window->document();

    for (const char* action : {"addTextField:", "addEmailTextField:", "addParagraph:", "addMultipleChoice:",
                               "addCheckboxes:", "addBotCheckerTextField:", "addSubmitButton:"})
        choose(window, QString::fromLatin1(action));
    if (HasFatalFailure())
        return;

    // The e-mail field becomes the reply address, the text field a required one.
    const DRVText* email = nullptr;
    const DRVText* name = nullptr;
    const DRVText* bot = nullptr;
    for (const DRVGraphic* graphic : document->graphics()) {
        const auto* text = qobject_cast<const DRVText*>(graphic);
        if (!text || text->formType() != QLatin1String("text"))
            continue;
        if (text->formOptionTag() == -11)
            email = text;
        else if (text->formOptionTag() == -22)
            bot = text;
        else
            name = text;
    }
    ASSERT_TRUE(email && name && bot);
    selectOnly(window, email);
    choose(window, QStringLiteral("markAsReplyTo:"));
    selectOnly(window, name);
    choose(window, QStringLiteral("makeFormMandatory:"));
    EXPECT_EQ(email->markAsReplyToEmailFlag(), 1);
    EXPECT_EQ(name->formRequiredFlag(), 1);

    // Saved as a page document, then written as it is published.
    const QString saved = m_root.filePath(QStringLiteral("contact.selvaro"));
    ASSERT_TRUE(document->saveDocumentTo(saved)) << qPrintable(document->lastFileErrorText());
    const QString page = document->generateSourceCode(QStringLiteral("contact"), true, false);

    QTemporaryDir served;
    QDir(served.path()).mkpath(QStringLiteral("site"));
    QDir(served.path()).mkpath(QStringLiteral("mail"));
    const qint64 now = 1'800'000'000;
    {
        QFile clock(served.filePath(QStringLiteral("clock.php")));
        ASSERT_TRUE(clock.open(QIODevice::WriteOnly));
        clock.write(QStringLiteral("<?php function quibNow() { return %1; }\n").arg(now).toUtf8());
        QFile file(served.filePath(QStringLiteral("site/contact.php")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(page.toUtf8());
    }
    const int port = freePort();
    Server server;
    ASSERT_TRUE(
        server.start(php(),
                     {QStringLiteral("-n"), QStringLiteral("-d"),
                      QStringLiteral("sendmail_path=%1capture-sendmail.sh %2")
                          .arg(kScripts, served.filePath(QStringLiteral("mail"))),
                      QStringLiteral("-d"),
                      QStringLiteral("auto_prepend_file=") + served.filePath(QStringLiteral("clock.php")),
                      QStringLiteral("-S"), QStringLiteral("127.0.0.1:%1").arg(port), QStringLiteral("-t"),
                      served.filePath(QStringLiteral("site"))},
                     port))
        << server.output().toStdString();

    // Every field filled: texts with values of their own, one radio, two check boxes, the sum.
    const QString botName = QStringLiteral("form%1").arg(bot->formTag());
    QList<QPair<QString, QString>> post;
    QStringList expected;
    int checked = 0;
    bool radioChosen = false;
    for (const Input& input : inputsOf(page)) {
        QString value = input.value;
        if (input.name == botName) {
            value = QString::number(botAnswer(botKeyOf(page), now / 1800));
        } else if (input.type == QLatin1String("radio")) {
            if (radioChosen)
                continue;
            radioChosen = true;
            expected << value;
        } else if (input.type == QLatin1String("checkbox")) {
            if (++checked == 2)
                continue;
            expected << value;
        } else if (input.type != QLatin1String("hidden")) {
            value = input.name == QStringLiteral("form%1").arg(email->formTag())
                        ? QStringLiteral("ada@example.net")
                        : QStringLiteral("Answer to %1").arg(input.name);
            expected << value;
        }
        post.append({input.name, value});
    }
    EXPECT_TRUE(radioChosen);
    EXPECT_GE(checked, 4);
    const QString response = http(port, "POST", "/contact.php", formBody(post));
    const QStringList messages = messagesIn(served.filePath(QStringLiteral("mail")));
    ASSERT_EQ(messages.size(), 1) << response.toStdString() << server.output().toStdString();
    const QString& mail = messages.constFirst();
    for (const QString& value : std::as_const(expected))
        EXPECT_TRUE(mail.contains(value)) << qPrintable(value) << "\n" << mail.toStdString();
    for (const char* label :
         {"Text Field Label", "Paragraph Label", "Multiple Choice Label", "Checkboxes Label"})
        EXPECT_TRUE(mail.contains(QLatin1String(label))) << label;
    EXPECT_TRUE(mail.contains(QStringLiteral("Reply-To:ada@example.net"))) << mail.toStdString();
}

TEST_F(FormThroughMenusTest, TableCommandsRunFromTheFormatMenu)
{
    auto made = std::make_unique<DRVDocument>();
    QList<myTextView*> cells;
    for (int c = 0; c < 2; ++c) {
        myTextView* cell = DRVTable::makeStandardCell();
        cell->setRowSpot(0);
        cell->setColumnSpot(c);
        cell->setWidth(100);
        cell->setHeight(40);
        cell->textStorage()->setPlainText(c == 0 ? QStringLiteral("left") : QStringLiteral("right"));
        cells.append(cell);
    }
    auto* table = new DRVTable;
    table->initWithProperties({{"bounds", QStringLiteral("{{50, 50}, {200, 40}}")},
                               {"numOfColumns", "2"},
                               {"numOfRows", "1"},
                               {"padding", "0"},
                               {"cellArray", QVariant::fromValue(cells)}});
    table->setSelectable(true);
    made->undoManager()->disableUndoRegistration();
    made->insertGraphics({table}, {0});
    made->undoManager()->enableUndoRegistration();
    DRVWindowController* window = documents.addDocument(std::move(made));
    window->graphicView()->changeSelectionIndexes({0});
    const QRect right = table->grabSelectedCellRect(0, 1);
    window->graphicView()->setLastTouchPoint(QRectF(right).center());

    choose(window, QStringLiteral("insertTableColumn:"));
    ASSERT_EQ(table->numOfColumns(), 3);
    EXPECT_EQ(table->grabSelectedTableCellHelper(0, 2)->textStorage()->toPlainText(),
              QStringLiteral("right"));
    choose(window, QStringLiteral("transformTable:"));
    EXPECT_EQ(table->numOfRows(), 3);
    // Joining needs two tables: offered but not enabled with one.
    QAction* join = validatedItem(window, QStringLiteral("joinTablesVertically:"));
    ASSERT_TRUE(join);
    EXPECT_FALSE(join->isEnabled());

    choose(window, QStringLiteral("undo:"));
    choose(window, QStringLiteral("undo:"));
    EXPECT_EQ(table->numOfColumns(), 2);
    EXPECT_EQ(table->numOfRows(), 1);
    EXPECT_EQ(table->cellHelperArray().size(), 2);

    choose(window, QStringLiteral("configureTableGrid:"));
    ASSERT_TRUE(window->graphicView()->tableGridWindowController());
    EXPECT_TRUE(window->graphicView()->tableGridWindowController()->window()->isVisible());
    window->graphicView()->cancelTableSettings();
}
