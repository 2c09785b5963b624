#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "platform/framework/MemFile.h"

TEST(MemFile, GrowsDetachesAndAttaches) {
  CMemFile file(4);
  file.Write("abcdef", 6);
  file.Seek(2, CFile::begin);
  char two[2];
  EXPECT_EQ(file.Read(two, 2), 2u);
  EXPECT_EQ(std::memcmp(two, "cd", 2), 0);
  EXPECT_EQ(file.GetLength(), 6u);

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
  EXPECT_THROW(file.Seek(-1, CFile::begin), CFileException);
}

TEST(DiskFile, ReportsWhyItCannotOpen) {
  CFile file;
  CFileException error;
  EXPECT_FALSE(file.Open("/nonexistent-dir/file", CFile::modeRead, &error));
  EXPECT_EQ(error.m_cause, CFileException::fileNotFound);

  std::string path = ::testing::TempDir() + "tavrolin_file_test";
  ASSERT_TRUE(file.Open(path.c_str(), CFile::modeReadWrite | CFile::modeCreate));
  file.Write("hello", 5);
  EXPECT_EQ(file.GetLength(), 5u);
  EXPECT_EQ(file.Seek(1, CFile::begin), 1u);
  char buf[8];
  EXPECT_EQ(file.Read(buf, 8), 4u);
  EXPECT_EQ(file.GetFilePath(), path.c_str());
  file.Close();
  std::remove(path.c_str());
}
