#pragma once

namespace clipnest {
class Form;
}  // namespace clipnest

namespace clipnest::linux_backend {

// The form behind a native window. The native window and its widgets may outlive the form's
// view by a moment (they are deleted later, never inside their own event handlers); once the
// view is gone `form` is null and their events are dropped.
struct FormLink {
  Form* form = nullptr;
};

}  // namespace clipnest::linux_backend
