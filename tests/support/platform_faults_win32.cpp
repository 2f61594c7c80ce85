#include <windows.h>

#include "tests/support/platform_faults.h"

namespace testing_support {

ExclusiveHolder::ExclusiveHolder(const std::filesystem::path& file) {
  const HANDLE h = ::CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h != INVALID_HANDLE_VALUE) handle_ = reinterpret_cast<std::intptr_t>(h);
}

ExclusiveHolder::~ExclusiveHolder() {
  if (holds()) ::CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

void MakeReadOnly(const std::filesystem::path& file) {
  ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
}

bool CanOpenForWriting(const std::filesystem::path& file) {
  const HANDLE h = ::CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  ::CloseHandle(h);
  return true;
}

std::string WriteWithFileSizeLimit(std::size_t, const std::function<void()>&) {
  return "Windows has no per-process file size limit to make a write come back short";
}

}  // namespace testing_support
