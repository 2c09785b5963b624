#include <gtest/gtest.h>

#include <cstring>

#include "platform/win/StringResources.h"

TEST(StringResources, TableIsSortedWithUniqueIdsSoLookupFindsEveryEntry) {
  for (std::size_t i = 1; i < kStringResourceCount; ++i)
    ASSERT_LT(kStringResources[i - 1].id, kStringResources[i].id) << "entry " << i;
  for (std::size_t i = 0; i < kStringResourceCount; ++i)
    EXPECT_EQ(FindStringResource(kStringResources[i].id), kStringResources[i].text);
}

TEST(StringResources, MissingIdsAndLinuxPathTexts) {
  EXPECT_EQ(FindStringResource(0), nullptr);
  EXPECT_EQ(FindStringResource(0xFFFFFFFFu), nullptr);
  EXPECT_STREQ(FindStringResource(49), "/");
  EXPECT_STREQ(FindStringResource(74), "../Objects");
  EXPECT_STREQ(FindStringResource(57344), "Tavrolin");
}
