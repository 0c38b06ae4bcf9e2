#pragma once
// A notification-area icon as the program uses it: a picture, a tip, a menu of commands run
// by the program's own handlers, and its share of the event loop.
#include <poll.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qv::x11 {

// One size of the icon: width x height pixels, 0xAARRGGBB, rows from the top.
struct TrayPicture {
  int width = 0, height = 0;
  std::vector<std::uint32_t> argb;
};

struct TrayCommand {
  std::string caption;
  std::function<void()> run;  // runs after the event has been answered, outside any dispatch
};

class TrayBackend {
 public:
  virtual ~TrayBackend() = default;
  // Puts the icon up, or updates it; false when no notification area takes it.
  virtual bool Show(const std::vector<TrayPicture>& sizes, const std::string& tip) = 0;
  // The tip, as the notification area shows it while the pointer rests on the icon.
  virtual void SetTip(const std::string& tip) = 0;
  virtual void Remove() = 0;
  // The event loop, as DialogPlugin's: AddWaits before the poll, one Dispatch after it.
  virtual void AddWaits(std::vector<pollfd>& fds, int& timeoutMs) = 0;
  virtual void Dispatch(const std::vector<pollfd>& fds) = 0;
};

}  // namespace qv::x11
