#pragma once
// Time behind an interface, so that what waits can be tested without time passing.
namespace qv {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual long long NowMs() = 0;  // from any fixed start
  virtual void Wait(int ms) = 0;
};

}  // namespace qv
