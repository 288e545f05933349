// The save files on a real disk: whole writes, closed files, the error numbers of failures, and
// nothing that blocks or is left behind.
#include "platform/linux/posix_files.h"
#include "platform/linux/locale_code_page.h"
#include "platform/runtime_error.h"
#include "posix_helpers.h"
#include "saving/text_file.h"
#include "support/temp_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>
#include <filesystem>
#include <fstream>

namespace clipnest::x11 {
namespace {

namespace fs = std::filesystem;
using test_support::DescriptorsOpenOn;
using test_support::PermissionBits;
using test_support::ReadBytes;
using test_support::WriteBytes;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::StartsWith;

// The error number a call throws, or 0 when it succeeds.
template <typename Call>
int ErrorOf(Call call) {
  try {
    call();
  } catch (const RuntimeError& error) {
    return static_cast<int>(error.number());
  }
  return 0;
}

class PosixFilesTest : public ::testing::Test {
 protected:
  PosixFilesTest() { old_mask_ = ::umask(022); }
  ~PosixFilesTest() override { ::umask(old_mask_); }
  // The error numbers of appending to, replacing and reading the start of `path`.
  std::string Errors(const std::string& path) {
    return std::to_string(ErrorOf([&] { files_.Append(path, "x"); })) + " " +
           std::to_string(ErrorOf([&] { files_.Replace(path, "x"); })) + " " +
           std::to_string(ErrorOf([&] { files_.ReadStart(path, 3); }));
  }

  test_support::TempFolder folder_;
  PosixFiles files_;
  mode_t old_mask_;
};

TEST_F(PosixFilesTest, AppendCreatesTheFileAddsToItAndClosesIt) {
  const std::string path = folder_ / "Text-06.12.2026-09.05.03.txt";
  files_.Append(path, "\xCF\xF0\xE8\xE2\xE5\xF2\r\n");
  files_.Append(path, std::string("second\0line\r\n", 13));
  EXPECT_EQ(DescriptorsOpenOn(path), 0);
  EXPECT_EQ(ReadBytes(path), std::string("\xCF\xF0\xE8\xE2\xE5\xF2\r\nsecond\0line\r\n", 21));
  EXPECT_EQ(PermissionBits(path), 0644u);
}

TEST_F(PosixFilesTest, ReadingGivesTheStartOrTheWholeUpToItsLimitAndNothingForAMissingFile) {
  const std::string path = folder_ / "name.txt";
  EXPECT_EQ(files_.ReadStart(path, 3), "");
  EXPECT_EQ(files_.ReadWhole(path, 10), "");
  WriteBytes(path, std::string("\xEF\xBB\xBFtext\0", 8));
  EXPECT_EQ(files_.ReadStart(path, 3), "\xEF\xBB\xBF");
  EXPECT_EQ(files_.ReadWhole(path, 8), std::string("\xEF\xBB\xBFtext\0", 8));
  EXPECT_EQ(ErrorOf([&] { files_.ReadWhole(path, 7); }), 7);
  EXPECT_EQ(DescriptorsOpenOn(path), 0);
}

TEST_F(PosixFilesTest, ReplaceWritesTheWholeFileOverALongerOneAndLeavesNoTemporaryFile) {
  const std::string path = folder_ / "Sc-06.12.2026-09.05.03.bmp";
  files_.Replace(path, std::string(100000, 'a'));
  EXPECT_EQ(PermissionBits(path), 0644u);
  ::chmod(path.c_str(), 0640);
  files_.Replace(path, "BM short");
  EXPECT_EQ(ReadBytes(path), "BM short");
  EXPECT_EQ(PermissionBits(path), 0640u);
  EXPECT_EQ(DescriptorsOpenOn(path), 0);
  EXPECT_THAT(folder_.Entries(), ElementsAre("Sc-06.12.2026-09.05.03.bmp"));
}

TEST_F(PosixFilesTest, FailuresThrowTheNumberOfTheirCauseAndCreateNothing) {
  WriteBytes(folder_ / "plain", "");
  fs::create_directory(folder_ / "report.txt");
  // A missing folder, or a file in its place: path not found (for the writes).
  EXPECT_THAT(Errors(folder_ / "Missing/x.txt"), StartsWith("76 76 "));
  EXPECT_THAT(Errors(folder_ / "plain/x.txt"), StartsWith("76 76 "));
  // A pasted line break in the name, or a folder where the file should be: a bad file name.
  EXPECT_EQ(Errors(folder_ / "two\nlines.txt"), "52 52 52");
  EXPECT_EQ(Errors(folder_ / "report.txt"), "52 52 52");
  EXPECT_THAT(folder_.Entries(), ElementsAre("plain", "report.txt"));
  EXPECT_THAT(folder_.Entries("report.txt"), IsEmpty());
}

TEST_F(PosixFilesTest, AFifoOrADeviceUnderTheNameFailsAtOnceAndSilently) {
  const std::string fifo = folder_ / "pipe.txt";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  fs::create_symlink("/dev/zero", folder_ / "zero.txt");
  // Nobody at the other end of the FIFO, then a reader that would take the text.
  for (int round = 0; round < 2; ++round) {
    const int reader = round == 0 ? -1 : ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    EXPECT_EQ(Errors(fifo), "75 75 75") << round;
    EXPECT_EQ(ErrorOf([&] { files_.ReadWhole(fifo, 100); }), 75) << round;
    if (reader >= 0) ::close(reader);
  }
  EXPECT_EQ(Errors(folder_ / "zero.txt"), "75 75 75");
  EXPECT_EQ(ErrorOf([&] { files_.ReadWhole(folder_ / "zero.txt", 100); }), 75);
  EXPECT_TRUE(fs::is_fifo(fifo));
  EXPECT_THAT(folder_.Entries(), ElementsAre("pipe.txt", "zero.txt"));
}

TEST_F(PosixFilesTest, AnAnsiFileBecomesUtf8InPlaceUnlessABrokenCharacterWouldBeLost) {
  LocaleCodePage russian("ru_RU.UTF-8");
  fs::create_directory(folder_ / "real");
  const std::string real = folder_ / "real/notes.txt";
  WriteBytes(real, "\xCF\xF0\xE8\xE2\xE5\xF2\r\n");
  ::chmod(real.c_str(), 0640);
  fs::create_symlink("real/notes.txt", folder_ / "notes.txt");
  TextFiles(files_, russian).AppendLine(folder_ / "notes.txt", "café");
  EXPECT_EQ(ReadBytes(real), "\xEF\xBB\xBFПривет\r\ncafé\r\n");
  EXPECT_EQ(PermissionBits(real), 0640u);
  EXPECT_TRUE(fs::is_symlink(folder_ / "notes.txt"));
  EXPECT_THAT(folder_.Entries("real"), ElementsAre("notes.txt"));

  // Shift-JIS with a lead byte and no second byte: the file stays as it is.
  LocaleCodePage japanese("ja_JP.UTF-8");
  const std::string broken = "\x93\xFA\x96\x7B\r\n\x93";
  WriteBytes(real, broken);
  EXPECT_EQ(ErrorOf([&] { TextFiles(files_, japanese).AppendLine(real, "😀"); }), 75);
  EXPECT_EQ(ReadBytes(real), broken);
}

// Mounts a 64 KB file system over `folder` in a mount namespace of this (child) process only;
// an empty text when that worked, else why not.
std::string MountSmallDisk(const std::string& folder) {
  if (::unshare(CLONE_NEWNS) != 0) {
    // Not root: a user namespace of our own may still mount a tmpfs.
    const uid_t uid = ::geteuid();
    const gid_t gid = ::getegid();
    if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) return "no mount namespace";
    std::ofstream("/proc/self/setgroups") << "deny";
    std::ofstream("/proc/self/uid_map") << "0 " << uid << " 1";
    std::ofstream("/proc/self/gid_map") << "0 " << gid << " 1";
  }
  // Private, so that the mount never shows outside this process.
  if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) return "no private /";
  if (::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=64k") != 0) return "no tmpfs";
  return "";
}

TEST_F(PosixFilesTest, AFullDiskFailsWith61AndLeavesEveryFileAsItWasAndNoNewOne) {
  const std::string disk = folder_ / "disk";
  fs::create_directory(disk);
  const std::string seen = test_support::RunInChild([&]() -> std::string {
    if (std::string why = MountSmallDisk(disk); !why.empty()) return "skip: " + why;
    const std::string text = disk + "/Text.txt";
    const std::string picture = disk + "/Sc.bmp";
    const std::string notes = disk + "/notes.txt";
    files_.Append(text, "before\r\n");
    files_.Replace(picture, "old picture");
    // 40 KB of Windows-1251 letters, twice as long in UTF-8: more than the disk has left.
    const std::string ansi_notes(40 * 1024, '\xCF');
    files_.Append(notes, ansi_notes);
    const std::string too_much(256 * 1024, 'x');
    const int append_error = ErrorOf([&] { files_.Append(text, too_much); });
    const int replace_error = ErrorOf([&] { files_.Replace(picture, too_much); });
    const int new_file_error = ErrorOf([&] { files_.Append(disk + "/Text-new.txt", too_much); });
    LocaleCodePage ansi("ru_RU.UTF-8");
    const int convert_error = ErrorOf([&] { TextFiles(files_, ansi).AppendLine(notes, "😀"); });
    std::string entries;
    for (const std::string& name : test_support::TempFolder::EntriesOf(disk)) entries += " " + name;
    return "append " + std::to_string(append_error) + " '" + ReadBytes(text) + "', replace " +
           std::to_string(replace_error) + " '" + ReadBytes(picture) + "', new file " +
           std::to_string(new_file_error) + ", convert " + std::to_string(convert_error) +
           (ReadBytes(notes) == ansi_notes ? " kept" : " changed") + ", open " +
           std::to_string(DescriptorsOpenOn(text) + DescriptorsOpenOn(picture) +
                          DescriptorsOpenOn(notes)) +
           ", files" + entries;
  });
  if (seen.starts_with("skip: ")) GTEST_SKIP() << "cannot make a small disk: " << seen.substr(6);
  EXPECT_EQ(seen,
            "append 61 'before\r\n', replace 61 'old picture', new file 61, convert 61 kept, "
            "open 0, files Sc.bmp Text.txt notes.txt");
}

}  // namespace
}  // namespace clipnest::x11
