#include "linux/app/program_run.h"

#include <string>

#include "linux/base/debug_log.h"
#include "linux/base/handler_guard.h"

namespace qv {

std::function<void()> SaveAtEndOfSession(PollLoop& loop, Program& program) {
  const auto save = [&program] {
    const int saved = program.WMQueryEndSession();
    DebugLog(saved ? "saved" : "save failed");
  };
  loop.OnEndSignal([&loop, &program, save] {
    save();
    program.WMEndSession(true);
    loop.Quit();
  });
  return save;
}

void RunProgram(PollLoop& loop, Program& program, const std::function<void()>& showList) {
  if (program.TerminateRequested()) return;
  if (program.state.OneShotMode) showList();
  RunHandler([&] { program.popup.FormActivate(); });
  RunHandler([&] { program.CheckHotKey(); });  // the key in effect after start-up
  DebugLog(std::string("hotkey ") + (program.hotKey.Works() ? "works" : "does not work"));
  DebugLog("ready");
  loop.Run();
}

}  // namespace qv
