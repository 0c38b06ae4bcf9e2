#include "x11/base/x_display.h"

#include <X11/Xatom.h>
#include <X11/Xresource.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <utility>

namespace qv {

namespace {

int g_trapDepth = 0;
int g_trapErrors = 0;
int g_lastErrorCode = 0;
unsigned long g_trapFirstSerial = 0;  // errors of requests before the trap are not its
std::function<void()> g_connectionLost;

// Outside a trap an error is logged and dropped: a window that went away meanwhile is
// normal on X and must not end the program.
int OnXError(Display*, XErrorEvent* error) {
  g_lastErrorCode = error->error_code;
  if (g_trapDepth > 0 && error->serial >= g_trapFirstSerial) {
    ++g_trapErrors;
  } else {
    DebugLog("x error " + std::to_string(error->error_code) + " request " +
             std::to_string(error->request_code));
  }
  return 0;
}

// Xlib ends the process once this returns: the data are saved first.
int OnIoError(Display*) {
  DebugLog("x connection lost");
  if (auto handler = std::exchange(g_connectionLost, nullptr)) handler();
  DebugLog("exit");
  _exit(0);
}

int ReadXftDpi(Display* display) {
  XrmInitialize();
  const char* resources = XResourceManagerString(display);
  if (!resources) return 96;
  int dpi = 96;
  XrmDatabase database = XrmGetStringDatabase(resources);
  char* type = nullptr;
  XrmValue value{};
  if (database && XrmGetResource(database, "Xft.dpi", "Xft.Dpi", &type, &value) && value.addr) {
    const double read = std::atof(value.addr);
    if (read >= 48 && read <= 480) dpi = static_cast<int>(read + 0.5);
  }
  if (database) XrmDestroyDatabase(database);
  return dpi;
}

}  // namespace

XDisplay::XDisplay() {
  display_ = XOpenDisplay(nullptr);
  if (!display_) return;
  XSetErrorHandler(OnXError);
  XSetIOErrorHandler(OnIoError);
  screen_ = DefaultScreen(display_);
  root_ = RootWindow(display_, screen_);
  dpi_ = ReadXftDpi(display_);
  const std::string tray = "_NET_SYSTEM_TRAY_S" + std::to_string(screen_);
  const char* names[] = {"CLIPBOARD",
                         "TARGETS",
                         "UTF8_STRING",
                         "TEXT",
                         "text/plain;charset=utf-8",
                         "INCR",
                         "MULTIPLE",
                         "TIMESTAMP",
                         "CLIPBOARD_MANAGER",
                         "SAVE_TARGETS",
                         "QV_SELECTION",
                         "_NET_ACTIVE_WINDOW",
                         "_NET_WORKAREA",
                         "_NET_WM_STATE",
                         "_NET_WM_STATE_ABOVE",
                         "_NET_WM_STATE_SKIP_TASKBAR",
                         "_NET_WM_STATE_SKIP_PAGER",
                         "_NET_WM_WINDOW_TYPE",
                         "_NET_WM_WINDOW_TYPE_DIALOG",
                         "_NET_WM_WINDOW_TYPE_UTILITY",
                         "_NET_WM_NAME",
                         "_NET_FRAME_EXTENTS",
                         "_NET_SUPPORTING_WM_CHECK",
                         "_NET_CURRENT_DESKTOP",
                         "_NET_WM_PID",
                         "WM_PROTOCOLS",
                         "WM_DELETE_WINDOW",
                         "WM_TAKE_FOCUS",
                         "_MOTIF_WM_HINTS",
                         "_NET_SYSTEM_TRAY_OPCODE",
                         "MANAGER",
                         "_XEMBED_INFO",
                         "_XEMBED",
                         tray.c_str()};
  constexpr int kCount = sizeof names / sizeof names[0];
  static_assert(sizeof(Atoms) == kCount * sizeof(Atom));
  XInternAtoms(display_, const_cast<char**>(names), kCount, False,
               reinterpret_cast<Atom*>(&atoms_));
}

XDisplay::~XDisplay() {
  if (display_) {
    g_connectionLost = nullptr;
    XCloseDisplay(display_);
  }
}

bool XDisplay::WindowManagerRuns() const {
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  const bool found =
      XGetWindowProperty(display_, root_, atoms_.netSupportingWmCheck, 0, 1, False, AnyPropertyType,
                         &type, &format, &count, &after, &data) == Success &&
      count == 1;
  if (data) XFree(data);
  return found;
}

Time XDisplay::ServerTime() {
  if (!timeWindow_) {
    XSetWindowAttributes attributes{};
    attributes.event_mask = PropertyChangeMask;
    timeWindow_ = XCreateWindow(display_, root_, -1, -1, 1, 1, 0, CopyFromParent, InputOnly,
                                CopyFromParent, CWEventMask, &attributes);
  }
  // A zero-length append changes nothing but tells the time.
  XChangeProperty(display_, timeWindow_, atoms_.timestamp, XA_INTEGER, 32, PropModeAppend, nullptr,
                  0);
  XEvent event;
  XWindowEvent(display_, timeWindow_, PropertyChangeMask, &event);
  SeeTime(event.xproperty.time);
  return event.xproperty.time;
}

void XDisplay::ActivateWindow(Window window) {
  // Without a time of a user's action (at start-up) the window manager would refuse.
  if (lastTime_ == CurrentTime) ServerTime();
  ErrorTrap trap(display_);
  if (!WindowManagerRuns()) {
    XSetInputFocus(display_, window, RevertToPointerRoot, CurrentTime);
    return;
  }
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = atoms_.netActiveWindow;
  event.xclient.format = 32;
  event.xclient.data.l[0] = 2;  // as a pager asks: window managers do as told
  event.xclient.data.l[1] = static_cast<long>(lastTime_);
  XSendEvent(display_, root_, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

void XDisplay::ReclaimConnectionLoss() {
  XSetIOErrorHandler(OnIoError);
}

void XDisplay::OnConnectionLost(std::function<void()> handler) {
  g_connectionLost = std::move(handler);
}

ErrorTrap::ErrorTrap(Display* display)
    : display_(display),
      outerErrors_(g_trapErrors),
      outerCode_(g_lastErrorCode),
      outerSerial_(g_trapFirstSerial) {
  ++g_trapDepth;
  g_trapErrors = 0;
  g_trapFirstSerial = NextRequest(display);
}

ErrorTrap::~ErrorTrap() {
  // Only when something was sent since the last answer: a round trip costs.
  if (LastKnownRequestProcessed(display_) + 1 < NextRequest(display_)) XSync(display_, False);
  --g_trapDepth;
  g_trapErrors = outerErrors_;
  g_lastErrorCode = outerCode_;
  g_trapFirstSerial = outerSerial_;
}

bool ErrorTrap::Failed() {
  XSync(display_, False);
  return g_trapErrors > 0;
}

int ErrorTrap::LastErrorCode() const {
  return g_lastErrorCode;
}

}  // namespace qv
