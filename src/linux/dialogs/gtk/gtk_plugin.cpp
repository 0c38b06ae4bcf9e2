// The dialog library's entry point: GTK started on the program's display, the two dialogs
// made on demand, and GLib's main context driven by the program's poll.
#include <gtk/gtk.h>

#include <memory>

#include "linux/dialogs/dialog_plugin.h"
#include "linux/dialogs/gtk/editor_window.h"
#include "linux/dialogs/gtk/message_window.h"
#include "linux/dialogs/gtk/settings_window.h"

namespace qv::x11::gtk {

namespace {

class GtkDialogPlugin final : public DialogPlugin {
 public:
  GtkDialogPlugin() { g_main_context_acquire(g_main_context_default()); }

  EditorDialogControls Editor(EditorEvents& events) override {
    if (!editor_) editor_ = std::make_unique<EditorWindow>(events);
    return editor_->Controls();
  }

  SettingsDialogControls Settings(SettingsEvents& events) override {
    if (!settings_) settings_ = std::make_unique<SettingsWindow>(events);
    return settings_->Controls();
  }

  void OpenMessageBox(const MessageBoxRequest& request,
                      std::function<void(MessageAnswer)> answered) override {
    OpenMessageWindow(request, std::move(answered));
  }

  void ShowNotice(const std::string& caption, const std::string& text) override {
    OpenNoticeWindow(caption, text);
  }

  void AddWaits(std::vector<pollfd>& fds, int& timeoutMs) override {
    GMainContext* context = g_main_context_default();
    Wait wait{fds.size(), {}, 0};
    g_main_context_prepare(context, &wait.priority);
    int timeout = -1;
    wait.polled.resize(8);
    for (;;) {
      const int needed = g_main_context_query(context, wait.priority, &timeout, wait.polled.data(),
                                              static_cast<int>(wait.polled.size()));
      if (needed <= static_cast<int>(wait.polled.size())) {
        wait.polled.resize(static_cast<std::size_t>(needed));
        break;
      }
      wait.polled.resize(static_cast<std::size_t>(needed));
    }
    for (const GPollFD& polled : wait.polled)
      fds.push_back({polled.fd, static_cast<short>(polled.events), 0});
    if (timeout >= 0 && (timeoutMs < 0 || timeout < timeoutMs)) timeoutMs = timeout;
    waits_.push_back(std::move(wait));
  }

  void Dispatch(const std::vector<pollfd>& fds) override {
    if (waits_.empty()) return;
    // Taken off first: the handlers run below may poll again, nested.
    Wait wait = std::move(waits_.back());
    waits_.pop_back();
    for (std::size_t i = 0; i < wait.polled.size(); ++i)
      wait.polled[i].revents =
          wait.first + i < fds.size() ? static_cast<gushort>(fds[wait.first + i].revents) : 0;
    GMainContext* context = g_main_context_default();
    if (g_main_context_check(context, wait.priority, wait.polled.data(),
                             static_cast<int>(wait.polled.size())))
      g_main_context_dispatch(context);
  }

 private:
  struct Wait {
    std::size_t first;  // where its descriptors start in the program's array
    std::vector<GPollFD> polled;
    gint priority;
  };
  std::vector<Wait> waits_;  // one per poll in progress, nested ones last
  std::unique_ptr<EditorWindow> editor_;
  std::unique_ptr<SettingsWindow> settings_;
};

}  // namespace

}  // namespace qv::x11::gtk

extern "C" __attribute__((visibility("default"))) qv::x11::DialogPlugin* qv_create_dialog_plugin(
    int version, std::string* error) {
  try {
    if (version != qv::x11::kDialogPluginVersion) {
      *error = "the file " + std::string(qv::x11::kDialogLibraryName) +
               " belongs to another version of the program.";
      return nullptr;
    }
    // WM_CLASS "quorvanel", "Quorvanel", as the program's other windows.
    g_set_prgname("quorvanel");
    gdk_set_program_class("Quorvanel");
    // The program's own display: the Wayland front end asks for Wayland (GDK_BACKEND).
    const char* asked = g_getenv("GDK_BACKEND");
    gdk_set_allowed_backends(asked && g_str_equal(asked, "wayland") ? "wayland" : "x11");
    if (!gtk_init_check(nullptr, nullptr)) {
      *error = "GTK cannot open the display.";
      return nullptr;
    }
    return new qv::x11::gtk::GtkDialogPlugin;
  } catch (const std::exception& e) {
    *error = e.what();
    return nullptr;
  }
}
