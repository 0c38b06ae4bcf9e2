#include "wayland/services/active_toplevel.h"

#include "wlr-foreign-toplevel-management-unstable-v1-client.h"

namespace qv::wl {

struct ActiveToplevel::Callbacks {
  static void Title(void*, zwlr_foreign_toplevel_handle_v1*, const char*) {}
  static void AppId(void*, zwlr_foreign_toplevel_handle_v1*, const char*) {}
  static void OutputEnter(void*, zwlr_foreign_toplevel_handle_v1*, wl_output*) {}
  static void OutputLeave(void*, zwlr_foreign_toplevel_handle_v1*, wl_output*) {}
  static void State(void* data, zwlr_foreign_toplevel_handle_v1* handle, wl_array* states) {
    auto& window = static_cast<ActiveToplevel*>(data)->windows_[handle];
    window.pendingActive = false;
    const auto* begin = static_cast<const std::uint32_t*>(states->data);
    for (std::size_t i = 0; i < states->size / sizeof(std::uint32_t); ++i)
      if (begin[i] == ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_ACTIVATED) window.pendingActive = true;
  }
  static void Done(void* data, zwlr_foreign_toplevel_handle_v1* handle) {
    auto& window = static_cast<ActiveToplevel*>(data)->windows_[handle];
    window.active = window.pendingActive;
  }
  static void Closed(void* data, zwlr_foreign_toplevel_handle_v1* handle) {
    static_cast<ActiveToplevel*>(data)->windows_.erase(handle);
    zwlr_foreign_toplevel_handle_v1_destroy(handle);
  }
  static void Parent(void*, zwlr_foreign_toplevel_handle_v1*, zwlr_foreign_toplevel_handle_v1*) {}
  static constexpr zwlr_foreign_toplevel_handle_v1_listener kHandle{
      Title, AppId, OutputEnter, OutputLeave, State, Done, Closed, Parent};

  static void Toplevel(void* data, zwlr_foreign_toplevel_manager_v1*,
                       zwlr_foreign_toplevel_handle_v1* handle) {
    auto* self = static_cast<ActiveToplevel*>(data);
    self->windows_[handle].id = self->nextId_++;
    zwlr_foreign_toplevel_handle_v1_add_listener(handle, &kHandle, self);
  }
  static void Finished(void* data, zwlr_foreign_toplevel_manager_v1* manager) {
    static_cast<ActiveToplevel*>(data)->told_ = false;
    zwlr_foreign_toplevel_manager_v1_destroy(manager);
  }
  static constexpr zwlr_foreign_toplevel_manager_v1_listener kManager{Toplevel, Finished};
};

ActiveToplevel::ActiveToplevel(Connection& connection) {
  if (!connection.Toplevels()) return;
  zwlr_foreign_toplevel_manager_v1_add_listener(connection.Toplevels(), &Callbacks::kManager, this);
  told_ = true;
  connection.RoundTrip();  // the windows there are now
}

ActiveToplevel::~ActiveToplevel() {
  for (auto& [handle, window] : windows_) zwlr_foreign_toplevel_handle_v1_destroy(handle);
}

std::uint64_t ActiveToplevel::Active() const {
  for (const auto& [handle, window] : windows_)
    if (window.active) return window.id;
  return 0;
}

}  // namespace qv::wl
