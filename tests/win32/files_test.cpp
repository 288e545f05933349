// What only Windows files do: names the file system cannot hold, drives, and files that another
// program holds.
#include "contract/contract.h"
#include "platform/win32/win32_files.h"
#include "support/temp_folder.h"

#include <windows.h>

namespace clipnest {
namespace {

using contract::ErrorOf;
using test_support::PathOf;

TEST(Win32FilesTest, NamesDrivesAndHeldFilesFailWithTheNumberOfTheirCause) {
  test_support::TempFolder folder;
  win32::Win32Files files;
  const auto append_error = [&](const std::string& path) {
    return ErrorOf([&] { files.Append(path, "x"); });
  };
  for (const char* name : {"Clip?.txt", "Clip:1.txt"})
    EXPECT_EQ(append_error(folder / name), 52) << name;
  char letter = 'Z';  // a drive letter no drive has
  while (letter > 'D' && GetLogicalDrives() & (1u << (letter - 'A'))) --letter;
  EXPECT_EQ(append_error(std::string(1, letter) + ":\\Clips\\Clip.txt"), 76);
  // Another program writes the file, or reads it and lets no one remove or rename it meanwhile.
  const std::string held = folder / "Held.txt", picture = folder / "Sc.bmp";
  test_support::WriteBytes(picture, "old picture");
  HANDLE writer = CreateFileW(PathOf(held).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  HANDLE reader = CreateFileW(PathOf(picture).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_EQ(append_error(held), 75);
  EXPECT_EQ(ErrorOf([&] { files.Replace(picture, "new picture"); }), 75);
  CloseHandle(writer);
  CloseHandle(reader);
  EXPECT_EQ(test_support::ReadBytes(picture), "old picture");
  EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"Held.txt", "Sc.bmp"}));
}

}  // namespace
}  // namespace clipnest
