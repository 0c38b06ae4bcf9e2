#pragma once
// What the dialog library (libquorvanel-dialogs.so, built on GTK 3) gives the program: the
// "Add / Modify Clip" and "Settings" windows as the core's controls, and its share of the
// event loop. The program loads it with dlopen when one of the two first opens, so a program
// at rest never maps GTK. Both sides are built together from one tree, so C++ objects cross
// the boundary; only the factory has C linkage.
#include <poll.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "desktop/controls.h"
#include "desktop/desktop_services.h"
#include "editor/editor_controls.h"

namespace qv::x11 {

// Raised whenever this header changes in a way the two sides must agree on.
inline constexpr int kDialogPluginVersion = 3;
inline constexpr const char* kDialogLibraryName = "libquorvanel-dialogs.so";
inline constexpr const char* kDialogFactoryName = "qv_create_dialog_plugin";

// What the user does in the editor dialog. The plugin calls these from inside Dispatch; they
// run the controller's handler and report its errors themselves, and never throw.
class EditorEvents {
 public:
  virtual ~EditorEvents() = default;
  virtual void FormActivate() = 0;  // every activation of the shown dialog
  virtual void FieldMouseUp() = 0;  // any button released over the title or the content field
  virtual void FieldChanged() = 0;  // the user changed a field's text: typed, pasted, cut
  // Escape, Enter or Ctrl+A pressed in `field`; true when the dialog used the key up.
  virtual bool KeyDown(EditorKey key, EditorField field) = 0;
  virtual void ClearClick() = 0;
  virtual void UpdateClipClick() = 0;
  virtual void CloseClick() = 0;
  // "Paste from Clipboard" chosen in the content field's menu.
  virtual void PasteFromClipboardClick() = 0;
};

// What the user does in the settings dialog; the same rules as EditorEvents.
class SettingsEvents {
 public:
  virtual ~SettingsEvents() = default;
  virtual void FormActivate() = 0;
  virtual void OkClick() = 0;
  virtual void CancelClick() = 0;
  virtual void MakerLabelEnter() = 0;
  virtual void MakerLabelClick() = 0;
};

// The editor's windows as the core's controls; they live as long as the plugin. The copy
// menu ("Copy Clip", "Paste Clip") belongs to the list, so the program makes it.
struct EditorDialogControls {
  FormControl& form;          // "Add / Modify Clip", no close box: "Close" closes it
  TextControl& title;         // one line, at most 27 typed characters
  MemoControl& content;       // CR LF between lines; "Paste from Clipboard" in its menu
  ButtonControl& updateClip;  // "Update Clip": only its enabled state matters
  EditorFocus& focus;
};

// The settings dialog. Its form is shown modal among the plugin's windows (the editor
// takes no input meanwhile) and stays on top; the program's modal loop is its own (see
// DialogPlugin).
struct SettingsDialogControls {
  FormControl& form;         // "Settings", no close box: "OK" and "Cancel" close it
  TextControl& hotKeyBox;    // editable combo box with the 16 hot key choices
  TextControl& delayBox;     // editable combo box with the 9 delays
  LabelControl& makerLabel;  // "Skor Velmora Software"
};

// The picture a message box carries beside its text.
enum class MessageIcon { Warning, Error, Question };

struct MessageBoxRequest {
  MessageIcon icon;
  std::string caption;
  std::string text;  // lines split by '\n'
  MessageButtons buttons;
};

class DialogPlugin {
 public:
  virtual ~DialogPlugin() = default;

  // The dialog, made hidden at the first call; later calls return the same controls and
  // keep the first `events`.
  virtual EditorDialogControls Editor(EditorEvents& events) = 0;
  virtual SettingsDialogControls Settings(SettingsEvents& events) = 0;

  // The event loop, GLib's prepare/query/check/dispatch cycle on the program's poll. Before
  // each poll the program calls AddWaits, which appends the plugin's descriptors (the
  // plugin's own X connection among them) and lowers `timeoutMs` when the plugin has
  // something due sooner (-1 means no limit). After the poll it calls Dispatch once with
  // the same array, revents filled; Dispatch runs what is ready, EditorEvents and
  // SettingsEvents included. Every AddWaits is followed by exactly one Dispatch, also when
  // the poll failed or timed out. Dispatch may nest: a handler that runs a modal loop of
  // the program calls AddWaits and Dispatch again from inside it.
  virtual void AddWaits(std::vector<pollfd>& fds, int& timeoutMs) = 0;
  virtual void Dispatch(const std::vector<pollfd>& fds) = 0;

  // A message box, shown at once and modal among the plugin's windows; the call returns
  // before the user answers, so that the program waits in its own loop. `answered` runs once,
  // from Dispatch, as the box goes: the button chosen; Escape answers the one that changes
  // nothing (OK, or No), the close box Cancel.
  virtual void OpenMessageBox(const MessageBoxRequest& request,
                              std::function<void(MessageAnswer)> answered) = 0;
  // A notice that asks nothing and holds nothing up: it stays until the user closes it.
  virtual void ShowNotice(const std::string& caption, const std::string& text) = 0;
};

// The plugin's single entry point, looked up by kDialogFactoryName. `version` is the
// caller's kDialogPluginVersion; a plugin of another version, or one that cannot reach the
// display, returns null and says why in `error` (the caller owns the string). The caller
// deletes the plugin before unloading the library.
using DialogPluginFactory = DialogPlugin* (*)(int version, std::string* error);

}  // namespace qv::x11

extern "C" qv::x11::DialogPlugin* qv_create_dialog_plugin(int version, std::string* error);
