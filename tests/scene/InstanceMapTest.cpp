#include <gtest/gtest.h>

#include "scene/CartoonVertex.h"
#include "scene/InstanceMap.h"
#include "scene/MeshSO.h"

namespace {

UINT Bucket(const char* name) { return InstanceMap::HashKey(name) % InstanceMap::kBuckets; }

TEST(InstanceMap, NamesHashByAtMostFourOfTheirBytesAndMatchExactly) {
  EXPECT_EQ(Bucket(""), 0u);
  EXPECT_EQ(Bucket("a"), 97u);
  EXPECT_EQ(Bucket("abc"), 97u);
  EXPECT_EQ(Bucket("abcd"), 868u);
  EXPECT_EQ(Bucket("xabcd"), 868u);
  EXPECT_EQ(Bucket("abcdefgh"), 868u);
  EXPECT_EQ(Bucket("abcdefg"), 1459u);
  EXPECT_EQ(InstanceMap::HashKey("\xE9z"), 0xFFFFFFE9u);
  EXPECT_EQ(Bucket("\xE9z"), 941u);

  InstanceMap map;
  UINT bucket = 1;
  EXPECT_EQ(map.GetAssocAt("", bucket), nullptr);
  EXPECT_EQ(bucket, 0u);
  map["Chair"].AddTail(static_cast<MeshSO*>(nullptr));
  EXPECT_NE(map.Find("Chair"), nullptr);
  EXPECT_EQ(map.Find("chair"), nullptr);
  map.Remove("Chair");
  EXPECT_TRUE(map.IsEmpty());
  map["Chair"].AddTail(static_cast<MeshSO*>(nullptr));  // the bucket table is made again
  EXPECT_EQ(map.Find("Chair")->GetCount(), 1);
}

TEST(CartoonVertex, OnePositionIsOneWeldedVertexUnlessTheNormalsAreOpposite) {
  const CartoonVertex front{1, 2, 3, 0, 0, 1};
  EXPECT_FALSE(front == (CartoonVertex{1, 2, 3, 0, 0, -1}));
  EXPECT_TRUE(front == (CartoonVertex{1, 2, 3, 1, 0, 0}));
  EXPECT_FALSE(front == (CartoonVertex{1, 2, 3.0001f, 0, 0, 1}));
  const CartoonVertex zero{0, 0, 0, 0, 1, 0}, negativeZero{-0.0f, 0, -0.0f, 0, 1, 0};
  EXPECT_TRUE(zero == negativeZero);
  EXPECT_EQ(HashKey(zero), HashKey(negativeZero));
  EXPECT_EQ(HashKey(CartoonVertex{1, 0, 0, 0, 0, 0}), 0x3F800000u);
}

}  // namespace
