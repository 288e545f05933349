#pragma once

#include <initializer_list>

namespace clipnest {

// The window manager's extended states (_NET_WM_STATE) of the program's own top-level windows,
// set through Qt's X connection. Windows are X window ids.

// Adds states to a window that is not mapped: the window manager reads them when it maps it.
void AddNetWmStates(unsigned long window, std::initializer_list<const char*> states);

// Asks the window manager to set or clear one state of a mapped window.
void RequestNetWmState(unsigned long window, const char* state, bool on);

}  // namespace clipnest
