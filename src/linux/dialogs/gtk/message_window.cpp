#include "linux/dialogs/gtk/message_window.h"

#include <gtk/gtk.h>

#include "base/utf8_text.h"

namespace qv::x11::gtk {

namespace {

struct Waiting {
  std::function<void(MessageAnswer)> answered;
  MessageButtons buttons;
};

GtkMessageType TypeOf(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Warning:
      return GTK_MESSAGE_WARNING;
    case MessageIcon::Question:
      return GTK_MESSAGE_QUESTION;
    default:
      return GTK_MESSAGE_ERROR;
  }
}

MessageAnswer AnswerOf(gint response) {
  switch (response) {
    case GTK_RESPONSE_OK:
      return MessageAnswer::Ok;
    case GTK_RESPONSE_YES:
      return MessageAnswer::Yes;
    case GTK_RESPONSE_NO:
      return MessageAnswer::No;
    default:  // the close box
      return MessageAnswer::Cancel;
  }
}

void Answered(GtkDialog* box, gint response, gpointer data) {
  // Taken first: destroying the box frees `data`.
  auto answered = std::move(static_cast<Waiting*>(data)->answered);
  gtk_widget_destroy(GTK_WIDGET(box));
  if (answered) answered(AnswerOf(response));
}

// GTK's Escape closes the box, which would answer Cancel; here it is the button that changes
// nothing, as in the program's other boxes.
gboolean KeyPressed(GtkWidget* box, GdkEventKey* event, gpointer data) {
  if (event->keyval != GDK_KEY_Escape) return FALSE;
  const bool yesNo = static_cast<Waiting*>(data)->buttons == MessageButtons::YesNo;
  gtk_dialog_response(GTK_DIALOG(box), yesNo ? GTK_RESPONSE_NO : GTK_RESPONSE_OK);
  return TRUE;
}

const char* IconOf(GtkMessageType type) {
  switch (type) {
    case GTK_MESSAGE_WARNING:
      return "dialog-warning";
    case GTK_MESSAGE_QUESTION:
      return "dialog-question";
    case GTK_MESSAGE_ERROR:
      return "dialog-error";
    default:
      return "dialog-information";
  }
}

GtkWidget* MakeBox(GtkDialogFlags flags, GtkMessageType type, const std::string& caption,
                   const std::string& text) {
  GtkWidget* box = gtk_message_dialog_new(nullptr, flags, type, GTK_BUTTONS_NONE, "%s",
                                          DisplayableUtf8(text).c_str());
  // GTK 3 draws no picture by the type: the picture goes left of the text, as on Windows.
  GtkWidget* row =
      gtk_widget_get_parent(gtk_message_dialog_get_message_area(GTK_MESSAGE_DIALOG(box)));
  GtkWidget* picture = gtk_image_new_from_icon_name(IconOf(type), GTK_ICON_SIZE_DIALOG);
  gtk_widget_set_valign(picture, GTK_ALIGN_START);
  gtk_box_pack_start(GTK_BOX(row), picture, FALSE, FALSE, 0);
  gtk_box_reorder_child(GTK_BOX(row), picture, 0);
  gtk_widget_show(picture);
  gtk_window_set_title(GTK_WINDOW(box), DisplayableUtf8(caption).c_str());
  gtk_window_set_position(GTK_WINDOW(box), GTK_WIN_POS_CENTER);
  gtk_window_set_keep_above(GTK_WINDOW(box), TRUE);
  return box;
}

}  // namespace

void OpenMessageWindow(const MessageBoxRequest& request,
                       std::function<void(MessageAnswer)> answered) {
  GtkWidget* box = MakeBox(GTK_DIALOG_MODAL, TypeOf(request.icon), request.caption, request.text);
  GtkDialog* dialog = GTK_DIALOG(box);
  if (request.buttons == MessageButtons::YesNo) {
    gtk_dialog_add_buttons(dialog, "Yes", GTK_RESPONSE_YES, "No", GTK_RESPONSE_NO, nullptr);
    gtk_dialog_set_default_response(dialog, GTK_RESPONSE_YES);
  } else {
    gtk_dialog_add_button(dialog, "OK", GTK_RESPONSE_OK);
    gtk_dialog_set_default_response(dialog, GTK_RESPONSE_OK);
  }
  auto* waiting = new Waiting{std::move(answered), request.buttons};
  g_signal_connect_data(
      box, "response", G_CALLBACK(Answered), waiting,
      [](gpointer data, GClosure*) { delete static_cast<Waiting*>(data); }, GConnectFlags(0));
  g_signal_connect(box, "key-press-event", G_CALLBACK(KeyPressed), waiting);
  gtk_window_present(GTK_WINDOW(box));
}

void OpenNoticeWindow(const std::string& caption, const std::string& text) {
  GtkWidget* box = MakeBox(GtkDialogFlags(0), GTK_MESSAGE_INFO, caption, text);
  gtk_dialog_add_button(GTK_DIALOG(box), "OK", GTK_RESPONSE_OK);
  g_signal_connect(box, "response", G_CALLBACK(gtk_widget_destroy), nullptr);
  gtk_window_present(GTK_WINDOW(box));
}

}  // namespace qv::x11::gtk
