#pragma once

#include "forms/colour.h"
#include "platform/picture.h"

#include <functional>
#include <string>

namespace clipnest {

class Form;

enum class ControlKind {
  kLabel,
  kTextBox,
  kCheckBox,
  kButton,
  kScrollBar,
  kImage,
  kShape,
  kLine,
  kTimer,
  kPictureHolder
};

// What part of a control's state changed, for the window system to show it.
enum class ControlAspect { kText, kValue, kEnabled, kColours, kPicture, kVisible, kTimer };

// A timer never ticks faster than this, whatever its interval: the Windows timer's floor, kept
// on every system so that what a tick does runs at the same pace everywhere.
inline constexpr int kShortestTickMs = 10;

// Twips; a line runs from (left, top) to (left + width, top + height).
struct TwipsRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool Contains(int x, int y) const {
    return x >= left && y >= top && x < left + width && y < top + height;
  }
};

enum class BorderStyle { kNone, kFixedSingle, kSunken };

// The static look of a control, set once from a layout table.
struct ControlLook {
  OleColour fore_colour = kButtonText;
  OleColour back_colour = kButtonFace;
  bool opaque_back = false;  // labels: fill their box with the back colour
  BorderStyle border = BorderStyle::kNone;
  bool underline = false;
  bool word_wrap = false;
  bool multi_line = false;  // text boxes
  std::string picture;      // resource name of an image or a picture button
  OleColour transparent_colour = Rgb(255, 255, 255);
  bool question_cursor = false;
};

// One control of a form. It owns its state and applies the control-change rule: setting a state
// that really changes runs the handler a user's change runs; setting the same state runs nothing.
class Control {
 public:
  Control(Form& form, std::string name, ControlKind kind, TwipsRect rect);
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& name() const { return name_; }
  ControlKind kind() const { return kind_; }
  const TwipsRect& rect() const { return rect_; }
  Form& form() const { return form_; }
  ControlLook& look() { return look_; }
  const ControlLook& look() const { return look_; }

  // Working state that only the program reads: never given to the window system.
  bool holder() const { return holder_; }
  void set_holder(bool holder) { holder_ = holder; }
  bool windowed() const;  // a native child window, as opposed to one drawn by its form
  bool drawn() const;     // drawn by its form: an image, label, shape or line that is shown
  bool takes_focus() const;

  const std::string& text() const { return text_; }
  void SetText(std::string text);
  int value() const { return value_; }
  void SetValue(int value);
  bool enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool visible() const { return visible_; }
  // Colours that the program changes at run time: a shape's outline, a label's fill.
  void SetForeColour(OleColour colour);
  void SetBackColour(OleColour colour);
  const Picture& picture() const { return picture_; }
  void SetPicture(Picture picture);

  // Scroll bars.
  int minimum() const { return minimum_; }
  int maximum() const { return maximum_; }
  int small_change() const { return small_change_; }
  int large_change() const { return large_change_; }
  void SetRange(int minimum, int maximum, int small_change, int large_change);

  // Timers. A timer ticks from the first showing of its form. It may rest while `rests_when`
  // says that its next ticks would do nothing, until Wake() is called.
  int interval_ms() const { return interval_ms_; }
  void set_interval_ms(int interval) { interval_ms_ = interval; }
  int tick_interval_ms() const {
    return interval_ms_ < kShortestTickMs ? kShortestTickMs : interval_ms_;
  }
  bool ticking() const { return running_ && !resting_; }
  void StartTicking();
  void Wake();
  std::function<bool()> rests_when;

  // Initial state from a layout table: no handler runs and nothing is shown yet.
  void InitText(std::string text) { text_ = std::move(text); }
  void InitValue(int value) { value_ = value; }
  void InitEnabled(bool enabled) { enabled_ = enabled; }

  // Events, as the user or the system raises them (the window system's raw events reach them
  // through the form's input).
  void Click();
  void KeyPress(int key_ascii);
  void Tick();
  void Focus();

  std::function<void()> on_click;
  std::function<void()> on_change;
  std::function<void(int key_ascii)> on_key_press;
  std::function<void()> on_tick;

 private:
  void Notify(ControlAspect aspect);

  Form& form_;
  std::string name_;
  ControlKind kind_;
  TwipsRect rect_;
  ControlLook look_;
  bool holder_ = false;
  std::string text_;
  int value_ = 0;
  bool enabled_ = true;
  bool visible_ = true;
  Picture picture_;
  int minimum_ = 0;
  int maximum_ = 32767;
  int small_change_ = 1;
  int large_change_ = 1;
  int interval_ms_ = 0;
  bool running_ = false;
  bool resting_ = false;
};

}  // namespace clipnest
