// One running copy per user and display: where the lock goes, what is passed over, and that two
// copies always meet the same lock.
#include "platform/linux/posix/single_instance.h"
#include "platform/linux/x11/display_name.h"
#include "posix_helpers.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <memory>

namespace clipnest::linux_backend {
namespace {

namespace fs = std::filesystem;
using test_support::WriteBytes;

TEST(DisplayNameTest, TheLocalDisplayIsOneWhateverItsScreenAndARemoteOneKeepsItsHost) {
  for (const char* local : {":0", "unix:0", ":0.0", "UNIX:0.1", ":00"})
    EXPECT_EQ(CanonicalDisplay(local), ":0") << local;
  // A display forwarded to the local host is not the local display.
  EXPECT_EQ(CanonicalDisplay("localhost:0"), "localhost:0");
  EXPECT_EQ(CanonicalDisplay("LocalHost:10.0"), "localhost:10");
  EXPECT_EQ(CanonicalDisplay("::1:0.0"), "::1:0");
}

class SingleInstanceTest : public ::testing::Test {
 protected:
  SingleInstanceTest() {
    fs::create_directory(temp_);
    ::chmod(temp_.c_str(), 01777);  // as /tmp is
  }
  InstanceLockPlaces Places(const std::string& display) const {
    return {.runtime_folders = {runtime_}, .shared_temp = temp_, .display = display};
  }
  // The folder where a first copy takes the lock ("socket" for the stand-in), followed by what
  // went wrong if a second copy does not find it taken, or a third, started after the first has
  // ended, does not take the same lock.
  std::string LockFolderOfTwoCopies() {
    auto first = std::make_unique<SingleInstance>(Places(display_));
    if (first->AnotherIsRunning()) return "taken before any copy ran";
    const std::string path = first->lock_path();
    std::string seen = path.empty() ? "socket" : fs::path(path).parent_path().string();
    if (!SingleInstance(Places(display_)).AnotherIsRunning()) seen += ", not taken by the first";
    first.reset();
    SingleInstance third(Places(display_));
    if (third.AnotherIsRunning() || third.lock_path() != path) seen += ", not taken again";
    return seen;
  }
  // This user's private folder under the shared temporary folder.
  std::string OwnTemp(const std::string& suffix = "") const {
    return temp_ + "/clipnest-" + std::to_string(::geteuid()) + suffix;
  }
  void MakePrivate(const std::string& folder) {
    fs::create_directory(folder);
    ::chmod(folder.c_str(), 0700);
  }

  test_support::TempFolder folder_;
  std::string runtime_ = folder_ / "runtime", temp_ = folder_ / "tmp";
  std::string elsewhere_ = folder_ / "elsewhere";
  // A display of this test alone: its stand-in socket name meets no real copy's.
  std::string display_ = "test-" + std::to_string(::getpid()) + ":0";
};

TEST_F(SingleInstanceTest, ThePrivateRuntimeFolderHoldsOneLockPerDisplay) {
  MakePrivate(runtime_);
  EXPECT_EQ(LockFolderOfTwoCopies(), runtime_);
  SingleInstance first(Places("unix:4242.0"));
  EXPECT_FALSE(first.AnotherIsRunning());
  EXPECT_TRUE(SingleInstance(Places(":4242")).AnotherIsRunning());
  EXPECT_FALSE(SingleInstance(Places("localhost:4242")).AnotherIsRunning());
  EXPECT_FALSE(fs::exists(OwnTemp()));
}

TEST_F(SingleInstanceTest, WhatIsNotAPrivateFolderOfTheUserIsPassedOver) {
  MakePrivate(elsewhere_);
  // The runtime folder missing, open to others, a file, a link to a private folder; then the
  // name in the shared folder taken by a file, a link, a folder open to others.
  const std::function<void(const std::string&)> plant[] = {
      [](const std::string&) {},
      [](const std::string& name) { fs::create_directory(name), ::chmod(name.c_str(), 0777); },
      [](const std::string& name) { WriteBytes(name, "planted"); },
      [&](const std::string& name) { fs::create_directory_symlink(elsewhere_, name); }};
  for (const auto& planted : plant) {
    fs::remove_all(runtime_), fs::remove_all(OwnTemp());
    planted(runtime_);
    EXPECT_EQ(LockFolderOfTwoCopies(), OwnTemp());
    EXPECT_EQ(test_support::PermissionBits(OwnTemp()), 0700u);
    if (&planted == &plant[0]) continue;
    fs::remove_all(OwnTemp());
    planted(OwnTemp());
    const auto kind = fs::symlink_status(OwnTemp()).type();
    EXPECT_EQ(LockFolderOfTwoCopies(), OwnTemp("-1"));
    EXPECT_EQ(fs::symlink_status(OwnTemp()).type(), kind) << "the planted name was replaced";
    fs::remove_all(OwnTemp("-1"));
  }
  EXPECT_TRUE(fs::is_empty(elsewhere_));
}

TEST_F(SingleInstanceTest, AnotherUsersFolderUnderTheNameIsPassedOver) {
  // In a child: a folder handed to nobody when the test runs as root; else, in a user and mount
  // namespace where the test's user is root, a folder of the real root's bound there.
  const std::string seen = test_support::RunInChild([&]() -> std::string {
    const bool root = ::geteuid() == 0;
    if (!root && !test_support::OwnMountNamespace()) return "skip: no user namespace";
    fs::create_directory(OwnTemp());
    if (root ? ::chown(OwnTemp().c_str(), 65534, 65534) != 0
             : ::mount("/usr", OwnTemp().c_str(), nullptr, MS_BIND, nullptr) != 0)
      return "skip: cannot make a folder of another user";
    return LockFolderOfTwoCopies() == OwnTemp("-1") ? "the spare" : "not the spare";
  });
  if (seen.starts_with("skip: ")) GTEST_SKIP() << seen.substr(6);
  EXPECT_EQ(seen, "the spare");
}

TEST_F(SingleInstanceTest, AFolderALinkOrAFifoWhereTheLockFileShouldBeIsPassedOver) {
  MakePrivate(runtime_);
  std::string lock;
  if (SingleInstance probe(Places(display_)); !probe.AnotherIsRunning()) lock = probe.lock_path();
  ASSERT_FALSE(lock.empty());
  WriteBytes(elsewhere_, "kept");
  const std::function<void()> plant[] = {[&] { fs::create_directory(lock); },
                                         [&] { fs::create_symlink(elsewhere_, lock); },
                                         [&] { ::mkfifo(lock.c_str(), 0600); }};
  for (const auto& planted : plant) {
    fs::remove_all(lock), fs::remove_all(OwnTemp());
    planted();
    EXPECT_EQ(LockFolderOfTwoCopies(), OwnTemp());
  }
  EXPECT_EQ(test_support::ReadBytes(elsewhere_), "kept");
}

TEST_F(SingleInstanceTest, WithoutAnyLockFileASocketNameStandsInForIt) {
  fs::remove_all(temp_);
  WriteBytes(temp_, "no folder can be made here");
  EXPECT_EQ(LockFolderOfTwoCopies(), "socket");
  SingleInstance first(Places(display_));
  EXPECT_FALSE(first.AnotherIsRunning());
  EXPECT_FALSE(SingleInstance(Places(display_ + "1")).AnotherIsRunning());
}

}  // namespace
}  // namespace clipnest::linux_backend
