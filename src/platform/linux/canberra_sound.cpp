#include "canberra_sound.h"

#include <canberra.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace clipnest {
namespace {

// The wave path is relative to the current directory; the sound server needs a full path.
std::string AbsolutePath(std::string_view path) {
  if (!path.empty() && path.front() == '/') return std::string(path);
  char* folder = ::getcwd(nullptr, 0);
  if (!folder) return std::string(path);
  std::string absolute = std::string(folder) + "/" + std::string(path);
  std::free(folder);
  return absolute;
}

}  // namespace

CanberraSound::~CanberraSound() {
  if (context_) ca_context_destroy(context_);
}

void CanberraSound::Play(std::string_view wave_path) {
  if (!tried_) {
    tried_ = true;
    if (ca_context_create(&context_) != CA_SUCCESS) context_ = nullptr;
    if (context_) ca_context_change_props(context_, CA_PROP_APPLICATION_NAME, "Clipnest", nullptr);
  }
  if (!context_) return;
  // Failures (no device, a missing file) are not the action's concern.
  ca_context_play(context_, 0, CA_PROP_MEDIA_FILENAME, AbsolutePath(wave_path).c_str(), nullptr);
}

}  // namespace clipnest
