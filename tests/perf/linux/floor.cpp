// The least an X11 tray pop-up can do, for `make bench-linux` to time the program against:
// a 22x22 XEmbed tray icon (docked again when a new tray announces itself) and a hidden
// 36-row list window, nothing else. Plain Xlib, core fonts, no toolkit. Ends on SIGTERM,
// SIGINT or when the X connection goes.
// With a key name on the command line ("F7") that key, grabbed on the root, shows the list
// as the program shows its own: a borderless window the window manager maps and activates;
// any key in the list hides it.
// Built: g++ -std=c++20 -O2 floor.cpp -lX11
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr int kIconSize = 22;
constexpr int kRows = 36;
constexpr int kRowHeight = 13;
constexpr int kListWidth = 249;
constexpr long kSystemTrayRequestDock = 0;

volatile std::sig_atomic_t g_stop = 0;

void Stop(int) {
  g_stop = 1;
}

struct Floor {
  Display* display = nullptr;
  Window root = 0;
  Window icon = 0;
  Window list = 0;
  KeyCode hotKey = 0;
  Atom trayAtom = 0;
  Atom manager = 0;
  Atom opcode = 0;
  GC gc = nullptr;
};

void SetClass(Display* display, Window window, const char* title) {
  XClassHint hint{const_cast<char*>("qvfloor"), const_cast<char*>("QvFloor")};
  XSetClassHint(display, window, &hint);
  XStoreName(display, window, title);
}

// Asks the tray that owns the selection, if any, to embed the icon.
void Dock(Floor& floor) {
  const Window tray = XGetSelectionOwner(floor.display, floor.trayAtom);
  if (tray == None) return;
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = tray;
  event.xclient.message_type = floor.opcode;
  event.xclient.format = 32;
  event.xclient.data.l[0] = CurrentTime;
  event.xclient.data.l[1] = kSystemTrayRequestDock;
  event.xclient.data.l[2] = static_cast<long>(floor.icon);
  XSendEvent(floor.display, tray, False, NoEventMask, &event);
  XFlush(floor.display);
}

void DrawIcon(Floor& floor) {
  XSetForeground(floor.display, floor.gc, 0x3060C0);
  XFillRectangle(floor.display, floor.icon, floor.gc, 3, 2, kIconSize - 6, kIconSize - 4);
  XSetForeground(floor.display, floor.gc, 0xFFFFFF);
  for (int y = 7; y < kIconSize - 4; y += 4)
    XDrawLine(floor.display, floor.icon, floor.gc, 6, y, kIconSize - 7, y);
}

void DrawList(Floor& floor) {
  XSetForeground(floor.display, floor.gc, 0x000000);
  for (int row = 0; row < kRows; ++row) {
    const std::string text = "Slot " + std::to_string(row + 1);
    XDrawString(floor.display, floor.list, floor.gc, 20, (row + 1) * kRowHeight - 2, text.c_str(),
                static_cast<int>(text.size()));
  }
}

void Create(Floor& floor) {
  Display* display = floor.display;
  const int screen = DefaultScreen(display);
  floor.root = RootWindow(display, screen);
  floor.trayAtom =
      XInternAtom(display, ("_NET_SYSTEM_TRAY_S" + std::to_string(screen)).c_str(), False);
  floor.manager = XInternAtom(display, "MANAGER", False);
  floor.opcode = XInternAtom(display, "_NET_SYSTEM_TRAY_OPCODE", False);

  XSetWindowAttributes attributes{};
  attributes.background_pixel = WhitePixel(display, screen);
  attributes.event_mask = ExposureMask | ButtonPressMask | StructureNotifyMask;
  floor.icon = XCreateWindow(display, floor.root, 0, 0, kIconSize, kIconSize, 0, CopyFromParent,
                             InputOutput, CopyFromParent, CWBackPixel | CWEventMask, &attributes);
  SetClass(display, floor.icon, "Floor tray icon");
  const long xembedInfo[2] = {0, 1};  // version 0, mapped
  const Atom xembedAtom = XInternAtom(display, "_XEMBED_INFO", False);
  XChangeProperty(display, floor.icon, xembedAtom, xembedAtom, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(xembedInfo), 2);

  attributes.event_mask = ExposureMask | KeyPressMask | ButtonPressMask;
  floor.list = XCreateWindow(display, floor.root, 515, 264, kListWidth, kRows * kRowHeight, 1,
                             CopyFromParent, InputOutput, CopyFromParent, CWBackPixel | CWEventMask,
                             &attributes);
  SetClass(display, floor.list, "Floor list");
  const long noDecorations[5] = {2, 0, 0, 0, 0};  // _MOTIF_WM_HINTS: decorations, none
  const Atom motif = XInternAtom(display, "_MOTIF_WM_HINTS", False);
  XChangeProperty(display, floor.list, motif, motif, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(noDecorations), 5);
  floor.gc = XCreateGC(display, floor.list, 0, nullptr);

  XSelectInput(display, floor.root, StructureNotifyMask);
  Dock(floor);
}

void ShowList(Floor& floor) {
  XMapRaised(floor.display, floor.list);
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = floor.list;
  event.xclient.message_type = XInternAtom(floor.display, "_NET_ACTIVE_WINDOW", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = 1;  // from an application
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(floor.display, floor.root, False, SubstructureRedirectMask | SubstructureNotifyMask,
             &event);
  XFlush(floor.display);
}

void GrabHotKey(Floor& floor, const char* name) {
  const KeySym keysym = XStringToKeysym(name);
  floor.hotKey = keysym == NoSymbol ? 0 : XKeysymToKeycode(floor.display, keysym);
  if (floor.hotKey == 0) return;
  for (const unsigned int locks : {0u, 0u + LockMask, 0u + Mod2Mask, 0u + (LockMask | Mod2Mask)})
    XGrabKey(floor.display, floor.hotKey, locks, floor.root, False, GrabModeAsync, GrabModeAsync);
  XSelectInput(floor.display, floor.root, StructureNotifyMask | KeyPressMask);
}

}  // namespace

int main(int argc, char** argv) {
  Floor floor;
  floor.display = XOpenDisplay(nullptr);
  if (!floor.display) {
    std::fprintf(stderr, "floor: cannot open display\n");
    return 2;
  }
  std::signal(SIGTERM, Stop);
  std::signal(SIGINT, Stop);
  Create(floor);
  if (argc > 1) GrabHotKey(floor, argv[1]);

  pollfd fd{ConnectionNumber(floor.display), POLLIN, 0};
  while (!g_stop) {
    if (!XPending(floor.display)) {
      poll(&fd, 1, -1);  // a signal ends the wait with EINTR
      continue;
    }
    XEvent event;
    XNextEvent(floor.display, &event);
    if (event.type == Expose && event.xexpose.count == 0) {
      if (event.xexpose.window == floor.icon) DrawIcon(floor);
      if (event.xexpose.window == floor.list) DrawList(floor);
    } else if (event.type == KeyPress && event.xkey.window == floor.root &&
               event.xkey.keycode == floor.hotKey) {
      ShowList(floor);
    } else if (event.type == KeyPress && event.xkey.window == floor.list) {
      XUnmapWindow(floor.display, floor.list);
    } else if (event.type == ClientMessage && event.xclient.message_type == floor.manager &&
               static_cast<Atom>(event.xclient.data.l[1]) == floor.trayAtom) {
      Dock(floor);
    }
  }
  XCloseDisplay(floor.display);
  return 0;
}
