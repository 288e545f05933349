#pragma once

#include <string_view>

namespace clipnest {

class Form;

// Opens documents and links through the system's handlers, without waiting.
class Shell {
 public:
  virtual ~Shell() = default;
  virtual void Execute(const Form& owner, std::string_view operation, std::string_view file,
                       std::string_view parameters, std::string_view directory,
                       int show_command) = 0;
};

}  // namespace clipnest
