#include "linux/app/program_dialogs.h"

#include <utility>

#include "editor/editor_layout.h"
#include "linux/base/handler_guard.h"

namespace qv {

void ProgramDialogs::LoopHost::RunHandler(const std::function<void()>& handler) noexcept {
  qv::RunHandler(handler);
}

ProgramDialogs::ProgramDialogs(PollLoop& loop, CopyMenu& copyMenu)
    : loader_(x11::DialogLibraryBesideProgram()),
      host_(loop),
      copyMenu_(copyMenu),
      settings_(loader_, host_),
      editor_(loader_, host_, copyMenu_) {
  loop.AddPollSource({[this](std::vector<pollfd>& fds, int& timeoutMs) {
                        x11::DialogPlugin* plugin = loader_.Loaded();
                        if (!plugin) return false;
                        if (!std::exchange(libraryLoadedTold_, true) && onLibraryLoaded)
                          onLibraryLoaded();
                        plugin->AddWaits(fds, timeoutMs);
                        return true;
                      },
                      [this](const std::vector<pollfd>& fds) { loader_.Loaded()->Dispatch(fds); }});
}

void ProgramDialogs::Bind(Program& program) {
  program_ = &program;
  editor_.Bind(program.editor);
  copyMenu_.SetItems({{editor_layout::kCopyClip,
                       [&] { RunHandler([&] { program.editor.CopyHighlightedClip1Click(); }); }},
                      {editor_layout::kPasteClip, [&] {
                         RunHandler([&] { program.editor.PastetoHighlightedClip1Click(); });
                       }}});
}

void ProgramDialogs::OpenSettings() {
  if (program_) settings_.Open(program_->settings);
}

}  // namespace qv
