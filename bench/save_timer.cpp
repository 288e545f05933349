// Times one save: a click of the left button where the pointer is (through XTest, so that no
// tool's own delays count), or a reference tool run to its end; then, when an expected size is
// given, waits until a file in FOLDER whose name starts with PREFIX has exactly that size.
// Prints the milliseconds since just before the click or the tool's start, and for a command
// its peak memory in KiB (the largest resident size of it and the children it waited for).
//   save_timer FOLDER PREFIX SIZE TIMEOUT_SECONDS --click
//   save_timer FOLDER PREFIX SIZE TIMEOUT_SECONDS -- COMMAND [ARGUMENTS...]
// SIZE 0 times the command alone.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <dirent.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// The size of the first file in the folder whose name starts with the prefix; -1 for none.
long long SizeOfFile(const std::string& folder, const std::string& prefix) {
  DIR* directory = ::opendir(folder.c_str());
  if (!directory) return -1;
  long long size = -1;
  while (const dirent* entry = ::readdir(directory)) {
    if (std::strncmp(entry->d_name, prefix.c_str(), prefix.size()) != 0) continue;
    struct stat info {};
    if (::stat((folder + "/" + entry->d_name).c_str(), &info) == 0) size = info.st_size;
    break;
  }
  ::closedir(directory);
  return size;
}

}  // namespace

int main(int argc, char** argv) {
  const bool click = argc == 6 && std::strcmp(argv[5], "--click") == 0;
  if (!click && (argc < 7 || std::strcmp(argv[5], "--") != 0)) {
    std::fprintf(stderr, "usage: %s FOLDER PREFIX SIZE TIMEOUT_SECONDS (--click | -- COMMAND...)\n",
                 argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  const std::string prefix = argv[2];
  const long long expected = std::atoll(argv[3]);
  const auto deadline_after = std::chrono::seconds(std::atoi(argv[4]));

  Display* display = click ? XOpenDisplay(nullptr) : nullptr;
  if (click && !display) {
    std::fprintf(stderr, "no X display\n");
    return 1;
  }
  const Clock::time_point started = Clock::now();
  long peak_kib = -1;
  if (click) {
    XTestFakeButtonEvent(display, 1, True, CurrentTime);
    XTestFakeButtonEvent(display, 1, False, CurrentTime);
    XFlush(display);
  } else {
    pid_t child = 0;
    if (::posix_spawnp(&child, argv[6], nullptr, nullptr, argv + 6, environ) != 0) {
      std::fprintf(stderr, "cannot start %s\n", argv[6]);
      return 1;
    }
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    peak_kib = usage.ru_maxrss;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      std::fprintf(stderr, "%s failed\n", argv[6]);
      return 1;
    }
  }
  if (expected > 0) {
    for (long long size; (size = SizeOfFile(folder, prefix)) != expected;) {
      if (size > expected) {
        std::fprintf(stderr, "%s* grew to %lld bytes, more than %lld\n", prefix.c_str(), size,
                     expected);
        return 1;
      }
      if (Clock::now() - started > deadline_after) {
        std::fprintf(stderr, "no complete %s* file (size %lld of %lld)\n", prefix.c_str(), size,
                     expected);
        return 1;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }
  const std::chrono::duration<double, std::milli> elapsed = Clock::now() - started;
  if (display) XCloseDisplay(display);
  if (peak_kib >= 0) {
    std::printf("%.1f %ld\n", elapsed.count(), peak_kib);
  } else {
    std::printf("%.1f\n", elapsed.count());
  }
  return 0;
}
