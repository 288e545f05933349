#include "platform/linux/desktop/canberra_sound.h"

#include <canberra.h>
#include <unistd.h>

#include <cstdlib>

namespace clipnest::linux_backend {
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

constexpr std::size_t kLongestQueue = 32;

}  // namespace

CanberraSound::CanberraSound() : worker_([this] { PlayQueuedCues(); }) {}

CanberraSound::~CanberraSound() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_one();
  worker_.join();
}

void CanberraSound::Play(std::string_view wave_path) {
  std::string path = AbsolutePath(wave_path);
  {
    std::lock_guard lock(mutex_);
    // Cues that come faster than they can start (a key held over many ticks) are dropped
    // rather than kept waiting without end.
    if (queue_.size() >= kLongestQueue) return;
    queue_.push_back(std::move(path));
  }
  wake_.notify_one();
}

void CanberraSound::PlayQueuedCues() {
  ca_context* context = nullptr;
  bool tried = false;
  for (;;) {
    std::string path;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
      if (stopping_) break;
      path = std::move(queue_.front());
      queue_.pop_front();
    }
    if (!tried) {
      tried = true;
      if (ca_context_create(&context) != CA_SUCCESS) context = nullptr;
      if (context) ca_context_change_props(context, CA_PROP_APPLICATION_NAME, "Clipnest", nullptr);
    }
    // Failures (no device, a missing file) are not the action's concern.
    if (context) ca_context_play(context, 0, CA_PROP_MEDIA_FILENAME, path.c_str(), nullptr);
  }
  if (context) ca_context_destroy(context);
}

}  // namespace clipnest::linux_backend
