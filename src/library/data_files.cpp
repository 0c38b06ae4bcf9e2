#include "library/data_files.h"

#include <algorithm>

#include "library/file_encoding.h"

namespace qv {

namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::size_t kDesignWideRows[] = {38, 57};  // rows the window's design holds as two blanks

// True when every CR is followed by LF: LF alone then marks where lines end. Byte-wide
// flags, so that the compiler vectorises the pass.
bool NoLoneCr(std::string_view bytes) {
  if (bytes.empty()) return true;
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  unsigned char lone = p[bytes.size() - 1] == '\r';
  for (std::size_t i = 0; i + 1 < bytes.size(); ++i)
    lone |= static_cast<unsigned char>((p[i] == '\r') & (p[i + 1] != '\n'));
  return lone == 0;
}

// True when every line break is CR LF: such bytes already are the store's text.
bool OnlyCrLfBreaks(std::string_view bytes) {
  if (bytes.empty()) return true;
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  unsigned char bad = p[0] == '\n' || p[bytes.size() - 1] == '\r';
  for (std::size_t i = 1; i < bytes.size(); ++i)
    bad |= static_cast<unsigned char>((p[i] == '\n') ^ (p[i - 1] == '\r'));
  return bad == 0;
}

// Calls `line(text, endsWithBreak)` for every line; CR LF, lone CR and lone LF each end a
// line, and a final break starts no further line.
template <typename OnLine>
void ForEachLine(std::string_view bytes, OnLine line) {
  std::size_t start = 0;
  if (NoLoneCr(bytes)) {  // the usual file: lines found with memchr
    for (auto lf = bytes.find('\n'); lf != std::string_view::npos; lf = bytes.find('\n', start)) {
      const std::size_t end = lf > start && bytes[lf - 1] == '\r' ? lf - 1 : lf;
      line(bytes.substr(start, end - start), true);
      start = lf + 1;
    }
  } else {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      if (bytes[i] != '\r' && bytes[i] != '\n') continue;
      line(bytes.substr(start, i - start), true);
      if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
      start = i + 1;
    }
  }
  if (start < bytes.size()) line(bytes.substr(start), false);
}

std::string LowerCase(std::string_view text) {
  std::string lower(text);
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return lower;
}

}  // namespace

bool IsDataFileName(std::string_view name) {
  const std::string lower = LowerCase(name);
  return lower == "lb1.qvl" || lower == "svclips.qvl" || lower == "prefs.qvl";
}

// Only the names sync engines make, so that a user's own "Lb1-backup.qvl" is left alone:
// Dropbox and Nextcloud "svclips (PC's conflicted copy 2026-12-08).qvl", Syncthing
// "svclips.sync-conflict-20261208-044512-ABCDEF7.qvl", ownCloud "svclips_conflict-....qvl",
// OneDrive "svclips-DESKTOP-5N2K0TN.qvl" (the computer's name, upper case).
bool IsConflictCopyName(std::string_view name) {
  const std::string lower = LowerCase(name);
  if (!lower.ends_with(".qvl") || IsDataFileName(lower)) return false;
  for (std::string_view stem : {"lb1", "svclips", "prefs"}) {
    if (!lower.starts_with(stem)) continue;
    const std::string_view rest = std::string_view(lower).substr(stem.size());
    const std::string_view original = name.substr(stem.size(), rest.size() - 4);
    if (rest.starts_with(" (") && rest.find("conflict") != std::string_view::npos) return true;
    if (rest.starts_with(".sync-conflict-") || rest.starts_with("_conflict-")) return true;
    if (original.size() > 1 && original[0] == '-' &&
        std::all_of(original.begin() + 1, original.end(), [](char c) {
          return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
        }))
      return true;
  }
  return false;
}

std::vector<std::string> SplitFileLines(std::string_view bytes) {
  std::vector<std::string> lines;
  ForEachLine(bytes, [&](std::string_view line, bool) { lines.emplace_back(line); });
  return lines;
}

std::string SerializeRows(const SlotList& rows) {
  std::string out;
  for (const auto& row : rows) {
    const auto start = out.size();
    out += row;
    if (row.find('\r') != std::string::npos || row.find('\n') != std::string::npos) {
      std::replace_if(
          out.begin() + static_cast<std::ptrdiff_t>(start), out.end(),
          [](char c) { return c == '\r' || c == '\n'; }, ' ');
    }
    out += kCrLf;
  }
  return out;
}

// Every byte is kept, NUL included: the store is written back as read, so nothing in
// the file is ever lost by reading it.
ClipStore ParseStoreFile(std::string_view bytes) {
  ClipStore store;
  store.reserve(bytes.size() + bytes.size() / 16);
  ForEachLine(bytes, [&](std::string_view line, bool broken) {
    store += line;
    if (broken) store += kCrLf;
  });
  return store;
}

ClipStore ParseStoreFile(std::string&& bytes) {
  if (OnlyCrLfBreaks(bytes)) return std::move(bytes);
  return ParseStoreFile(std::string_view(bytes));
}

bool LooksDamaged(std::string_view bytes) {
  return !IsUtf16File(bytes) && bytes.find('\0') != std::string_view::npos;
}

std::string DamagedFileMessage(const std::string& path, const std::optional<std::string>& keptAs) {
  const std::string damaged =
      "File " + path + " looks damaged (it holds NUL bytes); it is loaded as it is";
  if (keptAs) return damaged + ", and a copy of it as found is kept as " + *keptAs;
  return damaged + ", but no copy of it could be kept, so it is not written over";
}

SlotList DesignSlotRows() {
  SlotList rows(kSlotCount, " ");
  for (auto row : kDesignWideRows) rows[row] = "  ";
  return rows;
}

}  // namespace qv
