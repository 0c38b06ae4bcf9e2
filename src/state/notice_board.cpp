#include "state/notice_board.h"

#include <utility>

namespace qv {

namespace {

// The balloon's lines as one: tips and the header show a single line.
std::string OneLine(const std::string& text) {
  std::string line;
  for (char c : text) {
    if (c == '\r') continue;
    if (c == '\n') {
      if (!line.empty() && line.back() != ' ') line += ' ';
      continue;
    }
    line += c;
  }
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

}  // namespace

void NoticeBoard::Notify(const std::string& text) {
  pending_ = OneLine(text);
  balloon_.Notify(text);
  ShowTip();
}

void NoticeBoard::SetTip(const std::string& text) {
  base_ = text;
  ShowTip();
}

std::string NoticeBoard::TakeForHeader() {
  std::string seen = std::exchange(pending_, {});
  if (!seen.empty()) ShowTip();
  return seen;
}

void NoticeBoard::ShowTip() {
  // The notice first: a tip longer than the notification area shows is cut at its end.
  trayTip_.SetTip(pending_.empty() ? base_ : pending_ + "\n" + base_);
}

}  // namespace qv
