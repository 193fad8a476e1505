// Scripts reach a page over the session bus: a graphic inserted with dbus-send lands on the page
// and Edit > Undo takes it away again. The test runs itself once more inside a private session bus
// made by dbus-run-session, so no desktop bus is touched.
#include "AppTestSupport.h"

#include "app/DocumentScriptingAdaptor.h"
#include "common/ExternalTools.h"
#include "model/DRVRectangle.h"

#include <QDBusConnection>
#include <QDeadlineTimer>
#include <QProcess>
#include <QTest>

namespace {

const char* const kInsideBus = "QUIB_SCRIPTING_TEST_INSIDE_BUS";

// Runs dbus-send on this page's object while this process keeps answering the bus; false when it
// did not end in time.
bool dbusSend(QProcess& send, const QString& path, const QStringList& call)
{
    send.start(QStringLiteral("dbus-send"),
               QStringList{QStringLiteral("--session"), QStringLiteral("--print-reply"),
                           QStringLiteral("--dest=") + QDBusConnection::sessionBus().baseService(), path} +
                   call);
    const QDeadlineTimer deadline(15000);
    while (send.state() != QProcess::NotRunning && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        send.waitForFinished(10);
    }
    if (send.state() != QProcess::NotRunning) {
        send.kill();
        send.waitForFinished();
        return false;
    }
    // The undo group of the call closes at the end of its event-loop turn.
    QCoreApplication::processEvents();
    return true;
}

class ScriptingBusTest : public WindowedAppTest
{
protected:
    void insideTheBus()
    {
        QDBusConnection bus = QDBusConnection::sessionBus();
        ASSERT_TRUE(bus.isConnected());
        auto* kept = new DRVRectangle;
        kept->setBounds({100, 100, 50, 50});
        DRVWindowController* window = windowOnPage({kept});
        // A page joins the bus once its window is up.
        DocumentScriptingAdaptor* adaptor = nullptr;
        ASSERT_TRUE(QTest::qWaitFor([&] {
            adaptor = window->document()->findChild<DocumentScriptingAdaptor*>();
            return adaptor != nullptr;
        })) << "every page is on the bus";

        QProcess insert;
        ASSERT_TRUE(
            dbusSend(insert, adaptor->objectPath(),
                     {QStringLiteral("org.quib.Document.Insert"), QStringLiteral("string:rectangles"),
                      QStringLiteral("int32:0"), QStringLiteral("double:10"), QStringLiteral("double:20"),
                      QStringLiteral("double:30"), QStringLiteral("double:40")}));
        EXPECT_EQ(insert.exitCode(), 0) << insert.readAllStandardError().toStdString();
        const QString reply = QString::fromUtf8(insert.readAllStandardOutput());
        EXPECT_TRUE(reply.contains(QStringLiteral("int32 0"))) << reply.toStdString();
        const QList<DRVGraphic*> graphics = window->document()->graphics();
        ASSERT_EQ(graphics.size(), 2);
        EXPECT_EQ(graphics.at(0)->bounds(), QRectF(10, 20, 30, 40));
        EXPECT_EQ(graphics.at(1), kept);

        // A refused request answers with an error and changes nothing.
        QProcess refused;
        ASSERT_TRUE(dbusSend(refused, adaptor->objectPath(),
                             {QStringLiteral("org.quib.Document.Remove"), QStringLiteral("string:circles"),
                              QStringLiteral("int32:0")}));
        EXPECT_NE(refused.exitCode(), 0);
        EXPECT_TRUE(refused.readAllStandardError().contains("org.quib.Error.Range"));
        EXPECT_EQ(window->document()->graphics().size(), 2);

        choose(window, QStringLiteral("undo:"));
        ASSERT_EQ(window->document()->graphics().size(), 1);
        EXPECT_EQ(window->document()->graphics().first(), kept);
    }
};

} // namespace

TEST_F(ScriptingBusTest, DbusSendInsertsAGraphicAndEditUndoTakesItAway)
{
    if (qEnvironmentVariableIsSet(kInsideBus)) {
        insideTheBus();
        return;
    }
    if (!haveProgramOrFail(QStringLiteral("dbus-run-session"), QStringLiteral("dbus")) ||
        !haveProgramOrFail(QStringLiteral("dbus-send"), QStringLiteral("dbus")))
        return;
    QProcess inner;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QLatin1String(kInsideBus), QStringLiteral("1"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    inner.setProcessEnvironment(env);
    inner.setProcessChannelMode(QProcess::MergedChannels);
    inner.start(
        QStringLiteral("dbus-run-session"),
        {QStringLiteral("--"), QCoreApplication::applicationFilePath(),
         QStringLiteral("--gtest_filter=ScriptingBusTest.DbusSendInsertsAGraphicAndEditUndoTakesItAway")});
    ASSERT_TRUE(inner.waitForFinished(120000));
    const QString output = QString::fromUtf8(inner.readAll());
    EXPECT_EQ(inner.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("[  PASSED  ] 1 test"))) << output.toStdString();
}
