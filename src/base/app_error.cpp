#include "base/app_error.h"

#include <cctype>

namespace qv {

std::string ErrorBoxText(const std::string& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
  return message;
}

std::string ExeDirectory(const std::string& exePath) {
  const auto cut = exePath.find_last_of("\\:/");
  return cut == std::string::npos ? std::string() : exePath.substr(0, cut + 1);
}

std::string ApplicationTitle(const std::string& exePath) {
  std::string name = exePath.substr(ExeDirectory(exePath).size());
  const auto dot = name.find_last_of('.');
  if (dot != std::string::npos) name.erase(dot);
  for (std::size_t i = 1; i < name.size(); ++i)
    name[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(name[i])));
  return name;
}

}  // namespace qv
