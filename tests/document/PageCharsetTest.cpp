// The charset a page names is the encoding its bytes are in: the stored page (ASCII when it can be,
// else the encoding the page is set to where the reader knows it again) and the published page.
#include "DocumentFlowTestSupport.h"

#include "document/StoredPageEncoding.h"
#include "editions/DataCentre.h"
#include "model/DRVText.h"
#include "platform/TextEncoding.h"

using namespace documentflowtest;

namespace {

platform::TextEncoding bytesEncoding(const QByteArray& bytes)
{
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return platform::TextEncoding::UTF16;
    if (platform::decodeText(bytes, platform::TextEncoding::ASCII))
        return platform::TextEncoding::ASCII;
    if (platform::decodeText(bytes, platform::TextEncoding::UTF8))
        return platform::TextEncoding::UTF8;
    return platform::TextEncoding::Windows1251;
}

struct CharsetCase
{
    const char* setting;
    const char* text;
    platform::TextEncoding storedAs;
    const char* storedCharset;
    const char* publishedCharset;
};

void PrintTo(const CharsetCase& c, std::ostream* os)
{
    *os << c.setting << " / " << c.text;
}

} // namespace

class PageCharsetTest : public DocumentFlowTest, public ::testing::WithParamInterface<CharsetCase>
{
};

TEST_P(PageCharsetTest, APageNamesTheEncodingItIsWrittenIn)
{
    const CharsetCase& c = GetParam();
    DRVDocument document;
    document.setMainTemplateName(QStringLiteral("Page"));
    document.setEncodingType(QString::fromUtf8(c.setting));
    auto* text = add<DRVText>(document);
    text->setTextType(QStringLiteral("Text"));
    text->setBounds(QRectF(10, 10, 200, 40));
    text->updateTextString(QString::fromUtf8(c.text));

    const QString path = filePath(QStringLiteral("Page.quibpage"));
    ASSERT_TRUE(document.saveDocumentTo(path)) << document.lastFileErrorText().toStdString();
    const QByteArray stored = readBytes(document.pagePath());
    EXPECT_EQ(bytesEncoding(stored), c.storedAs);
    const std::optional<QString> storedText = platform::readPageTextFile(document.pagePath());
    ASSERT_TRUE(storedText);
    EXPECT_TRUE(storedText->contains(QString::fromUtf8(c.text)));
    EXPECT_EQ(StoredPageEncoding::declaredCharset(*storedText), QString::fromLatin1(c.storedCharset));

    // A marker rewritten in the stored page (the title, in the page's own characters) keeps the
    // page in the encoding it names.
    ASSERT_TRUE(DataCentre::applyPageTitle(document.pagePath(), QString::fromUtf8(c.text)));
    EXPECT_EQ(bytesEncoding(readBytes(document.pagePath())), c.storedAs);

    // Opened again: the same setting, the same text.
    std::unique_ptr<DRVDocument> reopened = open(path);
    ASSERT_TRUE(reopened);
    EXPECT_EQ(reopened->encodingType(), QString::fromLatin1(c.storedCharset) == QStringLiteral("windows-1251")
                                            ? QStringLiteral("Win-1251")
                                            : QString::fromLatin1(c.storedCharset));

    const QString published = filePath(QStringLiteral("out/Page.html"));
    ASSERT_TRUE(document.exportPublishVersion(published));
    std::optional<QString> publishedText = platform::decodeText(
        readBytes(published), QString::fromLatin1(c.publishedCharset) == QStringLiteral("UTF-16")
                                  ? platform::TextEncoding::UTF16
                              : QString::fromLatin1(c.publishedCharset) == QStringLiteral("windows-1251")
                                  ? platform::TextEncoding::Windows1251
                                  : platform::TextEncoding::UTF8);
    ASSERT_TRUE(publishedText) << "not in " << c.publishedCharset;
    EXPECT_EQ(StoredPageEncoding::declaredCharset(*publishedText), QString::fromLatin1(c.publishedCharset));
}

INSTANTIATE_TEST_SUITE_P(
    Settings, PageCharsetTest,
    ::testing::Values(CharsetCase{"UTF-8", "plain", platform::TextEncoding::ASCII, "UTF-8", "UTF-8"},
                      CharsetCase{"UTF-8", "Grüße, Ελλάδα", platform::TextEncoding::UTF8, "UTF-8", "UTF-8"},
                      CharsetCase{"UTF-16", "Grüße", platform::TextEncoding::UTF16, "UTF-16", "UTF-16"},
                      CharsetCase{"", "Grüße", platform::TextEncoding::UTF8, "UTF-8", "UTF-8"},
                      CharsetCase{"Win-1251", "plain", platform::TextEncoding::ASCII, "windows-1251",
                                  "windows-1251"}));
