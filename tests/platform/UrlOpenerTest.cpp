// Addresses go to the installed recorder while it lives, and to the previous one after.
#include "platform/UrlOpener.h"

#include <gtest/gtest.h>

TEST(UrlOpener, RecordersNestAndEmptyAddressesAreRefused)
{
    platform::ScopedUrlRecorder outer;
    {
        platform::ScopedUrlRecorder inner;
        EXPECT_TRUE(platform::openUrl(QUrl(QStringLiteral("https://example.com/a?b=1&c=2#d"))));
        EXPECT_FALSE(platform::openUrl(QUrl()));
        EXPECT_FALSE(platform::openUrl(QUrl(QStringLiteral("http://[bad"))));
        ASSERT_EQ(inner.urls().size(), 1);
        EXPECT_EQ(inner.urls().constFirst().fragment(), QStringLiteral("d"));
    }
    EXPECT_TRUE(platform::openUrl(QUrl(QStringLiteral("mailto:a@example.com"))));
    EXPECT_EQ(outer.urls(), QList<QUrl>{QUrl(QStringLiteral("mailto:a@example.com"))});
}
