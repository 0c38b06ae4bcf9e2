#pragma once
// Code pages as Windows maps them, from the core's tables; `utf8System` as with the system
// code page UTF-8, which keeps a legacy one for old files.
#include "library/single_byte_code_page.h"

namespace qv::test {

class FakeCodePage : public SingleByteCodePage {
 public:
  explicit FakeCodePage(unsigned legacy = 1252, bool utf8System = false)
      : SingleByteCodePage({legacy, legacy, false}, utf8System) {}
  std::string notice;  // told once an old file was read in the code page
  std::string ReadInNotice() const override { return notice; }
};

inline const FakeCodePage kWestern;  // 1252, the code page of the shipped files

}  // namespace qv::test
