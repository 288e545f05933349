// Cuts writes of the settings file short: a child writes the key Left over and over through the
// Linux program's own settings store and is killed (SIGKILL) at a random moment of its writing;
// each time the file must be the old one or the new one, whole. Prints the figures; exits 1 at
// the first file that is neither. Usage: cut_writes SETTINGS_FILE ROUNDS
#include "platform/ini/ini_profile_strings.h"
#include "platform/linux/posix/disk_ini_store.h"
#include "platform/linux/posix/locale_code_page.h"

#include <dirent.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace {

std::string Contents(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

// The file as a complete write of `value` leaves it: the template with its Left line changed.
std::string Expected(const std::string& file, long value) {
  const std::size_t start = file.find("\r\nLeft=") + 7;
  return file.substr(0, start) + std::to_string(value) + file.substr(file.find('\r', start));
}

bool TemporaryLeft(const std::string& folder) {
  DIR* dir = ::opendir(folder.c_str());
  bool found = false;
  while (const dirent* entry = dir ? ::readdir(dir) : nullptr)
    found |= std::string(entry->d_name).rfind(".clipnest-", 0) == 0;
  if (dir) ::closedir(dir);
  return found;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: cut_writes SETTINGS_FILE ROUNDS\n");
    return 2;
  }
  const std::string path = argv[1];
  const std::string folder = path.substr(0, path.rfind('/'));
  const long rounds = std::atol(argv[2]);
  clipnest::linux_backend::DiskIniStore store;
  clipnest::linux_backend::LocaleCodePage russian("ru_RU.UTF-8");
  clipnest::IniProfileStrings profile(store, russian);
  profile.Put("Setup", "Left", "0", path);
  const std::string file = Contents(path);
  if (file.find("\r\nLeft=0\r\n") == std::string::npos) return 2;
  std::mt19937 random(std::random_device{}());
  std::uniform_int_distribution<int> moment_us(0, 20000);
  long held = 0, next = 1, kept_new = 0, kept_old = 0, left_over = 0;
  for (long round = 0; round < rounds; ++round) {
    int values[2];
    if (::pipe(values) != 0) return 2;
    const pid_t child = ::fork();
    if (child == 0) {
      for (long value = next;; ++value) {
        if (::write(values[1], &value, sizeof value) != sizeof value) ::_exit(1);
        profile.Put("Setup", "Left", std::to_string(value), path);
      }
    }
    ::close(values[1]);
    long value = 0, last = 0;
    if (::read(values[0], &last, sizeof last) != sizeof last) return 2;  // it is writing now
    ::usleep(moment_us(random));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    while (::read(values[0], &value, sizeof value) == sizeof value) last = value;
    ::close(values[0]);
    // The value being written when the kill came, or the last one written before it.
    const long before = last > next ? last - 1 : held;
    const std::string now = Contents(path);
    if (now == Expected(file, last)) {
      held = last, ++kept_new;
    } else if (now == Expected(file, before)) {
      held = before, ++kept_old;
    } else {
      std::printf("round %ld: the settings file is neither the old one nor the new one\n", round);
      return 1;
    }
    left_over += TemporaryLeft(folder);
    next = last + 1;
  }
  std::printf(
      "%ld writes cut by SIGKILL (%ld begun): the file held the new value %ld times, "
      "the old one %ld times, never a part; %ld kills left a temporary beside it\n",
      rounds, next - 1, kept_new, kept_old, left_over);
}
