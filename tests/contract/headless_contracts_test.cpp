// The contract suites on the headless fake, so that the stories told on it can be trusted.
#include "contract/ansi_code_page_contract.h"
#include "contract/clipboard_contract.h"
#include "contract/files_contract.h"
#include "contract/key_state_contract.h"
#include "contract/profile_strings_contract.h"
#include "headless/headless_platform.h"

namespace clipnest::contract {
namespace {

// The fake's disk seen from outside, in a folder of its own.
struct FakeDisk {
  FakeDisk() { h.disk.MakeFolder("/w"); }
  std::string Path(std::string_view name) const { return "/w/" + std::string(name); }
  void MakeFolder(std::string_view name) { h.disk.MakeFolder(Path(name)); }
  std::string Read(const std::string& path) const { return h.disk.Content(path); }
  void Write(const std::string& path, std::string_view bytes) {
    h.disk.SetContent(path, std::string(bytes));
  }
  bool Exists(const std::string& path) const { return h.disk.Exists(path); }
  std::vector<std::string> Entries() const { return h.disk.Entries("/w"); }
  headless::HeadlessPlatform h;
};

struct FakeFiles : FakeDisk {
  bool Closed(const std::string&) const { return true; }  // memory holds nothing open
  std::vector<std::string> NotFiles() {
    h.disk.MakeSpecial(Path("pipe.txt"));
    return {Path("pipe.txt")};
  }
  std::string_view FailingBytes() {
    h.disk.FailWritesWith(ErrorNumber::kDiskFull);
    return "x";
  }
  Files& files = h.disk;
};
INSTANTIATE_TYPED_TEST_SUITE_P(Fake, FilesContract, FakeFiles);

struct FakeProfile : FakeDisk {
  ProfileStrings& profile = h.ini;
  bool follows_wine = false;
};
INSTANTIATE_TYPED_TEST_SUITE_P(Fake, ProfileStringsContract, FakeProfile);

struct FakeAnsi : FakeDisk {
  AnsiCodePage& ansi = h.ansi;
};
INSTANTIATE_TYPED_TEST_SUITE_P(Fake, AnsiCodePageContract, FakeAnsi);

struct FakeClipboard : FakeDisk {
  void OfferNothing() { OfferText(""); }
  void OfferText(std::string_view text) { h.clipboard = {}, h.clipboard.text = text; }
  void OfferPicture(std::string dib) { h.clipboard = {}, h.clipboard.picture.dib = dib; }
  Clipboard& clipboard = h.clipboard;
};
INSTANTIATE_TYPED_TEST_SUITE_P(Fake, ClipboardContract, FakeClipboard);

struct FakeKeys : FakeDisk {
  FakeKeys() { h.keys.can_wake = true; }
  static int Code(Key key) {
    return key == Key::kC              ? virtual_key::kC
           : key <= Key::kControlRight ? virtual_key::kControl
                                       : virtual_key::kAlt;
  }
  void Press(Key key) { h.keys.Press(Code(key)); }
  void Release(Key key) { h.keys.Release(Code(key)); }
  void Tap(Key key) { h.keys.Tap(Code(key)); }
  bool sided = false;
  KeyState& keys = h.keys;
};
INSTANTIATE_TYPED_TEST_SUITE_P(Fake, KeyStateContract, FakeKeys);

}  // namespace
}  // namespace clipnest::contract
