#include <gtest/gtest.h>

#include <unistd.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <filesystem>

#include "core/Color.h"
#include "core/DeepCopy.h"
#include "core/Transform.h"
#include "core/Utility.h"
#include "platform/framework/ArchiveBackends.h"
#include "support/FatalCheck.h"

namespace {

class PlacementTest : public ::testing::TestWithParam<Backend> {};

TEST_P(PlacementTest, ElevenWordsLengthFirst) {
  const WINDOWPLACEMENT stored{44, 2, 3, {-4, 5}, {6, -7}, {8, 9, 10, 11}};
  Bytes bytes = StoreBytes(GetParam(), [&](CArchive& ar) { ar << stored; });
  ByteImage expected;
  for (DWORD v : {44u, 2u, 3u, 0xFFFFFFFCu, 5u, 6u, 0xFFFFFFF9u, 8u, 9u, 10u, 11u}) expected.U32(v);
  EXPECT_EQ(bytes, expected.bytes);
  LoadBytes(GetParam(), bytes, [&](CArchive& ar) {
    WINDOWPLACEMENT read;
    ar >> read;
    EXPECT_EQ(std::memcmp(&read, &stored, sizeof read), 0);
  });

  // Another length, or a coordinate no placement can be saved with, is damage.
  Bytes shorter = bytes;
  shorter[0] = 43;
  WINDOWPLACEMENT untouched{};
  auto load = [&](CArchive& ar) { ar >> untouched; };
  ExpectArchiveFailure(GetParam(), shorter, CArchiveException::badSchema, load);
  Bytes lowest = bytes;
  std::memcpy(&lowest[12], "\x00\x00\x00\x80", 4);
  ExpectArchiveFailure(GetParam(), lowest, CArchiveException::badSchema, load);
  EXPECT_EQ(untouched.length, 0u);

  WINDOWPLACEMENT invalid = stored;
  invalid.rcNormalPosition.bottom = INT_MIN;
  EXPECT_FATAL(StoreBytes(GetParam(), [&](CArchive& ar) { ar << invalid; }),
               "x >= Min() && x <= Max() && y >= Min() && y <= Max()", "");
}

INSTANTIATE_TEST_SUITE_P(AllFiles, PlacementTest, ALL_BACKENDS);

TEST(Guards, DirectoryIsRestoredEvenOnAnException) {
  const auto before = std::filesystem::current_path();
  const auto elsewhere = std::filesystem::temp_directory_path();
  try {
    XCurrentDirectoryGuard guard(elsewhere.c_str());
    EXPECT_EQ(std::filesystem::current_path(), std::filesystem::canonical(elsewhere));
    throw CUserException();
  } catch (const CUserException&) {
  }
  EXPECT_EQ(std::filesystem::current_path(), before);
}

TEST(Guards, BoolGuardRefusesReentry) {
  bool busy = false;
  {
    BoolGuard guard(busy);
    EXPECT_TRUE(busy);
    EXPECT_FATAL(BoolGuard again(busy), "!bool", "");
    busy = false;
    EXPECT_FATAL(guard.~BoolGuard(), "bool", "");
    busy = true;
  }
  EXPECT_FALSE(busy);
}

TEST(CircleSegments, StartOnTheCircleAndRunAlongX) {
  CArray<Vector, const Vector&> starts, ends;
  XMakeCircleSegments(3, starts, ends, 1.0, 2.0);
  ASSERT_EQ(starts.GetSize(), 3);
  const double s = std::sqrt(3.0) / 2;
  const double expected[3][3] = {{0, 1, 0}, {0, -0.5, s}, {0, -0.5, -s}};
  for (int i = 0; i < 3; ++i) {
    EXPECT_NEAR(starts[i].y, expected[i][1], 1e-6) << i;
    EXPECT_NEAR(starts[i].z, expected[i][2], 1e-6) << i;
    EXPECT_EQ(ends[i].x, starts[i].x + 2.0);
    EXPECT_EQ(ends[i].y, starts[i].y);
  }
  const char* const notEmpty = "CArray to be filled on return is not empty on input";
  EXPECT_FATAL(XMakeCircleSegments(3, starts, ends, 1, 1), "starts.GetSize() == 0", notEmpty);
  CArray<Vector, const Vector&> a, b;
  EXPECT_FATAL(XMakeCircleSegments(3, a, starts, 1, 1), "ends.GetSize() == 0", notEmpty);
  EXPECT_FATAL(XMakeCircleSegments(1, a, b, 1, 1), "num > 1", "");
}

// A list of colours sharing one object that must be referred to, not copied.
class Palette : public CObject {
 public:
  Color first, second;
  CObject* shared = nullptr;
  void Serialize(CArchive& ar) override {
    first.Serialize(ar);
    second.Serialize(ar);
    if (ar.IsStoring())
      ar.WriteObject(shared);
    else
      shared = ar.ReadObject(nullptr);
  }
};

TEST(DeepCopy, CopiesIntoAnyNumberOfTargets) {
  Palette source;
  source.first.SetCOLORREF(0x123456);
  Color sharedColor;
  source.shared = &sharedColor;
  DeepCopy copy(source, nullptr, &sharedColor);
  Palette a, b;
  copy.CopyTo(a, nullptr, &sharedColor);
  copy.CopyTo(b, nullptr, &sharedColor);
  EXPECT_EQ(a.first.GetCOLORREF(), 0x123456u);
  EXPECT_TRUE(b.first == source.first);
  EXPECT_EQ(a.shared, &sharedColor);
  a.first.SetCOLORREF(0);
  EXPECT_TRUE(b.first == source.first);

  struct Nothing : CObject {
  } nothing;
  DeepCopy empty(nothing);
  EXPECT_FATAL(empty.CopyTo(a), "memory && length", "");
}

}  // namespace
