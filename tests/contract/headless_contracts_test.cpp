// The contract suites on the headless fake, so that the stories told on it can be trusted.
#include "contract/ansi_code_page_contract.h"
#include "contract/clipboard_contract.h"
#include "contract/files_contract.h"
#include "contract/key_state_contract.h"
#include "contract/profile_strings_contract.h"
#include "headless/headless_platform.h"

namespace clipnest::contract {
namespace {

// One subject for every suite: the fake seen from outside, its disk in a folder of its own.
struct Fake {
  Fake() { h.disk.MakeFolder("/w"), h.keys.can_wake = true; }
  std::string Path(std::string_view name) const { return "/w/" + std::string(name); }
  void MakeFolder(std::string_view name) { h.disk.MakeFolder(Path(name)); }
  std::string Read(const std::string& path) const { return h.disk.Content(path); }
  void Write(const std::string& path, std::string_view bytes) {
    h.disk.SetContent(path, std::string(bytes));
  }
  bool Exists(const std::string& path) const { return h.disk.Exists(path); }
  std::vector<std::string> Entries() const { return h.disk.Entries("/w"); }
  bool Closed(const std::string&) const { return true; }  // memory holds nothing open
  std::vector<std::string> NotFiles() {
    h.disk.MakeSpecial(Path("pipe.txt"));
    return {Path("pipe.txt")};
  }
  std::string_view FailingBytes() {
    h.disk.FailWritesWith(ErrorNumber::kDiskFull);
    return "x";
  }
  void OfferNothing() { OfferText(""); }
  void OfferText(std::string_view text) { h.clipboard = {}, h.clipboard.text = text; }
  void OfferPicture(std::string dib) { h.clipboard = {}, h.clipboard.picture.dib = dib; }
  static constexpr int kCodes[] = {virtual_key::kC, virtual_key::kControl, virtual_key::kControl,
                                   virtual_key::kAlt, virtual_key::kAlt};  // by Key
  void Press(Key key) { h.keys.Press(kCodes[static_cast<int>(key)]); }
  void Release(Key key) { h.keys.Release(kCodes[static_cast<int>(key)]); }
  void Tap(Key key) { h.keys.Tap(kCodes[static_cast<int>(key)]); }

  headless::HeadlessPlatform h;
  Files& files = h.disk;
  ProfileStrings& profile = h.profile;
  AnsiCodePage& ansi = h.ansi;
  Clipboard& clipboard = h.clipboard;
  KeyState& keys = h.keys;
  bool follows_wine = false, sided = false;
};
CLIPNEST_EVERY_CONTRACT(Fake, Fake);

}  // namespace
}  // namespace clipnest::contract
