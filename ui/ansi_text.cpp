#include "ui/ansi_text.h"

#include <windows.h>

std::wstring AnsiToWide(const char* text) {
  const int length = ::MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, text, -1, nullptr, 0);
  if (length <= 1) return std::wstring();
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, text, -1, &wide[0], length);
  wide.resize(static_cast<std::size_t>(length - 1));
  return wide;
}
