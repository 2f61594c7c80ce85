#pragma once

#include "core/wide_text.h"

// The program's texts are Windows-1252 bytes; windows get them as UTF-16
// through the system's ANSI code page. Empty when there is no text.
WideText WideFromAnsi(const char* text);
