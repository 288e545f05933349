#pragma once

#include <string>
#include <vector>

namespace clipnest::linux_backend {

// Starts a program (a full path) detached from this one: in a session of its own, with standard
// input and output on /dev/null, none of this program's open files, this program's environment,
// and no zombie left behind. Nothing is awaited or reported.
void StartDetached(const std::string& program, const std::vector<std::string>& arguments);

}  // namespace clipnest::linux_backend
