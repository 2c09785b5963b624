#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "platform/framework/MemFile.h"

TEST(MemFile, GrowsDetachesAndAttaches) {
  CMemFile file(4);
  file.Write("abcdef", 6);
  BYTE* block = file.Detach();
  EXPECT_EQ(std::memcmp(block, "abcdef", 6), 0);
  EXPECT_EQ(file.GetLength(), 0u);

  {
    // An attached block stays its owner's and never grows.
    CMemFile attached(block, 6);
    char all[8];
    EXPECT_EQ(attached.Read(all, 8), 6u);
    EXPECT_EQ(attached.Read(all, 8), 0u);
    attached.Seek(0, CFile::begin);
    attached.Write("X", 1);
    EXPECT_THROW(attached.Write("0123456", 7), CMemoryException);
  }
  EXPECT_EQ(block[0], 'X');
  std::free(block);
}
