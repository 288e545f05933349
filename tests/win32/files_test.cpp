// Files of the save folder on a real temporary folder: whole writes, closed handles, error
// numbers, and nothing that blocks or is left behind.
#include "platform/win32/win32_files.h"

#include "platform/runtime_error.h"
#include "platform/win32/win32_ansi_code_page.h"
#include "saving/text_file.h"
#include "support/temp_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>

namespace clipnest {
namespace {

using test_support::PathOf;
using test_support::ReadBytes;
using test_support::WriteBytes;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

template <typename Call>
std::optional<ErrorNumber> ErrorOf(Call call) {
  try {
    call();
  } catch (const RuntimeError& error) {
    return error.number();
  }
  return std::nullopt;
}

// True when nothing else has the file open: a handle left open would refuse this one.
bool OpenExclusively(const std::string& path) {
  HANDLE handle = CreateFileW(PathOf(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  CloseHandle(handle);
  return true;
}

class Win32FilesTest : public ::testing::Test {
 protected:
  std::optional<ErrorNumber> AppendError(const std::string& path) {
    return ErrorOf([&] { files_.Append(path, "x"); });
  }

  test_support::TempFolder folder_;
  win32::Win32Files files_;
};

TEST_F(Win32FilesTest, AppendAndReplaceWriteWholeFilesUnderAnyNameAndCloseThem) {
  const std::string text = folder_ / "Заметки ✓.txt";
  files_.Append(text, "one\r\n");
  files_.Append(text, std::string("two\0\xFF\r\n", 7));
  EXPECT_TRUE(OpenExclusively(text));
  EXPECT_EQ(ReadBytes(text), std::string("one\r\ntwo\0\xFF\r\n", 12));

  const std::string picture = folder_ / "Clip.bmp";
  files_.Replace(picture, "a much longer earlier content");
  files_.Replace(picture, "new");
  EXPECT_TRUE(OpenExclusively(picture));
  EXPECT_EQ(ReadBytes(picture), "new");
}

TEST_F(Win32FilesTest, ReadingGivesTheStartOrTheWholeUpToItsLimitAndNothingForAMissingFile) {
  const std::string path = folder_ / "notes.txt";
  EXPECT_EQ(files_.ReadStart(path, 3), "");
  EXPECT_EQ(files_.ReadWhole(path, 10), "");
  EXPECT_EQ(files_.ReadStart(folder_ / "missing\\None.txt", 3), "");
  WriteBytes(path, "\xEF\xBB\xBFtext");
  EXPECT_EQ(files_.ReadStart(path, 3), "\xEF\xBB\xBF");
  EXPECT_EQ(files_.ReadWhole(path, 7), "\xEF\xBB\xBFtext");
  EXPECT_EQ(ErrorOf([&] { files_.ReadWhole(path, 6); }), ErrorNumber::kOutOfMemory);
  EXPECT_TRUE(OpenExclusively(path));
}

TEST_F(Win32FilesTest, FailuresHaveTheNumberOfTheirCause) {
  // A missing folder or drive: path not found.
  EXPECT_EQ(AppendError(folder_ / "missing\\Clip.txt"), ErrorNumber::kPathNotFound);
  EXPECT_EQ(AppendError(folder_ / "missing/Clip.txt"), ErrorNumber::kPathNotFound);
  const DWORD drives = GetLogicalDrives();
  for (char letter = 'Z'; letter >= 'D'; --letter) {
    if (drives & (1u << (letter - 'A'))) continue;
    EXPECT_EQ(AppendError(std::string(1, letter) + ":\\Clips\\Clip.txt"),
              ErrorNumber::kPathNotFound);
    break;
  }
  // A name the file system cannot hold: a bad file name.
  for (const char* name : {"Clip\nLine.txt", "Clip?.txt", "Clip:1.txt"})
    EXPECT_EQ(AppendError(folder_ / name), ErrorNumber::kBadFileName) << name;
  // A file another program holds, or a folder of the name: an access error.
  const std::string held = folder_ / "Held.txt";
  HANDLE holder = CreateFileW(PathOf(held).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  EXPECT_EQ(AppendError(held), ErrorNumber::kPathFileAccess);
  CloseHandle(holder);
  ASSERT_TRUE(CreateDirectoryW(PathOf(folder_ / "Clip.txt").c_str(), nullptr));
  EXPECT_EQ(AppendError(folder_ / "Clip.txt"), ErrorNumber::kPathFileAccess);
  EXPECT_THAT(folder_.Entries(), ElementsAre("Clip.txt", "Held.txt"));
}

TEST_F(Win32FilesTest, AReplacementThatCannotTakeThePlaceLeavesTheOldFileAndNoTemporaryOne) {
  const std::string path = folder_ / "Sc.bmp";
  WriteBytes(path, "old picture");
  // Another program reads the file and lets no one remove or rename it meanwhile.
  HANDLE reader = CreateFileW(PathOf(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  EXPECT_EQ(ErrorOf([&] { files_.Replace(path, "new picture"); }), ErrorNumber::kPathFileAccess);
  CloseHandle(reader);
  EXPECT_EQ(ReadBytes(path), "old picture");
  EXPECT_THAT(folder_.Entries(), ElementsAre("Sc.bmp"));
}

TEST_F(Win32FilesTest, AnAnsiFileBecomesUtf8InPlace) {
  const std::string path = folder_ / "notes.txt";
  WriteBytes(path, "\xCF\xF0\xE8\xE2\xE5\xF2\r\n");
  win32::Win32AnsiCodePage ansi;  // Windows-1251 under the tests' Russian settings
  TextFiles(files_, ansi).AppendLine(path, "café 😀");
  EXPECT_EQ(ReadBytes(path), "\xEF\xBB\xBFПривет\r\ncafé 😀\r\n");
  EXPECT_TRUE(OpenExclusively(path));
  EXPECT_THAT(folder_.Entries(), ElementsAre("notes.txt"));
}

TEST_F(Win32FilesTest, APipeOrADeviceUnderTheNameFailsAtOnceAndSilently) {
  const std::string pipe = "\\\\.\\pipe\\clipnest-test-" + std::to_string(GetCurrentProcessId());
  HANDLE server = CreateNamedPipeW(PathOf(pipe).c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE,
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
  EXPECT_THAT(folder_.Entries(), IsEmpty());
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
  EXPECT_THAT(folder_.Entries(), ElementsAre("Text.txt"));
  EXPECT_TRUE(OpenExclusively(existing));
}

}  // namespace
}  // namespace clipnest
