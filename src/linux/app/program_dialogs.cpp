#include "linux/app/program_dialogs.h"

#include <memory>
#include <optional>
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

MessageAnswer ProgramDialogs::ShowMessage(MessageKind kind, const std::string& text,
                                          MessageButtons buttons) {
  const bool warning = kind == MessageKind::Warning;
  // Shared: a loop ended meanwhile leaves the box answering after this call has returned.
  auto answer = std::make_shared<std::optional<MessageAnswer>>();
  loader_.Plugin().OpenMessageBox({warning ? x11::MessageIcon::Warning : x11::MessageIcon::Error,
                                   warning ? "Warning" : "Error", text, buttons},
                                  [answer](MessageAnswer chosen) { *answer = chosen; });
  host_.RunUntil([&] { return answer->has_value(); });
  return answer->value_or(MessageAnswer::Cancel);
}

void ProgramDialogs::ShowNotice(const std::string& caption, const std::string& text) {
  loader_.Plugin().ShowNotice(caption, text);
}

}  // namespace qv
