#pragma once
// The pieces both dialogs are made of: a fixed layout in 96-dpi design pixels scaled to the
// screen's, the dialogs' colours, flat buttons and plain labels.
#include <gtk/gtk.h>

namespace qv::x11::gtk {

class DialogKit {
 public:
  // A hidden dialog window with `caption`, no close box, not resizable, whose client area is
  // width x height design pixels.
  DialogKit(const char* caption, int width, int height);
  GtkWindow* Window() const { return window_; }
  // Puts `widget` at (x, y) in design pixels, with the design's size when one is given.
  GtkWidget* Put(GtkWidget* widget, int x, int y, int width = -1, int height = -1);
  GtkWidget* Put(GtkFixed* into, GtkWidget* widget, int x, int y, int width = -1, int height = -1);
  int Scaled(int pixels) const;

 private:
  GtkWindow* window_;
  GtkFixed* fixed_;
  double scale_;
};

// A label that is not selectable; `cssClass` gives its colour.
GtkWidget* MakeLabel(const char* text, const char* cssClass = "qv-navy");
// A flat button that takes no keyboard focus.
GtkWidget* MakeFlatButton(const char* caption);

}  // namespace qv::x11::gtk
