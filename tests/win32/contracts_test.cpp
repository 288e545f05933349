// The contract suites on the Windows backend under Wine with Russian regional settings: real
// folders, the system's profile functions and code page, the clipboard and the keys.
#include "contract/ansi_code_page_contract.h"
#include "contract/clipboard_contract.h"
#include "contract/files_contract.h"
#include "contract/key_state_contract.h"
#include "contract/profile_strings_contract.h"
#include "platform/win32/win32_ansi_code_page.h"
#include "platform/win32/win32_clipboard.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_key_state.h"
#include "platform/win32/win32_profile_strings.h"
#include "support/temp_folder.h"
#include "win32_helpers.h"

namespace clipnest::contract {
namespace {

using test_support::PathOf;

// One subject for every suite; keys as the keyboard sends them.
struct Win32 : test_support::TempFolder {
  Win32() { EXPECT_EQ(GetACP(), 1251u) << "run the tests with LANG=ru_RU.UTF-8"; }
  ~Win32() {
    if (pipe != INVALID_HANDLE_VALUE) CloseHandle(pipe);
    if (memory) VirtualFree(memory, 0, MEM_RELEASE);
    test_support::Offer(0, nullptr);
    for (Key key : {Key::kC, Key::kControlLeft, Key::kControlRight, Key::kAltLeft, Key::kAltRight})
      Release(key);
  }
  // Nothing else has the file open: a handle left open would refuse this one.
  bool Closed(const std::string& path) const {
    HANDLE handle = CreateFileW(PathOf(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    return handle != INVALID_HANDLE_VALUE && CloseHandle(handle);
  }
  // A named pipe with a server waiting, and devices under a file's name.
  std::vector<std::string> NotFiles() {
    const std::string name = "\\\\.\\pipe\\clipnest-test-" + std::to_string(GetCurrentProcessId());
    pipe = CreateNamedPipeW(PathOf(name).c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE,
                            PIPE_UNLIMITED_INSTANCES, 4096, 4096, 0, nullptr);
    return {name, Path("NUL"), Path("CON"), Path("COM1")};
  }
  // Bytes whose end lies in memory no one may read (Wine offers no disk that fills up).
  std::string_view FailingBytes() {
    memory = VirtualAlloc(nullptr, 8192, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    DWORD old = 0;
    VirtualProtect(static_cast<char*>(memory) + 4096, 4096, PAGE_NOACCESS, &old);
    return {static_cast<const char*>(memory), 4096 + 100};
  }
  void OfferNothing() { test_support::Offer(0, nullptr); }
  void OfferText(const std::string& text) { test_support::OfferText(text); }
  void OfferPicture(const std::string& dib) {
    test_support::Offer(CF_DIB, test_support::GlobalBlockOf(dib));
  }
  static void Send(Key key, std::initializer_list<bool> downs) {
    const WORD codes[] = {'C', VK_LCONTROL, VK_RCONTROL, VK_LMENU, VK_RMENU};
    const bool right = key == Key::kControlRight || key == Key::kAltRight;
    std::vector<INPUT> inputs;
    for (bool down : downs) {
      INPUT& input = inputs.emplace_back(INPUT{.type = INPUT_KEYBOARD});
      input.ki.wVk = codes[static_cast<int>(key)];
      input.ki.dwFlags = (down ? 0 : KEYEVENTF_KEYUP) | (right ? KEYEVENTF_EXTENDEDKEY : 0);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  }
  void Press(Key key) { Send(key, {true}); }
  void Release(Key key) { Send(key, {false}); }
  void Tap(Key key) { Send(key, {true, false}); }

  win32::Win32Files files;
  win32::Win32ProfileStrings system_profile;
  ProfileStrings& profile = system_profile;
  win32::Win32AnsiCodePage page;
  AnsiCodePage& ansi = page;
  win32::Win32Clipboard clipboard;
  win32::Win32KeyState keys;
  // The profile functions are Wine's own where the tests run.
  bool follows_wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version");
  bool sided = true;
  HANDLE pipe = INVALID_HANDLE_VALUE;
  void* memory = nullptr;
};
CLIPNEST_EVERY_CONTRACT(Win32, Win32);

}  // namespace
}  // namespace clipnest::contract
