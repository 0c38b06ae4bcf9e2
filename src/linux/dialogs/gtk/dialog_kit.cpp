#include "linux/dialogs/gtk/dialog_kit.h"

#include <cstdio>
#include <string>

#include "settings/settings_layout.h"

namespace qv::x11::gtk {

namespace {

// CSS's form of a colour of the palette.
std::string Css(colour::Rgb rgb) {
  char text[8];
  std::snprintf(text, sizeof text, "#%06X", static_cast<unsigned>(rgb & 0xFFFFFF));
  return text;
}

// The Windows dialogs' look: the palette's dialog, labels and flat buttons; fields kept as
// small as the design's 21-pixel boxes. The bevels' shades are GTK's drawing of the edges.
std::string Style() {
  const std::string panel = Css(colour::kPanel), button = Css(kButtonFace),
                    buttonText = Css(kButtonText);
  return "window.qv-dialog { background-color: " + panel +
         "; font-family: \"Liberation Sans\", Arial, \"Nimbus Sans\", Sans; font-size: " +
         std::to_string(kDialogFontPoints) + "pt; }\n" +
         ".qv-dialog label.qv-navy { color: " + Css(colour::kNavy) + "; }\n" +
         ".qv-dialog label.qv-yellow { color: " + Css(colour::kYellow) + "; }\n" +
         ".qv-dialog .qv-header { background-color: " + Css(settings_layout::kHeaderColour) +
         "; border-style: solid; border-width: " + std::to_string(kHeaderBevel) + R"css(px;
  border-color: #8080FF #000060 #000060 #8080FF; }
.qv-dialog button.qv-flat { background-image: none; background-color: )css" +
         button + "; color: " + buttonText + "; border: 1px solid " + button + R"css(;
  border-radius: 0; box-shadow: none; min-height: 0; min-width: 0; padding: 0;
  text-shadow: none; outline-offset: -3px; }
.qv-dialog button.qv-flat label { color: )css" +
         buttonText + R"css(; }
.qv-dialog button.qv-flat:hover { border-color: #FFFFFF #606060 #606060 #FFFFFF; }
.qv-dialog button.qv-flat:active { border-color: #606060 #FFFFFF #FFFFFF #606060; }
.qv-dialog button.qv-flat:disabled label { color: #908060; }
.qv-dialog entry { min-height: 0; padding: 0 3px; border-radius: 0; }
.qv-dialog combobox entry, .qv-dialog combobox button { min-height: 0; padding-top: 0;
  padding-bottom: 0; border-radius: 0; }
.qv-dialog combobox button { padding-left: 2px; padding-right: 2px; min-width: 0; }
.qv-dialog combobox entry { color: )css" +
         Css(settings_layout::kBoxText) + R"css(; }
.qv-dialog scrolledwindow { border: 1px solid #808080; }
)css";
}

void LoadStyleOnce() {
  static bool loaded = false;
  if (loaded) return;
  loaded = true;
  GtkCssProvider* provider = gtk_css_provider_new();
  const std::string style = Style();
  gtk_css_provider_load_from_data(provider, style.c_str(), -1, nullptr);
  gtk_style_context_add_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(provider),
                                            GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  g_object_unref(provider);
}

}  // namespace

DialogKit::DialogKit(const char* caption, const WindowRect& client) {
  LoadStyleOnce();
  const double dpi = gdk_screen_get_resolution(gdk_screen_get_default());
  scale_ = dpi > 0 ? dpi / 96.0 : 1.0;
  window_ = GTK_WINDOW(gtk_window_new(GTK_WINDOW_TOPLEVEL));
  gtk_style_context_add_class(gtk_widget_get_style_context(GTK_WIDGET(window_)), "qv-dialog");
  gtk_window_set_title(window_, caption);
  gtk_window_set_resizable(window_, FALSE);
  gtk_window_set_deletable(window_, FALSE);
  gtk_window_set_type_hint(window_, GDK_WINDOW_TYPE_HINT_DIALOG);
  // No close box: the dialog's buttons are its way to close.
  g_signal_connect(window_, "delete-event", G_CALLBACK(gtk_true), nullptr);
  fixed_ = GTK_FIXED(gtk_fixed_new());
  gtk_widget_set_size_request(GTK_WIDGET(fixed_), Scaled(client.width), Scaled(client.height));
  gtk_container_add(GTK_CONTAINER(window_), GTK_WIDGET(fixed_));
}

int DialogKit::Scaled(int pixels) const {
  return static_cast<int>(pixels * scale_ + 0.5);
}

GtkWidget* DialogKit::Put(GtkWidget* widget, int x, int y, int width, int height) {
  return Put(fixed_, widget, x, y, width, height);
}

void DialogKit::SetTabOrder(std::initializer_list<GtkWidget*> widgets) {
  GList* chain = nullptr;
  for (GtkWidget* widget : widgets) chain = g_list_append(chain, widget);
  // Deprecated for GTK 4's sake only; a fixed container otherwise orders by place.
  G_GNUC_BEGIN_IGNORE_DEPRECATIONS
  gtk_container_set_focus_chain(GTK_CONTAINER(fixed_), chain);
  G_GNUC_END_IGNORE_DEPRECATIONS
  g_list_free(chain);
}

GtkWidget* DialogKit::Put(GtkWidget* widget, const WindowRect& place) {
  return Put(fixed_, widget, place.left, place.top, place.width > 0 ? place.width : -1,
             place.height > 0 ? place.height : -1);
}

GtkWidget* DialogKit::PutLabel(const DialogLabel& label) {
  return Put(MakeLabel(label.text, label.colour == colour::kYellow ? "qv-yellow" : "qv-navy"),
             label.place);
}

GtkWidget* DialogKit::Put(GtkFixed* into, GtkWidget* widget, int x, int y, int width, int height) {
  gtk_widget_set_size_request(widget, width < 0 ? -1 : Scaled(width),
                              height < 0 ? -1 : Scaled(height));
  gtk_fixed_put(into, widget, Scaled(x), Scaled(y));
  return widget;
}

GtkWidget* MakeLabel(const char* text, const char* cssClass) {
  GtkWidget* label = gtk_label_new(text);
  gtk_label_set_xalign(GTK_LABEL(label), 0);
  gtk_label_set_yalign(GTK_LABEL(label), 0);
  gtk_style_context_add_class(gtk_widget_get_style_context(label), cssClass);
  return label;
}

GtkWidget* MakeFlatButton(const char* caption, bool takesFocus) {
  GtkWidget* button = gtk_button_new_with_label(caption);
  gtk_widget_set_can_focus(button, takesFocus);
  gtk_style_context_add_class(gtk_widget_get_style_context(button), "qv-flat");
  return button;
}

}  // namespace qv::x11::gtk
