#include <gtest/gtest.h>

#include "core/DivideTable.h"

TEST(DivideTable, EveryTableRoundsEveryReachableSumAndTheTopEntriesAreZero) {
  const std::pair<unsigned, const BYTE*> tables[] = {
      {3, DivideTable3},     {9, DivideTable9},     {15, DivideTable15},   {25, DivideTable25},
      {35, DivideTable35},   {49, DivideTable49},   {63, DivideTable63},   {81, DivideTable81},
      {99, DivideTable99},   {121, DivideTable121}, {143, DivideTable143}, {169, DivideTable169},
      {195, DivideTable195}};
  for (const auto& [n, entries] : tables) {
    ASSERT_NE(entries, nullptr);
    for (unsigned sum = 0; sum <= 255 * n; ++sum)
      ASSERT_LT(std::abs(entries[sum] - static_cast<double>(sum) / n), 0.5 + 1e-9) << n << ": " << sum;
  }
  EXPECT_EQ(DivideTable3[767], 0);
  for (int i = 49823; i < 256 * 195; ++i) ASSERT_EQ(DivideTable195[i], 0) << i;
}
