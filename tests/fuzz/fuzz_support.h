#pragma once
// What the fuzz targets share: a property check that stops the run, typed values taken from
// the fuzzer's bytes, and the data files' text rules written independently of the library.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

// A property that must hold; a failure aborts, which libFuzzer keeps as a finding.
#define FUZZ_CHECK(condition) \
  ((condition) ? void() : ::qv::fuzz::PropertyFailed(#condition, __FILE__, __LINE__))

namespace qv::fuzz {

[[noreturn]] inline void PropertyFailed(const char* what, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: property does not hold: %s\n", file, line, what);
  std::abort();
}

// Takes values from the front of the fuzzer's bytes; zeros once they run out.
class ByteReader {
 public:
  ByteReader(const std::uint8_t* data, std::size_t size)
      : rest_(reinterpret_cast<const char*>(data), size) {}

  bool Empty() const { return rest_.empty(); }
  std::uint8_t Byte() {
    if (rest_.empty()) return 0;
    const auto byte = static_cast<std::uint8_t>(rest_.front());
    rest_.remove_prefix(1);
    return byte;
  }
  // 0 .. bound-1.
  int Below(int bound) { return bound <= 1 ? 0 : Byte() % bound; }
  // Up to `longest` bytes, the length taken from one byte.
  std::string Text(std::size_t longest) {
    const std::size_t wanted = Byte() % (longest + 1);
    const std::size_t length = std::min(wanted, rest_.size());
    std::string text(rest_.substr(0, length));
    rest_.remove_prefix(length);
    return text;
  }

 private:
  std::string_view rest_;
};

inline std::string AsString(const std::uint8_t* data, std::size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

// CR LF, a lone CR and a lone LF each become CR LF.
inline std::string WithCrLfBreaks(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i] == '\r' || text[i] == '\n' ? std::string("\r\n") : std::string(1, text[i]);
  }
  return out;
}

inline bool EndsWithBreak(std::string_view text) {
  return !text.empty() && (text.back() == '\r' || text.back() == '\n');
}

// The pieces between CR LF breaks: n breaks give n + 1 pieces, and "" gives one empty piece.
inline std::vector<std::string> Pieces(std::string_view text) {
  std::vector<std::string> pieces;
  std::size_t start = 0;
  for (auto brk = text.find("\r\n"); brk != std::string_view::npos;
       brk = text.find("\r\n", start)) {
    pieces.emplace_back(text.substr(start, brk - start));
    start = brk + 2;
  }
  pieces.emplace_back(text.substr(start));
  return pieces;
}

inline std::string JoinedWithCrLf(const std::vector<std::string>& pieces) {
  std::string text;
  for (std::size_t i = 0; i < pieces.size(); ++i) text += (i ? "\r\n" : "") + pieces[i];
  return text;
}

// Lines of a file as the program reads them: any break ends a line, a final break starts
// none.
inline std::vector<std::string> FileLines(std::string_view bytes) {
  if (bytes.empty()) return {};
  auto lines = Pieces(WithCrLfBreaks(bytes));
  if (EndsWithBreak(bytes)) lines.pop_back();
  return lines;
}

inline std::string AsciiLower(std::string_view text) {
  std::string out(text);
  for (auto& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

}  // namespace qv::fuzz
