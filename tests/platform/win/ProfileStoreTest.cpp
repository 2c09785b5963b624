#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "platform/win/FileProfileStore.h"
#include "platform/win/FileReplace.h"
#include "support/TemporaryFolder.h"

namespace {

std::string ReadText(const std::string& path) {
  std::string text;
  ReadWholeFile(path, text);
  return text;
}

ino_t Inode(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

// A store on a file whose folder does not exist yet.
class ProfileStoreTest : public ::testing::Test {
 protected:
  TemporaryFolder folder_;
  std::string path_ = folder_ / "Ulmric/Tavrolin.ini";
  FileProfileStore store_{path_};
};

TEST_F(ProfileStoreTest, NamesAndValuesComeBackByteForByte) {
  const struct {
    const char* section;
    const char* key;
    const char* value;
  } entries[] = {
      {"NewNonClonedCameraWindows", "CameraApertureFstop(>eq0.0,0.0isInfinity)", "0.0"},
      {"Interactive", "MaximumUpdates(fps,1-64)", " 12 fps "},
      {" Odd [section] ", " key with blanks ", "a=b=c"},
      {"General", "CurrentDirectory", "C:\\Scenes\\100% done\\"},
      {"General", "", ""},
  };
  for (const auto& e : entries) EXPECT_TRUE(store_.WriteProfileString(e.section, e.key, e.value)) << e.key;

  FileProfileStore next(path_);  // what the next run of the program reads
  for (const auto& e : entries) EXPECT_EQ(next.GetProfileString(e.section, e.key, "default"), e.value) << e.key;
  EXPECT_EQ(next.GetProfileString("General", "Missing(yes/no)", "yes"), "yes");
  EXPECT_EQ(next.GetProfileString("NoSuchSection", "CurrentDirectory", ""), "");
  // Names match exactly: another case is another name.
  EXPECT_EQ(next.GetProfileString("general", "CurrentDirectory", "default"), "default");
}

TEST_F(ProfileStoreTest, EntriesThatCannotBeStoredAreRefusedAndKeepTheOldValue) {
  ASSERT_TRUE(store_.WriteProfileString("General", "Key", "old"));
  const struct {
    const char* why;
    std::string section, key, value;
  } refused[] = {
      {"= in key", "General", "Key=1", "v"},
      {"= in section", "Gen=eral", "Key", "v"},
      {"line feed in value", "General", "Key", "one\ntwo"},
      {"carriage return in value", "General", "Key", "one\rtwo"},
      {"NUL in value", "General", "Key", std::string("one\0two", 7)},
      {"line feed in key", "General", "K\ney", "v"},
      {"line feed in section", "Gen\neral", "Key", "v"},
  };
  for (const auto& r : refused) EXPECT_EQ(store_.WriteProfileString(r.section, r.key, r.value), FALSE) << r.why;

  EXPECT_EQ(FileProfileStore(path_).GetProfileString("General", "Key", "default"), "old");
  // A name that could not have been stored reads as missing.
  EXPECT_EQ(store_.GetProfileString("General", "Key=1", "default"), "default");
}

TEST_F(ProfileStoreTest, DamagedLinesAreSkippedAndDroppedOnTheNextWrite) {
  ReplaceFile(path_,
            "orphan=before any section\r\n"
            "[General]\r\n"
            "ShowGround(yes/no)=yes\r\n"
            "not a key line\n"
            "ShowGround(yes/no)=no\n"
            "stray\rreturn=1\n" +
                std::string("nul\0key=1\n", 10) +
                "[Interactive]\n"
                "\n"
                "[General]\n"
                "DitherAlways(yes/no)=no\n");
  EXPECT_EQ(store_.GetProfileString("General", "ShowGround(yes/no)", "-"), "yes");  // the first one counts
  EXPECT_EQ(store_.GetProfileString("General", "DitherAlways(yes/no)", "-"), "no");  // sections merge
  EXPECT_EQ(store_.GetProfileString("", "orphan", "-"), "-");
  EXPECT_EQ(store_.GetProfileString("General", "stray\rreturn", "-"), "-");

  ASSERT_TRUE(store_.WriteProfileString("Interactive", "ObjectQualityBias", "-2"));
  EXPECT_EQ(ReadText(path_),
            "[General]\nShowGround(yes/no)=yes\nDitherAlways(yes/no)=no\n\n"
            "[Interactive]\nObjectQualityBias=-2\n");
}

TEST_F(ProfileStoreTest, WritesReplaceTheFileWholeAndOnlyWhenSomethingChanged) {
  ASSERT_TRUE(store_.WriteProfileString("General", "ShowGround(yes/no)", "no"));
  ino_t first = Inode(path_);
  ASSERT_NE(first, 0u);

  // The program writes back every value it reads; an unchanged value leaves the file alone.
  ASSERT_TRUE(store_.WriteProfileString("General", "ShowGround(yes/no)", "no"));
  EXPECT_EQ(Inode(path_), first);

  // A change goes to a new file renamed over the old one, and leaves no temporary file behind.
  ASSERT_TRUE(store_.WriteProfileString("General", "ShowGround(yes/no)", "yes"));
  EXPECT_NE(Inode(path_), first);
  EXPECT_EQ(ReadText(path_), "[General]\nShowGround(yes/no)=yes\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_ / "Ulmric"), {}), 1);

  // A store whose folder cannot be made reports the failure and reads defaults.
  FileProfileStore underAFile(path_ + "/Tavrolin.ini");
  EXPECT_EQ(underAFile.WriteProfileString("General", "Key", "v"), FALSE);
  EXPECT_EQ(underAFile.GetProfileString("General", "Key", "default"), "default");
}

TEST_F(ProfileStoreTest, SavingThroughALinkKeepsTheLinkThePermissionsAndTheComments) {
  const std::string target = folder_ / "dotfiles/Tavrolin.ini", link = path_;
  ASSERT_TRUE(ReplaceFile(target, "; kept by hand\n[General]\n# slow disk\nShowGround(yes/no)=yes\n"));
  ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
  std::filesystem::create_directories(folder_ / "Ulmric");
  std::filesystem::create_symlink("../dotfiles/Tavrolin.ini", link);

  FileProfileStore store(link);
  EXPECT_EQ(store.GetProfileString("General", "ShowGround(yes/no)", "-"), "yes");
  ASSERT_TRUE(store.WriteProfileString("General", "DitherAlways(yes/no)", "no"));
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadText(target), "; kept by hand\n[General]\n# slow disk\nShowGround(yes/no)=yes\nDitherAlways(yes/no)=no\n");
  struct stat st {};
  ASSERT_EQ(::stat(target.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);

  // A change another program makes is seen by the next read.
  ASSERT_TRUE(FileProfileStore(target).WriteProfileString("General", "ShowGround(yes/no)", "no"));
  EXPECT_EQ(store.GetProfileString("General", "ShowGround(yes/no)", "-"), "no");
}

TEST_F(ProfileStoreTest, TwoProgramsWritingAtOnceLoseNoneOfEachOthersKeys) {
  auto writeKeys = [&](const std::string& prefix) {
    FileProfileStore store(path_);
    bool all = true;
    for (int i = 0; i < 200; ++i) all = store.WriteProfileString("General", prefix + std::to_string(i), "v") && all;
    return all;
  };
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) std::_Exit(writeKeys("second") ? 0 : 1);
  EXPECT_TRUE(writeKeys("first"));
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

  FileProfileStore next(path_);
  int found = 0;
  for (const char* prefix : {"first", "second"})
    for (int i = 0; i < 200; ++i) found += next.GetProfileString("General", prefix + std::to_string(i), "-") == "v";
  EXPECT_EQ(found, 400);
}

TEST(FileProfileStore, UserPathFollowsXdgConfigHomeThenHome) {
  std::string savedXdg = std::getenv("XDG_CONFIG_HOME") ? std::getenv("XDG_CONFIG_HOME") : "";
  std::string savedHome = std::getenv("HOME") ? std::getenv("HOME") : "";

  ::setenv("HOME", "/home/ann", 1);
  ::setenv("XDG_CONFIG_HOME", "/srv/config", 1);
  EXPECT_EQ(UserProfilePath("Ulmric", "Tavrolin"), "/srv/config/Ulmric/Tavrolin.ini");
  ::setenv("XDG_CONFIG_HOME", "relative/config", 1);  // not absolute: ignored
  EXPECT_EQ(UserProfilePath("Ulmric", "Tavrolin"), "/home/ann/.config/Ulmric/Tavrolin.ini");
  ::unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(UserProfilePath("Ulmric", "Tavrolin"), "/home/ann/.config/Ulmric/Tavrolin.ini");

  savedXdg.empty() ? ::unsetenv("XDG_CONFIG_HOME") : ::setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1);
  savedHome.empty() ? ::unsetenv("HOME") : ::setenv("HOME", savedHome.c_str(), 1);
}

}  // namespace
