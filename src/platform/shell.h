#pragma once

#include <string_view>

namespace clipnest {

class Form;

// Opens the help, web pages and mail through the system's handlers, without waiting and without
// looking at the result. The owner is the window the request comes from.
class Shell {
 public:
  virtual ~Shell() = default;
  virtual void OpenWebPage(const Form& owner, std::string_view url) = 0;
  // A new mail to the address, with the subject filled in.
  virtual void ComposeMail(const Form& owner, std::string_view address,
                           std::string_view subject) = 0;
  // The program's help file, beside it.
  virtual void OpenHelp() = 0;
};

}  // namespace clipnest
