// The document named at launch is read while the application starts: the open takes that read
// only while the file is the one read, and never a read of another document.
#include "DocumentFlowTestSupport.h"

#include "document/DocumentArchiver.h"
#include "model/DRVText.h"
#include "platform/TextEncoding.h"

#include <QTextDocument>
#include <QThread>

using namespace documentflowtest;

namespace {

class ReadAheadTest : public DocumentFlowTest
{
protected:
    // A saved page holding one text box with text.
    QString savePage(const QString& name, const QString& text)
    {
        const QString path = filePath(name);
        DRVDocument page;
        auto* box = add<DRVText>(page);
        box->setTextType(QStringLiteral("Text"));
        box->setScriptingContents(text);
        box->setBounds(QRectF(20, 20, 300, 40));
        EXPECT_TRUE(page.saveDocumentTo(path));
        return path;
    }

    static QString pageMemberText(const std::vector<DocumentArchiver::Member>& members)
    {
        for (const DocumentArchiver::Member& member : members) {
            if (!member.isFolder && member.relativePath.endsWith(QLatin1String(".html")))
                return platform::decodePageText(member.bytes).value_or(QString());
        }
        return {};
    }

    static QStringList texts(const DRVDocument& document)
    {
        QStringList found;
        for (DRVGraphic* graphic : document.graphics()) {
            if (auto* text = qobject_cast<DRVText*>(graphic))
                found.append(text->contents()->toPlainText());
        }
        return found;
    }
};

} // namespace

TEST_F(ReadAheadTest, AnUnchangedFileIsTakenWithItsPageDecoded)
{
    const QString path = savePage(QStringLiteral("Ahead.quibpage"), QStringLiteral("caf\u00e9 read ahead"));
    std::vector<DocumentArchiver::Member> direct;
    ASSERT_TRUE(DocumentArchiver::readDocument(path, &direct));

    DocumentArchiver::readAhead(path);
    std::vector<DocumentArchiver::Member> ahead;
    ASSERT_TRUE(DocumentArchiver::readDocument(path, &ahead));
    ASSERT_EQ(ahead.size(), direct.size());
    int decoded = 0;
    for (size_t i = 0; i < ahead.size(); ++i) {
        EXPECT_EQ(ahead[i].relativePath, direct[i].relativePath);
        EXPECT_EQ(ahead[i].bytes, direct[i].bytes);
        if (ahead[i].pageText) {
            ++decoded;
            EXPECT_EQ(*ahead[i].pageText, platform::decodePageText(direct[i].bytes).value_or(QString()));
        }
    }
    EXPECT_EQ(decoded, 1);

    // Taken once: the next read is a read of its own.
    std::vector<DocumentArchiver::Member> again;
    ASSERT_TRUE(DocumentArchiver::readDocument(path, &again));
    for (const DocumentArchiver::Member& member : again)
        EXPECT_FALSE(member.pageText);
}

TEST_F(ReadAheadTest, AFileChangedSinceIsReadAgain)
{
    const QString path = savePage(QStringLiteral("Changing.quibpage"), QStringLiteral("the first text"));
    DocumentArchiver::readAhead(path);
    // Another page saved over it afterwards, a moment later so its time differs.
    QThread::msleep(20);
    const QString other =
        savePage(QStringLiteral("Other.quibpage"), QStringLiteral("the second text, longer"));
    std::vector<DocumentArchiver::Member> otherMembers;
    ASSERT_TRUE(DocumentArchiver::readDocument(other, &otherMembers));
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QFile::copy(other, path));

    std::vector<DocumentArchiver::Member> members;
    ASSERT_TRUE(DocumentArchiver::readDocument(path, &members));
    EXPECT_TRUE(pageMemberText(members).contains(QLatin1String("the second text, longer")));
}

TEST_F(ReadAheadTest, AnotherDocumentsReadDropsTheReadAhead)
{
    const QString first = savePage(QStringLiteral("First.quibpage"), QStringLiteral("first page"));
    const QString second = savePage(QStringLiteral("Second.quibpage"), QStringLiteral("second page"));
    DocumentArchiver::readAhead(first);

    std::vector<DocumentArchiver::Member> members;
    ASSERT_TRUE(DocumentArchiver::readDocument(second, &members));
    EXPECT_TRUE(pageMemberText(members).contains(QLatin1String("second page")));
    for (const DocumentArchiver::Member& member : members)
        EXPECT_FALSE(member.pageText);
    // The first document is read afresh later, not from the dropped read.
    ASSERT_TRUE(DocumentArchiver::readDocument(first, &members));
    for (const DocumentArchiver::Member& member : members)
        EXPECT_FALSE(member.pageText);
    EXPECT_TRUE(pageMemberText(members).contains(QLatin1String("first page")));
}

TEST_F(ReadAheadTest, AForgottenReadAheadIsNotTaken)
{
    const QString path = savePage(QStringLiteral("Forgotten.quibpage"), QStringLiteral("forgotten"));
    DocumentArchiver::readAhead(path);
    DocumentArchiver::forgetReadAhead();
    std::vector<DocumentArchiver::Member> members;
    ASSERT_TRUE(DocumentArchiver::readDocument(path, &members));
    for (const DocumentArchiver::Member& member : members)
        EXPECT_FALSE(member.pageText);
}

TEST_F(ReadAheadTest, ABrokenOrMissingFileFailsAsWithoutIt)
{
    const QString broken = filePath(QStringLiteral("Broken.quibpage"));
    ASSERT_TRUE(writeBytes(broken, QByteArrayLiteral("PK\x03\x04 not really an archive")));
    struct Case
    {
        QString path;
    } cases[] = {{broken}, {filePath(QStringLiteral("Missing.quibpage"))}};
    for (const Case& c : cases) {
        QString expected;
        std::vector<DocumentArchiver::Member> members;
        EXPECT_FALSE(DocumentArchiver::readDocument(c.path, &members, &expected));
        DocumentArchiver::readAhead(c.path);
        QString error;
        EXPECT_FALSE(DocumentArchiver::readDocument(c.path, &members, &error)) << qPrintable(c.path);
        EXPECT_EQ(error, expected);
        EXPECT_FALSE(expected.isEmpty());
    }
}

TEST_F(ReadAheadTest, AnOpenAfterTheReadAheadShowsThePage)
{
    const QString path =
        savePage(QStringLiteral("Opened.quibpage"), QStringLiteral("shown after reading ahead"));
    DocumentArchiver::readAhead(path);
    std::unique_ptr<DRVDocument> document = open(path);
    ASSERT_TRUE(document);
    EXPECT_EQ(texts(*document), QStringList{QStringLiteral("shown after reading ahead")});
}
