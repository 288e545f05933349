// Files of the save folder on a real temporary folder.
#include "platform/win32/win32_files.h"

#include "platform/runtime_error.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <optional>

namespace clipnest {
namespace {

using test_support::Exists;
using test_support::ReadBytes;
using test_support::WidePath;
using test_support::WriteBytes;

class Win32FilesTest : public ::testing::Test {
 protected:
  // The error number that appending to `path` throws; nothing when it succeeds.
  std::optional<ErrorNumber> AppendError(const std::string& path) {
    try {
      files_.Append(path, "x");
    } catch (const RuntimeError& error) {
      return error.number();
    }
    return std::nullopt;
  }

  // True when nothing else has the file open: a handle left open would refuse this one.
  static bool OpenExclusively(const std::string& path) {
    HANDLE handle = CreateFileW(WidePath(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    CloseHandle(handle);
    return true;
  }

  test_support::TempFolder folder_;
  win32::Win32Files files_;
};

TEST_F(Win32FilesTest, AppendCreatesTheFileThenAddsToItAndClosesIt) {
  const std::string path = folder_ / "Clip.txt";
  files_.Append(path, "one\r\n");
  EXPECT_TRUE(OpenExclusively(path));
  files_.Append(path, std::string("two\0\xFF\r\n", 7));
  EXPECT_TRUE(OpenExclusively(path));
  EXPECT_EQ(ReadBytes(path), std::string("one\r\ntwo\0\xFF\r\n", 12));
}

TEST_F(Win32FilesTest, ReplaceWritesTheWholeContentOverALongerFile) {
  const std::string path = folder_ / "Clip.bmp";
  WriteBytes(path, "a much longer earlier content");
  files_.Replace(path, "new");
  EXPECT_TRUE(OpenExclusively(path));
  EXPECT_EQ(ReadBytes(path), "new");

  const std::string fresh = folder_ / "Fresh.bmp";
  files_.Replace(fresh, "BM");
  EXPECT_EQ(ReadBytes(fresh), "BM");
}

TEST_F(Win32FilesTest, ReadStartGivesAtMostTheCountAndNothingForAMissingFile) {
  const std::string path = folder_ / "Clip.txt";
  WriteBytes(path, "\xEF\xBB\xBFtext");
  EXPECT_EQ(files_.ReadStart(path, 3), "\xEF\xBB\xBF");
  EXPECT_EQ(files_.ReadStart(path, 100), "\xEF\xBB\xBFtext");
  EXPECT_TRUE(OpenExclusively(path));
  EXPECT_EQ(files_.ReadStart(folder_ / "None.txt", 3), "");
  EXPECT_EQ(files_.ReadStart(folder_ / "missing\\None.txt", 3), "");
}

TEST_F(Win32FilesTest, NamesBeyondAsciiAreKeptAsTheyAre) {
  const std::string path = folder_ / "Заметки ✓.txt";
  files_.Append(path, "x");
  EXPECT_TRUE(Exists(path));
  EXPECT_EQ(files_.ReadStart(path, 10), "x");
}

TEST_F(Win32FilesTest, AMissingFolderOrDriveIsPathNotFound) {
  EXPECT_EQ(AppendError(folder_ / "missing\\Clip.txt"), ErrorNumber::kPathNotFound);
  EXPECT_EQ(AppendError(folder_ / "missing/Clip.txt"), ErrorNumber::kPathNotFound);
  // The last letter that names no drive here.
  const DWORD drives = GetLogicalDrives();
  for (char letter = 'Z'; letter >= 'D'; --letter) {
    if (drives & (1u << (letter - 'A'))) continue;
    EXPECT_EQ(AppendError(std::string(1, letter) + ":\\Clips\\Clip.txt"),
              ErrorNumber::kPathNotFound)
        << letter << ":";
    break;
  }
  EXPECT_FALSE(Exists(folder_ / "missing"));
}

TEST_F(Win32FilesTest, ANameTheFileSystemCannotHoldIsABadFileName) {
  EXPECT_EQ(AppendError(folder_ / "Clip\nLine.txt"), ErrorNumber::kBadFileName);
  EXPECT_EQ(AppendError(folder_ / "Clip?.txt"), ErrorNumber::kBadFileName);
  EXPECT_EQ(AppendError(folder_ / "Clip:1.txt"), ErrorNumber::kBadFileName);
  EXPECT_FALSE(Exists(folder_ / "Clip?.txt"));
}

TEST_F(Win32FilesTest, AFileHeldByAnotherOrAFolderOfThatNameIsAnAccessError) {
  const std::string held = folder_ / "Held.txt";
  HANDLE holder = CreateFileW(WidePath(held).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  EXPECT_EQ(AppendError(held), ErrorNumber::kPathFileAccess);
  CloseHandle(holder);

  const std::string folder = folder_ / "Clip.txt";
  ASSERT_TRUE(CreateDirectoryW(WidePath(folder).c_str(), nullptr));
  EXPECT_EQ(AppendError(folder), ErrorNumber::kPathFileAccess);
}

}  // namespace
}  // namespace clipnest
