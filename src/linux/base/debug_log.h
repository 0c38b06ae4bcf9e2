#pragma once
#include <string>

namespace qv {

// The test log named by QV_DEBUG_LOG: one line per event, after the steady clock in
// microseconds; nothing when unset.
void DebugLog(const std::string& line);

}  // namespace qv
