#pragma once
// Time behind an interface, so that what waits can be tested without time passing.
#include <cstdint>

namespace qv {

class Clock {
 public:
  virtual ~Clock() = default;
  // False when the program is to end, which ends the wait at once. The desktop's clock
  // handles messages while it waits (handlers may run meanwhile); the files' clock sleeps.
  virtual bool Wait(int milliseconds) = 0;
  // A steady clock, in milliseconds.
  virtual std::int64_t Milliseconds() = 0;
};

}  // namespace qv
