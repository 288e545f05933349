#include "forms/window_operations.h"

#include "forms/form.h"

namespace clipnest {

void SetTopmost(Form& window, bool on_top) {
  window.SetTopmost(on_top);
}

}  // namespace clipnest
