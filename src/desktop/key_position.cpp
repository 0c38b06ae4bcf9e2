#include "desktop/key_position.h"

namespace qv {

namespace {

// The US keyboard's rows, from the digits (AE) down to the row above the space bar (AB).
constexpr struct {
  char row;
  std::string_view keys;  // from column 01
} kRows[] = {{'E', "1234567890"}, {'D', "QWERTYUIOP"}, {'C', "ASDFGHJKL"}, {'B', "ZXCVBNM"}};

}  // namespace

unsigned VirtualKeyOfPosition(std::string_view keyName) {
  if (keyName.size() != 4 || keyName[0] != 'A' || keyName[2] < '0' || keyName[2] > '9' ||
      keyName[3] < '0' || keyName[3] > '9')
    return 0;
  const std::size_t column = static_cast<std::size_t>((keyName[2] - '0') * 10 + keyName[3] - '0');
  for (const auto& row : kRows)
    if (row.row == keyName[1] && column >= 1 && column <= row.keys.size())
      return static_cast<unsigned char>(row.keys[column - 1]);
  return 0;
}

}  // namespace qv
