#include <gtest/gtest.h>


#include "platform/win/StringResources.h"

TEST(StringResources, TableIsSortedWithUniqueIdsSoLookupFindsEveryEntryAndNothingElse) {
  for (std::size_t i = 1; i < kStringResourceCount; ++i)
    ASSERT_LT(kStringResources[i - 1].id, kStringResources[i].id) << "entry " << i;
  for (std::size_t i = 0; i < kStringResourceCount; ++i)
    EXPECT_EQ(FindStringResource(kStringResources[i].id), kStringResources[i].text);
  EXPECT_EQ(FindStringResource(0), nullptr);
  EXPECT_EQ(FindStringResource(0xFFFFFFFFu), nullptr);
}
