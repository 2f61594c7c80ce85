#pragma once

#include <windows.h>

#include <cstdint>

// Shows the system's colour dialog over `owner`, fully open, on `initial`,
// 30 pixels right of and below the owner's top-left corner. `customColors` is
// the caller's table of 16 entries, shown and updated in place. Returns the
// accepted colour (0 is black), or -1 when the user accepted none.
std::int32_t PickColor(HWND owner, COLORREF initial, COLORREF* customColors);
