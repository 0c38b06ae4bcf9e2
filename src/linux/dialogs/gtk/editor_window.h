#pragma once
// The "Add / Modify Clip" dialog in GTK: the title field, the clip's text with its menu,
// "Clear", "Update Clip" and "Close".
#include <gtk/gtk.h>

#include "linux/dialogs/dialog_plugin.h"
#include "linux/dialogs/gtk/dialog_kit.h"
#include "linux/dialogs/gtk/gtk_controls.h"

namespace qv::x11::gtk {

class EditorWindow : public EditorFocus {
 public:
  explicit EditorWindow(EditorEvents& events);
  EditorDialogControls Controls() { return {form_, title_, content_, updateClip_, *this}; }
  void Focus(EditorField field) override;
  void SelectAll(EditorField field) override;

 private:
  EditorField Focused() const;
  static gboolean OnWindowKey(GtkWidget*, GdkEventKey* event, EditorWindow* self);
  static gboolean OnFieldPress(GtkWidget*, GdkEventButton* event, EditorWindow* self);
  static gboolean OnFieldRelease(GtkWidget* field, GdkEventButton* event, EditorWindow* self);
  static gboolean OnContentMenuKey(GtkWidget*, EditorWindow* self);
  static gboolean OnContentKey(GtkWidget*, GdkEventKey* event, EditorWindow* self);
  void OpenContentMenu(const GdkEvent* event);

  EditorEvents& events_;
  DialogKit kit_;
  GtkWidget* titleEntry_;
  GtkWidget* contentView_;
  GtkWidget* updateButton_;
  GtkWidget* contentMenu_;
  GtkForm form_;
  EntryText title_;
  TextViewMemo content_;
  FlatButton updateClip_;
};

}  // namespace qv::x11::gtk
