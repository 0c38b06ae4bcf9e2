#pragma once
// Waiting behind an interface, so that what waits can be tested without time passing.
namespace qv {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual void Wait(int ms) = 0;
};

}  // namespace qv
