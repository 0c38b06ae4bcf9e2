#include "tray/notice_board.h"

#include <algorithm>
#include <utility>

#include "base/utf8_text.h"

namespace qv {

namespace {

// Long enough to read a sentence or two.
constexpr std::int64_t kNoticeSeenMs = 5000;

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
  toldAt_ = clock_.Milliseconds();
  ShowTip();
}

int NoticeBoard::LingerAtExitMs() {
  if (toldAt_ < 0) return 0;
  const std::int64_t left = toldAt_ + kNoticeSeenMs - clock_.Milliseconds();
  return static_cast<int>(std::clamp<std::int64_t>(left, 0, kNoticeSeenMs));
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
  const std::string tip = pending_.empty() ? base_ : pending_ + "\n" + base_;
  trayTip_.SetTip(tip.substr(0, CharacterPrefix(tip, tipCharacters_)));
}

}  // namespace qv
