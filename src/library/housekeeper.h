#pragma once
// The one operation that saves all data: rows file, store file, preferences, in that order.
namespace qv {

class Housekeeper {
 public:
  virtual ~Housekeeper() = default;
  // Throws AppError at the first write that fails; the later writes are skipped.
  virtual void Housekeeping() = 0;
};

}  // namespace qv
