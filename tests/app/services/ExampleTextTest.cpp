#include "services/ExampleText.h"

#include <gtest/gtest.h>

namespace {

TEST(ExampleTextTest, EveryItemOnItsOwnLine)
{
    EXPECT_EQ(trelvik::ExampleItemsAsLines("Hej, hur m\xE5r du?\r\n"), "Hej\r\nhur m\xE5r du?\r\n");
    EXPECT_EQ(trelvik::ExampleItemsAsLines("\"Hej, hur m\xE5r du?\"\r\n"), "Hej, hur m\xE5r du?\r\n");
    EXPECT_EQ(trelvik::ExampleItemsAsLines(""), "");
}

} // namespace
