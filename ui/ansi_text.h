#pragma once

#include <string>

// The program's texts are Windows-1252 bytes; windows get them as UTF-16
// through the system's ANSI code page.
std::wstring AnsiToWide(const char* text);
