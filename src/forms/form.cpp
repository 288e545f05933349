#include "forms/form.h"

#include "forms/window_system.h"

#include <stdexcept>
#include <utility>

namespace clipnest {

Form::Form(WindowSystem& windows, std::string name, FormStyle style, int client_width,
           int client_height)
    : windows_(windows),
      name_(std::move(name)),
      style_(style),
      width_(client_width),
      height_(client_height) {}

Form::Form(WindowSystem& windows, const FormDesign& design)
    : Form(windows, std::string(design.name), design.style, design.client_width,
           design.client_height) {
  caption_ = std::string(design.caption);
  centred_ = design.centred;
  for (const ControlRow& row : design.controls) {
    Control& control = Add(std::string(row.name), row.kind, row.rect);
    control.look() = row.look;
    control.set_holder(row.holder);
    control.set_interval_ms(row.interval_ms);
    control.SetRange(row.range.minimum, row.range.maximum, row.range.small_change,
                     row.range.large_change);
    control.InitText(std::string(row.text));
    control.InitValue(row.value);
    control.InitEnabled(row.enabled);
  }
  for (std::string_view name : design.tab_order) tab_order_.push_back(&(*this)[std::string(name)]);
}

Form::~Form() = default;

Control& Form::Add(std::string name, ControlKind kind, TwipsRect rect) {
  controls_.push_back(std::make_unique<Control>(*this, std::move(name), kind, rect));
  return *controls_.back();
}

Control& Form::operator[](const std::string& name) const {
  for (const auto& control : controls_) {
    if (control->name() == name) return *control;
  }
  throw std::out_of_range("no control " + name + " on " + name_);
}

void Form::SetCaption(std::string caption) {
  if (caption == caption_) return;
  caption_ = std::move(caption);
  Tell(WindowAspect::kCaption);
}

void Form::SetLeft(float left) {
  left_ = left;
  Tell(WindowAspect::kGeometry);
}

void Form::SetTop(float top) {
  top_ = top;
  Tell(WindowAspect::kGeometry);
}

void Form::SetHeight(int height) {
  height_ = height;
  Tell(WindowAspect::kGeometry);
}

void Form::MovedTo(float left, float top) {
  left_ = left;
  top_ = top;
}

void Form::RefreshPosition() {
  if (view_ && visible_) view_->ReportPosition();
}

void Form::SetBackColour(OleColour colour) {
  back_colour_ = colour;
  Tell(WindowAspect::kBackColour);
}

void Form::Create() {
  if (!view_) view_ = windows_.CreateView(*this);
}

void Form::Show() {
  Create();
  if (visible_) {
    view_->BringToFront();
    return;
  }
  visible_ = true;
  Tell(WindowAspect::kVisible);
  if (shown_before_) return;
  shown_before_ = true;
  for (const auto& control : controls_) control->StartTicking();
}

void Form::Hide() {
  if (!visible_) return;
  visible_ = false;
  Tell(WindowAspect::kVisible);
}

void Form::BringToFront() {
  if (view_) view_->BringToFront();
}

void Form::SetTopmost(bool topmost) {
  topmost_ = topmost;
  Tell(WindowAspect::kTopmost);
}

void Form::SetLayeredOpacity(int opacity) {
  layered_ = true;
  opacity_ = opacity;
  Tell(WindowAspect::kOpacity);
}

void Form::SetFocus(Control& control) {
  focused_ = &control;
  if (view_ && !control.holder()) view_->FocusChanged(control);
}

std::vector<const Control*> Form::DrawnControlsBottomUp() const {
  std::vector<const Control*> drawn;
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    if ((*it)->drawn()) drawn.push_back(it->get());
  }
  return drawn;
}

Control* Form::DrawnControlAt(int x, int y) const {
  for (const auto& control : controls_) {
    if (!control->drawn() || !control->on_click) continue;
    if (control->rect().Contains(x, y)) return control.get();
  }
  return nullptr;
}

void Form::DragMove(std::function<void()> after) {
  after_move_ = std::move(after);
  if (view_) view_->StartMove();
}

void Form::MoveFinished() {
  if (auto after = std::exchange(after_move_, nullptr)) after();
}

void Form::ControlChanged(const Control& control, ControlAspect aspect) {
  if (view_ && !control.holder()) view_->ControlChanged(control, aspect);
}

void Form::Tell(WindowAspect aspect) {
  if (view_) view_->WindowChanged(aspect);
}

}  // namespace clipnest
