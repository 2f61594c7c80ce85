#pragma once

#include <string>

#include "core/wide_text.h"

// The program's texts are Windows-1252 bytes; windows get them as UTF-16
// through the system's ANSI code page. Empty when there is no text.
WideText WideFromAnsi(const char* text);

// The same as a std::wstring, kept only while the dialog behaviour still
// calls it, and inline so that only its callers carry the library's string
// code. It goes once the behaviour uses WideFromAnsi.
inline std::wstring AnsiToWide(const char* text) {
  const WideText wide = WideFromAnsi(text);
  return std::wstring(wide.c_str(), wide.length());
}
