// The bytes of the page file inside a saved document: ASCII when the text allows, else the page's
// declared UTF-8, else UTF-16 with a byte-order mark (also for Windows-1251, which the reader cannot
// tell apart); only a write for publishing uses the publishing encoding.
#include "DocumentFlowTestSupport.h"

#include "model/DRVText.h"
#include "platform/TextEncoding.h"
#include "publishing/ZipArchive.h"

#include <QDirIterator>

using namespace documentflowtest;

namespace {

const QString kCyrillic = QStringLiteral("Привет, мир");

struct EncodingCase
{
    const char* encodingType;
    const char* title; // UTF-8 source text
    platform::TextEncoding stored;
};

void PrintTo(const EncodingCase& c, std::ostream* os)
{
    *os << c.encodingType << " \"" << c.title << '"';
}

class SavedPageEncodingTest : public DocumentFlowTest, public ::testing::WithParamInterface<EncodingCase>
{
protected:
    // The page file as stored in the document file, unpacked from the archive.
    QByteArray storedPageBytes(const QString& documentPath, const QString& pageFileName)
    {
        const QString unpacked = m_unpacked.filePath(QStringLiteral("archive"));
        QDir(unpacked).removeRecursively();
        ZipArchive archive;
        EXPECT_TRUE(archive.extractTo(documentPath, unpacked)) << archive.errorText().toStdString();
        QDirIterator files(unpacked, QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            if (QFileInfo(path).fileName() == pageFileName)
                return readBytes(path);
        }
        ADD_FAILURE() << "no " << pageFileName.toStdString() << " in the document";
        return {};
    }

    QTemporaryDir m_unpacked;
};

} // namespace

TEST_P(SavedPageEncodingTest, ThePageFileInTheDocumentHoldsTheTextInTheStoredEncoding)
{
    const EncodingCase& c = GetParam();
    const QString title = QString::fromUtf8(c.title);
    DRVDocument document;
    document.setEncodingType(QString::fromLatin1(c.encodingType));
    document.setPageOfficialName(title);
    add<DRVText>(document)->setScriptingContents(title);

    const QString path = filePath(QStringLiteral("Encoded.quibpage"));
    ASSERT_TRUE(document.saveDocumentTo(path)) << document.lastFileErrorText().toStdString();
    const QByteArray bytes = storedPageBytes(path, QStringLiteral("Encoded.html"));
    ASSERT_FALSE(bytes.isEmpty());
    const QString expected = document.generatedPageSource();
    ASSERT_TRUE(expected.contains(title));

    EXPECT_EQ(bytes.startsWith("\xFF\xFE"), c.stored == platform::TextEncoding::UTF16);
    EXPECT_EQ(platform::decodeText(bytes, c.stored), expected);
    // And the page opens with its text.
    std::unique_ptr<DRVDocument> reopened = open(path);
    ASSERT_TRUE(reopened);
    EXPECT_EQ(reopened->pageOfficialName(), title);
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, SavedPageEncodingTest,
    ::testing::Values(EncodingCase{"UTF-16", "Привет, мир", platform::TextEncoding::UTF16},
                      EncodingCase{"Win-1251", "Привет, мир", platform::TextEncoding::UTF16},
                      EncodingCase{"UTF-8", "Grüße 日本語", platform::TextEncoding::UTF8},
                      EncodingCase{"Win-1251", "Plain words", platform::TextEncoding::ASCII},
                      EncodingCase{"UTF-16", "Plain words", platform::TextEncoding::ASCII}),
    [](const ::testing::TestParamInfo<EncodingCase>& info) {
        return std::string(info.param.encodingType).erase(std::string(info.param.encodingType).find('-'), 1) +
               (info.param.stored == platform::TextEncoding::ASCII ? "_Ascii" : "_NonAscii");
    });

using PublishingWriteTest = DocumentFlowTest;

TEST_F(PublishingWriteTest, AWriteForPublishingUsesThePublishingEncodingOnce)
{
    DRVDocument document;
    document.setEncodingType(QStringLiteral("Win-1251"));
    document.setPageOfficialName(kCyrillic);
    ASSERT_TRUE(document.saveDocumentTo(filePath(QStringLiteral("Published.quibpage"))));

    struct Case
    {
        const char* encodingType;
        platform::TextEncoding expected;
    };
    for (const Case& c :
         {Case{"Win-1251", platform::TextEncoding::Windows1251}, Case{"UTF-8", platform::TextEncoding::UTF8},
          Case{"UTF-16", platform::TextEncoding::UTF16}}) {
        document.setEncodingType(QString::fromLatin1(c.encodingType));
        document.setFTPUploadFlag(999);
        ASSERT_TRUE(document.directlySavePageFile()) << c.encodingType;
        const QByteArray bytes = readBytes(document.pagePath());
        EXPECT_EQ(platform::decodeText(bytes, c.expected), document.generatedPageSource()) << c.encodingType;
        EXPECT_EQ(bytes.startsWith("\xFF\xFE"), c.expected == platform::TextEncoding::UTF16)
            << c.encodingType;
        if (c.expected == platform::TextEncoding::Windows1251) {
            EXPECT_TRUE(bytes.contains("\xCF\xF0\xE8\xE2\xE5\xF2")) << "Привет in code page 1251";
        }
    }

    // The flag lasts until the next save of the page file; after it the page is stored as UTF-16.
    document.setEncodingType(QStringLiteral("Win-1251"));
    document.setFTPUploadFlag(999);
    ASSERT_TRUE(document.savePageFile(false));
    EXPECT_EQ(document.FTPUploadFlag(), 0);
    ASSERT_TRUE(document.directlySavePageFile());
    EXPECT_TRUE(readBytes(document.pagePath()).startsWith("\xFF\xFE"));
}
