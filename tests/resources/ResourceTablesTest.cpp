#include <gtest/gtest.h>

#include <regex>

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

// A text the user reads never holds a stand-in still to be written, such as "<web site address>".
TEST(ResourceTables, NoTextHoldsAPlaceholder) {
  const std::regex placeholder("<[A-Za-z][^<>]*>");
  for (std::size_t i = 0; i < kStringResourceCount; ++i)
    EXPECT_FALSE(std::regex_search(kStringResources[i].text, placeholder)) << "string " << kStringResources[i].id;
  for (std::size_t t = 0; t < kDialogTemplateCount; ++t) {
    const DialogTemplate& d = *kDialogTemplates[t];
    EXPECT_FALSE(std::regex_search(d.caption ? d.caption : "", placeholder)) << "dialog " << d.id;
    for (std::size_t c = 0; c < d.controlCount; ++c)
      EXPECT_FALSE(std::regex_search(d.controls[c].text ? d.controls[c].text : "", placeholder)) << "dialog " << d.id;
  }
}
