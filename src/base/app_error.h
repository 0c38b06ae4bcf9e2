#pragma once
// Errors that end the running handler and are reported in the standard error box.
#include <stdexcept>
#include <string>

namespace qv {

class AppError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Ends the running handler without a message: the user has been told already and chose to
// stop there (the framework's silent abort).
class SilentAbort : public std::exception {};

// Text of the standard error box: the message, with a full stop added when its
// last character sorts after ".".
std::string ErrorBoxText(const std::string& message);

// The application's title: the executable's file name without its extension,
// every letter after the first in lower case ("QUORVANEL.EXE" -> "Quorvanel").
std::string ApplicationTitle(const std::string& exePath);

// The folder of the executable, up to and including its last "\" (or ":", or "/").
std::string ExeDirectory(const std::string& exePath);

}  // namespace qv
