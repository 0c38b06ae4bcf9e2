// Times what a user of an X11 tray pop-up waits for; one figure in milliseconds per call.
//   xbench tray CMD [ARG...]   start CMD; stop when a new window carrying _XEMBED_INFO has a
//                              parent other than the root (its tray icon is docked). Prints
//                              "MS PID"; the program keeps running.
//   xbench mapped KEYS CLASS   press KEYS (e.g. "F5", "ctrl+alt+q") through XTEST; stop when a
//                              window whose WM_CLASS contains CLASS (any case) is mapped.
//   xbench shown CLASS         exit 0 when such a window is mapped now, 1 when none is.
//   xbench text KEYS XID       press KEYS; stop when the title of window XID starts with "*"
//                              (l3afpad's sign that its text changed).
// The clock starts before the request is sent and stops when the X event that tells the
// result arrives, so no poll period adds to the figures. Exit 1 on a timeout (10 s), 2 on bad
// arguments, 3 when the result holds already.
// Built: g++ -std=c++20 -O2 xbench.cpp -lX11 -lXtst
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kTimeout = std::chrono::seconds(10);
// A walk of the whole tree finds an icon that was not a child of the root before it docked.
// Each window costs a round trip, which loads the server and the program being timed, so it
// runs only when no reparent has told of the icon for a while, and is reported.
constexpr auto kTreeWalkAfter = std::chrono::milliseconds(300);
constexpr int kTreePollMs = 50;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Windows come and go while we look at them.
int IgnoreXErrors(Display*, XErrorEvent*) {
  return 0;
}

std::vector<Window> Children(Display* display, Window window, Window* parent = nullptr) {
  Window root = 0, up = 0, *children = nullptr;
  unsigned int count = 0;
  std::vector<Window> result;
  if (XQueryTree(display, window, &root, &up, &children, &count)) {
    result.assign(children, children + count);
    if (children) XFree(children);
  }
  if (parent) *parent = up;
  return result;
}

bool HasProperty(Display* display, Window window, Atom property) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0, left = 0;
  unsigned char* data = nullptr;
  const bool found = XGetWindowProperty(display, window, property, 0, 0, False, AnyPropertyType,
                                        &type, &format, &count, &left, &data) == Success &&
                     type != None;
  if (data) XFree(data);
  return found;
}

// Docked icons: windows with _XEMBED_INFO below a child of the root.
void FindDocked(Display* display, Window window, int depth, Atom xembed, std::set<Window>& out) {
  for (Window child : Children(display, window)) {
    if (depth > 0 && HasProperty(display, child, xembed)) out.insert(child);
    FindDocked(display, child, depth + 1, xembed, out);
  }
}

// Waits for events up to the deadline, handing each to `handle` until it says done; between
// events, `poll_step` (if any) runs every kTreePollMs.
bool RunUntil(Display* display, Clock::time_point deadline,
              const std::function<bool(XEvent&)>& handle,
              const std::function<bool()>& pollStep = {}) {
  pollfd fd{ConnectionNumber(display), POLLIN, 0};
  while (Clock::now() < deadline) {
    while (XPending(display)) {
      XEvent event;
      XNextEvent(display, &event);
      if (handle(event)) return true;
    }
    if (pollStep && pollStep()) return true;
    poll(&fd, 1, pollStep ? kTreePollMs : 50);
  }
  return false;
}

int Tray(Display* display, char** command) {
  const Window root = DefaultRootWindow(display);
  const Atom xembed = XInternAtom(display, "_XEMBED_INFO", False);
  std::set<Window> before;
  FindDocked(display, root, 0, xembed, before);
  XSelectInput(display, root, SubstructureNotifyMask);
  XSync(display, False);

  const Clock::time_point start = Clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    setsid();
    // Its output is not ours: a caller reading ours would wait for the program's end.
    if (const int null = open("/dev/null", O_WRONLY); null >= 0) dup2(null, STDOUT_FILENO);
    execvp(command[0], command);
    _exit(127);
  }
  if (pid < 0) return 2;
  auto isNewIcon = [&](Window window) {
    return !before.count(window) && HasProperty(display, window, xembed);
  };
  const bool docked = RunUntil(
      display, start + kTimeout,
      [&](XEvent& event) {
        return event.type == ReparentNotify && event.xreparent.parent != root &&
               isNewIcon(event.xreparent.window);
      },
      [&] {
        if (Clock::now() - start < kTreeWalkAfter) return false;
        std::set<Window> now;
        FindDocked(display, root, 0, xembed, now);
        const bool found =
            std::any_of(now.begin(), now.end(), [&](Window w) { return !before.count(w); });
        if (found) std::fprintf(stderr, "xbench: docked icon found by the tree walk\n");
        return found;
      });
  if (!docked) return 1;
  std::printf("%.3f %d\n", MillisecondsSince(start), static_cast<int>(pid));
  return 0;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool ClassContains(Display* display, Window window, const std::string& wanted) {
  XClassHint hint{};
  if (!XGetClassHint(display, window, &hint)) return false;
  const std::string both = Lower(std::string(hint.res_name ? hint.res_name : "") + " " +
                                 (hint.res_class ? hint.res_class : ""));
  if (hint.res_name) XFree(hint.res_name);
  if (hint.res_class) XFree(hint.res_class);
  return both.find(Lower(wanted)) != std::string::npos;
}

// A child of the root is the window itself (override-redirect) or the manager's frame around
// it; deeper windows (a tray icon inside the tray) are not counted.
bool HoldsClass(Display* display, Window window, const std::string& wanted, int depth = 0) {
  if (ClassContains(display, window, wanted)) return true;
  if (depth >= 1) return false;
  for (Window child : Children(display, window))
    if (HoldsClass(display, child, wanted, depth + 1)) return true;
  return false;
}

bool Viewable(Display* display, Window window) {
  XWindowAttributes attributes{};
  return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable;
}

bool PressKeys(Display* display, const std::string& keys) {
  std::vector<KeyCode> codes;
  std::stringstream parts(keys);
  std::string part;
  while (std::getline(parts, part, '+')) {
    const std::string lower = Lower(part);
    if (lower == "ctrl") part = "Control_L";
    if (lower == "alt") part = "Alt_L";
    if (lower == "shift") part = "Shift_L";
    if (lower == "super") part = "Super_L";
    const KeySym keysym = XStringToKeysym(part.c_str());
    const KeyCode code = keysym == NoSymbol ? 0 : XKeysymToKeycode(display, keysym);
    if (code == 0) {
      std::fprintf(stderr, "xbench: no key for %s\n", part.c_str());
      return false;
    }
    codes.push_back(code);
  }
  for (KeyCode code : codes) XTestFakeKeyEvent(display, code, True, CurrentTime);
  for (auto code = codes.rbegin(); code != codes.rend(); ++code)
    XTestFakeKeyEvent(display, *code, False, CurrentTime);
  XFlush(display);
  return true;
}

bool Shown(Display* display, const std::string& wanted) {
  for (Window top : Children(display, DefaultRootWindow(display)))
    if (Viewable(display, top) && HoldsClass(display, top, wanted)) return true;
  return false;
}

int Mapped(Display* display, const std::string& keys, const std::string& wanted) {
  const Window root = DefaultRootWindow(display);
  if (Shown(display, wanted)) return 3;
  XSelectInput(display, root, SubstructureNotifyMask);
  XSync(display, False);
  const Clock::time_point start = Clock::now();
  if (!PressKeys(display, keys)) return 2;
  const bool mapped = RunUntil(display, start + kTimeout, [&](XEvent& event) {
    return event.type == MapNotify && HoldsClass(display, event.xmap.window, wanted);
  });
  if (!mapped) return 1;
  std::printf("%.3f\n", MillisecondsSince(start));
  return 0;
}

std::string Title(Display* display, Window window) {
  const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0, left = 0;
  unsigned char* data = nullptr;
  std::string title;
  if (XGetWindowProperty(display, window, netName, 0, 1024, False, AnyPropertyType, &type, &format,
                         &count, &left, &data) == Success &&
      data && format == 8)
    title.assign(reinterpret_cast<char*>(data), count);
  if (data) XFree(data);
  if (!title.empty()) return title;
  char* name = nullptr;
  if (XFetchName(display, window, &name) && name) {
    title = name;
    XFree(name);
  }
  return title;
}

int Text(Display* display, const std::string& keys, Window target) {
  if (Title(display, target).starts_with('*')) return 3;
  XSelectInput(display, target, PropertyChangeMask);
  XSync(display, False);
  const Clock::time_point start = Clock::now();
  if (!PressKeys(display, keys)) return 2;
  const bool changed = RunUntil(display, start + kTimeout, [&](XEvent& event) {
    return event.type == PropertyNotify && event.xproperty.window == target &&
           Title(display, target).starts_with('*');
  });
  if (!changed) return 1;
  std::printf("%.3f\n", MillisecondsSince(start));
  return 0;
}

int Usage() {
  std::fprintf(stderr,
               "usage: xbench tray CMD [ARG...]\n"
               "       xbench mapped KEYS CLASS\n"
               "       xbench shown CLASS\n"
               "       xbench text KEYS XID\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Usage();
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "xbench: cannot open display\n");
    return 2;
  }
  XSetErrorHandler(IgnoreXErrors);
  const std::string command = argv[1];
  if (command == "tray") return Tray(display, argv + 2);
  if (command == "shown") return Shown(display, argv[2]) ? 0 : 1;
  if (argc < 4) return Usage();
  if (command == "mapped") return Mapped(display, argv[2], argv[3]);
  if (command == "text") return Text(display, argv[2], std::strtoul(argv[3], nullptr, 0));
  return Usage();
}
