// One running copy per user and display: where the lock goes, what is passed over, and that two
// copies always meet the same lock.
#include "platform/linux/single_instance.h"

#include "folders.h"
#include "platform/linux/display_name.h"

#include <gtest/gtest.h>

#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

namespace clipnest {
namespace {

namespace fs = std::filesystem;
using test_support::ReadBytes;
using test_support::WriteBytes;

TEST(DisplayNameTest, TheLocalDisplayIsOneWhateverItsScreenAndARemoteOneKeepsItsHost) {
  for (const char* local : {":0", "unix:0", ":0.0", "unix:0.1", ":00", "UNIX:0.2"})
    EXPECT_EQ(CanonicalDisplay(local), ":0") << local;
  EXPECT_EQ(CanonicalDisplay(":1.0"), ":1");
  // A forwarded display on the local host is another display than the local one.
  EXPECT_EQ(CanonicalDisplay("localhost:10.0"), "localhost:10");
  EXPECT_EQ(CanonicalDisplay("LocalHost:10"), "localhost:10");
  EXPECT_EQ(CanonicalDisplay("localhost:0"), "localhost:0");
  EXPECT_EQ(CanonicalDisplay("::1:0.0"), "::1:0");
  EXPECT_EQ(CanonicalDisplay(""), "");
  EXPECT_EQ(CanonicalDisplay(":x"), ":x");
}

class SingleInstanceTest : public ::testing::Test {
 protected:
  SingleInstanceTest() {
    ::mkdir(temp_.c_str(), 0777);
    ::chmod(temp_.c_str(), 01777);  // as /tmp is
  }

  InstanceLockPlaces Places(const std::string& display = "") const {
    return {.runtime_folders = {runtime_},
            .shared_temp = temp_,
            .display = display.empty() ? display_ : display};
  }
  // The folder where a first copy takes the lock ("socket" for the stand-in), followed by what
  // went wrong when a second copy does not find it taken or a third, started after the first has
  // ended, does not take the same lock again.
  std::string LockFolderOfTwoCopies() {
    auto first = std::make_unique<SingleInstance>(Places());
    if (first->AnotherIsRunning()) return "taken before any copy ran";
    const std::string path = first->lock_path();
    std::string seen = path.empty() ? "socket" : fs::path(path).parent_path().string();
    if (!SingleInstance(Places()).AnotherIsRunning()) seen += ", not taken by the first";
    first.reset();
    SingleInstance third(Places());
    if (third.AnotherIsRunning() || third.lock_path() != path) seen += ", not taken again";
    return seen;
  }
  // The name of this user's private folder under the shared temporary folder.
  std::string OwnTemp(const std::string& suffix = "") const {
    return temp_ + "/clipnest-" + std::to_string(::geteuid()) + suffix;
  }
  // The lock file's name, as a first copy in a clean place takes it.
  std::string LockName() {
    SingleInstance probe(Places());
    EXPECT_FALSE(probe.AnotherIsRunning());
    const std::string name = fs::path(probe.lock_path()).filename().string();
    fs::remove(probe.lock_path());
    return name;
  }
  void MakePrivate(const std::string& folder) {
    fs::create_directory(folder);
    ::chmod(folder.c_str(), 0700);
  }

  test_support::TempFolder folder_;
  std::string runtime_ = folder_ / "runtime";
  std::string temp_ = folder_ / "tmp";
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

TEST_F(SingleInstanceTest, ARuntimeFolderThatIsNotPrivateIsPassedOverForAPrivateOneInTemp) {
  const std::string private_elsewhere = folder_ / "elsewhere";
  MakePrivate(private_elsewhere);
  const std::function<void()> runtime_folders[] = {
      [] {},  // missing
      [&] {
        fs::create_directory(runtime_);
        ::chmod(runtime_.c_str(), 0755);
      },
      [&] { WriteBytes(runtime_, "not a folder"); },
      [&] { fs::create_directory_symlink(private_elsewhere, runtime_); },
  };
  for (const auto& make : runtime_folders) {
    make();
    EXPECT_EQ(LockFolderOfTwoCopies(), OwnTemp());
    EXPECT_EQ(test_support::PermissionBits(OwnTemp()), 0700u);
    EXPECT_TRUE(fs::is_empty(private_elsewhere));
    fs::remove_all(runtime_);
  }
}

TEST_F(SingleInstanceTest, ANameInTempThatSomeoneElseTookIsPassedOver) {
  const std::string own_folder = folder_ / "own";
  MakePrivate(own_folder);
  WriteBytes(OwnTemp(), "planted");
  EXPECT_EQ(LockFolderOfTwoCopies(), OwnTemp("-1"));
  EXPECT_EQ(ReadBytes(OwnTemp()), "planted");
  fs::remove(OwnTemp());

  fs::create_directory_symlink(own_folder, OwnTemp());
  EXPECT_EQ(LockFolderOfTwoCopies(), OwnTemp("-1"));
  EXPECT_TRUE(fs::is_empty(own_folder));
  fs::remove(OwnTemp());

  // A folder others may write into: a lock file planted there could be held by them.
  fs::create_directory(OwnTemp());
  ::chmod(OwnTemp().c_str(), 0777);
  EXPECT_EQ(LockFolderOfTwoCopies(), OwnTemp("-1"));
}

// Runs `check` in a child process where `folder` is a folder of another user: handed to nobody
// when the test runs as root, else a folder of root's bound there in a user and mount namespace
// of the child (where root is nobody). The folder's path is worked out inside.
std::string WithForeignFolder(const std::function<std::string()>& folder,
                              const std::function<std::string()>& check) {
  return test_support::RunInChild([&]() -> std::string {
    if (::geteuid() == 0) {
      const std::string path = folder();
      if (::mkdir(path.c_str(), 0700) != 0 || ::chown(path.c_str(), 65534, 65534) != 0)
        return "skip: cannot hand a folder to nobody";
      return check();
    }
    const uid_t uid = ::geteuid();
    const gid_t gid = ::getegid();
    if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) return "skip: no user namespace";
    std::ofstream("/proc/self/setgroups") << "deny";
    std::ofstream("/proc/self/uid_map") << "0 " << uid << " 1";
    std::ofstream("/proc/self/gid_map") << "0 " << gid << " 1";
    const std::string path = folder();
    if (::mkdir(path.c_str(), 0700) != 0 ||
        ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        ::mount("/usr", path.c_str(), nullptr, MS_BIND, nullptr) != 0) {
      return "skip: cannot bind a folder of root's";
    }
    return check();
  });
}

TEST_F(SingleInstanceTest, AnotherUsersFolderUnderTheNameIsPassedOver) {
  const std::string seen =
      WithForeignFolder([&] { return OwnTemp(); },
                        [&] {
                          const std::string folder = LockFolderOfTwoCopies();
                          return folder == OwnTemp("-1") ? "the spare" : folder;
                        });
  if (seen.starts_with("skip: ")) GTEST_SKIP() << seen.substr(6);
  EXPECT_EQ(seen, "the spare");
}

TEST_F(SingleInstanceTest, AFolderALinkOrAFifoWhereTheLockFileShouldBeIsPassedOver) {
  MakePrivate(runtime_);
  const std::string lock = runtime_ + "/" + LockName();
  const std::string target = folder_ / "target";
  WriteBytes(target, "kept");
  fs::create_directory(lock);
  EXPECT_EQ(LockFolderOfTwoCopies(), OwnTemp());
  fs::remove(lock);
  fs::create_symlink(target, lock);
  EXPECT_EQ(LockFolderOfTwoCopies(), OwnTemp());
  fs::remove(lock);
  ASSERT_EQ(::mkfifo(lock.c_str(), 0600), 0);
  EXPECT_EQ(LockFolderOfTwoCopies(), OwnTemp());
  EXPECT_EQ(ReadBytes(target), "kept");
}

TEST_F(SingleInstanceTest, WithoutAnyLockFileASocketNameStandsInForIt) {
  fs::remove_all(temp_);
  WriteBytes(temp_, "no folders can be made here");
  EXPECT_EQ(LockFolderOfTwoCopies(), "socket");
  SingleInstance first(Places());
  EXPECT_FALSE(first.AnotherIsRunning());
  EXPECT_FALSE(SingleInstance(Places(display_ + "1")).AnotherIsRunning());
}

}  // namespace
}  // namespace clipnest
