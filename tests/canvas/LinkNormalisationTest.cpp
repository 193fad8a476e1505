// Links typed into the hyperlink popover are stored trimmed, with inner spaces as %20 and nothing
// after a line break.
#include "canvas/DRVGraphicView.h"

#include <gtest/gtest.h>

TEST(LinkNormalisation, TypedLinksAsStored)
{
    const struct
    {
        const char* typed;
        const char* stored;
    } cases[] = {
        {" my page.html \n", "my%20page.html"},
        {"https://example.com/a b", "https://example.com/a%20b"},
        {"first.html\nsecond.html", "first.html"},
        {"\t\n", ""},
        {"", ""},
        {"a  b", "a%20%20b"},
        {"javascript:alert(\"x\")", "javascript:alert(\"x\")"}, // kept as typed; escaped where written
        {"page.html?x=1&y=<2>", "page.html?x=1&y=<2>"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DRVGraphicView::normalisedLink(QString::fromUtf8(c.typed)), QString::fromUtf8(c.stored))
            << c.typed;
}
