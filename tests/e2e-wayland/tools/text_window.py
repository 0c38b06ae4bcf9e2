# A GTK 3 window holding one text view; its whole text goes to FILE at every change, and the
# steady clock's microseconds of the change to FILE.times.
#   text_window.py TITLE FILE
import sys
import time

import gi

gi.require_version("Gtk", "3.0")
from gi.repository import Gtk  # noqa: E402

title, path = sys.argv[1], sys.argv[2]


def save(buffer):
    with open(path, "w", encoding="utf-8", newline="") as out:
        out.write(buffer.get_text(buffer.get_start_iter(), buffer.get_end_iter(), True))
    with open(path + ".times", "a", encoding="utf-8") as times:
        times.write("%d\n" % (time.monotonic_ns() // 1000))


window = Gtk.Window(title=title)
window.set_default_size(400, 300)
view = Gtk.TextView()
view.get_buffer().connect("changed", save)
window.add(view)
window.connect("destroy", Gtk.main_quit)
window.show_all()
save(view.get_buffer())
Gtk.main()
