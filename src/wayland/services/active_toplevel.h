#pragma once
// Which window is active, as the compositor tells it through the foreign-toplevel protocol
// (wlroots compositors): the paste goes only to the window that was active at the hot key.
#include <cstdint>
#include <map>

#include "wayland/base/wl_connection.h"

struct zwlr_foreign_toplevel_handle_v1;

namespace qv::wl {

class ActiveToplevel {
 public:
  explicit ActiveToplevel(Connection& connection);
  ~ActiveToplevel();
  ActiveToplevel(const ActiveToplevel&) = delete;
  ActiveToplevel& operator=(const ActiveToplevel&) = delete;

  // The compositor tells which window is active.
  bool Told() const { return told_; }
  // The active window now: 0 for none; each window has its own number for as long as it lives.
  std::uint64_t Active() const;

  struct Callbacks;

 private:
  struct Window {
    std::uint64_t id = 0;
    bool active = false, pendingActive = false;
  };
  bool told_ = false;
  std::uint64_t nextId_ = 1;
  std::map<zwlr_foreign_toplevel_handle_v1*, Window> windows_;
};

}  // namespace qv::wl
