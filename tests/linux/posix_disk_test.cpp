// What only the Linux backend's disk has: permissions, links, a full disk, the settings file's
// atomic replacement, and the multi-byte code pages of East Asian locales.
#include "contract/contract.h"
#include "platform/ini/ini_profile_strings.h"
#include "platform/linux/posix/disk_ini_store.h"
#include "platform/linux/posix/locale_code_page.h"
#include "platform/linux/posix/posix_files.h"
#include "posix_helpers.h"
#include "saving/text_file.h"
#include "support/temp_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace clipnest::linux_backend {
namespace {

namespace fs = std::filesystem;
using contract::ErrorOf;
using test_support::PermissionBits;
using test_support::ReadBytes;
using test_support::WriteBytes;
using ::testing::ElementsAre;

class PosixDiskTest : public ::testing::Test {
 protected:
  PosixDiskTest() { old_mask_ = ::umask(022); }
  ~PosixDiskTest() override { ::umask(old_mask_); }
  std::string Get(const std::string& path) {
    return profile_.Get("Setup", "Left", "no", 255, path);
  }
  void Put(const std::string& path, std::string_view value) {
    profile_.Put("Setup", "Left", value, path);
  }

  test_support::TempFolder folder_;
  PosixFiles files_;
  LocaleCodePage russian_{"ru_RU.UTF-8"};
  DiskIniStore store_;
  IniProfileStrings profile_{store_, russian_};
  mode_t old_mask_;
};

TEST_F(PosixDiskTest, NewFilesFollowTheMaskAndAReplacementKeepsTheModeAndTheLink) {
  files_.Append(folder_ / "Text.txt", "x");
  EXPECT_EQ(PermissionBits(folder_ / "Text.txt"), 0644u);
  // The text save turns an ANSI file into UTF-8 by a replacement, here through a link.
  fs::create_directory(folder_ / "real");
  const std::string real = folder_ / "real/notes.txt";
  WriteBytes(real, "\xCF\xF0\xE8\xE2\xE5\xF2\r\n");
  ::chmod(real.c_str(), 0640);
  fs::create_symlink("real/notes.txt", folder_ / "notes.txt");
  TextFiles(files_, russian_).AppendLine(folder_ / "notes.txt", "café");
  EXPECT_EQ(ReadBytes(real), "\xEF\xBB\xBFПривет\r\ncafé\r\n");
  EXPECT_EQ(PermissionBits(real), 0640u);
  EXPECT_TRUE(fs::is_symlink(folder_ / "notes.txt"));
  EXPECT_THAT(folder_.Entries("real"), ElementsAre("notes.txt"));
  // Shift-JIS with a lead byte and no second byte would lose a character: the file stays.
  const std::string broken = "\x93\xFA\x96\x7B\r\n\x93";
  WriteBytes(real, broken);
  LocaleCodePage japanese("ja_JP.UTF-8");
  EXPECT_EQ(ErrorOf([&] { TextFiles(files_, japanese).AppendLine(real, "😀"); }), 75);
  EXPECT_EQ(ReadBytes(real), broken);
}

TEST_F(PosixDiskTest, AFullDiskFailsWith61AndLeavesTheFilesAsTheyWere) {
  const std::string disk = folder_ / "disk";
  fs::create_directory(disk);
  const std::string seen = test_support::RunInChild([&]() -> std::string {
    // A 64 KB file system in a mount namespace of this child alone.
    if (!test_support::OwnMountNamespace()) return "skip: no mount namespace";
    if (::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k") != 0) return "skip: no tmpfs";
    files_.Append(disk + "/Text.txt", "before\r\n");
    const std::string too_much(256 * 1024, 'x');
    return std::to_string(ErrorOf([&] { files_.Append(disk + "/Text.txt", too_much); })) + " " +
           std::to_string(ErrorOf([&] { files_.Replace(disk + "/Sc.bmp", too_much); })) + " " +
           ReadBytes(disk + "/Text.txt") + std::to_string(fs::exists(disk + "/Sc.bmp"));
  });
  if (seen.starts_with("skip: ")) GTEST_SKIP() << seen.substr(6);
  EXPECT_EQ(seen, "61 61 before\r\n0");
}

TEST_F(PosixDiskTest, TheSettingsFileIsReplacedWholeKeepingItsModeAndItsLink) {
  fs::create_directory(folder_ / "dotfiles");
  const std::string real = folder_ / "dotfiles/Settings.ini";
  WriteBytes(real, "; \xCC\xEE\xE8\n[Setup]\nLeft=1\r\n");
  ::chmod(real.c_str(), 0604);
  fs::create_symlink("dotfiles/Settings.ini", folder_ / "Settings.ini");
  struct stat before {
  }, after{};
  ::stat(real.c_str(), &before);
  Put(folder_ / "Settings.ini", "2");
  ::stat(real.c_str(), &after);
  EXPECT_EQ(ReadBytes(real), "; \xCC\xEE\xE8\n[Setup]\nLeft=2\r\n");
  EXPECT_NE(before.st_ino, after.st_ino) << "a reader could see half a file";
  EXPECT_EQ(PermissionBits(real), 0604u);
  EXPECT_TRUE(fs::is_symlink(folder_ / "Settings.ini"));
  EXPECT_THAT(folder_.Entries("dotfiles"), ElementsAre("Settings.ini"));
  // A link to a file that does not exist yet: the write creates the file it names, an ordinary
  // file of the user's creation mask, not a private temporary.
  fs::remove(real);
  Put(folder_ / "Settings.ini", "3");
  EXPECT_EQ(ReadBytes(real), "[Setup]\r\nLeft=3\r\n");
  EXPECT_EQ(PermissionBits(real), 0644u);
}

TEST_F(PosixDiskTest, ASettingsFileThatCannotBeReadIsNeverReplacedNorWaitedFor) {
  // A folder, a link to itself, a FIFO (it would wait for a writer for good), a device.
  fs::create_directory(folder_ / "Folder.ini");
  fs::create_symlink("Loop.ini", folder_ / "Loop.ini");
  ::mkfifo((folder_ / "Fifo.ini").c_str(), 0600);
  fs::create_symlink("/dev/zero", folder_ / "Zero.ini");
  for (const char* name : {"Folder.ini", "Loop.ini", "Fifo.ini", "Zero.ini"}) {
    Put(folder_ / name, "1");
    EXPECT_EQ(Get(folder_ / name), "no") << name;
  }
  EXPECT_TRUE(fs::is_directory(folder_ / "Folder.ini"));
  EXPECT_TRUE(fs::is_fifo(folder_ / "Fifo.ini"));
  EXPECT_EQ(fs::read_symlink(folder_ / "Loop.ini"), "Loop.ini");
  EXPECT_THAT(folder_.Entries(), ElementsAre("Fifo.ini", "Folder.ini", "Loop.ini", "Zero.ini"));
  // A file the user may not read, or may not write, even in a folder open to all.
  for (const char* name : {"Unreadable.ini", "ReadOnly.ini"})
    WriteBytes(folder_ / name, "[Setup]\r\nLeft=1\r\n");
  ::chmod((folder_ / "Unreadable.ini").c_str(), 0000);
  ::chmod((folder_ / "ReadOnly.ini").c_str(), 0444);
  ::chmod(folder_.path().c_str(), 0777);
  const std::string seen = test_support::RunInChild([&]() -> std::string {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) return "no user";
    Put(folder_ / "Unreadable.ini", "2");
    Put(folder_ / "ReadOnly.ini", "2");
    return Get(folder_ / "Unreadable.ini") + " " + Get(folder_ / "ReadOnly.ini");
  });
  EXPECT_EQ(seen, "no 1");
  EXPECT_EQ(ReadBytes(folder_ / "Unreadable.ini"), "[Setup]\r\nLeft=1\r\n");
  EXPECT_EQ(PermissionBits(folder_ / "ReadOnly.ini"), 0444u);
}

TEST_F(PosixDiskTest, ALargeSettingsFileStillReads) {
  std::string large = "[Other]\r\n";
  while (large.size() < (24u << 20)) large += "Key=" + std::string(120, 'x') + "\r\n";
  WriteBytes(folder_ / "Settings.ini", large + "[Setup]\r\nLeft=4500\r\n");
  EXPECT_EQ(Get(folder_ / "Settings.ini"), "4500");
}

TEST(LocaleCodePageTest, EachEastAsianLanguageGetsMicrosoftsPage) {
  // Kanji, kana, half-width katakana and two characters only Microsoft's variant holds (932).
  LocaleCodePage japanese("ja_JP.UTF-8");
  const std::string text = "日本語のテキスト ｶﾀｶﾅ ①～";
  const std::string bytes =
      "\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x83\x65\x83\x4C\x83\x58\x83\x67 \xB6\xC0\xB6\xC5 "
      "\x87\x40\x81\x60";
  EXPECT_EQ(japanese.Encode(text), bytes);
  EXPECT_EQ(japanese.Decode(bytes), text);
  EXPECT_EQ(japanese.Encode("絵文字 \xF0\x9F\x98\x80"), std::nullopt);
  EXPECT_EQ(LocaleCodePage("zh_CN.UTF-8").Encode("中文"), "\xD6\xD0\xCE\xC4");  // 936
  EXPECT_EQ(LocaleCodePage("zh_TW.UTF-8").Encode("中文"), "\xA4\xA4\xA4\xE5");  // 950
  EXPECT_EQ(LocaleCodePage("ko_KR.UTF-8").Decode("\xC7\xD1\xB1\xB9"), "한국");  // 949
}

}  // namespace
}  // namespace clipnest::linux_backend
