#include "ui/ansi_text.h"

#include <windows.h>

WideText WideFromAnsi(const char* text) {
  const int length = ::MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, text, -1, nullptr, 0);
  if (length <= 1) return WideText();
  const HeapArray<wchar_t> wide = ZeroedArray<wchar_t>(static_cast<std::size_t>(length));
  if (!wide) return WideText();
  const int written = ::MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, text, -1, wide.get(), length);
  if (written <= 1) return WideText();
  return WideText(wide.get(), static_cast<std::size_t>(written - 1));
}
