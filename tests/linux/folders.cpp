#include "folders.h"

#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace clipnest::test_support {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
  std::string pattern = "/tmp/clipnest-linux-test.XXXXXX";
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  // Tests take permissions away; give them back so that everything can be removed.
  for (const auto& entry : fs::recursive_directory_iterator(path_, ignored)) {
    if (!entry.is_symlink()) fs::permissions(entry.path(), fs::perms::owner_all, ignored);
  }
  fs::remove_all(path_, ignored);
}

std::vector<std::string> TempFolder::Entries(std::string_view subfolder) const {
  return EntriesOf(subfolder.empty() ? path_ : (fs::path(path_) / subfolder).string());
}

std::vector<std::string> TempFolder::EntriesOf(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("cannot read " + path);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

void WriteBytes(const std::string& path, std::string_view bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot write " + path);
}

unsigned PermissionBits(const std::string& path) {
  return static_cast<unsigned>(fs::status(path).permissions()) & 07777u;
}

bool IsSymlink(const std::string& path) {
  return fs::is_symlink(fs::symlink_status(path));
}

int DescriptorsOpenOn(const std::string& path) {
  const fs::path file = fs::weakly_canonical(path);
  int count = 0;
  std::error_code ignored;
  for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
    if (fs::read_symlink(entry.path(), ignored) == file) ++count;
  }
  return count;
}

std::string RunInChild(const std::function<std::string()>& body) {
  int pipe_ends[2];
  if (::pipe(pipe_ends) != 0) throw std::runtime_error("pipe failed");
  const pid_t child = ::fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    ::close(pipe_ends[0]);
    std::string result;
    try {
      result = body();
    } catch (const std::exception& error) {
      result = std::string("exception: ") + error.what();
    }
    const bool written =
        ::write(pipe_ends[1], result.data(), result.size()) == static_cast<ssize_t>(result.size());
    ::_exit(written ? 0 : 1);
  }
  ::close(pipe_ends[1]);
  std::string result;
  char buffer[4096];
  for (ssize_t got; (got = ::read(pipe_ends[0], buffer, sizeof buffer)) > 0;) {
    result.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(pipe_ends[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return "the child process failed";
  return result;
}

}  // namespace clipnest::test_support
