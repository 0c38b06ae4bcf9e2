// Starts a tray program under Wine and times its start and its end:
//   launch EXE CLASS VK [ARGS]
// 1. Prints "ready MS": from just before CreateProcess until the program first waits for
//    input (WaitForInputIdle, the way Windows judges a program ready) and its hot key VK
//    (a decimal virtual-key code, no modifiers) is registered, so that another
//    RegisterHotKey of it fails.
// 2. Waits for a line on standard input (meanwhile the caller may look at the process).
// 3. Prints "closed MS": from posting WM_CLOSE to the program's top-level window of class
//    CLASS until the process has ended.
// Exit 1 when a step times out or the window is not found, 2 on bad arguments.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr DWORD kTimeoutMs = 10000;

double Now() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER count;
  QueryPerformanceCounter(&count);
  return static_cast<double>(count.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

bool HotKeyTaken(UINT virtualKey) {
  if (!RegisterHotKey(nullptr, 0xBEEF, 0, virtualKey)) return true;
  UnregisterHotKey(nullptr, 0xBEEF);
  return false;
}

struct Search {
  DWORD process;
  const char* className;
  HWND found;
};

HWND TopLevelOf(DWORD process, const char* className) {
  Search search{process, className, nullptr};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        char name[256] = {};
        GetClassNameA(window, name, sizeof name);
        if (owner != s->process || std::string(name) != s->className) return TRUE;
        s->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fputs("usage: launch EXE CLASS VK [ARGS]\n", stderr);
    return 2;
  }
  const std::string exe = argv[1];
  const char* className = argv[2];
  const UINT virtualKey = static_cast<UINT>(std::atoi(argv[3]));
  std::string commandLine = "\"" + exe + "\"";
  for (int i = 4; i < argc; ++i) commandLine += std::string(" ") + argv[i];
  const std::string folder = exe.substr(0, exe.find_last_of('\\') + 1);
  if (HotKeyTaken(virtualKey)) {
    std::fputs("launch: the hot key is taken before the start\n", stderr);
    return 1;
  }

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  const double start = Now();
  if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &process)) {
    std::fprintf(stderr, "launch: cannot start %s (%lu)\n", exe.c_str(), GetLastError());
    return 1;
  }
  if (WaitForInputIdle(process.hProcess, kTimeoutMs) != 0) {
    std::fputs("launch: the program never waited for input\n", stderr);
    return 1;
  }
  while (!HotKeyTaken(virtualKey)) {
    if (Now() - start > kTimeoutMs) {
      std::fputs("launch: the hot key was never registered\n", stderr);
      return 1;
    }
    Sleep(1);
  }
  std::printf("ready %.3f\n", Now() - start);
  std::fflush(stdout);
  char line[64];
  if (!std::fgets(line, sizeof line, stdin)) std::fputs("launch: no go-ahead; closing\n", stderr);

  HWND window = TopLevelOf(process.dwProcessId, className);
  if (!window) {
    std::fprintf(stderr, "launch: no window of class %s\n", className);
    TerminateProcess(process.hProcess, 1);
    return 1;
  }
  const double closing = Now();
  PostMessageA(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, kTimeoutMs) != WAIT_OBJECT_0) {
    std::fputs("launch: the program did not end\n", stderr);
    TerminateProcess(process.hProcess, 1);
    return 1;
  }
  std::printf("closed %.3f\n", Now() - closing);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return 0;
}
