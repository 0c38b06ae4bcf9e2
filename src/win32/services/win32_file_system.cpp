#include "win32/services/win32_file_system.h"

#include <windows.h>

#include <algorithm>

#include "win32/base/handles.h"
#include "win32/base/wide_text.h"

namespace qv {

namespace {

constexpr DWORD kChunk = 1u << 20;

}  // namespace

std::wstring LongPath(const std::string& path) {
  // The "\\?\" form is taken as it stands, so the path is made full (no "..", no "/") first.
  const std::wstring wide = Utf8ToWide(path);
  if (wide.rfind(L"\\\\?\\", 0) == 0) return wide;
  std::wstring full(GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr), L'\0');
  const DWORD length =
      GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  if (length == 0 || length >= full.size()) return wide;
  full.resize(length);
  if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);  // \\server\share
  return L"\\\\?\\" + full;
}

bool Win32Disk::Failed() {
  const DWORD error = GetLastError();
  lastFailureBusy_ = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
                     error == ERROR_ACCESS_DENIED;
  return false;
}

std::optional<std::string> Win32Disk::ReadAll(const std::string& path) {
  // Shared with readers only: a file another program is writing cannot be opened.
  const UniqueHandle file =
      OwnedFileHandle(CreateFileW(LongPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) {
    Failed();
    return std::nullopt;
  }
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(kChunk, bytes.size() - done));
    DWORD got = 0;
    if (!ReadFile(file.get(), bytes.data() + done, want, &got, nullptr)) {
      Failed();
      return std::nullopt;
    }
    if (got == 0) break;  // the file shrank meanwhile
    done += got;
  }
  bytes.resize(done);
  return bytes;
}

bool Win32Disk::Missing(const std::string& path) {
  if (GetFileAttributesW(LongPath(path).c_str()) != INVALID_FILE_ATTRIBUTES) return false;
  // Any other failure (access denied, a bad name) may hide a file that exists.
  const DWORD error = GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool Win32Disk::WriteAndFlush(const std::string& path, std::string_view bytes) {
  UniqueHandle file = OwnedFileHandle(CreateFileW(LongPath(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return Failed();
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(kChunk, bytes.size() - done));
    DWORD wrote = 0;
    if (!WriteFile(file.get(), bytes.data() + done, want, &wrote, nullptr) || wrote == 0)
      return Failed();
    done += wrote;
  }
  // Closed here, so that a failure to close (data not written) is seen.
  if (!FlushFileBuffers(file.get()) || !CloseHandle(file.release())) return Failed();
  return true;
}

bool Win32Disk::MoveReplacing(const std::string& from, const std::string& to) {
  const std::wstring target = LongPath(to);
  // A read-only file is not replaced, as creating it anew would fail; Wine's rename would
  // replace it regardless. Waiting does not change that.
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    lastFailureBusy_ = false;
    return false;
  }
  if (!MoveFileExW(LongPath(from).c_str(), target.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return Failed();
  return true;
}

bool Win32Disk::Remove(const std::string& path) {
  if (!DeleteFileW(LongPath(path).c_str())) return Failed();
  return true;
}

}  // namespace qv
