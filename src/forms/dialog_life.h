#pragma once

#include "forms/form.h"

#include <functional>
#include <memory>

namespace clipnest {

// A dialog's life: made and loaded at its first opening, only hidden by its own buttons, and
// discarded by its title bar's close box, so that the next opening makes and loads it afresh.
// `Dialog` has form() and Form_Load().
template <typename Dialog>
class DialogLife {
 public:
  explicit DialogLife(std::function<std::unique_ptr<Dialog>()> make) : make_(std::move(make)) {}

  // The dialog, made and loaded first (its window created, its Form_Load run) when it is not
  // loaded now.
  Dialog& Load() {
    if (!dialog_ || discarded_) {
      // A discarded dialog's window goes only now, never inside one of its own events.
      dialog_.reset();
      discarded_ = false;
      dialog_ = make_();
      Form& form = dialog_->form();
      form.on_close_request = [this, &form] {
        form.Hide();
        discarded_ = true;
      };
      form.Create();
      dialog_->Form_Load();
    }
    return *dialog_;
  }

  // The loaded dialog; nullptr before its first opening and after its close box.
  Dialog* loaded() const { return discarded_ ? nullptr : dialog_.get(); }

 private:
  std::function<std::unique_ptr<Dialog>()> make_;
  std::unique_ptr<Dialog> dialog_;
  bool discarded_ = false;
};

}  // namespace clipnest
