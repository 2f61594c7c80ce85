#include "app/output_path.h"

#include <windows.h>

#include <cwchar>

namespace {

constexpr wchar_t kPictureName[] = L"prueba.bmp";

// Windows paths stop at 32767 characters; a buffer past that is never filled.
constexpr std::size_t kLongestModulePath = 32768;

// The call reports a buffer filled to the brim with its size and a cut-off
// path, so the buffer grows until the path fits with room to spare.
WideText ModulePath() {
  for (std::size_t size = MAX_PATH + 4;; size *= 2) {
    const HeapArray<wchar_t> buffer = ZeroedArray<wchar_t>(size);
    if (!buffer) return WideText();
    const DWORD length = ::GetModuleFileNameW(nullptr, buffer.get(), static_cast<DWORD>(size));
    if (length == 0) return WideText();
    if (length < size || size > kLongestModulePath) {
      return WideText(buffer.get(), length < size ? length : size);
    }
  }
}

}  // namespace

WideText FolderOf(const wchar_t* path) {
  const wchar_t* const slash = path ? std::wcsrchr(path, L'\\') : nullptr;
  if (!slash) return WideText();
  return WideText(path, static_cast<std::size_t>(slash - path) + 1);
}

WideText OutputPathFor(const wchar_t* modulePath) {
  WideText path = FolderOf(modulePath);
  path.Append(kPictureName);
  return path;
}

WideText GetExecutableFolder() { return FolderOf(ModulePath().c_str()); }

WideText OutputPath() { return OutputPathFor(ModulePath().c_str()); }
