#pragma once
// Undo and redo for a GTK 3 text buffer, which has none of its own: what the user changes
// (typing, pasting, deleting, dropping) is recorded; what the program sets is not and starts
// a new history.
#include <gtk/gtk.h>

#include <string>
#include <vector>

namespace qv::x11::gtk {

class TextUndo {
 public:
  explicit TextUndo(GtkTextBuffer* buffer);
  ~TextUndo();
  TextUndo(const TextUndo&) = delete;
  TextUndo& operator=(const TextUndo&) = delete;

  void Undo();
  void Redo();
  void Forget();

 private:
  // One insertion or deletion at a character offset.
  struct Edit {
    bool insert;
    int offset;
    std::string text;
  };
  using Step = std::vector<Edit>;  // one user action

  static void OnInsert(GtkTextBuffer*, GtkTextIter* at, const char* text, int length,
                       TextUndo* self);
  static void OnDelete(GtkTextBuffer*, GtkTextIter* start, GtkTextIter* end, TextUndo* self);
  static void OnBegin(GtkTextBuffer*, TextUndo* self);
  static void OnEnd(GtkTextBuffer*, TextUndo* self);
  void Record(Edit edit);
  void Replay(const Step& step, bool backwards);

  GtkTextBuffer* buffer_;
  std::vector<Step> done_, undone_;
  int userActions_ = 0;    // nesting of the buffer's user actions
  bool stepOpen_ = false;  // the running user action has a step in done_
  bool replaying_ = false;
  std::vector<gulong> handlers_;
};

}  // namespace qv::x11::gtk
