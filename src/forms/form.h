#pragma once

#include "forms/control.h"
#include "forms/form_design.h"
#include "forms/form_input.h"
#include "forms/form_view.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace clipnest {

class WindowSystem;

// A window and its controls, in twips. Controls are kept in stacking order, topmost first.
class Form {
 public:
  Form(WindowSystem& windows, std::string name, FormStyle style, int client_width,
       int client_height);
  // A form as its design gives it, with every control in its initial state.
  Form(WindowSystem& windows, const FormDesign& design);
  ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const std::string& name() const { return name_; }
  FormStyle style() const { return style_; }
  WindowSystem& windows() const { return windows_; }

  Control& Add(std::string name, ControlKind kind, TwipsRect rect);
  Control& operator[](const std::string& name) const;
  const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }
  void SetTabOrder(std::vector<Control*> order) { tab_order_ = std::move(order); }
  const std::vector<Control*>& tab_order() const { return tab_order_; }

  const std::string& caption() const { return caption_; }
  void SetCaption(std::string caption);
  bool centred() const { return centred_; }
  void set_centred(bool centred) { centred_ = centred; }

  // Geometry in twips. Until the program places the window, the system does.
  std::optional<float> left() const { return left_; }
  std::optional<float> top() const { return top_; }
  int width() const { return width_; }
  int height() const { return height_; }
  void SetLeft(float left);
  void SetTop(float top);
  void SetHeight(int height);
  // Where the user or the window system moved the window, in twips.
  void MovedTo(float left, float top);
  // Asks the window system where the window is now, so that left() and top() say it.
  void RefreshPosition();

  OleColour back_colour() const { return back_colour_; }
  void SetBackColour(OleColour colour);

  // Creates the native window, hidden, with its controls.
  void Create();
  bool created() const { return view_ != nullptr; }
  bool visible() const { return visible_; }
  // Creates the native window first when it does not exist yet. The form's timers start ticking
  // at its first showing, once what its load step read is in place.
  void Show();
  void Hide();
  void BringToFront();

  bool topmost() const { return topmost_; }
  void SetTopmost(bool topmost);
  bool layered() const { return layered_; }
  int opacity() const { return opacity_; }
  // Makes the window layered (for good) with the given opacity, 0 to 255.
  void SetLayeredOpacity(int opacity);

  Control* focused() const { return focused_; }
  void SetFocus(Control& control);

  // The controls the form draws itself, bottom of the stacking order first: the painting order.
  std::vector<const Control*> DrawnControlsBottomUp() const;
  // The drawn control (image, label, shape) that a press at this point lands on, if any.
  Control* DrawnControlAt(int x, int y) const;

  // The user moves the window with the mouse while the button that started it is held; `after`
  // runs once, when the button is let go.
  void DragMove(std::function<void()> after);

  // The window system's raw events, turned into the form's events by shared rules.
  FormInput& input() { return input_; }

  // A mouse button went down on the form's own surface, not on a control of its own.
  std::function<void()> on_mouse_down;
  // The title bar's close box, the window manager or the system asked the window to close.
  std::function<void()> on_close_request;

  // For controls to report their changes.
  void ControlChanged(const Control& control, ControlAspect aspect);
  FormView* view() const { return view_.get(); }

 private:
  friend class FormInput;
  void MoveFinished();
  void Tell(WindowAspect aspect);

  WindowSystem& windows_;
  std::string name_;
  FormStyle style_;
  std::vector<std::unique_ptr<Control>> controls_;
  std::vector<Control*> tab_order_;
  std::string caption_;
  bool centred_ = false;
  std::optional<float> left_;
  std::optional<float> top_;
  int width_;
  int height_;
  OleColour back_colour_ = kButtonFace;
  bool visible_ = false;
  bool topmost_ = false;
  bool layered_ = false;
  int opacity_ = 255;
  Control* focused_ = nullptr;
  bool shown_before_ = false;
  std::function<void()> after_move_;
  FormInput input_{*this};
  std::unique_ptr<FormView> view_;
};

}  // namespace clipnest
