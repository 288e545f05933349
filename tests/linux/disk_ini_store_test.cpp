// The settings file on a real disk: the profile strings over the disk store in the Russian ANSI
// code page.
#include "platform/linux/disk_ini_store.h"
#include "platform/ini/ini_profile_strings.h"
#include "platform/linux/locale_code_page.h"
#include "posix_helpers.h"
#include "support/temp_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <filesystem>

namespace clipnest::x11 {
namespace {

using std::filesystem::is_symlink;
using test_support::PermissionBits;
using test_support::ReadBytes;
using test_support::WriteBytes;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class DiskIniStoreTest : public ::testing::Test {
 protected:
  DiskIniStoreTest() : settings_(folder_ / "Settings.ini") { old_mask_ = ::umask(022); }
  ~DiskIniStoreTest() override { ::umask(old_mask_); }

  std::string Get(std::string_view key, const std::string& path) {
    return profile_.Get("Setup", key, "no", 255, path);
  }
  void Put(std::string_view key, std::string_view value, const std::string& path) {
    profile_.Put("Setup", key, value, path);
  }

  test_support::TempFolder folder_;
  const std::string settings_;
  DiskIniStore store_;
  LocaleCodePage russian_{"ru_RU.UTF-8"};
  IniProfileStrings profile_{store_, russian_};
  mode_t old_mask_;
};

TEST_F(DiskIniStoreTest, MissingFileReadsTheDefaultAndTheFirstWriteCreatesIt) {
  EXPECT_EQ(Get("SavePath", settings_), "no");
  EXPECT_THAT(folder_.Entries(), IsEmpty());

  Put("SavePath", "Д:/Папка", settings_);
  Put("Left", "4500", settings_);
  EXPECT_EQ(ReadBytes(settings_),
            "[Setup]\r\nSavePath=\xC4:/\xCF\xE0\xEF\xEA\xE0\r\nLeft=4500\r\n");
  EXPECT_EQ(Get("SavePath", settings_), "Д:/Папка");
  // A new file is an ordinary one of the user's file creation mask, not a private temporary.
  EXPECT_EQ(PermissionBits(settings_), 0644u);
  EXPECT_THAT(folder_.Entries(), ElementsAre("Settings.ini"));
}

TEST_F(DiskIniStoreTest, WritingKeepsEveryOtherLineAndByteAndLeavesNoTemporaryFile) {
  // Comments with ANSI bytes, LF-only lines and a last line without an end.
  WriteBytes(settings_,
             "; \xCC\xEE\xE8 \xED\xE0\xF1\xF2\xF0\xEE\xE9\xEA\xE8\n[Setup]\nTop=1\r\n"
             "Sounds=0\n\n[Other]\nx=\xFF\xFE");
  ::chmod(settings_.c_str(), 0604);
  struct stat before {};
  ::stat(settings_.c_str(), &before);

  Put("Top", "2", settings_);
  EXPECT_EQ(ReadBytes(settings_),
            "; \xCC\xEE\xE8 \xED\xE0\xF1\xF2\xF0\xEE\xE9\xEA\xE8\n[Setup]\nTop=2\r\n"
            "Sounds=0\n\n[Other]\nx=\xFF\xFE");
  EXPECT_EQ(PermissionBits(settings_), 0604u);
  EXPECT_THAT(folder_.Entries(), ElementsAre("Settings.ini"));
  // Replaced by a rename, so a reader never sees half a file.
  struct stat after {};
  ::stat(settings_.c_str(), &after);
  EXPECT_NE(before.st_ino, after.st_ino);
}

TEST_F(DiskIniStoreTest, ASymlinkedSettingsFileStaysALinkAndItsTargetIsUpdated) {
  std::filesystem::create_directory(folder_ / "dotfiles");
  std::filesystem::create_directory(folder_ / "app");
  WriteBytes(folder_ / "dotfiles/Settings.ini", "[Setup]\r\nLeft=1\r\n");
  std::filesystem::create_symlink("../dotfiles/Settings.ini", folder_ / "app/Settings.ini");
  const std::string link = folder_ / "app/Settings.ini";

  Put("Left", "2", link);
  EXPECT_TRUE(is_symlink(link));
  EXPECT_EQ(ReadBytes(folder_ / "dotfiles/Settings.ini"), "[Setup]\r\nLeft=2\r\n");
  EXPECT_EQ(Get("Left", link), "2");
  EXPECT_THAT(folder_.Entries("app"), ElementsAre("Settings.ini"));
  EXPECT_THAT(folder_.Entries("dotfiles"), ElementsAre("Settings.ini"));

  // A link to a settings file that does not exist yet: the write creates the file it names.
  std::filesystem::remove(folder_ / "dotfiles/Settings.ini");
  Put("Top", "3", link);
  EXPECT_TRUE(is_symlink(link));
  EXPECT_EQ(ReadBytes(folder_ / "dotfiles/Settings.ini"), "[Setup]\r\nTop=3\r\n");
}

TEST_F(DiskIniStoreTest, AMissingFolderFailsTheWriteWithoutCreatingAnything) {
  const std::string in_missing = folder_ / "Missing/Settings.ini";
  Put("Left", "1", in_missing);
  EXPECT_THAT(folder_.Entries(), IsEmpty());
  EXPECT_EQ(Get("Left", in_missing), "no");
}

TEST_F(DiskIniStoreTest, SomethingUnreadableInPlaceOfTheFileIsNeverReplaced) {
  // A folder where the file should be, and a link that points at itself: neither can be read,
  // even by root.
  std::filesystem::create_directory(settings_);
  WriteBytes(settings_ + "/inside", "kept");
  Put("Left", "1", settings_);
  EXPECT_EQ(Get("Left", settings_), "no");
  EXPECT_TRUE(std::filesystem::is_directory(settings_));
  EXPECT_EQ(ReadBytes(settings_ + "/inside"), "kept");
  EXPECT_THAT(folder_.Entries(), ElementsAre("Settings.ini"));

  const std::string loop = folder_ / "Loop.ini";
  std::filesystem::create_symlink("Loop.ini", loop);
  Put("Left", "1", loop);
  EXPECT_TRUE(is_symlink(loop));
  EXPECT_EQ(std::filesystem::read_symlink(loop), "Loop.ini");
  EXPECT_THAT(folder_.Entries(), ElementsAre("Loop.ini", "Settings.ini"));
}

TEST_F(DiskIniStoreTest, FilesTheUserMayNotReadOrWriteAreLeftAlone) {
  const std::string unreadable = folder_ / "Unreadable.ini";
  const std::string read_only = folder_ / "ReadOnly.ini";
  WriteBytes(unreadable, "[Setup]\r\nLeft=1\r\n");
  WriteBytes(read_only, "[Setup]\r\nLeft=1\r\n");
  ::chmod(unreadable.c_str(), 0000);
  ::chmod(read_only.c_str(), 0444);
  ::chmod(folder_.path().c_str(), 0777);  // the folder itself stays writable for everyone

  // Root may read and write anything: the program runs as an ordinary user here.
  const std::string seen = test_support::RunInChild([&]() -> std::string {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) return "no user";
    Put("Left", "2", unreadable);
    Put("Left", "2", read_only);
    return Get("Left", unreadable) + " " + Get("Left", read_only);
  });
  EXPECT_EQ(seen, "no 1");
  EXPECT_EQ(PermissionBits(unreadable), 0000u);
  EXPECT_EQ(PermissionBits(read_only), 0444u);
  EXPECT_EQ(ReadBytes(unreadable), "[Setup]\r\nLeft=1\r\n");
  EXPECT_EQ(ReadBytes(read_only), "[Setup]\r\nLeft=1\r\n");
  EXPECT_THAT(folder_.Entries(), ElementsAre("ReadOnly.ini", "Unreadable.ini"));
}

TEST_F(DiskIniStoreTest, WhatIsNotARegularFileIsNeitherWaitedForNorReadNorReplaced) {
  // A FIFO would wait for a writer for good; a device would be read without end.
  ASSERT_EQ(::mkfifo(settings_.c_str(), 0600), 0);
  EXPECT_EQ(Get("Left", settings_), "no");
  Put("Left", "1", settings_);
  struct stat info {};
  ASSERT_EQ(::lstat(settings_.c_str(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));

  const std::string device_link = folder_ / "Linked.ini";
  ASSERT_EQ(::symlink("/dev/zero", device_link.c_str()), 0);
  EXPECT_EQ(Get("Left", device_link), "no");
  Put("Left", "1", device_link);
  EXPECT_TRUE(is_symlink(device_link));
}

TEST_F(DiskIniStoreTest, ALargeSettingsFileStillReads) {
  std::string large = "[Other]\r\n";
  while (large.size() < (24u << 20)) large += "Key=" + std::string(120, 'x') + "\r\n";
  WriteBytes(settings_, large + "[Setup]\r\nLeft=4500\r\n");
  EXPECT_EQ(Get("Left", settings_), "4500");
}

}  // namespace
}  // namespace clipnest::x11
