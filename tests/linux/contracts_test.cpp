// The contract suites on the Linux backend: real folders, the locale's code page, and the
// clipboard and keys of a private Xvfb.
#include "contract/ansi_code_page_contract.h"
#include "contract/clipboard_contract.h"
#include "contract/files_contract.h"
#include "contract/key_state_contract.h"
#include "contract/profile_strings_contract.h"
#include "platform/linux/posix/disk_ini_store.h"
#include "platform/linux/posix/locale_code_page.h"
#include "platform/linux/posix/posix_files.h"
#include "platform/linux/x11/x11_clipboard.h"
#include "platform/linux/x11/x11_key_state.h"
#include "posix_helpers.h"
#include "support/temp_folder.h"
#include "x_session.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace clipnest::contract {
namespace {

using namespace linux_backend;

using test_support::XSession;

struct LinuxFiles : test_support::TempFolder {
  ~LinuxFiles() {
    if (reader >= 0) ::close(reader);
    if (memory != MAP_FAILED) ::munmap(memory, 8192);
  }
  bool Closed(const std::string& path) const { return test_support::DescriptorsOpenOn(path) == 0; }
  // A FIFO with no one at the other end (an open would wait), one with a reader (the bytes would
  // vanish into it) and a device (it would be read without end).
  std::vector<std::string> NotFiles() {
    ::mkfifo(Path("alone.txt").c_str(), 0644);
    ::mkfifo(Path("read.txt").c_str(), 0644);
    reader = ::open(Path("read.txt").c_str(), O_RDONLY | O_NONBLOCK);
    ::symlink("/dev/zero", Path("zero.txt").c_str());
    return {Path("alone.txt"), Path("read.txt"), Path("zero.txt")};
  }
  // Bytes whose end lies in memory no one may read.
  std::string_view FailingBytes() {
    memory = ::mmap(nullptr, 8192, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    ::mprotect(static_cast<char*>(memory) + 4096, 4096, PROT_NONE);
    return {static_cast<const char*>(memory), 4096 + 100};
  }
  PosixFiles files;
  int reader = -1;
  void* memory = MAP_FAILED;
};
INSTANTIATE_TYPED_TEST_SUITE_P(Linux, FilesContract, LinuxFiles);

struct LinuxProfile : test_support::TempFolder {
  DiskIniStore store;
  LocaleCodePage ansi{"ru_RU.UTF-8"};
  IniProfileStrings engine{store, ansi};
  ProfileStrings& profile = engine;
  bool follows_wine = false;
};
INSTANTIATE_TYPED_TEST_SUITE_P(Linux, ProfileStringsContract, LinuxProfile);

struct LinuxAnsi {
  LocaleCodePage page{"ru_RU.UTF-8"};
  AnsiCodePage& ansi = page;
};
INSTANTIATE_TYPED_TEST_SUITE_P(Linux, AnsiCodePageContract, LinuxAnsi);

// Another program (xclip) offers the clipboard.
struct LinuxClipboard {
  void OfferNothing() { Offer("application/x-nothing", "x"); }
  void OfferText(const std::string& text) { Offer("UTF8_STRING", text); }
  void OfferPicture(const std::string& dib) {
    std::string file = "BM";
    test_support::Put32(file, static_cast<std::uint32_t>(14 + dib.size()));
    test_support::Put32(file, 0);
    test_support::Put32(file, 14 + 40);
    Offer("image/bmp", file + dib);
  }
  void Offer(const std::string& target, const std::string& bytes) {
    ASSERT_TRUE(x.OfferFromAnotherProgram(target, bytes));
  }
  XSession& x = XSession::Get();
  X11Clipboard clipboard;
};
INSTANTIATE_TYPED_TEST_SUITE_P(Linux, ClipboardContract, LinuxClipboard);

// Keys pressed through XTest, each settled: once the key state has seen a press and release of
// Pause, it has seen every event before them.
struct LinuxKeys {
  static int Code(Key key) {
    namespace code = test_support::keycode;
    const int codes[] = {code::kPlaceOfC, code::kControlLeft, code::kControlRight, code::kAltLeft,
                         code::kAltRight};
    return codes[static_cast<int>(key)];
  }
  void Press(Key key) { Settled({{Code(key), true}}); }
  void Release(Key key) { Settled({{Code(key), false}}); }
  void Tap(Key key) { Settled({{Code(key), true}, {Code(key), false}}); }
  void Settled(std::initializer_list<std::pair<int, bool>> events) {
    x.Keys(events);
    const int pause[] = {virtual_key::kPause};
    x.Key(test_support::keycode::kPause, true);
    ASSERT_TRUE(test_support::RunEventsUntil([&] { return !keys.Quiet(pause); }));
    x.Key(test_support::keycode::kPause, false);
    keys.AsyncKeyState(virtual_key::kPause);
    ASSERT_TRUE(test_support::RunEventsUntil([&] { return keys.Quiet(pause); }));
  }
  XSession& x = XSession::Get();
  X11KeyState keys;
  bool sided = true;
};
INSTANTIATE_TYPED_TEST_SUITE_P(Linux, KeyStateContract, LinuxKeys);

}  // namespace
}  // namespace clipnest::contract
