#pragma once

#include <windows.h>

#include <cstdint>

// The callback of the main dialog: fills and reads the lists, keeps the rows
// in step with the band count, picks colours and runs "Crear". Returns 0 for
// every message, so the host's defaults always follow.
LRESULT MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Enables the width lists and swatches of rows 1..count, disables the rest;
// a count outside 2..7 changes nothing.
void ApplyBandCount(HWND dialog, std::int16_t count);

// The number that the list's selected item starts with, read from its first
// `characters` characters; 0 without a selection.
std::int16_t ReadListNumber(HWND list, int characters);
