#include <gtest/gtest.h>

#include "platform/win/Cursors.h"
#include "resources/ProgramResources.h"

// The lookups search the registered tables by halving, so an entry out of order would be lost.
TEST(ResourceTables, SortedWithUniqueIdsSoTheRegisteredLookupFindsEveryEntryAndNothingElse) {
  for (std::size_t i = 1; i < kStringResourceCount; ++i)
    ASSERT_LT(kStringResources[i - 1].id, kStringResources[i].id) << "entry " << i;
  for (std::size_t i = 0; i < kStringResourceCount; ++i)
    EXPECT_EQ(FindStringResource(kStringResources[i].id), kStringResources[i].text);
  EXPECT_EQ(FindStringResource(0), nullptr);
  EXPECT_EQ(FindStringResource(0xFFFFFFFFu), nullptr);

  for (std::size_t i = 1; i < kCursorResourceCount; ++i) ASSERT_LT(kCursorResources[i - 1].id, kCursorResources[i].id);
  for (std::size_t i = 0; i < kCursorResourceCount; ++i)
    EXPECT_EQ(DescribeCursor(LoadCursorResource(kCursorResources[i].id)).id, kCursorResources[i].id);
  EXPECT_EQ(LoadCursorResource(105), nullptr);
}
