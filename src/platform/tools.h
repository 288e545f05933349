#pragma once

namespace clipnest {

// The everyday tools the panel starts for the user.
enum class Tool { kTextEditor, kPaint, kCalculator };

// Starts the user's tools, without waiting for them and without looking at what became of them.
class Tools {
 public:
  virtual ~Tools() = default;
  virtual void Launch(Tool tool) = 0;
};

}  // namespace clipnest
