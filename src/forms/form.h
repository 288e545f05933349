#pragma once

#include "forms/control.h"
#include "forms/form_view.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace clipnest {

class WindowSystem;

enum class FormStyle {
  kBorderless,       // no frame, no title bar, no taskbar entry
  kFixedToolWindow,  // thin fixed frame, small title bar with a close box only
};

// A window and its controls, in twips. Controls are kept in stacking order, topmost first.
class Form {
 public:
  Form(WindowSystem& windows, std::string name, FormStyle style, int client_width,
       int client_height);
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

  OleColour back_colour() const { return back_colour_; }
  void SetBackColour(OleColour colour);

  // Creates the native window, hidden, with its controls and timers.
  void Create();
  bool created() const { return view_ != nullptr; }
  bool visible() const { return visible_; }
  // Creates the native window first when it does not exist yet.
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

  // Events that come from the window system.
  void MouseDown();
  void CloseBox();

  std::function<void()> on_mouse_down;
  std::function<void()> on_close_box;

  // For controls to report their changes.
  void ControlChanged(const Control& control, ControlAspect aspect);
  FormView* view() const { return view_.get(); }

 private:
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
  std::unique_ptr<FormView> view_;
};

}  // namespace clipnest
