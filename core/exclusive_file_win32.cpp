#include <windows.h>

#include <utility>

#include "core/exclusive_file.h"

static_assert(sizeof(HANDLE) == sizeof(std::intptr_t), "a handle fits the slot");

namespace {

HANDLE AsHandle(std::intptr_t value) { return reinterpret_cast<HANDLE>(value); }

}  // namespace

// Share mode 0 keeps every other opener out while the file is written.
ExclusiveFile::ExclusiveFile(const PathChar* path) {
  const HANDLE file =
      ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) handle_ = reinterpret_cast<std::intptr_t>(file);
}

void ExclusiveFile::Close() {
  if (IsOpen()) ::CloseHandle(AsHandle(std::exchange(handle_, kClosed)));
}

bool ExclusiveFile::Write(const void* data, std::size_t size) {
  if (!IsOpen() || size > MAXDWORD) return false;
  DWORD written = 0;
  const BOOL ok = ::WriteFile(AsHandle(handle_), data, static_cast<DWORD>(size), &written, nullptr);
  return ok && written == size;
}

bool ExclusiveFile::CutHere() { return IsOpen() && ::SetEndOfFile(AsHandle(handle_)); }
