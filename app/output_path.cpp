#include "app/output_path.h"

#include <windows.h>

namespace {

constexpr wchar_t kPictureName[] = L"prueba.bmp";

// Windows paths stop at 32767 characters; a buffer past that is never filled.
constexpr std::size_t kLongestModulePath = 32768;

// The call reports a buffer filled to the brim with its size and a cut-off
// path, so the buffer grows until the path fits with room to spare.
std::wstring ModulePath() {
  std::wstring buffer(MAX_PATH + 4, L'\0');
  for (;;) {
    const DWORD size = static_cast<DWORD>(buffer.size());
    const DWORD length = ::GetModuleFileNameW(nullptr, &buffer[0], size);
    if (length == 0) return std::wstring();
    if (length < size || buffer.size() > kLongestModulePath) {
      buffer.resize(length < size ? length : size);
      return buffer;
    }
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace

std::wstring FolderOf(const std::wstring& path) {
  const std::size_t slash = path.rfind(L'\\');
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

std::wstring OutputPathFor(const std::wstring& modulePath) {
  return FolderOf(modulePath) + kPictureName;
}

std::wstring GetExecutableFolder() { return FolderOf(ModulePath()); }

std::wstring OutputPath() { return GetExecutableFolder() + kPictureName; }
