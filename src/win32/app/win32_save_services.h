#pragma once
// The folder test and the end-of-session reason on real Windows.
#include "app/save_services.h"
#include "win32/kit/window_base.h"

namespace qv {

class Win32SaveServices : public SaveServices {
 public:
  // The reason is set on `mainWindow`, whose handle is read when it is needed.
  explicit Win32SaveServices(const WindowBase& mainWindow) : mainWindow_(mainWindow) {}

  bool CanCreateFilesIn(const std::string& folder) override;
  void HoldUpSessionEnd(const std::string& reason) override;
  void LetSessionEnd() override;

 private:
  const WindowBase& mainWindow_;
};

}  // namespace qv
