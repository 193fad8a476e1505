// Links as users type them, made fit for an anchor.
#include "document/DRVDocument.h"

#include <gtest/gtest.h>

TEST(LinkCleaningTest, TrimsEncodesBlanksAndKeepsTheFirstLine)
{
    const struct
    {
        const char* typed;
        const char* cleaned;
    } cases[] = {
        {"  my page.html \n", "my%20page.html"},
        {"a b\nc d", "a%20b"},
        {"first\r\nsecond", "first\r"},
        {"http://", "http://"},
        {"", ""},
        {"\t\n", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DRVDocument::verifyLink(QString::fromLatin1(c.typed)), QString::fromLatin1(c.cleaned))
            << c.typed;
}
