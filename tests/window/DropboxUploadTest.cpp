// The page document's Dropbox chain for e-mail images against the stand-in: items strictly one
// after another, direct links kept per item and the last one on the document, the first failure
// stopping the run with its alert, an expired token renewed once, and no log holding the token.
#include "WindowTestSupport.h"
#include "publishing/DropboxStandIn.h"

#include "document/DRVDocument.h"
#include "platform/Dialogs.h"
#include "platform/SecretStore.h"
#include "publishing/UploadItem.h"
#include "window/ProgressIndicatorWindowController.h"

#include <QCryptographicHash>
#include <QDir>
#include <QProgressBar>
#include <QTest>

namespace {

class DropboxUploadTest : public WindowTest
{
protected:
    DropboxUploadTest() { edition().gEditionDisplayName = QStringLiteral("Ulmira Pro 2"); }

    UploadItem item(const QString& folder, const QString& name)
    {
        const QString path = QDir(m_store.path()).filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write("picture of " + name.toUtf8());
        UploadItem entry;
        entry.setLocalPath(path);
        entry.setRemoteFolder(folder);
        entry.setRemoteFileName(name);
        return entry;
    }

    struct Outcome
    {
        bool ended = false;
        bool success = false;
        QString link;
    };

    Outcome run(DRVDocument& document)
    {
        Outcome outcome;
        document.startDropboxUpload([&outcome](bool success, const QString& link) {
            outcome = {true, success, link};
        });
        EXPECT_TRUE(QTest::qWaitFor([&] { return outcome.ended; }, 30000));
        QTest::qWait(50); // queued progress updates
        return outcome;
    }

    void expectNoTokenLogged(const DRVDocument& document)
    {
        const QString token = dropboxtest::StandIn::token();
        for (const QString& line : dropboxtest::LogCapture::lines())
            EXPECT_FALSE(line.contains(token)) << line.toStdString();
        EXPECT_FALSE(document.connectionLog().contains(token));
    }

    platform::ScopedSecretStore secrets;
    platform::ScopedDialogs dialogs;
    dropboxtest::LogCapture log;
    dropboxtest::StandIn standIn;
};

} // namespace

TEST_F(DropboxUploadTest, ThreeItemsGoStrictlyInOrderAndTheDocumentKeepsTheThirdLink)
{
    if (!standIn.start({QStringLiteral("--existing-link"), QStringLiteral("c.png")}))
        return;
    ASSERT_TRUE(DropboxSession::storeTokens(dropboxtest::StandIn::token(), QString()));
    DRVDocument document;
    document.setUploadItemArray(
        {item(QString(), QStringLiteral("a.png")), item(QStringLiteral("/mail"), QStringLiteral("b \u00e9t\u00e9.png")),
         item(QString(), QStringLiteral("c.png"))});
    document.showProgressIndicator();

    const Outcome outcome = run(document);
    ASSERT_TRUE(outcome.success);
    // The third file had a link already: it is fetched rather than made. A name beyond ASCII
    // travels escaped in its header and arrives whole.
    EXPECT_EQ(standIn.steps(), (QStringList{QStringLiteral("upload /a.png"), QStringLiteral("link /a.png"),
                                            QStringLiteral("upload /mail/b \u00e9t\u00e9.png"),
                                            QStringLiteral("link /mail/b \u00e9t\u00e9.png"),
                                            QStringLiteral("upload /c.png"), QStringLiteral("link /c.png"),
                                            QStringLiteral("list /c.png")}));
    for (const QJsonObject& request : standIn.requests())
        EXPECT_TRUE(request.value(QStringLiteral("auth")).toBool());
    const QJsonObject firstUpload = standIn.requests().constFirst();
    EXPECT_EQ(firstUpload.value(QStringLiteral("sha256")).toString().toLatin1(),
              QCryptographicHash::hash("picture of a.png", QCryptographicHash::Sha256).toHex());

    const QList<UploadItem> items = document.uploadItemArray();
    ASSERT_EQ(items.size(), 3);
    for (const UploadItem& done : items)
        EXPECT_TRUE(done.dropboxLink().endsWith(QStringLiteral("dl=1"))) << done.dropboxLink().toStdString();
    EXPECT_TRUE(items.at(0).dropboxLink().startsWith(QStringLiteral("https://www.dropbox.com/s/")));
    EXPECT_TRUE(items.at(1).dropboxLink().endsWith(QStringLiteral("/b%20%C3%A9t%C3%A9.png?dl=1")))
        << items.at(1).dropboxLink().toStdString();
    EXPECT_TRUE(items.at(2).dropboxLink().endsWith(QStringLiteral("/c.png?rlkey=old&dl=1")));
    EXPECT_EQ(document.dropboxLink(), items.at(2).dropboxLink());
    EXPECT_EQ(outcome.link, items.at(2).dropboxLink());
    EXPECT_EQ(document.uploadCounter(), 3);
    EXPECT_FALSE(document.progressIndicatorWindowController()->window()->isVisible());
    EXPECT_EQ(document.progressIndicatorWindowController()->levelIndicator()->value(), 3);
    // The chain's success step goes on to send the mail, which stops at the missing sender settings.
    ASSERT_EQ(dialogs->alerts().size(), 1);
    EXPECT_EQ(dialogs->alerts().constFirst().title, QStringLiteral("Sender SMTP Settings Incomplete"));
    expectNoTokenLogged(document);
}

TEST_F(DropboxUploadTest, AFailureOnTheSecondStopsTheRunAndTheFirstKeepsItsLink)
{
    if (!standIn.start({QStringLiteral("--fail-upload"), QStringLiteral("b.png")}))
        return;
    ASSERT_TRUE(DropboxSession::storeTokens(dropboxtest::StandIn::token(), QString()));
    DRVDocument document;
    document.setUploadItemArray({item(QString(), QStringLiteral("a.png")), item(QString(), QStringLiteral("b.png")),
                                 item(QString(), QStringLiteral("c.png"))});
    document.showProgressIndicator();

    const Outcome outcome = run(document);
    QTest::qWait(300); // room for a third request that must not come
    EXPECT_FALSE(outcome.success);
    EXPECT_TRUE(outcome.link.isEmpty());
    EXPECT_EQ(standIn.steps(), (QStringList{QStringLiteral("upload /a.png"), QStringLiteral("link /a.png"),
                                            QStringLiteral("upload /b.png")}));
    ASSERT_EQ(dialogs->alerts().size(), 1);
    EXPECT_EQ(dialogs->alerts().at(0).title, QStringLiteral("Image Upload Failed"));
    EXPECT_EQ(dialogs->alerts().at(0).informativeText,
              QStringLiteral("Please check Settings and re-link your Dropbox account."));
    EXPECT_FALSE(document.progressIndicatorWindowController()->window()->isVisible());

    const QList<UploadItem> items = document.uploadItemArray();
    EXPECT_TRUE(items.at(0).dropboxLink().endsWith(QStringLiteral("/a.png?dl=1")));
    EXPECT_TRUE(items.at(1).dropboxLink().isEmpty());
    EXPECT_TRUE(items.at(2).dropboxLink().isEmpty());
    EXPECT_EQ(document.dropboxLink(), items.at(0).dropboxLink());
    EXPECT_EQ(document.uploadCounter(), 1);
    EXPECT_TRUE(dropboxtest::LogCapture::lines().join(u'\n').contains(QStringLiteral("file upload failed")));
    expectNoTokenLogged(document);
}

TEST_F(DropboxUploadTest, AnExpiredTokenIsRenewedOnceAndTheUploadGoesOn)
{
    if (!standIn.start())
        return;
    ASSERT_TRUE(DropboxSession::storeTokens(QStringLiteral("expired"), QStringLiteral("refresh-") +
                                                                        dropboxtest::StandIn::token()));
    DRVDocument document;
    document.setUploadItemArray({item(QString(), QStringLiteral("a.png"))});
    const Outcome outcome = run(document);
    EXPECT_TRUE(outcome.success);
    EXPECT_EQ(standIn.steps(), (QStringList{QStringLiteral("upload /a.png"), QStringLiteral("token"),
                                            QStringLiteral("upload /a.png"), QStringLiteral("link /a.png")}));
    EXPECT_TRUE(secrets->contents().values().contains(dropboxtest::StandIn::token()));
    expectNoTokenLogged(document);
}

TEST_F(DropboxUploadTest, WithNoAccountLinkedTheRunFailsWithoutARequest)
{
    if (!standIn.start())
        return;
    DRVDocument document;
    document.setUploadItemArray({item(QString(), QStringLiteral("a.png"))});
    const Outcome outcome = run(document);
    EXPECT_FALSE(outcome.success);
    EXPECT_TRUE(standIn.steps().isEmpty());
    ASSERT_EQ(dialogs->alerts().size(), 1);
    EXPECT_EQ(dialogs->alerts().at(0).title, QStringLiteral("Image Upload Failed"));
}
