// Times how long a program on an X display takes to react to one key press.
// The key goes through the XTEST extension (as xdotool sends it); the clock starts just before
// the press is sent and stops when the reaction is seen:
//   key_reaction show  KEYSYM [--paint X Y RRGGBB] XID...  one of the windows becomes viewable
//                                                          (then, with --paint, the pixel at
//                                                          X,Y in it has that colour)
//   key_reaction clip  KEYSYM MARKER                       the clipboard changes owner and
//                                                          holds a text, not empty, not MARKER
//   key_reaction resolution                                the window polls' period
// Prints the milliseconds (one figure per line; "show --paint" prints two). Exit 1 on a
// timeout (5 s), 2 on bad arguments or no display, 3 when a window is viewable already.
// Built natively: g++ -std=c++20 -O2 key_reaction.cpp -lX11 -lXfixes libXtst.so.6
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xfixes.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

// From <X11/extensions/XTest.h>, whose development package is not installed here.
extern "C" int XTestFakeKeyEvent(Display* display, unsigned int keycode, int isPress,
                                 unsigned long delay);

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kTimeout = std::chrono::seconds(5);
constexpr useconds_t kPollPauseMicros = 200;
constexpr int kReadAttempts = 20;
constexpr useconds_t kReadRetryMicros = 5000;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A window that vanished between polls is simply not viewable.
int IgnoreXErrors(Display*, XErrorEvent*) {
  return 0;
}

Clock::time_point PressKey(Display* display, const char* keysymName) {
  const KeySym keysym = XStringToKeysym(keysymName);
  const KeyCode code = keysym == NoSymbol ? 0 : XKeysymToKeycode(display, keysym);
  if (code == 0) {
    std::fprintf(stderr, "unknown key %s\n", keysymName);
    std::exit(2);
  }
  // The clock starts before the press is sent: were it read after, a pause of this process
  // (a busy machine) could let the reaction come first.
  const Clock::time_point pressed = Clock::now();
  XTestFakeKeyEvent(display, code, True, CurrentTime);
  XTestFakeKeyEvent(display, code, False, CurrentTime);
  XFlush(display);
  return pressed;
}

bool Viewable(Display* display, Window window) {
  XWindowAttributes attributes{};
  return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable;
}

std::optional<Window> FirstViewable(Display* display, const std::vector<Window>& windows) {
  for (Window window : windows)
    if (Viewable(display, window)) return window;
  return std::nullopt;
}

unsigned long PixelAt(Display* display, Window window, int x, int y) {
  XImage* image = XGetImage(display, window, x, y, 1, 1, AllPlanes, ZPixmap);
  if (!image) return ~0UL;
  const unsigned long pixel = XGetPixel(image, 0, 0) & 0xFFFFFF;
  XDestroyImage(image);
  return pixel;
}

struct PaintProbe {
  int x = 0, y = 0;
  unsigned long colour = 0;
};

int Show(Display* display, const char* key, std::optional<PaintProbe> paint,
         const std::vector<Window>& windows) {
  if (FirstViewable(display, windows)) return 3;  // nothing to measure
  const Clock::time_point start = PressKey(display, key);
  std::optional<Window> shown;
  while (!(shown = FirstViewable(display, windows))) {
    if (Clock::now() - start > kTimeout) return 1;
    usleep(kPollPauseMicros);
  }
  std::printf("%.3f\n", MillisecondsSince(start));
  if (paint) {
    while (PixelAt(display, *shown, paint->x, paint->y) != paint->colour) {
      if (Clock::now() - start > kTimeout) return 1;
      usleep(kPollPauseMicros);
    }
    std::printf("%.3f\n", MillisecondsSince(start));
  }
  return 0;
}

// Waits for the next event up to the deadline; false when the time is up.
bool NextEvent(Display* display, XEvent& event, Clock::time_point deadline) {
  while (!XPending(display)) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) return false;
    pollfd fd{ConnectionNumber(display), POLLIN, 0};
    poll(&fd, 1, static_cast<int>(left.count()));
  }
  XNextEvent(display, &event);
  return true;
}

// The clipboard's text, asked for as a client would; nullopt when its owner does not answer.
std::optional<std::string> ClipboardText(Display* display, Window requestor, Atom clipboard,
                                         Clock::time_point deadline) {
  const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  const Atom property = XInternAtom(display, "KEY_REACTION_CLIP", False);
  XConvertSelection(display, clipboard, utf8, property, requestor, CurrentTime);
  XEvent event;
  while (NextEvent(display, event, deadline)) {
    if (event.type != SelectionNotify) continue;
    if (event.xselection.property == None) return std::nullopt;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(display, requestor, property, 0, 1 << 20, True, AnyPropertyType, &type,
                       &format, &count, &remaining, &data);
    std::string text =
        data && format == 8 ? std::string(reinterpret_cast<char*>(data), count) : std::string();
    if (data) XFree(data);
    return text;
  }
  return std::nullopt;
}

int Clip(Display* display, const char* key, const std::string& marker) {
  int fixesEvent = 0, fixesError = 0;
  if (!XFixesQueryExtension(display, &fixesEvent, &fixesError)) return 2;
  const Window root = DefaultRootWindow(display);
  const Atom clipboard = XInternAtom(display, "CLIPBOARD", False);
  const Window requestor = XCreateSimpleWindow(display, root, 0, 0, 1, 1, 0, 0, 0);
  XFixesSelectSelectionInput(display, root, clipboard, XFixesSetSelectionOwnerNotifyMask);
  XSync(display, False);
  const Clock::time_point start = PressKey(display, key);
  const Clock::time_point deadline = start + kTimeout;
  XEvent event;
  while (NextEvent(display, event, deadline)) {
    if (event.type != fixesEvent + XFixesSelectionNotify) continue;
    const double changed = MillisecondsSince(start);
    // The owner changed; the text itself confirms that it is the program's. A new owner
    // may refuse the first request while it is still taking over.
    std::optional<std::string> text;
    for (int attempt = 0; attempt < kReadAttempts && !text; ++attempt) {
      if (attempt > 0) usleep(kReadRetryMicros);
      text = ClipboardText(display, requestor, clipboard, deadline);
    }
    // An empty text cannot be told from an owner that has nothing to give yet.
    if (text && !text->empty() && *text != marker) {
      std::printf("%.3f\n", changed);
      std::fprintf(stderr, "clipboard: %zu bytes: %.40s\n", text->size(), text->c_str());
      return 0;
    }
  }
  return 1;
}

// How often the window polls look: the period of a poll and its pause, averaged.
int Resolution(Display* display) {
  constexpr int kPolls = 2000;
  const Window root = DefaultRootWindow(display);
  const Clock::time_point start = Clock::now();
  for (int i = 0; i < kPolls; ++i) {
    Viewable(display, root);
    usleep(kPollPauseMicros);
  }
  std::printf("%.3f\n", MillisecondsSince(start) / kPolls);
  return 0;
}

int Usage() {
  std::fprintf(stderr,
               "usage: key_reaction show KEYSYM [--paint X Y RRGGBB] XID...\n"
               "       key_reaction clip KEYSYM MARKER\n"
               "       key_reaction resolution\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "cannot open display\n");
    return 2;
  }
  XSetErrorHandler(IgnoreXErrors);
  const std::string command = argv[1];
  if (command == "resolution") return Resolution(display);
  if (argc < 4) return Usage();
  const char* key = argv[2];
  if (command == "clip") return Clip(display, key, argv[3]);
  int next = 3;
  std::optional<PaintProbe> paint;
  if (command == "show" && std::string(argv[next]) == "--paint") {
    if (argc < next + 5) return Usage();
    paint = PaintProbe{std::atoi(argv[next + 1]), std::atoi(argv[next + 2]),
                       std::strtoul(argv[next + 3], nullptr, 16)};
    next += 4;
  }
  std::vector<Window> windows;
  for (; next < argc; ++next) windows.push_back(std::strtoul(argv[next], nullptr, 0));
  if (windows.empty()) return Usage();
  if (command == "show") return Show(display, key, paint, windows);
  return Usage();
}
