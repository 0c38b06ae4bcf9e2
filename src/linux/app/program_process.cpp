#include "linux/app/program_process.h"

#include <signal.h>
#include <unistd.h>

#include <cctype>

#include "base/app_error.h"

namespace qv {

void IgnoreChildAndPipeSignals() {
  signal(SIGCHLD, SIG_IGN);
  signal(SIGPIPE, SIG_IGN);
}

std::string ProgramTitle() {
  char path[4096];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  const std::string exe = length > 0 ? std::string(path, static_cast<std::size_t>(length)) : "";
  std::string title = ApplicationTitle(exe);
  if (title.empty()) return "Quorvanel";
  title[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(title[0])));
  return title;
}

}  // namespace qv
