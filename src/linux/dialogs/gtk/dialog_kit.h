#pragma once
// The pieces both dialogs are made of: a fixed layout in 96-dpi design pixels scaled to the
// screen's, the dialogs' colours, flat buttons and plain labels.
#include <gtk/gtk.h>

#include <initializer_list>

#include "desktop/dialog_parts.h"

namespace qv::x11::gtk {

class DialogKit {
 public:
  // A hidden dialog window with `caption`, no close box, not resizable, whose client area is
  // `client`'s width x height design pixels.
  DialogKit(const char* caption, const WindowRect& client);
  GtkWindow* Window() const { return window_; }
  // Puts `widget` at (x, y) in design pixels, with the design's size when one is given.
  GtkWidget* Put(GtkWidget* widget, int x, int y, int width = -1, int height = -1);
  GtkWidget* Put(GtkFixed* into, GtkWidget* widget, int x, int y, int width = -1, int height = -1);
  // At `place` from a layout table; a width or height of 0 leaves that size to the widget.
  GtkWidget* Put(GtkWidget* widget, const WindowRect& place);
  GtkWidget* PutLabel(const DialogLabel& label);
  int Scaled(int pixels) const;
  // The order in which Tab goes through the dialog's own widgets, as on Windows.
  void SetTabOrder(std::initializer_list<GtkWidget*> widgets);

 private:
  GtkWindow* window_;
  GtkFixed* fixed_;
  double scale_;
};

// The settings header's bevel, as the style draws it.
inline constexpr int kHeaderBevel = 2;

// A label that is not selectable; `cssClass` gives its colour.
GtkWidget* MakeLabel(const char* text, const char* cssClass = "qv-navy");
// A flat button; one that takes the keyboard shows it with a dotted frame.
GtkWidget* MakeFlatButton(const char* caption, bool takesFocus = false);

}  // namespace qv::x11::gtk
