#pragma once

namespace clipnest {

class Form;

// Keeps a window above all ordinary windows without activating it (or lets it go back).
void SetTopmost(Form& window, bool on_top);

}  // namespace clipnest
