// Files of the save folder on a real temporary folder: whole writes, closed handles, error
// numbers, and nothing that blocks or is left behind.
#include "platform/win32/win32_files.h"

#include "platform/runtime_error.h"
#include "platform/win32/win32_ansi_code_page.h"
#include "saving/text_file.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <vector>

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
    return ErrorOf([&] { files_.Append(path, "x"); });
  }
  template <typename Call>
  static std::optional<ErrorNumber> ErrorOf(Call call) {
    try {
      call();
    } catch (const RuntimeError& error) {
      return error.number();
    }
    return std::nullopt;
  }

  // The names in the test's folder, sorted.
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(WidePath(folder_.path()))) {
      const std::u8string name = entry.path().filename().u8string();
      names.emplace_back(name.begin(), name.end());
    }
    std::sort(names.begin(), names.end());
    return names;
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

TEST_F(Win32FilesTest, AReplacementThatCannotTakeThePlaceLeavesTheOldFileAndNoTemporaryOne) {
  const std::string path = folder_ / "Sc.bmp";
  WriteBytes(path, "old picture");
  // Another program reads the file and lets no one remove or rename it meanwhile.
  HANDLE reader = CreateFileW(WidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  EXPECT_EQ(ErrorOf([&] { files_.Replace(path, "new picture"); }), ErrorNumber::kPathFileAccess);
  CloseHandle(reader);
  EXPECT_EQ(ReadBytes(path), "old picture");
  EXPECT_EQ(Entries(), std::vector<std::string>{"Sc.bmp"});
  files_.Replace(path, "new");
  EXPECT_EQ(ReadBytes(path), "new");
  EXPECT_EQ(Entries(), std::vector<std::string>{"Sc.bmp"});
}

TEST_F(Win32FilesTest, AnAnsiFileIsReadWholeWithinALimitAndBecomesUtf8InPlace) {
  const std::string path = folder_ / "notes.txt";
  EXPECT_EQ(files_.ReadWhole(path, 10), "");
  WriteBytes(path, "\xCF\xF0\xE8\xE2\xE5\xF2\r\n");
  EXPECT_EQ(ErrorOf([&] { files_.ReadWhole(path, 7); }), ErrorNumber::kOutOfMemory);
  win32::Win32AnsiCodePage ansi;  // Windows-1251 under the tests' Russian settings
  TextFiles(files_, ansi).AppendLine(path, "café 😀");
  EXPECT_EQ(ReadBytes(path), "\xEF\xBB\xBFПривет\r\ncafé 😀\r\n");
  EXPECT_TRUE(OpenExclusively(path));
  EXPECT_EQ(Entries(), std::vector<std::string>{"notes.txt"});
}

TEST_F(Win32FilesTest, APipeOrADeviceUnderTheNameFailsAtOnceAndSilently) {
  const std::string pipe = "\\\\.\\pipe\\clipnest-test-" + std::to_string(GetCurrentProcessId());
  HANDLE server = CreateNamedPipeW(WidePath(pipe).c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE,
                                   PIPE_UNLIMITED_INSTANCES, 4096, 4096, 0, nullptr);
  ASSERT_NE(server, INVALID_HANDLE_VALUE);
  EXPECT_EQ(ErrorOf([&] { files_.ReadStart(pipe, 3); }), ErrorNumber::kPathFileAccess);
  EXPECT_EQ(ErrorOf([&] { files_.ReadWhole(pipe, 100); }), ErrorNumber::kPathFileAccess);
  EXPECT_EQ(ErrorOf([&] { files_.Append(pipe, "x"); }), ErrorNumber::kPathFileAccess);
  EXPECT_EQ(ErrorOf([&] { files_.Replace(pipe, "x"); }), ErrorNumber::kPathFileAccess);
  CloseHandle(server);
  for (const std::string device : {"NUL", "CON", "COM1"}) {
    EXPECT_EQ(AppendError(folder_ / device), ErrorNumber::kPathFileAccess) << device;
    EXPECT_EQ(ErrorOf([&] { files_.ReadStart(folder_ / device, 3); }),
              ErrorNumber::kPathFileAccess);
  }
  EXPECT_EQ(Entries(), std::vector<std::string>{});
}

TEST_F(Win32FilesTest, AFailedWriteLeavesTheFileAsItWasAndNoNewFile) {
  // Bytes that end in memory no one may read: writing them fails, as on a full disk (Wine offers
  // no disk that fills up).
  char* memory =
      static_cast<char*>(VirtualAlloc(nullptr, 8192, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  DWORD old = 0;
  ASSERT_TRUE(VirtualProtect(memory + 4096, 4096, PAGE_NOACCESS, &old));
  const std::string_view unreadable(memory, 4096 + 100);
  const std::string existing = folder_ / "Text.txt";
  WriteBytes(existing, "before\r\n");
  EXPECT_NE(ErrorOf([&] { files_.Append(existing, unreadable); }), std::nullopt);
  EXPECT_NE(ErrorOf([&] { files_.Append(folder_ / "Text-new.txt", unreadable); }), std::nullopt);
  EXPECT_NE(ErrorOf([&] { files_.Replace(folder_ / "Sc.bmp", unreadable); }), std::nullopt);
  VirtualFree(memory, 0, MEM_RELEASE);
  EXPECT_EQ(ReadBytes(existing), "before\r\n");
  EXPECT_EQ(Entries(), std::vector<std::string>{"Text.txt"});
  EXPECT_TRUE(OpenExclusively(existing));
}

}  // namespace
}  // namespace clipnest
