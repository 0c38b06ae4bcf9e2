#pragma once
// Time behind an interface, so that what waits can be tested without time passing.
#include <cstdint>

namespace qv {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual void Wait(int milliseconds) = 0;
  // A steady clock, in milliseconds.
  virtual std::int64_t Milliseconds() = 0;
};

}  // namespace qv
