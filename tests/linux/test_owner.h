#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>
#include <thread>

namespace clipnest::test_support {

// What a test owner does when asked for its text (UTF8_STRING).
struct OwnerBehaviour {
  // The whole text in one property, when `in_pieces` is false.
  std::string text;
  // Otherwise an incremental transfer: the size it announces; `prompt_pieces` pieces of
  // `prompt_size` bytes, each as soon as the last was taken; then `pieces` pieces of
  // `piece_size` bytes (without end when `pieces` is 0), each `pause` after the last was taken.
  bool in_pieces = false;
  std::uint32_t announced_size = 0;
  std::size_t prompt_pieces = 0;
  std::size_t prompt_size = 0;
  std::size_t piece_size = 0;
  std::size_t pieces = 0;
  std::chrono::milliseconds pause{0};
};

// Another program that owns the CLIPBOARD: a thread with an X connection of its own, serving
// TARGETS and UTF8_STRING as told. Owns the clipboard once constructed; stops when destroyed.
class TestOwner {
 public:
  explicit TestOwner(OwnerBehaviour behaviour);
  ~TestOwner();
  TestOwner(const TestOwner&) = delete;
  TestOwner& operator=(const TestOwner&) = delete;

  // The bytes of `count` pieces, as the owner sends them.
  static std::string Pieces(std::size_t piece_size, std::size_t count);

 private:
  void Serve();

  OwnerBehaviour behaviour_;
  std::atomic<bool> ready_{false};
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace clipnest::test_support
