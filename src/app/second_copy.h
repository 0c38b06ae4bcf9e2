#pragma once
// One copy of the program per folder: copies from the same folder would write the same data
// files over each other.
#include <string>

#include "desktop/desktop_services.h"

namespace qv {

// The name every copy started from `folder` holds while it runs; the case of letters and
// "/" for "\" make no other folder.
std::string CopyLockName(const std::string& folder);

// Another copy from the same folder runs. A one-shot start (Ctrl held) runs beside it, to
// paste; an ordinary start tells the user and is to end before it reads or writes anything.
bool MayRunBesideAnotherCopy(KeyInjection& keys, MessageBoxes& messages, const std::string& title,
                             const std::string& folder);

}  // namespace qv
