#include <gtest/gtest.h>

#include "core/DivideTable.h"

TEST(DivideTable, RoundsToNearestAndWrapsTheTopEntriesToZero) {
  const BYTE expected3[] = {0, 0, 1, 1, 1, 2};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(DivideTable3[i], expected3[i]) << i;
  EXPECT_EQ(DivideTable3[765], 255);
  EXPECT_EQ(DivideTable3[767], 0);

  EXPECT_EQ(DivideTable195[97], 0);
  EXPECT_EQ(DivideTable195[98], 1);
  EXPECT_EQ(DivideTable195[49725], 255);
  for (int i = 49823; i < 256 * 195; ++i) ASSERT_EQ(DivideTable195[i], 0) << i;
}

TEST(DivideTable, EveryTableAveragesEveryReachableSum) {
  struct Table {
    unsigned n;
    const BYTE* entries;
  };
  const Table tables[] = {{3, DivideTable3},     {9, DivideTable9},     {15, DivideTable15},
                          {25, DivideTable25},   {35, DivideTable35},   {49, DivideTable49},
                          {63, DivideTable63},   {81, DivideTable81},   {99, DivideTable99},
                          {121, DivideTable121}, {143, DivideTable143}, {169, DivideTable169},
                          {195, DivideTable195}};
  for (const Table& t : tables) {
    ASSERT_NE(t.entries, nullptr);
    for (unsigned sum = 0; sum <= 255 * t.n; ++sum) {
      double exact = static_cast<double>(sum) / t.n;
      ASSERT_LT(std::abs(t.entries[sum] - exact), 0.5 + 1e-9) << "N=" << t.n << " sum=" << sum;
    }
  }
}
