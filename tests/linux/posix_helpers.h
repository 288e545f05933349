#pragma once

#include <functional>
#include <string>

namespace clipnest::test_support {

unsigned PermissionBits(const std::string& path);
// How many of this process's open descriptors refer to the file.
int DescriptorsOpenOn(const std::string& path);
// Runs `body` in a forked child and returns what it returned; the child's changes to its own
// identity or mounts never reach the test process.
std::string RunInChild(const std::function<std::string()>& body);

}  // namespace clipnest::test_support
