#include "wayland/services/sway_outputs.h"

#include <regex>

namespace qv::wl {

namespace {

constexpr std::uint32_t kGetOutputs = 3;

// The reply's top-level objects, one per output, as text.
std::vector<std::string> OutputObjects(const std::string& reply) {
  std::vector<std::string> objects;
  int depth = 0;
  bool inString = false;
  std::size_t start = 0;
  for (std::size_t i = 0; i < reply.size(); ++i) {
    const char c = reply[i];
    if (inString) {
      if (c == '\\')
        ++i;
      else if (c == '"')
        inString = false;
    } else if (c == '"') {
      inString = true;
    } else if (c == '{' && depth++ == 0) {
      start = i;
    } else if (c == '}' && --depth == 0) {
      objects.push_back(reply.substr(start, i - start + 1));
    }
  }
  return objects;
}

}  // namespace

std::optional<WindowRect> FocusedOutputIn(const std::string& reply) {
  static const std::regex focused(R"("focused"\s*:\s*true)");
  static const std::regex rect(
      R"("rect"\s*:\s*\{\s*"x"\s*:\s*(-?\d+)\s*,\s*"y"\s*:\s*(-?\d+)\s*,\s*"width"\s*:\s*(\d+)\s*,\s*"height"\s*:\s*(\d+))");
  for (const std::string& output : OutputObjects(reply)) {
    std::smatch at;
    if (!std::regex_search(output, focused) || !std::regex_search(output, at, rect)) continue;
    return WindowRect{std::stoi(at[1]), std::stoi(at[2]), std::stoi(at[3]), std::stoi(at[4])};
  }
  return std::nullopt;
}

std::optional<WindowRect> FocusedSwayOutput(SwayHotKey& ipc) {
  if (!ipc.Available()) return std::nullopt;
  const std::optional<std::string> reply = ipc.Request(kGetOutputs, "");
  return reply ? FocusedOutputIn(*reply) : std::nullopt;
}

}  // namespace qv::wl
