#pragma once
// A notification-area icon as the program uses it: a picture, a tip, a menu of commands run
// by the program's own handlers, and its share of the event loop. The StatusNotifierItem one
// lives in libquorvanel-sni.so (libdbus), loaded only where a session bus runs, so that the
// program elsewhere maps no D-Bus library.
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
  std::function<void()> run;
};

// What the icon tells the program. Each runs after the icon's host has been answered and
// outside any dispatch of the bus, so it may open modal dialogs and run nested loops.
struct TrayEvents {
  std::vector<TrayCommand> commands;  // the menu, in order
  // A host or its watcher came or went: the program may move the icon to another tray.
  std::function<void()> hostChanged;
  // A host that draws no menu of its own asks for it at (x, y), screen pixels: a right click
  // or the menu key on the item (ContextMenu), a click or Enter on it (Activate).
  std::function<void(int x, int y)> contextMenu;
  std::function<void(int x, int y)> activate;
};

class TrayBackend {
 public:
  virtual ~TrayBackend() = default;
  // Puts the icon up, or updates it; false when no notification area takes it.
  virtual bool Show(const std::vector<TrayPicture>& sizes, const std::string& tip) = 0;
  // The tip, as the notification area shows it while the pointer rests on the icon.
  virtual void SetTip(const std::string& tip) = 0;
  virtual void Remove() = 0;
  // Whether a notification area of this kind is there now.
  virtual bool HostRegistered() = 0;
  // The event loop, as DialogPlugin's: AddWaits before the poll, one Dispatch after it.
  virtual void AddWaits(std::vector<pollfd>& fds, int& timeoutMs) = 0;
  virtual void Dispatch(const std::vector<pollfd>& fds) = 0;
};

inline constexpr int kSniTrayVersion = 2;
inline constexpr const char* kSniLibraryName = "libquorvanel-sni.so";
inline constexpr const char* kSniFactoryName = "qv_create_sni_tray";
// Connects to the bus at `busAddress`; null when it cannot, when no StatusNotifierWatcher has
// a host registered, or for another `version`. The caller deletes it.
using SniTrayFactory = TrayBackend* (*)(int version, const std::string& busAddress,
                                        const std::string& title, const TrayEvents& events);

}  // namespace qv::x11

extern "C" qv::x11::TrayBackend* qv_create_sni_tray(int version, const std::string& busAddress,
                                                    const std::string& title,
                                                    const qv::x11::TrayEvents& events);
