#include "platform/StringsTable.h"

#include <gtest/gtest.h>

using platform::StringsTable;

TEST(StringsTable, FallsBackToTheKey)
{
    StringsTable::registerEntries("TestTable", {{"bounds", "Bounds"}});
    EXPECT_EQ(StringsTable::lookup("bounds", "TestTable"), "Bounds");
    EXPECT_EQ(StringsTable::lookup("fillColor", "TestTable"), "fillColor");
    EXPECT_EQ(StringsTable::lookup("bounds", "NoSuchTable"), "bounds");
}
