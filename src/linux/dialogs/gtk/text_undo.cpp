#include "linux/dialogs/gtk/text_undo.h"

namespace qv::x11::gtk {

namespace {

int Offset(const GtkTextIter* at) {
  return gtk_text_iter_get_offset(at);
}

}  // namespace

TextUndo::TextUndo(GtkTextBuffer* buffer) : buffer_(buffer) {
  handlers_ = {
      g_signal_connect(buffer, "insert-text", G_CALLBACK(OnInsert), this),
      g_signal_connect(buffer, "delete-range", G_CALLBACK(OnDelete), this),
      g_signal_connect(buffer, "begin-user-action", G_CALLBACK(OnBegin), this),
      g_signal_connect(buffer, "end-user-action", G_CALLBACK(OnEnd), this),
  };
}

TextUndo::~TextUndo() {
  for (const gulong handler : handlers_) g_signal_handler_disconnect(buffer_, handler);
}

void TextUndo::Forget() {
  done_.clear();
  undone_.clear();
  stepOpen_ = false;
}

void TextUndo::OnInsert(GtkTextBuffer*, GtkTextIter* at, const char* text, int length,
                        TextUndo* self) {
  self->Record({true, Offset(at), std::string(text, static_cast<std::size_t>(length))});
}

void TextUndo::OnDelete(GtkTextBuffer* buffer, GtkTextIter* start, GtkTextIter* end,
                        TextUndo* self) {
  if (self->userActions_ == 0 || self->replaying_) return;
  char* text = gtk_text_buffer_get_text(buffer, start, end, TRUE);
  self->Record({false, Offset(start), text});
  g_free(text);
}

void TextUndo::OnBegin(GtkTextBuffer*, TextUndo* self) {
  ++self->userActions_;
}

void TextUndo::OnEnd(GtkTextBuffer*, TextUndo* self) {
  if (self->userActions_ > 0 && --self->userActions_ == 0) self->stepOpen_ = false;
}

void TextUndo::Record(Edit edit) {
  if (userActions_ == 0 || replaying_) return;
  undone_.clear();
  const bool typed = edit.insert && edit.text.size() == 1 && edit.text != " " && edit.text != "\n";
  if (!stepOpen_ && typed && !done_.empty() && done_.back().size() == 1) {
    // A character typed right after the last one joins its step.
    Edit& last = done_.back().back();
    if (last.insert && last.text.find_first_of(" \n") == std::string::npos &&
        last.offset + static_cast<int>(g_utf8_strlen(last.text.c_str(), -1)) == edit.offset) {
      last.text += edit.text;
      stepOpen_ = true;
      return;
    }
  }
  if (!stepOpen_) done_.emplace_back();
  stepOpen_ = true;
  done_.back().push_back(std::move(edit));
}

void TextUndo::Replay(const Step& step, bool backwards) {
  replaying_ = true;
  const auto apply = [&](const Edit& edit, bool insert) {
    GtkTextIter start;
    gtk_text_buffer_get_iter_at_offset(buffer_, &start, edit.offset);
    if (insert) {
      gtk_text_buffer_insert(buffer_, &start, edit.text.data(), static_cast<int>(edit.text.size()));
    } else {
      GtkTextIter end;
      gtk_text_buffer_get_iter_at_offset(
          buffer_, &end, edit.offset + static_cast<int>(g_utf8_strlen(edit.text.c_str(), -1)));
      gtk_text_buffer_delete(buffer_, &start, &end);
    }
    gtk_text_buffer_get_iter_at_offset(buffer_, &start, edit.offset);
    gtk_text_buffer_place_cursor(buffer_, &start);
  };
  if (backwards) {
    for (auto edit = step.rbegin(); edit != step.rend(); ++edit) apply(*edit, !edit->insert);
  } else {
    for (const Edit& edit : step) apply(edit, edit.insert);
  }
  replaying_ = false;
}

void TextUndo::Undo() {
  if (done_.empty()) return;
  Step step = std::move(done_.back());
  done_.pop_back();
  stepOpen_ = false;
  Replay(step, true);
  undone_.push_back(std::move(step));
}

void TextUndo::Redo() {
  if (undone_.empty()) return;
  Step step = std::move(undone_.back());
  undone_.pop_back();
  Replay(step, false);
  done_.push_back(std::move(step));
}

}  // namespace qv::x11::gtk
